// Skarpin's main window: building, filling, laying out and tearing down, and the menu state.
#include "skarpin/CSkarpinDlg.h"
#include "device/IrloaderDlg.h"
#include "device/LoadKvoraDlg.h"
#include "framework/Cursor.h"
#include "framework/RedrawPause.h"
#include "framework/Strings.h"
#include "skarpin/ExportWizardSheet.h"
#include "skarpin/ImportSheet.h"
#include "skarpin/resource.h"
#include <windowsx.h>

int g_keyboardModel = FileIO::kModelPS2;

namespace {

// The commands that choose the tree's set anew (a new set, an old set taken over, an import, another
// keyboard model, the standard overlays or templates shown or hidden) or fill the tree again (after
// loading the keyboard). Under an open editor the set and the line stay those it was opened on.
bool ChangesSetSelection(int id)
{
    switch (id) {
    case ID_SET_NEW:
    case ID_SET_IMPORT_OLD:
    case ID_OVERLAY_IMPORT:
    case ID_KEYBOARD_MODEL:
    case ID_SHOW_STANDARD_OVERLAYS:
    case ID_SHOW_TEMPLATES:
    case ID_SET_LOAD_KEYBOARD:
        return true;
    default:
        return false;
    }
}

} // namespace

CSkarpinDlg::CSkarpinDlg() : fw::Dialog(IDD_SKARPIN_DIALOG) {}

CSkarpinDlg::CSkarpinDlg(const FileIOEnvironment& environment)
    : fw::Dialog(IDD_SKARPIN_DIALOG), fileIO_(environment)
{
}

CSkarpinDlg::~CSkarpinDlg()
{
    if (icon_ != nullptr)
        ::DestroyIcon(icon_);
}

