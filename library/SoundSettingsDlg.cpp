// Recording settings dialog.
#include "library/SoundSettingsDlg.h"
#include "framework/Strings.h"
#include "library/RecordSettings.h"
#include "library/resource.h"
#include <cstdlib>

SoundSettingsDlg::SoundSettingsDlg(int* recordingTime, int* silenceLevel, int* cutPauses, int* quality, HWND parent)
    : fw::Dialog(IDD_SOUND_SETTINGS, parent), recordingTime_(recordingTime), silenceLevel_(silenceLevel),
      cutPauses_(cutPauses), quality_(quality)
{
}

bool SoundSettingsDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_SETTINGS_CAPTION));
    SetItemText(IDC_SETTINGS_QUALITY_GROUP, fw::LoadResString(IDS_SETTINGS_QUALITY));
    SetItemText(IDC_SETTINGS_TELEPHONE, fw::LoadResString(IDS_SETTINGS_TELEPHONE));
    SetItemText(IDC_SETTINGS_RADIO, fw::LoadResString(IDS_SETTINGS_RADIO));
    SetItemText(IDC_SETTINGS_BETTER_RADIO, fw::LoadResString(IDS_SETTINGS_BETTER_RADIO));
    SetItemText(IDC_SETTINGS_TIME_LABEL, fw::LoadResString(IDS_SETTINGS_TIME));
    SetItemText(IDC_SETTINGS_CUT_PAUSES, fw::LoadResString(IDS_SETTINGS_CUT_PAUSES));
    SetItemText(IDC_SETTINGS_SILENCE_GROUP, fw::LoadResString(IDS_SETTINGS_SILENCE));
    SetItemText(IDC_SETTINGS_LOW_NOISE, fw::LoadResString(IDS_SETTINGS_LOW_NOISE));
    SetItemText(IDC_SETTINGS_HIGH_NOISE, fw::LoadResString(IDS_SETTINGS_HIGH_NOISE));
    SetItemText(IDC_SETTINGS_HINT, fw::LoadResString(IDS_SETTINGS_HINT));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));

    int radio = *quality_ == 0 ? IDC_SETTINGS_TELEPHONE : *quality_ == 2 ? IDC_SETTINGS_BETTER_RADIO : IDC_SETTINGS_RADIO;
    ::CheckRadioButton(Handle(), IDC_SETTINGS_TELEPHONE, IDC_SETTINGS_BETTER_RADIO, radio);

    auto times = Control<fw::ComboBox>(IDC_SETTINGS_TIME);
    for (int seconds : RecordSettings::kRecordingTimes)
        times.Add(fw::Format("%d", seconds));
    times.SelectExact(fw::Format("%d", *recordingTime_));

    SetChecked(IDC_SETTINGS_CUT_PAUSES, *cutPauses_ == 1);

    auto silence = Control<fw::TrackBar>(IDC_SETTINGS_SILENCE);
    silence.SetRange(RecordSettings::kMinSilenceLevel, RecordSettings::kMaxSilenceLevel);
    silence.SetPos(*silenceLevel_);
    return true;
}

bool SoundSettingsDlg::OnOK()
{
    if (IsChecked(IDC_SETTINGS_TELEPHONE))
        *quality_ = 0;
    else if (IsChecked(IDC_SETTINGS_BETTER_RADIO))
        *quality_ = 2;
    else
        *quality_ = 1;
    // A time that the list does not offer shows no line; it is then kept, not read as 0.
    auto times = Control<fw::ComboBox>(IDC_SETTINGS_TIME);
    int line = times.Selection();
    if (line >= 0)
        *recordingTime_ = std::atoi(times.ItemText(line).c_str());
    *cutPauses_ = IsChecked(IDC_SETTINGS_CUT_PAUSES) ? 1 : 0;
    *silenceLevel_ = Control<fw::TrackBar>(IDC_SETTINGS_SILENCE).Pos();
    return true;
}
