// PCX pictures, which the system's picture codecs do not read.
#pragma once
#include "components/PixelImage.h"
#include <cstddef>
#include <cstdint>

namespace pcx {

// True when the bytes start like a PCX file (maker byte 10, run-length or plain encoding, a known
// depth); the decoder still checks the rest.
bool LooksLikePcx(const std::uint8_t* data, size_t size);

// Decodes the kinds that drawing programs write: 1 bit (two colours), 1 bit in 4 planes and 4 bits
// (16 colours), 8 bits with the 256-colour table at the end (grey without it) and 8 bits in 3 or 4
// planes (true colour; a fourth plane of transparency is ignored). Every header value is checked
// against the file: a damaged, truncated or lying file gives false, never a read outside the bytes.
bool Decode(const std::uint8_t* data, size_t size, PixelImage& out);

} // namespace pcx
