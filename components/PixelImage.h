// A decoded picture in memory: 32-bit pixels, top row first, laid out as a 32-bit top-down DIB.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// The picture control's working copy of a picture. Pixels are 0x00RRGGBB (blue in the lowest byte,
// as in a DIB); every picture is opaque once decoded, its transparent parts laid on the background.
class PixelImage {
public:
    // The largest picture the control takes on: 50 megapixels keep two copies (the picture and its
    // undo) well inside a 32-bit process.
    static constexpr std::int64_t kMaxPixels = 50'000'000;

    // A picture of that size filled with one colour; false (and empty) when the size is not positive,
    // too large, or memory is short.
    bool Reset(int width, int height, std::uint32_t fill = 0);
    void Clear();
    void Swap(PixelImage& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const std::uint32_t* Row(int y) const
    {
        return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // Resampled to a new size: shrinking averages every source pixel a target pixel covers, so fine
    // detail does not alias; enlarging interpolates linearly. False when the size is refused.
    bool ResizedTo(int width, int height, PixelImage& out) const;
    // The part inside the rectangle (clipped to the picture); false when nothing is left.
    bool CroppedTo(const RECT& area, PixelImage& out) const;

    // A packed DIB (40-byte header, 24 bits a pixel, bottom-up) in moveable global memory that the
    // caller owns. dimming 1-100 fades every colour toward white by up to half: 100 is the faded look
    // of a dimmed block. Null when memory is short or the picture is empty.
    HGLOBAL ToPackedDib(int dimming = 0) const;
    // The BMP file of ToPackedDib.
    std::vector<std::uint8_t> ToBmpFile() const;
    // One pixel faded as ToPackedDib fades it; unchanged when dimming is 0.
    static std::uint32_t Fade(std::uint32_t pixel, int dimming);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
