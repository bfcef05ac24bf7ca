// Damaged and hostile picture files, one table: lying headers of every format, and every fault the
// fuzzer (tools/fuzz) found, each refused or shown without harm.
#include "PictureFixtures.h"
#include "library/Dib.h"
#include "library/PictureLoad.h"
#include "library/Wmf.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>

using namespace fixtures;
using testsupport::TempFolder;

namespace {

// A plain Windows metafile made of the records given (function, then parameter words), with its end
// record, and an object table of the given size.
using WmfRecord = std::pair<WORD, std::vector<WORD>>;
Bytes MakeWmf(WORD objects, const std::vector<WmfRecord>& records, bool endRecord = true)
{
    Bytes body;
    DWORD largest = 3;
    auto append = [&](WORD function, const std::vector<WORD>& params) {
        const DWORD words = 3 + static_cast<DWORD>(params.size());
        largest = std::max(largest, words);
        for (int i = 0; i < 4; ++i)
            body.push_back(static_cast<std::uint8_t>(words >> (8 * i)));
        body.push_back(static_cast<std::uint8_t>(function));
        body.push_back(static_cast<std::uint8_t>(function >> 8));
        for (WORD param : params) {
            body.push_back(static_cast<std::uint8_t>(param));
            body.push_back(static_cast<std::uint8_t>(param >> 8));
        }
    };
    for (const WmfRecord& record : records)
        append(record.first, record.second);
    if (endRecord)
        append(0, {});
    Bytes file(18, 0);
    PutWord(file, 0, 1);
    PutWord(file, 2, 9);
    PutWord(file, 4, 0x300);
    PutDword(file, 6, static_cast<DWORD>((18 + body.size()) / 2));
    PutWord(file, 10, objects);
    PutDword(file, 12, largest);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// A window of 100 x 50 first, so the picture has a size of its own.
const WmfRecord kWindowOrigin{0x020B, {0, 0}};
const WmfRecord kWindowExtent{0x020C, {50, 100}};

// A run-length DIB of a few bytes that claims width x height pixels.
Bytes RunLengthClaim(DWORD compression, int width, int height)
{
    DibForm form;
    form.bitCount = compression == BI_RLE8 ? 8 : 4;
    form.compression = BI_RGB;
    form.table = {RGB(0, 0, 0), RGB(255, 255, 255)};
    form.coloursUsed = 2;
    Bytes dib = BuildDib(form, 1, 1, [](int, int) -> std::uint32_t { return 0; });
    dib.resize(40 + 8);
    PutDword(dib, 4, static_cast<DWORD>(width));
    PutDword(dib, 8, static_cast<DWORD>(height));
    PutDword(dib, 16, compression);
    for (std::uint8_t b : {std::uint8_t(2), std::uint8_t(1), std::uint8_t(0), std::uint8_t(1)}) // a run, the end
        dib.push_back(b);
    PutDword(dib, 20, 4);
    return dib;
}

// An enhanced metafile with a pen made and deleted, a region filled with a brush, a bitmap stretched
// and a text: the records the enhanced cases change.
Bytes EnhancedWithObjects()
{
    return RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, [](HDC dc) {
        HPEN pen = ::CreatePen(PS_SOLID, 2, RGB(0, 0, 255));
        HGDIOBJ old = ::SelectObject(dc, pen);
        ::Rectangle(dc, 5, 5, 50, 30);
        ::SelectObject(dc, old);
        ::DeleteObject(pen);
        HBRUSH brush = ::CreateSolidBrush(RGB(200, 0, 0));
        HRGN region = ::CreateRectRgn(10, 10, 40, 40);
        ::FillRgn(dc, region, brush);
        ::DeleteObject(region);
        ::DeleteObject(brush);
        Bytes dib = BuildDib(DibForm{}, 4, 4, [](int, int) -> std::uint32_t { return RGB(0, 255, 0); });
        ::StretchDIBits(dc, 0, 0, 8, 8, 0, 0, 4, 4, dib.data() + 40, reinterpret_cast<BITMAPINFO*>(dib.data()),
                        DIB_RGB_COLORS, SRCCOPY);
        ::TextOutA(dc, 0, 0, "Hej", 3);
    });
}

// An enhanced metafile that blends a 32-bit bitmap with its transparency.
Bytes EnhancedWithAlphaBlend()
{
    return RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, [](HDC dc) {
        fw::DibSection source(4, 4);
        source.Fill(RGB(0, 128, 0));
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
        ::GdiAlphaBlend(dc, 0, 0, 8, 8, source.DC(), 0, 0, 4, 4, blend);
    });
}

