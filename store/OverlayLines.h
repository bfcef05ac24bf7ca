// The two lines that store a block in an overlay file: "Block%d=" (cells, repeat, command) and
// "Layout%d=" (frame, picture, colours, cover, font, text placement, text).
#pragma once
#include "store/Block.h"
#include <string>

namespace overlay {

// The lines as the file holds them, without the line end. number is the block's place in its
// section, from 1. The text's line breaks are stored as the two characters '\' 'n'.
std::string FormatBlockLine(int number, const Block& block);
std::string FormatLayoutLine(int number, const Block& block);

// Each reads one line into a record that holds a new block's values. False when the line cannot be
// read whole: a separator is missing, a cell lies outside the grid, a colour is not "(r,g,b)". The
// reader never looks past the end of the line. The Layout line's picture field goes to the
// picture path as it stands (a code or a path); the caller resolves it.
bool ParseBlockLine(const std::string& line, int& number, Block& record);
bool ParseLayoutLine(const std::string& line, int& number, Block& record);

// Every line break of a text as CR LF: a lone CR or LF would end the file's line in the middle.
std::string NormaliseLineBreaks(const std::string& text);

} // namespace overlay
