// The screen page.
#include "writer_settings/SettingsDlg1.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include "writer_settings/ScreenChoices.h"
#include "writer_settings/Settings.h"
#include <cstdlib>

namespace {

int CALLBACK AddTrueTypeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM list)
{
    if (type & TRUETYPE_FONTTYPE) {
        const fw::ComboBox* combo = reinterpret_cast<const fw::ComboBox*>(list);
        if (combo->FindExact(font->lfFaceName) < 0)
            combo->Add(font->lfFaceName);
    }
    return 1;
}

} // namespace

SettingsDlg1::SettingsDlg1(SettingsSheetData* data) : fw::PropertyPage(IDD_SETTINGS_SCREEN), data_(data) {}

bool SettingsDlg1::OnInitDialog()
{
    fw::ComboBox sizes(Handle(), IDC_SCREEN_IMAGE_SIZE);
    for (int perRow = 2; perRow <= 10; ++perRow)
        sizes.Add(std::to_string(perRow));
    for (int id : {IDC_SCREEN_BK_COLOR, IDC_SCREEN_TEXT_COLOR, IDC_SCREEN_CURSOR_COLOR}) {
        fw::ComboBox colours(Handle(), id);
        for (UINT colour = IDS_COLOR_BLACK; colour <= IDS_COLOR_WHITE; ++colour)
            colours.Add(fw::LoadResString(colour));
    }
    fw::ComboBox styles(Handle(), IDC_SCREEN_FONT_STYLE);
    for (UINT style : {IDS_STYLE_NORMAL, IDS_STYLE_BOLD, IDS_STYLE_ITALIC, IDS_STYLE_BOLD_ITALIC})
        styles.Add(fw::LoadResString(style));
    FillFonts();
    return true;
}

void SettingsDlg1::FillFonts()
{
    const fw::ComboBox fonts(Handle(), IDC_SCREEN_FONT);
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesA(screen, nullptr, AddTrueTypeFace, reinterpret_cast<LPARAM>(&fonts));
    ::ReleaseDC(nullptr, screen);
}

void SettingsDlg1::FillSizes(int size)
{
    fw::ComboBox list(Handle(), IDC_SCREEN_FONT_SIZE);
    list.Clear();
    int selection = -1;
    for (int offered : screenchoices::FontSizesWith(size)) {
        const int index = list.Add(std::to_string(offered));
        if (offered == size)
            selection = index;
    }
    list.Select(selection);
}

std::vector<std::pair<int, int*>> SettingsDlg1::Checks() const
{
    Settings& s = *data_->settings;
    return {{IDC_SCREEN_NEW, &s.showNewButton_},           {IDC_SCREEN_OPEN, &s.showOpenButton_},
            {IDC_SCREEN_PRINT, &s.showPrintButton_},       {IDC_SCREEN_INSERT_IMAGE, &s.showInsertImageButton_},
            {IDC_SCREEN_READ, &s.showReadButton_},         {IDC_SCREEN_PAUSE, &s.showPauseButton_},
            {IDC_SCREEN_NEGATION, &s.showNegationButton_}, {IDC_SCREEN_LARGE_IMAGE, &s.showLargeImageButton_},
            {IDC_SCREEN_BROWSE, &s.showBrowseButton_},     {IDC_SCREEN_EXIT, &s.showExitButton_},
            {IDC_SCREEN_HELPER_MENU, &s.helperMenu_}};
}

bool SettingsDlg1::OnSetActive()
{
    const Settings& s = *data_->settings;
    Control<fw::ComboBox>(IDC_SCREEN_IMAGE_SIZE).Select(s.imageSize_);
    Control<fw::ComboBox>(IDC_SCREEN_BK_COLOR).Select(s.bkColor_);
    Control<fw::ComboBox>(IDC_SCREEN_TEXT_COLOR).Select(s.textColor_);
    Control<fw::ComboBox>(IDC_SCREEN_CURSOR_COLOR).Select(s.cursorColor_);
    // The first face whose name begins with the stored one, as the list's own search finds it.
    Control<fw::ComboBox>(IDC_SCREEN_FONT).Send(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(s.fontName_.c_str()));
    Control<fw::ComboBox>(IDC_SCREEN_FONT_STYLE).Select(screenchoices::StyleIndex(s.fontStyle_));
    FillSizes(s.fontSize_);
    for (const auto& check : Checks())
        SetChecked(check.first, *check.second != 0);
    shown_ = true;
    SetWizardButtons(data_->hasNamePage ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_NEXT);
    return true;
}

void SettingsDlg1::Store()
{
    if (!shown_)
        return;
    Settings& s = *data_->settings;
    const auto selection = [this](int id) { return Control<fw::ComboBox>(id).Selection(); };
    if (selection(IDC_SCREEN_IMAGE_SIZE) >= 0)
        s.imageSize_ = selection(IDC_SCREEN_IMAGE_SIZE);
    if (selection(IDC_SCREEN_BK_COLOR) >= 0)
        s.bkColor_ = selection(IDC_SCREEN_BK_COLOR);
    if (selection(IDC_SCREEN_TEXT_COLOR) >= 0)
        s.textColor_ = selection(IDC_SCREEN_TEXT_COLOR);
    if (selection(IDC_SCREEN_CURSOR_COLOR) >= 0)
        s.cursorColor_ = selection(IDC_SCREEN_CURSOR_COLOR);
    // A face the screen does not have leaves the list without a selection: the stored face stays.
    const int face = selection(IDC_SCREEN_FONT);
    if (face >= 0)
        s.fontName_ = Control<fw::ComboBox>(IDC_SCREEN_FONT).ItemText(face);
    s.fontStyle_ = screenchoices::StyleFromIndex(selection(IDC_SCREEN_FONT_STYLE));
    const int size = selection(IDC_SCREEN_FONT_SIZE);
    if (size >= 0)
        s.fontSize_ = std::atoi(Control<fw::ComboBox>(IDC_SCREEN_FONT_SIZE).ItemText(size).c_str());
    for (const auto& check : Checks())
        *check.second = IsChecked(check.first) ? 1 : 0;
}

bool SettingsDlg1::OnKillActive()
{
    Store();
    return true;
}
