// The picture control: decoding each raster format into a packed DIB, transparency on the
// background colour, damaged files, resizing, cropping, undo, saving, dimming, pasting and the preview.
#include "PictureFixtures.h"
#include "components/PictureControl.h"
#include "framework/Files.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace fixtures;
using testsupport::TempFolder;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

struct DibHolder {
    explicit DibHolder(HGLOBAL h) : handle(h) {}
    ~DibHolder() { ::GlobalFree(handle); }
    HGLOBAL handle;
};

// A 4-bit BMP of the quadrants: the depth that the system's BMP encoder writes wrongly.
Bytes FourBitBmp()
{
    DibForm form;
    form.bitCount = 4;
    form.table = {kQuadrants.topLeft, kQuadrants.topRight, kQuadrants.bottomLeft, kQuadrants.bottomRight};
    form.table.resize(16, RGB(0, 0, 0));
    return MakeBmpFile(BuildDib(form, kWidth, kHeight, [](int x, int y) -> std::uint32_t {
        return (y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1);
    }));
}

// 0xAARRGGBB quadrants: top left fully transparent, top right half-transparent red, the rest opaque.
std::vector<std::uint32_t> TranslucentQuadrants()
{
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool left = x < kWidth / 2, top = y < kHeight / 2;
            argb.push_back(top ? (left ? 0x00FFFFFFu : 0x80FF0000u) : (left ? 0xFF0000FFu : 0xFFFFFFFFu));
        }
    return argb;
}

} // namespace

