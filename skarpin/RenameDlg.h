// The dialog that asks for a new name of a set or an overlay.
#pragma once
#include "store/ListRecords.h"
#include "store/NameBoxDialog.h"
#include <string>
#include <vector>

// Asks and checks only: on OK the new name is in the set name (mode 0) or the overlay name (mode 1),
// trimmed of blanks at its ends; the caller renames. The names are the caller's list: the sets in
// mode 0, the lines of the overlay list in mode 1; the entry being renamed may keep its own name.
class RenameDlg : public NameBoxDialog {
public:
    enum Mode { kSet = 0, kOverlay = 1 };

    RenameDlg(int mode, std::string& setName, std::string& overlayName, const std::vector<SetItem>& names,
              HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    std::string& NameChanged() { return mode_ == kOverlay ? overlayName_ : setName_; }

    int mode_;
    std::string& setName_;
    std::string& overlayName_;
    const std::vector<SetItem>& names_;
    int ownEntry_ = -1;
};
