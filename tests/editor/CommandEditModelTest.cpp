// The command editor's state machine fed with the messages a Swedish keyboard sends: keys down and up
// with the modifiers held, and the characters the layout makes of them.
#include "CommandFixture.h"
#include <gtest/gtest.h>
#include <functional>

using namespace commandtest;

TEST(CommandEditModel, ATagIsOneTokenForTheCaretAndForDelete)
{
    Editor editor;
    editor.Type("a");
    editor.Chord({VK_CONTROL}, 'C', "\x03");
    editor.Type("b");
    EXPECT_EQ("a<Ctrl+C>b", editor.Text());
    EXPECT_EQ(3u, editor.model.TokenCount());
    EXPECT_EQ(3u, editor.model.CaretToken());
    editor.Tap(VK_LEFT);
    editor.Tap(VK_LEFT);
    EXPECT_EQ(1u, editor.model.CaretToken());
    EXPECT_EQ(1u, editor.shownStart);   // the window's caret stands before the tag
    editor.Tap(VK_DELETE);
    EXPECT_EQ("ab", editor.Text());
    EXPECT_EQ(1u, editor.model.CaretToken());
    EXPECT_EQ("ab", editor.shownText);
    EXPECT_EQ(0, editor.beeps);
}

TEST(CommandEditModel, BackspaceRemovesTheWholeTokenBeforeTheCaret)
{
    Editor editor;
    editor.model.SetText("x<Paus0.5>");
    editor.Tap(VK_BACK, "\b");
    EXPECT_EQ("x", editor.Text());
    EXPECT_EQ(1u, editor.model.CaretToken());
    editor.Tap(VK_BACK, "\b");
    editor.Tap(VK_BACK, "\b");   // nothing left: a beep
    EXPECT_EQ("", editor.Text());
    EXPECT_EQ(1, editor.beeps);
}

TEST(CommandEditModel, TheArrowsMoveByTokenAndBeepAtTheEnds)
{
    Editor editor;
    editor.model.SetText("<Return>a");
    editor.Tap(VK_RIGHT);
    EXPECT_EQ(1, editor.beeps);
    editor.Tap(VK_UP);
    editor.Tap(VK_DOWN);
    EXPECT_EQ(3, editor.beeps);
    EXPECT_EQ(2u, editor.model.CaretToken());
    editor.Tap(VK_LEFT);
    editor.Tap(VK_LEFT);
    editor.Tap(VK_LEFT);
    EXPECT_EQ(0u, editor.model.CaretToken());
    EXPECT_EQ(4, editor.beeps);
    EXPECT_EQ("<Return>a", editor.Text());   // no arrow made a tag
}

TEST(CommandEditModel, EscMakesTheNextEditingKeyATag)
{
    Editor editor;
    editor.Tap(VK_ESCAPE, "\x1b");
    EXPECT_TRUE(editor.model.LiteralNext());
    editor.Tap(VK_BACK, "\b");
    EXPECT_EQ("<Backspace>", editor.Text());
    EXPECT_FALSE(editor.model.LiteralNext());
    editor.Tap(VK_ESCAPE, "\x1b");
    editor.Tap(VK_ESCAPE, "\x1b");
    EXPECT_EQ("<Backspace><Esc>", editor.Text());
    for (int key : {VK_LEFT, VK_DELETE, VK_TAB}) {
        editor.Tap(VK_ESCAPE, "\x1b");
        editor.Tap(key, key == VK_TAB ? "\t" : "");
    }
    EXPECT_EQ("<Backspace><Esc><Left><Delete><Tab>", editor.Text());
    EXPECT_EQ(0, editor.focusMoves);
    EXPECT_EQ((std::vector<int>{2, 1, 2, 1, 2, 1, 2, 1, 2, 1}), editor.notices);
}

