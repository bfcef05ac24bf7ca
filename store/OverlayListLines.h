// The lines of a set's overlay list, one per number of the set's kind: what the main window's list
// and the open dialog show.
#pragma once
#include "store/ListRecords.h"
#include "store/SetKind.h"
#include <functional>
#include <string>
#include <vector>

struct OverlayListLine {
    std::string text;
    std::string name; // empty for a number without overlay
    int number = 0;
};

// The text of the line of one number: "%d %s" (the name alone in the templates set), marked when the
// overlay was saved for the AccessKvora model (in the other models) or sends its keys for games.
// entry: the overlay holding the number, or null.
std::string OverlayLineText(SetKind kind, int number, const SetItem* entry, int model,
                            const std::function<bool(const std::string&)>& isGameSendType);
// One line per number of the set's kind (101-127, 1-100, or one per template) from the listed
// overlays; isGameSendType tells an overlay that sends keys for games.
std::vector<OverlayListLine> OverlayListLines(SetKind kind, const std::vector<SetItem>& overlays, int model,
                                              const std::function<bool(const std::string&)>& isGameSendType);
