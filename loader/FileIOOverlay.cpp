// FileIO's overlay files: writing an overlay whole, reading its two block sections and its keyboard
// settings, and the flags kept in the file.
#include "loader/FileIO.h"
#include "library/Cp1252.h"
#include "library/IniDocument.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include "library/IniValues.h"
#include "loader/OverlayLines.h"
#include <utility>

namespace {

// No overlay comes near this; a larger file is not one.
const DWORD kLargestOverlayFile = 64u * 1024u * 1024u;

bool ReadWholeFile(const std::string& path, std::string& content)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    const DWORD size = ::GetFileSize(file, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kLargestOverlayFile;
    if (ok) {
        content.assign(size, '\0');
        DWORD read = 0;
        ok = size == 0 || (::ReadFile(file, &content[0], size, &read, nullptr) && read == size);
    }
    ::CloseHandle(file);
    return ok;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool IsSectionHeader(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '[';
}

bool StartsWith(const std::string& line, const char* prefix)
{
    return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

int FindId(const std::vector<Block>& blocks, int id)
{
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].id_ == id)
            return static_cast<int>(i);
    }
    return -1;
}

// The first free name of "<file>.bak", "<file>.2.bak", ...: none of them ends in "ini", so the set
// never lists a kept copy as an overlay of its own.
std::string FreeBackupName(const std::string& path)
{
    std::string name = path + ".bak";
    for (int n = 2; ::GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        name = path + "." + std::to_string(n) + ".bak";
    return name;
}

// Writes the text into a new file in the target's folder and then moves it over the target, so the
// target is either the old file or the whole new one, whatever happens meanwhile. With keepOld the
// file there before is first moved aside to a backup name.
bool WriteReplacing(const std::string& path, const std::string& text, bool keepOld)
{
    const std::string folder = ImageBaseManager::GetFolderFromPath(path);
    char temporary[MAX_PATH] = "";
    if (folder == path || !::GetTempFileNameA(folder.c_str(), "skp", 0, temporary))
        return false;
    HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ::DeleteFileA(temporary);
        return false;
    }
    const DWORD size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    bool ok = (size == 0 || (::WriteFile(file, text.data(), size, &written, nullptr) && written == size))
              && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
    if (!ok) {
        ::DeleteFileA(temporary);
        return false;
    }
    std::string backup;
    if (keepOld) {
        backup = FreeBackupName(path);
        if (!::MoveFileExA(path.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) {
            ::DeleteFileA(temporary);
            return false;
        }
    }
    if (!::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(temporary);
        if (!backup.empty())
            ::MoveFileExA(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }
    return true;
}

// The [KeyboardSettings] section as the ini interface writes it, key by key in this order.
void AppendKeyboardSettings(std::string& text, const KeyboardSettings& settings)
{
    text += "[KeyboardSettings]\r\n";
    text += "FlashSignal=" + std::to_string(settings.flashSignal_) + "\r\n";
    text += "BeepSignal=" + std::to_string(settings.beepSignal_) + "\r\n";
    text += "Frequency=" + ini::FormatDecimal(settings.frequency_) + "\r\n";
    text += "RepeatDelay=" + ini::FormatDecimal(settings.repeatDelay_) + "\r\n";
    text += "SignalDelay=" + ini::FormatDecimal(settings.signalDelay_) + "\r\n";
    text += "BounceLock=" + ini::FormatDecimal(settings.bounceLock_) + "\r\n";
    text += std::string("SendType=") + (settings.sendType_ == 1 ? "Game" : "API") + "\r\n";
    text += "MouseKeyTopSpeed=" + std::to_string(settings.mouseKeyTopSpeed_) + "\r\n";
    text += "MouseKeyAcceleration=" + std::to_string(settings.mouseKeyAcceleration_) + "\r\n";
    text += "MouseCursorStep=" + std::to_string(settings.mouseCursorStep_) + "\r\n";
}

void CleanOverlayName(std::string& name)
{
    std::string clean;
    for (char c : name) {
        if (std::string("\\/*?\"<>|,:").find(c) == std::string::npos)
            clean += c;
    }
    // The register's reader drops a name's outer blanks, so the file would not be found under it.
    const size_t first = clean.find_first_not_of(" \t");
    const size_t last = clean.find_last_not_of(" \t");
    name = first == std::string::npos ? std::string() : clean.substr(first, last - first + 1);
}

} // namespace

std::string FileIO::OverlayPath(const std::string& setName, const std::string& overlayName) const
{
    return setFolder_ + "\\" + setName + "\\" + overlayName + "." + overlayFileExtension_;
}

std::string FileIO::RegisterPath(const std::string& setName) const
{
    return setFolder_ + "\\" + setName + "\\" + registerFileName_;
}

bool FileIO::IsStorable(BlockField field, const std::string& value)
{
    switch (field) {
    case BlockField::Command:
        return value.find_first_of("\r\n") == std::string::npos;
    case BlockField::Picture:
    case BlockField::FontName:
        // Each ends at the next comma of its line.
        return value.find_first_of(",\r\n") == std::string::npos;
    case BlockField::Text:
        // Line breaks are stored as '\' 'n', and every such pair reads back as a line break.
        return value.find("\\n") == std::string::npos;
    default:
        return true;
    }
}

FileIO::BlockField FileIO::FindUnstorableField(const Block& block)
{
    if (block.cells_.size() > static_cast<size_t>(Block::kCellCount))
        return BlockField::Cells;
    for (const RECT& range : block.cells_) {
        if (!Block::IsValidRange(range))
            return BlockField::Cells;
    }
    if (!IsStorable(BlockField::Command, block.command_))
        return BlockField::Command;
    const std::string& picture = block.pictureCode_.empty() ? block.picturePath_ : block.pictureCode_;
    if (!IsStorable(BlockField::Picture, picture))
        return BlockField::Picture;
    if (!IsStorable(BlockField::FontName, block.fontName_))
        return BlockField::FontName;
    if (!IsStorable(BlockField::Text, block.text_))
        return BlockField::Text;
    return BlockField::None;
}

void FileIO::WriteBlockSection(std::string& file, const std::string& header, const std::vector<Block>& blocks)
{
    file += header + "\r\n";
    for (size_t i = 0; i < blocks.size(); ++i)
        file += overlay::FormatBlockLine(static_cast<int>(i + 1), blocks[i]) + "\r\n";
    for (size_t i = 0; i < blocks.size(); ++i)
        file += overlay::FormatLayoutLine(static_cast<int>(i + 1), blocks[i]) + "\r\n";
}

int FileIO::SaveOverlay(std::string& name, int number, const std::string& setName, const std::vector<Block>& keys,
                        const std::vector<Block>& background, const KeyboardSettings& settings,
                        UnstorableValue* unstorable)
{
    CleanOverlayName(name);
    if (name.empty())
        return kNoName;
    const std::vector<Block>* sections[2] = {&keys, &background};
    for (int section = 0; section < 2; ++section) {
        const std::vector<Block>& blocks = *sections[section];
        for (size_t i = 0; i < blocks.size(); ++i) {
            const BlockField field = FindUnstorableField(blocks[i]);
            if (field == BlockField::None)
                continue;
            if (unstorable) {
                unstorable->section = section;
                unstorable->index = static_cast<int>(i);
                unstorable->field = field;
            }
            return kUnstorable;
        }
    }

    std::string text = "[Version]\r\nVersion=" + fileVersion_ + "\r\n\r\n";
    WriteBlockSection(text, "[" + keySection_ + "]", keys);
    text += "\r\n";
    WriteBlockSection(text, "[" + backgroundSection_ + "]", background);
    AppendKeyboardSettings(text, settings);

    const std::string path = OverlayPath(setName, name);
    // A file that does not read whole holds more than an editor could show of it: keep it.
    const bool keepOld = !ReadsWhole(path);
    if (!WriteReplacing(path, text, keepOld))
        return kNotWritten;
    if (!cp1252::EqualsNoCase(setName, templatesSetName_)
        && !ini::WriteString(RegisterPath(setName), overlayListSection_, std::to_string(number), name))
        return kNotRegistered;
    return kSaved;
}

bool FileIO::ReadsWhole(const std::string& path)
{
    std::string content;
    if (!ReadWholeFile(path, content))
        return true;
    const std::vector<std::string> lines = ini::SplitLines(content);
    std::vector<Block> blocks;
    int damaged = ReadSection(lines, "[" + keySection_ + "]", blocks, nullptr, nullptr);
    blocks.clear();
    damaged += ReadSection(lines, "[" + backgroundSection_ + "]", blocks, nullptr, nullptr);
    return damaged == 0;
}

int FileIO::LoadOverlay(const std::string& path, std::vector<Block>& keys, std::vector<Block>& background,
                        KeyboardSettings& settings, std::string* versionLine)
{
    keys.clear();
    background.clear();
    std::string content;
    if (!ReadWholeFile(path, content))
        return kNotOpened;
    const std::vector<std::string> lines = ini::SplitLines(content);
    // The image bases are read again once for the whole file, at its first picture code.
    bool basesLoaded = false;
    int damaged = ReadSection(lines, "[" + keySection_ + "]", keys, versionLine, &basesLoaded);
    damaged += ReadSection(lines, "[" + backgroundSection_ + "]", background, versionLine, &basesLoaded);
    ReadKeyboardSettings(ini::FileView(path, std::move(content)), settings);
    return damaged == 0 ? kLoaded : kDamaged;
}

int FileIO::ReadBlockSection(const std::vector<std::string>& lines, const std::string& header,
                             std::vector<Block>& blocks, std::string* versionLine)
{
    bool basesLoaded = false;
    return ReadSection(lines, header, blocks, versionLine, &basesLoaded);
}

int FileIO::ReadSection(const std::vector<std::string>& lines, const std::string& header, std::vector<Block>& blocks,
                        std::string* versionLine, bool* basesLoaded)
{
    // The version is known only when [Version] stands before the section.
    float version = 0.0f;
    size_t i = 0;
    bool found = false;
    for (; i < lines.size() && !found; ++i) {
        const std::string& line = lines[i];
        if (line == "[Version]") {
            // The next line is the version line, whatever it holds, unless it opens a section: that
            // section must still be found.
            if (i + 1 < lines.size() && !IsSectionHeader(lines[i + 1])) {
                ++i;
                const std::string& versionText = lines[i];
                version = versionText.size() >= 9 ? static_cast<float>(ini::ParseDecimal(versionText.substr(8))) : 0.0f;
                if (versionLine)
                    *versionLine = versionText;
            }
        } else if (line == header) {
            found = true;
        }
    }
    if (!found)
        return 0;

    int damaged = 0;
    // A line break inside a text that an older writer let through splits the text over several
    // file lines: the stray lines after a Layout line are the rest of its text.
    int textOwner = -1;
    int blankLines = 0;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlank(line)) {
            ++blankLines;
            continue;
        }
        if (IsSectionHeader(line))
            break;
        const int blanksBefore = blankLines;
        blankLines = 0;
        Block record;
        int number = 0;
        if (StartsWith(line, "Block")) {
            textOwner = -1;
            if (!overlay::ParseBlockLine(line, number, record)) {
                ++damaged;
                continue;
            }
            const int at = FindId(blocks, number);
            if (at >= 0) {
                blocks[static_cast<size_t>(at)].CopyCommand(record);
            } else {
                record.id_ = number;
                blocks.push_back(std::move(record));
            }
        } else if (StartsWith(line, "Layout")) {
            textOwner = -1;
            if (!overlay::ParseLayoutLine(line, number, record)) {
                ++damaged;
                continue;
            }
            if (basesLoaded)
                ResolvePicture(record, version, *basesLoaded);
            int at = FindId(blocks, number);
            if (at >= 0) {
                blocks[static_cast<size_t>(at)].CopyLayout(record);
            } else {
                record.id_ = number;
                blocks.push_back(std::move(record));
                at = static_cast<int>(blocks.size()) - 1;
            }
            textOwner = at;
        } else {
            ++damaged;
            if (textOwner >= 0) {
                std::string rest = line;
                EscapeNewlines(rest, kForReading);
                std::string& text = blocks[static_cast<size_t>(textOwner)].text_;
                for (int n = 0; n <= blanksBefore; ++n)
                    text += "\r\n";
                text += rest;
            }
        }
    }
    // Only the first section of a header is read; a second one would be lost by the next save.
    for (; i < lines.size(); ++i) {
        if (lines[i] == header) {
            ++damaged;
            break;
        }
    }
    return damaged;
}

