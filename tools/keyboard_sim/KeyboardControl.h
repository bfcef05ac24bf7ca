// The control connection to the keyboard simulator (tools/keyboard_sim/keyboard_sim.py), for tests
// and benchmarks run by with_keyboard.sh: one command line out, one answer line back.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class KeyboardControl {
public:
    // Connects to the port that with_keyboard.sh puts in RZ_KEYBOARD_CONTROL; Connected() tells.
    KeyboardControl();
    ~KeyboardControl();
    KeyboardControl(const KeyboardControl&) = delete;
    KeyboardControl& operator=(const KeyboardControl&) = delete;

    bool Connected() const { return socket_ != kNoSocket; }
    // The simulator's answer, "ok ..." or "error ...", or "error no connection".
    std::string Send(const std::string& command);
    // True when the answer began with "ok".
    bool Do(const std::string& command);
    // What the keyboard received, as its log names it: "wake", "ping", "version", "image-ok:N", "image-bad:N".
    std::vector<std::string> Log();
    // The last set image the keyboard received whole; empty when none.
    std::vector<BYTE> LastImage();
    // Milliseconds from the first to the last byte of the last image; negative when none.
    double ImageMilliseconds();

private:
    static constexpr UINT_PTR kNoSocket = ~static_cast<UINT_PTR>(0);
    UINT_PTR socket_ = kNoSocket;
    std::string pending_;
};
