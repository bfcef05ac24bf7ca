// Learning an infrared code and the distance check, polled on timers.
#include "device/IrRecorder.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace {

// The keyboard's reports: a signal or learning under way, no signal or still waiting, finished.
const BYTE kSignal = 'P';
const BYTE kWaiting = 'R';
const BYTE kFinished = 'Y';

} // namespace

IrRecorder::IrRecorder(IrCommands& commands, IrTimers& timers)
    : commands_(commands), timers_(timers), instructionId_(IDS_IR_START_RECORDING)
{
}

std::string IrRecorder::DistanceMeter(const std::string& signalText, int signals)
{
    std::string text = signalText + std::string(11, ' ') + "|";
    const size_t bar = text.find('|');
    text[bar + 1 + static_cast<size_t>(signals % kMeterPlaces)] = '>';
    return text;
}

std::string IrRecorder::InstructionText() const
{
    const std::string text = fw::LoadResString(instructionId_);
    return instructionId_ == IDS_IR_SIGNAL_RECEIVED ? DistanceMeter(text, signals_) : text;
}

void IrRecorder::StartRecording(int code, bool special)
{
    actionsEnabled_ = false;
    const int started = special ? commands_.AccStartRecordSpecial(code) : commands_.AccStartRecord(code);
    if (started != 0) {
        // Nothing to poll: the keyboard never heard the command.
        instructionId_ = IDS_IR_RECORD_FAILED;
        actionsEnabled_ = true;
        return;
    }
    mode_ = Mode::kRecording;
    silentPolls_ = 0;
    reports_ = 0;
    timers_.StartTimer(kRecordTimer, commands_.Timings().pollPause);
}

void IrRecorder::StartDistanceCheck()
{
    actionsEnabled_ = false;
    silentPolls_ = 0;
    signals_ = 0;
    breakSent_ = false;
    instructionId_ = IDS_IR_AIM_REMOTE;
    if (commands_.AccOptDistance() != 0) {
        instructionId_ = IDS_IR_DISTANCE_FAILED;
        actionsEnabled_ = true;
        return;
    }
    mode_ = Mode::kOptimising;
    timers_.StartTimer(kDistanceTimer, commands_.Timings().pollPause);
}

void IrRecorder::OnTimer(UINT_PTR id)
{
    // Each poll arms the next one itself, after the wait for the keyboard's answer.
    timers_.StopTimer(id);
    if (id == kRecordTimer && mode_ == Mode::kRecording)
        PollRecording();
    else if (id == kDistanceTimer && mode_ == Mode::kOptimising)
        PollDistance();
}

void IrRecorder::PollRecording()
{
    const IrTimings& timings = commands_.Timings();
    switch (commands_.GetMessage(timings.poll)) {
    case 0:
        if (++silentPolls_ >= kSilentPollsWhileRecording) {
            Finish(IDS_IR_RECORD_TOO_LONG, true);
            return;
        }
        timers_.StartTimer(kRecordTimer, timings.pollPause);
        return;
    case kSignal:
        instructionId_ = reports_++ == 0 ? IDS_IR_PRESS_REMOTE : IDS_IR_RECORDING;
        silentPolls_ = 0;
        timers_.StartTimer(kRecordTimer, timings.activePause);
        return;
    case kWaiting:
        instructionId_ = IDS_IR_RECORDING;
        silentPolls_ = 0;
        timers_.StartTimer(kRecordTimer, timings.activePause);
        return;
    case kFinished:
        recorded_ = true;
        instructionId_ = IDS_IR_RECORDED;
        mode_ = Mode::kIdle;
        return;
    default:
        Finish(IDS_IR_RECORD_FAILED, true);
        return;
    }
}

void IrRecorder::PollDistance()
{
    switch (commands_.GetMessage(commands_.Timings().poll)) {
    case kSignal:
        silentPolls_ = 0;
        ++signals_;
        instructionId_ = IDS_IR_SIGNAL_RECEIVED;
        timers_.StartTimer(kDistanceTimer, commands_.Timings().activePause);
        return;
    case kWaiting:
        SilentWhileDistance();
        return;
    case kFinished:
        Finish(IDS_IR_DISTANCE_DONE, false);
        return;
    default:
        Finish(IDS_IR_DISTANCE_FAILED, true);
        return;
    }
}

// No signal: once signals came, the remote has left the keyboard's range. A single signal was a
// button that does not repeat; otherwise the keyboard is told to finish after a while of silence.
void IrRecorder::SilentWhileDistance()
{
    ++silentPolls_;
    if (signals_ == 1) {
        instructionId_ = IDS_IR_CANNOT_REPEAT;
    } else if (signals_ > 1) {
        if (silentPolls_ <= kSilentPollsAfterSignals) {
            instructionId_ = IDS_IR_NO_SIGNAL;
        } else if (!breakSent_) {
            breakSent_ = true;
            commands_.AccBreak();
        }
    }
    if (silentPolls_ > kSilentPollsToAbort) {
        Finish(IDS_IR_DISTANCE_NO_SIGNAL, true);
        return;
    }
    timers_.StartTimer(kDistanceTimer, commands_.Timings().activePause);
}

void IrRecorder::Finish(UINT instructionId, bool sendBreak)
{
    timers_.StopTimer(kRecordTimer);
    timers_.StopTimer(kDistanceTimer);
    mode_ = Mode::kIdle;
    instructionId_ = instructionId;
    actionsEnabled_ = true;
    if (sendBreak)
        commands_.AccBreak();
}

bool IrRecorder::Cancel()
{
    if (!Busy())
        return false;
    Finish(IDS_IR_CANCELLED, true);
    return true;
}

void IrRecorder::Stop()
{
    timers_.StopTimer(kRecordTimer);
    timers_.StopTimer(kDistanceTimer);
}
