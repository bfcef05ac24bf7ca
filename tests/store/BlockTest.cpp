// The block record: its defaults, what copies carry, merging, hit tests, the automatic font size and
// loading its picture.
#include "ImageBaseFiles.h"
#include "PictureFixtures.h"
#include "framework/Cursor.h"
#include "library/Dib.h"
#include "store/Block.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <array>

namespace {

// A grid of 20 x 25 pixel cells from the top-left corner.
std::array<RECT, Block::kCellCount> Grid(int width = 20, int height = 25)
{
    std::array<RECT, Block::kCellCount> cells{};
    for (int row = 0; row < Block::kRows; ++row) {
        for (int column = 0; column < Block::kColumns; ++column)
            cells[static_cast<size_t>(column + Block::kColumns * row)] =
                RECT{column * width, row * height, (column + 1) * width, (row + 1) * height};
    }
    return cells;
}

struct Pictures {
    testsupport::TempFolder folder;
    std::string bitmap = folder / "bilder\\ruta.bmp";
    std::string metafile = folder / "bilder\\halvor.wmf";
    std::shared_ptr<PictureControl> control = std::make_shared<PictureControl>();

    Pictures()
    {
        ::CreateDirectoryA((folder / "bilder").c_str(), nullptr);
        fixtures::WriteBytes(bitmap, fixtures::QuadrantPicture(40, 30).ToBmpFile());
        fixtures::WriteBytes(metafile, fixtures::MakePlaceable(fixtures::RecordWindowsMetafile(true), 0, 0, 100, 50));
    }
};

Block WithPicture(const std::string& path)
{
    Block block;
    block.cells_ = {RECT{0, 0, 3, 1}};
    block.picturePath_ = path;
    return block;
}

} // namespace

TEST(Block, NewBlockHoldsTheDefaults)
{
    const Block block;
    EXPECT_EQ(-1, block.id_);
    EXPECT_EQ(0, block.selected_);
    EXPECT_TRUE(block.cells_.empty());
    EXPECT_EQ(0, block.textPosition_);
    EXPECT_EQ(0, block.frameWidth_);
    EXPECT_EQ(1, block.centred_);
    EXPECT_EQ(RGB(0, 0, 0), block.textColor_);
    EXPECT_EQ(RGB(255, 255, 255), block.backColor_);
    EXPECT_EQ(RGB(0, 0, 0), block.frameColor_);
    EXPECT_EQ(1, block.cover_);
    EXPECT_EQ(0, block.transparent_);
    EXPECT_EQ(0, block.ownFont_);
    EXPECT_EQ(0, block.fontStyle_);
    EXPECT_EQ(0, block.fontSize_);
    EXPECT_EQ(0, block.roundFrame_);
    EXPECT_EQ(0, block.libraryPicture_);
    EXPECT_FALSE(block.HasPicture());
    EXPECT_EQ(0, block.IsDimmed());
}

TEST(Block, CopiesNeverShareTheLoadedPicture)
{
    Pictures pictures;
    Block original = WithPicture(pictures.bitmap);
    original.id_ = 4;
    original.selected_ = 1;
    original.libraryPicture_ = 1;
    original.text_ = "sol";
    original.LoadPicture(pictures.control, 1, 0);
    ASSERT_TRUE(original.HasPicture());

    const Block copy(original);
    EXPECT_FALSE(copy.HasPicture());
    EXPECT_EQ(0, copy.IsDimmed());
    EXPECT_EQ(4, copy.id_);
    EXPECT_EQ(1, copy.selected_);
    EXPECT_EQ(1, copy.libraryPicture_);
    EXPECT_EQ("sol", copy.text_);

    // Assignment takes the stored values and leaves the target's own picture and dimmed flag.
    Block target = WithPicture(pictures.metafile);
    target.LoadPicture(pictures.control, 0, 0);
    ASSERT_NE(nullptr, target.GetMetafile());
    target = original;
    EXPECT_EQ(pictures.bitmap, target.picturePath_);
    ASSERT_NE(nullptr, target.GetMetafile());
    EXPECT_TRUE(target.GetMetafile()->IsLoaded());
    EXPECT_EQ(0, target.IsDimmed());
    EXPECT_EQ(nullptr, target.GetDib());

    // An array that grows or closes a gap moves its blocks with their pictures.
    std::vector<Block> blocks;
    blocks.push_back(Block());
    blocks.push_back(original);
    blocks.back().LoadPicture(pictures.control, 0, 0);
    for (int i = 0; i < 40; ++i)
        blocks.push_back(Block());
    blocks.erase(blocks.begin());
    EXPECT_TRUE(blocks[0].HasPicture());
    EXPECT_EQ(40, DibWidth(blocks[0].GetDib()));
}

