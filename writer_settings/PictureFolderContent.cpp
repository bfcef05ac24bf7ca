// Reading an image folder for the insert-picture browser.
#include "writer_settings/PictureFolderContent.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include <list>

namespace {

bool IsTreeStructure(const ImageFolder& folder)
{
    return folder.listStructure_ == 0;
}

bool IsListDisplay(const ImageFolder& folder)
{
    return folder.displayType_ != ImageFolder::kAlbum;
}

PictureTreeNode SortedNode(const std::string& text, int image)
{
    PictureTreeNode node;
    node.text_ = text;
    node.image_ = image;
    node.sorted_ = true;
    return node;
}

const CKvoraObject* FirstWithLabel(const std::vector<CKvoraObject>& pictures, const std::string& label)
{
    for (const CKvoraObject& picture : pictures) {
        if (cp1252::EqualsNoCase(picture.label_, label))
            return &picture;
    }
    return nullptr;
}

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

FolderContent PictureFolderReader::Read(const ImageFolder& folder)
{
    FolderContent content;
    switch (folder.folderType_) {
    case ImageFolder::kDiskFolder: ReadDiskFolder(folder, content); break;
    case ImageFolder::kImageBase: ReadImageBase(folder, content); break;
    case ImageFolder::kFavouriteList: ReadFavourites(folder, content); break;
    default: break;
    }
    return content;
}

void PictureFolderReader::ReadDiskFolder(const ImageFolder& folder, FolderContent& content)
{
    const int validity = ImageBaseManager::IsValidPath(folder.folderPath_);
    if (validity != 1) {
        content.message_ = MissingFolderMessage(folder.folderPath_, validity);
        return;
    }
    if (IsListDisplay(folder) && IsTreeStructure(folder)) {
        picturescan::ScanTree(folder.folderPath_, exceptions_, folder.sortOrder_, content.tree_);
        return;
    }
    std::list<FileListItem> scanned;
    picturescan::ScanFlat(folder.folderPath_, exceptions_, folder.sortOrder_, IsListDisplay(folder), scanned);
    for (const FileListItem& item : scanned) {
        content.pictures_.emplace_back();
        content.pictures_.back().picturePath_ = item.path_;
        content.pictures_.back().label_ = item.name_;
    }
    if (!IsListDisplay(folder))
        return;
    for (const CKvoraObject& picture : content.pictures_) {
        PictureTreeNode node;
        node.text_ = picture.label_;
        content.tree_.push_back(node);
    }
}

// A missing drive names what to put in; everything else names the folder.
std::string PictureFolderReader::MissingFolderMessage(const std::string& path, int validity)
{
    if (validity == -2 && !path.empty()) {
        const std::string root = std::string(1, path[0]) + ":\\";
        switch (::GetDriveTypeA(root.c_str())) {
        case DRIVE_REMOVABLE: return fw::LoadResString(IDS_INSERT_DISKETTE);
        case DRIVE_CDROM: return fw::LoadResString(IDS_INSERT_CD);
        default: break;
        }
    }
    return fw::FormatResString(IDS_NO_SUCH_FOLDER, path.c_str());
}

int PictureFolderReader::FindBase(const std::string& key) const
{
    if (key.empty())
        return -1;
    const std::vector<ImageDirectory>& bases = imageBases_.GetBases();
    for (size_t i = 0; i < bases.size(); ++i) {
        if (!bases[i].GetKey().empty() && cp1252::ToLower(bases[i].GetKey()[0]) == cp1252::ToLower(key[0]))
            return static_cast<int>(i);
    }
    return -1;
}

// Every picture of the base, from the store already loaded; a base that is not installed shows nothing.
void PictureFolderReader::ReadImageBase(const ImageFolder& folder, FolderContent& content)
{
    const int index = FindBase(folder.imageBaseKey_);
    if (index < 0)
        return;
    const ImageDirectory base = imageBases_.GetBases()[static_cast<size_t>(index)];
    std::string pictureFolder = base.GetLongImageDir().empty() ? base.GetDir() : base.GetLongImageDir();
    if (pictureFolder.empty() || pictureFolder.back() != '\\')
        pictureFolder += '\\';
    const int metafileBase = cp1252::Lower(base.GetIniPath()).find("vireda.ini") != std::string::npos ? 1 : 0;
    const std::string soundFolder = WithoutTrailingBackslash(base.GetSoundDir());

    imageBases_.LoadBase(index);
    imageBases_.LoadPictures(index, -1);
    const std::vector<Image>& pictures = imageBases_.GetPictures();
    content.pictures_.reserve(pictures.size());
    for (const Image& image : pictures) {
        content.pictures_.emplace_back();
        CKvoraObject& picture = content.pictures_.back();
        picture.picturePath_ = pictureFolder + image.GetFileName() + "." + base.GetExtension();
        picture.options_ = base.GetOptions();
        picture.code_ = base.GetKey() + image.GetCode();
        picture.label_ = image.GetText();
        picture.libraryPicture_ = metafileBase;
        if (!soundFolder.empty())
            picture.soundPath_ = soundFolder + "\\" + picture.GetTitle() + ".wav";
    }
    if (!IsListDisplay(folder))
        return;
    const std::vector<ImageCategory>& categories = imageBases_.GetCategories();
    if (IsTreeStructure(folder) && !categories.empty()) {
        for (const ImageCategory& category : categories)
            content.tree_.push_back(SortedNode(category.GetName(), PictureTreeNode::kClosedFolder));
        for (const Image& image : pictures) {
            const int category = image.GetCategory();
            if (category >= 0 && category < static_cast<int>(content.tree_.size()))
                content.tree_[static_cast<size_t>(category)].children_.push_back(
                    SortedNode(image.GetText(), PictureTreeNode::kPicture));
        }
    } else {
        for (const Image& image : pictures)
            content.tree_.push_back(SortedNode(image.GetText(), PictureTreeNode::kPicture));
    }
}

// Favourites keep their own content; their caption follows their base's options, or shows the label
// of a favourite without a code.
void PictureFolderReader::ReadFavourites(const ImageFolder& folder, FolderContent& content)
{
    for (const CKvoraObject& favourite : folder.favourites_) {
        content.pictures_.push_back(favourite);
        CKvoraObject& picture = content.pictures_.back();
        if (picture.code_.empty()) {
            if (!picture.label_.empty())
                picture.options_.SetPresent(1);
        } else {
            const int base = FindBase(picture.code_);
            picture.options_.SetPresent(base < 0 ? 1 : imageBases_.GetBases()[static_cast<size_t>(base)].HasOptions());
        }
    }
    if (!IsListDisplay(folder))
        return;
    for (const CKvoraObject& picture : content.pictures_) {
        const std::string text = picture.BuildContent();
        if (!text.empty())
            content.tree_.push_back(SortedNode(text, PictureTreeNode::kPicture));
    }
}

void PictureFolderReader::ChooseFromTree(const ImageFolder& folder, const FolderContent& content,
                                         const std::string& itemPath, CKvoraObject& result) const
{
    result.Clear();
    switch (folder.folderType_) {
    case ImageFolder::kFavouriteList:
        result.ParseContent(itemPath, imageBaseIni_);
        break;
    case ImageFolder::kImageBase: {
        const size_t slash = itemPath.rfind('\\');
        const std::string word = IsTreeStructure(folder) && slash != std::string::npos ? itemPath.substr(slash + 1)
                                                                                       : itemPath;
        if (const CKvoraObject* picture = FirstWithLabel(content.pictures_, word))
            result = *picture;
        break;
    }
    case ImageFolder::kDiskFolder:
        if (IsTreeStructure(folder)) {
            result.picturePath_ = WithoutTrailingBackslash(folder.folderPath_) + "\\" + itemPath;
            FindSoundOf(folder, result);
        } else if (const CKvoraObject* picture = FirstWithLabel(content.pictures_, itemPath)) {
            result = *picture;
            result.label_.clear();
        }
        break;
    default:
        break;
    }
}

void PictureFolderReader::FindSoundOf(const ImageFolder& folder, CKvoraObject& picture)
{
    if (folder.folderType_ != ImageFolder::kDiskFolder || !picture.soundPath_.empty())
        return;
    picture.soundPath_ = picturescan::FindSound(folder.folderPath_, picture.GetTitle());
}
