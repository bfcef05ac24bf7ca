// Morvel's FileIO: its paths, the program-wide keys, the version and build date, and the list of
// document files.
#include "writer/FileIO.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"
#include "library/IniValues.h"
#include "library/ProgramVersion.h"
#include <windows.h>
#include <cstdlib>

namespace {

std::string CurrentFolder()
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::uint64_t TicksOf(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

FileIO::FileIO() : FileIO(MorvelEnvironment::OfThisProgram()) {}

FileIO::FileIO(const MorvelEnvironment& environment)
{
    const MorvelPaths paths(environment);
    morvelIni_ = paths.morvelIni_;
    variant_ = paths.variant_;
    programIni_ = paths.programIni_;
    imageBaseIni_ = paths.imageBaseIni_;
    programDir_ = paths.programDir_;
    ReadProgramVersion(environment);
}

// The date reads year first in the Swedish variant, day first in the others. A program file named
// without a variant ("Morvel.exe", whose variant is then its own name) is the Swedish program.
void FileIO::ReadProgramVersion(const MorvelEnvironment& environment)
{
    const ProgramVersion program = ::ReadProgramVersion(VersionFileOf(environment));
    version_ = program.version;
    const bool swedish = cp1252::EqualsNoCase(variant_, "swedish") ||
                         environment.applicationName.find('.') == std::string::npos;
    buildDate_ = program.dated ? FormatProgramDate(program.lastWrite, swedish) : std::string();
}

int FileIO::GetTextSpeakerFlag() const
{
    return ini::ReadInt(morvelIni_, "Defaults", "TextSpeaker", 0);
}

int FileIO::GetAcapelaFlag() const
{
    return ini::ReadInt(morvelIni_, "Defaults", "Acapela", 0);
}

void FileIO::GetFolderSetting(const char* key, std::string& folder) const
{
    folder = ini::ReadString(programIni_, "Directories", key);
    if (folder.empty())
        folder = CurrentFolder();
}

void FileIO::GetImageDir(std::string& folder) const
{
    GetFolderSetting("ImageDir", folder);
}

void FileIO::GetSoundDir(std::string& folder) const
{
    GetFolderSetting("SoundDir", folder);
}

bool FileIO::SetImageDir(const std::string& folder)
{
    return ini::WriteString(programIni_, "Directories", "ImageDir", folder);
}

bool FileIO::SetSoundDir(const std::string& folder)
{
    return ini::WriteString(programIni_, "Directories", "SoundDir", folder);
}

bool FileIO::IsKnownLanguageName(const std::string& name)
{
    const std::string lower = cp1252::Lower(name);
    for (const char* language : {"swedish", "english", "danish", "norway", "finnish", "spanish"}) {
        // Only an occurrence after the first character counts, wherever the first one stands.
        if (lower.size() > 1 && lower.find(language, 1) != std::string::npos)
            return true;
    }
    return false;
}

void FileIO::ListDocuments(std::vector<DocumentListItem>& list, const std::string& folder)
{
    list.clear();
    if (folder.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        DocumentListItem item;
        const std::string fileName = found.cFileName;
        item.name_ = ImageBaseManager::GetFileTitleFromPath(fileName);
        item.path_ = folder + "\\" + fileName;
        item.time_ = TicksOf(found.ftLastWriteTime);
        // Before the first file that is strictly older: newest first, equal times in found order.
        auto older = list.begin();
        while (older != list.end() && older->time_ >= item.time_)
            ++older;
        list.insert(older, item);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

std::string FileIO::NewDocumentPath(const std::vector<DocumentListItem>& files, const std::string& folder,
                                    int maxNumber)
{
    if (maxNumber > 0 && files.size() == static_cast<size_t>(maxNumber)) {
        const DocumentListItem* oldest = &files.front();
        for (const DocumentListItem& file : files) {
            if (file.time_ < oldest->time_)
                oldest = &file;
        }
        return oldest->path_;
    }
    std::vector<bool> taken(1001, false);
    for (const DocumentListItem& file : files) {
        const long number = std::strtol(file.name_.c_str(), nullptr, 10);
        if (number >= 1 && number <= 1000)
            taken[static_cast<size_t>(number)] = true;
    }
    int free = 0;
    for (int n = 1; n <= 1000 && free == 0; ++n) {
        if (!taken[static_cast<size_t>(n)])
            free = n;
    }
    return folder + "\\" + std::to_string(free) + ".txt";
}
