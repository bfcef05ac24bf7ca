// The rules of the folder definition dialog.
#include "writer_settings/FolderDefinition.h"
#include "morvel/resource.h"
#include <algorithm>

std::vector<std::pair<int, bool>> FolderDefinitionStates(const ImageFolder& folder, int favouriteCount,
                                                         int favouriteSelection, bool symbolLoaded)
{
    const bool disk = folder.folderType_ == ImageFolder::kDiskFolder;
    const bool base = folder.folderType_ == ImageFolder::kImageBase;
    const bool favourites = folder.folderType_ == ImageFolder::kFavouriteList;
    const bool album = folder.displayType_ == ImageFolder::kAlbum;
    const bool selected = favourites && favouriteSelection >= 0 && favouriteSelection < favouriteCount;
    return {
        {IDC_FOLDER_DISK_PATH, disk},
        {IDC_FOLDER_CHOOSE_DISK, disk},
        {IDC_FOLDER_ALPHABETIC, disk},
        {IDC_FOLDER_NEWEST, disk},
        {IDC_FOLDER_BASE_NAME, base},
        {IDC_FOLDER_CHOOSE_BASE, base},
        {IDC_FAVOURITE_LIST, favourites},
        {IDC_FAVOURITE_NEW, favourites},
        {IDC_FAVOURITE_CHANGE, favourites},
        {IDC_FAVOURITE_REMOVE, selected},
        {IDC_FAVOURITE_UP, selected && favouriteSelection > 0},
        {IDC_FAVOURITE_DOWN, selected && favouriteSelection < favouriteCount - 1},
        {IDC_FOLDER_LARGE, album},
        {IDC_FOLDER_SMALL, album},
        {IDC_FOLDER_TREE, !album && !favourites},
        {IDC_FOLDER_FLAT, !album && !favourites},
        {IDC_FOLDER_CLEAR_SYMBOL, symbolLoaded},
    };
}

std::string FavouriteLine(const CKvoraObject& favourite, char prefix)
{
    std::string line = favourite.BuildContent();
    line.erase(std::remove(line.begin(), line.end(), prefix), line.end());
    if (!favourite.code_.empty() && !favourite.label_.empty())
        line += " (" + favourite.label_ + ")";
    return line;
}
