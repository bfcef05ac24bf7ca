// Image bases made by a test in its own temporary folder: ini files as text (cp1252, CR LF) and
// small picture and sound files.
#pragma once
#include "support/TempFolder.h"
#include <initializer_list>
#include <string>

namespace testsupport {

// The lines joined with CR LF, each line ended.
std::string IniText(std::initializer_list<std::string> lines);

// Keeps a file of the Windows folder as it was: restores or removes it when the test ends.
class WindowsFileGuard {
public:
    explicit WindowsFileGuard(const std::string& name);
    ~WindowsFileGuard();
    WindowsFileGuard(const WindowsFileGuard&) = delete;
    WindowsFileGuard& operator=(const WindowsFileGuard&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool existed_ = false;
    std::string content_;
};

std::string WindowsFolder();
std::string CurrentFolder();

// Makes the folder current for the life of the holder.
class CurrentFolderGuard {
public:
    explicit CurrentFolderGuard(const std::string& folder);
    ~CurrentFolderGuard();
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

private:
    std::string previous_;
};

// Holds a file open without sharing, so no other open, copy, write or delete of it succeeds.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool IsOpen() const;

private:
    void* handle_;
};

// A drive letter the machine does not have.
char MissingDrive();

} // namespace testsupport
