// Cutting the silence at both ends of a recording: where the sound is found in generated signals,
// and what becomes of the file.
#include "library/PauseCutting.h"
#include "SoundTestSupport.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace soundtest;
using testsupport::TempFolder;

namespace {

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

struct SpanCase {
    const char* name;
    int bits;
    std::vector<int> samples;
    bool found;
    size_t firstSample;  // of the sound
    size_t sampleCount;
};

} // namespace

TEST(PauseCutting, FindsTheSoundBetweenTheSilences)
{
    const int level = 10;
    // 8 bits: silence is 127 +- 10; 16 bits: +- 2560.
    std::vector<SpanCase> cases = {
        {"8-bit silence throughout", 8, Repeat(127, 50), false, 0, 0},
        {"8-bit at the edge of silence", 8, Join({{117, 137}, Repeat(128, 5)}), false, 0, 0},
        {"8-bit sound throughout", 8, {20, 230, 20, 230}, true, 0, 4},
        {"8-bit silence around sound", 8, Join({Repeat(128, 10), {200, 127, 60}, Repeat(126, 7)}), true, 10, 3},
        {"8-bit silence at the start only", 8, Join({Repeat(127, 6), {250, 3}}), true, 6, 2},
        {"8-bit silence at the end only", 8, Join({{138, 116}, Repeat(127, 9)}), true, 0, 2},
        {"8-bit sound in the last sample only", 8, Join({Repeat(127, 20), {255}}), true, 20, 1},
        {"8-bit one sample", 8, {0}, true, 0, 1},
        {"8-bit one silent sample", 8, {127}, false, 0, 0},
        {"16-bit silence throughout", 16, Repeat(0, 40), false, 0, 0},
        {"16-bit at the edge of silence", 16, {2560, -2560, 100}, false, 0, 0},
        {"16-bit just past the edge", 16, {0, 2561, 0, -2561, 0}, true, 1, 3},
        {"16-bit silence around sound", 16, Join({Repeat(-300, 9), {-32768, 5, 32767}, Repeat(300, 4)}), true, 9, 3},
        {"16-bit silence at the start only", 16, Join({Repeat(0, 5), {9000, -9000}}), true, 5, 2},
        {"16-bit silence at the end only", 16, Join({{-9000}, Repeat(0, 5)}), true, 0, 1},
        {"16-bit sound in the last sample only", 16, Join({Repeat(0, 11), {20000}}), true, 11, 1},
        {"16-bit one sample", 16, {-20000}, true, 0, 1},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.name);
        wave::WaveFormat format = wave::WaveFormat::Pcm(11025, static_cast<WORD>(c.bits));
        std::vector<BYTE> data = Bytes(c.bits == 8 ? Samples8(c.samples) : Samples16(c.samples));
        size_t begin = 99;
        size_t end = 99;
        ASSERT_EQ(c.found, wave::FindSoundSpan(format, data, level, begin, end));
        if (c.found) {
            size_t step = c.bits / 8;
            EXPECT_EQ(c.firstSample * step, begin);
            EXPECT_EQ((c.firstSample + c.sampleCount) * step, end);
        }
    }
}

TEST(PauseCutting, KeepsWholeFramesOnlyAndLeavesOtherFormatsAlone)
{
    // Half a 16-bit sample at the end is never part of the sound.
    std::vector<BYTE> data = Bytes(Samples16({0, 9000, 9000}) + "\x7F");
    size_t begin = 0;
    size_t end = 0;
    ASSERT_TRUE(wave::FindSoundSpan(wave::WaveFormat::Pcm(22050, 16), data, 10, begin, end));
    EXPECT_EQ(2u, begin);
    EXPECT_EQ(6u, end);

    // Stereo: a frame is sound when either channel is.
    data = Bytes(Samples16({0, 0, 0, 9000, 0, 0}));
    ASSERT_TRUE(wave::FindSoundSpan(wave::WaveFormat::Pcm(22050, 16, 2), data, 10, begin, end));
    EXPECT_EQ(4u, begin);
    EXPECT_EQ(8u, end);

    // Formats the recorder never makes are not cut.
    EXPECT_FALSE(wave::FindSoundSpan(wave::WaveFormat::Pcm(22050, 24), std::vector<BYTE>(30, 0x7F), 10, begin, end));
    WAVEFORMATEX lying{};
    lying.wFormatTag = WAVE_FORMAT_PCM;
    lying.nChannels = 1;
    lying.nSamplesPerSec = 22050;
    lying.wBitsPerSample = 16;
    lying.nBlockAlign = 1;  // would read past the data
    EXPECT_FALSE(wave::FindSoundSpan(wave::WaveFormat::FromEx(lying), std::vector<BYTE>(3, 0x7F), 10, begin, end));
}

