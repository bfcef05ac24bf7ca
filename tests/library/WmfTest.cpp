// Metafiles: each kind loads with its true size and plays scaled into a rectangle; every damaged,
// truncated or lying file gives a failure code and holds nothing.
#include "PictureFixtures.h"
#include "library/Wmf.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace fixtures;
using testsupport::TempFolder;

namespace {

// The halves picture (red left, blue right) played into 200 x 100 must show both halves in place.
void ExpectHalves(const WMF& picture)
{
    fw::DibSection canvas(200, 100);
    canvas.Fill(RGB(255, 255, 255));
    picture.Draw(canvas.DC(), RECT{0, 0, 200, 100});
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(10, 10));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(90, 90));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(110, 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(190, 90));
}

} // namespace

TEST(WmfTest, PlainMetafileWithItsOwnWindowTakesItsSizeFromIt)
{
    TempFolder folder;
    const std::string path = folder / "plain.wmf";
    WriteBytes(path, RecordWindowsMetafile(true));
    WMF picture;
    ASSERT_EQ(WMF::Loaded, picture.Load(path));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_NE(nullptr, picture.MetaFile());
    EXPECT_EQ(100, picture.GetWidth());
    EXPECT_EQ(50, picture.GetHeight());
    ExpectHalves(picture);
}

// Without a placeable header and without a window of its own, the size comes from what the
// metafile draws, and playing it maps exactly that onto the rectangle.
TEST(WmfTest, PlainMetafileWithoutWindowIsAsLargeAsItsDrawing)
{
    TempFolder folder;
    const std::string path = folder / "bare.wmf";
    WriteBytes(path, RecordWindowsMetafile(false));
    WMF picture;
    ASSERT_EQ(WMF::Loaded, picture.Load(path));
    // The system's bounds may take in the pixel past a filled shape.
    EXPECT_NEAR(100, picture.GetWidth(), 1);
    EXPECT_NEAR(50, picture.GetHeight(), 1);
    ExpectHalves(picture);
}

TEST(WmfTest, PlaceableMetafileTakesTheBoxOfItsHeader)
{
    TempFolder folder;
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"with its own window", MakePlaceable(RecordWindowsMetafile(true), 0, 0, 100, 50)},
        // The box alone says where the picture lies.
        {"drawn in plain units", MakePlaceable(RecordWindowsMetafile(false), 10, 20, 110, 70)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder / "placeable.wmf";
        WriteBytes(path, c.bytes);
        WMF picture;
        ASSERT_EQ(WMF::Loaded, picture.Load(path));
        EXPECT_EQ(static_cast<DWORD>(0x9AC6CDD7), picture.PlaceableHeader().key);
        EXPECT_EQ(100, picture.GetWidth());
        EXPECT_EQ(50, picture.GetHeight());
        ExpectHalves(picture);
    }
}

// The extension decides the kind in any case; the height of an ordinary enhanced metafile is positive.
TEST(WmfTest, EnhancedMetafileLoadsWhateverTheCaseOfItsExtension)
{
    TempFolder folder;
    for (const char* name : {"a.emf", "b.EMF", "c.Emf"}) {
        SCOPED_TRACE(name);
        WriteBytes(folder / name, HalvesEmf());
        WMF picture;
        ASSERT_EQ(WMF::Loaded, picture.Load(folder / name));
        EXPECT_NE(nullptr, picture.EnhMetaFile());
        EXPECT_EQ(nullptr, picture.MetaFile());
        EXPECT_GT(picture.GetHeight(), 0);
        EXPECT_NEAR(2.0, static_cast<double>(picture.GetWidth()) / picture.GetHeight(), 0.05);
        ExpectHalves(picture);
    }
}

// The player maps the frame onto the rectangle, so the proportions must be the frame's: here a
// 200 x 100 mm frame with ink only in a square at its left.
TEST(WmfTest, EnhancedMetafileProportionsAreThoseOfItsFrameNotOfItsInk)
{
    TempFolder folder;
    const std::string path = folder / "frame.emf";
    WriteBytes(path, RecordEnhancedMetafile(RECT{0, 0, 20000, 10000}, [](HDC dc) {
                   ::Rectangle(dc, 10, 10, 60, 60);
               }));
    WMF picture;
    ASSERT_EQ(WMF::Loaded, picture.Load(path));
    EXPECT_NEAR(2.0, static_cast<double>(picture.GetWidth()) / picture.GetHeight(), 0.05);
}

