// The margin wizard's pages, each reading like its step: texts on opening, its button, Next or Finish.
#include "editor/MarginPages.h"
#include "editor/MarginMeasure.h"
#include "editor/MarginSheet.h"
#include "framework/Printer.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "resources/skarpin/resource.h"
#include "store/FileIO.h"

MarginPage::MarginPage(UINT templateId, UINT titleId, MarginSheet& sheet, DWORD buttons)
    : fw::PropertyPage(templateId, titleId), sheet_(sheet), buttons_(buttons)
{
}

void MarginPage::SetTexts(std::initializer_list<Text> texts) const
{
    for (const Text& text : texts)
        SetItemText(text.control, fw::LoadResString(text.string));
}

bool MarginPage::OnSetActive()
{
    SetWizardButtons(buttons_);
    return true;
}

namespace {

bool DrawFigure(LPARAM lParam, bool withMeasures, LRESULT& result)
{
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlID != IDC_MARGIN_FIGURE)
        return false;
    DrawMarginFigure(draw->hDC, draw->rcItem, withMeasures);
    result = TRUE;
    return true;
}

} // namespace

MarginPage1::MarginPage1(MarginSheet& sheet) : MarginPage(IDD_MARGIN_PAGE1, IDS_MARGIN_TITLE1, sheet, PSWIZB_NEXT) {}

bool MarginPage1::OnInitDialog()
{
    SetTexts({{IDC_MARGIN_TEXT1, IDS_MARGIN_INTRO1},
              {IDC_MARGIN_TEXT2, IDS_MARGIN_INTRO2},
              {IDC_MARGIN_TEXT3, IDS_MARGIN_INTRO3},
              {IDC_MARGIN_PRINTER_LABEL, IDS_MARGIN_CURRENT_PRINTER},
              {IDC_MARGIN_PRINTER_SETUP, IDS_MARGIN_PRINTER_SETUP}});
    SetItemText(IDC_MARGIN_PRINTER_NAME, sheet_.Printer().Name());
    return true;
}

bool MarginPage1::OnCommand(int id, int code)
{
    if (id != IDC_MARGIN_PRINTER_SETUP || code != BN_CLICKED)
        return false;
    if (sheet_.Printer().Setup(hwnd_))
        SetItemText(IDC_MARGIN_PRINTER_NAME, sheet_.Printer().Name());
    return true;
}

MarginPage2::MarginPage2(MarginSheet& sheet)
    : MarginPage(IDD_MARGIN_PAGE2, IDS_MARGIN_TITLE2, sheet, PSWIZB_BACK | PSWIZB_NEXT)
{
}

bool MarginPage2::OnInitDialog()
{
    SetTexts({{IDC_MARGIN_TEXT1, IDS_MARGIN_PRINT_HINT1},
              {IDC_MARGIN_TEXT2, IDS_MARGIN_PRINT_HINT2},
              {IDC_MARGIN_PRINT_TEST, IDS_MARGIN_PRINT_TEST}});
    return true;
}

bool MarginPage2::OnCommand(int id, int code)
{
    if (id != IDC_MARGIN_PRINT_TEST || code != BN_CLICKED)
        return false;
    sheet_.PrintTest(hwnd_, false);
    return true;
}

MarginPage3::MarginPage3(MarginSheet& sheet)
    : MarginPage(IDD_MARGIN_PAGE3, IDS_MARGIN_TITLE3, sheet, PSWIZB_BACK | PSWIZB_NEXT)
{
}

bool MarginPage3::OnInitDialog()
{
    SetTexts({{IDC_MARGIN_TEXT1, IDS_MARGIN_MEASURE_HINT},
              {IDC_MARGIN_X_LABEL, IDS_MARGIN_X},
              {IDC_MARGIN_Y_LABEL, IDS_MARGIN_Y}});
    return true;
}

LRESULT MarginPage3::OnWizardNext()
{
    const std::string x = ItemText(IDC_MARGIN_X);
    const std::string y = ItemText(IDC_MARGIN_Y);
    if (const UINT complaint = CheckMeasurements(x, y)) {
        fw::ShowMessage(hwnd_, complaint, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return -1;
    }
    const MarginCorrections corrections = CorrectionsFrom(x, y);
    sheet_.SetCorrections(corrections.left, corrections.top);
    return 0;
}

bool MarginPage3::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    return message == WM_DRAWITEM && DrawFigure(lParam, true, result);
}

MarginPage4::MarginPage4(MarginSheet& sheet)
    : MarginPage(IDD_MARGIN_PAGE4, IDS_MARGIN_TITLE4, sheet, PSWIZB_BACK | PSWIZB_FINISH)
{
}

bool MarginPage4::OnInitDialog()
{
    SetTexts({{IDC_MARGIN_TEXT1, IDS_MARGIN_CHECK_HINT1},
              {IDC_MARGIN_TEXT2, IDS_MARGIN_CHECK_HINT2},
              {IDC_MARGIN_PRINT_TEST, IDS_MARGIN_PRINT_TEST}});
    return true;
}

bool MarginPage4::OnCommand(int id, int code)
{
    if (id != IDC_MARGIN_PRINT_TEST || code != BN_CLICKED)
        return false;
    sheet_.PrintTest(hwnd_, true);
    return true;
}

bool MarginPage4::OnWizardFinish()
{
    sheet_.Files().SetMargins(sheet_.Printer().Name(), sheet_.LeftCorrection(), sheet_.TopCorrection());
    return true;
}

bool MarginPage4::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    return message == WM_DRAWITEM && DrawFigure(lParam, false, result);
}
