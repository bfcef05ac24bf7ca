// The layout pass: items into lines and pages, soft breaks where a line wraps after a word.
#include "writer/DocumentLayout.h"
#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// A line may break after these characters.
bool IsBreakCharacter(char c)
{
    switch (c) {
    case ' ':
    case '-':
    case '\n':
    case '\r':
    case '.':
    case ',':
    case '?':
    case '!':
        return true;
    default:
        return false;
    }
}

// Where the next item goes, and the line it is on.
struct Pen {
    int x = 0;
    int y = 0;
    int page = 0;
    int line = 0;
    int lineHeight = 0;
};

class LayoutPass {
public:
    LayoutPass(std::vector<DocItem>& items, const LayoutFrame& frame, const TextMeasurer& measurer,
               const SymbolShapes& shapes)
        : items_(items), frame_(frame), measurer_(measurer), shapes_(shapes)
    {
        const SIZE space = measurer.CharExtent(' ');
        spaceWidth_ = space.cx;
        spaceHeight_ = space.cy;
        descent_ = measurer.Descent();
        pen_.x = frame.area.left;
        pen_.y = frame.area.top;
    }

    // Lays out every item; the soft breaks it makes are returned with the item they stand before.
    std::vector<std::pair<size_t, DocItem>> Run();

private:
    struct Extent {
        int width = 0;
        int height = 0;
        int pictureHeight = 0;
        bool captionOnly = false;
    };

    Extent Measure(const DocItem& item) const;
    void Place(DocItem& item, const Extent& extent);
    void RaiseLine(size_t lineStart, size_t end);
    int Baseline() const { return pen_.y + pen_.lineHeight - descent_; }
    void NewLine()
    {
        pen_.x = frame_.area.left;
        pen_.y += pen_.lineHeight + frame_.lineGap;
        ++pen_.line;
        pen_.lineHeight = 0;
    }
    void NewPage()
    {
        pen_.x = frame_.area.left;
        pen_.y = frame_.area.top;
        pen_.line = 0;
        pen_.lineHeight = 0;
        ++pen_.page;
    }

    std::vector<DocItem>& items_;
    const LayoutFrame& frame_;
    const TextMeasurer& measurer_;
    const SymbolShapes& shapes_;
    int spaceWidth_ = 0;
    int spaceHeight_ = 0;
    int descent_ = 0;
    Pen pen_;
};

LayoutPass::Extent LayoutPass::Measure(const DocItem& item) const
{
    Extent extent;
    if (item.IsPicture()) {
        const PictureExtent picture = MeasurePicture(item, frame_, measurer_, shapes_);
        extent = Extent{picture.width, picture.height, picture.pictureHeight, picture.captionOnly};
    } else if (item.IsHardBreak() || item.IsSoftBreak()) {
        extent = Extent{1, spaceHeight_, 0, false};
    } else {
        const SIZE size = measurer_.CharExtent(item.GetChar());
        extent = Extent{size.cx, size.cy, 0, false};
    }
    const int width = frame_.area.right - frame_.area.left;
    if (extent.width + frame_.gap + spaceWidth_ > width)
        extent.width = width - frame_.gap - spaceWidth_;
    return extent;
}

// A taller item raises the line: the items before it on the line move down to the new baseline.
void LayoutPass::RaiseLine(size_t lineStart, size_t end)
{
    const int baseline = Baseline();
    const int bottom = pen_.y + pen_.lineHeight;
    for (size_t k = lineStart; k < end; ++k) {
        DocItem& earlier = items_[k];
        const int shift = baseline - earlier.baseline_;
        earlier.baseline_ = baseline;
        earlier.textBox_.bottom = bottom;
        earlier.cursorBox_.bottom = baseline;
        if (earlier.IsPicture())
            ::OffsetRect(&earlier.pictureBox_, 0, shift);
    }
}

