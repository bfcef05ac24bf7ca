// The settings sheet's speech page: which speech engine reads aloud, its voice and what is read
// aloud while writing.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/SettingsSheetData.h"
#include <string>

// Works with the BabTTS engine when the main window has one, else with the TextSpeaker control;
// without either only "Ingen" can be chosen.
class SettingsDlg3 : public fw::PropertyPage {
public:
    explicit SettingsDlg3(SettingsSheetData* data);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnCommand(int id, int code) override;

private:
    // The control is there, ready and has voices (or the engine has voices).
    bool VoicesAvailable() const;
    void FillVoices();
    void EnableReadAloud(bool enable);
    void OnVoiceSelected();
    void OnVoiceSettings();
    std::string SelectedVoice() const;

    SettingsSheetData* data_;
};
