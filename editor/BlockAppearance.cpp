// The appearance dialogs' mappings.
#include "editor/BlockAppearance.h"
#include <algorithm>

namespace appearance {

namespace {

const COLORREF kWhiteColor = RGB(255, 255, 255);

} // namespace

ColorChoice ColorChoiceOf(const Block& block, COLORREF startingSwatch)
{
    ColorChoice choice;
    choice.textSwatch = choice.frameSwatch = choice.backSwatch = startingSwatch;
    if (block.textColor_ != 0) {
        choice.text = kOtherColor;
        choice.textSwatch = block.textColor_;
    }
    if (block.frameColor_ != 0) {
        choice.frame = kOtherColor;
        choice.frameSwatch = block.frameColor_;
    }
    if (block.transparent_) {
        choice.back = kTransparent;
    } else if (block.backColor_ == kWhiteColor) {
        choice.back = kWhite;
    } else {
        choice.back = kOtherBack;
        choice.backSwatch = block.backColor_;
    }
    choice.cover = block.cover_ ? 1 : 0;
    return choice;
}

void ApplyColorChoice(const ColorChoice& choice, Block& block)
{
    block.textColor_ = choice.text == kOtherColor ? choice.textSwatch : 0;
    block.frameColor_ = choice.frame == kOtherColor ? choice.frameSwatch : 0;
    block.transparent_ = choice.back == kTransparent ? 1 : 0;
    block.backColor_ = choice.back == kOtherBack ? choice.backSwatch : kWhiteColor;
    block.cover_ = choice.cover;
}

int StyleLine(int style)
{
    switch (style) {
    case Block::kBold: return 1;
    case Block::kItalic: return 2;
    case Block::kBoldItalic: return 3;
    default: return 0;
    }
}

int StyleOfLine(int line)
{
    static const int kStyles[kStyleLines] = {Block::kNormal, Block::kBold, Block::kItalic, Block::kBoldItalic};
    return line >= 0 && line < kStyleLines ? kStyles[line] : Block::kNormal;
}

const std::vector<int>& FontSizes()
{
    static const std::vector<int> sizes = [] {
        std::vector<int> list;
        for (int size = 10; size <= 22; size += 2)
            list.push_back(size);
        for (int size = 26; size <= 110; size += 4)
            list.push_back(size);
        return list;
    }();
    return sizes;
}

int SizeLine(int size)
{
    const std::vector<int>& sizes = FontSizes();
    auto at = std::lower_bound(sizes.begin(), sizes.end(), size);
    if (at == sizes.end())
        --at;
    return static_cast<int>(at - sizes.begin());
}

AutomaticFont AutomaticFontOf(const Block& block, const std::string& defaultFont, int computedSize)
{
    AutomaticFont font;
    if (!block.fontName_.empty()) {
        font.name = block.fontName_;
        font.style = block.fontStyle_;
        font.size = block.fontSize_;
    } else {
        font.name = defaultFont;
        font.size = computedSize;
    }
    return font;
}

int TextPositionRadio(int position)
{
    return position == Block::kTop ? 0 : position == Block::kMiddle ? 1 : 2;
}

int TextPositionOfRadio(int radio)
{
    return radio == 0 ? Block::kTop : radio == 1 ? Block::kMiddle : Block::kBottom;
}

int CheckedStartMethod(const std::array<std::string, kStartMethods>& sequences, const std::string& current)
{
    if (current.empty())
        return -1;
    for (int i = 0; i < kStartMethods; ++i)
        if (sequences[static_cast<size_t>(i)] == current)
            return i;
    return -1;
}

} // namespace appearance