TEST(CommandEditModel, AModifierAloneAndAModifierOverAnotherBecomeTags)
{
    Editor shift;
    shift.Tap(VK_SHIFT);
    EXPECT_EQ("<Shift>", shift.Text());

    Editor capital;
    capital.Type("A");   // Shift held while typing: the capital letter and no tag
    EXPECT_EQ("A", capital.Text());

    Editor ctrlShift;
    ctrlShift.Down(VK_CONTROL);
    ctrlShift.Tap(VK_SHIFT);
    ctrlShift.Up(VK_CONTROL);   // Ctrl's release makes nothing: a tag was made while it was held
    EXPECT_EQ("<Ctrl+Shift>", ctrlShift.Text());

    Editor all;
    all.Chord({VK_CONTROL, VK_MENU, VK_SHIFT}, 'A');
    EXPECT_EQ("<Ctrl+Alt+A>", all.Text());
}

TEST(CommandEditModel, KeysWithModifiersAndNamedKeysBecomeTags)
{
    struct Case {
        const char* name;
        std::function<void(Editor&)> keys;
        const char* text;
    } cases[] = {
        {"Return", [](Editor& e) { e.Tap(VK_RETURN, "\r"); }, "<Return>"},
        {"F5", [](Editor& e) { e.Tap(VK_F5); }, "<F5>"},
        {"Home", [](Editor& e) { e.Tap(VK_HOME); }, "<Home>"},
        {"keypad 5", [](Editor& e) { e.Tap(VK_NUMPAD5, "5"); }, "<Num5>"},
        {"keypad +", [](Editor& e) { e.Tap(VK_ADD, "+"); }, "<NumAdd>"},
        {"Alt+F4", [](Editor& e) { e.Chord({VK_MENU}, VK_F4); }, "<Alt+F4>"},
        {"Alt+E", [](Editor& e) { e.Chord({VK_MENU}, 'E'); }, "<Alt+E>"},
        {"Ctrl+Home", [](Editor& e) { e.Chord({VK_CONTROL}, VK_HOME); }, "<Ctrl+Home>"},
        {"Shift+Insert", [](Editor& e) { e.Chord({VK_SHIFT}, VK_INSERT); }, "<Shift+Insert>"},
        {"Shift+Tab", [](Editor& e) { e.Chord({VK_SHIFT}, VK_TAB, "\t"); }, "<Shift+Tab>"},
        {"Shift+Right", [](Editor& e) { e.Chord({VK_SHIFT}, VK_RIGHT); }, "<Shift+Right>"},
        {"Ctrl+Space", [](Editor& e) { e.Chord({VK_CONTROL}, VK_SPACE, " "); }, "<Ctrl+Space>"},
        {"Shift+Space", [](Editor& e) { e.Chord({VK_SHIFT}, VK_SPACE, " "); }, "<Shift+Space>"},
        {"Ctrl+1", [](Editor& e) { e.Chord({VK_CONTROL}, '1'); }, "<Ctrl+1>"},
        {"Ctrl+Alt+Delete", [](Editor& e) { e.Chord({VK_CONTROL, VK_MENU}, VK_DELETE); }, "<Ctrl+Alt+Delete>"},
        {"Ctrl+\xE5", [](Editor& e) { e.Chord({VK_CONTROL}, kRingKey, "\x1d"); }, "<Ctrl+\xE5>"},
        {"Alt+\xE4", [](Editor& e) { e.Chord({VK_MENU}, kUmlautAKey); }, "<Alt+\xE4>"},
        {"Ctrl and a key past 127 that is no Special key", [](Editor& e) { e.Chord({VK_CONTROL}, kPlusKey); }, ""},
        {"Ctrl+, swallowed", [](Editor& e) { e.Chord({VK_CONTROL}, VK_OEM_COMMA); }, ""},
        {"Alt+- swallowed", [](Editor& e) { e.Chord({VK_MENU}, VK_OEM_MINUS); }, ""},
        {"Print Screen", [](Editor& e) { e.Tap(VK_SNAPSHOT); }, ""},
        {"Num Lock", [](Editor& e) { e.Tap(VK_NUMLOCK); }, ""},
        {"Scroll Lock", [](Editor& e) { e.Tap(VK_SCROLL); }, ""},
        {"Caps Lock", [](Editor& e) { e.Tap(VK_CAPITAL); }, ""},
        {"a plain key", [](Editor& e) { e.Tap('K', "k"); }, "k"},
        {"\xF6", [](Editor& e) { e.Tap(kUmlautOKey, "\xF6"); }, "\xF6"},
        {"Space", [](Editor& e) { e.Tap(VK_SPACE, " "); }, " "},
    };
    for (const Case& c : cases) {
        Editor editor;
        c.keys(editor);
        EXPECT_EQ(c.text, editor.Text()) << c.name;
        EXPECT_EQ(0, editor.beeps) << c.name;
    }
}

