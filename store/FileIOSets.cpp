// FileIO's set store: the set folders, their registers ("register.txt") and the overlay files in them,
// the current-set mark and the news to the USB keyboard's driver program.
//
// Every change of a register is made to its text in memory and written whole through the store's
// write-then-replace writer, so a register is always either the old one or the whole new one.
#include "store/FileIO.h"
#include "framework/Cursor.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniValues.h"
#include "store/IniText.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <cstdlib>
#include <initializer_list>
#include <set>

namespace {

const char* const kKeyboardSection = "KeyboardSettings";
const char* const kSendTypeKey = "SendType";
const char* const kSetInfoSection = "SetInfo";
const char* const kIsCurrentKey = "IsCurrent";

struct NumberRange {
    int first;
    int last;
};

const NumberRange kOrdinaryNumbers = {1, 100};
const NumberRange kStandardNumbers = {101, 127};

NumberRange NumbersOf(SetKind kind)
{
    return kind == SetKind::kStandard ? kStandardNumbers : kOrdinaryNumbers;
}

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && cp1252::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

bool AreValidNames(std::initializer_list<std::string> names)
{
    for (const std::string& name : names) {
        if (!FileIO::IsValidName(name))
            return false;
    }
    return true;
}

void ShowArrowCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
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

// Copies the file under a name where nothing stands; false when something does, or the copy could
// not be made whole (nothing is then left under the name).
bool CopyAsNewFile(const std::string& source, const std::string& target)
{
    std::string bytes;
    return fw::ReadWholeFile(source, bytes) == fw::FileRead::Whole
           && fw::WriteNewFile(target, bytes) == fw::NewFile::Created;
}

// Why a file that is there could not be read whole: the system's answer to opening it once more.
FileIO::RegisterState WhyNotRead(const std::string& path)
{
    if (fw::FolderExists(path))
        return FileIO::RegisterState::kNotReadWhole;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return FileIO::RegisterState::kNotReadWhole;
    }
    switch (::GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileIO::RegisterState::kLocked;
    case ERROR_ACCESS_DENIED:
        return FileIO::RegisterState::kNoPermission;
    default:
        return FileIO::RegisterState::kNotReadWhole;
    }
}

std::string OverlayKey(int number)
{
    return std::to_string(number);
}

// The register in its fixed form: the keyboard settings without the send type, then the entries.
std::string SetFileText(const std::vector<SetItem>& overlays, const KeyboardSettings& settings)
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
    return text;
}

} // namespace

FileIO::CarryResult FileIO::CarryResult::Done(std::vector<std::string> notCarried)
{
    CarryResult result;
    result.outcome = notCarried.empty() ? kDone : kDonePartly;
    result.notCarried = std::move(notCarried);
    return result;
}

int FileIO::RegisterNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < -1000000 || value > 1000000)
        return 0;
    return static_cast<int>(value);
}

std::string FileIO::SetFolderPath(const std::string& setName) const
{
    return setFolder_ + "\\" + setName;
}

std::string FileIO::SetImportFolderPath(const std::string& setName) const
{
    return SetFolderPath(setName) + "\\import";
}

std::string FileIO::SetRegisterPath(const std::string& setName) const
{
    return SetFolderPath(setName) + "\\" + registerFileName_;
}

SpecialSetNames FileIO::SpecialNames() const
{
    return SpecialSetNames{standardOverlaySetName_, templatesSetName_};
}

SetKind FileIO::KindOfSet(const std::string& setName) const
{
    return ::KindOfSet(setName, SpecialNames());
}

bool FileIO::IsTemplatesSet(const std::string& setName) const
{
    return KindOfSet(setName) == SetKind::kTemplates;
}

