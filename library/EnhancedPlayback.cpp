// Enhanced metafiles played within reach.
#include "library/EnhancedPlayback.h"
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kReach = 65536.0;        // device pixels from the origin a shape's box may reach
constexpr double kLargestLetter = 4096.0; // device pixels a letter may be high or wide
constexpr double kWidestPen = 1024.0;     // device pixels a pen may be wide

LONG Field(const ENHMETARECORD* record, size_t offset)
{
    LONG value = 0;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(record) + offset, sizeof(value));
    return value;
}

// Whether the corners of a box in logical units stay within reach on the device.
bool WithinReach(HDC dc, LONG left, LONG top, LONG right, LONG bottom)
{
    POINT corners[4] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    // The logical co-ordinates themselves must survive the mapping's arithmetic.
    for (const POINT& corner : corners)
        if (std::abs(static_cast<double>(corner.x)) > 1e9 || std::abs(static_cast<double>(corner.y)) > 1e9)
            return false;
    if (!::LPtoDP(dc, corners, 4))
        return false;
    for (const POINT& corner : corners)
        if (std::abs(static_cast<double>(corner.x)) > kReach || std::abs(static_cast<double>(corner.y)) > kReach)
            return false;
    return true;
}

// The length on the device of a logical distance along one axis.
double DeviceLength(HDC dc, LONG x, LONG y)
{
    POINT points[2] = {{0, 0}, {x, y}};
    if (!::LPtoDP(dc, points, 2))
        return 0;
    return std::hypot(static_cast<double>(points[1].x - points[0].x), static_cast<double>(points[1].y - points[0].y));
}

// A font record with its height and width cut so that its letters stay within the largest size.
bool PlayCutFont(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles)
{
    const LONG height = Field(record, 12), width = Field(record, 16);
    const double tallest = std::max(DeviceLength(dc, 0, std::labs(height)), DeviceLength(dc, std::labs(height), 0));
    const double widest = std::max(DeviceLength(dc, std::labs(width), 0), DeviceLength(dc, 0, std::labs(width)));
    const double largest = std::max(tallest, widest);
    if (largest <= kLargestLetter)
        return ::PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles)) != 0;
    const double factor = kLargestLetter / largest;
    std::vector<BYTE> copy(reinterpret_cast<const BYTE*>(record), reinterpret_cast<const BYTE*>(record) + record->nSize);
    const LONG cutHeight = static_cast<LONG>(height * factor), cutWidth = static_cast<LONG>(width * factor);
    std::memcpy(copy.data() + 12, &cutHeight, sizeof(cutHeight));
    std::memcpy(copy.data() + 16, &cutWidth, sizeof(cutWidth));
    return ::PlayEnhMetaFileRecord(dc, table, reinterpret_cast<const ENHMETARECORD*>(copy.data()),
                                   static_cast<UINT>(handles)) != 0;
}

// A pen record with its width cut so that its strokes stay within the widest pen. The width is a
// logical length at `offset`.
bool PlayCutPen(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, size_t offset)
{
    const LONG width = Field(record, offset);
    const double wide = std::max(DeviceLength(dc, std::labs(width), 0), DeviceLength(dc, 0, std::labs(width)));
    if (wide <= kWidestPen)
        return ::PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles)) != 0;
    std::vector<BYTE> copy(reinterpret_cast<const BYTE*>(record), reinterpret_cast<const BYTE*>(record) + record->nSize);
    const LONG cut = static_cast<LONG>(width * (kWidestPen / wide));
    std::memcpy(copy.data() + offset, &cut, sizeof(cut));
    return ::PlayEnhMetaFileRecord(dc, table, reinterpret_cast<const ENHMETARECORD*>(copy.data()),
                                   static_cast<UINT>(handles)) != 0;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, LPARAM)
{
    switch (record->iType) {
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE:
        if (record->nSize < 24 || !WithinReach(dc, Field(record, 8), Field(record, 12), Field(record, 16), Field(record, 20)))
            return TRUE; // passed over
        break;
    case EMR_ANGLEARC: {
        if (record->nSize < 28)
            return TRUE;
        const double x = Field(record, 8), y = Field(record, 12), radius = static_cast<DWORD>(Field(record, 16));
        if (radius > 1e9 || !WithinReach(dc, static_cast<LONG>(x - radius), static_cast<LONG>(y - radius),
                                         static_cast<LONG>(x + radius), static_cast<LONG>(y + radius)))
            return TRUE;
        break;
    }
    case EMR_CREATEPEN: // the width's x at 16
        if (record->nSize >= 28) {
            PlayCutPen(dc, table, record, handles, 16);
            return TRUE;
        }
        break;
    case EMR_EXTCREATEPEN: // the width at 32
        if (record->nSize >= 52) {
            PlayCutPen(dc, table, record, handles, 32);
            return TRUE;
        }
        break;
    case EMR_EXTCREATEFONTINDIRECTW:
        if (record->nSize >= 20) {
            PlayCutFont(dc, table, record, handles);
            return TRUE;
        }
        break;
    default:
        break;
    }
    ::PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
    return TRUE;
}

} // namespace

void PlayEnhancedWithinReach(HDC dc, HENHMETAFILE metafile, const RECT& rect)
{
    ::EnumEnhMetaFile(dc, metafile, PlayRecord, nullptr, &rect);
}
