// FileIO's conversion of an old set: its overlay sections read into blocks, their paths made long,
// and the whole set written as a set folder of today's form.
#include "store/FileIO.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "library/ContentPaths.h"
#include "library/Cp1252.h"
#include "library/IniValues.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <cstdlib>

namespace {

// Reads the fields of one old-format line from left to right. It never looks past the end of the
// line: a field that is missing reads as empty, so a cut line gives defaults rather than garbage.
class LineCursor {
public:
    explicit LineCursor(const std::string& line, size_t position = 0) : line_(line), position_(position) {}

    // The text up to the next stop character (or the end); the stop character is passed over.
    std::string Field(char stop = ',')
    {
        if (position_ >= line_.size())
            return std::string();
        size_t end = line_.find(stop, position_);
        if (end == std::string::npos)
            end = line_.size();
        std::string field = line_.substr(position_, end - position_);
        position_ = end + 1;
        return field;
    }
    int IntField(char stop = ',') { return std::atoi(Field(stop).c_str()); }
    // Exactly count characters, or what is left of the line.
    std::string Take(size_t count)
    {
        if (position_ >= line_.size())
            return std::string();
        std::string taken = line_.substr(position_, count);
        position_ += taken.size();
        return taken;
    }
    void Skip(size_t count = 1) { position_ += count; }
    std::string Rest()
    {
        if (position_ >= line_.size())
            return std::string();
        std::string rest = line_.substr(position_);
        position_ = line_.size();
        return rest;
    }
    size_t Left() const { return position_ < line_.size() ? line_.size() - position_ : 0; }
    char Peek() const { return position_ < line_.size() ? line_[position_] : '\0'; }

