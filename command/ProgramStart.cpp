// Program starts in block commands: building, the "<Run " form and splitting.
#include "command/ProgramStart.h"
#include "command/CommandReading.h"
#include "command/CommandSyntax.h"
#include <algorithm>

namespace command {

namespace {

const char kRun[] = "<Run ";

bool HoldsTagCharacter(const std::string& text)
{
    return text.find_first_of(",<>") != std::string::npos;
}

} // namespace

CommandRefusal BuildProgramStart(const std::string& start, const std::string& end, const std::string& program,
                                 const std::string& file, std::string& command)
{
    if (program.empty())
        return CommandRefusal::NoProgram;
    if (HoldsTagCharacter(program))
        return CommandRefusal::ProgramCharacters;
    if (HoldsTagCharacter(file))
        return CommandRefusal::FileCharacters;
    std::string built = start + program + (file.empty() ? std::string() : " " + file) + end;
    if (built.size() > kMaxCommandLength)
        return CommandRefusal::TooLong;
    command = built;
    return CommandRefusal::None;
}

std::string ContractProgramStart(const std::string& command, const std::string& start, const std::string& end)
{
    if (start.empty() || end.empty())
        return command;
    size_t startAt = command.find(start);
    if (startAt == std::string::npos)
        return command;
    size_t programAt = startAt + start.size();
    size_t endAt = command.find(end, programAt);
    if (endAt == std::string::npos)
        return command;
    std::string contracted = command.substr(0, startAt) + kRun + command.substr(programAt, endAt - programAt) + ">" +
                             command.substr(endAt + end.size());
    // A '>' in the program part, or a "<Run " before it, would expand into another command: keep the
    // long form then rather than lose the command on the way back.
    return ExpandProgramStart(contracted, start, end) == command ? contracted : command;
}

std::string ExpandProgramStart(const std::string& command, const std::string& start, const std::string& end)
{
    size_t runAt = command.find(kRun);
    if (runAt == std::string::npos)
        return command;
    std::string expanded = command.substr(0, runAt) + start;
    size_t programAt = runAt + sizeof(kRun) - 1;
    size_t close = command.find('>', programAt);
    if (close == std::string::npos)
        return expanded + command.substr(programAt);
    return expanded + command.substr(programAt, close - programAt) + end + command.substr(close + 1);
}

ProgramStartPart FindProgramStart(const std::string& command, const std::string& start, const std::string& end)
{
    ProgramStartPart part;
    const size_t runAt = command.find(kRun);
    const size_t startAt = start.empty() ? std::string::npos : command.find(start);
    size_t programAt = 0;
    if (runAt != std::string::npos) {
        part.at = runAt;
        programAt = runAt + sizeof(kRun) - 1;
    } else if (startAt != std::string::npos) {
        part.at = startAt;
        programAt = startAt + start.size();
    }
    const std::string text = command.substr(programAt);
    const size_t endAt = end.empty() ? std::string::npos : text.find(end);
    part.programAndFile = text.substr(0, std::min(endAt, text.find_first_of("<>")));
    size_t after = programAt + part.programAndFile.size();
    // What closes the program start goes with it: the "<Run " form's '>', else the end string.
    if (runAt != std::string::npos && command.compare(after, 1, ">") == 0)
        after += 1;
    else if (runAt == std::string::npos && (startAt != std::string::npos || start.empty()) && !end.empty() &&
             command.compare(after, end.size(), end) == 0)
        after += end.size();
    part.length = after - part.at;
    return part;
}

void ReadProgramStart(const std::string& command, const std::string& start, const std::string& end,
                      std::string& program, std::string& file, const std::function<bool(const std::string&)>& isFile)
{
    const std::string text = FindProgramStart(command, start, end).programAndFile;
    const size_t programEnd = ProgramEnd(text, isFile);
    program = text.substr(0, programEnd);
    file = programEnd < text.size() ? text.substr(programEnd + 1) : std::string();
}

} // namespace command
