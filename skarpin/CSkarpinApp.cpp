// Skarpin's start.
#include "skarpin/CSkarpinApp.h"
#include "skarpin/CSkarpinDlg.h"
#include "skarpin/MainWindowModel.h"
#include <objbase.h>

HWND CSkarpinApp::FindRunningInstance()
{
    // The captions the main window gives itself for PS/2, USB and AccessKvora, so a running copy is
    // found whatever model it is set to.
    for (int model : {0, 1, 2}) {
        if (HWND found = ::FindWindowA(nullptr, MainWindowCaption(model).c_str()))
            return found;
    }
    return nullptr;
}

bool CSkarpinApp::InitApplication()
{
    HWND running = FindRunningInstance();
    if (running == nullptr)
        return true;
    ::SetForegroundWindow(running);
    return false;
}

bool CSkarpinApp::InitInstance()
{
    ::CoInitialize(nullptr);
    {
        CSkarpinDlg dialog;
        dialog.SetOverlayEditorFactory(editorFactory_);
        dialog.SetEditorSettingsDialogs(settingsDialogs_);
        dialog.DoModal();
    }
    ::CoUninitialize();
    return false;
}
