// Until overlay files can be read and written here, an overlay's media and paths stay as they are.
#include "loader/FileIO.h"

bool FileIO::ImportOverlay(const std::string&, const std::string&, const std::string&, int)
{
    return true;
}

bool FileIO::ReplaceOverlayPaths(const std::string&, const std::string&, int, const std::string&, const std::string&,
                                 int)
{
    return true;
}
