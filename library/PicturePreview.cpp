// The library's picture preview: the picture control in a window of its own over the pane's placeholder.
#include "library/PicturePreview.h"
#include "library/ImagXpress.h"

namespace {

class ControlPreview : public PicturePreview {
public:
    ControlPreview(HWND parent, int id, const RECT& rect)
        : holder_(parent, id, parent, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top)
    {
        if (Control())
            Control()->SetBackColor(RGB(255, 255, 255));
    }
    bool HasControl() const { return Control() != nullptr; }

    bool Load(const std::string& path) override { return Control() && Control()->SetFileName(path); }
    void Clear() override
    {
        if (Control())
            Control()->Clear();
    }

private:
    PictureControl* Control() const { return holder_.GetInterface().get(); }

    CImagXpress holder_;
};

} // namespace

std::unique_ptr<PicturePreview> MakePicturePreview(HWND parent, int id, const RECT& rect)
{
    auto preview = std::make_unique<ControlPreview>(parent, id, rect);
    if (!preview->HasControl())
        return nullptr;
    return preview;
}
