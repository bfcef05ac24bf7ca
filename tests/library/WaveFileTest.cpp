// WAVE files: round trips in the recording qualities and in pieces, the layout on disk, and files
// that are damaged or lie about their sizes.
#include "library/RecordSettings.h"
#include "library/WaveFile.h"
#include "SoundTestSupport.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <cstring>

using namespace soundtest;
using testsupport::TempFolder;

namespace {

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

// Pseudo-random bytes, so that a shifted or reordered block shows.
std::string Noise(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

unsigned long ReadLe32(const std::string& bytes, size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8) |
           (static_cast<unsigned char>(bytes[at + 2]) << 16) | (static_cast<unsigned long>(static_cast<unsigned char>(bytes[at + 3])) << 24);
}

// The chunks of a RIFF file as id -> (offset of the data, size), checked to tile the file exactly.
struct Chunk {
    std::string id;
    size_t offset;
    unsigned long size;
};
std::vector<Chunk> Chunks(const std::string& file)
{
    std::vector<Chunk> chunks;
    EXPECT_EQ("RIFF", file.substr(0, 4));
    EXPECT_EQ(file.size() - 8, ReadLe32(file, 4)) << "RIFF size";
    EXPECT_EQ("WAVE", file.substr(8, 4));
    size_t at = 12;
    while (at + 8 <= file.size()) {
        Chunk chunk{file.substr(at, 4), at + 8, ReadLe32(file, at + 4)};
        chunks.push_back(chunk);
        at = chunk.offset + chunk.size + (chunk.size & 1);
    }
    EXPECT_EQ(file.size(), at) << "the chunks end where the file ends";
    return chunks;
}

} // namespace

TEST(WaveFile, RoundTripInEachRecordingQuality)
{
    TempFolder folder;
    for (int quality : {0, 1, 2}) {
        SCOPED_TRACE(quality);
        wave::WaveFormat format = RecordSettings::FormatForQuality(quality);
        // An odd number of bytes for the 8-bit qualities: the pad byte must follow.
        std::string data = Noise(quality == 2 ? 4410 : 2205, quality + 1u);
        DWORD samples = static_cast<DWORD>(data.size()) / format.BlockAlign();
        std::string path = folder / ("q" + std::to_string(quality) + ".wav");
        ASSERT_EQ(0, wave::WriteWaveFile(path, format, reinterpret_cast<const BYTE*>(data.data()),
                                         static_cast<DWORD>(data.size()), samples));

        wave::WaveFormat readFormat;
        std::vector<BYTE> readData;
        ASSERT_EQ(0, wave::ReadWaveFile(path, readFormat, readData));
        EXPECT_TRUE(readFormat == format);
        EXPECT_EQ(Bytes(data), readData);

        std::string file = TempFolder::Read(path);
        std::vector<Chunk> chunks = Chunks(file);
        ASSERT_EQ(3u, chunks.size());
        EXPECT_EQ("fmt ", chunks[0].id);
        EXPECT_EQ(16u, chunks[0].size) << "PCM keeps the 16-byte format";
        EXPECT_EQ("fact", chunks[1].id);
        EXPECT_EQ(4u, chunks[1].size);
        EXPECT_EQ(samples, ReadLe32(file, chunks[1].offset));
        EXPECT_EQ("data", chunks[2].id);
        EXPECT_EQ(data.size(), chunks[2].size);
    }
    EXPECT_EQ(3u, FilesIn(folder.Path()).size()) << "no temporary file is left behind";
}

