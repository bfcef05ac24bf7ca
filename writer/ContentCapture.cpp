// The typed-sequence capture: prefix, up to 254 characters, prefix.
#include "writer/ContentCapture.h"
#include "library/Cp1252.h"

ContentCapture::Step ContentCapture::Feed(char character, char prefix)
{
    const bool isPrefix = static_cast<unsigned char>(character) == static_cast<unsigned char>(prefix);
    Step step;
    if (!capturing_) {
        if (!isPrefix) {
            step.kind = Step::Character;
            return step;
        }
        capturing_ = true;
        buffer_.assign(1, character);
        return step;
    }
    // A control code (Ctrl+Enter, Tab, Backspace typed as a character) is no part of any content
    // string: in the document's file it would break the symbol's line.
    if (cp1252::IsControl(character))
        return step;
    if (buffer_.size() >= kLongest) {
        // The sequence is too long for any content string: this character ends and drops it.
        Reset();
        return step;
    }
    buffer_ += character;
    if (isPrefix) {
        step.kind = Step::Sequence;
        step.sequence.swap(buffer_);
        Reset();
    }
    return step;
}

void ContentCapture::Reset()
{
    capturing_ = false;
    buffer_.clear();
}
