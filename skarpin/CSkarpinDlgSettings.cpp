// Skarpin's main window: the settings commands (key timing, repetition and feedback per set or per
// overlay, the keyboard model, the show toggles, about, exit), the speech and printer set-up a
// little after opening, and the guards while an overlay editor is open.
#include "skarpin/CSkarpinDlg.h"
#include "device/FBSettingsDlg.h"
#include "device/FeedbackDlg.h"
#include "device/KeysDlg.h"
#include "device/RepetitionDlg.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/AboutDlg.h"
#include "skarpin/SetTreeCtrl.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"

namespace {

struct GroupTexts {
    UINT perSet;
    UINT perOverlay;
};

GroupTexts TextsOf(KeyboardGroup group)
{
    switch (group) {
    case KeyboardGroup::kKeyTiming:
        return {IDS_PRESSURE_PER_SET, IDS_PRESSURE_PER_OVERLAY};
    case KeyboardGroup::kRepetition:
        return {IDS_REPETITION_PER_SET, IDS_REPETITION_PER_OVERLAY};
    case KeyboardGroup::kFeedback:
        break;
    }
    return {IDS_FEEDBACK_PER_SET, IDS_FEEDBACK_PER_OVERLAY};
}

} // namespace

bool CSkarpinDlg::OnSettingsCommand(int id)
{
    switch (id) {
    case ID_OPTICAL_CODE_MARGINS:
        OnMarginSettings();
        return true;
    case ID_OVERLAY_PRESSURE:
        EditKeyboardSettings(KeyboardGroup::kKeyTiming);
        return true;
    case ID_OVERLAY_REPETITION:
        EditKeyboardSettings(KeyboardGroup::kRepetition);
        return true;
    case ID_OVERLAY_FEEDBACK:
        EditKeyboardSettings(KeyboardGroup::kFeedback);
        return true;
    case ID_KEYBOARD_MODEL:
        ChooseKeyboardModel();
        return true;
    case ID_SHOW_STANDARD_OVERLAYS:
    case ID_SHOW_TEMPLATES:
    case ID_SHOW_TEMPLATE_DIALOG:
        ToggleShowSetting(id);
        return true;
    case ID_START_SETTINGS:
        OnStartSettings();
        return true;
    case ID_APP_ABOUT_SKARPIN:
        AboutDlg(fileIO_.fileVersion_, fileIO_.fileDate_, false, hwnd_).DoModal();
        return true;
    case ID_APP_EXIT_SKARPIN:
        if (OnCancel())
            EndDialog(IDCANCEL);
        return true;
    default:
        return false;
    }
}

void CSkarpinDlg::OnMarginSettings()
{
    if (settingsDialogs_.printMargins)
        settingsDialogs_.printMargins(hwnd_, fileIO_, printer_);
}

void CSkarpinDlg::OnStartSettings()
{
    if (settingsDialogs_.startSettings)
        settingsDialogs_.startSettings(hwnd_, fileIO_);
}

// --- Key timing, repetition and feedback ---

void CSkarpinDlg::EditKeyboardSettings(KeyboardGroup group)
{
    // The open editor saves the keyboard settings it read when it opened: values written under it
    // now would be lost at its next save without a word.
    if (RefuseWhileEditorOpen(this))
        return;
    if (selectionFocus_ == 1)
        EditOverlayKeyboardSettings(group);
    else
        EditSetKeyboardSettings(group);
}

bool CSkarpinDlg::RunKeyboardDialog(KeyboardGroup group, KeyboardSettings& settings, UINT captionId, int preset,
                                    GroupFields& fields)
{
    const std::string caption = fw::LoadResString(captionId);
    switch (group) {
    case KeyboardGroup::kKeyTiming: {
        KeysDlg dialog(settings, caption, preset, hwnd_);
        if (dialog.DoModal() != IDOK)
            return false;
        fields = {dialog.SignalDelayChanged(), dialog.BounceLockChanged()};
        return true;
    }
    case KeyboardGroup::kRepetition: {
        RepetitionDlg dialog(settings, caption, preset, hwnd_);
        if (dialog.DoModal() != IDOK)
            return false;
        fields = {dialog.RepeatDelayChanged(), dialog.FrequencyChanged()};
        return true;
    }
    case KeyboardGroup::kFeedback: {
        FeedbackDlg dialog(settings, caption, preset, hwnd_);
        if (dialog.DoModal() != IDOK)
            return false;
        fields = {dialog.FlashChanged(), dialog.BeepChanged()};
        return true;
    }
    }
    return false;
}

// The set's values go into its register and into every overlay of it, so that they hold for the
// whole set.
void CSkarpinDlg::EditSetKeyboardSettings(KeyboardGroup group)
{
    if (selectedSetName_.empty())
        return;
    const std::string registerPath = fileIO_.SetRegisterPath(selectedSetName_);
    KeyboardSettings settings;
    FileIO::ReadKeyboardSettings(registerPath, settings);
    GroupFields chosen;
    if (!RunKeyboardDialog(group, settings, TextsOf(group).perSet, 1, chosen))
        return;

    const GroupFields both{true, true};
    std::vector<std::string> notWritten;
    if (!WriteGroupFields(registerPath, group, settings, both))
        notWritten.push_back(registerPath);
    std::vector<std::string> names;
    for (const SetItem& line : listLines_) {
        if (!line.name_.empty())
            names.push_back(line.name_);
    }
    WriteOverlayGroupFields(names, group, settings, both, notWritten);
}

