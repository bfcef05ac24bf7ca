// The rules of the dialog that defines one image folder, as plain C++: which controls may be used
// for a folder's type and display, and how a favourite reads in its list.
#pragma once
#include "library/KvoraObject.h"
#include "writer_settings/ImageFolder.h"
#include <string>
#include <utility>
#include <vector>

// Each control id of the folder dialog with whether it is enabled, for the folder as it stands, a
// favourite list of favouriteCount lines with favouriteSelection selected (-1 none), and whether a
// symbol picture is loaded.
std::vector<std::pair<int, bool>> FolderDefinitionStates(const ImageFolder& folder, int favouriteCount,
                                                         int favouriteSelection, bool symbolLoaded);

// A favourite's line: its content string without any prefix character, and " (label)" after it when
// it has both a picture code and a label.
std::string FavouriteLine(const CKvoraObject& favourite, char prefix);
