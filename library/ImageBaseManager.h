// The image-base store: reads and writes the list of bases and their index files, resolves picture
// codes to files and back, finds pictures by their word, and holds the file and folder tools that
// the whole system uses.
#pragma once
#include "library/ImageBaseRecords.h"
// GetFileTitle is also a macro of the common dialogs' header; with it always in view the member
// gets the same name in every file that uses it.
#include <windows.h>
#include <commdlg.h>
#include <memory>
#include <string>
#include <vector>

namespace ini {
class Document;
class FileView;
class FileViews;
} // namespace ini

// Every window or function that needs the image bases makes its own manager and drops it afterwards;
// every call sees the files as they are on disk now (read through the process-wide cache of parsed ini
// files, which checks each file at every call). What one manager made from the files (the base records,
// the categories) is kept with the parsed files and taken by the next manager only while every file it
// was made from is unchanged. Operations report by their result or by empty outputs and never show a
// message: the caller decides what to say.
class ImageBaseManager {
public:
    ImageBaseManager();
    ~ImageBaseManager();
    ImageBaseManager(const ImageBaseManager&) = delete;
    ImageBaseManager& operator=(const ImageBaseManager&) = delete;

    // --- The store: settings file and index files ---

    // Reads the labels and the bases of [ImageBases], the default base first, then each base's
    // [ProgDir]. With clear set the bases are emptied first, otherwise appended.
    void LoadBases(const std::string& settingsFile, int clear);
    // Makes base i current: its category names and codes (none for a base without categories).
    void LoadBase(int base);
    // The categories (names and codes) of any index file, with the labels of the given settings file.
    void LoadCategories(const std::string& settingsFile, const std::string& indexFile,
                        std::vector<ImageCategory>& categories);
    // Reads the pictures of base i, of one category or of all (category -1); LoadBase of the same
    // base must come first. 0 when read, 1 when the base or its file is missing or a category
    // section is damaged (the pictures read before it stay).
    int LoadPictures(int base, int category);
    // The categories of base i, each with its own pictures; a base without categories gives one
    // category named like the pictures section.
    std::vector<ImageCategory>& LoadBaseForEditing(int base);

    // Each reference stays good for the manager's life and shows what the latest load made.
    std::vector<ImageDirectory>& GetBases() { return bases_.Edit(); }
    std::vector<ImageCategory>& GetCategories() { return categories_.Edit(); }
    std::vector<Image>& GetPictures() { return pictures_; }
    const std::vector<ImageDirectory>& GetBases() const { return bases_.Edit(); }
    const std::vector<ImageCategory>& GetCategories() const { return categories_.Edit(); }
    const std::vector<Image>& GetPictures() const { return pictures_; }

    // Writes the base's entry (replacing the entry under previousKey when one is given) and the
    // [ProgDir] of its index file; long folders the record lacks stay as the file has them. 1 when
    // every write went through, else 0.
    int WriteBase(const std::string& settingsFile, const ImageDirectory& base,
                  const std::string& previousKey = std::string());
    // Rewrites the categories and picture lines of an index file. 1 when every write went through; 0,
    // writing nothing, for a code holding '=', a text holding ',', a category name holding ']' or any
    // line break, which would not read back as written.
    int WriteCategories(const std::string& settingsFile, const std::string& indexFile,
                        const std::vector<ImageCategory>& categories);
    // Removes the base's entry and, with deleteFile, moves its index file to the recycle bin.
    // 1 done; 0 when the settings file cannot be written (nothing changed) or the index file stayed.
    int DeleteBase(const std::string& settingsFile, const ImageDirectory& base, int deleteFile);

    // --- Picture codes and words ---

