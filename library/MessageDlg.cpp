// Message dialog.
#include "library/MessageDlg.h"
#include "framework/Cursor.h"
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
    // The buttons' captions name their pictures ("OK", "CANCEL", "YES", "NO").
    if (!yesNoTemplate_) {
        okButton_.Attach(Item(IDOK));
        cancelButton_.Attach(Item(IDCANCEL));
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

bool MessageDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM)
        return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!okButton_.Draw(item) && !cancelButton_.Draw(item))
        return false;
    result = TRUE;
    return true;
}

// The picture control takes the place of the hidden placeholder. Its id is its own: with the OK
// button's id 1 the dialog manager would find the picture instead of the button.
void MessageDlg::ShowPicture()
{
    fw::WaitCursor wait;
    const RECT place = Item(IDC_MESSAGE_PICTURE).RectInParent();
    picture_ = std::make_unique<CImagXpress>(hwnd_, IDC_MESSAGE_PICTURE_VIEW, hwnd_, place.left, place.top,
                                             place.right - place.left, place.bottom - place.top);
    if (const auto& control = picture_->GetInterface())
        control->SetFileName(picturePath_);
}

void MessageDlg::OnDestroy()
{
    sound::PlayFile(nullptr, 0);
    picture_.reset();
}
