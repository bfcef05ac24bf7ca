// Raster pictures for drawing: the size a picture is shrunk to, and decoding a file into a shrunk DIB.
#include "PictureFixtures.h"
#include "library/Dib.h"
#include "library/PictureLoad.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace fixtures;
using testsupport::TempFolder;

TEST(PictureLoadTest, FitPictureSizeKeepsTheProportionsInsideTheMaximum)
{
    const struct {
        SIZE picture, maximum, expected;
    } cases[] = {
        {{2048, 1536}, {1024, 768}, {1024, 768}},
        {{2000, 500}, {1024, 768}, {1024, 256}},
        {{500, 2000}, {1024, 768}, {192, 768}},
        {{1025, 10}, {1024, 768}, {1024, 9}},     // truncated, not rounded
        {{800, 600}, {1024, 768}, {800, 600}},    // inside: unchanged, never enlarged
        {{1024, 768}, {1024, 768}, {1024, 768}},
        {{1024, 769}, {1024, 768}, {1022, 768}},
        {{100000, 1}, {1024, 768}, {1024, 1}},    // would be 0 high: kept at 1
        {{1, 100000}, {1024, 768}, {1, 768}},
        {{2048, 1536}, {0, 768}, {2048, 1536}},   // no maximum
    };
    for (const auto& c : cases) {
        const SIZE fitted = FitPictureSize(c.picture, c.maximum);
        EXPECT_EQ(c.expected.cx, fitted.cx) << c.picture.cx << " x " << c.picture.cy;
        EXPECT_EQ(c.expected.cy, fitted.cy) << c.picture.cx << " x " << c.picture.cy;
    }
}

TEST(PictureLoadTest, LoadScaledDibShrinksLargePicturesOnly)
{
    TempFolder folder;
    ASSERT_TRUE(SaveWithCodec(QuadrantPicture(2000, 500), L"image/png", folder / "wide.png"));
    ASSERT_TRUE(SaveWithCodec(QuadrantPicture(40, 30), L"image/jpeg", folder / "small.jpg"));
    PictureControl control;
    control.SetDimming(100); // left over from a dimmed block

    HGLOBAL wide = LoadScaledDib(control, folder / "wide.png", RGB(255, 255, 255), SIZE{1024, 768});
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(1024, DibWidth(wide));
    EXPECT_EQ(256, DibHeight(wide));
    EXPECT_EQ("", CheckDibQuadrants(wide, kQuadrants, 0));
    ::GlobalFree(wide);

    HGLOBAL small = LoadScaledDib(control, folder / "small.jpg", RGB(255, 255, 255), SIZE{1024, 768});
    ASSERT_NE(nullptr, small);
    EXPECT_EQ(40, DibWidth(small));
    EXPECT_EQ(30, DibHeight(small));
    ::GlobalFree(small);

    EXPECT_EQ(nullptr, LoadScaledDib(control, folder / "missing.png", 0, SIZE{1024, 768}));
    EXPECT_EQ(nullptr, LoadScaledDib(control, "", 0, SIZE{1024, 768}));
}

TEST(PictureLoadTest, LoadScaledDibLaysTransparencyOnTheBackground)
{
    TempFolder folder;
    std::vector<std::uint32_t> clear(16 * 16, 0x00000000);
    ASSERT_TRUE(SavePngWithAlpha(folder / "clear.png", 16, 16, clear));
    PictureControl control;
    HGLOBAL dib = LoadScaledDib(control, folder / "clear.png", RGB(10, 20, 30), SIZE{1024, 768});
    ASSERT_NE(nullptr, dib);
    EXPECT_EQ(RGB(10, 20, 30), DibPixel(dib, 8, 8));
    ::GlobalFree(dib);
}
