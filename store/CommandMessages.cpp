// Messages of the set and overlay dialogs and commands.
#include "store/CommandMessages.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <cstdarg>

namespace commandmessages {

namespace {

// The reason a register that is there could not be read; 0 for one that reads or is absent.
UINT WhyUnreadable(FileIO::RegisterState state)
{
    switch (state) {
    case FileIO::RegisterState::kLocked:
        return IDS_REGISTER_LOCKED;
    case FileIO::RegisterState::kNoPermission:
        return IDS_REGISTER_NO_PERMISSION;
    case FileIO::RegisterState::kOtherForm:
        return IDS_REGISTER_OTHER_FORM;
    case FileIO::RegisterState::kNotReadWhole:
        return IDS_REGISTER_NOT_READ_WHOLE;
    case FileIO::RegisterState::kAbsent:
    case FileIO::RegisterState::kReadable:
        break;
    }
    return 0;
}

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

bool TellUnreadableRegister(HWND owner, const FileIO& fileIO, UINT textId, const std::string& setName)
{
    if (setName.empty() || fileIO.IsTemplatesSet(setName))
        return false;
    const UINT why = WhyUnreadable(fileIO.ReadRegisterState(setName));
    if (why == 0)
        return false;
    ShowErrorFormatted(owner, textId, fileIO.SetRegisterPath(setName).c_str(), fw::LoadResString(why).c_str(),
                       setName.c_str());
    return true;
}

} // namespace commandmessages
