// The file-name and file tests that every part of the programs uses: one of each.
#pragma once
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

// An existing file; false for a folder and for a name that is not there.
bool FileExists(const std::string& path);
// An existing folder; false for a file and for a name that is not there.
bool FolderExists(const std::string& path);
// Anything by that name, a file or a folder: the name is taken.
bool PathExists(const std::string& path);

// The path as the file system finds it, in one spelling: completed against the current folder, '/'
// read as '\', "." and ".." resolved, without a trailing separator (a drive's root keeps its own),
// letters folded. Two texts that name one file or folder give one result. Empty for an empty path.
std::string ComparablePath(const std::string& path);
// Whether the folder is the path itself or a folder above it (any spelling of either).
bool FolderHolds(const std::string& folder, const std::string& path);

// Deletes the file or folder through the shell with undo, so that the user finds it in the recycle
// bin; the shell shows nothing of its own. Something that is not there counts as deleted.
bool SendToRecycleBin(const std::string& path);

} // namespace fw
