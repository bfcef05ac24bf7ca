// FileIO's rule for the names of sets and overlays, which become folder and file names.
#include "store/FileIO.h"
#include "framework/Files.h"

namespace {

// The nine characters the name dialogs refuse, and ':', which would name a drive or a stream.
const char* const kForbiddenCharacters = "\\/*?\"<>|,:";

bool IsForbidden(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || std::string(kForbiddenCharacters).find(c) != std::string::npos;
}

} // namespace

bool FileIO::IsValidName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        if (IsForbidden(c))
            return false;
    }
    // The system drops blanks and dots at the end of a name: "Skola " would be the folder "Skola".
    if (name.back() == ' ' || name.back() == '.')
        return false;
    return !fw::IsDeviceName(name);
}

std::string FileIO::CleanName(const std::string& name)
{
    std::string clean;
    for (char c : name) {
        if (!IsForbidden(c))
            clean += c;
    }
    const size_t first = clean.find_first_not_of(' ');
    const size_t last = clean.find_last_not_of(" .");
    if (first == std::string::npos || last == std::string::npos || last < first)
        return std::string();
    return clean.substr(first, last - first + 1);
}
