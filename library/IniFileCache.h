// Ini files read at memory speed: each file parsed once and kept in a process-wide cache that is
// checked against the file at every use, so a change on disk is seen by the next use.
#pragma once
#include "library/IniDocument.h"
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace ini {

// The process-wide cache of parsed files, keyed by full path.
//
// How a change is seen: every use asks the file system for the file's size, last write time, creation
// time and attributes (one GetFileAttributesEx, no open). Any difference, or a file gone, means the
// file is read again. Equal stamps alone do not prove the bytes equal: a file rewritten within one
// tick of the file system's clock (2 s on FAT, a few ms elsewhere) with the same size keeps its time
// stamp. So a file whose last write time lies less than kSettleTime before the moment it was read is
// "unsettled": at every use its bytes are read again and compared with the kept bytes, until a use
// comes kSettleTime after its last write. From then on any later write must carry a later time stamp,
// and the stamp alone decides.
//
// A file that cannot be opened is not kept (the next use tries again) and reads as missing, as the
// platform reads it. One difference remains: a file that has not changed but is held open without
// sharing by another program after it was read keeps answering with its content, where the platform
// would give the fallbacks until the other program lets go. Seeing that would cost an open at every
// use, the slowest call of the file system.
class FileCache {
public:
    // A write stamp this much older than the moment of reading can no longer be shared by a later write.
    static constexpr unsigned long long kSettleTime = 3ull * 10000000ull; // 100-ns units

    // The file as it is now; the empty document when it is missing, a folder or cannot be read.
    static std::shared_ptr<const Document> Current(const std::string& path);

    // The clock for the settle time, as GetSystemTimeAsFileTime counts (100-ns units); tests set their
    // own, an empty function restores the system's.
    static void SetClock(std::function<unsigned long long()> now);
    // Forgets every file.
    static void Clear();
};

// The reading path of the whole process: through the cache (the default), or through the platform's
// ini calls at every read as before. Tests and benchmarks compare the two.
void UsePlatformReads(bool platform);
bool UsesPlatformReads();

// Switches to the platform's reads for its own lifetime.
class PlatformReads {
public:
    PlatformReads() : previous_(UsesPlatformReads()) { UsePlatformReads(true); }
    ~PlatformReads() { UsePlatformReads(previous_); }
    PlatformReads(const PlatformReads&) = delete;
    PlatformReads& operator=(const PlatformReads&) = delete;

private:
    bool previous_;
};

// One ini file for the length of one operation: checked against the disk once, when the view is made.
// Reads as GetPrivateProfileString would; the lines as a text reader sees them.
class FileView {
public:
    explicit FileView(const std::string& path);
    // The file as its caller has just read it whole, so it is not read a second time.
    FileView(const std::string& path, std::string bytes);

    std::string Read(const std::string& section, const std::string& key,
                     const std::string& fallback = std::string()) const;
    // The key's leading integer as GetPrivateProfileInt gives it.
    int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;
    std::vector<std::string> KeyNames(const std::string& section) const;
    // The first value that is not empty of the key read in each of the sections in turn (see
    // Document::FirstValue).
    std::string FirstValue(const std::string& tableKey, const std::function<std::vector<std::string>()>& sections,
                           const std::string& key) const;
    // The file's lines; null when the file cannot be read.
    const std::vector<std::string>* Lines() const;
    const std::string& Path() const { return path_; }
    // The parsed file this view reads, which stands for its content as long as it is kept: null when
    // the reads go to the platform, whose answers are not kept.
    std::shared_ptr<const Document> Parsed() const { return ThroughPlatform() ? nullptr : document_; }

    // What a reader builds from the file (see Document::Remember): kept with the parsed file, built
    // afresh at every call when the platform reads.
    template <class T>
    std::shared_ptr<const T> Remember(const std::string& key, const std::function<T()>& make) const
    {
        if (ThroughPlatform())
            return std::make_shared<const T>(make());
        return document_->Remember(key, make);
    }

private:
    bool ThroughPlatform() const { return !document_ || document_->IsForeign(); }

    std::string path_;
    std::shared_ptr<const Document> document_; // null: every read goes to the platform
    mutable std::vector<std::string> platformLines_;
};

// The files of one operation, each checked once however often the operation reads it. A view stays
// where it is while more are added, so the references given out stay good; an operation reads a few
// files, and a list searched in turn costs one allocation each.
class FileViews {
public:
    const FileView& Get(const std::string& path);

private:
    std::list<FileView> views_;
};

} // namespace ini
