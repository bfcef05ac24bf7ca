// The capture of a content string that the Rizovuvuri types: the characters between two prefix
// characters become one symbol instead of text.
#pragma once
#include <string>

// Idle or capturing. A sequence is at most kLongest characters long, both prefix characters included;
// a longer one is dropped. The state survives edits, page changes and new documents: only a reset,
// a completed or an overflowed sequence ends a capture. Owned by the document window.
class ContentCapture {
public:
    static const size_t kLongest = 256;

    struct Step {
        enum Kind {
            Held,      // the character belongs to a capture (or ended one that was dropped)
            Character, // an ordinary character, to be typed into the document
            Sequence,  // a whole sequence, prefix to prefix, to be read as a content string
        };
        Kind kind = Held;
        std::string sequence;
    };

    // The next typed character; the prefix is compared as an unsigned character code. A control code
    // typed during a capture is dropped.
    Step Feed(char character, char prefix);
    // Abandons a capture; nothing of it is typed.
    void Reset();
    bool IsCapturing() const { return capturing_; }

private:
    bool capturing_ = false;
    std::string buffer_;
};
