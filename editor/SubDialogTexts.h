// What the command sub-dialogs share as they open: the string-table texts that replace their
// templates' placeholder keys, and their place beside the block definition dialog.
#pragma once
#include "framework/Dialog.h"
#include <initializer_list>

namespace subdialog {

struct ItemText {
    int control;
    UINT text;
};

// The caption and each control's text from the string table; the cancel button reads "Avbryt".
void SetTexts(const fw::Dialog& dialog, UINT caption, std::initializer_list<ItemText> items);

// Moves the window so that the corner lies on the screen point, as far as the window stays whole on
// the screen; where the screen then has it cover its owner, the owner steps aside (StepOwnerAside).
enum class Corner { TopLeft, BottomRight };
void MoveCornerTo(HWND window, POINT point, Corner corner);
// Moves the window's owner sideways, to the right or to the left, so far that the window no longer
// covers it, as far as the owner stays whole on the screen.
void StepOwnerAside(HWND window, bool ownerToTheRight);

// A caller's placement for a dialog (fw::Dialog::PlaceOnOpen): the corner on the screen point, by
// MoveCornerTo.
fw::Dialog::Placement CornerAt(POINT point, Corner corner);

} // namespace subdialog
