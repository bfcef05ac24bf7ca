// A Skarpin configuration for loading sets into the keyboard: the keyboard simulator's port as the
// only one to try, a small set and a large one, the stand-ins of the USB driver program and of
// Zenthor where Skarpin starts them, and a view that records what a load flow shows.
#pragma once
#include "device/LoadKvoraFlow.h"
#include "store/CompilerFixture.h"
#include "tools/keyboard_sim/KeyboardControl.h"
#include <functional>
#include <string>
#include <vector>

class LoadFixture : public CompilerFixture {
public:
    // The simulator stands behind this port.
    static constexpr int kPort = 3;
    static constexpr const char* kSmallSet = "Skola";
    static constexpr const char* kLargeSet = "Stor";
    // The long text of the small set, which the AccessKvora model stores as a text macro.
    static constexpr const char* kMacroText = "Hej och välkommen till skolan";

    LoadFixture();
    // Ends every stand-in that is still running.
    ~LoadFixture();

    void SetModel(int model);
    // The set the driver holds by [USB] CurrentSet of the program settings file.
    std::string CurrentSet() const { return Value(ProgramSettingsFile(), "USB", "CurrentSet"); }
    // Three overlays of 127 blocks of long commands: an image larger than a pseudo-terminal takes at once.
    void MakeLargeSet();

    // The driver stand-in copied to where Skarpin starts it, with these [StandIn] settings lines.
    void InstallDriver(const std::string& settingsLines = std::string());
    std::string DriverProgram() const;
    std::string DriverName() const { return driverName_; }
    HWND DriverWindow() const;
    // Started hidden, as it would run beside Skarpin; true once its window is there.
    bool StartDriver();
    std::string DriverLog() const;

    // The Zenthor stand-in copied to "<program folder>\Zenthor\Zenthor.exe", reading the fixture's
    // zenthor.ini, with these further [StandIn] settings lines.
    void InstallZenthor(const std::string& settingsLines = std::string());
    static HWND ZenthorWindow();
    bool StartZenthor();
    std::string ZenthorLog() const;

    // The waits of the program: the long ones (a started program coming up) pump messages until a
    // stand-in's window is there or a stand-in has ended without one; short ones sleep. The long
    // waits asked for are kept.
    void InstallWaits();
    const std::vector<DWORD>& LongWaits() const { return longWaits_; }

private:
    bool Start(const std::string& program, const std::function<bool()>& started);
    void EndStandIn(HWND window);

    std::string driverName_;
    std::vector<DWORD> longWaits_;
};

// The keyboard simulator behind the fixture's port, well-behaved but for the misbehaviour (none for an
// empty text), with the firmware of the model.
void PrepareKeyboard(KeyboardControl& keyboard, int model, const std::string& misbehaviour = std::string());
// The link's waits, short enough that a silent keyboard costs a test little; a transfer is stuck
// after twice its line time and 5 s.
LinkTimings ShortLoadTimings();

// The number of lines of a log that begin with the text.
int CountLines(const std::string& log, const std::string& beginning);

// Records every screen a flow shows; its window hands the driver's answer to the flow.
class RecordingView : public LoadView {
public:
    RecordingView();
    ~RecordingView() override;
    RecordingView(const RecordingView&) = delete;
    RecordingView& operator=(const RecordingView&) = delete;

    void SetFlow(LoadFlow* flow) { flow_ = flow; }

    void Show(const LoadScreen& screen) override { screens_.push_back(screen); }
    void BringToFront() override { ++broughtToFront_; }
    void ShowError(UINT textId, const std::string&) override { errors_.push_back(textId); }
    HWND Window() const override { return window_; }

    // The messages shown, each once, in order.
    std::vector<UINT> Texts() const;
    const std::vector<UINT>& Errors() const { return errors_; }
    int BroughtToFront() const { return broughtToFront_; }
    const std::vector<LoadScreen>& Screens() const { return screens_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    LoadFlow* flow_ = nullptr;
    std::vector<LoadScreen> screens_;
    std::vector<UINT> errors_;
    int broughtToFront_ = 0;
};