// An enhanced metafile with a pen, a pie, a copy of a bitmap and a world transform: the records whose
// sizes and transforms the fuzzer made lie.
Bytes EnhancedWithShapesAndCopies()
{
    return RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, [](HDC dc) {
        HPEN pen = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 200));
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        ::Pie(dc, 10, 10, 60, 40, 60, 10, 10, 40);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(pen);
        HDC memory = ::CreateCompatibleDC(dc);
        HBITMAP bitmap = ::CreateCompatibleBitmap(dc, 6, 6);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::PatBlt(memory, 0, 0, 6, 6, WHITENESS);
        ::StretchBlt(dc, 70, 0, 12, 12, memory, 0, 0, 6, 6, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::SetGraphicsMode(dc, GM_ADVANCED);
        const XFORM turn{0.8f, 0.6f, -0.6f, 0.8f, 5, 5};
        ::SetWorldTransform(dc, &turn);
        ::Ellipse(dc, 0, 0, 20, 10);
    });
}

Bytes WithFloat(Bytes bytes, size_t offset, float value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
    return bytes;
}

Bytes With(Bytes bytes, size_t offset, DWORD value)
{
    PutDword(bytes, offset, value);
    return bytes;
}

Bytes WithWord(Bytes bytes, size_t offset, WORD value)
{
    PutWord(bytes, offset, value);
    return bytes;
}

enum class Kind { Picture, PackedDib, Metafile };

// Reads the bytes as the programs read such a file; true when a picture came of it, which is then
// drawn as it would be on the screen.
bool Read(Kind kind, const std::string& path, const Bytes& bytes)
{
    fw::DibSection canvas(64, 48);
    switch (kind) {
    case Kind::Picture: {
        WriteBytes(path, bytes);
        PictureControl control;
        HGLOBAL dib = LoadScaledDib(control, path, RGB(255, 255, 255), SIZE{1024, 768});
        if (!dib)
            return false;
        PaintDib(canvas.DC(), RECT{0, 0, 64, 48}, dib, RECT{0, 0, DibWidth(dib), DibHeight(dib)}, nullptr);
        ::GlobalFree(dib);
        return true;
    }
    case Kind::PackedDib: {
        HGLOBAL dib = ToGlobal(bytes);
        const int width = DibWidth(dib), height = DibHeight(dib);
        const bool taken = width > 0 && PaintDib(canvas.DC(), RECT{0, 0, 64, 48}, dib, RECT{0, 0, width, height}, nullptr) > 0;
        ::GlobalFree(dib);
        return taken;
    }
    case Kind::Metafile: {
        WriteBytes(path, bytes);
        WMF metafile;
        if (metafile.Load(path) != WMF::Loaded)
            return false;
        metafile.Draw(canvas.DC(), RECT{0, 0, 64, 48});
        return true;
    }
    }
    return false;
}

} // namespace

