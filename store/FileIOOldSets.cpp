// FileIO's sets of the older format: where they are, which there are and which overlays each holds.
#include "store/FileIO.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "set" and three digits, then ".ini": the files of the old format, whose number the path is built from.
bool IsOldSetFileName(const std::string& name, int& number)
{
    if (name.size() != 10 || !cp1252::EqualsNoCase(name.substr(0, 3), "set")
        || !cp1252::EqualsNoCase(name.substr(6), ".ini"))
        return false;
    for (size_t i = 3; i < 6; ++i)
        if (!IsDigit(name[i]))
            return false;
    number = std::atoi(name.substr(3, 3).c_str());
    return true;
}

} // namespace

std::string FileIO::OldSetFolder() const
{
    const std::string windowsFolder = windowsSettingsFile_.substr(0, windowsSettingsFile_.rfind('\\'));
    return ini::ReadString(windowsFolder + "\\kvora.ini", "Directories", "Setinfo");
}

std::string FileIO::OldSetPath(int number) const
{
    char name[32];
    std::snprintf(name, sizeof(name), "set%03d.ini", number);
    return OldSetFolder() + "\\" + name;
}

void FileIO::ListOldSets(std::vector<SetItem>& sets) const
{
    sets.clear();
    const std::string folder = OldSetFolder();
    if (folder.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\set???.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        int number = 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsOldSetFileName(found.cFileName, number))
            continue;
        sets.emplace_back(ini::ReadString(folder + "\\" + found.cFileName, "Set", "ID"), number, 0);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void FileIO::ListOldOverlays(const std::string& oldFile, std::vector<SetItem>& overlays)
{
    overlays.clear();
    std::vector<std::string> lines;
    if (!storefile::ReadLines(oldFile, lines))
        return;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& header = lines[i];
        if (header.compare(0, 4, "[Ark") != 0)
            continue;
        const int number = std::atoi(header.substr(4, header.find(']') - 4).c_str());
        // The line after the header holds a two-character key, '=' and the name.
        std::string name = lines[i + 1].size() > 3 ? lines[i + 1].substr(3) : std::string();
        if (name.empty())
            continue;
        name = CleanName(name);
        // Nothing left of the name that a file can have: the overlay is still taken over, under its number.
        if (!IsValidName(name))
            name = std::to_string(number);
        // Two names that became one would be one file: the later overlay takes a free "%s %d".
        auto taken = [&overlays](const std::string& candidate) {
            for (const SetItem& item : overlays)
                if (cp1252::EqualsNoCase(item.name_, candidate))
                    return true;
            return false;
        };
        std::string unique = name;
        for (int n = 1; taken(unique); ++n)
            unique = name + " " + std::to_string(n);
        overlays.emplace_back(unique, number, 0);
    }
}

std::string FileIO::OldSetName(const SetItem& oldSet)
{
    std::string name = CleanName(oldSet.name_);
    if (!IsValidName(name)) {
        char title[16];
        std::snprintf(title, sizeof(title), "set%03d", oldSet.number_);
        name = title;
    }
    return name;
}
