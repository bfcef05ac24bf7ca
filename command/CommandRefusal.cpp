// The messages of the command writers' refusals.
#include "command/CommandRefusal.h"
#include "command/CommandSyntax.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace command {

UINT RefusalTextId(CommandRefusal refusal)
{
    switch (refusal) {
    case CommandRefusal::None: return 0;
    case CommandRefusal::PauseCharacters: return IDS_COMMAND_PAUSE_CHARACTERS;
    case CommandRefusal::PauseTooLong: return IDS_COMMAND_PAUSE_TOO_LONG;
    case CommandRefusal::NoProgram: return IDS_COMMAND_NO_PROGRAM;
    case CommandRefusal::ProgramCharacters: return IDS_COMMAND_PROGRAM_CHARACTERS;
    case CommandRefusal::FileCharacters: return IDS_COMMAND_FILE_CHARACTERS;
    case CommandRefusal::TooLong: return IDS_COMMAND_TOO_LONG;
    }
    return 0;
}

std::string RefusalText(CommandRefusal refusal)
{
    if (refusal == CommandRefusal::TooLong)
        return fw::FormatResString(IDS_COMMAND_TOO_LONG, static_cast<int>(kMaxCommandLength));
    UINT id = RefusalTextId(refusal);
    return id ? fw::LoadResString(id) : std::string();
}

void ShowRefusal(HWND owner, CommandRefusal refusal)
{
    if (refusal == CommandRefusal::None)
        return;
    fw::ShowMessage(owner, RefusalTextId(refusal), RefusalText(refusal), fw::LoadResString(IDS_COMMAND_ERROR_CAPTION),
                    MB_OK | MB_ICONSTOP);
}

} // namespace command
