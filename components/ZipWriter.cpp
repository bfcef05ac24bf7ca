// Packing files into a zip archive through a temporary file beside it.
#include "components/ZipWriter.h"
#include "components/ZipRecords.h"
#include <zlib.h>
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
    bool Patch(std::uint64_t at, const std::vector<std::uint8_t>& bytes)
    {
        return Flush() && file_.Seek(at) && file_.Write(bytes) && file_.Seek(position_);
    }
    // Drops everything from the offset on.
    bool CutAt(std::uint64_t at)
    {
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

    Result Deflate(int level)
    {
        z_stream stream{};
        if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
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
        }
        deflateEnd(&stream);
        if (result != Result::Ok)
            return result;
        entry_.method = 8;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(size);
        entry_.packedSize = static_cast<std::uint32_t>(output_.Position() - start);
        return Result::Ok;
    }

    // Copies the file as it stands. counted: its bytes were told as progress already.
    Result Store(bool counted)
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
            if (!counted) {
                const Result told = Told(static_cast<std::uint64_t>(got));
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
        Result result = level_ > 0 && source.Size() > 0 ? packer.Deflate(level_) : packer.Store(false);
        // Data that deflating does not shrink (pictures and sounds packed already) is stored as it is.
        if (result == Result::Ok && entry.method == 8 && entry.packedSize >= entry.size) {
            result = output.CutAt(dataStart) && source.Seek(0) ? packer.Store(true) : Result::CannotWrite;
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
