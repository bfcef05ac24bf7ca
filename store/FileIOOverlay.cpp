// FileIO's overlay files: writing an overlay whole, reading its two block sections and its keyboard
// settings, and the flags kept in the file.
#include "store/FileIO.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniDocument.h"
#include "library/IniFileCache.h"
#include "library/IniValues.h"
#include "store/IniText.h"
#include "store/OverlayLines.h"
#include "store/StoreFiles.h"
#include <utility>

namespace {

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
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

} // namespace

// A file in another text form, or one with text but no section an overlay has, reads as no block
// at all: shown as an empty overlay, it would be saved over.
fw::FileRead FileIO::ReadOverlayFile(const std::string& path, std::string& content) const
{
    const fw::FileRead read = fw::ReadWholeFile(path, content, storefile::kLargestOverlayFile);
    if (read != fw::FileRead::Whole)
        return read;
    if (fw::TextFormOf(content) != fw::TextForm::SingleByte)
        return fw::FileRead::Unreadable;
    const std::string known[] = {"[Version]", "[" + keySection_ + "]", "[" + backgroundSection_ + "]",
                                 "[KeyboardSettings]"};
    bool blank = true;
    for (const std::string& line : storefile::SplitLines(content)) {
        const std::string text = ini::TrimBlanks(line);
        for (const std::string& header : known) {
            if (cp1252::EqualsNoCase(text, header))
                return fw::FileRead::Whole;
        }
        blank = blank && text.empty();
    }
    return blank ? fw::FileRead::Whole : fw::FileRead::Unreadable;
}

std::string FileIO::OverlayPath(const std::string& setName, const std::string& overlayName) const
{
    return setFolder_ + "\\" + setName + "\\" + overlayName + "." + overlayFileExtension_;
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
        // Line breaks are stored as '\' 'n', and every such pair reads back as a CR LF: a text keeps
        // its form only without such a pair of its own and with every line break a CR LF (a lone CR
        // or LF would come back as one).
        return value.find("\\n") == std::string::npos && overlay::NormaliseLineBreaks(value) == value;
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
                        UnstorableValue* unstorable, SaveTarget target)
{
    name = CleanName(name);
    if (!IsValidName(name))
        return kNoName;
    if (!IsValidName(setName))
        return kNotWritten;
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
    IniText settingsSection;
    PutKeyboardSettings(settingsSection, settings, "KeyboardSettings");
    text += settingsSection.Text();

    const std::string path = OverlayPath(setName, name);
    if (target == SaveTarget::kNewFile) {
        if (IsTemplatesSet(setName) && !TemplatesHaveRoom())
            return kNoRoom;
        // A new overlay that no register could list would be a file beside the set's overlays.
        if (!IsTemplatesSet(setName)) {
            const RegisterState state = ReadRegisterState(setName);
            if (state != RegisterState::kAbsent && state != RegisterState::kReadable)
                return kRegisterUnreadable;
        }
        const fw::NewFile made = fw::WriteNewFile(path, text);
        if (made != fw::NewFile::Created)
            return made == fw::NewFile::Taken ? kNameTaken : kNotWritten;
    } else {
        if (target == SaveTarget::kOwnFile && fw::IsAbsent(path))
            return kFileGone;
        // A file that does not read whole holds more than an editor could show of it: keep it.
        const bool keepOld = !ReadsWhole(path);
        const bool written = target == SaveTarget::kOwnFile ? fw::RewriteExisting(path, text, keepOld)
                                                             : fw::WriteReplacing(path, text, keepOld);
        if (!written)
            return kNotWritten;
    }
    if (!IsTemplatesSet(setName) && !SetRegisterEntry(setName, number, name))
        return kNotRegistered;
    return kSaved;
}

bool FileIO::ReadsWhole(const std::string& path)
{
    std::string content;
    const fw::FileRead read = ReadOverlayFile(path, content);
    if (read != fw::FileRead::Whole)
        return read == fw::FileRead::Absent;
    std::vector<Block> keys;
    std::vector<Block> background;
    return ReadBothSections(storefile::SplitLines(content), keys, background, nullptr, nullptr) == 0;
}

