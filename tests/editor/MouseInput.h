// The mouse and the Shift key through the system's input (SendInput), as a hand would use them, for the
// tests of the mouse hook and the mouse command dialog.
#pragma once
#include <windows.h>

namespace mousetest {

enum class Button { Left, Right };

// The input goes into the system's queues; what it causes is handled when the caller pumps messages.
// Moves the pointer to the screen point, and presses and releases the button there.
void Click(POINT screenPoint, Button button);
// Moves the pointer to the screen point.
void MoveTo(POINT screenPoint);
POINT PointerPosition();

// Shift held down for the life of the holder.
class HeldShift {
public:
    HeldShift();
    ~HeldShift();
    HeldShift(const HeldShift&) = delete;
    HeldShift& operator=(const HeldShift&) = delete;
};

} // namespace mousetest
