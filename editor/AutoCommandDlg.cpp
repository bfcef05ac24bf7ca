// The automatic command.
#include "editor/AutoCommandDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

namespace {

const int kModeRadios[] = {IDC_AUTO_MODE_TEXT, IDC_AUTO_MODE_FILE, IDC_AUTO_MODE_CODE};

} // namespace

AutoCommandDlg::AutoCommandDlg(FileIO* settings, HWND parent)
    : fw::Dialog(IDD_AUTO_COMMAND, parent), settings_(settings), rule_(settings->autoCommand_)
{
}

bool AutoCommandDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_AUTO_CAPTION,
                        {{IDC_AUTO_TEXT, IDS_AUTO_TEXT}, {IDC_AUTO_ON, IDS_AUTO_ON}, {IDC_AUTO_OFF, IDS_AUTO_OFF},
                         {IDC_AUTO_PREFIX_LABEL, IDS_AUTO_PREFIX}, {IDC_AUTO_SUFFIX_LABEL, IDS_AUTO_SUFFIX},
                         {IDC_AUTO_MODE_TEXT, IDS_AUTO_MODE_TEXT}, {IDC_AUTO_MODE_FILE, IDS_AUTO_MODE_FILE},
                         {IDC_AUTO_MODE_CODE, IDS_AUTO_MODE_CODE}});
    struct Part {
        CommandEdit& editor;
        int id;
        const std::string& text;
    };
    for (const Part& part : {Part{prefix_, IDC_AUTO_PREFIX, rule_.prefix_}, Part{suffix_, IDC_AUTO_SUFFIX, rule_.suffix_}}) {
        part.editor.SubclassDlgItem(part.id, hwnd_);
        part.editor.SetSyntax(*settings_);
        part.editor.SetupFont();
        // The settings file gives back no more than this: a longer part would come back cut.
        part.editor.SetTextLimit(kMaxPart + 1);
        part.editor.SetCaretToken(0);
        part.editor.MarkHandled();
        part.editor.SetText(part.text);
    }
    const int mode = rule_.mode_ >= 0 && rule_.mode_ <= 2 ? rule_.mode_ : AutoCommandSettings::kPictureText;
    SetChecked(kModeRadios[mode], true);
    SetChecked(rule_.enabled_ ? IDC_AUTO_ON : IDC_AUTO_OFF, true);
    ShowOnState(rule_.enabled_ != 0);
    if (rule_.enabled_) {
        ::SetFocus(prefix_);
        return false;
    }
    return true;
}

void AutoCommandDlg::ShowOnState(bool on)
{
    for (int id : {IDC_AUTO_PREFIX, IDC_AUTO_SUFFIX, IDC_AUTO_MODE_TEXT, IDC_AUTO_MODE_FILE, IDC_AUTO_MODE_CODE})
        EnableItem(id, on);
}

bool AutoCommandDlg::OnCommand(int id, int code)
{
    if ((id == IDC_AUTO_ON || id == IDC_AUTO_OFF) && code == BN_CLICKED) {
        const bool on = id == IDC_AUTO_ON;
        ShowOnState(on);
        if (on)
            ::SetFocus(prefix_);
        return true;
    }
    return false;
}

bool AutoCommandDlg::OnOK()
{
    if (!IsChecked(IDC_AUTO_ON)) {
        settings_->autoCommand_.enabled_ = 0;
        return true;
    }
    if (prefix_.Text().size() > kMaxPart || suffix_.Text().size() > kMaxPart) {
        fw::Beep();
        return false;
    }
    rule_.enabled_ = 1;
    for (int mode = 0; mode < 3; ++mode)
        if (IsChecked(kModeRadios[mode]))
            rule_.mode_ = mode;
    rule_.prefix_ = prefix_.Text();
    rule_.suffix_ = suffix_.Text();
    settings_->SetAutoCommand(rule_);
    return true;
}
