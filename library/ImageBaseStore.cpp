// The image-base store: the [ImageBases] list of the settings file and the index file of each base.
#include "library/ImageBaseManager.h"
#include "framework/Cursor.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include <windows.h>
#include <shellapi.h>
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

const char kBasesSection[] = "ImageBases";
const char kProgDir[] = "ProgDir";

// The key letters in the order the bases are listed.
const std::string& KeyLetters()
{
    static const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖ";
    return letters;
}

int ToInt(const std::string& text)
{
    long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::max<long>(INT_MIN, std::min<long>(INT_MAX, value)));
}

// One [ImageBases] entry: "index file,name" or "index file,name,first,second,third". Each number is
// the whole text up to its comma, so every value the writer puts there, of any length, reads back.
struct BaseEntry {
    std::string indexFile;
    std::string name;
    int hasOptions = 0;
    ImageBaseOptions options;
};

BaseEntry ParseEntry(const std::string& text)
{
    BaseEntry entry;
    size_t comma = text.find(',');
    entry.indexFile = text.substr(0, comma);
    if (comma == std::string::npos)
        return entry;
    size_t nameEnd = text.find(',', comma + 1);
    entry.name = text.substr(comma + 1, nameEnd == std::string::npos ? std::string::npos : nameEnd - comma - 1);
    if (nameEnd == std::string::npos)
        return entry;
    entry.hasOptions = 1;
    int numbers[3] = {0, 0, 0};
    size_t start = nameEnd + 1;
    for (int& number : numbers) {
        if (start > text.size())
            break;
        size_t end = text.find(',', start);
        number = ToInt(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() + 1 : end + 1;
    }
    entry.options = ImageBaseOptions(1, numbers[0], numbers[1], numbers[2]);
    return entry;
}

// The metafile and bitmap bases keep their sounds in the folder named by picwav.ini. The reader and
// the writer must agree on which bases those are, or a written sound folder is never read back.
bool UsesSharedSoundFolder(const std::string& indexFile)
{
    return indexFile.find("vireda.ini") != std::string::npos || indexFile.find("picbmp.ini") != std::string::npos;
}

// The text after "key" and the one separator character that follows it.
std::string AfterKey(const std::string& line, const std::string& key)
{
    return line.size() > key.size() + 1 ? line.substr(key.size() + 1) : std::string();
}

// A picture line: code=text or code=text,file. Nothing is trimmed; a line without code or text is
// no picture.
bool ParsePictureLine(const std::string& line, Image& picture)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
    size_t comma = line.find(',', equals + 1);
    std::string text = line.substr(equals + 1, comma == std::string::npos ? std::string::npos : comma - equals - 1);
    if (text.empty())
        return false;
    std::string file = comma == std::string::npos ? std::string() : line.substr(comma + 1);
    picture = Image(file, line.substr(0, equals), text);
    return true;
}

// The ini interface starts a section at a line whose first non-blank character is '['.
bool IsSectionHeader(const std::string& line)
{
    size_t first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '[';
}

size_t FindHeader(const std::vector<std::string>& lines, const std::string& section)
{
    std::string header = "[" + section + "]";
    for (size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i][0] == '[' && cp1252::EqualsNoCase(lines[i], header))
            return i;
    return std::string::npos;
}

std::vector<std::pair<std::string, std::string>> PictureEntries(const ImageCategory& category)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const Image& picture : category.GetPictures()) {
        if (picture.GetCode().empty())
            continue;
        std::string fileName = picture.GetFileName();
        if (cp1252::EqualsNoCase(fileName, picture.GetCode()))
            entries.emplace_back(picture.GetCode(), picture.GetText());
        else
            entries.emplace_back(picture.GetCode(), picture.GetText() + "," + fileName);
    }
    return entries;
}

// What a picture line and a section name can carry so that they read back as written: the code ends at
// its '=', the text at its ',', a section name at its ']', and every line at a line break.
bool CanHoldCategories(const std::vector<ImageCategory>& categories)
{
    auto holds = [](const std::string& text, const char* stops) { return text.find_first_of(stops) == std::string::npos; };
    for (const ImageCategory& category : categories) {
        if (!holds(category.GetName(), "]\r\n") || !holds(category.GetCodes(), "\r\n"))
            return false;
        for (const Image& picture : category.GetPictures()) {
            if (!holds(picture.GetCode(), "=\r\n") || !holds(picture.GetText(), ",\r\n") ||
                !holds(picture.GetFileName(), "\r\n"))
                return false;
        }
    }
    return true;
}