bool CSkarpinDlg::OnInitDialog()
{
    icon_ = static_cast<HICON>(::LoadImageA(fw::ResourceModule(), MAKEINTRESOURCEA(IDI_SKARPIN), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE));
    Self().Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    Self().Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    mainMenu_ = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    setMenu_ = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_SET_MENU));
    overlayMenu_ = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_OVERLAY_MENU));
    ::SetMenu(hwnd_, mainMenu_);

    CreateImageLists();
    setTree_.SubclassDlgItem(IDC_SET_TREE, hwnd_);
    overlayList_.SubclassDlgItem(IDC_OVERLAY_LIST, hwnd_);
    fw::TreeView(setTree_.Handle()).SetImageList(treeImages_);
    setTree_.SetOwner(this, &treeItems_);
    overlayList_.SetImageList(listImages_);
    overlayList_.SetOwner(this, &listLines_, &setTree_);

    g_keyboardModel = fileIO_.GetKeyboardModel();
    SetCaption(MainWindowCaption(g_keyboardModel));
    ApplyModelToMainMenu(mainMenu_, g_keyboardModel);

    FillSetTree();
    if (!treeItems_.empty())
        SelectSetLine(0);

    fileIO_.caption_ = Self().Text();

    // Without an older installation there are no old sets to take over.
    if (fileIO_.OldSetFolder().empty())
        ::EnableMenuItem(mainMenu_, ID_SET_IMPORT_OLD, MF_BYCOMMAND | MF_GRAYED);

    ::CheckMenuItem(mainMenu_, ID_SHOW_STANDARD_OVERLAYS,
                    MF_BYCOMMAND | (fileIO_.showStandardOverlays_ ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(mainMenu_, ID_SHOW_TEMPLATES, MF_BYCOMMAND | (fileIO_.showTemplates_ ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(mainMenu_, ID_SHOW_TEMPLATE_DIALOG,
                    MF_BYCOMMAND | (fileIO_.showTemplateDlg_ ? MF_CHECKED : MF_UNCHECKED));

    UpdateMenus();
    ShowMaximised();
    SetTimer(kStartTimer, kStartTimerDelay);
    return true;
}

void CSkarpinDlg::CreateImageLists()
{
    auto add = [](HIMAGELIST images, UINT bitmapId) {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(fw::ResourceModule(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
        ::DeleteObject(bitmap);
    };
    treeImages_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 1);
    for (UINT id : {IDB_SET, IDB_SET_SELECTED, IDB_SET_CURRENT, IDB_SET_CURRENT_SELECTED, IDB_SET_STANDARD,
                    IDB_SET_STANDARD_SELECTED})
        add(treeImages_, id);
    listImages_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    add(listImages_, IDB_OVERLAY);
}

// The controls are laid out for the maximised window while it is still hidden: each move of a shown
// control, and its scroll bar's change, repaints at once, which under Wine took a third of the opening.
void CSkarpinDlg::ShowMaximised()
{
    LayoutIn(MaximisedClientRect());
    ::ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    initialising_ = 0;
    // Should the system have maximised it to another size, the controls follow.
    const RECT client = Self().ClientRect();
    if (!::EqualRect(&client, &clientRect_))
        Layout();
}

// The client rectangle of the maximised window (as WM_GETMINMAXINFO lays it): WM_NCCALCSIZE without
// its flag turns a window rectangle into its client rectangle, menu bar included, moving nothing.
RECT CSkarpinDlg::MaximisedClientRect() const
{
    MINMAXINFO maximised{};
    Self().LayMaximisedOnWorkArea(maximised);
    RECT rect{maximised.ptMaxPosition.x, maximised.ptMaxPosition.y,
              maximised.ptMaxPosition.x + maximised.ptMaxSize.x, maximised.ptMaxPosition.y + maximised.ptMaxSize.y};
    Self().Send(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    return RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
}

void CSkarpinDlg::Layout()
{
    LayoutIn(Self().ClientRect());
}

void CSkarpinDlg::LayoutIn(const RECT& client)
{
    clientRect_ = client;
    const int width = clientRect_.right - clientRect_.left;
    const int height = clientRect_.bottom - clientRect_.top;
    const int half = width / 2;
    ::MoveWindow(setTree_.Handle(), 0, 0, half, height, TRUE);
    ::ShowScrollBar(setTree_.Handle(), SB_VERT, TRUE);
    ::EnableScrollBar(setTree_.Handle(), SB_VERT, ESB_DISABLE_BOTH);
    ::MoveWindow(overlayList_.Handle(), half, 0, half, height, TRUE);
    ::ShowScrollBar(overlayList_.Handle(), SB_VERT, TRUE);
    ::EnableScrollBar(overlayList_.Handle(), SB_VERT, ESB_ENABLE_BOTH);
}

void CSkarpinDlg::FillSetTree()
{
    fw::TreeView tree(setTree_.Handle());
    fw::RedrawPause pause(setTree_.Handle());
    tree.Select(nullptr);
    tree.DeleteAll();
    treeItems_.clear();

    std::vector<SetItem> sets;
    fileIO_.ListSets(sets);
    SetTreeOptions options;
    options.model = g_keyboardModel;
    options.names = fileIO_.SpecialNames();
    options.showTemplates = fileIO_.showTemplates_;
    options.showStandardOverlays = fileIO_.showStandardOverlays_;
    std::string current = g_keyboardModel == FileIO::kModelUSB ? fileIO_.GetCurrentSet() : std::string();
    bool currentChanged = false;
    const std::vector<SetTreeLine> lines = OrderSetTree(sets, options, current, currentChanged);
    if (g_keyboardModel == FileIO::kModelUSB && currentChanged)
        fileIO_.SetCurrentSet(current);

    for (const SetTreeLine& line : lines) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(line.name.c_str());
        insert.item.iImage = line.image;
        insert.item.iSelectedImage = line.image + 1;
        auto item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(setTree_.Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        treeItems_.emplace_back(item, line.name, fileIO_.setFolder_ + "\\" + line.name, line.readOnly);
    }
    setTree_.EndDragHighlight();
}

bool CSkarpinDlg::SelectSetLine(size_t index)
{
    if (index >= treeItems_.size())
        return false;
    return fw::TreeView(setTree_.Handle()).Select(treeItems_[index].item_);
}

void CSkarpinDlg::FillOverlayList()
{
    fw::WaitCursor wait;
    const SetKind kind = fileIO_.KindOfSet(selectedSetName_);
    std::vector<SetItem> overlays;
    fileIO_.ListOverlays(selectedSetName_, overlays);
    fw::RedrawPause pause(overlayList_.Handle());
    overlayList_.Self().Send(LB_RESETCONTENT);
    listLines_.clear();
    // The listing has read each overlay's send type with its AccessKvora flag.
    auto game = [&](const std::string& name) {
        for (const SetItem& overlay : overlays) {
            if (overlay.name_ == name)
                return overlay.gameSendType_ != 0;
        }
        return false;
    };
    for (const OverlayListLine& line : OverlayListLines(kind, overlays, g_keyboardModel, game)) {
        overlayList_.AddItem(line.text, 0);
        listLines_.emplace_back(line.name, line.number, 0);
    }
}

void CSkarpinDlg::OnSetSelected()
{
    fw::TreeView tree(setTree_.Handle());
    HTREEITEM selected = tree.Selected();
    if (selected == nullptr)
        return;
    for (const TreeCtrlItem& item : treeItems_) {
        if (item.item_ != selected)
            continue;
        selectedSetName_ = item.name_;
        setTree_.selectedSetName_ = item.name_;
        setReadOnly_ = item.readOnly_;
        const SetKind kind = fileIO_.KindOfSet(item.name_);
        templatesSetSelected_ = kind == SetKind::kTemplates ? 1 : 0;
        standardSetSelected_ = kind == SetKind::kStandard ? 1 : 0;
        FillOverlayList();
        break;
    }
    selectedOverlayName_.clear();
    selectionFocus_ = 0;
    UpdateMenus();
    TellUnreadableRegister(IDS_REGISTER_UNREADABLE, {selectedSetName_});
}

void CSkarpinDlg::OnOverlaySelected()
{
    selectionFocus_ = 1;
    const int caret = static_cast<int>(overlayList_.Self().Send(LB_GETCARETINDEX));
    if (caret < 0 || caret >= static_cast<int>(listLines_.size()))
        return;
    selectedOverlayName_ = listLines_[static_cast<size_t>(caret)].name_;
    UpdateMenus();
}

void CSkarpinDlg::UpdateMenus()
{
    MenuSelection selection;
    selection.focus = selectionFocus_;
    selection.setSelected = !selectedSetName_.empty();
    selection.kind = templatesSetSelected_ ? SetKind::kTemplates
                     : standardSetSelected_ ? SetKind::kStandard
                                            : SetKind::kOrdinary;
    selection.readOnly = setReadOnly_ != 0;
    selection.selectedLines = static_cast<int>(overlayList_.Self().Send(LB_GETSELCOUNT));
    if (selection.selectedLines < 0)
        selection.selectedLines = 0;
    selection.named = !selectedOverlayName_.empty();
    ApplyMenuStates(ComputeMenuStates(selection), mainMenu_, setMenu_, overlayMenu_);
    ::DrawMenuBar(hwnd_);
}

void CSkarpinDlg::ShowContextMenu(HMENU menu, HWND control)
{
    ::SetFocus(control);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, rect.left + popupPoint_.x,
                     rect.top + popupPoint_.y, 0, hwnd_, nullptr);
}

void CSkarpinDlg::ShowSetMenu()
{
    if (fw::TreeView(setTree_.Handle()).Selected() == nullptr)
        return;
    ShowContextMenu(setMenu_, setTree_.Handle());
}

void CSkarpinDlg::ShowOverlayMenu()
{
    ShowContextMenu(overlayMenu_, overlayList_.Handle());
}

void CSkarpinDlg::DeleteSelection()
{
    Self().Send(WM_COMMAND, MAKEWPARAM(ID_EDIT_DELETE_SELECTION, 0), 0);
}

bool CSkarpinDlg::OnCommand(int id, int code)
{
    if (ChangesSetSelection(id) && RefuseWhileEditorOpen(this))
        return true;
    if (OnFileCommand(id, code) || OnSettingsCommand(id))
        return true;
    switch (id) {
    case ID_OVERLAY_EXPORT: {
        std::vector<std::string> chosenLines;
        for (int line : fw::ListBox(overlayList_.Handle()).SelectedIndexes()) {
            if (line >= 0 && static_cast<size_t>(line) < listLines_.size())
                chosenLines.push_back(listLines_[static_cast<size_t>(line)].name_);
        }
        RunExportWizard(fileIO_, selectedSetName_, chosenLines, selectionFocus_ == 1 && !selectedOverlayName_.empty(),
                        hwnd_);
        return true;
    }
    case ID_OVERLAY_IMPORT: {
        std::string newSetName;
        if (RunImportWizard(fileIO_, newSetName, hwnd_)) {
            FillSetTree();
            SelectSet(newSetName);
        }
        return true;
    }
    case ID_SET_LOAD_KEYBOARD:
        if (LoadSetIntoKeyboard(fileIO_, selectedSetName_, hwnd_))
            FillSetTree();
        return true;
    case ID_IR_CODES:
        ShowInfraredCodes(fileIO_.windowsSettingsFile_, fileIO_.programFolder_, hwnd_);
        return true;
    case IDC_OVERLAY_LIST:
        if (code != LBN_SELCHANGE)
            return false;
        OnOverlaySelected();
        return true;
    default:
        return false;
    }
}

bool CSkarpinDlg::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    // However the tree is moved (keys, typed letters, a command), under an open editor the set stays
    // the one the editor was opened on.
    if (id == IDC_SET_TREE && (header->code == TVN_SELCHANGINGA || header->code == TVN_SELCHANGINGW)) {
        result = RefuseWhileEditorOpen(this) ? TRUE : FALSE;
        return true;
    }
    if (id == IDC_SET_TREE && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
        OnSetSelected();
        return true;
    }
    return false;
}

bool CSkarpinDlg::OnOK()
{
    // Enter opens the overlay the list has chosen, and never closes the main window.
    if (selectionFocus_ == 1)
        OpenOverlayEditor();
    return false;
}

bool CSkarpinDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnEditorMessage(message, wParam, lParam, result))
        return true;
    switch (message) {
    case WM_GETMINMAXINFO:
        Self().LayMaximisedOnWorkArea(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!RefuseNonClientClick())
            return false;
        result = 0;
        return true;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlID != IDC_OVERLAY_LIST)
            return false;
        CIconListBox::MeasureItem(*measure);
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlID != IDC_OVERLAY_LIST)
            return false;
        overlayList_.DrawItem(*draw);
        result = TRUE;
        return true;
    }
    case WM_SIZE:
        if (!initialising_ && wParam != SIZE_MINIMIZED)
            Layout();
        if (wParam != SIZE_MINIMIZED)
            OnEditorSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_PAINT:
        if (!::IsIconic(hwnd_))
            return false;
        {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd_, &paint);
            ::SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            RECT client = Self().ClientRect();
            const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
            const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
            ::DrawIcon(dc, x, y, icon_);
            ::EndPaint(hwnd_, &paint);
        }
        result = 0;
        return true;
    case WM_QUERYENDSESSION:
        // The session may end without the main window closing: an open editor asks as its close
        // does, and a user who stays keeps the session.
        result = MayCloseEditor() ? TRUE : FALSE;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(icon_);
        return true;
    case WM_HELP:
        // Help requests do nothing in this program.
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CSkarpinDlg::OnDestroy()
{
    KillTimer(kStartTimer);
    ::SetMenu(hwnd_, nullptr);
    for (HMENU* menu : {&mainMenu_, &setMenu_, &overlayMenu_}) {
        if (*menu != nullptr)
            ::DestroyMenu(*menu);
        *menu = nullptr;
    }
    overlayEditor_.reset();
    closedEditor_.reset();
    fw::TreeView tree(setTree_.Handle());
    tree.Select(nullptr);
    tree.DeleteAll();
    overlayList_.Self().Send(LB_RESETCONTENT);
    treeItems_.clear();
    listLines_.clear();
    tree.SetImageList(nullptr);
    overlayList_.SetImageList(nullptr);
    overlayList_.Detach();
    setTree_.Detach();
    if (treeImages_ != nullptr)
        ImageList_Destroy(treeImages_);
    if (listImages_ != nullptr)
        ImageList_Destroy(listImages_);
    treeImages_ = nullptr;
    listImages_ = nullptr;
    speech_.Stop();
}
