// The overlay editor window: opening, loading an overlay, the three views, painting, the title and
// menu states, and the window placement it shares with the main window.
#include "editor/EditOverlayDlg.h"
#include "components/TextSpeaker.h"
#include "editor/BlockDefinition.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/BabTTS.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/SetKind.h"

namespace {

// Posted to the editor itself once an overlay is loaded: what the user must know of it is said when
// the window stands, not inside its creation.
const UINT kReportLoad = WM_APP + 1;
// What kReportLoad's wParam says of the file.
enum LoadReport { kReadWhole, kDamagedLines, kUnreadable, kMissing };

} // namespace

EditOverlayDlg::EditOverlayDlg(const OverlayEditorRequest& request)
    : fw::Dialog(IDD_EDIT_OVERLAY, request.mainWindow),
      owner_(request.mainWindow),
      fileIO_(request.fileIO),
      printOptions_(request.printOptions),
      printer_(request.printer),
      speechEngine_(request.speechEngine),
      textSpeaker_(request.textSpeaker),
      opened_{request.setName, request.number, request.overlayName},
      ownerRect_(request.screenRect),
      setName_(request.setName),
      overlayName_(request.overlayName),
      templateName_(request.templateName),
      number_(request.number),
      readOnly_(request.readOnly),
      whiteBrush_(::CreateSolidBrush(RGB(255, 255, 255)))
{
    letter_ = fileIO_->GetPrintFormat();
    farEast_ = ::lstrcmpiA(fileIO_->applicationName_.c_str(), "Japanese") == 0 ? 1 : 0;
    shortCommand_ = fileIO_->GetShortCommandFlag();
    fileIO_->GetDefaultFont(defaultFont_);
}

EditOverlayDlg::~EditOverlayDlg()
{
    if (hwnd_ != nullptr)
        DestroyWindow();
    if (contextMenu_ != nullptr)
        ::DestroyMenu(contextMenu_);
}

OverlayEditorFactory EditOverlayDlg::Factory()
{
    return [](const OverlayEditorRequest& request) -> std::unique_ptr<OverlayEditor> {
        auto editor = std::make_unique<EditOverlayDlg>(request);
        if (!editor->Create(IDD_EDIT_OVERLAY, request.mainWindow))
            return nullptr;
        return editor;
    };
}

bool EditOverlayDlg::OnInitDialog()
{
    menu_ = ::GetMenu(hwnd_);
    contextMenu_ = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_EDITOR_CONTEXT_MENU));
    if (fileIO_->GetKeyboardModel() == FileIO::kModelUSB)
        ::DeleteMenu(menu_, ID_EDITOR_SAVE_AND_LOAD, MF_BYCOMMAND);
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_EDITOR_ACCELERATORS));
    pictures_ = std::make_shared<PictureControl>();

    // The main window's size first, then its placement: the two windows stand in one place. The
    // editor's own size changes here are not the user's, so they are not copied back.
    sharingPlacement_ = true;
    ::MoveWindow(hwnd_, ownerRect_.left, ownerRect_.top, ownerRect_.right - ownerRect_.left,
                 ownerRect_.bottom - ownerRect_.top, FALSE);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (owner_ != nullptr && ::GetWindowPlacement(owner_, &placement))
        ::SetWindowPlacement(hwnd_, &placement);
    sharingPlacement_ = false;
    const RECT client = Self().ClientRect();
    LayoutGrid(client.right, client.bottom);
    LoadOverlay();
    return true;
}

void EditOverlayDlg::OnDestroy()
{
    if (emptyGridPrevious_ != nullptr)
        ::SelectObject(emptyGridDC_, emptyGridPrevious_);
    emptyGridPrevious_ = nullptr;
}

// --- Loading ---

