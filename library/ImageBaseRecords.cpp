// The image-base value records.
#include "library/ImageBaseRecords.h"

ImageBaseOptions::ImageBaseOptions(int present, int first, int second, int third)
    : present_(present), first_(first), second_(second), third_(third)
{
}

Image::Image(const std::string& fileName, const std::string& code, const std::string& text, int category)
    : fileName_(fileName), text_(text), code_(code), category_(category)
{
}

ImageCategory::ImageCategory(const std::string& codes, const std::string& name) : name_(name), codes_(codes) {}

ImageCategory::ImageCategory(const std::string& name) : name_(name) {}

void ImageCategory::SetPictures(const std::vector<Image>& pictures)
{
    pictures_.clear();
    pictures_.reserve(pictures.size());
    for (const Image& picture : pictures)
        pictures_.emplace_back(picture.GetFileName(), picture.GetCode(), picture.GetText());
}

ImageDirectory::ImageDirectory(const std::string& key, const std::string& iniPath, const std::string& name,
                               int hasOptions, const ImageBaseOptions* options)
    : name_(name), iniPath_(iniPath), key_(key), hasOptions_(hasOptions)
{
    if (hasOptions != 0 && options)
        options_ = *options;
    else
        options_.SetPresent(0);
}

bool ImageDirectory::Matches(const ImageDirectory& other) const
{
    return iniPath_ == other.iniPath_ || name_ == other.name_;
}

void ImageDirectory::Clear()
{
    name_.clear();
    iniPath_.clear();
    dir_.clear();
    soundDir_.clear();
    longImageDir_.clear();
    longSoundDir_.clear();
    key_.clear();
    extension_.clear();
    hasOptions_ = 1;
}

ImageBaseItem::ImageBaseItem(const std::string& picturePath, const std::string& text, const std::string& soundPath,
                             const std::string& fileName, const std::string& fullCode, int metafileBase)
    : picturePath_(picturePath), soundPath_(soundPath), text_(text), fileName_(fileName), fullCode_(fullCode),
      metafileBase_(metafileBase)
{
}
