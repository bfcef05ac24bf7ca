// The image-base store: the [ImageBases] list of the settings file and the index file of each base.
#include "library/ImageBaseManager.h"
#include "framework/Cursor.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
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

// The [ImageBases] section of a settings file, read key by key, but only for the keys it holds:
// every read is a round trip to the system (under Wine to its server), and of the 29 letters most
// are usually unused. A key that is absent reads as its fallback, as the ini interface gives it.
class BasesSection {
public:
    explicit BasesSection(const std::string& settingsFile)
        : file_(settingsFile), keys_(ini::ReadKeyNames(settingsFile, kBasesSection))
    {
    }

    std::string Read(const std::string& key, const std::string& fallback = std::string()) const
    {
        // Folding more than the ini interface does can only cost a read, never miss a key.
        for (const std::string& present : keys_)
            if (cp1252::EqualsNoCase(present, key))
                return ini::ReadString(file_, kBasesSection, key, fallback);
        return fallback;
    }

private:
    std::string file_;
    std::vector<std::string> keys_;
};

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

// The index file's lines as the line reader sees them, without their line ends. The file is read
// with others allowed to read and write it, as the programs share the bases.
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        content.append(buffer, read);
    ::CloseHandle(file);

    lines.clear();
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        size_t stop = end > start && content[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return true;
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

void ImageBaseManager::ReadLabels(const std::string& settingsFile)
{
    BasesSection section(settingsFile);
    groupsSection_ = section.Read("DialogGroups", "Grupper");
    countKey_ = section.Read("DialogNumber", "Antal");
    codesKey_ = section.Read("DialogCode", "Kod");
    picturesSection_ = section.Read("DialogImages", "Bilder");
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
    ReadLabels(settingsFile);
    if (clear)
        bases_.clear();

    BasesSection section(settingsFile);
    auto add = [this, &section](char key) {
        std::string text = section.Read(std::string(1, key));
        if (text.empty())
            return;
        BaseEntry entry = ParseEntry(text);
        bases_.emplace_back(std::string(1, key), CompleteIndexPath(entry.indexFile), entry.name, entry.hasOptions,
                            &entry.options);
    };

    // The default base comes first. Its letter is matched to the table whatever its case, so that a
    // lower-case Default neither lists the base twice nor gives it a lower-case key letter.
    std::string defaultBase = section.Read("Default");
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

    for (ImageDirectory& base : bases_)
        ReadProgDir(base);
}

void ImageBaseManager::ReadProgDir(ImageDirectory& base) const
{
    const std::string& indexFile = base.GetIniPath();
    base.SetExtension(ini::ReadString(indexFile, kProgDir, "Extension", "bmp"));
    base.SetDir(ini::ReadString(indexFile, kProgDir, "Dir"));
    if (UsesSharedSoundFolder(indexFile))
        base.SetSoundDir(ini::ReadString(SharedSoundFile(), kProgDir, "Dir"));
    else
        base.SetSoundDir(ini::ReadString(indexFile, kProgDir, "SoundDir"));
    std::string longImageDir = ini::ReadString(indexFile, kProgDir, "LongImageDir");
    base.SetLongImageDir(longImageDir.empty() ? base.GetDir() : longImageDir);
    std::string longSoundDir = ini::ReadString(indexFile, kProgDir, "LongSoundDir");
    base.SetLongSoundDir(longSoundDir.empty() ? base.GetSoundDir() : longSoundDir);
}

void ImageBaseManager::LoadBase(int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return;
    ReadCategories(bases_[base].GetIniPath(), categories_, true);
}

void ImageBaseManager::LoadCategoryNames(int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return;
    ReadCategories(bases_[base].GetIniPath(), categories_, false);
}

void ImageBaseManager::LoadCategories(const std::string& settingsFile, const std::string& indexFile,
                                      std::vector<ImageCategory>& categories)
{
    ReadLabels(settingsFile);
    categories.clear();
    ReadCategories(indexFile, categories, true);
}

// The groups section names the categories under the keys 1 to the count; a missing or empty name is
// skipped. Only the keys that exist are read, so a damaged count costs nothing.
void ImageBaseManager::ReadCategories(const std::string& indexFile, std::vector<ImageCategory>& categories,
                                      bool withCodes) const
{
    std::string countText = ini::ReadString(indexFile, groupsSection_, countKey_);
    if (countText.empty())
        return;
    int count = ToInt(countText);
    std::vector<int> numbers;
    for (const std::string& key : ini::ReadKeyNames(indexFile, groupsSection_)) {
        if (!IsDecimal(key))
            continue;
        int number = ToInt(key);
        if (number <= count)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (int number : numbers) {
        std::string name = ini::ReadString(indexFile, groupsSection_, std::to_string(number));
        if (name.empty())
            continue;
        ImageCategory category(name);
        if (withCodes)
            category.SetCodes(ini::ReadString(indexFile, name, codesKey_));
        categories.push_back(category);
    }
}

// The picture lines are read as lines, not through the ini interface: a category section must start
// with its count line and its codes line, and the pictures keep the order of the file.
int ImageBaseManager::LoadPictures(int base, int category)
{
    pictures_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return 1;
    std::vector<std::string> lines;
    if (!ReadLines(bases_[base].GetIniPath(), lines))
        return 1;

    if (categories_.empty()) {
        size_t header = FindHeader(lines, picturesSection_);
        if (header == std::string::npos)
            return 0;
        for (size_t i = header + 1; i < lines.size(); ++i) {
            if (lines[i].empty() || lines[i].find('[') != std::string::npos)
                break;
            Image picture;
            if (ParsePictureLine(lines[i], picture)) {
                picture.SetCategory(0);
                pictures_.push_back(picture);
            }
        }
        return 0;
    }

    std::vector<int> wanted;
    if (category < 0) {
        for (int k = 0; k < static_cast<int>(categories_.size()); ++k)
            wanted.push_back(k);
    } else if (category < static_cast<int>(categories_.size())) {
        wanted.push_back(category);
    } else {
        return 1;
    }

    for (int k : wanted) {
        size_t header = FindHeader(lines, categories_[k].GetName());
        if (header == std::string::npos)
            continue;
        size_t countLine = header + 1;
        size_t codesLine = header + 2;
        if (countLine >= lines.size() || !cp1252::StartsWithNoCase(lines[countLine], countKey_))
            return 1;
        int count = ToInt(AfterKey(lines[countLine], countKey_));
        if (codesLine >= lines.size() || !cp1252::StartsWithNoCase(lines[codesLine], codesKey_))
            return 1;
        categories_[k].SetCodes(AfterKey(lines[codesLine], codesKey_));
        // A count larger than the section ends at the next section: its lines belong to another category.
        int appended = 0;
        for (size_t i = codesLine + 1; i < lines.size() && appended < count; ++i) {
            if (IsSectionHeader(lines[i]))
                break;
            Image picture;
            if (ParsePictureLine(lines[i], picture)) {
                picture.SetCategory(k);
                pictures_.push_back(picture);
                ++appended;
            }
        }
    }
    return 0;
}

std::vector<ImageCategory>& ImageBaseManager::LoadBaseForEditing(int base)
{
    categories_.clear();
    if (base < 0 || base >= static_cast<int>(bases_.size()))
        return categories_;
    fw::WaitCursor wait;
    LoadBase(base);
    if (!categories_.empty()) {
        for (int k = 0; k < static_cast<int>(categories_.size()); ++k) {
            LoadPictures(base, k);
            categories_[k].SetPictures(pictures_);
        }
    } else {
        LoadPictures(base, -1);
        ImageCategory all(picturesSection_);
        all.SetPictures(pictures_);
        categories_.push_back(all);
    }
    return categories_;
}

int ImageBaseManager::WriteBase(const std::string& settingsFile, const ImageDirectory& base,
                                const std::string& previousKey)
{
    ReadLabels(settingsFile);
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
