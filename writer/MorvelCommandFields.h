// What Morvel's command dialog accepts in its fields and makes of them: the picture and sound checks,
// the content string with its length limit, and the names a recording is proposed and saved under.
#pragma once
#include <windows.h>
#include <string>

namespace morvel_command {

const size_t kLongestContent = 1000;

// The texts of the fields whose boxes are checked; empty for the others.
struct Fields {
    std::string picture;
    std::string label;
    std::string speech;
    std::string sound;
};

// Why OK refused the fields: a string-table id (0 when taken) and the message to show.
struct Refusal {
    UINT textId = 0;
    std::string text;
    explicit operator bool() const { return textId != 0; }
};

// A picture or sound field as OK takes it: empty; an existing file with a picture or sound extension
// (either kind in either field); or a text shorter than 10 characters, no file, that resolves as a
// picture code to a picture.
bool IsAcceptedPart(const std::string& text, const std::string& imageBaseIni);

// The picture's code for a field's text: the text itself when it is a short non-file text, the code
// of the file in the image bases when it names one; empty otherwise.
std::string CodeOfPicture(const std::string& picture, const std::string& imageBaseIni);

// The content string of the fields (no video, no negation). Refuses a bad picture or sound, a part the
// string cannot hold (a quote or '@' in a text, a '+' in a path) and a string over 1000 characters.
Refusal BuildContent(const Fields& fields, const std::string& imageBaseIni, std::string& content);

// Morvel's sound choosers' filter: every sound kind the players take (a recording is WAV), and the
// tracks of an audio CD where the chooser asks for them (the command dialog).
std::string SoundFilter(bool withCdTracks);

// The name proposed for a recording: a numbered file in the save folder without a picture, the
// picture's name there with one; empty when the picture field names no picture.
std::string RecordingProposal(const std::string& picture, const std::string& saveFolder,
                              const std::string& imageBaseIni);

} // namespace morvel_command
