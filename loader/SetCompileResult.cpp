// The messages of the set compiler.
#include "loader/SetCompileResult.h"
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
    default:
        return fw::FormatResString(MessageId(), overlayName.c_str());
    }
}

std::string TextMacrosNotWrittenMessage()
{
    return fw::LoadResString(IDS_ZENTHOR_TEXTS_NOT_WRITTEN);
}