TEST(WaveFile, StreamsThroughTheBufferInPiecesOfAnySize)
{
    TempFolder folder;
    std::string path = folder / "long.wav";
    wave::WaveFormat format = wave::WaveFormat::Pcm(22050, 16);
    std::string data = Noise(100000, 7);  // far more than the mmio buffer

    wave::WaveWriter writer;
    ASSERT_EQ(0, wave::CreateWaveFile(path, format, writer));
    ASSERT_EQ(0, wave::BeginWaveData(writer));
    for (size_t at = 0, piece = 1; at < data.size(); at += piece, piece = piece * 3 + 1) {
        piece = std::min(piece, data.size() - at);
        UINT written = 0;
        ASSERT_EQ(0, wave::WriteWaveData(writer, reinterpret_cast<const BYTE*>(data.data() + at), static_cast<UINT>(piece), written));
        ASSERT_EQ(piece, written);
    }
    ASSERT_EQ(0, wave::CloseWaveWrite(writer, 50000));

    wave::WaveReader reader;
    ASSERT_EQ(0, wave::OpenWaveForRead(path, reader));
    ASSERT_EQ(0, wave::SeekWaveData(reader));
    EXPECT_EQ(100000u, reader.dataLeft);
    std::string back;
    std::vector<BYTE> piece(8191);
    UINT read = 0;
    do {
        ASSERT_EQ(0, wave::ReadWaveData(reader, static_cast<UINT>(piece.size()), piece.data(), read));
        back.append(piece.begin(), piece.begin() + read);
    } while (read > 0);
    EXPECT_EQ(data, back);
}

TEST(WaveFile, FormatsWithExtraBytesAndChunksOfOtherWriters)
{
    TempFolder folder;
    // A compressed format with extra bytes survives a round trip byte for byte.
    WAVEFORMATEX adpcm[2] = {};
    adpcm[0].wFormatTag = 2;
    adpcm[0].nChannels = 1;
    adpcm[0].nSamplesPerSec = 22050;
    adpcm[0].nAvgBytesPerSec = 11155;
    adpcm[0].nBlockAlign = 512;
    adpcm[0].wBitsPerSample = 4;
    adpcm[0].cbSize = 4;
    std::memcpy(adpcm + 1, "\xF4\x03\x07\x00", 4);
    wave::WaveFormat format = wave::WaveFormat::FromEx(adpcm[0]);
    ASSERT_EQ(22u, format.ChunkSize());
    std::string data = Noise(1024, 3);
    std::string path = folder / "adpcm.wav";
    ASSERT_EQ(0, wave::WriteWaveFile(path, format, reinterpret_cast<const BYTE*>(data.data()), 1024, 2036));
    wave::WaveFormat readFormat;
    std::vector<BYTE> readData;
    ASSERT_EQ(0, wave::ReadWaveFile(path, readFormat, readData));
    EXPECT_TRUE(readFormat == format);
    EXPECT_EQ(4, readFormat.Ex().cbSize);
    EXPECT_EQ(Bytes(data), readData);

    // Others write an 18-byte PCM format, a 16-byte float format, and chunks before the data.
    struct Case {
        const char* name;
        WaveFixture fixture;
        WORD formatTag;
    };
    WaveFixture pcm18;
    pcm18.writeCbSize = true;
    pcm18.data = Samples16({1, -2, 3});
    WaveFixture float16;
    float16.formatTag = 3;
    float16.bits = 32;
    float16.omitCbSize = true;  // no count of extra bytes at all
    float16.data = std::string(8, '\x11');
    WaveFixture listFirst;
    listFirst.chunksBeforeData = {{"LIST", "INFOISFT\x05\0\0\0Lavf\0"}, {"odd ", "x"}};
    listFirst.data = Samples16({7, 8});
    for (const Case& c : {Case{"pcm18", pcm18, WAVE_FORMAT_PCM}, Case{"float16", float16, 3}, Case{"list", listFirst, WAVE_FORMAT_PCM}}) {
        SCOPED_TRACE(c.name);
        std::string fixturePath = folder.Write(std::string(c.name) + ".wav", c.fixture.Bytes());
        ASSERT_EQ(0, wave::ReadWaveFile(fixturePath, readFormat, readData));
        EXPECT_EQ(c.formatTag, readFormat.Ex().wFormatTag);
        EXPECT_EQ(0, readFormat.Ex().cbSize);
        EXPECT_EQ(Bytes(c.fixture.data), readData);
    }
}

