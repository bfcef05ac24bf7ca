// The mouse command dialog's rules without a window: the tags each mode builds and reads back, where
// the built command goes in the caller's command, the controls of each mode, and how caught points
// are measured and found again.
#include "SubDialogFixture.h"
#include "editor/MouseCommandModel.h"
#include <gtest/gtest.h>

using namespace mouse;
using namespace subdialogtest;
using command::MouseDirection;

namespace {

MouseChoices Parsed(const std::string& command)
{
    MouseChoices choices;
    EXPECT_TRUE(ParseMouseCommand(command, choices)) << command;
    return choices;
}


std::string Characters(const Position& position)
{
    return std::string(position.reference, 3);
}

} // namespace

TEST(MouseCommandModel, EveryTagTheDialogBuildsReadsBackToTheSameChoices)
{
    const char* const commands[] = {
        "<Mouse Move U S>", "<Mouse Move R U S>", "<Mouse Move R S>", "<Mouse Move R D F>", "<Mouse Move D F>",
        "<Mouse Move L D S>", "<Mouse Move L F>", "<Mouse Move L U F>",
        "<Mouse Click L 1X>", "<Mouse Click L 2X>", "<Mouse Click R D>", "<Mouse Click R U>",
        "<Mouse Pos RW1 5000 2500><Mouse Click L 1X>", "<Mouse Pos PSC -12 40><Mouse Click R 2X>",
        "<Mouse Pos RW3 0 0><Mouse Click R D>", "<Mouse Pos PW4 7 9><Mouse Click L U>",
    };
    for (const char* command : commands)
        EXPECT_EQ(command, BuildMouseCommand(Parsed(command)));
}

TEST(MouseCommandModel, ReadingTakesTheDirectionClickAndModeFromTheTags)
{
    MouseChoices choices = Parsed("<Mouse Move L U S>");
    EXPECT_EQ(Mode::Move, choices.mode);
    EXPECT_EQ(MouseDirection::UpLeft, choices.direction);
    EXPECT_EQ(MouseDirection::DownRight, Parsed("<Mouse Move R D F>").direction);
    EXPECT_TRUE(Parsed("<Mouse Move R D F>").fast);

    choices = Parsed("<Mouse Click R 2X>");
    EXPECT_EQ(Mode::ClickOnly, choices.mode);
    EXPECT_EQ(kRightButton, choices.button);
    EXPECT_EQ(kDoubleClick, choices.action);

    MouseChoices untouched;
    untouched.fast = true;
    EXPECT_FALSE(ParseMouseCommand("", untouched));
    EXPECT_FALSE(ParseMouseCommand("<Ctrl+C>abc", untouched));
    EXPECT_TRUE(untouched.fast);
    EXPECT_EQ(Mode::Move, untouched.mode);
}

TEST(MouseCommandModel, AReopenedPositionKeepsItsClickAndOnlyItsOwnTag)
{
    // The click chosen with the position is read back with it, and what comes before "<Mouse Pos" in
    // the command is no part of the position tag.
    MouseChoices choices = Parsed("abc<Mouse Pos PS2 10 20><Mouse Click R 2X>def");
    EXPECT_EQ(Mode::Position, choices.mode);
    EXPECT_EQ("<Mouse Pos PS2 10 20>", choices.positionTag);
    EXPECT_EQ(kRightButton, choices.button);
    EXPECT_EQ(kDoubleClick, choices.action);
    EXPECT_EQ("<Mouse Pos PS2 10 20><Mouse Click R 2X>", BuildMouseCommand(choices));
}

TEST(MouseCommandModel, NoButtonOrNoActionGivesNoCommandInTheClickModes)
{
    MouseChoices choices = Parsed("<Mouse Pos RW1 1 2><Mouse Click L 1X>");
    choices.button = kNoButton;
    EXPECT_EQ("", BuildMouseCommand(choices));
    choices.mode = Mode::ClickOnly;
    EXPECT_EQ("", BuildMouseCommand(choices));
    choices.button = kLeftButton;
    choices.action = kNoAction;
    EXPECT_EQ("", BuildMouseCommand(choices));
    choices.mode = Mode::Move;
    EXPECT_EQ("<Mouse Move U S>", BuildMouseCommand(choices));
}

