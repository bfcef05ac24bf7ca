// Morvel's own text files (documents, image-folder lists) as whole texts: read at once and split into
// lines. They are saved through fw::WriteReplacing, so a failed save leaves the file there before.
#pragma once
#include <string>
#include <vector>

namespace textfiles {

// The whole file; false when it cannot be opened or read, or is larger than any file of Morvel's.
bool ReadWhole(const std::string& path, std::string& content);
// The lines without their line ends, as a text-mode reader sees them: CR LF and LF end a line, and a
// last line without a line end counts.
std::vector<std::string> SplitLines(const std::string& content);

} // namespace textfiles
