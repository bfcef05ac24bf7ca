// Picture file chooser.
#include "library/OpenImageDlg.h"
#include "framework/Strings.h"
#include "library/resource.h"

const char OpenImageDlg::kPictureFilter[] =
    "EMF,BMP,GIF,ICO,JPG,PCX,PNG,TIFF,WMF|*.bmp;*.emf;*.gif;*.ico;*.jpg;*.jpe;*.jpeg;*.pcx;*.png;*.tif;*.wmf|"
    "BMP|*.BMP|GIF|*.GIF|ICO|*.ICO|JPG|*.JPG;*.JPE;*.JPEG|PCX|*.PCX|PNG|*.PNG|TIFF|*.TIF|WMF|*.WMF|EMF|*.EMF|";

OpenImageDlg::OpenImageDlg(bool open, const char* defaultExtension, const char* fileName, DWORD flags,
                           const char* filter, HWND parent, PicturePreviewFactory preview)
    : PreviewFileDlg(IDD_OPEN_IMAGE_PANE, open, defaultExtension, fileName, flags, filter, parent),
      factory_(preview ? std::move(preview) : PicturePreviewFactory(MakePicturePreview))
{
}

void OpenImageDlg::SetUpPictureFilter(const std::string& title, const std::string& initialFolder)
{
    SetTitle(title);
    SetFilter(kPictureFilter);
    SetInitialFolder(InitialFileName().empty() ? initialFolder : std::string());
}

void OpenImageDlg::OnInitPane()
{
    ::SetDlgItemTextA(Pane(), IDC_OPENIMAGE_INFO, fw::LoadResString(IDS_OPENIMAGE_INFO).c_str());
    ::SetDlgItemTextA(Pane(), IDC_OPENIMAGE_SHOW, fw::LoadResString(IDS_OPENIMAGE_SHOW).c_str());
    ::CheckDlgButton(Pane(), IDC_OPENIMAGE_SHOW, BST_CHECKED);
}

// The dialog has put the pane's controls in their places: the picture goes where the placeholder is now.
void OpenImageDlg::OnPanePlaced()
{
    if (preview_)
        return;
    RECT rect{};
    HWND placeholder = ::GetDlgItem(Pane(), IDC_OPENIMAGE_PLACEHOLDER);
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, Pane(), reinterpret_cast<POINT*>(&rect), 2);
    ::InflateRect(&rect, -2, -2);
    preview_ = factory_(Pane(), IDC_OPENIMAGE_PICTURE, rect);
    if (!lastPath_.empty())
        ShowPicture(lastPath_);
}

void OpenImageDlg::OnSelectionChange(const std::string& path)
{
    lastPath_ = path;
    if (IsPaneItemChecked(IDC_OPENIMAGE_SHOW))
        ShowPicture(path);
}

bool OpenImageDlg::OnPaneCommand(int id, int code)
{
    if (id != IDC_OPENIMAGE_SHOW || code != BN_CLICKED)
        return false;
    if (IsPaneItemChecked(IDC_OPENIMAGE_SHOW)) {
        lastPath_ = CurrentSelection();
        ShowPicture(lastPath_);
    } else if (preview_) {
        preview_->Clear();
    }
    return true;
}

void OpenImageDlg::OnPaneDestroy()
{
    preview_.reset();
}

void OpenImageDlg::ShowPicture(const std::string& path)
{
    if (!preview_)
        return;
    if (path.empty())
        preview_->Clear();
    else
        preview_->Load(path);
}