TEST(WmfTest, LoadingReplacesWhatWasHeldAndClearDropsIt)
{
    TempFolder folder;
    WriteBytes(folder / "a.emf", HalvesEmf());
    WriteBytes(folder / "b.wmf", RecordWindowsMetafile(true));
    WMF picture;
    ASSERT_EQ(WMF::Loaded, picture.Load(folder / "a.emf"));
    ASSERT_EQ(WMF::Loaded, picture.Load(folder / "b.wmf"));
    EXPECT_EQ(nullptr, picture.EnhMetaFile()) << "an enhanced metafile stayed behind";
    EXPECT_NE(nullptr, picture.MetaFile());
    EXPECT_NE(WMF::Loaded, picture.Load(folder / "missing.wmf"));
    EXPECT_FALSE(picture.IsLoaded()) << "a failed load must not keep the previous picture";

    ASSERT_EQ(WMF::Loaded, picture.Load(folder / "b.wmf"));
    picture.FreeMetaFile();
    EXPECT_FALSE(picture.IsLoaded());
    ASSERT_EQ(WMF::Loaded, picture.Load(folder / "a.emf"));
    picture.Clear();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(0, picture.GetWidth());
}

// Bytes after the size the header gives are not part of the metafile and are never read as records.
TEST(WmfTest, BytesAfterTheMetafileAreIgnored)
{
    TempFolder folder;
    Bytes bytes = RecordWindowsMetafile(true);
    bytes.insert(bytes.end(), 1000, 0xCC);
    WriteBytes(folder / "tail.wmf", bytes);
    WMF picture;
    EXPECT_EQ(WMF::Loaded, picture.Load(folder / "tail.wmf"));
}

