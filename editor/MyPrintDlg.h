// The print dialog of the overlay editor: which printer, everything or the optical code alone, grid
// lines or not, and how many copies.
#pragma once
#include "framework/Dialog.h"
#include "framework/Printer.h"
#include "store/ListRecords.h"

// A view over the main window's printer and print options, both kept from one print to the next.
// The options change only on OK; a printer chosen through the setup stays chosen even on Cancel,
// as the system's own setup dialog leaves it.
class MyPrintDlg : public fw::Dialog {
public:
    MyPrintDlg(fw::Printer& printer, PrintOptions& options, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void OnPrinterSetup();

    fw::Printer& printer_;
    PrintOptions& options_;
};