bool FileIO::ReadRegisterLines(const std::string& setName, std::vector<std::string>& lines) const
{
    lines.clear();
    std::string content;
    if (fw::ReadWholeFile(SetRegisterPath(setName), content) != fw::FileRead::Whole
        || fw::TextFormOf(content) != fw::TextForm::SingleByte)
        return false;
    lines = storefile::SplitLines(content);
    return true;
}

FileIO::RegisterState FileIO::ReadRegisterState(const std::string& setName) const
{
    const std::string path = SetRegisterPath(setName);
    std::string content;
    switch (fw::ReadWholeFile(path, content)) {
    case fw::FileRead::Absent:
        return RegisterState::kAbsent;
    case fw::FileRead::Whole:
        return fw::TextFormOf(content) == fw::TextForm::SingleByte ? RegisterState::kReadable
                                                                    : RegisterState::kOtherForm;
    case fw::FileRead::Unreadable:
        break;
    }
    return WhyNotRead(path);
}

std::string FileIO::RegisterEntry(const std::string& setName, int number) const
{
    std::vector<std::string> lines;
    ReadRegisterLines(setName, lines);
    return IniText(lines).Get(overlayListSection_, OverlayKey(number));
}

bool FileIO::SetRegisterEntry(const std::string& setName, int number, const std::string& name)
{
    return EditIniFile(SetRegisterPath(setName),
                       [&](IniText& text) { text.Set(overlayListSection_, OverlayKey(number), name); });
}

bool FileIO::RemoveRegisterEntry(const std::string& setName, int number)
{
    return EditIniFile(SetRegisterPath(setName),
                       [&](IniText& text) { text.Remove(overlayListSection_, OverlayKey(number)); });
}

