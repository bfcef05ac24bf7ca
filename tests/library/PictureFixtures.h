// Picture fixtures made by the tests themselves: packed DIBs of every header form, picture files
// written by the system's encoders or byte by byte (ICO, PCX), and recorded metafiles. Most show
// one picture: four quadrants of four colours, so a flipped, mirrored or shifted result shows.
#pragma once
#include "components/PixelImage.h"
#include "framework/Gdi.h"
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<std::uint8_t>;

struct Quadrants {
    COLORREF topLeft, topRight, bottomLeft, bottomRight;
};
constexpr Quadrants kQuadrants{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

COLORREF QuadrantAt(const Quadrants& q, int x, int y, int width, int height);
PixelImage QuadrantPicture(int width, int height, const Quadrants& q = kQuadrants);

bool Near(COLORREF a, COLORREF b, int tolerance);
std::string Describe(COLORREF colour);
// Checks the middle of each quadrant of the area on the canvas; a text per mismatch, empty when all match.
std::string CheckQuadrants(const fw::DibSection& canvas, const RECT& area, const Quadrants& q, int tolerance = 0);
// The same for a packed DIB, painted 1:1 onto a canvas first.
std::string CheckDibQuadrants(HGLOBAL dib, const Quadrants& q, int tolerance = 0);
COLORREF DibPixel(HGLOBAL dib, int x, int y);

// ---- packed DIBs ----
struct DibForm {
    DWORD headerSize = 40;         // 12, 40, 108 or 124
    int bitCount = 24;
    DWORD compression = BI_RGB;
    bool topDown = false;
    DWORD coloursUsed = 0;         // written into the header as it stands
    std::vector<COLORREF> table;   // colour table written (indexed pictures)
    DWORD masks[3] = {0, 0, 0};    // red, green, blue for bit fields
};
// The pixel value for (x, y): a table index for indexed depths, else a COLORREF.
using PixelSource = std::function<std::uint32_t(int x, int y)>;
Bytes BuildDib(const DibForm& form, int width, int height, const PixelSource& pixel);
HGLOBAL ToGlobal(const Bytes& bytes);
Bytes FromGlobal(HGLOBAL memory);

// ---- files ----
void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
// Encodes with the system's encoder by MIME type.
bool SaveWithCodec(const PixelImage& picture, const wchar_t* mimeType, const std::string& path);
// A 32-bit PNG whose pixels are 0xAARRGGBB.
bool SavePngWithAlpha(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);
// A one-picture icon, 32 bits a pixel with alpha (0xAARRGGBB, top row first).
Bytes MakeIcon(int width, int height, const std::vector<std::uint32_t>& argb);
// A GIF of up to 256 colours; index(x, y) picks each pixel's colour. (The system's GIF encoder
// writes an empty picture from true colour under Wine.)
Bytes MakeGif(int width, int height, const std::vector<COLORREF>& colours, const std::function<int(int x, int y)>& index);
// A BMP file around a packed DIB.
Bytes MakeBmpFile(const Bytes& dib);

// A PCX file. sample(x, y, plane) gives the value of a pixel in a plane (an index or a colour
// component). headerColours: 16 colours for the header's table; table256: the 256-colour table to
// append (null: none). Runs may cross line ends when crossLines is set.
struct PcxForm {
    int bitsPerPixel = 8;
    int planes = 1;
    int bytesPerLine = 0;          // 0: the width rounded up to an even number of bytes
    bool runLength = true;
    bool crossLines = false;
    std::vector<COLORREF> headerColours;
    const std::vector<COLORREF>* table256 = nullptr;
};
Bytes MakePcx(const PcxForm& form, int width, int height, const std::function<int(int x, int y, int plane)>& sample);

// ---- metafiles ----
// Draws the two-colour test picture: red left half and blue right half of the frame (x, y, w, h).
void DrawHalves(HDC dc, int x, int y, int width, int height);
// A plain Windows metafile of the halves in a 100 x 50 frame. withWindow: the metafile sets its
// window origin and extent; else it draws in plain device units at (10, 20).
Bytes RecordWindowsMetafile(bool withWindow, const std::function<void(HDC)>& extra = nullptr);
// Puts the 22-byte placeable header (with its checksum) in front.
Bytes MakePlaceable(const Bytes& metafile, short left, short top, short right, short bottom, WORD unitsPerInch = 1440);
// An enhanced metafile with the given frame (hundredths of a millimetre), drawn by draw.
Bytes RecordEnhancedMetafile(const RECT& frame, const std::function<void(HDC)>& draw);
// An enhanced metafile of a 100 x 50 mm frame whose red and blue halves fill the frame.
Bytes HalvesEmf();
// Offset of the first record of that function (Windows metafile, from its header) or type (enhanced),
// or 0 when none.
size_t FindWmfRecord(const Bytes& metafile, WORD function);
size_t FindEmfRecord(const Bytes& metafile, DWORD type);
void PutWord(Bytes& bytes, size_t offset, WORD value);
void PutDword(Bytes& bytes, size_t offset, DWORD value);
void PutBigEndian(Bytes& bytes, size_t offset, std::uint32_t value);
// The checksum of PNG chunks.
std::uint32_t Crc32(const std::uint8_t* data, size_t size);

} // namespace fixtures
