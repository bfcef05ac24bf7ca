// The rules of the block and background definition dialogs.
#include "editor/BlockDefinition.h"
#include "command/CommandSyntax.h"
#include "command/ProgramStart.h"
#include "skarpin/resource.h"
#include <algorithm>

namespace blockdef {

bool HasTextAndPicture(const Block& block)
{
    return block.cells_.size() <= 1;
}

bool AllowsRoundCorners(const Block& block, int frameWidth)
{
    return frameWidth > 0 && block.cells_.size() == 1;
}

int FrameLine(int frameWidth)
{
    return std::clamp(frameWidth, 0, kMaxFrameWidth);
}

namespace {

std::string WithoutLineBreaks(const std::string& text)
{
    std::string flat;
    for (char c : text)
        if (c != '\r' && c != '\n')
            flat += c;
    return flat;
}

std::string Label(const std::string& text)
{
    return "+'" + text + "'";
}

} // namespace

std::string StartingContent(const Block& block, char delimiter, int speech, const PictureLookup& lookup)
{
    const std::string text = WithoutLineBreaks(block.text_);
    const std::string prefix(1, delimiter);
    const std::string& picture = block.picturePath_;
    if (picture.empty())
        return text.empty() ? std::string() : prefix + Label(text) + prefix;

    std::string code;
    if (lookup.fileExists && lookup.fileExists(picture)) {
        if (lookup.codeFromPath)
            code = lookup.codeFromPath(picture);
    } else if (picture.size() < 10) {
        // A short name that is no file is a picture code as the overlay stored it.
        code = picture;
    }
    if (code.empty())
        return prefix + picture + (text.empty() ? std::string() : Label(text)) + prefix;

    std::string word;
    std::string sound;
    if (lookup.resolve)
        lookup.resolve(code, word, sound);
    std::string content = prefix + code;
    if (text != word)
        content += Label(text);
    if (speech == 2 && !sound.empty())
        content += "+" + sound;
    if (speech == 0)
        content += "+\"\"";
    return content + prefix;
}

CommandRefusal StoredCommand(const std::string& shown, const std::string& start, const std::string& end,
                             std::string& stored)
{
    const std::string expanded = command::ExpandProgramStart(shown, start, end);
    if (expanded.size() > command::kMaxCommandLength)
        return CommandRefusal::TooLong;
    stored = expanded;
    return CommandRefusal::None;
}

std::string TextForBox(const std::string& text)
{
    // The block keeps CR LF already; a lone LF (as a pasted text may hold) shows as a line break too.
    std::string box;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            box += '\r';
        box += text[i];
    }
    return box;
}

UINT FieldTextId(FileIO::BlockField field)
{
    switch (field) {
    case FileIO::BlockField::Cells: return IDS_EDITOR_FIELD_CELLS;
    case FileIO::BlockField::Command: return IDS_EDITOR_FIELD_COMMAND;
    case FileIO::BlockField::Picture: return IDS_EDITOR_FIELD_PICTURE;
    case FileIO::BlockField::FontName: return IDS_EDITOR_FIELD_FONT;
    default: return IDS_EDITOR_FIELD_TEXT;
    }
}

} // namespace blockdef
