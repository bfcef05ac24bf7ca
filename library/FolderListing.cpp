// The process-wide cache of folder listings.
#include "library/FolderListing.h"
#include "library/FileStamp.h"
#include "library/IniFileCache.h"
#include <windows.h>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace folderlisting {

namespace {

using filestamp::Stamp;

// Enough for the sound and picture folders of every base; beyond it the cache starts afresh.
const size_t kMostFolders = 64;

// Letters whose case pairs are the same for every file system: ASCII and the Latin-1 letters that pair
// one to one (not ß, ÿ or µ, nor × and ÷).
bool IsPlainByte(unsigned char c)
{
    if (c < 0x80)
        return true;
    return c >= 0xC0 && c != 0xD7 && c != 0xDF && c != 0xF7 && c != 0xFF;
}

bool IsAnswerableName(const std::string& name)
{
    if (name.empty() || name.size() > 240 || name.back() == '.' || name.back() == ' ')
        return false;
    for (char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || std::strchr("\\/:*?\"<>|~", c) != nullptr || !IsPlainByte(byte))
            return false;
    }
    return true;
}

// "X:\..." with nothing the system would tidy away, so that its parent is the text before the last '\'.
bool IsPlainFolderPath(const std::string& path)
{
    if (path.size() < 4 || path[1] != ':' || path[2] != '\\' || path.find('/') != std::string::npos)
        return false;
    if (path.find("\\\\") != std::string::npos || path.find("\\.") != std::string::npos)
        return false;
    const char last = path.back();
    return last != '.' && last != ' ' && last != '\\';
}

// The name as the file system compares it: in upper case, as the system's Unicode tables fold it.
std::wstring FoldedWide(const wchar_t* text, int length)
{
    std::wstring folded(text, static_cast<size_t>(length));
    if (!folded.empty())
        ::CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

std::wstring Folded(const std::string& name)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), &wide[0], length);
    return FoldedWide(wide.data(), length);
}

// Only local fixed NTFS drives change a folder's stamp with every entry.
bool KeepsFolderStamps(const std::string& folder)
{
    const char root[] = {folder[0], ':', '\\', '\0'};
    if (::GetDriveTypeA(root) != DRIVE_FIXED)
        return false;
    char system[32] = "";
    if (!::GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, system, sizeof(system)))
        return false;
    return std::string(system) == "NTFS";
}

bool List(const std::string& folder, std::set<std::wstring>& names)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()), nullptr, 0);
    std::wstring pattern(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()), &pattern[0], length);
    pattern += L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        names.insert(FoldedWide(found.cFileName, static_cast<int>(wcslen(found.cFileName))));
    } while (::FindNextFileW(search, &found));
    const bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(search);
    return complete;
}

struct Entry {
    bool missing = false;  // the folder is not there; stamp is then its parent's
    unsigned long long settles = 0; // not kept yet: the stamp was too young, and nothing is asked before this
    Stamp stamp;
    std::set<std::wstring> names;
};

// "X:" names the current folder of the drive, not its root.
std::string AsFolder(const std::string& path)
{
    return path.size() == 2 ? path + "\\" : path;
}

// Asked for only when needed: most uses find the folder itself kept.
std::string ParentOf(const std::string& folder)
{
    return AsFolder(folder.substr(0, folder.rfind('\\')));
}

class Cache {
public:
    bool Lacks(const std::string& folder, const std::string& name)
    {
        if (!IsPlainFolderPath(folder) || !IsAnswerableName(name))
            return false;
        std::lock_guard<std::mutex> lock(mutex_);
        const unsigned long long now = clock_.Now();
        const Entry* entry = Current(folder, now);
        if (entry == nullptr)
            return false;
        return entry->missing || entry->names.count(Folded(name)) == 0;
    }

    void SetClock(std::function<unsigned long long()> now) { clock_.Set(std::move(now)); }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.clear();
    }

private:
    static bool Settled(const Stamp& stamp, unsigned long long now)
    {
        return now >= stamp.lastWrite + ini::FileCache::kSettleTime;
    }

    // The kept entry, checked against the disk; null when none can be kept now.
    const Entry* Current(const std::string& folder, unsigned long long now)
    {
        auto found = entries_.find(folder);
        if (found != entries_.end()) {
            const Entry& entry = found->second;
            // Until a young stamp has settled the caller asks the system itself, at no extra cost.
            if (entry.settles != 0 && now < entry.settles)
                return nullptr;
            // A missing folder is asked for through its parent: the system's answer for a missing path is
            // the costly one.
            Stamp stamp;
            if (entry.settles == 0 && filestamp::Read(entry.missing ? ParentOf(folder) : folder, stamp) &&
                stamp.IsFolder() && stamp == entry.stamp)
                return &entry;
            entries_.erase(found);
        }
        if (!Kept(folder))
            return nullptr;
        Entry entry;
        const bool built = Build(folder, ParentOf(folder), now, entry);
        if (!built && entry.settles == 0)
            return nullptr;
        if (entries_.size() >= kMostFolders)
            entries_.clear();
        Entry& kept = entries_[folder] = std::move(entry);
        return built ? &kept : nullptr;
    }

    // Lists the folder, or takes it for missing, once its stamp (or its parent's) has settled; a stamp
    // too young gives the time it settles. Each stamp is taken before what it vouches for is read, so a
    // change in between is never kept.
    static bool Build(const std::string& folder, const std::string& parent, unsigned long long now, Entry& entry)
    {
        Stamp stamp;
        if (filestamp::Read(folder, stamp)) {
            if (!stamp.IsFolder())
                return false;
            if (!Settled(stamp, now)) {
                entry.settles = stamp.lastWrite + ini::FileCache::kSettleTime;
                return false;
            }
            Stamp after;
            if (!List(folder, entry.names) || !filestamp::Read(folder, after) || after != stamp)
                return false;
            entry.stamp = stamp;
            return true;
        }
        if (!filestamp::Read(parent, entry.stamp) || !entry.stamp.IsFolder())
            return false;
        if (!Settled(entry.stamp, now)) {
            entry.settles = entry.stamp.lastWrite + ini::FileCache::kSettleTime;
            return false;
        }
        if (filestamp::Read(folder, stamp))
            return false;
        entry.missing = true;
        return true;
    }

    bool Kept(const std::string& folder)
    {
        char drive = folder[0];
        if (drive >= 'a' && drive <= 'z')
            drive = static_cast<char>(drive - 'a' + 'A');
        auto found = drives_.find(drive);
        if (found == drives_.end())
            found = drives_.emplace(drive, KeepsFolderStamps(folder)).first;
        return found->second;
    }

    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
    std::map<char, bool> drives_;
    filestamp::Clock clock_;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

} // namespace

bool Lacks(const std::string& folder, const std::string& name)
{
    return TheCache().Lacks(folder, name);
}

void SetClock(std::function<unsigned long long()> now)
{
    TheCache().SetClock(std::move(now));
}

void Clear()
{
    TheCache().Clear();
}

} // namespace folderlisting
