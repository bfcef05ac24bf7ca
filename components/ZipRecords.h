// The records of the zip format as the reader, the writer and the spanner lay them out, the name
// encodings, DOS times, and a file handle that reads and writes whole runs of bytes.
#pragma once
#include "components/ZipArchive.h"
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace zip {
namespace records {

const std::uint32_t kLocalHeaderSignature = 0x04034b50;
const std::uint32_t kCentralHeaderSignature = 0x02014b50;
const std::uint32_t kEndSignature = 0x06054b50;
const std::uint32_t kZip64LocatorSignature = 0x07064b50;
// Begins the first volume of an archive spread over several.
const std::uint32_t kSpanningSignature = 0x08074b50;

const size_t kLocalHeaderSize = 30;
const size_t kCentralHeaderSize = 46;
const size_t kEndRecordSize = 22;
const size_t kZip64LocatorSize = 20;

const std::uint16_t kFlagUtf8 = 0x0800;
// Made by version 2.0 on Unix: Info-ZIP's unzip on Linux takes UTF-8 names as they are only from
// archives made there (from MS-DOS ones it converts them as if they were in an OEM code page).
// The external attributes then hold a Unix mode in their high word and DOS attributes in their low
// byte, as Python's zipfile and Info-ZIP write them.
const std::uint16_t kVersionMadeBy = (3 << 8) | 20;
const std::uint16_t kVersionNeeded = 20;
const std::uint32_t kUnixFileMode = 0100644u << 16;
// The Info-ZIP extra field that carries a name in UTF-8 beside the one in the header.
const std::uint16_t kUnicodePathField = 0x7075;
// The most deflate can shrink data: 258 bytes from a code of at most 2 bits, plus the block headers.
const std::uint32_t kMostDeflateRatio = 1032;

std::uint16_t Get16(const std::uint8_t* p);
std::uint32_t Get32(const std::uint8_t* p);
void Put16(std::vector<std::uint8_t>& out, std::uint16_t value);
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value);

struct EndRecord {
    std::uint16_t disk = 0;          // this volume (0 first); the last volume holds the record
    std::uint16_t directoryDisk = 0; // the volume where the central directory starts
    std::uint16_t entriesHere = 0;
    std::uint16_t entries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
};

// One central directory record with its name bytes as stored (the extra field and comment dropped).
struct CentralRecord {
    Entry entry;
    std::vector<std::uint8_t> rawName;
};

std::vector<std::uint8_t> LocalHeader(const Entry& entry, const std::vector<std::uint8_t>& rawName);
std::vector<std::uint8_t> CentralHeader(const Entry& entry, const std::vector<std::uint8_t>& rawName);
std::vector<std::uint8_t> EndRecordBytes(const EndRecord& end);

// A name in code page 1252 as the archive stores it: plain ASCII as it is, anything else in UTF-8
// with flag 11 set, as Python's zipfile and Info-ZIP's unzip read it.
std::vector<std::uint8_t> EncodeName(const std::string& name, bool& utf8);
// The stored bytes back in code page 1252: UTF-8 with flag 11, else the UTF-8 of an Info-ZIP
// unicode-path field that belongs to these bytes, else UTF-8 when the bytes are valid UTF-8, else
// code page 437 (then readAsOem is set, when given). A letter code page 1252 lacks becomes '?' (which
// CheckName refuses).
std::string DecodeName(const std::uint8_t* bytes, size_t size, bool utf8, const std::uint8_t* extra,
                       size_t extraSize, bool* readAsOem = nullptr);

void ToDosTime(const FILETIME& time, std::uint16_t& dosTime, std::uint16_t& dosDate);
bool FromDosTime(std::uint16_t dosTime, std::uint16_t dosDate, FILETIME& time);

} // namespace records

// A file opened for the zip code, closed with the object. Reads and writes go whole or fail.
class ZipFile {
public:
    ZipFile() = default;
    ~ZipFile() { Close(); }
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;

    bool OpenRead(const std::string& path);
    bool Create(const std::string& path);
    // A file that must not exist yet: an existing one, or one a short (8.3) name reaches, is never
    // opened (ERROR_FILE_EXISTS).
    bool CreateNew(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }

    std::uint64_t Size() const;
    bool Seek(std::uint64_t offset);
    // Exactly size bytes, or false.
    bool Read(void* data, size_t size);
    // Up to size bytes; the count read, 0 at the end, -1 on failure.
    long long ReadSome(void* data, size_t size);
    bool Write(const void* data, size_t size);
    bool Write(const std::vector<std::uint8_t>& bytes) { return bytes.empty() || Write(bytes.data(), bytes.size()); }
    bool Truncate();
    bool Flush() { return ::FlushFileBuffers(handle_) != FALSE; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The CRC-32 and the size of a file's bytes, as an entry of it stores them; false when the file
// cannot be read whole.
bool FileCrc(const std::string& path, std::uint32_t& crc, std::uint64_t& size);

} // namespace zip
