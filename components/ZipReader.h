// Reading zip archives: the listing from the central directory, and unpacking stored and deflated
// entries with their sizes and CRC checked. A damaged or lying archive gives a result, never more
// bytes than an entry declares, and never a file outside the target folder.
#pragma once
#include "components/ZipArchive.h"
#include "components/ZipRecords.h"
#include <functional>
#include <string>
#include <vector>

namespace zip {

// Finds one volume of an archive spread over several (disk 0 is the first; count of them): the path
// of its file once the diskette is in or the split file is found; empty when it cannot be had.
using VolumeSource = std::function<std::string(int disk, int count)>;

class ZipReader {
public:
    ZipReader() = default;
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // Reads the archive's directory. An archive over several volumes is opened at its last volume;
    // volumes then finds the others as their entries are read (NoVolume without it).
    Result Open(const std::string& path, VolumeSource volumes = {});
    void Close();

    const std::vector<Entry>& Entries() const { return entries_; }
    int VolumeCount() const { return volumeCount_; }
    // The first entry stored under the name (letter case ignored), or -1.
    int Find(const std::string& name) const;

    // Unpacks one entry into a file it creates new (its folder must exist): DuplicateName when the name
    // reaches a file there (a short name too), CannotCreate when the name cannot be made there. A
    // failed entry leaves no file.
    Result Extract(size_t index, const std::string& targetPath, const ProgressHandler& progress = {});
    // One entry into memory; TooLarge above kLargestInMemory.
    Result Read(size_t index, std::string& data);
    // Every entry below the folder, with the folders their names hold. An entry whose name CheckName
    // refuses stops it before anything is written (UnsafeName).
    Result ExtractAll(const std::string& folder, const ProgressHandler& progress = {});

    // The entry the last failed operation stopped at.
    const std::string& FailedEntry() const { return failedEntry_; }

    static const std::uint32_t kLargestInMemory = 64u * 1024u * 1024u;

private:
    // Where a run of bytes lies: a volume and an offset in it.
    struct Position {
        int disk = 0;
        std::uint64_t offset = 0;
    };
    using Sink = std::function<bool(const std::uint8_t* data, size_t size)>;

    Result ReadDirectory(const records::EndRecord& end, std::uint64_t shift);
    Result ParseDirectory(const std::vector<std::uint8_t>& directory, const records::EndRecord& end,
                          std::uint64_t shift);
    Result CheckDataRanges(std::uint64_t directoryOffset, int directoryDisk);
    bool UseVolume(int disk);
    // Reads on across the end of a volume into the next one.
    bool ReadAt(Position& at, void* data, size_t size);
    long long ReadSomeAt(Position& at, void* data, size_t size);
    // Hands the entry's bytes to the sink as they unpack, checking the local header, the sizes and the CRC.
    Result Unpack(const Entry& entry, const Sink& sink, Progress& progress, const ProgressHandler& handler);
    // The deflate stream of packed runs that fetch gives (0 when they are used up, -1 on a read failure).
    static Result Inflate(const std::function<long long()>& fetch, std::uint8_t* input,
                          const std::function<Result(const std::uint8_t*, size_t)>& deliver);
    Result UnpackToFile(const Entry& entry, const std::string& targetPath, Progress& progress,
                        const ProgressHandler& handler);
    Result Fail(Result result, const std::string& entry);

    std::string path_;
    VolumeSource volumes_;
    int volumeCount_ = 0;
    int currentVolume_ = -1;
    std::uint64_t currentSize_ = 0;
    ZipFile file_;
    std::vector<Entry> entries_;
    std::string failedEntry_;
};

} // namespace zip
