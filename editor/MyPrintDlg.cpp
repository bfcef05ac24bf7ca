// The print dialog: it copies the print options into its controls and back on OK.
#include "editor/MyPrintDlg.h"
#include "editor/OverlayPrintPlan.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "resources/skarpin/resource.h"

MyPrintDlg::MyPrintDlg(fw::Printer& printer, PrintOptions& options, HWND parent)
    : Dialog(IDD_PRINT, parent), printer_(printer), options_(options)
{
}

bool MyPrintDlg::OnInitDialog()
{
    SetItemText(IDC_PRINT_PRINTER_NAME, printer_.Name());
    SetChecked(IDC_PRINT_ALL, options_.opticalCodeOnly_ == 0);
    SetChecked(IDC_PRINT_CODE_ONLY, options_.opticalCodeOnly_ != 0);
    SetChecked(IDC_PRINT_GRID, options_.grid_ != 0);
    SetItemText(IDC_PRINT_COPIES, fw::Format("%d", options_.copies_));
    // The focus goes to OK, which Enter presses: left to the system it would land on the first
    // button, "Inställningar...", whose focus frame would say that Enter opens the printer setup.
    Item(IDOK).SetFocus();
    return false;
}

bool MyPrintDlg::OnCommand(int id, int code)
{
    if (id == IDC_PRINT_SETUP && code == BN_CLICKED) {
        OnPrinterSetup();
        return true;
    }
    return false;
}

void MyPrintDlg::OnPrinterSetup()
{
    if (printer_.Setup(hwnd_))
        SetItemText(IDC_PRINT_PRINTER_NAME, printer_.Name());
}

bool MyPrintDlg::OnOK()
{
    // A number of copies that is not a whole number in range would print nothing or a pile of paper.
    int copies = 0;
    if (!ParseCopies(ItemText(IDC_PRINT_COPIES), copies)) {
        fw::ShowMessage(hwnd_, IDS_PRINT_BAD_COPIES, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        HWND box = Item(IDC_PRINT_COPIES);
        ::SetFocus(box);
        ::SendMessageA(box, EM_SETSEL, 0, -1);
        return false;
    }
    options_.opticalCodeOnly_ = IsChecked(IDC_PRINT_CODE_ONLY) ? 1 : 0;
    options_.grid_ = IsChecked(IDC_PRINT_GRID) ? 1 : 0;
    options_.copies_ = copies;
    return true;
}
