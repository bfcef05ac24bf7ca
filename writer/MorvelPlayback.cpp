// The main window's speech engine, speech control and media player, and the steps of whoever plays.
#include "writer/MorvelPlayback.h"
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "components/TextSpeaker.h"
#include "framework/Prompt.h"
#include "library/BabTTS.h"
#include "library/BabTtsApi.h"
#include "morvel/resource.h"
#include "writer/DocumentDlg.h"
#include "writer/FileIO.h"
#include "writer_settings/Settings.h"

namespace {

// The speech control's setting of the speech engine.
const int kSpeechEngineTextSpeaker = 4;

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
                                       CSTR_EQUAL;
}

std::string ExtensionOf(const std::string& path)
{
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

} // namespace

MorvelPlayback::MorvelPlayback(PlaybackHost& host) : host_(host) {}

MorvelPlayback::~MorvelPlayback()
{
    Destroy();
}

void MorvelPlayback::CreateMediaPlayer()
{
    const int setting = ReadMediaPlayerSetting(host_.GetFileIO().morvelIni_);
    player_ = ::CreateMediaPlayer(setting, host_.PlaybackWindow(), kPlayerId, RECT{0, 0, 0, 0});
    if (player_ && player_->Window())
        ::ShowWindow(player_->Window(), SW_HIDE);
}

void MorvelPlayback::CreateSpeechEngine()
{
    FileIO& fileIO = host_.GetFileIO();
    if (fileIO.GetAcapelaFlag() != 0) {
        engine_ = StartSpeechEngine();
        if (engine_)
            ApplyEngineSettings();
    }
    if (!engine_ && fileIO.GetTextSpeakerFlag() != 0) {
        speaker_ = StartSpeechControl();
        if (speaker_) {
            speaker_->SetSpeechFinishedHandler([this] { OnSpeechControlFinished(); });
            speaker_->SetPositionHandler([this](long position) { OnSpeechPosition(position); });
            ApplyControlSettings();
        }
    }
}

std::unique_ptr<BabTTS> MorvelPlayback::StartSpeechEngine()
{
    auto engine = std::make_unique<BabTTS>();
    if (!engine->InitEngine() || !engine->CreateInstance())
        return nullptr;
    return engine;
}

std::unique_ptr<TextSpeaker> MorvelPlayback::StartSpeechControl()
{
    auto speaker = std::make_unique<TextSpeaker>();
    if (!speaker->Create(host_.PlaybackWindow(), kSpeechControlId))
        return nullptr;
    return speaker;
}

void MorvelPlayback::ApplySpeechSettings()
{
    if (engine_)
        ApplyEngineSettings();
    if (speaker_)
        ApplyControlSettings();
}

// The user's voice, found by name without regard to case. The engine tells the end of a text only
// to the window a voice was opened with: an engine on which no voice is open yet (a new user, a voice
// that is no longer installed) opens its first voice, or it would never speak at all.
void MorvelPlayback::ApplyEngineSettings()
{
    const std::string& wanted = host_.GetSettings().sapiVoice_;
    const int count = engine_->GetNumVoices();
    std::string name;
    for (int i = 0; i < count && !wanted.empty(); ++i) {
        if (engine_->EnumVoice(i, name) && EqualsIgnoringCase(name, wanted)) {
            engine_->OpenVoice(name, host_.PlaybackWindow());
            return;
        }
    }
    if (!engine_->CallbackWindow() && count > 0 && engine_->EnumVoice(0, name))
        engine_->OpenVoice(name, host_.PlaybackWindow());
}

void MorvelPlayback::ApplyControlSettings()
{
    if (!speaker_->IsReady())
        return;
    const Settings& settings = host_.GetSettings();
    speaker_->ChooseVoice(settings.sapiVoice_);
    speaker_->SetSpeed(settings.speakerSpeed_);
    speaker_->SetPitch(settings.speakerPitch_);
    speaker_->SetVolume(settings.speakerVolume_);
}

