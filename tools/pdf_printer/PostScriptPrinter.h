// A printer on Wine's PostScript driver whose port is a shell command: Wine pipes each job's
// PostScript to it, so ghostscript can turn the program's own print calls into a PDF file.
#pragma once
#include <string>

namespace pdfprinter {

// Wine's name for a file on the machine beneath (for the shell command of a port); empty when there
// is none.
std::string UnixPath(const std::string& windowsPath);

// Installs the driver with the PPD (a Windows path), then the printer with the port "|<command>",
// replacing a printer of that name, and makes it the default printer. Empty when it stands; else what
// failed.
std::string Install(const std::string& name, const std::string& ppd, const std::string& command);

// True when a printer of that name exists with exactly that port command.
bool IsInstalled(const std::string& name, const std::string& command);

void Remove(const std::string& name);

} // namespace pdfprinter
