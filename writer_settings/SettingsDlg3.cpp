// The speech page.
#include "writer_settings/SettingsDlg3.h"
#include "components/TextSpeaker.h"
#include "framework/Strings.h"
#include "library/BabTTS.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"

namespace {

// A voice of the TextSpeaker control is offered unless "kvspeak.ini" in the Windows folder turns it
// off in [Voices] (a missing key counts as on).
bool VoiceOffered(const std::string& name)
{
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string ini = std::string(windows) + "\\kvspeak.ini";
    return ::GetPrivateProfileIntA("Voices", name.c_str(), 1, ini.c_str()) == 1;
}

} // namespace

SettingsDlg3::SettingsDlg3(SettingsSheetData* data) : fw::PropertyPage(IDD_SETTINGS_SPEECH), data_(data) {}

bool SettingsDlg3::OnInitDialog()
{
    SetItemText(IDC_SPEECH_VOICES, fw::LoadResString(data_->speech.engine ? IDS_SPEECH_ACAPELA : IDS_SPEECH_SAPI));
    return true;
}

bool SettingsDlg3::VoicesAvailable() const
{
    if (BabTTS* engine = data_->speech.engine)
        return engine->GetNumVoices() > 0;
    TextSpeaker* speaker = data_->speech.textSpeaker;
    return speaker && speaker->IsPresent() && speaker->IsReady() && speaker->VoiceCount() > 0;
}

void SettingsDlg3::FillVoices()
{
    fw::ListBox list(Handle(), IDC_SPEECH_VOICE_LIST);
    list.Clear();
    if (BabTTS* engine = data_->speech.engine) {
        const int count = engine->GetNumVoices();
        for (int i = 0; i < count; ++i) {
            std::string name;
            if (engine->EnumVoice(i, name))
                list.Add(name);
        }
    } else if (TextSpeaker* speaker = data_->speech.textSpeaker) {
        const long count = speaker->IsPresent() ? speaker->VoiceCount() : 0;
        for (long i = 0; i < count; ++i) {
            const std::string name = speaker->VoiceName(i);
            if (!name.empty() && VoiceOffered(name))
                list.Add(name);
        }
    }
    list.Select(list.FindExact(data_->settings->sapiVoice_));
}

void SettingsDlg3::EnableReadAloud(bool enable)
{
    for (int id : {IDC_SPEECH_READ_LABEL, IDC_SPEECH_LETTERS, IDC_SPEECH_WORDS, IDC_SPEECH_SENTENCES})
        EnableItem(id, enable);
}

bool SettingsDlg3::OnSetActive()
{
    const Settings& s = *data_->settings;
    FillVoices();
    const bool voices = VoicesAvailable();
    const bool engine = data_->speech.engine != nullptr;
    const bool speaker = data_->speech.textSpeaker && data_->speech.textSpeaker->IsPresent();
    EnableItem(IDC_SPEECH_INFOVOX, engine);
    EnableItem(IDC_SPEECH_VOICES, engine ? voices : speaker);
    const int chosen = s.speechEngine_ == 4 && voices ? IDC_SPEECH_VOICES : IDC_SPEECH_NONE;
    for (int id : {IDC_SPEECH_NONE, IDC_SPEECH_INFOVOX, IDC_SPEECH_VOICES})
        SetChecked(id, id == chosen);
    SetChecked(IDC_SPEECH_LETTERS, s.speakLetters_ != 0);
    SetChecked(IDC_SPEECH_WORDS, s.speakWords_ != 0);
    SetChecked(IDC_SPEECH_SENTENCES, s.speakSentences_ != 0);
    EnableReadAloud(s.speechEngine_ != 0);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

bool SettingsDlg3::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_SPEECH_NONE: EnableReadAloud(false); return true;
    case IDC_SPEECH_INFOVOX:
    case IDC_SPEECH_VOICES: EnableReadAloud(true); return true;
    case IDC_SPEECH_VOICE_LIST:
        if (code == LBN_SELCHANGE)
            OnVoiceSelected();
        return true;
    case IDC_SPEECH_SETTINGS: OnVoiceSettings(); return true;
    default: return false;
    }
}

std::string SettingsDlg3::SelectedVoice() const
{
    const fw::ListBox list(Handle(), IDC_SPEECH_VOICE_LIST);
    const int selection = list.Selection();
    return selection >= 0 ? list.ItemText(selection) : std::string();
}

void SettingsDlg3::OnVoiceSelected()
{
    TextSpeaker* speaker = data_->speech.textSpeaker;
    if (data_->speech.engine || !speaker || !speaker->IsPresent())
        return;
    Settings& s = *data_->settings;
    speaker->SelectVoice(SelectedVoice());
    speaker->GetSpeed(s.speakerSpeed_);
    speaker->GetPitch(s.speakerPitch_);
    speaker->GetVolume(s.speakerVolume_);
    for (int radio : {IDC_SPEECH_NONE, IDC_SPEECH_INFOVOX, IDC_SPEECH_VOICES})
        SetChecked(radio, radio == IDC_SPEECH_VOICES);
    EnableReadAloud(true);
}

void SettingsDlg3::OnVoiceSettings()
{
    if (BabTTS* engine = data_->speech.engine) {
        if (!SelectedVoice().empty())
            engine->ShowDialog(Handle());
        return;
    }
    TextSpeaker* speaker = data_->speech.textSpeaker;
    if (!speaker || !speaker->IsPresent())
        return;
    Settings& s = *data_->settings;
    speaker->ShowPropertyWindow(Handle());
    s.sapiVoice_ = speaker->CurrentVoice();
    speaker->GetSpeed(s.speakerSpeed_);
    speaker->GetPitch(s.speakerPitch_);
    speaker->GetVolume(s.speakerVolume_);
    fw::ListBox list(Handle(), IDC_SPEECH_VOICE_LIST);
    list.Select(list.FindExact(s.sapiVoice_));
}

bool SettingsDlg3::OnKillActive()
{
    Settings& s = *data_->settings;
    const bool voicesChosen = IsChecked(IDC_SPEECH_VOICES) && VoicesAvailable();
    s.speechEngine_ = voicesChosen ? 4 : 0;
    if (voicesChosen) {
        const std::string voice = SelectedVoice();
        if (!data_->speech.engine) {
            TextSpeaker* speaker = data_->speech.textSpeaker;
            speaker->SelectVoice(voice);
            speaker->SetSpeed(s.speakerSpeed_);
            speaker->SetPitch(s.speakerPitch_);
            speaker->SetVolume(s.speakerVolume_);
        }
        if (!voice.empty())
            s.sapiVoice_ = voice;
    }
    s.speakLetters_ = IsChecked(IDC_SPEECH_LETTERS) ? 1 : 0;
    s.speakWords_ = IsChecked(IDC_SPEECH_WORDS) ? 1 : 0;
    s.speakSentences_ = IsChecked(IDC_SPEECH_SENTENCES) ? 1 : 0;
    return true;
}