    // A code is the base's key letter followed by the code within the base. Gives the picture path,
    // its word, the base's options, the sound path (empty without a sound file; pass null when not
    // wanted) and the metafile-base flag (null when not wanted). The options and the flag are set as
    // soon as the key letter names a base, even when the code is then not found. With keepBases 0
    // the bases are read from settingsFile first. 1 resolved, 0 not.
    int ResolveCode(const std::string& code, std::string& picturePath, std::string& text, ImageBaseOptions& options,
                    std::string* soundPath, const std::string& settingsFile, int* metafileBase, int keepBases);
    // The full code of the picture at picturePath (its folder names the base, its name the picture).
    // 1 found, 0 not (code empty).
    int CodeFromPath(const std::string& picturePath, std::string& code, const std::string& settingsFile,
                     int keepBases);
    // The name of the category whose codes begin the code; empty when none.
    void GetCategoryOfCode(const std::string& code, std::string& category, const std::string& settingsFile);
    // The options of the base the code's key letter names; unchanged when none does. Uses the bases loaded.
    void GetOptionsForKey(const std::string& code, ImageBaseOptions& options);
    // Every picture of the loaded bases, in base order and file order, whose word equals (exact) or
    // contains the word, both lower-cased. The word is lower-cased in place. Each result holds the
    // picture path as file name, the full code and the lower-cased word; its flag marks the metafile base.
    void FindImagesByText(std::string& word, std::vector<Image>& results, int exact);

    // --- Files, folders and names ---

    // 1 when the file opens for reading, 0 when not or its drive is not ready, -1 for a name without
    // '.' or shorter than 2 characters. Compare with 1: -1 is not a found file.
    static int FileExists(const std::string& path);
    // 1 when the file opens for reading (a relative path is completed with the current folder),
    // 0 when absent, -1 for a name without '.' or shorter than 2 characters or whose folder is missing.
    static int LocateFile(std::string& path);
    // 1 an existing folder, 0 a well-formed "X:\..." path whose folder is missing, -1 a forbidden
    // character after the drive, -2 not a "X:\" path or its drive is not ready, -3 empty.
    static int IsValidFolderPath(const std::string& path);
    // 1 an existing folder, -3 empty, -2 shorter than 3 or on a drive the machine lacks, -1 a wildcard
    // or forbidden character after the drive, 0 anything else.
    static int IsValidPath(const std::string& path);
    // Makes every missing folder of the path; turns '/' into '\' in the caller's string. 1 or 0.
    // Each folder it made is added to made, the outermost first, so that the work can be undone.
    static int CreatePath(std::string& path, std::vector<std::string>* made = nullptr);
    // Copies the source folder with everything in it into a new target folder. 0 when the source
    // cannot be read, the target exists already or cannot be made, or anything failed to copy.
    static int CopyTree(const std::string& source, const std::string& target);
    // Deletes the folder with everything in it. 1 when it is gone, 0 when anything stayed.
    static int DeleteTree(const std::string& folder);
    // The size of the first file matching the name or pattern; 0 when none.
    static unsigned long long GetFileSize(const std::string& pattern);

    static std::string GetFileNameFromPath(const std::string& path);
    static std::string GetFolderFromPath(const std::string& path);
    static std::string GetFileTitleFromPath(const std::string& path);
    static std::string GetFileTitle(const std::string& path) { return GetFileTitleFromPath(path); }
    static std::string GetFileExtension(const std::string& path);
    // true when the file exists and can be opened for reading (what every "does the file open" test uses).
    static bool OpensForReading(const std::string& path);
    // The short (8.3) form of an existing path; the path itself when the system has none for it
    // (found, when given, tells which).
    static std::string GetShortPath(const std::string& path, bool* found = nullptr);
    // Removes \ / : * ? " < > | from the text.
    static void RemoveForbiddenChars(std::string& text);

private:
    // A list that reads what the cache keeps without a copy until it is changed or handed out: a
    // manager made for one look-up copies nothing. Once handed out (or changed) it is the manager's
    // own for good, and what is loaded later is copied into it, so that a reference given out keeps
    // showing the current contents.
    template <class T>
    class SharedList {
    public:
        const std::vector<T>& Get() const { return shared_ ? *shared_ : own_; }
        std::vector<T>& Edit()
        {
            if (!owned_) {
                if (shared_)
                    own_ = *shared_;
                shared_.reset();
                owned_ = true;
            }
            return own_;
        }
        void Share(std::shared_ptr<const std::vector<T>> kept)
        {
            if (owned_)
                own_ = *kept;
            else
                shared_ = std::move(kept);
        }
        void Clear()
        {
            own_.clear();
            shared_.reset();
        }

