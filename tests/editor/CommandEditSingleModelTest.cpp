// The one-key box's state machine: what it catches, shows and tells its dialog.
#include "CommandFixture.h"
#include "editor/CommandEditSingleModel.h"
#include <gtest/gtest.h>

using namespace commandtest;

namespace {

// A box at position 1 and a keyboard for it; records the box's calls.
class Box : public CommandEditSingleView {
public:
    Box() : model(*this, 1) { model.SetSyntax(SwedishSyntax(), SwedishLayout()); }

    void Down(int key, bool repeat = false) { model.KeyDown(keyboard_.Down(key), repeat); }
    void Up(int key) { model.KeyUp(keyboard_.Up(key)); }

    CommandEditSingleModel model;
    std::vector<std::pair<int, long>> notices;
    std::string word = "<unset>";
    int beeps = 0;
    int restores = 0;
    int focusMoves = 0;

private:
    void Beep() override { ++beeps; }
    void Notify(int code, long value) override { notices.emplace_back(code, value); }
    void ShowWord(const std::string& shown) override { word = shown; }
    void RestoreKeyboard() override { ++restores; }
    void MoveFocus(bool) override { ++focusMoves; }

    HeldModifiers keyboard_;
};

using Notices = std::vector<std::pair<int, long>>;

} // namespace

TEST(CommandEditSingleModel, ANamedKeyShowsItsWordAndIsReportedDownAndUp)
{
    Box box;
    box.Down(VK_CONTROL);
    box.Down(VK_CONTROL, true);   // auto-repeat changes nothing
    EXPECT_EQ("Ctrl", box.word);
    EXPECT_FALSE(box.model.Character(0x11));
    box.Up(VK_CONTROL);
    EXPECT_EQ((Notices{{1, VK_CONTROL}, {3, 1}, {2, VK_CONTROL * 256 + 1}}), box.notices);

    Box locks;
    for (int key : {VK_CAPITAL, VK_SPACE, VK_SNAPSHOT, VK_F11}) {
        locks.Down(key);
        EXPECT_FALSE(locks.model.Character(' '));
        locks.Up(key);
    }
    EXPECT_EQ("F11", locks.word);
    EXPECT_EQ(1, locks.restores);   // after Caps Lock, so that catching it leaves it off
}

TEST(CommandEditSingleModel, APlainKeyTypesOneCharacterAndLessThanNone)
{
    Box box;
    box.Down('A');
    EXPECT_EQ("", box.word);
    EXPECT_TRUE(box.model.Character('a'));
    EXPECT_FALSE(box.model.Character('a'));   // one character a key
    box.Up('A');

    box.Down(kLessKey);
    EXPECT_FALSE(box.model.Character('<'));
    EXPECT_EQ("", box.word);
    box.Up(kLessKey);

    // A '+' would split the word and a '>' end the tag: the box stays empty, and the dialog refuses it.
    for (const auto& [key, character] : {std::pair<int, char>{kPlusKey, '+'}, {kLessKey, '>'}, {VK_OEM_PERIOD, '>'}}) {
        box.Down(key);
        EXPECT_FALSE(box.model.Character(static_cast<unsigned char>(character))) << character;
        EXPECT_EQ("", box.word);
        box.Up(key);
    }
    // The keyboard has no Pause key: nothing to show.
    box.Down(VK_PAUSE);
    EXPECT_EQ("", box.word);
    box.Up(VK_PAUSE);

    // A dead key: its composition, typed with the next key, goes in.
    box.Down(kAcuteKey);
    box.model.DeadCharacter();
    box.Up(kAcuteKey);
    box.Down('E');
    EXPECT_TRUE(box.model.Character('\xE9'));
}

TEST(CommandEditSingleModel, ASecondKeyIsRefusedOnceUntilARelease)
{
    Box box;
    box.Down(VK_SHIFT);
    box.Down('A');
    box.Down('B');
    EXPECT_EQ(1, box.beeps);
    box.Up('B');
    box.Down('C');
    EXPECT_EQ(2, box.beeps);
    EXPECT_EQ((Notices{{1, VK_SHIFT}, {3, 0}, {3, 0}, {3, 0}}), box.notices);
    EXPECT_EQ("Shift", box.word);
}

TEST(CommandEditSingleModel, AltJoiningCtrlHandsOnAndCtrlLetGoUnderAltGivesAlt)
{
    Box first;
    first.Down(VK_CONTROL);
    first.Down(VK_MENU);
    EXPECT_EQ((Notices{{1, VK_CONTROL}, {6, 1}}), first.notices);

    // The next box, with both still held: keys are ignored, and Ctrl let go leaves it Alt.
    Box next;
    next.Down(VK_CONTROL);
    next.Down(VK_MENU);
    next.notices.clear();
    next.model.FocusLost();
    next.Down('A');
    EXPECT_TRUE(next.notices.empty());
    next.Up(VK_CONTROL);
    EXPECT_EQ("Alt", next.word);
    EXPECT_EQ((Notices{{2, VK_MENU * 256 + 1}}), next.notices);
}

TEST(CommandEditSingleModel, EscTurnsLiteralNextOnForTheEditingKeys)
{
    Box box;
    box.Down(VK_ESCAPE);
    box.Up(VK_ESCAPE);
    EXPECT_TRUE(box.model.LiteralNext());
    box.Down(VK_BACK);
    EXPECT_EQ("Backspace", box.word);
    box.Up(VK_BACK);
    EXPECT_FALSE(box.model.LiteralNext());
    EXPECT_EQ((Notices{{3, 2}, {1, VK_BACK}, {3, 1}, {2, VK_BACK * 256 + 1}}), box.notices);

    // Outside literal-next Backspace and Delete step back a box, and Tab moves on.
    box.notices.clear();
    box.Down(VK_DELETE);
    box.Up(VK_DELETE);
    box.Down(VK_TAB);
    EXPECT_EQ(1, box.focusMoves);
    EXPECT_EQ((Notices{{1, VK_DELETE}, {3, 1}, {4, 1}, {3, 1}}), box.notices);
}

TEST(CommandEditSingleModel, TheFocusIsReportedWithThePosition)
{
    Box box;
    box.model.FocusGained();
    EXPECT_EQ((Notices{{5, 1}}), box.notices);
}
