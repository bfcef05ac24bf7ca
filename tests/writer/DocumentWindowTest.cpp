// The document window in a real window under Wine: keys and characters sent as messages through the
// message loop, content strings typed character by character, what it paints (read back from a
// memory DC and from the screen), and printing through the test printer into a PDF.
#include "DocumentHost.h"
#include "DocumentText.h"
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "PictureFixtures.h"
#include "framework/Prompt.h"
#include "morvel/resource.h"
#include "support/TestPrinter.h"
#include "writer/FileIO.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0); // the default caret colour (index 5)

class DocumentWindow : public testing::Test {
protected:
    DocumentWindow()
    {
        config.WriteImageBase();
        picture = config.Temp() / "bild.bmp";
        for (const std::string& path : {picture, config.Temp() / "bas\\12.bmp", config.Temp() / "bas\\13.bmp"})
            fixtures::SaveWithCodec(fixtures::QuadrantPicture(40, 30), L"image/bmp", path);
        fw::SetBeepHandler([this] { ++beeps; });
        Open(config.Environment());
    }

    void Open(const MorvelEnvironment& environment)
    {
        host.reset();
        io = std::make_unique<FileIO>(environment);
        settings = std::make_unique<Settings>(environment);
        host = std::make_unique<DocumentHost>(*io, *settings);
    }

    DocumentDlg& Doc() { return host->Document(); }
    DocumentModel& Model() { return Doc().Model(); }
    std::string Document() { return doctext::Describe(Model().items_, Model().caret_); }

    // Sends a script as the keyboard would: "{Key}" as a key press (its modifiers held while it goes
    // through), '\n' as Enter, any other character as a typed character.
    void Type(const std::string& script)
    {
        for (size_t i = 0; i < script.size(); ++i) {
            if (script[i] == '\n') {
                Press(VK_RETURN);
            } else if (script[i] != '{') {
                ::PostMessageA(Doc().Handle(), WM_CHAR, static_cast<unsigned char>(script[i]), 1);
                fw::PumpMessages();
            } else {
                const size_t close = script.find('}', i);
                PressNamed(script.substr(i + 1, close - i - 1));
                i = close;
            }
        }
    }

    void PressNamed(const std::string& key)
    {
        const struct {
            const char* name;
            UINT key;
            UINT modifier;
        } keys[] = {{"BS", VK_BACK, 0},    {"Del", VK_DELETE, 0}, {"Left", VK_LEFT, 0},   {"Right", VK_RIGHT, 0},
                    {"Up", VK_UP, 0},      {"Down", VK_DOWN, 0},  {"Home", VK_HOME, 0},   {"End", VK_END, 0},
                    {"PgDn", VK_NEXT, 0},  {"PgUp", VK_PRIOR, 0}, {"F4", VK_F4, 0},       {"F5", VK_F5, 0},
                    {"F7", VK_F7, 0},      {"F9", VK_F9, 0},      {"Tab", VK_TAB, 0},     {"Esc", VK_ESCAPE, 0},
                    {"ShiftEnter", VK_RETURN, VK_SHIFT},          {"AltR", 'R', VK_MENU}, {"CtrlAltH", 'H', VK_MENU}};
        for (const auto& k : keys) {
            if (key == k.name) {
                Press(k.key, k.modifier, key == "CtrlAltH" ? VK_CONTROL : 0);
                return;
            }
        }
        ADD_FAILURE() << "no key " << key;
    }

