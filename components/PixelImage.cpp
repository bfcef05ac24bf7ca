// Resampling, cropping and DIB output of the picture control's working copy.
#include "components/PixelImage.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Fixed-point weights: each target pixel is a weighted sum of a run of source pixels, the weights
// summing to kOne.
constexpr int kShift = 14;
constexpr int kOne = 1 << kShift;

struct Taps {
    std::vector<int> first; // first source index of each target index
    std::vector<int> count; // number of source indexes
    std::vector<int> offset; // where its weights start in weights
    std::vector<int> weights;
};

// The source pixels behind each of `target` pixels along one axis of `source` pixels.
Taps MakeTaps(int source, int target)
{
    Taps taps;
    taps.first.resize(target);
    taps.count.resize(target);
    taps.offset.resize(target);
    const double scale = static_cast<double>(source) / target;
    std::vector<double> raw;
    for (int t = 0; t < target; ++t) {
        raw.clear();
        int first = 0;
        if (scale > 1.0) {
            // Shrinking: the target pixel covers [t*scale, (t+1)*scale) of the source.
            double from = t * scale, to = std::min<double>((t + 1) * scale, source);
            first = static_cast<int>(from);
            for (int s = first; s < to; ++s)
                raw.push_back(std::min<double>(s + 1, to) - std::max<double>(s, from));
        } else {
            // Enlarging (or the same size): linear between the two nearest source centres.
            double centre = (t + 0.5) * scale - 0.5;
            centre = std::clamp(centre, 0.0, static_cast<double>(source - 1));
            first = static_cast<int>(centre);
            double fraction = centre - first;
            raw.push_back(1.0 - fraction);
            if (first + 1 < source && fraction > 0.0)
                raw.push_back(fraction);
        }
        double total = 0;
        for (double w : raw)
            total += w;
        taps.first[t] = first;
        taps.count[t] = static_cast<int>(raw.size());
        taps.offset[t] = static_cast<int>(taps.weights.size());
        int sum = 0;
        for (size_t i = 0; i < raw.size(); ++i) {
            int w = static_cast<int>(raw[i] / total * kOne + 0.5);
            taps.weights.push_back(w);
            sum += w;
        }
        // Rounding must not brighten or darken: the largest weight takes the remainder.
        auto begin = taps.weights.begin() + taps.offset[t];
        *std::max_element(begin, taps.weights.end()) += kOne - sum;
    }
    return taps;
}

inline std::uint32_t Pack(int r, int g, int b)
{
    auto channel = [](int value) {
        value = (value + kOne / 2) >> kShift;
        return static_cast<std::uint32_t>(std::clamp(value, 0, 255));
    };
    return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

} // namespace

bool PixelImage::Reset(int width, int height, std::uint32_t fill)
{
    Clear();
    if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > kMaxPixels)
        return false;
    try {
        pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void PixelImage::Clear()
{
    width_ = height_ = 0;
    std::vector<std::uint32_t>().swap(pixels_);
}

void PixelImage::Swap(PixelImage& other) noexcept
{
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    pixels_.swap(other.pixels_);
}

bool PixelImage::ResizedTo(int width, int height, PixelImage& out) const
{
    if (IsEmpty())
        return false;
    PixelImage result;
    if (!result.Reset(width, height))
        return false;
    if (width == width_ && height == height_) {
        result.pixels_ = pixels_;
        out.Swap(result);
        return true;
    }
    const Taps across = MakeTaps(width_, width);
    const Taps down = MakeTaps(height_, height);

    // Horizontal pass into an intermediate picture of the target width, then the vertical pass.
    PixelImage middle;
    if (!middle.Reset(width, height_))
        return false;
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* in = Row(y);
        std::uint32_t* line = middle.Row(y);
        for (int x = 0; x < width; ++x) {
            int r = 0, g = 0, b = 0;
            const int* w = &across.weights[across.offset[x]];
            const std::uint32_t* p = in + across.first[x];
            for (int i = 0; i < across.count[x]; ++i) {
                r += static_cast<int>((p[i] >> 16) & 0xFF) * w[i];
                g += static_cast<int>((p[i] >> 8) & 0xFF) * w[i];
                b += static_cast<int>(p[i] & 0xFF) * w[i];
            }
            line[x] = Pack(r, g, b);
        }
    }
    std::vector<int> r(width), g(width), b(width);
    for (int y = 0; y < height; ++y) {
        std::fill(r.begin(), r.end(), 0);
        std::fill(g.begin(), g.end(), 0);
        std::fill(b.begin(), b.end(), 0);
        for (int i = 0; i < down.count[y]; ++i) {
            const int w = down.weights[down.offset[y] + i];
            const std::uint32_t* in = middle.Row(down.first[y] + i);
            for (int x = 0; x < width; ++x) {
                r[x] += static_cast<int>((in[x] >> 16) & 0xFF) * w;
                g[x] += static_cast<int>((in[x] >> 8) & 0xFF) * w;
                b[x] += static_cast<int>(in[x] & 0xFF) * w;
            }
        }
        std::uint32_t* line = result.Row(y);
        for (int x = 0; x < width; ++x)
            line[x] = Pack(r[x], g[x], b[x]);
    }
    out.Swap(result);
    return true;
}

