// The Zenthor program's files in the program folder.
#include "store/ZenthorFiles.h"

namespace zenthor {

std::string Folder(const std::string& programFolder)
{
    return programFolder + "\\Zenthor";
}

std::string Program(const std::string& programFolder)
{
    return Folder(programFolder) + "\\Zenthor.exe";
}

std::string CodeFile(const std::string& programFolder)
{
    return Folder(programFolder) + "\\ir_data.kvx";
}

std::string HelpPage(const std::string& programFolder)
{
    return Folder(programFolder) + "\\hjälpavsnitt.htm";
}

} // namespace zenthor
