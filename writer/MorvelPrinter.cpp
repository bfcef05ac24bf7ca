// The main window's printer.
#include "writer/MorvelPrinter.h"
#include "framework/Prompt.h"
#include "writer/PrintableArea.h"
#include <winspool.h>
#include <cstring>
#include <vector>

MorvelPrinter::MorvelPrinter()
{
    dialog_.lStructSize = sizeof(dialog_);
}

MorvelPrinter::~MorvelPrinter()
{
    Release();
    ReplaceBlocks(nullptr, nullptr);
}

void MorvelPrinter::ReplaceBlocks(HGLOBAL devMode, HGLOBAL devNames)
{
    if (dialog_.hDevMode && dialog_.hDevMode != devMode)
        ::GlobalFree(dialog_.hDevMode);
    if (dialog_.hDevNames && dialog_.hDevNames != devNames)
        ::GlobalFree(dialog_.hDevNames);
    dialog_.hDevMode = devMode;
    dialog_.hDevNames = devNames;
}

void MorvelPrinter::ChooseStored(const PrintSettings& settings)
{
    if (settings.defaultPrinter_.empty())
        return;
    PRINTDLGA loaded = dialog_;
    loaded.hDevMode = nullptr;
    loaded.hDevNames = nullptr;
    if (settings.LoadPrinterChoice(loaded) == 0) {
        ReplaceBlocks(loaded.hDevMode, loaded.hDevNames);
        return;
    }
    LoadNamedPrinter(settings.defaultPrinter_);
}

// The printer's own device mode and a names block of driver, device and port.
bool MorvelPrinter::LoadNamedPrinter(const std::string& name)
{
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr))
        return false;
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    const bool read = needed && ::GetPrinterA(printer, 2, buffer.data(), needed, &needed);
    ::ClosePrinter(printer);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    if (!read || !info->pDevMode)
        return false;

    const size_t modeSize = info->pDevMode->dmSize + info->pDevMode->dmDriverExtra;
    HGLOBAL devMode = ::GlobalAlloc(GMEM_MOVEABLE, modeSize);
    std::memcpy(::GlobalLock(devMode), info->pDevMode, modeSize);
    ::GlobalUnlock(devMode);

    const std::string driver = info->pDriverName ? info->pDriverName : "";
    const std::string device = info->pPrinterName ? info->pPrinterName : "";
    const std::string port = info->pPortName ? info->pPortName : "";
    const size_t namesSize = sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3;
    HGLOBAL devNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, namesSize);
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(devNames));
    char* text = reinterpret_cast<char*>(names);
    names->wDriverOffset = sizeof(DEVNAMES);
    std::memcpy(text + names->wDriverOffset, driver.c_str(), driver.size() + 1);
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
    std::memcpy(text + names->wDeviceOffset, device.c_str(), device.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    std::memcpy(text + names->wOutputOffset, port.c_str(), port.size() + 1);
    names->wDefault = 0;
    ::GlobalUnlock(devNames);
    ReplaceBlocks(devMode, devNames);
    return true;
}

void MorvelPrinter::SetUp(HWND owner)
{
    if (!dialog_.hDevNames) {
        PRINTDLGA request = dialog_;
        request.hwndOwner = owner;
        request.hDevMode = nullptr;
        request.hDevNames = nullptr;
        request.Flags = PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES |
                        PD_RETURNDEFAULT;
        if (fw::ShowPrintDialog(request))
            ReplaceBlocks(request.hDevMode, request.hDevNames);
    }
    CreateContext();
}

bool MorvelPrinter::Ask(HWND owner, bool setup)
{
    PRINTDLGA request = dialog_;
    request.hwndOwner = owner;
    request.hDC = nullptr;
    request.Flags = PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES |
                    (setup ? PD_PRINTSETUP : 0);
    if (!fw::ShowPrintDialog(request))
        return false;
    if (request.hDC)
        ::DeleteDC(request.hDC);
    ReplaceBlocks(request.hDevMode, request.hDevNames);
    Release();
    CreateContext();
    return true;
}

void MorvelPrinter::CreateContext()
{
    Release();
    if (!dialog_.hDevNames)
        return;
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(dialog_.hDevNames));
    const char* text = reinterpret_cast<const char*>(names);
    const DEVMODEA* mode = dialog_.hDevMode ? static_cast<const DEVMODEA*>(::GlobalLock(dialog_.hDevMode)) : nullptr;
    HDC dc = ::CreateDCA(text + names->wDriverOffset, text + names->wDeviceOffset, nullptr, mode);
    if (mode)
        ::GlobalUnlock(dialog_.hDevMode);
    ::GlobalUnlock(dialog_.hDevNames);
    if (!dc)
        return;
    printer_.dc = dc;
    printer_.printable = PrintableRectangle(GeometryOf(dc));
    printer_.pixelsPerInchX = ::GetDeviceCaps(dc, LOGPIXELSX);
    printer_.pixelsPerInchY = ::GetDeviceCaps(dc, LOGPIXELSY);
}

void MorvelPrinter::Release()
{
    if (printer_.dc)
        ::DeleteDC(printer_.dc);
    printer_ = DocumentPrinter();
}

std::string MorvelPrinter::DeviceName() const
{
    if (!dialog_.hDevMode)
        return std::string();
    const auto* mode = static_cast<const DEVMODEA*>(::GlobalLock(dialog_.hDevMode));
    std::string name(reinterpret_cast<const char*>(mode->dmDeviceName),
                     strnlen(reinterpret_cast<const char*>(mode->dmDeviceName), CCHDEVICENAME));
    ::GlobalUnlock(dialog_.hDevMode);
    return name;
}
