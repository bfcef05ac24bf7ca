// The insert-picture browser.
#include "writer_settings/InsertImageXDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer_settings/UserFileMessages.h"
#include "writer_settings/Settings.h"
#include <algorithm>

namespace {

const SIZE kLargestPicture{1024, 768};
const COLORREF kBackground = RGB(192, 192, 192);
const COLORREF kFrameColour = RGB(0, 0, 127);
const int kButtonWidth = 45;
const int kButtonHeight = 40;
const int kSymbolSize = 50;

// Folder symbol i: 50 x 50 squares, 20 apart, from y 30 down the left side.
RECT SymbolRect(int index)
{
    return RECT{20, 30 + 70 * index, 20 + kSymbolSize, 30 + kSymbolSize + 70 * index};
}

} // namespace

InsertImageXDlg::InsertImageXDlg(PictureChoiceOwner& owner, CKvoraObject& result, int& rememberedFolder, HWND parent)
    : fw::Dialog(IDD_INSERT_IMAGE, parent),
      owner_(owner),
      result_(result),
      rememberedFolder_(rememberedFolder),
      reader_(imageBases_, exceptions_, owner.GetSettings().imageBaseIni_)
{
}

InsertImageXDlg::~InsertImageXDlg()
{
    if (treeImages_)
        ImageList_Destroy(treeImages_);
}

// --- Opening ---

bool InsertImageXDlg::OnInitDialog()
{
    const Settings& settings = owner_.GetSettings();
    pictureControl_ = owner_.GetPictureInterface();
    speech_ = settings.speechEngine_ >= 1;
    SetCaption(fw::LoadResString(IDS_INSERT_IMAGE_CAPTION));
    AttachButtons();
    CreateTreeImages();
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_INSERT_IMAGE_KEYS));
    selectionPen_.Reset(::CreatePen(PS_SOLID, frameWidth_, kFrameColour));
    greyBrush_.Reset(::CreateSolidBrush(RGB(128, 128, 128)));
    whiteBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    backgroundBrush_.Reset(::CreateSolidBrush(kBackground));
    messageFont_.Reset(::CreateFontA(-22, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 34, "Arial"));
    imageBases_.LoadBases(settings.imageBaseIni_, 1);
    exceptions_.Read(settings.programIni_);
    ReadFolders();
    LayOut();
    // A remembered folder the list no longer holds starts at the first, as a first opening does.
    int folder = rememberedFolder_;
    if (folder < 0 || folder >= static_cast<int>(folders_.size()))
        folder = folders_.empty() ? -1 : 0;
    LoadFolderContent(folder);
    return true;
}

// The pictures of OK, Cancel, PLAY, STOP and SCROLL; Cancel's text is then the Swedish word, which
// the picture stands for.
void InsertImageXDlg::AttachButtons()
{
    const int ids[] = {IDOK, IDCANCEL, IDC_BROWSER_PLAY, IDC_BROWSER_STOP, IDC_BROWSER_SCROLL};
    for (size_t i = 0; i < 5; ++i)
        buttons_[i].Attach(Item(ids[i]));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
}

void InsertImageXDlg::CreateTreeImages()
{
    treeImages_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    const int bitmaps[] = {IDB_TREE_PICTURE, IDB_TREE_FOLDER_CLOSED, IDB_TREE_FOLDER_OPEN};
    for (int id : bitmaps) {
        fw::Bitmap bitmap(static_cast<HBITMAP>(::LoadImageA(fw::ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0,
                                                            0, LR_CREATEDIBSECTION)));
        ImageList_AddMasked(treeImages_, bitmap, RGB(255, 255, 255));
    }
    Control<fw::TreeView>(IDC_BROWSER_TREE).SetImageList(treeImages_);
}

void InsertImageXDlg::ReadFolders()
{
    const Settings& settings = owner_.GetSettings();
    ReadFolderListOrSay(hwnd_, settings, folders_);
    BuildFolderSymbols();
}

