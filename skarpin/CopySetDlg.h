// The dialog that asks for the name of a new set (template 1601) or of a copy of a set (1561).
#pragma once
#include "store/ListRecords.h"
#include "store/NameBoxDialog.h"
#include <string>
#include <vector>

class FileIO;

// Refuses the name of a listed set, and of any folder the set folder holds already; on OK the name
// holds the text as typed. The caller creates or copies the set.
class CopySetDlg : public NameBoxDialog {
public:
    CopySetDlg(FileIO* fileIO, UINT templateId, std::string& name, const std::vector<SetItem>& sets,
               HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:

    FileIO* fileIO_;
    std::string& name_;
    const std::vector<SetItem>& sets_;
};
