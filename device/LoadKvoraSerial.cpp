// Loading a set into a PS/2 or AccessKvora keyboard over the serial link.
#include "device/LoadKvoraSerial.h"
#include "framework/Clock.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/ZenthorFiles.h"
#include <algorithm>

namespace {

// The transfer timer's periods: while the queue empties, then while the keyboard answers and stores.
const UINT kAwaitQueueMs = 1000;
const UINT kStoreMs = 2000;
// While the end block waits to leave and the keyboard to answer it: each look waits this long at most
// on the port, and the next follows after the period, so the window paints and Cancel works meanwhile.
const UINT kAnswerLookMs = 100;
const DWORD kAnswerSliceMs = 50;
// Above this share the bar stops at kQueueEmptyingPercent until the queue is empty.
const int kFollowQueueLimit = 94;
const int kQueueEmptyingPercent = 95;
const int kEndBlockPercent = 97;
const int kDone = 100;

} // namespace

SerialLoadFlow::SerialLoadFlow(FileIO& fileIO, const std::string& setName, int model, AccessKvoraLink& link,
                               LoadView& view)
    : LoadFlow(view), fileIO_(fileIO), setName_(setName), model_(model), link_(link)
{
}

void SerialLoadFlow::Open()
{
    SetText(IDS_LOAD_QUESTION, fw::FormatResString(IDS_LOAD_QUESTION, setName_.c_str()));
    Show();
}

LoadOutcome SerialLoadFlow::Ok()
{
    if (!screen_.okEnabled)
        return LoadOutcome::kStayOpen;
    if (stage_ == Stage::kLoaded) {
        NotifyZenthor();
        return LoadOutcome::kCloseWithOk;
    }
    if (stage_ == Stage::kAsking && Search())
        Send();
    return LoadOutcome::kStayOpen;
}

// Cancel during or after a transfer leaves no image half sent: the queues are emptied and the ping
// tells the keyboard that the image has ended. Before anything went out there is nothing to undo.
LoadOutcome SerialLoadFlow::Cancel()
{
    if (!screen_.cancelEnabled)
        return LoadOutcome::kStayOpen;
    if (stage_ == Stage::kSending || stage_ == Stage::kFailed) {
        if (CSerial* serial = link_.Serial()) {
            serial->ClearTx();
            serial->ClearRx();
            serial->Close();
        }
        screen_.transferTimerMs = 0;
        screen_.animationTimerMs = 0;
        SetText(IDS_LOAD_CANCELLING);
        screen_.waitCursor = true;
        Show();
        link_.Ping();
        screen_.waitCursor = false;
        Show();
    }
    return LoadOutcome::kCloseWithCancel;
}

// --- search -------------------------------------------------------------------------------------

bool SerialLoadFlow::Search()
{
    stage_ = Stage::kSearching;
    SetText(IDS_LOAD_SEARCHING);
    screen_.waitCursor = true;
    screen_.okEnabled = false;
    screen_.cancelEnabled = false;
    Show();
    link_.Attach(fileIO_.windowsSettingsFile_, model_);
    if (link_.FindKeyboard() != 1) {
        ShowFailure(Stage::kNotFound, IDS_LOAD_NOT_CONNECTED);
        return false;
    }
    if (model_ == FileIO::kModelAccessKvora && !FindOrStartZenthor()) {
        ShowFailure(Stage::kNotFound, IDS_LOAD_NO_ZENTHOR);
        return false;
    }
    screen_.cancelEnabled = true;
    screen_.waitCursor = false;
    return true;
}

// A Zenthor that started but shows no window after the wait would never hear of the new zenthor.ini,
// and the text macro keys would type their start sequence into the user's program: not found.
bool SerialLoadFlow::FindOrStartZenthor()
{
    if (::FindWindowA(nullptr, kZenthorTitle))
        return true;
    const std::string& programFolder = fileIO_.programFolder_;
    if (!StartHidden(zenthor::Program(programFolder), zenthor::Folder(programFolder)))
        return false;
    view_.BringToFront();
    fw::Wait(kZenthorStartWait);
    return ::FindWindowA(nullptr, kZenthorTitle) != nullptr;
}

