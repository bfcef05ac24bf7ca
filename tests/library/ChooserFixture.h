// Image bases for the chooser and command dialog tests: a settings file with a base of two categories
// (its pictures in a long folder beside the short one, two of them with the same word), a base without
// categories whose folder ends in a backslash, and the metafile base; with picture and sound files.
#pragma once
#include "ImageBaseFiles.h"
#include "support/BmpFile.h"
#include "support/TempFolder.h"
#include <windows.h>
#include <string>

namespace testsupport {

class ChooserBases {
public:
    ChooserBases();

    std::string Path(const std::string& name) const { return folder_ / name; }
    const std::string& Settings() const { return settings_; }
    // Where the pictures of base A are, as its index file names them.
    std::string AnimalsShortFolder() const { return folder_ / "djur"; }
    std::string AnimalsLongFolder() const { return folder_ / "Djurbilder"; }
    std::string ThingsFolder() const { return folder_ / "saker"; }
    std::string SoundFolder() const { return folder_ / "ljud"; }
    std::string ViredaIni() const { return folder_ / "wmf\\vireda.ini"; }

private:
    WindowsFileGuard sharedSounds_{"picwav.ini"};
    TempFolder folder_;
    std::string settings_;
};

} // namespace testsupport
