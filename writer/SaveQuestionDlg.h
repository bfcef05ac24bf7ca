// The question "VILL DU SPARA?" that leaving a document asks when the user's settings say so.
#pragma once
#include "library/MessageDlg.h"

// Answered only by YES (IDOK) or NO (IDCANCEL). The dialog manager turns Esc and the close box into
// the NO button's command, so a key pressed in a hurry would throw the document away: as Windows' own
// Yes/No questions, this one has no close box and takes no Esc. Run modally by the main window.
class SaveQuestionDlg : public MessageDlg {
public:
    explicit SaveQuestionDlg(HWND parent);

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
