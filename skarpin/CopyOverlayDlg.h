// The dialog that asks for the name, the target set and a free number when one overlay is copied or
// moved.
#pragma once
#include "store/ListRecords.h"
#include "store/NameBoxDialog.h"
#include "store/SetKind.h"
#include <string>
#include <vector>

class FileIO;

// In: the overlay's set, name and number. On OK: the target set, the new name as typed and the
// chosen number (unchanged when the target, the templates set, offers none). The caller copies or moves.
class CopyOverlayDlg : public NameBoxDialog {
public:
    CopyOverlayDlg(FileIO* fileIO, std::string& setName, std::string& overlayName, int& number, int move,
                   HWND parent = nullptr);

    // What the boxes offer now, for the tests.
    const std::vector<int>& FreeNumbers() const { return freeNumbers_; }
    const std::vector<SetItem>& Sets() const { return sets_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    std::string TargetSet() const;
    void OnSetChanged();
    void UpdateOkButton() override;

    FileIO* fileIO_;
    std::string& setName_;
    std::string& overlayName_;
    int& number_;
    bool move_;
    const std::string ownSet_;
    const int ownNumber_;
    std::vector<SetItem> sets_;
    SetKind targetKind_ = SetKind::kOrdinary;
    std::vector<SetItem> targetOverlays_;
    std::vector<int> freeNumbers_;
};
