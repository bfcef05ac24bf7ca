// The main window's speech engine or speech control.
#include "skarpin/MainWindowSpeech.h"
#include "library/Cp1252.h"
#include "store/FileIO.h"

MainWindowSpeech::MainWindowSpeech()
    : makeSpeaker_([](TextSpeaker& speaker, HWND parent) { return speaker.Create(parent, kTextSpeakerId); }),
      foreground_(::GetForegroundWindow)
{
}

MainWindowSpeech::~MainWindowSpeech()
{
    Stop();
}

void MainWindowSpeech::Start(const FileIO& fileIO, HWND mainWindow)
{
    std::string voice;
    fileIO.GetSapiVoice(voice);
    if (fileIO.UseAcapela() != 0 && StartEngine(voice))
        return;
    if (fileIO.UseTextSpeaker() != 0)
        StartSpeaker(fileIO, mainWindow, voice);
}

void MainWindowSpeech::Stop()
{
    if (speaker_ != nullptr) {
        speaker_->SetSpeechFinishedHandler(nullptr);
        speaker_->Destroy();
        speaker_.reset();
    }
    engine_.reset();
}

// The engine keeps its default voice unless the setting names one of its own.
bool MainWindowSpeech::StartEngine(const std::string& voice)
{
    auto engine = std::make_unique<BabTTS>();
    if (!engine->InitEngine() || !engine->CreateInstance())
        return false;
    if (!voice.empty()) {
        const int count = engine->GetNumVoices();
        for (int i = 0; i < count; ++i) {
            std::string name;
            if (engine->EnumVoice(i, name) && cp1252::EqualsNoCase(name, voice)) {
                engine->OpenVoice(voice, nullptr);
                break;
            }
        }
    }
    engine_ = std::move(engine);
    return true;
}

// A control that is not ready stays, unconfigured; one that cannot be made is no speech at all.
bool MainWindowSpeech::StartSpeaker(const FileIO& fileIO, HWND mainWindow, const std::string& voice)
{
    auto speaker = std::make_unique<TextSpeaker>();
    if (!makeSpeaker_ || !makeSpeaker_(*speaker, mainWindow) || !speaker->IsPresent())
        return false;
    speaker->SetSpeechFinishedHandler([this] { DeliverSpeechFinished(foreground_ ? foreground_() : nullptr); });
    speaker_ = std::move(speaker);
    if (!speaker_->IsReady())
        return true;
    speaker_->ChooseVoice(voice);
    long speed = 0;
    long pitch = 0;
    long volume = 0;
    if (fileIO.GetTextSpeakerSettings(speed, pitch, volume)) {
        speaker_->SetSpeed(speed);
        speaker_->SetPitch(pitch);
        speaker_->SetVolume(volume);
    }
    return true;
}

bool MainWindowSpeech::DeliverSpeechFinished(HWND foreground)
{
    if (foreground == nullptr || ::GetWindowThreadProcessId(foreground, nullptr) != ::GetCurrentThreadId())
        return false;
    ::SendMessageA(foreground, kSpeechFinishedMessage, 0, 0);
    return true;
}
