// What the tests of the command sub-dialogs share: a throw-away configuration with the sample's key
// words and a start sequence, for one keyboard model.
#pragma once
#include "framework/Dialog.h"
#include "store/ConfigFixture.h"
#include "store/MouseClickReference.h"
#include <functional>
#include <string>

namespace subdialogtest {

// "Start2" is the current start sequence and "End" the end sequence of a program start.
constexpr char kStartString[] = "<Ctrl+Esc>r";
constexpr char kEndString[] = "<Paus0.5><Return>";

// Runs the dialog modally with the script, and closes it with Cancel when the script left it open (a
// failed assertion returns from the script early), so a fault never hangs the run.
INT_PTR RunClosing(fw::Dialog& dialog, const std::function<void(fw::Dialog&)>& script);

// A key pressed and let go in a one-key box of the special-command dialog, as the box's window
// receives it, with the character it types when it types one.
void PressKey(HWND dialog, int box, int key, char character = 0);

// A click reference of three characters and a name.
MouseClickReference ClickReference(char unit, char target, char corner, const char* name = "");

class SubDialogConfig {
public:
    // model: [Settings] FBStatus ("USB", "PS2" or "ACCESS"); kvoraStart: the [KvoraStart] section,
    // by default with kStartString and kEndString.
    explicit SubDialogConfig(const std::string& model = "PS2", const std::string& kvoraStart = DefaultKvoraStart());

    static std::string DefaultKvoraStart();

    FileIO& Settings() { return *settings_; }
    const ConfigFixture& Config() const { return config_; }

private:
    ConfigFixture config_;
    FileIO* settings_ = nullptr;
};

} // namespace subdialogtest