bool IsDecimal(const std::string& text)
{
    return !text.empty() && text.size() < 10 && text[0] != '0' &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

ImageBaseManager::ImageBaseManager()
    : groupsSection_("Grupper"), countKey_("Antal"), codesKey_("Kod"), picturesSection_("Bilder")
{
    std::vector<char> buffer(MAX_PATH);
    UINT length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    windowsFolder_.assign(buffer.data(), length < buffer.size() ? length : 0);
}

ImageBaseManager::~ImageBaseManager() = default;

// The labels and the entries of [ImageBases], in the order the bases are listed.
struct ImageBaseManager::BaseList {
    std::string groupsSection;
    std::string countKey;
    std::string codesKey;
    std::string picturesSection;
    std::vector<std::pair<char, BaseEntry>> entries;
};

// Kept with the parsed settings file: every code resolved without kept bases reads it.
std::shared_ptr<const ImageBaseManager::BaseList> ImageBaseManager::ReadBaseList(const ini::FileView& settings)
{
    std::shared_ptr<const BaseList> list = settings.Remember<BaseList>("bases", [&settings] { return BaseListOf(settings); });
    groupsSection_ = list->groupsSection;
    countKey_ = list->countKey;
    codesKey_ = list->codesKey;
    picturesSection_ = list->picturesSection;
    return list;
}

ImageBaseManager::BaseList ImageBaseManager::BaseListOf(const ini::FileView& settings)
{
    BaseList list;
    list.groupsSection = settings.Read(kBasesSection, "DialogGroups", "Grupper");
    list.countKey = settings.Read(kBasesSection, "DialogNumber", "Antal");
    list.codesKey = settings.Read(kBasesSection, "DialogCode", "Kod");
    list.picturesSection = settings.Read(kBasesSection, "DialogImages", "Bilder");

    auto add = [&list, &settings](char key) {
        std::string text = settings.Read(kBasesSection, std::string(1, key));
        if (!text.empty())
            list.entries.emplace_back(key, ParseEntry(text));
    };
    // The default base comes first. Its letter is matched to the table whatever its case, so that a
    // lower-case Default neither lists the base twice nor gives it a lower-case key letter.
    std::string defaultBase = settings.Read(kBasesSection, "Default");
    char defaultKey = 0;
    if (!defaultBase.empty()) {
        defaultKey = defaultBase[0];
        for (char letter : KeyLetters())
            if (cp1252::ToUpper(defaultKey) == letter)
                defaultKey = letter;
        add(defaultKey);
    }
    for (char letter : KeyLetters())
        if (letter != defaultKey)
            add(letter);
    return list;
}

std::string ImageBaseManager::CompleteIndexPath(const std::string& indexFile) const
{
    return indexFile.find('\\') == std::string::npos ? windowsFolder_ + "\\" + indexFile : indexFile;
}

std::string ImageBaseManager::SharedSoundFile() const
{
    return windowsFolder_ + "\\picwav.ini";
}

void ImageBaseManager::LoadBases(const std::string& settingsFile, int clear)
{
    ini::FileViews files;
    LoadBases(files, settingsFile, clear);
}

void ImageBaseManager::LoadBases(ini::FileViews& files, const std::string& settingsFile, int clear)
{
    std::shared_ptr<const BaseList> list = ReadBaseList(files.Get(settingsFile));
    if (clear)
        bases_.clear();
    for (const auto& entry : list->entries) {
        const BaseEntry& base = entry.second;
        bases_.emplace_back(std::string(1, entry.first), CompleteIndexPath(base.indexFile), base.name,
                            base.hasOptions, &base.options);
    }
    for (ImageDirectory& base : bases_)
        ReadProgDir(files, base);
}

// The keys of [ProgDir], kept with the parsed index file.
struct ImageBaseManager::ProgDir {
    std::string extension;
    std::string dir;
    std::string soundDir;
    std::string longImageDir;
    std::string longSoundDir;
};

void ImageBaseManager::ReadProgDir(ini::FileViews& files, ImageDirectory& base) const
{
    const std::string& indexPath = base.GetIniPath();
    const ini::FileView& indexFile = files.Get(indexPath);
    std::shared_ptr<const ProgDir> keys = indexFile.Remember<ProgDir>("progdir", [&indexFile] {
        return ProgDir{indexFile.Read(kProgDir, "Extension", "bmp"), indexFile.Read(kProgDir, "Dir"),
                       indexFile.Read(kProgDir, "SoundDir"), indexFile.Read(kProgDir, "LongImageDir"),
                       indexFile.Read(kProgDir, "LongSoundDir")};
    });
    base.SetExtension(keys->extension);
    base.SetDir(keys->dir);
    if (UsesSharedSoundFolder(indexPath))
        base.SetSoundDir(files.Get(SharedSoundFile()).Read(kProgDir, "Dir"));
    else
        base.SetSoundDir(keys->soundDir);
    base.SetLongImageDir(keys->longImageDir.empty() ? base.GetDir() : keys->longImageDir);
    base.SetLongSoundDir(keys->longSoundDir.empty() ? base.GetSoundDir() : keys->longSoundDir);
}

void ImageBaseManager::LoadBase(int base)
{
    ini::FileViews files;
    LoadBase(files, base);
}

void ImageBaseManager::LoadBase(ini::FileViews& files, int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return;
    ReadCategories(files.Get(bases_[base].GetIniPath()), categories_, true);
}

void ImageBaseManager::LoadCategoryNames(ini::FileViews& files, int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return;
    ReadCategories(files.Get(bases_[base].GetIniPath()), categories_, false);
}

void ImageBaseManager::LoadCategories(const std::string& settingsFile, const std::string& indexFile,
                                      std::vector<ImageCategory>& categories)
{
    ReadBaseList(ini::FileView(settingsFile));
    categories.clear();
    ReadCategories(ini::FileView(indexFile), categories, true);
}

// The groups section names the categories under the keys 1 to the count; a missing or empty name is
// skipped. Only the keys that exist are read, so a damaged count costs nothing. The list is kept with
// the parsed file for the labels it was read with.
void ImageBaseManager::ReadCategories(const ini::FileView& indexFile, std::vector<ImageCategory>& categories,
                                      bool withCodes) const
{
    const std::string key = "categories\n" + groupsSection_ + "\n" + countKey_ + "\n" +
                            (withCodes ? "codes\n" + codesKey_ : std::string("names"));
    std::shared_ptr<const std::vector<ImageCategory>> read =
        indexFile.Remember<std::vector<ImageCategory>>(key, [&] { return CategoriesOf(indexFile, withCodes); });
    categories.insert(categories.end(), read->begin(), read->end());
}

std::vector<ImageCategory> ImageBaseManager::CategoriesOf(const ini::FileView& indexFile, bool withCodes) const
{
    std::vector<ImageCategory> categories;
    std::string countText = indexFile.Read(groupsSection_, countKey_);
    if (countText.empty())
        return categories;
    int count = ToInt(countText);
    std::vector<int> numbers;
    for (const std::string& key : indexFile.KeyNames(groupsSection_)) {
        if (!IsDecimal(key))
            continue;
        int number = ToInt(key);
        if (number <= count)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (int number : numbers) {
        std::string name = indexFile.Read(groupsSection_, std::to_string(number));
        if (name.empty())
            continue;
        ImageCategory category(name);
        if (withCodes)
            category.SetCodes(indexFile.Read(name, codesKey_));
        categories.push_back(category);
    }
    return categories;
}

// What reading the picture lines gives: the result, the pictures in file order, and the codes line of
// each category read (by its index).
struct ImageBaseManager::PictureLines {
    int result = 0;
    std::vector<Image> pictures;
    std::vector<std::pair<size_t, std::string>> codes;
};

// The picture lines are read as lines, not through the ini interface: a category section must start
// with its count line and its codes line, and the pictures keep the order of the file.
int ImageBaseManager::LoadPictures(int base, int category)
{
    ini::FileViews files;
    return LoadPictures(files, base, category);
}

// The pictures of a whole base are kept with the parsed file, for the labels and category names they
// were read with: the word search reads them all at every keystroke.
int ImageBaseManager::LoadPictures(ini::FileViews& files, int base, int category)
{
    pictures_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return 1;
    if (category >= static_cast<int>(categories_.size()) && !categories_.empty())
        return 1;
    const ini::FileView& indexFile = files.Get(bases_[base].GetIniPath());
    const std::vector<std::string>* lines = indexFile.Lines();
    if (!lines)
        return 1;
    std::shared_ptr<const PictureLines> read;
    if (category < 0 || categories_.empty()) {
        std::string key = "pictures\n" + picturesSection_ + "\n" + countKey_ + "\n" + codesKey_ + "\n";
        for (const ImageCategory& each : categories_)
            key += each.GetName() + "\n";
        read = indexFile.Remember<PictureLines>(key, [&] { return ReadPictureLines(*lines, -1); });
    } else {
        read = std::make_shared<const PictureLines>(ReadPictureLines(*lines, category));
    }
    for (const auto& codes : read->codes)
        categories_[codes.first].SetCodes(codes.second);
    pictures_ = read->pictures;
    return read->result;
}

ImageBaseManager::PictureLines ImageBaseManager::ReadPictureLines(const std::vector<std::string>& lines,
                                                                   int category) const
{
    PictureLines read;
    if (categories_.empty()) {
        size_t header = FindHeader(lines, picturesSection_);
        if (header == std::string::npos)
            return read;
        for (size_t i = header + 1; i < lines.size(); ++i) {
            if (lines[i].empty() || lines[i].find('[') != std::string::npos)
                break;
            Image picture;
            if (ParsePictureLine(lines[i], picture)) {
                picture.SetCategory(0);
                read.pictures.push_back(picture);
            }
        }
        return read;
    }

    std::vector<int> wanted;
    if (category < 0) {
        for (int k = 0; k < static_cast<int>(categories_.size()); ++k)
            wanted.push_back(k);
    } else {
        wanted.push_back(category);
    }

    for (int k : wanted) {
        size_t header = FindHeader(lines, categories_[k].GetName());
        if (header == std::string::npos)
            continue;
        size_t countLine = header + 1;
        size_t codesLine = header + 2;
        if (countLine >= lines.size() || !cp1252::StartsWithNoCase(lines[countLine], countKey_)) {
            read.result = 1;
            return read;
        }
        int count = ToInt(AfterKey(lines[countLine], countKey_));
        if (codesLine >= lines.size() || !cp1252::StartsWithNoCase(lines[codesLine], codesKey_)) {
            read.result = 1;
            return read;
        }
        read.codes.emplace_back(k, AfterKey(lines[codesLine], codesKey_));
        // A count larger than the section ends at the next section: its lines belong to another category.
        int appended = 0;
        for (size_t i = codesLine + 1; i < lines.size() && appended < count; ++i) {
            if (IsSectionHeader(lines[i]))
                break;
            Image picture;
            if (ParsePictureLine(lines[i], picture)) {
                picture.SetCategory(k);
                read.pictures.push_back(picture);
                ++appended;
            }
        }
    }
    return read;
}

std::vector<ImageCategory>& ImageBaseManager::LoadBaseForEditing(int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return categories_;
    fw::WaitCursor wait;
    ini::FileViews files;
    LoadBase(files, base);
    if (!categories_.empty()) {
        for (int k = 0; k < static_cast<int>(categories_.size()); ++k) {
            LoadPictures(files, base, k);
            categories_[k].SetPictures(pictures_);
        }
    } else {
        LoadPictures(files, base, -1);
        ImageCategory all(picturesSection_);
        all.SetPictures(pictures_);
        categories_.push_back(all);
    }
    return categories_;
}

int ImageBaseManager::WriteBase(const std::string& settingsFile, const ImageDirectory& base,
                                const std::string& previousKey)
{
    ReadBaseList(ini::FileView(settingsFile));
    bool written = true;
    if (!previousKey.empty())
        written &= ini::DeleteKey(settingsFile, kBasesSection, previousKey);
    std::string entry = base.GetIniPath() + "," + base.GetName();
    if (base.HasOptions()) {
        const ImageBaseOptions& options = base.GetOptions();
        entry += fw::Format(",%d,%d,%d", options.GetFirst(), options.GetSecond(), options.GetThird());
    }
    written &= ini::WriteString(settingsFile, kBasesSection, base.GetKey(), entry);

    std::string indexFile = CompleteIndexPath(base.GetIniPath());
    written &= ini::WriteString(indexFile, kProgDir, "Dir", base.GetDir());
    // The long folders are kept: a record without them leaves the file's own.
    if (!base.GetLongImageDir().empty())
        written &= ini::WriteString(indexFile, kProgDir, "LongImageDir", base.GetLongImageDir());
    if (!base.GetLongSoundDir().empty())
        written &= ini::WriteString(indexFile, kProgDir, "LongSoundDir", base.GetLongSoundDir());
    written &= ini::WriteString(indexFile, kProgDir, "Extension", base.GetExtension());
    written &= ini::WriteString(indexFile, kProgDir, codesKey_, base.GetKey());
    if (UsesSharedSoundFolder(indexFile))
        written &= ini::WriteString(SharedSoundFile(), kProgDir, "Dir", base.GetSoundDir());
    else
        written &= ini::WriteString(indexFile, kProgDir, "SoundDir", base.GetSoundDir());
    return written ? 1 : 0;
}

// Each section is written whole and from empty, so the count line comes first, the codes line
// second and the pictures after, as the line reader needs them.
int ImageBaseManager::WriteCategories(const std::string& settingsFile, const std::string& indexFile,
                                      const std::vector<ImageCategory>& categories)
{
    if (!CanHoldCategories(categories))
        return 0;
    fw::WaitCursor wait;
    std::vector<ImageCategory> present;
    LoadCategories(settingsFile, indexFile, present);
    std::vector<std::string> sections;
    for (const ImageCategory& category : present)
        sections.push_back(category.GetName());
    if (sections.empty())
        sections.push_back(picturesSection_);

    bool written = true;
    for (const std::string& section : sections)
        written &= ini::DeleteSection(indexFile, section);
    written &= ini::DeleteSection(indexFile, groupsSection_);

    if (categories.size() == 1 && cp1252::EqualsNoCase(categories[0].GetName(), picturesSection_) &&
        categories[0].GetCodes().empty()) {
        written &= ini::WriteSection(indexFile, picturesSection_, PictureEntries(categories[0]));
        return written ? 1 : 0;
    }

    std::vector<std::pair<std::string, std::string>> groups;
    groups.emplace_back(countKey_, std::to_string(categories.size()));
    for (size_t k = 0; k < categories.size(); ++k)
        groups.emplace_back(std::to_string(k + 1), categories[k].GetName());
    written &= ini::WriteSection(indexFile, groupsSection_, groups);

    for (const ImageCategory& category : categories) {
        std::vector<std::pair<std::string, std::string>> entries;
        entries.emplace_back(countKey_, std::to_string(category.GetPictures().size()));
        entries.emplace_back(codesKey_, category.GetCodes());
        for (auto& picture : PictureEntries(category))
            entries.push_back(picture);
        written &= ini::WriteSection(indexFile, category.GetName(), entries);
    }
    return written ? 1 : 0;
}

int ImageBaseManager::DeleteBase(const std::string& settingsFile, const ImageDirectory& base, int deleteFile)
{
    if (deleteFile) {
        HANDLE file = ::CreateFileA(settingsFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 0;
        ::CloseHandle(file);
    }
    if (!ini::DeleteKey(settingsFile, kBasesSection, base.GetKey()))
        return 0;
    if (!deleteFile)
        return 1;

    std::string indexFile = CompleteIndexPath(base.GetIniPath());
    if (::GetFileAttributesA(indexFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        return 1;
    std::string from = indexFile + '\0'; // the shell wants a list ended by two nulls
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    if (::SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted)
        return 0;
    return ::GetFileAttributesA(indexFile.c_str()) == INVALID_FILE_ATTRIBUTES ? 1 : 0;
}
