// The printer Morvel prints on: the print set-up's device blocks, the printer's device context and
// the printable rectangle of a page. Owned by the main window.
#pragma once
#include "writer/DocumentOwner.h"
#include "writer_settings/PrintSettings.h"
#include <windows.h>
#include <commdlg.h>

class MorvelPrinter {
public:
    MorvelPrinter();
    ~MorvelPrinter();
    MorvelPrinter(const MorvelPrinter&) = delete;
    MorvelPrinter& operator=(const MorvelPrinter&) = delete;

    // The stored choice when it loads, else the printer of the stored name; nothing without a name.
    void ChooseStored(const PrintSettings& settings);
    // The system's default printer when no printer was chosen; then the device context.
    void SetUp(HWND owner);
    // The platform's print dialog (setup: the printer set-up form). false when cancelled; otherwise
    // the chosen printer takes the place of the old one.
    bool Ask(HWND owner, bool setup);
    // Deletes the device context; the next SetUp makes it again.
    void Release();

    // Null while no printer context exists.
    const DocumentPrinter* Printer() const { return printer_.dc ? &printer_ : nullptr; }
    // The device name of the chosen printer's device mode; empty without one.
    std::string DeviceName() const;
    PRINTDLGA& Dialog() { return dialog_; }

private:
    void ReplaceBlocks(HGLOBAL devMode, HGLOBAL devNames);
    bool LoadNamedPrinter(const std::string& name);
    void CreateContext();

    PRINTDLGA dialog_{};
    DocumentPrinter printer_;
};
