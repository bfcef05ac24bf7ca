// The playing side of Morvel's main window: the speech engine (BabTTS, else the TextSpeaker control),
// the media player, speaking texts, playing sound files, pause and stop, and the end of each sound or
// speech step turned into the next step of whoever plays.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

class BabTTS;
class DocumentDlg;
class FileIO;
class MciSound;
class MediaPlayer;
class Settings;
class TextSpeaker;

// What the playback needs of the main window that owns it.
class PlaybackHost {
public:
    virtual ~PlaybackHost() = default;

    // The main window: the parent of the player and the speech control, the engine's callback window
    // (it receives 0x2001) and the owner of timer 10. Its procedure hands messages to
    // MorvelPlayback::HandleMessage.
    virtual HWND PlaybackWindow() = 0;
    virtual FileIO& GetFileIO() = 0;
    virtual Settings& GetSettings() = 0;
    // The document window: its play list takes the steps nobody else takes.
    virtual DocumentDlg& GetDocument() = 0;
    // Shows or hides the PAUSE button (1038).
    virtual void ShowPauseButton(bool show) = 0;
    // Shows PAUSE pushed in while playback is paused, and released again.
    virtual void ShowPaused(bool paused) = 0;
    // The end of a step goes first to the dialog that plays while it is open: the sound chooser (only
    // for the ends of the media player), the open-document dialog, the insert-picture browser. true
    // when one of them was open and took it.
    virtual bool PassStepToOpenDialog(bool mediaPlayerEnd) = 0;
};

// A member of the main window, built with it. Everything runs on the window thread: the ends of the
// steps arrive as the player's notifications, the control's events, the engine's posted message or
// timer 10, and each starts the next step; no step waits for the one before.
class MorvelPlayback {
public:
    // Timer 10 takes the next step after the Windows Media Player control reported its end.
    static const UINT_PTR kStepTimer = 10;
    static const UINT kStepTimerDelay = 100;
    // The child ids of the player and the speech control.
    static const int kPlayerId = 168;
    static const int kSpeechControlId = 1006;

    explicit MorvelPlayback(PlaybackHost& host);
    virtual ~MorvelPlayback();
    MorvelPlayback(const MorvelPlayback&) = delete;
    MorvelPlayback& operator=(const MorvelPlayback&) = delete;

    // On opening: the player that [Defaults] MediaPlayer of Morvel.ini names (1 the classic one, other
    // values not below 0 the newer one, negative none), hidden.
    void CreateMediaPlayer();
    // Timer 1: BabTTS when [Defaults] Acapela is set and it starts, else the TextSpeaker control when
    // [Defaults] TextSpeaker is set; each gets the user's voice and numbers.
    void CreateSpeechEngine();
    // After the users dialog and the settings sheet: the user's voice and numbers again.
    void ApplySpeechSettings();
    // When the main window is destroyed (and from the destructor): stops the engine and the controls and
    // lets go of them.
    void Destroy();

    // Stops the player (the newer one is closed and hidden), the speech control, the engine, a CD
    // track, clears the pause, hides PAUSE and empties the document's play list.
    void StopAllPlayback();
    // Clears the paused flag; PAUSE is shown when its button is switched on in the settings.
    void ClearPause();
    // The play list is over: nothing plays, so nothing is paused; PAUSE goes.
    void EndOfPlayList();
    // Speaks through the TextSpeaker control for speech engine 4 when it is ready and has voices, else
    // through BabTTS. 1 when speech started, 0 when there is no engine or it refused.
    int SpeakText(const std::string& text);
    // Stops everything, then speaks with the TextSpeaker control when it is ready, else BabTTS. 0 and
    // nothing spoken without an engine.
    int StopAndSpeak(const std::string& text);
    bool HasMediaPlayer() const { return player_ != nullptr; }
    // Plays a sound or video file: a ".cda" file is a track of the audio CD, played through MCI; any
    // other through the player. 1 when it plays, 0 when nothing could be played.
    int PlayMediaFile(const std::string& path);

    // F6 and PAUSE (only when PAUSE is switched on in the settings): pauses what plays, or resumes
    // what was paused. A step that ended during the pause is followed by the next one on resuming.
    void TogglePause();
    bool IsPaused() const { return paused_ != 0; }

    // The main window hands every message here first. Takes the engine's messages 0x2000-0x2009
    // (0x2001 ends a step, the rest are swallowed), timer 10, the player's notifications and the CD's
    // MM_MCINOTIFY. true when taken; result is then the message's answer.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The TextSpeaker control's events: the position within the text, and the end of speaking.
    void OnSpeechPosition(long position);
    void OnSpeechControlFinished();

    // For the dialogs that speak or play themselves; null while absent.
    BabTTS* SpeechEngine() { return engine_.get(); }
    TextSpeaker* SpeechControl() { return speaker_.get(); }
    MediaPlayer* Player() { return player_.get(); }

protected:
    // Where the engine and the control come from; tests give stand-ins.
    virtual std::unique_ptr<BabTTS> StartSpeechEngine();
    virtual std::unique_ptr<TextSpeaker> StartSpeechControl();

private:
    enum class StepEnd { MediaPlayer, SpeechControl, SpeechEngine, StepTimer, CdTrack };
    enum class PausedOutput { None, Player, SpeechControl, SpeechEngine };

    // Takes the next step of whoever plays.
    void OnStepEnded(StepEnd end);
    void OnPlayerNotify(const NMHDR& header);
    void SetPaused(bool paused);
    void ApplyEngineSettings();
    void ApplyControlSettings();
    bool SpeechControlSpeaks() const;
    bool PauseOutput();
    bool ResumeOutput();
    int PlayCdTrack(const std::string& path);

    PlaybackHost& host_;
    std::unique_ptr<BabTTS> engine_;
    std::unique_ptr<TextSpeaker> speaker_;
    std::unique_ptr<MediaPlayer> player_;
    std::unique_ptr<MciSound> cd_;
    int paused_ = 0;
    PausedOutput pausedOutput_ = PausedOutput::None;
    // A step ended while paused: resuming takes the next step.
    bool stepEndedWhilePaused_ = false;
};
