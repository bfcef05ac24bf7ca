// The document's edits: adding and deleting items, the caret and page keys, negation and large
// pictures, clicks, and the layout they end with.
#include "writer/DocumentModel.h"
#include "library/Cp1252.h"
#include "framework/Gdi.h"
#include <algorithm>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

DocumentChange RepaintAll()
{
    DocumentChange change;
    change.repaint = DocumentChange::Repaint::All;
    change.pageRange = true;
    return change;
}

} // namespace

void DocumentModel::Clear()
{
    items_.clear();
    images_.Clear();
    printItems_.clear();
    caret_ = 0;
    currentPage_ = 0;
    modified_ = 0;
    items_.emplace_back('\n');
    Layout();
    TakeSnapshot();
}

SymbolShapes DocumentModel::Shapes() const
{
    return [this](int imageNumber) {
        SymbolShape shape;
        const CKvoraObject* object = images_.Find(imageNumber);
        if (!object)
            return shape;
        shape.known = true;
        shape.hasPicture = object->HasPicture() != 0;
        shape.caption = object->label_;
        shape.picture = SIZE{object->pictureSize_.right - object->pictureSize_.left,
                             object->pictureSize_.bottom - object->pictureSize_.top};
        return shape;
    };
}

void DocumentModel::Layout()
{
    const LayoutResult result = LayOutItems(items_, caret_, screenFrame_, host_.ScreenMeasurer(), Shapes());
    caret_ = result.caret;
    lastPage_ = result.lastPage;
    LayOutPrintItems();
}

void DocumentModel::LayOutPrintItems()
{
    printItems_.clear();
    lastPrintPage_ = 0;
    const TextMeasurer* measurer = host_.PrintMeasurer();
    if (!measurer || printFrame_.pictureSize <= 0 || ::IsRectEmpty(&printFrame_.area))
        return;
    printItems_.reserve(items_.size());
    for (size_t i = 0; i + 1 < items_.size(); ++i) {
        if (!items_[i].IsSoftBreak())
            printItems_.push_back(items_[i]);
    }
    if (printItems_.empty())
        return;
    lastPrintPage_ = LayOutItems(printItems_, 0, printFrame_, *measurer, Shapes()).lastPage;
}

void DocumentModel::ReloadPictures()
{
    for (size_t k = 0; k < images_.Size(); ++k)
        host_.LoadPicture(images_[k]);
}

void DocumentModel::TakeSnapshot()
{
    const DocItem& item = items_[caret_];
    snapshot_ = Snapshot{fw::Height(item.textBox_), item.line_, currentPage_, DrawnOnPage(currentPage_), PageEndMarkerY()};
}

bool DocumentModel::Drawn::operator==(const Drawn& other) const
{
    return character == other.character && imageNumber == other.imageNumber &&
           ::EqualRect(&textBox, &other.textBox) && ::EqualRect(&pictureBox, &other.pictureBox) &&
           baseline == other.baseline;
}

// Line breaks draw nothing, nor does the final item.
std::vector<DocumentModel::Drawn> DocumentModel::DrawnOnPage(int page) const
{
    std::vector<Drawn> drawn;
    const auto range = ItemsOfPage(items_, page);
    const size_t end = std::min(range.second, FinalIndex());
    for (size_t k = range.first; k < end; ++k) {
        const DocItem& item = items_[k];
        if (!item.IsHardBreak() && !item.IsSoftBreak())
            drawn.push_back(Drawn{item.GetChar(), item.imageNumber_, item.textBox_, item.pictureBox_, item.baseline_});
    }
    return drawn;
}

namespace {

// Adds the band [top, bottom), merging it with the bands it meets.
void AddRow(std::vector<std::pair<int, int>>& rows, int top, int bottom)
{
    if (bottom <= top)
        return;
    for (auto row = rows.begin(); row != rows.end();) {
        if (row->first <= bottom && top <= row->second) {
            top = std::min(top, row->first);
            bottom = std::max(bottom, row->second);
            row = rows.erase(row);
        } else {
            ++row;
        }
    }
    rows.emplace_back(top, bottom);
}

} // namespace