TEST(WmfTest, DamagedTruncatedAndLyingFilesGiveFailureCodes)
{
    const Bytes plain = RecordWindowsMetafile(true, [](HDC dc) {
        const POINT points[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        ::Polygon(dc, points, 4);
        HRGN region = ::CreateRectRgn(0, 0, 20, 20);
        ::FillRgn(dc, region, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::DeleteObject(region);
        Bytes dib = BuildDib(DibForm{40, 8, BI_RGB, false, 2, {RGB(0, 0, 0), RGB(255, 255, 255)}, {}}, 4, 4,
                             [](int x, int) -> std::uint32_t { return x & 1; });
        ::StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 4, 4, dib.data() + 40 + 8, reinterpret_cast<BITMAPINFO*>(dib.data()),
                        DIB_RGB_COLORS, SRCCOPY);
    });
    const Bytes emf = RecordEnhancedMetafile(RECT{0, 0, 10000, 5000}, [](HDC dc) {
        DrawHalves(dc, 0, 0, 100, 50);
        const POINT points[3] = {{0, 0}, {10, 5}, {20, 0}};
        ::Polyline(dc, points, 3);
        ::TextOutA(dc, 0, 0, "Hej", 3);
        Bytes dib = BuildDib(DibForm{40, 24, BI_RGB, false, 0, {}, {}}, 4, 4,
                             [](int, int) -> std::uint32_t { return RGB(0, 255, 0); });
        ::StretchDIBits(dc, 0, 0, 8, 8, 0, 0, 4, 4, dib.data() + 40, reinterpret_cast<BITMAPINFO*>(dib.data()),
                        DIB_RGB_COLORS, SRCCOPY);
    });
    const size_t polygon = FindWmfRecord(plain, 0x0324), region = FindWmfRecord(plain, 0x06FF);
    const size_t select = FindWmfRecord(plain, 0x012D), stretch = FindWmfRecord(plain, 0x0F43);
    const size_t polyline = FindEmfRecord(emf, EMR_POLYLINE16), text = FindEmfRecord(emf, EMR_EXTTEXTOUTW);
    const size_t emfSelect = FindEmfRecord(emf, EMR_SELECTOBJECT), emfStretch = FindEmfRecord(emf, EMR_STRETCHDIBITS);
    const size_t eof = FindEmfRecord(emf, EMR_EOF);
    ASSERT_TRUE(polygon && region && select && stretch) << "the recording lacks a record the cases change";
    ASSERT_TRUE(polyline && text && emfSelect && emfStretch && eof);

    struct Case {
        const char* name;
        const char* file;
        Bytes bytes;
        int code;
    };
    auto with = [](Bytes bytes, size_t offset, DWORD value, int width = 4) {
        if (width == 4)
            PutDword(bytes, offset, value);
        else
            PutWord(bytes, offset, static_cast<WORD>(value));
        return bytes;
    };
    auto cut = [](const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); };
    const Bytes placeable = MakePlaceable(plain, 0, 0, 100, 50);
    std::vector<Case> cases = {
        {"empty file", "a.wmf", Bytes{}, WMF::FileUnreadable},
        {"ten bytes", "a.wmf", Bytes(10, 1), WMF::FileUnreadable},
        {"type 3", "a.wmf", with(plain, 0, 3, 2), WMF::HeaderDamaged},
        {"header of 10 words", "a.wmf", with(plain, 2, 10, 2), WMF::HeaderDamaged},
        {"size of 5 words", "a.wmf", with(plain, 6, 5), WMF::HeaderDamaged},
        {"size beyond the file", "a.wmf", with(plain, 6, static_cast<DWORD>(plain.size())), WMF::Truncated},
        {"cut in half", "a.wmf", cut(plain, plain.size() / 2), WMF::Truncated},
        {"placeable, cut after its header", "a.wmf", cut(placeable, 30), WMF::HeaderDamaged},
        {"placeable, cut in half", "a.wmf", cut(placeable, placeable.size() / 2), WMF::Truncated},
        {"record of size 0", "a.wmf", with(plain, 18, 0), WMF::NotPlayable},
        {"record past the end", "a.wmf", with(plain, 18, 0x10000), WMF::NotPlayable},
        {"polygon of 1000 points", "a.wmf", with(plain, polygon + 6, 1000, 2), WMF::NotPlayable},
        {"region of 1000 scans", "a.wmf", with(plain, region + 6 + 10, 1000, 2), WMF::NotPlayable},
        {"object 500 selected", "a.wmf", with(plain, select + 6, 500, 2), WMF::NotPlayable},
        {"bitmap using 300 colours", "a.wmf", with(plain, stretch + 6 + 22 + 32, 300), WMF::NotPlayable},
        {"enhanced: empty", "a.emf", Bytes{}, WMF::FileUnreadable},
        {"enhanced: 50 bytes", "a.emf", cut(emf, 50), WMF::HeaderDamaged},
        {"enhanced: no signature", "a.emf", with(emf, 40, 0), WMF::HeaderDamaged},
        {"enhanced: size beyond the file", "a.emf", with(emf, 48, static_cast<DWORD>(emf.size() + 4)), WMF::Truncated},
        {"enhanced: cut in half", "a.emf", cut(emf, emf.size() / 2), WMF::Truncated},
        {"enhanced: record of size 0", "a.emf", with(emf, polyline + 4, 0), WMF::NotPlayable},
        {"enhanced: record past the end", "a.emf", with(emf, polyline + 4, 0x100000), WMF::NotPlayable},
        {"enhanced: no end record", "a.emf", with(emf, eof, EMR_SAVEDC), WMF::NotPlayable},
        {"enhanced: polyline of 100000 points", "a.emf", with(emf, polyline + 24, 100000), WMF::NotPlayable},
        {"enhanced: text of 100000 characters", "a.emf", with(emf, text + 44, 100000), WMF::NotPlayable},
        {"enhanced: handle 500 selected", "a.emf", with(emf, emfSelect + 8, 500), WMF::NotPlayable},
        {"enhanced: bitmap header outside", "a.emf", with(emf, emfStretch + 48, 0xFFFFFF00), WMF::NotPlayable},
    };

    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder / c.file, c.bytes);
        WMF picture;
        EXPECT_EQ(c.code, picture.Load(folder / c.file));
        EXPECT_FALSE(picture.IsLoaded());
        EXPECT_EQ(0, picture.GetWidth());
        fw::DibSection canvas(20, 20);
        picture.Draw(canvas.DC(), RECT{0, 0, 20, 20});
    }
    WMF missing;
    EXPECT_EQ(WMF::FileUnreadable, missing.Load(folder / "none.wmf"));
    EXPECT_EQ(WMF::FileUnreadable, missing.Load(folder / "none.emf"));
}