TEST(PictureControlTest, DecodesEveryRasterFormatIntoAPackedDib)
{
    TempFolder folder;
    const PixelImage quadrants = QuadrantPicture(kWidth, kHeight);
    std::vector<std::uint32_t> opaque;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            opaque.push_back(0xFF000000u | quadrants.Pixel(x, y));
    DibForm bmp24;

    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/png", folder / "q.png"));
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/jpeg", folder / "q.jpg"));
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/tiff", folder / "q.tif"));
    WriteBytes(folder / "q.gif", MakeGif(kWidth, kHeight, {kQuadrants.topLeft, kQuadrants.topRight, kQuadrants.bottomLeft,
                                                          kQuadrants.bottomRight},
                                         [](int x, int y) { return (y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1); }));
    WriteBytes(folder / "q.jpeg", ReadBytes(folder / "q.jpg"));
    WriteBytes(folder / "q.bmp", MakeBmpFile(BuildDib(bmp24, kWidth, kHeight, [&](int x, int y) -> std::uint32_t {
                                     return QuadrantAt(kQuadrants, x, y, kWidth, kHeight);
                                 })));
    WriteBytes(folder / "q4.bmp", FourBitBmp());
    WriteBytes(folder / "q.ico", MakeIcon(kWidth, kHeight, opaque));
    PcxForm pcx;
    pcx.planes = 3;
    WriteBytes(folder / "q.pcx", MakePcx(pcx, kWidth, kHeight, [](int x, int y, int plane) {
                   const COLORREF c = QuadrantAt(kQuadrants, x, y, kWidth, kHeight);
                   return plane == 0 ? GetRValue(c) : plane == 1 ? GetGValue(c) : GetBValue(c);
               }));

    const struct {
        const char* file;
        int tolerance;
    } cases[] = {{"q.bmp", 0}, {"q4.bmp", 0}, {"q.png", 0}, {"q.jpg", 12}, {"q.jpeg", 12}, {"q.gif", 0},
                 {"q.tif", 0}, {"q.ico", 0},  {"q.pcx", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PictureControl control;
        ASSERT_TRUE(control.SetFileName(folder / c.file));
        EXPECT_TRUE(control.HasPicture());
        EXPECT_EQ(folder / c.file, control.FileName());
        EXPECT_EQ(kWidth, control.Width());
        EXPECT_EQ(kHeight, control.Height());
        DibHolder dib(control.CopyDib());
        ASSERT_NE(nullptr, dib.handle);
        EXPECT_EQ("", CheckDibQuadrants(dib.handle, kQuadrants, c.tolerance));
    }
}

TEST(PictureControlTest, TransparentPartsLieOnTheBackgroundColour)
{
    TempFolder folder;
    ASSERT_TRUE(SavePngWithAlpha(folder / "a.png", kWidth, kHeight, TranslucentQuadrants()));
    WriteBytes(folder / "a.ico", MakeIcon(kWidth, kHeight, TranslucentQuadrants()));
    for (const char* file : {"a.png", "a.ico"}) {
        SCOPED_TRACE(file);
        PictureControl control;
        control.SetBackColor(RGB(0, 128, 0));
        ASSERT_TRUE(control.SetFileName(folder / file));
        DibHolder dib(control.CopyDib());
        EXPECT_EQ(RGB(0, 128, 0), DibPixel(dib.handle, 5, 5));
        const COLORREF half = DibPixel(dib.handle, kWidth - 5, 5);
        EXPECT_TRUE(Near(RGB(128, 64, 0), half, 2)) << Describe(half);
        EXPECT_EQ(RGB(0, 0, 255), DibPixel(dib.handle, 5, kHeight - 5));
    }
}

TEST(PictureControlTest, DamagedTruncatedAndLyingFilesGiveNoPicture)
{
    TempFolder folder;
    const PixelImage quadrants = QuadrantPicture(kWidth, kHeight);
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/png", folder / "good.png"));
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/jpeg", folder / "good.jpg"));
    const Bytes png = ReadBytes(folder / "good.png"), jpeg = ReadBytes(folder / "good.jpg");
    const Bytes gif = MakeGif(kWidth, kHeight, {RGB(0, 0, 0), RGB(255, 255, 255)}, [](int x, int) { return x & 1; });
    auto cut = [](const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); };

    // A PNG whose header claims 100000 x 100000 pixels, with a correct checksum.
    Bytes hugePng = png;
    PutBigEndian(hugePng, 16, 100000);
    PutBigEndian(hugePng, 20, 100000);
    PutBigEndian(hugePng, 29, Crc32(hugePng.data() + 12, 17));
    // A JPEG whose frame claims 30000 x 30000 pixels.
    Bytes hugeJpeg = jpeg;
    for (size_t i = 2; i + 9 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
            hugeJpeg[i + 5] = hugeJpeg[i + 7] = 0x75; // 0x7530 = 30000, high bytes
            hugeJpeg[i + 6] = hugeJpeg[i + 8] = 0x30;
            break;
        }
    // A GIF whose picture claims 60000 x 60000 pixels.
    Bytes hugeGif = gif;
    PutWord(hugeGif, 6, 60000);
    PutWord(hugeGif, 8, 60000);
    PutWord(hugeGif, 13 + 768 + 5, 60000);
    PutWord(hugeGif, 13 + 768 + 7, 60000);
    // A BMP whose header claims 30000 x 30000 pixels in a file of a few hundred bytes.
    Bytes hugeBmp = MakeBmpFile(BuildDib(DibForm{}, 8, 8, [](int, int) -> std::uint32_t { return 0; }));
    PutDword(hugeBmp, 18, 30000);
    PutDword(hugeBmp, 22, 30000);
    // BMPs lying about their colour table, their bits' offset and their header's size.
    DibForm eight;
    eight.bitCount = 8;
    eight.coloursUsed = 2;
    eight.table = {RGB(0, 0, 0), RGB(255, 255, 255)};
    const Bytes bmp8 = MakeBmpFile(BuildDib(eight, 8, 8, [](int x, int) -> std::uint32_t { return x & 1; }));
    Bytes manyColours = bmp8, farBits = bmp8, hugeHeader = bmp8;
    PutDword(manyColours, 14 + 32, 100000);
    PutDword(farBits, 10, 0x7FFFFFF0);
    PutDword(hugeHeader, 14, 100000);
    // An icon whose picture lies far beyond the file.
    Bytes farIcon = MakeIcon(16, 16, std::vector<std::uint32_t>(256, 0xFF000000u));
    PutDword(farIcon, 18, 0x7FFFFFF0);

    const struct {
        const char* name;
        const char* file;
        Bytes bytes;
    } cases[] = {
        {"empty file", "e.png", Bytes{}},
        {"ten bytes of nothing", "n.png", Bytes(10, 0x55)},
        {"PNG cut after its header", "c.png", cut(png, 40)},
        {"PNG claiming 100000 x 100000", "h.png", hugePng},
        {"JPEG cut after its markers", "c.jpg", cut(jpeg, 100)},
        {"GIF cut after its header", "c.gif", cut(gif, 20)},
        {"JPEG claiming 30000 x 30000", "h.jpg", hugeJpeg},
        {"GIF claiming 60000 x 60000", "h.gif", hugeGif},
        {"BMP claiming 30000 x 30000", "h.bmp", hugeBmp},
        {"BMP using 100000 colours", "c.bmp", manyColours},
        {"BMP with its bits beyond its end", "b.bmp", farBits},
        {"BMP with a header of 100000 bytes", "s.bmp", hugeHeader},
        {"icon with its picture beyond its end", "f.ico", farIcon},
        {"text named .jpg", "t.jpg", Bytes{'h', 'e', 'j', '\r', '\n'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder / c.file, c.bytes);
        PictureControl control;
        ASSERT_TRUE(control.SetFileName(folder / "good.png"));
        EXPECT_FALSE(control.SetFileName(folder / c.file));
        EXPECT_FALSE(control.HasPicture()) << "the previous picture must not stay";
        EXPECT_EQ(0, control.Width());
        EXPECT_EQ(nullptr, control.CopyDib());
    }
    PictureControl control;
    EXPECT_FALSE(control.SetFileName(folder / "missing.png"));
    ASSERT_TRUE(control.SetFileName(folder / "good.png"));
    EXPECT_TRUE(control.SetFileName("")) << "an empty name clears the control";
    EXPECT_FALSE(control.HasPicture());
    EXPECT_EQ("", control.FileName());
}

// Cut anywhere, a file of any format gives no picture. A TIFF cut before its directory once crashed
// the process inside the system's decoder, through the stream it read from.
TEST(PictureControlTest, TruncatedFilesOfEveryFormatGiveNoPicture)
{
    TempFolder folder;
    PixelImage noise;
    ASSERT_TRUE(noise.Reset(300, 200));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            noise.Row(y)[x] = (static_cast<std::uint32_t>(x * 7 + y * 13) * 2654435761u) & 0xFFFFFF;
    ASSERT_TRUE(SaveWithCodec(noise, L"image/png", folder / "n.png"));
    ASSERT_TRUE(SaveWithCodec(noise, L"image/jpeg", folder / "n.jpg"));
    ASSERT_TRUE(SaveWithCodec(noise, L"image/tiff", folder / "n.tif"));
    WriteBytes(folder / "n.bmp", noise.ToBmpFile());
    WriteBytes(folder / "n.gif", MakeGif(300, 200, {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0)},
                                         [](int x, int y) { return (x + y) % 3; }));
    PcxForm planes;
    planes.planes = 3;
    WriteBytes(folder / "n.pcx", MakePcx(planes, 300, 200, [](int x, int y, int plane) { return (x * y + plane) & 0xFF; }));
    std::vector<std::uint32_t> argb(64 * 64, 0xFF336699u);
    WriteBytes(folder / "n.ico", MakeIcon(64, 64, argb));

    for (const char* file : {"n.png", "n.jpg", "n.tif", "n.bmp", "n.gif", "n.pcx", "n.ico"}) {
        const Bytes whole = ReadBytes(folder / file);
        for (const int percent : {99, 70, 30, 5}) {
            SCOPED_TRACE(std::string(file) + " cut to " + std::to_string(percent) + "%");
            WriteBytes(folder / "cut", Bytes(whole.begin(), whole.begin() + whole.size() * percent / 100));
            PictureControl control;
            EXPECT_FALSE(control.SetFileName(folder / "cut"));
            EXPECT_FALSE(control.HasPicture());
        }
    }
    // A TIFF whose directory lies far beyond its end.
    Bytes tiff = ReadBytes(folder / "n.tif");
    PutDword(tiff, 4, 0x7FFFFFF0);
    WriteBytes(folder / "lying.tif", tiff);
    PictureControl control;
    EXPECT_FALSE(control.SetFileName(folder / "lying.tif"));
}

