// Picture fixtures for the picture tests.
#include "PictureFixtures.h"
#include "components/GdiPlusCodec.h"
#include <objbase.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fixtures {

COLORREF QuadrantAt(const Quadrants& q, int x, int y, int width, int height)
{
    const bool left = x < width / 2, top = y < height / 2;
    return top ? (left ? q.topLeft : q.topRight) : (left ? q.bottomLeft : q.bottomRight);
}

PixelImage QuadrantPicture(int width, int height, const Quadrants& q)
{
    PixelImage picture;
    picture.Reset(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = QuadrantAt(q, x, y, width, height);
            picture.Row(y)[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return picture;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Describe(COLORREF colour)
{
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

std::string CheckQuadrants(const fw::DibSection& canvas, const RECT& area, const Quadrants& q, int tolerance)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    const POINT middles[4] = {{width / 4, height / 4}, {3 * width / 4, height / 4}, {width / 4, 3 * height / 4},
                              {3 * width / 4, 3 * height / 4}};
    std::string problems;
    for (const POINT& m : middles) {
        const COLORREF want = QuadrantAt(q, m.x, m.y, width, height);
        const COLORREF got = canvas.Pixel(area.left + m.x, area.top + m.y);
        if (!Near(got, want, tolerance))
            problems += "at (" + std::to_string(m.x) + "," + std::to_string(m.y) + ") " + Describe(got) +
                        " instead of " + Describe(want) + "; ";
    }
    return problems;
}

COLORREF DibPixel(HGLOBAL dib, int x, int y)
{
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    if (!header)
        return CLR_INVALID;
    const int width = header->biWidth, height = std::abs(header->biHeight);
    fw::DibSection canvas(width, height);
    const DWORD colours = header->biBitCount <= 8 ? (header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount)
                                                  : header->biClrUsed;
    const auto* bits = reinterpret_cast<const std::uint8_t*>(header) + header->biSize + colours * 4;
    ::SetDIBitsToDevice(canvas.DC(), 0, 0, width, height, 0, 0, 0, height, bits,
                        reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    ::GlobalUnlock(dib);
    return canvas.Pixel(x, y);
}

std::string CheckDibQuadrants(HGLOBAL dib, const Quadrants& q, int tolerance)
{
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    if (!header)
        return "no DIB";
    const int width = header->biWidth, height = std::abs(header->biHeight);
    ::GlobalUnlock(dib);
    std::string problems;
    const POINT middles[4] = {{width / 4, height / 4}, {3 * width / 4, height / 4}, {width / 4, 3 * height / 4},
                              {3 * width / 4, 3 * height / 4}};
    for (const POINT& m : middles) {
        const COLORREF want = QuadrantAt(q, m.x, m.y, width, height), got = DibPixel(dib, m.x, m.y);
        if (!Near(got, want, tolerance))
            problems += "at (" + std::to_string(m.x) + "," + std::to_string(m.y) + ") " + Describe(got) +
                        " instead of " + Describe(want) + "; ";
    }
    return problems;
}

// ---- packed DIBs ----

namespace {

void Append(Bytes& bytes, const void* data, size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        bytes.push_back(p[i]);
}

void AppendDword(Bytes& bytes, DWORD value) { Append(bytes, &value, 4); }
void AppendWord(Bytes& bytes, WORD value) { Append(bytes, &value, 2); }

// Where a mask's lowest set bit is, and how many bits it has.
void MaskShape(DWORD mask, int& shift, int& bits)
{
    shift = 0;
    bits = 0;
    if (!mask)
        return;
    while (!(mask & (1u << shift)))
        ++shift;
    while (shift + bits < 32 && (mask & (1u << (shift + bits))))
        ++bits;
}

DWORD PackMasked(COLORREF colour, const DWORD masks[3])
{
    const int channels[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    DWORD value = 0;
    for (int i = 0; i < 3; ++i) {
        int shift, bits;
        MaskShape(masks[i], shift, bits);
        value |= (static_cast<DWORD>(channels[i]) >> (8 - bits)) << shift;
    }
    return value;
}

Bytes PackRow(const DibForm& form, int width, int y, const PixelSource& pixel)
{
    Bytes row;
    const int bits = form.bitCount;
    if (bits <= 8) {
        unsigned accumulator = 0, used = 0;
        for (int x = 0; x < width; ++x) {
            accumulator = (accumulator << bits) | (pixel(x, y) & ((1u << bits) - 1));
            used += bits;
            if (used == 8) {
                row.push_back(static_cast<std::uint8_t>(accumulator));
                accumulator = used = 0;
            }
        }
        if (used)
            row.push_back(static_cast<std::uint8_t>(accumulator << (8 - used)));
    } else {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            if (bits == 24) {
                row.push_back(GetBValue(c));
                row.push_back(GetGValue(c));
                row.push_back(GetRValue(c));
            } else {
                DWORD defaults16[3] = {0x7C00, 0x03E0, 0x001F}, defaults32[3] = {0xFF0000, 0xFF00, 0xFF};
                const DWORD* masks = form.compression == BI_BITFIELDS ? form.masks : bits == 16 ? defaults16 : defaults32;
                const DWORD value = PackMasked(c, masks);
                Append(row, &value, bits / 8);
            }
        }
    }
    return row;
}

} // namespace

Bytes BuildDib(const DibForm& form, int width, int height, const PixelSource& pixel)
{
    Bytes dib;
    if (form.headerSize == 12) {
        AppendDword(dib, 12);
        AppendWord(dib, static_cast<WORD>(width));
        AppendWord(dib, static_cast<WORD>(height));
        AppendWord(dib, 1);
        AppendWord(dib, static_cast<WORD>(form.bitCount));
    } else {
        AppendDword(dib, form.headerSize);
        AppendDword(dib, static_cast<DWORD>(width));
        AppendDword(dib, static_cast<DWORD>(form.topDown ? -height : height));
        AppendWord(dib, 1);
        AppendWord(dib, static_cast<WORD>(form.bitCount));
        AppendDword(dib, form.compression);
        AppendDword(dib, 0); // image size: filled in for run-length bits below
        AppendDword(dib, 2835);
        AppendDword(dib, 2835);
        AppendDword(dib, form.coloursUsed);
        AppendDword(dib, 0);
        if (form.headerSize > 40) {
            for (DWORD mask : form.masks)
                AppendDword(dib, mask);
            AppendDword(dib, 0);               // alpha mask
            AppendDword(dib, 0x73524742); // colour space: sRGB
            dib.resize(form.headerSize, 0);    // end points, gammas, and the V5 fields
        } else if (form.compression == BI_BITFIELDS) {
            for (DWORD mask : form.masks)
                AppendDword(dib, mask);
        }
    }
    for (COLORREF colour : form.table) {
        dib.push_back(GetBValue(colour));
        dib.push_back(GetGValue(colour));
        dib.push_back(GetRValue(colour));
        if (form.headerSize != 12)
            dib.push_back(0);
    }
    const size_t bitsStart = dib.size();
    if (form.compression == BI_RLE8) {
        for (int row = 0; row < height; ++row) {
            const int y = height - 1 - row;
            for (int x = 0; x < width;) {
                int run = 1;
                const std::uint8_t value = static_cast<std::uint8_t>(pixel(x, y));
                while (x + run < width && run < 255 && pixel(x + run, y) == value)
                    ++run;
                dib.push_back(static_cast<std::uint8_t>(run));
                dib.push_back(value);
                x += run;
            }
            dib.push_back(0);
            dib.push_back(row == height - 1 ? 1 : 0); // end of line, or of the picture
        }
        PutDword(dib, 20, static_cast<DWORD>(dib.size() - bitsStart));
        return dib;
    }
    for (int row = 0; row < height; ++row) {
        const int y = form.topDown ? row : height - 1 - row;
        Bytes packed = PackRow(form, width, y, pixel);
        packed.resize((packed.size() + 3) & ~size_t(3), 0);
        dib.insert(dib.end(), packed.begin(), packed.end());
    }
    return dib;
}

HGLOBAL ToGlobal(const Bytes& bytes)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(memory), bytes.data(), bytes.size());
    ::GlobalUnlock(memory);
    return memory;
}

Bytes FromGlobal(HGLOBAL memory)
{
    Bytes bytes(::GlobalSize(memory));
    std::memcpy(bytes.data(), ::GlobalLock(memory), bytes.size());
    ::GlobalUnlock(memory);
    return bytes;
}

// ---- files ----

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SaveWithCodec(const PixelImage& picture, const wchar_t* mimeType, const std::string& path)
{
    return codec::Encode(picture, mimeType, path, 95);
}

bool SavePngWithAlpha(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb)
{
    namespace api = Gdiplus::DllExports;
    if (!codec::Start())
        return false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (api::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                       reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(argb.data())),
                                       &bitmap) != Gdiplus::Ok)
        return false;
    UINT count = 0, size = 0;
    api::GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    api::GdipGetImageEncoders(count, size, codecs);
    bool saved = false;
    for (UINT i = 0; i < count; ++i)
        if (::lstrcmpiW(codecs[i].MimeType, L"image/png") == 0)
            saved = api::GdipSaveImageToFile(bitmap, codec::WidePath(path).c_str(), &codecs[i].Clsid, nullptr) ==
                    Gdiplus::Ok;
    api::GdipDisposeImage(bitmap);
    return saved;
}

