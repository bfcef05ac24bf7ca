// WAVE files on mmio. Reading goes through the mmio buffer directly (mmioGetInfo/mmioAdvance), as
// does writing; every size a file states is checked against the file before it is trusted.
#include "library/WaveFile.h"
#include "framework/FileReplace.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace wave {

namespace {

const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFormat = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kFact = mmioFOURCC('f', 'a', 'c', 't');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

// mmioOpen reads a '+' in a file name as "element of a compound file" unless the I/O procedure is
// named: name the plain file one, so every file name opens as it stands.
HMMIO OpenFile(const std::string& path, DWORD flags)
{
    MMIOINFO info{};
    info.fccIOProc = FOURCC_DOS;
    return ::mmioOpenA(const_cast<LPSTR>(path.c_str()), &info, flags);
}

int ReadFormat(HMMIO file, WaveReader& reader)
{
    LONG size = ::mmioSeek(file, 0, SEEK_END);
    if (size < 0 || ::mmioSeek(file, 0, SEEK_SET) != 0)
        return kWaveCannotRead;

    MMCKINFO riff{};
    if (::mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
        riff.fccType != kWave)
        return kWaveNotWave;

    MMCKINFO chunk{};
    chunk.ckid = kFormat;
    if (::mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize < 16)
        return kWaveNotWave;

    BYTE head[sizeof(WAVEFORMATEX)] = {};
    if (::mmioRead(file, reinterpret_cast<HPSTR>(head), 16) != 16)
        return kWaveCannotRead;
    WAVEFORMATEX header;
    std::memcpy(&header, head, sizeof(header));

    // Only a format other than PCM has extra bytes, and only a chunk of 18 bytes or more can say how
    // many; a count that reaches past the chunk is a lie.
    WORD extra = 0;
    if (header.wFormatTag != WAVE_FORMAT_PCM && chunk.cksize >= sizeof(WAVEFORMATEX)) {
        if (::mmioRead(file, reinterpret_cast<HPSTR>(&extra), sizeof(extra)) != sizeof(extra))
            return kWaveCannotRead;
        if (sizeof(WAVEFORMATEX) + extra > chunk.cksize)
            return kWaveNotWave;
    }
    // Every user of a format divides by these.
    if (header.nChannels == 0 || header.nSamplesPerSec == 0 || header.nBlockAlign == 0)
        return kWaveNotWave;

    std::vector<BYTE> bytes;
    try {
        bytes.resize(sizeof(WAVEFORMATEX) + extra);
    } catch (const std::bad_alloc&) {
        return kWaveOutOfMemory;
    }
    std::memcpy(bytes.data(), head, 16);
    if (extra && ::mmioRead(file, reinterpret_cast<HPSTR>(bytes.data() + sizeof(WAVEFORMATEX)), extra) != extra)
        return kWaveNotWave;
    if (::mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR)
        return kWaveCannotRead;

    reader.format = WaveFormat::FromChunk(bytes.data(), static_cast<DWORD>(bytes.size()));
    reader.riff = riff;
    reader.fileSize = size;
    return kWaveOk;
}

// Writes one whole chunk (header, bytes, size) at the current position.
int WriteChunk(HMMIO file, FOURCC id, const void* bytes, DWORD size, DWORD* dataOffset = nullptr)
{
    MMCKINFO chunk{};
    chunk.ckid = id;
    chunk.cksize = size;
    MMRESULT result = ::mmioCreateChunk(file, &chunk, 0);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (dataOffset)
        *dataOffset = chunk.dwDataOffset;
    if (::mmioWrite(file, static_cast<const char*>(bytes), static_cast<LONG>(size)) != static_cast<LONG>(size))
        return MMIOERR_CANNOTWRITE;
    return ::mmioAscend(file, &chunk, 0);
}

} // namespace

WaveFormat WaveFormat::Pcm(DWORD samplesPerSecond, WORD bitsPerSample, WORD channels)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = samplesPerSecond;
    format.wBitsPerSample = bitsPerSample;
    format.nBlockAlign = static_cast<WORD>(channels * ((bitsPerSample + 7) / 8));
    format.nAvgBytesPerSec = samplesPerSecond * format.nBlockAlign;
    format.cbSize = 0;
    return FromEx(format);
}

WaveFormat WaveFormat::FromEx(const WAVEFORMATEX& format)
{
    WORD extra = format.wFormatTag == WAVE_FORMAT_PCM ? 0 : format.cbSize;
    return FromChunk(reinterpret_cast<const BYTE*>(&format), sizeof(WAVEFORMATEX) + extra);
}

