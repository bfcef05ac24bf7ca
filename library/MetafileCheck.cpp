// Record checks for Windows and enhanced metafiles. Offsets and sizes follow the records' layouts in
// the platform's headers, and where the system's players read a record their own way (the 32 bytes
// of a font's face name, a palette index past a short record, a bitmap header that a size of 0 does
// not stop them from reading), the check covers what they read. All arithmetic is done in 64 bits
// so no count can wrap.
#include "library/MetafileCheck.h"
#include "library/Dib.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace metafile {

namespace {

using u64 = std::uint64_t;

unsigned Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Dword(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void PutWord(std::uint8_t* p, unsigned value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}
void PutDword(std::uint8_t* p, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A font's height or width cut to the limit, keeping its sign (a negative height asks for the
// character height, a positive one for the cell height).
long Limited(long value, long limit)
{
    if (value > limit)
        return limit;
    if (value < -limit)
        return -limit;
    return value;
}

// A bitmap header of `headerBytes` bytes and its bits of `bitsBytes` bytes, as a record carries them.
// lines: the scan lines the player reads, when it reads fewer than the whole picture.
bool DibFits(const std::uint8_t* header, u64 headerBytes, u64 bitsBytes, bool paletteIndexes, u64 lines = ~u64(0))
{
    DibLayout layout;
    if (!ExamineDibHeader(header, static_cast<size_t>(headerBytes), layout, paletteIndexes))
        return false;
    u64 needed = layout.bitsSize;
    if (layout.compression == BI_RGB || layout.compression == BI_BITFIELDS) {
        if (lines < static_cast<u64>(layout.height))
            needed = layout.bitsSize / static_cast<u64>(layout.height) * lines;
    }
    return needed <= bitsBytes;
}

// ---- Windows metafiles: records of 16-bit words; sizes count words ----

constexpr unsigned kEscapeComment = 15; // MFCOMMENT: the only escape a picture needs

struct WmfRecord {
    const std::uint8_t* params;
    u64 count;     // parameter words
    u64 readable;  // bytes from the parameters to the end of the metafile
    unsigned Param(u64 i) const { return Word(params + 2 * i); }
    const std::uint8_t* At(u64 word) const { return params + 2 * word; }
    u64 BytesFrom(u64 word) const { return (count - word) * 2; }
};

// A packed DIB that starts at parameter word `at` and fills the rest of the record.
bool WmfDibFits(const WmfRecord& r, u64 at, bool paletteIndexes, u64 lines = ~u64(0))
{
    return r.count > at && DibFits(r.At(at), r.BytesFrom(at), r.BytesFrom(at), paletteIndexes, lines);
}

// The record types a picture is made of, with what the player reads of each. What is not here (old
// device-dependent bitmaps, whose layout the players read differently from their writers; escapes
// other than comments; document and printer records) refuses the file.
bool CheckWmfRecord(unsigned function, const WmfRecord& r, unsigned objects)
{
    auto atLeast = [&](u64 words) { return r.count >= words; };
    // An index into the player's table of objects, which holds `objects` entries.
    auto object = [&](u64 i) { return r.count > i && r.Param(i) < objects; };
    switch (function) {
    // The drawing state: modes, colours, mapping, clipping rectangles, saved states.
    case 0x001E: // SAVEDC
    case 0x0035: // REALIZEPALETTE
        return true;
    case 0x0102: // SETBKMODE
    case 0x0103: // SETMAPMODE
    case 0x0104: // SETROP2
    case 0x0105: // SETRELABS
    case 0x0106: // SETPOLYFILLMODE
    case 0x0107: // SETSTRETCHBLTMODE
    case 0x0108: // SETTEXTCHAREXTRA
    case 0x0127: // RESTOREDC
    case 0x012E: // SETTEXTALIGN
    case 0x0139: // RESIZEPALETTE
    case 0x0149: // SETLAYOUT
        return atLeast(1);
    case 0x0201: // SETBKCOLOR
    case 0x0209: // SETTEXTCOLOR
    case 0x020A: // SETTEXTJUSTIFICATION
    case 0x020B: // SETWINDOWORG
    case 0x020C: // SETWINDOWEXT
    case 0x020D: // SETVIEWPORTORG
    case 0x020E: // SETVIEWPORTEXT
    case 0x020F: // OFFSETWINDOWORG
    case 0x0211: // OFFSETVIEWPORTORG
    case 0x0220: // OFFSETCLIPRGN
    case 0x0231: // SETMAPPERFLAGS
        return atLeast(2);
    case 0x0410: // SCALEWINDOWEXT
    case 0x0412: // SCALEVIEWPORTEXT
    case 0x0415: // EXCLUDECLIPRECT
    case 0x0416: // INTERSECTCLIPRECT
        return atLeast(4);

    // Lines and shapes.
    case 0x0213: // LINETO
    case 0x0214: // MOVETO
        return atLeast(2);
    case 0x0418: // ELLIPSE
    case 0x0419: // FLOODFILL
    case 0x041B: // RECTANGLE
    case 0x041F: // SETPIXEL
        return atLeast(4);
    case 0x0548: // EXTFLOODFILL
        return atLeast(5);
    case 0x061C: // ROUNDRECT
    case 0x061D: // PATBLT
        return atLeast(6);
    case 0x0817: // ARC
    case 0x081A: // PIE
    case 0x0830: // CHORD
        return atLeast(8);
    case 0x0324: // POLYGON: point count, points
    case 0x0325: // POLYLINE
        return atLeast(1) && 1 + 2 * u64(r.Param(0)) <= r.count;
    case 0x0538: { // POLYPOLYGON: polygon count, point counts, points
        if (!atLeast(1))
            return false;
        const u64 polygons = r.Param(0);
        if (1 + polygons > r.count)
            return false;
        u64 points = 0;
        for (u64 i = 0; i < polygons; ++i) {
            // The player adds the counts up as signed numbers.
            if (r.Param(1 + i) >= 0x8000)
                return false;
            points += r.Param(1 + i);
        }
        return 1 + polygons + 2 * points <= r.count;
    }

    // Text.
    case 0x0521: // TEXTOUT: length, string, y, x
        return atLeast(1) && 1 + (u64(r.Param(0)) + 1) / 2 + 2 <= r.count;
    case 0x0A32: { // EXTTEXTOUT: y, x, length, options, [rectangle], string, [widths]
        if (!atLeast(4))
            return false;
        const u64 rectangle = (r.Param(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return 4 + rectangle + (u64(r.Param(2)) + 1) / 2 <= r.count;
    }

    // Objects: each is created into the first free entry of the player's table and used by its index.
    case 0x02FA: // CREATEPENINDIRECT
        return atLeast(5);
    case 0x02FC: // CREATEBRUSHINDIRECT
        return atLeast(4);
    case 0x02FB: // CREATEFONTINDIRECT: nine words, then a face name the player copies 32 bytes of
        return atLeast(9) && 18 + 32 <= r.readable;
    case 0x00F7: // CREATEPALETTE: version, count, entries
    case 0x0037: // SETPALENTRIES: start, count, entries
    case 0x0436: // ANIMATEPALETTE
        return atLeast(2) && 2 + 2 * u64(r.Param(1)) <= r.count;
    case 0x06FF: { // CREATEREGION: 11 header words, then scans of count + 4 words
        if (!atLeast(11))
            return false;
        const u64 scans = r.Param(5);
        u64 at = 11;
        for (u64 i = 0; i < scans; ++i) {
            if (at >= r.count)
                return false;
            at += u64(r.Param(at)) + 4;
            if (at > r.count)
                return false;
        }
        return true;
    }
    case 0x0142: // DIBCREATEPATTERNBRUSH: style, colour use, the bitmap
        return atLeast(2) && WmfDibFits(r, 2, r.Param(1) == DIB_PAL_COLORS);
    case 0x012D: // SELECTOBJECT
    case 0x01F0: // DELETEOBJECT
    case 0x012A: // INVERTREGION
    case 0x012B: // PAINTREGION
    case 0x012C: // SELECTCLIPREGION
        return object(0);
    case 0x0234: // SELECTPALETTE: one word; one player reads its index from the word after it
        if (r.count >= 2)
            return object(0) && object(1);
        return object(0) && r.readable >= 4 && Word(r.params + 2) < objects;
    case 0x0228: // FILLREGION: a region and a brush, in either order as the players read them
        return object(0) && object(1);
    case 0x0429: // FRAMEREGION: the same, after the frame's height and width
        return atLeast(4) && object(2) && object(3);

    // Bitmaps, as packed DIBs inside the record.
    case 0x0940: // DIBBITBLT: 9 words without a bitmap, else 8 and the bitmap
        return r.count == 9 || (r.count > 9 && WmfDibFits(r, 8, false));
    case 0x0B41: // DIBSTRETCHBLT: 10 words and the bitmap (one player reads it even when there is none)
        return WmfDibFits(r, 10, false);
    case 0x0F43: // STRETCHDIB: colour use at word 2, the bitmap at 11
        return atLeast(3) && WmfDibFits(r, 11, r.Param(2) == DIB_PAL_COLORS);
    case 0x0D33: // SETDIBTODEV: colour use at word 0, scan count at 1, the bitmap at 9
        return atLeast(2) && WmfDibFits(r, 9, r.Param(0) == DIB_PAL_COLORS, r.Param(1));

    // Comments (an enhanced copy of the picture, say), which the player passes over.
    case 0x0626: // ESCAPE: function, byte count, data
        return atLeast(2) && r.Param(0) == kEscapeComment && 2 + (u64(r.Param(1)) + 1) / 2 <= r.count;
    default:
        return false;
    }
}

// Calls visit(function, record offset, words) for each record up to the end record or a damaged one.
template <class Visit>
void ForEachWmfRecord(const std::uint8_t* data, size_t size, Visit visit)
{
    for (u64 offset = 18; offset + 6 <= size;) {
        const u64 words = Dword(data + offset);
        const unsigned function = Word(data + offset + 4);
        if (words < 3 || words * 2 > size - offset || function == 0)
            return;
        visit(function, offset, words);
        offset += words * 2;
    }
}

// ---- Enhanced metafiles: records of bytes; sizes count bytes ----

struct EmfRecord {
    const std::uint8_t* data;
    u64 size;
    std::uint32_t At(u64 offset) const { return Dword(data + offset); }
    // A block given by an offset and a byte count inside the record.
    bool Holds(u64 offset, u64 bytes) const { return offset <= size && bytes <= size - offset; }
};

// Text without the full text record, written by some systems' printer drivers.
constexpr DWORD kEmrSmallTextOut = 108;
constexpr DWORD kDibPalMono = 2;
constexpr DWORD kEmrSetTextJustification = 120; // not in every version of the platform's headers // a monochrome brush's bitmap without a colour table

struct EmfMinimum {
    DWORD type;
    unsigned bytes;
};
// The records that carry only fixed fields: the drawing state, shapes, paths and clipping.
const EmfMinimum kEmfFixed[] = {
    {EMR_SETWINDOWEXTEX, 16},    {EMR_SETWINDOWORGEX, 16},     {EMR_SETVIEWPORTEXTEX, 16}, {EMR_SETVIEWPORTORGEX, 16},
    {EMR_SETBRUSHORGEX, 16},     {EMR_SETPIXELV, 20},          {EMR_SETMAPPERFLAGS, 12},   {EMR_SETMAPMODE, 12},
    {EMR_SETBKMODE, 12},         {EMR_SETPOLYFILLMODE, 12},    {EMR_SETROP2, 12},          {EMR_SETSTRETCHBLTMODE, 12},
    {EMR_SETTEXTALIGN, 12},      {EMR_SETCOLORADJUSTMENT, 32}, {EMR_SETTEXTCOLOR, 12},     {EMR_SETBKCOLOR, 12},
    {EMR_OFFSETCLIPRGN, 16},     {EMR_MOVETOEX, 16},           {EMR_EXCLUDECLIPRECT, 24},  {EMR_INTERSECTCLIPRECT, 24},
    {EMR_SCALEVIEWPORTEXTEX, 24}, {EMR_SCALEWINDOWEXTEX, 24},  {EMR_SAVEDC, 8},            {EMR_RESTOREDC, 12},
    {EMR_ANGLEARC, 28},       {EMR_ELLIPSE, 24},
    {EMR_RECTANGLE, 24},         {EMR_ROUNDRECT, 32},          {EMR_ARC, 40},              {EMR_CHORD, 40},
    {EMR_PIE, 40},               {EMR_EXTFLOODFILL, 24},       {EMR_LINETO, 16},           {EMR_ARCTO, 40},
    {EMR_SETARCDIRECTION, 12},   {EMR_SETMITERLIMIT, 12},      {EMR_BEGINPATH, 8},         {EMR_ENDPATH, 8},
    {EMR_CLOSEFIGURE, 8},        {EMR_FILLPATH, 24},           {EMR_STROKEANDFILLPATH, 24}, {EMR_STROKEPATH, 24},
    {EMR_FLATTENPATH, 8},        {EMR_WIDENPATH, 8},           {EMR_SELECTCLIPPATH, 12},   {EMR_ABORTPATH, 8},
    {EMR_SETMETARGN, 8},         {EMR_REALIZEPALETTE, 8},      {EMR_SETICMMODE, 12},       {EMR_SETLAYOUT, 12},
    {kEmrSetTextJustification, 16},
};

// Region data: a 32-byte header whose rectangle count must fit in the bytes given. A region record
// always carries one.
bool RegionFits(const EmfRecord& r, u64 offset, u64 bytes)
{
    return r.Holds(offset, bytes) && bytes >= 32 && 32 + 16 * u64(r.At(offset + 8)) <= bytes;
}

// A bitmap given by header offset and size, bits offset and size, at `at`; the colour use is at
// `usage`. The players read the header wherever its offset points, a size of 0 notwithstanding.
bool RecordDibFits(const EmfRecord& r, u64 at, u64 usage, u64 lines = ~u64(0))
{
    const u64 headerOffset = r.At(at), headerBytes = r.At(at + 4);
    const u64 bitsOffset = r.At(at + 8), bitsBytes = r.At(at + 12);
    return headerOffset != 0 && headerBytes != 0 && r.Holds(headerOffset, headerBytes) &&
           r.Holds(bitsOffset, bitsBytes) &&
           DibFits(r.data + headerOffset, headerBytes, bitsBytes, r.At(usage) == DIB_PAL_COLORS, lines);
}

// A copy whose header offset is 0 has no source bitmap: the player draws it as a pattern.
bool OptionalDibFits(const EmfRecord& r, u64 at, u64 usage)
{
    return r.At(at) == 0 || RecordDibFits(r, at, usage);
}

// A transform of six floats at `offset`: finite, and scaling by no more than the largest factor; a
// bitmap's own transform must also be invertible (the player divides by it).
bool TransformIsSane(const EmfRecord& r, u64 offset, bool invertible)
{
    float value[6];
    std::memcpy(value, r.data + offset, sizeof(value));
    for (int i = 0; i < 6; ++i)
        if (!std::isfinite(value[i]) || std::fabs(value[i]) > (i < 4 ? 1e4f : 1e8f))
            return false;
    const double determinant = double(value[0]) * value[3] - double(value[1]) * value[2];
    return !invertible || std::fabs(determinant) >= 1e-6;
}

// Co-ordinates of a copy's source and destination, 32-bit each at the offsets given: the player
// stretches between them in 32-bit arithmetic, so none may stand far beyond the bitmap or the picture.
bool CopyIsSane(const EmfRecord& r, u64 bitmapHeader, std::initializer_list<u64> source,
                std::initializer_list<u64> destination)
{
    DibLayout layout;
    const u64 reach = ExamineDibHeader(r.data + r.At(bitmapHeader), r.At(bitmapHeader + 4), layout)
                          ? 4 * u64(std::max(layout.width, layout.height)) + 16
                          : 0;
    for (u64 offset : source)
        if (std::llabs(static_cast<std::int32_t>(r.At(offset))) > static_cast<long long>(reach))
            return false;
    for (u64 offset : destination)
        if (std::llabs(static_cast<std::int32_t>(r.At(offset))) > (1 << 24))
            return false;
    return true;
}

bool TextFits(const EmfRecord& r, u64 text, bool wide, bool widthsAlwaysRead)
{
    if (!r.Holds(text, 40))
        return false;
    const u64 characters = r.At(text + 8), string = r.At(text + 12), options = r.At(text + 16);
    const u64 widths = r.At(text + 36);
    if (characters == 0)
        return true;
    if (!r.Holds(string, characters * (wide ? 2 : 1)))
        return false;
    // One player reads the widths from the record's start when their offset is 0.
    if (widths == 0 && !widthsAlwaysRead)
        return true;
    return r.Holds(widths, characters * 4 * ((options & ETO_PDY) ? 2 : 1));
}

// The record types a picture is made of, each with the fields the players follow. Not here, and so
// refusing the file: colour spaces, pixel formats, OpenGL records, escapes and printer records, a
// second header.
bool CheckEmfRecord(const EmfRecord& r, DWORD type, unsigned handles)
{
    for (const EmfMinimum& fixed : kEmfFixed)
        if (fixed.type == type)
            return r.size >= fixed.bytes;

    // An index into the handle table: 0 is the metafile itself; where the player takes one, the
    // high bit marks a stock object.
    auto handle = [&](u64 offset, bool stockAllowed) {
        if (r.size < offset + 4)
            return false;
        const std::uint32_t index = r.At(offset);
        if (index & 0x80000000u)
            return stockAllowed;
        return index != 0 && index < handles;
    };
    switch (type) {
    case EMR_SETWORLDTRANSFORM:
        return r.size >= 32 && TransformIsSane(r, 8, false);
    case EMR_MODIFYWORLDTRANSFORM:
        return r.size >= 36 && TransformIsSane(r, 8, false);
    case EMR_EOF:
        return r.size >= 20 && (r.At(8) == 0 || r.Holds(r.At(12), 4 * u64(r.At(8))));
    case EMR_GDICOMMENT:
        return r.size >= 12 && r.Holds(12, r.At(8));

    // Objects.
    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE:
        return handle(8, true);
    case EMR_DELETEOBJECT: // a stock object is never deleted: the player would index its table with it
        return handle(8, false);
    case EMR_CREATEPEN:
        return r.size >= 28 && handle(8, false);
    case EMR_CREATEBRUSHINDIRECT:
        return r.size >= 24 && handle(8, false);
    case EMR_EXTCREATEFONTINDIRECTW:
        return r.size >= 104 && handle(8, false);
    case EMR_RESIZEPALETTE:
        return r.size >= 16 && handle(8, false);
    case EMR_CREATEPALETTE:
        return r.size >= 16 && handle(8, false) && 16 + 4 * u64(Word(r.data + 14)) <= r.size;
    case EMR_SETPALETTEENTRIES:
        return r.size >= 20 && handle(8, false) && 20 + 4 * u64(r.At(16)) <= r.size;
    case EMR_CREATEMONOBRUSH: {
        if (r.size < 32 || !handle(8, false) || !RecordDibFits(r, 16, 12))
            return false;
        // Without a colour table the player makes a one-bit bitmap of the bits as they stand.
        DibLayout layout;
        return r.At(12) != kDibPalMono ||
               (ExamineDibHeader(r.data + r.At(16), r.At(20), layout) && layout.bitCount == 1);
    }
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return r.size >= 32 && handle(8, false) && RecordDibFits(r, 16, 12);
    case EMR_EXTCREATEPEN:
        // A pen of a bitmap pattern keeps the bitmap's colour use where a plain pen has its colour.
        return r.size >= 52 && handle(8, false) && OptionalDibFits(r, 12, 40) && 52 + 4 * u64(r.At(48)) <= r.size;

    // Lines and shapes with counted points.
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
        return r.size >= 28 && 28 + 8 * u64(r.At(24)) <= r.size;
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return r.size >= 28 && 28 + 4 * u64(r.At(24)) <= r.size;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
        if (r.size < 32)
            return false;
        const bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
        const u64 polygons = r.At(24), points = r.At(28);
        if (32 + 4 * polygons + (small ? 4 : 8) * points > r.size)
            return false;
        u64 counted = 0;
        for (u64 i = 0; i < polygons; ++i)
            counted += r.At(32 + 4 * i);
        return counted <= points;
    }
    case EMR_POLYDRAW:
        return r.size >= 28 && 28 + 9 * u64(r.At(24)) <= r.size;
    case EMR_POLYDRAW16:
        return r.size >= 28 && 28 + 5 * u64(r.At(24)) <= r.size;
    case EMR_GRADIENTFILL: {
        if (r.size < 36)
            return false;
        const u64 vertices = r.At(24), shapes = r.At(28);
        const bool triangles = r.At(32) == GRADIENT_FILL_TRIANGLE;
        const u64 corners = triangles ? 3 : 2;
        const u64 shapesAt = 36 + 16 * vertices;
        if (shapesAt + shapes * 4 * corners > r.size)
            return false;
        // The player looks the vertices up by these indexes.
        for (u64 i = 0; i < shapes * corners; ++i)
            if (r.At(shapesAt + 4 * i) >= vertices)
                return false;
        return true;
    }

    // Regions: their data, and the brush a fill or frame takes from the table.
    case EMR_FILLRGN:
        return r.size >= 32 && handle(28, false) && RegionFits(r, 32, r.At(24));
    case EMR_FRAMERGN:
        return r.size >= 40 && handle(28, false) && RegionFits(r, 40, r.At(24));
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
        return r.size >= 28 && RegionFits(r, 28, r.At(24));
    case EMR_EXTSELECTCLIPRGN:
        // No region data selects no clipping; one player reads the data when the record holds it.
        if (r.size < 16 || !r.Holds(16, r.At(8)))
            return false;
        if (r.At(8) == 0 && r.size < 16 + 32)
            return true;
        return RegionFits(r, 16, r.size - 16) && (r.At(8) == 0 || RegionFits(r, 16, r.At(8)));

    // Bitmaps: header offset and size, bits offset and size, and colour use, at fixed places.
    // With a bitmap the copy's transform and co-ordinates must be sane as well.
    case EMR_BITBLT:
        return r.size >= 100 && OptionalDibFits(r, 84, 80) &&
               (r.At(84) == 0 || (TransformIsSane(r, 52, true) && CopyIsSane(r, 84, {44, 48}, {24, 28, 32, 36})));
    case EMR_STRETCHBLT:
    case EMR_TRANSPARENTBLT:
        return r.size >= 108 && OptionalDibFits(r, 84, 80) &&
               (r.At(84) == 0 ||
                (TransformIsSane(r, 52, true) && CopyIsSane(r, 84, {44, 48, 100, 104}, {24, 28, 32, 36})));
    case EMR_ALPHABLEND: {
        if (r.size < 108)
            return false;
        if (r.At(84) == 0)
            return true;
        // The player makes a bitmap of the header and copies the bits' whole size into it.
        DibLayout layout;
        return RecordDibFits(r, 84, 80) && r.At(80) == DIB_RGB_COLORS && TransformIsSane(r, 52, true) &&
               CopyIsSane(r, 84, {44, 48, 100, 104}, {24, 28, 32, 36}) &&
               ExamineDibHeader(r.data + r.At(84), r.At(88), layout) &&
               (layout.compression == BI_RGB || layout.compression == BI_BITFIELDS) && r.At(96) <= layout.bitsSize;
    }
    case EMR_MASKBLT:
        return r.size >= 128 && RecordDibFits(r, 84, 80) && RecordDibFits(r, 112, 108) && TransformIsSane(r, 52, true) &&
               CopyIsSane(r, 84, {44, 48}, {24, 28, 32, 36}) && CopyIsSane(r, 112, {100, 104}, {});
    case EMR_PLGBLT:
        return r.size >= 140 && RecordDibFits(r, 96, 92) && RecordDibFits(r, 124, 120) && TransformIsSane(r, 64, true) &&
               CopyIsSane(r, 96, {48, 52, 56, 60}, {24, 28, 32, 36, 40, 44}) && CopyIsSane(r, 124, {112, 116}, {});
    case EMR_SETDIBITSTODEVICE:
        return r.size >= 76 && RecordDibFits(r, 48, 64, r.At(72)) && CopyIsSane(r, 48, {32, 36, 40, 44}, {24, 28});
    case EMR_STRETCHDIBITS:
        return r.size >= 80 && RecordDibFits(r, 48, 64) && CopyIsSane(r, 48, {32, 36, 40, 44}, {24, 28, 72, 76});

    // Text.
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        return r.size >= 76 && TextFits(r, 36, type == EMR_EXTTEXTOUTW, false);
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
        if (r.size < 40)
            return false;
        const u64 texts = r.At(36);
        if (40 + 40 * texts > r.size)
            return false;
        for (u64 i = 0; i < texts; ++i)
            if (!TextFits(r, 40 + 40 * i, type == EMR_POLYTEXTOUTW, true))
                return false;
        return true;
    }
    case kEmrSmallTextOut: {
        if (r.size < 36)
            return false;
        const u64 characters = r.At(16), options = r.At(20);
        const u64 text = 36 + ((options & 0x100) ? 0 : 16); // 0x100: no clipping rectangle
        return r.Holds(text, characters * ((options & 0x200) ? 1 : 2)); // 0x200: 8-bit characters
    }
    default:
        return false;
    }
}

// The player scales the picture by its frame and the reference device's size in pixels and in
// millimetres: a size of 0 divides by zero, and a lying one scales every stroke and letter to
// millions of pixels. A pixel lies between a micrometre and a millimetre, and a frame that is given
// lies between a millimetre and a hundred metres.
bool ReferenceDeviceIsSane(const EmfRecord& header)
{
    const std::int64_t pixelsX = static_cast<std::int32_t>(header.At(72)), pixelsY = static_cast<std::int32_t>(header.At(76));
    const std::int64_t millimetresX = static_cast<std::int32_t>(header.At(80));
    const std::int64_t millimetresY = static_cast<std::int32_t>(header.At(84));
    auto pixelSizeIsSane = [](std::int64_t pixels, std::int64_t millimetres) {
        return pixels > 0 && millimetres > 0 && millimetres <= pixels && 1000 * millimetres >= pixels;
    };
    if (!pixelSizeIsSane(pixelsX, millimetresX) || !pixelSizeIsSane(pixelsY, millimetresY))
        return false;
    auto sideIsSane = [](std::int64_t from, std::int64_t to) {
        const std::int64_t side = to > from ? to - from : from - to;
        return side == 0 || (side >= 100 && side <= 10000000);
    };
    const auto at = [&](u64 offset) { return static_cast<std::int64_t>(static_cast<std::int32_t>(header.At(offset))); };
    return sideIsSane(at(24), at(32)) && sideIsSane(at(28), at(36));
}

} // namespace

size_t CheckWindowsMetafile(const std::uint8_t* data, size_t size)
{
    if (!data || size < 18)
        return 0;
    const unsigned type = Word(data), headerWords = Word(data + 2), objects = Word(data + 10);
    if ((type != 1 && type != 2) || headerWords != 9 || u64(Dword(data + 6)) * 2 != size)
        return 0;
    u64 offset = 18;
    while (offset < size) {
        if (size - offset < 6)
            return 0;
        const u64 words = Dword(data + offset);
        const unsigned function = Word(data + offset + 4);
        if (words < 3 || words * 2 > size - offset)
            return 0;
        if (function == 0)
            return static_cast<size_t>(offset + words * 2); // the end record: nothing after it is played
        const WmfRecord record{data + offset + 6, words - 3, size - offset - 6};
        if (!CheckWmfRecord(function, record, objects))
            return 0;
        offset += words * 2;
    }
    return size;
}

size_t CheckEnhancedMetafile(const std::uint8_t* data, size_t size)
{
    if (!data || size < 88)
        return 0;
    const u64 headerSize = Dword(data + 4);
    if (Dword(data) != EMR_HEADER || Dword(data + 40) != ENHMETA_SIGNATURE || Dword(data + 48) != size ||
        headerSize < 88 || headerSize > size || headerSize % 4 != 0)
        return 0;
    const EmfRecord header{data, headerSize};
    const u64 descriptionLength = header.At(60);
    if (descriptionLength != 0 && !header.Holds(header.At(64), 2 * descriptionLength))
        return 0;
    if (headerSize >= 100 && header.At(88) != 0 && !header.Holds(header.At(92), header.At(88)))
        return 0;
    if (!ReferenceDeviceIsSane(header))
        return 0;
    const unsigned handles = Word(data + 56);

    u64 offset = headerSize;
    while (offset < size) {
        if (size - offset < 8)
            return 0;
        const DWORD type = Dword(data + offset);
        const u64 recordSize = Dword(data + offset + 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - offset)
            return 0;
        if (!CheckEmfRecord(EmfRecord{data + offset, recordSize}, type, handles))
            return 0;
        if (type == EMR_EOF)
            return static_cast<size_t>(offset + recordSize); // the player walks on past it otherwise
        offset += recordSize;
    }
    return 0; // no end record
}

void LimitFontSizes(std::uint8_t* data, size_t size, int frameExtent)
{
    long extent = std::abs(frameExtent);
    ForEachWmfRecord(data, size, [&](unsigned function, u64 offset, u64 words) {
        if (function == 0x020C && words >= 5) { // SETWINDOWEXT: y, x
            extent = std::max<long>(extent, std::abs(static_cast<std::int16_t>(Word(data + offset + 6))));
            extent = std::max<long>(extent, std::abs(static_cast<std::int16_t>(Word(data + offset + 8))));
        }
    });
    if (extent == 0)
        return; // drawn in the player's own units, its frame measured from what it draws
    const long limit = std::min<long>(4 * extent, 0x7FFF);
    ForEachWmfRecord(data, size, [&](unsigned function, u64 offset, u64 words) {
        if (function != 0x02FB || words < 5) // CREATEFONTINDIRECT: height, width, ...
            return;
        for (u64 field = 0; field < 2; ++field) {
            std::uint8_t* at = data + offset + 6 + 2 * field;
            PutWord(at, static_cast<unsigned>(Limited(static_cast<std::int16_t>(Word(at)), limit)) & 0xFFFF);
        }
    });
}

bool FindWindowFrame(const std::uint8_t* data, size_t size, RECT& frame)
{
    bool haveOrigin = false, haveExtent = false;
    int x = 0, y = 0, width = 0, height = 0;
    ForEachWmfRecord(data, size, [&](unsigned function, u64 offset, u64 words) {
        const std::uint8_t* params = data + offset + 6;
        // Both records hold y before x, as 16-bit signed values.
        if (function == 0x020B && words >= 5 && !haveOrigin) {
            y = static_cast<std::int16_t>(Word(params));
            x = static_cast<std::int16_t>(Word(params + 2));
            haveOrigin = true;
        } else if (function == 0x020C && words >= 5 && !haveExtent) {
            height = static_cast<std::int16_t>(Word(params));
            width = static_cast<std::int16_t>(Word(params + 2));
            haveExtent = width != 0 && height != 0;
        }
    });
    if (!haveExtent)
        return false;
    frame = RECT{x, y, x + width, y + height};
    return true;
}

} // namespace metafile
