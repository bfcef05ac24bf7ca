// The command editors in a real dialog, driven by the keyboard: keys go in through the system's input
// (SendInput) and reach the controls as the system makes them, with the characters of a Swedish layout.
// command_keyboard_tests.sh gives this program an X display with a Swedish keymap, from which Wine
// takes its keyboard layout.
#include "CommandFixture.h"
#include "command_keyboard_test.h"
#include "editor/CommandEdit.h"
#include "editor/CommandEditSingle.h"
#include "framework/Prompt.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <initializer_list>

using namespace commandtest;

namespace {

// The key that types the character with no modifier held, found through the layout; 0 when none does.
int KeyTyping(wchar_t character)
{
    BYTE state[256] = {};
    for (int key = 1; key < 255; ++key) {
        WCHAR typed[4] = {};
        int count = ::ToUnicode(static_cast<UINT>(key), ::MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC),
                                state, typed, 4, 0);
        if (count != 0 && typed[0] == character)
            return key;
    }
    return 0;
}

// The sample words with [Language] entries for the layout the system has: the dead acute key, the
// keys of å and ä as Special keys, and the '<' key as Start and End when asked for.
CommandSyntax LayoutSyntax(bool withStartEnd)
{
    CommandSyntax syntax = SwedishSyntax(withStartEnd);
    auto entry = [](int key, int shift, char character) {
        LanguageKey value;
        value.keyCode_ = key;
        value.shift_ = shift;
        value.character_ = static_cast<unsigned char>(character);
        return value;
    };
    const int acute = KeyTyping(L'\u00B4');
    const int less = KeyTyping(L'<');
    syntax.language[FileIO::kGrave] = entry(acute, 1, 0);
    syntax.language[FileIO::kAicu] = entry(acute, 0, 0);
    syntax.language[FileIO::kLanguageStart] = withStartEnd ? entry(less, 0, 0) : LanguageKey();
    syntax.language[FileIO::kLanguageEnd] = withStartEnd ? entry(less, 1, 0) : LanguageKey();
    syntax.language[FileIO::kSpecial1] = entry(KeyTyping(L'\u00E5'), 0, '\xE5');
    syntax.language[FileIO::kSpecial2] = entry(KeyTyping(L'\u00E4'), 0, '\xE4');
    syntax.language[FileIO::kSpecial3] = entry(KeyTyping(L'\u00F6'), 0, '\xF6');
    return syntax;
}

bool IsExtendedKey(int key)
{
    switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_HOME:
    case VK_END: case VK_PRIOR: case VK_NEXT: case VK_RCONTROL: case VK_RMENU: case VK_DIVIDE:
        return true;
    }
    return false;
}

// One key going down or up through the system's input, and everything it causes handled.
void SendKey(int key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    ::SendInput(1, &input, sizeof(input));
    fw::PumpMessages();
}

void Tap(int key)
{
    SendKey(key, false);
    SendKey(key, true);
}

void Chord(std::initializer_list<int> modifiers, int key)
{
    for (int modifier : modifiers)
        SendKey(modifier, false);
    Tap(key);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        SendKey(*it, true);
}

// Letters, digits, blanks and the Swedish letters as typed; capitals with Shift.
void Type(const std::wstring& text)
{
    for (wchar_t c : text) {
        bool capital = c >= L'A' && c <= L'Z';
        wchar_t lower = capital ? static_cast<wchar_t>(c + 32) : c;
        int key = lower >= L'a' && lower <= L'z' ? lower - 32 : KeyTyping(lower);
        ASSERT_NE(0, key) << "no key types " << static_cast<int>(c);
        if (capital)
            Chord({VK_SHIFT}, key);
        else
            Tap(key);
    }
}

