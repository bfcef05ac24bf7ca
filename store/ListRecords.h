// Small records that the main window, the set dialogs and the wizards pass around: a line of a set or
// overlay list, the automatic command (a record of the command language) and the print options.
#pragma once
#include "command/AutoCommandSettings.h"
#include <string>

// One line of a set list or an overlay list.
struct SetItem {
    SetItem() = default;
    explicit SetItem(int number) : number_(number) {}
    SetItem(const std::string& name, int number, int readOnly) : name_(name), number_(number), readOnly_(readOnly) {}
    SetItem(const std::string& name, const std::string& path) : name_(name), path_(path), number_(0) {}

    std::string name_;
    std::string path_;   // the source file of an entry of the import wizard; empty otherwise
    int number_ = -1;    // overlay number; 0 for a set; -1 in an empty record
    int selected_ = 0;   // chosen in a dialog
    int readOnly_ = 0;   // a set whose folder is read-only
    int accessKvora_ = 0; // an overlay saved for the AccessKvora model
    int gameSendType_ = 0; // an overlay whose keys are sent for games, read with the AccessKvora flag
};

// What the main window keeps for printing overlays until the program ends.
struct PrintOptions {
    int opticalCodeOnly_ = 0; // print the optical code alone instead of everything
    int copies_ = 1;
    int grid_ = 0;
};