// Touches nothing of the host: it also runs from the destructor, when the main window is going.
void MorvelPlayback::Destroy()
{
    cd_.reset();
    if (speaker_) {
        speaker_->Stop();
        speaker_->Destroy();
        speaker_.reset();
    }
    if (engine_) {
        engine_->Reset();
        engine_.reset();
    }
    if (player_) {
        player_->Close();
        player_.reset();
    }
}

// A pending timer 10, or an end the engine posted before it was reset, would move on whatever list
// starts next: they go with the rest.
void MorvelPlayback::StopAllPlayback()
{
    HWND window = host_.PlaybackWindow();
    ::KillTimer(window, kStepTimer);
    MSG stale;
    while (::PeekMessageA(&stale, window, WM_BABTTS_SPEECH_END, WM_BABTTS_SPEECH_END, PM_REMOVE))
        ;
    if (player_) {
        if (player_->Kind() == MediaPlayerKind::Classic) {
            player_->Stop();
        } else {
            player_->Close();
            if (player_->Window())
                ::ShowWindow(player_->Window(), SW_HIDE);
        }
    }
    if (cd_)
        cd_->Stop();
    if (speaker_)
        speaker_->Stop();
    if (engine_)
        engine_->Reset();
    SetPaused(false);
    pausedOutput_ = PausedOutput::None;
    stepEndedWhilePaused_ = false;
    host_.ShowPauseButton(false);
    host_.GetDocument().ResetPlayList();
}

// The user sees the pause: PAUSE stays pushed in while playback is paused.
void MorvelPlayback::SetPaused(bool paused)
{
    paused_ = paused ? 1 : 0;
    host_.ShowPaused(paused);
}

void MorvelPlayback::ClearPause()
{
    SetPaused(false);
    pausedOutput_ = PausedOutput::None;
    stepEndedWhilePaused_ = false;
    if (host_.GetSettings().showPauseButton_)
        host_.ShowPauseButton(true);
}

void MorvelPlayback::EndOfPlayList()
{
    SetPaused(false);
    pausedOutput_ = PausedOutput::None;
    stepEndedWhilePaused_ = false;
    host_.ShowPauseButton(false);
}

bool MorvelPlayback::SpeechControlSpeaks() const
{
    return host_.GetSettings().speechEngine_ == kSpeechEngineTextSpeaker && speaker_ && speaker_->IsReady() &&
           speaker_->VoiceCount() > 0;
}

int MorvelPlayback::SpeakText(const std::string& text)
{
    if (SpeechControlSpeaks())
        return speaker_->Speak(text) ? 1 : 0;
    if (engine_)
        return engine_->Speak(text) == 0 ? 1 : 0;
    return 0;
}