WaveFormat WaveFormat::FromChunk(const BYTE* bytes, DWORD size)
{
    WaveFormat format;
    if (size < 16)
        return format;
    format.bytes_.assign(bytes, bytes + size);
    if (size < sizeof(WAVEFORMATEX))
        format.bytes_.resize(sizeof(WAVEFORMATEX), 0);
    WORD extra = static_cast<WORD>(format.bytes_.size() - sizeof(WAVEFORMATEX));
    reinterpret_cast<WAVEFORMATEX*>(format.bytes_.data())->cbSize = extra;
    return format;
}

DWORD WaveFormat::ChunkSize() const
{
    if (IsEmpty())
        return 0;
    return IsPcm() ? 16 : static_cast<DWORD>(bytes_.size());
}

WaveReader::~WaveReader()
{
    CloseWaveRead(*this);
}

WaveWriter::~WaveWriter()
{
    if (file)
        ::mmioClose(file, 0);
}

int OpenWaveForRead(const std::string& path, WaveReader& reader)
{
    CloseWaveRead(reader);
    HMMIO file = OpenFile(path, MMIO_READ | MMIO_ALLOCBUF);
    if (!file)
        return kWaveCannotOpen;
    int result = ReadFormat(file, reader);
    if (result != kWaveOk) {
        ::mmioClose(file, 0);
        reader.format = WaveFormat();
        return result;
    }
    reader.file = file;
    return kWaveOk;
}

int SeekWaveData(WaveReader& reader)
{
    if (!reader.file)
        return kWaveCannotRead;
    LONG start = static_cast<LONG>(reader.riff.dwDataOffset + sizeof(FOURCC));
    if (::mmioSeek(reader.file, start, SEEK_SET) != start)
        return kWaveCannotRead;
    reader.data = MMCKINFO{};
    reader.data.ckid = kData;
    MMRESULT found = ::mmioDescend(reader.file, &reader.data, &reader.riff, MMIO_FINDCHUNK);
    if (found != MMSYSERR_NOERROR)
        return found;
    if (static_cast<LONGLONG>(reader.data.dwDataOffset) + reader.data.cksize > reader.fileSize)
        return kWaveDataEndsEarly;
    reader.dataLeft = reader.data.cksize;
    return kWaveOk;
}

int ReadWaveData(WaveReader& reader, UINT bytes, BYTE* buffer, UINT& read)
{
    read = 0;
    if (!reader.file)
        return kWaveCannotRead;
    MMIOINFO info{};
    if (::mmioGetInfo(reader.file, &info, 0) != MMSYSERR_NOERROR)
        return kWaveCannotRead;
    UINT wanted = std::min<DWORD>(bytes, reader.dataLeft);
    int result = kWaveOk;
    while (read < wanted) {
        if (info.pchNext == info.pchEndRead) {
            MMRESULT advanced = ::mmioAdvance(reader.file, &info, MMIO_READ);
            if (advanced != MMSYSERR_NOERROR) {
                result = advanced;
                break;
            }
            if (info.pchNext == info.pchEndRead) {
                result = kWaveDataEndsEarly;
                break;
            }
        }
        UINT part = std::min<UINT>(wanted - read, static_cast<UINT>(info.pchEndRead - info.pchNext));
        std::memcpy(buffer + read, info.pchNext, part);
        info.pchNext += part;
        read += part;
    }
    reader.dataLeft -= read;
    if (::mmioSetInfo(reader.file, &info, 0) != MMSYSERR_NOERROR && result == kWaveOk)
        result = kWaveCannotRead;
    return result;
}

void CloseWaveRead(WaveReader& reader)
{
    if (reader.file)
        ::mmioClose(reader.file, 0);
    reader.file = nullptr;
    reader.dataLeft = 0;
}

int CreateWaveFile(const std::string& path, const WaveFormat& format, WaveWriter& writer)
{
    if (writer.file)
        ::mmioClose(writer.file, 0);
    writer.file = nullptr;
    writer.dataWritten = 0;
    if (format.IsEmpty())
        return kWaveNotWave;
    HMMIO file = OpenFile(path, MMIO_CREATE | MMIO_READWRITE | MMIO_ALLOCBUF | MMIO_EXCLUSIVE);
    if (!file)
        return kWaveCannotOpen;

    MMCKINFO riff{};
    riff.fccType = kWave;
    int result = ::mmioCreateChunk(file, &riff, MMIO_CREATERIFF);
    if (result == kWaveOk)
        result = WriteChunk(file, kFormat, format.ChunkBytes(), format.ChunkSize());
    // The sample count is not known yet: CloseWaveWrite fills it in.
    DWORD unknown = 0xFFFFFFFF;
    DWORD factOffset = 0;
    if (result == kWaveOk)
        result = WriteChunk(file, kFact, &unknown, sizeof(unknown), &factOffset);
    if (result != kWaveOk) {
        ::mmioClose(file, 0);
        return result;
    }
    writer.file = file;
    writer.riff = riff;
    writer.factOffset = factOffset;
    return kWaveOk;
}

