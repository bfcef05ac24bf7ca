// The system's picture codecs (GDI+): decoding BMP, GIF, PNG, JPEG, TIFF and ICO, encoding JPEG and PNG.
#pragma once
#include "components/PixelImage.h"
#include <cstddef>
#include <cstdint>
#include <string>

namespace codec {

// Starts GDI+ once for the process; false when it is not available. Every function here starts it.
bool Start();

// Decodes a whole picture file held in memory (its first frame). Transparent parts are laid on
// the background colour. False for a format GDI+ does not know, a damaged file, or a picture above
// PixelImage::kMaxPixels.
bool Decode(const std::uint8_t* data, size_t size, COLORREF background, PixelImage& out);

// Writes the picture as a file of that MIME type ("image/jpeg", "image/png", "image/gif",
// "image/tiff", "image/bmp"); quality (0-100) is used for JPEG only.
bool Encode(const PixelImage& image, const wchar_t* mimeType, const std::string& path, int quality = 90);

// A cp1252 path in the form the wide calls take.
std::wstring WidePath(const std::string& path);

} // namespace codec
