// Skarpin's entry point: the start-up object refuses a second copy and runs the main window.
#include "editor/EditOverlayDlg.h"
#include "editor/MarginSheet.h"
#include "editor/StartSettingsDlg.h"
#include "skarpin/CSkarpinApp.h"
#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    CSkarpinApp application;
    application.SetOverlayEditorFactory(EditOverlayDlg::Factory());
    EditorSettingsDialogs dialogs;
    dialogs.printMargins = RunMarginSheet;
    dialogs.startSettings = RunStartSettings;
    application.SetEditorSettingsDialogs(std::move(dialogs));
    if (application.InitApplication())
        application.InitInstance();
    return 0;
}
