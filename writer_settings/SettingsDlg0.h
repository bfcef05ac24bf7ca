// The settings sheet's name page: the user's name, checked when the page is left.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/SettingsSheetData.h"

class SettingsDlg0 : public fw::PropertyPage {
public:
    explicit SettingsDlg0(SettingsSheetData* data);

protected:
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool Refuse(UINT textId, UINT icon);

    SettingsSheetData* data_;
};
