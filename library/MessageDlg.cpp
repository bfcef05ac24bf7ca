// Message dialog.
#include "library/MessageDlg.h"
#include "framework/Strings.h"
#include "library/SoundPlay.h"
#include "library/resource.h"
#include <mmsystem.h>

MessageDlg::MessageDlg(HWND parent) : MessageDlg(IDD_MESSAGE_OKCANCEL, parent, std::string())
{
}

MessageDlg::MessageDlg(UINT templateId, const std::string& message, const char* picturePath, const char* soundPath)
    : MessageDlg(templateId, nullptr, message, picturePath, soundPath)
{
}

MessageDlg::MessageDlg(UINT templateId, HWND parent, const std::string& message, const char* picturePath,
                       const char* soundPath)
    : fw::Dialog(templateId, parent), message_(message), picturePath_(picturePath ? picturePath : ""),
      soundPath_(soundPath ? soundPath : ""), yesNoTemplate_(templateId == IDD_MESSAGE_YESNO)
{
}

bool MessageDlg::OnInitDialog()
{
    if (!yesNoTemplate_) {
        MakePictureButton(IDOK);
        MakePictureButton(IDCANCEL);
    }

    font_.Reset(::CreateFontA(22, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial"));
    Item(IDC_MESSAGE_TEXT).SetFont(font_);
    SetItemText(IDC_MESSAGE_TEXT, message_);

    if (!picturePath_.empty())
        ShowPicture();
    if (!soundPath_.empty())
        sound::PlayFile(soundPath_.c_str(), SND_ASYNC | SND_NODEFAULT);
    return true;
}

// The button's caption names its bitmap ("OK", "CANCEL", "YES", "NO").
void MessageDlg::MakePictureButton(int id)
{
    fw::Window button = Item(id);
    HBITMAP bitmap = ::LoadBitmapA(fw::ResourceModule(), button.Text().c_str());
    if (!bitmap)
        return;
    ::SetWindowLongA(button, GWL_STYLE, ::GetWindowLongA(button, GWL_STYLE) | BS_BITMAP);
    button.Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    (id == IDOK ? okBitmap_ : cancelBitmap_).Reset(bitmap);
}

// The picture control that shows the picture comes with the picture support of the library.
void MessageDlg::ShowPicture()
{
}

void MessageDlg::OnDestroy()
{
    sound::PlayFile(nullptr, 0);
}
