// About box.
#include "library/AboutDlg.h"
#include "framework/Clock.h"
#include "framework/Strings.h"
#include "library/PictureButton.h"
#include "library/resource.h"

AboutDlg::AboutDlg(const std::string& version, const std::string& date, bool splash, HWND parent)
    : fw::Dialog(IDD_ABOUT, parent), version_(&version), date_(&date), splash_(splash)
{
}

bool AboutDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_ABOUT_CAPTION));
    SetItemText(IDC_ABOUT_VERSION_LABEL, fw::LoadResString(IDS_ABOUT_VERSION));
    SetItemText(IDC_ABOUT_DATE_LABEL, fw::LoadResString(IDS_ABOUT_DATE));
    SetItemText(IDC_ABOUT_MAKER_GROUP, fw::LoadResString(IDS_ABOUT_MAKER));
    SetItemText(IDC_ABOUT_MAKER_ADDRESS, fw::LoadResString(IDS_ABOUT_ADDRESS));

    if (!version_->empty())
        SetItemText(IDC_ABOUT_VERSION, *version_);
    if (!date_->empty())
        SetItemText(IDC_ABOUT_DATE, *date_);

    if (splash_) {
        EnableItem(IDOK, false);
        SetTimer(kSplashTimer, 100);
    }
    ShowItem(IDC_ABOUT_TEXT, false);
    ShowLogo();
    return true;
}

// The logo stands on the dialog's own colour.
void AboutDlg::ShowLogo()
{
    logo_ = LoadBitmapOnSurface(MAKEINTRESOURCEA(IDB_ABOUT_LOGO), ::GetSysColor(COLOR_3DFACE));
    if (!logo_)
        return;
    // The bitmap the control loaded from the template is handed back, and is ours to delete.
    HGDIOBJ loaded = reinterpret_cast<HGDIOBJ>(
        Item(IDC_ABOUT_LOGO).Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.Get())));
    if (loaded && loaded != logo_.Get())
        ::DeleteObject(loaded);
}

void AboutDlg::OnTimer(UINT_PTR id)
{
    if (id != kSplashTimer)
        return;
    KillTimer(kSplashTimer);
    fw::Wait(2000);
    EndDialog(IDCANCEL);
}
