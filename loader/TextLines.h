// Whole text files of the set store, read as lines and written in one go, by the platform's own
// file calls so that names in code page 1252 reach the disk as the ini calls would write them.
#pragma once
#include <string>
#include <vector>

namespace textfile {

// The whole file as it stands. False when it cannot be opened or read.
bool ReadAll(const std::string& path, std::string& content);
// The file's lines without their line ends (CR LF or LF); a last line without a line end counts.
// False when the file cannot be opened or read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);
// Creates the file anew (overwriting) with exactly these bytes. False when it cannot be created or
// not every byte was written.
bool Write(const std::string& path, const std::string& content);

} // namespace textfile
