// Writing and reading the Block and Layout lines of an overlay file.
#include "store/OverlayLines.h"
#include "store/FileIO.h"
#include <cstdlib>

namespace overlay {

namespace {

// Reads a line field by field; a field ends at the next ','.
class FieldReader {
public:
    FieldReader(const std::string& line, size_t start) : line_(line), position_(start) {}

    // The text up to the next ',' (which is passed over); false when no ',' follows.
    bool Next(std::string& field)
    {
        const size_t comma = line_.find(',', position_);
        if (comma == std::string::npos)
            return false;
        field = line_.substr(position_, comma - position_);
        position_ = comma + 1;
        return true;
    }
    bool NextNumber(int& value)
    {
        std::string field;
        if (!Next(field))
            return false;
        value = Number(field);
        return true;
    }
    // "(r,g,b)" at the current place, as red + 256 green + 65536 blue with each part taken as a byte.
    bool Colour(COLORREF& colour)
    {
        size_t end = position_;
        if (!ColourAt(line_, end, colour))
            return false;
        position_ = end;
        return true;
    }
    // Passes over one expected character.
    bool Skip(char expected)
    {
        if (position_ >= line_.size() || line_[position_] != expected)
            return false;
        ++position_;
        return true;
    }
    bool At(char c) const { return position_ < line_.size() && line_[position_] == c; }
    std::string Rest() const { return position_ < line_.size() ? line_.substr(position_) : std::string(); }
    size_t Position() const { return position_; }
    void MoveTo(size_t position) { position_ = position; }

