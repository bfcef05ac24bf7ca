// Content object: copying, the content string's builder and parser, and the classification of a part.
#include "library/KvoraObject.h"
#include "framework/Files.h"
#include "library/ContentGrammar.h"
#include "library/ImageBaseManager.h"
#include "library/MediaFiles.h"
#include <algorithm>


CKvoraObject::CKvoraObject() = default;

CKvoraObject::CKvoraObject(int id, int spare, const char* picturePath)
    : id_(id), picturePath_(picturePath ? picturePath : ""), spare_(spare)
{
}

// A copy keeps the source's delimiter and spare int as well; the picture is loaded again by its owner.
CKvoraObject::CKvoraObject(const CKvoraObject& other) : delimiter_(other.delimiter_), spare_(other.spare_)
{
    CopyFields(other);
}

CKvoraObject::CKvoraObject(const CKvoraObject& other, int id) : delimiter_(other.delimiter_), spare_(other.spare_)
{
    CopyFields(other);
    id_ = id;
    pictureSize_ = RECT{0, 0, 0, 0};
    secondRect_ = RECT{0, 0, 0, 0};
}

CKvoraObject& CKvoraObject::operator=(const CKvoraObject& other)
{
    if (this != &other)
        CopyFields(other);
    return *this;
}

CKvoraObject::~CKvoraObject()
{
    FreePicture();
}

void CKvoraObject::CopyFields(const CKvoraObject& other)
{
    id_ = other.id_;
    picturePath_ = other.picturePath_;
    videoPath_ = other.videoPath_;
    speech_ = other.speech_;
    label_ = other.label_;
    soundPath_ = other.soundPath_;
    code_ = other.code_;
    baseLabel_ = other.baseLabel_;
    baseSpeech_ = other.baseSpeech_;
    crossed_ = other.crossed_;
    libraryPicture_ = other.libraryPicture_;
    shown_ = other.shown_;
    options_ = other.options_;
    pictureSize_ = other.pictureSize_;
    secondRect_ = other.secondRect_;
    readContent_ = other.readContent_;
    readBuilt_ = other.readBuilt_;
}

void CKvoraObject::FreePicture()
{
    if (dib_) {
        ::GlobalFree(dib_);
        dib_ = nullptr;
    }
    palette_.Reset();
    metafile_.Clear();
}

void CKvoraObject::Clear()
{
    picturePath_.clear();
    videoPath_.clear();
    speech_.clear();
    label_.clear();
    soundPath_.clear();
    code_.clear();
    baseLabel_.clear();
    baseSpeech_.clear();
    crossed_ = 0;
    libraryPicture_ = 0;
    options_ = ImageBaseOptions();
    readContent_.clear();
    readBuilt_.clear();
    FreePicture();
}

void CKvoraObject::KeepReadContent(const std::string& content)
{
    readContent_ = content;
    readBuilt_ = BuildContent();
}

std::string CKvoraObject::BuildContent() const
{
    std::string text;
    BuildContent(text);
    return text;
}

namespace {

// The parts of an object's content string as the builder writes them, in their order.
struct WrittenParts {
    bool crossed = false;
    std::string first;                // the code, else the picture, else the video
    std::vector<std::string> labels;  // in single quotes: none or one
    std::string sound;
    std::vector<std::string> speeches; // in double quotes, when no sound is written: none or one

    // The plain parts in their order: the first part and the sound, the empty ones left out.
    std::vector<std::string> Plain() const
    {
        std::vector<std::string> plain;
        for (const std::string* part : {&first, &sound})
            if (!part->empty())
                plain.push_back(*part);
        return plain;
    }
};

WrittenParts PartsToWrite(const CKvoraObject& object)
{
    WrittenParts parts;
    parts.crossed = object.crossed_ != 0;
    parts.first = !object.code_.empty()          ? object.code_
                  : !object.picturePath_.empty() ? object.picturePath_
                                                 : object.videoPath_;
    // After a picture code only a label that differs from the picture's word is written (an emptied one
    // as ''). Without a code every label is written: a label that came first in the string would
    // otherwise be lost when the string is read again.
    const bool coded = !object.code_.empty();
    if (coded ? object.label_ != object.baseLabel_ : !object.label_.empty())
        parts.labels.push_back(object.label_);
    parts.sound = object.soundPath_;
    if (parts.sound.empty() && (coded ? object.speech_ != object.baseSpeech_ : !object.speech_.empty()))
        parts.speeches.push_back(object.speech_);
    return parts;
}

// The parts of a content string as the grammar reads them, in the builder's terms.
WrittenParts PartsRead(const std::string& text, char delimiter)
{
    WrittenParts read;
    content_grammar::Parts parts;
    if (!content_grammar::Scan(text, delimiter, parts))
        return read;
    read.crossed = parts.crossed;
    if (parts.hasBaseLabel)
        read.labels.push_back(parts.baseLabel.Of(text));
    if (parts.hasBaseSpeech)
        read.speeches.push_back(parts.baseSpeech.Of(text));
    read.first = parts.first.Of(text);
    for (const content_grammar::Span& label : parts.labels)
        read.labels.push_back(label.Of(text));
    for (const content_grammar::Span& speech : parts.speeches)
        read.speeches.push_back(speech.Of(text));
    for (const content_grammar::Span& further : parts.further)
        read.sound += further.Of(text);
    return read;
}

} // namespace

