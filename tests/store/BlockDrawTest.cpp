// Block drawing read back from a memory bitmap: fills on screen and paper, outlines and frames, seams
// of stacked ranges, round corners, fitted pictures, the caption band, the command view, and grids
// with nothing to scale by. Text pixels are never checked: fonts differ between systems.
#include "PictureFixtures.h"
#include "store/Block.h"
#include "support/BmpFile.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <array>
#include <functional>

namespace {

using Cells = std::array<RECT, Block::kCellCount>;

Cells Grid(int width, int height)
{
    Cells cells{};
    for (int row = 0; row < Block::kRows; ++row) {
        for (int column = 0; column < Block::kColumns; ++column)
            cells[static_cast<size_t>(column + Block::kColumns * row)] =
                RECT{column * width, row * height, (column + 1) * width, (row + 1) * height};
    }
    return cells;
}

const COLORREF kCanvas = RGB(0, 128, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const int kCellHeightMm = 30;

// A canvas of the whole grid, filled with green, with the block drawn on it.
class Drawing {
public:
    explicit Drawing(const Cells& cells = Grid(20, 25)) : cells_(cells), canvas_(16 * 40, 8 * 60)
    {
        canvas_.Fill(kCanvas);
    }
    void Draw(const Block& block, int printing = 0, int outlineOnly = 0, const POINT* offset = nullptr)
    {
        block.Draw(canvas_.DC(), cells_.data(), kCellHeightMm, "Arial", 0, printing, outlineOnly, offset);
    }
    COLORREF At(int x, int y) const { return canvas_.Pixel(x, y); }
    // How many pixels of the row from x0 to x1 (inclusive) have the colour.
    int CountInRow(int y, int x0, int x1, COLORREF colour) const
    {
        int count = 0;
        for (int x = x0; x <= x1; ++x)
            count += At(x, y) == colour ? 1 : 0;
        return count;
    }
    // How many pixels inside (or outside) the rectangle no longer have the canvas colour.
    int DrawnPixels(const RECT& r, bool inside) const
    {
        int count = 0;
        for (int y = 0; y < canvas_.Height(); ++y) {
            for (int x = 0; x < canvas_.Width(); ++x) {
                const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                count += in == inside && At(x, y) != kCanvas ? 1 : 0;
            }
        }
        return count;
    }
    const Cells& CellRects() const { return cells_; }
    const fw::DibSection& Canvas() const { return canvas_; }
    HDC DC() const { return canvas_.DC(); }

private:
    Cells cells_;
    fw::DibSection canvas_;
};

// Columns 2-5, rows 1-2: pixels 40-119 across and 25-74 down on the 20 x 25 grid.
Block Button(COLORREF background = kRed)
{
    Block block;
    block.cells_ = {RECT{2, 1, 5, 2}};
    block.backColor_ = background;
    return block;
}

std::string WritePictures(testsupport::TempFolder& folder, std::string& metafile)
{
    const std::string bitmap = folder / "ruta.bmp";
    fixtures::WriteBytes(bitmap, fixtures::QuadrantPicture(40, 30).ToBmpFile());
    metafile = folder / "halvor.wmf";
    fixtures::WriteBytes(metafile, fixtures::MakePlaceable(fixtures::RecordWindowsMetafile(true), 0, 0, 100, 50));
    return bitmap;
}

} // namespace

TEST(BlockDraw, FillOnScreenAndOnPaper)
{
    const COLORREF caption = ::GetSysColor(COLOR_ACTIVECAPTION);
    struct Case {
        const char* what;
        std::function<void(Block&)> make;
        int printing;
        int outlineOnly;
        COLORREF inside;
    };
    const Case cases[] = {
        {"screen, cover", [](Block&) {}, 0, 0, kRed},
        {"screen, transparent", [](Block& b) { b.transparent_ = 1; }, 0, 0, kCanvas},
        {"screen, transparent and selected", [](Block& b) { b.transparent_ = 1; b.selected_ = 1; }, 0, 0, caption},
        {"screen, without cover", [](Block& b) { b.cover_ = 0; }, 0, 0, RGB(255, 255, 255)},
        {"paper, cover", [](Block&) {}, 1, 0, kRed},
        {"paper, cover and selected", [](Block& b) { b.selected_ = 1; }, 1, 0, kRed},
        {"paper, without cover", [](Block& b) { b.cover_ = 0; }, 1, 0, kCanvas},
        {"paper outline, without cover", [](Block& b) { b.cover_ = 0; }, 1, 1, kCanvas},
        {"paper, transparent", [](Block& b) { b.transparent_ = 1; }, 1, 0, kCanvas},
    };
    for (const Case& c : cases) {
        Drawing drawing;
        Block block = Button();
        c.make(block);
        drawing.Draw(block, c.printing, c.outlineOnly);
        EXPECT_EQ(c.inside, drawing.At(80, 50)) << c.what;
        EXPECT_EQ(kCanvas, drawing.At(130, 50)) << c.what;
    }
}

TEST(BlockDraw, OutlineOnScreenOnlyAndNotWhenDimmed)
{
    // The dotted outline runs along the range's top edge, from its left to one pixel short of its right.
    Drawing screen;
    screen.Draw(Button());
    EXPECT_GT(screen.CountInRow(25, 40, 119, RGB(0, 0, 0)), 20);
    EXPECT_GT(screen.CountInRow(25, 40, 119, ::GetSysColor(COLOR_WINDOW)), 20);
    EXPECT_EQ(kRed, screen.At(80, 26));

    Drawing paper;
    paper.Draw(Button(), 1);
    EXPECT_EQ(0, paper.CountInRow(25, 40, 119, RGB(0, 0, 0)));

    testsupport::TempFolder folder;
    Block dimmed = Button();
    dimmed.picturePath_ = folder / "saknas.bmp";
    dimmed.LoadPicture(nullptr, 1, 0);
    ASSERT_EQ(1, dimmed.IsDimmed());
    Drawing faded;
    faded.Draw(dimmed);
    EXPECT_EQ(0, faded.CountInRow(25, 40, 119, RGB(0, 0, 0)));
}

TEST(BlockDraw, FrameWidthIsScaledFromPoints)
{
    // Cells of 40 x 60 pixels; the button spans pixels 80-239 across and 60-179 down.
    Drawing drawing(Grid(40, 60));
    Block block = Button();
    block.frameWidth_ = 4;
    block.frameColor_ = RGB(0, 0, 255);
    const float scale = Block::Scale(drawing.CellRects().data(), kCellHeightMm);
    const int width = static_cast<int>(4 * scale);
    ASSERT_GT(width, 1);
    drawing.Draw(block);
    EXPECT_EQ(RGB(0, 0, 255), drawing.At(80, 120));
    EXPECT_EQ(RGB(0, 0, 255), drawing.At(80 + width - 1, 120));
    EXPECT_EQ(kRed, drawing.At(80 + width, 120));
    EXPECT_EQ(RGB(0, 0, 255), drawing.At(238, 120));
    EXPECT_EQ(RGB(0, 0, 255), drawing.At(160, 60));
    EXPECT_EQ(RGB(0, 0, 255), drawing.At(160, 178));
    EXPECT_EQ(kCanvas, drawing.At(160, 179));

    // A frame of width 1 stays one pixel wide at any scale.
    Drawing thin(Grid(40, 60));
    block.frameWidth_ = 1;
    thin.Draw(block);
    EXPECT_EQ(RGB(0, 0, 255), thin.At(80, 120));
    EXPECT_EQ(kRed, thin.At(81, 120));
}

TEST(BlockDraw, StackedRangesShowNoSeam)
{
    // Columns 0-3 of rows 0-1, and below them columns 0-1 of rows 2-3: the seam is at y = 50.
    Block block;
    block.cells_ = {RECT{0, 0, 3, 1}, RECT{0, 2, 1, 3}};
    block.backColor_ = kRed;
    Drawing drawing;
    drawing.Draw(block);
    for (int x = 2; x <= 37; ++x)
        EXPECT_EQ(kRed, drawing.At(x, 50)) << x;
    // Where the upper range reaches beyond the lower one the outline stays.
    EXPECT_GT(drawing.CountInRow(50, 41, 78, RGB(0, 0, 0)), 5);
    EXPECT_EQ(kRed, drawing.At(60, 40));
    EXPECT_EQ(kRed, drawing.At(20, 80));
    EXPECT_EQ(kCanvas, drawing.At(60, 80));
}

TEST(BlockDraw, RoundFrameLeavesTheCornersOpen)
{
    // Pixels 80-238 across and 60-178 down: corners of a 19-pixel ellipse.
    Block block = Button();
    block.roundFrame_ = 1;
    Drawing drawing(Grid(40, 60));
    drawing.Draw(block);
    EXPECT_EQ(kCanvas, drawing.At(82, 62));
    EXPECT_EQ(kCanvas, drawing.At(236, 176));
    EXPECT_EQ(kRed, drawing.At(160, 120));
    EXPECT_EQ(kRed, drawing.At(160, 62));
    block.roundFrame_ = 0;
    drawing.Draw(block);
    EXPECT_EQ(kRed, drawing.At(82, 62));
}

TEST(BlockDraw, PicturesKeepTheirProportionsInTheMiddle)
{
    testsupport::TempFolder folder;
    std::string metafile;
    const std::string bitmap = WritePictures(folder, metafile);
    auto control = std::make_shared<PictureControl>();

    // 40 x 30 into the box 0,0-79,49: 65 x 49, from x = 7.
    Block wide;
    wide.cells_ = {RECT{0, 0, 3, 1}};
    wide.backColor_ = kYellow;
    wide.picturePath_ = bitmap;
    wide.LoadPicture(control, 0, 0);
    Drawing drawing;
    drawing.Draw(wide);
    EXPECT_EQ("", fixtures::CheckQuadrants(drawing.Canvas(), RECT{7, 0, 72, 49}, fixtures::kQuadrants));
    EXPECT_EQ(kYellow, drawing.At(4, 25));
    EXPECT_EQ(kYellow, drawing.At(75, 25));

    // 100 x 50 into the box 0,0-59,74: 59 x 29, from y = 22.
    Block tall;
    tall.cells_ = {RECT{0, 0, 2, 2}};
    tall.backColor_ = kYellow;
    tall.picturePath_ = metafile;
    tall.LoadPicture(control, 0, 0);
    Drawing second;
    second.Draw(tall);
    EXPECT_EQ(kRed, second.At(15, 36));
    EXPECT_EQ(RGB(0, 0, 255), second.At(45, 36));
    EXPECT_EQ(kYellow, second.At(30, 10));
    EXPECT_EQ(kYellow, second.At(30, 60));
}

// On paper the grid lines go first: a picture from a file, white to its edges, keeps off the lines on
// the block's left and top edges, as it keeps off those on its right and bottom edges.
TEST(BlockDraw, OnPaperAPictureLeavesTheGridLinesOnItsEdges)
{
    testsupport::TempFolder folder;
    auto control = std::make_shared<PictureControl>();
    const struct {
        const char* what;
        int width, height;
    } pictures[] = {{"wide", 400, 20}, {"tall", 20, 400}, {"the box's own shape", 79, 49}};
    for (const auto& p : pictures) {
        const std::string path = folder / (std::string(p.what) + ".bmp");
        testsupport::WriteBmp(path, p.width, p.height, RGB(255, 255, 255));
        Block block = Button();
        block.cover_ = 0;
        block.picturePath_ = path;
        block.LoadPicture(control, 0, 0);
        Drawing paper;
        paper.Draw(block, 1);
        // Columns 40-119 and rows 25-74: the box's middle row and column, and its four edges.
        EXPECT_EQ(kCanvas, paper.At(40, 50)) << p.what << ": left edge";
        EXPECT_EQ(kCanvas, paper.At(80, 25)) << p.what << ": top edge";
        EXPECT_EQ(kCanvas, paper.At(119, 50)) << p.what << ": right edge";
        EXPECT_EQ(kCanvas, paper.At(80, 74)) << p.what << ": bottom edge";
        EXPECT_EQ(RGB(255, 255, 255), paper.At(80, 50)) << p.what;
    }
}

TEST(BlockDraw, LibraryPicturesGetACaptionBand)
{
    testsupport::TempFolder folder;
    std::string metafile;
    const std::string bitmap = WritePictures(folder, metafile);
    auto control = std::make_shared<PictureControl>();
    Block block;
    block.cells_ = {RECT{0, 0, 3, 1}};
    block.picturePath_ = bitmap;
    block.libraryPicture_ = 1;
    // The picture lies at 7,0-72,49; the band runs to 5 pixels short of its right, 7 pixels down.
    for (int dimmed = 0; dimmed <= 1; ++dimmed) {
        block.LoadPicture(control, dimmed, 0);
        Drawing drawing;
        drawing.Draw(block);
        const COLORREF band = dimmed ? RGB(0x7F, 0x7F, 0x7F) : RGB(0, 0, 0);
        EXPECT_EQ(band, drawing.At(8, 1)) << dimmed;
        EXPECT_EQ(band, drawing.At(66, 6)) << dimmed;
        EXPECT_NE(band, drawing.At(69, 3)) << dimmed;
        EXPECT_NE(band, drawing.At(20, 8)) << dimmed;
    }
}

TEST(BlockDraw, OffsetMovesTheWholeBlock)
{
    Drawing drawing;
    const POINT offset{100, 50};
    drawing.Draw(Button(), 1, 0, &offset);
    EXPECT_EQ(kRed, drawing.At(180, 100));
    EXPECT_EQ(kCanvas, drawing.At(80, 50));
}

TEST(BlockDraw, CommandViewFillsTheRangesAndWrapsLongCommands)
{
    Block block = Button();
    block.cells_.push_back(RECT{2, 3, 7, 3});
    block.command_ = std::string(1000, 'x') + "<Return>";
    Drawing drawing;
    block.DrawCommand(drawing.DC(), drawing.CellRects().data(), 0);
    EXPECT_EQ(RGB(255, 255, 255), drawing.At(41, 26));
    EXPECT_EQ(RGB(255, 255, 255), drawing.At(41, 76));
    EXPECT_EQ(kCanvas, drawing.At(130, 50));

    block.selected_ = 1;
    block.command_ = "<Paus0.5><Return>";
    block.DrawCommand(drawing.DC(), drawing.CellRects().data(), 0);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), drawing.At(41, 26));
}

