// The sub-dialogs' configuration.
#include "SubDialogFixture.h"
#include "CommandFixture.h"
#include "support/DialogDriver.h"

namespace subdialogtest {

INT_PTR RunClosing(fw::Dialog& dialog, const std::function<void(fw::Dialog&)>& script)
{
    return testsupport::RunModal(dialog, [&](fw::Dialog& window) {
        script(window);
        if (::IsWindowVisible(window))
            window.EndDialog(IDCANCEL);
    });
}

void PressKey(HWND dialog, int box, int key, char character)
{
    HWND window = ::GetDlgItem(dialog, box);
    ::SendMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    if (character)
        ::SendMessageA(window, WM_CHAR, static_cast<unsigned char>(character), 1);
    ::SendMessageA(window, WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(0xC0000001));
}

MouseClickReference ClickReference(char unit, char target, char corner, const char* name)
{
    MouseClickReference reference;
    reference.unit_ = unit;
    reference.target_ = target;
    reference.corner_ = corner;
    reference.name_ = name;
    return reference;
}

std::string SubDialogConfig::DefaultKvoraStart()
{
    return std::string("[KvoraStart]\r\nDefaultStart=2\r\nStart1=<Alt>\r\nStart2=") + kStartString + "\r\nEnd=" +
           kEndString + "\r\n";
}

SubDialogConfig::SubDialogConfig(const std::string& model, const std::string& kvoraStart)
{
    config_.WriteWindowsSettings("[Directories]\r\nExe=" + config_.ProgramFolder() + "\r\n[Settings]\r\nFBStatus=" +
                                 model + "\r\n");
    config_.WriteProgramSettings(commandtest::SampleKeySections() + kvoraStart);
    settings_ = &config_.Open();
}

} // namespace subdialogtest
