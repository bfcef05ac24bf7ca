// Text measurement through GDI, with the widths kept.
#include "writer/GdiTextMeasurer.h"

GdiTextMeasurer::GdiTextMeasurer(HDC dc, HFONT font) : dc_(dc), font_(font)
{
    HGDIOBJ previous = ::SelectObject(dc_, font_);
    TEXTMETRICA metrics{};
    if (::GetTextMetricsA(dc_, &metrics))
        descent_ = metrics.tmDescent;
    ::SelectObject(dc_, previous);
}

SIZE GdiTextMeasurer::Measure(const std::string& text) const
{
    HGDIOBJ previous = ::SelectObject(dc_, font_);
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc_, previous);
    return size;
}

SIZE GdiTextMeasurer::CharExtent(char c) const
{
    const unsigned char code = static_cast<unsigned char>(c);
    if (!measured_[code]) {
        characters_[code] = Measure(std::string(1, c));
        measured_[code] = true;
    }
    return characters_[code];
}

SIZE GdiTextMeasurer::Extent(const std::string& text) const
{
    if (text.size() == 1)
        return CharExtent(text[0]);
    auto found = texts_.find(text);
    if (found != texts_.end())
        return found->second;
    const SIZE size = Measure(text);
    texts_.emplace(text, size);
    return size;
}