void FileIO::ResolvePicture(Block& record, float version, bool& basesLoaded)
{
    const std::string picture = record.picturePath_;
    if (picture.empty())
        return;
    if (picture.find(":\\") == std::string::npos) {
        // A picture code, resolved in the bases as their files hold them now.
        if (!basesLoaded) {
            imageBases_.LoadBases(imageBaseSettingsFile_, 1);
            basesLoaded = true;
        }
        std::string path;
        std::string text;
        ImageBaseOptions options;
        int metafileBase = 0;
        if (imageBases_.ResolveCode(picture, path, text, options, nullptr, imageBaseSettingsFile_, &metafileBase, 1) == 1) {
            record.picturePath_ = path;
            record.pictureCode_ = picture;
            record.libraryPicture_ = metafileBase;
        }
        return;
    }
    // Files before 4.1 kept only full paths: a path into an image base gets its code. The version is
    // held in single precision, so a file of version 4.1 itself still counts as older.
    if (static_cast<double>(version) < 4.1) {
        std::string code;
        if (imageBases_.CodeFromPath(picture, code, imageBaseSettingsFile_, 1) == 1)
            record.pictureCode_ = code;
    }
}

int FileIO::GetAccessKvoraFlag(const std::string& overlayName, const std::string& setName) const
{
    return ini::ReadInt(OverlayPath(setName, overlayName), "Version", "AccessKvora", 0);
}

