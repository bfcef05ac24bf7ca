// The export wizard's own folder under the system's temporary folder: the overlay copies and the
// register go there, never among the user's other temporary files, and it goes with the wizard.
#pragma once
#include <string>

class ExportWorkFolder {
public:
    ExportWorkFolder() = default;
    // Deletes the folder with everything in it.
    ~ExportWorkFolder();
    ExportWorkFolder(const ExportWorkFolder&) = delete;
    ExportWorkFolder& operator=(const ExportWorkFolder&) = delete;

    // The folder, ending in '\'; made at the first call with a name no other folder has. Empty when
    // it cannot be made.
    const std::string& Path();
    // Removes what an earlier pass left in it.
    void Empty();

private:
    std::string path_;
};
