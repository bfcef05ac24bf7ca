// Content object pictures: what loading holds afterwards (raster, metafile, nothing, a message),
// the library test, copies that never share the picture, and pixels read back from drawn objects.
#include "ImageBaseFiles.h"
#include "PictureFixtures.h"
#include "library/Dib.h"
#include "library/KvoraObject.h"
#include "library/resource.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using namespace fixtures;
using namespace testsupport;

namespace {

const SIZE kMaximum{1024, 768};
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(127, 127, 127);
const COLORREF kGreen = RGB(0, 128, 0);

class ContentDraw : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, control);
        raster = folder / "kvadrater.png";
        ASSERT_TRUE(SaveWithCodec(QuadrantPicture(200, 100), L"image/png", raster));
        metafile = folder / "halvor.emf";
        WriteBytes(metafile, HalvesEmf());
    }

    // Sets the object to show the picture file and loads it. (A copy would not take the picture.)
    void Load(CKvoraObject& object, const std::string& path, const std::string& label = std::string())
    {
        object.picturePath_ = path;
        object.label_ = label;
        object.LoadPicture(control, kWhite, 0, kMaximum);
    }

    // The rows [top, bottom) of the area hold a pixel darker than mid-grey, or lighter.
    static bool HasPixel(const fw::DibSection& canvas, const RECT& area, bool dark)
    {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = canvas.Pixel(x, y);
                const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
                if (dark ? sum < 3 * 100 : sum > 3 * 200)
                    return true;
            }
        return false;
    }

    TempFolder folder;
    std::shared_ptr<PictureControl> control = std::make_shared<PictureControl>();
    std::string raster;
    std::string metafile;
};

} // namespace

TEST_F(ContentDraw, LoadsRasterPicturesShrunkToTheMaximum)
{
    CKvoraObject object;
    Load(object, raster);
    EXPECT_EQ(1, object.HasPicture());
    EXPECT_NE(nullptr, object.GetDib());
    EXPECT_EQ(200, object.pictureSize_.right);
    EXPECT_EQ(100, object.pictureSize_.bottom);
    EXPECT_EQ(nullptr, object.GetPalette()); // a true-colour DIB has no colour table

    const std::string wide = folder / "bred.jpg";
    ASSERT_TRUE(SaveWithCodec(QuadrantPicture(2000, 500), L"image/jpeg", wide));
    CKvoraObject shrunk;
    Load(shrunk, wide);
    EXPECT_EQ(1024, shrunk.pictureSize_.right);
    EXPECT_EQ(256, shrunk.pictureSize_.bottom);
    EXPECT_EQ(1024, DibWidth(shrunk.GetDib()));
}

TEST_F(ContentDraw, LoadsMetafilesOfEitherKindWithAPositiveSize)
{
    const std::string capitals = folder / "HALVOR.EMF";
    WriteBytes(capitals, ReadBytes(metafile));
    const std::string windows = folder / "halvor.wmf";
    WriteBytes(windows, RecordWindowsMetafile(true));
    for (const std::string& path : {metafile, capitals, windows}) {
        CKvoraObject object;
    Load(object, path);
        EXPECT_EQ(1, object.HasPicture()) << path;
        EXPECT_TRUE(object.GetMetafile().IsLoaded()) << path;
        EXPECT_EQ(nullptr, object.GetDib()) << path;
        EXPECT_GT(object.pictureSize_.right, 0) << path;
        EXPECT_GT(object.pictureSize_.bottom, 0) << path;
        EXPECT_NEAR(2.0, double(object.pictureSize_.right) / object.pictureSize_.bottom, 0.05) << path;
    }
}

