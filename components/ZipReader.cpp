// Reading zip archives: the end record, the central directory, and each entry's data.
#include "components/ZipReader.h"
#include <zlib.h>
#include <algorithm>
#include <memory>

namespace zip {

using namespace records;

namespace {

const size_t kChunk = 256 * 1024;
// The end record's comment is at most this long, so the record lies within the file's last bytes.
const size_t kLargestComment = 0xFFFF;
// No directory of up to 65535 entries with sensible names comes near this; a larger one is not read.
const std::uint64_t kLargestDirectory = 64u * 1024u * 1024u;

bool ParseEndRecord(const std::uint8_t* p, EndRecord& end)
{
    if (Get32(p) != kEndSignature)
        return false;
    end.disk = Get16(p + 4);
    end.directoryDisk = Get16(p + 6);
    end.entriesHere = Get16(p + 8);
    end.entries = Get16(p + 10);
    end.directorySize = Get32(p + 12);
    end.directoryOffset = Get32(p + 16);
    return true;
}

bool IsZip64(const EndRecord& end)
{
    return end.disk == 0xFFFF || end.directoryDisk == 0xFFFF || end.entriesHere == 0xFFFF ||
           end.entries == 0xFFFF || end.directorySize == 0xFFFFFFFF || end.directoryOffset == 0xFFFFFFFF;
}

// Makes every folder of the relative name below the base folder (the name's last part is a file).
bool MakeFolders(const std::string& base, const std::string& relative)
{
    for (size_t slash = relative.find('\\'); slash != std::string::npos; slash = relative.find('\\', slash + 1)) {
        const std::string folder = base + "\\" + relative.substr(0, slash);
        if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

std::string Backslashed(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

} // namespace

Result ZipReader::Fail(Result result, const std::string& entry)
{
    failedEntry_ = entry;
    return result;
}

void ZipReader::Close()
{
    file_.Close();
    entries_.clear();
    volumeCount_ = 0;
    currentVolume_ = -1;
    currentSize_ = 0;
}

Result ZipReader::Open(const std::string& path, VolumeSource volumes)
{
    Close();
    failedEntry_.clear();
    path_ = path;
    volumes_ = std::move(volumes);
    if (!file_.OpenRead(path))
        return Result::CannotOpen;
    const std::uint64_t size = file_.Size();
    if (size < kEndRecordSize)
        return Result::NotAnArchive;

    const size_t tailSize = static_cast<size_t>(std::min<std::uint64_t>(size, kEndRecordSize + kLargestComment));
    std::vector<std::uint8_t> tail(tailSize);
    if (!file_.Seek(size - tailSize) || !file_.Read(tail.data(), tailSize))
        return Result::CannotOpen;
    // The last end record whose comment ends within the file.
    EndRecord end;
    size_t found = tailSize;
    for (size_t i = tailSize - kEndRecordSize + 1; i-- > 0;) {
        if (ParseEndRecord(&tail[i], end) && i + kEndRecordSize + Get16(&tail[i + 20]) <= tailSize) {
            found = i;
            break;
        }
    }
    if (found == tailSize)
        return Result::NotAnArchive;
    const std::uint64_t endAt = size - tailSize + found;
    if (IsZip64(end) || (found >= kZip64LocatorSize && Get32(&tail[found - kZip64LocatorSize]) == kZip64LocatorSignature))
        return Result::Unsupported;
    if (end.directoryDisk > end.disk || end.entriesHere > end.entries)
        return Result::Damaged;

    volumeCount_ = end.disk + 1;
    currentVolume_ = end.disk;
    currentSize_ = size;
    if (volumeCount_ > 1 && !volumes_)
        return Result::NoVolume;

    // Data before the archive (a self-extracting program) moves every offset of a one-volume archive.
    std::uint64_t shift = 0;
    if (volumeCount_ == 1) {
        const std::uint64_t directoryEnd = std::uint64_t(end.directoryOffset) + end.directorySize;
        if (directoryEnd > endAt)
            return Result::Damaged;
        shift = endAt - directoryEnd;
    }
    const Result result = ReadDirectory(end, shift);
    if (result != Result::Ok)
        entries_.clear();
    return result;
}

Result ZipReader::ReadDirectory(const EndRecord& end, std::uint64_t shift)
{
    if (end.directorySize > kLargestDirectory)
        return Result::Damaged;
    std::vector<std::uint8_t> directory(end.directorySize);
    Position at{end.directoryDisk, std::uint64_t(end.directoryOffset) + shift};
    if (!directory.empty() && !ReadAt(at, directory.data(), directory.size()))
        return volumeCount_ > 1 && currentVolume_ < 0 ? Result::NoVolume : Result::Damaged;
    return ParseDirectory(directory, end, shift);
}

Result ZipReader::ParseDirectory(const std::vector<std::uint8_t>& directory, const EndRecord& end,
                                 std::uint64_t shift)
{
    size_t at = 0;
    while (at < directory.size()) {
        if (directory.size() - at < kCentralHeaderSize || Get32(&directory[at]) != kCentralHeaderSignature)
            return Result::Damaged;
        const std::uint8_t* p = &directory[at];
        const size_t nameSize = Get16(p + 28);
        const size_t extraSize = Get16(p + 30);
        const size_t commentSize = Get16(p + 32);
        const size_t recordSize = kCentralHeaderSize + nameSize + extraSize + commentSize;
        if (directory.size() - at < recordSize)
            return Result::Damaged;

        Entry entry;
        entry.flags = Get16(p + 8);
        entry.method = Get16(p + 10);
        entry.dosTime = Get16(p + 12);
        entry.dosDate = Get16(p + 14);
        entry.crc = Get32(p + 16);
        entry.packedSize = Get32(p + 20);
        entry.size = Get32(p + 24);
        entry.disk = Get16(p + 34);
        entry.attributes = Get32(p + 38);
        const std::uint32_t offset = Get32(p + 42);
        if (entry.packedSize == 0xFFFFFFFF || entry.size == 0xFFFFFFFF || offset == 0xFFFFFFFF || entry.disk == 0xFFFF)
            return Result::Unsupported;
        if (entry.disk > end.disk || std::uint64_t(offset) + shift > 0xFFFFFFFFu)
            return Result::Damaged;
        entry.offset = static_cast<std::uint32_t>(offset + shift);
        const std::uint8_t* name = p + kCentralHeaderSize;
        bool readAsOem = false;
        entry.name = DecodeName(name, nameSize, (entry.flags & kFlagUtf8) != 0, name + nameSize, extraSize, &readAsOem);
        if (readAsOem)
            entry.ansiName.assign(reinterpret_cast<const char*>(name), nameSize);
        entry.problem = CheckName(entry.name);
        entries_.push_back(std::move(entry));
        at += recordSize;
    }
    if (entries_.size() != end.entries)
        return Result::Damaged;
    return CheckDataRanges(std::uint64_t(end.directoryOffset) + shift, end.directoryDisk);
}

// Each entry's local header and packed bytes are its own: no two overlap, and none reaches into the
// directory. Records that share their data would unpack it again and again (a small archive that
// claims gigabytes). An entry takes at least its header and its packed bytes.
Result ZipReader::CheckDataRanges(std::uint64_t directoryOffset, int directoryDisk)
{
    std::vector<size_t> order(entries_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const Entry& left = entries_[a];
        const Entry& right = entries_[b];
        return left.disk != right.disk ? left.disk < right.disk : left.offset < right.offset;
    });
    auto endOf = [&](const Entry& entry) { return std::uint64_t(entry.offset) + kLocalHeaderSize + entry.packedSize; };
    for (size_t i = 0; i < order.size(); ++i) {
        const Entry& entry = entries_[order[i]];
        const bool last = i + 1 == order.size() || entries_[order[i + 1]].disk != entry.disk;
        if (!last && endOf(entry) > entries_[order[i + 1]].offset)
            return Fail(Result::Damaged, entries_[order[i + 1]].name);
        // An entry that runs on into the next volume ends where that volume's first one begins.
        if (last && entry.disk == directoryDisk && endOf(entry) > directoryOffset)
            return Fail(Result::Damaged, entry.name);
    }
    return Result::Ok;
}

int ZipReader::Find(const std::string& name) const
{
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (SameName(entries_[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

// The file of a volume. One volume is the file that was opened; of several, each is asked for anew
// at every change, since all diskettes of a set may stand in one drive under one name.
bool ZipReader::UseVolume(int disk)
{
    if (disk == currentVolume_ && file_.IsOpen())
        return true;
    if (disk < 0 || disk >= volumeCount_)
        return false;
    file_.Close();
    currentVolume_ = -1;
    const std::string path = volumeCount_ == 1 ? path_ : volumes_(disk, volumeCount_);
    if (path.empty() || !file_.OpenRead(path))
        return false;
    currentVolume_ = disk;
    currentSize_ = file_.Size();
    return true;
}

long long ZipReader::ReadSomeAt(Position& at, void* data, size_t size)
{
    for (;;) {
        if (!UseVolume(at.disk))
            return -1;
        if (at.offset < currentSize_)
            break;
        // This volume is read to its end: the run goes on at the start of the next.
        if (at.disk + 1 >= volumeCount_)
            return 0;
        ++at.disk;
        at.offset = 0;
    }
    const size_t wanted = static_cast<size_t>(std::min<std::uint64_t>(size, currentSize_ - at.offset));
    if (!file_.Seek(at.offset))
        return -1;
    const long long got = file_.ReadSome(data, wanted);
    if (got > 0)
        at.offset += static_cast<std::uint64_t>(got);
    return got;
}

bool ZipReader::ReadAt(Position& at, void* data, size_t size)
{
    auto* into = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        const long long got = ReadSomeAt(at, into, size);
        if (got <= 0)
            return false;
        into += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

Result ZipReader::Unpack(const Entry& entry, const Sink& sink, Progress& progress, const ProgressHandler& handler)
{
    if (entry.IsEncrypted() || (entry.method != 0 && entry.method != 8))
        return Result::Unsupported;
    // A size the packed bytes cannot hold is a lie; it is refused before anything is unpacked.
    if (entry.method == 0 ? entry.size != entry.packedSize
                          : std::uint64_t(entry.size) > std::uint64_t(entry.packedSize) * kMostDeflateRatio)
        return Result::Damaged;

    Position at{entry.disk, entry.offset};
    std::uint8_t header[kLocalHeaderSize];
    if (!ReadAt(at, header, sizeof header))
        return currentVolume_ < 0 ? Result::NoVolume : Result::Damaged;
    if (Get32(header) != kLocalHeaderSignature)
        return Result::Damaged;
    at.offset += Get16(header + 26) + Get16(header + 28);

    std::uint32_t left = entry.packedSize;
    std::uint64_t produced = 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    // Hands unpacked bytes on, never more than the entry declares.
    auto deliver = [&](const std::uint8_t* data, size_t size) {
        produced += size;
        if (produced > entry.size)
            return Result::Damaged;
        crc = crc32(crc, data, static_cast<uInt>(size));
        if (size > 0 && !sink(data, size))
            return Result::CannotWrite;
        progress.done += size;
        if (handler && !handler(progress))
            return Result::Cancelled;
        return Result::Ok;
    };
    // The next run of packed bytes; 0 when they are used up, -1 when the archive ends early.
    std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[kChunk]);
    auto fetch = [&]() -> long long {
        if (left == 0)
            return 0;
        const long long got = ReadSomeAt(at, input.get(), std::min<size_t>(kChunk, left));
        if (got <= 0)
            return -1;
        left -= static_cast<std::uint32_t>(got);
        return got;
    };

    Result result = Result::Ok;
    if (entry.method == 0) {
        while (result == Result::Ok && left > 0) {
            const long long got = fetch();
            result = got < 0 ? Result::Damaged : deliver(input.get(), static_cast<size_t>(got));
        }
    } else {
        result = Inflate(fetch, input.get(), deliver);
    }
    if (result == Result::Damaged && currentVolume_ < 0)
        return Result::NoVolume;
    if (result != Result::Ok)
        return result;
    if (produced != entry.size)
        return Result::Damaged;
    return static_cast<std::uint32_t>(crc) == entry.crc ? Result::Ok : Result::CrcError;
}

Result ZipReader::Inflate(const std::function<long long()>& fetch, std::uint8_t* input,
                          const std::function<Result(const std::uint8_t*, size_t)>& deliver)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return Result::Damaged;
    std::unique_ptr<std::uint8_t[]> output(new std::uint8_t[kChunk]);
    Result result = Result::Ok;
    bool inputLeft = true;
    for (;;) {
        if (stream.avail_in == 0 && inputLeft) {
            const long long got = fetch();
            if (got < 0) {
                result = Result::Damaged;
                break;
            }
            inputLeft = got > 0;
            stream.next_in = input;
            stream.avail_in = static_cast<uInt>(got);
        }
        stream.next_out = output.get();
        stream.avail_out = static_cast<uInt>(kChunk);
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
            result = Result::Damaged;
            break;
        }
        result = deliver(output.get(), kChunk - stream.avail_out);
        if (result != Result::Ok || status == Z_STREAM_END)
            break;
        // No progress with every packed byte given: the stream is cut short.
        if (status == Z_BUF_ERROR && stream.avail_in == 0 && !inputLeft) {
            result = Result::Damaged;
            break;
        }
    }
    inflateEnd(&stream);
    return result;
}

Result ZipReader::UnpackToFile(const Entry& entry, const std::string& targetPath, Progress& progress,
                               const ProgressHandler& handler)
{
    ZipFile target;
    if (!target.CreateNew(targetPath)) {
        switch (::GetLastError()) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return Fail(Result::DuplicateName, entry.name);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
            return Fail(Result::CannotCreate, entry.name);
        default:
            return Fail(Result::CannotWrite, entry.name);
        }
    }
    progress.file = entry.name;
    const Result result = Unpack(entry, [&](const std::uint8_t* data, size_t size) { return target.Write(data, size); },
                                 progress, handler);
    if (result == Result::Ok) {
        FILETIME time{};
        if (FromDosTime(entry.dosTime, entry.dosDate, time))
            ::SetFileTime(target.Handle(), nullptr, nullptr, &time);
    }
    target.Close();
    if (result != Result::Ok) {
        ::DeleteFileA(targetPath.c_str());
        return Fail(result, entry.name);
    }
    return Result::Ok;
}

Result ZipReader::Extract(size_t index, const std::string& targetPath, const ProgressHandler& progress)
{
    if (index >= entries_.size())
        return Result::Damaged;
    Progress state;
    state.total = entries_[index].size;
    return UnpackToFile(entries_[index], targetPath, state, progress);
}

Result ZipReader::Read(size_t index, std::string& data)
{
    data.clear();
    if (index >= entries_.size())
        return Result::Damaged;
    const Entry& entry = entries_[index];
    if (entry.size > kLargestInMemory)
        return Fail(Result::TooLarge, entry.name);
    Progress state;
    const Result result = Unpack(entry, [&](const std::uint8_t* bytes, size_t size) {
        data.append(reinterpret_cast<const char*>(bytes), size);
        return true;
    }, state, {});
    if (result != Result::Ok) {
        data.clear();
        return Fail(result, entry.name);
    }
    return Result::Ok;
}

Result ZipReader::ExtractAll(const std::string& folder, const ProgressHandler& progress)
{
    Progress state;
    for (const Entry& entry : entries_) {
        if (entry.problem != NameProblem::None)
            return Fail(Result::UnsafeName, entry.name);
        state.total += entry.size;
    }
    for (const Entry& entry : entries_) {
        const std::string relative = Backslashed(entry.name);
        if (!MakeFolders(folder, relative))
            return Fail(Result::CannotWrite, entry.name);
        if (entry.IsFolder())
            continue;
        const Result result = UnpackToFile(entry, folder + "\\" + relative, state, progress);
        if (result != Result::Ok)
            return result;
    }
    return Result::Ok;
}

} // namespace zip
