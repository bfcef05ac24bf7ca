// Control wrappers: the calls that need a buffer or a structure.
#include "framework/Controls.h"
#include <cstdlib>

namespace fw {

void Edit::GetSelection(int& start, int& end) const
{
    DWORD first = 0, last = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

int Edit::Int() const
{
    return std::atoi(Text().c_str());
}

void Edit::SetInt(int value) const
{
    SetText(std::to_string(value));
}

int ComboBox::Add(const std::string& text) const
{
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::Insert(int index, const std::string& text) const
{
    return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::FindExact(const std::string& text) const
{
    return static_cast<int>(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::SelectExact(const std::string& text) const
{
    int index = FindExact(text);
    Select(index);
    return index;
}

std::string ComboBox::ItemText(int index) const
{
    LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ListBox::Add(const std::string& text) const
{
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int ListBox::Insert(int index, const std::string& text) const
{
    return static_cast<int>(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
}

int ListBox::FindExact(const std::string& text) const
{
    return static_cast<int>(Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

std::string ListBox::ItemText(int index) const
{
    LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::vector<int> ListBox::SelectedIndexes() const
{
    int count = SelectedCount();
    if (count <= 0)
        return {};
    std::vector<int> indexes(static_cast<size_t>(count));
    int got = static_cast<int>(Send(LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(indexes.data())));
    indexes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return indexes;
}

HTREEITEM TreeView::Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, LPARAM data, int image,
                           int selectedImage) const
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = data;
    if (image >= 0) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage >= 0 ? selectedImage : image;
    }
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string TreeView::ItemText(HTREEITEM item) const
{
    char buffer[1024] = "";
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof(buffer);
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)))
        return std::string();
    return buffer;
}

void TreeView::SetItemText(HTREEITEM item, const std::string& text) const
{
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<char*>(text.c_str());
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

LPARAM TreeView::ItemData(HTREEITEM item) const
{
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.lParam;
}

// Check boxes of a tree are state images 1 (unchecked) and 2 (checked).
bool TreeView::IsChecked(HTREEITEM item) const
{
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return (tv.state >> 12) == 2;
}

void TreeView::SetChecked(HTREEITEM item, bool checked) const
{
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    tv.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

HTREEITEM TreeView::HitTest(POINT clientPoint, UINT* flags) const
{
    TVHITTESTINFO info{};
    info.pt = clientPoint;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags)
        *flags = info.flags;
    return item;
}

int ListView::InsertColumn(int index, const std::string& title, int width, int format) const
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(title.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const std::string& text, LPARAM data, int image) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int index, int column, const std::string& text) const
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::ItemText(int index, int column) const
{
    char buffer[1024] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

LPARAM ListView::ItemData(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void ListView::SetSelected(int index, bool selected) const
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

bool ListView::IsChecked(int index) const
{
    return ((Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}

void ListView::SetChecked(int index, bool checked) const
{
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace fw
