// Writing a finished archive onto diskettes that take turns in one drive: whole when it fits on the
// first, else spread over several in the spanned form (the same file name on each diskette; the
// first begins with the spanning signature, the last holds the directory), which PKZIP reads, and
// Info-ZIP's zip joins ("zip -s 0") once the volumes are named as its split files.
#pragma once
#include "components/ZipArchive.h"
#include <cstdint>
#include <functional>
#include <string>

namespace zip {

struct SpanHandlers {
    // Before each volume is written: diskette disk (1 the first) of disks, as far as the diskettes so
    // far tell. The first diskette is in the drive already; for the others the handler asks for the
    // next one. It may clear the diskette. false stops the writing (Result::Cancelled).
    std::function<bool(int disk, int disks)> askForDisk;
    // The bytes a volume written at the path may take on the diskette now in the drive. Without a
    // handler: the drive's free space (a file of that name there is never replaced).
    std::function<std::uint64_t(const std::string& volumePath)> capacity;
};

// Copies the archive (made by ZipWriter) to volumePath, over as many diskettes as it needs. Each
// volume is created new: a file of its name on a diskette gives DuplicateName and stays as it is. A
// volume that cannot be written whole is removed again.
Result SpanArchive(const std::string& archivePath, const std::string& volumePath, const SpanHandlers& handlers);

// The drive's free space for a file at the path.
std::uint64_t FreeSpaceFor(const std::string& path);

} // namespace zip
