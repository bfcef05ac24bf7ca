// The overlay list and the set tree driven by the mouse messages a user's hand would send.
#include "framework/Gdi.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/CIconListBox.h"
#include "skarpin/SetTreeCtrl.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace {

struct Drop {
    int source;
    int target;
    bool copy;
};

// Records what the controls ask of the main window.
class RecordingOwner : public SetListOwner {
public:
    HWND OverlayEditorWindow() const override { return editor_; }
    void SetPopupPoint(POINT point) override { popup_ = point; }
    void SetSelectionFocus(int focus) override { focus_ = focus; }
    void UpdateMenus() override { calls_ += "update;"; }
    void ShowSetMenu() override { calls_ += "setmenu;"; }
    void ShowOverlayMenu() override { calls_ += "overlaymenu;"; }
    void DeleteSelection() override { calls_ += "delete;"; }
    void DropOverlays(int source, int target, bool copy) override { drops_.push_back({source, target, copy}); }

    HWND editor_ = nullptr;
    POINT popup_{-1, -1};
    int focus_ = -1;
    std::string calls_;
    std::vector<Drop> drops_;
};

constexpr int kLine = CIconListBox::kLineHeight;

LPARAM LinePoint(int line, int x = 40)
{
    return MAKELPARAM(x, line * kLine + kLine / 2);
}

// A window holding the tree on the left and the list on the right, as the main window has them.
class SetListControlsTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame_ = ::CreateWindowExA(0, "STATIC", "frame", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                   nullptr, nullptr);
        HWND tree = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                      WS_CHILD | WS_VISIBLE | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS | TVS_DISABLEDRAGDROP,
                                      0, 0, 200, 300, frame_, reinterpret_cast<HMENU>(1002), nullptr, nullptr);
        HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                          LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL,
                                      200, 0, 200, 300, frame_, reinterpret_cast<HMENU>(1194), nullptr, nullptr);
        ASSERT_TRUE(tree_.Attach(tree));
        ASSERT_TRUE(list_.Attach(list));
        tree_.SetOwner(&owner_, &treeItems_);
        list_.SetOwner(&owner_, &lines_, &tree_);
        fw::TreeView view(tree);
        for (const char* name : {"Skola", "Hemma"}) {
            HTREEITEM item = view.Insert(TVI_ROOT, TVI_LAST, name);
            treeItems_.emplace_back(item, name, std::string("C:\\Set\\") + name, 0);
        }
        tree_.selectedSetName_ = "Skola";
        SetLines({"Äpple", "", "Boll", "Cykel"});
        fw::SetBeepHandler([this] { ++beeps_; });
    }

    void TearDown() override
    {
        fw::SetBeepHandler([] {});
        list_.Detach();
        tree_.Detach();
        ::DestroyWindow(frame_);
    }

    void SetLines(const std::vector<std::string>& names)
    {
        lines_.clear();
        list_.Self().Send(LB_RESETCONTENT);
        for (size_t i = 0; i < names.size(); ++i) {
            lines_.emplace_back(names[i], static_cast<int>(i) + 1, 0);
            list_.AddItem(std::to_string(i + 1) + " " + names[i], 0);
        }
    }

    void Press(int line, WPARAM keys = 0) { list_.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, LinePoint(line)); }
    void Move(int times, int line, WPARAM keys = 0)
    {
        for (int i = 0; i < times; ++i)
            list_.Self().Send(WM_MOUSEMOVE, MK_LBUTTON | keys, LinePoint(line));
    }
    void Release(int line) { list_.Self().Send(WM_LBUTTONUP, 0, LinePoint(line)); }
    std::vector<int> Selected() const { return fw::ListBox(list_.Handle()).SelectedIndexes(); }

    HWND frame_ = nullptr;
    RecordingOwner owner_;
    SetTreeCtrl tree_;
    CIconListBox list_;
    std::vector<TreeCtrlItem> treeItems_;
    std::vector<SetItem> lines_;
    int beeps_ = 0;
};

