// The printer the user has chosen, as the system's print dialog hands it over: the device settings
// (DEVMODE) and names (DEVNAMES) of one printer, kept from one print to the next.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// Owns its two global memory blocks. Starts without a printer; LoadDefault takes the default one.
// The print dialogs go through the prompt's replaceable handler, so tests answer them by script.
class Printer {
public:
    Printer() = default;
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The default printer, without a dialog; false when the system has none.
    bool LoadDefault();
    // The system's printer setup dialog on this printer; false when cancelled or failed.
    bool Setup(HWND owner);
    bool IsValid() const { return devNames_ != nullptr; }

    // The printer's name; empty without a printer.
    std::string Name() const;
    // The paper size of the device settings (DMPAPER_...); 0 when unknown.
    short PaperSize() const;
    // Sets the paper size in the device settings (a printer setup a user could have made).
    bool SetPaperSize(short paperSize);
    // Marks the orientation and paper size as the device settings' valid fields, so that a device
    // context made afterwards takes them.
    void MarkPaperFieldsValid();
    // A device context for the printer with its device settings; the caller deletes it. Null
    // without a printer or when the driver refuses.
    HDC CreateDC() const;

private:
    // Puts the dialog's result in place of ours.
    void Take(HGLOBAL devMode, HGLOBAL devNames);

    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
};

} // namespace fw
