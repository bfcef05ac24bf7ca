// The holder of a picture control: creates the control (with its window inside a parent when one is
// given), receives its events, and hands out the control's interface as a counted reference.
#pragma once
#include "components/PictureControl.h"
#include <functional>
#include <memory>

// The event sink of the picture control. Each event goes to its handler with the owner window and
// the control id; an event without a handler is dropped.
class CImagXpressEventHandler : public PictureEvents {
public:
    using ClickHandler = std::function<void(HWND owner, int id)>;
    using MouseHandler = std::function<void(HWND owner, int id, short button, short shift, int x, int y)>;

    void SetClickHandler(ClickHandler handler) { click_ = std::move(handler); }
    void SetDblClickHandler(ClickHandler handler) { dblClick_ = std::move(handler); }
    void SetMouseDownHandler(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void SetMouseMoveHandler(MouseHandler handler) { mouseMove_ = std::move(handler); }
    void SetMouseUpHandler(MouseHandler handler) { mouseUp_ = std::move(handler); }

    HWND Owner() const { return owner_; }
    int ControlId() const { return controlId_; }

protected:
    CImagXpressEventHandler(HWND owner, int controlId) : owner_(owner), controlId_(controlId) {}

    void OnClick() override;
    void OnDblClick() override;
    void OnMouseDown(short button, short shift, int x, int y) override;
    void OnMouseMove(short button, short shift, int x, int y) override;
    void OnMouseUp(short button, short shift, int x, int y) override;

private:
    HWND owner_;
    int controlId_;
    ClickHandler click_;
    ClickHandler dblClick_;
    MouseHandler mouseDown_;
    MouseHandler mouseMove_;
    MouseHandler mouseUp_;
};

// Owned by the window that made it, for that window's life. With a parent the control gets its
// window there at (x, y) with that size (a window that decodes only is hidden by its owner); without
// one it is a decoder only. GetInterface is null when the picture codecs cannot start.
class CImagXpress : public CImagXpressEventHandler {
public:
    CImagXpress(HWND owner, int controlId, HWND parent, int x, int y, int width, int height);
    // A control whose window lies 2 pixels inside the dialog's frame control, on top of it, so that
    // the frame's edge stays visible around the picture. The control takes the frame's id.
    static std::unique_ptr<CImagXpress> InFrame(HWND dialog, int frameId);
    // Disconnects the events and takes the control's window away; the control itself lives on while
    // another holder keeps a reference.
    ~CImagXpress() override;
    CImagXpress(const CImagXpress&) = delete;
    CImagXpress& operator=(const CImagXpress&) = delete;

    const std::shared_ptr<PictureControl>& GetInterface() const { return control_; }
    HWND Window() const { return control_ ? control_->View() : nullptr; }

private:
    std::shared_ptr<PictureControl> control_;
};
