// Packed DIBs: every header form paints the right way up, the measures match the header, and a
// damaged or lying header is refused instead of being read past its end.
#include "PictureFixtures.h"
#include "library/Dib.h"
#include <gtest/gtest.h>

using namespace fixtures;

namespace {

constexpr int kWidth = 8;
constexpr int kHeight = 6;

// Indexes 0-3 stand for the four quadrants in indexed forms.
PixelSource QuadrantIndexes()
{
    return [](int x, int y) -> std::uint32_t {
        return (y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1);
    };
}

PixelSource QuadrantColours()
{
    return [](int x, int y) -> std::uint32_t { return QuadrantAt(kQuadrants, x, y, kWidth, kHeight); };
}

std::vector<COLORREF> QuadrantTable(size_t size)
{
    std::vector<COLORREF> table(size, RGB(0, 0, 0));
    table[0] = kQuadrants.topLeft;
    table[1] = kQuadrants.topRight;
    table[2] = kQuadrants.bottomLeft;
    table[3] = kQuadrants.bottomRight;
    return table;
}

struct FormCase {
    const char* name;
    DibForm form;
    bool indexed;
    int colours; // expected DibNumColors
};

DibForm Form(DWORD headerSize, int bitCount, DWORD compression = BI_RGB, bool topDown = false)
{
    DibForm form;
    form.headerSize = headerSize;
    form.bitCount = bitCount;
    form.compression = compression;
    form.topDown = topDown;
    return form;
}

std::vector<FormCase> FormCases()
{
    std::vector<FormCase> cases;
    cases.push_back({"24-bit bottom-up", Form(40, 24), false, 0});
    cases.push_back({"24-bit top-down", Form(40, 24, BI_RGB, true), false, 0});
    cases.push_back({"32-bit", Form(40, 32), false, 0});
    cases.push_back({"16-bit 5-5-5", Form(40, 16), false, 0});

    DibForm fields16 = Form(40, 16, BI_BITFIELDS);
    fields16.masks[0] = 0xF800, fields16.masks[1] = 0x07E0, fields16.masks[2] = 0x001F;
    cases.push_back({"16-bit bit fields 5-6-5", fields16, false, 0});
    // Masks in an unusual order: a reader that ignores them swaps red and blue.
    DibForm fields32 = Form(40, 32, BI_BITFIELDS, true);
    fields32.masks[0] = 0x000000FF, fields32.masks[1] = 0x0000FF00, fields32.masks[2] = 0x00FF0000;
    cases.push_back({"32-bit bit fields, top-down", fields32, false, 0});
    DibForm v4 = Form(108, 32, BI_BITFIELDS);
    v4.masks[0] = 0x000000FF, v4.masks[1] = 0x0000FF00, v4.masks[2] = 0x00FF0000;
    cases.push_back({"V4 header, bit fields", v4, false, 0});
    cases.push_back({"V5 header, 24-bit top-down", Form(124, 24, BI_RGB, true), false, 0});

    DibForm eight = Form(40, 8);
    eight.coloursUsed = 4;
    eight.table = QuadrantTable(4);
    cases.push_back({"8-bit with 4 colours used", eight, true, 4});
    DibForm four = Form(40, 4);
    four.table = QuadrantTable(16);
    cases.push_back({"4-bit full table", four, true, 16});
    DibForm rle = Form(40, 8, BI_RLE8);
    rle.coloursUsed = 4;
    rle.table = QuadrantTable(4);
    cases.push_back({"8-bit run-length", rle, true, 4});
    DibForm core24 = Form(12, 24);
    cases.push_back({"core header 24-bit", core24, false, 0});
    DibForm core8 = Form(12, 8);
    core8.table = QuadrantTable(256);
    cases.push_back({"core header 8-bit", core8, true, 256});
    return cases;
}

struct Held {
    explicit Held(HGLOBAL h) : handle(h) {}
    ~Held() { ::GlobalFree(handle); }
    HGLOBAL handle;
};

const RECT kWhole{0, 0, kWidth, kHeight};

} // namespace