TEST(PictureControlTest, ResizeCropAndUndo)
{
    TempFolder folder;
    ASSERT_TRUE(SaveWithCodec(QuadrantPicture(kWidth, kHeight), L"image/png", folder / "q.png"));
    PictureControl control;
    ASSERT_TRUE(control.SetFileName(folder / "q.png"));
    EXPECT_FALSE(control.Undo()) << "nothing to undo after a load";

    for (const SIZE size : {SIZE{20, 15}, SIZE{80, 60}, SIZE{7, 3}}) {
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
        ASSERT_TRUE(control.Resize(size.cx, size.cy));
        EXPECT_EQ(size.cx, control.Width());
        EXPECT_EQ(size.cy, control.Height());
        DibHolder dib(control.CopyDib());
        EXPECT_EQ("", CheckDibQuadrants(dib.handle, kQuadrants, 0));
        ASSERT_TRUE(control.Undo());
        EXPECT_EQ(kWidth, control.Width());
        EXPECT_FALSE(control.Undo()) << "one step of undo";
    }
    EXPECT_FALSE(control.Resize(0, 10));
    EXPECT_FALSE(control.Resize(100000, 100000));
    EXPECT_EQ(kWidth, control.Width());

    ASSERT_TRUE(control.Crop(RECT{kWidth / 2, kHeight / 2, kWidth, kHeight}));
    EXPECT_EQ(kWidth / 2, control.Width());
    EXPECT_EQ(kHeight / 2, control.Height());
    DibHolder corner(control.CopyDib());
    EXPECT_EQ(kQuadrants.bottomRight, DibPixel(corner.handle, 0, 0));
    EXPECT_EQ(kQuadrants.bottomRight, DibPixel(corner.handle, kWidth / 2 - 1, kHeight / 2 - 1));
    ASSERT_TRUE(control.Undo());

    // A rectangle reaching outside is clipped to the picture; one wholly outside is refused.
    ASSERT_TRUE(control.Crop(RECT{-5, -5, 10, 10}));
    EXPECT_EQ(10, control.Width());
    EXPECT_EQ(10, control.Height());
    ASSERT_TRUE(control.Undo());
    EXPECT_FALSE(control.Crop(RECT{50, 50, 60, 60}));
    EXPECT_FALSE(control.Crop(RECT{10, 10, 10, 20}));
    EXPECT_EQ(kWidth, control.Width());
}

