// Loading a set into a USB keyboard: nothing is compiled here. The driver program, found by its
// window or started, is asked to load the set and answers whether it did.
#pragma once
#include "device/LoadKvoraFlow.h"
#include <string>

class FileIO;

// Owned by the load dialog, with the caller's FileIO.
class UsbLoadFlow : public LoadFlow {
public:
    enum class Stage {
        kAsking,     // the question on opening
        kWaiting,    // the request went to the driver; its answer is awaited
        kLoaded,     // the driver loaded the set
        kNotLoaded,  // the driver answered that it did not
        kNoDriver,   // no driver window, and none came up
        kNoAnswer,   // the driver did not answer in time, or its window went away
    };
    // wParam of WM_USER+114: a load request, and the driver's answer to it.
    static constexpr WPARAM kLoadRequest = 2;
    // How long a started driver program is given to come up.
    static constexpr DWORD kDriverStartWait = 6000;
    // How long the driver is given to answer a load request, and how often the wait is looked at.
    static constexpr DWORD kAnswerLimit = 30000;
    static constexpr UINT kAnswerCheckMs = 1000;

    UsbLoadFlow(FileIO& fileIO, const std::string& setName, LoadView& view);

    void Open() override;
    LoadOutcome Ok() override;
    LoadOutcome Cancel() override;
    void Timer(UINT_PTR id) override;
    bool DriverMessage(WPARAM wParam, LPARAM lParam) override;

    Stage CurrentStage() const { return stage_; }
    // "%s\%s.%s.exe" of the program folder, the driver name and the variant.
    std::string DriverProgram() const;

private:
    HWND FindDriver() const;
    HWND StartDriver();
    void ShowNoDriver();
    void ShowNoAnswer();

    FileIO& fileIO_;
    std::string setName_;
    Stage stage_ = Stage::kAsking;
    HWND driver_ = nullptr;  // the window the request went to
    DWORD asked_ = 0;        // when the request went
};

// The USB driver program: "%s\%s.%s.exe" of the program folder, the driver name and the variant.
std::string DriverProgramPath(const FileIO& fileIO);

