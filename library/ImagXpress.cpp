// The picture control's holder and event sink.
#include "library/ImagXpress.h"
#include "framework/Gdi.h"

void CImagXpressEventHandler::OnClick()
{
    if (click_)
        click_(owner_, controlId_);
}

void CImagXpressEventHandler::OnDblClick()
{
    if (dblClick_)
        dblClick_(owner_, controlId_);
}

void CImagXpressEventHandler::OnMouseDown(short button, short shift, int x, int y)
{
    if (mouseDown_)
        mouseDown_(owner_, controlId_, button, shift, x, y);
}

void CImagXpressEventHandler::OnMouseMove(short button, short shift, int x, int y)
{
    if (mouseMove_)
        mouseMove_(owner_, controlId_, button, shift, x, y);
}

void CImagXpressEventHandler::OnMouseUp(short button, short shift, int x, int y)
{
    if (mouseUp_)
        mouseUp_(owner_, controlId_, button, shift, x, y);
}

CImagXpress::CImagXpress(HWND owner, int controlId, HWND parent, int x, int y, int width, int height)
    : CImagXpressEventHandler(owner, controlId)
{
    if (!PictureControl::Available())
        return;
    control_ = std::make_shared<PictureControl>();
    control_->SetEvents(this);
    if (parent)
        control_->CreateView(parent, controlId, RECT{x, y, x + width, y + height});
}

std::unique_ptr<CImagXpress> CImagXpress::InFrame(HWND dialog, int frameId)
{
    RECT frame{};
    ::GetWindowRect(::GetDlgItem(dialog, frameId), &frame);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
    ::InflateRect(&frame, -2, -2);
    auto picture = std::make_unique<CImagXpress>(dialog, frameId, dialog, frame.left, frame.top, fw::Width(frame),
                                                 fw::Height(frame));
    if (HWND view = picture->Window())
        ::SetWindowPos(view, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return picture;
}

CImagXpress::~CImagXpress()
{
    if (!control_)
        return;
    control_->SetEvents(nullptr);
    control_->DestroyView();
}
