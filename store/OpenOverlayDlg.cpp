// Choosing a set and an overlay of it to open.
#include "store/OpenOverlayDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/SetBox.h"

OpenOverlayDlg::OpenOverlayDlg(FileIO* fileIO, std::string& setName, std::string& overlayName, int& number,
                               int& readOnly, HWND parent)
    : fw::Dialog(IDD_OPEN_OVERLAY, parent), fileIO_(fileIO), setName_(setName), overlayName_(overlayName),
      number_(number), readOnly_(readOnly)
{
}

bool OpenOverlayDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_OPEN_OVERLAY_CAPTION));
    SetItemText(IDC_NAME_SET_LABEL, fw::LoadResString(IDS_CHOOSE_SET));
    SetItemText(IDC_NAME_LIST_LABEL, fw::LoadResString(IDS_CHOOSE_OVERLAY));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));

    sets_ = ShownSets(*fileIO_);
    fw::ComboBox setBox = Control<fw::ComboBox>(IDC_NAME_SETS);
    FillSetBox(setBox, sets_);
    setBox.Select(namerules::InitialLine(namerules::NamesOf(sets_), setName_));
    FillOverlayLines();

    std::vector<std::string> texts;
    for (const namerules::OpenLine& line : lines_)
        texts.push_back(line.text);
    const std::string wanted = namerules::OpenOverlayWanted(fileIO_->KindOfSet(ChosenSet()), number_, overlayName_);
    const int initial = namerules::InitialLine(texts, wanted);
    Control<fw::ListBox>(IDC_NAME_LIST).Select(initial);
    EnableItem(IDOK, initial >= 0);
    return true;
}

bool OpenOverlayDlg::OnCommand(int id, int code)
{
    if (id == IDC_NAME_SETS && code == CBN_SELCHANGE) {
        FillOverlayLines();
        EnableItem(IDOK, false);
        return true;
    }
    if (id == IDC_NAME_LIST && code == LBN_SELCHANGE) {
        EnableItem(IDOK, Control<fw::ListBox>(IDC_NAME_LIST).Selection() >= 0);
        return true;
    }
    return false;
}

std::string OpenOverlayDlg::ChosenSet() const
{
    return ::ChosenSet(Control<fw::ComboBox>(IDC_NAME_SETS), sets_);
}

void OpenOverlayDlg::FillOverlayLines()
{
    const std::string set = ChosenSet();
    std::vector<SetItem> overlays;
    fileIO_->ListOverlays(set, overlays);
    lines_ = set.empty() ? std::vector<namerules::OpenLine>()
                         : namerules::OpenOverlayLines(fileIO_->KindOfSet(set), overlays);
    fw::ListBox list = Control<fw::ListBox>(IDC_NAME_LIST);
    list.Clear();
    for (const namerules::OpenLine& line : lines_)
        list.Add(line.text);
}

// The line itself carries its number and name: a name that begins with digits cannot be misread.
bool OpenOverlayDlg::OnOK()
{
    const int selected = Control<fw::ListBox>(IDC_NAME_LIST).Selection();
    if (selected < 0 || static_cast<size_t>(selected) >= lines_.size())
        return false;
    const namerules::OpenLine& line = lines_[static_cast<size_t>(selected)];
    setName_ = ChosenSet();
    number_ = line.number;
    overlayName_ = line.name;
    readOnly_ = namerules::ReadOnlyFlagOf(sets_, setName_);
    return true;
}
