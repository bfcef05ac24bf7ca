// Loading a set into a PS/2 or AccessKvora keyboard: find the keyboard on a serial port, make sure
// the Zenthor program runs (AccessKvora), compile the set, send its image and follow the transfer
// with the dialog's timers, then ask the keyboard whether it took the set.
#pragma once
#include "device/AccessKvoraLink.h"
#include "device/LoadKvoraFlow.h"
#include <string>

class FileIO;

// Owned by the load dialog, with the dialog's own link and the caller's FileIO.
class SerialLoadFlow : public LoadFlow {
public:
    enum class Stage {
        kAsking,      // the question on opening
        kSearching,
        kNotFound,    // no keyboard that suits the model, or Zenthor cannot be started
        kNotSent,     // the set could not be compiled or sent: nothing went to the keyboard
        kSending,     // the image goes out; the transfer timer follows it
        kLoaded,      // the keyboard took the set
        kFailed,      // the image went out, but the keyboard did not take it
    };
    // The steps of the transfer timer.
    enum Step { kStartProgress, kFollowQueue, kAwaitEmptyQueue, kReadAnswer, kFinish, kFinished };
    // Zenthor's window title and the message that tells it of a new zenthor.ini.
    static constexpr const char* kZenthorTitle = "Zenthor";
    static constexpr const char* kZenthorMessage = "ZenthorIniFileChanged";
    // How long a started Zenthor program is given to come up.
    static constexpr DWORD kZenthorStartWait = 5000;

    // model: FileIO::kModelPS2 or kModelAccessKvora.
    SerialLoadFlow(FileIO& fileIO, const std::string& setName, int model, AccessKvoraLink& link, LoadView& view);

    void Open() override;
    LoadOutcome Ok() override;
    LoadOutcome Cancel() override;
    void Timer(UINT_PTR id) override;

    Stage CurrentStage() const { return stage_; }
    int CurrentStep() const { return step_; }
    size_t Total() const { return total_; }
    // Whether zenthor.ini got the text macros of the set that the keyboard took.
    bool TextMacrosWritten() const { return macrosWritten_; }

private:
    bool Search();
    bool FindOrStartZenthor();
    void Send();
    void FollowQueue();
    bool QueueLeft();
    void AwaitEmptyQueue();
    void ReadAnswer();
    void Finish();
    bool TransferStuck(size_t queued);
    void ShowFailure(Stage stage, UINT textId);
    void NotifyZenthor() const;

    FileIO& fileIO_;
    std::string setName_;
    int model_;
    AccessKvoraLink& link_;
    Stage stage_ = Stage::kAsking;
    int step_ = kStartProgress;
    size_t total_ = 0;
    DWORD transferStart_ = 0;
    // The bytes still to go when they last moved, and when that was.
    size_t lastQueued_ = 0;
    DWORD lastMove_ = 0;
    // Whether the end block has left the port, and when: the answer wait counts from then.
    bool endBlockLeft_ = false;
    DWORD endBlockLeftAt_ = 0;
    bool macrosWritten_ = false;
};