TEST(CommandEditModel, AModifierLetGoBeforeItsKeyStillMakesTheTag)
{
    const struct {
        std::vector<int> modifiers;
        int key;
        const char* characters;
        const char* text;
    } cases[] = {
        {{VK_CONTROL}, 'C', "\x03", "<Ctrl+C>"},
        {{VK_MENU}, VK_F4, "", "<Alt+F4>"},
        {{VK_CONTROL, VK_MENU}, VK_DELETE, "", "<Ctrl+Alt+Delete>"},
        {{VK_SHIFT}, VK_TAB, "\t", "<Shift+Tab>"},
        {{VK_CONTROL}, VK_SPACE, " ", "<Ctrl+Space>"},
    };
    for (const auto& c : cases) {
        Editor editor;
        editor.ChordLettingGoModifiersFirst(c.modifiers, c.key, c.characters);
        EXPECT_EQ(c.text, editor.Text());
        EXPECT_EQ(0, editor.beeps) << c.text;
    }

    // Shift let go before its letter: the capital is typed, and no tag follows.
    Editor capital;
    capital.ChordLettingGoModifiersFirst({VK_SHIFT}, 'A', "A");
    EXPECT_EQ("A", capital.Text());
    // A modifier pressed and let go alone, after such a key, is a tag of its own again.
    capital.Tap(VK_CONTROL);
    EXPECT_EQ("A<Ctrl>", capital.Text());
}

TEST(CommandEditModel, ThePauseKeyAndBreakAreRefusedWithABeep)
{
    // The keyboard has no Pause key, and the Pause word in a tag is always a pause.
    Editor editor;
    editor.Type("a");
    editor.Tap(VK_PAUSE);
    editor.Chord({VK_CONTROL}, VK_CANCEL, "\x03");
    EXPECT_EQ("a", editor.Text());
    EXPECT_EQ(2, editor.beeps);
    // Ctrl's release after Break makes no tag either.
    EXPECT_EQ(1u, editor.model.TokenCount());
}

TEST(CommandEditModel, DeadKeysTypeWhatTheLayoutComposes)
{
    // ´ then e: one character; the dead key itself makes no tag.
    Editor combined;
    combined.Tap(kAcuteKey);
    combined.Tap('E', "\xE9");
    EXPECT_EQ("\xE9", combined.Text());
    EXPECT_EQ(1u, combined.model.CaretToken());

    // ´ then x: the accent and the consonant, two tokens.
    Editor apart;
    apart.Tap(kAcuteKey);
    apart.Tap('X', "\xB4x");
    EXPECT_EQ("\xB4x", apart.Text());
    EXPECT_EQ(2u, apart.model.CaretToken());

    // Shift+´ (grave) then a; AltGr+¨ (tilde) then n.
    Editor grave;
    grave.Chord({VK_SHIFT}, kAcuteKey);
    grave.Tap('A', "\xE0");
    grave.Chord({VK_CONTROL, VK_MENU}, kDiaeresisKey);
    grave.Tap('N', "\xF1");
    EXPECT_EQ("\xE0\xF1", grave.Text());
    EXPECT_EQ(0, grave.beeps);
}

