// Installs the run command's printer, which writes every print job as a PDF file, and makes it the
// default printer; a printer that stands as asked is kept.
//
//     install_pdf_printer.exe <printer name> <PPD, a Windows path> <shell command that reads the PostScript>
//
// Exit status 0 when the printer stands, 1 with the reason on stderr otherwise.
#include "tools/pdf_printer/PostScriptPrinter.h"
#include <windows.h>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: install_pdf_printer <printer name> <PPD> <command>\n");
        return 2;
    }
    const std::string name = argv[1];
    const std::string command = argv[3];
    if (pdfprinter::IsInstalled(name, command)) {
        if (!::SetDefaultPrinterA(name.c_str())) {
            std::fprintf(stderr, "SetDefaultPrinter failed: %lu\n", ::GetLastError());
            return 1;
        }
        return 0;
    }
    const std::string error = pdfprinter::Install(name, argv[2], command);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
