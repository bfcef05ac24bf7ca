// Copying or moving one overlay: its new name, its target set and a free number there.
#include "skarpin/CopyOverlayDlg.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"
#include "store/SetBox.h"

CopyOverlayDlg::CopyOverlayDlg(FileIO* fileIO, std::string& setName, std::string& overlayName, int& number, int move,
                               HWND parent)
    : NameBoxDialog(IDD_COPY_OVERLAY, parent), fileIO_(fileIO), setName_(setName), overlayName_(overlayName),
      number_(number), move_(move != 0), ownSet_(setName), ownNumber_(number)
{
}

bool CopyOverlayDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(move_ ? IDS_MOVE_OVERLAY : IDS_COPY_OVERLAY_CAPTION));
    SetItemText(IDC_NAME_LINE1, fw::FormatResString(IDS_NAME_SET_LINE, ownSet_.c_str()));
    SetItemText(IDC_NAME_LINE2, fw::FormatResString(IDS_NAME_OVERLAY_LINE, overlayName_.c_str()));
    SetItemText(IDC_NAME_LABEL, fw::LoadResString(IDS_ENTER_NAME));
    SetItemText(IDC_NAME_SET_LABEL, fw::LoadResString(move_ ? IDS_MOVE_OVERLAY_PROMPT : IDS_COPY_OVERLAY_PROMPT));
    SetItemText(IDC_NAME_NUMBER_LABEL, fw::LoadResString(IDS_CHOOSE_FREE_NUMBER));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    SetItemText(IDC_NAME_EDIT, overlayName_);

    sets_ = ShownSets(*fileIO_);
    fw::ComboBox setBox = Control<fw::ComboBox>(IDC_NAME_SETS);
    FillSetBox(setBox, sets_);
    // An overlay cannot move into the set it is in when that is the templates set.
    const bool outOfTemplates = move_ && fileIO_->IsTemplatesSet(ownSet_);
    setBox.Select(outOfTemplates ? (sets_.empty() ? -1 : 0) : namerules::InitialLine(namerules::NamesOf(sets_), ownSet_));
    OnSetChanged();
    return true;
}

bool CopyOverlayDlg::OnCommand(int id, int code)
{
    if (id == IDC_NAME_SETS && code == CBN_SELCHANGE) {
        OnSetChanged();
        return true;
    }
    return NameBoxDialog::OnCommand(id, code);
}

std::string CopyOverlayDlg::TargetSet() const
{
    return ChosenSet(Control<fw::ComboBox>(IDC_NAME_SETS), sets_);
}

void CopyOverlayDlg::OnSetChanged()
{
    const std::string target = TargetSet();
    fileIO_->ListOverlays(target, targetOverlays_);
    targetKind_ = fileIO_->KindOfSet(target);
    freeNumbers_ = namerules::FreeNumbers(targetKind_, targetOverlays_);

    fw::ComboBox numberBox = Control<fw::ComboBox>(IDC_NAME_NUMBERS);
    numberBox.Clear();
    for (int number : freeNumbers_)
        numberBox.Add(std::to_string(number));
    numberBox.Enable(targetKind_ != SetKind::kTemplates);
    numberBox.Select(namerules::InitialNumberLine(freeNumbers_, ownNumber_));
    UpdateOkButton();
}

void CopyOverlayDlg::UpdateOkButton()
{
    EnableItem(IDOK, namerules::CopyOverlayAllowed(ItemText(IDC_NAME_EDIT), freeNumbers_.size(), targetKind_, move_,
                                                   TargetSet(), ownSet_));
}

bool CopyOverlayDlg::OnOK()
{
    const std::string target = TargetSet();
    const std::string name = ItemText(IDC_NAME_EDIT);
    const bool readOnly = namerules::ReadOnlyFlagOf(sets_, target) != 0;
    if (const int problem =
            namerules::CopyOverlayProblem(readOnly, move_, name, ownNumber_, targetOverlays_, target, ownSet_))
        return Refuse(problem, problem == IDS_TARGET_READ_ONLY ? IDC_NAME_SETS : IDC_NAME_EDIT);
    // Something the list does not show may stand under the name on the disk; a move takes only its
    // own file's place.
    const std::string path = fileIO_->OverlayPath(target, name);
    const bool ownFile =
        move_ && fw::ComparablePath(path) == fw::ComparablePath(fileIO_->OverlayPath(ownSet_, overlayName_));
    if (!ownFile && !fw::IsAbsent(path))
        return Refuse(IDS_OVERLAY_NAME_TAKEN, IDC_NAME_EDIT);
    overlayName_ = name;
    setName_ = target;
    const int selected = Control<fw::ComboBox>(IDC_NAME_NUMBERS).Selection();
    if (selected >= 0 && static_cast<size_t>(selected) < freeNumbers_.size())
        number_ = freeNumbers_[static_cast<size_t>(selected)];
    return true;
}