TEST(MouseCommandModel, TheBuiltCommandTakesThePlaceOfTheMouseTagsItWasOpenedOn)
{
    const struct {
        const char* command;
        const char* built;
        const char* result;
    } cases[] = {
        {"", "<Mouse Move U S>", "<Mouse Move U S>"},
        {"abc", "<Mouse Move U S>", "abc<Mouse Move U S>"},
        {"a<Mouse Move L S>b", "<Mouse Click R 1X>", "a<Mouse Click R 1X>b"},
        {"<Mouse Pos RW1 1 2><Mouse Click L 1X><Return>", "<Mouse Pos RW1 3 4><Mouse Click L 2X>",
         "<Mouse Pos RW1 3 4><Mouse Click L 2X><Return>"},
        {"<Mouse Move U S>x<Mouse Move D S>", "<Mouse Move L S>", "<Mouse Move L S>x<Mouse Move D S>"},
        {"abc<Mouse Move U S>", "", "abc<Mouse Move U S>"},  // nothing built: nothing changes
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, PlaceMouseCommand(c.command, c.built)) << c.command;
}

TEST(MouseCommandModel, EachModeOffersItsControls)
{
    auto states = [](Mode mode) {
        ControlStates s = ControlStatesFor(mode);
        return std::string{char('0' + s.directions), char('0' + s.catchPoint), char('0' + s.cancelCatch),
                           char('0' + s.advanced), char('0' + s.clickLists), char('0' + s.tryCommand)};
    };
    // directions and speed, catch, cancel catch, advanced, click lists, try
    EXPECT_EQ("100000", states(Mode::Move));
    EXPECT_EQ("010110", states(Mode::Position));
    EXPECT_EQ("000011", states(Mode::ClickOnly));
}

TEST(MouseCommandModel, CaughtPointsMeasuredInEveryUnitAgainstEveryRectangleFromEveryCorner)
{
    const RECT window{100, 50, 700, 450};  // 600 x 400
    const SIZE screen{1024, 768};
    const POINT point{250, 150};           // 150, 100 inside the window
    const struct {
        const char* reference;
        int x, y;
    } cases[] = {
        {"PW1", 150, 100},     {"PW2", 450, 100},     {"PW3", 450, 300},     {"PW4", 150, 300},
        {"PWC", -150, -100},
        {"RW1", 2500, 2500},   {"RW2", 7500, 2500},   {"RW3", 7500, 7500},   {"RW4", 2500, 7500},
        {"RWC", -2500, -2500},
        {"PS1", 250, 150},     {"PS2", 774, 150},     {"PS3", 774, 618},     {"PS4", 250, 618},
        {"PSC", -262, -234},
        {"RS1", 2441, 1953},   {"RS2", 7558, 1953},   {"RS3", 7558, 8046},   {"RS4", 2441, 8046},
        {"RSC", -2558, -3046},
    };
    for (const auto& c : cases) {
        const MouseClickReference reference = ClickReference(c.reference[0], c.reference[1], c.reference[2]);
        const Position position = MeasurePoint(&reference, point, window, screen);
        EXPECT_EQ(c.reference, Characters(position));
        EXPECT_EQ(c.x, position.x) << c.reference;
        EXPECT_EQ(c.y, position.y) << c.reference;
        // A try finds the point again: exactly in pixels, within the rounding of 1/10000 otherwise.
        const POINT back = PointOfPosition(position, &window, screen);
        EXPECT_NEAR(point.x, back.x, c.reference[0] == 'P' ? 0 : 1) << c.reference;
        EXPECT_NEAR(point.y, back.y, c.reference[0] == 'P' ? 0 : 1) << c.reference;
    }
}