int BeginWaveData(WaveWriter& writer)
{
    if (!writer.file)
        return MMIOERR_CANNOTWRITE;
    writer.data = MMCKINFO{};
    writer.data.ckid = kData;
    writer.dataWritten = 0;
    return ::mmioCreateChunk(writer.file, &writer.data, 0);
}

int WriteWaveData(WaveWriter& writer, const BYTE* bytes, UINT count, UINT& written)
{
    written = 0;
    if (!writer.file)
        return MMIOERR_CANNOTWRITE;
    MMIOINFO info{};
    if (::mmioGetInfo(writer.file, &info, 0) != MMSYSERR_NOERROR)
        return MMIOERR_CANNOTWRITE;
    int result = kWaveOk;
    while (written < count) {
        if (info.pchNext == info.pchEndWrite) {
            info.dwFlags |= MMIO_DIRTY;
            MMRESULT advanced = ::mmioAdvance(writer.file, &info, MMIO_WRITE);
            if (advanced != MMSYSERR_NOERROR) {
                result = advanced;
                break;
            }
            if (info.pchNext == info.pchEndWrite) {
                result = MMIOERR_CANNOTWRITE;
                break;
            }
        }
        UINT part = std::min<UINT>(count - written, static_cast<UINT>(info.pchEndWrite - info.pchNext));
        std::memcpy(info.pchNext, bytes + written, part);
        info.pchNext += part;
        info.dwFlags |= MMIO_DIRTY;
        written += part;
    }
    writer.dataWritten += written;
    if (::mmioSetInfo(writer.file, &info, 0) != MMSYSERR_NOERROR && result == kWaveOk)
        result = MMIOERR_CANNOTWRITE;
    return result;
}

int CloseWaveWrite(WaveWriter& writer, DWORD samples)
{
    if (!writer.file)
        return MMIOERR_CANNOTWRITE;
    HMMIO file = writer.file;
    int result = ::mmioAscend(file, &writer.data, 0);
    // A chunk of odd size is followed by a pad byte that belongs to the RIFF chunk; write it
    // ourselves, as mmioAscend may only seek past it.
    if (result == kWaveOk && (writer.data.cksize & 1)) {
        LONG padAt = static_cast<LONG>(writer.data.dwDataOffset + writer.data.cksize);
        BYTE pad = 0;
        if (::mmioSeek(file, padAt, SEEK_SET) != padAt || ::mmioWrite(file, reinterpret_cast<HPSTR>(&pad), 1) != 1)
            result = MMIOERR_CANNOTWRITE;
    }
    if (result == kWaveOk)
        result = ::mmioAscend(file, &writer.riff, 0);
    if (result == kWaveOk) {
        LONG factAt = static_cast<LONG>(writer.factOffset);
        if (::mmioSeek(file, factAt, SEEK_SET) != factAt ||
            ::mmioWrite(file, reinterpret_cast<HPSTR>(&samples), sizeof(samples)) != sizeof(samples))
            result = MMIOERR_CANNOTWRITE;
    }
    if (result == kWaveOk)
        result = ::mmioFlush(file, 0);
    MMRESULT closed = ::mmioClose(file, 0);
    writer.file = nullptr;
    if (result == kWaveOk)
        result = closed;
    return result;
}

int ReadWaveFile(const std::string& path, WaveFormat& format, std::vector<BYTE>& data)
{
    format = WaveFormat();
    data.clear();
    WaveReader reader;
    int result = OpenWaveForRead(path, reader);
    if (result == kWaveOk)
        result = SeekWaveData(reader);
    if (result != kWaveOk)
        return result;
    std::vector<BYTE> bytes;
    try {
        bytes.resize(reader.dataLeft);
    } catch (const std::bad_alloc&) {
        return kWaveOutOfMemory;
    }
    UINT read = 0;
    result = ReadWaveData(reader, static_cast<UINT>(bytes.size()), bytes.data(), read);
    if (result != kWaveOk)
        return result;
    format = reader.format;
    data.swap(bytes);
    return kWaveOk;
}

int WriteWaveFile(const std::string& path, const WaveFormat& format, const BYTE* data, DWORD bytes, DWORD samples)
{
    int result = kWaveCannotOpen;
    const bool replaced = fw::WriteReplacingWith(path, [&](const std::string& temporary) {
        WaveWriter writer;
        result = CreateWaveFile(temporary, format, writer);
        if (result == kWaveOk)
            result = BeginWaveData(writer);
        UINT written = 0;
        if (result == kWaveOk)
            result = WriteWaveData(writer, data, bytes, written);
        if (result == kWaveOk)
            result = CloseWaveWrite(writer, samples);
        return result == kWaveOk;
    });
    // A complete file that could not take the old one's place (or no temporary file at all).
    if (!replaced && result == kWaveOk)
        result = kWaveCannotOpen;
    return result;
}

} // namespace wave