// --- the transfer -------------------------------------------------------------------------------

void SerialLoadFlow::Send()
{
    stage_ = Stage::kSending;
    step_ = kStartProgress;
    SetText(IDS_LOAD_SENDING);
    screen_.okEnabled = false;
    screen_.noteShown = false;
    screen_.progressShown = true;
    screen_.sendingShown = true;
    screen_.progress = 0;
    screen_.waitCursor = true;
    Show();
    const SetCompileResult compiled = fileIO_.CompileSet(setName_, link_.Image(), model_);
    if (!compiled.Compiled()) {
        ShowFailure(Stage::kNotSent, IDS_LOAD_NOT_SENT);
        view_.ShowError(compiled.MessageId(), compiled.Message());
        return;
    }
    // A port that does not open now sends nothing and starts no timer.
    if (!link_.SendSet(view_.Window(), total_)) {
        ShowFailure(Stage::kNotSent, IDS_LOAD_NOT_CONNECTED);
        return;
    }
    transferStart_ = fw::TickCount();
    lastMove_ = transferStart_;
    lastQueued_ = total_;
    screen_.transferTimerMs = AccessKvoraLink::kTransferTimerMs;
    Show();
}

void SerialLoadFlow::Timer(UINT_PTR id)
{
    if (stage_ != Stage::kSending)
        return;
    if (id == kAnimationTimer) {
        screen_.animationFrame = (screen_.animationFrame + 1) % kAnimationFrames;
        Show();
        return;
    }
    if (id != kTransferTimer)
        return;
    switch (step_) {
    case kStartProgress:
        screen_.progress = 0;
        step_ = kFollowQueue;
        screen_.animationFrame = 0;
        screen_.animationTimerMs = kAnimationTimerMs;
        Show();
        break;
    case kFollowQueue:
        FollowQueue();
        break;
    case kAwaitEmptyQueue:
        AwaitEmptyQueue();
        break;
    case kReadAnswer:
        ReadAnswer();
        break;
    case kFinish:
        Finish();
        break;
    default:
        screen_.transferTimerMs = 0;
        Show();
        break;
    }
}

// The share of the image that the port has taken: the port counts the bytes of the chunks it took,
// so a keyboard that holds the line holds the bar.
void SerialLoadFlow::FollowQueue()
{
    CSerial& serial = *link_.Serial();
    const size_t queued = std::min<size_t>(serial.OutQueueCount(), total_);
    if (serial.WriteFailed()) {
        Finish();
        return;
    }
    if (queued != 0 && TransferStuck(queued)) {
        serial.ClearTx();
        Finish();
        return;
    }
    const int percent = static_cast<int>((total_ - queued) * 100 / total_);
    if (percent > kFollowQueueLimit) {
        screen_.progress = kQueueEmptyingPercent;
        step_ = kAwaitEmptyQueue;
        screen_.transferTimerMs = kAwaitQueueMs;
    } else {
        screen_.progress = percent;
    }
    Show();
}

// Whether every byte written has left the port. A write that failed (the keyboard unplugged), or one
// that is stuck, ends the transfer at once.
bool SerialLoadFlow::QueueLeft()
{
    CSerial& serial = *link_.Serial();
    const DWORD queued = serial.OutQueueCount();
    if (serial.WriteFailed()) {
        Finish();
        return false;
    }
    if (queued == 0)
        return true;
    if (TransferStuck(queued)) {
        serial.ClearTx();
        Finish();
    }
    return false;
}

// Only once every byte of the image has left does the end block follow it.
void SerialLoadFlow::AwaitEmptyQueue()
{
    if (!QueueLeft())
        return;
    CSerial& serial = *link_.Serial();
    screen_.progress = kEndBlockPercent;
    Show();
    const std::vector<BYTE>& endBlock = AccessKvoraLink::kEndBlock;
    if (serial.SendData(endBlock.data(), static_cast<DWORD>(endBlock.size())) == CSerial::kSendFailed) {
        Finish();
        return;
    }
    step_ = kReadAnswer;
    endBlockLeft_ = false;
    screen_.transferTimerMs = kAnswerLookMs;
    Show();
}

