// The chosen printer: the print dialog's device settings and names, and device contexts made from them.
#include "framework/Printer.h"
#include "framework/Prompt.h"

namespace fw {

namespace {

// The three names of a DEVNAMES block: driver, device and port.
struct DeviceNames {
    std::string driver;
    std::string device;
    std::string port;
};

DeviceNames ReadNames(HGLOBAL devNames)
{
    DeviceNames names;
    if (!devNames)
        return names;
    const auto* block = static_cast<const DEVNAMES*>(::GlobalLock(devNames));
    if (!block)
        return names;
    const char* base = reinterpret_cast<const char*>(block);
    names.driver = base + block->wDriverOffset;
    names.device = base + block->wDeviceOffset;
    names.port = base + block->wOutputOffset;
    ::GlobalUnlock(devNames);
    return names;
}

} // namespace

Printer::~Printer()
{
    Take(nullptr, nullptr);
}

void Printer::Take(HGLOBAL devMode, HGLOBAL devNames)
{
    if (devMode_ && devMode_ != devMode)
        ::GlobalFree(devMode_);
    if (devNames_ && devNames_ != devNames)
        ::GlobalFree(devNames_);
    devMode_ = devMode;
    devNames_ = devNames;
}

bool Printer::LoadDefault()
{
    PRINTDLGA request{};
    request.lStructSize = sizeof(request);
    request.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgA(&request)) // no dialog is shown in this mode, so no handler is asked
        return false;
    Take(request.hDevMode, request.hDevNames);
    return true;
}

bool Printer::Setup(HWND owner)
{
    PRINTDLGA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.hDevMode = devMode_;
    request.hDevNames = devNames_;
    request.Flags = PD_PRINTSETUP;
    const bool chosen = ShowPrintDialog(request);
    // The dialog may have replaced the blocks even when it was cancelled: ours are the ones it left.
    devMode_ = request.hDevMode;
    devNames_ = request.hDevNames;
    return chosen;
}

std::string Printer::Name() const
{
    return ReadNames(devNames_).device;
}

short Printer::PaperSize() const
{
    if (!devMode_)
        return 0;
    const auto* mode = static_cast<const DEVMODEA*>(::GlobalLock(devMode_));
    if (!mode)
        return 0;
    const short size = (mode->dmFields & DM_PAPERSIZE) ? mode->dmPaperSize : 0;
    ::GlobalUnlock(devMode_);
    return size;
}

bool Printer::SetPaperSize(short paperSize)
{
    if (!devMode_)
        return false;
    auto* mode = static_cast<DEVMODEA*>(::GlobalLock(devMode_));
    if (!mode)
        return false;
    mode->dmPaperSize = paperSize;
    mode->dmFields |= DM_PAPERSIZE;
    ::GlobalUnlock(devMode_);
    return true;
}

void Printer::MarkPaperFieldsValid()
{
    if (!devMode_)
        return;
    if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(devMode_))) {
        mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
        ::GlobalUnlock(devMode_);
    }
}

HDC Printer::CreateDC() const
{
    const DeviceNames names = ReadNames(devNames_);
    if (names.device.empty())
        return nullptr;
    const auto* mode = devMode_ ? static_cast<const DEVMODEA*>(::GlobalLock(devMode_)) : nullptr;
    HDC dc = ::CreateDCA(names.driver.c_str(), names.device.c_str(), nullptr, mode);
    if (mode)
        ::GlobalUnlock(devMode_);
    return dc;
}

} // namespace fw