    // Numbers read as the C library's atoi reads them: blanks, a sign, digits, anything after ignored.
    static int Number(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

    static bool ColourAt(const std::string& line, size_t& position, COLORREF& colour)
    {
        if (position >= line.size() || line[position] != '(')
            return false;
        const size_t close = line.find(')', position);
        if (close == std::string::npos)
            return false;
        const std::string inner = line.substr(position + 1, close - position - 1);
        const size_t first = inner.find(',');
        const size_t second = first == std::string::npos ? first : inner.find(',', first + 1);
        if (second == std::string::npos)
            return false;
        const int red = Number(inner.substr(0, first));
        const int green = Number(inner.substr(first + 1, second - first - 1));
        const int blue = Number(inner.substr(second + 1));
        colour = RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
        position = close + 1;
        return true;
    }

private:
    const std::string& line_;
    size_t position_;
};

bool IsDigits(const std::string& text)
{
    if (text.empty())
        return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i >= text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// The comma that ends the picture field: the first one followed by a text colour "(r,g,b)," of
// plain numbers. A picture path holding a comma, as older files may have, then still reads whole;
// every file whose path holds no comma reads as it always has.
size_t PictureEnd(const std::string& line, size_t start)
{
    for (size_t comma = line.find(',', start); comma != std::string::npos; comma = line.find(',', comma + 1)) {
        const size_t open = comma + 1;
        if (open >= line.size() || line[open] != '(')
            continue;
        const size_t close = line.find(')', open);
        if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != ',')
            continue;
        const std::string inner = line.substr(open + 1, close - open - 1);
        const size_t first = inner.find(',');
        const size_t second = first == std::string::npos ? first : inner.find(',', first + 1);
        if (second == std::string::npos || inner.find(',', second + 1) != std::string::npos)
            continue;
        if (IsDigits(inner.substr(0, first)) && IsDigits(inner.substr(first + 1, second - first - 1))
            && IsDigits(inner.substr(second + 1)))
            return comma;
    }
    return line.find(',', start);
}

std::string ColourText(COLORREF colour)
{
    return "(" + std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + ","
           + std::to_string(GetBValue(colour)) + ")";
}

// The block's number: the text after the prefix up to '='; npos when the line has no '='.
size_t ReadNumber(const std::string& line, size_t prefixLength, int& number)
{
    const size_t equals = line.find('=', prefixLength);
    if (equals == std::string::npos)
        return std::string::npos;
    number = FieldReader::Number(line.substr(prefixLength, equals - prefixLength));
    return equals + 1;
}

} // namespace

std::string NormaliseLineBreaks(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += "\r\n";
            ++i;
        } else if (c == '\r' || c == '\n') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

std::string FormatBlockLine(int number, const Block& block)
{
    std::string line = "Block" + std::to_string(number) + "=" + std::to_string(block.cells_.size()) + ",";
    for (const RECT& range : block.cells_) {
        int first = 0;
        int last = 0;
        FileIO::RectToCells(range, first, last);
        line += std::to_string(first) + "," + std::to_string(last) + ",";
    }
    line += std::to_string(block.repeat_) + "," + block.command_;
    return line;
}

std::string FormatLayoutLine(int number, const Block& block)
{
    const int frame = block.frameWidth_ + (block.roundFrame_ ? 100 : 0);
    const std::string& picture = block.pictureCode_.empty() ? block.picturePath_ : block.pictureCode_;
    std::string line = "Layout" + std::to_string(number) + "=" + std::to_string(frame) + "," + picture + ",";
    line += ColourText(block.textColor_) + ",";
    line += ColourText(block.frameColor_) + ",";
    line += block.transparent_ ? std::string(",") : ColourText(block.backColor_) + ",";
    line += std::to_string(block.cover_) + ",";
    if (block.fontName_.empty())
        line += ",,,";
    else
        line += block.fontName_ + "," + std::to_string(block.fontSize_) + "," + std::to_string(block.fontStyle_) + ",";
    line += std::to_string(block.textPosition_) + "," + std::to_string(block.centred_) + ",";
    std::string text = NormaliseLineBreaks(block.text_);
    FileIO::EscapeNewlines(text, FileIO::kForWriting);
    return line + text;
}

bool ParseBlockLine(const std::string& line, int& number, Block& record)
{
    const size_t start = ReadNumber(line, 5, number);
    if (start == std::string::npos)
        return false;
    FieldReader fields(line, start);
    int count = 0;
    if (!fields.NextNumber(count) || count < 0 || count > Block::kCellCount)
        return false;
    for (int i = 0; i < count; ++i) {
        int first = 0;
        int last = 0;
        if (!fields.NextNumber(first) || !fields.NextNumber(last))
            return false;
        if (first < 0 || first >= Block::kCellCount || last < 0 || last >= Block::kCellCount)
            return false;
        RECT range;
        FileIO::CellsToRect(first, last, range);
        record.cells_.push_back(range);
    }
    // The command is the rest of the line, commas and all; a line that stops after the repeat flag
    // has an empty command.
    std::string repeat;
    if (fields.Next(repeat)) {
        record.repeat_ = FieldReader::Number(repeat);
        record.command_ = fields.Rest();
    } else {
        record.repeat_ = FieldReader::Number(fields.Rest());
        record.command_.clear();
    }
    return true;
}

bool ParseLayoutLine(const std::string& line, int& number, Block& record)
{
    const size_t start = ReadNumber(line, 6, number);
    if (start == std::string::npos)
        return false;
    FieldReader fields(line, start);
    int frame = 0;
    if (!fields.NextNumber(frame))
        return false;
    if (frame >= 100) {
        record.roundFrame_ = 1;
        frame -= 100;
    } else {
        record.roundFrame_ = 0;
    }
    record.frameWidth_ = frame;

    const size_t pictureEnd = PictureEnd(line, fields.Position());
    if (pictureEnd == std::string::npos)
        return false;
    record.picturePath_ = line.substr(fields.Position(), pictureEnd - fields.Position());
    fields.MoveTo(pictureEnd + 1);

    if (!fields.Colour(record.textColor_) || !fields.Skip(',') || !fields.Colour(record.frameColor_) || !fields.Skip(','))
        return false;
    if (fields.At(',')) {
        record.transparent_ = 1;
        fields.Skip(',');
    } else {
        record.transparent_ = 0;
        if (!fields.Colour(record.backColor_) || !fields.Skip(','))
            return false;
    }

    std::string fontName;
    if (!fields.NextNumber(record.cover_) || !fields.Next(fontName) || !fields.NextNumber(record.fontSize_)
        || !fields.NextNumber(record.fontStyle_) || !fields.NextNumber(record.textPosition_)
        || !fields.NextNumber(record.centred_))
        return false;
    record.fontName_ = fontName;
    record.ownFont_ = fontName.empty() ? 0 : 1;
    record.text_ = fields.Rest();
    FileIO::EscapeNewlines(record.text_, FileIO::kForReading);
    return true;
}

} // namespace overlay