void LayoutPass::Place(DocItem& item, const Extent& extent)
{
    const int x = pen_.x;
    const int y = pen_.y;
    const int baseline = Baseline();
    item.cursorBox_ = RECT{x, y, x + frame_.gap, baseline};
    if (item.IsPicture()) {
        item.textBox_ = RECT{x + frame_.gap + 1, y, x + frame_.gap + extent.width + spaceWidth_, y + pen_.lineHeight};
        const int left = item.textBox_.left;
        item.pictureBox_ = extent.captionOnly
                               ? RECT{left, item.textBox_.top, left + extent.width, item.textBox_.bottom}
                               : RECT{left, baseline - extent.pictureHeight, left + extent.width, baseline};
    } else {
        item.textBox_ = RECT{x, y, x + extent.width, y + pen_.lineHeight};
    }
    item.baseline_ = baseline;
    item.line_ = pen_.line;
    item.page_ = pen_.page;
}

std::vector<std::pair<size_t, DocItem>> LayoutPass::Run()
{
    std::vector<std::pair<size_t, DocItem>> softBreaks;
    const size_t count = items_.size();
    const int right = frame_.area.right;
    const int wrapMargin = frame_.wrapAgainstSpace ? spaceWidth_ : frame_.gap;
    // Break points are item positions: a line may break before that item.
    const size_t none = SIZE_MAX;
    size_t breakPoint = none;
    size_t lastWrap = none;
    size_t lineStart = 0;       // the first item of the current line
    bool previousIsPicture = false;

    for (size_t i = 0; i < count;) {
        DocItem& item = items_[i];
        const char c = item.GetChar();
        const bool last = i + 1 == count;
        const Extent extent = Measure(item);
        if (i == 0)
            pen_.lineHeight = extent.height;

        if (!last && IsBreakCharacter(c))
            breakPoint = i + 1;
        else if (previousIsPicture || item.IsPicture())
            breakPoint = i;
        if (last)
            breakPoint = none;

        // Wrapping after a word goes back to the break point and puts a soft break there. A break
        // point at the start of the line would move nothing and wrap again for ever: a word longer
        // than the line breaks hard at its edge instead.
        if (pen_.x + extent.width + wrapMargin >= right && breakPoint != none && breakPoint >= 1
            && breakPoint != lastWrap && breakPoint > lineStart && !IsBreakCharacter(c)) {
            lastWrap = breakPoint;
            i = breakPoint;
            pen_.x = items_[i - 1].textBox_.right;
            DocItem softBreak('\r');
            const Extent breakExtent{spaceWidth_, spaceHeight_, 0, false};
            Place(softBreak, breakExtent);
            softBreaks.emplace_back(i, std::move(softBreak));
            breakPoint = i; // a line may break after the soft break, that is before item i
            previousIsPicture = false;
            NewLine();
            lineStart = i;
            continue;
        }
        if (pen_.x + extent.width + wrapMargin > right) {
            NewLine();
            lineStart = i;
        }
        if (pen_.y + extent.height > frame_.area.bottom) {
            NewPage();
            lineStart = i;
        }
        if (extent.height > pen_.lineHeight) {
            pen_.lineHeight = extent.height;
            RaiseLine(lineStart, i);
        }
        Place(item, extent);

        if (item.IsHardBreak()) {
            NewLine();
            lineStart = i + 1;
        } else if (item.IsPicture()) {
            pen_.x += (item.textBox_.right - item.textBox_.left) + frame_.pictureGap;
        } else {
            pen_.x += extent.width;
        }
        previousIsPicture = item.IsPicture();
        ++i;
    }
    return softBreaks;
}

// The item the caret is kept on: the caret's own item, or, for one without an index (new since the
// last pass, or a soft break), the nearest item before it that has one.
struct CaretAnchor {
    int index = -1;
    bool stepped = false;
};

CaretAnchor AnchorOf(const std::vector<DocItem>& items, int caret)
{
    CaretAnchor anchor;
    if (items.empty())
        return anchor;
    int k = std::max(0, std::min(caret, static_cast<int>(items.size()) - 1));
    while (k > 0 && items[k].index_ == -1) {
        --k;
        anchor.stepped = true;
    }
    anchor.index = items[k].index_;
    return anchor;
}