// An edit changes the items from one place on: the items before it, and those after the change
// that are drawn where they were, keep their pixels. Each item is drawn within its line's band, so
// the bands of the changed items, old and new, and the page-end marker's rows when it moved, are all
// that a whole repaint would draw differently.
DocumentChange DocumentModel::Bounded(DocumentChange change) const
{
    if (change.repaint != DocumentChange::Repaint::All || currentPage_ != snapshot_.page)
        return change;
    const std::vector<Drawn>& before = snapshot_.drawn;
    const std::vector<Drawn> after = DrawnOnPage(currentPage_);
    const size_t shorter = std::min(before.size(), after.size());
    size_t head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    change.repaint = DocumentChange::Repaint::Rows;
    change.rows.clear();
    for (size_t k = head; k + tail < before.size(); ++k)
        AddRow(change.rows, before[k].textBox.top, before[k].textBox.bottom);
    for (size_t k = head; k + tail < after.size(); ++k)
        AddRow(change.rows, after[k].textBox.top, after[k].textBox.bottom);
    const int marker = PageEndMarkerY();
    if (marker != snapshot_.pageEndMarker) {
        for (int y : {snapshot_.pageEndMarker, marker}) {
            if (y >= 0)
                AddRow(change.rows, y, y + 1);
        }
    }
    std::sort(change.rows.begin(), change.rows.end());
    return change;
}

void DocumentModel::SkipSoftBreak()
{
    while (static_cast<size_t>(caret_) < FinalIndex() && items_[caret_].IsSoftBreak())
        ++caret_;
}

int DocumentModel::PageOf(int index) const
{
    return items_[std::max(0, std::min(index, static_cast<int>(FinalIndex())))].page_;
}

// Typing at the end repaints only the new item while its line stays as it was; everything else
// repaints the page.
DocumentChange DocumentModel::RepaintAfterInsertion() const
{
    DocumentChange change = RepaintAll();
    if (static_cast<size_t>(caret_) != FinalIndex() || currentPage_ != snapshot_.page)
        return change;
    const DocItem& final = items_[caret_];
    const bool keptLine = final.line_ == snapshot_.line;
    if (keptLine && fw::Height(final.textBox_) != snapshot_.height)
        return change;
    if (!keptLine) {
        const auto page = ItemsOfPage(items_, currentPage_);
        for (size_t k = page.first; k < page.second; ++k) {
            if (items_[k].line_ == snapshot_.line && items_[k].IsSoftBreak())
                return change;
        }
    }
    change.repaint = DocumentChange::Repaint::Box;
    change.box = items_[caret_ - 1].textBox_;
    return change;
}

// After an item was inserted and the caret moved past it.
DocumentChange DocumentModel::Inserted()
{
    SkipSoftBreak();
    ShowCaretPage();
    modified_ = 1;
    return Bounded(RepaintAfterInsertion());
}

DocumentChange DocumentModel::InsertChar(char character)
{
    // Ctrl+letter arrives as a control code, and AltGr reports Ctrl as down: both are refused.
    if (host_.IsControlDown() && !IsAsciiLetter(character))
        return DocumentChange();
    // A carriage return typed as a character (an on-screen keyboard's Enter, Alt+0013) is the line
    // break the user meant: as an item it would be a soft break, which the layout removes again and
    // the caret would stand past the final item. Every other control character (Shift+Backspace,
    // Shift+Tab, Shift+Esc) is no text: it would be saved unseen.
    if (character == '\r')
        character = '\n';
    if (cp1252::IsControl(character) && character != '\n')
        return DocumentChange();
    host_.StopAllPlayback();
    TakeSnapshot();
    items_.insert(items_.begin() + caret_, DocItem(character));
    host_.SpeakAfterChar();
    if (character == '\n') {
        ++caret_;
        Layout();
    } else {
        Layout();
        ++caret_;
    }
    return Inserted();
}

DocumentChange DocumentModel::InsertObject(const CKvoraObject& object)
{
    host_.StopAllPlayback();
    TakeSnapshot();
    const int id = images_.LowestFreeId();
    CKvoraObject& added = images_.Insert(object, id);
    added.shown_ = 1;
    added.delimiter_ = '@'; // whatever prefix typed it, the document holds and writes it with '@'
    host_.LoadPicture(added);
    items_.insert(items_.begin() + caret_, DocItem(id));
    Layout();
    SkipSoftBreak();
    host_.PlaySymbolAt(caret_);
    ++caret_;
    return Inserted();
}

DocumentChange DocumentModel::InsertText(const std::string& text)
{
    if (text.empty())
        return DocumentChange();
    TakeSnapshot();
    std::vector<DocItem> added;
    for (char c : text)
        added.emplace_back(c);
    items_.insert(items_.begin() + caret_, added.begin(), added.end());
    caret_ += static_cast<int>(text.size()) - 1;
    host_.SpeakAfterChar();
    ++caret_;
    // The caret must stand on an item the layout knows, so it comes back after the text.
    SkipSoftBreak();
    return Reflowed();
}

