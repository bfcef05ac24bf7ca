// The dialog that chooses the set into which several overlays are copied or moved.
#pragma once
#include "framework/Dialog.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

class FileIO;

// In: the set the overlays are in; on OK: the target set. Refuses a read-only set and a set without
// free numbers for all of them. The caller copies or moves.
class CopyMoveDlg : public fw::Dialog {
public:
    CopyMoveDlg(FileIO* fileIO, std::string& setName, int count, int move, HWND parent = nullptr);

    const std::vector<SetItem>& Sets() const { return sets_; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    FileIO* fileIO_;
    std::string& setName_;
    int count_;
    bool move_;
    std::vector<SetItem> sets_;
};
