// The default printer as a print dialog's request that never showed: its device mode and names,
// found once when the main window has opened, and printed through by every overlay editor and the
// margin sheet until the program ends.
#pragma once
#include <windows.h>
#include <commdlg.h>

// Owns the request's device mode and names.
class DefaultPrinter {
public:
    DefaultPrinter();
    ~DefaultPrinter();
    DefaultPrinter(const DefaultPrinter&) = delete;
    DefaultPrinter& operator=(const DefaultPrinter&) = delete;

    // Asks the system for the default printer without showing anything; false, silently, when
    // there is none. The request is kept either way.
    bool Find(HWND owner);
    bool Found() const { return request_.hDevNames != nullptr; }
    PRINTDLGA& Request() { return request_; }

private:
    void Free();

    PRINTDLGA request_{};
};
