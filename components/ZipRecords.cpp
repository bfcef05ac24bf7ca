// Zip records, name encodings, DOS times and the file handle of the zip code.
#include "components/ZipRecords.h"
#include <zlib.h>

namespace zip {
namespace records {

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

namespace {

// The fields the local header and the central record share, from the version needed to the length
// of the extra field (none is written).
void PutEntryFields(std::vector<std::uint8_t>& out, const Entry& entry, size_t nameSize)
{
    Put16(out, kVersionNeeded);
    Put16(out, entry.flags);
    Put16(out, entry.method);
    Put16(out, entry.dosTime);
    Put16(out, entry.dosDate);
    Put32(out, entry.crc);
    Put32(out, entry.packedSize);
    Put32(out, entry.size);
    Put16(out, static_cast<std::uint16_t>(nameSize));
    Put16(out, 0);
}

} // namespace

std::vector<std::uint8_t> LocalHeader(const Entry& entry, const std::vector<std::uint8_t>& rawName)
{
    std::vector<std::uint8_t> out;
    out.reserve(kLocalHeaderSize + rawName.size());
    Put32(out, kLocalHeaderSignature);
    PutEntryFields(out, entry, rawName.size());
    out.insert(out.end(), rawName.begin(), rawName.end());
    return out;
}

std::vector<std::uint8_t> CentralHeader(const Entry& entry, const std::vector<std::uint8_t>& rawName)
{
    std::vector<std::uint8_t> out;
    out.reserve(kCentralHeaderSize + rawName.size());
    Put32(out, kCentralHeaderSignature);
    Put16(out, kVersionMadeBy);
    PutEntryFields(out, entry, rawName.size());
    Put16(out, 0); // comment
    Put16(out, static_cast<std::uint16_t>(entry.disk));
    Put16(out, 0); // internal attributes
    Put32(out, entry.attributes);
    Put32(out, entry.offset);
    out.insert(out.end(), rawName.begin(), rawName.end());
    return out;
}

std::vector<std::uint8_t> EndRecordBytes(const EndRecord& end)
{
    std::vector<std::uint8_t> out;
    Put32(out, kEndSignature);
    Put16(out, end.disk);
    Put16(out, end.directoryDisk);
    Put16(out, end.entriesHere);
    Put16(out, end.entries);
    Put32(out, end.directorySize);
    Put32(out, end.directoryOffset);
    Put16(out, 0); // comment
    return out;
}

namespace {

std::wstring Widen(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    // No best fit: a letter code page 1252 lacks becomes '?', never a look-alike that names another file.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    const int length = ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             fallback, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), &narrow[0], length,
                              fallback, nullptr);
    return narrow;
}

bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The UTF-8 name of an Info-ZIP unicode-path field whose check sum matches the header's name bytes.
bool UnicodePathField(const std::uint8_t* bytes, size_t size, const std::uint8_t* extra, size_t extraSize,
                      std::string& utf8)
{
    size_t at = 0;
    while (extra && at + 4 <= extraSize) {
        const std::uint16_t tag = Get16(extra + at);
        const std::uint16_t length = Get16(extra + at + 2);
        if (at + 4 + length > extraSize)
            return false;
        const std::uint8_t* field = extra + at + 4;
        if (tag == kUnicodePathField && length >= 5 && field[0] == 1) {
            const uLong sum = crc32(0L, bytes, static_cast<uInt>(size));
            if (Get32(field + 1) != static_cast<std::uint32_t>(sum))
                return false;
            utf8.assign(reinterpret_cast<const char*>(field + 5), length - 5u);
            return true;
        }
        at += 4u + length;
    }
    return false;
}

} // namespace

std::vector<std::uint8_t> EncodeName(const std::string& name, bool& utf8)
{
    utf8 = !IsAscii(name);
    const std::string stored = utf8 ? Narrow(Widen(name, 1252), CP_UTF8) : name;
    return std::vector<std::uint8_t>(stored.begin(), stored.end());
}

std::string DecodeName(const std::uint8_t* bytes, size_t size, bool utf8, const std::uint8_t* extra,
                       size_t extraSize, bool* readAsOem)
{
    if (readAsOem)
        *readAsOem = false;
    const std::string raw(reinterpret_cast<const char*>(bytes), size);
    if (IsAscii(raw))
        return raw;
    if (utf8)
        return Narrow(Widen(raw, CP_UTF8), 1252);
    std::string unicode;
    if (UnicodePathField(bytes, size, extra, extraSize, unicode))
        return Narrow(Widen(unicode, CP_UTF8), 1252);
    // Info-ZIP's zip on Linux stores the system's UTF-8 names without the flag.
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.data(), static_cast<int>(raw.size()), nullptr, 0) > 0)
        return Narrow(Widen(raw, CP_UTF8), 1252);
    if (readAsOem)
        *readAsOem = true;
    return Narrow(Widen(raw, 437), 1252);
}

void ToDosTime(const FILETIME& time, std::uint16_t& dosTime, std::uint16_t& dosDate)
{
    FILETIME local{};
    WORD date = 0;
    WORD clock = 0;
    // Before 1980 the format has no date: such files get its first day.
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToDosDateTime(&local, &date, &clock)) {
        date = (0 << 9) | (1 << 5) | 1;
        clock = 0;
    }
    dosTime = clock;
    dosDate = date;
}

bool FromDosTime(std::uint16_t dosTime, std::uint16_t dosDate, FILETIME& time)
{
    FILETIME local{};
    return ::DosDateTimeToFileTime(dosDate, dosTime, &local) && ::LocalFileTimeToFileTime(&local, &time);
}

} // namespace records

bool ZipFile::OpenRead(const std::string& path)
{
    Close();
    handle_ = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return IsOpen();
}

bool ZipFile::Create(const std::string& path)
{
    Close();
    handle_ = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool ZipFile::CreateNew(const std::string& path)
{
    Close();
    handle_ = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    return IsOpen();
}

void ZipFile::Close()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

std::uint64_t ZipFile::Size() const
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(handle_, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

bool ZipFile::Seek(std::uint64_t offset)
{
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != FALSE;
}

bool ZipFile::Read(void* data, size_t size)
{
    auto* at = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        const long long got = ReadSome(at, size);
        if (got <= 0)
            return false;
        at += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

long long ZipFile::ReadSome(void* data, size_t size)
{
    DWORD got = 0;
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!::ReadFile(handle_, data, wanted, &got, nullptr))
        return -1;
    return got;
}

bool ZipFile::Write(const void* data, size_t size)
{
    const auto* at = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(handle_, at, wanted, &written, nullptr) || written == 0)
            return false;
        at += written;
        size -= written;
    }
    return true;
}

bool FileCrc(const std::string& path, std::uint32_t& crc, std::uint64_t& size)
{
    ZipFile file;
    if (!file.OpenRead(path))
        return false;
    std::vector<std::uint8_t> block(256 * 1024);
    uLong sum = crc32(0L, Z_NULL, 0);
    size = 0;
    for (;;) {
        const long long got = file.ReadSome(block.data(), block.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        sum = crc32(sum, block.data(), static_cast<uInt>(got));
        size += static_cast<std::uint64_t>(got);
    }
    crc = static_cast<std::uint32_t>(sum);
    return true;
}

bool ZipFile::Truncate()
{
    return ::SetEndOfFile(handle_) != FALSE;
}

} // namespace zip
