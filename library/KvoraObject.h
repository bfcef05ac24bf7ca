// The content of one symbol or Kvora command (picture or picture code, video, label, sound or speech,
// crossed mark) and its text form, the content string that travels between the keyboard, Skarpin's
// block commands and Morvel's documents.
#pragma once
#include "components/PictureControl.h"
#include "framework/Gdi.h"
#include "library/ImageBaseRecords.h"
#include "library/Wmf.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class CKvoraObject {
public:
    // A part of the object that the content string cannot carry as it stands (see FindUnstorablePart).
    enum class Unstorable { None, Code, PicturePath, VideoPath, Label, Speech, SoundPath };

    CKvoraObject();
    CKvoraObject(int id, int spare, const char* picturePath);
    // Copies the texts and flags, never the loaded picture.
    CKvoraObject(const CKvoraObject& other);
    // A copy that takes a new id, without the picture size and the second rectangle.
    CKvoraObject(const CKvoraObject& other, int id);
    static CKvoraObject CloneWithId(const CKvoraObject& other, int id) { return CKvoraObject(other, id); }
    // Copies the texts and flags; the delimiter, the spare int and the loaded picture stay as they were.
    CKvoraObject& operator=(const CKvoraObject& other);
    ~CKvoraObject();

    void Clear();

    // 1 when text is a content string framed by the delimiter, else 0 (and the object is cleared).
    // videoExtensions replaces the built-in video list when given.
    int ParseContent(const std::string& text, const std::string& imageBaseFile,
                     const std::vector<std::string>* videoExtensions = nullptr);
    void BuildContent(std::string& text) const;
    std::string BuildContent() const;
    // Keeps the string the object was just parsed from as readContent_, with what the fields build now.
    void KeepReadContent(const std::string& content);
    int SetFromParts(const std::string& first, const std::string& label, const std::string& speech,
                     const std::string& sound, const std::string& video, const std::string& imageBaseFile,
                     const std::vector<std::string>* videoExtensions = nullptr);
    void SetFromImage(const Image& image, const ImageBaseOptions& options);
    // Classifies one part and stores it: 1 stored, 0 empty part, -1 dropped.
    int MediaKind(const std::string& part, const std::string& imageBaseFile, int& speechByDefault,
                  const std::vector<std::string>* videoExtensions);

    // The first part that the string cannot hold (a quote or the delimiter inside a text, a '+' in a
    // path, a path that starts with a quote, a video beside a picture, which the builder leaves out,
    // or any part the string would read back otherwise than written), or None: then the string reads
    // back part for part. Dialogs refuse such input before storing it.
    Unstorable FindUnstorablePart() const;

    int IsPictureFile(const std::string& part);
    static bool HasPictureExtension(const std::string& path);
    void GetSoundExtension(std::string& text) const { text = ExtensionOf(soundPath_); }
    void GetVideoExtension(std::string& text) const { text = ExtensionOf(videoPath_); }
    void GetPictureExtension(std::string& text) const { text = ExtensionOf(picturePath_); }
    std::string GetSoundExtension() const { return ExtensionOf(soundPath_); }
    // 1 while a raster picture or a metafile is loaded.
    int HasPicture() const;
    int HasVideo() const { return videoPath_.empty() ? 0 : 1; }
    int HasMedia() const { return (!videoPath_.empty() || !picturePath_.empty() || !soundPath_.empty()) ? 1 : 0; }
    void GetTitle(std::string& text) const;
    std::string GetTitle() const;
    void SetCode(const std::string& code) { code_ = code; }
    void SetOptions(const ImageBaseOptions& options) { options_ = options; }
    static int FileExists(const std::string& path);
    int IsSameContent(const CKvoraObject& other) const;

    // Drops the loaded picture, then loads the picture file: a metafile directly, any other picture
    // through the control, shrunk to fit `maximum` on the background colour. A null control only
    // drops the picture. testLibrary works out whether the file lies in the metafile picture library.
    // A missing file leaves no picture quietly; one the control cannot decode says so to the user.
    void LoadPicture(const std::shared_ptr<PictureControl>& control, COLORREF background, int testLibrary,
                     SIZE maximum);
    // Draws the object into the box (logical units): the label across the top, the picture fitted
    // below it, a library picture's caption band and the cross of crossed content.
    void Draw(HDC dc, const RECT& box, int centreVertically, int showLabel, int fillWhite) const;

    // Fields, read and set by the programs' windows.
    int id_ = 0;
    char delimiter_ = '@';
    std::string picturePath_;
    std::string videoPath_;
    std::string speech_;
    std::string label_;
    std::string soundPath_;
    std::string code_;
    std::string baseLabel_;
    std::string baseSpeech_;
    RECT pictureSize_{0, 0, 0, 0};
    int shown_ = 1;
    int crossed_ = 0;
    ImageBaseOptions options_;
    int libraryPicture_ = 0;
    RECT secondRect_{0, 0, 0, 0};
    // The content string the object was read from, when a caller keeps it (Morvel's documents): a
    // part this PC cannot resolve, such as the code of an image base that is away, is not in the
    // fields and would be lost if the string were only built again from them. Empty otherwise.
    std::string readContent_;
    // What BuildContent gave when readContent_ was read: while it still gives that (the negation
    // aside), nobody has changed the object, whatever its parts resolve to now.
    std::string readBuilt_;

    const std::string& GetPicturePath() const { return picturePath_; }
    int GetSpare() const { return spare_; }
    HGLOBAL GetDib() const { return dib_; }
    HPALETTE GetPalette() const { return palette_.Get(); }
    const WMF& GetMetafile() const { return metafile_; }

private:
    static std::string ExtensionOf(const std::string& path);
    Unstorable FindPartReadOtherwise() const;
    void CopyFields(const CKvoraObject& other);
    void FreePicture();
    int ClassifyCode(const std::string& part, const std::string& imageBaseFile);
    void DrawLabel(HDC dc, RECT label, int height, bool onLibraryBand) const;

    int spare_ = 1;

    // The loaded picture, owned here and never shared by copies: a packed DIB with the palette
    // built from its colour table, or a metafile.
    HGLOBAL dib_ = nullptr;
    fw::Palette palette_;
    WMF metafile_;
};