// Called when the user asked to hear a text (a PLAY click): without any engine nothing is spoken and
// the user is told so.
int MorvelPlayback::StopAndSpeak(const std::string& text)
{
    StopAllPlayback();
    if (speaker_ && speaker_->IsReady())
        return speaker_->Speak(text) ? 1 : 0;
    if (engine_)
        return engine_->Speak(text) == 0 ? 1 : 0;
    fw::ShowMessage(host_.PlaybackWindow(), IDS_NO_SPEECH_ENGINE, IDS_PLAYBACK_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
    return 0;
}

int MorvelPlayback::PlayMediaFile(const std::string& path)
{
    if (path.empty())
        return 0;
    if (EqualsIgnoringCase(ExtensionOf(path), "cda"))
        return PlayCdTrack(path);
    if (!player_)
        return 0;
    // The newer player is closed first, so the new file becomes its only media.
    if (player_->Kind() == MediaPlayerKind::Modern)
        player_->Close();
    return player_->Open(path) && player_->State() == PlayState::Playing ? 1 : 0;
}

// The track's end comes back to the main window as MM_MCINOTIFY; the device stays open until then.
int MorvelPlayback::PlayCdTrack(const std::string& path)
{
    if (!cd_)
        cd_ = std::make_unique<MciSound>();
    return cd_->Play(path, host_.PlaybackWindow()) ? 1 : 0;
}

// Either player is paused while it plays, else the speech; the pause remembers what it paused, so
// resuming resumes that (a paused player no longer counts as playing, and would be passed by).
void MorvelPlayback::TogglePause()
{
    if (!host_.GetSettings().showPauseButton_)
        return;
    if (paused_)
        ResumeOutput();
    else
        PauseOutput();
}

bool MorvelPlayback::PauseOutput()
{
    PausedOutput output = PausedOutput::None;
    if (player_ && player_->State() == PlayState::Playing) {
        if (player_->Pause())
            output = PausedOutput::Player;
    } else if (host_.GetSettings().speechEngine_ == kSpeechEngineTextSpeaker && speaker_) {
        if (speaker_->Pause())
            output = PausedOutput::SpeechControl;
    } else if (engine_) {
        if (engine_->Pause() == 0)
            output = PausedOutput::SpeechEngine;
    }
    if (output == PausedOutput::None)
        return false;
    SetPaused(true);
    pausedOutput_ = output;
    return true;
}

// A step that ended during the pause was held back: the list goes on with the next one now.
bool MorvelPlayback::ResumeOutput()
{
    switch (pausedOutput_) {
    case PausedOutput::Player:
        if (player_)
            player_->Resume();
        break;
    case PausedOutput::SpeechControl:
        if (speaker_)
            speaker_->Resume();
        break;
    case PausedOutput::SpeechEngine:
        if (engine_)
            engine_->Resume();
        break;
    case PausedOutput::None:
        break;
    }
    SetPaused(false);
    pausedOutput_ = PausedOutput::None;
    if (stepEndedWhilePaused_) {
        stepEndedWhilePaused_ = false;
        if (!host_.GetDocument().PlayNextStep())
            host_.ShowPauseButton(false);
    }
    return true;
}

bool MorvelPlayback::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (message >= WM_BABTTS_FIRST && message <= WM_BABTTS_LAST) {
        if (message == WM_BABTTS_SPEECH_END)
            OnStepEnded(StepEnd::SpeechEngine);
        return true;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam != kStepTimer)
            return false;
        ::KillTimer(host_.PlaybackWindow(), kStepTimer);
        OnStepEnded(StepEnd::StepTimer);
        return true;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!player_ || !header || header->idFrom != static_cast<UINT_PTR>(kPlayerId))
            return false;
        OnPlayerNotify(*header);
        return true;
    }
    case MM_MCINOTIFY:
        if (!cd_ || !cd_->OnNotify(wParam, lParam))
            return false;
        OnStepEnded(StepEnd::CdTrack);
        return true;
    default:
        return false;
    }
}

// The newer player tells its end as a change of state, from inside its own call: the next step
// starts from timer 10, out of the player's stack.
void MorvelPlayback::OnPlayerNotify(const NMHDR& header)
{
    if (header.code == MPN_ENDOFSTREAM) {
        OnStepEnded(StepEnd::MediaPlayer);
    } else if (header.code == MPN_PLAYSTATECHANGE) {
        const auto& notice = reinterpret_cast<const NMMEDIAPLAYER&>(header);
        if (notice.state == kPlayStateMediaEnded)
            ::SetTimer(host_.PlaybackWindow(), kStepTimer, kStepTimerDelay, nullptr);
    }
}

void MorvelPlayback::OnSpeechPosition(long position)
{
    host_.GetDocument().SetSpeechPosition(position);
}

void MorvelPlayback::OnSpeechControlFinished()
{
    OnStepEnded(StepEnd::SpeechControl);
}

// A step that ends while paused is held back until the pause is lifted; dropped, the list would stand
// still for good.
void MorvelPlayback::OnStepEnded(StepEnd end)
{
    const bool mediaPlayerEnd = end == StepEnd::MediaPlayer || end == StepEnd::StepTimer;
    if (host_.PassStepToOpenDialog(mediaPlayerEnd))
        return;
    if (paused_) {
        stepEndedWhilePaused_ = true;
        return;
    }
    if (!host_.GetDocument().PlayNextStep())
        EndOfPlayList();
}
