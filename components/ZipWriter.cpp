// Packing files into a zip archive through a temporary file beside it.
#include "components/ZipWriter.h"
#include "components/ZipPackingWorkers.h"
#include "components/ZipRecords.h"
#include <algorithm>
#include <memory>
#include <thread>

namespace zip {

using namespace records;

namespace {

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

// The archive being written: buffered, with its position known.
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

private:
    ZipFile& file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t position_ = 0;
};

// The local header and the data of a packed entry at the archive's end; the record gets the offset.
Result Emit(Output& output, PackedEntry& packed, CentralRecord& record)
{
    if (output.Position() > kLargest)
        return Result::TooLarge;
    record = packed.record;
    record.entry.offset = static_cast<std::uint32_t>(output.Position());
    if (!output.Write(LocalHeader(record.entry, record.rawName)))
        return Result::CannotWrite;
    if (!packed.data.CopyTo([&output](const void* bytes, size_t size) { return output.Write(bytes, size); }))
        return Result::CannotWrite;
    return output.Position() > kLargest ? Result::TooLarge : Result::Ok;
}

} // namespace

Result ZipWriter::Add(const std::string& sourcePath, const std::string& storedName)
{
    if (CheckName(storedName) != NameProblem::None)
        return Result::UnsafeName;
    if (!names_.insert(FoldedName(storedName)).second)
        return Result::DuplicateName;
    files_.push_back(File{sourcePath, storedName});
    return Result::Ok;
}

Result ZipWriter::Pack(const std::string& archivePath, const ProgressHandler& progress)
{
    failedFile_.clear();
    const std::string folder = FolderOf(archivePath);
    char temporary[MAX_PATH] = "";
    if (!::GetTempFileNameA(folder.c_str(), "zip", 0, temporary))
        return Result::CannotWrite;
    ZipFile file;
    Result result = file.Create(temporary) ? Result::Ok : Result::CannotWrite;
    if (result == Result::Ok)
        result = PackFiles(file, folder, progress);
    file.Close();
    if (result == Result::Ok &&
        !::MoveFileExA(temporary, archivePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        result = Result::CannotWrite;
    if (result != Result::Ok)
        ::DeleteFileA(temporary);
    return result;
}

int ZipWriter::Threads() const
{
    if (limits_.threads > 0)
        return limits_.threads;
    return static_cast<int>(std::min(8u, std::max(1u, std::thread::hardware_concurrency())));
}

// The workers pack the files ahead; this thread writes each entry as its turn comes and tells the
// progress in the archive's order: the bytes of the entries written and those read of the next one.
Result ZipWriter::PackFiles(ZipFile& archive, const std::string& folder, const ProgressHandler& progress)
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

    const int threads = Threads();
    std::vector<std::unique_ptr<PackingBuffers>> buffers;
    for (int n = 0; n < threads; ++n)
        buffers.push_back(std::make_unique<PackingBuffers>(level_));
    const size_t memory = limits_.entryMemory;
    PackingWorkers workers(files_.size(), threads, 2 * static_cast<size_t>(threads),
                           [&](size_t index, int worker, const ReadHandler& read) {
                               auto packed = std::make_unique<PackedEntry>(folder, memory);
                               PackEntry(files_[index].source, files_[index].storedName, *buffers[worker], read,
                                         *packed);
                               return packed;
                           });
    bool cancelled = false;
    const auto tell = [&](std::uint64_t done) {
        if (done == state.done)
            return true;
        state.done = done;
        cancelled = progress && !progress(state);
        return !cancelled;
    };

    std::vector<CentralRecord> directory(files_.size());
    for (size_t i = 0; i < files_.size(); ++i) {
        failedFile_ = state.file = files_[i].source;
        const std::uint64_t before = state.done;
        PackedEntry* packed = workers.WaitFor(i, [&](std::uint64_t read) { return tell(before + read); });
        if (!packed)
            return cancelled ? Result::Cancelled : Result::CannotWrite;
        if (packed->result != Result::Ok)
            return packed->result;
        const Result emitted = Emit(output, *packed, directory[i]);
        if (emitted != Result::Ok)
            return emitted;
        const std::uint64_t size = packed->record.entry.size;
        workers.Release(i);
        if (!tell(before + size))
            return Result::Cancelled;
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