int FileIO::LoadOverlay(const std::string& path, std::vector<Block>& keys, std::vector<Block>& background,
                        KeyboardSettings& settings, std::string* versionLine)
{
    keys.clear();
    background.clear();
    std::string content;
    if (ReadOverlayFile(path, content) != fw::FileRead::Whole)
        return kNotOpened;
    // The image bases are read again once for the whole file, at its first picture code.
    bool basesLoaded = false;
    const int damaged = ReadBothSections(storefile::SplitLines(content), keys, background, versionLine, &basesLoaded);
    ReadKeyboardSettings(ini::FileView(path, std::move(content)), settings);
    return damaged == 0 ? kLoaded : kDamaged;
}

int FileIO::ReadBothSections(const std::vector<std::string>& lines, std::vector<Block>& keys,
                             std::vector<Block>& background, std::string* versionLine, bool* basesLoaded)
{
    int damaged = ReadSection(lines, "[" + keySection_ + "]", keys, versionLine, basesLoaded);
    damaged += ReadSection(lines, "[" + backgroundSection_ + "]", background, versionLine, basesLoaded);
    return damaged + CountStrayBlockLines(lines);
}

// A header the reader does not match exactly would otherwise make a file full of blocks read as an
// empty overlay that counts as whole, and the next save would replace it without a copy.
int FileIO::CountStrayBlockLines(const std::vector<std::string>& lines) const
{
    const std::string keyHeader = "[" + keySection_ + "]";
    const std::string backgroundHeader = "[" + backgroundSection_ + "]";
    bool inBlockSection = false;
    int stray = 0;
    for (const std::string& line : lines) {
        if (ini::IsSectionHeader(line))
            inBlockSection = line == keyHeader || line == backgroundHeader;
        else if (!inBlockSection && (StartsWith(line, "Block") || StartsWith(line, "Layout")))
            ++stray;
    }
    return stray;
}

int FileIO::ReadBlockSection(const std::vector<std::string>& lines, const std::string& header,
                             std::vector<Block>& blocks, std::string* versionLine)
{
    bool basesLoaded = false;
    return ReadSection(lines, header, blocks, versionLine, &basesLoaded);
}

// Where a section ends is the rule the USB driver program reads by: at the first line that begins
// with neither "Block" nor "Layout" (an empty line, another section, anything else). The one
// exception: lines directly after a Layout line that are neither empty nor a section header nor
// another Block or Layout line are the rest of that Layout's text, which an older writer split over
// file lines; they are joined to it, and the section ends after them. Lines of the section's text
// left after its end are never read (the driver program does not see them either), and the file
// then counts as damaged, so that a save keeps it beside the new one.
int FileIO::ReadSection(const std::vector<std::string>& lines, const std::string& header, std::vector<Block>& blocks,
                        std::string* versionLine, bool* basesLoaded, LinesPastEnd pastEnd)
{
    float version = 0.0f;
    size_t i = FindSectionStart(lines, header, version, versionLine);
    if (i == std::string::npos)
        return 0;
    int damaged = 0;
    int textOwner = -1;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StartsWith(line, "Block")) {
            textOwner = -1;
            if (!MergeBlockLine(line, blocks))
                ++damaged;
        } else if (StartsWith(line, "Layout")) {
            textOwner = MergeLayoutLine(line, blocks, version, basesLoaded);
            if (textOwner < 0)
                ++damaged;
        } else {
            if (textOwner >= 0)
                damaged += JoinSplitText(lines, i, blocks[static_cast<size_t>(textOwner)].text_);
            break;
        }
    }
    return pastEnd == LinesPastEnd::kIgnored ? damaged : damaged + CountUnreadLines(lines, i, header);
}

// The index of the first line after the header, or npos. The version is known only when [Version]
// stands before the section: its next line is the version line, whatever it holds, unless it opens
// a section (that section must still be found).
size_t FileIO::FindSectionStart(const std::vector<std::string>& lines, const std::string& header, float& version,
                                std::string* versionLine)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line == header)
            return i + 1;
        if (line != "[Version]" || i + 1 >= lines.size() || ini::IsSectionHeader(lines[i + 1]))
            continue;
        ++i;
        const std::string& versionText = lines[i];
        version = versionText.size() >= 9 ? static_cast<float>(ini::ParseDecimal(versionText.substr(8))) : 0.0f;
        if (versionLine)
            *versionLine = versionText;
    }
    return std::string::npos;
}

