// Copying a document item, its hit test, and drawing it where the layout put it.
#include "writer/DocItem.h"
#include "framework/Gdi.h"
#include "writer/ImageList.h"

DocItem::DocItem(const DocItem& other)
    : text_(other.text_),
      textBox_(other.textBox_),
      pictureBox_(other.pictureBox_),
      imageNumber_(other.imageNumber_),
      large_(other.large_)
{
}

DocItem& DocItem::operator=(const DocItem& other)
{
    if (this == &other)
        return *this;
    index_ = other.index_;
    text_ = other.text_;
    textBox_ = other.textBox_;
    cursorBox_ = other.cursorBox_;
    pictureBox_ = other.pictureBox_;
    page_ = other.page_;
    imageNumber_ = other.imageNumber_;
    line_ = other.line_;
    baseline_ = other.baseline_;
    large_ = other.large_;
    return *this;
}

bool DocItem::Contains(POINT point) const
{
    return point.x >= textBox_.left && point.x <= textBox_.right && point.y >= textBox_.top
           && point.y <= textBox_.bottom;
}

namespace {

void WriteAtBaseline(HDC dc, int x, int y, const std::string& text)
{
    const UINT previous = ::SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    ::SetTextAlign(dc, previous);
}

} // namespace

void DocItem::Draw(HDC dc, const ImageList* images) const
{
    if (IsPicture()) {
        if (!images)
            return;
        const CKvoraObject* object = images->Find(imageNumber_);
        if (object && object->HasPicture()) {
            object->Draw(dc, pictureBox_, 0, 1, 0);
        } else if (object && !object->label_.empty()) {
            WriteAtBaseline(dc, textBox_.left, baseline_, object->label_);
        } else {
            // Nothing to show: the place of the picture is framed, so the symbol can still be found.
            RECT frame = pictureBox_;
            ::InflateRect(&frame, -2, -2);
            fw::Brush black(::CreateSolidBrush(RGB(0, 0, 0)));
            ::FrameRect(dc, &frame, black);
        }
        return;
    }
    const char c = GetChar();
    if (c == '\n' || c == '\r' || c == '\0')
        return;
    WriteAtBaseline(dc, textBox_.left, baseline_, text_);
}
