// The start of a program as a block command: the stored long form (the start string that opens the
// system's run prompt, the program, a file, the end string) and the "<Run " form the editor may show.
#pragma once
#include "command/CommandRefusal.h"
#include "framework/Files.h"
#include <functional>
#include <string>

namespace command {

// The long form: start string, program, a blank and the file when there is one, end string. Refuses an
// empty program, a program or file with a ',' (or a '<' or '>', which would open or close a tag in the
// command), and a command longer than a block holds; command is set only when nothing is refused.
CommandRefusal BuildProgramStart(const std::string& start, const std::string& end, const std::string& program,
                                 const std::string& file, std::string& command);

// For display: the first start string and the end string after it become "<Run " and ">". The command
// stays as it is when either string is empty or missing, or when the short form would not expand back
// to the same command.
std::string ContractProgramStart(const std::string& command, const std::string& start, const std::string& end);
// Before storing: the first "<Run " becomes the start string and the first '>' after it the end string.
std::string ExpandProgramStart(const std::string& command, const std::string& start, const std::string& end);

// Where the program start stands in a command, as ReadProgramStart reads it: from "<Run " through
// its '>', else from the start string (from the beginning when it is empty) through the end string
// when it follows the program and file, else the text before the first tag. programAndFile: the text between.
struct ProgramStartPart {
    size_t at = 0;
    size_t length = 0;
    std::string programAndFile;
};
ProgramStartPart FindProgramStart(const std::string& command, const std::string& start, const std::string& end);

// The program and the file of a program start in either form, as BuildProgramStart wrote them (see
// ProgramEnd for where the program ends): after "<Run ", else after the start string when the command
// holds it, else from the beginning (an empty start string); up to the end string or the first tag,
// which neither of them can hold.
// isFile: whether a text names an existing file, as ProgramEnd takes it.
void ReadProgramStart(const std::string& command, const std::string& start, const std::string& end,
                      std::string& program, std::string& file,
                      const std::function<bool(const std::string&)>& isFile = fw::FileExists);

} // namespace command
