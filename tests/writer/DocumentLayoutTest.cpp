// The layout of a document as tables of measured widths: where lines wrap and pages end, the boxes
// of characters and pictures, the picture sizes, the screen and paper sizes, and the items themselves
// (copies, moves, hit test).
#include "DocumentText.h"
#include "MorvelConfig.h"
#include "writer/DocumentLayout.h"
#include "writer/DocumentMetrics.h"
#include "writer/PrintableArea.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>
#include <map>

using doctext::Items;
using doctext::Lines;

namespace {

// Picture 0 square, 1 wide (4:3), 2 tall (3:4), 3 wide with a caption, 4 not loaded with a caption,
// 5 not loaded without one; any other number has no object.
SymbolShape Shape(int number)
{
    SymbolShape shape;
    shape.known = number >= 0 && number <= 5;
    shape.hasPicture = number <= 3;
    const std::map<int, SIZE> sizes = {{0, {10, 10}}, {1, {400, 300}}, {2, {300, 400}}, {3, {400, 300}}};
    if (sizes.count(number))
        shape.picture = sizes.at(number);
    if (number == 3 || number == 4)
        shape.caption = "hund";
    return shape;
}

std::string LaidOut(const std::string& description, const LayoutFrame& frame = doctext::TestFrame())
{
    std::vector<DocItem> items = Items(description);
    LayOutItems(items, 0, frame, doctext::TableMeasurer(), Shape);
    return Lines(items);
}

} // namespace

