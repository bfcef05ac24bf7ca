// The mouse command dialog in a real window: opening on each kind of command, the modes and what they
// build, catching a point with the real hook under clicks made through the system's input, trying the
// command, and the reference dialog.
#include "EditorFixture.h"
#include "SubDialogFixture.h"
#include "MouseInput.h"
#include "editor/MouseCommandDlg.h"
#include "editor/ReferenceArea.h"
#include "framework/Clock.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace editortest;
using namespace subdialogtest;
using namespace mousetest;
using namespace testsupport;

namespace {

// Modes, directions and speeds as the radios show them: the checked radio's index in each group.
int CheckedOf(HWND dialog, std::initializer_list<int> ids)
{
    int index = 0;
    for (int id : ids) {
        if (::IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return index;
        ++index;
    }
    return -1;
}

int Mode(HWND dialog)
{
    return CheckedOf(dialog, {IDC_MOUSE_MOVE, IDC_MOUSE_POSITION, IDC_MOUSE_CLICK_ONLY});
}

int Direction(HWND dialog)
{
    return CheckedOf(dialog, {IDC_MOUSE_UP, IDC_MOUSE_UP_RIGHT, IDC_MOUSE_RIGHT, IDC_MOUSE_DOWN_RIGHT, IDC_MOUSE_DOWN,
                              IDC_MOUSE_DOWN_LEFT, IDC_MOUSE_LEFT, IDC_MOUSE_UP_LEFT});
}

int ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

// Directions, slow, catch, cancel catch, advanced, button list, action list, try.
std::string Enabled(HWND dialog)
{
    return EnabledStates(dialog, {IDC_MOUSE_UP, IDC_MOUSE_SLOW, IDC_MOUSE_CATCH, IDC_MOUSE_CANCEL_CATCH,
                                  IDC_MOUSE_ADVANCED, IDC_MOUSE_BUTTON, IDC_MOUSE_ACTION, IDC_MOUSE_TRY});
}


class MouseCommandDlgTest : public testing::Test {
protected:
    void SetUp() override { fw::SetBeepHandler([this] { ++beeps_; }); }

    INT_PTR Run(std::string& command, const std::function<void(fw::Dialog&)>& script,
                MouseClickReference* current = nullptr)
    {
        const POINT corner{560, 560};
        MouseCommandDlg dialog(command, &corner, named_, current, &repeat_);
        dialog.SetLog([this](const std::string& line) { log_.push_back(line); });
        return RunClosing(dialog, script);
    }

    bool Logged(const std::string& line) const { return std::find(log_.begin(), log_.end(), line) != log_.end(); }

    std::vector<MouseClickReference> named_ = {ClickReference('P', 'S', '1', "Sk\xE4rm"), ClickReference('R', 'W', 'C', "Mitten")};
    std::vector<std::string> log_;
    int repeat_ = 0;
    int beeps_ = 0;
};

} // namespace

TEST_F(MouseCommandDlgTest, OpensOnEachKindOfCommandAndGivesItBack)
{
    const struct {
        const char* command;
        int mode, direction;
        bool fast;
        int button, action;
        const char* enabled;
        const char* shown;
        int repeat;  // a held key goes on moving the pointer, and never repeats a click
    } cases[] = {
        {"", 0, 0, false, 1, 0, "11000000", "<Mouse Move U S>", 1},
        {"<Mouse Move L D F>", 0, 5, true, 1, 0, "11000000", "<Mouse Move L D F>", 1},
        {"<Mouse Click R 2X>", 2, 0, false, 2, 1, "00000111", "<Mouse Click R 2X>", 0},
        // A position keeps the click it was made with.
        {"<Mouse Pos RW1 5000 2500><Mouse Click R D>", 1, 0, false, 2, 2, "00101110",
         "<Mouse Pos RW1 5000 2500><Mouse Click R D>", 0},
    };
    for (const auto& c : cases) {
        std::string command = c.command;
        repeat_ = 0;
        INT_PTR result = Run(command, [&](fw::Dialog& dialog) {
            EXPECT_EQ(c.mode, Mode(dialog)) << c.command;
            EXPECT_EQ(c.direction, Direction(dialog)) << c.command;
            EXPECT_EQ(c.fast, ::IsDlgButtonChecked(dialog, IDC_MOUSE_FAST) == BST_CHECKED) << c.command;
            EXPECT_EQ(c.button, ComboSelection(dialog, IDC_MOUSE_BUTTON)) << c.command;
            EXPECT_EQ(c.action, ComboSelection(dialog, IDC_MOUSE_ACTION)) << c.command;
            EXPECT_EQ(c.enabled, Enabled(dialog)) << c.command;
            EXPECT_EQ(c.shown, Text(dialog, IDC_MOUSE_COMMAND)) << c.command;
            Close(dialog, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.shown, command);
        EXPECT_EQ(c.repeat, repeat_) << c.command;
    }
}

TEST_F(MouseCommandDlgTest, OpensTopmostWithItsCornerOnThePointAndItsTexts)
{
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        EXPECT_EQ("Muskommando", fw::Window(dialog).Text());
        EXPECT_EQ("Flytta muspekaren i riktning", Text(dialog, IDC_MOUSE_MOVE));
        EXPECT_EQ("<Inget musklick>", fw::ComboBox(dialog.Handle(), IDC_MOUSE_BUTTON).ItemText(0));
        EXPECT_EQ("Sl\xE4pp upp", fw::ComboBox(dialog.Handle(), IDC_MOUSE_ACTION).ItemText(3));
        RECT rect = fw::Window(dialog).WindowRect();
        EXPECT_EQ(560, rect.right);
        EXPECT_EQ(560, rect.bottom);
        EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(IsVisible(dialog, IDC_MOUSE_BLINK));
        Close(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, repeat_) << "Cancel changes nothing";
}

TEST_F(MouseCommandDlgTest, EachModeBuildsItsCommandAndOkPutsItInTheCallersCommand)
{
    std::string command = "abc<Mouse Move U S>def";
    Run(command, [&](fw::Dialog& dialog) {
        Click(dialog, IDC_MOUSE_DOWN_RIGHT);
        Click(dialog, IDC_MOUSE_FAST);
        EXPECT_EQ("<Mouse Move R D F>", Text(dialog, IDC_MOUSE_COMMAND));
        Click(dialog, IDC_MOUSE_CLICK_ONLY);
        EXPECT_EQ("00000111", Enabled(dialog));
        EXPECT_EQ("<Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
        SelectCombo(dialog, IDC_MOUSE_ACTION, 2);
        EXPECT_EQ("<Mouse Click L D>", Text(dialog, IDC_MOUSE_COMMAND));
        SelectCombo(dialog, IDC_MOUSE_BUTTON, 0);
        EXPECT_EQ("", Text(dialog, IDC_MOUSE_COMMAND));
        SelectCombo(dialog, IDC_MOUSE_BUTTON, 2);
        Click(dialog, IDC_MOUSE_POSITION);
        EXPECT_EQ("00101110", Enabled(dialog));
        EXPECT_TRUE(Logged("OnMousePosition"));
        EXPECT_EQ("<Mouse Click R D>", Text(dialog, IDC_MOUSE_COMMAND)) << "no point caught yet";
        Click(dialog, IDC_MOUSE_MOVE);
        EXPECT_EQ("11000000", Enabled(dialog));
        EXPECT_EQ("<Mouse Move R D F>", Text(dialog, IDC_MOUSE_COMMAND));
        Close(dialog, IDOK);
    });
    EXPECT_EQ("abc<Mouse Move R D F>def", command);
}

TEST_F(MouseCommandDlgTest, APointCaughtWithShiftAndTriedAgain)
{
    mousetest::RecordingWindow target(RECT{600, 100, 900, 400}, "M\xE5l");
    MouseClickReference pixels = ClickReference('P', 'W', '1');
    std::string command;
    std::vector<InputRecorder::Event> sent;
    std::vector<DWORD> tryWaits;
    Run(
        command,
        [&](fw::Dialog& dialog) {
            Click(dialog, IDC_MOUSE_POSITION);
            Click(dialog, IDC_MOUSE_CATCH);
            EXPECT_TRUE(IsVisible(dialog, IDC_MOUSE_BLINK));
            EXPECT_TRUE(IsEnabled(dialog, IDC_MOUSE_CANCEL_CATCH));
            mousetest::Click(POINT{750, 250}, Button::Left, true);
            ASSERT_TRUE(PumpUntil([&] { return Text(dialog, IDC_MOUSE_COMMAND).find("<Mouse Pos") == 0; }));
            EXPECT_EQ("<Mouse Pos PW1 150 150><Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
            EXPECT_TRUE(target.buttons.empty()) << "the catching click reached the window";
            EXPECT_TRUE(IsEnabled(dialog, IDC_MOUSE_TRY));
            EXPECT_FALSE(IsEnabled(dialog, IDC_MOUSE_CANCEL_CATCH));
            EXPECT_TRUE(IsVisible(dialog, IDC_MOUSE_BLINK)) << "the icon stays once a point is caught";
            EXPECT_TRUE(Logged("Trigged!"));
            EXPECT_TRUE(Logged("Title bar: M\xE5l"));
            EXPECT_TRUE(Logged("Window Pos left: 600, top: 100, right: 900, bot: 400"));
            EXPECT_TRUE(Logged("Position Catched: X=150, Y=150\r\n"));

            // The try: double click at the point, then the pointer goes back. No real waiting.
            std::vector<DWORD> waits;
            fw::SetWaitHandler([&](DWORD milliseconds) { waits.push_back(milliseconds); });
            SelectCombo(dialog, IDC_MOUSE_ACTION, 1);
            MoveTo(POINT{40, 30});
            InputRecorder input;
            Click(dialog, IDC_MOUSE_TRY);
            ASSERT_TRUE(PumpUntil([&] { return target.buttons.size() == 4; }));
            for (POINT point : target.points) {
                EXPECT_EQ(150, point.x);
                EXPECT_EQ(150, point.y);
            }
            sent = input.events;
            tryWaits = waits;
            Close(dialog, IDOK);
        },
        &pixels);
    EXPECT_EQ("<Mouse Pos PW1 150 150><Mouse Click L 2X>", command);
    // Half way across, onto the point, two clicks there, a second's stay, and back.
    auto at = [](const InputRecorder::Event& event) { return std::make_pair(event.point.x, event.point.y); };
    // (A move still on its way from before the try may come first.)
    ASSERT_GE(sent.size(), 7u);
    sent.erase(sent.begin(), sent.end() - 7);
    EXPECT_EQ(std::make_pair(375L, 250L), at(sent[0]));
    EXPECT_EQ(std::make_pair(750L, 250L), at(sent[1]));
    for (size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(i % 2 == 0 ? WM_LBUTTONDOWN : WM_LBUTTONUP, sent[i].message);
        EXPECT_EQ(std::make_pair(750L, 250L), at(sent[i]));
    }
    EXPECT_EQ(static_cast<WPARAM>(WM_MOUSEMOVE), sent[6].message);
    EXPECT_EQ(std::make_pair(40L, 30L), at(sent[6]));
    EXPECT_EQ((std::vector<DWORD>{10, 10, 1000}), tryWaits);
}

TEST_F(MouseCommandDlgTest, WithoutAReferenceAPointIsRelativeToItsWindow)
{
    mousetest::RecordingWindow target(RECT{600, 100, 900, 400});
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        Click(dialog, IDC_MOUSE_POSITION);
        Click(dialog, IDC_MOUSE_CATCH);
        mousetest::Click(POINT{675, 300}, Button::Right, true);
        ASSERT_TRUE(PumpUntil([&] { return Text(dialog, IDC_MOUSE_COMMAND).find("<Mouse Pos") == 0; }));
        EXPECT_EQ("<Mouse Pos RW1 2500 6666><Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
        EXPECT_TRUE(Logged("Relative position"));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(MouseCommandDlgTest, ACancelledCatchLetsClicksThrough)
{
    mousetest::RecordingWindow target(RECT{600, 100, 900, 400});
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        Click(dialog, IDC_MOUSE_POSITION);
        Click(dialog, IDC_MOUSE_CATCH);
        Click(dialog, IDC_MOUSE_CANCEL_CATCH);
        EXPECT_FALSE(IsVisible(dialog, IDC_MOUSE_BLINK));
        EXPECT_FALSE(IsEnabled(dialog, IDC_MOUSE_CANCEL_CATCH));
        mousetest::Click(POINT{750, 250}, Button::Left, true);
        ASSERT_TRUE(PumpUntil([&] { return target.buttons.size() == 2; }));
        fw::PumpMessages();
        EXPECT_EQ("<Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
        EXPECT_FALSE(IsEnabled(dialog, IDC_MOUSE_TRY));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(MouseCommandDlgTest, ThePositionRadioClickedAgainDuringACatchLetsTheCatchGoOn)
{
    mousetest::RecordingWindow target(RECT{600, 100, 900, 400});
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        Click(dialog, IDC_MOUSE_POSITION);
        Click(dialog, IDC_MOUSE_CATCH);
        Click(dialog, IDC_MOUSE_POSITION);
        EXPECT_TRUE(IsEnabled(dialog, IDC_MOUSE_CANCEL_CATCH)) << "the catch can still be cancelled";
        // An ordinary click is no catch: it reaches its window and is not taken for the point.
        mousetest::Click(POINT{650, 150}, Button::Left);
        ASSERT_TRUE(PumpUntil([&] { return target.buttons.size() == 2; }));
        fw::PumpMessages();
        EXPECT_EQ("<Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
        // The Shift-click is.
        mousetest::Click(POINT{750, 250}, Button::Left, true);
        ASSERT_TRUE(PumpUntil([&] { return Text(dialog, IDC_MOUSE_COMMAND).find("<Mouse Pos") == 0; }));
        EXPECT_EQ("<Mouse Pos RW1 5000 5000><Mouse Click L 1X>", Text(dialog, IDC_MOUSE_COMMAND));
        Close(dialog, IDCANCEL);
    });
}

// With nothing caught the try only beeps: it neither moves the pointer nor clicks. What the try
// sends enters the system's input before a move of the test's own, so once that move is seen, all
// the try sent has been seen. (The pointer's position is no witness: under Wine the X server's own
// pointer may still put it back after a move.)
TEST_F(MouseCommandDlgTest, ATryWithNothingCaughtOnlyBeeps)
{
    std::string command = "<Mouse Click L 1X>";
    std::vector<DWORD> waits;
    fw::SetWaitHandler([&](DWORD milliseconds) { waits.push_back(milliseconds); });
    Run(command, [&](fw::Dialog& dialog) {
        const POINT marker{21, 23};
        InputRecorder input;
        Click(dialog, IDC_MOUSE_TRY);
        EXPECT_EQ(1, beeps_);
        SendMove(marker);
        ASSERT_TRUE(PumpUntil([&] {
            return std::any_of(input.events.begin(), input.events.end(), [&](const InputRecorder::Event& event) {
                return event.message == WM_MOUSEMOVE && event.point.x == marker.x && event.point.y == marker.y;
            });
        }));
        for (const InputRecorder::Event& event : input.events)
            EXPECT_EQ(static_cast<WPARAM>(WM_MOUSEMOVE), event.message) << "at " << event.point.x << "," << event.point.y;
        EXPECT_TRUE(waits.empty()) << "the try moved the pointer to a point and back";
        Close(dialog, IDCANCEL);
    });
    fw::SetWaitHandler(nullptr);
}

TEST_F(MouseCommandDlgTest, TheReferenceDialogFollowsTheNamedReferencesAndSetsTheCallers)
{
    MouseClickReference current = ClickReference('R', 'W', '1');
    current.name_ = "egen";
    std::string command;
    Run(
        command,
        [&](fw::Dialog& dialog) {
            Click(dialog, IDC_MOUSE_POSITION);
            OnNextDialog([&](fw::Dialog& area) {
                auto listSelection = [&] {
                    return static_cast<int>(::SendDlgItemMessageA(area, IDC_REFERENCE_LIST, LB_GETCURSEL, 0, 0));
                };
                auto radios = [&] {
                    std::string checked;
                    for (int id : {IDC_REFERENCE_RELATIVE, IDC_REFERENCE_PIXELS, IDC_REFERENCE_WINDOW,
                                   IDC_REFERENCE_SCREEN, IDC_REFERENCE_TOP_LEFT, IDC_REFERENCE_TOP_RIGHT,
                                   IDC_REFERENCE_CENTRE, IDC_REFERENCE_BOTTOM_RIGHT, IDC_REFERENCE_BOTTOM_LEFT})
                        checked += ::IsDlgButtonChecked(area, id) == BST_CHECKED ? '1' : '0';
                    return checked;
                };
                EXPECT_EQ("Avancerat", fw::Window(area).Text());
                EXPECT_EQ("<Ingen>", fw::ListBox(area.Handle(), IDC_REFERENCE_LIST).ItemText(2));
                EXPECT_EQ("101010000", radios());
                EXPECT_EQ(2, listSelection());
                SelectList(area, IDC_REFERENCE_LIST, 0);  // "Skärm": pixels, screen, top left
                EXPECT_EQ("010110000", radios());
                Click(area, IDC_REFERENCE_CENTRE);
                EXPECT_EQ(2, listSelection()) << "no named reference measures so";
                Click(area, IDC_REFERENCE_RELATIVE);
                Click(area, IDC_REFERENCE_WINDOW);
                EXPECT_EQ(1, listSelection()) << "\"Mitten\"";
                SelectList(area, IDC_REFERENCE_LIST, 2);
                EXPECT_EQ("101000100", radios()) << "\"<Ingen>\" leaves the radios";
                Click(area, IDC_REFERENCE_BOTTOM_LEFT);
                Close(area, IDOK);
            });
            Click(dialog, IDC_MOUSE_ADVANCED);
            Close(dialog, IDCANCEL);
        },
        &current);
    EXPECT_EQ('R', current.unit_);
    EXPECT_EQ('W', current.target_);
    EXPECT_EQ('4', current.corner_);
    EXPECT_EQ("egen", current.name_);
}
