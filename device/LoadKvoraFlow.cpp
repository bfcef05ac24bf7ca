// The load dialog's flows: what they share.
#include "device/LoadKvoraFlow.h"
#include "framework/Strings.h"
#include <shellapi.h>

void LoadFlow::SetText(UINT textId)
{
    SetText(textId, fw::LoadResString(textId));
}

void LoadFlow::SetText(UINT textId, const std::string& text)
{
    screen_.textId = textId;
    screen_.text = text;
}

bool StartProgramHidden(const std::string& program, const std::string& folder)
{
    // The system's own message about a missing program must not stand in for the dialog's text.
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    start.lpVerb = "open";
    start.lpFile = program.c_str();
    start.lpDirectory = folder.c_str();
    start.nShow = SW_HIDE;
    // The platform answers a number above 32 when the program started.
    return ::ShellExecuteExA(&start) && reinterpret_cast<INT_PTR>(start.hInstApp) > 32;
}

bool LoadFlow::StartHidden(const std::string& program, const std::string& folder)
{
    return StartProgramHidden(program, folder);
}
