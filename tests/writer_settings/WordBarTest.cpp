// The word-to-picture search bar in a real window, driven by typed characters and keys: searching,
// the strip's pages and mark, writing a picture or the word into the document, and the keys it hands on.
#include "PictureChoiceFixture.h"
#include "framework/Prompt.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include "writer/DocItem.h"
#include "writer/FileIO.h"
#include <gtest/gtest.h>

namespace {

using picturetests::PictureConfig;
using picturetests::PictureHost;
using picturetests::PressKey;
using picturetests::TypeText;
using testsupport::Snapshot;

class WordBar : public testing::Test {
protected:
    void SetUp() override { fw::SetBeepHandler([this] { ++beeps_; }); }
    void TearDown() override { fw::SetBeepHandler(nullptr); }

    HWND Word() { return bar_.Item(IDC_WORD_BAR_WORD); }
    HWND FocusButton() { return bar_.Item(IDC_WORD_BAR_FOCUS); }
    std::vector<std::string> Labels()
    {
        std::vector<std::string> labels;
        for (int hit = 0; hit < bar_.GetHitCount(); ++hit)
            labels.push_back(bar_.Hit(hit).label_);
        return labels;
    }
    // Types the word into the bar and presses Enter.
    void Search(const std::string& word)
    {
        bar_.ResetHits();
        TypeText(Word(), word);
        PressKey(Word(), VK_RETURN);
    }

    PictureConfig pictures_;
    PictureHost host_{pictures_.UserSettings()};
    WTIDlg& bar_ = host_.CreateWordBar();
    int beeps_ = 0;
};

} // namespace

TEST_F(WordBar, FindsEveryPictureWhoseWordHoldsTheTypedWord)
{
    EXPECT_EQ("Skriv s\xF6kord och tryck p\xE5 <Enter>.", testsupport::Text(bar_, IDC_WORD_BAR_PROMPT));
    EXPECT_FALSE(testsupport::IsVisible(bar_, IDC_WORD_BAR_MORE));
    Search("hus");
    EXPECT_EQ("hus", testsupport::Text(bar_, IDC_WORD_BAR_WORD));
    // Base order; the word entry last.
    EXPECT_EQ((std::vector<std::string>{"hus", "hus", "husvagn", ""}), Labels());
    EXPECT_EQ("A201", bar_.Hit(0).code_);
    EXPECT_EQ(0, bar_.MarkedHit());
    EXPECT_EQ(::GetFocus(), FocusButton());
    // The shown pictures are decoded after the key, between the user's keys.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return bar_.ShownPicturesLoaded(); }));
    EXPECT_TRUE(bar_.Hit(0).HasPicture());
    EXPECT_TRUE(bar_.Hit(2).HasPicture());
    Snapshot(host_.Handle(), "wordbar_hits");

    testsupport::Check(bar_, IDC_WORD_BAR_EXACT, true);
    EXPECT_EQ(::GetFocus(), Word()) << "the check box gives the word the focus";
    PressKey(Word(), VK_RETURN);
    EXPECT_EQ((std::vector<std::string>{"hus", "hus", ""}), Labels());
}