void CKvoraObject::BuildContent(std::string& text) const
{
    text.clear();
    if (code_.empty() && picturePath_.empty() && label_.empty() && speech_.empty() && soundPath_.empty() &&
        videoPath_.empty())
        return;

    const WrittenParts parts = PartsToWrite(*this);
    std::vector<std::string> pieces;
    if (!parts.first.empty())
        pieces.push_back(parts.first);
    for (const std::string& label : parts.labels)
        pieces.push_back('\'' + label + '\'');
    if (!parts.sound.empty())
        pieces.push_back(parts.sound);
    for (const std::string& speech : parts.speeches)
        pieces.push_back('"' + speech + '"');

    text += delimiter_;
    if (parts.crossed)
        text += '!';
    for (size_t i = 0; i < pieces.size(); ++i)
        text += (i > 0 ? "+" : "") + pieces[i];
    text += delimiter_;
}

int CKvoraObject::ParseContent(const std::string& text, const std::string& imageBaseFile,
                               const std::vector<std::string>* videoExtensions)
{
    Clear();
    content_grammar::Parts parts;
    if (!content_grammar::Scan(text, delimiter_, parts))
        return 0;
    crossed_ = parts.crossed ? 1 : 0;
    if (parts.hasBaseLabel)
        baseLabel_ = parts.baseLabel.Of(text);
    if (parts.hasBaseSpeech)
        baseSpeech_ = parts.baseSpeech.Of(text);
    for (const content_grammar::Span& label : parts.labels)
        label_ += label.Of(text);
    for (const content_grammar::Span& speech : parts.speeches)
        speech_ += speech.Of(text);
    // Plain parts after the first are read as one.
    std::string further;
    for (const content_grammar::Span& part : parts.further)
        further += part.Of(text);

    int speechByDefault = parts.speeches.empty() ? 1 : 0;
    MediaKind(parts.first.Of(text), imageBaseFile, speechByDefault, videoExtensions);
    MediaKind(further, imageBaseFile, speechByDefault, videoExtensions);
    if (parts.labels.empty())
        label_ = baseLabel_;
    if (speechByDefault)
        speech_ = baseSpeech_;
    return 1;
}

int CKvoraObject::MediaKind(const std::string& part, const std::string& imageBaseFile, int& speechByDefault,
                            const std::vector<std::string>* videoExtensions)
{
    if (part.empty())
        return 0;
    if (part.find('.') == std::string::npos || part.size() < 2)
        return ClassifyCode(part, imageBaseFile);

    switch (media::KindOf(part, videoExtensions)) {
    case media::Kind::Picture:
        // A code is stored only with the picture it resolved to: a later picture replaces both, and
        // the code's base no longer speaks for the picture. The label and speech it implied stay.
        picturePath_ = part;
        if (!code_.empty()) {
            code_.clear();
            options_ = ImageBaseOptions();
            libraryPicture_ = 0;
        }
        return 1;
    case media::Kind::Sound:
        soundPath_ = part;
        speech_.clear();
        speechByDefault = 0;
        return 1;
    case media::Kind::Video:
        videoPath_ = part;
        return 1;
    case media::Kind::Unknown:
        break;
    }
    return -1;
}

// A picture code is resolved in a fresh image-base store on every call. As soon as the key letter names
// a base the object takes that base's options and library flag, even when the code is then not found.
// Codes of ten characters or more are taken only when they really resolve: a base may hold such codes
// and we write them, so they must read back; anything else that long is not a code.
int CKvoraObject::ClassifyCode(const std::string& part, const std::string& imageBaseFile)
{
    ImageBaseManager manager;
    std::string path;
    std::string word;
    if (part.size() < 10) {
        if (!manager.ResolveCode(part, path, word, options_, nullptr, imageBaseFile, &libraryPicture_, 0) ||
            path.empty())
            return -1;
    } else {
        ImageBaseOptions options;
        int library = 0;
        if (!manager.ResolveCode(part, path, word, options, nullptr, imageBaseFile, &library, 0) || path.empty())
            return -1;
        options_ = options;
        libraryPicture_ = library;
    }
    code_ = part;
    picturePath_ = path;
    baseLabel_ = word;
    baseSpeech_ = word;
    return 1;
}

