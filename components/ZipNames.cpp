// Stored names: the export layout's rule for making one from a path, and the checks a name must
// pass before it is unpacked below a folder.
#include "components/ZipArchive.h"
#include "framework/Files.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <vector>

namespace zip {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string Slashed(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::vector<std::string> Parts(const std::string& name)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find('/', start);
        parts.push_back(name.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (slash == std::string::npos)
            return parts;
        start = slash + 1;
    }
}

bool HasBadCharacter(const std::string& name)
{
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string(":*?\"<>|").find(c) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

std::string StoredName(const std::string& path)
{
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':')
        rest.erase(0, 2);
    size_t separators = 0;
    while (separators < rest.size() && IsSeparator(rest[separators]))
        ++separators;
    rest.erase(0, separators);
    return Slashed(rest);
}

NameProblem CheckName(const std::string& storedName)
{
    if (storedName.empty())
        return NameProblem::Empty;
    const std::string name = Slashed(storedName);
    if (name.compare(0, 2, "//") == 0)
        return NameProblem::Network;
    if (name[0] == '/')
        return NameProblem::Absolute;
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        return NameProblem::DriveLetter;
    const std::vector<std::string> parts = Parts(name);
    for (const std::string& part : parts) {
        if (part == "..")
            return NameProblem::ParentFolder;
    }
    if (HasBadCharacter(name))
        return NameProblem::BadCharacter;
    for (const std::string& part : parts) {
        if (fw::IsDeviceName(part))
            return NameProblem::DeviceName;
    }
    // A folder's name ends in '/', so its last part is empty and passes.
    for (const std::string& part : parts) {
        if (!part.empty() && (part.back() == '.' || part.back() == ' '))
            return NameProblem::TrailingDot;
    }
    return NameProblem::None;
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && FoldedName(a) == FoldedName(b);
}

std::string FoldedName(const std::string& name)
{
    std::string folded = Slashed(name);
    if (!folded.empty())
        ::CharLowerBuffA(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

} // namespace zip
