// How a stored block command reads back, where the writers and the set compiler must agree: where the
// program of a program start ends, and which tag words are pauses.
#pragma once
#include "framework/Files.h"
#include "library/Cp1252.h"
#include <functional>
#include <string>
#include <vector>

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

// Whether the name before `at` (a blank, or the text's end) ends in the extension of a program that
// the run prompt starts, in any case: the system's own list of program extensions, with shortcuts
// (.lnk, .pif) and Java archives (.jar).
inline bool EndsInProgramExtension(const std::string& text, size_t at)
{
    static const char* const kExtensions[] = {"exe", "com", "bat", "cmd", "lnk", "pif", "jar", "vbs",
                                              "vbe", "js",  "jse", "wsf", "wsh", "msc"};
    const std::string name = text.substr(0, at);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find_first_of("\\/", dot) != std::string::npos)
        return false;
    const std::string extension = cp1252::Lower(name.substr(dot + 1));
    for (const char* program : kExtensions)
        if (extension == program)
            return true;
    return false;
}

// Where the program ends in "program[ file]" (the text between the start string and the end string).
// As the system reads an unquoted command line: at the first blank before which the text names an
// existing file (isFile), or the whole text when it names one. When no such file is there, by the
// text: at the first blank after a program's extension, so that a relative file goes with the program
// ("C:\Windows\notepad.exe Dokument\brev.txt"), unless the text after it goes on with folders to
// another program ("C:\Spel\Miniclip.com Spel\spel.exe"). Without a program's extension, at the
// first blank after a file name with a '.', unless the text after that blank goes on with folders, as
// in "C:\App 2.0 x\prog.dat file.txt" where the blank after "2.0" lies inside a folder name. The
// whole text when no blank ends it.
inline size_t ProgramEnd(const std::string& text,
                         const std::function<bool(const std::string&)>& isFile = fw::FileExists)
{
    std::vector<size_t> blanks;
    for (size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', blank + 1))
        blanks.push_back(blank);
    for (size_t blank : blanks)
        if (isFile(text.substr(0, blank)))
            return blank;
    if (!blanks.empty() && isFile(text))
        return text.size();

    std::vector<size_t> programEnds;
    for (size_t blank : blanks)
        if (EndsInProgramExtension(text, blank))
            programEnds.push_back(blank);
    const bool wholeIsProgram = EndsInProgramExtension(text, text.size());
    for (size_t n = 0; n < programEnds.size(); ++n) {
        const bool laterProgram = n + 1 < programEnds.size() || wholeIsProgram;
        if (!laterProgram || !ContinuesFolder(text.substr(programEnds[n] + 1)))
            return programEnds[n];
    }
    if (!programEnds.empty())
        return text.size();
    for (size_t blank : blanks) {
        size_t nameStart = text.find_last_of("\\/", blank);
        nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
        if (text.find('.', nameStart) >= blank)
            continue;
        if (!ContinuesFolder(text.substr(blank + 1)))
            return blank;
    }
    return text.size();
}

// The words of a tag (the text between '<' and '>') as the keyboard gets them: split at '+', at most
// three, text after the third left out; "Num" takes its '+' back, so that a tag that reads Num and a
// '+' keeps the key whose word ends in '+'; empty words drop out. leftOut, when given, tells whether
// any text was left out after the third word.
inline std::vector<std::string> TagWords(const std::string& tag, bool* leftOut = nullptr)
{
    std::vector<std::string> words;
    if (leftOut)
        *leftOut = false;
    size_t start = 0;
    for (int n = 0; n < 3; ++n) {
        const size_t plus = tag.find('+', start);
        std::string word = tag.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (word == "Num")
            word += '+';
        if (plus != std::string::npos && n == 2 && leftOut)
            *leftOut = !(word == "Num+" && plus + 1 == tag.size());
        if (!word.empty())
            words.push_back(word);
        if (plus == std::string::npos)
            break;
        start = plus + 1;
    }
    return words;
}

// Whether a tag word is a pause: the pause word directly followed by the seconds ("Paus0.5"). The
// pause word alone is a pause of nothing: the keyboard has no Pause key, so the word never names one.
// tenths receives the seconds in tenths, later decimals cut off.
inline bool IsPauseWord(const std::string& word, const std::string& pauseWord, int* tenths = nullptr)
{
    // Without a pause word no word is a pause (else every number would be one).
    if (pauseWord.empty() || word.compare(0, pauseWord.size(), pauseWord) != 0)
        return false;
    const std::string seconds = word.substr(pauseWord.size());
    if (seconds.empty()) {
        if (tenths)
            *tenths = 0;
        return true;
    }
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