// A Block line: a block of a number read before takes the new cells and command in its place.
bool FileIO::MergeBlockLine(const std::string& line, std::vector<Block>& blocks)
{
    Block record;
    int number = 0;
    if (!overlay::ParseBlockLine(line, number, record))
        return false;
    const int at = FindId(blocks, number);
    if (at >= 0) {
        blocks[static_cast<size_t>(at)].CopyCommand(record);
    } else {
        record.id_ = number;
        blocks.push_back(std::move(record));
    }
    return true;
}

// A Layout line: the block of its number takes the appearance, or it comes as a block without
// cells. The block's index, or -1 when the line could not be read.
int FileIO::MergeLayoutLine(const std::string& line, std::vector<Block>& blocks, float version, bool* basesLoaded)
{
    Block record;
    int number = 0;
    if (!overlay::ParseLayoutLine(line, number, record))
        return -1;
    if (basesLoaded)
        ResolvePicture(record, version, *basesLoaded);
    const int at = FindId(blocks, number);
    if (at >= 0) {
        blocks[static_cast<size_t>(at)].CopyLayout(record);
        return at;
    }
    record.id_ = number;
    blocks.push_back(std::move(record));
    return static_cast<int>(blocks.size()) - 1;
}

// Joins the text lines from line i on to the text, each after a line break; i is left at the first
// line not joined. Returns how many were joined.
int FileIO::JoinSplitText(const std::vector<std::string>& lines, size_t& i, std::string& text)
{
    int joined = 0;
    for (size_t next = i; next < lines.size(); ++next) {
        const std::string& line = lines[next];
        if (IsBlank(line) || ini::IsSectionHeader(line) || StartsWith(line, "Block") || StartsWith(line, "Layout"))
            break;
        std::string rest = line;
        EscapeNewlines(rest, kForReading);
        text += "\r\n" + rest;
        i = next + 1;
        ++joined;
    }
    return joined;
}

// The lines after the section's end that a save would lose: those up to the next section header
// that are not empty, and a second section of the same header (only the first is read).
int FileIO::CountUnreadLines(const std::vector<std::string>& lines, size_t end, const std::string& header)
{
    int unread = 0;
    size_t i = end;
    for (; i < lines.size() && !ini::IsSectionHeader(lines[i]); ++i) {
        if (!IsBlank(lines[i]))
            ++unread;
    }
    for (; i < lines.size(); ++i) {
        if (lines[i] == header)
            return unread + 1;
    }
    return unread;
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

// One read of the file for both marks, each read as the ini calls read it: the main window lists a
// hundred overlays at a time, and two calls of the platform's per overlay cost more than the rest of
// the listing.
FileIO::OverlayMarks FileIO::ReadOverlayMarks(const std::string& overlayName, const std::string& setName) const
{
    OverlayMarks marks;
    const std::string path = OverlayPath(setName, overlayName);
    std::string content;
    if (!storefile::ReadAll(path, content))
        return marks;
    const ini::FileView file(path, std::move(content));
    marks.accessKvora = file.ReadInt("Version", "AccessKvora", 0);
    marks.gameSendType = ::lstrcmpiA(file.Read("KeyboardSettings", "SendType", "API").c_str(), "Game") == 0 ? 1 : 0;
    return marks;
}

int FileIO::GetAccessKvoraFlag(const std::string& overlayName, const std::string& setName) const
{
    return ReadOverlayMarks(overlayName, setName).accessKvora;
}

// The flag is set in the file's own text: the ini interface would write the whole file anew and
// drop the blanks at the end of every line, a command's or a text's among them.
bool FileIO::SetAccessKvoraFlag(const std::string& overlayName, const std::string& setName, int flag)
{
    if (!IsValidName(overlayName) || !IsValidName(setName))
        return false;
    const std::string path = OverlayPath(setName, overlayName);
    std::string content;
    if (ReadOverlayFile(path, content) != fw::FileRead::Whole)
        return false;
    IniText text(storefile::SplitLines(content));
    text.Set("Version", "AccessKvora", std::to_string(flag));
    return fw::RewriteExisting(path, text.Text());
}

int FileIO::IsGameSendType(const std::string& overlayName, const std::string& setName) const
{
    if (overlayName.empty())
        return 0;
    return ReadOverlayMarks(overlayName, setName).gameSendType;
}