TEST(HostileInput, EveryFormatRefusesWhatWouldHarmAndTakesWhatIsSound)
{
    TempFolder folder;
    // ---- raster pictures ----
    const PixelImage quadrants = QuadrantPicture(8, 6);
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/png", folder / "good.png"));
    ASSERT_TRUE(SaveWithCodec(quadrants, L"image/jpeg", folder / "good.jpg"));
    Bytes hugePng = ReadBytes(folder / "good.png");
    PutBigEndian(hugePng, 16, 100000);
    PutBigEndian(hugePng, 20, 100000);
    PutBigEndian(hugePng, 29, Crc32(hugePng.data() + 12, 17));
    Bytes hugeJpeg = ReadBytes(folder / "good.jpg");
    for (size_t i = 2; i + 9 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
            PutWord(hugeJpeg, i + 5, 0x3075); // 30000, big-endian
            PutWord(hugeJpeg, i + 7, 0x3075);
            break;
        }
    const Bytes gif = MakeGif(8, 6, {RGB(0, 0, 0), RGB(255, 255, 255)}, [](int x, int) { return x & 1; });
    const Bytes hugeGif = WithWord(WithWord(WithWord(WithWord(gif, 6, 60000), 8, 60000), 13 + 768 + 5, 60000),
                                   13 + 768 + 7, 60000);
    const Bytes bmp = MakeBmpFile(BuildDib(DibForm{}, 8, 6, [](int, int) -> std::uint32_t { return 0; }));
    PcxForm twoColours;
    twoColours.bitsPerPixel = 1;
    twoColours.planes = 4;
    const Bytes pcx = MakePcx(twoColours, 1, 1, [](int, int, int) { return 1; });
    // Four planes of 65535 bytes on 16385 lines: 4 GB, which a 32-bit size wraps to 196604 bytes.
    Bytes wrappingPcx = WithWord(WithWord(pcx, 66, 65535), 10, 16384);
    wrappingPcx.resize(128 + 64, 0x11);

    // ---- metafiles ----
    const Bytes frameRegion = RecordWindowsMetafile(true, [](HDC dc) {
        HRGN region = ::CreateRectRgn(10, 10, 60, 40);
        HBRUSH brush = ::CreateSolidBrush(RGB(0, 120, 0));
        ::FrameRgn(dc, region, brush, 12, 14);
        ::FillRgn(dc, region, brush);
        ::DeleteObject(brush);
        ::DeleteObject(region);
    });
    const size_t fill = FindWmfRecord(frameRegion, 0x0228), frame = FindWmfRecord(frameRegion, 0x0429);
    const Bytes emf = EnhancedWithObjects();
    const size_t deleteObject = FindEmfRecord(emf, EMR_DELETEOBJECT), fillRegion = FindEmfRecord(emf, EMR_FILLRGN);
    const size_t stretch = FindEmfRecord(emf, EMR_STRETCHDIBITS);
    const Bytes blend = EnhancedWithAlphaBlend();
    const size_t alpha = FindEmfRecord(blend, EMR_ALPHABLEND);
    ASSERT_TRUE(fill && frame && deleteObject && fillRegion && stretch && alpha) << "a recording lacks a record";
    const Bytes shapes = EnhancedWithShapesAndCopies();
    const size_t pie = FindEmfRecord(shapes, EMR_PIE), copy = FindEmfRecord(shapes, EMR_STRETCHBLT);
    const size_t transform = FindEmfRecord(shapes, EMR_SETWORLDTRANSFORM), pen = FindEmfRecord(shapes, EMR_CREATEPEN);
    ASSERT_TRUE(pie && copy && transform && pen) << "the shapes' recording lacks a record";
    const std::vector<WORD> fontOfNineWords = {12, 0, 0, 0, 400, 0, 0, 0, 0};

    const struct {
        const char* what;
        Kind kind;
        const char* file;
        Bytes bytes;
        bool taken;
    } cases[] = {
        // Lying sizes in the header of every raster format.
        {"PNG claiming 100000 x 100000", Kind::Picture, "h.png", hugePng, false},
        {"JPEG claiming 30000 x 30000", Kind::Picture, "h.jpg", hugeJpeg, false},
        {"GIF claiming 60000 x 60000", Kind::Picture, "h.gif", hugeGif, false},
        {"BMP claiming 30000 x 30000", Kind::Picture, "h.bmp", With(With(bmp, 18, 30000), 22, 30000), false},
        {"PCX whose lines' size wraps in 32 bits", Kind::Picture, "w.pcx", wrappingPcx, false},
        {"PCX of 60000 lines in a few bytes", Kind::Picture, "l.pcx", WithWord(pcx, 10, 59999), false},
        {"DIB claiming 30000 x 30000", Kind::PackedDib, "", With(With(BuildDib(DibForm{}, 4, 4, [](int, int) -> std::uint32_t { return 0; }), 4, 30000), 8, 30000), false},
        // Run-length bits of a few bytes claiming a picture that takes the decoder seconds (or crashes it).
        {"run-length BMP of 6 x 8000000", Kind::Picture, "r.bmp", MakeBmpFile(RunLengthClaim(BI_RLE8, 6, 8000000)), false},
        {"run-length DIB of 6 x 16000000", Kind::PackedDib, "", RunLengthClaim(BI_RLE8, 6, 16000000), false},
        {"run-length DIB 134 million wide", Kind::PackedDib, "", RunLengthClaim(BI_RLE4, 0x08000008, 1), false},
        {"run-length DIB of 4000 x 4000", Kind::PackedDib, "", RunLengthClaim(BI_RLE8, 4000, 4000), true},

        // Windows metafiles: the system's own recording of a framed and a filled region plays.
        {"regions framed and filled by the system's recorder", Kind::Metafile, "f.wmf", frameRegion, true},
        {"a fill's brush beyond the object table", Kind::Metafile, "b.wmf", WithWord(frameRegion, fill + 6, 200), false},
        {"a fill's region beyond the object table", Kind::Metafile, "r.wmf", WithWord(frameRegion, fill + 8, 200), false},
        {"a frame's brush beyond the object table", Kind::Metafile, "g.wmf", WithWord(frameRegion, frame + 6 + 4, 200), false},
        {"a frame's region beyond the object table", Kind::Metafile, "h.wmf", WithWord(frameRegion, frame + 6 + 6, 200), false},
        {"a stretched bitmap without its bitmap", Kind::Metafile, "s.wmf",
         MakeWmf(0, {kWindowOrigin, kWindowExtent, {0x0B41, std::vector<WORD>(10, 1)}}), false},
        {"a font whose face name the file does not hold", Kind::Metafile, "n.wmf",
         MakeWmf(1, {kWindowOrigin, kWindowExtent, {0x02FB, fontOfNineWords}}), false},
        {"an old device bitmap", Kind::Metafile, "o.wmf",
         MakeWmf(0, {kWindowOrigin, kWindowExtent, {0x0922, {0, 0x00CC, 0, 0, 8, 8, 0, 0, 0, 8, 8, 2, 1, 1, 0, 0, 0, 0}}}), false},
        {"an escape to the device", Kind::Metafile, "e.wmf", MakeWmf(0, {kWindowOrigin, kWindowExtent, {0x0626, {8, 2, 1}}}), false},
        {"a comment", Kind::Metafile, "c.wmf", MakeWmf(0, {kWindowOrigin, kWindowExtent, {0x0626, {15, 4, 0x6548, 0x006A}}}), true},
        {"a palette picked by the word after a short record", Kind::Metafile, "p.wmf",
         MakeWmf(2, {kWindowOrigin, kWindowExtent, {0x0234, {0}}}), false},
        {"a polygon count that reads as negative", Kind::Metafile, "q.wmf",
         MakeWmf(0, {kWindowOrigin, kWindowExtent, {0x0538, {2, 0xFFFF, 3, 0, 0, 5, 0, 5, 5}}}), false},

        // Enhanced metafiles.
        {"objects, a region, a bitmap and a text", Kind::Metafile, "a.emf", emf, true},
        {"a stock object deleted", Kind::Metafile, "d.emf", With(emf, deleteObject + 8, 0x80000001), false},
        {"a region filled with a stock brush", Kind::Metafile, "r.emf", With(emf, fillRegion + 28, 0x80000004), false},
        {"a bitmap header of size 0 where the player reads one", Kind::Metafile, "z.emf", With(emf, stretch + 52, 0), false},
        {"a reference device of negative millimetres", Kind::Metafile, "m.emf", With(emf, 80, 0x80000111), false},
        {"a reference device of 0 pixels", Kind::Metafile, "p.emf", With(emf, 72, 0), false},
        {"a blended bitmap", Kind::Metafile, "b.emf", blend, true},
        {"blended bits larger than their bitmap", Kind::Metafile, "l.emf", With(blend, alpha + 96, 0x10000), false},
        {"a colour space used", Kind::Metafile, "c.emf", With(emf, FindEmfRecord(emf, EMR_SELECTOBJECT), 100), false},
        {"shapes, a copy and a world transform", Kind::Metafile, "s.emf", shapes, true},
        {"a pie a billion pixels wide, passed over when drawn", Kind::Metafile, "p.emf", With(shapes, pie + 16, 0x40000000), true},
        {"a pen four million units wide, cut when drawn", Kind::Metafile, "n.emf", With(shapes, pen + 16, 0x3C0000), true},
        {"a copy from a source two billion pixels wide", Kind::Metafile, "w.emf", With(shapes, copy + 100, 0x7B7B7B7B), false},
        {"a copy's own transform that cannot be undone", Kind::Metafile, "u.emf", WithFloat(WithFloat(shapes, copy + 52, 0), copy + 64, 0), false},
        {"a world transform scaling by two thousand billion", Kind::Metafile, "t.emf", WithFloat(shapes, transform + 8, -2.2e12f), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.taken, Read(c.kind, c.file[0] ? folder / c.file : std::string(), c.bytes));
    }
}