// Shrinking averages what each new pixel covers: one-pixel stripes become an even grey instead of
// one of the two colours.
TEST(PictureControlTest, ShrinkingAveragesInsteadOfPickingPixels)
{
    TempFolder folder;
    PixelImage stripes;
    stripes.Reset(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            stripes.Row(y)[x] = (x & 1) ? 0xFFFFFF : 0;
    ASSERT_TRUE(SaveWithCodec(stripes, L"image/png", folder / "stripes.png"));
    PictureControl control;
    ASSERT_TRUE(control.SetFileName(folder / "stripes.png"));
    for (const int width : {20, 10}) {
        ASSERT_TRUE(control.Resize(width, 15));
        DibHolder dib(control.CopyDib());
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = DibPixel(dib.handle, x, 7);
            EXPECT_TRUE(Near(RGB(128, 128, 128), pixel, 1)) << width << " wide, at " << x << ": " << Describe(pixel);
        }
        control.Undo();
    }
}

TEST(PictureControlTest, SavesAsBmpAndJpegAndNeverLeavesAHalfWrittenFile)
{
    TempFolder folder;
    WriteBytes(folder / "q4.bmp", FourBitBmp());
    PictureControl control;
    ASSERT_TRUE(control.SetFileName(folder / "q4.bmp"));

    // Over an existing file, which is replaced.
    WriteBytes(folder / "saved.bmp", Bytes(5000, 0x11));
    ASSERT_TRUE(control.SaveFile(folder / "saved.bmp", PictureFileType::Bmp));
    const Bytes saved = ReadBytes(folder / "saved.bmp");
    ASSERT_GT(saved.size(), 54u);
    EXPECT_EQ(40, saved[14]) << "a plain 40-byte header";
    EXPECT_EQ(24, saved[28]) << "24 bits a pixel, whatever the source's depth";
    EXPECT_EQ(saved.size(), static_cast<size_t>(saved[2] | (saved[3] << 8) | (saved[4] << 16)));
    ASSERT_TRUE(control.SaveFile(folder / "saved.jpg", PictureFileType::Jpeg, 5));
    EXPECT_FALSE(fw::PathExists(folder / "saved.bmp.part"));

    for (const auto& [file, tolerance] : {std::pair<const char*, int>{"saved.bmp", 0}, {"saved.jpg", 40}}) {
        SCOPED_TRACE(file);
        PictureControl reloaded;
        ASSERT_TRUE(reloaded.SetFileName(folder / file));
        EXPECT_EQ(kWidth, reloaded.Width());
        DibHolder dib(reloaded.CopyDib());
        EXPECT_EQ("", CheckDibQuadrants(dib.handle, kQuadrants, tolerance));
    }

    // Into a folder that does not exist, and with nothing to save.
    EXPECT_FALSE(control.SaveFile(folder / "no\\such.jpg", PictureFileType::Jpeg));
    EXPECT_FALSE(control.SaveFile(folder / "no\\such.bmp", PictureFileType::Bmp));
    EXPECT_FALSE(fw::PathExists(folder / "no\\such.bmp.part"));
    PictureControl empty;
    EXPECT_FALSE(empty.SaveFile(folder / "empty.bmp", PictureFileType::Bmp));
    EXPECT_FALSE(fw::PathExists(folder / "empty.bmp"));
}

