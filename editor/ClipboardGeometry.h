// The clipboard picture wizard's geometry and names without a window: the picture fitted into its
// frame, the selection's handles, drags, steps and size factor, the selection mapped back into the
// picture's pixels, and the name the picture is proposed and saved under.
#pragma once
#include "framework/Cursor.h"
#include <windows.h>
#include <functional>
#include <string>

namespace clipboard {

// How near an edge the pointer must be to grab it.
constexpr int kHandleBand = 6;
// The size factor's step.
constexpr double kFactorStep = 0.05;

// The picture shown in the frame with its aspect ratio kept and centred: a picture relatively wider
// than the frame fills its width, any other its height. Empty for a picture without pixels.
RECT FitPicture(int width, int height, const RECT& frame);

// The handle under the point.
int HandleAt(const RECT& selection, POINT point);

// The selection dragged by the offset: the grabbed edge or corner moves, or with kNone all of it.
RECT DragSelection(const RECT& before, int handle, POINT offset);

// The smallest selection the crop page takes: wider than the window frame's width, higher than its
// height.
struct MinimumSize {
    int width = 0;
    int height = 0;
};
// A new selection must lie inside the shown picture and be larger than the minimum.
bool Accepts(const RECT& selection, const RECT& shown, MinimumSize minimum);

// The selection at factor times the shown picture's size, with its top-left corner kept and pushed
// back left and up where it would pass the picture's right or bottom edge.
RECT ScaleSelection(const RECT& selection, double factor, const RECT& shown);
// Enlarging stops at the shown picture's width; shrinking below twice the frame width plus 10.
bool CanEnlarge(const RECT& selection, const RECT& shown);
bool CanShrink(const RECT& selection, MinimumSize minimum);

// The selection in the picture's own pixels: the shown offset removed, then scaled by the picture's
// size over the shown size; clipped to the picture.
RECT MapToPicture(const RECT& selection, const RECT& shown, int width, int height);

// "%s\%d.jpg" in the folder with the smallest number from 1 up for which no file exists.
std::string ProposedName(const std::string& folder, const std::function<bool(const std::string&)>& exists);
// The name ending in "jpg": another extension is replaced, a missing one becomes ".jpg".
std::string WithJpegExtension(const std::string& name);
// The file a typed name stands for, with the JPEG extension: a bare name or a relative path lies in
// the proposed folder (never in the program's current folder); a name with a drive or beginning at a
// root is taken where it says.
std::string FileInFolder(const std::string& typed, const std::string& folder);

} // namespace clipboard