void InsertImageXDlg::BuildFolderSymbols()
{
    folderSymbols_.clear();
    symbolRects_.clear();
    folderSymbols_.reserve(folders_.size());
    for (size_t i = 0; i < folders_.size(); ++i) {
        folderSymbols_.emplace_back();
        folderSymbols_.back().picturePath_ = folders_[i].symbol_;
        folderSymbols_.back().LoadPicture(pictureControl_, RGB(255, 255, 255), 1, kLargestPicture);
        symbolRects_.push_back(SymbolRect(static_cast<int>(i)));
    }
}

// The window takes most of the screen; the buttons stand at the right, SCROLL at the bottom, and the
// picture area fills the rest (beside the folder symbols when there are at least two).
void InsertImageXDlg::LayOut()
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int width = screenWidth * 6 / 7;
    const int height = screenHeight * 7 / 8;
    const int left = (screenWidth - width) / 2;
    const int top = (screenHeight - height) / 2;
    ::MoveWindow(hwnd_, left, top, width, height, TRUE);
    const RECT client = Self().ClientRect();

    const int columnTop = (client.bottom - 4 * kButtonHeight - 40) / 2;
    const int buttonLeft = client.right - 20 - kButtonWidth;
    const int column[] = {IDOK, IDCANCEL, IDC_BROWSER_PLAY, IDC_BROWSER_STOP};
    for (int i = 0; i < 4; ++i) {
        const int y = columnTop + i * (kButtonHeight + 20);
        Item(column[i]).Move(RECT{buttonLeft, y, buttonLeft + kButtonWidth, y + kButtonHeight});
    }
    const int scrollLeft = (client.right - kButtonWidth) / 2;
    const RECT scroll{scrollLeft, client.bottom - 20 - kButtonHeight, scrollLeft + kButtonWidth, client.bottom - 20};
    Item(IDC_BROWSER_SCROLL).Move(scroll);

    area_.left = folders_.size() >= 2 ? SymbolRect(0).right + 20 : 20;
    area_.top = 20;
    area_.right = buttonLeft - 20;
    area_.bottom = scroll.top - 20;
    Item(IDC_BROWSER_AREA).Move(area_);

    const int half = (area_.right - area_.left - 30) / 2;
    Item(IDC_BROWSER_TREE).Move(RECT{area_.left + 10, area_.top + 10, area_.left + 10 + half, area_.bottom - 10});
    const int previewTop = area_.top + (area_.bottom - area_.top - half) / 2;
    preview_ = RECT{area_.right - 10 - half, previewTop, area_.right - 10, previewTop + half};
    Item(IDC_BROWSER_PREVIEW).Move(preview_);
    Self().Invalidate();
}

// --- Folders ---

const ImageFolder* InsertImageXDlg::Folder() const
{
    if (currentFolder_ < 0 || currentFolder_ >= static_cast<int>(folders_.size()))
        return nullptr;
    return &folders_[static_cast<size_t>(currentFolder_)];
}

bool InsertImageXDlg::IsAlbum() const
{
    const ImageFolder* folder = Folder();
    return folder != nullptr && folder->displayType_ == ImageFolder::kAlbum;
}

// Shows folder N; a folder that cannot be read shows why instead (and PLAY speaks it). The result of
// an earlier selection goes with the folder it came from. A folder the list does not hold (-1, or
// none after the last was removed) shows nothing, and nothing is chosen.
void InsertImageXDlg::LoadFolderContent(int folder)
{
    const bool listed = folder >= 0 && folder < static_cast<int>(folders_.size());
    ShowPlay(false);
    ShowStop(false);
    currentFolder_ = listed ? folder : -1;
    cells_.clear();
    content_ = FolderContent();
    firstVisible_ = 0;
    currentPicture_ = -1;
    result_.Clear();
    ShowItem(IDC_BROWSER_SCROLL, false);
    ShowItem(IDC_BROWSER_TREE, false);
    ShowItem(IDC_BROWSER_PREVIEW, false);
    Control<fw::TreeView>(IDC_BROWSER_TREE).DeleteAll();
    if (listed) {
        content_ = reader_.Read(folders_[static_cast<size_t>(folder)]);
        if (!content_.message_.empty()) {
            ShowPlay(speech_);
        } else if (IsAlbum()) {
            grid_ = AlbumGrid::ForSize(Folder()->albumSize_);
            BuildCells();
        } else {
            FillTree();
            ShowItem(IDC_BROWSER_TREE, true);
            ShowItem(IDC_BROWSER_PREVIEW, true);
        }
    }
    Self().Invalidate();
    ::SetFocus(hwnd_);
}

