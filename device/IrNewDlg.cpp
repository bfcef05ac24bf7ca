// Choosing the kind of a new infrared code.
#include "device/IrNewDlg.h"
#include "skarpin/resource.h"

const char IrNewDlg::kTypes[] = "IGX";

namespace {

const int kRadios[] = {IDC_IR_KIND_RECORD, IDC_IR_KIND_RAVIKLINK, IDC_IR_KIND_SECURITY};

} // namespace

IrNewDlg::IrNewDlg(int& kind, HWND parent) : fw::Dialog(IDD_IR_NEW, parent), kind_(kind) {}

bool IrNewDlg::OnInitDialog()
{
    SetChecked(IDC_IR_KIND_RECORD, true);
    return true;
}

bool IrNewDlg::OnOK()
{
    for (int kind = 0; kind < 3; ++kind) {
        if (IsChecked(kRadios[kind]))
            kind_ = kind;
    }
    return true;
}
