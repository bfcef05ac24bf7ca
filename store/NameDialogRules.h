// What the set and overlay name dialogs decide, apart from their windows: the checks a typed name
// must pass (each dialog in its own order, a refusal given as the string id of its message), the sets
// a set box offers and the line a list starts on, the free numbers of a set, and when OK may be pressed.
#pragma once
#include "store/ListRecords.h"
#include "store/SetKind.h"
#include <string>
#include <vector>

namespace namerules {

constexpr size_t kMaxSetNameLength = 80;

// The text without blanks at either end.
std::string Trim(const std::string& text);

// Whether an entry other than the one at position except carries the name, ignoring case.
bool IsNameTaken(const std::string& name, const std::vector<SetItem>& entries, int except = -1);

// The string id of the message that refuses a name, or 0 when the dialog takes it. A name the store
// cannot use as a folder or file name (FileIO::IsValidName) counts as holding forbidden characters.
// RenameDlg: mode 0 names a set, 1 an overlay; ownEntry is the entry being renamed (-1 for none).
int RenameProblem(int mode, const std::string& name, const std::vector<SetItem>& entries, int ownEntry);
// SaveDlg: the overlays of the set saved into; fileTaken tells that something stands under the
// overlay's file name on the disk, listed or not.
int SaveProblem(const std::string& name, const std::vector<SetItem>& overlays, bool fileTaken);
// CopySetDlg: folderTaken tells that a folder of that name is there already, a set the list does not
// show (a hidden templates or standard-overlay set) or no set at all, which a new set must not join.
int CopySetProblem(const std::string& name, const std::vector<SetItem>& sets, bool folderTaken);
// CopyOverlayDlg: a copy clashes with any overlay of its name in the target; a move within its own
// set only with one that holds another number than the overlay's own (the one on its own number is
// the overlay itself); a move into another set with any.
int CopyOverlayProblem(bool targetReadOnly, bool move, const std::string& name, int ownNumber,
                       const std::vector<SetItem>& targetOverlays, const std::string& targetSet,
                       const std::string& ownSet);

// The sets a set box offers, in the store's order: the standard-overlay and templates sets only when
// they are shown.
std::vector<SetItem> SetBoxEntries(const std::vector<SetItem>& sets, const SpecialSetNames& names,
                                   int showStandardOverlays, int showTemplates);
std::vector<std::string> NamesOf(const std::vector<SetItem>& entries);
// The line a list or set box starts on: the one that equals the wanted text, ignoring case, else the
// first that begins with it, else the first line; -1 for an empty list. ("Skola" never picks
// "Skola 2" while "Skola" is there.)
int InitialLine(const std::vector<std::string>& lines, const std::string& wanted);
// The read-only flag of the first listed set of that name; 0 when none is listed.
int ReadOnlyFlagOf(const std::vector<SetItem>& sets, const std::string& name);

// The numbers of the set's kind (101-127 in the standard-overlay set, else 1-100) that no overlay
// holds, in ascending order; none for the templates set, whose overlays have no numbers of their own.
std::vector<int> FreeNumbers(SetKind kind, const std::vector<SetItem>& overlays);
// The overlay's own number when it is offered, else the first; -1 when none is.
int InitialNumberLine(const std::vector<int>& numbers, int ownNumber);
// CopyOverlayDlg's OK: a name and a target set, and a number unless the target is the templates set; a move into the
// templates set only from another set.
bool CopyOverlayAllowed(const std::string& name, size_t freeNumbers, SetKind targetKind, bool move,
                        const std::string& targetSet, const std::string& ownSet);

// CopyMoveDlg: how many overlays the set can still take (the templates set takes up to 100 at a time),
// and whether count of them fit.
int RoomInSet(SetKind kind, const std::vector<SetItem>& overlays);
bool Fits(int count, int room);

// OpenOverlayDlg: one line per number of the set ("%d", or "%d %s" when an overlay holds it), or
// one line per overlay with its name alone in the templates set.
struct OpenLine {
    std::string text;
    int number = 0;
    std::string name;
};
std::vector<OpenLine> OpenOverlayLines(SetKind kind, const std::vector<SetItem>& overlays);
// The text the list is searched for when the dialog opens.
std::string OpenOverlayWanted(SetKind kind, int number, const std::string& name);

} // namespace namerules