TEST(CommandEditModel, AltGrTypesItsCharacterAndMakesNoTag)
{
    Editor editor;
    editor.Chord({VK_CONTROL, VK_MENU}, '2', "@");
    editor.Chord({VK_CONTROL, VK_MENU}, 'E', "\x80");
    EXPECT_EQ("@\x80", editor.Text());
    editor.Chord({VK_CONTROL, VK_MENU}, 'A');   // not an AltGr key: a tag
    EXPECT_EQ("@\x80<Ctrl+Alt+A>", editor.Text());
}

TEST(CommandEditModel, APlainLessThanIsRefused)
{
    // Without Start and End in the configuration the '<' key types its character: refused with a beep.
    Editor unconfigured(SwedishSyntax(false));
    unconfigured.Type("a");
    unconfigured.Tap(kLessKey, "<");
    unconfigured.Type("b");
    EXPECT_EQ("ab", unconfigured.Text());
    EXPECT_EQ(2u, unconfigured.model.TokenCount());
    EXPECT_EQ(1, unconfigured.beeps);
    // A '>' alone opens nothing.
    unconfigured.Chord({VK_SHIFT}, kLessKey, ">");
    EXPECT_EQ("ab>", unconfigured.Text());

    // Configured as Start and End, the key is swallowed as it goes down.
    Editor configured;
    configured.Tap(kLessKey, "<");
    configured.Chord({VK_SHIFT}, kLessKey, ">");
    EXPECT_EQ("", configured.Text());
    EXPECT_EQ(0, configured.beeps);
}

TEST(CommandEditModel, TheLimitsOf256TokensAnd500Characters)
{
    Editor full;
    full.model.SetText(std::string(256, 'a'));
    full.Type("b");
    full.Chord({VK_CONTROL}, 'C', "\x03");
    EXPECT_EQ(std::string(256, 'a'), full.Text());
    EXPECT_EQ(2, full.beeps);
    EXPECT_FALSE(full.model.InsertText("<Return>"));
    EXPECT_EQ(3, full.beeps);
    full.Tap(VK_BACK, "\b");   // deleting is always possible
    EXPECT_EQ(255u, full.model.TokenCount());
    full.Type("b");
    EXPECT_EQ(256u, full.model.TokenCount());

    Editor longText;
    longText.model.SetText("<" + std::string(493, 'x') + ">");   // 495 characters in one token
    longText.Type("abcde");
    EXPECT_EQ(499u, longText.Text().size());
    EXPECT_EQ(1, longText.beeps);
    longText.Tap(VK_RETURN, "\r");   // "<Return>" would pass 500
    EXPECT_EQ(499u, longText.Text().size());
    EXPECT_EQ(2, longText.beeps);
}

TEST(CommandEditModel, TabHandsTheFocusOnAndTypesNothing)
{
    Editor editor;
    editor.Type("a");
    editor.Down(VK_TAB, "\t");
    EXPECT_EQ(1, editor.focusMoves);
    editor.Up(VK_TAB);
    EXPECT_EQ("a", editor.Text());
    EXPECT_EQ((std::vector<int>{1, 1}), editor.notices);
}

TEST(CommandEditModel, AMarkedReleaseIsIgnored)
{
    Editor editor;
    editor.model.InsertText("<Paus0.5>");
    editor.model.MarkHandled();
    editor.Up(VK_RETURN);   // the sub-dialog's closing key
    EXPECT_EQ("<Paus0.5>", editor.Text());
    editor.Tap(VK_RETURN, "\r");
    EXPECT_EQ("<Paus0.5><Return>", editor.Text());
}

TEST(CommandEditModel, InsertedTextGoesToTheCaretAndTheCaretAfterIt)
{
    Editor editor;
    editor.model.SetText("ab");
    editor.model.SetCaretToken(1);
    EXPECT_TRUE(editor.model.InsertText("<Paus0.5>"));
    EXPECT_EQ("a<Paus0.5>b", editor.Text());
    EXPECT_EQ(2u, editor.model.CaretToken());
    EXPECT_EQ((std::vector<size_t>{2, 1, 2}), editor.caretNotices);
}