// Tab: the next folder, the first after the last; with one folder, reading it again.
void InsertImageXDlg::OnNextFolder()
{
    if (folders_.empty())
        return;
    LoadFolderContent((currentFolder_ + 1) % static_cast<int>(folders_.size()));
}

// Ctrl+Alt+H: the folder dialog on the list as the file holds it; on OK the list is written and read
// again. A list that cannot be written is said so and the browser goes on with the list it had; a
// list file that cannot be read is said so and left as it is, without the dialog; one that has gone
// while the dialog was open is said so and not made again.
void InsertImageXDlg::OnEditFolders()
{
    const Settings& settings = owner_.GetSettings();
    std::vector<ImageFolder> working;
    const fw::FileRead listRead = ReadFolderListOrSay(hwnd_, settings, working);
    if (listRead == fw::FileRead::Unreadable)
        return;
    if (!owner_.EditFolderList(hwnd_, working))
        return;
    if (!ImageFolderSettings::SaveFolderList(settings.userFile_, settings.programIni_, working, listRead)) {
        if (FolderListGone(settings, listRead))
            SayUserFileNotSaved(hwnd_, ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_), true);
        else
            fw::ShowMessage(hwnd_, IDS_FOLDER_LIST_NOT_SAVED, IDS_KVORA_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ReadFolders();
    LayOut();
    LoadFolderContent(0);
}

// --- Album ---

void InsertImageXDlg::BuildCells()
{
    cells_ = grid_.BuildCells(area_);
    LoadPage();
    ShowItem(IDC_BROWSER_SCROLL, Pages().HasMorePagesThanOne());
}

AlbumPages InsertImageXDlg::Pages() const
{
    return AlbumPages(static_cast<int>(content_.pictures_.size()), grid_, firstVisible_, currentPicture_);
}

void InsertImageXDlg::LoadPage()
{
    const size_t end = std::min(content_.pictures_.size(), static_cast<size_t>(firstVisible_) + cells_.size());
    for (size_t i = static_cast<size_t>(firstVisible_); i < end; ++i) {
        if (!content_.pictures_[i].HasPicture())
            content_.pictures_[i].LoadPicture(pictureControl_, RGB(255, 255, 255), 1, kLargestPicture);
    }
}

// The pictures of the page left are released, so that only one page is held at a time.
void InsertImageXDlg::ChangePage(int first)
{
    const size_t end = std::min(content_.pictures_.size(), static_cast<size_t>(firstVisible_) + cells_.size());
    for (size_t i = static_cast<size_t>(firstVisible_); i < end; ++i)
        content_.pictures_[i].LoadPicture(nullptr, RGB(255, 255, 255), 0, kLargestPicture);
    firstVisible_ = first;
    LoadPage();
    RECT area = area_;
    ::InvalidateRect(hwnd_, &area, TRUE);
}

void InsertImageXDlg::Apply(const AlbumStep& step)
{
    if (step.first_ != firstVisible_)
        ChangePage(step.first_);
    if (step.select_ != AlbumStep::kNone)
        SelectAlbumPicture(step.select_);
    if (step.beep_)
        fw::Beep();
}

void InsertImageXDlg::SelectAlbumPicture(int picture)
{
    if (picture < 0 || picture >= static_cast<int>(content_.pictures_.size()))
        return;
    owner_.StopAllPlayback();
    ShowPlay(false);
    ShowStop(false);
    InvalidateCellOf(currentPicture_);
    currentPicture_ = picture;
    InvalidateCellOf(currentPicture_);

    CKvoraObject& chosen = content_.pictures_[static_cast<size_t>(picture)];
    const ImageFolder& folder = *Folder();
    if (folder.folderType_ == ImageFolder::kDiskFolder) {
        PictureFolderReader::FindSoundOf(folder, chosen);
        ShowPlay(owner_.HasMediaPlayer() && !chosen.soundPath_.empty());
    } else if (owner_.HasMediaPlayer() && !chosen.soundPath_.empty()) {
        ShowPlay(ImageBaseManager::FileExists(chosen.soundPath_) == 1);
    } else {
        ShowPlay(speech_ && !chosen.label_.empty());
    }
}

void InsertImageXDlg::InvalidateCellOf(int picture)
{
    const int cell = picture - firstVisible_;
    if (picture < 0 || cell < 0 || cell >= static_cast<int>(cells_.size()))
        return;
    RECT rect = cells_[static_cast<size_t>(cell)];
    ::InvalidateRect(hwnd_, &rect, TRUE);
}

void InsertImageXDlg::OnScroll()
{
    if (!Item(IDC_BROWSER_SCROLL).IsVisible())
        return;
    Apply(Pages().NextPage());
    ::SetFocus(hwnd_);
}

// Folder symbols first (with at least two folders), then the album's cells.
void InsertImageXDlg::OnClick(POINT point, bool twice)
{
    if (folders_.size() >= 2) {
        for (size_t i = 0; i < symbolRects_.size(); ++i) {
            if (::PtInRect(&symbolRects_[i], point)) {
                LoadFolderContent(static_cast<int>(i));
                return;
            }
        }
    }
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        const int picture = firstVisible_ + static_cast<int>(cell);
        if (picture < static_cast<int>(content_.pictures_.size()) && ::PtInRect(&cells_[cell], point)) {
            SelectAlbumPicture(picture);
            if (twice && OnOK())
                EndDialog(IDOK);
            return;
        }
    }
}