void EditOverlayDlg::LoadOverlay()
{
    fw::WaitCursor wait;
    std::vector<Block> keys;
    std::vector<Block> background;
    settings_ = KeyboardSettings();
    accessKvora_ = 0;
    unreadable_ = false;
    missing_ = false;
    int loaded = FileIO::kLoaded;
    newOverlay_ = overlayName_.empty() ? 1 : 0;
    if (newOverlay_) {
        FileIO::ReadKeyboardSettings(fileIO_->SetRegisterPath(setName_), settings_);
        if (!templateName_.empty()) {
            KeyboardSettings templateSettings;
            loaded = fileIO_->LoadOverlay(fileIO_->OverlayPath(fileIO_->templatesSetName_, templateName_), keys,
                                          background, templateSettings);
        }
    } else {
        const std::string path = fileIO_->OverlayPath(setName_, overlayName_);
        loaded = fileIO_->LoadOverlay(path, keys, background, settings_);
        accessKvora_ = fileIO_->GetAccessKvoraFlag(overlayName_, setName_);
        // A file that is there but cannot be read (locked, not ours to read, too large, another text
        // form) would show as an empty overlay, and a save would replace it with that; one that has
        // gone would be made anew. Either is shown read-only.
        missing_ = loaded == FileIO::kNotOpened && fw::IsAbsent(path);
        unreadable_ = loaded == FileIO::kNotOpened && !missing_;
        if (unreadable_ || missing_)
            readOnly_ = 1;
    }
    model_.Load(std::move(keys), std::move(background));
    // Each overlay starts from the voices there are now: the engine may have come up since the
    // editor opened, and the content dialog may have changed the state for the last overlay.
    const bool engineHasVoice = speechEngine_ != nullptr && speechEngine_->GetNumVoices() > 0;
    const bool speakerHasVoice = textSpeaker_ != nullptr && textSpeaker_->VoiceCount() > 0;
    speechState_ = engineHasVoice || speakerHasVoice ? 1 : 0;
    LoadPictures(model_.Keys(), 0);
    LoadPictures(model_.Background(), model_.GetView() == OverlayEditModel::kBackgroundView ? 0 : 1);

    ::EnableMenuItem(menu_, ID_EDITOR_SAVE, MF_BYCOMMAND | (readOnly_ ? MF_GRAYED : MF_ENABLED));
    const bool loadable = !readOnly_ && fileIO_->GetKeyboardModel() != FileIO::kModelUSB && !IsStandardSet() &&
                          !fileIO_->IsTemplatesSet(setName_);
    ::EnableMenuItem(menu_, ID_EDITOR_SAVE_AND_LOAD, MF_BYCOMMAND | (loadable ? MF_ENABLED : MF_GRAYED));
    SwitchView(model_.GetView());
    const LoadReport report = unreadable_                    ? kUnreadable
                              : missing_                     ? kMissing
                              : loaded == FileIO::kDamaged ? kDamagedLines
                                                             : kReadWhole;
    Self().Post(kReportLoad, static_cast<WPARAM>(report));
}

void EditOverlayDlg::LoadPictures(std::vector<Block>& blocks, int dimmed)
{
    for (Block& block : blocks)
        LoadPicture(block, dimmed);
}

void EditOverlayDlg::LoadPicture(Block& block, int dimmed)
{
    block.LoadPicture(pictures_, dimmed, 1, fw::FolderOf(fileIO_->windowsSettingsFile_));
}

std::string EditOverlayDlg::BlockName(int section, int index) const
{
    const std::vector<Block>& blocks = section == 0 ? model_.Keys() : model_.Background();
    std::string cell = "?";
    if (index >= 0 && index < static_cast<int>(blocks.size()) && !blocks[static_cast<size_t>(index)].cells_.empty()) {
        const RECT& range = blocks[static_cast<size_t>(index)].cells_.front();
        if (Block::IsValidRange(range))
            cell = std::string(1, static_cast<char>('A' + range.left)) + std::to_string(range.top + 1);
    }
    return fw::FormatResString(section == 0 ? IDS_EDITOR_KEY_BLOCK : IDS_EDITOR_BACKGROUND_BLOCK, index + 1,
                               cell.c_str());
}

