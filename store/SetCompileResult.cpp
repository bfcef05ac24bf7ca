// The messages of the set compiler.
#include "store/SetCompileResult.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

UINT SetCompileResult::MessageId() const
{
    switch (reason) {
    case kCompiled: return 0;
    case kUnreadable: return IDS_COMPILE_UNREADABLE;
    case kTooManyBlocks: return IDS_COMPILE_TOO_MANY_BLOCKS;
    case kTooManyRanges: return IDS_COMPILE_TOO_MANY_RANGES;
    case kCellOutsideGrid: return IDS_COMPILE_CELL_OUTSIDE_GRID;
    case kInfraredCodeMissing: return IDS_COMPILE_IR_CODE_MISSING;
    case kInfraredCodesUnreadable: return IDS_COMPILE_IR_FILE_UNREADABLE;
    case kInfraredWithoutStartKeys: return IDS_COMPILE_IR_NO_START_KEYS;
    case kNoKeyCodeTable: return IDS_COMPILE_NO_KEY_TABLE;
    }
    return 0;
}

std::string SetCompileResult::Message() const
{
    switch (reason) {
    case kCompiled:
        return std::string();
    case kTooManyBlocks:
    case kTooManyRanges:
        return fw::FormatResString(MessageId(), overlayName.c_str(), count, kMostInImage);
    case kInfraredCodeMissing:
    case kInfraredCodesUnreadable:
    case kInfraredWithoutStartKeys:
        return fw::FormatResString(MessageId(), key.c_str(), overlayName.c_str(), count);
    case kNoKeyCodeTable:
        return fw::FormatResString(MessageId(), file.c_str());
    default:
        return fw::FormatResString(MessageId(), overlayName.c_str());
    }
}

std::string SetCompileResult::KeyDescription(const std::string& label, int firstCell)
{
    const std::string firstLine = label.substr(0, label.find_first_of("\r\n"));
    if (firstLine.find_first_not_of(' ') != std::string::npos)
        return "\"" + firstLine + "\"";
    // Cells are numbered column + 16 x row from the top left.
    return fw::FormatResString(IDS_COMPILE_KEY_AT, firstCell / 16 + 1, firstCell % 16 + 1);
}

std::string TextMacrosNotWrittenMessage()
{
    return fw::LoadResString(IDS_ZENTHOR_TEXTS_NOT_WRITTEN);
}
