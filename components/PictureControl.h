// The picture control: decodes a picture file (BMP, GIF, PNG, JPEG, TIFF, ICO, PCX) into memory,
// reports and changes its size, pastes, crops and saves it, hands out copies as packed DIBs, and
// shows it in a child window on a background colour.
#pragma once
#include "components/PixelImage.h"
#include <windows.h>
#include <string>

// The file types the control saves, numbered as its callers name them.
enum class PictureFileType { Bmp = 5, Jpeg = 8 };

// Receives the mouse events of the control's window. Buttons: 1 left, 2 right, 4 middle (several
// at once while moving); shift state: 1 Shift, 2 Ctrl, 4 Alt; x and y in the window's pixels.
class PictureEvents {
public:
    virtual ~PictureEvents() = default;
    virtual void OnClick() {}
    virtual void OnDblClick() {}
    virtual void OnMouseDown(short button, short shift, int x, int y) {}
    virtual void OnMouseMove(short button, short shift, int x, int y) {}
    virtual void OnMouseUp(short button, short shift, int x, int y) {}
};

// Holds one picture. A control without a window is a decoder only. Callers share a control by a
// counted reference (std::shared_ptr); its window goes with the control or with its parent.
class PictureControl {
public:
    PictureControl();
    ~PictureControl();
    PictureControl(const PictureControl&) = delete;
    PictureControl& operator=(const PictureControl&) = delete;

    // Whether the system's codecs can be started in this process; without them no control works.
    static bool Available();

    // The preview window, a child of parent at rect (parent's client co-ordinates).
    bool CreateView(HWND parent, int id, const RECT& rect);
    void DestroyView();
    HWND View() const { return view_; }
    // Null stops the events.
    void SetEvents(PictureEvents* events) { events_ = events; }

    // The colour around the picture in the window, and under the transparent parts of a picture
    // loaded or pasted after it is set. White until set.
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF color);

    // Decodes the file at once; an empty name clears the control (and succeeds). False (and no
    // picture) when the file cannot be read or decoded.
    bool SetFileName(const std::string& path);
    const std::string& FileName() const { return fileName_; }
    void Clear();
    bool HasPicture() const { return !picture_.IsEmpty(); }
    int Width() const { return picture_.Width(); }
    int Height() const { return picture_.Height(); }

    // Resamples the picture to that size; Undo brings back the one before.
    bool Resize(int width, int height);
    // Crops to a rectangle in picture pixels (clipped to the picture); Undo brings back the one before.
    bool Crop(const RECT& area);
    // Back to the picture before the last Resize or Crop; false when there is none.
    bool Undo();

    // The dimming value: 0 shows the picture as it is, 100 faded toward white (a dimmed block).
    // It changes what is shown and copied out, never the picture held.
    int Dimming() const { return dimming_; }
    void SetDimming(int value);

    // A copy of the shown picture as a packed DIB in moveable global memory (24 bits a pixel); the
    // caller frees it with GlobalFree. Null when there is no picture or memory is short.
    HGLOBAL CopyDib() const;
    // Takes the picture on the clipboard; false (and the picture kept) when it holds none.
    bool PasteFromClipboard();
    // Takes a copy of the bitmap's picture; false (and the picture kept) when it cannot be read.
    bool SetBitmap(HBITMAP bitmap);
    // Saves the picture held (undimmed). The file is written beside the target and then moved over
    // it, so a failed save never leaves a damaged file behind.
    bool SaveFile(const std::string& path, PictureFileType type, int jpegQuality = 90) const;
    // Draws the shown picture stretched into the rectangle.
    void Draw(HDC dc, const RECT& rect) const;

private:
    static LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintView(HDC dc);
    void Take(PixelImage& picture, bool keepUndo);

    PixelImage picture_;
    PixelImage undo_;
    std::string fileName_;
    COLORREF backColor_ = RGB(255, 255, 255);
    int dimming_ = 0;
    HWND view_ = nullptr;
    PictureEvents* events_ = nullptr;
};
