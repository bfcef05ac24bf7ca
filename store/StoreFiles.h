// The files of the set store on disk: whole files read as text or lines, and the comparison of two
// files' contents (the store writes its files through fw::WriteReplacing). The platform's own file
// calls are used, so that names in code page 1252 reach the disk as the ini calls would write them.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace storefile {

// No overlay comes near this; a larger file is not one (the reader, the compiler and the import
// all refuse it).
const unsigned long long kLargestOverlayFile = 64ull * 1024 * 1024;

// The whole file as it stands. False when it cannot be opened or read, or holds more than largest bytes.
bool ReadAll(const std::string& path, std::string& content, unsigned long long largest = ~0ull);
// The lines of a text without their line ends, as a text-mode reader sees them: CR LF and LF end a
// line, and a last line without a line end counts. In a text without any LF, CR ends a line.
std::vector<std::string> SplitLines(const std::string& content);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
// The file's lines. False when the file cannot be opened or read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Whether the two files hold the same bytes: the sizes first, then the contents block by block, so
// that large media files are never read whole. False when either cannot be read.
bool SameContent(const std::string& first, const std::string& second);

// Copies the file over the target; true only when the whole file arrived.
bool CopyWhole(const std::string& source, const std::string& target);

// The long form of a path whose short (8.3) names the system knows; the path itself otherwise.
std::string LongForm(const std::string& path);
// Windows 95 knows no long forms of paths.
bool IsWindows95();

} // namespace storefile