TEST_F(WordBar, EnterOnAPictureWritesItWithItsSoundAndSelectsTheWord)
{
    pictures_.UserSettings().speechEngine_ = 0;
    Search("HUND");
    ASSERT_EQ(3, bar_.GetHitCount());
    PressKey(FocusButton(), VK_RETURN);
    ASSERT_EQ(1u, host_.insertedObjects_.size());
    EXPECT_EQ("A101", host_.insertedObjects_[0].code_);
    EXPECT_EQ(pictures_.BaseSoundFolder() + "\\101.wav", host_.insertedObjects_[0].soundPath_)
        << "without speech the picture brings its sound";
    // The word stays, wholly selected, so that the next typing replaces it.
    EXPECT_EQ(::GetFocus(), Word());
    DWORD start = 1, end = 0;
    ::SendMessageA(Word(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);
    EXPECT_EQ(-1, bar_.MarkedHit());
    TypeText(Word(), "katt");
    EXPECT_EQ("katt", testsupport::Text(bar_, IDC_WORD_BAR_WORD));
}

TEST_F(WordBar, TheLastHitWritesTheWordAsTypedWithASpace)
{
    // The document keeps '<' and '>' as text: the word reaches it as typed and reads back the same.
    Search("<End>");
    ASSERT_EQ(1, bar_.GetHitCount());
    PressKey(FocusButton(), VK_RETURN);
    ASSERT_EQ((std::vector<std::string>{"<End> "}), host_.insertedTexts_);

    FileIO fileIO(pictures_.Config().Environment());
    std::vector<DocItem> items{DocItem('a')};
    for (char c : host_.insertedTexts_[0])
        items.emplace_back(c);
    items.emplace_back('b');
    items.emplace_back('\n');
    const std::string path = pictures_.Config().Temp() / "1.txt";
    ASSERT_EQ(1, fileIO.WriteDocument(items, {}, path));
    std::vector<DocItem> back;
    std::vector<CKvoraObject> images;
    ASSERT_EQ(FileIO::kRead, fileIO.ReadDocument(back, images, path));
    std::string read;
    for (const DocItem& item : back)
        read += item.GetChar();
    EXPECT_EQ("a<End> b", read);
}

TEST_F(WordBar, ArrowsMoveTheCaretInTheWordAndTheMarkInTheStrip)
{
    TypeText(Word(), "hu");
    ::SendMessageA(Word(), EM_SETSEL, 2, 2);
    PressKey(Word(), VK_LEFT);
    PressKey(Word(), VK_LEFT);
    PressKey(Word(), VK_LEFT);
    DWORD start = 9, end = 9;
    ::SendMessageA(Word(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, end) << "not before the start";
    PressKey(Word(), VK_RIGHT);
    ::SendMessageA(Word(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(1u, end);

    PressKey(Word(), VK_RETURN);
    const int hits = bar_.GetHitCount();
    PressKey(FocusButton(), VK_LEFT);
    EXPECT_EQ(1, beeps_) << "Left on the first hit of page 1";
    for (int i = 1; i < hits; ++i)
        PressKey(FocusButton(), VK_RIGHT);
    EXPECT_EQ(hits - 1, bar_.MarkedHit());
    PressKey(FocusButton(), VK_RIGHT);
    EXPECT_EQ(2, beeps_);
    PressKey(FocusButton(), VK_RETURN);
    EXPECT_EQ((std::vector<std::string>{"hu "}), host_.insertedTexts_);
}

TEST_F(WordBar, PlusPagesThroughMoreHitsThanCells)
{
    // A narrow bar: fewer cells than the 7 hits of "h" (six pictures and the word).
    RECT own = bar_.Self().WindowRect();
    const RECT word = bar_.Item(IDC_WORD_BAR_WORD).RectInParent();
    bar_.Place(RECT{0, 0, word.right + 5 + 3 * 60 + 40, own.bottom - own.top});
    const int cells = static_cast<int>(bar_.Cells().size());
    ASSERT_GT(cells, 0);
    Search("h");
    ASSERT_EQ(7, bar_.GetHitCount());
    ASSERT_LT(cells, 7);
    EXPECT_TRUE(testsupport::IsVisible(bar_, IDC_WORD_BAR_MORE));
    testsupport::Click(bar_, IDC_WORD_BAR_MORE);
    EXPECT_EQ(cells, bar_.FirstShownHit());
    EXPECT_EQ(cells, bar_.MarkedHit());
    testsupport::PumpUntil([&] { return bar_.ShownPicturesLoaded(); });
    Snapshot(host_.Handle(), "wordbar_page2");
    for (int i = 0; i < 8; ++i)
        PressKey(FocusButton(), VK_F8);
    EXPECT_EQ(0, bar_.FirstShownHit() % cells);
}

TEST_F(WordBar, ClicksMarkAndDoubleClickWrites)
{
    Search("katt");
    ASSERT_EQ(2, bar_.GetHitCount());
    const RECT cell = bar_.Cells()[1];
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    ::SendMessageA(bar_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(1, bar_.MarkedHit());
    ::SendMessageA(bar_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(bar_.Cells()[0].left + 5, bar_.Cells()[0].top + 5));
    ASSERT_EQ(1u, host_.insertedObjects_.size());
    EXPECT_EQ("A102", host_.insertedObjects_[0].code_);
}

// The bar's Tab and Esc are the main window's (the Tab protocol itself is tested on the real main
// window).
TEST_F(WordBar, TabAndEscInTheBarAreTheMainWindows)
{
    ::SetFocus(Word());
    PressKey(Word(), VK_TAB);
    EXPECT_EQ(1, host_.tabs_);
    PressKey(Word(), VK_ESCAPE);
    EXPECT_EQ(1, host_.exits_);
}

// The bar laid out again keeps the mark; another default image base (the bar attached again) takes
// the hits away with the store they came from, leaving nothing to show, page or write.
TEST_F(WordBar, ARelayoutKeepsTheMarkAndAnotherImageBaseLeavesNoHits)
{
    Search("h");
    PressKey(FocusButton(), VK_RIGHT);
    PressKey(FocusButton(), VK_RIGHT);
    ASSERT_EQ(2, bar_.MarkedHit());
    const RECT own = bar_.Self().WindowRect();
    bar_.Place(RECT{0, 0, own.right - own.left - 40, own.bottom - own.top});
    EXPECT_EQ(2, bar_.MarkedHit());
    PressKey(FocusButton(), VK_RETURN);
    ASSERT_EQ(1u, host_.insertedObjects_.size());
    EXPECT_EQ(bar_.Hit(2).code_, host_.insertedObjects_[0].code_);

    Search("h");
    PressKey(FocusButton(), VK_RIGHT);
    bar_.Attach(&host_, pictures_.ImageBaseIni());
    EXPECT_EQ(-1, bar_.MarkedHit());
    EXPECT_EQ(0, bar_.GetHitCount());
    EXPECT_FALSE(testsupport::IsVisible(bar_, IDC_WORD_BAR_MORE));
    ::UpdateWindow(bar_);
    ::SetFocus(FocusButton());
    PressKey(FocusButton(), VK_F8);
    PressKey(FocusButton(), VK_RIGHT);
    EXPECT_EQ(-1, bar_.MarkedHit());
    EXPECT_EQ(1u, host_.insertedObjects_.size());
}

namespace {

// The rows of a painted cell that hold text: near-black pixels, which neither the white ground nor
// a picture-less cell has.
int TextRows(HWND window, const RECT& cell)
{
    HDC dc = ::GetDC(window);
    int rows = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            const COLORREF pixel = ::GetPixel(dc, x, y);
            if (GetRValue(pixel) < 64 && GetGValue(pixel) < 64 && GetBValue(pixel) < 64) {
                ++rows;
                break;
            }
        }
    }
    ::ReleaseDC(window, dc);
    return rows;
}

} // namespace

// A hit reads at the strip's size: a picture's word in the bar's own font (this one's picture is
// missing, so only the word is drawn), and the last hit shows the word it writes.
TEST_F(WordBar, EachHitShowsItsWordAtAReadableSize)
{
    ::DeleteFileA((pictures_.BasePictureFolder() + "\\201.bmp").c_str());
    Search("hus");
    ASSERT_EQ(4, bar_.GetHitCount());
    testsupport::PumpUntil([&] { return bar_.ShownPicturesLoaded(); });
    ::UpdateWindow(bar_);
    EXPECT_GE(TextRows(bar_, bar_.Cells()[0]), 7) << "the word hus";
    EXPECT_GE(TextRows(bar_, bar_.Cells()[3]), 7) << "the typed word in the last hit";
    Snapshot(host_.Handle(), "wordbar_words");
}
