// 24-bit BMP files that the tests make themselves, pixel by pixel.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace testsupport {

// The colour of the pixel in column x of row y, the rows counted from the bottom as the file stores
// them.
using BmpPixel = std::function<COLORREF(int x, int y)>;

// The bytes of a bottom-up 24-bit BMP file, each row padded to four bytes.
std::string BmpFile(int width, int height, const BmpPixel& pixel);
// Writes a solid-colour 24-bit BMP file; its folder must exist.
void WriteBmp(const std::string& path, int width, int height, COLORREF colour);

} // namespace testsupport