    void Press(UINT key, UINT modifier = 0, UINT secondModifier = 0)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        BYTE held[256];
        std::copy(std::begin(state), std::end(state), std::begin(held));
        for (UINT m : {modifier, secondModifier}) {
            if (m)
                held[m] = 0x80;
        }
        ::SetKeyboardState(held);
        const bool alt = modifier == VK_MENU;
        ::PostMessageA(Doc().Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 | (1 << 29)) : 1);
        fw::PumpMessages();
        ::SetKeyboardState(state);
    }

    // The current page painted into a canvas of the window's size, first filled with `under`.
    std::unique_ptr<fw::DibSection> Paint(COLORREF under)
    {
        RECT client;
        ::GetClientRect(Doc().Handle(), &client);
        auto canvas = std::make_unique<fw::DibSection>(client.right, client.bottom);
        canvas->Fill(under);
        Doc().PaintPage(canvas->DC(), client);
        ::GdiFlush();
        return canvas;
    }

    CKvoraObject PictureObject() const
    {
        CKvoraObject object;
        object.picturePath_ = picture;
        return object;
    }

    testsupport::WindowsFileGuard sharedSounds{"picwav.ini"};
    MorvelConfig config;
    std::string picture;
    std::unique_ptr<FileIO> io;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<DocumentHost> host;
    int beeps = 0;
};

int CountNot(const fw::DibSection& canvas, COLORREF colour, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += canvas.Pixel(x, y) != colour ? 1 : 0;
    return count;
}

} // namespace

TEST_F(DocumentWindow, KeysAndCharactersReachTheDocumentThroughTheMessageLoop)
{
    const struct {
        const char* script;
        const char* document;
        int beeps;
    } cases[] = {
        {"ab{Left}x", "ax|b", 0},
        {"ab\nc{ShiftEnter}", "ab\nc\n|", 0},
        {"abc{Home}{Del}{End}{BS}", "b|", 0},
        {"a{Left}{Left}{Right}{Right}", "a|", 2},
        {"a\nb{Up}{Down}{PgUp}{PgDn}", "a\nb|", 2},
        {"ab{F7}", "ab|", 1},
        // Alt+R abandons a content string begun by the prefix: the next character is typed as text.
        {"@A1{AltR}b", "b|", 0},
    };
    for (const auto& c : cases) {
        Doc().Clear();
        beeps = 0;
        Type(c.script);
        EXPECT_EQ(c.document, Document()) << c.script;
        EXPECT_EQ(c.beeps, beeps) << c.script;
    }
    EXPECT_GT(host->stops_, 0);
    EXPECT_EQ(1, Model().modified_);
}

TEST_F(DocumentWindow, TheMainWindowsKeysArePassedOnToIt)
{
    Type("{Tab}{Esc}{F4}{F5}{F9}{CtrlAltH}");
    EXPECT_EQ(std::vector<int>({ID_KEY_TAB, ID_KEY_EXIT, ID_KEY_LARGE_PICTURE, ID_KEY_INSERT_PICTURE, ID_KEY_NEW,
                                ID_KEY_HELPER_MENU}),
              host->commands_);
    EXPECT_EQ("|", Document());
}

TEST_F(DocumentWindow, ControlRefusesEverythingButLetters)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    BYTE held[256];
    std::copy(std::begin(state), std::end(state), std::begin(held));
    held[VK_CONTROL] = 0x80;
    ::SetKeyboardState(held);
    Type("1\x01\xE5" "a"); // AltGr reports Ctrl too: a Swedish letter typed with it is refused
    ::SetKeyboardState(state);
    Type("2");
    EXPECT_EQ("a2|", Document());
}

TEST_F(DocumentWindow, ContentStringsTypedCharacterByCharacterBecomeSymbols)
{
    Type("x@A12@y");
    EXPECT_EQ("x{0}y|", Document());
    ASSERT_EQ(1u, Model().images_.Size());
    const CKvoraObject& symbol = Model().images_[0];
    EXPECT_EQ("hund", symbol.label_);
    EXPECT_EQ(config.Temp() / "bas\\12.bmp", symbol.picturePath_);
    EXPECT_TRUE(symbol.HasPicture());
    EXPECT_EQ('@', symbol.delimiter_);

    // With the prefix '#' the same code between two '#' is a symbol that the file writes with '@',
    // and between two '@' it is text.
    settings->prefix_ = '#';
    Doc().Clear();
    Type("#A13#@A12@");
    EXPECT_EQ("{0}@A12@|", Document());
    EXPECT_EQ("katt", Model().images_[0].label_);
    EXPECT_EQ('@', Model().images_[0].delimiter_);
    EXPECT_EQ('@', Model().images_[0].BuildContent().front());

    // A sequence too long for a content string is dropped whole; what follows is typed.
    settings->prefix_ = '@';
    Doc().Clear();
    Type("@" + std::string(255, 'x') + "@z");
    EXPECT_EQ("z|", Document());
    EXPECT_FALSE(Doc().IsCapturing());
}

