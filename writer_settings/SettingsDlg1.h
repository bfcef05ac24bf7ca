// The settings sheet's screen page: picture size, colours, the document font, the main window's
// buttons and the helper menu.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/SettingsSheetData.h"

class SettingsDlg1 : public fw::PropertyPage {
public:
    explicit SettingsDlg1(SettingsSheetData* data);

    // Reads every control back into the settings (when the page has been shown).
    void Store();

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

private:
    void FillFonts();
    void FillSizes(int size);
    // Each check box with the settings field it shows.
    std::vector<std::pair<int, int*>> Checks() const;

    SettingsSheetData* data_;
    bool shown_ = false;
};