TEST(DibTest, EveryHeaderFormPaintsTheRightWayRoundAtOneToOneAndStretched)
{
    for (const FormCase& c : FormCases()) {
        SCOPED_TRACE(c.name);
        Held dib(ToGlobal(BuildDib(c.form, kWidth, kHeight, c.indexed ? QuadrantIndexes() : QuadrantColours())));
        EXPECT_EQ(kWidth, DibWidth(dib.handle));
        EXPECT_EQ(kHeight, DibHeight(dib.handle));
        EXPECT_EQ(c.colours, DibNumColors(dib.handle));
        EXPECT_EQ(static_cast<size_t>(c.colours) * (c.form.headerSize == 12 ? 3 : 4), DibPaletteSize(dib.handle));

        fw::DibSection same(kWidth, kHeight);
        EXPECT_EQ(kHeight, PaintDib(same.DC(), kWhole, dib.handle, kWhole, nullptr));
        EXPECT_EQ("", CheckQuadrants(same, kWhole, kQuadrants));

        fw::DibSection larger(kWidth * 3, kHeight * 3);
        const RECT stretched{0, 0, kWidth * 3, kHeight * 3};
        EXPECT_GT(PaintDib(larger.DC(), stretched, dib.handle, kWhole, nullptr), 0);
        EXPECT_EQ("", CheckQuadrants(larger, stretched, kQuadrants));
    }
}

// A source rectangle is given in picture rows from the top, whichever way the rows are stored.
TEST(DibTest, SourceRectangleCountsRowsFromTheTopForBothRowOrders)
{
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        Held dib(ToGlobal(BuildDib(Form(40, 24, BI_RGB, topDown), kWidth, kHeight, QuadrantColours())));
        const RECT bottomLeft{0, kHeight / 2, kWidth / 2, kHeight};
        const RECT topRight{kWidth / 2, 0, kWidth, kHeight / 2};

        fw::DibSection same(kWidth / 2, kHeight / 2);
        PaintDib(same.DC(), RECT{0, 0, kWidth / 2, kHeight / 2}, dib.handle, bottomLeft, nullptr);
        EXPECT_EQ(kQuadrants.bottomLeft, same.Pixel(1, 1));
        PaintDib(same.DC(), RECT{0, 0, kWidth / 2, kHeight / 2}, dib.handle, topRight, nullptr);
        EXPECT_EQ(kQuadrants.topRight, same.Pixel(1, 1));

        fw::DibSection stretched(kWidth * 2, kHeight * 2);
        PaintDib(stretched.DC(), RECT{0, 0, kWidth * 2, kHeight * 2}, dib.handle, bottomLeft, nullptr);
        EXPECT_EQ(kQuadrants.bottomLeft, stretched.Pixel(kWidth, kHeight));
        PaintDib(stretched.DC(), RECT{0, 0, kWidth * 2, kHeight * 2}, dib.handle, topRight, nullptr);
        EXPECT_EQ(kQuadrants.topRight, stretched.Pixel(kWidth, kHeight));
    }
}

