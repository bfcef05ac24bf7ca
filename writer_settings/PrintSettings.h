// The printer Morvel prints on: its name in the program ini and its device set-up in a file of its own.
#pragma once
#include "writer_settings/MorvelPaths.h"
#include <windows.h>
#include <commdlg.h>
#include <string>

// The printer the user chose: its name in the program ini and its device set-up in
// "DefaultPrinter.inf" in the program folder. The main window owns one by value.
class PrintSettings {
public:
    PrintSettings();
    explicit PrintSettings(const MorvelEnvironment& environment);
    virtual ~PrintSettings() = default;

    // [MVSettings] DefaultPrinter of the program ini.
    void ReadDefaultPrinter();
    // false, writing nothing, when the program ini is there but could not be read, or when it has
    // gone (ProgramIniGone).
    bool WriteDefaultPrinter() const;
    // The program ini was there when ReadDefaultPrinter read it and is not there now: the printer's
    // name never creates it again.
    bool ProgramIniGone() const;
    // Writes the print dialog's device-mode and device-names blocks. 0, or the system's error code
    // (the choice there before is kept then). A file there that CheckPrinterChoice finds unreadable or
    // damaged is never replaced: its error comes back and nothing is written.
    DWORD SavePrinterChoice(const PRINTDLGA& printDialog) const;
    // Reads them into new movable blocks and hands them to the print dialog; the blocks it held
    // before stay the caller's to free. 0, or the system's error code: ERROR_FILE_NOT_FOUND only when
    // no file is there, ERROR_INVALID_DATA for a short or damaged one, another code for a file that
    // could not be read; on failure the dialog's handles are not touched.
    DWORD LoadPrinterChoice(PRINTDLGA& printDialog) const;
    // What LoadPrinterChoice would answer, without taking the blocks.
    DWORD CheckPrinterChoice() const;
    std::string PrinterChoiceFile() const { return programDir_ + "\\DefaultPrinter.inf"; }

    std::string morvelIni_;
    std::string programIni_;
    std::string programDir_;
    std::string defaultPrinter_;

private:
    bool programIniRead_ = false; // ReadDefaultPrinter found the program ini there
    DWORD ReadPrinterChoice(std::string& mode, std::string& names) const;
};