Bytes MakeIcon(int width, int height, const std::vector<std::uint32_t>& argb)
{
    const size_t maskRow = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t imageSize = 40 + static_cast<size_t>(width) * height * 4 + maskRow * height;
    Bytes icon;
    AppendWord(icon, 0);
    AppendWord(icon, 1); // icon
    AppendWord(icon, 1); // one picture
    icon.push_back(static_cast<std::uint8_t>(width));
    icon.push_back(static_cast<std::uint8_t>(height));
    icon.push_back(0);
    icon.push_back(0);
    AppendWord(icon, 1);
    AppendWord(icon, 32);
    AppendDword(icon, static_cast<DWORD>(imageSize));
    AppendDword(icon, 22);
    // The picture: a bottom-up DIB of twice the height (colour, then the AND mask).
    AppendDword(icon, 40);
    AppendDword(icon, static_cast<DWORD>(width));
    AppendDword(icon, static_cast<DWORD>(height * 2));
    AppendWord(icon, 1);
    AppendWord(icon, 32);
    for (int i = 0; i < 6; ++i)
        AppendDword(icon, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            AppendDword(icon, argb[static_cast<size_t>(y) * width + x]);
    icon.resize(icon.size() + maskRow * height, 0);
    return icon;
}

Bytes MakeGif(int width, int height, const std::vector<COLORREF>& colours, const std::function<int(int x, int y)>& index)
{
    Bytes gif{'G', 'I', 'F', '8', '9', 'a'};
    AppendWord(gif, static_cast<WORD>(width));
    AppendWord(gif, static_cast<WORD>(height));
    gif.push_back(0xF7); // a global table of 256 colours
    gif.push_back(0);
    gif.push_back(0);
    for (int i = 0; i < 256; ++i) {
        const COLORREF c = i < static_cast<int>(colours.size()) ? colours[i] : RGB(0, 0, 0);
        gif.push_back(GetRValue(c));
        gif.push_back(GetGValue(c));
        gif.push_back(GetBValue(c));
    }
    gif.push_back(0x2C);
    AppendWord(gif, 0);
    AppendWord(gif, 0);
    AppendWord(gif, static_cast<WORD>(width));
    AppendWord(gif, static_cast<WORD>(height));
    gif.push_back(0);
    gif.push_back(8); // smallest code size: codes start at 9 bits

    // Every pixel as a literal code, with a clear code often enough that the codes stay 9 bits.
    Bytes stream;
    unsigned accumulator = 0, bits = 0;
    auto put = [&](unsigned code) {
        accumulator |= code << bits;
        for (bits += 9; bits >= 8; bits -= 8, accumulator >>= 8)
            stream.push_back(static_cast<std::uint8_t>(accumulator));
    };
    put(256);
    int sinceClear = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (++sinceClear == 250) {
                put(256);
                sinceClear = 1;
            }
            put(static_cast<unsigned>(index(x, y)) & 0xFF);
        }
    put(257);
    if (bits)
        stream.push_back(static_cast<std::uint8_t>(accumulator));
    for (size_t at = 0; at < stream.size(); at += 255) {
        const size_t block = std::min<size_t>(255, stream.size() - at);
        gif.push_back(static_cast<std::uint8_t>(block));
        gif.insert(gif.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                   stream.begin() + static_cast<std::ptrdiff_t>(at + block));
    }
    gif.push_back(0);
    gif.push_back(0x3B);
    return gif;
}

