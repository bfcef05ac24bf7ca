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

void CommandEditWindow::SetDefaultText(const std::string& text)
{
    if (!::IsWindowUnicode(hwnd_)) {
        DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    std::wstring wide(text.size() + 1, L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0],
                                             static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string CommandEditWindow::MessageText(LPARAM lParam) const
{
    if (!lParam)
        return std::string();
    if (!::IsWindowUnicode(hwnd_))
        return reinterpret_cast<const char*>(lParam);
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(lParam);
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.resize(text.find('\0'));
    return text;
}

unsigned char CommandEditWindow::MessageCharacter(WPARAM wParam) const
{
    if (!::IsWindowUnicode(hwnd_) || wParam < 0x80)
        return static_cast<unsigned char>(wParam);
    const wchar_t wide = static_cast<wchar_t>(wParam);
    char character = '?';
    ::WideCharToMultiByte(CP_ACP, 0, &wide, 1, &character, 1, nullptr, nullptr);
    return static_cast<unsigned char>(character);
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
