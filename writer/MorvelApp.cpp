// Morvel's entry point: the start-up object refuses a second copy and runs the main window.
#include "writer/CMorvelApp.h"
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CMorvelApp application;
    if (application.InitApplication())
        application.InitInstance(CMorvelApp::CommandLineArgument(::GetCommandLineA()));
    return 0;
}