TEST(PauseCutting, CutsTheFileInPlaceOrLeavesItAsItWas)
{
    TempFolder folder;
    struct Case {
        const char* name;
        int bits;
        std::vector<int> samples;
        wave::CutResult result;
        std::vector<int> kept;
    };
    std::vector<Case> cases = {
        {"8-bit", 8, Join({Repeat(127, 100), {40, 210, 40}, Repeat(127, 50)}), wave::CutResult::Cut, {40, 210, 40}},
        {"16-bit", 16, Join({Repeat(0, 30), {-7000, 7000}, Repeat(1000, 30)}), wave::CutResult::Cut, {-7000, 7000}},
        {"silent", 16, Repeat(10, 200), wave::CutResult::Unchanged, {}},
        {"all sound", 8, {0, 255, 0}, wave::CutResult::Unchanged, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFixture fixture;
        fixture.bits = static_cast<WORD>(c.bits);
        fixture.rate = c.bits == 8 ? 11025 : 22050;
        fixture.data = c.bits == 8 ? Samples8(c.samples) : Samples16(c.samples);
        std::string path = folder.Write("cut.wav", fixture.Bytes());

        ASSERT_EQ(c.result, wave::CutPauses(path, 20));
        if (c.result == wave::CutResult::Unchanged) {
            EXPECT_EQ(fixture.Bytes(), TempFolder::Read(path));
            continue;
        }
        wave::WaveFormat format;
        std::vector<BYTE> data;
        ASSERT_EQ(0, wave::ReadWaveFile(path, format, data));
        EXPECT_EQ(fixture.bits, format.Ex().wBitsPerSample);
        EXPECT_EQ(fixture.rate, format.Ex().nSamplesPerSec);
        EXPECT_EQ(Bytes(c.bits == 8 ? Samples8(c.kept) : Samples16(c.kept)), data);
        // The sample count in the "fact" chunk tells the truth.
        std::string file = TempFolder::Read(path);
        size_t fact = file.find("fact");
        ASSERT_NE(std::string::npos, fact);
        EXPECT_EQ(Le32(c.kept.size()), file.substr(fact + 8, 4));
    }
    EXPECT_EQ(std::vector<std::string>{"cut.wav"}, FilesIn(folder.Path())) << "no temporary file is left behind";
}

TEST(PauseCutting, AFileThatCannotBeReadOrReplacedIsKept)
{
    TempFolder folder;
    const std::string cutShort("RIFF\x04\0\0\0WAVE", 12);
    std::string damaged = folder.Write("damaged.wav", cutShort);
    EXPECT_EQ(wave::CutResult::Failed, wave::CutPauses(damaged, 20));
    EXPECT_EQ(cutShort, TempFolder::Read(damaged));

    WaveFixture fixture;
    fixture.data = Samples16(Join({Repeat(0, 10), {9000}, Repeat(0, 10)}));
    std::string path = folder.Write("held.wav", fixture.Bytes());
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(wave::CutResult::Failed, wave::CutPauses(path, 20));
    ::CloseHandle(held);
    EXPECT_EQ(fixture.Bytes(), TempFolder::Read(path)) << "the recording is never lost";
    EXPECT_EQ(2u, FilesIn(folder.Path()).size());
}
