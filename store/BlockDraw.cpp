// Drawing a block on the key grid: its fill, picture, caption band, text and frame, its outline, and
// the command view.
#include "store/Block.h"
#include "framework/Gdi.h"
#include "library/Dib.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kLightGrey = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kGrey = RGB(0x7F, 0x7F, 0x7F);
// Variable pitch, Swiss family: every font of a block asks for it, the command view's too.
const BYTE kPitchAndFamily = 34;

HFONT MakeFont(int height, int weight, bool italic, const std::string& face, int farEast)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = static_cast<BYTE>(farEast ? SHIFTJIS_CHARSET : ANSI_CHARSET);
    font.lfPitchAndFamily = kPitchAndFamily;
    ::lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return ::CreateFontIndirectA(&font);
}

// The four sides of the rectangle, its right and bottom edges included.
void Outline(HDC dc, const RECT& r)
{
    const POINT corners[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
    ::Polyline(dc, corners, 5);
}

// The text's size as DrawText lays it out in the box with these flags.
RECT Measure(HDC dc, const std::string& text, RECT box, UINT format)
{
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    return box;
}

// Takes the left and top edge pixels off the region: a pixel stays where the one up and left of it
// lies in the region too.
void LeaveTopLeftEdges(HRGN region)
{
    fw::Region shifted(::CreateRectRgn(0, 0, 0, 0));
    if (!shifted || ::CombineRgn(shifted, region, nullptr, RGN_COPY) == ERROR)
        return;
    ::OffsetRgn(shifted, 1, 1);
    ::CombineRgn(region, region, shifted, RGN_AND);
}

} // namespace

RECT Block::DrawnRect(size_t i, const RECT* cells, const POINT* offset) const
{
    // Each range stops a pixel short on the right; all but the last reach their full bottom, so that
    // a range meets the one below it without a gap.
    RECT r = FullRect(cells_[i], cells);
    r.right -= 1;
    if (i + 1 == cells_.size())
        r.bottom -= 1;
    if (offset)
        ::OffsetRect(&r, offset->x, offset->y);
    return r;
}

HRGN Block::BuildRegion(const RECT* cells, const POINT* offset) const
{
    HRGN region = nullptr;
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (!IsValidRange(cells_[i]))
            continue;
        const RECT r = DrawnRect(i, cells, offset);
        HRGN part;
        if (roundFrame_) {
            const int corner = fw::Width(r) / 8;
            const int grow = i == 0 ? 1 : 0;
            part = ::CreateRoundRectRgn(r.left, r.top, r.right + grow, r.bottom + grow, corner, corner);
        } else {
            part = ::CreateRectRgnIndirect(&r);
        }
        if (!part)
            continue;
        if (!region) {
            region = part;
        } else {
            ::CombineRgn(region, region, part, RGN_OR);
            ::DeleteObject(part);
        }
    }
    return region;
}

void Block::Draw(HDC dc, const RECT* cells, int cellHeightMm, const std::string& defaultFont, int farEast,
                 int printing, int outlineOnly, const POINT* offset) const
{
    // The picture and the text are placed in the last range of the list.
    int last = -1;
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (IsValidRange(cells_[i]))
            last = static_cast<int>(i);
    }
    if (last < 0)
        return;
    fw::SavedDC saved(dc);
    const float scale = Scale(cells, cellHeightMm);

    fw::Brush brush;
    if (!printing && selected_)
        brush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION)));
    else if (cover_)
        brush.Reset(::CreateSolidBrush(backColor_));
    else if (!printing || outlineOnly)
        brush.Reset(::CreateSolidBrush(kWhite));
    const bool fill = (!printing && (!transparent_ || selected_)) || (printing && cover_ && !transparent_);
    {
        fw::Region region(BuildRegion(cells, offset));
        // On paper the grid lines go first, and the lines on a block's left and top edges lie on its
        // first column and row of pixels: the fill leaves them, as it leaves those on its right and
        // bottom edges.
        if (printing && region)
            LeaveTopLeftEdges(region);
        if (fill && region && brush)
            ::FillRgn(dc, region, brush);
    }

    const RECT box = DrawnRect(static_cast<size_t>(last), cells, offset);
    // On paper the picture stays inside the grid lines on the box's left and top edges, which lie on
    // its first column and row, as the fill does.
    RECT pictureBox = box;
    if (printing) {
        pictureBox.left += 1;
        pictureBox.top += 1;
    }
    if (HasPicture() && !::IsRectEmpty(&pictureBox))
        DrawPicture(dc, pictureBox, farEast);
    if (!text_.empty() && (!libraryPicture_ || !fontName_.empty()))
        DrawBlockText(dc, box, scale, defaultFont, farEast, printing);

    if (frameWidth_ != 0) {
        const int width = frameWidth_ == 1 ? 1 : std::max(1, static_cast<int>(frameWidth_ * scale));
        DrawFrame(dc, cells, dimmed_ ? kGrey : frameColor_, width, printing, outlineOnly, offset);
    } else if (!dimmed_ && !printing) {
        DrawFrame(dc, cells, kBlack, 1, printing, outlineOnly, offset);
    }
}