int CKvoraObject::SetFromParts(const std::string& first, const std::string& label, const std::string& speech,
                               const std::string& sound, const std::string& video, const std::string& imageBaseFile,
                               const std::vector<std::string>* videoExtensions)
{
    Clear();
    int speechByDefault = 1;
    MediaKind(first, imageBaseFile, speechByDefault, nullptr);
    label_ = label;
    speech_ = speech;
    if (!sound.empty())
        MediaKind(sound, imageBaseFile, speechByDefault, nullptr);
    if (!video.empty())
        return MediaKind(video, imageBaseFile, speechByDefault, videoExtensions);
    return 1;
}

void CKvoraObject::SetFromImage(const Image& image, const ImageBaseOptions& options)
{
    Clear();
    picturePath_ = image.GetFileName();
    code_ = image.GetCode();
    libraryPicture_ = image.GetFlag();
    label_ = baseLabel_ = speech_ = baseSpeech_ = image.GetText();
    options_ = options;
}

CKvoraObject::Unstorable CKvoraObject::FindUnstorablePart() const
{
    const std::string plusAndDelimiter = std::string("+") + delimiter_;
    auto startsWithQuote = [](const std::string& text) { return !text.empty() && (text[0] == '\'' || text[0] == '"'); };
    auto badPath = [&](const std::string& path) {
        return path.find_first_of(plusAndDelimiter) != std::string::npos || startsWithQuote(path);
    };
    // The first part also must not begin with '!', which would read as the crossed mark.
    auto badFirst = [&](const std::string& part) { return badPath(part) || (!part.empty() && part[0] == '!'); };

    if (!code_.empty() && badFirst(code_))
        return Unstorable::Code;
    if (code_.empty() && badFirst(picturePath_))
        return Unstorable::PicturePath;
    if (code_.empty() && picturePath_.empty() && badFirst(videoPath_))
        return Unstorable::VideoPath;
    // The string holds a video only in first place, where a picture stands before it.
    if (!videoPath_.empty() && (!code_.empty() || !picturePath_.empty()))
        return Unstorable::VideoPath;
    if (label_.find_first_of(std::string("'") + delimiter_) != std::string::npos)
        return Unstorable::Label;
    if (speech_.find_first_of(std::string("\"") + delimiter_) != std::string::npos)
        return Unstorable::Speech;
    if (badPath(soundPath_))
        return Unstorable::SoundPath;
    return FindPartReadOtherwise();
}

// Whatever else the grammar would read otherwise than the builder wrote it: a quote in a sound path
// after a first-place label ends that part there, a sound in first place that begins with '!' reads
// as the crossed mark.
CKvoraObject::Unstorable CKvoraObject::FindPartReadOtherwise() const
{
    const std::string text = BuildContent();
    if (text.empty())
        return Unstorable::None;
    const WrittenParts written = PartsToWrite(*this);
    const WrittenParts read = PartsRead(text, delimiter_);
    if (read.labels != written.labels)
        return Unstorable::Label;
    if (read.speeches != written.speeches)
        return Unstorable::Speech;
    if (read.Plain() == written.Plain() && read.crossed == written.crossed)
        return Unstorable::None;
    const std::vector<std::string> plain = read.Plain();
    if (!soundPath_.empty() && std::find(plain.begin(), plain.end(), soundPath_) == plain.end())
        return Unstorable::SoundPath;
    return !code_.empty() ? Unstorable::Code : !picturePath_.empty() ? Unstorable::PicturePath : Unstorable::VideoPath;
}

bool CKvoraObject::HasPictureExtension(const std::string& path)
{
    return media::IsPictureExtension(fw::FileExtension(path));
}

int CKvoraObject::IsPictureFile(const std::string& part)
{
    if (!HasPictureExtension(part))
        return 0;
    picturePath_ = part;
    return 1;
}

int CKvoraObject::HasPicture() const
{
    return dib_ != nullptr || metafile_.IsLoaded() ? 1 : 0;
}

void CKvoraObject::GetTitle(std::string& text) const
{
    if (!videoPath_.empty())
        text = videoPath_;
    else if (!picturePath_.empty())
        text = picturePath_;
    else if (!soundPath_.empty())
        text = soundPath_;
    text = ImageBaseManager::GetFileTitleFromPath(text);
}

std::string CKvoraObject::GetTitle() const
{
    std::string title;
    GetTitle(title);
    return title;
}

int CKvoraObject::FileExists(const std::string& path)
{
    return ImageBaseManager::OpensForReading(path) ? 1 : 0;
}

int CKvoraObject::IsSameContent(const CKvoraObject& other) const
{
    return picturePath_ == other.picturePath_ && videoPath_ == other.videoPath_ && label_ == other.label_ &&
                   speech_ == other.speech_ && soundPath_ == other.soundPath_
               ? 1
               : 0;
}

std::string CKvoraObject::ExtensionOf(const std::string& path)
{
    return fw::FileExtension(path);
}
