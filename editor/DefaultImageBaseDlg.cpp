// The default image base.
#include "editor/DefaultImageBaseDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

DefaultImageBaseDlg::DefaultImageBaseDlg(const std::string& imageBaseFile, std::string& key, HWND parent)
    : SelImageBaseDlg(imageBaseFile, key, parent)
{
}

bool DefaultImageBaseDlg::OnInitDialog()
{
    const bool result = SelImageBaseDlg::OnInitDialog();
    SetCaption(fw::LoadResString(IDS_DEFAULT_IMAGEBASE_CAPTION));
    return result;
}

bool ChooseDefaultImageBase(HWND owner, FileIO& settings, fw::Dialog::Placement place)
{
    std::string key;
    settings.GetDefaultImageBase(key);
    DefaultImageBaseDlg dialog(settings.imageBaseSettingsFile_, key, owner);
    dialog.PlaceOnOpen(std::move(place));
    if (dialog.DoModal() != IDOK)
        return false;
    settings.SetDefaultImageBase(key);
    return true;
}
