// Saving a file so that it is always either the file it was or the whole new one: the new content goes
// into a temporary file in the target's folder, is checked, and only then moved over the target.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace fw {

// A new empty file in the folder of path, for writing something that will replace path; empty when
// the folder takes no new file.
std::string TemporaryFileBeside(const std::string& path);
// Puts the finished file in the place of target (replacing it); false leaves both as they were.
bool ReplaceFileWith(const std::string& finished, const std::string& target);

// Writes the new content into a temporary file beside path through write, which gets that file's
// name and returns true only when the file stands complete, and then moves it over path. With keepOld
// the file there before is first moved aside to the first free "<file>.bak", "<file>.2.bak", ..., and
// put back when the move fails. False when path was not replaced; no temporary file is left then.
bool WriteReplacingWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write,
                        bool keepOld = false);
// The same for bytes: the new file counts only when it holds every byte, flushed to the disk.
bool WriteReplacing(const std::string& path, const std::string& bytes, bool keepOld = false);

// Writes a file that must not exist yet: the bytes go into a temporary file beside path, which is then
// given the name only if nothing stands under it (a short 8.3 name that reaches another file counts).
// Never replaces anything. Created: the whole file stands there; Taken: something else stands under
// the name; Failed: it could not be written. Nothing is left behind unless Created.
enum class NewFile { Created, Taken, Failed };
NewFile WriteNewFile(const std::string& path, const std::string& bytes);
// The same as WriteReplacing for a file that must already be there: an edit of a file that has gone
// never brings it back. False (nothing written) when the file is not there or could not be replaced.
bool RewriteExisting(const std::string& path, const std::string& bytes, bool keepOld = false);

// The step of WriteReplacing that puts the bytes into the new file: true when every byte went in.
// Tests put one in its place that fails part way, as a full disk would; the previous one is returned,
// and null puts the real one back.
using ByteWriter = bool (*)(HANDLE file, const std::string& bytes);
ByteWriter SetByteWriter(ByteWriter writer);

} // namespace fw