void Block::DrawPicture(HDC dc, const RECT& box, int farEast) const
{
    const int boxWidth = fw::Width(box);
    const int boxHeight = fw::Height(box);
    const double pictureWidth = std::abs(fw::Width(pictureSize_));
    const double pictureHeight = std::abs(fw::Height(pictureSize_));
    if (boxWidth <= 0 || boxHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return;

    // The picture keeps its proportions and is centred in the box.
    const double boxRatio = static_cast<double>(boxWidth) / boxHeight;
    const double pictureRatio = pictureWidth / pictureHeight;
    int width = boxWidth;
    int height = boxHeight;
    if (boxRatio < pictureRatio)
        height = std::abs(static_cast<int>(boxWidth / pictureRatio));
    else if (boxRatio > pictureRatio)
        width = std::abs(static_cast<int>(pictureRatio * boxHeight));
    RECT placed;
    placed.left = box.left + (boxWidth - width) / 2;
    placed.top = box.top + (boxHeight - height) / 2;
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;

    if (metafile_ && metafile_->IsLoaded()) {
        metafile_->Draw(dc, placed);
    } else {
        const RECT source{0, 0, DibWidth(dib_), DibHeight(dib_)};
        PaintDib(dc, placed, dib_, source, palette_.Get());
    }

    if (!libraryPicture_)
        return;
    // A library picture shows its word in a band over its top.
    RECT band{placed.left, placed.top, placed.right - 5, placed.top + static_cast<int>(height * 0.15)};
    fw::Brush bandBrush(::CreateSolidBrush(dimmed_ ? kGrey : kBlack));
    ::FillRect(dc, &band, bandBrush);
    if (text_.empty() || !fontName_.empty())
        return;
    const int characterHeight = text_.size() > 20 ? static_cast<int>(width / 20.0 * 1.5)
                                                  : static_cast<int>(width / 15.0 * 1.6);
    fw::Font font(MakeFont(-characterHeight, FW_NORMAL, false, "Arial", farEast));
    fw::SelectObjectGuard selectFont(dc, font);
    ::SetTextColor(dc, kWhite);
    ::SetBkMode(dc, TRANSPARENT);
    const UINT align = ::SetTextAlign(dc, TA_CENTER | TA_TOP);
    ::ExtTextOutA(dc, placed.left + width / 2, placed.top + 1, ETO_CLIPPED, &placed, text_.c_str(),
                  static_cast<UINT>(text_.size()), nullptr);
    ::SetTextAlign(dc, align);
}

void Block::DrawBlockText(HDC dc, const RECT& box, float scale, const std::string& defaultFont, int farEast,
                     int printing) const
{
    const int boxWidth = fw::Width(box);
    const int boxHeight = fw::Height(box);
    if (boxWidth <= 0 || boxHeight <= 0)
        return;
    const UINT format = DT_WORDBREAK | DT_NOPREFIX | (centred_ ? DT_CENTER : 0);

    fw::Font font;
    if (!fontName_.empty()) {
        const bool bold = fontStyle_ == kBold || fontStyle_ == kBoldItalic;
        const bool italic = fontStyle_ == kItalic || fontStyle_ == kBoldItalic;
        font.Reset(MakeFont(static_cast<int>(fontSize_ * scale), bold ? FW_BOLD : FW_NORMAL, italic, fontName_, farEast));
    } else if (text_.size() == 1 && picturePath_.empty()) {
        font.Reset(MakeFont(boxHeight / 2, FW_NORMAL, false, defaultFont, farEast));
    } else {
        // The automatic font starts at two fifteenths of the button's width and shrinks until the
        // text fits, or it is down to 6 pixels.
        int height = static_cast<int>(2 * (boxWidth / 15.0));
        RECT inset = box;
        ::InflateRect(&inset, -frameWidth_, -frameWidth_);
        for (;;) {
            font.Reset(MakeFont(height, FW_NORMAL, false, defaultFont, farEast));
            fw::SelectObjectGuard measuring(dc, font);
            const RECT measured = Measure(dc, text_, inset, format);
            if ((fw::Width(measured) <= boxWidth && fw::Height(measured) <= boxHeight) || height <= 6)
                break;
            height -= 2;
        }
    }
    fw::SelectObjectGuard selectFont(dc, font);

    ::SetTextColor(dc, dimmed_ ? kLightGrey : textColor_);
    if (!printing && selected_)
        ::SetBkColor(dc, ::GetSysColor(COLOR_ACTIVECAPTION));
    else if (!transparent_)
        ::SetBkColor(dc, backColor_);
    ::SetBkMode(dc, transparent_ || (cover_ && picturePath_.empty()) ? TRANSPARENT : OPAQUE);

    // Lines as the one-line width needs them; a text with line breaks or long words is measured again.
    SIZE single{};
    ::GetTextExtentPoint32A(dc, text_.c_str(), static_cast<int>(text_.size()), &single);
    const int lines = std::max(1, static_cast<int>(std::ceil(static_cast<double>(single.cx) / boxWidth)));
    const int textHeight = single.cy * lines;
    int y;
    switch (textPosition_) {
    case kTop:
        y = frameWidth_ + 2;
        break;
    case kBottom:
        y = boxHeight - textHeight - 2 - frameWidth_;
        break;
    default:
        y = (boxHeight - textHeight) / 2;
        break;
    }
    if (y < 0)
        y = frameWidth_ + 2;
    RECT textBox{box.left + frameWidth_, box.top + y, box.right - frameWidth_, box.top + y + textHeight};
    const int measured = fw::Height(Measure(dc, text_, textBox, format));
    if (measured > textHeight && measured <= boxHeight) {
        switch (textPosition_) {
        case kTop:
            y = 2;
            break;
        case kBottom:
            y = boxHeight - measured;
            break;
        default:
            y = (boxHeight - measured) / 2;
            break;
        }
        textBox.top = box.top + y;
        textBox.bottom = textBox.top + measured;
    }
    ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &textBox, format);
}