// Nothing to show: no picture and no message, except for a file the control cannot decode.
TEST_F(ContentDraw, LoadsNothingFromMissingOrDamagedFiles)
{
    const std::string damagedMetafile = folder / "trasig.wmf";
    WriteBytes(damagedMetafile, Bytes(40, 0xAB));
    for (const std::string& path : {std::string(), folder / "saknas.png", folder / "saknas.emf", damagedMetafile}) {
        CKvoraObject object;
    Load(object, path);
        EXPECT_EQ(0, object.HasPicture()) << path;
        EXPECT_EQ(0, object.pictureSize_.right) << path;
    }

    const std::string damagedPng = folder / "trasig.png";
    WriteBytes(damagedPng, Bytes(100, 0x55));
    ScriptedMessages messages;
    messages.Expect(IDS_PICTURE_CANNOT_VIEW);
    CKvoraObject object;
    Load(object, damagedPng);
    EXPECT_EQ(0, object.HasPicture());
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_EQ("Unable to view image.", messages.Shown()[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), messages.Shown()[0].type & MB_ICONMASK);
}

// Each way of dropping a picture drops whichever kind is held.
TEST_F(ContentDraw, LoadingClearingOrANullControlDropsTheHeldPicture)
{
    CKvoraObject object;
    Load(object, metafile);
    ASSERT_TRUE(object.GetMetafile().IsLoaded());
    object.picturePath_ = raster;
    object.LoadPicture(control, kWhite, 0, kMaximum);
    EXPECT_FALSE(object.GetMetafile().IsLoaded());
    EXPECT_NE(nullptr, object.GetDib());

    object.picturePath_ = metafile;
    object.LoadPicture(control, kWhite, 0, kMaximum);
    EXPECT_EQ(nullptr, object.GetDib());
    object.Clear();
    EXPECT_EQ(0, object.HasPicture());

    for (const std::string& path : {raster, metafile}) {
        CKvoraObject released;
    Load(released, path);
        released.LoadPicture(nullptr, kWhite, 0, kMaximum);
        EXPECT_EQ(0, released.HasPicture()) << path;
        EXPECT_EQ(0, released.pictureSize_.right) << path;
        // Nothing is loaded without a control, metafiles included.
        released.LoadPicture(nullptr, kWhite, 0, kMaximum);
        EXPECT_EQ(0, released.HasPicture()) << path;
    }

    fw::DibSection canvas(100, 100);
    canvas.Fill(kGreen);
    object.label_.clear();
    object.Draw(canvas.DC(), RECT{0, 0, 100, 100}, 1, 1, 0);
    ::GdiFlush();
    EXPECT_EQ(kGreen, canvas.Pixel(50, 50));
}

TEST_F(ContentDraw, CopiesNeverTakeThePictureAndAssignmentKeepsTheTargets)
{
    CKvoraObject source;
    Load(source, raster, "kvadrater");
    const CKvoraObject copy(source);
    const CKvoraObject clone = CKvoraObject::CloneWithId(source, 7);
    EXPECT_EQ(0, copy.HasPicture());
    EXPECT_EQ(0, clone.HasPicture());
    EXPECT_EQ(raster, copy.picturePath_);

    CKvoraObject target;
    Load(target, metafile);
    target = source;
    EXPECT_TRUE(target.GetMetafile().IsLoaded());
    EXPECT_EQ(nullptr, target.GetDib());
    EXPECT_EQ(raster, target.picturePath_);
    EXPECT_NE(nullptr, source.GetDib());
}

TEST_F(ContentDraw, LibraryTestComparesTheFolderOfViredaIni)
{
    WindowsFileGuard vireda("vireda.ini");
    const std::string library = folder / "Vireda";
    ::CreateDirectoryA(library.c_str(), nullptr);
    const std::string inLibrary = folder / "VIREDA\\sol.emf";
    WriteBytes(inLibrary, ReadBytes(metafile));

    const struct {
        const char* what;
        const char* iniText; // null: no vireda.ini
        std::string path;
        int test;
        int before;
        int expected;
    } cases[] = {
        {"inside the library, in other case", "", inLibrary, 1, 0, 1},
        {"outside the library", "", metafile, 1, 1, 0},
        {"no test keeps the flag", "", metafile, 0, 1, 1},
        {"an empty folder value", "[ProgDir]\r\nDir=\r\n", inLibrary, 1, 1, 0},
        {"no vireda.ini", nullptr, inLibrary, 1, 1, 0},
        {"a missing file is not tested", "", folder / "Vireda\\saknas.emf", 1, 0, 0},
    };
    for (const auto& c : cases) {
        ::DeleteFileA(vireda.Path().c_str());
        if (c.iniText)
            WriteBytes(vireda.Path(), [&] {
                const std::string text = *c.iniText ? c.iniText : "[ProgDir]\r\nDir=" + library + "\r\n";
                return Bytes(text.begin(), text.end());
            }());
        CKvoraObject object;
        object.picturePath_ = c.path;
        object.libraryPicture_ = c.before;
        object.LoadPicture(control, kWhite, c.test, kMaximum);
        EXPECT_EQ(c.expected, object.libraryPicture_) << c.what;
    }
}

