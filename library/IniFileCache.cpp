// The process-wide cache of parsed ini files and the views that read through it.
#include "library/IniFileCache.h"
#include "library/FileStamp.h"
#include "library/IniFile.h"
#include "library/IniValues.h"
#include <windows.h>
#include <atomic>
#include <mutex>
#include <unordered_map>

namespace ini {

namespace {

// Enough for every base of a program with room to spare; the least recently used goes first.
const size_t kMostFiles = 64;

using filestamp::Stamp;

// A file's stamp; false for a folder or nothing.
bool StampOf(const std::string& path, Stamp& stamp)
{
    return filestamp::Read(path, stamp) && !stamp.IsFolder();
}

// The whole file, opened as the platform's ini functions open it: others may read, write and delete.
bool ReadWholeFile(const std::string& path, std::string& content)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    content.clear();
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) != FALSE) && read > 0)
        content.append(buffer, read);
    ::CloseHandle(file);
    return ok;
}

const std::string& WindowsFolder()
{
    static const std::string folder = [] {
        char buffer[MAX_PATH] = "";
        UINT length = ::GetWindowsDirectoryA(buffer, MAX_PATH);
        return std::string(buffer, length < MAX_PATH ? length : 0);
    }();
    return folder;
}

// "X:\..." as the system would write it itself: no '/', no empty, "." or ".." folder, and no dot or
// blank at the end (the system drops those).
bool IsPlainFullPath(const std::string& path)
{
    if (path.size() < 4 || path[1] != ':' || path[2] != '\\' || path.find('/') != std::string::npos)
        return false;
    if (path.find("\\\\") != std::string::npos || path.find("\\.\\") != std::string::npos ||
        path.find("\\..\\") != std::string::npos)
        return false;
    const char last = path.back();
    return last != '.' && last != ' ' && last != '\\';
}

// The file the platform's ini functions open for this name: a bare name lies in the Windows folder,
// anything else is completed against the current folder.
std::string FullIniPath(const std::string& path)
{
    bool bare = path.find_first_of("\\/") == std::string::npos && !(path.size() >= 2 && path[1] == ':');
    if (bare)
        return WindowsFolder() + "\\" + path;
    if (IsPlainFullPath(path))
        return path;
    char buffer[MAX_PATH];
    DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return path;
    return std::string(buffer, length);
}

struct Entry {
    Stamp stamp;
    bool settled = false;
    unsigned long long lastUse = 0;
    std::shared_ptr<const Document> document;
};

class Cache {
public:
    std::shared_ptr<const Document> Current(const std::string& path)
    {
        // Two spellings of one file are two entries, each checked on its own. A plain full path is its
        // own key, without a copy.
        std::string completed;
        const bool plain = IsPlainFullPath(path);
        if (!plain)
            completed = FullIniPath(path);
        const std::string& key = plain ? path : completed;
        const std::string& fullPath = key;
        std::lock_guard<std::mutex> lock(mutex_);
        // The moment of reading is taken before the file system is asked, so that a write after it can
        // only carry a later stamp once the file has settled.
        const unsigned long long now = clock_.Now();
        Stamp stamp;
        if (!StampOf(fullPath, stamp)) {
            entries_.erase(key);
            return Missing();
        }
        auto found = entries_.find(key);
        if (found != entries_.end() && found->second.settled && found->second.stamp == stamp) {
            found->second.lastUse = ++uses_;
            return found->second.document;
        }
        std::string bytes;
        if (!ReadWholeFile(fullPath, bytes)) {
            entries_.erase(key);
            return Missing();
        }
        Entry entry;
        entry.stamp = stamp;
        // A file caught in the middle of a write does not settle: its stamp may be older than its bytes.
        entry.settled = stamp.size == bytes.size() && now >= stamp.lastWrite + FileCache::kSettleTime;
        entry.lastUse = ++uses_;
        if (found != entries_.end() && found->second.document->Bytes() == bytes)
            entry.document = found->second.document;
        else
            entry.document = std::make_shared<const Document>(std::move(bytes));
        entries_[key] = entry;
        if (entries_.size() > kMostFiles)
            ForgetLeastUsed();
        return entry.document;
    }

    void SetClock(std::function<unsigned long long()> now) { clock_.Set(std::move(now)); }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.clear();
    }

private:
    static std::shared_ptr<const Document> Missing()
    {
        static const std::shared_ptr<const Document> missing = std::make_shared<const Document>();
        return missing;
    }

    void ForgetLeastUsed()
    {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        }
        entries_.erase(oldest);
    }

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    filestamp::Clock clock_;
    unsigned long long uses_ = 0;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

std::atomic<bool> platformReads{false};

} // namespace

std::shared_ptr<const Document> FileCache::Current(const std::string& path)
{
    return TheCache().Current(path);
}

void FileCache::SetClock(std::function<unsigned long long()> now)
{
    TheCache().SetClock(std::move(now));
}

void FileCache::Clear()
{
    TheCache().Clear();
}

void UsePlatformReads(bool platform)
{
    platformReads = platform;
}

bool UsesPlatformReads()
{
    return platformReads;
}

FileView::FileView(const std::string& path) : path_(path)
{
    if (!UsesPlatformReads())
        document_ = FileCache::Current(path);
}

FileView::FileView(const std::string& path, std::string bytes) : path_(path)
{
    if (!UsesPlatformReads())
        document_ = std::make_shared<const Document>(std::move(bytes));
}

std::string FileView::Read(const std::string& section, const std::string& key, const std::string& fallback) const
{
    if (ThroughPlatform())
        return ReadString(path_, section, key, fallback);
    return document_->Read(section, key, fallback);
}

int FileView::ReadInt(const std::string& section, const std::string& key, int defaultValue) const
{
    if (ThroughPlatform())
        return ini::ReadInt(path_, section, key, defaultValue);
    return IntOfValue(document_->Read(section, key, std::string()), defaultValue);
}

std::vector<std::string> FileView::KeyNames(const std::string& section) const
{
    if (ThroughPlatform())
        return ReadKeyNames(path_, section);
    return document_->KeyNames(section);
}

std::string FileView::FirstValue(const std::string& tableKey,
                                 const std::function<std::vector<std::string>()>& sections, const std::string& key) const
{
    if (!ThroughPlatform())
        return document_->FirstValue(tableKey, sections, key);
    for (const std::string& section : sections()) {
        std::string value = ReadString(path_, section, key);
        if (!value.empty())
            return value;
    }
    return std::string();
}

const std::vector<std::string>* FileView::Lines() const
{
    if (document_)
        return document_->Exists() ? &document_->Lines() : nullptr;
    std::string content;
    if (!ReadWholeFile(path_, content))
        return nullptr;
    platformLines_ = SplitLines(content);
    return &platformLines_;
}

const FileView& FileViews::Get(const std::string& path)
{
    for (const FileView& view : views_)
        if (view.Path() == path)
            return view;
    views_.emplace_back(path);
    return views_.back();
}

} // namespace ini
