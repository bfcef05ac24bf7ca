// One of a user's image folders, and the user's list of them in its ".lst" file.
#pragma once
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/KvoraObject.h"
#include <string>
#include <vector>

// One entry of the insert-picture browser: a disk folder, an image base or a list of favourite
// pictures, with how the browser shows it. A plain value record kept in a growable array; its fields
// are public and set directly by the folder dialogs. Two records are equal when their ids are.
class ImageFolder {
public:
    enum DisplayType { kList = 0, kAlbum = 1 };
    enum FolderType { kDiskFolder = 0, kFavouriteList = 1, kImageBase = 2 };

    // Every field back to its default, the favourites emptied.
    void Reset() { *this = ImageFolder(); }
    bool operator==(const ImageFolder& other) const { return id_ == other.id_; }
    bool operator!=(const ImageFolder& other) const { return !(*this == other); }

    int id_ = -1;              // identity in memory; not stored
    std::string name_;         // shown under the symbol; the section name in the file
    std::string symbol_;       // the picture that stands for the folder
    int displayType_ = kAlbum;
    int albumSize_ = 0;        // album: 0 large, 1 small pictures
    int folderType_ = kDiskFolder;
    int listStructure_ = 0;    // list: 0 tree, 1 flat
    int sortOrder_ = 0;        // disk folder: 0 alphabetic, 1 newest first
    std::string imageBaseKey_; // image base: the base's key
    std::string folderPath_;   // disk folder: the folder
    std::string extra_;        // carried by copies; not stored
    std::vector<CKvoraObject> favourites_;
};

// Loads and saves a user's whole list of image folders as the ".lst" text file beside the user's
// settings file. No state: every operation takes the paths and the list.
class ImageFolderSettings {
public:
    // The settings file (the user file, else the program ini) with ".lst" in place of its ".ini".
    static std::string ListPath(const std::string& userFile, const std::string& programIni);

    // Empties the list and reads the user's ".lst" into it; picture codes of favourites resolve in
    // the image bases of imageBaseIni. A missing file leaves the list empty. Unreadable: the file is
    // there but could not be read whole or is in a text form of another kind; the list stays empty
    // and the file must not be written over.
    static fw::FileRead LoadFolderList(const std::string& userFile, const std::string& programIni,
                               const std::string& imageBaseIni, std::vector<ImageFolder>& list);
    // Writes the list back as LoadFolderList found its file: over the file it read (readBefore
    // Whole), through a new file moved over it, never bringing back a file that has gone since; as a
    // new file where none stood (Absent), never over one that has come since; never over a file that
    // could not be read. false when nothing was written (a file there is then untouched).
    static bool SaveFolderList(const std::string& userFile, const std::string& programIni,
                               const std::vector<ImageFolder>& list, fw::FileRead readBefore);
    // The list of a new user: written only where no file stands (Taken, writing nothing, otherwise).
    static fw::NewFile CreateFolderList(const std::string& userFile, const std::string& programIni,
                                        const std::vector<ImageFolder>& list);

    // The file's text: one block per folder, each line ended by CR LF.
    static std::string FormatFolderList(const std::vector<ImageFolder>& list);
    // Appends one record per block of the file's lines (line ends removed) to the list.
    static void ParseFolderList(const std::vector<std::string>& lines, const std::string& imageBaseIni,
                                std::vector<ImageFolder>& list);
};
