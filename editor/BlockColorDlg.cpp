// The colour dialog of a block.
#include "editor/BlockColorDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"

BlockColorDlg::BlockColorDlg(Block& block, HWND parent) : fw::Dialog(IDD_BLOCK_COLOR, parent), block_(block)
{
}

bool BlockColorDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_COLOR_CAPTION,
                        {{IDC_COLOR_TEXT_GROUP, IDS_COLOR_TEXT}, {IDC_COLOR_TEXT_BLACK, IDS_COLOR_BLACK},
                         {IDC_COLOR_TEXT_OTHER, IDS_COLOR_OTHER}, {IDC_COLOR_TEXT_CHOOSE, IDS_COLOR_CHOOSE},
                         {IDC_COLOR_FRAME_GROUP, IDS_COLOR_FRAME}, {IDC_COLOR_FRAME_BLACK, IDS_COLOR_BLACK},
                         {IDC_COLOR_FRAME_OTHER, IDS_COLOR_OTHER}, {IDC_COLOR_FRAME_CHOOSE, IDS_COLOR_CHOOSE},
                         {IDC_COLOR_BACK_GROUP, IDS_COLOR_BACK}, {IDC_COLOR_BACK_WHITE, IDS_COLOR_WHITE},
                         {IDC_COLOR_BACK_TRANSPARENT, IDS_COLOR_TRANSPARENT},
                         {IDC_COLOR_BACK_OTHER, IDS_COLOR_OTHER}, {IDC_COLOR_BACK_CHOOSE, IDS_COLOR_CHOOSE},
                         {IDC_COLOR_COVER, IDS_COLOR_COVER}});
    choice_ = appearance::ColorChoiceOf(block_, ::GetSysColor(COLOR_MENU));
    SetChecked(choice_.text == appearance::kBlack ? IDC_COLOR_TEXT_BLACK : IDC_COLOR_TEXT_OTHER, true);
    SetChecked(choice_.frame == appearance::kBlack ? IDC_COLOR_FRAME_BLACK : IDC_COLOR_FRAME_OTHER, true);
    static const int kBackRadios[] = {IDC_COLOR_BACK_WHITE, IDC_COLOR_BACK_TRANSPARENT, IDC_COLOR_BACK_OTHER};
    SetChecked(kBackRadios[choice_.back], true);
    SetChecked(IDC_COLOR_COVER, choice_.cover != 0);
    return true;
}

bool BlockColorDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_COLOR_TEXT_CHOOSE: ChooseColor(choice_.textSwatch, IDC_COLOR_TEXT_OTHER, IDC_COLOR_PICTURE_TEXT); return true;
    case IDC_COLOR_FRAME_CHOOSE: ChooseColor(choice_.frameSwatch, IDC_COLOR_FRAME_OTHER, IDC_COLOR_PICTURE_FRAME); return true;
    case IDC_COLOR_BACK_CHOOSE: ChooseColor(choice_.backSwatch, IDC_COLOR_BACK_OTHER, IDC_COLOR_PICTURE_BACK); return true;
    }
    return false;
}

void BlockColorDlg::ChooseColor(COLORREF& swatch, int otherRadio, int swatchId)
{
    // The custom colours stay for the program's run, as the system's chooser expects of its caller.
    static COLORREF customColors[16] = {};
    CHOOSECOLORA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = hwnd_;
    request.rgbResult = swatch;
    request.lpCustColors = customColors;
    request.Flags = CC_RGBINIT;
    if (!fw::ShowColorDialog(request))
        return;
    swatch = request.rgbResult;
    // The radios of one group: checking "Annan" alone leaves the others as they were.
    const int group[] = {IDC_COLOR_TEXT_BLACK, IDC_COLOR_TEXT_OTHER, IDC_COLOR_FRAME_BLACK, IDC_COLOR_FRAME_OTHER,
                         IDC_COLOR_BACK_WHITE, IDC_COLOR_BACK_TRANSPARENT, IDC_COLOR_BACK_OTHER};
    int first = otherRadio == IDC_COLOR_TEXT_OTHER ? 0 : otherRadio == IDC_COLOR_FRAME_OTHER ? 2 : 4;
    int last = otherRadio == IDC_COLOR_BACK_OTHER ? 6 : first + 1;
    ::CheckRadioButton(hwnd_, group[first], group[last], otherRadio);
    ::InvalidateRect(::GetDlgItem(hwnd_, swatchId), nullptr, TRUE);
}

bool BlockColorDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void BlockColorDlg::DrawSwatch(const DRAWITEMSTRUCT& item) const
{
    const COLORREF color = item.CtlID == IDC_COLOR_PICTURE_TEXT    ? choice_.textSwatch
                           : item.CtlID == IDC_COLOR_PICTURE_FRAME ? choice_.frameSwatch
                                                                   : choice_.backSwatch;
    fw::Brush brush(::CreateSolidBrush(color));
    ::FillRect(item.hDC, &item.rcItem, brush);
    ::FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

bool BlockColorDlg::OnOK()
{
    choice_.text = IsChecked(IDC_COLOR_TEXT_OTHER) ? appearance::kOtherColor : appearance::kBlack;
    choice_.frame = IsChecked(IDC_COLOR_FRAME_OTHER) ? appearance::kOtherColor : appearance::kBlack;
    choice_.back = IsChecked(IDC_COLOR_BACK_TRANSPARENT) ? appearance::kTransparent
                   : IsChecked(IDC_COLOR_BACK_OTHER)     ? appearance::kOtherBack
                                                         : appearance::kWhite;
    choice_.cover = IsChecked(IDC_COLOR_COVER) ? 1 : 0;
    appearance::ApplyColorChoice(choice_, block_);
    return true;
}
