// Record checks for Windows and enhanced metafiles. Offsets and sizes follow the records' layouts
// in the platform's headers; all arithmetic is done in 64 bits so no count can wrap.
#include "library/MetafileCheck.h"
#include "library/Dib.h"

namespace metafile {

namespace {

using u64 = std::uint64_t;

unsigned Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Dword(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A bitmap header of `headerBytes` bytes and its bits of `bitsBytes` bytes, as a record carries them.
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

struct WmfRecord {
    const std::uint8_t* params;
    u64 count; // parameter words
    unsigned Param(u64 i) const { return Word(params + 2 * i); }
    const std::uint8_t* At(u64 word) const { return params + 2 * word; }
    u64 BytesFrom(u64 word) const { return (count - word) * 2; }
};

// The parameter words each fixed-size record needs at least.
struct FixedSize {
    unsigned function;
    unsigned words;
};
const FixedSize kWmfFixed[] = {
    {0x0102, 1}, {0x0103, 1}, {0x0104, 1}, {0x0105, 1}, {0x0106, 1}, {0x0107, 1}, {0x0108, 1}, {0x0127, 1},
    {0x012E, 1}, {0x0139, 1}, {0x014C, 2}, {0x0201, 2}, {0x0209, 2}, {0x020A, 2}, {0x020B, 2}, {0x020C, 2},
    {0x020D, 2}, {0x020E, 2}, {0x020F, 2}, {0x0211, 2}, {0x0213, 2}, {0x0214, 2}, {0x0220, 2}, {0x0231, 2},
    {0x02FA, 5}, {0x02FB, 9}, {0x02FC, 4}, {0x0410, 4}, {0x0412, 4}, {0x0415, 4}, {0x0416, 4}, {0x0418, 4},
    {0x0419, 4}, {0x041B, 4}, {0x041F, 4}, {0x0548, 5}, {0x061C, 6}, {0x061D, 6}, {0x0817, 8}, {0x081A, 8},
    {0x0830, 8},
};

// Bits of an old device-independent bitmap record (a 14-byte BITMAP16 header, then the bits).
bool Bitmap16Fits(const std::uint8_t* p, u64 bytes)
{
    if (bytes < 14)
        return false;
    const u64 width = Word(p + 2), height = Word(p + 4), planes = p[8], bits = p[9];
    if (planes * bits > 32)
        return false;
    const u64 rowBytes = (width * bits + 15) / 16 * 2;
    return 14 + rowBytes * height * planes <= bytes;
}

bool CheckWmfRecord(unsigned function, const WmfRecord& r, unsigned objects)
{
    for (const FixedSize& fixed : kWmfFixed)
        if (fixed.function == function)
            return r.count >= fixed.words;

    auto object = [&](u64 i) { return r.count > i && r.Param(i) < objects; };
    switch (function) {
    case 0x012D: // SELECTOBJECT
    case 0x01F0: // DELETEOBJECT
    case 0x0234: // SELECTPALETTE
    case 0x012C: // SELECTCLIPREGION
    case 0x012A: // INVERTREGION
    case 0x012B: // PAINTREGION
        return object(0);
    case 0x0228: // FILLREGION: region, brush
        return object(0) && object(1);
    case 0x0429: // FRAMEREGION: region, brush, height, width
        return r.count >= 4 && object(0) && object(1);
    case 0x0324: // POLYGON
    case 0x0325: // POLYLINE
        return r.count >= 1 && 1 + 2 * u64(r.Param(0)) <= r.count;
    case 0x0538: { // POLYPOLYGON: polygon count, point counts, points
        if (r.count < 1)
            return false;
        const u64 polygons = r.Param(0);
        if (1 + polygons > r.count)
            return false;
        u64 points = 0;
        for (u64 i = 0; i < polygons; ++i)
            points += r.Param(1 + i);
        return 1 + polygons + 2 * points <= r.count;
    }
    case 0x0521: // TEXTOUT: length, string, y, x
        return r.count >= 1 && 1 + (u64(r.Param(0)) + 1) / 2 + 2 <= r.count;
    case 0x0A32: { // EXTTEXTOUT: y, x, length, options, [rectangle], string, [widths]
        if (r.count < 4)
            return false;
        const u64 rectangle = (r.Param(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return 4 + rectangle + (u64(r.Param(2)) + 1) / 2 <= r.count;
    }
    case 0x00F7: // CREATEPALETTE: version, count, entries
    case 0x0037: // SETPALENTRIES: start, count, entries
    case 0x0436: // ANIMATEPALETTE
        return r.count >= 2 && 2 + 2 * u64(r.Param(1)) <= r.count;
    case 0x0626: // ESCAPE: function, byte count, data
        return r.count >= 2 && 2 + (u64(r.Param(1)) + 1) / 2 <= r.count;
    case 0x0940: // DIBBITBLT: 9 words without a bitmap, else 8 and the bitmap
        if (r.count == 9)
            return true;
        return r.count > 8 && DibFits(r.At(8), r.BytesFrom(8), r.BytesFrom(8), false);
    case 0x0B41: // DIBSTRETCHBLT: 11 words without a bitmap, else 10 and the bitmap
        if (r.count == 11)
            return true;
        return r.count > 10 && DibFits(r.At(10), r.BytesFrom(10), r.BytesFrom(10), false);
    case 0x0F43: // STRETCHDIB: colour use at word 2, the bitmap at 11
        return r.count > 11 && DibFits(r.At(11), r.BytesFrom(11), r.BytesFrom(11), r.Param(2) == DIB_PAL_COLORS);
    case 0x0D33: // SETDIBTODEV: colour use at word 0, scan count at 1, the bitmap at 9
        return r.count > 9 &&
               DibFits(r.At(9), r.BytesFrom(9), r.BytesFrom(9), r.Param(0) == DIB_PAL_COLORS, r.Param(1));
    case 0x0142: // DIBCREATEPATTERNBRUSH: style, colour use, the bitmap
        return r.count > 2 && DibFits(r.At(2), r.BytesFrom(2), r.BytesFrom(2), r.Param(1) == DIB_PAL_COLORS);
    case 0x0922: // BITBLT with an old bitmap at word 8 (9 words without)
        return r.count == 9 || (r.count > 8 && Bitmap16Fits(r.At(8), r.BytesFrom(8)));
    case 0x0B23: // STRETCHBLT with an old bitmap at word 10 (11 words without)
        return r.count == 11 || (r.count > 10 && Bitmap16Fits(r.At(10), r.BytesFrom(10)));
    case 0x01F9: // CREATEPATTERNBRUSH: old bitmap header, 18 reserved bytes, bits
        return r.count >= 16 && Bitmap16Fits(r.params, r.count * 2 - 18);
    case 0x06FF: { // CREATEREGION: 11 header words, then scans of count + 4 words
        if (r.count < 11)
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
    default:
        return true; // the player skips what it does not know
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

struct EmfMinimum {
    DWORD type;
    unsigned bytes;
};
const EmfMinimum kEmfMinimum[] = {
    {EMR_SETWINDOWEXTEX, 16}, {EMR_SETWINDOWORGEX, 16}, {EMR_SETVIEWPORTEXTEX, 16}, {EMR_SETVIEWPORTORGEX, 16},
    {EMR_SETBRUSHORGEX, 16}, {EMR_SETPIXELV, 20}, {EMR_SETMAPPERFLAGS, 12}, {EMR_SETMAPMODE, 12},
    {EMR_SETBKMODE, 12}, {EMR_SETPOLYFILLMODE, 12}, {EMR_SETROP2, 12}, {EMR_SETSTRETCHBLTMODE, 12},
    {EMR_SETTEXTALIGN, 12}, {EMR_SETCOLORADJUSTMENT, 32}, {EMR_SETTEXTCOLOR, 12}, {EMR_SETBKCOLOR, 12},
    {EMR_OFFSETCLIPRGN, 16}, {EMR_MOVETOEX, 16}, {EMR_EXCLUDECLIPRECT, 24}, {EMR_INTERSECTCLIPRECT, 24},
    {EMR_SCALEVIEWPORTEXTEX, 24}, {EMR_SCALEWINDOWEXTEX, 24}, {EMR_RESTOREDC, 12}, {EMR_SETWORLDTRANSFORM, 32},
    {EMR_MODIFYWORLDTRANSFORM, 36}, {EMR_ANGLEARC, 28}, {EMR_ELLIPSE, 24}, {EMR_RECTANGLE, 24},
    {EMR_ROUNDRECT, 32}, {EMR_ARC, 40}, {EMR_CHORD, 40}, {EMR_PIE, 40}, {EMR_EXTFLOODFILL, 24},
    {EMR_LINETO, 16}, {EMR_ARCTO, 40}, {EMR_SETARCDIRECTION, 12}, {EMR_SETMITERLIMIT, 12},
    {EMR_FILLPATH, 24}, {EMR_STROKEANDFILLPATH, 24}, {EMR_STROKEPATH, 24}, {EMR_SELECTCLIPPATH, 12},
    {EMR_SETICMMODE, 12}, {EMR_SETLAYOUT, 12}, {EMR_EOF, 20},
};

// Region data: a 32-byte header whose rectangle count must fit in the bytes given.
bool RegionFits(const EmfRecord& r, u64 offset, u64 bytes)
{
    if (!r.Holds(offset, bytes))
        return false;
    if (bytes == 0)
        return true;
    return bytes >= 32 && 32 + 16 * u64(r.At(offset + 8)) <= bytes;
}

// A bitmap given as header offset and size, bits offset and size, and its colour use.
bool RecordDibFits(const EmfRecord& r, u64 at, u64 lines = ~u64(0))
{
    const u64 headerOffset = r.At(at), headerBytes = r.At(at + 4);
    const u64 bitsOffset = r.At(at + 8), bitsBytes = r.At(at + 12);
    if (headerBytes == 0)
        return true; // no source bitmap: a pattern operation
    return r.Holds(headerOffset, headerBytes) && r.Holds(bitsOffset, bitsBytes) &&
           DibFits(r.data + headerOffset, headerBytes, bitsBytes, false, lines);
}

bool TextFits(const EmfRecord& r, u64 text, bool wide)
{
    if (!r.Holds(text, 40))
        return false;
    const u64 characters = r.At(text + 8), string = r.At(text + 12), options = r.At(text + 16);
    const u64 widths = r.At(text + 36);
    if (characters == 0)
        return true;
    if (!r.Holds(string, characters * (wide ? 2 : 1)))
        return false;
    return widths == 0 || r.Holds(widths, characters * 4 * ((options & ETO_PDY) ? 2 : 1));
}

bool CheckEmfRecord(const EmfRecord& r, DWORD type, unsigned handles)
{
    for (const EmfMinimum& minimum : kEmfMinimum)
        if (minimum.type == type)
            return r.size >= minimum.bytes &&
                   (type != EMR_EOF || r.At(8) == 0 || r.Holds(r.At(12), 4 * u64(r.At(8))));

    // An index into the handle table; 0 is the metafile itself, the high bit marks a stock object.
    auto handle = [&](u64 offset, bool stockAllowed) {
        if (r.size < offset + 4)
            return false;
        const std::uint32_t index = r.At(offset);
        if (index & 0x80000000u)
            return stockAllowed;
        return index != 0 && index < handles;
    };
    switch (type) {
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
        return handle(8, true);
    case EMR_SELECTPALETTE:
        return handle(8, true);
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
    case EMR_GDICOMMENT:
        return r.size >= 12 && r.Holds(12, r.At(8));
    case EMR_FILLRGN:
        return r.size >= 32 && handle(28, true) && RegionFits(r, 32, r.At(24));
    case EMR_FRAMERGN:
        return r.size >= 40 && handle(28, true) && RegionFits(r, 40, r.At(24));
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
        return r.size >= 28 && RegionFits(r, 28, r.At(24));
    case EMR_EXTSELECTCLIPRGN:
        return r.size >= 16 && RegionFits(r, 16, r.At(8));
    case EMR_BITBLT:
        return r.size >= 100 && RecordDibFits(r, 84);
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
        return r.size >= 108 && RecordDibFits(r, 84);
    case EMR_MASKBLT:
        return r.size >= 128 && RecordDibFits(r, 84) && RecordDibFits(r, 112);
    case EMR_PLGBLT:
        return r.size >= 140 && RecordDibFits(r, 96) && RecordDibFits(r, 124);
    case EMR_SETDIBITSTODEVICE:
        return r.size >= 76 && RecordDibFits(r, 48, r.At(72));
    case EMR_STRETCHDIBITS:
        return r.size >= 80 && RecordDibFits(r, 48);
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return r.size >= 32 && handle(8, false) && RecordDibFits(r, 16);
    case EMR_EXTCREATEPEN:
        return r.size >= 52 && handle(8, false) && RecordDibFits(r, 12) && 52 + 4 * u64(r.At(48)) <= r.size;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        return r.size >= 76 && TextFits(r, 36, type == EMR_EXTTEXTOUTW);
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
        if (r.size < 40)
            return false;
        const u64 texts = r.At(36);
        if (40 + 40 * texts > r.size)
            return false;
        for (u64 i = 0; i < texts; ++i)
            if (!TextFits(r, 40 + 40 * i, type == EMR_POLYTEXTOUTW))
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
    default:
        return r.size >= 8;
    }
}

} // namespace

bool CheckWindowsMetafile(const std::uint8_t* data, size_t size)
{
    if (!data || size < 18)
        return false;
    const unsigned type = Word(data), headerWords = Word(data + 2), objects = Word(data + 10);
    if ((type != 1 && type != 2) || headerWords != 9 || u64(Dword(data + 6)) * 2 != size)
        return false;
    u64 offset = 18;
    while (offset < size) {
        if (size - offset < 6)
            return false;
        const u64 words = Dword(data + offset);
        const unsigned function = Word(data + offset + 4);
        if (words < 3 || words * 2 > size - offset)
            return false;
        if (function == 0)
            return true; // the end record
        if (!CheckWmfRecord(function, WmfRecord{data + offset + 6, words - 3}, objects))
            return false;
        offset += words * 2;
    }
    return true;
}

bool CheckEnhancedMetafile(const std::uint8_t* data, size_t size)
{
    if (!data || size < 88)
        return false;
    const u64 headerSize = Dword(data + 4);
    if (Dword(data) != EMR_HEADER || Dword(data + 40) != ENHMETA_SIGNATURE || Dword(data + 48) != size ||
        headerSize < 88 || headerSize > size || headerSize % 4 != 0)
        return false;
    const EmfRecord header{data, headerSize};
    const u64 descriptionLength = header.At(60);
    if (descriptionLength != 0 && !header.Holds(header.At(64), 2 * descriptionLength))
        return false;
    if (headerSize >= 100 && header.At(88) != 0 && !header.Holds(header.At(92), header.At(88)))
        return false;
    const unsigned handles = Word(data + 56);

    u64 offset = headerSize;
    while (offset < size) {
        if (size - offset < 8)
            return false;
        const DWORD type = Dword(data + offset);
        const u64 recordSize = Dword(data + offset + 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - offset)
            return false;
        if (!CheckEmfRecord(EmfRecord{data + offset, recordSize}, type, handles))
            return false;
        if (type == EMR_EOF)
            return true;
        offset += recordSize;
    }
    return false; // no end record
}

bool FindWindowFrame(const std::uint8_t* data, size_t size, RECT& frame)
{
    bool haveOrigin = false, haveExtent = false;
    int x = 0, y = 0, width = 0, height = 0;
    for (u64 offset = 18; offset + 6 <= size && !(haveOrigin && haveExtent);) {
        const u64 words = Dword(data + offset);
        const unsigned function = Word(data + offset + 4);
        if (words < 3 || words * 2 > size - offset || function == 0)
            break;
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
        offset += words * 2;
    }
    if (!haveExtent)
        return false;
    frame = RECT{x, y, x + width, y + height};
    return true;
}

} // namespace metafile
