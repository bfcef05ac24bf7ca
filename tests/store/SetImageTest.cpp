// The set image's trailer and checksum.
#include "store/SetImage.h"
#include <gtest/gtest.h>
#include <numeric>
#include <windows.h>

namespace {

using Bytes = std::vector<BYTE>;

unsigned SumAfterSync(const Bytes& image)
{
    return std::accumulate(image.begin() + SetImage::kSyncLength, image.end(), 0u) % 256;
}

TEST(SetImageTest, AResetImageIsTheSync)
{
    SetImage image;
    EXPECT_TRUE(image.Bytes().empty());
    image.Append(Bytes{0x01, 0x81});
    image.Reset();
    EXPECT_EQ((Bytes{0x16, 0x16, 0x16}), image.Bytes());
}

TEST(SetImageTest, TheTrailerMakesTheBytesAfterTheSyncSumToZero)
{
    const struct {
        Bytes body;
        Bytes trailer;
    } cases[] = {
        {{}, {0x03, 0xF9, 0x04}},                 // the empty set: 256 - 7
        {{0xC9}, {0x03, 0x30, 0x04}},             // the lowest checksum that stands alone
        {{0xCA}, {0x03, 0x7F, 0xB0, 0x04}},       // 0x2F would be a control byte: shifted by 0x7F
        {{0xF9}, {0x03, 0x7F, 0x81, 0x04}},       // a checksum of 0
        {{0x01, 0x81, 0x80, 0x80, 0x80, 0x80, 0x80, 0x03}, {0x03, 0xF4, 0x04}},
    };
    for (const auto& c : cases) {
        SetImage image;
        image.Reset();
        image.Append(c.body);
        image.AppendTrailer();
        Bytes expected{0x16, 0x16, 0x16};
        expected.insert(expected.end(), c.body.begin(), c.body.end());
        expected.insert(expected.end(), c.trailer.begin(), c.trailer.end());
        EXPECT_EQ(expected, image.Bytes()) << c.body.size();
        EXPECT_EQ(0u, SumAfterSync(image.Bytes()));
        EXPECT_GE(image.Bytes()[image.Size() - 2], 0x30);
    }
}

TEST(SetImageTest, TheTrailerIsAppendedOnce)
{
    SetImage image;
    image.Reset();
    image.AppendTrailer();
    EXPECT_TRUE(image.HasTrailer());
    image.AppendTrailer();
    EXPECT_EQ((Bytes{0x16, 0x16, 0x16, 0x03, 0xF9, 0x04}), image.Bytes());
    image.Reset();
    EXPECT_FALSE(image.HasTrailer());
}

} // namespace
