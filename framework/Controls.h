// Value wrappers for the standard and common controls, made from a dialog and a control id.
// A selection index of -1 means none, as the controls themselves report it.
#pragma once
#include "framework/Window.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace fw {

class Control : public Window {
public:
    Control() = default;
    explicit Control(HWND hwnd) : Window(hwnd) {}
    Control(HWND dialog, int id) : Window(::GetDlgItem(dialog, id)) {}
};

class Static : public Control {
public:
    using Control::Control;
    void SetBitmap(HBITMAP bitmap) const { Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)); }
    void SetIcon(HICON icon) const { Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
};

class Button : public Control {
public:
    using Control::Control;
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    int CheckState() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetBitmap(HBITMAP bitmap) const { Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)); }
};

class Edit : public Control {
public:
    using Control::Control;
    void SetLimit(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    void SetSelection(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    // Start and end of the selection; equal when only the caret is there.
    void GetSelection(int& start, int& end) const;
    void ReplaceSelection(const std::string& text, bool canUndo = true) const
    {
        Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
    int Int() const;
    void SetInt(int value) const;
};

class ComboBox : public Control {
public:
    using Control::Control;
    int Add(const std::string& text) const;
    int Insert(int index, const std::string& text) const;
    void Delete(int index) const { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void Clear() const { Send(CB_RESETCONTENT); }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // Selects the line that equals the text, ignoring case; -1 when none does.
    int SelectExact(const std::string& text) const;
    int FindExact(const std::string& text) const;
    std::string ItemText(int index) const;
    void SetItemData(int index, LPARAM data) const { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    LPARAM ItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
};

class ListBox : public Control {
public:
    using Control::Control;
    int Add(const std::string& text) const;
    int Insert(int index, const std::string& text) const;
    void Delete(int index) const { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void Clear() const { Send(LB_RESETCONTENT); }
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    int FindExact(const std::string& text) const;
    std::string ItemText(int index) const;
    void SetItemData(int index, LPARAM data) const { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    LPARAM ItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    int TopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX)); }
    // Multiple selection.
    bool IsSelected(int index) const { return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0; }
    void SetSelected(int index, bool selected) const { Send(LB_SETSEL, selected ? TRUE : FALSE, index); }
    int SelectedCount() const { return static_cast<int>(Send(LB_GETSELCOUNT)); }
    std::vector<int> SelectedIndexes() const;
};

class TreeView : public Control {
public:
    using Control::Control;
    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, LPARAM data = 0,
                     int image = -1, int selectedImage = -1) const;
    bool Delete(HTREEITEM item) const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    void DeleteAll() const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
    HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
    HTREEITEM Child(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM Sibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM ParentOf(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    HTREEITEM Next(HTREEITEM item, UINT relation) const
    {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    bool Select(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SelectDropTarget(HTREEITEM item) const
    {
        return Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool Expand(HTREEITEM item, UINT how = TVE_EXPAND) const
    {
        return Send(TVM_EXPAND, how, reinterpret_cast<LPARAM>(item)) != 0;
    }
    std::string ItemText(HTREEITEM item) const;
    void SetItemText(HTREEITEM item, const std::string& text) const;
    LPARAM ItemData(HTREEITEM item) const;
    bool IsChecked(HTREEITEM item) const;
    void SetChecked(HTREEITEM item, bool checked) const;
    int Count() const { return static_cast<int>(Send(TVM_GETCOUNT)); }
    HTREEITEM HitTest(POINT clientPoint, UINT* flags = nullptr) const;
    void SetImageList(HIMAGELIST images, int kind = TVSIL_NORMAL) const
    {
        Send(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images));
    }
};

class ListView : public Control {
public:
    using Control::Control;
    int InsertColumn(int index, const std::string& title, int width, int format = LVCFMT_LEFT) const;
    int InsertItem(int index, const std::string& text, LPARAM data = 0, int image = -1) const;
    void SetItemText(int index, int column, const std::string& text) const;
    std::string ItemText(int index, int column = 0) const;
    LPARAM ItemData(int index) const;
    bool DeleteItem(int index) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    int NextSelected(int after = -1) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }
    int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
    void SetSelected(int index, bool selected) const;
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked) const;
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void SetImageList(HIMAGELIST images, int kind) const
    {
        Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images));
    }
};

class ProgressBar : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetPos(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
    int Pos() const { return static_cast<int>(Send(PBM_GETPOS)); }
};

class TrackBar : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(TBM_SETRANGE, TRUE, MAKELPARAM(low, high)); }
    void SetPos(int position) const { Send(TBM_SETPOS, TRUE, position); }
    int Pos() const { return static_cast<int>(Send(TBM_GETPOS)); }
};

} // namespace fw
