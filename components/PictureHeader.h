// The picture size a file's header claims, read before any decoder sees the file.
#pragma once
#include <cstddef>
#include <cstdint>

namespace picture_header {

// The largest width and height that the file's header claims for JPEG (its frames), PNG, GIF (its
// screen and every image) and BMP. False when the format is none of these or its header is cut:
// the decoder then decides. A decoder allocates and fills what the header claims, so a few hundred
// bytes of lying header can ask for gigabytes (and overflow the system decoder's own arithmetic).
bool ClaimedSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height);

} // namespace picture_header