// The end block leaves and the keyboard answers it, each looked at as the transfer was: a keyboard
// that holds the end block is given the stall limit, one that does not answer the answer wait. The
// answer's value is not examined; without one the bar stays short of its end.
void SerialLoadFlow::ReadAnswer()
{
    if (!QueueLeft())
        return;
    CSerial& serial = *link_.Serial();
    if (!endBlockLeft_) {
        endBlockLeft_ = true;
        endBlockLeftAt_ = fw::TickCount();
    }
    BYTE answer = 0;
    const bool answered = serial.ReadDataByte(answer, kAnswerSliceMs) == 1;
    if (!answered && fw::TickCount() - endBlockLeftAt_ < link_.Timings().answer)
        return;
    if (answered)
        screen_.progress = kDone;
    step_ = kFinish;
    screen_.transferTimerMs = kStoreMs;
    Show();
}

// The load counts only when every byte left the port and the keyboard then says it is ready.
void SerialLoadFlow::Finish()
{
    const bool sent = link_.Drain();
    step_ = kFinished;
    screen_.transferTimerMs = 0;
    screen_.animationTimerMs = 0;
    Show();
    // What did not leave the port failed the load already: no ping waits for a keyboard that holds the line.
    const int ping = sent ? link_.Ping() : AccessKvoraLink::kNoAnswer;
    screen_.waitCursor = false;
    if (!sent || ping != AccessKvoraLink::kReady) {
        ShowFailure(Stage::kFailed, IDS_LOAD_FAILED);
        return;
    }
    stage_ = Stage::kLoaded;
    SetText(IDS_LOAD_DONE);
    screen_.sendingShown = false;
    screen_.progress = kDone;
    screen_.okEnabled = true;
    screen_.cancelEnabled = false;
    screen_.focus = LoadScreen::Focus::kOk;
    Show();
    // zenthor.ini describes what the keyboard types only now that the keyboard holds the set.
    if (model_ == FileIO::kModelAccessKvora) {
        macrosWritten_ = fileIO_.WriteTextMacros();
        if (!macrosWritten_)
            view_.ShowError(IDS_ZENTHOR_TEXTS_NOT_WRITTEN, TextMacrosNotWrittenMessage());
    }
}

// Stuck: no byte has left the port for a while (a keyboard that stopped reading, or holds the line
// with XOFF), or the whole transfer takes far longer than its line time (a keyboard that reads a byte
// now and then).
bool SerialLoadFlow::TransferStuck(size_t queued)
{
    const DWORD now = fw::TickCount();
    if (queued != lastQueued_) {
        lastQueued_ = queued;
        lastMove_ = now;
    }
    const LinkTimings& timings = link_.Timings();
    const DWORD bound = timings.transferFactor * link_.Serial()->LineMilliseconds(total_) + timings.transferMargin;
    return now - lastMove_ > timings.stallLimit || now - transferStart_ > bound;
}

void SerialLoadFlow::ShowFailure(Stage stage, UINT textId)
{
    stage_ = stage;
    SetText(textId);
    screen_.okEnabled = false;
    screen_.cancelEnabled = true;
    screen_.focus = LoadScreen::Focus::kCancel;
    screen_.waitCursor = false;
    screen_.transferTimerMs = 0;
    screen_.animationTimerMs = 0;
    // A bar stopped short of its end would say the load is still under way.
    screen_.progressShown = false;
    screen_.sendingShown = false;
    Show();
}

// Zenthor reads zenthor.ini again; a file that was not written has nothing new for it.
void SerialLoadFlow::NotifyZenthor() const
{
    if (model_ != FileIO::kModelAccessKvora || !macrosWritten_)
        return;
    if (HWND zenthor = ::FindWindowA(nullptr, kZenthorTitle))
        ::PostMessageA(zenthor, ::RegisterWindowMessageA(kZenthorMessage), 0, 0);
}
