// The value records of the image bases: a base, its categories, its pictures, the numbers carried by
// its entry in the image-base settings file, and a picture chosen from a base.
#pragma once
#include <string>
#include <vector>

// The numbers an [ImageBases] entry may carry after the base's name. The library stores, copies and
// writes them back and gives them no meaning of its own; the present flag is the first value the
// programs read (set: a picture's word becomes its caption).
class ImageBaseOptions {
public:
    ImageBaseOptions() = default;
    ImageBaseOptions(int present, int first, int second, int third);

    int GetPresent() const { return present_; }
    int GetFirst() const { return first_; }
    int GetSecond() const { return second_; }
    int GetThird() const { return third_; }
    void SetPresent(int present) { present_ = present; }
    void SetFirst(int value) { first_ = value; }
    void SetSecond(int value) { second_ = value; }
    void SetThird(int value) { third_ = value; }

private:
    int present_ = 1;
    int first_ = 0;
    int second_ = 2;
    int third_ = 0;
};

// One picture of a base. In the results of the word search the file name holds the picture's full
// path and the code the full code (key letter and code).
class Image {
public:
    Image() = default;
    explicit Image(const std::string& fileName, const std::string& code = std::string(),
                   const std::string& text = std::string(), int category = -1);

    // The file name, or the code when the picture's file is named by its code.
    std::string GetFileName() const { return fileName_.empty() ? code_ : fileName_; }
    const std::string& GetText() const { return text_; }
    const std::string& GetCode() const { return code_; }
    int GetCategory() const { return category_; }
    // 1 for a picture of the metafile base (index file vireda.ini), as the word search marks it.
    int GetFlag() const { return flag_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    void SetText(const std::string& text) { text_ = text; }
    void SetCode(const std::string& code) { code_ = code; }
    void SetCategory(int category) { category_ = category; }
    void SetFlag(int flag) { flag_ = flag; }

    // Pictures are the same picture when their codes are equal (exact).
    bool operator==(const Image& other) const { return code_ == other.code_; }
    bool operator!=(const Image& other) const { return !(*this == other); }

private:
    std::string fileName_;
    std::string text_;
    std::string code_;
    int category_ = -1;
    int flag_ = 0;
};

// A named group of pictures of one base: its section in the index file, and the code prefix that
// its pictures' codes begin with. The pictures are filled only for editing a base.
class ImageCategory {
public:
    ImageCategory() = default;
    ImageCategory(const std::string& codes, const std::string& name);
    explicit ImageCategory(const std::string& name);

    const std::string& GetName() const { return name_; }
    const std::string& GetCodes() const { return codes_; }
    void SetName(const std::string& name) { name_ = name; }
    void SetCodes(const std::string& codes) { codes_ = codes; }
    const std::vector<Image>& GetPictures() const { return pictures_; }
    // Refills the pictures with plain copies (file name, code and text; no category, no flag).
    void SetPictures(const std::vector<Image>& pictures);

    bool operator==(const ImageCategory& other) const { return codes_ == other.codes_; }
    bool operator!=(const ImageCategory& other) const { return !(*this == other); }

private:
    std::string name_;
    std::string codes_;
    std::vector<Image> pictures_;
};

// One image base: its entry in the image-base settings file and the [ProgDir] of its index file.
class ImageDirectory {
public:
    ImageDirectory() = default;
    // Without options present (or without options given) the record keeps the default options but
    // with their present flag cleared.
    ImageDirectory(const std::string& key, const std::string& iniPath, const std::string& name,
                   int hasOptions, const ImageBaseOptions* options = nullptr);

    const std::string& GetKey() const { return key_; }
    const std::string& GetName() const { return name_; }
    const std::string& GetIniPath() const { return iniPath_; }
    const std::string& GetDir() const { return dir_; }
    const std::string& GetSoundDir() const { return soundDir_; }
    const std::string& GetLongImageDir() const { return longImageDir_; }
    const std::string& GetLongSoundDir() const { return longSoundDir_; }
    const std::string& GetExtension() const { return extension_; }
    int HasOptions() const { return hasOptions_; }
    const ImageBaseOptions& GetOptions() const { return options_; }

    void SetKey(const std::string& key) { key_ = key; }
    void SetName(const std::string& name) { name_ = name; }
    void SetIniPath(const std::string& iniPath) { iniPath_ = iniPath; }
    void SetDir(const std::string& dir) { dir_ = dir; }
    void SetSoundDir(const std::string& soundDir) { soundDir_ = soundDir; }
    void SetLongImageDir(const std::string& dir) { longImageDir_ = dir; }
    void SetLongSoundDir(const std::string& dir) { longSoundDir_ = dir; }
    void SetExtension(const std::string& extension) { extension_ = extension; }
    void SetHasOptions(int hasOptions) { hasOptions_ = hasOptions; }
    void SetOptions(const ImageBaseOptions& options) { options_ = options; }

    // The same base: equal index files or equal names.
    bool Matches(const ImageDirectory& other) const;
    // Empties every string; the options count as present again.
    void Clear();

private:
    // Three numbers every record carries with these values; nothing in the programs reads them.
    int reserved_[3] = {250, 200, 8};
    std::string name_;
    std::string iniPath_;
    std::string dir_;
    std::string soundDir_;
    std::string longImageDir_;
    std::string longSoundDir_;
    std::string key_;
    std::string extension_;
    int hasOptions_ = 1;
    ImageBaseOptions options_;
};

// A picture chosen in the image-base chooser.
class ImageBaseItem {
public:
    ImageBaseItem() = default;
    explicit ImageBaseItem(const std::string& picturePath, const std::string& text = std::string(),
                           const std::string& soundPath = std::string(),
                           const std::string& fileName = std::string(),
                           const std::string& fullCode = std::string(), int metafileBase = 0);

    const std::string& GetPicturePath() const { return picturePath_; }
    const std::string& GetSoundPath() const { return soundPath_; }
    const std::string& GetText() const { return text_; }
    const std::string& GetFileName() const { return fileName_; }
    const std::string& GetFullCode() const { return fullCode_; }
    int GetMetafileBase() const { return metafileBase_; }
    void SetPicturePath(const std::string& path) { picturePath_ = path; }
    void SetSoundPath(const std::string& path) { soundPath_ = path; }
    void SetText(const std::string& text) { text_ = text; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    void SetFullCode(const std::string& code) { fullCode_ = code; }
    void SetMetafileBase(int metafileBase) { metafileBase_ = metafileBase; }

private:
    std::string picturePath_;
    std::string soundPath_;
    std::string text_;
    std::string fileName_;
    std::string fullCode_;
    int metafileBase_ = 0;
};
