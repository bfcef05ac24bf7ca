// Morvel's entry point. Until the main window stands, the program shows its about box and ends.
#include "library/AboutDlg.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/ProgramVersion.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);
    // The program file's version and date; the year stands first only in the Swedish language variant
    // (the program's name after its last '.').
    const std::string file = RunningProgramFile();
    const ProgramVersion program = ReadProgramVersion(file);
    std::string variant = ImageBaseManager::GetFileTitle(file);
    variant = variant.substr(variant.rfind('.') == std::string::npos ? 0 : variant.rfind('.') + 1);
    const std::string date =
        program.dated ? FormatProgramDate(program.lastWrite, cp1252::EqualsNoCase(variant, "swedish")) : std::string();
    AboutDlg(program.version, date).DoModal();
    ::CoUninitialize();
    return 0;
}