    private:
        std::shared_ptr<const std::vector<T>> shared_;
        std::vector<T> own_;
        bool owned_ = false;
    };

    // Each public operation reads its files through one set of views, so each file is checked
    // against the disk once per operation.
    void LoadBases(ini::FileViews& files, const std::string& settingsFile, int clear);
    void LoadBase(ini::FileViews& files, int base);
    int LoadPictures(ini::FileViews& files, int base, int category);
    struct BaseList;
    struct ProgDir;
    struct KeptBases;
    // The labels and entries of the settings file; sets the labels.
    std::shared_ptr<const BaseList> ReadBaseList(const ini::FileView& settings);
    static BaseList BaseListOf(const ini::FileView& settings);
    static const std::shared_ptr<const BaseList>& DefaultLabels();
    // The records of the list's entries, without their [ProgDir] keys.
    void AddBases(const BaseList& list, std::vector<ImageDirectory>& bases) const;
    // Checks each file the bases are read from with visit, in order, until visit says false.
    template <class Visit>
    bool ForEachSource(ini::FileViews& files, const std::vector<ImageDirectory>& bases, Visit visit) const;
    // The bases of the settings file as the last load of it made them, when every file they were read
    // from is still the same parsed file; null otherwise.
    std::shared_ptr<const std::vector<ImageDirectory>> KeptBasesOf(ini::FileViews& files,
                                                                    const ini::FileView& settings) const;
    // Keeps the bases just read with the settings file, unless a file they were read from is read
    // through the platform, whose answers are not kept.
    void Keep(ini::FileViews& files, const ini::FileView& settings,
              const std::shared_ptr<const std::vector<ImageDirectory>>& bases) const;
    void ReadCategories(const ini::FileView& indexFile, std::vector<ImageCategory>& categories, bool withCodes) const;
    std::shared_ptr<const std::vector<ImageCategory>> KeptCategories(const ini::FileView& indexFile,
                                                                     bool withCodes) const;
    // The key of the table of first picture lines (see ini::Document::FirstValue) for the labels.
    const std::string& FirstValuesKey() const;
    std::vector<ImageCategory> CategoriesOf(const ini::FileView& indexFile, bool withCodes) const;
    struct PictureLines;
    // The pictures of one category, or of all (-1), from the index file's lines, with the categories
    // and labels as they are.
    PictureLines ReadPictureLines(const std::vector<std::string>& lines, int category) const;
    // LoadBase without the codes, for the look-ups that never use them.
    void LoadCategoryNames(ini::FileViews& files, int base);
    void ReadProgDir(ini::FileViews& files, ImageDirectory& base) const;
    std::string CompleteIndexPath(const std::string& indexFile) const;
    std::string SharedSoundFile() const;
    int FindBase(char keyLetter) const;
    // folder + name with one backslash between, also when the folder ends in one.
    static std::string JoinFolder(const std::string& folder, const std::string& name);

    std::vector<Image> pictures_;
    mutable SharedList<ImageCategory> categories_;
    mutable SharedList<ImageDirectory> bases_;
    // Names of the groups section, the count key, the codes key and the pictures section of a base
    // without categories, as the settings file gives them; labels_ holds them with the keys that the
    // readers remember their results under.
    std::shared_ptr<const BaseList> labels_;
    std::string groupsSection_;
    std::string countKey_;
    std::string codesKey_;
    std::string picturesSection_;
    std::string windowsFolder_;
};
