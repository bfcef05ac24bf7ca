// The image-base store: the [ImageBases] list of the settings file and the index file of each base.
#include "library/ImageBaseManager.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/IniDocument.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include <windows.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>

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

// The labels and the entries of [ImageBases], in the order the bases are listed, and the keys that
// the readers of index files remember their results under for these labels, made once here so that a
// look-up builds no text.
struct ImageBaseManager::BaseList {
    BaseList(std::string groups, std::string count, std::string codes, std::string pictures)
        : groupsSection(std::move(groups)), countKey(std::move(count)), codesKey(std::move(codes)),
          picturesSection(std::move(pictures)),
          categoriesKey("categories\n" + groupsSection + "\n" + countKey + "\ncodes\n" + codesKey),
          categoryNamesKey("categories\n" + groupsSection + "\n" + countKey + "\nnames"),
          firstValuesKey("first values\n" + groupsSection + "\n" + countKey + "\n" + picturesSection)
    {
    }

    std::string groupsSection;
    std::string countKey;
    std::string codesKey;
    std::string picturesSection;
    std::string categoriesKey;
    std::string categoryNamesKey;
    std::string firstValuesKey;
    std::vector<std::pair<char, BaseEntry>> entries;
};

// The records the last load of a settings file made, kept with that parsed file, and the parsed files
// they were read from besides it (each base's index file, and picwav.ini for the bases whose sounds lie
// in its folder), in the order LoadBases reads them. The files are held weakly: a file the cache has
// let go can no longer match, and no parsed file keeps another alive.
struct ImageBaseManager::KeptBases {
    KeptBases() = default;
    // Made empty before it is shared: nothing to move but the lock, which cannot move.
    KeptBases(KeptBases&&) noexcept {}

    mutable std::mutex mutex;
    mutable std::string windowsFolder;
    mutable std::vector<std::weak_ptr<const ini::Document>> sources;
    mutable std::shared_ptr<const std::vector<ImageDirectory>> bases;
};

ImageBaseManager::ImageBaseManager()
    : labels_(DefaultLabels()), groupsSection_(labels_->groupsSection), countKey_(labels_->countKey),
      codesKey_(labels_->codesKey), picturesSection_(labels_->picturesSection)
{
    // A manager is made for every single look-up: the usual length needs no allocation.
    char folder[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length < MAX_PATH) {
        windowsFolder_.assign(folder, length);
        return;
    }
    std::vector<char> buffer(length + 1);
    length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    windowsFolder_.assign(buffer.data(), length < buffer.size() ? length : 0);
}

ImageBaseManager::~ImageBaseManager() = default;

const std::shared_ptr<const ImageBaseManager::BaseList>& ImageBaseManager::DefaultLabels()
{
    static const std::shared_ptr<const BaseList> labels =
        std::make_shared<const BaseList>("Grupper", "Antal", "Kod", "Bilder");
    return labels;
}

// Kept with the parsed settings file: every code resolved without kept bases reads it.
std::shared_ptr<const ImageBaseManager::BaseList> ImageBaseManager::ReadBaseList(const ini::FileView& settings)
{
    std::shared_ptr<const BaseList> list = settings.Remember<BaseList>("bases", [&settings] { return BaseListOf(settings); });
    labels_ = list;
    groupsSection_ = list->groupsSection;
    countKey_ = list->countKey;
    codesKey_ = list->codesKey;
    picturesSection_ = list->picturesSection;
    return list;
}

