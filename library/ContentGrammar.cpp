// The content string's grammar: the delimiter, an optional '!', a first part, then '+'-joined parts.
// Quotes are never escaped, and some scans run on past the delimiter as the old readers did.
#include "library/ContentGrammar.h"

namespace content_grammar {

namespace {

// Position of the first of the stop characters at or after from, or the text's end.
size_t ScanTo(const std::string& text, size_t from, const std::string& stops)
{
    const size_t found = text.find_first_of(stops, from);
    return found == std::string::npos ? text.size() : found;
}

} // namespace

bool Scan(const std::string& text, char delimiter, Parts& parts)
{
    parts = Parts();
    const size_t n = text.size();
    if (n < 2 || text[0] != delimiter || text[n - 1] != delimiter)
        return false;

    const std::string stopAtPlus = std::string("+") + delimiter;
    const std::string stopAtDelimiter(1, delimiter);
    const std::string stopAtSingle = std::string("'") + delimiter;
    const std::string stopAtDouble = std::string("\"") + delimiter;

    size_t p = 1;
    if (text[p] == '!') {
        parts.crossed = true;
        p = 2;
    }

    if (text[p] == '"') {
        // A first-place speech runs to the next double quote; the delimiter does not end it.
        parts.hasBaseSpeech = true;
        parts.baseSpeech = Span{p + 1, ScanTo(text, p + 1, "\"")};
        return true;
    }
    if (text[p] == '\'') {
        // A first-place label runs to the next single quote; after it, one more part at most.
        const size_t end = ScanTo(text, p + 1, "'");
        parts.hasBaseLabel = true;
        parts.baseLabel = Span{p + 1, end};
        const size_t next = end + 2;
        if (end + 1 < n && text[end + 1] == '+' && next < n) {
            if (text[next] == '"') {
                parts.hasBaseSpeech = true;
                parts.baseSpeech = Span{next + 1, ScanTo(text, next + 1, stopAtDouble)};
            } else {
                parts.first = Span{next, ScanTo(text, next, stopAtDouble)};
            }
        }
        return true;
    }

    const size_t end = ScanTo(text, p, stopAtPlus);
    parts.first = Span{p, end};
    // Up to three further parts, each after a '+'. A plain part first among them runs to the next '+',
    // the later ones to the delimiter, '+' included.
    size_t plus = end;
    for (int part = 0; part < 3 && plus < n && text[plus] == '+'; ++part) {
        const size_t start = plus + 1;
        if (start >= n)
            break;
        size_t stop;
        if (text[start] == '\'') {
            stop = ScanTo(text, start + 1, stopAtSingle);
            parts.labels.push_back(Span{start + 1, stop});
        } else if (text[start] == '"') {
            stop = ScanTo(text, start + 1, stopAtDouble);
            parts.speeches.push_back(Span{start + 1, stop});
        } else {
            stop = ScanTo(text, start, part == 0 ? stopAtPlus : stopAtDelimiter);
            parts.further.push_back(Span{start, stop});
        }
        // Pass over the character that ended the part; another part follows only after a '+'.
        plus = stop + 1;
    }
    return true;
}

} // namespace content_grammar
