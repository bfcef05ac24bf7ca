// The import wizard's unpacking on the window's thread: the page's progress label and bar, the
// messages pumped as the work goes on so that the window answers and its Cancel can be pressed, a
// pressed Cancel taken as a request to stop, and what the user is told when the unpacking fails.
#pragma once
#include "components/ZipArchive.h"
#include <windows.h>
#include <cstdint>
#include <string>

// Whether an unpacking runs, and whether Cancel was pressed during it. The sheet holds one for its
// pages; each page's OnQueryCancel asks it.
class UnpackingState {
public:
    bool Running() const { return running_; }
    // The wizard's Cancel. While an unpacking runs it only asks the unpacking to stop, and false
    // keeps the wizard open until the unpacking has stopped and cleaned up.
    bool QueryCancel();
    bool CancelRequested() const { return cancelRequested_; }
    // A cancelled diskette prompt gives up the reading of the archive (its directory and overlays)
    // or the unpacking at Finish it came in: no second prompt follows it, and no failure is told for
    // it. Each reading and each Finish starts asking again.
    void VolumeRefused() { volumeRefused_ = true; }
    bool WasVolumeRefused() const { return volumeRefused_; }
    void StartReading() { volumeRefused_ = false; }

private:
    friend class UnpackingProgress;
    bool running_ = false;
    bool cancelRequested_ = false;
    bool volumeRefused_ = false;
};

// One unpacking (or placing), from its construction to its end: the label (textId, "Läser %s..."
// unless told) and the bar on the page, the wizard's buttons off meanwhile. Given as the work's
// progress handler.
class UnpackingProgress {
public:
    UnpackingProgress(HWND page, UnpackingState& state, int labelId, int barId, UINT textId = 0);
    ~UnpackingProgress();
    UnpackingProgress(const UnpackingProgress&) = delete;
    UnpackingProgress& operator=(const UnpackingProgress&) = delete;

    // Shows the progress and lets the window answer: at the first step, and then every tenth of a
    // second. False, to stop, once Cancel was pressed.
    bool operator()(const zip::Progress& progress);
    // After an unpacking that Cancel stopped: the wizard ends as its Cancel ends it.
    void CloseIfCancelled();

private:
    HWND page_;
    UnpackingState& state_;
    int labelId_;
    int barId_;
    UINT textId_;
    bool pumped_ = false;
    DWORD lastPump_ = 0;
};

// Tells the user why the archive could not be read or unpacked, by its entry where one was at fault.
void ReportUnpackFailure(HWND owner, zip::Result result, const std::string& zipPath, const std::string& entry,
                         std::uint64_t neededBytes);
