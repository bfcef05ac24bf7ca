// The picture shown in a preview pane: the one thing the picture open dialog asks of the picture
// control, so that the control can be given to it (or a stand-in, in tests).
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class PicturePreview {
public:
    virtual ~PicturePreview() = default;
    // Shows the picture of the file; false when it cannot be shown (the pane is then empty).
    virtual bool Load(const std::string& path) = 0;
    // Empties the pane.
    virtual void Clear() = 0;
};

// Makes the preview as a child of parent with the id in rect (parent's client co-ordinates); null
// when there is none to show pictures with.
using PicturePreviewFactory = std::function<std::unique_ptr<PicturePreview>(HWND parent, int id, const RECT& rect)>;

// The library's preview.
std::unique_ptr<PicturePreview> MakePicturePreview(HWND parent, int id, const RECT& rect);
