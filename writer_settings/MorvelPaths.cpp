// Morvel's configuration paths.
#include "writer_settings/MorvelPaths.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"

MorvelPaths::MorvelPaths(const MorvelEnvironment& environment)
{
    morvelIni_ = environment.windowsFolder + "\\Morvel.ini";
    programDir_ = ini::ReadString(morvelIni_, "Directories", "Exe");
    // Without the key Morvel looks beside its own file, as Skarpin does, rather than at the root of
    // the current drive.
    if (programDir_.empty())
        programDir_ = ImageBaseManager::GetFolderFromPath(environment.applicationPath);
    variant_ = environment.Variant();
    programIni_ = programDir_ + "\\" + variant_ + ".ini";
    imageBaseIni_ = environment.windowsFolder + "\\imgbase." + variant_ + ".ini";
    if (!ImageBaseManager::OpensForReading(imageBaseIni_))
        imageBaseIni_ = programIni_;
}