TEST_F(DocumentWindow, TwentyInsertedPicturesAreAllShown)
{
    for (int k = 0; k < 20; ++k)
        Doc().InsertObject(PictureObject());
    ASSERT_EQ(20u, Model().images_.Size());
    for (size_t k = 0; k < 20; ++k)
        EXPECT_TRUE(Model().images_[k].HasPicture()) << k;

    for (int page = 0; page <= Model().lastPage_; ++page) {
        Model().currentPage_ = page;
        auto canvas = Paint(RGB(255, 255, 255));
        for (size_t k = 0; k + 1 < Model().items_.size(); ++k) {
            const DocItem& item = Model().items_[k];
            if (!item.IsPicture() || item.page_ != page)
                continue;
            EXPECT_EQ("", fixtures::CheckQuadrants(*canvas, item.pictureBox_, fixtures::kQuadrants)) << k;
        }
    }

    // A save's compaction renumbers the objects and keeps their pictures.
    Type("{Home}{Del}");
    Doc().CompactImages();
    ASSERT_EQ(19u, Model().images_.Size());
    for (size_t k = 0; k < 19; ++k)
        EXPECT_TRUE(Model().images_[k].HasPicture()) << k;
}

TEST_F(DocumentWindow, AnEmptyDocumentPaintsOnlyTheBackgroundAndTheCaret)
{
    settings->bkColor_ = 3; // blue
    Doc().Refresh();
    LRESULT brush = ::SendMessageA(Doc().Handle(), WM_CTLCOLORDLG, 0, 0);
    LOGBRUSH logBrush{};
    ASSERT_TRUE(::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(logBrush), &logBrush));
    EXPECT_EQ(RGB(0, 0, 255), logBrush.lbColor);

    const COLORREF blue = RGB(0, 0, 255);
    auto canvas = Paint(blue);
    const RECT caret = Model().items_[0].cursorBox_;
    EXPECT_EQ(3, caret.right - caret.left); // the gap of a 28-point font
    const RECT whole{0, 0, canvas->Width(), canvas->Height()};
    EXPECT_EQ((caret.right - caret.left) * (caret.bottom - caret.top), CountNot(*canvas, blue, whole));
    EXPECT_EQ(kRed, canvas->Pixel(caret.left + 1, caret.bottom - 1));

    // The window on the screen shows the same.
    fw::DibSection screen(canvas->Width(), canvas->Height());
    fw::WindowDC window(Doc().Handle());
    ::BitBlt(screen.DC(), 0, 0, screen.Width(), screen.Height(), window, 0, 0, SRCCOPY);
    ::GdiFlush();
    EXPECT_EQ(blue, screen.Pixel(screen.Width() / 2, screen.Height() / 2));
    EXPECT_EQ(kRed, screen.Pixel(caret.left + 1, caret.bottom - 1));
}

TEST_F(DocumentWindow, CharactersAreDrawnInTheirBoxesAndTheCaretFollowsThem)
{
    Type("ab");
    const COLORREF white = RGB(255, 255, 255);
    auto canvas = Paint(white);
    const RECT a = Model().items_[0].textBox_;
    const RECT b = Model().items_[1].textBox_;
    const RECT caret = Model().items_[2].cursorBox_;
    EXPECT_GT(CountNot(*canvas, white, a), 0);
    EXPECT_GT(CountNot(*canvas, white, b), 0);
    EXPECT_EQ(kRed, canvas->Pixel(caret.left + 1, caret.bottom - 1));
    // Nothing right of the caret and below the line.
    const RECT right{caret.right + 2, 0, canvas->Width(), canvas->Height()};
    const RECT below{0, a.bottom + 2, canvas->Width(), canvas->Height()};
    EXPECT_EQ(0, CountNot(*canvas, white, right));
    EXPECT_EQ(0, CountNot(*canvas, white, below));
}

