// Morvel's command dialog's field rules.
#include "writer/MorvelCommandFields.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "library/MediaFiles.h"
#include "library/resource.h"

namespace morvel_command {

namespace {

// The picture and sound extensions the dialog knows; Morvel keeps no list of further ones.
const char* const kMediaExtensions[] = {"bmp", "gif", "png", "ico", "jpe", "jpeg", "jpg", "pcx", "tif", "wmf",
                                        "emf", "wav", "mid", "mp3", "m4a", "rmi", "cda", "wma"};

bool HasMediaExtension(const std::string& path)
{
    const std::string extension = ImageBaseManager::GetFileExtension(path);
    for (const char* known : kMediaExtensions) {
        if (cp1252::EqualsNoCase(extension, known))
            return true;
    }
    return false;
}

bool IsShortCode(const std::string& text)
{
    return text.size() < 10 && !fw::FileExists(text);
}

std::string PictureOfCode(const std::string& code, const std::string& imageBaseIni)
{
    ImageBaseManager bases;
    std::string picture, word;
    ImageBaseOptions options;
    if (!bases.ResolveCode(code, picture, word, options, nullptr, imageBaseIni, nullptr, 0))
        return std::string();
    return picture;
}

} // namespace

bool IsAcceptedPart(const std::string& text, const std::string& imageBaseIni)
{
    if (text.empty())
        return true;
    if (fw::FileExists(text))
        return HasMediaExtension(text);
    return IsShortCode(text) && !PictureOfCode(text, imageBaseIni).empty();
}

std::string CodeOfPicture(const std::string& picture, const std::string& imageBaseIni)
{
    if (picture.empty())
        return std::string();
    if (IsShortCode(picture))
        return picture;
    std::string code;
    if (fw::FileExists(picture)) {
        ImageBaseManager bases;
        bases.CodeFromPath(picture, code, imageBaseIni, 0);
    }
    return code;
}

Refusal BuildContent(const Fields& fields, const std::string& imageBaseIni, std::string& content)
{
    Refusal refusal;
    if (!IsAcceptedPart(fields.picture, imageBaseIni)) {
        refusal.textId = IDS_KVORA_BAD_PICTURE;
        refusal.text = fw::LoadResString(IDS_KVORA_BAD_PICTURE);
        return refusal;
    }
    if (!IsAcceptedPart(fields.sound, imageBaseIni)) {
        refusal.textId = IDS_KVORA_BAD_SOUND;
        refusal.text = fw::LoadResString(IDS_KVORA_BAD_SOUND);
        return refusal;
    }
    CKvoraObject object;
    object.SetFromParts(fields.picture, fields.label, fields.speech, fields.sound, "", imageBaseIni);
    // A quote or the delimiter inside a text, or a '+' in a path, would break the string apart when
    // it is read again: refused, so nothing is stored damaged.
    switch (object.FindUnstorablePart()) {
    case CKvoraObject::Unstorable::None:
        break;
    case CKvoraObject::Unstorable::Label:
        refusal.textId = IDS_KVORA_BAD_LABEL;
        refusal.text = fw::FormatResString(IDS_KVORA_BAD_LABEL, object.delimiter_);
        return refusal;
    case CKvoraObject::Unstorable::Speech:
        refusal.textId = IDS_KVORA_BAD_SPEECH;
        refusal.text = fw::FormatResString(IDS_KVORA_BAD_SPEECH, object.delimiter_);
        return refusal;
    default: {
        const std::string& path = fields.sound.find_first_of("+@") != std::string::npos ? fields.sound : fields.picture;
        refusal.textId = IDS_KVORA_BAD_PATH;
        refusal.text = fw::FormatResString(IDS_KVORA_BAD_PATH, path.c_str(), object.delimiter_);
        return refusal;
    }
    }
    std::string built = object.BuildContent();
    if (built.size() > kLongestContent) {
        refusal.textId = IDS_KVORA_TOO_LONG;
        refusal.text = fw::FormatResString(IDS_KVORA_TOO_LONG, static_cast<int>(kLongestContent));
        return refusal;
    }
    content = built;
    return refusal;
}

std::string SoundFilter(bool withCdTracks)
{
    if (withCdTracks)
        return "CDA,MID,MP3,M4A,RMI,WAV,WMA|*.cda;*.mid;*.mp3;*.m4a;*.rmi;*.wav;*.wma|CDA|*.CDA|MID|*.MID|MP3|*.MP3|"
               "M4A|*.M4A|RMI|*.RMI|WAV|*.WAV|WMA|*.WMA|";
    return "MID,MP3,M4A,RMI,WAV,WMA|*.mid;*.mp3;*.m4a;*.rmi;*.wav;*.wma|MID|*.MID|MP3|*.MP3|M4A|*.M4A|RMI|*.RMI|"
           "WAV|*.WAV|WMA|*.WMA|";
}

std::string RecordingProposal(const std::string& picture, const std::string& saveFolder,
                              const std::string& imageBaseIni)
{
    if (picture.empty())
        return media::FirstFreeNumberedWave(saveFolder);
    std::string picturePath = picture;
    if (!fw::FileExists(picture))
        picturePath = PictureOfCode(picture, imageBaseIni);
    if (picturePath.empty() || !CKvoraObject::HasPictureExtension(picturePath))
        return std::string();
    return saveFolder + "\\" + ImageBaseManager::GetFileTitle(picturePath) + ".wav";
}

} // namespace morvel_command
