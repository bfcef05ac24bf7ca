// Picture buttons.
#include "library/PictureButton.h"
#include "framework/Strings.h"
#include "framework/Window.h"

fw::Bitmap MakePictureButton(HWND button)
{
    fw::Bitmap bitmap(::LoadBitmapA(fw::ResourceModule(), fw::Window(button).Text().c_str()));
    if (!bitmap)
        return bitmap;
    ::SetWindowLongA(button, GWL_STYLE, ::GetWindowLongA(button, GWL_STYLE) | BS_BITMAP);
    ::SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    return bitmap;
}
