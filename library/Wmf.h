// Metafile pictures: a placeable or plain Windows metafile, or an enhanced metafile, loaded from a
// file and played scaled into a rectangle.
#pragma once
#include <windows.h>
#include <string>

// The 22-byte header that a placeable Windows metafile puts before the metafile itself.
#pragma pack(push, 2)
struct PlaceableMetaHeader {
    DWORD key;
    WORD handle;
    SHORT left;
    SHORT top;
    SHORT right;
    SHORT bottom;
    WORD unitsPerInch;
    DWORD reserved;
    WORD checksum;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableMetaHeader) == 22, "the placeable header is 22 bytes in the file");

// Holds at most one metafile, of either kind, and deletes it when it goes. Its owner (a content
// object or a block) keeps one for its picture.
class WMF {
public:
    // Results of Load; callers treat every one but Loaded as "no picture".
    enum Result {
        Loaded = 0,
        FileUnreadable = 1,   // missing, unreadable, too short or too large
        HeaderDamaged = 2,    // the metafile header is not one
        NoMemory = 3,
        Truncated = 4,        // the file ends before the size its header gives
        NotPlayable = 5,      // a record is damaged, or the system refuses the metafile
    };

    WMF() = default;
    virtual ~WMF();
    WMF(const WMF&) = delete;
    WMF& operator=(const WMF&) = delete;

    // Loads the file, dropping what was held. The extension "emf" (any case) is read as an
    // enhanced metafile, any other as a Windows metafile, placeable or plain.
    int Load(const std::string& path);
    // Plays the held metafile into the rectangle (logical units of the context); nothing when none.
    void Draw(HDC dc, const RECT& rect) const;
    // The picture's size in its own units: the placeable header's box, else the window extent the
    // metafile sets, else the extent of what it draws; for an enhanced metafile its frame in the
    // reference device's pixels. Always positive while a metafile is held, else 0.
    int GetWidth() const;
    int GetHeight() const;
    bool IsLoaded() const { return metaFile_ != nullptr || enhMetaFile_ != nullptr; }
    HMETAFILE MetaFile() const { return metaFile_; }
    HENHMETAFILE EnhMetaFile() const { return enhMetaFile_; }
    const PlaceableMetaHeader& PlaceableHeader() const { return placeable_; }

    // Deletes the Windows metafile; Clear deletes either kind.
    void FreeMetaFile();
    void Clear();

private:
    int LoadWindows(const std::string& path);
    int LoadEnhanced(const std::string& path);
    bool MeasureDrawing();

    PlaceableMetaHeader placeable_{};
    METAHEADER header_{};
    HMETAFILE metaFile_ = nullptr;
    HENHMETAFILE enhMetaFile_ = nullptr;
    // Where the picture lies in its own co-ordinates (the window it is played through).
    RECT frame_{};
};
