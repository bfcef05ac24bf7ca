// Morvel's configuration and file store: where its ini files are, a few program-wide keys, the
// program's version for the about box, and the document files.
#pragma once
#include "library/KvoraObject.h"
#include "writer/DocItem.h"
#include "writer_settings/MorvelPaths.h"
#include <cstdint>
#include <string>
#include <vector>

// One document file found in a folder.
struct DocumentListItem {
    void Clear()
    {
        name_.clear();
        path_.clear();
        tag_ = -1;
    }

    std::string name_;     // the file name cut at its last '.': the file 7.txt gives 7
    std::string path_;     // "%s\%s": folder and file name
    std::uint64_t time_ = 0; // last write, in the system's file-time units
    int tag_ = -1;
};

// One instance, a member of the main window, handed by pointer to the windows that need it. The
// constructor reads the paths, the version and the build date; the rest reads its file at each call.
// Nothing here shows a message: each operation reports by its result and the caller talks to the user.
class FileIO {
public:
    // Results of ReadDocument.
    enum ReadResult {
        kRead = 1,
        kAbsent = 0,     // no such file: both lists are empty
        kDamaged = -1,   // the file did not read whole (no "<End>", a broken tag, a picture without its
                         // [Images] line, a content string that does not parse): the lists hold what did
        kUnreadable = -2 // the file is there but could not be opened, or is another text form (saved
                         // "as Unicode", say): both lists are empty
    };

    FileIO();
    explicit FileIO(const MorvelEnvironment& environment);
    virtual ~FileIO() = default;
    FileIO(const FileIO&) = delete;
    FileIO& operator=(const FileIO&) = delete;

    // [Defaults] TextSpeaker and Acapela of Morvel.ini, default 0.
    int GetTextSpeakerFlag() const;
    int GetAcapelaFlag() const;
    // [Directories] ImageDir and SoundDir of the program ini; the current folder while none is set.
    void GetImageDir(std::string& folder) const;
    void GetSoundDir(std::string& folder) const;
    bool SetImageDir(const std::string& folder);
    bool SetSoundDir(const std::string& folder);

    // Whether a file name is one of a language's ini files rather than a user's: true when "swedish",
    // "english", "danish", "norway", "finnish" or "spanish" occurs in it after its first character.
    static bool IsKnownLanguageName(const std::string& name);

    // The folder's ".txt" files, newest first; files of equal time in the order the search found them.
    static void ListDocuments(std::vector<DocumentListItem>& list, const std::string& folder);
    // Where a new document is saved, given the folder's files: the oldest file when the folder holds
    // exactly maxNumber (above 0) of them, else "%d.txt" with the lowest number 1-1000 that no file's
    // name begins with (0 when all are taken).
    static std::string NewDocumentPath(const std::vector<DocumentListItem>& files, const std::string& folder,
                                       int maxNumber);

    // The file's bytes: the items, all but the final one, and the content string of every image-list
    // object.
    std::string DocumentFile(const std::vector<DocItem>& items, const std::vector<CKvoraObject>& images) const;
    // Writes DocumentFile's bytes. The file is written beside the old one and then replaces it, so a
    // failed save keeps the last good copy. 1 written, 0 not.
    int WriteDocument(const std::vector<DocItem>& items, const std::vector<CKvoraObject>& images,
                      const std::string& path) const;
    // Reads a document: the items without the final '\n' (the caller appends it), and one content
    // object per picture number used. The pictures come back numbered 0, 1, 2 ... in the order of
    // their numbers in the file, so an id is its object's position, and every picture item names
    // exactly one object (one without content when the file holds none for it).
    ReadResult ReadDocument(std::vector<DocItem>& items, std::vector<CKvoraObject>& images,
                            const std::string& path) const;

    std::string morvelIni_;    // "%s\Morvel.ini" in the Windows folder
    std::string variant_;      // the language variant of the program's name
    std::string programIni_;   // "%s\%s.ini": program folder, variant
    std::string imageBaseIni_; // "%s\imgbase.%s.ini" in the Windows folder, else the program ini
    std::string programDir_;   // [Directories] Exe of Morvel.ini
    std::string version_;      // the program file's FileVersion, or empty
    std::string buildDate_;    // the program file's last-write date; empty when it is not found

private:
    void ReadProgramVersion(const MorvelEnvironment& environment);
    void GetFolderSetting(const char* key, std::string& folder) const;
};
