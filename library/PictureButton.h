// Picture buttons: a button whose caption names a bitmap resource ("PLAY", "STOP", "RECORD", "OK",
// "CANCEL", ...) shows that picture instead of its text. The pictures are drawn on the key colour
// magenta, which takes the colour of the surface they are shown on; each has a disabled form under
// the name with "_DISABLED" after it.
#pragma once
#include "framework/Gdi.h"
#include <windows.h>

// A bitmap resource with its magenta pixels in the surface's colour; empty when there is none.
fw::Bitmap LoadBitmapOnSurface(const char* name, COLORREF surface);

// Owns the pictures of one button, which its owner draws: the dialog passes its WM_DRAWITEM on.
// The button stays a real button (clicks, keys, BM_CLICK); only its face is ours.
class PictureButton {
public:
    // Loads the pictures the caption names and makes the button drawn by its owner. False, with the
    // button left as it was, when there is no such picture.
    bool Attach(HWND button);
    HWND Handle() const { return button_; }

    // For the owner's WM_DRAWITEM: the button's face and edges as the system draws them, the picture
    // centred on it (its disabled form while the button is disabled, pushed in while it is pressed)
    // and the focus frame. False when the item is another control's.
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    fw::Bitmap picture_;
    fw::Bitmap disabled_;
};

// For a window with several picture buttons: WM_DRAWITEM's item drawn by the button it belongs to;
// false when it is none of theirs.
template <typename Buttons>
bool DrawPictureButton(const Buttons& buttons, const DRAWITEMSTRUCT& item)
{
    for (const PictureButton& button : buttons)
        if (button.Draw(item))
            return true;
    return false;
}
