// The three keyboard settings commands of the main window (key timing, repetition, feedback): which
// two fields each edits, how several overlays' values are shown at once, and how the chosen values
// reach the set register and the overlay files.
#pragma once
#include "store/KeyboardSettings.h"
#include <string>
#include <vector>

enum class KeyboardGroup { kKeyTiming, kRepetition, kFeedback };

// Which of the group's two fields the user chose (key timing: signal delay, bounce lock;
// repetition: repeat delay, frequency; feedback: flash, beep).
struct GroupFields {
    bool first = false;
    bool second = false;
    bool Any() const { return first || second; }
};

// Whether the two records agree on the group's fields (times compared exactly).
bool SameInGroup(KeyboardGroup group, const KeyboardSettings& a, const KeyboardSettings& b);

// What a dialog over several overlays shows: the last record read, and whether all agree.
struct GroupPreset {
    KeyboardSettings shown;
    int allEqual = 1;
};
GroupPreset PresetOf(KeyboardGroup group, const std::vector<KeyboardSettings>& records);

// Writes the named fields of the group into the file's [KeyboardSettings], each on its own line and
// every other line as it was, through the store's write-then-replace writer. False when the file
// could not be written; it is then as it was.
bool WriteGroupFields(const std::string& file, KeyboardGroup group, const KeyboardSettings& values,
                      GroupFields fields);
