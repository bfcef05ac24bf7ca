// RIFF WAVE files read and written through the multimedia file (mmio) interface: the format, the
// "fact" chunk with the sample count, and the "data" chunk, streamed or whole.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <string>
#include <vector>

namespace wave {

// Results of the functions below: 0, one of these, or an mmio error code (MMIOERR_...).
enum : int {
    kWaveOk = 0,
    kWaveOutOfMemory = 57344,
    kWaveCannotOpen = 57600,
    kWaveNotWave = 57601,  // not a RIFF WAVE file, or a format chunk that is missing or does not add up
    kWaveCannotRead = 57602,
    kWaveDataEndsEarly = 57603,
};

// A sound format as the "fmt " chunk holds it. Always kept as a WAVEFORMATEX followed by its extra
// bytes; a PCM format is stored in its 16-byte form.
class WaveFormat {
public:
    WaveFormat() = default;
    // Mono or multi-channel PCM.
    static WaveFormat Pcm(DWORD samplesPerSecond, WORD bitsPerSample, WORD channels = 1);
    // A WAVEFORMATEX followed by cbSize extra bytes.
    static WaveFormat FromEx(const WAVEFORMATEX& format);
    // The 16 bytes of a PCM format chunk, or a WAVEFORMATEX and its extra bytes (size 18 or more;
    // cbSize is taken from the size).
    static WaveFormat FromChunk(const BYTE* bytes, DWORD size);

    bool IsEmpty() const { return bytes_.empty(); }
    const WAVEFORMATEX& Ex() const { return *reinterpret_cast<const WAVEFORMATEX*>(bytes_.data()); }
    bool IsPcm() const { return !IsEmpty() && Ex().wFormatTag == WAVE_FORMAT_PCM; }
    WORD BlockAlign() const { return IsEmpty() ? 0 : Ex().nBlockAlign; }
    // The bytes the "fmt " chunk stores: 16 for PCM, else 18 plus the extra bytes.
    const BYTE* ChunkBytes() const { return bytes_.data(); }
    DWORD ChunkSize() const;

    bool operator==(const WaveFormat& other) const { return bytes_ == other.bytes_; }

private:
    std::vector<BYTE> bytes_;
};

// An open WAVE file being read. Closes itself.
struct WaveReader {
    WaveReader() = default;
    ~WaveReader();
    WaveReader(const WaveReader&) = delete;
    WaveReader& operator=(const WaveReader&) = delete;

    HMMIO file = nullptr;
    WaveFormat format;
    MMCKINFO riff{};
    MMCKINFO data{};
    DWORD dataLeft = 0;  // bytes of the data chunk not read yet
    LONG fileSize = 0;
};

// A WAVE file being written. Closing without CloseWaveWrite leaves an unfinished file.
struct WaveWriter {
    WaveWriter() = default;
    ~WaveWriter();
    WaveWriter(const WaveWriter&) = delete;
    WaveWriter& operator=(const WaveWriter&) = delete;

    HMMIO file = nullptr;
    MMCKINFO riff{};
    MMCKINFO data{};
    DWORD factOffset = 0;  // where the sample count goes
    DWORD dataWritten = 0;
};

// Opens the file, checks that it is a RIFF "WAVE" file and reads its format. On failure the reader
// is closed and empty.
int OpenWaveForRead(const std::string& path, WaveReader& reader);
// Finds the "data" chunk; its size must lie inside the file.
int SeekWaveData(WaveReader& reader);
// Reads at most the rest of the data chunk; read tells how many bytes came.
int ReadWaveData(WaveReader& reader, UINT bytes, BYTE* buffer, UINT& read);
void CloseWaveRead(WaveReader& reader);

// Creates (or empties) the file with the RIFF chunk, the format and a "fact" chunk to be filled in by
// CloseWaveWrite.
int CreateWaveFile(const std::string& path, const WaveFormat& format, WaveWriter& writer);
int BeginWaveData(WaveWriter& writer);
int WriteWaveData(WaveWriter& writer, const BYTE* bytes, UINT count, UINT& written);
// Ends the data chunk, writes the sample count into the "fact" chunk and closes the file; every
// step is checked, so 0 means the file on disk is complete.
int CloseWaveWrite(WaveWriter& writer, DWORD samples);

// The whole data chunk of a file.
int ReadWaveFile(const std::string& path, WaveFormat& format, std::vector<BYTE>& data);
// Writes a whole file. It is written beside the target and then put in its place, so a failure
// leaves whatever file stood there before untouched.
int WriteWaveFile(const std::string& path, const WaveFormat& format, const BYTE* data, DWORD bytes, DWORD samples);

} // namespace wave