// Each chosen overlay keeps its own values but for the fields the user chose.
void CSkarpinDlg::EditOverlayKeyboardSettings(KeyboardGroup group)
{
    if (selectedSetName_.empty() || selectedOverlayName_.empty()
        || fw::ListBox(overlayList_.Handle()).SelectedCount() <= 0)
        return;
    const std::vector<int> chosen = ChosenLines();
    if (chosen.empty())
        return;
    std::vector<std::string> names;
    std::vector<KeyboardSettings> records;
    for (int line : chosen) {
        names.push_back(listLines_[static_cast<size_t>(line)].name_);
        records.emplace_back();
        FileIO::ReadKeyboardSettings(fileIO_.OverlayPath(selectedSetName_, names.back()), records.back());
    }
    GroupPreset preset = PresetOf(group, records);
    GroupFields fields;
    if (!RunKeyboardDialog(group, preset.shown, TextsOf(group).perOverlay, preset.allEqual, fields))
        return;
    std::vector<std::string> notWritten;
    WriteOverlayGroupFields(names, group, preset.shown, fields, notWritten);
}

// Writes the fields into each named overlay of the selected set, then tells what did not go. An
// overlay whose file has gone since the list was read (deleted outside the program) is left gone:
// writing its settings would bring it back as a file that holds nothing else.
void CSkarpinDlg::WriteOverlayGroupFields(const std::vector<std::string>& names, KeyboardGroup group,
                                          const KeyboardSettings& values, GroupFields fields,
                                          std::vector<std::string>& notWritten)
{
    std::vector<std::string> gone;
    {
        fw::WaitCursor wait;
        for (const std::string& name : names) {
            const std::string path = fileIO_.OverlayPath(selectedSetName_, name);
            if (!fw::FileExists(path))
                gone.push_back(name);
            else if (!WriteGroupFields(path, group, values, fields))
                notWritten.push_back(path);
        }
    }
    if (!notWritten.empty())
        commandmessages::ShowErrorFormatted(hwnd_, IDS_SETTINGS_NOT_WRITTEN,
                                            commandmessages::OnePerLine(notWritten).c_str());
    if (!gone.empty())
        commandmessages::ShowErrorFormatted(hwnd_, IDS_SETTINGS_OVERLAYS_GONE,
                                            commandmessages::OnePerLine(gone).c_str());
    NotifyDriverIfCurrent({selectedSetName_});
}

// --- Keyboard model and the show toggles ---

void CSkarpinDlg::ChooseKeyboardModel()
{
    const int previous = g_keyboardModel;
    if (FBSettingsDlg(fileIO_, g_keyboardModel, hwnd_).DoModal() != IDOK)
        return;
    ::SetForegroundWindow(hwnd_);
    ::SetFocus(hwnd_);
    if (g_keyboardModel == previous)
        return;
    SetCaption(MainWindowCaption(g_keyboardModel));
    fileIO_.caption_ = Self().Text();
    FillSetTree();
    if (!treeItems_.empty())
        SelectSetLine(0);
    ApplyModelToMainMenu(mainMenu_, g_keyboardModel);
    ::DrawMenuBar(hwnd_);
}

void CSkarpinDlg::ToggleShowSetting(int id)
{
    int* flag = id == ID_SHOW_STANDARD_OVERLAYS ? &fileIO_.showStandardOverlays_
                : id == ID_SHOW_TEMPLATES       ? &fileIO_.showTemplates_
                                                : &fileIO_.showTemplateDlg_;
    *flag = *flag ? 0 : 1;
    ::CheckMenuItem(mainMenu_, static_cast<UINT>(id), MF_BYCOMMAND | (*flag ? MF_CHECKED : MF_UNCHECKED));
    ::DrawMenuBar(hwnd_);
    if (id == ID_SHOW_STANDARD_OVERLAYS)
        fileIO_.SetShowStandardOverlays(*flag);
    else if (id == ID_SHOW_TEMPLATES)
        fileIO_.SetShowTemplates(*flag);
    else
        fileIO_.SetShowTemplateDlg(*flag);
    if (id == ID_SHOW_TEMPLATE_DIALOG)
        return;
    FillSetTree();
    if (!treeItems_.empty())
        SelectSetLine(0);
}

// --- Speech, printer, guards and closing ---

void CSkarpinDlg::OnTimer(UINT_PTR id)
{
    if (id != kStartTimer)
        return;
    KillTimer(kStartTimer);
    StartSpeechAndPrinter();
}

void CSkarpinDlg::StartSpeechAndPrinter()
{
    {
        fw::WaitCursor wait;
        speech_.Start(fileIO_, hwnd_);
    }
    printer_.LoadDefault(); // silently: without a printer, printing says so when it is asked for
}

bool CSkarpinDlg::RefuseNonClientClick()
{
    return RefuseWhileEditorOpen(this);
}

bool CSkarpinDlg::OnCancel()
{
    return MayCloseEditor();
}