TEST(Block, ResetAndTheCopyOperations)
{
    Block source;
    source.cells_ = {RECT{1, 1, 2, 2}};
    source.command_ = "<Return>";
    source.repeat_ = 1;
    source.text_ = "hej";
    source.picturePath_ = "C:\\b.bmp";
    source.pictureCode_ = "A1";
    source.backColor_ = RGB(1, 2, 3);
    source.frameWidth_ = 4;
    source.fontName_ = "Arial";
    source.ownFont_ = 1;
    source.roundFrame_ = 1;

    Block command;
    command.CopyCommand(source);
    EXPECT_EQ("<Return>", command.command_);
    EXPECT_EQ(1, command.repeat_);
    EXPECT_EQ(1u, command.cells_.size());
    EXPECT_EQ("", command.text_);

    Block layout;
    layout.CopyLayout(source);
    EXPECT_TRUE(layout.cells_.empty());
    EXPECT_EQ("", layout.command_);
    EXPECT_EQ("hej", layout.text_);
    EXPECT_EQ("A1", layout.pictureCode_);
    EXPECT_EQ(RGB(1, 2, 3), layout.backColor_);
    EXPECT_EQ(1, layout.roundFrame_);

    // The look of a library picture is its own: only the round frame passes on.
    Block appearance;
    source.libraryPicture_ = 1;
    appearance.CopyAppearance(source);
    EXPECT_EQ(RGB(255, 255, 255), appearance.backColor_);
    EXPECT_EQ(1, appearance.roundFrame_);
    source.libraryPicture_ = 0;
    appearance.CopyAppearance(source);
    EXPECT_EQ(RGB(1, 2, 3), appearance.backColor_);
    EXPECT_EQ(4, appearance.frameWidth_);
    EXPECT_EQ("", appearance.text_);
    EXPECT_EQ("", appearance.picturePath_);

    EXPECT_EQ(2, command.CopyCells({RECT{0, 0, 0, 0}, RECT{5, 5, 6, 6}}));
    EXPECT_EQ(5, command.cells_[1].left);

    command.Reset();
    EXPECT_TRUE(command.cells_.empty());
    EXPECT_EQ("", command.command_);
    EXPECT_EQ(-1, command.id_);
}

TEST(Block, HitTestCoversTheRangesWithTheirBounds)
{
    Block block;
    block.cells_ = {RECT{2, 1, 4, 2}, RECT{2, 3, 3, 3}};
    EXPECT_EQ(1, block.HitTest(POINT{2, 1}));
    EXPECT_EQ(1, block.HitTest(POINT{4, 2}));
    EXPECT_EQ(1, block.HitTest(POINT{3, 3}));
    EXPECT_EQ(0, block.HitTest(POINT{4, 3}));
    EXPECT_EQ(0, block.HitTest(POINT{1, 1}));
}

TEST(Block, ResizeHandlesOfAOneRangeBlock)
{
    const auto cells = Grid();
    Block block;
    block.cells_ = {RECT{1, 1, 2, 2}}; // pixels 20,25 to 60,75
    struct Case {
        int x, y, handle;
    };
    const Case cases[] = {
        {26, 28, fw::kTopLeft},   {27, 28, fw::kTopEdge},  {20, 25, fw::kNoHandle},
        {21, 26, fw::kTopLeft},   {59, 26, fw::kTopRight}, {21, 74, fw::kBottomLeft},
        {54, 69, fw::kBottomRight}, {40, 74, fw::kBottomEdge}, {21, 50, fw::kLeftEdge},
        {55, 50, fw::kRightEdge}, {40, 50, fw::kNoHandle}, {60, 50, fw::kNoHandle},
        {21, 31, fw::kTopLeft},   {21, 32, fw::kLeftEdge},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.handle, block.HitTestHandle(POINT{c.x, c.y}, cells.data())) << c.x << "," << c.y;

    block.cells_.push_back(RECT{1, 3, 1, 3});
    EXPECT_EQ(fw::kNoHandle, block.HitTestHandle(POINT{26, 28}, cells.data()));
    block.cells_.clear();
    EXPECT_EQ(fw::kNoHandle, block.HitTestHandle(POINT{26, 28}, cells.data()));
}

TEST(Block, AutomaticFontSize)
{
    const auto cells = Grid(20, 25);
    Block block;
    block.cells_ = {RECT{0, 0, 5, 1}}; // 120 x 50 pixels
    block.text_ = "Hej";
    const float scale = 30 * 25 / 1828.8f;
    int size = 0;
    block.FontSize(size, cells.data(), 30);
    EXPECT_EQ(static_cast<int>(16 / scale), size);

    // One character without a picture fills half the height.
    block.text_ = "A";
    block.FontSize(size, cells.data(), 30);
    EXPECT_EQ(static_cast<int>(25 / scale), size);
    block.picturePath_ = "C:\\sol.bmp";
    block.FontSize(size, cells.data(), 30);
    EXPECT_EQ(static_cast<int>(16 / scale), size);

    block.cells_.push_back(RECT{0, 2, 0, 2});
    block.FontSize(size, cells.data(), 30);
    EXPECT_EQ(-1, size);
    // A grid without height has nothing to scale by.
    block.cells_.pop_back();
    block.FontSize(size, cells.data(), 0);
    EXPECT_EQ(-1, size);
    const auto flat = Grid(20, 0);
    block.FontSize(size, flat.data(), 30);
    EXPECT_EQ(-1, size);
}

