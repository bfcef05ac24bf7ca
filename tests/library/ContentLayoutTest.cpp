// The geometry of a drawn content object: label font heights, the label band, the fitted picture,
// a library picture's black band, the area of the cross, and the font that shrinks to fit.
#include "library/ContentLayout.h"
#include <gtest/gtest.h>
#include <string>

using namespace content_layout;

namespace {

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

} // namespace

TEST(ContentLayoutTest, LabelFontHeightFollowsTheLabelsLength)
{
    const struct {
        size_t length;
        int width;
        int expected;
    } cases[] = {
        {1, 300, 32},  {20, 300, 32}, {21, 300, 22}, {30, 300, 22}, {31, 300, 18}, {200, 300, 18},
        {20, 100, 10}, {21, 100, 7},  {31, 100, 6},  {20, 9, 0}, // too narrow for any text
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, LabelFontHeight(c.length, c.width)) << c.length << " characters over " << c.width;
}

TEST(ContentLayoutTest, LaysOutLabelPictureAndCross)
{
    const struct {
        const char* what;
        RECT box;
        LayoutInput input;
        RECT label;
        int font;
        RECT picture;
        RECT band;
        RECT cross;
    } cases[] = {
        {"a short label takes its band; the picture stands on the bottom below it",
         {0, 0, 300, 300}, {4, false, {200, 100}, false},
         {0, 0, 300, 34}, 32, {0, 150, 300, 300}, {}, {0, 34, 300, 300}},
        {"a 21-character label takes a lower band",
         {0, 0, 300, 300}, {21, false, {200, 100}, false},
         {0, 0, 300, 24}, 22, {0, 150, 300, 300}, {}, {0, 24, 300, 300}},
        {"a tall picture is centred across what is left",
         {0, 0, 300, 300}, {4, false, {100, 100}, false},
         {0, 0, 300, 34}, 32, {17, 34, 283, 300}, {}, {0, 34, 300, 300}},
        {"a wide picture in a tall box stands on the bottom edge",
         {10, 10, 110, 210}, {0, false, {200, 100}, false},
         {}, 0, {10, 160, 110, 210}, {}, {10, 10, 110, 210}},
        {"a wide picture centred down the box",
         {10, 10, 110, 210}, {0, false, {200, 100}, true},
         {}, 0, {10, 85, 110, 135}, {}, {10, 10, 110, 210}},
        {"odd space is split with the larger half after the picture",
         {0, 0, 101, 50}, {0, false, {100, 50}, true},
         {}, 0, {0, 0, 100, 50}, {}, {0, 0, 101, 50}},
        {"a library picture fills the box and writes its label in its black band",
         {0, 0, 200, 200}, {3, true, {100, 100}, false},
         {0, 0, 200, 32}, 30, {0, 0, 200, 200}, {0, 0, 200, 30}, {0, 0, 200, 200}},
        {"a library picture keeps its band without a label",
         {0, 0, 200, 100}, {0, true, {100, 100}, true},
         {}, 0, {50, 0, 150, 100}, {50, 0, 150, 15}, {0, 0, 200, 100}},
        {"a library picture without its picture shows its label like any other",
         {0, 0, 200, 200}, {3, true, {0, 0}, false},
         {0, 0, 200, 23}, 21, {}, {}, {0, 23, 200, 200}},
        {"a label band never reaches past a flat box, and its font keeps inside the band",
         {0, 40, 300, 60}, {4, false, {200, 100}, false},
         {0, 40, 300, 60}, 18, {}, {}, {0, 40, 300, 60}},
        {"a box two pixels high leaves no room for text",
         {0, 0, 300, 2}, {4, false, {0, 0}, false},
         {0, 0, 300, 2}, 0, {}, {}, {0, 0, 300, 2}},
        {"without picture or label the cross spans the box",
         {5, 5, 50, 60}, {0, false, {0, 0}, false},
         {}, 0, {}, {}, {5, 5, 50, 60}},
    };
    for (const auto& c : cases) {
        const Layout layout = LayOut(c.box, c.input);
        EXPECT_EQ(Show(c.label), Show(layout.label)) << c.what;
        EXPECT_EQ(c.font, layout.fontHeight) << c.what;
        EXPECT_EQ(Show(c.picture), Show(layout.picture)) << c.what;
        EXPECT_EQ(Show(c.band), Show(layout.libraryBand)) << c.what;
        EXPECT_EQ(Show(c.cross), Show(layout.crossArea)) << c.what;
    }
}

TEST(ContentLayoutTest, FitPictureKeepsTheProportions)
{
    const struct {
        RECT box;
        SIZE picture;
        bool centre;
        RECT expected;
    } cases[] = {
        {{0, 0, 100, 100}, {100, 100}, true, {0, 0, 100, 100}},
        {{0, 0, 100, 100}, {10, 10}, false, {0, 0, 100, 100}},      // small pictures grow to the box
        {{0, 0, 100, 100}, {1000, 1}, true, {}},                    // a line too thin to draw
        {{0, 0, 300, 100}, {50, 100}, false, {125, 0, 175, 100}},
        {{0, 0, 100, 100}, {3, 1}, false, {0, 67, 100, 100}},       // 100 / 3 truncated to 33
        {{0, 0, 0, 100}, {50, 100}, false, {}},
        {{0, 0, 100, 100}, {0, 100}, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(c.expected), Show(FitPicture(c.box, c.picture, c.centre)))
            << Show(c.box) << " " << c.picture.cx << " x " << c.picture.cy;
}

TEST(ContentLayoutTest, LibraryBandIsFifteenPercentTruncated)
{
    EXPECT_EQ(30, LibraryBandHeight(RECT{0, 0, 10, 200}));
    EXPECT_EQ(14, LibraryBandHeight(RECT{0, 10, 10, 109}));
    EXPECT_EQ(0, LibraryBandHeight(RECT{0, 0, 10, 6}));
}

TEST(ContentLayoutTest, LabelFontShrinksByTwoUntilTheTextFits)
{
    int calls = 0;
    const auto tenPerPixel = [&](int height) {
        ++calls;
        return 10 * height;
    };
    EXPECT_EQ(10, ShrinkLabelFont(32, 100, tenPerPixel));
    EXPECT_EQ(12, calls); // 32, 30, ..., 10
    EXPECT_EQ(32, ShrinkLabelFont(32, 320, tenPerPixel));
}

// A text that never fits stops at the smallest height instead of asking for a font of height 0
// (the system's default size) and then ever larger negative heights.
TEST(ContentLayoutTest, LabelFontThatNeverFitsStopsAtTheSmallestHeight)
{
    int calls = 0;
    const auto neverFits = [&](int height) {
        ++calls;
        EXPECT_GE(height, 1);
        return 100000;
    };
    EXPECT_EQ(2, ShrinkLabelFont(32, 100, neverFits));
    EXPECT_EQ(15, calls); // 32, 30, ..., 4
    EXPECT_EQ(1, ShrinkLabelFont(31, 100, neverFits));
    calls = 0;
    EXPECT_EQ(0, ShrinkLabelFont(0, 100, neverFits));
    EXPECT_EQ(0, calls);
}