TEST(CommandEditModel, AClickPutsTheCaretBeforeATokenOrBeeps)
{
    Editor editor;
    editor.model.SetText("a<Ctrl+C>b");
    editor.model.Click(0);
    EXPECT_EQ(0u, editor.model.CaretToken());
    editor.model.Click(1);   // the tag's first character
    EXPECT_EQ(1u, editor.model.CaretToken());
    editor.model.Click(4);   // inside the tag
    EXPECT_EQ(1u, editor.model.CaretToken());
    EXPECT_EQ(1, editor.beeps);
    editor.model.Click(9);
    EXPECT_EQ(2u, editor.model.CaretToken());
    editor.model.Click(40);  // beyond the text
    EXPECT_EQ(3u, editor.model.CaretToken());
}

TEST(CommandEditModel, PastedTextKeepsToTheSameRules)
{
    Editor editor;
    editor.model.SetText("ab");
    editor.model.SetCaretToken(1);
    EXPECT_TRUE(editor.model.Paste("<Ctrl+V>x"));
    EXPECT_EQ("a<Ctrl+V>xb", editor.Text());
    EXPECT_EQ(3u, editor.model.CaretToken());

    // A line break would end the block's line in the overlay file; an open '<' would swallow the rest.
    const std::string refusedTexts[] = {"x\r\ny", "x\ny", "x\ty", "a<Ctrl+V", std::string(254, 'z')};
    for (const std::string& refused : refusedTexts) {
        EXPECT_FALSE(editor.model.Paste(refused)) << refused;
        EXPECT_EQ("a<Ctrl+V>xb", editor.Text()) << refused;
    }
    EXPECT_EQ(5, editor.beeps);

    // Pasted tags keep to the limits of typed ones: at most two modifiers and three words, pauses of at
    // most 25 seconds.
    editor.beeps = 0;
    for (const char* refused : {"<Paus99>", "<Paus25.1>", "x<Ctrl+Alt+Shift+A>", "<a+b+c+d>", "<Ctrl+Alt+A+>"}) {
        EXPECT_FALSE(editor.model.Paste(refused)) << refused;
        EXPECT_EQ("a<Ctrl+V>xb", editor.Text()) << refused;
    }
    EXPECT_EQ(5, editor.beeps);
    for (const char* taken :
         {"<Paus25.0>", "<Ctrl+Alt+Num+>", "<Ctrl+Alt+Delete>", "1+1>2", "<Run C:\\Notepad++\\notepad++.exe a+b+c>"}) {
        editor.model.SetText("");
        EXPECT_TRUE(editor.model.Paste(taken)) << taken;
        EXPECT_EQ(taken, editor.Text());
    }
    editor.model.SetText("a<Ctrl+V>xb");

    // A selection ending inside a tag takes the whole tag.
    editor.model.SelectCharacters(1, 4);
    EXPECT_TRUE(editor.model.Paste("Q"));
    EXPECT_EQ("aQxb", editor.Text());
    EXPECT_EQ(2u, editor.model.CaretToken());
}

TEST(CommandEditModel, ATypedCharacterOrDeleteReplacesTheWholeTokensSelected)
{
    Editor editor;
    editor.model.SetText("a<Return>b");
    editor.model.SelectCharacters(0, 10);   // select all
    EXPECT_EQ(0u, editor.shownStart);
    EXPECT_EQ(10u, editor.shownEnd);
    editor.Type("z");
    EXPECT_EQ("z", editor.Text());

    editor.model.SetText("a<Return>b");
    editor.model.SelectCharacters(3, 5);   // inside the tag: the tag
    editor.Tap(VK_DELETE);
    EXPECT_EQ("ab", editor.Text());
    EXPECT_EQ(1u, editor.model.CaretToken());
}