void Block::DrawFrame(HDC dc, const RECT* cells, COLORREF color, int width, int printing, int outlineOnly,
                      const POINT* offset) const
{
    if (frameWidth_ != 0 && !outlineOnly) {
        fw::Region region(BuildRegion(cells, offset));
        fw::Brush brush(::CreateSolidBrush(color));
        if (region && brush)
            ::FrameRgn(dc, region, brush, width, width);
        return;
    }

    // The dotted outline of each range; on screen a solid line in the window colour goes first, so
    // that a frame drawn before is wiped away.
    fw::SavedDC saved(dc);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, OPAQUE);
    fw::Pen wipe(::CreatePen(PS_SOLID, width, ::GetSysColor(COLOR_WINDOW)));
    fw::Pen dotted(::CreatePen(PS_DOT, 1, kBlack));
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (!IsValidRange(cells_[i]))
            continue;
        const RECT r = DrawnRect(i, cells, offset);
        if (!printing) {
            RECT inner = r;
            ::InflateRect(&inner, -(width / 2), -(width / 2));
            fw::SelectObjectGuard selectWipe(dc, wipe);
            Outline(dc, inner);
        }
        fw::SelectObjectGuard selectDotted(dc, dotted);
        Outline(dc, r);
    }
    if (cells_.size() > 1)
        DrawSeams(dc, cells, outlineOnly, offset);
}

