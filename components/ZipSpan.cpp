// Spreading a finished archive over diskettes.
#include "components/ZipSpan.h"
#include "components/ZipReader.h"
#include "components/ZipRecords.h"
#include <memory>
#include <vector>

namespace zip {

using namespace records;

namespace {

const size_t kChunk = 256 * 1024;

// One run of the spanned archive in the order it is written. Records never straddle two volumes;
// an entry's packed data may.
struct Segment {
    enum class Kind { Signature, LocalHeader, Data, CentralRecord, EndRecord };
    Segment(Kind kind, std::uint64_t size, size_t entry = 0, std::uint64_t from = 0)
        : kind(kind), size(size), entry(entry), from(from)
    {
    }

    Kind kind;
    std::uint64_t size;
    size_t entry = 0;             // the entry of a header, data or directory record
    std::uint64_t from = 0;       // Data: where its bytes lie in the archive
    std::vector<std::uint8_t> bytes; // LocalHeader: the header as the archive holds it

    bool Splittable() const { return kind == Kind::Data; }
};

// Where a run was written: the volume (0 first) and the offset in it.
struct Place {
    int disk = 0;
    std::uint32_t offset = 0;
};

std::string RootOf(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// How many volumes of this capacity the segments from `next` (with `used` bytes of the current volume
// taken) need, the current one included; 0 when a record is larger than a whole volume.
int VolumesNeeded(const std::vector<Segment>& segments, size_t next, std::uint64_t skip, std::uint64_t used,
                  std::uint64_t capacity)
{
    if (capacity == 0)
        return 0;
    int volumes = 1;
    for (size_t i = next; i < segments.size(); ++i) {
        std::uint64_t left = segments[i].size - (i == next ? skip : 0);
        if (!segments[i].Splittable()) {
            if (left > capacity)
                return 0;
            if (used + left > capacity) {
                ++volumes;
                used = 0;
            }
            used += left;
            continue;
        }
        while (used + left > capacity) {
            left -= capacity - used;
            ++volumes;
            used = 0;
        }
        used += left;
    }
    return volumes;
}

class Spanner {
public:
    Spanner(const std::string& archivePath, const std::string& volumePath, const SpanHandlers& handlers)
        : archivePath_(archivePath), volumePath_(volumePath), handlers_(handlers), buffer_(new std::uint8_t[kChunk])
    {
    }

    Result Run()
    {
        Result result = reader_.Open(archivePath_);
        if (result != Result::Ok)
            return result;
        if (!archive_.OpenRead(archivePath_))
            return Result::CannotOpen;
        capacity_ = Capacity();
        if (archive_.Size() <= capacity_)
            return WriteWhole();
        result = Describe();
        if (result != Result::Ok)
            return result;
        result = WriteSpanned();
        volume_.Close();
        if (result != Result::Ok && volumeOpen_)
            ::DeleteFileA(volumePath_.c_str());
        return result;
    }

private:
    std::uint64_t Capacity() const
    {
        return handlers_.capacity ? handlers_.capacity(volumePath_) : FreeSpaceFor(volumePath_);
    }

    Result WriteWhole()
    {
        if (handlers_.askForDisk && !handlers_.askForDisk(1, 1))
            return Result::Cancelled;
        if (!volume_.CreateNew(volumePath_))
            return CreateFailure();
        volumeOpen_ = true;
        Result result = archive_.Seek(0) ? CopyRange(archive_.Size()) : Result::CannotOpen;
        if (result == Result::Ok && !volume_.Flush())
            result = Result::CannotWrite;
        volume_.Close();
        if (result != Result::Ok)
            ::DeleteFileA(volumePath_.c_str());
        return result;
    }

    // The runs of the spanned form: the signature, each entry's header and data, the directory, the end.
    Result Describe()
    {
        segments_.push_back(Segment(Segment::Kind::Signature, 4));
        const std::vector<Entry>& entries = reader_.Entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            std::uint8_t fixed[kLocalHeaderSize];
            if (!archive_.Seek(entries[i].offset) || !archive_.Read(fixed, sizeof fixed) ||
                Get32(fixed) != kLocalHeaderSignature)
                return Result::Damaged;
            Segment header(Segment::Kind::LocalHeader, kLocalHeaderSize + Get16(fixed + 26) + Get16(fixed + 28), i);
            header.bytes.assign(fixed, fixed + kLocalHeaderSize);
            header.bytes.resize(header.size);
            if (!archive_.Read(header.bytes.data() + kLocalHeaderSize, header.size - kLocalHeaderSize))
                return Result::Damaged;
            Segment data(Segment::Kind::Data, entries[i].packedSize, i, entries[i].offset + header.size);
            segments_.push_back(std::move(header));
            segments_.push_back(std::move(data));
        }
        for (size_t i = 0; i < entries.size(); ++i)
            segments_.push_back(Segment(Segment::Kind::CentralRecord, kCentralHeaderSize + RawName(i).size(), i));
        segments_.push_back(Segment(Segment::Kind::EndRecord, kEndRecordSize));
        places_.resize(entries.size());
        return Result::Ok;
    }

    std::vector<std::uint8_t> RawName(size_t entry) const
    {
        const std::vector<std::uint8_t>& header = segments_[1 + 2 * entry].bytes;
        const size_t nameSize = Get16(header.data() + 26);
        return std::vector<std::uint8_t>(header.begin() + kLocalHeaderSize,
                                         header.begin() + static_cast<std::ptrdiff_t>(kLocalHeaderSize + nameSize));
    }

    Result WriteSpanned()
    {
        Result result = StartVolume(0, 0, true);
        for (size_t i = 0; i < segments_.size() && result == Result::Ok; ++i) {
            Segment& segment = segments_[i];
            if (!segment.Splittable()) {
                if (used_ + segment.size > capacity_)
                    result = NextVolume(i, 0);
                if (result == Result::Ok)
                    result = WriteRecord(segment);
                continue;
            }
            std::uint64_t done = 0;
            while (result == Result::Ok && done < segment.size) {
                if (used_ == capacity_) {
                    result = NextVolume(i, done);
                    continue;
                }
                const std::uint64_t part = std::min(segment.size - done, capacity_ - used_);
                result = archive_.Seek(segment.from + done) ? CopyRange(part) : Result::CannotOpen;
                done += part;
            }
        }
        if (result == Result::Ok && !volume_.Flush())
            result = Result::CannotWrite;
        return result;
    }

    // Asks for the diskette of the next volume and opens its file. next and skip say what is left.
    Result StartVolume(size_t next, std::uint64_t skip, bool first)
    {
        const int disks = disk_ + VolumesNeeded(segments_, next, skip, 0, capacity_);
        if (disks == disk_)
            return Result::TooLarge;
        if (handlers_.askForDisk && !handlers_.askForDisk(disk_ + 1, disks))
            return Result::Cancelled;
        if (!first) {
            capacity_ = Capacity();
            if (VolumesNeeded(segments_, next, skip, 0, capacity_) == 0)
                return Result::TooLarge;
        }
        used_ = 0;
        volumeOpen_ = volume_.CreateNew(volumePath_);
        return volumeOpen_ ? Result::Ok : CreateFailure();
    }

    // A file of the volume's name on the diskette (one the user chose not to clear) stays as it is.
    static Result CreateFailure()
    {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Result::DuplicateName : Result::CannotWrite;
    }

    Result NextVolume(size_t next, std::uint64_t skip)
    {
        const bool flushed = volume_.Flush();
        volume_.Close();
        volumeOpen_ = false;
        if (!flushed)
            return Result::CannotWrite;
        ++disk_;
        if (disk_ > 0xFFFE)
            return Result::TooLarge;
        return StartVolume(next, skip, false);
    }

    Result WriteRecord(const Segment& segment)
    {
        std::vector<std::uint8_t> bytes;
        switch (segment.kind) {
        case Segment::Kind::Signature:
            Put32(bytes, kSpanningSignature);
            break;
        case Segment::Kind::LocalHeader:
            places_[segment.entry] = Place{disk_, static_cast<std::uint32_t>(used_)};
            bytes = segment.bytes;
            break;
        case Segment::Kind::CentralRecord: {
            if (segment.entry == 0)
                directoryStart_ = Place{disk_, static_cast<std::uint32_t>(used_)};
            Entry entry = reader_.Entries()[segment.entry];
            entry.disk = places_[segment.entry].disk;
            entry.offset = places_[segment.entry].offset;
            bytes = CentralHeader(entry, RawName(segment.entry));
            directorySize_ += bytes.size();
            recordDisks_.push_back(disk_);
            break;
        }
        case Segment::Kind::EndRecord: {
            if (reader_.Entries().empty())
                directoryStart_ = Place{disk_, static_cast<std::uint32_t>(used_)};
            EndRecord end;
            end.disk = static_cast<std::uint16_t>(disk_);
            end.entries = static_cast<std::uint16_t>(reader_.Entries().size());
            for (int disk : recordDisks_)
                end.entriesHere = static_cast<std::uint16_t>(end.entriesHere + (disk == disk_ ? 1 : 0));
            end.directoryDisk = static_cast<std::uint16_t>(directoryStart_.disk);
            end.directoryOffset = directoryStart_.offset;
            end.directorySize = static_cast<std::uint32_t>(directorySize_);
            bytes = EndRecordBytes(end);
            break;
        }
        case Segment::Kind::Data:
            return Result::Damaged;
        }
        if (!volume_.Write(bytes))
            return Result::CannotWrite;
        used_ += bytes.size();
        return Result::Ok;
    }

    // Copies bytes from the archive's current position to the volume.
    Result CopyRange(std::uint64_t size)
    {
        while (size > 0) {
            const size_t part = static_cast<size_t>(std::min<std::uint64_t>(size, kChunk));
            if (!archive_.Read(buffer_.get(), part))
                return Result::CannotOpen;
            if (!volume_.Write(buffer_.get(), part))
                return Result::CannotWrite;
            size -= part;
            used_ += part;
        }
        return Result::Ok;
    }

    const std::string archivePath_;
    const std::string volumePath_;
    const SpanHandlers& handlers_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    ZipReader reader_;
    ZipFile archive_;
    ZipFile volume_;
    bool volumeOpen_ = false;
    std::vector<Segment> segments_;
    std::vector<Place> places_;
    std::vector<int> recordDisks_;
    Place directoryStart_;
    std::uint64_t directorySize_ = 0;
    std::uint64_t capacity_ = 0;
    std::uint64_t used_ = 0;
    int disk_ = 0;
};

} // namespace

std::uint64_t FreeSpaceFor(const std::string& path)
{
    ULARGE_INTEGER available{};
    return ::GetDiskFreeSpaceExA(RootOf(path).c_str(), &available, nullptr, nullptr) ? available.QuadPart : 0;
}

Result SpanArchive(const std::string& archivePath, const std::string& volumePath, const SpanHandlers& handlers)
{
    return Spanner(archivePath, volumePath, handlers).Run();
}

} // namespace zip
