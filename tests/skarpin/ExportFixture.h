// A set whose overlays use pictures, sounds and a video, some through picture codes and CD tracks,
// for the export tests: the set "Set1" of the overlay fixture with three overlays and their files.
#pragma once
#include "store/OverlayFixture.h"
#include "support/Snapshot.h"
#include <windows.h>
#include <string>
#include <vector>

class ExportFixture : public OverlayFixture {
public:
    ExportFixture();

    // A file below the fixture's media folder.
    std::string Media(const std::string& relative) { return Config().Temp() / ("media\\" + relative); }
    // The short (8.3) form of a media file, as older commands hold paths.
    std::string ShortMedia(const std::string& relative);
    // The media files the three overlays use, lower-cased, as the third page lists them.
    std::vector<std::string> ExpectedMedia();
    // The set's overlays as the main window hands them to the wizard, all offered.
    std::vector<SetItem> Overlays();

    // The trailing blanks of this key command must survive the overlay copies.
    static constexpr const char* kSpacedCommand = "hej  ";
};

// Lower case, as the export lists its media files.
std::string LowerCase(std::string text);

using testsupport::Snapshot;
