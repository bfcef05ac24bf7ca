// What the load dialog shows and does, without its window: the screen a flow wants, the few things
// it asks of its window, and the base of the two flows (the serial models and USB).
#pragma once
#include "device/AccessKvoraLink.h"
#include <windows.h>
#include <string>

// Everything the load dialog shows, as the flow last decided it. The dialog copies it into its
// controls; tests read it.
struct LoadScreen {
    enum class Focus { kOk, kCancel };

    UINT textId = 0;             // the string-table entry of the message
    std::string text;            // the message as shown
    bool okEnabled = true;
    bool cancelEnabled = true;
    Focus focus = Focus::kOk;
    bool noteShown = false;      // USB: the set is the one the driver holds already
    bool progressShown = false;  // the progress bar and its label
    bool sendingShown = false;   // while the set is sent: the animation and "do not unplug" beside Cancel
    int progress = 0;            // percent
    int animationFrame = 0;      // 0-2
    UINT transferTimerMs = 0;    // the transfer timer's period; 0 while it is stopped
    UINT animationTimerMs = 0;   // the animation timer's period; 0 while it is stopped
    UINT answerTimerMs = 0;      // USB: the timer that bounds the wait for the driver's answer
    bool waitCursor = false;
};

// What a flow asks of its window besides showing the screen.
class LoadView {
public:
    virtual ~LoadView() = default;
    // Shows the screen at once: a step that blocks the window may follow.
    virtual void Show(const LoadScreen& screen) = 0;
    // After an outside program was started: the dialog comes back to the front with the focus.
    virtual void BringToFront() = 0;
    // A message box captioned "Felmeddelande"; textId names the string-table entry the text comes from.
    virtual void ShowError(UINT textId, const std::string& text) = 0;
    // The window that owns the timers and receives the driver's answer.
    virtual HWND Window() const = 0;
};

enum class LoadOutcome { kStayOpen, kCloseWithOk, kCloseWithCancel };

// One way of loading a set, driven by the dialog's buttons, its timers and the driver's message.
// Owned by the dialog; the view is the dialog itself.
class LoadFlow {
public:
    // The transfer timer of the serial models (the link starts it), and the animation timer.
    static constexpr UINT_PTR kTransferTimer = AccessKvoraLink::kTransferTimer;
    static constexpr UINT_PTR kAnimationTimer = 56;
    static constexpr UINT kAnimationTimerMs = 300;
    static constexpr int kAnimationFrames = 3;
    // USB: the wait for the driver's answer is looked at with this timer.
    static constexpr UINT_PTR kAnswerTimer = 57;

    virtual ~LoadFlow() = default;
    LoadFlow(const LoadFlow&) = delete;
    LoadFlow& operator=(const LoadFlow&) = delete;

    // The screen on opening.
    virtual void Open() = 0;
    // OK pressed (or the driver's answer, for USB). A press while OK is disabled does nothing.
    virtual LoadOutcome Ok() = 0;
    // Cancel pressed (or Esc, or the close box). A press while Cancel is disabled does nothing.
    virtual LoadOutcome Cancel() = 0;
    virtual void Timer(UINT_PTR id) {}
    // WM_USER+114 arrived at the dialog; true when the flow took it as the driver's answer.
    virtual bool DriverMessage(WPARAM wParam, LPARAM lParam) { return false; }

    const LoadScreen& Screen() const { return screen_; }

protected:
    explicit LoadFlow(LoadView& view) : view_(view) {}

    // Sets the message from the string table; Show() puts the screen on the window.
    void SetText(UINT textId);
    void SetText(UINT textId, const std::string& text);
    void Show() { view_.Show(screen_); }
    // Starts an outside program hidden, with the folder as its working folder; false when the
    // system could not start it.
    static bool StartHidden(const std::string& program, const std::string& folder);

    LoadScreen screen_;
    LoadView& view_;
};

// Starts an outside program hidden, with the folder as its working folder, and returns at once;
// false when the system could not start it.
bool StartProgramHidden(const std::string& program, const std::string& folder);