TEST_F(SetListControlsTest, DragStartsAtTheSixthMoveAndCtrlAtTheLastMoveMeansCopy)
{
    struct Case {
        const char* what;
        int moves;
        bool ctrlAtLast;
        bool dragging;
        bool copy;
    };
    const Case cases[] = {
        {"five moves are a click", 5, false, false, false},
        {"the sixth move starts a move", 6, false, true, false},
        {"Ctrl at the sixth move starts a copy", 6, true, true, true},
        {"Ctrl released at the last move is a move", 8, false, true, false},
        {"Ctrl pressed at the last move is a copy", 8, true, true, true},
    };
    const HCURSOR moveCursor = ::LoadCursorA(fw::ResourceModule(), MAKEINTRESOURCEA(CIconListBox::kMoveCursorId));
    const HCURSOR copyCursor = ::LoadCursorA(fw::ResourceModule(), MAKEINTRESOURCEA(CIconListBox::kCopyCursorId));
    ASSERT_NE(moveCursor, nullptr);
    ASSERT_NE(copyCursor, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        owner_.drops_.clear();
        Press(2);
        Move(c.moves - 1, 2, c.ctrlAtLast ? 0 : MK_CONTROL);
        Move(1, 3, c.ctrlAtLast ? MK_CONTROL : 0);
        EXPECT_EQ(list_.IsDragging(), c.dragging);
        if (c.dragging && c.moves == 6) {
            EXPECT_EQ(::GetCursor(), c.copy ? copyCursor : moveCursor);
        }
        Release(3);
        EXPECT_FALSE(list_.IsDragging());
        EXPECT_EQ(list_.Click(), CIconListBox::kIdle);
        EXPECT_NE(::GetCapture(), list_.Handle());
        if (c.dragging) {
            ASSERT_EQ(owner_.drops_.size(), 1u);
            EXPECT_EQ(owner_.drops_[0].source, 2);
            EXPECT_EQ(owner_.drops_[0].target, 3);
            EXPECT_EQ(owner_.drops_[0].copy, c.copy);
        } else {
            // A plain click: the press selected its line and the moves did not stretch the selection.
            EXPECT_TRUE(owner_.drops_.empty());
            EXPECT_EQ(Selected(), std::vector<int>({2}));
        }
    }
}

TEST_F(SetListControlsTest, PressOnAnEmptyLineNeverStartsADrag)
{
    Press(1);
    Move(50, 1);
    EXPECT_FALSE(list_.IsDragging());
    Move(50, 3);
    EXPECT_FALSE(list_.IsDragging());
    Release(3);
    EXPECT_TRUE(owner_.drops_.empty());
    EXPECT_EQ(owner_.focus_, 1);
}

TEST_F(SetListControlsTest, MultiSelectionSurvivesThePressAndCollapsesOnAPlainRelease)
{
    fw::ListBox box(list_.Handle());
    for (int line : {0, 2, 3})
        box.SetSelected(line, true);
    Press(2);
    EXPECT_EQ(Selected(), std::vector<int>({0, 2, 3}));
    Release(2);
    EXPECT_EQ(Selected(), std::vector<int>({2}));

    // Dragged, it stays whole until the drop, and no line is framed on the way.
    for (int line : {0, 2, 3})
        box.SetSelected(line, true);
    Press(0);
    Move(8, 3);
    EXPECT_TRUE(list_.IsDragging());
    EXPECT_EQ(Selected(), std::vector<int>({0, 2, 3}));
    Release(3);
    ASSERT_EQ(owner_.drops_.size(), 1u);
    EXPECT_EQ(owner_.drops_[0].target, 3);
}

