// The messages of the set and overlay dialogs and commands: refusals and failures under the caption
// "Felmeddelande", texts formatted from the string table, and lists of names or files in a message.
#pragma once
#include "store/FileIO.h"
#include <windows.h>
#include <string>
#include <vector>

namespace commandmessages {

// A refusal or a failure: the string-table text, the caption "Felmeddelande", the error icon and OK.
void ShowError(HWND owner, UINT textId);
// The same with the string's printf fields filled in.
void ShowErrorFormatted(HWND owner, UINT textId, ...);
// Something went, but not all of it: the warning icon.
void ShowWarningFormatted(HWND owner, UINT textId, ...);
// One line per entry, for a list inside a message.
std::string OnePerLine(const std::vector<std::string>& entries);
// When the set's register is there but cannot be read: textId with the register's path, the reason
// and the set's name ("%s", "%s", "%s"), and true. False, with nothing shown, for a register that
// reads or is absent, and for the templates set, which has none.
bool TellUnreadableRegister(HWND owner, const FileIO& fileIO, UINT textId, const std::string& setName);

} // namespace commandmessages