    // "(r,g,b)", from its opening parenthesis to after the closing one.
    COLORREF Colour()
    {
        if (Peek() == '(')
            Skip();
        int red = IntField(',');
        int green = IntField(',');
        int blue = IntField(')');
        return RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    }

private:
    const std::string& line_;
    size_t position_;
};

// The text after the first '=' of a line.
std::string ValueOf(const std::string& line)
{
    size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

int IntValue(const std::string& line)
{
    return std::atoi(ValueOf(line).c_str());
}

float DecimalValue(const std::string& line)
{
    return static_cast<float>(ini::ParseDecimal(ValueOf(line)));
}

// A count read from the file: never negative, and never more lines than the file has left.
size_t CountValue(const std::string& line, size_t linesLeft)
{
    int count = IntValue(line);
    if (count < 0)
        return 0;
    return static_cast<size_t>(count) < linesLeft ? static_cast<size_t>(count) : linesLeft;
}

Block* BlockNumbered(std::vector<Block>& blocks, int number)
{
    for (Block& block : blocks)
        if (block.id_ == number)
            return &block;
    return nullptr;
}

// The block number of a font or colour line: after its key of keyLength characters, up to the '='.
int LineBlockNumber(LineCursor& cursor, size_t keyLength)
{
    cursor.Skip(keyLength);
    return cursor.IntField('=');
}

// Block line, after its key and '=': ranges, cell pairs, repeat, frame, kind, then a text of a
// given length (it may hold commas), then the command to the end of the line.
Block ReadBlockLine(FileIO& fileIO, const std::string& line, int id)
{
    Block block;
    block.id_ = id;
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return block;
    LineCursor cursor(line, equals + 1);
    const int ranges = cursor.IntField();
    for (int r = 0; r < ranges && cursor.Left() > 0; ++r) {
        const int first = cursor.IntField();
        // A pair cut off after its first cell is no range.
        if (cursor.Left() == 0)
            break;
        const int last = cursor.IntField();
        RECT range;
        FileIO::CellsToRect(first, last, range);
        // A cell outside the grid would be drawn outside the grid's 128 rectangles.
        if (first >= 0 && last >= 0 && Block::IsValidRange(range))
            block.cells_.push_back(range);
    }
    block.repeat_ = cursor.IntField();
    block.frameWidth_ = cursor.IntField();
    const std::string kind = cursor.Field();
    const int length = cursor.IntField();
    const std::string text = cursor.Take(length > 0 ? static_cast<size_t>(length) : 0);
    if (kind == "1" || kind == "2") {
        block.picturePath_ = text;
        if (!text.empty())
            fileIO.imageBases_.CodeFromPath(text, block.pictureCode_, fileIO.imageBaseSettingsFile_, 1);
    } else {
        block.text_ = text;
    }
    cursor.Skip();
    block.command_ = cursor.Rest();
    return block;
}

// Font line: a four-character key, the block number, '=', name and size, then style and position
// when more than one character follows.
void ReadFontLine(const std::string& line, std::vector<Block>& blocks)
{
    LineCursor cursor(line);
    Block* block = BlockNumbered(blocks, LineBlockNumber(cursor, 4));
    if (block == nullptr)
        return;
    block->fontName_ = cursor.Field();
    block->ownFont_ = block->fontName_.empty() ? 0 : 1;
    block->fontSize_ = cursor.IntField();
    block->fontStyle_ = 0;
    block->textPosition_ = 0;
    if (cursor.Left() > 1) {
        block->fontStyle_ = cursor.IntField();
        block->textPosition_ = std::atoi(cursor.Rest().c_str());
    }
}

// Colour line: a five-character key, the block number, '=', a text of a given length, the text
// colour, the background colour or nothing (transparent), and the cover flag.
void ReadColourLine(const std::string& line, std::vector<Block>& blocks)
{
    LineCursor cursor(line);
    Block* block = BlockNumbered(blocks, LineBlockNumber(cursor, 5));
    if (block == nullptr)
        return;
    const int length = cursor.IntField();
    const std::string text = cursor.Take(length > 0 ? static_cast<size_t>(length) : 0);
    cursor.Skip();
    block->textColor_ = cursor.Colour();
    cursor.Skip();
    if (cursor.Peek() == ',') {
        block->transparent_ = 1;
        block->backColor_ = RGB(255, 255, 255);
        cursor.Skip();
    } else {
        block->transparent_ = 0;
        block->backColor_ = cursor.Colour();
        cursor.Skip();
    }
    block->cover_ = std::atoi(cursor.Rest().c_str());
    if (!text.empty())
        block->text_ = text;
}

// What today's file cannot hold would keep the whole overlay from being written. A text's "\n"
// becomes the line break that the file stores in that form; a picture path with a comma cannot be
// stored and is dropped. False when something was dropped.
bool MakeStorable(std::vector<Block>& blocks)
{
    bool whole = true;
    for (Block& block : blocks) {
        FileIO::EscapeNewlines(block.text_, FileIO::kForReading);
        if (!FileIO::IsStorable(FileIO::BlockField::Picture, block.pictureCode_.empty() ? block.picturePath_
                                                                                         : block.pictureCode_)) {
            block.picturePath_.clear();
            block.pictureCode_.clear();
            whole = false;
        }
    }
    return whole;
}

} // namespace

// The section's lines stand in a fixed order and are read by their place, not by their keys.
void FileIO::ReadOldOverlay(const std::string& oldFile, int number, std::vector<Block>& blocks,
                            KeyboardSettings& settings)
{
    blocks.clear();
    std::vector<std::string> lines;
    if (!storefile::ReadLines(oldFile, lines))
        return;
    const std::string header = "[Ark" + std::to_string(number) + "]";
    size_t i = 0;
    while (i < lines.size() && lines[i] != header)
        ++i;
    // The header, the name and a line of no use here come before the settings.
    i += 3;
    if (i + 6 > lines.size())
        return;
    settings.flashSignal_ = IntValue(lines[i++]);
    settings.beepSignal_ = IntValue(lines[i++]);
    settings.frequency_ = DecimalValue(lines[i++]);
    settings.repeatDelay_ = DecimalValue(lines[i++]);
    settings.signalDelay_ = DecimalValue(lines[i++]);
    settings.bounceLock_ = DecimalValue(lines[i++]);

    if (i >= lines.size())
        return;
    size_t count = CountValue(lines[i], lines.size() - i - 1);
    ++i;
    for (size_t k = 1; k <= count; ++k)
        blocks.push_back(ReadBlockLine(*this, lines[i++], static_cast<int>(k)));

    if (i >= lines.size())
        return;
    count = CountValue(lines[i], lines.size() - i - 1);
    ++i;
    for (size_t k = 0; k < count; ++k)
        ReadFontLine(lines[i++], blocks);

    if (i >= lines.size())
        return;
    count = CountValue(lines[i], lines.size() - i - 1);
    ++i;
    for (size_t k = 0; k < count; ++k)
        ReadColourLine(lines[i++], blocks);
}

void FileIO::ConvertOldPaths(std::vector<Block>& blocks, int longPaths, int contentPaths)
{
    for (Block& block : blocks) {
        if (longPaths && !block.picturePath_.empty())
            block.picturePath_ = storefile::LongForm(block.picturePath_);
        if (!contentPaths)
            continue;
        // In the command the sounds take their long forms where they stand, and so do the pictures of
        // a block that has a picture of its own; a code stays a code, and nothing else changes.
        const bool pictures = !block.picturePath_.empty();
        auto makeLong = [pictures](std::string& path, media::Kind kind) {
            if (kind != media::Kind::Sound && !(kind == media::Kind::Picture && pictures))
                return false;
            const std::string longPath = storefile::LongForm(path);
            if (cp1252::EqualsNoCase(longPath, path))
                return false;
            path = longPath;
            return true;
        };
        RewriteContentPaths(block.command_, ContentDelimiter(), &videoExtensions_, makeLong);
    }
}

bool FileIO::ConvertOldSet(const std::string& oldFile, const std::string& newSetName)
{
    fw::WaitCursor wait;
    // On Windows 95 the paths stay as the old set has them.
    const int longPaths = storefile::IsWindows95() ? 0 : 1;
    const int contentPaths = longPaths && GetShortCommandFlag() == 0 ? 1 : 0;

    // The conversion writes a whole register list: never over a set or folder that is there. An old
    // file that cannot be read whole would become a set without its overlays.
    std::string oldText;
    if (!IsValidName(newSetName) || fw::PathExists(SetFolderPath(newSetName))
        || fw::ReadWholeFile(oldFile, oldText) != fw::FileRead::Whole
        || fw::TextFormOf(oldText) != fw::TextForm::SingleByte)
        return false;
    KeyboardSettings settings;
    ReadKeyboardSettings(oldFile, settings, "Set");
    if (!CreateSet(newSetName) || !WriteKeyboardSettings(SetRegisterPath(newSetName), settings))
        return false;

    std::vector<SetItem> overlays;
    ListOldOverlays(oldFile, overlays);
    bool converted = WriteOverlayList(newSetName, overlays);
    for (const SetItem& overlay : overlays) {
        std::vector<Block> blocks;
        ReadOldOverlay(oldFile, overlay.number_, blocks, settings);
        ConvertOldPaths(blocks, longPaths, contentPaths);
        converted = MakeStorable(blocks) && converted;
        std::string name = overlay.name_;
        converted = SaveOverlay(name, overlay.number_, newSetName, blocks, std::vector<Block>(), settings, nullptr,
                                SaveTarget::kNewFile) == kSaved
                    && converted;
    }
    return converted;
}
