// Morvel's start.
#include "writer/CMorvelApp.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer/CMorvelDlg.h"
#include <commctrl.h>
#include <objbase.h>

namespace {

struct Search {
    std::string caption;
    HWND found = nullptr;
};

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TitleOf(HWND window)
{
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof(title));
    return title;
}

// A dialog window that is Morvel's main window: marked as such, or titled with the bare program name
// as a main window that predates the mark is.
BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (ClassOf(window) != "#32770")
        return TRUE;
    if (::GetPropA(window, CMorvelDlg::kMainWindowProperty) || TitleOf(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CMorvelApp::CMorvelApp() : CMorvelApp(MorvelEnvironment::OfThisProgram()) {}

CMorvelApp::CMorvelApp(const MorvelEnvironment& environment) : environment_(environment), paths_(environment) {}

HWND CMorvelApp::FindRunningInstance()
{
    Search search;
    search.caption = fw::LoadResString(IDS_MORVEL_NAME);
    ::EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CMorvelApp::InitApplication()
{
    HWND running = FindRunningInstance();
    if (!running)
        return true;
    ::SetForegroundWindow(running);
    return false;
}

std::string CMorvelApp::CommandLineArgument(const char* commandLine)
{
    std::string text = commandLine ? commandLine : "";
    size_t start = 0;
    // The program's own name, quoted or not, and the blanks after it.
    if (!text.empty() && text[0] == '"') {
        const size_t close = text.find('"', 1);
        start = close == std::string::npos ? text.size() : close + 1;
    } else {
        start = text.find_first_of(" \t");
        if (start == std::string::npos)
            start = text.size();
    }
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    std::string argument = text.substr(start);
    // A path with blanks comes quoted from the shell; its quotes are no part of the file's name.
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"' &&
        argument.find('"', 1) == argument.size() - 1)
        argument = argument.substr(1, argument.size() - 2);
    return argument;
}

bool CMorvelApp::InitInstance(const std::string& commandLine)
{
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    {
        CMorvelDlg dialog(environment_, commandLine);
        dialog.DoModal();
    }
    ::CoUninitialize();
    return false;
}