// What the player is given: fonts no larger than the picture lets them be, and nothing after the
// end record.
TEST(HostileInput, FontsAreCutToThePictureAndNothingAfterTheEndIsPlayed)
{
    TempFolder folder;
    // A font 30000 units high in a picture 100 wide: cut to 400.
    std::vector<WORD> hugeFont = {static_cast<WORD>(-30000), 30000, 0, 0, 400, 0, 0, 0, 0};
    hugeFont.resize(9 + 16, 0);
    const Bytes text = MakeWmf(1, {kWindowOrigin, kWindowExtent, {0x02FB, hugeFont}, {0x012D, {0}},
                                   {0x0521, {3, 0x6548, 0x006A, 5, 5}}});
    WriteBytes(folder / "text.wmf", text);
    WMF metafile;
    ASSERT_EQ(WMF::Loaded, metafile.Load(folder / "text.wmf"));
    Bytes played(::GetMetaFileBitsEx(metafile.MetaFile(), 0, nullptr));
    ::GetMetaFileBitsEx(metafile.MetaFile(), static_cast<UINT>(played.size()), played.data());
    const size_t wmfFont = FindWmfRecord(played, 0x02FB);
    ASSERT_NE(0u, wmfFont);
    EXPECT_EQ(-400, static_cast<SHORT>(played[wmfFont + 6] | (played[wmfFont + 7] << 8)));
    EXPECT_EQ(400, static_cast<SHORT>(played[wmfFont + 8] | (played[wmfFont + 9] << 8)));

    // Records after the end record, one of them selecting object 500: the player never sees them.
    Bytes trailing = MakeWmf(0, {kWindowOrigin, kWindowExtent});
    const Bytes after = MakeWmf(0, {{0x012D, {500}}}, false);
    trailing.insert(trailing.end(), after.begin() + 18, after.end());
    PutDword(trailing, 6, static_cast<DWORD>(trailing.size() / 2));
    WriteBytes(folder / "trailing.wmf", trailing);
    ASSERT_EQ(WMF::Loaded, metafile.Load(folder / "trailing.wmf"));
    EXPECT_EQ(trailing.size() - (after.size() - 18), ::GetMetaFileBitsEx(metafile.MetaFile(), 0, nullptr));

    // An enhanced metafile's font is cut as it is played: played into a recording, the font the
    // player made there is 4096 device pixels high at most, where the file asks for 30000.
    const Bytes enhanced = RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, [](HDC dc) {
        HFONT big = ::CreateFontA(-30000, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ old = ::SelectObject(dc, big);
        ::TextOutA(dc, 0, 0, "Hej", 3);
        ::SelectObject(dc, old);
        ::DeleteObject(big);
    });
    WriteBytes(folder / "text.emf", enhanced);
    ASSERT_EQ(WMF::Loaded, metafile.Load(folder / "text.emf"));
    const Bytes replayed = RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, [&](HDC dc) {
        metafile.Draw(dc, RECT{0, 0, 189, 113}); // the frame's size in the recording's own pixels
    });
    const size_t font = FindEmfRecord(replayed, EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_NE(0u, font);
    LONG height = 0;
    std::memcpy(&height, replayed.data() + font + 12, 4);
    EXPECT_GE(height, -4096 - 1);
    EXPECT_LT(height, 0);
}
