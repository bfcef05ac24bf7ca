// The overlay editor's menu commands: the edit commands on blocks and cells, the marker, undo and
// define, and the file commands: open, save, save and load, close.
#include "device/LoadKvoraDlg.h"
#include "editor/AutoCommandDlg.h"
#include "editor/BlockAppearance.h"
#include "editor/BlockColorDlg.h"
#include "editor/DefineBkDlg.h"
#include "editor/DefineBlockDlg.h"
#include "editor/EditOverlayDlg.h"
#include "editor/FontDlg.h"
#include "editor/OverlayPrinter.h"
#include "editor/TextPosDlg.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"
#include "store/OpenOverlayDlg.h"
#include "store/SaveDlg.h"
#include "store/SetKind.h"

bool EditOverlayDlg::OnCommand(int id, int)
{
    switch (id) {
    case ID_EDITOR_OPEN: OpenOther(); return true;
    case ID_EDITOR_SAVE: Save(); return true;
    case ID_EDITOR_SAVE_AND_LOAD: SaveAndLoad(); return true;
    case ID_EDITOR_PRINT: OnPrint(); return true;
    case ID_EDITOR_CLOSE:
    case ID_EDITOR_CLOSE_KEY: Close(); return true;
    case ID_EDITOR_UNDO: UndoEdit(); return true;
    case ID_EDITOR_CUT: CutBlock(); return true;
    case ID_EDITOR_COPY: CopyBlock(); return true;
    case ID_EDITOR_PASTE: PasteBlock(); return true;
    case ID_EDITOR_DELETE: DeleteBlock(); return true;
    case ID_EDITOR_CLEAR_SELECTION: ClearSelection(); return true;
    case ID_EDITOR_PLACE_MARKER:
    case ID_EDITOR_PLACE_MARKER_KEY: PlaceMarker(); return true;
    case ID_EDITOR_DEFINE:
    case ID_EDITOR_DEFINE_KEY: Define(); return true;
    case ID_EDITOR_COLOR:
    case ID_EDITOR_FONT:
    case ID_EDITOR_TEXT_PLACEMENT: ChangeAppearance(id); return true;
    case ID_EDITOR_VIEW_LAYOUT: SwitchView(OverlayEditModel::kLayoutView); return true;
    case ID_EDITOR_VIEW_COMMAND: SwitchView(OverlayEditModel::kCommandView); return true;
    case ID_EDITOR_VIEW_BACKGROUND: SwitchView(OverlayEditModel::kBackgroundView); return true;
    case ID_EDITOR_MARKER_RIGHT: MoveMarker(1); return true;
    case ID_EDITOR_MARKER_LEFT: MoveMarker(-1); return true;
    case ID_EDITOR_MARKER_UP: MoveMarker(-KeyGrid::kColumns); return true;
    case ID_EDITOR_MARKER_DOWN: MoveMarker(KeyGrid::kColumns); return true;
    case ID_EDITOR_MARKER_CLICK: MarkerClick(); return true;
    default: return false;
    }
}

// --- Blocks and cells ---

void EditOverlayDlg::CutBlock()
{
    if (model_.Selected() < 0)
        return;
    model_.Cut();
    UpdateMenus();
    Redraw();
}

void EditOverlayDlg::CopyBlock()
{
    if (model_.Selected() < 0)
        return;
    model_.Copy();
    UpdateMenus();
    Redraw();
}

