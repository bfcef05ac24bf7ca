// The rules of the block and background definition dialogs without their windows: which controls a
// block allows, the content string the content command starts from, the command as the block stores
// it, and the command a picture from an image base writes.
#pragma once
#include "command/CommandRefusal.h"
#include "store/Block.h"
#include "store/FileIO.h"
#include <functional>
#include <string>

namespace blockdef {

// The longest text a block takes in the dialog.
constexpr int kMaxText = 100;
// The frame combo: "<Ingen ram>", then 1 ... 10.
constexpr int kMaxFrameWidth = 10;

// A block of several cell ranges has neither text nor picture, and no round corners.
bool HasTextAndPicture(const Block& block);
// The round box is offered with a frame on a block of one range.
bool AllowsRoundCorners(const Block& block, int frameWidth);
// The frame combo's line for a stored width, clamped to the combo's lines.
int FrameLine(int frameWidth);

// What the content command's starting value needs to know of the image bases.
struct PictureLookup {
    std::function<bool(const std::string& path)> fileExists;
    // The code of a picture file that lies in an image base; empty when it lies in none.
    std::function<std::string(const std::string& path)> codeFromPath;
    // The picture's word and sound file of a code; false when the code is not found.
    std::function<bool(const std::string& code, std::string& word, std::string& sound)> resolve;
};

// The content string the content command dialog opens on for a block with an empty command, built
// from the block's text (line breaks removed) and picture; empty when the block has neither. speech:
// 0 no voice, 1 a voice, 2 the sound of a picture is wanted.
std::string StartingContent(const Block& block, char delimiter, int speech, const PictureLookup& lookup);

// The command as the block stores it: the "<Run " form expanded with the current start and end
// strings. TooLong when what would be stored is longer than a block holds; stored is set only when
// nothing is refused.
CommandRefusal StoredCommand(const std::string& shown, const std::string& start, const std::string& end,
                             std::string& stored);

// The text box's contents: the block's text with its line breaks as CR LF.
std::string TextForBox(const std::string& text);

// The string that names a field of a block the overlay file cannot hold ("ett kommando" ...).
UINT FieldTextId(FileIO::BlockField field);

} // namespace blockdef