void PutOnClipboard(HWND owner, const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

// The dialog with the editors, open and in front; records what the editors tell it and what OK and
// Cancel would have done. One dialog serves every test: each new window in front goes through a
// focus exchange between Wine's desktop and the window, and keys sent meanwhile can go astray.
class Host : public fw::Dialog {
public:
    Host()
        : fw::Dialog(IDD_TEST_COMMAND_EDIT), keys{CommandEditSingle(0), CommandEditSingle(1), CommandEditSingle(2)}
    {
        fw::Dialog::PushInitHook([](fw::Dialog&) {});   // the tests drive the dialog themselves
        EXPECT_TRUE(Create(nullptr));
        ::SetForegroundWindow(hwnd_);
        WaitForKeys();
    }
    ~Host() override { DestroyWindow(); }

    // A new test: the editors on a syntax for the system's layout, empty, the command editor focused.
    void Reset(bool withStartEnd)
    {
        const CommandSyntax syntax = LayoutSyntax(withStartEnd);
        command.SetSyntax(syntax);
        for (CommandEditSingle& key : keys)
            key.SetSyntax(syntax);
        for (int id : {IDC_TEST_KEY0, IDC_TEST_KEY1, IDC_TEST_KEY2})
            SetItemText(id, "");
        command.SetText("");
        Focus(IDC_TEST_COMMAND);
        notices.clear();
        carets.clear();
        beeps = oks = cancels = 0;
    }
    void Focus(int id)
    {
        ::SetFocus(::GetDlgItem(hwnd_, id));
        fw::PumpMessages();
    }
    HWND Focused() const { return ::GetFocus(); }
    std::string WindowText() const { return ItemText(IDC_TEST_COMMAND); }
    std::pair<DWORD, DWORD> WindowSelection() const
    {
        DWORD start = 0;
        DWORD end = 0;
        ::SendDlgItemMessageA(hwnd_, IDC_TEST_COMMAND, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                              reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    CommandEdit command;
    CommandEditSingle keys[3];
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    std::vector<WPARAM> carets;
    int beeps = 0;
    int oks = 0;
    int cancels = 0;

protected:
    bool OnInitDialog() override
    {
        command.SubclassDlgItem(IDC_TEST_COMMAND, hwnd_);
        command.SetupFont();
        for (int i = 0; i < 3; ++i) {
            keys[i].SubclassDlgItem(IDC_TEST_KEY0 + i, hwnd_);
            keys[i].SetupFont();
        }
        return true;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == CommandEdit::kNotify)
            notices.emplace_back(wParam, lParam);
        else if (message == CommandEdit::kCaretToken)
            carets.push_back(wParam);
        else
            return false;
        result = 0;
        return true;
    }
    bool OnOK() override
    {
        ++oks;
        return false;
    }
    bool OnCancel() override
    {
        ++cancels;
        return false;
    }

private:
    // Types into the plain box until two keys in a row arrive there: the focus has settled on this
    // window, and the keys of the tests will reach it.
    void WaitForKeys()
    {
        Focus(IDC_TEST_AFTER);
        int arrived = 0;
        for (int tries = 0; tries < 200 && arrived < 2; ++tries) {
            SetItemText(IDC_TEST_AFTER, "");
            Tap('X');
            arrived = ItemText(IDC_TEST_AFTER) == "x" ? arrived + 1 : 0;
        }
        EXPECT_EQ(2, arrived) << "the keys never reached the dialog";
        SetItemText(IDC_TEST_AFTER, "");
    }
};

// Every test types into the one dialog, reset for it.
class CommandKeyboard : public testing::Test {
protected:
    static void SetUpTestSuite() { host_ = new Host; }
    static void TearDownTestSuite()
    {
        delete host_;
        host_ = nullptr;
    }
    void SetUp() override
    {
        fw::SetBeepHandler([] { ++host_->beeps; });
        host_->Reset(true);
    }

    static Host* host_;
};

Host* CommandKeyboard::host_ = nullptr;

} // namespace

TEST(CommandKeyboardLayout, TheSwedishLayoutIsThere)
{
    // Without it the other tests would test another keyboard: the display must have a Swedish keymap.
    EXPECT_NE(0, KeyTyping(L'\u00E5'));
    EXPECT_NE(0, KeyTyping(L'\u00F6'));
    EXPECT_NE(0, KeyTyping(L'\u00B4'));
}

TEST_F(CommandKeyboard, TextAndTagsAsTyped)
{
    Host& host = *host_;
    Type(L"Hej p\u00E5 \u00F6n");
    EXPECT_EQ("Hej p\xE5 \xF6n", host.command.Text());
    Chord({VK_CONTROL}, 'C');
    Chord({VK_CONTROL}, KeyTyping(L'\u00E5'));
    Chord({VK_SHIFT}, '1');
    Tap(VK_SHIFT);
    Tap(VK_RETURN);
    Tap(VK_F5);
    Chord({VK_CONTROL}, VK_HOME);
    EXPECT_EQ("Hej p\xE5 \xF6n<Ctrl+C><Ctrl+\xE5>!<Shift><Return><F5><Ctrl+Home>", host.command.Text());
    EXPECT_EQ(host.command.Text(), host.WindowText());
    EXPECT_EQ(host.command.TokenCount(), host.command.CaretToken());
    EXPECT_EQ(0, host.oks);   // Return made a tag and pressed no button
    EXPECT_EQ(0, host.beeps);
}

TEST_F(CommandKeyboard, AltMakesTagsAndOpensNoMenu)
{
    Host& host = *host_;
    Chord({VK_MENU}, 'E');
    Tap(VK_MENU);
    Chord({VK_MENU}, VK_F4);   // the dialog stays open
    EXPECT_EQ("<Alt+E><Alt><Alt+F4>", host.command.Text());
    EXPECT_TRUE(::IsWindow(host.Handle()));
    EXPECT_EQ(host.command.Handle(), host.Focused());
}

TEST_F(CommandKeyboard, TheCaretMovesAndDeletesWholeTagsAndEscTakesTheNextEditingKey)
{
    Host& host = *host_;
    Type(L"a");
    Chord({VK_CONTROL}, 'C');
    Type(L"b");
    Tap(VK_LEFT);
    Tap(VK_LEFT);
    EXPECT_EQ((std::pair<DWORD, DWORD>{1, 1}), host.WindowSelection());
    Tap(VK_DELETE);
    EXPECT_EQ("ab", host.command.Text());
    Tap(VK_ESCAPE);   // never closes the dialog
    Tap(VK_BACK);
    EXPECT_EQ("a<Backspace>b", host.WindowText());
    EXPECT_EQ(0, host.cancels);
    Tap(VK_BACK);
    EXPECT_EQ("ab", host.WindowText());
    Tap(VK_UP);
    EXPECT_EQ(1, host.beeps);
    EXPECT_EQ((std::pair<DWORD, DWORD>{1, 1}), host.WindowSelection());
    EXPECT_NE(host.notices.end(), std::find(host.notices.begin(), host.notices.end(), std::pair<WPARAM, LPARAM>(2, 0)));
}

TEST_F(CommandKeyboard, TheLessThanKeyNeverOpensATag)
{
    Host& unconfigured = *host_;
    unconfigured.Reset(false);
    Type(L"a");
    Tap(KeyTyping(L'<'));
    Type(L"b");
    EXPECT_EQ("ab", unconfigured.command.Text());
    EXPECT_EQ(1, unconfigured.beeps);
}

TEST_F(CommandKeyboard, TheLessThanKeyConfiguredAsStartIsSwallowed)
{
    Host& configured = *host_;
    Tap(KeyTyping(L'<'));
    Chord({VK_SHIFT}, KeyTyping(L'<'));
    EXPECT_EQ("", configured.command.Text());
    EXPECT_EQ(0, configured.beeps);
}

TEST_F(CommandKeyboard, DeadKeysAndAltGrKeysMakeNoTags)
{
    Host& host = *host_;
    Tap(KeyTyping(L'\u00B4'));
    Type(L"e");
    Chord({VK_CONTROL, VK_MENU}, '2');
    // The characters are the layout's to compose (Wine composes neither); a tag is never made.
    EXPECT_EQ(std::string::npos, host.command.Text().find('<')) << host.command.Text();
    EXPECT_NE(std::string::npos, host.command.Text().find('e'));
    EXPECT_EQ(host.command.TokenCount(), host.command.CaretToken());
}

TEST_F(CommandKeyboard, TabMovesOnAndAKeyThatWentDownElsewhereMakesNoTag)
{
    Host& host = *host_;
    Type(L"x");
    Tap(VK_TAB);
    EXPECT_EQ(::GetDlgItem(host.Handle(), IDC_TEST_AFTER), host.Focused());
    // Shift+Tab back from the next box: its Tab and Shift come up in the editor.
    SendKey(VK_SHIFT, false);
    SendKey(VK_TAB, false);
    EXPECT_EQ(host.command.Handle(), host.Focused());
    SendKey(VK_TAB, true);
    SendKey(VK_SHIFT, true);
    EXPECT_EQ("x", host.command.Text());
}

TEST_F(CommandKeyboard, PasteKeepsToTheRulesAndClicksLandBetweenTokens)
{
    Host& host = *host_;
    host.command.SetText("a<Ctrl+C>b");
    host.command.SetCaretToken(1);
    PutOnClipboard(host.Handle(), "1\r\n2");
    ::SendMessageA(host.command.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("a<Ctrl+C>b", host.command.Text());
    EXPECT_EQ(1, host.beeps);
    PutOnClipboard(host.Handle(), "<Paus1.0>");
    ::SendMessageA(host.command.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("a<Paus1.0><Ctrl+C>b", host.WindowText());

    // A click in a character's cell: on the '<' of the Ctrl tag, then inside it.
    RECT format{};
    ::SendMessageA(host.command.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    DWORD origin = static_cast<DWORD>(::SendMessageA(host.command.Handle(), EM_POSFROMCHAR, 0, 0));
    DWORD tenth = static_cast<DWORD>(::SendMessageA(host.command.Handle(), EM_POSFROMCHAR, 10, 0));
    const int cell = (static_cast<short>(LOWORD(tenth)) - static_cast<short>(LOWORD(origin))) / 10;
    auto click = [&](int column) {
        LPARAM point = MAKELPARAM(static_cast<short>(LOWORD(origin)) + column * cell + cell / 2, HIWORD(origin) + 2);
        ::SendMessageA(host.command.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageA(host.command.Handle(), WM_LBUTTONUP, 0, point);
    };
    click(10);
    EXPECT_EQ(2u, host.command.CaretToken());
    EXPECT_EQ((std::pair<DWORD, DWORD>{10, 10}), host.WindowSelection());
    click(13);
    EXPECT_EQ(2u, host.command.CaretToken());
    EXPECT_EQ(2, host.beeps);
    click(60);
    EXPECT_EQ(4u, host.command.CaretToken());
}

TEST_F(CommandKeyboard, EachOneKeyBoxCatchesOneKey)
{
    Host& host = *host_;
    host.Focus(IDC_TEST_KEY0);
    host.notices.clear();
    SendKey(VK_CONTROL, false);
    EXPECT_EQ("Ctrl", host.ItemText(IDC_TEST_KEY0));
    SendKey(VK_CONTROL, true);
    EXPECT_EQ((std::vector<std::pair<WPARAM, LPARAM>>{{1, VK_CONTROL}, {3, 1}, {2, VK_CONTROL * 256}}), host.notices);

    host.Focus(IDC_TEST_KEY1);
    host.notices.clear();
    Type(L"\u00E4");
    EXPECT_EQ("\xE4", host.ItemText(IDC_TEST_KEY1));
    EXPECT_EQ((std::pair<WPARAM, LPARAM>{2, KeyTyping(L'\u00E4') * 256 + 1}), host.notices.back());

    host.Focus(IDC_TEST_KEY2);
    Tap(KeyTyping(L'<'));
    EXPECT_EQ("", host.ItemText(IDC_TEST_KEY2));
    Tap(VK_TAB);
    EXPECT_EQ(::GetDlgItem(host.Handle(), IDOK), host.Focused());
}