bool PixelImage::CroppedTo(const RECT& area, PixelImage& out) const
{
    const int left = std::max<int>(area.left, 0), top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, width_), bottom = std::min<int>(area.bottom, height_);
    PixelImage result;
    if (right <= left || bottom <= top || !result.Reset(right - left, bottom - top))
        return false;
    for (int y = top; y < bottom; ++y)
        std::memcpy(result.Row(y - top), Row(y) + left, static_cast<size_t>(right - left) * 4);
    out.Swap(result);
    return true;
}

std::uint32_t PixelImage::Fade(std::uint32_t pixel, int dimming)
{
    if (dimming <= 0)
        return pixel;
    dimming = std::min(dimming, 100);
    auto fade = [dimming](std::uint32_t c) { return c + (255 - c) * static_cast<std::uint32_t>(dimming) / 200; };
    return (fade((pixel >> 16) & 0xFF) << 16) | (fade((pixel >> 8) & 0xFF) << 8) | fade(pixel & 0xFF);
}

HGLOBAL PixelImage::ToPackedDib(int dimming) const
{
    if (IsEmpty())
        return nullptr;
    const size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t bitsSize = stride * static_cast<size_t>(height_);
    HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + bitsSize);
    if (!dib)
        return nullptr;
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(dib));
    if (!header) {
        ::GlobalFree(dib);
        return nullptr;
    }
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width_;
    header->biHeight = height_;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(bitsSize);
    auto* bits = reinterpret_cast<std::uint8_t*>(header + 1);
    for (int y = 0; y < height_; ++y) {
        // Bottom-up: the last picture row is the first row of the bits.
        std::uint8_t* out = bits + stride * static_cast<size_t>(height_ - 1 - y);
        const std::uint32_t* in = Row(y);
        for (int x = 0; x < width_; ++x) {
            std::uint32_t p = Fade(in[x], dimming);
            *out++ = static_cast<std::uint8_t>(p);
            *out++ = static_cast<std::uint8_t>(p >> 8);
            *out++ = static_cast<std::uint8_t>(p >> 16);
        }
    }
    ::GlobalUnlock(dib);
    return dib;
}

std::vector<std::uint8_t> PixelImage::ToBmpFile() const
{
    std::vector<std::uint8_t> file;
    HGLOBAL dib = ToPackedDib();
    if (!dib)
        return file;
    const size_t dibSize = ::GlobalSize(dib);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfSize = static_cast<DWORD>(sizeof(header) + dibSize);
    header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER);
    const void* packed = ::GlobalLock(dib);
    try {
        if (packed) {
            file.resize(sizeof(header) + dibSize);
            std::memcpy(file.data(), &header, sizeof(header));
            std::memcpy(file.data() + sizeof(header), packed, dibSize);
        }
    } catch (const std::bad_alloc&) {
        file.clear();
    }
    if (packed)
        ::GlobalUnlock(dib);
    ::GlobalFree(dib);
    return file;
}
