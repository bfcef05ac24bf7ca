// Where the Zenthor program's files lie: the folder "Zenthor" in Skarpin's program folder holds the
// program, its help page and "ir_data.kvx", the file of infrared codes that Skarpin shares with it.
#pragma once
#include <string>

// Every caller passes FileIO's program folder (Skarpin's own folder when [Directories] Exe is
// missing), so the code list, the block dialog's choice, the set compiler and the load dialog all
// meet the same files.
namespace zenthor {

std::string Folder(const std::string& programFolder);
std::string Program(const std::string& programFolder);
std::string CodeFile(const std::string& programFolder);
std::string HelpPage(const std::string& programFolder);

} // namespace zenthor
