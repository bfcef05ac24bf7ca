// Text measured with a font on a device, each character measured once.
#pragma once
#include "writer/DocumentLayout.h"
#include <windows.h>
#include <array>
#include <string>
#include <unordered_map>

// Measures with the font selected into the device context for each measurement (and the previous
// font put back), so the context stays the caller's. A layout pass measures every item: the widths
// are kept, so a document of thousands of items costs a few dozen measurements. The context and the
// font must outlive the measurer.
class GdiTextMeasurer : public TextMeasurer {
public:
    GdiTextMeasurer(HDC dc, HFONT font);

    SIZE Extent(const std::string& text) const override;
    SIZE CharExtent(char c) const override;
    int Descent() const override { return descent_; }

private:
    SIZE Measure(const std::string& text) const;

    HDC dc_;
    HFONT font_;
    int descent_ = 0;
    mutable std::array<SIZE, 256> characters_;
    mutable std::array<bool, 256> measured_{};
    mutable std::unordered_map<std::string, SIZE> texts_;
};