// --- List and tree ---

void InsertImageXDlg::FillTree()
{
    InsertTreeNodes(TVI_ROOT, content_.tree_);
}

void InsertImageXDlg::InsertTreeNodes(HTREEITEM parent, const std::vector<PictureTreeNode>& nodes)
{
    fw::TreeView tree = Control<fw::TreeView>(IDC_BROWSER_TREE);
    for (const PictureTreeNode& node : nodes) {
        HTREEITEM item = tree.Insert(parent, node.sorted_ ? TVI_SORT : TVI_LAST, node.text_, 0, node.image_, node.image_);
        InsertTreeNodes(item, node.children_);
    }
}

std::string InsertImageXDlg::TreePath(HTREEITEM item) const
{
    fw::TreeView tree = Control<fw::TreeView>(IDC_BROWSER_TREE);
    std::string path = tree.ItemText(item);
    for (HTREEITEM parent = tree.ParentOf(item); parent; parent = tree.ParentOf(parent))
        path = tree.ItemText(parent) + "\\" + path;
    return path;
}

void InsertImageXDlg::OnTreeSelection(HTREEITEM item)
{
    result_.Clear();
    owner_.StopAllPlayback();
    ShowPlay(false);
    ShowStop(false);
    const ImageFolder* folder = Folder();
    if (!item || !folder)
        return;
    reader_.ChooseFromTree(*folder, content_, TreePath(item), result_);
    ShowPlay(ListSoundPlayable());
    if (!result_.picturePath_.empty())
        result_.LoadPicture(pictureControl_, RGB(255, 255, 255), 1, kLargestPicture);
    ::InvalidateRect(hwnd_, &preview_, TRUE);
}

// A file tree looks its sounds up and plays them only with a media player; the other lists offer a
// sound that is there.
bool InsertImageXDlg::ListSoundPlayable() const
{
    const ImageFolder& folder = *Folder();
    if (folder.folderType_ == ImageFolder::kDiskFolder && folder.listStructure_ == 0)
        return owner_.HasMediaPlayer() && !result_.soundPath_.empty();
    return ImageBaseManager::FileExists(result_.soundPath_) == 1;
}

