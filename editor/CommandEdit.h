// The command editor: a multi-line edit control in which keys become the tags of a block command. The
// block definition dialog holds one for the block's command, the automatic-command dialog two.
#pragma once
#include "editor/CommandEditModel.h"
#include "editor/CommandEditWindow.h"

// Owned by its dialog, which subclasses the control from its template, is its parent and receives its
// notifications. The text and the caret are the model's; the control shows them. Every key, character,
// click, paste, cut, delete and text change that reaches the control goes through the model.
class CommandEdit : public CommandEditWindow, private CommandEditView {
public:
    // wParam 1: a tag inserted or a character typed; 2: Esc turned literal-next on. lParam 0.
    static constexpr UINT kNotify = WM_USER + 10;
    // wParam: the caret token.
    static constexpr UINT kCaretToken = WM_USER + 11;

    CommandEdit() : model_(*this) {}

    void SetText(const std::string& text) { model_.SetText(text); }
    // Replaces the selection or inserts at the caret; refused with a beep beyond the limits.
    bool InsertText(const std::string& text);
    void SetCaretToken(size_t token) { model_.SetCaretToken(token); }
    void MarkHandled() { model_.MarkHandled(); }
    // The length the text stays below; 500 unless set.
    void SetTextLimit(size_t limit) { model_.SetTextLimit(limit); }

    const std::string& Text() const { return model_.Text(); }
    size_t CaretToken() const { return model_.CaretToken(); }
    size_t TokenCount() const { return model_.TokenCount(); }
    bool LiteralNext() const { return model_.LiteralNext(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void TakeSyntax(const CommandSyntax& syntax, const KeyLayout& layout) override { model_.SetSyntax(syntax, layout); }

private:
    void Beep() override;
    void Notify(int code) override;
    void CaretTokenChanged(size_t token) override;
    void Show(const std::string& text, size_t selectionStart, size_t selectionEnd) override;
    void MoveFocus() override;

    // The window's own selection handed to the model, which widens it to whole tokens.
    void TakeSelection();
    // The character cell under a point of the client area, or the text's length beyond the text.
    size_t PositionAt(POINT point) const;

    CommandEditModel model_;
    std::string shown_;
};
