// A top-level window that holds the document window as the main window will: it owns nothing of
// the document, hands the document window its configuration, picture control and printer, routes the
// typed characters and keys to it, and records what the document window tells it. With a playback
// (UsePlayback) it speaks and plays through it as the main window does, its window taking the ends of
// the steps; without one it only records. For tests, screenshots and the keystroke benchmark.
#pragma once
#include "framework/Dialog.h"
#include "library/ImagXpress.h"
#include "writer/DocumentDlg.h"
#include "writer/DocumentOwner.h"
#include "writer/MorvelPlayback.h"
#include <functional>
#include <string>
#include <memory>
#include <vector>

class DocumentHost : public DocumentOwner, public PlaybackHost, private fw::MessageFilter {
public:
    // The window is shown at (0, 0) with the given outer size; the document window fills its client
    // area less a margin, as in the main window.
    DocumentHost(FileIO& fileIO, Settings& settings, int width = 800, int height = 600);
    ~DocumentHost() override;
    DocumentHost(const DocumentHost&) = delete;
    DocumentHost& operator=(const DocumentHost&) = delete;

    HWND Handle() const { return hwnd_; }
    DocumentDlg& Document() { return document_; }
    // Sets up a printer (its device context stays the caller's), or none; the document window's
    // printer sizes follow.
    void SetPrinter(HDC printer);
    // Moves the document window to a rectangle of the host's client area.
    void PlaceDocument(const RECT& rect);

    // Speaking and playing go through the playback (not owned; null: only recorded). The caller keeps
    // it alive while the host uses it.
    void UsePlayback(MorvelPlayback* playback) { playback_ = playback; }

    // DocumentOwner (and PlaybackHost)
    FileIO& GetFileIO() override { return fileIO_; }
    Settings& GetSettings() override { return settings_; }
    std::shared_ptr<PictureControl> GetPictureInterface() override { return pictures_->GetInterface(); }
    const DocumentPrinter* GetPrinter() override { return printer_.dc ? &printer_ : nullptr; }
    void StopAllPlayback() override;
    int SpeakText(const std::string& text) override;
    bool HasMediaPlayer() override { return playback_ ? playback_->HasMediaPlayer() : hasMediaPlayer_; }
    int PlayMediaFile(const std::string& path) override;
    void ClearPause() override;
    void UpdatePageScroller(int currentPage, int lastPage) override;
    bool IsSearchInHits() override { return searchInHits_; }
    void LeaveSearchHits() override { searchInHits_ = false; }

    // PlaybackHost
    HWND PlaybackWindow() override { return hwnd_; }
    DocumentDlg& GetDocument() override { return document_; }
    void ShowPauseButton(bool show) override { pauseShown_ = show; }
    void ShowPaused(bool paused) override { pausedShown_ = paused; }
    bool PassStepToOpenDialog(bool mediaPlayerEnd) override { return openDialog_ && openDialog_(mediaPlayerEnd); }

    // Without a playback: what speaking and playing answer.
    int speakResult_ = 1;
    int playResult_ = 1;
    bool hasMediaPlayer_ = true;
    // Stands for an open dialog that plays: it is asked first about each end of a step.
    std::function<bool(bool mediaPlayerEnd)> openDialog_;

    // What the document window told its owner.
    std::vector<std::string> heard_; // "speak <text>", "play <path>", "clear pause"
    bool pauseShown_ = false;
    bool pausedShown_ = false;
    int stops_ = 0;
    int scrollerCurrent_ = -1;
    int scrollerLast_ = -1;
    int scrollerUpdates_ = 0;
    std::vector<int> commands_; // the main window's commands passed on by the document window
    bool searchInHits_ = false;

private:
    bool PreTranslateMessage(MSG& message) override;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    FileIO& fileIO_;
    Settings& settings_;
    HWND hwnd_ = nullptr;
    MorvelPlayback* playback_ = nullptr;
    std::unique_ptr<CImagXpress> pictures_;
    DocumentPrinter printer_;
    DocumentDlg document_;
};