// Where one range sits on another, the outlines of both run along the seam: paint it over in the
// block's own colour so the block reads as one.
void Block::DrawSeams(HDC dc, const RECT* cells, int outlineOnly, const POINT* offset) const
{
    fw::Pen pen;
    if (selected_) {
        pen.Reset(outlineOnly ? ::CreatePen(PS_SOLID, 1, kLightGrey)
                              : ::CreatePen(PS_SOLID, frameWidth_, ::GetSysColor(COLOR_ACTIVECAPTION)));
    } else {
        pen.Reset(transparent_ ? ::CreatePen(PS_SOLID, 1, kLightGrey) : ::CreatePen(PS_SOLID, frameWidth_, backColor_));
    }
    fw::SelectObjectGuard selectPen(dc, pen);
    for (size_t u = 0; u < cells_.size(); ++u) {
        const RECT& upper = cells_[u];
        if (!IsValidRange(upper))
            continue;
        for (size_t l = 0; l < cells_.size(); ++l) {
            const RECT& lower = cells_[l];
            if (l == u || !IsValidRange(lower) || lower.top != upper.bottom + 1)
                continue;
            const LONG left = std::max(upper.left, lower.left);
            const LONG right = std::min(upper.right, lower.right);
            if (left > right)
                continue;
            RECT seam = FullRect(RECT{left, lower.top, right, lower.top}, cells);
            seam.right -= 1;
            if (u + 1 == cells_.size())
                seam.bottom -= 1;
            if (offset)
                ::OffsetRect(&seam, offset->x, offset->y);
            ::MoveToEx(dc, seam.left + 1, seam.top, nullptr);
            ::LineTo(dc, seam.right - 1, seam.top);
        }
    }
}

void Block::DrawCommand(HDC dc, const RECT* cells, int farEast) const
{
    if (cells_.empty())
        return;
    fw::SavedDC saved(dc);
    const COLORREF background = selected_ ? ::GetSysColor(COLOR_ACTIVECAPTION) : kWhite;
    {
        fw::Brush brush(::CreateSolidBrush(background));
        for (const RECT& range : cells_) {
            if (!IsValidRange(range))
                continue;
            const RECT r = FullRect(range, cells);
            ::FillRect(dc, &r, brush);
        }
    }

    // The command goes in the range where the block widens last.
    size_t index = 0;
    for (size_t i = 0; i + 1 < cells_.size(); ++i) {
        if (cells_[i + 1].right - cells_[i + 1].left > cells_[i].right - cells_[i].left)
            index = i + 1;
    }
    if (!IsValidRange(cells_[index]) || command_.empty()) {
        DrawFrame(dc, cells, kBlack, 1, 0, 0, nullptr);
        return;
    }
    RECT r = FullRect(cells_[index], cells);

    const int fontHeight = static_cast<int>(2 * ((cells[0].right - cells[0].left) / 7.0));
    fw::Font font(MakeFont(fontHeight, FW_NORMAL, false, "Courier New", farEast));
    {
        fw::SelectObjectGuard selectFont(dc, font);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        // Long commands wrap at whole characters; a box narrower than one character still shows one a line.
        const int perLine =
            std::max(1, metrics.tmAveCharWidth > 0 ? fw::Width(r) / static_cast<int>(metrics.tmAveCharWidth) : 1);
        const size_t length = command_.size();
        const int lines = static_cast<int>((length + static_cast<size_t>(perLine) - 1) / static_cast<size_t>(perLine));
        ::SetTextColor(dc, kBlack);
        ::SetBkColor(dc, selected_ ? ::GetSysColor(COLOR_ACTIVECAPTION) : ::GetSysColor(COLOR_WINDOW));
        if (lines == 1) {
            ::SetTextAlign(dc, TA_CENTER | TA_TOP);
            ::ExtTextOutA(dc, r.left + fw::Width(r) / 2, r.top + (fw::Height(r) - fontHeight) / 2, ETO_CLIPPED, &r,
                          command_.c_str(), static_cast<UINT>(length), nullptr);
        } else {
            ::SetTextAlign(dc, TA_LEFT | TA_TOP);
            const int lineHeight = metrics.tmHeight;
            int y = r.top + (fw::Height(r) - lineHeight * lines) / 2;
            for (size_t start = 0; start < length; start += static_cast<size_t>(perLine), y += lineHeight) {
                const size_t count = std::min(static_cast<size_t>(perLine), length - start);
                ::ExtTextOutA(dc, r.left + 2, y, ETO_CLIPPED, &r, command_.c_str() + start, static_cast<UINT>(count),
                              nullptr);
            }
        }
    }
    DrawFrame(dc, cells, kBlack, 1, 0, 0, nullptr);
}
