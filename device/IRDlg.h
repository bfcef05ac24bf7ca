// The choice of an infrared code for a block command on the AccessKvora model: the block definition
// dialog's "IR-kommando" button opens it.
#pragma once
#include "framework/Dialog.h"
#include "store/IrCodeTable.h"
#include <string>

// Lists the codes of "Zenthor\ir_data.kvx" in the program folder (FileIO's program folder) and on OK
// gives the tag "<IR%d>" of the chosen slot; without a choice the result stays as it was. The caller
// places the dialog (PlaceOnOpen).
class IRDlg : public fw::Dialog {
public:
    IRDlg(const std::string& programFolder, std::string& result, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    std::string programFolder_;
    std::string& result_;
    IrCodeTable table_;
};
