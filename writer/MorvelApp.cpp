// Morvel's entry point. Until the main window stands, the program shows its about box and ends.
#include "library/AboutDlg.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);
    const std::string version;
    const std::string date;
    AboutDlg(version, date).DoModal();
    ::CoUninitialize();
    return 0;
}
