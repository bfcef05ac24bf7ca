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
// the screen.
enum class Corner { TopLeft, BottomRight };
void MoveCornerTo(HWND window, POINT point, Corner corner);

} // namespace subdialog
