// The save question: YES or NO, nothing else.
#include "writer/SaveQuestionDlg.h"
#include "framework/Strings.h"
#include "library/resource.h"
#include "morvel/resource.h"

SaveQuestionDlg::SaveQuestionDlg(HWND parent)
    : MessageDlg(IDD_MESSAGE_PICTURE_YESNO, parent, fw::LoadResString(IDS_MORVEL_SAVE_QUESTION))
{
}

bool SaveQuestionDlg::OnInitDialog()
{
    const bool defaultFocus = MessageDlg::OnInitDialog();
    ::EnableMenuItem(::GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return defaultFocus;
}

bool SaveQuestionDlg::PreTranslateMessage(MSG& message)
{
    const bool ours = message.hwnd == hwnd_ || ::IsChild(hwnd_, message.hwnd);
    if (ours && (message.message == WM_KEYDOWN || message.message == WM_CHAR) && message.wParam == VK_ESCAPE)
        return true;
    return MessageDlg::PreTranslateMessage(message);
}

bool SaveQuestionDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
        result = 0;
        return true;
    }
    return MessageDlg::OnMessage(message, wParam, lParam, result);
}
