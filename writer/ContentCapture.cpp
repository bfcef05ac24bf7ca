// The typed-sequence capture: prefix, up to 254 characters, prefix.
#include "writer/ContentCapture.h"

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
