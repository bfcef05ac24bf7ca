// The one-key box of the special-command dialog: a one-line edit control that catches a single key and
// shows its word.
#pragma once
#include "editor/CommandEditSingleModel.h"
#include "editor/CommandEditWindow.h"

// Owned by its dialog, which subclasses the control from its template, is its parent and receives its
// notifications (WM_USER+10; the codes are the model's).
class CommandEditSingle : public CommandEditWindow, private CommandEditSingleView {
public:
    static constexpr UINT kNotify = WM_USER + 10;

    // position: 0, 1 or 2 among the dialog's boxes. Sets the keyboard's toggles as the box keeps them.
    explicit CommandEditSingle(int position);

    bool LiteralNext() const { return model_.LiteralNext(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void TakeSyntax(const CommandSyntax& syntax, const KeyLayout& layout) override { model_.SetSyntax(syntax, layout); }

private:
    void Beep() override;
    void Notify(int code, long value) override;
    void ShowWord(const std::string& word) override;
    void RestoreKeyboard() override;
    void MoveFocus(bool backwards) override;

    CommandEditSingleModel model_;
};