ImageBaseManager::BaseList ImageBaseManager::BaseListOf(const ini::FileView& settings)
{
    BaseList list(settings.Read(kBasesSection, "DialogGroups", "Grupper"),
                  settings.Read(kBasesSection, "DialogNumber", "Antal"), settings.Read(kBasesSection, "DialogCode", "Kod"),
                  settings.Read(kBasesSection, "DialogImages", "Bilder"));

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

// Every file the bases are made from is checked at every load; when none has changed since the last
// load of the same settings file, that load's records are taken as they are.
void ImageBaseManager::LoadBases(ini::FileViews& files, const std::string& settingsFile, int clear)
{
    const ini::FileView& settings = files.Get(settingsFile);
    std::shared_ptr<const BaseList> list = ReadBaseList(settings);
    if (!clear) {
        std::vector<ImageDirectory>& bases = bases_.Edit();
        AddBases(*list, bases);
        for (ImageDirectory& base : bases)
            ReadProgDir(files, base);
        return;
    }
    std::shared_ptr<const std::vector<ImageDirectory>> kept = KeptBasesOf(files, settings);
    if (!kept) {
        auto made = std::make_shared<std::vector<ImageDirectory>>();
        AddBases(*list, *made);
        for (ImageDirectory& base : *made)
            ReadProgDir(files, base);
        kept = made;
        Keep(files, settings, kept);
    }
    bases_.Share(std::move(kept));
}

void ImageBaseManager::AddBases(const BaseList& list, std::vector<ImageDirectory>& bases) const
{
    for (const auto& entry : list.entries) {
        const BaseEntry& base = entry.second;
        bases.emplace_back(std::string(1, entry.first), CompleteIndexPath(base.indexFile), base.name,
                           base.hasOptions, &base.options);
    }
}

// The files each base is read from, in the order ReadProgDir reads them; each is checked against the
// disk here (once per operation: the views are the operation's).
template <class Visit>
bool ImageBaseManager::ForEachSource(ini::FileViews& files, const std::vector<ImageDirectory>& bases,
                                     Visit visit) const
{
    for (const ImageDirectory& base : bases) {
        if (!visit(files.Get(base.GetIniPath())))
            return false;
        if (UsesSharedSoundFolder(base.GetIniPath()) && !visit(files.Get(SharedSoundFile())))
            return false;
    }
    return true;
}

std::shared_ptr<const std::vector<ImageDirectory>> ImageBaseManager::KeptBasesOf(ini::FileViews& files,
                                                                                 const ini::FileView& settings) const
{
    if (!settings.Parsed())
        return nullptr;
    std::shared_ptr<const KeptBases> kept = settings.Remember<KeptBases>("kept bases", [] { return KeptBases(); });
    std::lock_guard<std::mutex> lock(kept->mutex);
    if (!kept->bases || kept->windowsFolder != windowsFolder_)
        return nullptr;
    size_t next = 0;
    const bool same = ForEachSource(files, *kept->bases, [&](const ini::FileView& view) {
        std::shared_ptr<const ini::Document> parsed = view.Parsed();
        return parsed && next < kept->sources.size() && kept->sources[next++].lock() == parsed;
    });
    return same && next == kept->sources.size() ? kept->bases : nullptr;
}

void ImageBaseManager::Keep(ini::FileViews& files, const ini::FileView& settings,
                            const std::shared_ptr<const std::vector<ImageDirectory>>& bases) const
{
    if (!settings.Parsed())
        return;
    std::vector<std::weak_ptr<const ini::Document>> sources;
    if (!ForEachSource(files, *bases, [&](const ini::FileView& view) {
            std::shared_ptr<const ini::Document> parsed = view.Parsed();
            sources.push_back(parsed);
            return parsed != nullptr;
        }))
        return;
    std::shared_ptr<const KeptBases> kept = settings.Remember<KeptBases>("kept bases", [] { return KeptBases(); });
    std::lock_guard<std::mutex> lock(kept->mutex);
    kept->windowsFolder = windowsFolder_;
    kept->sources = std::move(sources);
    kept->bases = bases;
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
    const std::vector<ImageDirectory>& bases = bases_.Get();
    if (base < 0 || base >= static_cast<int>(bases.size())) {
        categories_.Clear();
        return;
    }
    categories_.Share(KeptCategories(files.Get(bases[base].GetIniPath()), true));
}

void ImageBaseManager::LoadCategoryNames(ini::FileViews& files, int base)
{
    const std::vector<ImageDirectory>& bases = bases_.Get();
    if (base < 0 || base >= static_cast<int>(bases.size())) {
        categories_.Clear();
        return;
    }
    categories_.Share(KeptCategories(files.Get(bases[base].GetIniPath()), false));
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
    std::shared_ptr<const std::vector<ImageCategory>> read = KeptCategories(indexFile, withCodes);
    categories.insert(categories.end(), read->begin(), read->end());
}

const std::string& ImageBaseManager::FirstValuesKey() const
{
    return labels_->firstValuesKey;
}

std::shared_ptr<const std::vector<ImageCategory>> ImageBaseManager::KeptCategories(const ini::FileView& indexFile,
                                                                                   bool withCodes) const
{
    const std::string& key = withCodes ? labels_->categoriesKey : labels_->categoryNamesKey;
    return indexFile.Remember<std::vector<ImageCategory>>(key, [&] { return CategoriesOf(indexFile, withCodes); });
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
    const std::vector<ImageDirectory>& bases = bases_.Get();
    if (base < 0 || base >= static_cast<int>(bases.size()))
        return 1;
    std::shared_ptr<const PictureLines> read;
    {
        const std::vector<ImageCategory>& categories = categories_.Get();
        if (category >= static_cast<int>(categories.size()) && !categories.empty())
            return 1;
        const ini::FileView& indexFile = files.Get(bases[base].GetIniPath());
        const std::vector<std::string>* lines = indexFile.Lines();
        if (!lines)
            return 1;
        if (category < 0 || categories.empty()) {
            std::string key = "pictures\n" + picturesSection_ + "\n" + countKey_ + "\n" + codesKey_ + "\n";
            for (const ImageCategory& each : categories)
                key += each.GetName() + "\n";
            read = indexFile.Remember<PictureLines>(key, [&] { return ReadPictureLines(*lines, -1); });
        } else {
            read = std::make_shared<const PictureLines>(ReadPictureLines(*lines, category));
        }
    }
    if (!read->codes.empty()) {
        std::vector<ImageCategory>& categories = categories_.Edit();
        for (const auto& codes : read->codes)
            categories[codes.first].SetCodes(codes.second);
    }
    pictures_ = read->pictures;
    return read->result;
}

ImageBaseManager::PictureLines ImageBaseManager::ReadPictureLines(const std::vector<std::string>& lines,
                                                                   int category) const
{
    PictureLines read;
    const std::vector<ImageCategory>& categories = categories_.Get();
    if (categories.empty()) {
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
        for (int k = 0; k < static_cast<int>(categories.size()); ++k)
            wanted.push_back(k);
    } else {
        wanted.push_back(category);
    }

    for (int k : wanted) {
        size_t header = FindHeader(lines, categories[k].GetName());
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
            if (ini::IsSectionHeader(lines[i]))
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
    categories_.Clear();
    if (base < 0 || base >= static_cast<int>(bases_.Get().size()))
        return categories_.Edit();
    fw::WaitCursor wait;
    ini::FileViews files;
    LoadBase(files, base);
    std::vector<ImageCategory>& categories = categories_.Edit();
    if (!categories.empty()) {
        for (int k = 0; k < static_cast<int>(categories.size()); ++k) {
            LoadPictures(files, base, k);
            categories[k].SetPictures(pictures_);
        }
    } else {
        LoadPictures(files, base, -1);
        ImageCategory all(picturesSection_);
        all.SetPictures(pictures_);
        categories.push_back(all);
    }
    return categories;
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

    return fw::SendToRecycleBin(CompleteIndexPath(base.GetIniPath())) ? 1 : 0;
}