TEST(DibTest, DamagedOrLyingHeadersAreRefusedEverywhere)
{
    DibForm eight = Form(40, 8);
    eight.coloursUsed = 4;
    eight.table = QuadrantTable(4);
    const Bytes good8 = BuildDib(eight, kWidth, kHeight, QuadrantIndexes());
    const Bytes good24 = BuildDib(Form(40, 24), kWidth, kHeight, QuadrantColours());
    const Bytes goodCore = BuildDib(Form(12, 24), kWidth, kHeight, QuadrantColours());

    struct Damage {
        const char* name;
        Bytes bytes;
    };
    std::vector<Damage> cases;
    auto with = [](Bytes bytes, size_t offset, DWORD value, size_t width = 4) {
        if (width == 4)
            PutDword(bytes, offset, value);
        else
            PutWord(bytes, offset, static_cast<WORD>(value));
        return bytes;
    };
    cases.push_back({"colours used above 256 for 8 bits", with(good8, 32, 300)});
    cases.push_back({"colours used far beyond the block", with(good24, 32, 100000)});
    cases.push_back({"header size 0", with(good24, 0, 0)});
    cases.push_back({"header size 41", with(good24, 0, 41)});
    cases.push_back({"header size past the block", with(good24, 0, 4000)});
    cases.push_back({"negative width", with(good24, 4, static_cast<DWORD>(-8))});
    cases.push_back({"height 0", with(good24, 8, 0)});
    cases.push_back({"width times height past the block", with(with(good24, 4, 0x7FFFFFFF), 8, 0x7FFFFFFF)});
    cases.push_back({"7 bits a pixel", with(good24, 14, 7, 2)});
    cases.push_back({"two planes", with(good24, 12, 2, 2)});
    cases.push_back({"JPEG compression", with(good24, 16, BI_JPEG)});
    cases.push_back({"bit fields on 24 bits", with(good24, 16, BI_BITFIELDS)});
    cases.push_back({"run-length top-down", with(with(good8, 16, BI_RLE8), 8, static_cast<DWORD>(-kHeight))});
    cases.push_back({"run-length without a size", with(good8, 16, BI_RLE8)});
    cases.push_back({"core header 16 bits", with(goodCore, 10, 16, 2)});
    Bytes shortBits = good24;
    shortBits.pop_back();
    cases.push_back({"bits one byte short", shortBits});
    cases.push_back({"three bytes", Bytes{40, 0, 0}});

    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        Held dib(ToGlobal(c.bytes));
        fw::DibSection canvas(kWidth, kHeight);
        canvas.Fill(RGB(1, 2, 3));
        EXPECT_EQ(0, PaintDib(canvas.DC(), kWhole, dib.handle, kWhole, nullptr));
        EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(2, 2)) << "nothing may be painted";
        EXPECT_EQ(0, DibWidth(dib.handle));
        EXPECT_EQ(0, DibHeight(dib.handle));
        EXPECT_EQ(0, DibNumColors(dib.handle));
        fw::Palette palette;
        EXPECT_FALSE(CreateDibPalette(dib.handle, palette));
        const Bytes copy = FromGlobal(dib.handle);
        EXPECT_EQ(nullptr, FindDibBits(copy.data(), copy.size()));
    }
}

TEST(DibTest, PaletteComesFromTheColourTableOfEitherForm)
{
    DibForm eight = Form(40, 8);
    eight.coloursUsed = 4;
    eight.table = QuadrantTable(4);
    DibForm core = Form(12, 4);
    core.table = QuadrantTable(16);
    for (const DibForm& form : {eight, core}) {
        SCOPED_TRACE(form.headerSize);
        Held dib(ToGlobal(BuildDib(form, kWidth, kHeight, QuadrantIndexes())));
        fw::Palette palette;
        ASSERT_TRUE(CreateDibPalette(dib.handle, palette));
        PALETTEENTRY entries[16]{};
        const UINT count = ::GetPaletteEntries(palette, 0, 16, entries);
        EXPECT_EQ(form.headerSize == 12 ? 16u : 4u, count);
        EXPECT_EQ(kQuadrants.topRight, RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue));
        EXPECT_EQ(kQuadrants.bottomLeft, RGB(entries[2].peRed, entries[2].peGreen, entries[2].peBlue));

        // Painting with the palette selected gives the same picture.
        fw::DibSection canvas(kWidth, kHeight);
        PaintDib(canvas.DC(), kWhole, dib.handle, kWhole, palette);
        EXPECT_EQ("", CheckQuadrants(canvas, kWhole, kQuadrants));
    }

    Held trueColour(ToGlobal(BuildDib(Form(40, 24), kWidth, kHeight, QuadrantColours())));
    fw::Palette none;
    EXPECT_FALSE(CreateDibPalette(trueColour.handle, none));
    EXPECT_FALSE(none);
}

TEST(DibTest, NullHandlesAndCopies)
{
    fw::DibSection canvas(kWidth, kHeight);
    fw::Palette palette;
    EXPECT_EQ(0, PaintDib(canvas.DC(), kWhole, nullptr, kWhole, nullptr));
    EXPECT_FALSE(CreateDibPalette(nullptr, palette));
    EXPECT_EQ(0, DibWidth(nullptr));
    EXPECT_EQ(nullptr, CopyDibHandle(nullptr));

    const Bytes bytes = BuildDib(Form(40, 24), kWidth, kHeight, QuadrantColours());
    Held original(ToGlobal(bytes));
    Held copy(CopyDibHandle(original.handle));
    ASSERT_NE(nullptr, copy.handle);
    EXPECT_NE(original.handle, copy.handle);
    EXPECT_EQ(bytes, FromGlobal(copy.handle));
}
