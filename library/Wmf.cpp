// Loading and playing metafiles. The file is read whole into memory, checked record by record and
// only then handed to the system, which trusts what the records say.
#include "library/Wmf.h"
#include "components/FileBytes.h"
#include "library/EnhancedPlayback.h"
#include "library/MetafileCheck.h"
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
// Far above any picture of a symbol library; a larger file is refused before it is read.
constexpr LONGLONG kMaxFileSize = 64 * 1024 * 1024;

bool IsEnhancedExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && ::lstrcmpiA(path.c_str() + dot + 1, "emf") == 0;
}

} // namespace

WMF::~WMF()
{
    Clear();
}

void WMF::FreeMetaFile()
{
    if (metaFile_)
        ::DeleteMetaFile(metaFile_);
    metaFile_ = nullptr;
}

void WMF::Clear()
{
    FreeMetaFile();
    if (enhMetaFile_)
        ::DeleteEnhMetaFile(enhMetaFile_);
    enhMetaFile_ = nullptr;
    placeable_ = PlaceableMetaHeader{};
    header_ = METAHEADER{};
    frame_ = RECT{};
}

int WMF::Load(const std::string& path)
{
    Clear();
    return IsEnhancedExtension(path) ? LoadEnhanced(path) : LoadWindows(path);
}

int WMF::LoadWindows(const std::string& path)
{
    std::vector<std::uint8_t> file;
    if (!ReadFileBytes(path, file, kMaxFileSize) || file.size() < sizeof(placeable_))
        return FileUnreadable;
    std::memcpy(&placeable_, file.data(), sizeof(placeable_));
    size_t start = 0;
    if (placeable_.key == kPlaceableKey)
        start = sizeof(placeable_);
    else
        placeable_ = PlaceableMetaHeader{}; // a plain metafile: those bytes were its own header

    if (file.size() - start < sizeof(header_))
        return HeaderDamaged;
    std::memcpy(&header_, file.data() + start, sizeof(header_));
    // Only the size the header gives is read: bytes after it are not part of the metafile.
    const std::uint64_t bytes = std::uint64_t(header_.mtSize) * 2;
    if ((header_.mtType != 1 && header_.mtType != 2) || header_.mtHeaderSize != 9 || bytes < sizeof(header_))
        return HeaderDamaged;
    if (bytes > file.size() - start)
        return Truncated;
    std::uint8_t* body = file.data() + start;
    // The player is given the records up to the end record, and nothing after it.
    const size_t playable = metafile::CheckWindowsMetafile(body, static_cast<size_t>(bytes));
    if (playable == 0)
        return NotPlayable;
    const bool placeableFrame = placeable_.right != placeable_.left && placeable_.bottom != placeable_.top;
    const int frameExtent = placeableFrame ? std::max(std::abs(placeable_.right - placeable_.left),
                                                      std::abs(placeable_.bottom - placeable_.top))
                                           : 0;
    metafile::LimitFontSizes(body, playable, frameExtent);
    metaFile_ = ::SetMetaFileBitsEx(static_cast<UINT>(playable), body);
    if (!metaFile_)
        return NotPlayable;

    if (placeableFrame)
        frame_ = RECT{placeable_.left, placeable_.top, placeable_.right, placeable_.bottom};
    else if (!metafile::FindWindowFrame(body, playable, frame_) && !MeasureDrawing()) {
        Clear();
        return NotPlayable; // it draws nothing
    }
    return Loaded;
}

// A metafile that gives no size of its own is as large as what it draws: it is played into a
// recording, whose bounds the system works out.
bool WMF::MeasureDrawing()
{
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (!recorder)
        return false;
    ::PlayMetaFile(recorder, metaFile_);
    HENHMETAFILE recording = ::CloseEnhMetaFile(recorder);
    if (!recording)
        return false;
    ENHMETAHEADER header{};
    const bool read = ::GetEnhMetaFileHeader(recording, sizeof(header), &header) != 0;
    ::DeleteEnhMetaFile(recording);
    const RECTL& bounds = header.rclBounds;
    if (!read || bounds.right < bounds.left || bounds.bottom < bounds.top)
        return false;
    frame_ = RECT{bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1};
    return true;
}

