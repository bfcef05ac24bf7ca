// Copying or moving several overlays of one set into a set: each keeps its name and number where
// they are free there, else takes the next free name ("name 1", "name 2" ...) and the first free
// number; its media files follow it.
#pragma once
#include "store/ListRecords.h"
#include <string>
#include <vector>

class FileIO;

// What became of each overlay, by its name in the source set.
struct TransferOutcome {
    std::vector<std::string> went;        // placed in the target (and, moved, gone from the source)
    std::vector<std::string> setFull;     // the target had no free number left: nothing happened
    std::vector<std::string> failed;      // could not be copied: nothing happened
    std::vector<std::string> notRemoved;  // moved: placed in the target, but still in the source too
    std::vector<std::string> mediaLeft;   // media files the placed overlays still take from the source set
};

// A move deletes an overlay from the source only once its copy stands in the target, and no
// prepared copy is left behind whatever happens.
TransferOutcome TransferOverlays(FileIO& fileIO, const std::string& sourceSet, const std::vector<SetItem>& overlays,
                                 const std::string& targetSet, bool move);