Bytes MakeBmpFile(const Bytes& dib)
{
    const DWORD headerSize = dib[0] | (dib[1] << 8);
    // The bits start after the header, the masks of a 40-byte bit-field header, and the colour table.
    DWORD offset = 14 + headerSize;
    if (headerSize == 40) {
        const DWORD compression = dib[16], bitCount = dib[14], used = dib[32] | (dib[33] << 8);
        if (compression == BI_BITFIELDS)
            offset += 12;
        offset += 4 * (used ? used : bitCount <= 8 ? 1u << bitCount : 0);
    }
    Bytes file;
    AppendWord(file, 0x4D42);
    AppendDword(file, static_cast<DWORD>(14 + dib.size()));
    AppendDword(file, 0);
    AppendDword(file, offset);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

Bytes MakePcx(const PcxForm& form, int width, int height, const std::function<int(int x, int y, int plane)>& sample)
{
    const int bytesPerLine = form.bytesPerLine
                                 ? form.bytesPerLine
                                 : static_cast<int>(((static_cast<size_t>(width) * form.bitsPerPixel + 7) / 8 + 1) & ~size_t(1));
    Bytes pcx(128, 0);
    pcx[0] = 0x0A;
    pcx[1] = 5;
    pcx[2] = form.runLength ? 1 : 0;
    pcx[3] = static_cast<std::uint8_t>(form.bitsPerPixel);
    PutWord(pcx, 8, static_cast<WORD>(width - 1));
    PutWord(pcx, 10, static_cast<WORD>(height - 1));
    PutWord(pcx, 12, 72);
    PutWord(pcx, 14, 72);
    for (size_t i = 0; i < form.headerColours.size() && i < 16; ++i) {
        pcx[16 + 3 * i] = GetRValue(form.headerColours[i]);
        pcx[17 + 3 * i] = GetGValue(form.headerColours[i]);
        pcx[18 + 3 * i] = GetBValue(form.headerColours[i]);
    }
    pcx[65] = static_cast<std::uint8_t>(form.planes);
    PutWord(pcx, 66, static_cast<WORD>(bytesPerLine));
    PutWord(pcx, 68, 1);

    Bytes raw;
    for (int y = 0; y < height; ++y)
        for (int plane = 0; plane < form.planes; ++plane) {
            Bytes line(static_cast<size_t>(bytesPerLine), 0);
            for (int x = 0; x < width; ++x) {
                const int value = sample(x, y, plane);
                if (form.bitsPerPixel == 8)
                    line[x] = static_cast<std::uint8_t>(value);
                else if (form.bitsPerPixel == 4)
                    line[x / 2] |= static_cast<std::uint8_t>((value & 15) << ((x & 1) ? 0 : 4));
                else
                    line[x / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - (x & 7)));
            }
            raw.insert(raw.end(), line.begin(), line.end());
        }
    if (!form.runLength) {
        pcx.insert(pcx.end(), raw.begin(), raw.end());
    } else {
        const size_t chunk = form.crossLines ? raw.size() : static_cast<size_t>(bytesPerLine);
        for (size_t start = 0; start < raw.size(); start += chunk) {
            const size_t end = std::min(raw.size(), start + chunk);
            for (size_t i = start; i < end;) {
                size_t run = 1;
                while (i + run < end && run < 63 && raw[i + run] == raw[i])
                    ++run;
                if (run > 1 || raw[i] >= 0xC0)
                    pcx.push_back(static_cast<std::uint8_t>(0xC0 | run));
                pcx.push_back(raw[i]);
                i += run;
            }
        }
    }
    if (form.table256) {
        pcx.push_back(0x0C);
        for (COLORREF colour : *form.table256) {
            pcx.push_back(GetRValue(colour));
            pcx.push_back(GetGValue(colour));
            pcx.push_back(GetBValue(colour));
        }
    }
    return pcx;
}

