// The command editor's window: messages in, the model's text and caret out.
#include "editor/CommandEdit.h"
#include "framework/Prompt.h"

bool CommandEdit::InsertText(const std::string& text)
{
    TakeSelection();
    return model_.InsertText(text);
}

LRESULT CommandEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        TakeSelection();
        model_.KeyDown(HeldKey(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        model_.KeyUp(HeldKey(wParam));
        return 0;
    case WM_CHAR:
        TakeSelection();
        model_.Character(MessageCharacter(wParam));
        return 0;
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return 0;
    case WM_SETFOCUS:
        model_.FocusGained();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        ::SetFocus(hwnd_);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        model_.Click(PositionAt(point));
        return 0;
    }
    case WM_PASTE:
        TakeSelection();
        model_.Paste(ClipboardText(hwnd_));
        return 0;
    case WM_CUT:
    case WM_CLEAR:
        TakeSelection();
        if (message == WM_CUT && model_.SelectionStart() != model_.SelectionEnd())
            DefaultProc(WM_COPY, 0, 0);
        model_.DeleteSelection();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        return FALSE;
    case EM_REPLACESEL:
        InsertText(MessageText(lParam));
        return 0;
    case WM_SETTEXT:
        model_.SetText(MessageText(lParam));
        return TRUE;
    }
    return CommandEditWindow::WindowProc(message, wParam, lParam);
}

void CommandEdit::Beep()
{
    fw::Beep();
}

void CommandEdit::Notify(int code)
{
    ::SendMessageA(::GetParent(hwnd_), kNotify, static_cast<WPARAM>(code), 0);
}

void CommandEdit::CaretTokenChanged(size_t token)
{
    ::SendMessageA(::GetParent(hwnd_), kCaretToken, static_cast<WPARAM>(token), 0);
}

void CommandEdit::Show(const std::string& text, size_t selectionStart, size_t selectionEnd)
{
    if (!hwnd_)
        return;
    if (text != shown_) {
        SetDefaultText(text);
        shown_ = text;
    }
    DefaultProc(EM_SETSEL, selectionStart, selectionEnd);
    DefaultProc(EM_SCROLLCARET, 0, 0);
}

void CommandEdit::MoveFocus()
{
    ::SendMessageA(::GetParent(hwnd_), WM_NEXTDLGCTL, 0, FALSE);
}

void CommandEdit::TakeSelection()
{
    DWORD start = 0;
    DWORD end = 0;
    DefaultProc(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    model_.SelectCharacters(start, end);
}

// The cell from the first visible line, the line height and the average character width, as the font
// is fixed-pitch; a point beyond a line's end stands after its last character.
size_t CommandEdit::PositionAt(POINT point) const
{
    RECT format{};
    ::SendMessageA(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int x = point.x - format.left;
    const int y = point.y - format.top;
    const int firstLine = static_cast<int>(::SendMessageA(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int line = firstLine + (y < 0 ? 0 : y / LineHeight());
    if (line >= static_cast<int>(::SendMessageA(hwnd_, EM_GETLINECOUNT, 0, 0)))
        return model_.Text().size();
    const LRESULT lineStart = ::SendMessageA(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (lineStart < 0)
        return model_.Text().size();
    const LRESULT lineLength = ::SendMessageA(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(lineStart), 0);
    const int column = x < 0 ? 0 : x / AverageCharacterWidth();
    return static_cast<size_t>(lineStart + (column < lineLength ? column : lineLength));
}