// Only sets whose names the store can handle are offered.
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
        if (!IsValidName(found.cFileName) || !fw::FileExists(SetRegisterPath(found.cFileName)))
            continue;
        sets.emplace_back(found.cFileName, 0, (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void FileIO::ListOverlays(const std::string& setName, std::vector<SetItem>& overlays)
{
    overlays.clear();
    if (!IsValidName(setName))
        return;
    const SetKind kind = KindOfSet(setName);
    const NumberRange range = NumbersOf(kind);
    // The templates set keeps no numbers: its overlays are numbered anew at each listing.
    const bool useRegister = kind != SetKind::kTemplates;
    if (useRegister && !ReadRegisterEntries(setName, range.first, range.last, overlays)) {
        ShowArrowCursor();
        return;
    }
    const bool appended = AppendUnregisteredFiles(setName, range.first, range.last, overlays);
    if (appended && useRegister)
        RewriteRegister(setName, overlays);
    for (SetItem& item : overlays) {
        const OverlayMarks marks = ReadOverlayMarks(item.name_, setName);
        item.accessKvora_ = marks.accessKvora;
        item.gameSendType_ = marks.gameSendType;
    }
    ShowArrowCursor();
}

// The register is read line by line rather than through the ini calls: its entries keep the order
// of the file, and a number given twice is listed twice. Every line after the [Overlays] header is
// an entry, whatever section it stands in. An entry counts only when it names an overlay file in
// the set's own folder: a name that is no valid name (a path, "..") is taken for a missing file.
bool FileIO::ReadRegisterEntries(const std::string& setName, int first, int last, std::vector<SetItem>& overlays) const
{
    std::vector<std::string> lines;
    if (!ReadRegisterLines(setName, lines))
        return false;
    const std::string header = "[" + overlayListSection_ + "]";
    bool inEntries = false;
    for (const std::string& line : lines) {
        if (!inEntries) {
            inEntries = line == header;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const int number = RegisterNumber(line.substr(0, equals));
        const std::string name = line.substr(equals + 1);
        if (number < first || number > last || !IsValidName(name) || !fw::FileExists(OverlayPath(setName, name)))
            continue;
        overlays.emplace_back(name, number, 0);
    }
    return true;
}

// Overlay files of the folder that no entry names get the lowest number of the range that no entry
// has; when every number is taken, they are left out. True when any was added.
bool FileIO::AppendUnregisteredFiles(const std::string& setName, int first, int last,
                                     std::vector<SetItem>& overlays) const
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((SetFolderPath(setName) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    const std::string extension = "." + overlayFileExtension_;
    bool appended = false;
    do {
        const std::string fileName = found.cFileName;
        if (fileName.empty() || fileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (fileName.size() <= extension.size() || !EndsWithNoCase(fileName, extension))
            continue;
        const std::string name = fileName.substr(0, fileName.size() - extension.size());
        if (!IsValidName(name))
            continue;
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
    return appended;
}

// The register in its fixed form with the listed entries. The send type and the current-set mark
// that other writers put there are kept, so the driver program keeps seeing them.
bool FileIO::RewriteRegister(const std::string& setName, const std::vector<SetItem>& overlays)
{
    const std::string registerPath = SetRegisterPath(setName);
    std::vector<std::string> lines;
    if (!ReadRegisterLines(setName, lines))
        return false;
    const IniText before(lines);
    KeyboardSettings settings;
    ReadKeyboardSettings(registerPath, settings);
    IniText after(storefile::SplitLines(SetFileText(overlays, settings)));
    const std::string sendType = before.Get(kKeyboardSection, kSendTypeKey);
    if (!sendType.empty())
        after.Set(kKeyboardSection, kSendTypeKey, sendType);
    const std::string isCurrent = before.Get(kSetInfoSection, kIsCurrentKey);
    if (!isCurrent.empty())
        after.Set(kSetInfoSection, kIsCurrentKey, isCurrent);
    return fw::RewriteExisting(registerPath, after.Text());
}

bool FileIO::WriteSetFile(const std::string& registerPath, const std::vector<SetItem>& overlays,
                          const KeyboardSettings& settings)
{
    return fw::WriteReplacing(registerPath, SetFileText(overlays, settings));
}

bool FileIO::WriteOverlayList(const std::string& setName, const std::vector<SetItem>& overlays)
{
    if (!IsValidName(setName))
        return false;
    return EditIniFile(SetRegisterPath(setName), [&](IniText& text) {
        text.RemoveSection(overlayListSection_);
        for (const SetItem& item : overlays)
            text.Set(overlayListSection_, OverlayKey(item.number_), item.name_);
    });
}

bool FileIO::CreateSet(const std::string& setName)
{
    if (!IsValidName(setName))
        return false;
    const std::string registerPath = SetRegisterPath(setName);
    bool made = fw::FileExists(registerPath);
    if (!made) {
        KeyboardSettings settings;
        ReadKeyboardSettings(windowsSettingsFile_, settings);
        std::string folder = SetFolderPath(setName);
        made = ImageBaseManager::CreatePath(folder) == 1
               && EditIniFile(registerPath, [&](IniText& text) { PutKeyboardSettings(text, settings, kKeyboardSection); },
                              IniAbsent::kCreated);
    }
    ShowArrowCursor();
    return made;
}

bool FileIO::CopySetFolder(const std::string& sourceName, const std::string& targetName)
{
    if (!AreValidNames({sourceName, targetName}))
        return false;
    if (ImageBaseManager::CopyTree(SetFolderPath(sourceName), SetFolderPath(targetName)) != 1)
        return false;
    // The copy is a set of its own: only the set the keyboard was loaded with carries the mark.
    return EditIniFile(SetRegisterPath(targetName), [](IniText& text) {
        if (text.Get(kSetInfoSection, kIsCurrentKey) == "1")
            text.Set(kSetInfoSection, kIsCurrentKey, "0");
    });
}

// A folder the program reads or writes by a path it keeps (its own, the automatic media, export and
// import, the media folders the dialogs start in) would be gone from under it.
bool FileIO::HoldsProgramFolder(const std::string& folder) const
{
    std::string image, sound, video;
    GetImageDir(image);
    GetSoundDir(sound);
    GetVideoDir(video);
    for (const std::string& used : {programFolder_, autoSoundFolder_, autoIconFolder_, autoImageFolder_,
                                    exportFolder_, importFolder_, image, sound, video}) {
        if (!used.empty() && fw::FolderHolds(folder, used))
            return true;
    }
    return false;
}

// The overlays keep full paths: those into the set's own folder (its import folder) follow the new name.
FileIO::CarryResult FileIO::RenameSet(const std::string& oldName, const std::string& newName)
{
    if (!AreValidNames({oldName, newName}) || HoldsProgramFolder(SetFolderPath(oldName)))
        return CarryResult::NotDone();
    const std::string oldPath = SetFolderPath(oldName);
    const std::string newPath = SetFolderPath(newName);
    if (!MoveByName(oldPath, newPath))
        return CarryResult::NotDone();
    std::vector<SetItem> overlays;
    ListOverlays(newName, overlays);
    const int shortPaths = GetShortCommandFlag();
    std::vector<std::string> notRepaired;
    for (const SetItem& item : overlays) {
        if (!ReplaceOverlayPaths(newName, item.name_, item.number_, oldPath, newPath, shortPaths))
            notRepaired.push_back(item.name_);
    }
    return CarryResult::Done(notRepaired);
}

bool FileIO::DeleteSet(const std::string& setName)
{
    // An empty name, or "..", would name the whole set folder or one above it.
    if (!IsValidName(setName) || HoldsProgramFolder(SetFolderPath(setName)))
        return false;
    fw::WaitCursor wait;
    return fw::SendToRecycleBin(SetFolderPath(setName));
}

// A file of the target name is never replaced: it may be an overlay the set does not list (a
// template past the hundredth, a file no register entry names), which the user cannot see going.
FileIO::CarryResult FileIO::CopyOverlay(const std::string& sourceSet, const std::string& sourceName,
                                        const std::string& targetSet, const std::string& targetName, int number)
{
    if (!AreValidNames({sourceSet, sourceName, targetSet, targetName}))
        return CarryResult::NotDone();
    const std::string target = OverlayPath(targetSet, targetName);
    if (IsTemplatesSet(targetSet) && !TemplatesHaveRoom())
        return CarryResult::NotDone();
    if (!CopyAsNewFile(OverlayPath(sourceSet, sourceName), target))
        return CarryResult::NotDone();
    if (!IsTemplatesSet(targetSet) && !SetRegisterEntry(targetSet, number, targetName)) {
        // Without its register entry the copy would turn up under another number: take it back.
        ::DeleteFileA(target.c_str());
        return CarryResult::NotDone();
    }
    return CarryResult::Done(ImportOverlay(sourceSet, targetSet, targetName, number));
}

FileIO::CarryResult FileIO::CopyOverlayNewName(const std::string& sourceSet, const std::string& sourceName,
                                               const std::string& targetSet, std::string& targetName, int number)
{
    if (!AreValidNames({targetSet, sourceName}))
        return CarryResult::NotDone();
    const std::string free = fw::FirstFreePath(
        [&](int n) { return OverlayPath(targetSet, sourceName + " " + std::to_string(n)); });
    if (free.empty())
        return CarryResult::NotDone();
    const std::string folder = SetFolderPath(targetSet) + "\\";
    targetName = free.substr(folder.size(), free.size() - folder.size() - overlayFileExtension_.size() - 1);
    return CopyOverlay(sourceSet, sourceName, targetSet, targetName, number);
}

FileIO::CarryResult FileIO::MoveOverlay(const std::string& sourceSet, const std::string& sourceName, int oldNumber,
                                        const std::string& targetSet, const std::string& targetName, int newNumber)
{
    if (!AreValidNames({sourceSet, sourceName, targetSet, targetName}))
        return CarryResult::NotDone();
    // An overlay that moves within a set takes no new place there.
    if (IsTemplatesSet(targetSet) && !SameSetName(sourceSet, targetSet) && !TemplatesHaveRoom())
        return CarryResult::NotDone();
    const std::string source = OverlayPath(sourceSet, sourceName);
    const std::string target = OverlayPath(targetSet, targetName);
    const bool moveFile = !cp1252::EqualsNoCase(source, target);
    // A move never replaces another overlay: the system refuses a target that exists.
    if (moveFile && !::MoveFileA(source.c_str(), target.c_str()))
        return CarryResult::NotDone();
    if (!MoveRegisterEntry(sourceSet, oldNumber, targetSet, newNumber, targetName)) {
        // Put the file back, so the registers keep naming the files that are there.
        if (!moveFile || ::MoveFileA(target.c_str(), source.c_str()))
            return CarryResult::NotDone();
        // The file has moved all the same: the registers follow it as far as they can.
        if (!EnterMovedFile(sourceSet, sourceName, oldNumber, targetSet, newNumber, targetName)) {
            CarryResult moved;
            moved.outcome = CarryResult::kMovedUnlisted;
            return moved;
        }
    }
    if (!moveFile)
        return CarryResult::Done();
    return CarryResult::Done(ImportOverlay(sourceSet, targetSet, targetName, newNumber));
}

// The old entry goes and the new one comes, both or neither; the templates set keeps no entries.
bool FileIO::MoveRegisterEntry(const std::string& sourceSet, int oldNumber, const std::string& targetSet,
                               int newNumber, const std::string& targetName)
{
    const bool fromRegister = !IsTemplatesSet(sourceSet);
    const bool toRegister = !IsTemplatesSet(targetSet);
    if (SameSetName(sourceSet, targetSet)) {
        if (!fromRegister)
            return true;
        return EditIniFile(SetRegisterPath(targetSet), [&](IniText& text) {
            text.Remove(overlayListSection_, OverlayKey(oldNumber));
            text.Set(overlayListSection_, OverlayKey(newNumber), targetName);
        });
    }
    const std::string replaced = toRegister ? RegisterEntry(targetSet, newNumber) : std::string();
    if (toRegister && !SetRegisterEntry(targetSet, newNumber, targetName))
        return false;
    if (!fromRegister || RemoveRegisterEntry(sourceSet, oldNumber))
        return true;
    if (toRegister) {
        if (replaced.empty())
            RemoveRegisterEntry(targetSet, newNumber);
        else
            SetRegisterEntry(targetSet, newNumber, replaced);
    }
    return false;
}

bool FileIO::EnterMovedFile(const std::string& sourceSet, const std::string& sourceName, int oldNumber,
                            const std::string& targetSet, int newNumber, const std::string& targetName)
{
    // A file that took the source name meanwhile keeps the entry that names it. The old entry goes
    // first: within one set the new one may have its number.
    const bool removed = IsTemplatesSet(sourceSet) || !fw::IsAbsent(OverlayPath(sourceSet, sourceName))
                         || RemoveRegisterEntry(sourceSet, oldNumber);
    const bool entered = IsTemplatesSet(targetSet) || SetRegisterEntry(targetSet, newNumber, targetName);
    return removed && entered;
}

bool FileIO::RenameOverlay(const std::string& setName, const std::string& oldName, const std::string& newName,
                           int number)
{
    if (!AreValidNames({setName, oldName, newName}))
        return false;
    const std::string source = OverlayPath(setName, oldName);
    const std::string target = OverlayPath(setName, newName);
    if (!MoveByName(source, target))
        return false;
    if (!SetRegisterEntry(setName, number, newName)) {
        MoveByName(target, source);
        return false;
    }
    return true;
}

// The register goes first here: a file in the recycle bin cannot be put back, an entry can. So the
// overlay is either gone from both or still in both.
bool FileIO::DeleteOverlay(const std::string& setName, const std::string& name, int number)
{
    if (!AreValidNames({setName, name}))
        return false;
    const bool registered = !IsTemplatesSet(setName);
    const std::string entry = registered ? RegisterEntry(setName, number) : std::string();
    if (registered && !RemoveRegisterEntry(setName, number))
        return false;
    fw::WaitCursor wait;
    const std::string path = OverlayPath(setName, name);
    if (fw::SendToRecycleBin(path) || fw::IsAbsent(path))
        return true;
    // Should the entry not come back either, the next listing finds the file without one and
    // gives it a number again.
    if (registered && !entry.empty())
        SetRegisterEntry(setName, number, entry);
    return false;
}

bool FileIO::PlaceOverlayFile(const std::string& file, const std::string& setName, const std::string& name,
                              int& number, std::string& placedName)
{
    if (!AreValidNames({setName, name}))
        return false;
    const SetKind kind = KindOfSet(setName);
    if (kind == SetKind::kTemplates && !TemplatesHaveRoom())
        return false;
    int chosen = number;
    if (kind != SetKind::kTemplates) {
        // A register that cannot be read offers no number: its entries are not known.
        std::vector<std::string> lines;
        if (!ReadRegisterLines(setName, lines))
            return false;
        const IniText registerText(lines);
        auto isFree = [&](int n) { return registerText.Get(overlayListSection_, OverlayKey(n)).empty(); };
        // The number asked for stays when it is free and one the set can list.
        const NumberRange range = NumbersOf(kind);
        if (chosen < range.first || chosen > range.last || !isFree(chosen)) {
            chosen = range.first;
            while (chosen <= range.last && !isFree(chosen))
                ++chosen;
            if (chosen > range.last)
                return false;
        }
    }

    // The name itself, else the first "<name> <n>" under which nothing stands: a new file never
    // replaces one.
    std::string bytes;
    if (fw::ReadWholeFile(file, bytes) != fw::FileRead::Whole)
        return false;
    std::string placed;
    std::string target;
    for (int n = 0;; ++n) {
        if (n >= 100000)
            return false;
        placed = n == 0 ? name : name + " " + std::to_string(n);
        target = OverlayPath(setName, placed);
        const fw::NewFile made = fw::WriteNewFile(target, bytes);
        if (made == fw::NewFile::Created)
            break;
        if (made == fw::NewFile::Failed)
            return false;
    }
    if (kind != SetKind::kTemplates && !SetRegisterEntry(setName, chosen, placed)) {
        ::DeleteFileA(target.c_str());
        return false;
    }
    ::DeleteFileA(file.c_str());
    number = chosen;
    placedName = placed;
    return true;
}

// The templates set is listed up to the last number of its range: a template placed past it would
// be a file nobody sees.
bool FileIO::TemplatesHaveRoom()
{
    // The names are enough: the templates set keeps no register, and its marks are not counted.
    std::vector<SetItem> templates;
    const NumberRange range = NumbersOf(SetKind::kTemplates);
    AppendUnregisteredFiles(templatesSetName_, range.first, range.last, templates);
    return static_cast<int>(templates.size()) < kOrdinaryNumbers.last - kOrdinaryNumbers.first + 1;
}

// The mark is for the driver program, which reads the registers itself.
void FileIO::SetCurrentSetFlag(const std::string& oldSet, const std::string& newSet)
{
    auto mark = [this](const std::string& setName, const char* value) {
        // Writing only into registers that exist keeps a mark from turning a plain folder into a set.
        if (IsValidName(setName) && fw::FileExists(SetRegisterPath(setName)))
            EditIniFile(SetRegisterPath(setName), [&](IniText& text) { text.Set(kSetInfoSection, kIsCurrentKey, value); });
    };
    if (!oldSet.empty() && !SameSetName(oldSet, newSet))
        mark(oldSet, "0");
    if (!newSet.empty())
        mark(newSet, "1");
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
