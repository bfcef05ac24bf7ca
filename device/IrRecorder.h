// The keyboard side of the learning dialog: learning a code from a remote control and the distance
// check, each a state machine that polls the keyboard's reports on a timer.
#pragma once
#include "device/IrCommands.h"
#include <windows.h>
#include <string>

// The timers a window lends to a state machine: a timer that fires calls the machine's OnTimer once;
// starting a running timer again replaces it.
class IrTimers {
public:
    virtual ~IrTimers() = default;
    virtual void StartTimer(UINT_PTR id, UINT milliseconds) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;
};

// Owned by the learning dialog, which shows InstructionId (or InstructionText) and enables its
// action buttons by ActionsEnabled after every call. Idle, learning (timer 1) or checking the
// distance (timer 2); every way out of learning or checking leaves it idle with its timer stopped.
class IrRecorder {
public:
    enum class Mode { kIdle, kRecording, kOptimising };
    static constexpr UINT_PTR kRecordTimer = 1;
    static constexpr UINT_PTR kDistanceTimer = 2;
    // Learning gives up after this many silent polls in a row.
    static constexpr int kSilentPollsWhileRecording = 10;
    // The distance check: after signals, this many silent polls end it; without the keyboard
    // finishing, more than kSilentPollsToAbort break it off.
    static constexpr int kSilentPollsAfterSignals = 10;
    static constexpr int kSilentPollsToAbort = 40;
    // The distance meter after the signal text: ten places between two bars.
    static constexpr int kMeterPlaces = 10;

    IrRecorder(IrCommands& commands, IrTimers& timers);

    // "Spela in" (special: "Spela in special") into the keyboard's place `code`.
    void StartRecording(int code, bool special);
    // "Optimera avstånd".
    void StartDistanceCheck();
    void OnTimer(UINT_PTR id);
    // Cancel pressed: true when it broke off learning or the distance check (the dialog stays).
    bool Cancel();
    // The window closes.
    void Stop();

    Mode CurrentMode() const { return mode_; }
    bool Busy() const { return mode_ != Mode::kIdle; }
    // A code was learned since the dialog opened (the keyboard holds it at the place).
    bool Recorded() const { return recorded_; }
    bool ActionsEnabled() const { return actionsEnabled_; }
    // The string-table id of the instruction; with the signal text, InstructionText adds the meter.
    UINT InstructionId() const { return instructionId_; }
    int Signals() const { return signals_; }
    std::string InstructionText() const;

    // The signal text followed by eleven blanks and a bar, with a '>' in the place of the signal count.
    static std::string DistanceMeter(const std::string& signalText, int signals);

private:
    void PollRecording();
    void PollDistance();
    void SilentWhileDistance();
    // Ends learning or the distance check: the instruction, the break when the keyboard must be told.
    void Finish(UINT instructionId, bool sendBreak);

    IrCommands& commands_;
    IrTimers& timers_;
    Mode mode_ = Mode::kIdle;
    bool recorded_ = false;
    bool actionsEnabled_ = true;
    bool breakSent_ = false;
    UINT instructionId_;
    int silentPolls_ = 0;
    int reports_ = 0;
    int signals_ = 0;
};
