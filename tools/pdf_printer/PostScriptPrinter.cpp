// Printers on Wine's PostScript driver: the driver, the printer and its port, through the spooler.
#include "tools/pdf_printer/PostScriptPrinter.h"
#include <windows.h>
#include <winspool.h>
#include <vector>

namespace pdfprinter {

namespace {
const char kDriverName[] = "Rizovuvuri Test PostScript";
} // namespace

std::string UnixPath(const std::string& windowsPath)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return std::string();
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixName(wide.c_str());
    if (!name)
        return std::string();
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

void Remove(const std::string& name)
{
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) {
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
}

bool IsInstalled(const std::string& name, const std::string& command)
{
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr))
        return false;
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    const bool read = needed != 0 && ::GetPrinterA(printer, 2, buffer.data(), needed, &needed);
    ::ClosePrinter(printer);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    return read && info->pPortName != nullptr && info->pPortName == "|" + command;
}

std::string Install(const std::string& name, const std::string& ppdSource, const std::string& command)
{
    char driverFolder[MAX_PATH] = "";
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverFolder), sizeof(driverFolder),
                                      &needed))
        return "no printer driver folder";
    const std::string ppd = std::string(driverFolder) + "\\rz-test-printer.ppd";
    if (!::CopyFileA(ppdSource.c_str(), ppd.c_str(), FALSE))
        return "the PPD " + ppdSource + " could not be copied";
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriverName);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd.c_str());
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))
        && ::GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return "AddPrinterDriver failed: " + std::to_string(::GetLastError());

    const std::string port = "|" + command;
    Remove(name);
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(kDriverName);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer)
        return "AddPrinter failed: " + std::to_string(::GetLastError());
    ::ClosePrinter(printer);
    if (!::SetDefaultPrinterA(name.c_str())) {
        const std::string error = "SetDefaultPrinter failed: " + std::to_string(::GetLastError());
        Remove(name);
        return error;
    }
    return std::string();
}

} // namespace pdfprinter
