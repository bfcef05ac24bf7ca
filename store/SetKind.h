// The two special sets, told apart from the ordinary ones by name: the set store, the main window
// and its menus all ask here, so that a set is the same kind of set to each of them.
#pragma once
#include <string>

// Set names are folder names, and folder names never differ by case alone, so set names are
// compared ignoring case, by code page 1252's own table (Å, Ä and Ö fold like the ASCII letters)
// rather than by the locale's.
bool SameSetName(const std::string& first, const std::string& second);

enum class SetKind { kOrdinary, kTemplates, kStandard };

struct SpecialSetNames {
    std::string standard;  // [Settings] StandardOverlayName
    std::string templates; // [Settings] TemplatesName
};

SetKind KindOfSet(const std::string& name, const SpecialSetNames& names);
