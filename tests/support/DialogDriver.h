// Drives real dialogs in real windows by messages, as a user would: find controls by id, type,
// click, select; run a script inside a modal dialog's own loop.
#pragma once
#include "framework/Dialog.h"
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// Runs the dialog modally; script runs inside its loop once it has opened and should end it.
INT_PTR RunModal(fw::Dialog& dialog, std::function<void(fw::Dialog&)> script);
// Queues a script for the next dialog that opens (for a dialog opened by the code under test).
void OnNextDialog(std::function<void(fw::Dialog&)> script);

// Clicks a button; fails the test when it is disabled or hidden, as a user could not click it.
void Click(HWND dialog, int id);
// Clicks the button that should close the modal dialog; a dialog that stays open after a failed step is
// ended with Cancel, so that a fault never hangs the run.
void Close(fw::Dialog& dialog, int id);
// Sets a control's text; an edit control sends EN_CHANGE itself.
void SetText(HWND dialog, int id, const std::string& text);
std::string Text(HWND dialog, int id);
// Selects a line and sends the change notification the control would send for a user.
void SelectCombo(HWND dialog, int id, int index);
void SelectList(HWND dialog, int id, int index);
// Sets a check box and sends BN_CLICKED. A radio button is clicked, so that its group is what the
// dialog's template makes it; "unchecking" one only checks that a click on another cleared it.
void Check(HWND dialog, int id, bool checked);
bool IsEnabled(HWND dialog, int id);
// The enabled state of the controls as a string of 1s and 0s, in the order given.
std::string EnabledStates(HWND dialog, std::initializer_list<int> ids);
bool IsVisible(HWND dialog, int id);
// The screen's work area (the screen less the task bar).
RECT WorkArea();
// Fails the test unless the window stands wholly on the work area.
void ExpectOnWorkArea(HWND window);

// The face of an owner-drawn button as its owner draws it in the state given (ODS_ flags, e.g.
// ODS_DISABLED), in the pixels of a picture of the button's size; empty when the owner drew nothing.
struct DrawnButton {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // top row first
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    bool Empty() const { return pixels.empty(); }
    // The pixels of another colour than the one given, inside a margin along the edges.
    int CountOtherThan(COLORREF colour, int margin) const
    {
        int count = 0;
        for (int y = margin; y < height - margin; ++y)
            for (int x = margin; x < width - margin; ++x)
                count += At(x, y) != colour ? 1 : 0;
        return count;
    }
};
DrawnButton DrawOwnerDrawnButton(HWND dialog, int id, UINT state);

// Pumps messages until the condition holds; false when limitMs of real time pass first.
// The limit is a safety net against a hang, never a pause.
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);

} // namespace testsupport
