// One block (button) of an overlay: the key-grid cells it covers, its command, and its printed look
// with the picture loaded for it; it draws itself on the editor's grid, its bitmap and the printer.
#pragma once
#include "components/PictureControl.h"
#include "framework/Gdi.h"
#include "library/Wmf.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

// A plain value record kept in the overlay's two arrays (keys and background). It owns its loaded
// picture: copies never share it, and a copy holds none until LoadPicture runs for it. Moving (as a
// growing or shrinking array does) takes the picture along.
//
// Drawing takes the key grid as an array of 128 pixel rectangles, one per cell, indexed by cell
// number (column + 16 x row), and the grid's physical cell height in millimetres.
class Block {
public:
    enum TextPosition { kMiddle = 0, kTop = 1, kBottom = 2 };
    enum FontStyle { kNormal = 0, kItalic = 1, kBold = 10, kBoldItalic = 11 };
    static constexpr int kCellCount = 128;
    static constexpr int kColumns = 16;
    static constexpr int kRows = 8;

    Block() = default;
    // Copies every stored field; the copy holds no loaded picture and is not dimmed.
    Block(const Block& other);
    Block(Block&& other) noexcept;
    // Copies the same fields as the copy constructor; the target keeps its own loaded picture and
    // dimmed flag (callers that change the picture call LoadPicture afterwards).
    Block& operator=(const Block& other);
    Block& operator=(Block&& other) noexcept;
    ~Block();

    // Every stored field back to a new block's, the picture dropped.
    void Reset();
    // The parts that an overlay file's Block line and Layout line carry, for merging two lines of one id.
    void CopyCommand(const Block& source);
    void CopyLayout(const Block& source);
    // The look the editor's define command passes on; a library picture's colours and font stay.
    void CopyAppearance(const Block& source);
    int CopyCells(const std::vector<RECT>& cells);

    // 1 when the cell (column, row) lies in one of the ranges.
    int HitTest(POINT cell) const;
    // The resize handle (fw::ResizeHandle) of a one-range block under the pixel point; fw::kNoHandle for
    // other blocks.
    int HitTestHandle(POINT point, const RECT* cells) const;
    // The point size the automatic font of a one-range block has; -1 for any other block, or when
    // the grid has no height to scale by.
    void FontSize(int& size, const RECT* cells, int cellHeightMm) const;

    // Loads the picture named by the picture path: metafiles directly, other pictures (and a dimmed
    // metafile) through the picture control. With testLibrary the library-picture flag is worked out
    // from vireda.ini in the Windows folder (the system's when windowsFolder is empty).
    void LoadPicture(const std::shared_ptr<PictureControl>& control, int dimmed, int testLibrary,
                     const std::string& windowsFolder = std::string());
    bool HasPicture() const { return dib_ != nullptr || (metafile_ && metafile_->IsLoaded()); }
    HGLOBAL GetDib() const { return dib_; }
    HPALETTE GetPalette() const { return palette_.Get(); }
    const WMF* GetMetafile() const { return metafile_.get(); }
    const RECT& GetPictureSize() const { return pictureSize_; }
    int IsDimmed() const { return dimmed_; }

    // offset: null, or a point added to every range (the printed page's origin).
    void Draw(HDC dc, const RECT* cells, int cellHeightMm, const std::string& defaultFont, int farEast,
              int printing, int outlineOnly, const POINT* offset) const;
    void DrawFrame(HDC dc, const RECT* cells, COLORREF color, int width, int printing, int outlineOnly,
                   const POINT* offset) const;
    // The block as the editor's command view shows it: its command in a fixed-pitch font.
    void DrawCommand(HDC dc, const RECT* cells, int farEast) const;
    // The region of all ranges as they are drawn, rounded with the round frame; null when no range is
    // valid. The caller deletes it.
    HRGN BuildRegion(const RECT* cells, const POINT* offset) const;

    // Points to pixels: shared by drawing and the editor's dialogs; 0 when the grid has no height.
    static float Scale(const RECT* cells, int cellHeightMm);
    // A range that lies inside the 16 x 8 grid.
    static bool IsValidRange(const RECT& range);
    // The full pixel rectangle of a range: from its top-left cell's corner to its bottom-right cell's.
    static RECT FullRect(const RECT& range, const RECT* cells);

    int id_ = -1;
    int selected_ = 0;
    std::vector<RECT> cells_;          // inclusive cell ranges: left column, top row, right column, bottom row
    std::string command_;
    int repeat_ = 0;
    std::string text_;                 // may hold CR LF line breaks
    std::string picturePath_;          // full path of the picture file
    std::string pictureCode_;          // image-base code of the picture; empty for a plain file
    int textPosition_ = kMiddle;
    int frameWidth_ = 0;               // 0 none, else 1-10
    int centred_ = 1;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF backColor_ = RGB(255, 255, 255);
    COLORREF frameColor_ = RGB(0, 0, 0);
    int cover_ = 1;                    // the background colour covers the whole button, not only the text
    int transparent_ = 0;              // no background colour at all
    int ownFont_ = 0;
    std::string fontName_;             // empty: the automatic font, sized from the button
    int fontStyle_ = kNormal;
    int fontSize_ = 0;                 // points, used only with a font name
    int roundFrame_ = 0;
    int libraryPicture_ = 0;           // a picture of the metafile library: its text goes in a caption band

private:
    void FreePicture();
    void TakePicture(Block& other);
    void CopyStoredFields(const Block& other);
    void MoveStoredFields(Block& other) noexcept;
    bool LoadDimmedMetafile(const std::string& path);
    // The pixel rectangle of range i as Draw and DrawFrame use it (the last range one pixel smaller
    // at the bottom, every range one pixel narrower), moved by the offset.
    RECT DrawnRect(size_t i, const RECT* cells, const POINT* offset) const;
    void DrawPicture(HDC dc, const RECT& box, int farEast) const;
    void DrawBlockText(HDC dc, const RECT& box, float scale, const std::string& defaultFont, int farEast,
                  int printing) const;
    void DrawSeams(HDC dc, const RECT* cells, int outlineOnly, const POINT* offset) const;

    HGLOBAL dib_ = nullptr;            // packed DIB of a picture loaded through the picture control
    fw::Palette palette_;
    std::unique_ptr<WMF> metafile_;
    RECT pictureSize_{};               // right = width, bottom = height, in the picture's own units
    int dimmed_ = 0;                   // drawn faded (the background while the keys are edited)
};
