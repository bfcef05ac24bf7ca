// The chosen printer: its name in the program ini and its device blocks in "DefaultPrinter.inf".
#include "writer_settings/PrintSettings.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/IniFile.h"
#include "writer_settings/Settings.h"
#include <cstddef>
#include <cstring>

namespace {

// Two device blocks are a few kilobytes; a larger file is no choice of ours.
const unsigned long long kLargestChoice = 1024 * 1024;

// A block of the file: the size of a movable global memory block, then its bytes.
bool AppendBlock(std::string& bytes, HGLOBAL block)
{
    if (!block)
        return false;
    const SIZE_T size = ::GlobalSize(block);
    if (size == 0 || size > 0xFFFFFFFFu)
        return false;
    const void* data = ::GlobalLock(block);
    if (!data)
        return false;
    const DWORD size32 = static_cast<DWORD>(size);
    bytes.append(reinterpret_cast<const char*>(&size32), sizeof(size32));
    bytes.append(static_cast<const char*>(data), size);
    ::GlobalUnlock(block);
    return true;
}

// The size and bytes of the block at `at`; false when the file ends before it does.
bool TakeBlock(const std::string& bytes, size_t& at, std::string& block)
{
    DWORD size = 0;
    if (bytes.size() - at < sizeof(size))
        return false;
    std::memcpy(&size, bytes.data() + at, sizeof(size));
    at += sizeof(size);
    if (bytes.size() - at < size)
        return false;
    block = bytes.substr(at, size);
    at += size;
    return true;
}

// A device mode whose own sizes fit in its block. The print dialog reads it as it stands, so a
// damaged one must never reach it.
bool IsDeviceMode(const std::string& block)
{
    if (block.size() < offsetof(DEVMODEA, dmFields))
        return false;
    DEVMODEA mode;
    std::memcpy(&mode, block.data(), offsetof(DEVMODEA, dmFields));
    return mode.dmSize >= offsetof(DEVMODEA, dmFields) && mode.dmSize + mode.dmDriverExtra <= block.size();
}

bool EndsWithinBlock(const std::string& block, WORD offset)
{
    return offset >= sizeof(DEVNAMES) && offset < block.size()
           && std::memchr(block.data() + offset, '\0', block.size() - offset) != nullptr;
}

// Device names whose three strings lie inside the block, each ended.
bool IsDeviceNames(const std::string& block)
{
    if (block.size() < sizeof(DEVNAMES))
        return false;
    DEVNAMES names;
    std::memcpy(&names, block.data(), sizeof(names));
    return EndsWithinBlock(block, names.wDriverOffset) && EndsWithinBlock(block, names.wDeviceOffset)
           && EndsWithinBlock(block, names.wOutputOffset);
}

// A movable, zero-filled block holding the bytes; null when it cannot be had.
HGLOBAL NewBlock(const std::string& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (!block)
        return nullptr;
    void* data = ::GlobalLock(block);
    if (!data) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    return block;
}

} // namespace

PrintSettings::PrintSettings() : PrintSettings(MorvelEnvironment::OfThisProgram()) {}

PrintSettings::PrintSettings(const MorvelEnvironment& environment)
{
    const MorvelPaths paths(environment);
    morvelIni_ = paths.morvelIni_;
    programIni_ = paths.programIni_;
    programDir_ = paths.programDir_;
}

void PrintSettings::ReadDefaultPrinter()
{
    programIniRead_ = SettingsFileStateOf(programIni_) == fw::FileRead::Whole;
    defaultPrinter_ = ini::ReadString(programIni_, "MVSettings", "DefaultPrinter");
}

bool PrintSettings::ProgramIniGone() const
{
    return programIniRead_ && fw::IsAbsent(programIni_);
}

bool PrintSettings::WriteDefaultPrinter() const
{
    if (SettingsFileStateOf(programIni_) == fw::FileRead::Unreadable || ProgramIniGone())
        return false;
    return ini::WriteString(programIni_, "MVSettings", "DefaultPrinter", defaultPrinter_);
}

DWORD PrintSettings::SavePrinterChoice(const PRINTDLGA& printDialog) const
{
    std::string bytes;
    if (!AppendBlock(bytes, printDialog.hDevMode) || !AppendBlock(bytes, printDialog.hDevNames))
        return ERROR_INVALID_HANDLE;
    // A file there that does not read as a choice is no choice of ours: it is never replaced.
    const DWORD stored = CheckPrinterChoice();
    if (stored != 0 && stored != ERROR_FILE_NOT_FOUND)
        return stored;
    if (!fw::WriteReplacing(PrinterChoiceFile(), bytes)) {
        const DWORD error = ::GetLastError();
        return error != 0 ? error : ERROR_WRITE_FAULT;
    }
    return 0;
}

DWORD PrintSettings::ReadPrinterChoice(std::string& mode, std::string& names) const
{
    std::string bytes;
    switch (fw::ReadWholeFile(PrinterChoiceFile(), bytes, kLargestChoice)) {
    case fw::FileRead::Absent:
        return ERROR_FILE_NOT_FOUND;
    case fw::FileRead::Unreadable: {
        const DWORD error = ::GetLastError();
        return error != 0 && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND ? error : ERROR_READ_FAULT;
    }
    case fw::FileRead::Whole:
        break;
    }
    size_t at = 0;
    if (!TakeBlock(bytes, at, mode) || !TakeBlock(bytes, at, names) || !IsDeviceMode(mode) || !IsDeviceNames(names))
        return ERROR_INVALID_DATA;
    return 0;
}

DWORD PrintSettings::CheckPrinterChoice() const
{
    std::string mode;
    std::string names;
    return ReadPrinterChoice(mode, names);
}

DWORD PrintSettings::LoadPrinterChoice(PRINTDLGA& printDialog) const
{
    std::string mode;
    std::string names;
    const DWORD read = ReadPrinterChoice(mode, names);
    if (read != 0)
        return read;
    HGLOBAL modeBlock = NewBlock(mode);
    HGLOBAL namesBlock = modeBlock ? NewBlock(names) : nullptr;
    if (!namesBlock) {
        if (modeBlock)
            ::GlobalFree(modeBlock);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    printDialog.hDevMode = modeBlock;
    printDialog.hDevNames = namesBlock;
    return 0;
}
