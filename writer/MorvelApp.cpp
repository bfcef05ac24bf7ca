// Morvel's entry point. Until the main window stands, the program shows its about box and ends.
#include "library/AboutDlg.h"
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
    // The program file's version and date; the year stands first only in the Swedish language variant.
    const ProgramEnvironment environment = ProgramEnvironment::OfThisProgram();
    const ProgramVersion program = ReadProgramVersion(VersionFileOf(environment));
    const std::string date =
        program.dated ? FormatProgramDate(program.lastWrite, environment.Variant() == "swedish") : std::string();
    AboutDlg(program.version, date).DoModal();
    ::CoUninitialize();
    return 0;
}
