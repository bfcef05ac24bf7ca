// FileIO's set store: the set folders, their registers ("register.txt") and the overlay files in them,
// the current-set mark and the news to the USB keyboard's driver program.
#include "loader/FileIO.h"
#include "framework/Cursor.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include "library/IniValues.h"
#include "loader/TextLines.h"
#include <windows.h>
#include <shellapi.h>
#include <cstdlib>
#include <set>

namespace {

const char* const kKeyboardSection = "KeyboardSettings";
const char* const kSetInfoSection = "SetInfo";
const char* const kIsCurrentKey = "IsCurrent";
const int kFirstNumber = 1;
const int kLastNumber = 100;
const int kFirstStandardNumber = 101;
const int kLastStandardNumber = 127;

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && cp1252::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

void ShowArrowCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

// The shell's delete with undo, so that the user finds the file or folder in the recycle bin; the
// shell shows nothing of its own. Something that is not there counts as deleted.
bool SendToRecycleBin(const std::string& path)
{
    if (!Exists(path))
        return true;
    std::string from = path + '\0'; // the shell wants a list ended by two nulls
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (::SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted)
        return false;
    return !Exists(path);
}

// A copy counts only when the whole file arrived.
bool CopyWhole(const std::string& source, const std::string& target)
{
    if (!::CopyFileA(source.c_str(), target.c_str(), FALSE))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
    return ::GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &from)
           && ::GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &to)
           && from.nFileSizeHigh == to.nFileSizeHigh && from.nFileSizeLow == to.nFileSizeLow;
}

// A new name that differs only in case goes by way of a name of its own: some file systems take
// such a move for no move at all.
bool MoveByName(const std::string& from, const std::string& to)
{
    if (!cp1252::EqualsNoCase(from, to))
        return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
    if (from == to)
        return true;
    const std::string between = from + ".~" + std::to_string(::GetCurrentProcessId());
    if (!::MoveFileA(from.c_str(), between.c_str()))
        return false;
    if (::MoveFileA(between.c_str(), to.c_str()))
        return true;
    ::MoveFileA(between.c_str(), from.c_str());
    return false;
}

std::string OverlayKey(int number)
{
    return std::to_string(number);
}

// A register line's number: the text before the '=' as an integer, 0 when it is none.
int EntryNumber(const std::string& text)
{
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < -1000000 || value > 1000000)
        return 0;
    return static_cast<int>(value);
}

} // namespace

std::string FileIO::SetFolderPath(const std::string& setName) const
{
    return setFolder_ + "\\" + setName;
}

std::string FileIO::SetRegisterPath(const std::string& setName) const
{
    return SetFolderPath(setName) + "\\" + registerFileName_;
}

bool FileIO::IsTemplatesSet(const std::string& setName) const
{
    return cp1252::EqualsNoCase(setName, templatesSetName_);
}

bool FileIO::IsValidName(const std::string& name)
{
    if (name.empty())
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string("\\/*?\"<>|,:").find(c) != std::string::npos)
            return false;
    return true;
}

