// The dialog that asks for the name under which the overlay editor saves an overlay.
#pragma once
#include "store/ListRecords.h"
#include "store/NameBoxDialog.h"
#include <string>
#include <vector>

class FileIO;

// Refuses the name of an overlay the set lists, or of any file that stands in the set's folder; on OK the overlay name holds the new name,
// trimmed of blanks at its ends. The number is kept for the caller and not used here.
class SaveDlg : public NameBoxDialog {
public:
    static constexpr int kMaxNameLength = 80;

    SaveDlg(FileIO* fileIO, const std::string& setName, std::string& overlayName, int number, HWND parent = nullptr);

    int Number() const { return number_; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    FileIO* fileIO_;
    std::string setName_;
    std::string& overlayName_;
    int number_;
    std::vector<SetItem> overlays_;
};