DocumentChange DocumentModel::Backspace()
{
    if (IsEmpty() || caret_ == 0)
        return DocumentChange();
    host_.StopAllPlayback();
    TakeSnapshot();
    int target = caret_ - 1;
    while (target > 0 && items_[target].IsSoftBreak())
        --target;
    items_.erase(items_.begin() + target);
    caret_ = target;
    return Reflowed();
}

DocumentChange DocumentModel::Delete()
{
    if (IsEmpty() || static_cast<size_t>(caret_) == FinalIndex())
        return DocumentChange();
    host_.StopAllPlayback();
    TakeSnapshot();
    items_.erase(items_.begin() + caret_);
    return Reflowed();
}

// After an edit that may move any line: the layout, the caret off soft breaks and on its page, and
// the whole page repainted.
DocumentChange DocumentModel::Reflowed()
{
    Layout();
    SkipSoftBreak();
    ShowCaretPage();
    modified_ = 1;
    return Bounded(RepaintAll());
}

DocumentChange DocumentModel::Beeped()
{
    host_.Beep();
    return DocumentChange();
}

DocumentChange DocumentModel::FollowCaretPage()
{
    const int page = PageOf(caret_);
    if (page == currentPage_)
        return DocumentChange();
    currentPage_ = page;
    return RepaintAll();
}

DocumentChange DocumentModel::MoveRight()
{
    if (static_cast<size_t>(caret_) == FinalIndex())
        return Beeped();
    host_.SpeakAfterChar();
    ++caret_;
    return FollowCaretPage();
}

DocumentChange DocumentModel::MoveLeft()
{
    if (caret_ == 0)
        return Beeped();
    --caret_;
    host_.SpeakAfterChar();
    return FollowCaretPage();
}

std::pair<size_t, size_t> DocumentModel::ItemsOfPage(const std::vector<DocItem>& items, int page) const
{
    auto first = std::lower_bound(items.begin(), items.end(), page,
                                  [](const DocItem& item, int p) { return item.page_ < p; });
    auto end = std::upper_bound(first, items.end(), page, [](int p, const DocItem& item) { return p < item.page_; });
    return {static_cast<size_t>(first - items.begin()), static_cast<size_t>(end - items.begin())};
}

int DocumentModel::FirstOfLine(int page, int line, int& count) const
{
    count = 0;
    const auto range = ItemsOfPage(items_, page);
    int first = -1;
    for (size_t k = range.first; k < range.second; ++k) {
        if (items_[k].line_ != line)
            continue;
        if (first < 0)
            first = static_cast<int>(k);
        ++count;
    }
    return first;
}

// The caret goes to the line's first item and on by the column, over items that are no hard line
// break, and never past the line's last item: a soft-broken line ends on its soft break, and the
// caret stays on the line it was sent to.
DocumentChange DocumentModel::MoveToLine(int page, int line, int column)
{
    int count = 0;
    const int first = FirstOfLine(page, line, count);
    if (first < 0)
        return Beeped();
    int target = first;
    for (int step = 0; step < column && target < first + count - 1 && !items_[target].IsHardBreak(); ++step)
        ++target;
    caret_ = target;
    return FollowCaretPage();
}

namespace {

// How many items stand before the caret on its line.
int ColumnOf(const std::vector<DocItem>& items, int caret)
{
    const DocItem& at = items[caret];
    int column = 0;
    for (int k = caret - 1; k >= 0 && items[k].line_ == at.line_ && items[k].page_ == at.page_; --k)
        ++column;
    return column;
}

} // namespace

DocumentChange DocumentModel::MoveUp()
{
    const DocItem& at = items_[caret_];
    if (caret_ == 0 || (at.line_ == 0 && at.page_ == 0))
        return Beeped();
    const int column = ColumnOf(items_, caret_);
    if (at.line_ > 0)
        return MoveToLine(at.page_, at.line_ - 1, column);
    const int previousPage = at.page_ - 1;
    const auto range = ItemsOfPage(items_, previousPage);
    if (range.first == range.second)
        return Beeped();
    return MoveToLine(previousPage, items_[range.second - 1].line_, column);
}

DocumentChange DocumentModel::MoveDown()
{
    if (static_cast<size_t>(caret_) == FinalIndex())
        return Beeped();
    const DocItem& at = items_[caret_];
    const int column = ColumnOf(items_, caret_);
    int count = 0;
    if (FirstOfLine(at.page_, at.line_ + 1, count) >= 0)
        return MoveToLine(at.page_, at.line_ + 1, column);
    if (at.page_ >= lastPage_)
        return Beeped();
    return MoveToLine(at.page_ + 1, 0, column);
}