// Names the first block the file could not hold as it is, and the field, so it can be mended.
void EditOverlayDlg::ReportUnstorable(UINT textId)
{
    const FileIO::UnstorableValue value = model_.FindUnstorable();
    if (value.field == FileIO::BlockField::None)
        return;
    const std::string text = fw::FormatResString(textId, BlockName(value.section, value.index).c_str(),
                                                 fw::LoadResString(blockdef::FieldTextId(value.field)).c_str());
    fw::ShowMessage(hwnd_, textId, text, fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
}

// --- Views and drawing ---

void EditOverlayDlg::SwitchView(int view)
{
    if (model_.SetView(view))
        LoadPictures(model_.Background(), view == OverlayEditModel::kBackgroundView ? 0 : 1);
    ::CheckMenuRadioItem(menu_, ID_EDITOR_VIEW_LAYOUT, ID_EDITOR_VIEW_BACKGROUND, ID_EDITOR_VIEW_LAYOUT + view,
                         MF_BYCOMMAND);
    RebuildEmptyGrid();
    UpdateMenus();
    UpdateTitle();
    Redraw();
}

void EditOverlayDlg::LayoutGrid(int width, int height)
{
    model_.Grid().Layout(width, height, letter_);
    RebuildEmptyGrid();
}

// The white grid with its captions and, under the keys, the background blocks: painting starts
// from it, and erasing a block copies it back.
void EditOverlayDlg::RebuildEmptyGrid()
{
    if (hwnd_ == nullptr)
        return;
    const RECT client = Self().ClientRect();
    const int width = client.right > 0 ? client.right : 1;
    const int height = client.bottom > 0 ? client.bottom : 1;
    fw::WindowDC screen(hwnd_);
    if (emptyGridPrevious_ != nullptr)
        ::SelectObject(emptyGridDC_, emptyGridPrevious_);
    emptyGrid_.Reset(::CreateCompatibleBitmap(screen, width, height));
    emptyGridPrevious_ = ::SelectObject(emptyGridDC_, emptyGrid_);
    const RECT all{0, 0, width, height};
    ::FillRect(emptyGridDC_, &all, whiteBrush_);
    const KeyGrid& grid = model_.Grid();
    grid.DrawCellTexts(emptyGridDC_);
    if (model_.GetView() != OverlayEditModel::kBackgroundView) {
        for (const Block& block : model_.Background())
            block.Draw(emptyGridDC_, grid.CellRects(), grid.Geometry().cellHeight, defaultFont_, farEast_, 0, 0,
                       nullptr);
    }
    grid.DrawLines(emptyGridDC_);
}

void EditOverlayDlg::Redraw()
{
    if (hwnd_ != nullptr)
        ::InvalidateRect(hwnd_, nullptr, FALSE);
}

// Drawn off screen and copied at once, so a drag never flickers.
void EditOverlayDlg::Paint()
{
    fw::PaintDC paint(hwnd_);
    const RECT client = Self().ClientRect();
    if (client.right <= 0 || client.bottom <= 0)
        return;
    fw::MemoryDC canvas(paint);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(paint, client.right, client.bottom));
    fw::SelectObjectGuard selected(canvas, bitmap);
    ::BitBlt(canvas, 0, 0, client.right, client.bottom, emptyGridDC_, 0, 0, SRCCOPY);

    const KeyGrid& grid = model_.Grid();
    for (int cell = 0; cell < KeyGrid::kCellCount; ++cell) {
        if (grid.IsCellSelected(cell) && grid.GetCellValue(cell) == 0)
            grid.FillCell(canvas, cell);
    }
    for (const Block& block : model_.Current()) {
        if (model_.GetView() == OverlayEditModel::kCommandView)
            block.DrawCommand(canvas, grid.CellRects(), farEast_);
        else
            block.Draw(canvas, grid.CellRects(), grid.Geometry().cellHeight, defaultFont_, farEast_, 0, 0, nullptr);
    }
    if (model_.IsDragging())
        model_.Working().DrawFrame(canvas, grid.CellRects(), RGB(0, 0, 0), 2, 0, 0, nullptr);
    const int marker = model_.Marker();
    if (marker >= 0) {
        const int covering = model_.BlockAt(marker);
        if (covering >= 0) {
            fw::Region area(model_.Current()[static_cast<size_t>(covering)].BuildRegion(grid.CellRects(), nullptr));
            KeyGrid::DrawMarker(canvas, area);
        } else
            grid.FrameCell(canvas, marker);
    }
    ::BitBlt(paint, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
}

bool EditOverlayDlg::IsStandardSet() const
{
    return SameSetName(setName_, fileIO_->standardOverlaySetName_);
}

void EditOverlayDlg::UpdateTitle()
{
    std::string title;
    if (!overlayName_.empty())
        title = fw::Format("%s : %s", setName_.c_str(), overlayName_.c_str());
    else if (IsStandardSet())
        title = fw::Format("%s : %s", setName_.c_str(), fw::LoadResString(IDS_EDITOR_NEW_NAME).c_str());
    else
        title = fw::Format("%s : <%d>", setName_.c_str(), number_);
    if (model_.GetView() == OverlayEditModel::kCommandView)
        title += "   **** " + fw::LoadResString(IDS_EDITOR_COMMAND_WORD) + " ****";
    else if (model_.GetView() == OverlayEditModel::kBackgroundView)
        title += "   **** " + fw::LoadResString(IDS_EDITOR_BACKGROUND_WORD) + " ****";
    SetCaption(title);
}

void EditOverlayDlg::SetDefineItem(HMENU menu) const
{
    const bool background = model_.GetView() == OverlayEditModel::kBackgroundView;
    const bool selected = model_.Selected() >= 0;
    const UINT textId = background ? (selected ? IDS_EDITOR_CHANGE_BACKGROUND : IDS_EDITOR_NEW_BACKGROUND)
                                   : (selected ? IDS_EDITOR_CHANGE_BLOCK : IDS_EDITOR_NEW_BLOCK);
    const std::string text = fw::LoadResString(textId);
    ::ModifyMenuA(menu, ID_EDITOR_DEFINE, MF_BYCOMMAND | MF_STRING, ID_EDITOR_DEFINE, text.c_str());
    const bool definable = selected || model_.HasSelectedFreeCell();
    ::EnableMenuItem(menu, ID_EDITOR_DEFINE, MF_BYCOMMAND | (definable ? MF_ENABLED : MF_GRAYED));
}

void EditOverlayDlg::SetPasteItem(HMENU menu) const
{
    const bool pastable = model_.HasClipboard() && model_.HasSelectedFreeCell();
    ::EnableMenuItem(menu, ID_EDITOR_PASTE, MF_BYCOMMAND | (pastable ? MF_ENABLED : MF_GRAYED));
}

// The commands that work on the selected block: available only while a block is selected.
void EditOverlayDlg::SetSelectedBlockItems(HMENU menu) const
{
    const bool selected = model_.Selected() >= 0;
    for (UINT id : {ID_EDITOR_COPY, ID_EDITOR_CUT, ID_EDITOR_DELETE, ID_EDITOR_COLOR, ID_EDITOR_FONT,
                    ID_EDITOR_TEXT_PLACEMENT})
        ::EnableMenuItem(menu, id, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
}

// The edit menu after every change of the selection, and the undo item after every edit.
void EditOverlayDlg::UpdateMenus()
{
    if (menu_ == nullptr)
        return;
    SetDefineItem(menu_);
    SetPasteItem(menu_);
    SetSelectedBlockItems(menu_);
    const bool selected = model_.Selected() >= 0;
    ::EnableMenuItem(menu_, ID_EDITOR_CLEAR_SELECTION,
                     MF_BYCOMMAND | (selected || model_.HasSelectedFreeCell() ? MF_ENABLED : MF_GRAYED));

    static const UINT kUndoTexts[] = {IDS_EDITOR_UNDO,        IDS_EDITOR_UNDO_MOVE,  IDS_EDITOR_UNDO_RESIZE,
                                      IDS_EDITOR_UNDO_CUT,    IDS_EDITOR_UNDO_PASTE, IDS_EDITOR_UNDO_DELETE,
                                      IDS_EDITOR_UNDO_DEFINE};
    const int kind = static_cast<int>(model_.GetUndoKind());
    const std::string undo = fw::LoadResString(kUndoTexts[kind]);
    ::ModifyMenuA(menu_, ID_EDITOR_UNDO, MF_BYCOMMAND | MF_STRING, ID_EDITOR_UNDO, undo.c_str());
    ::EnableMenuItem(menu_, ID_EDITOR_UNDO, MF_BYCOMMAND | (kind != 0 ? MF_ENABLED : MF_GRAYED));
    ::DrawMenuBar(hwnd_);
}

// --- Size and placement ---

// The main window passes its own client size, which need not be the editor's: the grid is laid
// out for the editor's client area, which is where it is drawn.
void EditOverlayDlg::OnSize(UINT type, int, int)
{
    if (type == SIZE_MINIMIZED || hwnd_ == nullptr)
        return;
    const RECT client = Self().ClientRect();
    LayoutGrid(client.right, client.bottom);
    Redraw();
}

// The user sized, minimised or maximised the editor: the main window takes the same placement, and
// the editor comes back to the front.
void EditOverlayDlg::SharePlacement()
{
    if (owner_ == nullptr)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(hwnd_, &placement))
        return;
    sharingPlacement_ = true;
    ::SetWindowPlacement(owner_, &placement);
    sharingPlacement_ = false;
    ::SetForegroundWindow(hwnd_);
    ::SetFocus(hwnd_);
}

bool EditOverlayDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_GETMINMAXINFO:
        Self().LayMaximisedOnWorkArea(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_PAINT:
        Paint();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(whiteBrush_.Get());
        return true;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            LayoutGrid(LOWORD(lParam), HIWORD(lParam));
            Redraw();
        }
        if (!sharingPlacement_)
            SharePlacement();
        return true;
    case WM_NCLBUTTONDBLCLK:
        // A double click on the caption would maximise or restore: the placement is the main window's too.
        return wParam == HTCAPTION;
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        return true;
    case WM_LBUTTONUP:
        OnLButtonUp(point, wParam);
        return true;
    case WM_CAPTURECHANGED:
        OnCaptureLost();
        return true;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(point);
        return true;
    case WM_RBUTTONDOWN:
        OnRButtonDown(point);
        return true;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetSizingCursor(model_.ResizeHandle())) {
            result = TRUE;
            return true;
        }
        return false;
    case kReportLoad:
        if (wParam == kUnreadable)
            fw::ShowMessage(hwnd_, IDS_EDITOR_UNREADABLE,
                            fw::FormatResString(IDS_EDITOR_UNREADABLE,
                                                fileIO_->OverlayPath(setName_, overlayName_).c_str()),
                            fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        if (wParam == kMissing)
            fw::ShowMessage(hwnd_, IDS_EDITOR_MISSING,
                            fw::FormatResString(IDS_EDITOR_MISSING, fileIO_->OverlayPath(setName_, overlayName_).c_str()),
                            fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        if (wParam == kDamagedLines)
            fw::ShowMessage(hwnd_, IDS_EDITOR_DAMAGED, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        ReportUnstorable(IDS_EDITOR_UNSTORABLE_ON_OPEN);
        return true;
    default:
        return false;
    }
}
