// The ".lst" file of a user's image folders: written block by block, read back by line position.
#include "writer_settings/ImageFolder.h"
#include "framework/FileReplace.h"
#include "writer_settings/TextFiles.h"

namespace {

const char* const kLineEnd = "\r\n";
// Far beyond any list of folders and favourites; a larger file is not a folder list.
const unsigned long long kLargestList = 64ull * 1024 * 1024;

// The text after the first '=', or the whole line without one.
std::string ValueOf(const std::string& line)
{
    const size_t equals = line.find('=');
    return equals == std::string::npos ? line : line.substr(equals + 1);
}

bool IsHeader(const std::string& line)
{
    return !line.empty() && line[0] == '[';
}

std::string NameOfHeader(const std::string& line)
{
    std::string name;
    for (char c : line) {
        if (c != '[' && c != ']')
            name += c;
    }
    return name;
}

// "Data=<folder>,<A|T>". The sort letter is the one after the last comma, so a folder whose name
// holds a comma reads back whole; a line without a comma is all folder, sorted alphabetically.
void ReadDiskFolder(const std::string& data, ImageFolder& folder)
{
    const size_t comma = data.rfind(',');
    folder.folderPath_ = data.substr(0, comma);
    if (comma != std::string::npos && comma + 1 < data.size())
        folder.sortOrder_ = data[comma + 1] == 'A' ? 0 : 1;
}

void AppendBlock(std::string& text, const ImageFolder& folder)
{
    text += "[" + folder.name_ + "]" + kLineEnd;
    text += "Symbol=" + folder.symbol_ + kLineEnd;
    if (folder.displayType_ == ImageFolder::kAlbum) {
        text += std::string("DisplayType=Album") + kLineEnd;
        text += std::string(folder.albumSize_ ? "AlbumSize=Small" : "AlbumSize=Large") + kLineEnd;
    } else {
        text += std::string("DisplayType=List") + kLineEnd;
        text += std::string(folder.listStructure_ ? "ListStructure=Flat" : "ListStructure=Tree") + kLineEnd;
    }
    switch (folder.folderType_) {
    case ImageFolder::kDiskFolder:
        text += std::string("FolderType=Dir") + kLineEnd;
        text += "Data=" + folder.folderPath_ + (folder.sortOrder_ ? ",T" : ",A") + kLineEnd;
        break;
    case ImageFolder::kImageBase:
        text += std::string("FolderType=ImageBase") + kLineEnd;
        text += "Data=" + folder.imageBaseKey_ + kLineEnd;
        break;
    default:
        text += std::string("FolderType=FavouriteList") + kLineEnd;
        for (size_t i = 0; i < folder.favourites_.size(); ++i)
            text += std::to_string(i + 1) + "=" + folder.favourites_[i].BuildContent() + kLineEnd;
        // A favourite list ends with two empty lines, every other block with one.
        text += kLineEnd;
        break;
    }
    text += kLineEnd;
}

// Reads the lines of one block from its header on; the keys are not checked, only the order of the
// lines. A block cut short by the end of the file, or by the next block's header, keeps what it has.
// Returns the index of the first line after the block.
size_t ReadBlock(const std::vector<std::string>& lines, size_t at, const std::string& imageBaseIni,
                 ImageFolder& folder)
{
    folder.Reset();
    folder.name_ = NameOfHeader(lines[at++]);
    auto next = [&](std::string& value) {
        if (at >= lines.size() || IsHeader(lines[at]))
            return false;
        value = ValueOf(lines[at++]);
        return true;
    };
    std::string value;
    if (!next(folder.symbol_) || !next(value))
        return at;
    folder.displayType_ = value == "Album" ? ImageFolder::kAlbum : ImageFolder::kList;
    if (!next(value))
        return at;
    if (folder.displayType_ == ImageFolder::kAlbum)
        folder.albumSize_ = value == "Large" ? 0 : 1;
    else
        folder.listStructure_ = value == "Tree" ? 0 : 1;
    if (!next(value))
        return at;
    if (value == "Dir") {
        folder.folderType_ = ImageFolder::kDiskFolder;
        if (next(value))
            ReadDiskFolder(value, folder);
    } else if (value == "ImageBase") {
        folder.folderType_ = ImageFolder::kImageBase;
        next(folder.imageBaseKey_);
    } else {
        folder.folderType_ = ImageFolder::kFavouriteList;
        // Favourites run to the first line without '='; that line is looked at again as the start of
        // what follows. The numbers before '=' are not used.
        for (; at < lines.size() && lines[at].find('=') != std::string::npos && !IsHeader(lines[at]); ++at) {
            const std::string content = ValueOf(lines[at]);
            if (content.empty())
                continue;
            CKvoraObject favourite;
            favourite.ParseContent(content, imageBaseIni);
            folder.favourites_.push_back(favourite);
        }
    }
    return at;
}

} // namespace

std::string ImageFolderSettings::ListPath(const std::string& userFile, const std::string& programIni)
{
    const std::string& settingsFile = userFile.empty() ? programIni : userFile;
    return settingsFile.substr(0, settingsFile.size() < 4 ? 0 : settingsFile.size() - 4) + ".lst";
}

std::string ImageFolderSettings::FormatFolderList(const std::vector<ImageFolder>& list)
{
    std::string text;
    for (const ImageFolder& folder : list)
        AppendBlock(text, folder);
    return text;
}

void ImageFolderSettings::ParseFolderList(const std::vector<std::string>& lines, const std::string& imageBaseIni,
                                          std::vector<ImageFolder>& list)
{
    size_t at = 0;
    while (at < lines.size()) {
        if (!IsHeader(lines[at])) {
            ++at;
            continue;
        }
        ImageFolder folder;
        at = ReadBlock(lines, at, imageBaseIni, folder);
        list.push_back(folder);
    }
}

fw::FileRead ImageFolderSettings::LoadFolderList(const std::string& userFile, const std::string& programIni,
                                                 const std::string& imageBaseIni, std::vector<ImageFolder>& list)
{
    list.clear();
    std::string content;
    const fw::FileRead read = fw::ReadWholeFile(ListPath(userFile, programIni), content, kLargestList);
    if (read != fw::FileRead::Whole)
        return read;
    if (fw::TextFormOf(content) != fw::TextForm::SingleByte)
        return fw::FileRead::Unreadable;
    ParseFolderList(textfiles::SplitLines(content), imageBaseIni, list);
    return read;
}

bool ImageFolderSettings::SaveFolderList(const std::string& userFile, const std::string& programIni,
                                         const std::vector<ImageFolder>& list, fw::FileRead readBefore)
{
    switch (readBefore) {
    case fw::FileRead::Whole: return fw::RewriteExisting(ListPath(userFile, programIni), FormatFolderList(list));
    case fw::FileRead::Absent: return CreateFolderList(userFile, programIni, list) == fw::NewFile::Created;
    default: return false;
    }
}

fw::NewFile ImageFolderSettings::CreateFolderList(const std::string& userFile, const std::string& programIni,
                                                  const std::vector<ImageFolder>& list)
{
    return fw::WriteNewFile(ListPath(userFile, programIni), FormatFolderList(list));
}
