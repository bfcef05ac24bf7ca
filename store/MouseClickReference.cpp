// The mouse click reference record.
#include "store/MouseClickReference.h"

void MouseClickReference::Reset()
{
    *this = MouseClickReference();
}

bool MouseClickReference::operator==(const MouseClickReference& other) const
{
    return unit_ == other.unit_ && target_ == other.target_ && corner_ == other.corner_;
}