// ---- metafiles ----

void DrawHalves(HDC dc, int x, int y, int width, int height)
{
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0)), blue = ::CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ oldBrush = ::SelectObject(dc, red);
    // A rectangle without a pen fills up to, not including, its right and bottom edges.
    ::Rectangle(dc, x, y, x + width / 2 + 1, y + height + 1);
    ::SelectObject(dc, blue);
    ::Rectangle(dc, x + width / 2, y, x + width + 1, y + height + 1);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(red);
    ::DeleteObject(blue);
}

Bytes RecordWindowsMetafile(bool withWindow, const std::function<void(HDC)>& extra)
{
    HDC dc = ::CreateMetaFileA(nullptr);
    if (withWindow) {
        ::SetWindowOrgEx(dc, 0, 0, nullptr);
        ::SetWindowExtEx(dc, 100, 50, nullptr);
        DrawHalves(dc, 0, 0, 100, 50);
    } else {
        DrawHalves(dc, 10, 20, 100, 50);
    }
    if (extra)
        extra(dc);
    HMETAFILE metafile = ::CloseMetaFile(dc);
    Bytes bytes(::GetMetaFileBitsEx(metafile, 0, nullptr));
    ::GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    ::DeleteMetaFile(metafile);
    return bytes;
}

Bytes MakePlaceable(const Bytes& metafile, short left, short top, short right, short bottom, WORD unitsPerInch)
{
    Bytes header;
    AppendDword(header, 0x9AC6CDD7);
    AppendWord(header, 0);
    AppendWord(header, static_cast<WORD>(left));
    AppendWord(header, static_cast<WORD>(top));
    AppendWord(header, static_cast<WORD>(right));
    AppendWord(header, static_cast<WORD>(bottom));
    AppendWord(header, unitsPerInch);
    AppendDword(header, 0);
    WORD checksum = 0;
    for (size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<WORD>(header[i] | (header[i + 1] << 8));
    AppendWord(header, checksum);
    header.insert(header.end(), metafile.begin(), metafile.end());
    return header;
}

Bytes RecordEnhancedMetafile(const RECT& frame, const std::function<void(HDC)>& draw)
{
    HDC dc = ::CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    draw(dc);
    HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
    Bytes bytes(::GetEnhMetaFileBits(metafile, 0, nullptr));
    ::GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    ::DeleteEnhMetaFile(metafile);
    return bytes;
}

Bytes HalvesEmf()
{
    return RecordEnhancedMetafile(RECT{0, 0, 10000, 5000}, [](HDC dc) {
        // A 100 x 50 window over the frame's size in the reference device's pixels: the ink fills the frame.
        ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, 100, 50, nullptr);
        const int widthPixels = ::MulDiv(10000, ::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, HORZSIZE) * 100);
        const int heightPixels = ::MulDiv(5000, ::GetDeviceCaps(dc, VERTRES), ::GetDeviceCaps(dc, VERTSIZE) * 100);
        ::SetViewportExtEx(dc, widthPixels, heightPixels, nullptr);
        DrawHalves(dc, 0, 0, 100, 50);
    });
}

