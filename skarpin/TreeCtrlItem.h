// One line of a set tree: the set (or, in the wizards, the overlay) it shows and its tree item.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

struct TreeCtrlItem {
    TreeCtrlItem() = default;
    TreeCtrlItem(HTREEITEM item, const std::string& name, const std::string& path, int readOnly)
        : name_(name), path_(path), item_(item), readOnly_(readOnly) {}
    TreeCtrlItem(HTREEITEM item, const std::string& name) : name_(name), item_(item) {}

    std::string name_;
    std::string path_;        // the set's folder in the main window; empty in the wizards
    HTREEITEM item_ = nullptr;
    int first_ = 0;           // spare; every caller leaves both at 0
    int second_ = 0;
    int readOnly_ = 0;        // the set folder carries the read-only attribute
};