// Characters are 10 wide and spaces 5; a line holds what ends left of 100 with the caret's gap.
TEST(DocumentLayout, LinesWrapAfterWordsAndPagesEndWhenALineDoesNotFit)
{
    const struct {
        const char* document;
        const char* lines;
    } cases[] = {
        {"", "$"},
        {"aaa bbb", "aaa bbb$"},
        {"aaa bbb ccc", "aaa bbb ~/ccc$"},
        // A word longer than the line breaks hard at the edge, also after it wrapped once.
        {"aaaaaaaaaaaa", "aaaaaaaaa/aaa$"},
        {"x aaaaaaaaaaaa", "x ~/aaaaaaaaa/aaa$"},
        // After '-', ',' and the other break characters as after a space.
        {"aaaaaaa-bbb", "aaaaaaa-~/bbb$"},
        {"aaaaaaa,bbb", "aaaaaaa,~/bbb$"},
        {"aaaaaaa.bbb", "aaaaaaa.~/bbb$"},
        {"aaaaaaa!bbb", "aaaaaaa!~/bbb$"},
        {"aaaaaaa?bbb", "aaaaaaa?~/bbb$"},
        {"aaaaaaa;bbb", "aaaaaaa;b/bb$"},
        // A space at the edge stays at the end of its line.
        {"aaaaaaaaa bbb", "aaaaaaaaa ~/bbb$"},
        // A picture may start a line by itself, and a line may break after one.
        {"aaaaaaa{0}", "aaaaaaa~/{0}$"},
        {"aa{0}{0}{0}", "aa{0}{0}~/{0}$"},
        {"{0}{0}aaaaa", "{0}{0}~/aaaaa$"},
        {"ab\ncd", "ab$/cd$"},
        {"\n\n", "$/$/$"},
        {"a\nb\nc\nd\ne", "a$/b$/c$/d$//e$"},
        {"aaa bbb ccc ddd eee fff ggg hhh", "aaa bbb ~/ccc ddd ~/eee fff ~/ggg hhh$"},
        {"aaa bbb ccc ddd eee fff ggg hhh iii", "aaa bbb ~/ccc ddd ~/eee fff ~/ggg hhh ~//iii$"},
        // The soft breaks of an earlier pass go before the items flow again.
        {"aaa~bbb~ccc", "aaabbbccc$"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lines, LaidOut(c.document)) << c.document;
}

TEST(DocumentLayout, CharactersAndPicturesStandOnTheBaselineOfTheirLine)
{
    // 'a', a square picture 30 high (with the descent below it 34), 'b'; then a second line.
    std::vector<DocItem> items = Items("a{0}b\nc");
    LayOutItems(items, 0, doctext::TestFrame(), doctext::TableMeasurer(), Shape);
    const int baseline = 34 - 4;
    for (int k : {0, 1, 2, 3}) {
        EXPECT_EQ(baseline, items[k].baseline_) << k;
        EXPECT_EQ(0, items[k].textBox_.top) << k;
        EXPECT_EQ(34, items[k].textBox_.bottom) << k; // the picture raised the line for 'a' too
    }
    EXPECT_EQ(doctext::Show(RECT{0, 0, 10, 34}), doctext::Show(items[0].textBox_));
    EXPECT_EQ(doctext::Show(RECT{0, 0, 1, baseline}), doctext::Show(items[0].cursorBox_));
    // The picture's box starts a gap and a pixel right of the pen and takes a space beside it.
    EXPECT_EQ(doctext::Show(RECT{12, 0, 10 + 1 + 30 + 5, 34}), doctext::Show(items[1].textBox_));
    EXPECT_EQ(doctext::Show(RECT{12, 0, 42, baseline}), doctext::Show(items[1].pictureBox_));
    // After a picture the pen moves its box's width and the gap.
    EXPECT_EQ(10 + 34 + 1, items[2].textBox_.left);
    // The next line starts the line height and the line gap lower.
    EXPECT_EQ(doctext::Show(RECT{0, 39, 10, 59}), doctext::Show(items[4].textBox_));
    EXPECT_EQ(1, items[4].line_);
    EXPECT_EQ(39 + 20 - 4, items[4].baseline_);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(k, items[k].index_);
}

TEST(DocumentLayout, TheCaretGapFollowsTheFontSizeAndATooWideItemIsNarrowed)
{
    EXPECT_EQ(1, document_metrics::CaretGap(14));
    EXPECT_EQ(3, document_metrics::CaretGap(15));
    LayoutFrame frame = doctext::TestFrame();
    frame.gap = 3;
    std::vector<DocItem> items = Items("ab");
    LayOutItems(items, 0, frame, doctext::TableMeasurer(), Shape);
    EXPECT_EQ(doctext::Show(RECT{10, 0, 13, 16}), doctext::Show(items[1].cursorBox_));

    // A character wider than the line takes the line less the gap and a space.
    std::vector<DocItem> wide = Items("W");
    LayOutItems(wide, 0, doctext::TestFrame(), doctext::TableMeasurer({{' ', 5}, {'W', 500}}), Shape);
    EXPECT_EQ(100 - 1 - 5, wide[0].textBox_.right - wide[0].textBox_.left);
}

TEST(DocumentLayout, PictureSizes)
{
    const struct {
        int number;
        bool large;
        bool largeAllowed;
        int width, height, pictureHeight;
        bool captionOnly;
    } cases[] = {
        {9, false, true, 30, 30, 30, false},  // no object: the square
        {5, false, true, 30, 30, 30, false},  // nothing loaded, no caption: the square
        {4, false, true, 40, 20, 20, true},   // nothing loaded: the caption's extent
        {0, false, true, 30, 34, 30, false},  // the descent below the picture
        {1, false, true, 30, 26, 22, false},  // 4:3 takes w x 3w/4
        {2, false, true, 22, 34, 30, false},  // 3:4 takes 3h/4 x h
        {3, false, true, 30, 34, 30, false},  // with a caption the box stays square
        {1, true, true, 40, 34, 30, false},   // large: two fifths of the width
        {1, true, false, 30, 26, 22, false},  // with two pictures a row nothing is large
    };
    for (const auto& c : cases) {
        DocItem item(c.number);
        item.large_ = c.large ? 1 : 0;
        LayoutFrame frame = doctext::TestFrame();
        frame.largeAllowed = c.largeAllowed;
        const PictureExtent extent = MeasurePicture(item, frame, doctext::TableMeasurer(), Shape);
        EXPECT_EQ(c.width, extent.width) << c.number;
        EXPECT_EQ(c.height, extent.height) << c.number;
        EXPECT_EQ(c.pictureHeight, extent.pictureHeight) << c.number;
        EXPECT_EQ(c.captionOnly, extent.captionOnly) << c.number;
    }
}

TEST(DocumentLayout, TheCaretStaysOnItsItemAndANewItemFollowsTheOneBeforeIt)
{
    std::vector<DocItem> items = Items("aaa bbb ccc");
    LayoutResult result = LayOutItems(items, 0, doctext::TestFrame(), doctext::TableMeasurer(), Shape);
    EXPECT_EQ("|aaa bbb ~ccc", doctext::Describe(items, result.caret));

    // Laid out again the soft break is made anew, and the caret is still on the second 'c'.
    result = LayOutItems(items, 10, doctext::TestFrame(), doctext::TableMeasurer(), Shape);
    EXPECT_EQ("aaa bbb ~c|cc", doctext::Describe(items, result.caret));

    // A new item (no index yet) at the start of the wrapped line: the caret follows the item before
    // it onto the new item, not onto the soft break between them.
    items.insert(items.begin() + 9, DocItem('x'));
    result = LayOutItems(items, 9, doctext::TestFrame(), doctext::TableMeasurer(), Shape);
    EXPECT_EQ("aaa bbb ~|xccc", doctext::Describe(items, result.caret));
    EXPECT_EQ(0, result.lastPage);
}

TEST(DocumentLayout, PaperLeavesASpaceAtTheEdgeAndFivePixelsAfterAPicture)
{
    LayoutFrame paper = document_metrics::PaperFrame(RECT{0, 0, 100, 1000}, doctext::TestFrame());
    EXPECT_EQ(30, paper.pictureSize); // the same share of the width as on screen
    EXPECT_EQ(40, paper.largePictureSize);
    // Letters 12 wide: the eighth ends at 84 + 12, which leaves the caret's gap but not a space.
    const doctext::TableMeasurer measurer({{' ', 5}, {'a', 12}});
    std::vector<DocItem> items = Items("aaaaaaaa");
    LayOutItems(items, 0, doctext::TestFrame(), measurer, Shape);
    EXPECT_EQ("aaaaaaaa$", Lines(items));
    LayOutItems(items, 0, paper, measurer, Shape);
    EXPECT_EQ("aaaaaaa/a$", Lines(items));
    std::vector<DocItem> pictures = Items("{0}{0}");
    LayOutItems(pictures, 0, paper, doctext::TableMeasurer(), Shape);
    EXPECT_EQ(34 + 5, pictures[1].cursorBox_.left);
}

TEST(DocumentMetrics, TheWindowWidthStandsForAnA4Width)
{
    EXPECT_NEAR(1024 * 25.4 / (72 * 210.0), document_metrics::ScreenFontScale(1024, 96), 1e-9);
    EXPECT_NEAR(1024 * 25.4 / (72 * 210.0), document_metrics::ScreenFontScale(1024, 120), 1e-9);

    // Six pictures a row ("6"): just under a sixth of the width less a space beside each picture.
    EXPECT_EQ((745 - 7 * 13 + 5) / 6, document_metrics::PictureSize(745, 500, 6, 13));
    EXPECT_EQ(40, document_metrics::PictureSize(745, 50, 6, 13)); // a low window: its height less the gaps
    EXPECT_EQ(1, document_metrics::PictureSize(10, 500, 6, 13));
    EXPECT_EQ(1, document_metrics::PictureSize(745, 5, 6, 13));
    EXPECT_EQ(298, document_metrics::LargePictureSize(745));
    EXPECT_EQ(2000 * 109 / 745, document_metrics::PrintPictureSize(2000, 109, 745));
    EXPECT_EQ(0, document_metrics::PrintPictureSize(2000, 109, 0));

    // A4 at 300 dpi with the test printer's margins of 75 pixels.
    PrinterGeometry a4{297, 300, 300, 75, 75};
    EXPECT_EQ(doctext::Show(RECT{295 - 75, 295 - 75, 2185 - 75 + 15, 3212 - 75 + 20}), doctext::Show(PrintableRectangle(a4)));
}

TEST(DocumentMetrics, TheFontFollowsTheSettings)
{
    MorvelConfig config;
    Settings settings(config.Environment());
    settings.fontName_ = "Liberation Sans";
    settings.fontSize_ = 28;
    const struct {
        int style;
        int weight;
        bool italic;
    } styles[] = {{0, FW_NORMAL, false}, {1, FW_NORMAL, true}, {10, FW_BOLD, false}, {11, FW_BOLD, true},
                  {5, FW_DONTCARE, false}};
    for (const auto& s : styles) {
        settings.fontStyle_ = s.style;
        const document_metrics::FontSpec font = document_metrics::DocumentFont(settings, 1.72, ANSI_CHARSET);
        EXPECT_EQ(s.weight, font.weight) << s.style;
        EXPECT_EQ(s.italic, font.italic) << s.style;
        EXPECT_EQ(-48, font.height); // 28 x 1.72 = 48.16, truncated
        EXPECT_EQ("Liberation Sans", font.face);
    }
    EXPECT_EQ(SHIFTJIS_CHARSET, document_metrics::DocumentFont(settings, 1, SHIFTJIS_CHARSET).charset);
}

TEST(DocItem, ACopyWaitsForALayoutWhileAMoveIsTheSameItem)
{
    std::vector<DocItem> items = Items("ab{7+}");
    LayOutItems(items, 0, doctext::TestFrame(), doctext::TableMeasurer(), Shape);
    DocItem& picture = items[2];
    picture.compactionMark_ = 1;

    const DocItem copy(picture);
    EXPECT_EQ(-1, copy.index_);
    EXPECT_EQ(7, copy.imageNumber_);
    EXPECT_EQ(1, copy.large_);
    EXPECT_EQ(picture.textBox_.right, copy.textBox_.right);
    EXPECT_EQ(picture.pictureBox_.bottom, copy.pictureBox_.bottom);
    EXPECT_TRUE(::IsRectEmpty(&copy.cursorBox_));
    EXPECT_EQ(0, copy.baseline_);

    DocItem assigned('z');
    assigned = picture;
    EXPECT_EQ(2, assigned.index_);
    EXPECT_EQ(picture.baseline_, assigned.baseline_);
    EXPECT_EQ(picture.cursorBox_.left, assigned.cursorBox_.left);
    EXPECT_EQ(0, assigned.compactionMark_);

    // A growing array moves its items: each keeps its index, so a layout finds the caret's item.
    std::vector<DocItem> grown;
    for (int k = 0; k < 100; ++k) {
        grown.push_back(items[k % 3]);
        grown.back().index_ = k;
    }
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(k, grown[k].index_);
    static_assert(std::is_nothrow_move_constructible<DocItem>::value, "moves must not fall back to copies");

    EXPECT_TRUE(picture.Contains(POINT{picture.textBox_.left, picture.textBox_.bottom}));
    EXPECT_TRUE(picture.Contains(POINT{picture.textBox_.right, picture.textBox_.top}));
    EXPECT_FALSE(picture.Contains(POINT{picture.textBox_.right + 1, picture.textBox_.top}));
    EXPECT_EQ('\0', picture.GetChar());
    EXPECT_EQ('a', items[0].GetChar());
}
