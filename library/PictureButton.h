// Picture buttons: a button whose caption names a bitmap resource ("PLAY", "STOP", "RECORD") shows
// that bitmap instead of the text.
#pragma once
#include "framework/Gdi.h"
#include <windows.h>

// Loads the bitmap named by the button's caption and shows it on the button. The caller keeps the
// returned bitmap while the button lives; empty when there is no such bitmap (the caption stays).
fw::Bitmap MakePictureButton(HWND button);
