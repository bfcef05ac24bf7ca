// What the tests that zip_interop_tests.sh runs share: the work folder it made, and file listings.
#pragma once
#include "FileListing.h"
#include <string>
#include <vector>

namespace interop {

// RZ_ZIP_WORK, the script's work folder as Wine sees it; empty when the program runs without it.
std::string WorkFolder();
// The files below the folder, as relative names with '/' between folders.
inline void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& names)
{
    ListFilesBelow(folder, prefix, '/', names);
}
std::string Backslashed(std::string name);

} // namespace interop
