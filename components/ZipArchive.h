// Zip archives in place of the outside zip control: what the reader, the writer and the diskette
// spanner share. Entries are stored or deflated; sizes stay below 4 GB (no ZIP64). Names reach the
// callers in code page 1252 with '/' between folders.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace zip {

enum class Result {
    Ok,
    CannotOpen,     // the archive, or a file to pack, cannot be opened for reading
    CannotWrite,    // the archive, or an unpacked file, cannot be written (full or protected disk)
    NotAnArchive,   // no end record of a zip archive
    Damaged,        // a record or a size does not hold together, or the data ends early
    CrcError,       // an entry unpacked to other bytes than were packed
    Unsupported,    // encrypted entries, other methods, ZIP64
    TooLarge,       // a file or the archive would pass what the format holds without ZIP64
    UnsafeName,     // an entry's name would leave the target folder (see CheckName)
    DuplicateName,  // two files would be stored under one name, or an unpacked file's name reaches a file there
    CannotCreate,   // an unpacked file's name cannot be made there (too long, a file where a folder must be)
    NoVolume,       // a volume of an archive over several was not given
    Cancelled,      // the progress or disk handler asked to stop
};

// Why a stored name cannot be unpacked as it stands below a folder.
enum class NameProblem {
    None,
    Empty,
    Absolute,       // begins with '/' or '\'
    Network,        // begins with two of them (a UNC path)
    DriveLetter,    // begins with a letter and ':'
    ParentFolder,   // has a ".." part
    BadCharacter,   // a control character, one of : * ? " < > |, or a letter outside code page 1252
    DeviceName,     // a part names a device (CON, NUL, COM1, ...)
    TrailingDot,    // a part ends in '.' or ' ', which Windows drops: "hund.bmp." would land on "hund.bmp"
};

struct Entry {
    std::string name;           // as stored, in code page 1252; a folder's ends in '/'
    // The stored bytes as code page 1252 where name read them as code page 437 (no UTF-8 flag, not
    // valid UTF-8, letters beyond ASCII): some Windows tools write the system's code page there
    // instead. Empty otherwise; the caller decides which reading the archive means.
    std::string ansiName;
    std::uint16_t method = 0;   // 0 stored, 8 deflated
    std::uint16_t flags = 0;
    std::uint32_t crc = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t size = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0;
    std::uint32_t attributes = 0; // external attributes; the low byte holds the DOS attributes
    int disk = 0;               // the volume that holds the local header (0 first)
    std::uint32_t offset = 0;   // of the local header within that volume
    NameProblem problem = NameProblem::None;

    bool IsFolder() const { return !name.empty() && name.back() == '/'; }
    bool IsEncrypted() const { return (flags & 1) != 0; }
};

struct Progress {
    std::string file;           // the file being packed, or the entry being unpacked
    std::uint64_t done = 0;     // bytes of all files so far
    std::uint64_t total = 0;
    int Percent() const { return total == 0 ? 100 : static_cast<int>(done * 100 / total); }
};
// Told as the work goes on; false stops it (Result::Cancelled).
using ProgressHandler = std::function<bool(const Progress&)>;

// The name a file is stored under in an export archive: its full path without the drive, with '/'
// between folders ("c:\bilder\hund.bmp" is "bilder/hund.bmp"); a network path "\\server\share\a.bmp"
// keeps its server and share as folders ("server/share/a.bmp").
std::string StoredName(const std::string& path);

// Whether the stored name can be unpacked below a folder without leaving it or naming a device.
NameProblem CheckName(const std::string& storedName);

// Two stored names name the same file on Windows (letter case ignored, '\' as '/').
bool SameName(const std::string& a, const std::string& b);
// The form SameName compares: lower case, '/' between folders. Names that are one file share it, so
// it serves as the key of a lookup.
std::string FoldedName(const std::string& name);

} // namespace zip
