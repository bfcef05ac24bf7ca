// PCX pictures: each kind that drawing programs write decodes to the right colours, also from files
// made by another program; damaged and lying files decode to nothing.
#include "PictureFixtures.h"
#include "components/PcxDecoder.h"
#include "components/PictureControl.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace fixtures;

namespace {

constexpr int kWidth = 21; // odd, so lines end inside a byte
constexpr int kHeight = 10;

int QuadrantIndex(int x, int y)
{
    return (y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1);
}

std::string CheckPicture(const PixelImage& picture, const Quadrants& q)
{
    if (picture.Width() != kWidth || picture.Height() != kHeight)
        return "size " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
    std::string problems;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t p = picture.Pixel(x, y);
            const COLORREF got = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            const COLORREF want = QuadrantAt(q, x, y, kWidth, kHeight);
            if (got != want && problems.size() < 200)
                problems += "(" + std::to_string(x) + "," + std::to_string(y) + ") " + Describe(got) + "; ";
        }
    return problems;
}

const std::vector<COLORREF> kSixteen = {kQuadrants.topLeft, kQuadrants.topRight, kQuadrants.bottomLeft,
                                        kQuadrants.bottomRight, RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3),
                                        RGB(4, 4, 4), RGB(5, 5, 5), RGB(6, 6, 6), RGB(7, 7, 7), RGB(8, 8, 8),
                                        RGB(9, 9, 9), RGB(10, 10, 10), RGB(11, 11, 11), RGB(12, 12, 12)};

std::vector<COLORREF> Table256()
{
    std::vector<COLORREF> table(256, RGB(0, 0, 0));
    table[10] = kQuadrants.topLeft;
    table[20] = kQuadrants.topRight;
    table[30] = kQuadrants.bottomLeft;
    table[40] = kQuadrants.bottomRight;
    return table;
}

} // namespace

TEST(PcxTest, EveryKindDecodesToItsColours)
{
    const std::vector<COLORREF> table = Table256();
    const Quadrants grey{RGB(10, 10, 10), RGB(20, 20, 20), RGB(30, 30, 30), RGB(40, 40, 40)};
    const Quadrants twoColours{RGB(255, 255, 0), RGB(0, 0, 128), RGB(0, 0, 128), RGB(255, 255, 0)};
    const Quadrants blackWhite{RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)};

    struct Case {
        const char* name;
        PcxForm form;
        std::function<int(int, int, int)> sample;
        Quadrants expected;
    };
    auto form = [](int bits, int planes) {
        PcxForm f;
        f.bitsPerPixel = bits;
        f.planes = planes;
        return f;
    };
    auto colourPlanes = [](int x, int y, int plane) {
        const COLORREF c = QuadrantAt(kQuadrants, x, y, kWidth, kHeight);
        return plane == 0 ? GetRValue(c) : plane == 1 ? GetGValue(c) : plane == 2 ? GetBValue(c) : 255;
    };
    auto indexes256 = [](int x, int y, int) { return 10 * (QuadrantIndex(x, y) + 1); };
    auto indexes16 = [](int x, int y, int) { return QuadrantIndex(x, y); };
    auto planarIndexes = [](int x, int y, int plane) { return (QuadrantIndex(x, y) >> plane) & 1; };
    auto diagonal = [](int x, int y, int) { return QuadrantIndex(x, y) == 1 || QuadrantIndex(x, y) == 2 ? 1 : 0; };

    std::vector<Case> cases;
    cases.push_back({"24-bit in three planes", form(8, 3), colourPlanes, kQuadrants});
    cases.push_back({"32-bit in four planes", form(8, 4), colourPlanes, kQuadrants});
    PcxForm palette = form(8, 1);
    palette.table256 = &table;
    cases.push_back({"256 colours with the table at the end", palette, indexes256, kQuadrants});
    PcxForm crossing = palette;
    crossing.crossLines = true;
    cases.push_back({"256 colours, runs across line ends", crossing, indexes256, kQuadrants});
    PcxForm plainBytes = palette;
    plainBytes.runLength = false;
    cases.push_back({"256 colours, not run-length coded", plainBytes, indexes256, kQuadrants});
    cases.push_back({"256 colours without a table: grey", form(8, 1), indexes256, grey});
    PcxForm sixteen = form(1, 4);
    sixteen.headerColours = kSixteen;
    cases.push_back({"16 colours in four planes", sixteen, planarIndexes, kQuadrants});
    PcxForm packed = form(4, 1);
    packed.headerColours = kSixteen;
    cases.push_back({"16 colours packed", packed, indexes16, kQuadrants});
    PcxForm two = form(1, 1);
    two.headerColours = {RGB(255, 255, 0), RGB(0, 0, 128)};
    cases.push_back({"two colours from the header", two, diagonal, twoColours});
    cases.push_back({"two colours, empty header table", form(1, 1), diagonal, blackWhite});
    PcxForm wideLines = palette;
    wideLines.bytesPerLine = 40;
    cases.push_back({"lines longer than the picture", wideLines, indexes256, kQuadrants});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = MakePcx(c.form, kWidth, kHeight, c.sample);
        ASSERT_TRUE(pcx::LooksLikePcx(file.data(), file.size()));
        PixelImage picture;
        ASSERT_TRUE(pcx::Decode(file.data(), file.size(), picture));
        EXPECT_EQ("", CheckPicture(picture, c.expected));
    }
}

