// The dialog that chooses the template a new overlay starts from, or none.
#pragma once
#include "framework/Dialog.h"
#include <string>

class FileIO;

// Lists "<Ingen>" and the overlays of the templates set; on OK the template name is the chosen
// template's, or empty for none. A double click chooses as OK does.
class TemplateDlg : public fw::Dialog {
public:
    TemplateDlg(FileIO* fileIO, std::string& templateName, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    FileIO* fileIO_;
    std::string& templateName_;
};