// A picture item is chosen at once; a folder or category only opens or closes.
void InsertImageXDlg::OnTreeDoubleClick()
{
    fw::TreeView tree = Control<fw::TreeView>(IDC_BROWSER_TREE);
    HTREEITEM item = tree.Selected();
    if (!item)
        return;
    TVITEMA data{};
    data.mask = TVIF_IMAGE | TVIF_HANDLE;
    data.hItem = item;
    tree.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    if (data.iImage >= 1)
        return;
    OnTreeSelection(item);
    if (OnOK())
        EndDialog(IDOK);
}

// --- Playing ---

void InsertImageXDlg::OnPlay()
{
    if (!Item(IDC_BROWSER_PLAY).IsVisible())
        return;
    owner_.StopAllPlayback();
    if (!content_.message_.empty()) {
        owner_.SpeakText(content_.message_);
        ShowStop(true);
        return;
    }
    const bool album = IsAlbum();
    if (album && (currentPicture_ < 0 || currentPicture_ >= static_cast<int>(content_.pictures_.size())))
        return;
    const CKvoraObject& picture = album ? content_.pictures_[static_cast<size_t>(currentPicture_)] : result_;
    if (owner_.HasMediaPlayer() && !picture.soundPath_.empty()) {
        if (owner_.PlayMediaFile(picture.soundPath_) && !album)
            ShowStop(true);
    } else if (!picture.label_.empty()) {
        owner_.SpeakText(picture.label_);
        ShowStop(true);
    }
}

void InsertImageXDlg::ShowPlay(bool show)
{
    ShowItem(IDC_BROWSER_PLAY, show);
}

void InsertImageXDlg::ShowStop(bool show)
{
    ShowItem(IDC_BROWSER_STOP, show);
}

void InsertImageXDlg::OnStop()
{
    owner_.StopAllPlayback();
    ShowStop(false);
}

void InsertImageXDlg::OnPlaybackStep()
{
    if (!owner_.IsPlaying())
        ShowStop(false);
}

// --- Commands ---

bool InsertImageXDlg::PreTranslateMessage(MSG& message)
{
    const bool arrow = message.message == WM_KEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN ||
                                                         message.wParam == VK_LEFT || message.wParam == VK_RIGHT);
    if (arrow && Folder() && !IsAlbum()) {
        HWND tree = Item(IDC_BROWSER_TREE).Handle();
        ::SetFocus(tree);
        message.hwnd = tree;
        return fw::Dialog::PreTranslateMessage(message);
    }
    if (accelerators_ && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    return fw::Dialog::PreTranslateMessage(message);
}

bool InsertImageXDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_BROWSER_PLAY:
    case ID_BROWSER_PLAY: OnPlay(); return true;
    case IDC_BROWSER_STOP:
    case ID_BROWSER_STOP: OnStop(); return true;
    case IDC_BROWSER_SCROLL:
    case ID_BROWSER_SCROLL: OnScroll(); return true;
    case ID_BROWSER_NEXT_FOLDER: OnNextFolder(); return true;
    case ID_BROWSER_EDIT_FOLDERS: OnEditFolders(); return true;
    case ID_BROWSER_RIGHT: Apply(Pages().Right()); return true;
    case ID_BROWSER_LEFT: Apply(Pages().Left()); return true;
    case ID_BROWSER_DOWN:
        if (IsAlbum())
            Apply(Pages().Down());
        return true;
    case ID_BROWSER_UP:
        if (IsAlbum())
            Apply(Pages().Up());
        return true;
    // The main window's keys that mean nothing here.
    case ID_BROWSER_BACKSPACE:
    case ID_BROWSER_DELETE:
    case ID_BROWSER_READ_ALOUD:
    case ID_BROWSER_PAUSE:
        return true;
    default:
        return false;
    }
}

