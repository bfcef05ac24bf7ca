// A full disk for one test: every file saved through fw::WriteReplacing meanwhile stops half-way and
// fails, as on a disk without room.
#pragma once
#include "framework/FileReplace.h"
#include <windows.h>
#include <string>

namespace testsupport {

class FullDisk {
public:
    FullDisk() : previous_(fw::SetByteWriter(&WriteHalfAndFail)) {}
    ~FullDisk() { fw::SetByteWriter(previous_); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    static bool WriteHalfAndFail(HANDLE file, const std::string& bytes)
    {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
        return false;
    }

    fw::ByteWriter previous_;
};

} // namespace testsupport