// Puts each soft break before the item it stands before, moving the items up from the back.
void InsertSoftBreaks(std::vector<DocItem>& items, std::vector<std::pair<size_t, DocItem>>& softBreaks)
{
    if (softBreaks.empty())
        return;
    const size_t count = items.size();
    items.resize(count + softBreaks.size());
    size_t to = items.size();
    size_t breaks = softBreaks.size();
    // Once every soft break is in, the items before the first stand where they were.
    for (size_t from = count; breaks > 0 && from-- > 0;) {
        items[--to] = std::move(items[from]);
        while (breaks > 0 && softBreaks[breaks - 1].first == from)
            items[--to] = std::move(softBreaks[--breaks].second);
    }
}

} // namespace

PictureExtent MeasurePicture(const DocItem& item, const LayoutFrame& frame, const TextMeasurer& measurer,
                             const SymbolShapes& shapes)
{
    PictureExtent extent;
    extent.width = extent.height = extent.pictureHeight = frame.pictureSize;
    const SymbolShape shape = shapes ? shapes(item.imageNumber_) : SymbolShape();
    if (!shape.known)
        return extent;
    if (!shape.hasPicture) {
        if (!shape.caption.empty()) {
            const SIZE caption = measurer.Extent(shape.caption);
            extent.width = caption.cx;
            extent.height = extent.pictureHeight = caption.cy;
            extent.captionOnly = true;
        }
        return extent;
    }
    int w = frame.pictureSize;
    int h = frame.pictureSize;
    if (item.large_ && frame.largeAllowed)
        w = h = frame.largePictureSize;
    // Without a caption the box takes the picture's proportions; the division is exact, so a 4:3
    // picture 100 wide is 75 high on every build.
    const std::int64_t pw = shape.picture.cx;
    const std::int64_t ph = shape.picture.cy;
    if (shape.caption.empty() && pw > 0 && ph > 0) {
        if (pw > ph)
            h = static_cast<int>(w * ph / pw);
        else if (pw < ph)
            w = static_cast<int>(h * pw / ph);
    }
    extent.width = w;
    extent.pictureHeight = h;
    extent.height = h + measurer.Descent();
    return extent;
}

LayoutResult LayOutItems(std::vector<DocItem>& items, int caret, const LayoutFrame& frame,
                         const TextMeasurer& measurer, const SymbolShapes& shapes)
{
    const CaretAnchor anchor = AnchorOf(items, caret);

    // The soft breaks of the last pass go (the final item is never one), and the new ones go in, in
    // place: a keystroke in a long document then moves its items and allocates nothing.
    items.erase(std::remove_if(items.begin(), items.end(), [](const DocItem& item) { return item.IsSoftBreak(); }),
                items.end());
    std::vector<std::pair<size_t, DocItem>> softBreaks = LayoutPass(items, frame, measurer, shapes).Run();
    InsertSoftBreaks(items, softBreaks);

    LayoutResult result;
    result.caret = std::max(0, std::min(caret, static_cast<int>(items.size()) - 1));
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].IsSoftBreak() && items[i].index_ == anchor.index) {
            result.caret = static_cast<int>(i);
            // The caret stood after the anchor: on the first item after it that is no soft break.
            if (anchor.stepped) {
                ++result.caret;
                while (static_cast<size_t>(result.caret) + 1 < items.size() && items[result.caret].IsSoftBreak())
                    ++result.caret;
            }
            break;
        }
    }
    int index = 0;
    for (DocItem& item : items)
        item.index_ = item.IsSoftBreak() ? -1 : index++;
    result.caret = std::max(0, std::min(result.caret, static_cast<int>(items.size()) - 1));
    result.lastPage = items.empty() ? 0 : items.back().page_;
    return result;
}
