// What the main window shows, worked out apart from its window: the order and images of the set
// tree, the lines of the overlay list, the state of every menu item for a selection, and the main
// menu's items that depend on the keyboard model.
#pragma once
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include "store/OverlayListLines.h"
#include "store/SetKind.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Images of the tree's image list, in pairs of normal and selected.
enum SetTreeImage { kImageSet = 0, kImageCurrentSet = 2, kImageSpecialSet = 4 };

struct SetTreeOptions {
    int model = FileIO::kModelPS2; // only the USB model has a current set
    SpecialSetNames names;
    int showTemplates = 0;
    int showStandardOverlays = 0;
};

struct SetTreeLine {
    std::string name;
    int image = kImageSet;   // the selected image is the next one
    int readOnly = 0;
};

// The tree's lines from the sets in folder order. In the USB model currentSet is the stored current
// set on entry; when no set carries its name it becomes the first ordinary set (or empty) and
// currentChanged tells the caller to store it.
std::vector<SetTreeLine> OrderSetTree(const std::vector<SetItem>& sets, const SetTreeOptions& options,
                                      std::string& currentSet, bool& currentChanged);

// What the menus depend on.
struct MenuSelection {
    int focus = 0;             // 0: a set, 1: the overlays
    bool setSelected = false;
    SetKind kind = SetKind::kOrdinary;
    bool readOnly = false;
    int selectedLines = 0;
    bool named = false;        // the selected overlay name is not empty
};

enum MenuOwner { kMainMenu, kSetMenu, kOverlayMenu };

struct MenuItemState {
    MenuOwner menu;
    int command;
    bool enabled;
};

struct MenuItemTitle {
    MenuOwner menu;
    int command;
    int stringId;
    bool dots; // "..." follows the text
};

// Items and titles to set; items not named keep their state.
struct MenuStates {
    std::vector<MenuItemState> items;
    std::vector<MenuItemTitle> titles;
    // The state the last entry gave an item, or -1 when none names it.
    int Enabled(MenuOwner menu, int command) const;
    int Title(MenuOwner menu, int command) const;
};

MenuStates ComputeMenuStates(const MenuSelection& selection);
void ApplyMenuStates(const MenuStates& states, HMENU mainMenu, HMENU setMenu, HMENU overlayMenu);

// "&Inställning Starta program..." ends the second popup except in the USB model; the infrared codes
// item ends the third popup in the AccessKvora model only. Each stays present at most once.
void ApplyModelToMainMenu(HMENU mainMenu, int model);

// "Skarpinen" and the model's name: the main window's caption, by which a second start finds it.
std::string MainWindowCaption(int model);