// Files written by ImageMagick (see fixtures/README): a reader that only agrees with our own writer
// could share its mistakes.
TEST(PcxTest, ReadsFilesWrittenByAnotherProgram)
{
    for (const char* name : {"quadrants-8bit.pcx", "quadrants-24bit.pcx"}) {
        SCOPED_TRACE(name);
        PictureControl control;
        ASSERT_TRUE(control.SetFileName(std::string(PICTURE_FIXTURES) + "/" + name));
        ASSERT_EQ(kWidth, control.Width());
        ASSERT_EQ(kHeight, control.Height());
        HGLOBAL dib = control.CopyDib();
        EXPECT_EQ("", CheckDibQuadrants(dib, kQuadrants, 0));
        ::GlobalFree(dib);
    }
}

TEST(PcxTest, DamagedAndLyingFilesDecodeToNothing)
{
    const std::vector<COLORREF> table = Table256();
    PcxForm palette;
    palette.table256 = &table;
    const Bytes good = MakePcx(palette, kWidth, kHeight, [](int x, int y, int) { return QuadrantIndex(x, y); });
    PcxForm planes;
    planes.planes = 3;
    const Bytes goodPlanes = MakePcx(planes, kWidth, kHeight, [](int, int, int) { return 7; });
    auto with = [](Bytes bytes, size_t offset, std::uint8_t value) {
        bytes[offset] = value;
        return bytes;
    };
    auto withWord = [](Bytes bytes, size_t offset, WORD value) {
        PutWord(bytes, offset, value);
        return bytes;
    };

    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"header only", Bytes(good.begin(), good.begin() + 128)},
        {"lines cut short", Bytes(good.begin(), good.begin() + 140)},
        {"three planes cut short", Bytes(goodPlanes.begin(), goodPlanes.end() - 5)},
        {"a run byte with nothing after it", with(Bytes(goodPlanes.begin(), goodPlanes.begin() + 129), 128, 0xC5)},
        {"lines narrower than the width", withWord(good, 66, 4)},
        {"right edge left of the left edge", withWord(good, 8, 0xFFF0)},
        {"a million by a million pixels", withWord(withWord(good, 8, 30000), 10, 30000)},
        {"two bits a pixel", with(good, 3, 2)},
        {"8 bits in two planes", with(good, 65, 2)},
        {"unknown encoding", with(good, 2, 7)},
        {"not a PCX maker byte", with(good, 0, 0x0B)},
        {"too short for a header", Bytes(good.begin(), good.begin() + 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PixelImage picture;
        EXPECT_FALSE(pcx::Decode(c.bytes.data(), c.bytes.size(), picture));
        EXPECT_TRUE(picture.IsEmpty());
    }
    PixelImage picture;
    EXPECT_FALSE(pcx::Decode(nullptr, 0, picture));
}
