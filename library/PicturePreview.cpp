// The library's picture preview.
#include "library/PicturePreview.h"

// The picture control comes with the picture support of the library; until then the pane stays empty.
std::unique_ptr<PicturePreview> MakePicturePreview(HWND parent, int id, const RECT& rect)
{
    return nullptr;
}
