// The main window's speech: the BabTTS engine or the TextSpeaker control, made once a little after
// the window opens and shared with every overlay editor, and the end-of-speech notice that the
// control's event turns into.
#pragma once
#include "components/TextSpeaker.h"
#include "library/BabTTS.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class FileIO;

// Owned by the main window; at most one of the engine and the control exists.
class MainWindowSpeech {
public:
    // Sent (wParam 0, lParam 0) to the window in front when the TextSpeaker control has spoken.
    static constexpr UINT kSpeechFinishedMessage = WM_USER + 144;
    static constexpr int kTextSpeakerId = 1167;

    // Makes the control as child kTextSpeakerId of the window; false when it could not be made.
    using SpeakerMaker = std::function<bool(TextSpeaker& speaker, HWND parent)>;

    MainWindowSpeech();
    ~MainWindowSpeech();
    MainWindowSpeech(const MainWindowSpeech&) = delete;
    MainWindowSpeech& operator=(const MainWindowSpeech&) = delete;

    // Tests hand in a stand-in control, and the window that counts as being in front.
    void SetSpeakerMaker(SpeakerMaker maker) { makeSpeaker_ = std::move(maker); }
    void SetForegroundLookup(std::function<HWND()> lookup) { foreground_ = std::move(lookup); }

    // The engine when [Defaults] Acapela asks for it and it starts; else the control when
    // [Defaults] TextSpeaker asks for it; then the voice named by [Settings] SAPIVoice and, for the
    // control, the three [Settings] TextSpeakerSettings. Nothing is said when neither can be had.
    void Start(const FileIO& fileIO, HWND mainWindow);
    void Stop();

    BabTTS* Engine() const { return engine_.get(); }
    TextSpeaker* Speaker() const { return speaker_.get(); }

    // The control's end of speech goes to the window in front only when it is one of this thread's
    // own: a window of another program, or of a thread that may not be answering, is never waited on.
    // True when it was sent.
    static bool DeliverSpeechFinished(HWND foreground);

private:
    bool StartEngine(const std::string& voice);
    bool StartSpeaker(const FileIO& fileIO, HWND mainWindow, const std::string& voice);

    std::unique_ptr<BabTTS> engine_;
    std::unique_ptr<TextSpeaker> speaker_;
    SpeakerMaker makeSpeaker_;
    std::function<HWND()> foreground_;
};