// An edit in the middle of a page repaints only the rows it changed: the window then shows, pixel
// for pixel, what a repaint of the whole window shows.
TEST_F(DocumentWindow, AnEditShowsWhatAWholeRepaintShows)
{
    for (int word = 0; word < 12; ++word) {
        if (word % 3 == 0)
            Doc().InsertObject(PictureObject());
        Type(word % 5 == 4 ? "ord\n" : "ord ");
    }
    const HWND window = Doc().Handle();
    RECT client;
    ::GetClientRect(window, &client);
    const auto screen = [&] {
        auto shot = std::make_unique<fw::DibSection>(client.right, client.bottom);
        fw::WindowDC dc(window);
        ::BitBlt(shot->DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ::GdiFlush();
        return shot;
    };
    // A letter in a line, one that wraps a word on, the two taken back, a line break taken away.
    for (const char* edit : {"{Up}{Left}x", "xxxxxxxx", "{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}", "{Home}{Down}{BS}"}) {
        Type(edit);
        const auto edited = screen();
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const auto whole = screen();
        int differing = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                differing += edited->Pixel(x, y) != whole->Pixel(x, y) ? 1 : 0;
        EXPECT_EQ(0, differing) << edit << ": " << Document();
    }
}

TEST_F(DocumentWindow, NegationCrossesTheSymbolAndLargePicturesGrow)
{
    Doc().InsertObject(PictureObject());
    Type("\n{F7}");
    EXPECT_EQ(1, Model().images_[0].crossed_);
    auto canvas = Paint(RGB(255, 255, 255));
    const RECT box = Model().items_[0].pictureBox_;
    EXPECT_EQ(RGB(127, 127, 127), canvas->Pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2));

    const int width = box.right - box.left;
    Doc().ToggleLargePicture();
    EXPECT_EQ(1, Model().items_[0].large_);
    const RECT client = Doc().ClientRect();
    EXPECT_EQ((client.right - client.left) * 2 / 5, Model().items_[0].pictureBox_.right - Model().items_[0].pictureBox_.left);
    EXPECT_GT(Model().items_[0].pictureBox_.right - Model().items_[0].pictureBox_.left, width);

    // With two pictures a row ("2") nothing is shown large.
    settings->imageSize_ = 0;
    Doc().Refresh();
    beeps = 0;
    Doc().ToggleLargePicture();
    EXPECT_EQ(1, beeps);
}

TEST_F(DocumentWindow, PagesFollowTheCaretAndTheMainWindowIsTold)
{
    for (int line = 0; line < 14; ++line)
        Type("ab\n");
    EXPECT_EQ(1, Model().lastPage_);
    EXPECT_EQ(1, host->scrollerCurrent_);
    EXPECT_EQ(1, host->scrollerLast_);
    Type("{PgUp}");
    EXPECT_EQ(0, host->scrollerCurrent_);
    EXPECT_EQ(0, Model().caret_);

    // A click on the second line's last letter.
    const RECT b = Model().items_[4].textBox_;
    ::SendMessageA(Doc().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.left + 2, b.top + 2));
    EXPECT_EQ(4, Model().caret_);
    EXPECT_EQ(::GetFocus(), Doc().Handle());
}

