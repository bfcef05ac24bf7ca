// Which names a folder holds, listed once and kept process-wide, checked against the folder's stamp at
// every use: telling that a file is not there without asking the file system for the file itself, which
// costs a search through the whole folder when the name is missing.
#pragma once
#include <functional>
#include <string>

namespace folderlisting {

// True only when the folder, as it is on disk now, surely holds no file of this name, compared as the
// file system compares names (ignoring case). False when it holds one, and whenever that cannot be told
// from a listing alone; the caller then asks the file system.
//
// How a change is seen: every use reads the folder's stamp (one GetFileAttributesEx); any difference
// means the folder is listed again. A folder that is missing is kept as missing while its parent folder's
// stamp stays the same, since making the folder changes the parent's. As with the cache of parsed ini
// files, a stamp younger than the settle time is not trusted (a change within one tick of the file
// system's clock keeps it). Only folders on local fixed NTFS drives are kept, whose folder stamps change
// with every entry made, removed or renamed; on FAT a folder's stamp does not, and a network drive's may
// lag. Names that the file system may match other than by case (a short 8.3 alias with '~', wildcards,
// a name ending in '.' or ' ', letters outside ASCII and plain Latin-1 pairs) are never answered.
bool Lacks(const std::string& folder, const std::string& name);

// The clock for the settle time (100-ns units, as GetSystemTimeAsFileTime counts); tests set their own,
// an empty function restores the system's.
void SetClock(std::function<unsigned long long()> now);
// Forgets every folder.
void Clear();

} // namespace folderlisting
