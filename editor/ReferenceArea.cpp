// The reference dialog.
#include "editor/ReferenceArea.h"
#include "editor/MouseCommandModel.h"
#include "editor/SubDialogTexts.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace {

struct Radio {
    int id;
    char character;
};
const Radio kUnits[] = {{IDC_REFERENCE_RELATIVE, 'R'}, {IDC_REFERENCE_PIXELS, 'P'}};
const Radio kTargets[] = {{IDC_REFERENCE_WINDOW, 'W'}, {IDC_REFERENCE_SCREEN, 'S'}};
const Radio kCorners[] = {{IDC_REFERENCE_TOP_LEFT, '1'},
                          {IDC_REFERENCE_TOP_RIGHT, '2'},
                          {IDC_REFERENCE_CENTRE, 'C'},
                          {IDC_REFERENCE_BOTTOM_RIGHT, '3'},
                          {IDC_REFERENCE_BOTTOM_LEFT, '4'}};

template <size_t N> bool InGroup(const Radio (&group)[N], int id)
{
    for (const Radio& radio : group)
        if (radio.id == id)
            return true;
    return false;
}

// The character of the checked radio; the first one's when none is checked.
template <size_t N> char CheckedCharacter(const fw::Dialog& dialog, const Radio (&group)[N])
{
    for (const Radio& radio : group)
        if (dialog.IsChecked(radio.id))
            return radio.character;
    return group[0].character;
}

template <size_t N> void CheckCharacter(const fw::Dialog& dialog, const Radio (&group)[N], char character)
{
    for (const Radio& radio : group)
        dialog.SetChecked(radio.id, radio.character == character);
}

} // namespace

ReferenceArea::ReferenceArea(const std::vector<MouseClickReference>& named, MouseClickReference& current,
                             HWND parent)
    : fw::Dialog(IDD_REFERENCE_AREA, parent), named_(named), current_(current)
{
}

bool ReferenceArea::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_MOUSE_ADVANCED,
                        {{IDC_REFERENCE_TEXT1, IDS_REFERENCE_TEXT1},
                         {IDC_REFERENCE_TEXT2, IDS_REFERENCE_TEXT2},
                         {IDC_REFERENCE_UNIT, IDS_REFERENCE_UNIT},
                         {IDC_REFERENCE_RELATIVE, IDS_REFERENCE_RELATIVE},
                         {IDC_REFERENCE_PIXELS, IDS_REFERENCE_PIXELS},
                         {IDC_REFERENCE_TARGET, IDS_REFERENCE_TARGET},
                         {IDC_REFERENCE_WINDOW, IDS_REFERENCE_WINDOW},
                         {IDC_REFERENCE_SCREEN, IDS_REFERENCE_SCREEN},
                         {IDC_REFERENCE_CORNER, IDS_REFERENCE_CORNER},
                         {IDC_REFERENCE_TOP_LEFT, IDS_REFERENCE_TOP_LEFT},
                         {IDC_REFERENCE_TOP_RIGHT, IDS_REFERENCE_TOP_RIGHT},
                         {IDC_REFERENCE_CENTRE, IDS_REFERENCE_CENTRE},
                         {IDC_REFERENCE_BOTTOM_RIGHT, IDS_REFERENCE_BOTTOM_RIGHT},
                         {IDC_REFERENCE_BOTTOM_LEFT, IDS_REFERENCE_BOTTOM_LEFT}});
    windowPicture_.Reset(::LoadBitmapA(fw::ResourceModule(), MAKEINTRESOURCEA(IDB_REFERENCE_WINDOW)));
    screenPicture_.Reset(::LoadBitmapA(fw::ResourceModule(), MAKEINTRESOURCEA(IDB_REFERENCE_SCREEN)));
    fw::ListBox list(hwnd_, IDC_REFERENCE_LIST);
    for (const MouseClickReference& reference : named_)
        list.Add(reference.name_);
    list.Add(fw::LoadResString(IDS_REFERENCE_NONE));
    ShowRadios(current_);
    FollowRadios();
    return true;
}

bool ReferenceArea::OnCommand(int id, int code)
{
    if (id == IDC_REFERENCE_LIST && code == LBN_SELCHANGE) {
        OnListChoice();
        return true;
    }
    if (code == BN_CLICKED && (InGroup(kUnits, id) || InGroup(kTargets, id) || InGroup(kCorners, id))) {
        FollowRadios();
        return true;
    }
    return false;
}

MouseClickReference ReferenceArea::Chosen() const
{
    MouseClickReference chosen;
    chosen.unit_ = CheckedCharacter(*this, kUnits);
    chosen.target_ = CheckedCharacter(*this, kTargets);
    chosen.corner_ = CheckedCharacter(*this, kCorners);
    return chosen;
}

void ReferenceArea::ShowRadios(const MouseClickReference& reference)
{
    CheckCharacter(*this, kUnits, reference.unit_);
    CheckCharacter(*this, kTargets, reference.target_);
    CheckCharacter(*this, kCorners, reference.corner_);
}

void ReferenceArea::FollowRadios()
{
    const MouseClickReference chosen = Chosen();
    const int match = mouse::MatchingReference(named_, chosen);
    fw::ListBox(hwnd_, IDC_REFERENCE_LIST).Select(match >= 0 ? match : static_cast<int>(named_.size()));
    ShowPicture();
}

void ReferenceArea::ShowPicture()
{
    fw::Static(hwnd_, IDC_REFERENCE_PICTURE).SetBitmap(Chosen().target_ == 'S' ? screenPicture_ : windowPicture_);
}

void ReferenceArea::OnListChoice()
{
    const int chosen = fw::ListBox(hwnd_, IDC_REFERENCE_LIST).Selection();
    // "<Ingen>" leaves the radios as they are.
    if (chosen < 0 || chosen >= static_cast<int>(named_.size()))
        return;
    ShowRadios(named_[static_cast<size_t>(chosen)]);
    ShowPicture();
}

bool ReferenceArea::OnOK()
{
    const MouseClickReference chosen = Chosen();
    current_.unit_ = chosen.unit_;
    current_.target_ = chosen.target_;
    current_.corner_ = chosen.corner_;
    return true;
}