TEST_F(ContentDraw, DrawsThePictureFittedIntoTheBox)
{
    fw::DibSection canvas(200, 200);
    CKvoraObject object;
    Load(object, raster);
    const struct {
        int centre;
        RECT expected;
    } cases[] = {{1, {0, 50, 200, 150}}, {0, {0, 100, 200, 200}}};
    for (const auto& c : cases) {
        canvas.Fill(kGreen);
        object.Draw(canvas.DC(), RECT{0, 0, 200, 200}, c.centre, 1, 1);
        ::GdiFlush();
        EXPECT_EQ("", CheckQuadrants(canvas, c.expected, kQuadrants)) << "centre " << c.centre;
        EXPECT_EQ(kWhite, canvas.Pixel(100, c.expected.top - 10)) << "centre " << c.centre;
    }

    CKvoraObject halves;
    Load(halves, metafile);
    canvas.Fill(kWhite);
    halves.Draw(canvas.DC(), RECT{0, 0, 200, 200}, 1, 1, 0);
    ::GdiFlush();
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(50, 100));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(150, 100));
    EXPECT_EQ(kWhite, canvas.Pixel(100, 40));

    // Hidden objects and empty boxes draw nothing, not even the white fill.
    object.shown_ = 0;
    canvas.Fill(kGreen);
    object.Draw(canvas.DC(), RECT{0, 0, 200, 200}, 1, 1, 1);
    object.shown_ = 1;
    object.Draw(canvas.DC(), RECT{0, 0, 200, 0}, 1, 1, 1);
    ::GdiFlush();
    EXPECT_EQ(kGreen, canvas.Pixel(100, 100));
}

TEST_F(ContentDraw, DrawsTheLabelInABandAboveThePicture)
{
    fw::DibSection canvas(300, 300);
    canvas.Fill(kGreen);
    CKvoraObject object;
    Load(object, raster, "hund");
    object.Draw(canvas.DC(), RECT{0, 0, 300, 300}, 0, 1, 1);
    ::GdiFlush();
    // Band 34 high (font 32); the 2:1 picture stands on the bottom, 150 high.
    EXPECT_TRUE(HasPixel(canvas, RECT{0, 0, 300, 34}, true));
    EXPECT_FALSE(HasPixel(canvas, RECT{0, 34, 300, 150}, true));
    EXPECT_EQ("", CheckQuadrants(canvas, RECT{0, 150, 300, 300}, kQuadrants));

    // Without show label the picture takes the whole box.
    canvas.Fill(kGreen);
    object.Draw(canvas.DC(), RECT{0, 0, 300, 300}, 1, 0, 1);
    ::GdiFlush();
    EXPECT_FALSE(HasPixel(canvas, RECT{0, 0, 300, 75}, true));
    EXPECT_EQ("", CheckQuadrants(canvas, RECT{0, 75, 300, 225}, kQuadrants));
}

TEST_F(ContentDraw, LibraryPictureWritesItsLabelInWhiteOnItsBlackBand)
{
    fw::DibSection canvas(200, 200);
    canvas.Fill(kGreen);
    CKvoraObject object;
    Load(object, raster, "sol");
    object.libraryPicture_ = 1;
    object.Draw(canvas.DC(), RECT{0, 0, 200, 200}, 0, 1, 1);
    ::GdiFlush();
    // No band above: the picture stands on the bottom, 100 high, its top 15 black.
    EXPECT_EQ(kWhite, canvas.Pixel(2, 98));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(2, 101));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(197, 114));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 116));
    EXPECT_TRUE(HasPixel(canvas, RECT{0, 100, 200, 115}, false)); // the label, in white
    EXPECT_EQ("", CheckQuadrants(canvas, RECT{0, 120, 200, 200}, kQuadrants));
}

