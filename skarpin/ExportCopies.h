// The copies of the chosen overlays that the export packs: each copied into the wizard's work
// folder, its media files collected, and its paths in their long form.
#pragma once
#include "skarpin/ExportModel.h"
#include "store/FileIO.h"
#include <string>

namespace exportwizard {

// Copies the overlay's file from its set to "<work folder><name>.ini" and offers the picture, sound
// and video files its blocks use, keys and background alike (picture codes and CD tracks never).
// The copy is then written anew whole, with this program's version and, in the content commands,
// the long form of each path whose long form differs (only that path's text changes). A file that does not read whole, or blocks the file cannot
// hold, keep the copied text. false when the file could not be copied.
bool CopyOverlay(FileIO& io, const std::string& setName, const std::string& overlayName,
                 const std::string& workFolder, MediaList& media);

} // namespace exportwizard