// The flag is set in the file's own text: the ini interface would write the whole file anew and
// drop the blanks at the end of every line, a command's or a text's among them.
bool FileIO::SetAccessKvoraFlag(const std::string& overlayName, const std::string& setName, int flag)
{
    const std::string path = OverlayPath(setName, overlayName);
    std::string content;
    if (!ReadWholeFile(path, content))
        return false;
    std::vector<std::string> lines = ini::SplitLines(content);
    const std::string entry = "AccessKvora=" + std::to_string(flag);

    size_t section = lines.size();
    for (size_t i = 0; i < lines.size() && section == lines.size(); ++i) {
        if (cp1252::EqualsNoCase(lines[i], "[Version]"))
            section = i;
    }
    if (section == lines.size()) {
        lines.push_back("[Version]");
        lines.push_back(entry);
        return WriteReplacing(path, JoinLines(lines), false);
    }
    size_t end = section + 1;
    while (end < lines.size() && !IsSectionHeader(lines[end]))
        ++end;
    size_t lastKey = section;
    for (size_t i = section + 1; i < end; ++i) {
        const size_t equals = lines[i].find('=');
        if (equals != std::string::npos) {
            std::string key = lines[i].substr(0, equals);
            const size_t first = key.find_first_not_of(" \t");
            const size_t last = key.find_last_not_of(" \t");
            key = first == std::string::npos ? std::string() : key.substr(first, last - first + 1);
            if (cp1252::EqualsNoCase(key, "AccessKvora")) {
                lines[i] = entry;
                return WriteReplacing(path, JoinLines(lines), false);
            }
        }
        if (!IsBlank(lines[i]))
            lastKey = i;
    }
    // A new key goes after the section's last line, where the ini interface puts it.
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKey + 1), entry);
    return WriteReplacing(path, JoinLines(lines), false);
}

int FileIO::IsGameSendType(const std::string& overlayName, const std::string& setName) const
{
    if (overlayName.empty())
        return 0;
    const std::string sendType = ini::ReadString(OverlayPath(setName, overlayName), "KeyboardSettings", "SendType", "API");
    return ::lstrcmpiA(sendType.c_str(), "Game") == 0 ? 1 : 0;
}
