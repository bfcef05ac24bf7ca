// The file-name and file tests that every part of the programs uses: one of each.
#pragma once
#include <functional>
#include <string>

namespace fw {

// The text after the last '.' of the file name, as written; empty when the name has none. A dot in a
// folder's name is no extension ("C:\ljud.mapp\hej" has none).
std::string FileExtension(const std::string& path);
// The folder a path names its file in: everything before the last '\' or '/'; empty for a bare file
// name, which names no folder of its own.
std::string FolderOf(const std::string& path);

// Whether Windows takes one part of a path for a device rather than a file, whatever extension or
// trailing blanks follow: CON, PRN, AUX, NUL, CONIN$, CONOUT$, CLOCK$, and COM and LPT with a digit
// 0-9 or a superscript one, two or three (cp1252 0xB9, 0xB2, 0xB3). Letter case does not matter.
bool IsDeviceName(const std::string& part);

// What a reader found: nothing by that name (the only answer that may be written fresh), the whole
// file, or something there that could not be read whole (locked, no permission, larger than the
// reader takes, a folder where the file should be). A reader never takes the third for the first.
enum class FileRead { Absent, Whole, Unreadable };
// Reads the whole file into content (emptied first). A name whose folder is missing is absent too.
FileRead ReadWholeFile(const std::string& path, std::string& content, unsigned long long largest = ~0ull);
// Whether nothing at all stands under the name: the system says the file or its folder is not found.
// False for a name it cannot tell about (no permission on the folder, a device, a bad name).
bool IsAbsent(const std::string& path);

// How a text file's bytes are written. Our files are single-byte text; a file saved by a text editor
// "as Unicode" (UTF-16, with or without its byte-order mark), one with a UTF-8 byte-order mark, or one
// holding NUL bytes is another form that no line reader of ours understands.
enum class TextForm { SingleByte, Utf8WithMark, Utf16, Binary };
TextForm TextFormOf(const std::string& bytes);

// An existing file; false for a folder and for a name that is not there.
bool FileExists(const std::string& path);
// An existing folder; false for a file and for a name that is not there.
bool FolderExists(const std::string& path);
// Anything by that name, a file or a folder: the name is taken.
bool PathExists(const std::string& path);

// The path as the file system finds it, in one spelling: completed against the current folder, '/'
// read as '\', "." and ".." resolved, without a trailing separator (a drive's root keeps its own),
// the short (8.3) names of the part that exists replaced by their long names, letters folded. Two texts
// that name one file or folder give one result. Empty for an empty path.
std::string ComparablePath(const std::string& path);
// Whether the folder is the path itself or a folder above it (any spelling of either, short 8.3 names
// of existing folders included).
bool FolderHolds(const std::string& folder, const std::string& path);

// The first of candidate(first), candidate(first + 1), ... under which nothing stands on the disk;
// empty when none below 100,000 is free.
std::string FirstFreePath(const std::function<std::string(int)>& candidate, int first = 1);

// Deletes the file or folder through the shell with undo, so that the user finds it in the recycle
// bin; the shell shows nothing of its own. Something that is not there counts as deleted.
bool SendToRecycleBin(const std::string& path);

} // namespace fw
