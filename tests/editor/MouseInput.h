// The mouse and the Shift key through the system's input (SendInput), as a hand would use them, for the
// tests of the mouse hook and the mouse command dialog.
#pragma once
#include <windows.h>
#include <vector>

namespace mousetest {

enum class Button { Left, Right };

// Moves the pointer to the screen point and waits (pumping messages) until it stays there.
void MoveTo(POINT screenPoint);
// Moves the pointer to the screen point, and presses and releases the button there, with Shift held
// when asked. The button input goes into the system's queues; what it causes is handled when the
// caller pumps messages.
void Click(POINT screenPoint, Button button, bool withShift = false);
POINT PointerPosition();
// One move of the pointer to the screen point through the system's input, without waiting.
void SendMove(POINT screenPoint);


// Every mouse event the system's input receives while the recorder lives, with the point it carries,
// seen through a low-level hook of the test's own (on this thread, which must pump messages).
class InputRecorder {
public:
    struct Event {
        WPARAM message;
        POINT point;
    };
    InputRecorder();
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    std::vector<Event> events;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM message, LPARAM data);

    HHOOK hook_ = nullptr;
};

// A plain topmost window that records what reaches it: the hook library's message, and the button
// messages of clicks on it with their points in its client area.
class RecordingWindow {
public:
    explicit RecordingWindow(const RECT& area, const char* title = "Mus");
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    int hookMessages = 0;
    std::vector<UINT> buttons;
    std::vector<POINT> points;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace mousetest