TEST(BlockDraw, GridsWithoutSizeDrawWithoutFailing)
{
    const Cells empty{};
    const Cells flat = Grid(20, 0);
    const Cells narrow = Grid(0, 25);
    Block block = Button();
    block.text_ = "En text som inte får plats någonstans";
    block.fontName_ = "Arial";
    block.fontSize_ = 12;
    block.frameWidth_ = 5;
    Block automatic = Button();
    automatic.text_ = block.text_;
    // A grid without size has no pixel to draw on: the drawings end, and the canvas stays as it was.
    fw::DibSection canvas(100, 100);
    canvas.Fill(kCanvas);
    for (const Cells* cells : {&empty, &flat, &narrow}) {
        for (int height : {0, kCellHeightMm}) {
            block.Draw(canvas.DC(), cells->data(), height, "Arial", 0, 0, 0, nullptr);
            automatic.Draw(canvas.DC(), cells->data(), height, "Arial", 1, 1, 1, nullptr);
        }
        block.DrawCommand(canvas.DC(), cells->data(), 0);
        int drawn = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                drawn += canvas.Pixel(x, y) != kCanvas ? 1 : 0;
        EXPECT_EQ(0, drawn) << (cells == &empty ? "empty" : cells == &flat ? "flat" : "narrow");
        canvas.Fill(kCanvas);
    }
    // A block with a range outside the grid draws its other ranges only.
    Block outside = Button();
    outside.cells_.push_back(RECT{14, 7, 16, 8});
    Drawing drawing;
    drawing.Draw(outside);
    outside.DrawCommand(drawing.DC(), drawing.CellRects().data(), 0);
    EXPECT_EQ(RGB(255, 255, 255), drawing.At(80, 50));
}

