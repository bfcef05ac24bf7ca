// The dialog that chooses a set and one of its overlays or free numbers, for the overlay editor.
#pragma once
#include "framework/Dialog.h"
#include "store/NameDialogRules.h"
#include <string>
#include <vector>

class FileIO;

// In: the set, overlay name and number to start on. On OK: the chosen set, the number of the chosen
// line, the name of the overlay holding it (empty for a free number) and the set's read-only flag.
class OpenOverlayDlg : public fw::Dialog {
public:
    OpenOverlayDlg(FileIO* fileIO, std::string& setName, std::string& overlayName, int& number, int& readOnly,
                   HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    std::string ChosenSet() const;
    void FillOverlayLines();

    FileIO* fileIO_;
    std::string& setName_;
    std::string& overlayName_;
    int& number_;
    int& readOnly_;
    std::vector<SetItem> sets_;
    std::vector<namerules::OpenLine> lines_;
};