TEST(PictureControlTest, DimmingFadesWhatIsShownAndCopiedNotWhatIsSaved)
{
    TempFolder folder;
    ASSERT_TRUE(SaveWithCodec(QuadrantPicture(kWidth, kHeight), L"image/png", folder / "q.png"));
    PictureControl control;
    ASSERT_TRUE(control.SetFileName(folder / "q.png"));
    control.SetDimming(100);
    DibHolder dimmed(control.CopyDib());
    EXPECT_EQ(RGB(255, 127, 127), DibPixel(dimmed.handle, 5, 5));
    EXPECT_EQ(RGB(127, 127, 255), DibPixel(dimmed.handle, 5, kHeight - 5));
    EXPECT_EQ(RGB(255, 255, 255), DibPixel(dimmed.handle, kWidth - 5, kHeight - 5));

    fw::DibSection canvas(kWidth, kHeight);
    control.Draw(canvas.DC(), RECT{0, 0, kWidth, kHeight});
    EXPECT_EQ(RGB(255, 127, 127), canvas.Pixel(5, 5));

    ASSERT_TRUE(control.SaveFile(folder / "saved.bmp", PictureFileType::Bmp));
    PictureControl reloaded;
    ASSERT_TRUE(reloaded.SetFileName(folder / "saved.bmp"));
    DibHolder plain(reloaded.CopyDib());
    EXPECT_EQ("", CheckDibQuadrants(plain.handle, kQuadrants, 0));

    control.SetDimming(0);
    DibHolder undimmed(control.CopyDib());
    EXPECT_EQ("", CheckDibQuadrants(undimmed.handle, kQuadrants, 0));
}

TEST(PictureControlTest, PastesABitmapFromTheClipboard)
{
    const Bytes dib = BuildDib(DibForm{}, kWidth, kHeight, [](int x, int y) -> std::uint32_t {
        return QuadrantAt(kQuadrants, x, y, kWidth, kHeight);
    });
    auto put = [](UINT format, HANDLE data) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        if (data)
            ::SetClipboardData(format, data);
        ::CloseClipboard();
    };

    PictureControl control;
    put(CF_DIB, ToGlobal(dib));
    ASSERT_TRUE(control.PasteFromClipboard());
    EXPECT_EQ(kWidth, control.Width());
    EXPECT_EQ(kHeight, control.Height());
    DibHolder fromDib(control.CopyDib());
    EXPECT_EQ("", CheckDibQuadrants(fromDib.handle, kQuadrants, 0));

    // A device bitmap, as a program puts its icon there.
    fw::DibSection canvas(16, 8);
    canvas.Fill(RGB(0, 0, 255));
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 8);
    ::ReleaseDC(nullptr, screen);
    {
        fw::MemoryDC memory;
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, 16, 8, canvas.DC(), 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
    }
    put(CF_BITMAP, bitmap);
    ASSERT_TRUE(control.PasteFromClipboard());
    EXPECT_EQ(16, control.Width());
    DibHolder fromBitmap(control.CopyDib());
    EXPECT_EQ(RGB(0, 0, 255), DibPixel(fromBitmap.handle, 3, 3));

    // An empty clipboard pastes nothing and the picture stays.
    put(0, nullptr);
    EXPECT_FALSE(control.PasteFromClipboard());
    EXPECT_EQ(16, control.Width());
}

TEST(PictureControlTest, PreviewFitsThePictureOnTheBackgroundColour)
{
    TempFolder folder;
    PixelImage halves;
    halves.Reset(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            halves.Row(y)[x] = x < 20 ? 0xFF0000 : 0x0000FF;
    ASSERT_TRUE(SaveWithCodec(halves, L"image/png", folder / "halves.png"));

    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    {
        PictureControl control;
        ASSERT_TRUE(control.CreateView(parent, 7, RECT{10, 10, 110, 110}));
        ASSERT_NE(nullptr, control.View());
        EXPECT_EQ(7, ::GetDlgCtrlID(control.View()));
        EXPECT_EQ(parent, ::GetParent(control.View()));
        control.SetBackColor(RGB(0, 255, 0));
        ASSERT_TRUE(control.SetFileName(folder / "halves.png"));

        fw::DibSection canvas(100, 100);
        ::SendMessageA(control.View(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(50, 10)) << "above the picture";
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 50));
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(75, 50));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(50, 90)) << "below the picture";

        control.Clear();
        ::SendMessageA(control.View(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(25, 50)) << "a cleared control shows only its background";
    }
    ::DestroyWindow(parent);

    // A window destroyed with its parent first leaves the control working as a decoder.
    HWND second = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    PictureControl control;
    ASSERT_TRUE(control.CreateView(second, 8, RECT{0, 0, 50, 50}));
    ::DestroyWindow(second);
    EXPECT_EQ(nullptr, control.View());
    EXPECT_TRUE(control.SetFileName(folder / "halves.png"));
}