TEST(WaveFile, DamagedAndLyingFilesGiveAFailureCode)
{
    TempFolder folder;
    WaveFixture good;
    good.data = Samples16({1, 2, 3, 4});
    struct Case {
        const char* name;
        std::string bytes;
        int expected;  // 0: any failure
    };
    auto with = [&](auto change) {
        WaveFixture fixture = good;
        change(fixture);
        return fixture.Bytes();
    };
    std::vector<Case> cases = {
        {"empty file", "", wave::kWaveNotWave},
        {"text", "Det h\xE4r \xE4r ingen ljudfil.\r\n", wave::kWaveNotWave},
        {"other RIFF form", with([](WaveFixture& f) { f.form = "AVI "; }), wave::kWaveNotWave},
        {"no format chunk", with([](WaveFixture& f) { f.withFormat = false; }), wave::kWaveNotWave},
        {"format chunk too small", with([](WaveFixture& f) { f.formatChunkSize = 14; }), wave::kWaveNotWave},
        {"extra bytes past the chunk", with([](WaveFixture& f) { f.formatTag = 2; f.cbSize = 40; }), wave::kWaveNotWave},
        {"no channels", with([](WaveFixture& f) { f.channels = 0; }), wave::kWaveNotWave},
        {"block align 0", with([](WaveFixture& f) { f.blockAlign = 0; }), wave::kWaveNotWave},
        {"no sample rate", with([](WaveFixture& f) { f.rate = 0; }), wave::kWaveNotWave},
        {"ends inside the format", good.Bytes().substr(0, 28), 0},
        {"no data chunk", with([](WaveFixture& f) { f.withData = false; }), 0},
        {"data larger than the file", with([](WaveFixture& f) { f.dataChunkSize = 9; }), wave::kWaveDataEndsEarly},
        {"data size of a streaming writer", with([](WaveFixture& f) { f.dataChunkSize = 0xFFFFFFF0; }), wave::kWaveDataEndsEarly},
        {"cut off in the data", good.Bytes().substr(0, good.Bytes().size() - 3), wave::kWaveDataEndsEarly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.Write("bad.wav", c.bytes);
        wave::WaveFormat format = wave::WaveFormat::Pcm(8000, 8);
        std::vector<BYTE> data(5);
        int result = wave::ReadWaveFile(path, format, data);
        if (c.expected)
            EXPECT_EQ(c.expected, result);
        else
            EXPECT_NE(0, result);
        EXPECT_TRUE(format.IsEmpty());
        EXPECT_TRUE(data.empty());
    }
    wave::WaveFormat format;
    std::vector<BYTE> data;
    EXPECT_EQ(wave::kWaveCannotOpen, wave::ReadWaveFile(folder / "missing.wav", format, data));
}

TEST(WaveFile, AFailedWriteLeavesTheFileThatWasThere)
{
    TempFolder folder;
    std::string path = folder.Write("keep.wav", "the recording before");
    wave::WaveFormat format = wave::WaveFormat::Pcm(11025, 8);
    std::string data = Samples8({128, 200, 60});

    // Another program holds the file: it cannot be replaced.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_NE(0, wave::WriteWaveFile(path, format, reinterpret_cast<const BYTE*>(data.data()), 3, 3));
    ::CloseHandle(held);
    EXPECT_EQ("the recording before", TempFolder::Read(path));
    EXPECT_EQ(std::vector<std::string>{"keep.wav"}, FilesIn(folder.Path()));

    // A folder that does not exist takes no file.
    EXPECT_EQ(wave::kWaveCannotOpen,
              wave::WriteWaveFile(folder / "no\\such\\folder.wav", format, reinterpret_cast<const BYTE*>(data.data()), 3, 3));
}

TEST(WaveFile, NamesWithPlusSignsAreOrdinaryFiles)
{
    // mmio would take "ljud.b+c.wav" for an element of a compound file.
    TempFolder folder;
    std::string path = folder / "ljud.b+c.wav";
    wave::WaveFormat format = wave::WaveFormat::Pcm(11025, 8);
    std::string data = Samples8({1, 2, 3, 4});
    ASSERT_EQ(0, wave::WriteWaveFile(path, format, reinterpret_cast<const BYTE*>(data.data()), 4, 4));
    std::vector<BYTE> back;
    ASSERT_EQ(0, wave::ReadWaveFile(path, format, back));
    EXPECT_EQ(Bytes(data), back);
}
