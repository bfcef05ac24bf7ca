// Messages of the set and overlay dialogs and commands.
#include "store/CommandMessages.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <cstdarg>

namespace commandmessages {

namespace {

void ShowFormatted(HWND owner, UINT textId, UINT icon, va_list arguments)
{
    const std::string format = fw::LoadResString(textId);
    const std::string text = fw::FormatV(format.c_str(), arguments);
    fw::ShowMessage(owner, textId, text, fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | icon);
}

} // namespace

void ShowError(HWND owner, UINT textId)
{
    fw::ShowMessage(owner, textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
}

void ShowErrorFormatted(HWND owner, UINT textId, ...)
{
    va_list arguments;
    va_start(arguments, textId);
    ShowFormatted(owner, textId, MB_ICONERROR, arguments);
    va_end(arguments);
}

void ShowWarningFormatted(HWND owner, UINT textId, ...)
{
    va_list arguments;
    va_start(arguments, textId);
    ShowFormatted(owner, textId, MB_ICONWARNING, arguments);
    va_end(arguments);
}

std::string OnePerLine(const std::vector<std::string>& entries)
{
    std::string text;
    for (const std::string& entry : entries) {
        if (!text.empty())
            text += "\n";
        text += entry;
    }
    return text;
}

} // namespace commandmessages
