// What the command dialog's fields accept and make, and the file names it proposes and makes.
#include "editor/KvoraCommandFields.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/MediaFiles.h"
#include "library/resource.h"
#include <algorithm>

namespace kvora_command {

namespace {

Refusal Refused(UINT textId)
{
    return Refusal{textId, fw::LoadResString(textId)};
}

Refusal Refused(UINT textId, const std::string& text)
{
    return Refusal{textId, text};
}

} // namespace

bool IsVideoExtension(const std::string& path, const std::vector<std::string>& videoExtensions)
{
    return media::IsVideoExtension(fw::FileExtension(path), &videoExtensions);
}

bool IsAcceptedMedia(const std::string& text, const std::string& imageBaseFile,
                     const std::vector<std::string>& videoExtensions)
{
    std::string taken = text;
    return TakeMedia(taken, imageBaseFile, videoExtensions);
}

// A file is taken by its whole path: a name relative to the current folder would be stored relative
// and lead elsewhere once the current folder changes. Any other text is a picture code when it
// resolves, whatever its length, as the content string takes it.
bool TakeMedia(std::string& text, const std::string& imageBaseFile, const std::vector<std::string>& videoExtensions)
{
    if (text.empty())
        return true;
    std::string located = text;
    if (ImageBaseManager::LocateFile(located) == 1) {
        if (media::KindOf(located, &videoExtensions) == media::Kind::Unknown)
            return false;
        text = located;
        return true;
    }
    return ResolvePicture(text, imageBaseFile).found;
}

std::string ShortLowerPath(const std::string& path)
{
    // A path the system has no short form for (a missing file) stays as it was typed.
    bool found = false;
    std::string shortPath = ImageBaseManager::GetShortPath(path, &found);
    return found ? cp1252::Lower(shortPath) : path;
}

std::string VideoFilter(const std::vector<std::string>& videoExtensions)
{
    std::string names, patterns, pairs;
    for (const std::string& extension : videoExtensions) {
        if (extension.empty())
            continue;
        std::string pattern = "*." + cp1252::Lower(extension);
        names += (names.empty() ? "" : ",") + extension;
        patterns += (patterns.empty() ? "" : ";") + pattern;
        pairs += extension + "|" + pattern + "|";
    }
    return names.empty() ? std::string() : names + "|" + patterns + "|" + pairs;
}


Refusal CollectContent(const Fields& fields, const std::string& imageBaseFile,
                       const std::vector<std::string>& videoExtensions, CKvoraObject& content)
{
    Fields taken = fields;
    const struct {
        std::string& text;
        UINT refusal;
    } mediaFields[] = {{taken.picture, IDS_KVORA_BAD_PICTURE}, {taken.sound, IDS_KVORA_BAD_SOUND},
                       {taken.video, IDS_KVORA_BAD_VIDEO}};
    for (const auto& field : mediaFields) {
        if (!TakeMedia(field.text, imageBaseFile, videoExtensions))
            return Refused(field.refusal);
    }

    // Every field takes any kind of medium, but the string holds one of each: a second one is
    // refused in the field that brings it, before it replaces the first.
    std::vector<media::Kind> kinds;
    for (const auto& field : mediaFields) {
        if (field.text.empty())
            continue;
        const bool code = field.text.find('.') == std::string::npos || field.text.size() < 2;
        const media::Kind kind = code ? media::Kind::Picture : media::KindOf(field.text, &videoExtensions);
        if (std::find(kinds.begin(), kinds.end(), kind) != kinds.end())
            return Refused(field.refusal);
        kinds.push_back(kind);
    }

    // The picture and sound parts are classified without the configured video list: a configured video
    // in either field would be dropped there, so it goes where videos are read.
    std::string picture = taken.picture;
    std::string sound = taken.sound;
    std::string video = taken.video;
    for (std::string* text : {&picture, &sound}) {
        if (video.empty() && IsVideoExtension(*text, videoExtensions)) {
            video = *text;
            text->clear();
        }
    }
    content.Clear();
    content.SetFromParts(picture, fields.label, fields.speech, sound, video, imageBaseFile, &videoExtensions);

    // A part that the content string would leave out (a second picture, sound or video) is refused
    // rather than lost without a word.
    auto carried = [&content](const std::string& text) {
        if (text.empty() || text == content.code_ || text == content.soundPath_)
            return true;
        if (content.code_.empty() && text == content.picturePath_)
            return true;
        return content.code_.empty() && content.picturePath_.empty() && text == content.videoPath_;
    };
    for (const auto& field : mediaFields) {
        if (!carried(field.text))
            return Refused(field.refusal);
    }

    // Quotes, '+' and the delimiter inside a part would end it early when the string is read back.
    const char delimiter = content.delimiter_;
    auto badPath = [delimiter](const std::string& path) {
        return Refused(IDS_KVORA_BAD_PATH, fw::FormatResString(IDS_KVORA_BAD_PATH, path.c_str(), delimiter));
    };
    switch (content.FindUnstorablePart()) {
    case CKvoraObject::Unstorable::None:
        return Refusal();
    case CKvoraObject::Unstorable::Label:
        return Refused(IDS_KVORA_BAD_LABEL, fw::FormatResString(IDS_KVORA_BAD_LABEL, delimiter));
    case CKvoraObject::Unstorable::Speech:
        return Refused(IDS_KVORA_BAD_SPEECH, fw::FormatResString(IDS_KVORA_BAD_SPEECH, delimiter));
    case CKvoraObject::Unstorable::Code:
        return badPath(content.code_);
    case CKvoraObject::Unstorable::PicturePath:
        return badPath(content.picturePath_);
    case CKvoraObject::Unstorable::VideoPath:
        return badPath(content.videoPath_);
    case CKvoraObject::Unstorable::SoundPath:
        return badPath(content.soundPath_);
    }
    return Refusal();
}

CodePicture ResolvePicture(const std::string& code, const std::string& imageBaseFile)
{
    CodePicture picture;
    ImageBaseManager manager;
    picture.found = manager.ResolveCode(code, picture.path, picture.word, picture.options, &picture.sound,
                                        imageBaseFile, nullptr, 0) == 1;
    return picture;
}

std::vector<ImageBaseItem> ChooserItems(const std::string& picture, const std::string& imageBaseFile)
{
    std::vector<ImageBaseItem> items;
    if (picture.empty())
        return items;
    std::string path = picture;
    if (ImageBaseManager::LocateFile(path) == 1) {
        items.emplace_back(path);
        return items;
    }
    CodePicture resolved = ResolvePicture(picture, imageBaseFile);
    if (resolved.found)
        items.emplace_back(resolved.path, resolved.word, std::string(), std::string(), picture);
    return items;
}

std::string SoundOfPicture(const std::string& picture, const std::string& imageBaseFile)
{
    std::string code;
    std::string located = picture;
    if (ImageBaseManager::LocateFile(located) == 1) {
        ImageBaseManager manager;
        manager.CodeFromPath(located, code, imageBaseFile, 0);
    } else {
        code = picture;
    }
    return code.empty() ? std::string() : ResolvePicture(code, imageBaseFile).sound;
}

std::string RecordingProposal(const std::string& picture, const std::string& autoSoundFolder,
                              const std::string& imageBaseFile, const std::vector<std::string>& videoExtensions)
{
    if (picture.empty())
        return media::FirstFreeNumberedWave(autoSoundFolder);
    CKvoraObject probe;
    int speechByDefault = 1;
    probe.MediaKind(picture, imageBaseFile, speechByDefault, &videoExtensions);
    if (probe.picturePath_.empty())
        return std::string();
    return autoSoundFolder + "\\" + ImageBaseManager::GetFileTitle(probe.picturePath_) + ".wav";
}

} // namespace kvora_command
