// Packing files into a zip archive through a temporary file beside it.
#include "components/ZipWriter.h"
#include "components/ZipRecords.h"
#include <zlib.h>
#include <algorithm>
#include <memory>

namespace zip {

using namespace records;

namespace {

const size_t kChunk = 256 * 1024;
const size_t kOutputBuffer = 1024 * 1024;
// Offsets and sizes are 32-bit without ZIP64.
const std::uint64_t kLargest = 0xFFFFFFFFu;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    // "A:\x.zip" lies in "A:\", not in "A:" (the drive's current folder).
    return slash > 0 && path[slash - 1] == ':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

// The archive being written: buffered, with its position known, and headers patched in place once
// their entry's sizes and CRC are known.
class Output {
public:
    explicit Output(ZipFile& file) : file_(file) { buffer_.reserve(kOutputBuffer); }

    std::uint64_t Position() const { return position_; }
    bool Write(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        if (buffer_.size() + size > kOutputBuffer && !Flush())
            return false;
        if (size >= kOutputBuffer) {
            if (!file_.Write(bytes, size))
                return false;
        } else {
            buffer_.insert(buffer_.end(), bytes, bytes + size);
        }
        position_ += size;
        return true;
    }
    bool Write(const std::vector<std::uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    bool Flush()
    {
        const bool ok = buffer_.empty() || file_.Write(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }
    // Bytes still in the buffer are patched there, which saves the small files' seeks and writes.
    bool Patch(std::uint64_t at, const std::vector<std::uint8_t>& bytes)
    {
        const std::uint64_t buffered = position_ - buffer_.size();
        if (at >= buffered && at + bytes.size() <= position_) {
            std::copy(bytes.begin(), bytes.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(at - buffered));
            return true;
        }
        return Flush() && file_.Seek(at) && file_.Write(bytes) && file_.Seek(position_);
    }
    // Drops everything from the offset on.
    bool CutAt(std::uint64_t at)
    {
        const std::uint64_t buffered = position_ - buffer_.size();
        if (at >= buffered && at <= position_) {
            buffer_.resize(static_cast<size_t>(at - buffered));
            position_ = at;
            return true;
        }
        if (!Flush() || !file_.Seek(at) || !file_.Truncate())
            return false;
        position_ = at;
        return true;
    }

private:
    ZipFile& file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t position_ = 0;
};

// One file's data into the archive; the entry gets the CRC and the sizes.
class EntryPacker {
public:
    EntryPacker(ZipFile& source, Output& output, Entry& entry, Progress& progress,
                const ProgressHandler& handler)
        : source_(source), output_(output), entry_(entry), progress_(progress), handler_(handler),
          input_(new std::uint8_t[kChunk])
    {
    }

    // Deflates the file. gaveUp: the first run of a file larger than a run did not shrink, and the
    // file is left for Store (whose progress then starts after that run).
    Result Deflate(int level, bool& gaveUp)
    {
        gaveUp = false;
        z_stream stream{};
        // The largest hash table (memory level 9) deflates faster and a little smaller than the default.
        if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
            return Result::CannotWrite;
        std::unique_ptr<std::uint8_t[]> packed(new std::uint8_t[kChunk]);
        const std::uint64_t start = output_.Position();
        Result result = Result::Ok;
        uLong crc = crc32(0L, Z_NULL, 0);
        std::uint64_t size = 0;
        for (bool last = false; result == Result::Ok && !last;) {
            const long long got = source_.ReadSome(input_.get(), kChunk);
            if (got < 0) {
                result = Result::CannotOpen;
                break;
            }
            last = got == 0;
            crc = crc32(crc, input_.get(), static_cast<uInt>(got));
            size += static_cast<std::uint64_t>(got);
            stream.next_in = input_.get();
            stream.avail_in = static_cast<uInt>(got);
            do {
                stream.next_out = packed.get();
                stream.avail_out = static_cast<uInt>(kChunk);
                deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
                if (!output_.Write(packed.get(), kChunk - stream.avail_out))
                    result = Result::CannotWrite;
            } while (result == Result::Ok && stream.avail_out == 0);
            if (result == Result::Ok)
                result = Told(static_cast<std::uint64_t>(got));
            if (result == Result::Ok && (size > kLargest - 1 || output_.Position() > kLargest))
                result = Result::TooLarge;
            // Pictures and sounds that are packed already do not shrink: after the first run of a
            // larger file deflating stops, and the file is stored.
            if (result == Result::Ok && !last && size == static_cast<std::uint64_t>(got) && Incompressible(stream)) {
                gaveUp = true;
                break;
            }
        }
        deflateEnd(&stream);
        if (result != Result::Ok || gaveUp)
            return result;
        entry_.method = 8;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(size);
        entry_.packedSize = static_cast<std::uint32_t>(output_.Position() - start);
        return Result::Ok;
    }

    // Copies the file as it stands; the first `counted` bytes were told as progress already.
    Result Store(std::uint64_t counted)
    {
        const std::uint64_t start = output_.Position();
        uLong crc = crc32(0L, Z_NULL, 0);
        for (;;) {
            const long long got = source_.ReadSome(input_.get(), kChunk);
            if (got < 0)
                return Result::CannotOpen;
            if (got == 0)
                break;
            crc = crc32(crc, input_.get(), static_cast<uInt>(got));
            if (!output_.Write(input_.get(), static_cast<size_t>(got)))
                return Result::CannotWrite;
            if (output_.Position() > kLargest)
                return Result::TooLarge;
            const std::uint64_t copied = output_.Position() - start;
            const std::uint64_t before = copied - static_cast<std::uint64_t>(got);
            if (copied > counted) {
                const Result told = Told(copied - std::max(before, counted));
                if (told != Result::Ok)
                    return told;
            }
        }
        entry_.method = 0;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(output_.Position() - start);
        entry_.packedSize = entry_.size;
        return Result::Ok;
    }

private:
    // Less than a 64th saved so far, counting what deflate still holds.
    static bool Incompressible(z_stream& stream)
    {
        unsigned pending = 0;
        int bits = 0;
        deflatePending(&stream, &pending, &bits);
        const std::uint64_t packed = std::uint64_t(stream.total_out) + pending;
        return packed * 64 >= std::uint64_t(stream.total_in) * 63;
    }

    Result Told(std::uint64_t bytes)
    {
        progress_.done += bytes;
        return handler_ && !handler_(progress_) ? Result::Cancelled : Result::Ok;
    }

    ZipFile& source_;
    Output& output_;
    Entry& entry_;
    Progress& progress_;
    const ProgressHandler& handler_;
    std::unique_ptr<std::uint8_t[]> input_;
};

} // namespace

Result ZipWriter::Add(const std::string& sourcePath, const std::string& storedName)
{
    if (CheckName(storedName) != NameProblem::None)
        return Result::UnsafeName;
    for (const File& file : files_) {
        if (SameName(file.storedName, storedName))
            return Result::DuplicateName;
    }
    files_.push_back(File{sourcePath, storedName});
    return Result::Ok;
}

Result ZipWriter::Pack(const std::string& archivePath, const ProgressHandler& progress)
{
    failedFile_.clear();
    char temporary[MAX_PATH] = "";
    if (!::GetTempFileNameA(FolderOf(archivePath).c_str(), "zip", 0, temporary))
        return Result::CannotWrite;
    ZipFile file;
    Result result = file.Create(temporary) ? Result::Ok : Result::CannotWrite;
    if (result == Result::Ok)
        result = PackFiles(file, progress);
    file.Close();
    if (result == Result::Ok &&
        !::MoveFileExA(temporary, archivePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        result = Result::CannotWrite;
    if (result != Result::Ok)
        ::DeleteFileA(temporary);
    return result;
}

Result ZipWriter::PackFiles(ZipFile& archive, const ProgressHandler& progress)
{
    Output output(archive);
    Progress state;
    for (const File& file : files_) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExA(file.source.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            failedFile_ = file.source;
            return Result::CannotOpen;
        }
        state.total += (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    if (files_.size() > 0xFFFF)
        return Result::TooLarge;

    std::vector<CentralRecord> directory;
    for (const File& file : files_) {
        failedFile_ = file.source;
        ZipFile source;
        if (!source.OpenRead(file.source))
            return Result::CannotOpen;
        if (source.Size() > kLargest - 1)
            return Result::TooLarge;
        CentralRecord record;
        Entry& entry = record.entry;
        bool utf8 = false;
        record.rawName = EncodeName(file.storedName, utf8);
        entry.name = file.storedName;
        entry.flags = utf8 ? kFlagUtf8 : 0;
        FILETIME written{};
        ::GetFileTime(source.Handle(), nullptr, nullptr, &written);
        ToDosTime(written, entry.dosTime, entry.dosDate);
        BY_HANDLE_FILE_INFORMATION information{};
        entry.attributes = kUnixFileMode | (::GetFileInformationByHandle(source.Handle(), &information)
                                                ? information.dwFileAttributes & 0x27u // read-only, hidden, system, archive
                                                : FILE_ATTRIBUTE_ARCHIVE);
        if (output.Position() > kLargest)
            return Result::TooLarge;
        entry.offset = static_cast<std::uint32_t>(output.Position());
        if (!output.Write(LocalHeader(entry, record.rawName)))
            return Result::CannotWrite;
        const std::uint64_t dataStart = output.Position();

        state.file = file.source;
        EntryPacker packer(source, output, entry, state, progress);
        bool gaveUp = false;
        const std::uint64_t doneBefore = state.done;
        Result result = level_ > 0 && source.Size() > 0 ? packer.Deflate(level_, gaveUp) : packer.Store(0);
        // Data that deflating does not shrink (pictures and sounds packed already) is stored as it is.
        if (result == Result::Ok && (gaveUp || (entry.method == 8 && entry.packedSize >= entry.size))) {
            const std::uint64_t counted = state.done - doneBefore;
            result = output.CutAt(dataStart) && source.Seek(0) ? packer.Store(counted) : Result::CannotWrite;
        }
        if (result != Result::Ok)
            return result;
        if (!output.Patch(entry.offset, LocalHeader(entry, record.rawName)))
            return Result::CannotWrite;
        directory.push_back(std::move(record));
    }
    failedFile_.clear();

    EndRecord end;
    end.entries = end.entriesHere = static_cast<std::uint16_t>(directory.size());
    end.directoryOffset = static_cast<std::uint32_t>(output.Position());
    for (const CentralRecord& record : directory) {
        if (!output.Write(CentralHeader(record.entry, record.rawName)))
            return Result::CannotWrite;
    }
    if (output.Position() > kLargest)
        return Result::TooLarge;
    end.directorySize = static_cast<std::uint32_t>(output.Position() - end.directoryOffset);
    const bool written = output.Write(EndRecordBytes(end)) && output.Flush() && archive.Flush();
    return written ? Result::Ok : Result::CannotWrite;
}

} // namespace zip
