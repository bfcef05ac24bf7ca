// The command editors' windows: font, modifiers and clipboard.
#include "editor/CommandEditWindow.h"

void CommandEditWindow::SetupFont()
{
    font_.Reset(::CreateFontA(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    fw::WindowDC dc(hwnd_);
    fw::SelectObjectGuard selected(dc, font_.Get());
    TEXTMETRICA metrics{};
    if (::GetTextMetricsA(dc, &metrics)) {
        averageWidth_ = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : averageWidth_;
        lineHeight_ = metrics.tmHeight > 0 ? metrics.tmHeight : lineHeight_;
    }
}

LRESULT CommandEditWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefaultProc(message, wParam, lParam);
    return message == WM_GETDLGCODE ? result | DLGC_WANTALLKEYS : result;
}

KeyEvent HeldKey(WPARAM key)
{
    KeyEvent event;
    event.key = static_cast<int>(key);
    event.ctrl = ::GetKeyState(VK_CONTROL) < 0;
    event.alt = ::GetKeyState(VK_MENU) < 0;
    event.shift = ::GetKeyState(VK_SHIFT) < 0;
    return event;
}

std::string ClipboardText(HWND owner)
{
    std::string text;
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(owner))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
            // The clipboard's block may be larger than its text, and need not end in a 0.
            size_t size = ::GlobalSize(data);
            size_t length = 0;
            while (length < size && chars[length] != '\0')
                ++length;
            text.assign(chars, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}