int WMF::LoadEnhanced(const std::string& path)
{
    std::vector<std::uint8_t> file;
    if (!ReadFileBytes(path, file, kMaxFileSize) || file.empty())
        return FileUnreadable;
    ENHMETAHEADER header{};
    if (file.size() < 88)
        return HeaderDamaged;
    std::memcpy(&header, file.data(), 88);
    if (header.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE || header.nBytes < 88)
        return HeaderDamaged;
    if (header.nBytes > file.size())
        return Truncated;
    // The player walks every record to the header's size: it is given the records up to the end
    // record, and the header says so.
    const size_t playable = metafile::CheckEnhancedMetafile(file.data(), header.nBytes);
    if (playable == 0)
        return NotPlayable;
    if (playable != header.nBytes) {
        header.nBytes = static_cast<DWORD>(playable);
        std::memcpy(file.data() + offsetof(ENHMETAHEADER, nBytes), &header.nBytes, sizeof(header.nBytes));
    }
    enhMetaFile_ = ::SetEnhMetaFileBits(static_cast<UINT>(playable), file.data());
    if (!enhMetaFile_)
        return NotPlayable;

    // The frame (hundredths of a millimetre) is what the player maps onto the target rectangle, so
    // the picture's proportions are the frame's; the bounds of the ink may be narrower or wider.
    const RECTL& f = header.rclFrame;
    if (f.right != f.left && f.bottom != f.top) {
        const bool reference = header.szlMillimeters.cx > 0 && header.szlMillimeters.cy > 0 &&
                               header.szlDevice.cx > 0 && header.szlDevice.cy > 0;
        const int pixelsX = reference ? header.szlDevice.cx : 96, perX = reference ? header.szlMillimeters.cx * 100 : 2540;
        const int pixelsY = reference ? header.szlDevice.cy : 96, perY = reference ? header.szlMillimeters.cy * 100 : 2540;
        frame_ = RECT{::MulDiv(f.left, pixelsX, perX), ::MulDiv(f.top, pixelsY, perY), ::MulDiv(f.right, pixelsX, perX),
                      ::MulDiv(f.bottom, pixelsY, perY)};
    }
    if (frame_.right == frame_.left || frame_.bottom == frame_.top) {
        const RECTL& b = header.rclBounds;
        frame_ = RECT{b.left, b.top, b.right + 1, b.bottom + 1};
    }
    if (frame_.right <= frame_.left || frame_.bottom <= frame_.top) {
        Clear();
        return NotPlayable;
    }
    return Loaded;
}

int WMF::GetWidth() const
{
    return IsLoaded() ? std::abs(frame_.right - frame_.left) : 0;
}

int WMF::GetHeight() const
{
    return IsLoaded() ? std::abs(frame_.bottom - frame_.top) : 0;
}

void WMF::Draw(HDC dc, const RECT& rect) const
{
    if (rect.right == rect.left || rect.bottom == rect.top)
        return;
    if (enhMetaFile_) {
        PlayEnhancedWithinReach(dc, enhMetaFile_, rect);
        return;
    }
    if (!metaFile_)
        return;
    // The metafile's own window is mapped onto the rectangle. It is set here from the frame first,
    // since a plain metafile may not set it; one that does overrides it with the same values.
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::LPtoDP(dc, corners, 2);
    const int saved = ::SaveDC(dc);
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowOrgEx(dc, frame_.left, frame_.top, nullptr);
    ::SetWindowExtEx(dc, frame_.right - frame_.left, frame_.bottom - frame_.top, nullptr);
    ::SetViewportOrgEx(dc, corners[0].x, corners[0].y, nullptr);
    ::SetViewportExtEx(dc, corners[1].x - corners[0].x, corners[1].y - corners[0].y, nullptr);
    ::PlayMetaFile(dc, metaFile_);
    ::RestoreDC(dc, saved);
}
