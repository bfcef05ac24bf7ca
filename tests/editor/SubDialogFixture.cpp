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

MouseClickReference ClickReference(char unit, char target, char corner, const char* name)
{
    MouseClickReference reference;
    reference.unit_ = unit;
    reference.target_ = target;
    reference.corner_ = corner;
    reference.name_ = name;
    return reference;
}

SubDialogConfig::SubDialogConfig(const std::string& model)
{
    config_.WriteWindowsSettings("[Directories]\r\nExe=" + config_.ProgramFolder() + "\r\n[Settings]\r\nFBStatus=" +
                                 model + "\r\n");
    config_.WriteProgramSettings(commandtest::SampleKeySections() + "[KvoraStart]\r\nDefaultStart=2\r\nStart1=<Alt>\r\n" +
                                 "Start2=" + kStartString + "\r\nEnd=" + kEndString + "\r\n");
    settings_ = &config_.Open();
}

} // namespace subdialogtest
