// Pictures into the picture control of the definition dialogs: files it decodes itself, metafiles
// drawn on white, and the packed DIB of a program's icon.
#pragma once
#include "components/PictureControl.h"
#include <string>

namespace blockpicture {

// False (and the control cleared) when the file is no picture either way.
bool Show(PictureControl& control, const std::string& path);
// False (and the picture kept) when the DIB cannot be drawn.
bool ShowDib(PictureControl& control, HGLOBAL dib);

} // namespace blockpicture