TEST_F(ContentDraw, LibraryPictureWithoutItsFileStillShowsItsLabel)
{
    fw::DibSection canvas(200, 200);
    canvas.Fill(kGreen);
    CKvoraObject object;
    Load(object, folder / "saknas.emf", "sol");
    object.libraryPicture_ = 1;
    ASSERT_EQ(0, object.HasPicture());
    object.Draw(canvas.DC(), RECT{0, 0, 200, 200}, 0, 1, 1);
    ::GdiFlush();
    // The label in black in an ordinary band (font 21, band 23); below it only white.
    EXPECT_TRUE(HasPixel(canvas, RECT{0, 0, 200, 23}, true));
    EXPECT_FALSE(HasPixel(canvas, RECT{0, 23, 200, 200}, true));
    EXPECT_EQ(kWhite, canvas.Pixel(100, 150));
}

TEST_F(ContentDraw, CrossSpansThePartBelowTheLabel)
{
    fw::DibSection canvas(300, 300);
    canvas.Fill(kWhite);
    CKvoraObject object;
    object.label_ = "x";
    object.crossed_ = 1;
    object.Draw(canvas.DC(), RECT{0, 0, 300, 300}, 1, 1, 0);
    ::GdiFlush();
    // Below the 34-pixel band: 266 high, so the pen is 13 wide and the lines start 13 in.
    EXPECT_EQ(kGrey, canvas.Pixel(150, 167));
    EXPECT_EQ(kGrey, canvas.Pixel(16, 50));
    EXPECT_EQ(kGrey, canvas.Pixel(16, 284));
    EXPECT_EQ(kGrey, canvas.Pixel(284, 50));
    EXPECT_EQ(kWhite, canvas.Pixel(16, 16)); // where a cross over the whole box would pass
    EXPECT_EQ(kWhite, canvas.Pixel(150, 60));

    // Without a label the cross spans the whole box, over the picture.
    CKvoraObject picture;
    Load(picture, raster);
    picture.crossed_ = 1;
    canvas.Fill(kWhite);
    picture.Draw(canvas.DC(), RECT{0, 0, 300, 300}, 1, 1, 0);
    ::GdiFlush();
    EXPECT_EQ(kGrey, canvas.Pixel(22, 22));
    EXPECT_EQ(kGrey, canvas.Pixel(150, 150));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(75, 110));
}

// A box too flat for its label's band: everything stays inside the box, and the cross still shows.
TEST_F(ContentDraw, FlatBoxKeepsEverythingInside)
{
    fw::DibSection canvas(300, 100);
    canvas.Fill(kGreen);
    CKvoraObject object;
    Load(object, raster, "en mycket bred etikett");
    object.crossed_ = 1;
    const RECT box{0, 40, 300, 60};
    object.Draw(canvas.DC(), box, 0, 1, 0);
    object.Draw(canvas.DC(), box, 1, 1, 0);
    ::GdiFlush();
    for (int y = 0; y < 100; ++y) {
        if (y >= box.top && y < box.bottom)
            continue;
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(kGreen, canvas.Pixel(x, y)) << "at (" << x << "," << y << ")";
    }
    EXPECT_EQ(kGrey, canvas.Pixel(150, 50));
}

// A label that is wider than its band at any size ends the shrinking and is clipped to its band.
TEST_F(ContentDraw, LabelThatNeverFitsIsClippedToItsBand)
{
    fw::DibSection canvas(60, 60);
    canvas.Fill(kWhite);
    CKvoraObject object;
    object.label_ = std::string(300, 'W');
    object.Draw(canvas.DC(), RECT{0, 0, 60, 60}, 1, 1, 1);
    ::GdiFlush();
    // 300 characters over 60 pixels: font 3, band 5. The label is drawn there, and nowhere else.
    bool inked = false;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 60; ++x)
            inked = inked || canvas.Pixel(x, y) != kWhite;
    EXPECT_TRUE(inked) << "no label drawn in its band";
    EXPECT_FALSE(HasPixel(canvas, RECT{0, 5, 60, 60}, true));
}
