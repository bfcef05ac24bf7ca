// Painting the document window: the items of the current page, the caret and the page-end marker;
// and printing every page on the printer.
#include "framework/Cursor.h"
#include "writer/DocumentDlg.h"
#include "writer_settings/Settings.h"

void DocumentDlg::SelectScreenFont(HDC dc) const
{
    ::SelectObject(dc, screenFont_.Get());
    ::SetTextColor(dc, Colour(owner_->GetSettings().textColor_));
    ::SetBkColor(dc, backgroundColour_);
}

// The items of the current page whose box meets the area (the final item is never drawn).
void DocumentDlg::DrawItems(HDC dc, const RECT& area) const
{
    const auto page = model_.ItemsOfPage(model_.items_, model_.currentPage_);
    const size_t end = std::min(page.second, model_.FinalIndex());
    for (size_t k = page.first; k < end; ++k) {
        const DocItem& item = model_.items_[k];
        RECT overlap;
        if (::IntersectRect(&overlap, &item.textBox_, &area))
            item.Draw(dc, &model_.images_);
    }
}

void DocumentDlg::OnPaint()
{
    fw::PaintDC paint(hwnd_);
    PaintPage(paint, paint.Area());
}

void DocumentDlg::PaintPage(HDC dc, const RECT& area)
{
    if (!attached_)
        return;
    fw::SavedDC saved(dc);
    SelectScreenFont(dc);
    ::SetBkMode(dc, TRANSPARENT);
    DrawItems(dc, area);
    if (caretShown_)
        DrawCaretBox(dc);
    DrawPageEndMarker(dc);
}

// Showing fills the caret's box beside its item (a dotted line while the word-to-picture bar's hits
// have the keys); hiding fills it, a little wider, with the background and draws what it covered.
void DocumentDlg::DrawCaret(bool show)
{
    const bool wasShown = caretShown_;
    caretShown_ = show && attached_ && hwnd_;
    if (!attached_ || !hwnd_ || (!show && !wasShown))
        return;
    const DocItem& item = model_.items_[model_.caret_];
    if (item.page_ != model_.currentPage_)
        return;
    fw::WindowDC dc(hwnd_);
    if (show) {
        DrawCaretBox(dc);
        return;
    }
    RECT box = item.cursorBox_;
    ::InflateRect(&box, owner_->GetSettings().caretWidth_ / 2, 0);
    ::FillRect(dc, &box, backgroundBrush_);
    fw::SavedDC saved(dc);
    ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    SelectScreenFont(dc);
    ::SetBkMode(dc, TRANSPARENT);
    DrawItems(dc, box);
}

void DocumentDlg::DrawCaretBox(HDC dc) const
{
    const DocItem& item = model_.items_[model_.caret_];
    if (item.page_ != model_.currentPage_)
        return;
    const RECT& box = item.cursorBox_;
    if (owner_->IsSearchInHits()) {
        ::FillRect(dc, &box, backgroundBrush_);
        fw::SelectObjectGuard pen(dc, dottedCaretPen_);
        ::MoveToEx(dc, box.left, box.top, nullptr);
        ::LineTo(dc, box.left, box.bottom);
    } else {
        ::FillRect(dc, &box, caretBrush_);
    }
}

void DocumentDlg::DrawPageEndMarker(HDC dc)
{
    const int y = model_.PageEndMarkerY();
    if (y < 0)
        return;
    fw::Pen dashed(::CreatePen(PS_DASH, 1, RGB(0, 0, 0)));
    fw::SelectObjectGuard pen(dc, dashed);
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    ::MoveToEx(dc, client_.left, y, nullptr);
    ::LineTo(dc, client_.right, y);
    ::SetBkMode(dc, previousMode);
}

void DocumentDlg::PrintDocument(HDC printer)
{
    fw::WaitCursor wait;
    model_.Layout();
    if (model_.printItems_.empty())
        return;
    const COLORREF textColour = Colour(owner_->GetSettings().textColor_);
    for (int page = 0; page <= model_.lastPrintPage_; ++page) {
        ::StartPage(printer);
        ::SetBkMode(printer, TRANSPARENT);
        HGDIOBJ previousFont = ::SelectObject(printer, printerFont_.Get());
        ::SetTextColor(printer, textColour);
        const auto items = model_.ItemsOfPage(model_.printItems_, page);
        for (size_t k = items.first; k < items.second; ++k)
            model_.printItems_[k].Draw(printer, &model_.images_);
        ::SelectObject(printer, previousFont);
        ::EndPage(printer);
    }
}