TEST_F(SetListControlsTest, DropOutsideTheListOntoTheTreeNamesTheSetUnderTheCursor)
{
    Press(0);
    Move(6, 0);
    ASSERT_TRUE(list_.IsDragging());
    // Over the second set of the tree, left of its text: the list's client x is negative there.
    RECT itemRect = TreeItemRect(tree_.Handle(), treeItems_[1].item_, true);
    POINT over{itemRect.left - 12, (itemRect.top + itemRect.bottom) / 2};
    ::MapWindowPoints(tree_.Handle(), list_.Handle(), &over, 1);
    list_.Self().Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(tree_.dropTargetSetName_, "Hemma");
    EXPECT_EQ(list_.TargetLine(), 0);
    list_.Self().Send(WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    ASSERT_EQ(owner_.drops_.size(), 1u);
    EXPECT_EQ(owner_.drops_[0].source, 0);
    EXPECT_EQ(owner_.drops_[0].target, 0);
}

TEST_F(SetListControlsTest, TreeDropTargetIsEmptyOffTheItemsAndEndsAtTheSelectedSet)
{
    POINT below{50, 280};
    ::ClientToScreen(tree_.Handle(), &below);
    tree_.DragOver(below);
    EXPECT_EQ(tree_.dropTargetSetName_, "");
    EXPECT_EQ(tree_.DropTargetItem(), nullptr);

    RECT first = TreeItemRect(tree_.Handle(), treeItems_[0].item_, true);
    POINT on{first.left + 2, (first.top + first.bottom) / 2};
    ::ClientToScreen(tree_.Handle(), &on);
    tree_.DragOver(on);
    EXPECT_EQ(tree_.dropTargetSetName_, "Skola");
    EXPECT_EQ(tree_.DropTargetItem(), treeItems_[0].item_);

    tree_.selectedSetName_ = "Hemma";
    tree_.EndDragHighlight();
    EXPECT_EQ(tree_.DropTargetItem(), nullptr);
    EXPECT_EQ(tree_.dropTargetSetName_, "Hemma");
}

TEST_F(SetListControlsTest, LostCaptureDuringADragEndsItWithoutADrop)
{
    Press(0);
    Move(7, 2);
    ASSERT_TRUE(list_.IsDragging());
    // Another window takes the mouse (a message box, Alt+Tab): the release never reaches the list.
    ::SetCapture(frame_);
    ::ReleaseCapture();
    EXPECT_FALSE(list_.IsDragging());
    EXPECT_FALSE(list_.IsPressed());
    EXPECT_EQ(list_.Click(), CIconListBox::kIdle);
    Move(10, 2);
    EXPECT_FALSE(list_.IsDragging());
    Release(2);
    EXPECT_TRUE(owner_.drops_.empty());

    // The next press starts afresh.
    Press(3);
    Move(6, 3);
    EXPECT_TRUE(list_.IsDragging());
    Release(3);
    EXPECT_EQ(owner_.drops_.size(), 1u);
}

TEST_F(SetListControlsTest, ClicksWhileTheEditorIsOpenBeepAndChangeNothing)
{
    HWND editor = ::CreateWindowExA(0, "STATIC", "editor", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    owner_.editor_ = editor;
    fw::ListBox(list_.Handle()).SetSelected(0, true);
    Press(3);
    Release(3);
    list_.Self().Send(WM_RBUTTONDOWN, MK_RBUTTON, LinePoint(2));
    tree_.Self().Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    tree_.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(beeps_, 4);
    EXPECT_EQ(Selected(), std::vector<int>({0}));
    EXPECT_EQ(owner_.calls_, "");
    EXPECT_EQ(owner_.focus_, -1);
    ::DestroyWindow(editor);
}

TEST_F(SetListControlsTest, RightClicksOpenTheMenusWithoutSelectingAndDeleteKeyDeletes)
{
    fw::ListBox(list_.Handle()).SetSelected(0, true);
    list_.Self().Send(WM_RBUTTONDOWN, MK_RBUTTON, LinePoint(2, 33));
    EXPECT_EQ(owner_.calls_, "update;overlaymenu;");
    EXPECT_EQ(owner_.focus_, 1);
    EXPECT_EQ(owner_.popup_.x, 33);
    EXPECT_EQ(owner_.popup_.y, 2 * kLine + kLine / 2);
    EXPECT_EQ(Selected(), std::vector<int>({0}));

    owner_.calls_.clear();
    owner_.focus_ = 1;
    tree_.Self().Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 9));
    EXPECT_EQ(owner_.calls_, "update;setmenu;");
    EXPECT_EQ(owner_.focus_, 1); // a right click in the tree leaves the focus alone
    EXPECT_EQ(owner_.popup_.x, 7);

    owner_.calls_.clear();
    list_.Self().Send(WM_KEYDOWN, VK_DELETE, 0);
    tree_.Self().Send(WM_KEYDOWN, VK_DELETE, 0);
    list_.Self().Send(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(owner_.calls_, "delete;delete;");
}

TEST_F(SetListControlsTest, LinesKeepTheirIconAndAreSixteenPixelsHigh)
{
    EXPECT_EQ(list_.Self().Send(LB_GETITEMHEIGHT, 0), kLine);
    EXPECT_EQ(list_.AddItem("5 Fisk"), 4);
    EXPECT_EQ(list_.Self().Send(LB_GETITEMDATA, 4), -1);
    EXPECT_EQ(list_.InsertItem(1, "2 Hus", 0), 1);
    EXPECT_EQ(list_.Self().Send(LB_GETITEMDATA, 1), 0);
}

TEST_F(SetListControlsTest, LinesAreFilledByTheirSelectionAndCarryTheirIcon)
{
    const COLORREF paper = RGB(10, 200, 30);
    const COLORREF iconColour = RGB(200, 0, 200);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    HDC screen = ::GetDC(nullptr);
    HBITMAP icon = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC iconDC = ::CreateCompatibleDC(screen);
    HGDIOBJ previous = ::SelectObject(iconDC, icon);
    HBRUSH brush = ::CreateSolidBrush(iconColour);
    RECT whole{0, 0, 16, 16};
    ::FillRect(iconDC, &whole, brush);
    ::SelectObject(iconDC, previous);
    ::DeleteObject(brush);
    ::DeleteDC(iconDC);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(ImageList_Add(images, icon, nullptr), 0);
    ::DeleteObject(icon);

    struct Case {
        const char* what;
        UINT action;
        UINT state;
        bool withImages;
        COLORREF background; // far right on the line, away from the text
        bool iconDrawn;
    };
    const Case cases[] = {
        {"selected, drawn whole", ODA_DRAWENTIRE, ODS_SELECTED, true, ::GetSysColor(COLOR_HIGHLIGHT), true},
        {"selected by a change", ODA_SELECT, ODS_SELECTED, true, ::GetSysColor(COLOR_HIGHLIGHT), true},
        {"deselected by a change", ODA_SELECT, 0, true, ::GetSysColor(COLOR_WINDOW), true},
        {"unselected, drawn whole: no fill", ODA_DRAWENTIRE, 0, true, paper, true},
        {"without an image list", ODA_DRAWENTIRE, 0, false, paper, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list_.SetImageList(c.withImages ? images : nullptr);
        fw::DibSection canvas(180, kLine);
        canvas.Fill(paper);
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_LISTBOX;
        draw.CtlID = 1194;
        draw.itemID = 0;
        draw.itemAction = c.action;
        draw.itemState = c.state;
        draw.hwndItem = list_.Handle();
        draw.hDC = canvas.DC();
        draw.rcItem = RECT{0, 0, 180, kLine};
        draw.itemData = 0;
        list_.DrawItem(draw);
        ::GdiFlush();
        EXPECT_EQ(canvas.Pixel(175, 8), c.background);
        EXPECT_EQ(canvas.Pixel(8, 8) == iconColour, c.iconDrawn);
    }
    list_.SetImageList(nullptr);
    ImageList_Destroy(images);
}

} // namespace

// While the list has the focus the selected set keeps a grey the eye can find, as the system's own tree
// keeps its selection: the button face, or halfway to the shadow where the face is as light as the tree.
TEST_F(SetListControlsTest, TheSelectedSetStaysVisibleWhileTheListHasTheFocus)
{
    struct Case {
        COLORREF window, face, shadow, expected;
    };
    const Case cases[] = {
        {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(192, 192, 192)},
        {RGB(255, 255, 255), RGB(245, 245, 245), RGB(166, 166, 166), RGB(205, 205, 205)},
        {RGB(0, 0, 0), RGB(20, 20, 20), RGB(100, 100, 100), RGB(60, 60, 60)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, SetTreeCtrl::InactiveSelectionColour(c.window, c.face, c.shadow));

    HWND tree = tree_.Handle();
    HTREEITEM first = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
    const RECT label = TreeItemRect(tree, first, true);
    auto selectionPixel = [&] {
        RECT client{};
        ::GetClientRect(tree, &client);
        fw::DibSection canvas(client.right, client.bottom);
        canvas.Fill(RGB(1, 2, 3));
        ::SendMessageA(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT | PRF_ERASEBKGND);
        ::GdiFlush();
        return canvas.Pixel(label.right - 2, (label.top + label.bottom) / 2);
    };
    ::SetFocus(list_.Handle());
    EXPECT_EQ(SetTreeCtrl::InactiveSelectionColour(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE),
                                                   ::GetSysColor(COLOR_BTNSHADOW)),
              selectionPixel());
    ::SetFocus(tree);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), selectionPixel()) << "the tree's own selection while it has the focus";
}
