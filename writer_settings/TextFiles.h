// Morvel's own text files (documents, image-folder lists) as whole texts: read at once and split into
// lines, and saved by writing a new file beside the old one that then takes its place.
#pragma once
#include <string>
#include <vector>

namespace textfiles {

// The whole file; false when it cannot be opened or read, or is larger than any file of Morvel's.
bool ReadWhole(const std::string& path, std::string& content);
// The lines without their line ends, as a text-mode reader sees them: CR LF and LF end a line, and a
// last line without a line end counts.
std::vector<std::string> SplitLines(const std::string& content);

// Writes the bytes into a new file in the target's folder, flushes it and moves it over the target,
// so the target is either the file it was or the whole new one. false when any step failed; the file
// there before is then untouched and no temporary file is left.
bool WriteReplacing(const std::string& path, const std::string& bytes);

// The step that writes the bytes into the new file; tests put a failing one in place (as a full disk
// would fail) and restore the real one with null.
using WriteStep = bool (*)(const std::string& path, const std::string& bytes);
void SetWriteStep(WriteStep step);

} // namespace textfiles