TEST(MouseCommandModel, PointsWithoutAReferenceAndAtTheEdges)
{
    const RECT window{100, 100, 700, 500};
    const SIZE screen{1024, 768};
    // 300 px from the left of a 600 px window.
    Position position = MeasurePoint(nullptr, POINT{400, 100}, window, screen);
    EXPECT_EQ("RW1", Characters(position));
    EXPECT_EQ(5000, position.x);
    EXPECT_EQ(0, position.y);
    // The centre is 0, 0; left of and above it negative.
    const MouseClickReference centre = ClickReference('R', 'W', 'C');
    position = MeasurePoint(&centre, POINT{400, 300}, window, screen);
    EXPECT_EQ(0, position.x);
    EXPECT_EQ(0, position.y);
    position = MeasurePoint(&centre, POINT{399, 299}, window, screen);
    EXPECT_LT(position.x, 0);
    EXPECT_LT(position.y, 0);
    // A second character other than 'S' counts as the window; a reference with a part missing counts
    // as none.
    const MouseClickReference odd = ClickReference('P', 'X', '1');
    EXPECT_EQ("PW1", Characters(MeasurePoint(&odd, POINT{400, 300}, window, screen)));
    const MouseClickReference partial = ClickReference('P', 0, '2');
    EXPECT_EQ("RW1", Characters(MeasurePoint(&partial, POINT{400, 300}, window, screen)));
    // A window without width or height measures 0 on that axis instead of dividing by it.
    const RECT flat{300, 200, 300, 200};
    for (const char* characters : {"RW1", "RWC", "RW3"}) {
        const MouseClickReference reference = ClickReference(characters[0], characters[1], characters[2]);
        position = MeasurePoint(&reference, POINT{300, 200}, flat, screen);
        EXPECT_EQ(0, position.x) << characters;
        EXPECT_EQ(0, position.y) << characters;
    }
    EXPECT_EQ(0, MeasurePoint(nullptr, POINT{300, 200}, flat, SIZE{0, 0}).x);
}

TEST(MouseCommandModel, TriesFindTheirPointOnTheScreenWhenTheWindowIsGone)
{
    Position position;
    position.reference[0] = 'R';
    position.x = 5000;
    position.y = 5000;
    const RECT window{100, 100, 300, 200};
    EXPECT_EQ(200, PointOfPosition(position, &window, SIZE{1024, 768}).x);
    EXPECT_EQ(512, PointOfPosition(position, nullptr, SIZE{1024, 768}).x);
    EXPECT_EQ(384, PointOfPosition(position, nullptr, SIZE{1024, 768}).y);
}

TEST(MouseCommandModel, AbsoluteInputLandsOnThePixelItWasMadeFrom)
{
    for (SIZE screen : {SIZE{1024, 768}, SIZE{1920, 1080}, SIZE{1366, 768}}) {
        for (long x = 0; x < screen.cx; ++x) {
            const POINT absolute = AbsoluteInputPoint(POINT{x, 0}, screen);
            ASSERT_LE(absolute.x, 65535);
            // The system maps an absolute value back as value * size / 65536.
            ASSERT_EQ(x, absolute.x * screen.cx / 65536) << x << " of " << screen.cx;
        }
    }
    // Off the screen: the nearest edge.
    EXPECT_EQ(0, AbsoluteInputPoint(POINT{-40, -1}, SIZE{1024, 768}).x);
    EXPECT_EQ(1023, AbsoluteInputPoint(POINT{5000, 0}, SIZE{1024, 768}).x * 1024 / 65536);
}

TEST(MouseCommandModel, TriesClickOnceTwiceOrNeverAndLeaveNoButtonDown)
{
    EXPECT_EQ(1, TryClicks(kSingleClick));
    EXPECT_EQ(2, TryClicks(kDoubleClick));
    EXPECT_EQ(1, TryClicks(kHoldDown));
    EXPECT_EQ(0, TryClicks(kLetUp));
    EXPECT_EQ(static_cast<DWORD>(MOUSEEVENTF_RIGHTDOWN), ButtonDownFlag(kRightButton));
    EXPECT_EQ(static_cast<DWORD>(MOUSEEVENTF_LEFTUP), ButtonUpFlag(kLeftButton));
}

TEST(MouseCommandModel, ANamedReferenceMatchesByItsCharactersAlone)
{
    std::vector<MouseClickReference> named = {ClickReference('P', 'S', '1'), ClickReference('R', 'W', 'C'),
                                              ClickReference('R', 'W', 'C')};
    named[1].name_ = "Mitten";
    named[2].name_ = "Mitten igen";
    EXPECT_EQ(1, MatchingReference(named, ClickReference('R', 'W', 'C')));
    EXPECT_EQ(0, MatchingReference(named, ClickReference('P', 'S', '1')));
    EXPECT_EQ(-1, MatchingReference(named, ClickReference('P', 'S', '2')));
}
