// Packing files into a zip archive: each deflated (stored when deflating does not make it smaller),
// under the name the caller gives, with progress told as the bytes go. Several files are deflated at
// once on worker threads; the archive holds them in the order of the calls all the same, byte for
// byte as one thread would write it.
#pragma once
#include "components/ZipArchive.h"
#include <string>
#include <unordered_set>
#include <vector>

namespace zip {

class ZipFile;

// How much packing runs at once, and how much of it is held in memory.
struct PackingLimits {
    int threads = 0;                      // worker threads; 0: one a processor, at most 8
    size_t entryMemory = 2 * 1024 * 1024; // a file's packed data beyond this goes to a spill file
};

class ZipWriter {
public:
    // level: zlib's compression level, 1 (fast) to 9 (small); 0 stores every file.
    explicit ZipWriter(int level = 6, const PackingLimits& limits = PackingLimits()) : level_(level), limits_(limits) {}

    // Lists a file to pack under the stored name, in the order of the calls. UnsafeName when CheckName
    // refuses the name, DuplicateName when a listed file has it already (letter case ignored); the
    // file is not listed then.
    Result Add(const std::string& sourcePath, const std::string& storedName);
    size_t Count() const { return files_.size(); }
    void Clear()
    {
        files_.clear();
        names_.clear();
    }

    // Packs the listed files into a new file beside the archive, which replaces the archive only once
    // it is whole: a failure or a cancel leaves the file that was there before, or none, and never a
    // half-written archive.
    Result Pack(const std::string& archivePath, const ProgressHandler& progress = {});
    // The file the last failed packing stopped at (empty when the archive itself failed).
    const std::string& FailedFile() const { return failedFile_; }

private:
    struct File {
        std::string source;
        std::string storedName;
    };
    Result PackFiles(ZipFile& archive, const std::string& folder, const ProgressHandler& progress);
    int Threads() const;

    int level_;
    PackingLimits limits_;
    std::vector<File> files_;
    std::unordered_set<std::string> names_; // FoldedName forms of the stored names: looked up, not searched
    std::string failedFile_;
};

} // namespace zip
