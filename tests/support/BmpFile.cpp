// 24-bit BMP files made by the tests.
#include "support/BmpFile.h"
#include <fstream>

namespace testsupport {

std::string BmpFile(int width, int height, const BmpPixel& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string bits(info.biSizeImage, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixel(x, y);
            char* at = &bits[static_cast<size_t>(y * stride + x * 3)];
            at[0] = static_cast<char>(GetBValue(colour));
            at[1] = static_cast<char>(GetGValue(colour));
            at[2] = static_cast<char>(GetRValue(colour));
        }
    }
    return bytes + bits;
}

void WriteBmp(const std::string& path, int width, int height, COLORREF colour)
{
    std::ofstream out(path, std::ios::binary);
    out << BmpFile(width, height, [colour](int, int) { return colour; });
}

} // namespace testsupport
