// The program-start method.
#include "editor/StartSettingsDlg.h"
#include "editor/SubDialogTexts.h"
#include "library/IniFile.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

namespace {

const int kRadios[appearance::kStartMethods] = {IDC_START_METHOD1, IDC_START_METHOD2, IDC_START_METHOD3,
                                                IDC_START_METHOD4};

} // namespace

StartSettingsDlg::StartSettingsDlg(FileIO& settings, HWND parent)
    : fw::Dialog(IDD_START_SETTINGS, parent), settings_(settings)
{
}

std::array<std::string, appearance::kStartMethods> StartSettingsDlg::ReadSequences(const FileIO& settings)
{
    std::array<std::string, appearance::kStartMethods> sequences;
    for (size_t i = 0; i < sequences.size(); ++i)
        sequences[i] = ini::ReadString(settings.programSettingsFile_, "KvoraStart", "Start" + std::to_string(i + 1));
    return sequences;
}

bool StartSettingsDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_START_SETTINGS_CAPTION,
                        {{IDC_START_SETTINGS_TEXT, IDS_START_SETTINGS_TEXT},
                         {IDC_START_SETTINGS_CHOOSE, IDS_START_SETTINGS_CHOOSE}});
    const auto sequences = ReadSequences(settings_);
    for (size_t i = 0; i < sequences.size(); ++i) {
        // The sequence is shown as written: a '&' in it is a key, not a mnemonic.
        std::string shown;
        for (char c : sequences[i])
            shown += c == '&' ? std::string("&&") : std::string(1, c);
        SetItemText(kRadios[i], shown);
        ShowItem(kRadios[i], !sequences[i].empty());
    }
    const int checked = appearance::CheckedStartMethod(sequences, settings_.defaultStartString_);
    if (checked >= 0)
        SetChecked(kRadios[checked], true);
    // Only a method the dialog shows can be stored: none checked, nothing to store yet.
    EnableItem(IDOK, checked >= 0);
    return true;
}

bool StartSettingsDlg::OnCommand(int id, int code)
{
    for (int radio : kRadios) {
        if (id == radio && code == BN_CLICKED) {
            EnableItem(IDOK, CheckedMethod() >= 0);
            return true;
        }
    }
    return false;
}

int StartSettingsDlg::CheckedMethod() const
{
    for (int i = 0; i < appearance::kStartMethods; ++i)
        if (IsChecked(kRadios[i]) && ::IsWindowVisible(::GetDlgItem(hwnd_, kRadios[i])))
            return i;
    return -1;
}

bool StartSettingsDlg::OnOK()
{
    const int method = CheckedMethod();
    if (method < 0)
        return false;
    settings_.SetDefaultStart(method + 1);
    return true;
}

bool RunStartSettings(HWND owner, FileIO& settings)
{
    StartSettingsDlg dialog(settings, owner);
    return dialog.DoModal() == IDOK;
}
