// The one-key box's window.
#include "editor/CommandEditSingle.h"
#include "framework/Prompt.h"

CommandEditSingle::CommandEditSingle(int position) : model_(*this, position)
{
    RestoreKeyboard();
}

LRESULT CommandEditSingle::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30 of the key data: the key was already down.
        model_.KeyDown(HeldKey(wParam), (lParam & (1 << 30)) != 0);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        model_.KeyUp(HeldKey(wParam));
        return 0;
    case WM_CHAR:
        return model_.Character(MessageCharacter(wParam)) ? DefaultProc(message, wParam, lParam) : 0;
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        model_.DeadCharacter();
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_SETFOCUS:
        model_.FocusGained();
        break;
    case WM_KILLFOCUS:
        model_.FocusLost();
        break;
    }
    return CommandEditWindow::WindowProc(message, wParam, lParam);
}

void CommandEditSingle::Beep()
{
    fw::Beep();
}

void CommandEditSingle::Notify(int code, long value)
{
    ::SendMessageA(::GetParent(hwnd_), kNotify, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

void CommandEditSingle::ShowWord(const std::string& word)
{
    SetDefaultText(word);
    DefaultProc(EM_SETSEL, word.size(), word.size());
}

void CommandEditSingle::RestoreKeyboard()
{
    BYTE state[256] = {};
    state[VK_NUMLOCK] = 1;
    ::SetKeyboardState(state);
}

void CommandEditSingle::MoveFocus(bool backwards)
{
    ::SendMessageA(::GetParent(hwnd_), WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
}
