// The file-name and file tests that every part of the programs uses: one of each.
#pragma once
#include <string>

namespace fw {

// The text after the last '.' of the file name, as written; empty when the name has none. A dot in a
// folder's name is no extension ("C:\ljud.mapp\hej" has none).
std::string FileExtension(const std::string& path);

// An existing file; false for a folder and for a name that is not there.
bool FileExists(const std::string& path);
// Anything by that name, a file or a folder: the name is taken.
bool PathExists(const std::string& path);

} // namespace fw