TEST(Block, LoadsBitmapsThroughTheControlAndMetafilesDirectly)
{
    Pictures pictures;
    Block bitmap = WithPicture(pictures.bitmap);
    bitmap.LoadPicture(pictures.control, 0, 0);
    ASSERT_NE(nullptr, bitmap.GetDib());
    EXPECT_EQ(40, bitmap.GetPictureSize().right);
    EXPECT_EQ(30, bitmap.GetPictureSize().bottom);
    EXPECT_EQ("", fixtures::CheckDibQuadrants(bitmap.GetDib(), fixtures::kQuadrants));
    // A picture of more colours than a palette holds has none.
    EXPECT_EQ(nullptr, bitmap.GetPalette());

    Block metafile = WithPicture(pictures.metafile);
    metafile.LoadPicture(pictures.control, 0, 0);
    EXPECT_EQ(nullptr, metafile.GetDib());
    ASSERT_NE(nullptr, metafile.GetMetafile());
    EXPECT_EQ(100, metafile.GetPictureSize().right);
    EXPECT_EQ(50, metafile.GetPictureSize().bottom);

    // Dimmed, a metafile comes as a faded bitmap: red fades toward white, keeping its hue.
    metafile.LoadPicture(pictures.control, 1, 0);
    ASSERT_NE(nullptr, metafile.GetDib());
    EXPECT_EQ(1, metafile.IsDimmed());
    EXPECT_EQ(nullptr, metafile.GetMetafile());
    const std::uint32_t fade = PixelImage::Fade(0xFF0000, 100);
    const COLORREF expected = RGB(fade >> 16 & 0xFF, fade >> 8 & 0xFF, fade & 0xFF);
    EXPECT_NE(RGB(255, 0, 0), expected);
    EXPECT_EQ(expected, fixtures::DibPixel(metafile.GetDib(), 5, 5));
}

TEST(Block, AMissingPictureLeavesNoneAndAnEmptyPathKeepsTheDimmedFlag)
{
    Pictures pictures;
    Block block = WithPicture(pictures.folder / "bilder\\saknas.bmp");
    block.LoadPicture(pictures.control, 1, 0);
    EXPECT_FALSE(block.HasPicture());
    EXPECT_EQ(0, block.GetPictureSize().right);

    Block empty = WithPicture(pictures.bitmap);
    empty.LoadPicture(pictures.control, 1, 0);
    empty.picturePath_.clear();
    empty.LoadPicture(pictures.control, 0, 0);
    EXPECT_FALSE(empty.HasPicture());
    EXPECT_EQ(1, empty.IsDimmed());

    // Without a control only metafiles load.
    Block noControl = WithPicture(pictures.bitmap);
    noControl.LoadPicture(nullptr, 0, 0);
    EXPECT_FALSE(noControl.HasPicture());
}

TEST(Block, ARelativePictureGetsItsFullPath)
{
    Pictures pictures;
    testsupport::CurrentFolderGuard current(pictures.folder.Path());
    Block block = WithPicture("bilder\\ruta.bmp");
    block.LoadPicture(pictures.control, 0, 0);
    EXPECT_TRUE(block.HasPicture());
    EXPECT_EQ(pictures.bitmap, block.picturePath_);
}

TEST(Block, TheLibraryFlagFollowsThePictureLibrarysFolders)
{
    Pictures pictures;
    const std::string windows = pictures.folder / "windows";
    ::CreateDirectoryA(windows.c_str(), nullptr);
    struct Case {
        const char* index;
        const char* text;
        int flag;
    };
    const std::string dir = pictures.folder / "BILDER";
    const Case cases[] = {
        {"", "sol", 0},
        {"Dir=", "sol", 0},
        {"Dir=C:\\annat", "sol", 0},
        {"Dir=C:\\annat\r\nLongImageDir=*", "sol", 1},
        {"Dir=*", "sol", 1},
        {"Dir=*", "", 0},
    };
    for (const Case& c : cases) {
        std::string index = c.index;
        const size_t star = index.find('*');
        if (star != std::string::npos)
            index.replace(star, 1, dir);
        pictures.folder.Write("windows\\vireda.ini", "[ProgDir]\r\n" + index + "\r\n");
        Block block = WithPicture(pictures.bitmap);
        block.text_ = c.text;
        block.libraryPicture_ = 1 - c.flag;
        block.LoadPicture(pictures.control, 0, 1, windows);
        EXPECT_EQ(c.flag, block.libraryPicture_) << c.index << " / " << c.text;
        // Without the test the flag stays as it was.
        block.LoadPicture(pictures.control, 0, 0, windows);
        EXPECT_EQ(c.flag, block.libraryPicture_);
    }
}
