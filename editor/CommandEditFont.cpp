// The command editors' font.
#include "editor/CommandEditFont.h"

void CommandEditFont::Apply(HWND window)
{
    font_.Reset(::CreateFontA(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    fw::WindowDC dc(window);
    fw::SelectObjectGuard selected(dc, font_.Get());
    TEXTMETRICA metrics{};
    if (::GetTextMetricsA(dc, &metrics)) {
        averageWidth_ = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : averageWidth_;
        lineHeight_ = metrics.tmHeight > 0 ? metrics.tmHeight : lineHeight_;
    }
}
