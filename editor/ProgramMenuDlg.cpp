// The program-menu dialog.
#include "editor/ProgramMenuDlg.h"
#include "editor/StartMenu.h"
#include "editor/SubDialogTexts.h"
#include "framework/Cursor.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <shellapi.h>

ProgramMenuDlg::ProgramMenuDlg(std::string& program, std::string& arguments, HGLOBAL* icon, HWND parent)
    : fw::Dialog(IDD_PROGRAM_MENU, parent), program_(program), arguments_(arguments), icon_(icon)
{
}

ProgramMenuDlg::~ProgramMenuDlg() = default;

// ---- Opening ----------------------------------------------------------------------------------

bool ProgramMenuDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_START_MENU, {{IDC_PROGRAM_MENU_LABEL, IDS_PROGRAM_MENU_LABEL}});
    const StartMenuFolders folders = StartMenuFolders::Read();
    CreateImages();
    {
        // A folder on a missing drive is skipped without the system asking about it.
        const UINT errorMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        fw::WaitCursor wait;
        FillTree(TVI_ROOT, ReadStartMenu({folders.user, folders.common}));
        ::SetErrorMode(errorMode);
    }
    EnableItem(IDOK, false);
    return true;
}

void ProgramMenuDlg::CreateImages()
{
    images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 16);
    for (UINT id : {IDB_SET, IDB_SET_SELECTED, IDB_OVERLAY}) {
        HBITMAP bitmap = ::LoadBitmapA(fw::ResourceModule(), MAKEINTRESOURCEA(id));
        ImageList_AddMasked(images_, bitmap, RGB(255, 255, 255));
        ::DeleteObject(bitmap);
    }
    fw::TreeView(hwnd_, IDC_PROGRAM_MENU_TREE).SetImageList(images_);
}

void ProgramMenuDlg::FillTree(HTREEITEM parent, const std::vector<StartMenuEntry>& entries)
{
    fw::TreeView tree(hwnd_, IDC_PROGRAM_MENU_TREE);
    for (const StartMenuEntry& entry : entries) {
        TreeCtrlItemPM record;
        record.name = entry.name;
        record.path = entry.path;
        int image = kClosedFolder;
        if (!entry.folder) {
            SHFILEINFOA info{};
            if (::SHGetFileInfoA(entry.path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) &&
                info.hIcon) {
                record.icon = ImageList_AddIcon(images_, info.hIcon);
                ::DestroyIcon(info.hIcon);
            }
            image = record.icon >= 0 ? record.icon : kPlainEntry;
        }
        record.item = tree.Insert(parent, TVI_LAST, entry.name, 0, image, image);
        items_.push_back(record);
        if (entry.folder)
            FillTree(record.item, entry.entries);
    }
}

// ---- The tree ---------------------------------------------------------------------------------

bool ProgramMenuDlg::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_PROGRAM_MENU_TREE)
        return false;
    switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        OnSelectionChanged();
        return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
        OnExpanded(*reinterpret_cast<NMTREEVIEWA*>(header));
        return true;
    case NM_DBLCLK:
        // On an entry, a double click chooses it; on a folder it only opens or closes the folder.
        if (IsLeafSelected() && OnOK())
            EndDialog(IDOK);
        return true;
    }
    return false;
}

bool ProgramMenuDlg::IsLeafSelected() const
{
    fw::TreeView tree(hwnd_, IDC_PROGRAM_MENU_TREE);
    HTREEITEM selected = tree.Selected();
    return selected && !tree.Child(selected);
}

void ProgramMenuDlg::OnSelectionChanged()
{
    EnableItem(IDOK, IsLeafSelected());
}

void ProgramMenuDlg::OnExpanded(const NMTREEVIEWA& change)
{
    fw::TreeView tree(hwnd_, IDC_PROGRAM_MENU_TREE);
    const TreeCtrlItemPM* record = Record(change.itemNew.hItem);
    if (!record || record->icon >= 0 || !tree.Child(record->item))
        return;
    // The state the branch is in now, whatever the notification calls the change.
    const bool open = (tree.Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(record->item), TVIS_EXPANDED) &
                       TVIS_EXPANDED) != 0;
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = record->item;
    item.iImage = item.iSelectedImage = open ? kOpenFolder : kClosedFolder;
    tree.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

const TreeCtrlItemPM* ProgramMenuDlg::Record(HTREEITEM item) const
{
    for (const TreeCtrlItemPM& record : items_)
        if (record.item == item)
            return &record;
    return nullptr;
}

// ---- OK -----------------------------------------------------------------------------------------

bool ProgramMenuDlg::OnOK()
{
    // Enter on a folder opens nothing.
    if (!IsLeafSelected())
        return !fw::TreeView(hwnd_, IDC_PROGRAM_MENU_TREE).Selected();
    const TreeCtrlItemPM* record = Record(fw::TreeView(hwnd_, IDC_PROGRAM_MENU_TREE).Selected());
    if (!record)
        return true;
    const StartedProgram started = ResolveShortcut(record->path);
    program_ = started.program;
    arguments_ = started.arguments;
    if (icon_)
        *icon_ = record->icon >= 0 ? ProgramIconPicture(started.program) : nullptr;
    return true;
}

void ProgramMenuDlg::OnDestroy()
{
    fw::TreeView(hwnd_, IDC_PROGRAM_MENU_TREE).SetImageList(nullptr);
    if (images_)
        ImageList_Destroy(images_);
    images_ = nullptr;
}