DocumentChange DocumentModel::MoveHome()
{
    if (IsEmpty())
        return Beeped();
    caret_ = 0;
    return FollowCaretPage();
}

DocumentChange DocumentModel::MoveEnd()
{
    if (IsEmpty())
        return Beeped();
    caret_ = static_cast<int>(FinalIndex());
    return FollowCaretPage();
}

DocumentChange DocumentModel::PageDown()
{
    if (IsEmpty() || currentPage_ >= lastPage_)
        return Beeped();
    ++currentPage_;
    caret_ = static_cast<int>(ItemsOfPage(items_, currentPage_).first);
    return RepaintAll();
}

DocumentChange DocumentModel::PageUp()
{
    if (IsEmpty() || currentPage_ <= 0)
        return Beeped();
    --currentPage_;
    caret_ = static_cast<int>(ItemsOfPage(items_, currentPage_).first);
    return RepaintAll();
}

int DocumentModel::SymbolBeforeCaret() const
{
    int target = caret_ - 1;
    while (target > 0 && (items_[target].IsHardBreak() || items_[target].IsSoftBreak()))
        --target;
    return target;
}

DocumentChange DocumentModel::ToggleNegation()
{
    if (caret_ == 0)
        return Beeped();
    const int target = SymbolBeforeCaret();
    if (!items_[target].IsPicture())
        return Beeped();
    host_.StopAllPlayback();
    CKvoraObject* object = images_.Find(items_[target].imageNumber_);
    if (!object)
        return DocumentChange();
    object->crossed_ = object->crossed_ ? 0 : 1;
    host_.PlaySymbolAt(target);
    modified_ = 1;
    DocumentChange change;
    change.repaint = DocumentChange::Repaint::Box;
    change.box = items_[target].textBox_;
    return change;
}

DocumentChange DocumentModel::ToggleLargePicture()
{
    if (!screenFrame_.largeAllowed || caret_ == 0)
        return Beeped();
    const int target = SymbolBeforeCaret();
    const CKvoraObject* object = items_[target].IsPicture() ? images_.Find(items_[target].imageNumber_) : nullptr;
    if (!object || !object->HasPicture())
        return Beeped();
    host_.StopAllPlayback();
    TakeSnapshot();
    items_[target].large_ = items_[target].large_ ? 0 : 1;
    return Reflowed();
}

DocumentChange DocumentModel::Click(POINT point, const RECT& client)
{
    if (!::PtInRect(&client, point) || items_.empty())
        return DocumentChange();
    const auto page = ItemsOfPage(items_, currentPage_);
    if (page.first == page.second)
        return DocumentChange();
    int target = -1;
    for (size_t k = page.first; k < page.second && target < 0; ++k) {
        if (items_[k].Contains(point))
            target = static_cast<int>(k);
    }
    const bool contained = target >= 0;
    // Beside the items: the first item of the point's line that starts right of it, else the line's
    // last item.
    for (size_t k = page.first; k < page.second && !contained; ++k) {
        const RECT& box = items_[k].textBox_;
        if (point.y < box.top || point.y > box.bottom)
            continue;
        target = static_cast<int>(k);
        if (box.left > point.x)
            break;
    }
    if (target < 0)
        target = static_cast<int>(page.second) - 1;
    host_.StopAllPlayback();
    caret_ = target;
    return FollowCaretPage();
}

int DocumentModel::PageEndMarkerY() const
{
    if (printItems_.empty() || lastPrintPage_ < 1)
        return -1;
    size_t screen = 0;
    size_t print = 0;
    for (int printPage = 0; printPage <= lastPrintPage_; ++printPage) {
        // The last item of this printed page, and the screen item of the same index.
        while (print + 1 < printItems_.size() && printItems_[print + 1].page_ <= printPage)
            ++print;
        // A page that ends on a soft-wrapped line ends with its soft break, which has no index of its
        // own (it would match the first soft break on screen): the item before it stands for the line.
        size_t last = print;
        while (last > 0 && printItems_[last].IsSoftBreak())
            --last;
        const int index = printItems_[last].index_;
        while (screen < items_.size() && items_[screen].index_ != index)
            ++screen;
        if (screen == items_.size())
            return -1;
        if (items_[screen].page_ == currentPage_)
            return items_[screen].textBox_.bottom + 2;
    }
    return -1;
}
