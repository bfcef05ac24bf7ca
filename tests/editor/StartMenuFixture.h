// A Start menu of the test's own: a user's and a common "Programs" folder under a temporary folder,
// with shortcuts made through the shell's link objects, which the program-menu dialog reads instead
// of the registry's folders while the fixture lives.
#pragma once
#include "framework/Dialog.h"
#include "support/TempFolder.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace subdialogtest {

class StartMenuFixture {
public:
    StartMenuFixture();
    ~StartMenuFixture();
    StartMenuFixture(const StartMenuFixture&) = delete;
    StartMenuFixture& operator=(const StartMenuFixture&) = delete;

    // The two Start-menu folders: "user" and "common" below the temporary folder.
    std::string UserFolder() const { return temp_ / "user"; }
    std::string CommonFolder() const { return temp_ / "common"; }
    // A program file (an empty file) below "programs"; its path.
    std::string Program(const std::string& relativePath) const;
    // A shortcut at the path below the temporary folder, to the target with the arguments.
    std::string Shortcut(const std::string& relativePath, const std::string& target, const std::string& arguments) const;
    // A plain file or an empty folder below the temporary folder.
    std::string File(const std::string& relativePath) const;
    std::string Folder(const std::string& relativePath) const;

    // Selects the item reached through the names from the root of the dialog's tree; false when there
    // is none.
    static HTREEITEM FindItem(HWND tree, const std::vector<std::string>& names);
    static bool SelectItem(const fw::Dialog& dialog, const std::vector<std::string>& names);

private:
    testsupport::TempFolder temp_;
};

} // namespace subdialogtest
