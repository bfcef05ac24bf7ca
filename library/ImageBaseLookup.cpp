// Picture codes to files and back, and the word search over every base.
#include "library/ImageBaseManager.h"
#include "library/Cp1252.h"
#include "library/FolderListing.h"
#include "library/IniFileCache.h"

namespace {

bool MatchesWord(const std::string& text, const std::string& word, int exact);

bool IsMetafileBase(const ImageDirectory& base)
{
    static const std::string name = "vireda.ini";
    return MatchesWord(base.GetIniPath(), name, 0);
}

std::string WithoutTrailingSlashes(std::string folder)
{
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

// A base's folder may be written with or without its closing backslash.
bool SameFolder(const std::string& folder, const std::string& baseFolder)
{
    return !baseFolder.empty() &&
           cp1252::EqualsNoCase(WithoutTrailingSlashes(folder), WithoutTrailingSlashes(baseFolder));
}

// Whether the text, folded to lower case, equals (exact) or contains the word, which is in lower case.
bool MatchesWord(const std::string& text, const std::string& word, int exact)
{
    if (exact)
        return text.size() == word.size() && cp1252::EqualsNoCase(text, word);
    if (word.size() > text.size())
        return false;
    for (size_t start = 0; start + word.size() <= text.size(); ++start) {
        size_t i = 0;
        while (i < word.size() && cp1252::ToLower(text[start + i]) == word[i])
            ++i;
        if (i == word.size())
            return true;
    }
    return false;
}

} // namespace

std::string ImageBaseManager::JoinFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

int ImageBaseManager::FindBase(char keyLetter) const
{
    const std::vector<ImageDirectory>& bases = bases_.Get();
    for (size_t i = 0; i < bases.size(); ++i) {
        const std::string& key = bases[i].GetKey();
        if (!key.empty() && cp1252::ToLower(key[0]) == cp1252::ToLower(keyLetter))
            return static_cast<int>(i);
    }
    return -1;
}

int ImageBaseManager::ResolveCode(const std::string& code, std::string& picturePath, std::string& text,
                                  ImageBaseOptions& options, std::string* soundPath, const std::string& settingsFile,
                                  int* metafileBase, int keepBases)
{
    picturePath.clear();
    text.clear();
    if (soundPath)
        soundPath->clear();
    if (code.empty())
        return 0;
    ini::FileViews files;
    if (!keepBases)
        LoadBases(files, settingsFile, 1);
    int index = FindBase(code[0]);
    if (index < 0)
        return 0;
    const ImageDirectory& base = bases_.Get()[index];
    options = base.GetOptions();
    if (metafileBase)
        *metafileBase = IsMetafileBase(base) ? 1 : 0;

    std::string within = code.substr(1);
    if (within.empty())
        return 0;
    // The picture's line is looked up as a key, in each category's section in turn, so the code
    // matches ignoring case wherever it stands.
    LoadCategoryNames(files, index);
    // The category names follow from the file and the labels, which the table's key names.
    std::string line = files.Get(base.GetIniPath()).FirstValue(FirstValuesKey(), [this] {
        std::vector<std::string> sections;
        for (const ImageCategory& category : categories_.Get())
            sections.push_back(category.GetName());
        if (sections.empty())
            sections.push_back(picturesSection_);
        return sections;
    }, within);
    if (line.empty())
        return 0;

    // text or text,file; a line that names no file means the file named by the code, as the line
    // reader of the chooser takes it.
    size_t comma = line.find(',');
    text.assign(line, 0, comma);
    std::string fileName = comma == std::string::npos ? std::string() : line.substr(comma + 1);
    if (fileName.empty())
        fileName = within;
    picturePath = JoinFolder(base.GetDir(), fileName + "." + base.GetExtension());
    if (soundPath && !base.GetSoundDir().empty()) {
        std::string sound = JoinFolder(base.GetSoundDir(), fileName + ".wav");
        // Most pictures have no sound, and the system's answer for a missing file is a search through
        // its folder: the folder's kept listing tells that first.
        const size_t slash = sound.rfind('\\');
        if (!folderlisting::Lacks(sound.substr(0, slash), sound.substr(slash + 1)) && FileExists(sound) == 1)
            *soundPath = sound;
    }
    return 1;
}

int ImageBaseManager::CodeFromPath(const std::string& picturePath, std::string& code, const std::string& settingsFile,
                                   int keepBases)
{
    if (picturePath.empty())
        return 0;
    code.clear();
    ini::FileViews files;
    if (!keepBases)
        LoadBases(files, settingsFile, 1);
    const std::vector<ImageDirectory>& bases = bases_.Get();
    if (bases.empty())
        return 0;

    std::string folder;
    std::string name;
    size_t slash = picturePath.rfind('\\');
    if (slash != std::string::npos) {
        folder = picturePath.substr(0, slash);
        name = GetFileTitleFromPath(picturePath.substr(slash + 1));
    } else {
        folder = picturePath.substr(0, picturePath.rfind('.'));
        name = picturePath;
    }
    if (folder.empty() || name.empty())
        return 0;

    int index = -1;
    for (size_t i = 0; i < bases.size() && index < 0; ++i)
        if (SameFolder(folder, bases[i].GetDir()) || SameFolder(folder, bases[i].GetLongImageDir()))
            index = static_cast<int>(i);
    if (index < 0)
        return 0;

    // The pictures' own reading takes the codes from the file.
    LoadCategoryNames(files, index);
    LoadPictures(files, index, -1);
    for (const Image& picture : pictures_) {
        if (cp1252::EqualsNoCase(picture.GetFileName(), name)) {
            code = bases[index].GetKey() + picture.GetCode();
            return 1;
        }
    }
    return 0;
}

void ImageBaseManager::GetCategoryOfCode(const std::string& code, std::string& category,
                                         const std::string& settingsFile)
{
    category.clear();
    if (code.empty())
        return;
    ini::FileViews files;
    if (bases_.Get().empty())
        LoadBases(files, settingsFile, 1);
    int index = FindBase(code[0]);
    if (index < 0)
        return;
    LoadBase(files, index);
    // A category's codes are a prefix; empty codes take every code.
    std::string within = code.substr(1);
    for (const ImageCategory& candidate : categories_.Get()) {
        if (cp1252::StartsWithNoCase(within, candidate.GetCodes())) {
            category = candidate.GetName();
            return;
        }
    }
}

void ImageBaseManager::GetOptionsForKey(const std::string& code, ImageBaseOptions& options)
{
    if (code.empty())
        return;
    int index = FindBase(code[0]);
    if (index >= 0)
        options = bases_.Get()[index].GetOptions();
}

void ImageBaseManager::FindImagesByText(std::string& word, std::vector<Image>& results, int exact)
{
    results.clear();
    word = cp1252::Lower(word);
    ini::FileViews files;
    for (size_t i = 0; i < bases_.Get().size(); ++i) {
        LoadCategoryNames(files, static_cast<int>(i));
        LoadPictures(files, static_cast<int>(i), -1);
        const ImageDirectory& base = bases_.Get()[i];
        int flag = IsMetafileBase(base) ? 1 : 0;
        const std::string folder = JoinFolder(base.GetDir(), std::string());
        for (const Image& picture : pictures_) {
            if (!MatchesWord(picture.GetText(), word, exact))
                continue;
            // A search for one letter finds thousands: each path is built in one piece.
            const std::string name = picture.GetFileName();
            std::string path;
            path.reserve(folder.size() + name.size() + 1 + base.GetExtension().size());
            path.append(folder).append(name).append(1, '.').append(base.GetExtension());
            results.emplace_back(path, base.GetKey() + picture.GetCode(), cp1252::Lower(picture.GetText()));
            results.back().SetFlag(flag);
        }
    }
}