size_t FindWmfRecord(const Bytes& metafile, WORD function)
{
    for (size_t offset = 18; offset + 6 <= metafile.size();) {
        DWORD words;
        WORD found;
        std::memcpy(&words, metafile.data() + offset, 4);
        std::memcpy(&found, metafile.data() + offset + 4, 2);
        if (found == function)
            return offset;
        if (words < 3 || found == 0)
            break;
        offset += words * 2;
    }
    return 0;
}

size_t FindEmfRecord(const Bytes& metafile, DWORD type)
{
    for (size_t offset = 0; offset + 8 <= metafile.size();) {
        DWORD found, size;
        std::memcpy(&found, metafile.data() + offset, 4);
        std::memcpy(&size, metafile.data() + offset + 4, 4);
        if (found == type && offset != 0)
            return offset;
        if (size < 8)
            break;
        offset += size;
    }
    return 0;
}

void PutWord(Bytes& bytes, size_t offset, WORD value)
{
    std::memcpy(bytes.data() + offset, &value, 2);
}

void PutDword(Bytes& bytes, size_t offset, DWORD value)
{
    std::memcpy(bytes.data() + offset, &value, 4);
}

void PutBigEndian(Bytes& bytes, size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

std::uint32_t Crc32(const std::uint8_t* data, size_t size)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

} // namespace fixtures
