// The picture control's holder and event sink.
#include "library/ImagXpress.h"

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

CImagXpress::~CImagXpress()
{
    if (!control_)
        return;
    control_->SetEvents(nullptr);
    control_->DestroyView();
}
