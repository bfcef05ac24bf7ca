// The dialog that picks a set of the older format to take over, and the name of the new set.
#pragma once
#include "framework/Dialog.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

class FileIO;

// Lists the old sets; on OK gives the old set file's path and a name that no set has yet. The caller
// converts the set (FileIO::ConvertOldSet).
class GetOldSetDlg : public fw::Dialog {
public:
    GetOldSetDlg(FileIO* fileIO, const std::vector<SetItem>& sets, std::string& oldSetPath, std::string& newSetName,
                 HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    bool SetExists(const std::string& name) const;

    FileIO* fileIO_;
    const std::vector<SetItem>& sets_;
    std::string& oldSetPath_;
    std::string& newSetName_;
    std::vector<SetItem> oldSets_;
};
