// Folders of a test made read-only or locked by the system beneath Wine, as a write-protected share
// or another program would leave them. Header only, for the few main-window tests that need them.
#pragma once
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <utility>

namespace folderlocks {

// Starts a program of the system beneath Wine on a folder given by its Windows path; Wine does not
// wait for such a program, so the caller waits for what it does.
inline void RunOnFolder(const std::string& program, const std::string& arguments, const std::string& folder)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_NE(unixName, nullptr);
    const std::wstring wide(folder.begin(), folder.end());
    char* name = unixName(wide.c_str());
    ASSERT_NE(name, nullptr);
    std::string command = "Z:\\bin\\" + program + " " + arguments + " \"" + name + "\"";
    ::HeapFree(::GetProcessHeap(), 0, name);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}

// The system beneath Wine keeps no read-only flag for folders: the folder loses its write
// permission there, as on a write-protected share, and Wine then reports it read-only.
inline void SetFolderWritable(const std::string& folder, bool writable)
{
    RunOnFolder("chmod", writable ? "u+w" : "a-w", folder);
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        const bool readOnly = (::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
        return readOnly != writable;
    }));
}

// While locked, no file in the folder can be made, removed or renamed, as when another program
// holds them; the tests run as root, whom a folder without write permission does not stop. The
// lock shows when a probe file can no longer be made or removed there.
inline void SetFolderLocked(const std::string& folder, bool locked)
{
    RunOnFolder("chattr", locked ? "+i" : "-i", folder);
    const std::string probe = folder + "\\probe.tmp";
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        ::DeleteFileA(probe.c_str());  // one the lock caught between its making and its removal
        HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return locked;
        ::CloseHandle(file);
        return ::DeleteFileA(probe.c_str()) ? !locked : locked;
    }));
}

class LockedFolder {
public:
    explicit LockedFolder(std::string folder) : folder_(std::move(folder)) { SetFolderLocked(folder_, true); }
    ~LockedFolder() { SetFolderLocked(folder_, false); }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

private:
    std::string folder_;
};

} // namespace folderlocks