void EditOverlayDlg::PasteBlock()
{
    switch (model_.Paste()) {
    case OverlayEditModel::PasteResult::Pasted:
        LoadPicture(model_.Current().back(), 0);
        UpdateMenus();
        Redraw();
        break;
    case OverlayEditModel::PasteResult::Refused:
        fw::ShowMessage(hwnd_, IDS_EDITOR_CANNOT_PLACE, IDS_EDITOR_PASTE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        break;
    default:
        break;
    }
}

void EditOverlayDlg::DeleteBlock()
{
    if (model_.Selected() < 0)
        return;
    if (fw::ShowMessage(hwnd_, IDS_EDITOR_DELETE_QUESTION, IDS_EDITOR_DELETE_CAPTION,
                        MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    model_.Delete();
    UpdateMenus();
    Redraw();
}

void EditOverlayDlg::ClearSelection()
{
    model_.ClearSelection();
    UpdateMenus();
    Redraw();
}

void EditOverlayDlg::PlaceMarker()
{
    model_.PlaceMarker();
    UpdateMenus();
    Redraw();
}

void EditOverlayDlg::MoveMarker(int step)
{
    if (!model_.MoveMarker(step)) {
        fw::Beep();
        return;
    }
    Redraw();
}

void EditOverlayDlg::MarkerClick()
{
    if (model_.Marker() < 0)
        return;
    model_.MarkerClick();
    UpdateMenus();
    Redraw();
}

// Undo may go back to the view the edit was made in: the view's pictures and menus follow.
void EditOverlayDlg::UndoEdit()
{
    const int viewBefore = model_.GetView();
    if (!model_.Undo())
        return;
    LoadPictures(model_.Current(), 0);
    if (model_.GetView() != viewBefore && model_.GetView() != OverlayEditModel::kBackgroundView)
        LoadPictures(model_.Background(), 1);
    SwitchView(model_.GetView());
}

// --- Define ---

void EditOverlayDlg::Define()
{
    Block edited;
    const int ready = model_.BeginDefine(edited);
    if (ready == 0) {
        fw::ShowMessage(hwnd_, IDS_EDITOR_NO_CELLS, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (ready < 0) {
        fw::ShowMessage(hwnd_, IDS_EDITOR_CELLS_NOT_JOINED, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (model_.GetView() == OverlayEditModel::kBackgroundView)
        DefineBackground();
    else
        DefineBlock();
}

void EditOverlayDlg::AfterDefine()
{
    if (Block* block = model_.SelectedBlock())
        LoadPicture(*block, 0);
    if (model_.GetView() == OverlayEditModel::kBackgroundView)
        RebuildEmptyGrid();
    UpdateMenus();
    Redraw();
}

namespace {

// The grid's cells and height scale the automatic font size the font dialog shows.
BlockDialogContext DialogContext(FileIO* fileIO, const KeyGrid& grid)
{
    return BlockDialogContext{fileIO, grid.CellRects(), grid.Geometry().cellHeight};
}

} // namespace

void EditOverlayDlg::DefineBlock()
{
    Block edited;
    if (model_.BeginDefine(edited) != 1)
        return;
    BlockCommandContext command;
    command.speechState = &speechState_;
    command.engine = speechEngine_;
    command.speaker = textSpeaker_;
    command.shortCommand = &shortCommand_;
    command.accessKvora = &accessKvora_;
    command.mouseReference = &mouseReference_;
    if (!::DefineBlock(hwnd_, edited, DialogContext(fileIO_, model_.Grid()), command))
        return;
    model_.CommitDefine(edited);
    AfterDefine();
}

void EditOverlayDlg::DefineBackground()
{
    Block edited;
    if (model_.BeginDefine(edited) != 1)
        return;
    if (!::DefineBackground(hwnd_, edited, DialogContext(fileIO_, model_.Grid())))
        return;
    model_.CommitDefine(edited);
    AfterDefine();
}

// The dialog works on a copy of the selected block, so Cancel leaves it untouched; the automatic
// font is shown without being written into the block.
void EditOverlayDlg::ChangeAppearance(int command)
{
    const Block* selected = model_.SelectedBlock();
    if (selected == nullptr)
        return;
    Block edited = *selected;
    bool changed = false;
    if (command == ID_EDITOR_COLOR) {
        changed = BlockColorDlg(edited, hwnd_).DoModal() == IDOK;
    } else if (command == ID_EDITOR_TEXT_PLACEMENT) {
        changed = TextPosDlg(edited, hwnd_).DoModal() == IDOK;
    } else {
        std::string defaultFont;
        fileIO_->GetDefaultFont(defaultFont);
        int size = 0;
        edited.FontSize(size, model_.Grid().CellRects(), model_.Grid().Geometry().cellHeight);
        changed = FontDlg(edited, appearance::AutomaticFontOf(edited, defaultFont, size), hwnd_).DoModal() == IDOK;
    }
    if (!changed)
        return;
    model_.ChangeSelected(edited);
    AfterDefine();
}

void EditOverlayDlg::DefineAutoCommand()
{
    AutoCommandDlg dialog(fileIO_, hwnd_);
    dialog.DoModal();
}

void EditOverlayDlg::OnPrint()
{
    if (printer_ == nullptr || printOptions_ == nullptr)
        return;
    // The sheet would carry the overlay's code over none of its blocks.
    if (unreadable_ || missing_) {
        fw::ShowMessage(hwnd_, IDS_EDITOR_UNREADABLE_PRINT, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OverlayPrintRequest request;
    request.owner = hwnd_;
    request.fileIO = fileIO_;
    request.printer = printer_;
    request.options = printOptions_;
    request.grid = &model_.Grid();
    request.readOnly = readOnly_;
    // Printed is what is stored: a modified overlay is saved first, and stays unprinted when it
    // could not be. A new overlay, touched or not, is stored only once it has a name: without one its
    // sheet would carry the code of a number that holds no overlay.
    request.save = [this] {
        Save();
        return !model_.IsModified() && !newOverlay_;
    };
    request.job = [this] {
        OverlayPrintJob job;
        job.documentName = Self().Text();
        job.number = number_;
        job.overlayName = overlayName_;
        job.setName = setName_;
        job.keys = &model_.Keys();
        job.background = &model_.Background();
        job.settings = settings_;
        job.defaultFont = defaultFont_;
        job.farEast = farEast_;
        return job;
    };
    // Outside the background view the background is dimmed on screen, but printed as it is.
    if (model_.GetView() != OverlayEditModel::kBackgroundView)
        request.loadBackgroundPictures = [this](bool forPrinter) {
            LoadPictures(model_.Background(), forPrinter ? 0 : 1);
        };
    RunOverlayPrint(request);
}

// --- Files ---

void EditOverlayDlg::OpenOther()
{
    std::string setName = setName_;
    std::string overlayName = overlayName_;
    int number = number_;
    int readOnly = readOnly_;
    if (OpenOverlayDlg(fileIO_, setName, overlayName, number, readOnly, hwnd_).DoModal() != IDOK)
        return;
    if (!QueryClose())
        return;
    setName_ = setName;
    overlayName_ = overlayName;
    number_ = number;
    readOnly_ = readOnly;
    templateName_.clear();
    openedAnother_ = true;
    LoadOverlay();
}

bool EditOverlayDlg::Save()
{
    if (readOnly_)
        return false;
    std::string name = overlayName_;
    if (newOverlay_ && fileIO_->IsTemplatesSet(setName_) && !fileIO_->TemplatesHaveRoom()) {
        fw::ShowMessage(hwnd_, IDS_EDITOR_TEMPLATES_FULL, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (newOverlay_ && SaveDlg(fileIO_, setName_, name, number_, hwnd_).DoModal() != IDOK)
        return false;
    fw::WaitCursor wait;
    FileIO::UnstorableValue unstorable;
    const int result = fileIO_->SaveOverlay(name, number_, setName_, model_.Keys(), model_.Background(), settings_,
                                            &unstorable,
                                            newOverlay_ ? FileIO::SaveTarget::kNewFile : FileIO::SaveTarget::kOwnFile);
    switch (result) {
    case FileIO::kNoRoom:
        fw::ShowMessage(hwnd_, IDS_EDITOR_TEMPLATES_FULL, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case FileIO::kNameTaken:
        fw::ShowMessage(hwnd_, IDS_OVERLAY_NAME_TAKEN, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case FileIO::kFileGone:
        fw::ShowMessage(hwnd_, IDS_EDITOR_FILE_GONE,
                        fw::FormatResString(IDS_EDITOR_FILE_GONE, fileIO_->OverlayPath(setName_, name).c_str()),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        return false;
    case FileIO::kUnstorable:
        ReportUnstorable(IDS_EDITOR_UNSTORABLE_ON_SAVE);
        return false;
    case FileIO::kNoName:
        fw::ShowMessage(hwnd_, IDS_EDITOR_NO_NAME, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case FileIO::kNotWritten:
        fw::ShowMessage(hwnd_, IDS_EDITOR_NOT_SAVED, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case FileIO::kRegisterUnreadable:
        commandmessages::TellUnreadableRegister(hwnd_, *fileIO_, IDS_REGISTER_REFUSED, setName_);
        return false;
    case FileIO::kNotRegistered:
        fw::ShowMessage(hwnd_, IDS_EDITOR_NOT_REGISTERED, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        break;
    default:
        break;
    }
    model_.SetModified(false);
    overlayName_ = name;
    if (!openedAnother_)
        opened_.name = name;
    newOverlay_ = 0;
    UpdateTitle();
    if (!SaveAccessKvoraFlag())
        return false;
    if (fileIO_->GetKeyboardModel() == FileIO::kModelUSB && SameSetName(setName_, fileIO_->GetCurrentSet()))
        fileIO_->NotifyDriver();
    return true;
}

// The save wrote the file without the flag. The flag marks an overlay with infrared commands in
// the main window's list: it goes once no key holds one, and a flag that cannot be written leaves
// the overlay modified, so the next save tries again.
bool EditOverlayDlg::SaveAccessKvoraFlag()
{
    if (!model_.HoldsInfraredCommand())
        accessKvora_ = 0;
    if (!accessKvora_ || fileIO_->SetAccessKvoraFlag(overlayName_, setName_, accessKvora_))
        return true;
    model_.SetModified(true);
    fw::ShowMessage(hwnd_, IDS_EDITOR_FLAG_NOT_SAVED, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void EditOverlayDlg::SaveAndLoad()
{
    if (readOnly_ || fileIO_->GetKeyboardModel() == FileIO::kModelUSB)
        return;
    if (!Save())
        return;
    LoadKvoraDlg(*fileIO_, setName_, hwnd_).DoModal();
}

bool EditOverlayDlg::QueryClose()
{
    return CloseQuestion::MayClose(
        model_.IsModified(), CanSave(),
        [this](CloseQuestion::Ask ask) {
            if (ask == CloseQuestion::kAskSave)
                return fw::ShowMessage(hwnd_, IDS_EDITOR_SAVE_QUESTION, IDS_EDITOR_SAVE_CAPTION,
                                       MB_YESNOCANCEL | MB_ICONQUESTION);
            return fw::ShowMessage(hwnd_, unreadable_ ? IDS_EDITOR_UNREADABLE_CLOSE : IDS_EDITOR_READ_ONLY_CLOSE,
                                   IDS_EDITOR_SAVE_CAPTION, MB_YESNO | MB_ICONEXCLAMATION);
        },
        [this] { return Save(); });
}

// The main window deletes the editor once this message has returned; nothing here runs after it.
void EditOverlayDlg::Close()
{
    if (closed_)
        return;
    fileIO_->SetShortCommandFlag(shortCommand_);
    if (!QueryClose())
        return;
    closed_ = true;
    if (owner_ != nullptr)
        ::SendMessageA(owner_, OverlayEditor::kClosedMessage, 0, 0);
}

bool EditOverlayDlg::OnCancel()
{
    Close();
    return false;
}
