// What one of the user's image folders holds for the insert-picture browser: its pictures, the tree of
// its list view, or the message shown when it cannot be read; and the picture a list item stands for.
#pragma once
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/PictureScan.h"
#include <string>
#include <vector>

struct FolderContent {
    std::vector<CKvoraObject> pictures_;
    // Filled for list display only.
    std::vector<PictureTreeNode> tree_;
    // Set when a disk folder cannot be read; the browser shows it in place of the pictures.
    std::string message_;
};

// Reads folders through the browser's image bases (loaded once when the browser opens) and its folder
// exceptions. No window: the browser shows what it returns.
class PictureFolderReader {
public:
    PictureFolderReader(ImageBaseManager& imageBases, const FolderExceptions& exceptions,
                        const std::string& imageBaseIni)
        : imageBases_(imageBases), exceptions_(exceptions), imageBaseIni_(imageBaseIni)
    {
    }

    FolderContent Read(const ImageFolder& folder);

    // The picture a list item stands for, from the item's path (the texts of the item and its
    // ancestors joined by '\'): a favourite's content string, an image-base word, a file below the
    // folder, or a name of the flat list. The result is emptied first and stays empty when the path
    // names no picture.
    void ChooseFromTree(const ImageFolder& folder, const FolderContent& content, const std::string& itemPath,
                        CKvoraObject& result) const;

    // A disk folder's picture without a sound gets the first of "<title>" .wav, .mp3, .m4a, .wma that
    // lies in the folder itself (also for a picture of a sub-folder).
    static void FindSoundOf(const ImageFolder& folder, CKvoraObject& picture);

private:
    void ReadDiskFolder(const ImageFolder& folder, FolderContent& content);
    void ReadImageBase(const ImageFolder& folder, FolderContent& content);
    void ReadFavourites(const ImageFolder& folder, FolderContent& content);
    int FindBase(const std::string& key) const;
    static std::string MissingFolderMessage(const std::string& path, int validity);

    ImageBaseManager& imageBases_;
    const FolderExceptions& exceptions_;
    std::string imageBaseIni_;
};
