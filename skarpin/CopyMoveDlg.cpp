// Choosing the target set of several overlays.
#include "skarpin/CopyMoveDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"
#include "store/SetBox.h"

CopyMoveDlg::CopyMoveDlg(FileIO* fileIO, std::string& setName, int count, int move, HWND parent)
    : fw::Dialog(IDD_COPY_MOVE, parent), fileIO_(fileIO), setName_(setName), count_(count), move_(move != 0)
{
}

bool CopyMoveDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(move_ ? IDS_MOVE_OVERLAY : IDS_COPY_OVERLAY_CAPTION));
    SetItemText(IDC_COPYMOVE_PROMPT, fw::LoadResString(move_ ? IDS_COPYMOVE_MOVE_PROMPT : IDS_COPYMOVE_COPY_PROMPT));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));

    sets_.clear();
    // Overlays moved stay out of the set they are in; a copy may go there under new names.
    for (const SetItem& set : ShownSets(*fileIO_)) {
        if (!move_ || !SameSetName(set.name_, setName_))
            sets_.push_back(set);
    }
    fw::ComboBox setBox = Control<fw::ComboBox>(IDC_COPYMOVE_SETS);
    FillSetBox(setBox, sets_);
    if (move_)
        setBox.Select(sets_.empty() ? -1 : 0);
    else
        setBox.Select(namerules::InitialLine(namerules::NamesOf(sets_), setName_));
    EnableItem(IDOK, !sets_.empty());
    return true;
}

bool CopyMoveDlg::OnOK()
{
    const int selected = Control<fw::ComboBox>(IDC_COPYMOVE_SETS).Selection();
    if (selected < 0 || static_cast<size_t>(selected) >= sets_.size())
        return false;
    const SetItem& target = sets_[static_cast<size_t>(selected)];
    if (target.readOnly_) {
        commandmessages::ShowError(Handle(), IDS_TARGET_READ_ONLY);
        Item(IDC_COPYMOVE_SETS).SetFocus();
        return false;
    }
    std::vector<SetItem> overlays;
    fileIO_->ListOverlays(target.name_, overlays);
    if (!namerules::Fits(count_, namerules::RoomInSet(fileIO_->KindOfSet(target.name_), overlays))) {
        commandmessages::ShowError(Handle(), IDS_COPYMOVE_NO_ROOM);
        return false;
    }
    setName_ = target.name_;
    return true;
}
