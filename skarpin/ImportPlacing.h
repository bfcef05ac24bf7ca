// What the import wizard does on Finish: the new set, the chosen overlays placed in it, the chosen
// media files moved out of the work folder, and the references to the files that moved rewritten.
// Also the one reading of a block's file references, for the media the chosen overlays use.
#pragma once
#include "components/ZipArchive.h"
#include "skarpin/ImportModel.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include <functional>
#include <string>
#include <vector>

namespace importwizard {

// Gets each file path a block uses, held by the block: inCommand tells a path of its command from its
// picture. Changes the path and returns true to have it replaced.
using ReferenceVisitor = std::function<bool(std::string& path, bool inCommand)>;
// The block's picture (not that of a picture code), then the pictures, sounds (not CD tracks) and
// videos its command names, the command changing only where a path changed. True when one did.
bool ForEachReference(FileIO& io, Block& block, const ReferenceVisitor& visit);
// Every file an overlay file's key and background blocks use, in block order.
std::vector<std::string> OverlayReferences(FileIO& io, const std::string& overlayFile);

struct PlacementRequest {
    std::string setName;             // the new set's name; another is taken if it is no longer free
    MediaMode mode = MediaMode::kSharedFolder;
    // Kept paths: the drive ("d:"). One shared folder: the folder, or empty for the import folder of
    // the set as it is finally named (another is taken when the name is no longer free).
    std::string driveOrFolder;
    std::string workFolder;          // where the archive was unpacked, ending in '\'
    std::string fallbackOverlayName; // for an overlay whose name leaves nothing a file can have
};

struct PlacementResult {
    enum Outcome {
        kPlaced,
        kNoRoom,            // more overlays than the new set has numbers: nothing was made
        kSetNotCreated,     // nothing was made
        kOverlayNotPlaced,  // failedOverlay could not be placed: the set was removed again
        kCancelled,         // the progress asked to stop: what was placed went back, and the set went
    };
    Outcome outcome = kPlaced;
    std::string setName;
    std::string failedOverlay;
    // The chosen files that stayed in the work folder (stored names); their references stay as they were.
    std::vector<std::string> filesNotPlaced;
    // The overlays whose references could not all be rewritten (their placed names).
    std::vector<std::string> overlaysNotFixed;
};

// The chosen overlays (selected_, path_ the unpacked file) take the names and numbers they were
// placed under; the chosen media files (selected_, path_ the stored name) are those moved. The
// progress is told before each overlay and file (done and total count them); when it answers false,
// everything placed goes back to the work folder and the new set goes.
PlacementResult PlaceImport(FileIO& io, const PlacementRequest& request, std::vector<SetItem>& overlays,
                            const std::vector<SetItem>& media, const zip::ProgressHandler& progress = {});

} // namespace importwizard
