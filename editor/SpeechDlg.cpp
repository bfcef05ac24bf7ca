// The speech settings dialog.
#include "editor/SpeechDlg.h"
#include "components/TextSpeaker.h"
#include "framework/Strings.h"
#include "library/BabTTS.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/IniValues.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

SpeechDlg::SpeechDlg(FileIO* settings, int* choice, BabTTS* engine, TextSpeaker* speaker, HWND parent)
    : fw::Dialog(IDD_SPEECH, parent), settings_(settings), choice_(choice), engine_(engine), speaker_(speaker)
{
}

bool SpeechDlg::UsesSpeaker() const
{
    return speaker_ != nullptr && speaker_->IsPresent();
}

bool SpeechDlg::OnInitDialog()
{
    settings_->GetSapiVoice(storedVoice_);
    if (UsesSpeaker()) {
        SetItemText(IDC_SPEECH_ENGINE, fw::LoadResString(IDS_SPEECH_TEXTSPEAKER));
        OpenWithSpeaker();
    } else {
        SetItemText(IDC_SPEECH_ENGINE, fw::LoadResString(IDS_SPEECH_ACAPELA));
        OpenWithEngine();
    }
    return true;
}

// Only voices the user has set up for the engine (their speech-font file exists) are offered.
void SpeechDlg::OpenWithEngine()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SPEECH_VOICES);
    int count = engine_ ? engine_->GetNumVoices() : 0;
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (!engine_->EnumVoice(i, name) || !engine_->FindUserSpeechFonts(i))
            continue;
        int entry = list.Add(name);
        if (!storedVoice_.empty() && cp1252::EqualsNoCase(name, storedVoice_)) {
            list.Select(entry);
            voice_ = entry;
            voiceName_ = name;
        }
    }
    SetUpRadios(list.Count() > 0);
}

// kvspeak.ini beside the Windows settings file hides a voice whose key reads 0.
void SpeechDlg::OpenWithSpeaker()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SPEECH_VOICES);
    const std::string voiceFile =
        ImageBaseManager::GetFolderFromPath(settings_->windowsSettingsFile_) + "\\kvspeak.ini";
    long count = speaker_->VoiceCount();
    for (long i = 0; i < count; ++i) {
        std::string name = speaker_->VoiceName(i);
        if (name.empty() || list.FindExact(name) >= 0 || ini::ReadInt(voiceFile, "Voices", name, 1) == 0)
            continue;
        list.Add(name);
    }

    openingVoice_ = speaker_->CurrentVoice();
    SelectListedVoice(openingVoice_);
    if (settings_->GetTextSpeakerSettings(speed_, pitch_, volume_))
        GiveSpeakerNumbers();
    else
        ReadSpeakerNumbers();
    openingSpeed_ = speed_;
    openingPitch_ = pitch_;
    openingVolume_ = volume_;
    SetUpRadios(list.Count() > 0);
}

void SpeechDlg::SetUpRadios(bool hasVoices)
{
    bool engine = hasVoices && *choice_ == 4;
    SetChecked(IDC_SPEECH_NONE, !engine);
    SetChecked(IDC_SPEECH_ENGINE, engine);
    if (!hasVoices) {
        for (int id : {IDC_SPEECH_ENGINE, IDC_SPEECH_VOICES, IDC_SPEECH_SETTINGS})
            EnableItem(id, false);
    }
}

void SpeechDlg::SelectListedVoice(const std::string& name)
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SPEECH_VOICES);
    int entry = name.empty() ? -1 : list.FindExact(name);
    list.Select(entry);
    voice_ = entry;
    voiceName_ = entry >= 0 ? list.ItemText(entry) : std::string();
}

void SpeechDlg::ReadSpeakerNumbers()
{
    speaker_->GetSpeed(speed_);
    speaker_->GetPitch(pitch_);
    speaker_->GetVolume(volume_);
}

void SpeechDlg::GiveSpeakerNumbers()
{
    speaker_->SetSpeed(speed_);
    speaker_->SetPitch(pitch_);
    speaker_->SetVolume(volume_);
}

bool SpeechDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_SPEECH_VOICES:
        if (code == LBN_SELCHANGE)
            OnVoiceChosen();
        return true;
    case IDC_SPEECH_SETTINGS:
        if (code == BN_CLICKED)
            OnSettings();
        return true;
    default:
        return false;
    }
}

void SpeechDlg::OnVoiceChosen()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SPEECH_VOICES);
    int entry = list.Selection();
    if (entry < 0)
        return;
    std::string name = list.ItemText(entry);
    if (UsesSpeaker()) {
        speaker_->SelectVoice(name);
        ReadSpeakerNumbers();
    } else if (engine_) {
        ReopenEngine(name);
        settings_->SetSapiVoice(name);
        engineVoiceChanged_ = true;
    }
    voice_ = entry;
    voiceName_ = name;
    SetChecked(IDC_SPEECH_NONE, false);
    SetChecked(IDC_SPEECH_ENGINE, true);
}

void SpeechDlg::ReopenEngine(const std::string& voice)
{
    engine_->CloseVoice();
    engine_->CreateInstance();
    if ((voice.empty() || !engine_->OpenVoice(voice, parent_)) && parent_)
        engine_->SetCallbackWindow(parent_);
}

void SpeechDlg::OnSettings()
{
    if (UsesSpeaker()) {
        speaker_->ShowPropertyWindow(hwnd_);
        SelectListedVoice(speaker_->CurrentVoice());
        ReadSpeakerNumbers();
    } else if (engine_) {
        engine_->ShowDialog(hwnd_);
    }
}

bool SpeechDlg::OnOK()
{
    if (IsChecked(IDC_SPEECH_NONE))
        *choice_ = 0;
    else if (IsChecked(IDC_SPEECH_OTHER))
        *choice_ = 1;
    else
        *choice_ = IsChecked(IDC_SPEECH_ENGINE) && (engine_ || speaker_) ? 4 : 0;

    if (UsesSpeaker()) {
        if (!voiceName_.empty()) {
            speaker_->SelectVoice(voiceName_);
            settings_->SetSapiVoice(voiceName_);
        }
        GiveSpeakerNumbers();
        settings_->SetTextSpeakerSettings(speed_, pitch_, volume_);
    }
    return true;
}

bool SpeechDlg::OnCancel()
{
    if (UsesSpeaker()) {
        const std::string& voice = openingVoice_.empty() ? storedVoice_ : openingVoice_;
        if (!voice.empty())
            speaker_->ChooseVoice(voice);
        speed_ = openingSpeed_;
        pitch_ = openingPitch_;
        volume_ = openingVolume_;
        GiveSpeakerNumbers();
    } else if (engine_ && engineVoiceChanged_) {
        ReopenEngine(storedVoice_);
        settings_->SetSapiVoice(storedVoice_);
    }
    return true;
}
