// The appearance dialogs' mappings between a block's fields and their controls: the colour radios
// and swatches, the font lists, the text placement radios, and the program-start method radios.
#pragma once
#include "store/Block.h"
#include <array>
#include <string>
#include <vector>

namespace appearance {

// ---- Colours ----
enum TextOrFrame { kBlack = 0, kOtherColor = 1 };
enum Background { kWhite = 0, kTransparent = 1, kOtherBack = 2 };

struct ColorChoice {
    int text = kBlack;
    COLORREF textSwatch = 0;
    int frame = kBlack;
    COLORREF frameSwatch = 0;
    int back = kWhite;
    COLORREF backSwatch = 0;
    int cover = 0;
};

// The radios and swatches a block opens with; a swatch without a colour of the block shows the
// starting colour (the system menu colour).
ColorChoice ColorChoiceOf(const Block& block, COLORREF startingSwatch);
// Stores the choice into the block's colours and flags.
void ApplyColorChoice(const ColorChoice& choice, Block& block);

// ---- Font ----
// The style list's lines in order, and the sizes of the size list.
constexpr int kStyleLines = 4;
int StyleLine(int style);
int StyleOfLine(int line);
const std::vector<int>& FontSizes();
// The smallest list size not below the value (the largest for a value past the list).
int SizeLine(int size);

// What the font dialog shows for the automatic font: the block's own font when it has one, else
// the default font, style 0 and the size worked out from its cells.
struct AutomaticFont {
    std::string name;
    int style = Block::kNormal;
    int size = 0;
};
AutomaticFont AutomaticFontOf(const Block& block, const std::string& defaultFont, int computedSize);

// ---- Text placement: radio 0 top, 1 middle, 2 bottom ----
int TextPositionRadio(int position);
int TextPositionOfRadio(int radio);

// ---- Program-start method ----
constexpr int kStartMethods = 4;
// The radio (0-3) whose sequence equals the current start sequence; -1 when the current sequence is
// empty or none of the shown sequences equals it.
int CheckedStartMethod(const std::array<std::string, kStartMethods>& sequences, const std::string& current);

} // namespace appearance