bool InsertImageXDlg::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_BROWSER_TREE)
        return false;
    switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        OnTreeSelection(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
        return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        NMTREEVIEWA* change = reinterpret_cast<NMTREEVIEWA*>(header);
        TVITEMA item{};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        item.hItem = change->itemNew.hItem;
        item.iImage = item.iSelectedImage = change->action == TVE_EXPAND ? PictureTreeNode::kOpenFolder
                                                                          : PictureTreeNode::kClosedFolder;
        Item(IDC_BROWSER_TREE).Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return true;
    }
    case NM_DBLCLK:
        OnTreeDoubleClick();
        result = 0;
        return true;
    default:
        return false;
    }
}

// In the album the selected picture is copied (a disk file's name is no word, so it loses its label);
// in the list the result already holds the last selection.
bool InsertImageXDlg::OnOK()
{
    if (IsAlbum() && currentPicture_ >= 0 && currentPicture_ < static_cast<int>(content_.pictures_.size())) {
        result_ = content_.pictures_[static_cast<size_t>(currentPicture_)];
        if (Folder()->folderType_ == ImageFolder::kDiskFolder)
            result_.label_.clear();
    }
    rememberedFolder_ = currentFolder_;
    return true;
}

void InsertImageXDlg::OnDestroy()
{
    folders_.clear();
    folderSymbols_.clear();
    content_ = FolderContent();
    cells_.clear();
}

bool InsertImageXDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return true;
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(backgroundBrush_.Get());
        return true;
    case WM_DRAWITEM:
        for (const PictureButton& button : buttons_) {
            if (button.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                result = TRUE;
                return true;
            }
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                message == WM_LBUTTONDBLCLK);
        return true;
    default:
        return false;
    }
}

// --- Painting ---

void InsertImageXDlg::Paint()
{
    fw::PaintDC dc(hwnd_);
    if (folders_.size() >= 2) {
        for (size_t i = 0; i < folderSymbols_.size(); ++i)
            folderSymbols_[i].Draw(dc, symbolRects_[i], 1, 1, 1);
        if (currentFolder_ >= 0 && currentFolder_ < static_cast<int>(symbolRects_.size())) {
            RECT frame = symbolRects_[static_cast<size_t>(currentFolder_)];
            ::InflateRect(&frame, frameWidth_, frameWidth_);
            DrawFrame(dc, frame, selectionPen_);
        }
    }
    if (!content_.message_.empty()) {
        const int middle = (area_.top + area_.bottom) / 2;
        RECT text{area_.left + 10, middle - 40, area_.right - 10, middle + 40};
        fw::SelectObjectGuard font(dc, messageFont_);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextA(dc, content_.message_.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK);
        return;
    }
    if (IsAlbum())
        PaintAlbum(dc);
    else if (result_.HasPicture())
        result_.Draw(dc, preview_, 1, result_.options_.GetPresent(), 1);
}

void InsertImageXDlg::PaintAlbum(HDC dc)
{
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        const size_t picture = static_cast<size_t>(firstVisible_) + cell;
        if (picture >= content_.pictures_.size())
            break;
        RECT rect = cells_[cell];
        ::FillRect(dc, &rect, whiteBrush_);
        ::FrameRect(dc, &rect, greyBrush_);
        const CKvoraObject& object = content_.pictures_[picture];
        RECT inner = rect;
        ::InflateRect(&inner, -8, -8);
        object.Draw(dc, inner, 1, object.options_.GetPresent(), 1);
    }
    const int cell = currentPicture_ - firstVisible_;
    if (currentPicture_ >= 0 && cell >= 0 && cell < static_cast<int>(cells_.size())) {
        RECT frame = cells_[static_cast<size_t>(cell)];
        ::InflateRect(&frame, -frameWidth_, -frameWidth_);
        DrawFrame(dc, frame, selectionPen_);
    }
}

// A square of the pen's width along the rectangle's edge, nothing filled.
void InsertImageXDlg::DrawFrame(HDC dc, RECT rect, HPEN pen)
{
    fw::SelectObjectGuard selectPen(dc, pen);
    fw::SelectObjectGuard selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}
