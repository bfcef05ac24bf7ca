// The set box of the dialogs that choose a set: the sets it offers and the one chosen in it.
#pragma once
#include "framework/Controls.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

class FileIO;

// Every set of the store in its order; the standard-overlay and templates sets only while the
// settings show them.
std::vector<SetItem> ShownSets(const FileIO& fileIO);
void FillSetBox(const fw::ComboBox& box, const std::vector<SetItem>& sets);
// The name of the set chosen in the box that shows these sets; empty when none is chosen.
std::string ChosenSet(const fw::ComboBox& box, const std::vector<SetItem>& sets);