TEST_F(DocumentWindow, TheDocumentPrintsIntoAPdfAndThePageEndShowsOnScreen)
{
    testsupport::TempFolder output;
    testsupport::TestPrinter printer(output.Path());
    ASSERT_EQ("", printer.Error());
    HDC dc = printer.CreateDC();
    ASSERT_NE(nullptr, dc);
    host->SetPrinter(dc);

    Doc().InsertText("Hej ");
    Doc().InsertObject(PictureObject());
    for (int line = 0; line < 30; ++line)
        Doc().InsertText("rad\n");
    ASSERT_GE(Model().lastPrintPage_, 1);
    const DocItem& printedPicture = Model().printItems_[4];
    ASSERT_TRUE(printedPicture.IsPicture());

    // On screen: the dashed line under the last line of the first printed page.
    int marker = -1;
    for (int page = 0; page <= Model().lastPage_ && marker < 0; ++page) {
        Model().currentPage_ = page;
        marker = Model().PageEndMarkerY();
    }
    ASSERT_GE(marker, 0);
    auto canvas = Paint(RGB(255, 255, 255));
    EXPECT_GT(CountNot(*canvas, RGB(255, 255, 255), RECT{0, marker, Doc().ClientRect().right, marker + 1}), 100);

    printer.ClearOutput();
    DOCINFOA job{sizeof(job), "Morvel", nullptr, nullptr, 0};
    ASSERT_GT(::StartDocA(dc, &job), 0);
    Doc().PrintDocument(dc);
    ASSERT_GT(::EndDoc(dc), 0);
    ASSERT_TRUE(printer.WaitForJob());
    const std::vector<testsupport::PrintedPage> pages = printer.Pages();
    ASSERT_EQ(static_cast<size_t>(Model().lastPrintPage_ + 1), pages.size());

    // The picture where the print layout put it, in the page's own pixels (the printer cannot print
    // on its outer 75 pixels; the rendering has its own resolution).
    const int offset = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
    const double scale = printer.Dpi() / static_cast<double>(::GetDeviceCaps(dc, LOGPIXELSX));
    const RECT box = printedPicture.pictureBox_;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    for (const POINT& quarter : {POINT{1, 1}, POINT{3, 1}, POINT{1, 3}, POINT{3, 3}}) {
        const int x = box.left + width * quarter.x / 4;
        const int y = box.top + height * quarter.y / 4;
        const COLORREF want = fixtures::QuadrantAt(fixtures::kQuadrants, x - box.left, y - box.top, width, height);
        const COLORREF got = pages[0].Pixel(static_cast<int>((x + offset) * scale), static_cast<int>((y + offset) * scale));
        EXPECT_TRUE(fixtures::Near(want, got, 40)) << fixtures::Describe(got) << " for " << fixtures::Describe(want);
    }
    // The text of the first line is there, left of the picture; the second page has its lines.
    const RECT text = Model().printItems_[0].textBox_;
    int dark = 0;
    for (int y = text.top; y < text.bottom; y += 2) {
        for (int x = text.left; x < printedPicture.textBox_.left; x += 2) {
            const POINT at{static_cast<LONG>((x + offset) * scale), static_cast<LONG>((y + offset) * scale)};
            dark += GetRValue(pages[0].Pixel(at.x, at.y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 5);

    host->SetPrinter(nullptr);
    ::DeleteDC(dc);
}

TEST_F(DocumentWindow, AJapaneseProgramWritesTheScreenInShiftJis)
{
    MorvelEnvironment japanese = config.Environment();
    japanese.applicationName = "Morvel.Japanese";
    Open(japanese);
    LOGFONTA font{};
    ASSERT_TRUE(::GetObjectA(Doc().ScreenFont(), sizeof(font), &font));
    EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);

    testsupport::TempFolder output;
    testsupport::TestPrinter printer(output.Path());
    ASSERT_EQ("", printer.Error());
    HDC dc = printer.CreateDC();
    host->SetPrinter(dc);
    ASSERT_TRUE(::GetObjectA(Doc().PrinterFont(), sizeof(font), &font));
    EXPECT_EQ(ANSI_CHARSET, font.lfCharSet);
    host->SetPrinter(nullptr);
    ::DeleteDC(dc);
}
