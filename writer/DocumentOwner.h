// What the document window needs of the main window that holds it.
#pragma once
#include "components/PictureControl.h"
#include <windows.h>
#include <memory>
#include <string>

class FileIO;
class Settings;

// The printer the main window has set up: its device context, the printable rectangle of a page in
// printer pixels, and its pixels per inch.
struct DocumentPrinter {
    HDC dc = nullptr;
    RECT printable{0, 0, 0, 0};
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
};

// Implemented by the main window (and by the test host). The document window keeps a pointer from
// DocumentDlg::Attach on; the owner outlives it.
class DocumentOwner {
public:
    virtual ~DocumentOwner() = default;

    virtual FileIO& GetFileIO() = 0;
    virtual Settings& GetSettings() = 0;
    // The picture control through which pictures are decoded; null when it could not start.
    virtual std::shared_ptr<PictureControl> GetPictureInterface() = 0;
    // Null while no printer is set up.
    virtual const DocumentPrinter* GetPrinter() = 0;

    // Stops every sound, speech and read-aloud.
    virtual void StopAllPlayback() = 0;
    // Speaks a text with the user's speech engine: 1 when speech started, 0 when nothing is said (no
    // engine, or it refused).
    virtual int SpeakText(const std::string& text) = 0;
    // Whether a media player exists: without one, sound files are not played.
    virtual bool HasMediaPlayer() = 0;
    // Starts a sound file: 1 when it plays.
    virtual int PlayMediaFile(const std::string& path) = 0;
    // After a step was started: the paused mark is cleared and the pause button shown.
    virtual void ClearPause() = 0;
    // Pages are numbered from 0.
    virtual void UpdatePageScroller(int currentPage, int lastPage) = 0;
    // The word-to-picture bar: whether its hit strip has the keys (the caret is then drawn as a
    // dotted line), and leaving the strip.
    virtual bool IsSearchInHits() = 0;
    virtual void LeaveSearchHits() = 0;
};
