// What the image-folder dialogs need of the window that opens them: its owner, the user's settings,
// the shared picture control and the two choosers that other windows of Morvel provide.
#pragma once
#include "components/PictureControl.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class Settings;

// Passed by value from the main window (or the browser, or the settings sheet) to the folder list,
// and from there to the dialog that defines one folder. None of it is owned.
struct FolderDialogContext {
    HWND owner = nullptr;                            // Morvel's main window
    Settings* settings = nullptr;                    // the edited settings (image-base ini, symbols folder, prefix)
    std::shared_ptr<PictureControl> pictureControl;  // loads the symbol pictures; null shows none
    // The symbol chooser over the symbols folder: true on OK with the chosen picture in symbol.
    std::function<bool(HWND parent, const std::string& symbolsDir, std::string& symbol)> chooseSymbol;
    // Morvel's command definition dialog: true on OK with the content string it made in content.
    std::function<bool(HWND parent, std::string& content)> defineContent;
};
