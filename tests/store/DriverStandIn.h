// The USB keyboard's driver stand-in (tools/usbdriver), started hidden beside the test program: a
// dialog window captioned with the driver name that logs every news message it receives.
#pragma once
#include <windows.h>
#include <string>

class DriverStandIn {
public:
    // Waits for its window; the test fails when it cannot start.
    DriverStandIn(const std::string& caption, const std::string& logFile);
    // Closes the program (ending it when it does not close).
    ~DriverStandIn();
    DriverStandIn(const DriverStandIn&) = delete;
    DriverStandIn& operator=(const DriverStandIn&) = delete;

    HWND Window() const { return ::FindWindowA("#32770", caption_.c_str()); }

    // The line the stand-in logs for the news that the current set has changed.
    static const char* const kNewsLine;

private:
    std::string caption_;
    PROCESS_INFORMATION process_{};
};
