// What the writers of block commands refuse, and the message that tells the user why.
#pragma once
#include <windows.h>
#include <string>

enum class CommandRefusal {
    None,
    PauseCharacters,  // a pause text with a character other than digits, '.' and ','
    PauseTooLong,     // more than 25 seconds
    NoProgram,        // a program start without a program
    ProgramCharacters, // a ',' in the program
    FileCharacters,   // a ',' in the file
    TooLong,          // a command longer than a block holds
};

namespace command {

// The string-table entry of the message (0 for None), and the message as shown.
UINT RefusalTextId(CommandRefusal refusal);
std::string RefusalText(CommandRefusal refusal);
// Shows the message, caption "Felmeddelande", with the stop icon; nothing for None.
void ShowRefusal(HWND owner, CommandRefusal refusal);

} // namespace command
