// What the command dialog's fields accept and make of a content object, the pictures and sounds their
// texts lead to, and the file names the dialog proposes and makes.
#pragma once
#include "library/ImageBaseRecords.h"
#include "library/KvoraObject.h"
#include <windows.h>
#include <string>
#include <vector>

namespace kvora_command {

// The texts of the fields whose boxes are checked; empty for the others.
struct Fields {
    std::string picture;
    std::string label;
    std::string speech;
    std::string sound;
    std::string video;
};
inline bool operator==(const Fields& a, const Fields& b)
{
    return a.picture == b.picture && a.label == b.label && a.speech == b.speech && a.sound == b.sound &&
           a.video == b.video;
}

// Why the fields were refused: a string-table id (0 when they were taken) and the message to show.
struct Refusal {
    UINT textId = 0;
    std::string text;
    explicit operator bool() const { return textId != 0; }
};

// Reads the fields into the content object, whose delimiter is kept. Refuses a picture, sound or video
// text that names no medium, a part that the content string would leave out, and a part that it
// cannot hold (quotes, '+' or the delimiter in the wrong place), so nothing is stored damaged or lost.
Refusal CollectContent(const Fields& fields, const std::string& imageBaseFile,
                       const std::vector<std::string>& videoExtensions, CKvoraObject& content);

// The picture a code names in the image bases.
struct CodePicture {
    bool found = false;
    std::string path;
    std::string word;
    std::string sound;          // empty when the picture has no sound file
    ImageBaseOptions options;   // its base's, also when the code is not found there
};
CodePicture ResolvePicture(const std::string& code, const std::string& imageBaseFile);

// What the image-base chooser opens on for the picture field's text: the file it names, or the picture
// its code resolves to; nothing for any other text.
std::vector<ImageBaseItem> ChooserItems(const std::string& picture, const std::string& imageBaseFile);

// The sound file of the image-base picture that the picture field names by its file or its code; empty
// when there is none.
std::string SoundOfPicture(const std::string& picture, const std::string& imageBaseFile);

// Where a recording is proposed to be saved: a numbered file of its own when there is no picture, the
// picture's name in the automatic sound folder when the field names a picture, else nothing.
std::string RecordingProposal(const std::string& picture, const std::string& autoSoundFolder,
                              const std::string& imageBaseFile, const std::vector<std::string>& videoExtensions);

// Whether the extension (any case) is one of the configured video extensions.
bool IsVideoExtension(const std::string& path, const std::vector<std::string>& videoExtensions);

// A picture, sound or video field's text as OK takes it: an empty text; a file that exists with a
// picture, sound or configured video extension; or a picture code that resolves in the image bases.
// Each field accepts any of the media kinds.
bool IsAcceptedMedia(const std::string& text, const std::string& imageBaseFile,
                     const std::vector<std::string>& videoExtensions);
// As IsAcceptedMedia, and a file name is made whole (completed with the current folder).
bool TakeMedia(std::string& text, const std::string& imageBaseFile, const std::vector<std::string>& videoExtensions);

// The short (8.3) form of an existing file's path, lower-cased; the path as it stands when the
// system has no short form for it.
std::string ShortLowerPath(const std::string& path);

// The open dialog's filter for the configured video extensions, as "description|pattern|" pairs: all
// of them first, then one pair each.
std::string VideoFilter(const std::vector<std::string>& videoExtensions);

} // namespace kvora_command