TEST(BlockDraw, TheAutomaticFontShrinksUntilTheTextFits)
{
    // Columns 2-5 of rows 1-2 on the 40 x 60 grid: the box is pixels 80-239 across and 60-179 down.
    // Printed without a background only the text's own pixels are drawn, so where they fall shows
    // where the text went, whatever the font looks like.
    const RECT box{80, 60, 240, 180};
    Block text = Button();
    text.transparent_ = 1;
    for (int i = 0; i < 16; ++i)
        text.text_ += "ordlista ";
    // At the size the automatic font starts from, the text runs out of the box.
    int startSize = 0;
    Drawing grid(Grid(40, 60));
    text.FontSize(startSize, grid.CellRects().data(), kCellHeightMm);
    ASSERT_GT(startSize, 0);
    Block unshrunk = text;
    unshrunk.fontName_ = "Arial";
    unshrunk.fontSize_ = startSize;
    Drawing large(Grid(40, 60));
    large.Draw(unshrunk, 1);
    EXPECT_GT(large.DrawnPixels(box, false), 0);
    // Shrunk, the whole text stands inside it.
    Drawing fitted(Grid(40, 60));
    fitted.Draw(text, 1);
    EXPECT_GT(fitted.DrawnPixels(box, true), 0);
    EXPECT_EQ(0, fitted.DrawnPixels(box, false));

    // However long the text, the shrinking ends; the text then overflows.
    Block block;
    block.cells_ = {RECT{0, 0, 0, 0}};
    for (int i = 0; i < 50; ++i)
        block.text_ += "ordlista ";
    Drawing drawing;
    drawing.Draw(block);
    block.textPosition_ = Block::kBottom;
    drawing.Draw(block);
    block.textPosition_ = Block::kTop;
    block.centred_ = 0;
    drawing.Draw(block);
    EXPECT_EQ(kCanvas, drawing.At(100, 100));
}
