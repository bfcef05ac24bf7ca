// Where the parts of a content string stand: the one reading of its grammar, shared by the parser
// and by the path rewrite, so the two can never disagree on what a part is.
#pragma once
#include <string>
#include <vector>

namespace content_grammar {

// Characters [begin, end) of the text.
struct Span {
    size_t begin = 0;
    size_t end = 0;
    std::string Of(const std::string& text) const { return text.substr(begin, end - begin); }
};

struct Parts {
    bool crossed = false;
    // A quoted text in first place, and the speech that may follow a first-place label.
    bool hasBaseLabel = false;
    Span baseLabel;
    bool hasBaseSpeech = false;
    Span baseSpeech;
    // The first plain part (a picture code, picture, video or whatever else stands there).
    Span first;
    // The parts after it, in order: quoted labels and speeches, and plain parts (a sound, mostly).
    std::vector<Span> labels;
    std::vector<Span> speeches;
    std::vector<Span> further;
};

// False when the text is not framed by the delimiter (at least two characters).
bool Scan(const std::string& text, char delimiter, Parts& parts);

} // namespace content_grammar
