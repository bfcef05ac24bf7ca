// The files of the set store on disk: whether a file is there, whole files read as text or lines,
// the one writer that replaces a file only once its new content stands complete, and the comparison
// of two files' contents. The platform's own file calls are used, so that names in code page 1252
// reach the disk as the ini calls would write them.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace storefile {

// Whether anything (a file or a folder) is there.
bool Exists(const std::string& path);
// Whether a file (not a folder) is there.
bool IsFile(const std::string& path);

// The whole file as it stands. False when it cannot be opened or read, or holds more than largest bytes.
bool ReadAll(const std::string& path, std::string& content, unsigned long long largest = ~0ull);
// The lines of a text without their line ends, as a text-mode reader sees them: CR LF and LF end a
// line, and a last line without a line end counts.
std::vector<std::string> SplitLines(const std::string& content);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
// The file's lines. False when the file cannot be opened or read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Writes the text into a new file in the target's folder, checks it, and then moves it over the
// target: the target is either the old file or the whole new one, whatever happens meanwhile, and a
// failed write leaves no stray file. With keepOld the file there before is first moved aside to the
// first free "<file>.bak", "<file>.2.bak", ... False when the target could not be replaced.
bool WriteReplacing(const std::string& path, const std::string& text, bool keepOld = false);

// The step of WriteReplacing that puts the bytes into the new file: true when every byte went in.
// Tests put one in its place that fails part way, as a full disk would; the previous one is returned.
using ByteWriter = bool (*)(HANDLE file, const std::string& bytes);
ByteWriter SetByteWriter(ByteWriter writer);

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