void FileIO::ListSets(std::vector<SetItem>& sets) const
{
    sets.clear();
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((setFolder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.')
            continue;
        if (!IsFile(SetRegisterPath(found.cFileName)))
            continue;
        sets.emplace_back(found.cFileName, 0, (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

// The register is read line by line rather than through the ini calls: its entries keep the order
// of the file, and a number given twice is listed twice. Every line after the [Overlays] header is
// an entry, whatever section it stands in.
void FileIO::ListOverlays(const std::string& setName, std::vector<SetItem>& overlays)
{
    overlays.clear();
    if (setName.empty())
        return;

    int first = kFirstNumber;
    int last = kLastNumber;
    bool useRegister = true;
    if (setName == standardOverlaySetName_) {
        first = kFirstStandardNumber;
        last = kLastStandardNumber;
    } else if (setName == templatesSetName_) {
        useRegister = false;
    }

    const std::string registerPath = SetRegisterPath(setName);
    KeyboardSettings settings;
    std::string sendType;
    std::string isCurrent;
    if (useRegister) {
        ReadKeyboardSettings(registerPath, settings);
        // A rewrite below gives the register its standard form; these two keys of other writers
        // are put back afterwards, so the driver program keeps seeing the set's send type and mark.
        sendType = ini::ReadString(registerPath, kKeyboardSection, "SendType");
        isCurrent = ini::ReadString(registerPath, kSetInfoSection, kIsCurrentKey);

        std::vector<std::string> lines;
        if (!textfile::ReadLines(registerPath, lines)) {
            ShowArrowCursor();
            return;
        }
        const std::string header = "[" + overlayListSection_ + "]";
        bool inEntries = false;
        for (const std::string& line : lines) {
            if (!inEntries) {
                inEntries = line == header;
                continue;
            }
            size_t equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            int number = EntryNumber(line.substr(0, equals));
            std::string name = line.substr(equals + 1);
            if (number < first || number > last)
                continue;
            std::string path = OverlayPath(setName, name);
            if (ImageBaseManager::LocateFile(path) != 1)
                continue;
            overlays.emplace_back(name, number, 0);
        }
    }

    bool appended = false;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((SetFolderPath(setName) + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        const std::string extension = "." + overlayFileExtension_;
        do {
            const std::string fileName = found.cFileName;
            if (fileName.empty() || fileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                continue;
            if (fileName.size() <= extension.size() || !EndsWithNoCase(fileName, extension))
                continue;
            const std::string name = fileName.substr(0, fileName.size() - extension.size());
            std::set<int> taken;
            bool listed = false;
            for (const SetItem& item : overlays) {
                taken.insert(item.number_);
                listed = listed || cp1252::EqualsNoCase(item.name_, name);
            }
            if (listed)
                continue;
            int number = first;
            while (number <= last && taken.count(number))
                ++number;
            if (number > last)
                continue;
            overlays.emplace_back(name, number, 0);
            appended = true;
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }

    if (appended && useRegister && WriteSetFile(registerPath, overlays, settings)) {
        if (!sendType.empty())
            ini::WriteString(registerPath, kKeyboardSection, "SendType", sendType);
        if (!isCurrent.empty())
            ini::WriteString(registerPath, kSetInfoSection, kIsCurrentKey, isCurrent);
    }

    for (SetItem& item : overlays)
        item.accessKvora_ = GetAccessKvoraFlag(item.name_, setName);
    ShowArrowCursor();
}

bool FileIO::WriteSetFile(const std::string& registerPath, const std::vector<SetItem>& overlays,
                          const KeyboardSettings& settings)
{
    std::string text;
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("[KeyboardSettings]");
    line("FlashSignal=" + std::to_string(settings.flashSignal_));
    line("BeepSignal=" + std::to_string(settings.beepSignal_));
    line("Frequency=" + ini::FormatDecimal(settings.frequency_));
    line("RepeatDelay=" + ini::FormatDecimal(settings.repeatDelay_));
    line("SignalDelay=" + ini::FormatDecimal(settings.signalDelay_));
    line("BounceLock=" + ini::FormatDecimal(settings.bounceLock_));
    line("MouseKeyTopSpeed=" + std::to_string(settings.mouseKeyTopSpeed_));
    line("MouseKeyAcceleration=" + std::to_string(settings.mouseKeyAcceleration_));
    line("MouseCursorStep=" + std::to_string(settings.mouseCursorStep_));
    line("[Overlays]");
    for (const SetItem& item : overlays)
        line(std::to_string(item.number_) + "=" + item.name_);
    return textfile::Write(registerPath, text);
}

bool FileIO::WriteOverlayList(const std::string& setName, const std::vector<SetItem>& overlays)
{
    const std::string registerPath = SetRegisterPath(setName);
    if (!ini::DeleteSection(registerPath, overlayListSection_))
        return false;
    bool written = true;
    for (const SetItem& item : overlays)
        written = ini::WriteString(registerPath, overlayListSection_, OverlayKey(item.number_), item.name_) && written;
    return written;
}

bool FileIO::CreateSet(const std::string& setName)
{
    if (!IsValidName(setName))
        return false;
    KeyboardSettings settings;
    ReadKeyboardSettings(windowsSettingsFile_, settings);
    std::string folder = SetFolderPath(setName);
    bool created = ImageBaseManager::CreatePath(folder) == 1;
    if (created) {
        WriteKeyboardSettings(SetRegisterPath(setName), settings);
        created = IsFile(SetRegisterPath(setName));
    }
    ShowArrowCursor();
    return created;
}

bool FileIO::CopySetFolder(const std::string& sourceName, const std::string& targetName)
{
    if (sourceName.empty() || !IsValidName(targetName))
        return false;
    if (ImageBaseManager::CopyTree(SetFolderPath(sourceName), SetFolderPath(targetName)) != 1)
        return false;
    // The copy is a set of its own: only the set the keyboard was loaded with carries the mark.
    const std::string registerPath = SetRegisterPath(targetName);
    if (ini::ReadString(registerPath, kSetInfoSection, kIsCurrentKey) == "1")
        ini::WriteString(registerPath, kSetInfoSection, kIsCurrentKey, "0");
    return true;
}

// The overlays keep full paths: those into the set's own folder (its import folder) follow the new name.
bool FileIO::RenameSet(const std::string& oldName, const std::string& newName)
{
    if (oldName.empty() || !IsValidName(newName))
        return false;
    const std::string oldPath = SetFolderPath(oldName);
    const std::string newPath = SetFolderPath(newName);
    if (!MoveByName(oldPath, newPath))
        return false;
    std::vector<SetItem> overlays;
    ListOverlays(newName, overlays);
    const int shortPaths = GetShortCommandFlag();
    bool repaired = true;
    for (const SetItem& item : overlays)
        repaired = ReplaceOverlayPaths(newName, item.name_, item.number_, oldPath, newPath, shortPaths) && repaired;
    return repaired;
}

bool FileIO::DeleteSet(const std::string& setName)
{
    // An empty name would name the whole set folder.
    if (setName.empty())
        return false;
    fw::WaitCursor wait;
    return SendToRecycleBin(SetFolderPath(setName));
}

bool FileIO::CopyOverlay(const std::string& sourceSet, const std::string& sourceName, const std::string& targetSet,
                         const std::string& targetName, int number)
{
    if (sourceSet.empty() || sourceName.empty() || targetSet.empty() || targetName.empty())
        return false;
    const std::string source = OverlayPath(sourceSet, sourceName);
    const std::string target = OverlayPath(targetSet, targetName);
    if (cp1252::EqualsNoCase(source, target))
        return false;
    const bool targetWasThere = Exists(target);
    if (!CopyWhole(source, target))
        return false;
    if (!IsTemplatesSet(targetSet)
        && !ini::WriteString(SetRegisterPath(targetSet), overlayListSection_, OverlayKey(number), targetName)) {
        // Without its register entry the copy would turn up under another number: take it back,
        // unless it replaced a file that was there before.
        if (!targetWasThere)
            ::DeleteFileA(target.c_str());
        return false;
    }
    return ImportOverlay(sourceSet, targetSet, targetName, number);
}

bool FileIO::CopyOverlayNewName(const std::string& sourceSet, const std::string& sourceName,
                                const std::string& targetSet, std::string& targetName, int number)
{
    for (int n = 1;; ++n) {
        targetName = sourceName + " " + std::to_string(n);
        if (!Exists(OverlayPath(targetSet, targetName)))
            break;
    }
    return CopyOverlay(sourceSet, sourceName, targetSet, targetName, number);
}

bool FileIO::MoveOverlay(const std::string& sourceSet, const std::string& sourceName, int oldNumber,
                         const std::string& targetSet, const std::string& targetName, int newNumber)
{
    if (sourceSet.empty() || sourceName.empty() || targetSet.empty() || targetName.empty())
        return false;
    const std::string source = OverlayPath(sourceSet, sourceName);
    const std::string target = OverlayPath(targetSet, targetName);
    const bool moveFile = !cp1252::EqualsNoCase(source, target);
    // A move never replaces another overlay: the system refuses a target that exists.
    if (moveFile && !::MoveFileA(source.c_str(), target.c_str()))
        return false;

    const std::string sourceRegister = SetRegisterPath(sourceSet);
    const std::string targetRegister = SetRegisterPath(targetSet);
    const std::string oldKey = OverlayKey(oldNumber);
    const std::string oldValue = ini::ReadString(sourceRegister, overlayListSection_, oldKey);
    bool registered = true;
    if (!IsTemplatesSet(sourceSet))
        registered = ini::DeleteKey(sourceRegister, overlayListSection_, oldKey);
    if (registered && !IsTemplatesSet(targetSet))
        registered = ini::WriteString(targetRegister, overlayListSection_, OverlayKey(newNumber), targetName);
    if (!registered) {
        // Put everything back as it was, so the registers keep naming the files that are there.
        if (!IsTemplatesSet(sourceSet) && !oldValue.empty())
            ini::WriteString(sourceRegister, overlayListSection_, oldKey, oldValue);
        if (moveFile)
            ::MoveFileA(target.c_str(), source.c_str());
        return false;
    }
    if (!moveFile)
        return true;
    return ImportOverlay(sourceSet, targetSet, targetName, newNumber);
}

bool FileIO::RenameOverlay(const std::string& setName, const std::string& oldName, const std::string& newName,
                           int number)
{
    if (setName.empty() || oldName.empty() || newName.empty())
        return false;
    const std::string source = OverlayPath(setName, oldName);
    const std::string target = OverlayPath(setName, newName);
    if (!MoveByName(source, target))
        return false;
    if (!ini::WriteString(SetRegisterPath(setName), overlayListSection_, OverlayKey(number), newName)) {
        MoveByName(target, source);
        return false;
    }
    return true;
}

bool FileIO::DeleteOverlay(const std::string& setName, const std::string& name, int number)
{
    if (setName.empty() || name.empty())
        return false;
    {
        fw::WaitCursor wait;
        if (!SendToRecycleBin(OverlayPath(setName, name)))
            return false;
    }
    if (IsTemplatesSet(setName))
        return true;
    return ini::DeleteKey(SetRegisterPath(setName), overlayListSection_, OverlayKey(number));
}

bool FileIO::PlaceOverlayFile(const std::string& file, const std::string& setName, const std::string& name,
                              int& number, std::string& placedName)
{
    if (setName.empty() || name.empty())
        return false;
    const std::string registerPath = SetRegisterPath(setName);
    const bool templates = IsTemplatesSet(setName);
    int chosen = number;
    if (!templates) {
        auto isFree = [&](int n) { return ini::ReadString(registerPath, overlayListSection_, OverlayKey(n)).empty(); };
        // A number the caller asks for is kept when it is free, whatever its range.
        if (chosen == 0 || !isFree(chosen)) {
            const bool standard = setName == standardOverlaySetName_;
            const int last = standard ? kLastStandardNumber : kLastNumber;
            chosen = standard ? kFirstStandardNumber : kFirstNumber;
            while (chosen <= last && !isFree(chosen))
                ++chosen;
            if (chosen > last)
                return false;
        }
    }

    std::string placed = name;
    for (int n = 1; Exists(OverlayPath(setName, placed)); ++n)
        placed = name + " " + std::to_string(n);
    const std::string target = OverlayPath(setName, placed);

    // The prepared file goes only once its copy stands complete and the register names it.
    if (!CopyWhole(file, target)) {
        ::DeleteFileA(target.c_str());
        return false;
    }
    if (!templates && !ini::WriteString(registerPath, overlayListSection_, OverlayKey(chosen), placed)) {
        ::DeleteFileA(target.c_str());
        return false;
    }
    ::DeleteFileA(file.c_str());
    number = chosen;
    placedName = placed;
    return true;
}

// The mark is for the driver program, which reads the registers itself.
void FileIO::SetCurrentSetFlag(const std::string& oldSet, const std::string& newSet)
{
    // Writing only into registers that exist keeps a mark from turning a plain folder into a set.
    if (!oldSet.empty() && !cp1252::EqualsNoCase(oldSet, newSet) && IsFile(SetRegisterPath(oldSet)))
        ini::WriteString(SetRegisterPath(oldSet), kSetInfoSection, kIsCurrentKey, "0");
    if (!newSet.empty() && IsFile(SetRegisterPath(newSet)))
        ini::WriteString(SetRegisterPath(newSet), kSetInfoSection, kIsCurrentKey, "1");
}

int FileIO::NotifyDriver() const
{
    if (GetKeyboardModel() != kModelUSB)
        return 0;
    // Without a driver name the search would take any dialog without a caption.
    if (driverName_.empty())
        return -1;
    HWND driver = ::FindWindowA("#32770", driverName_.c_str());
    if (driver == nullptr)
        return -1;
    return ::PostMessageA(driver, kMessageToDriver, 1, static_cast<LPARAM>(-1)) ? 1 : -1;
}
