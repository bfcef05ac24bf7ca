// The files below a folder, for tests that compare what a program unpacked or placed.
#pragma once
#include <string>
#include <vector>

// Appends each file (not folder) below the folder as its relative name after prefix, with the
// separator between folders, in the order the system lists them.
void ListFilesBelow(const std::string& folder, const std::string& prefix, char separator,
                    std::vector<std::string>& names);
