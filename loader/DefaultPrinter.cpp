// The default printer's request.
#include "loader/DefaultPrinter.h"
#include "framework/Prompt.h"

DefaultPrinter::DefaultPrinter()
{
    request_.lStructSize = sizeof(request_);
    request_.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
}

DefaultPrinter::~DefaultPrinter()
{
    Free();
}

bool DefaultPrinter::Find(HWND owner)
{
    Free();
    request_.hwndOwner = owner;
    request_.Flags |= PD_RETURNDEFAULT;
    const bool found = fw::ShowPrintDialog(request_);
    // The flag only asks for the default once; later print dialogs on this request are shown.
    request_.Flags &= ~static_cast<DWORD>(PD_RETURNDEFAULT);
    return found;
}

void DefaultPrinter::Free()
{
    if (request_.hDevMode != nullptr)
        ::GlobalFree(request_.hDevMode);
    if (request_.hDevNames != nullptr)
        ::GlobalFree(request_.hDevNames);
    request_.hDevMode = nullptr;
    request_.hDevNames = nullptr;
}
