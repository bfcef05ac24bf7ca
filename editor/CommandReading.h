// How a stored block command reads back, where the writers and the set compiler must agree: where the
// program of a program start ends, and which tag words are pauses. Header only, so the compiler can
// follow the same rules without linking the editor.
#pragma once
#include <string>

namespace command {

// Whether the text after a blank goes on with the folders of a path ("x\prog.exe" after "C:\App 2.0"):
// a '\' comes before any ':' and the text does not begin a path of its own ("\", "\\server").
inline bool ContinuesFolder(const std::string& rest)
{
    size_t slash = rest.find('\\');
    if (slash == std::string::npos || slash == 0)
        return false;
    return rest.find(':') > slash;
}

// Where the program ends in "program[ file]" (the text between the start string and the end string):
// at the first blank after a file name with a '.' (the program's extension), unless the text after
// that blank goes on with folders, as in "C:\App 2.0 x\prog.exe file.txt" where the blank after "2.0"
// lies inside a folder name. The whole text when no blank ends it.
inline size_t ProgramEnd(const std::string& text)
{
    for (size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', blank + 1)) {
        size_t nameStart = text.find_last_of("\\/", blank);
        nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
        if (text.find('.', nameStart) >= blank)
            continue;
        if (!ContinuesFolder(text.substr(blank + 1)))
            return blank;
    }
    return text.size();
}

// Whether a tag word is a pause: the pause word directly followed by the seconds ("Paus0.5"). The
// pause word alone names the Pause key, as the editor writes it for that key and for Ctrl with Break
// ("<Ctrl+Paus>"). tenths receives the seconds in tenths, later decimals cut off.
inline bool IsPauseWord(const std::string& word, const std::string& pauseWord, int* tenths = nullptr)
{
    // Without a pause word no word is a pause (else every number would be one).
    if (pauseWord.empty() || word.compare(0, pauseWord.size(), pauseWord) != 0)
        return false;
    const std::string seconds = word.substr(pauseWord.size());
    size_t point = seconds.find('.');
    const std::string whole = seconds.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : seconds.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return false;
    int value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9' || value > 100000)
            return false;
        value = value * 10 + (c - '0');
    }
    for (char c : fraction)
        if (c < '0' || c > '9')
            return false;
    if (tenths)
        *tenths = value * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    return true;
}

} // namespace command
