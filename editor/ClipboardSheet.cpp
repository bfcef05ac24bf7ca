// The clipboard picture wizard.
#include "editor/ClipboardSheet.h"
#include "editor/SubDialogTexts.h"
#include "framework/Cursor.h"
#include "framework/FileRequest.h"
#include "framework/Files.h"
#include "framework/Gdi.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/ImageBaseManager.h"
#include "skarpin/resource.h"
#include <windowsx.h>

namespace {

PictureControl* ControlOf(const std::unique_ptr<CImagXpress>& picture)
{
    return picture ? picture->GetInterface().get() : nullptr;
}

} // namespace

// ---- CropRect -----------------------------------------------------------------------------------

void CropRect::Show(const std::shared_ptr<PictureControl>& picture)
{
    picture_ = picture;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    shown_ = picture_ && picture_->HasPicture() ? clipboard::FitPicture(picture_->Width(), picture_->Height(), client)
                                                : RECT{};
    selection_ = shown_;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

clipboard::MinimumSize CropRect::Minimum() const
{
    return {::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME)};
}

bool CropRect::TrySelection(const RECT& selection)
{
    if (!clipboard::Accepts(selection, shown_, Minimum()))
        return false;
    selection_ = selection;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

// Inside the selection but on no handle, a drag moves the whole selection.
HCURSOR CropRect::CursorFor(int handle)
{
    HCURSOR sizing = fw::SizingCursor(handle);
    return sizing ? sizing : ::LoadCursor(nullptr, IDC_SIZEALL);
}

LRESULT CropRect::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: {
        fw::PaintDC dc(hwnd_);
        Paint(dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        ::SetCursor(CursorFor(handle_));
        return TRUE;
    case WM_MOUSEMOVE:
        if (!pressed_) {
            handle_ = clipboard::HandleAt(selection_, point);
            ::SetCursor(CursorFor(handle_));
        } else {
            TrySelection(clipboard::DragSelection(before_, handle_, {point.x - anchor_.x, point.y - anchor_.y}));
        }
        return 0;
    case WM_LBUTTONDOWN:
        ::SetCapture(hwnd_);
        pressed_ = true;
        anchor_ = point;
        before_ = selection_;
        handle_ = clipboard::HandleAt(selection_, point);
        return 0;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ::ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

// Drawn whole into a bitmap first, so a drag does not flicker.
void CropRect::Paint(HDC dc) const
{
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    HDC memory = ::CreateCompatibleDC(dc);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        fw::SelectObjectGuard selected(memory, bitmap);
        ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        if (picture_ && picture_->HasPicture())
            picture_->Draw(memory, shown_);
        if (fw::Width(selection_) > 0) {
            // Black and white dashes show on any picture.
            fw::Pen pen(::CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
            fw::SelectObjectGuard pens(memory, pen);
            fw::SelectObjectGuard brushes(memory, ::GetStockObject(NULL_BRUSH));
            ::SetBkMode(memory, OPAQUE);
            ::SetBkColor(memory, RGB(255, 255, 255));
            ::Rectangle(memory, selection_.left, selection_.top, selection_.right, selection_.bottom);
        }
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    ::DeleteDC(memory);
}

// ---- Paste page ---------------------------------------------------------------------------------

ClipboardDlg_Paste::ClipboardDlg_Paste(ClipboardWork& work)
    : fw::PropertyPage(IDD_CLIPBOARD_PASTE, IDS_CLIP_PASTE_TITLE), work_(work)
{
}

ClipboardDlg_Paste::~ClipboardDlg_Paste() = default;

bool ClipboardDlg_Paste::OnInitDialog()
{
    picture_ = CImagXpress::InFrame(hwnd_, IDC_CLIP_PICTURE_FRAME);
    if (work_.hasPlace)
        subdialog::MoveCornerTo(Sheet(), work_.place, subdialog::Corner::TopLeft);
    return true;
}

bool ClipboardDlg_Paste::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    return true;
}

bool ClipboardDlg_Paste::OnCommand(int id, int code)
{
    if (id != IDC_CLIP_PASTE || code != BN_CLICKED)
        return false;
    OnPaste();
    return true;
}

// What the page shows is what the working file holds: nothing when the clipboard held no picture.
void ClipboardDlg_Paste::OnPaste()
{
    PictureControl* control = ControlOf(picture_);
    if (!control)
        return;
    control->Clear();
    if (!control->PasteFromClipboard() || !control->SaveFile(work_.workFile, PictureFileType::Jpeg)) {
        control->Clear();
        ::DeleteFileA(work_.workFile.c_str());
        fw::Beep();
        return;
    }
    control->SetFileName(work_.workFile);
}

void ClipboardDlg_Paste::OnDestroy()
{
    picture_.reset();
}

// ---- Crop page ----------------------------------------------------------------------------------

ClipboardDlg_Crop::ClipboardDlg_Crop(ClipboardWork& work)
    : fw::PropertyPage(IDD_CLIPBOARD_CROP, IDS_CLIP_CROP_TITLE), work_(work), crop_(*this)
{
}

ClipboardDlg_Crop::~ClipboardDlg_Crop() = default;

bool ClipboardDlg_Crop::OnInitDialog()
{
    // A decoder only: the crop area draws the picture itself, under the selection.
    picture_ = std::make_unique<CImagXpress>(hwnd_, IDC_CLIP_CROP_AREA, nullptr, 0, 0, 0, 0);
    crop_.SubclassDlgItem(IDC_CLIP_CROP_AREA, hwnd_);
    return true;
}

bool ClipboardDlg_Crop::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (PictureControl* control = ControlOf(picture_)) {
        if (!fw::PathExists(work_.workFile) || !control->SetFileName(work_.workFile))
            control->Clear();
    }
    cropped_ = false;
    ShowPicture();
    ::SetCursor(previous);
    return true;
}

void ClipboardDlg_Crop::ShowPicture()
{
    crop_.Show(picture_ ? picture_->GetInterface() : nullptr);
    factor_ = 1.0;
    UpdateButtons();
}

void ClipboardDlg_Crop::UpdateButtons()
{
    PictureControl* control = ControlOf(picture_);
    const bool picture = control && control->HasPicture();
    EnableItem(IDC_CLIP_ENLARGE, picture && clipboard::CanEnlarge(crop_.Selection(), crop_.Shown()));
    EnableItem(IDC_CLIP_SHRINK, picture && clipboard::CanShrink(crop_.Selection(), crop_.Minimum()));
    EnableItem(IDC_CLIP_CROP, picture);
    EnableItem(IDC_CLIP_UNDO, cropped_);
}

bool ClipboardDlg_Crop::OnCommand(int id, int code)
{
    switch (id) {
    case ID_CLIP_RIGHT: Step(1, 0); return true;
    case ID_CLIP_LEFT: Step(-1, 0); return true;
    case ID_CLIP_UP: Step(0, -1); return true;
    case ID_CLIP_DOWN: Step(0, 1); return true;
    case ID_CLIP_ENLARGE: Resize(clipboard::kFactorStep); return true;
    case ID_CLIP_SHRINK: Resize(-clipboard::kFactorStep); return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_CLIP_ENLARGE: Resize(clipboard::kFactorStep); return true;
    case IDC_CLIP_SHRINK: Resize(-clipboard::kFactorStep); return true;
    case IDC_CLIP_CROP: OnCrop(); return true;
    case IDC_CLIP_UNDO: OnUndo(); return true;
    }
    return false;
}

void ClipboardDlg_Crop::Step(int dx, int dy)
{
    RECT moved = crop_.Selection();
    ::OffsetRect(&moved, dx, dy);
    crop_.TrySelection(moved);
}

void ClipboardDlg_Crop::Resize(double step)
{
    const bool allowed = step > 0 ? clipboard::CanEnlarge(crop_.Selection(), crop_.Shown())
                                  : clipboard::CanShrink(crop_.Selection(), crop_.Minimum());
    if (!allowed || fw::Width(crop_.Shown()) == 0) {
        fw::Beep();
        return;
    }
    factor_ += step;
    crop_.TrySelection(clipboard::ScaleSelection(crop_.Selection(), factor_, crop_.Shown()));
    UpdateButtons();
}

// The crop goes into the working file at once and the whole cropped picture is selected again, so
// the save page never crops it a second time.
void ClipboardDlg_Crop::OnCrop()
{
    PictureControl* control = ControlOf(picture_);
    if (!control || !control->HasPicture())
        return;
    const RECT area = clipboard::MapToPicture(crop_.Selection(), crop_.Shown(), control->Width(), control->Height());
    if (!control->Crop(area)) {
        fw::Beep();
        return;
    }
    control->SaveFile(work_.workFile, PictureFileType::Jpeg);
    ShowPicture();
    cropped_ = true;
    UpdateButtons();
}

void ClipboardDlg_Crop::OnUndo()
{
    PictureControl* control = ControlOf(picture_);
    if (!control || !control->Undo())
        return;
    control->SaveFile(work_.workFile, PictureFileType::Jpeg);
    cropped_ = false;
    ShowPicture();
}

LRESULT ClipboardDlg_Crop::OnWizardBack()
{
    crop_.ClearSelection();
    cropped_ = false;
    work_.hasSelection = false;
    return 0;
}

LRESULT ClipboardDlg_Crop::OnWizardNext()
{
    // A selection smaller than the picture that was not cropped yet is applied by the save page.
    const RECT& selection = crop_.Selection();
    const RECT& shown = crop_.Shown();
    PictureControl* control = ControlOf(picture_);
    work_.hasSelection =
        control && control->HasPicture() && !::EqualRect(&selection, &shown) && fw::Width(selection) > 0;
    if (work_.hasSelection)
        work_.selection = clipboard::MapToPicture(selection, shown, control->Width(), control->Height());
    return 0;
}

void ClipboardDlg_Crop::OnDestroy()
{
    crop_.Detach();
    picture_.reset();
}

// ---- Save page ----------------------------------------------------------------------------------

ClipboardDlg_Save::ClipboardDlg_Save(ClipboardWork& work)
    : fw::PropertyPage(IDD_CLIPBOARD_SAVE, IDS_CLIP_SAVE_TITLE), work_(work)
{
}

ClipboardDlg_Save::~ClipboardDlg_Save() = default;

bool ClipboardDlg_Save::OnInitDialog()
{
    picture_ = CImagXpress::InFrame(hwnd_, IDC_CLIP_PICTURE_FRAME);
    return true;
}

bool ClipboardDlg_Save::OnSetActive()
{
    // Proposed once: a name the user typed or browsed to stays when the page is left and entered again.
    if (ItemText(IDC_CLIP_FILE_NAME).empty())
        SetItemText(IDC_CLIP_FILE_NAME, clipboard::ProposedName(work_.folder, fw::PathExists));
    PictureControl* control = ControlOf(picture_);
    bool picture = false;
    if (control) {
        // Loaded anew each time, so a selection is applied to the picture once.
        if (!fw::PathExists(work_.workFile) || !control->SetFileName(work_.workFile))
            control->Clear();
        if (work_.hasSelection && control->HasPicture())
            control->Crop(work_.selection);
        picture = control->HasPicture();
    }
    // Without a picture there is nothing to save: Finish waits for one.
    SetWizardButtons(PSWIZB_BACK | (picture ? PSWIZB_FINISH : PSWIZB_DISABLEDFINISH));
    return true;
}

bool ClipboardDlg_Save::OnCommand(int id, int code)
{
    if (id != IDC_CLIP_BROWSE || code != BN_CLICKED)
        return false;
    OnBrowse();
    return true;
}

void ClipboardDlg_Save::OnBrowse()
{
    fw::FileRequest request(hwnd_, ItemText(IDC_CLIP_FILE_NAME), fw::LoadResString(IDS_CLIP_FILTER),
                        fw::LoadResString(IDS_CLIP_BROWSE_TITLE), std::string(),
                        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT);
    if (!fw::ShowSaveFileDialog(request.request))
        return;
    // The dialog asked about the name chosen; the extension may make it another file.
    const std::string chosen = clipboard::WithJpegExtension(request.Chosen());
    replaceAgreed_ = chosen == request.Chosen() ? chosen : std::string();
    SetItemText(IDC_CLIP_FILE_NAME, chosen);
}

bool ClipboardDlg_Save::MayWrite(const std::string& file) const
{
    if (!fw::PathExists(file) || file == replaceAgreed_)
        return true;
    return fw::ShowMessage(hwnd_, IDS_CLIP_REPLACE, fw::FormatResString(IDS_CLIP_REPLACE, file.c_str()),
                           fw::LoadResString(IDS_CLIP_SAVE_TITLE), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The name becomes the result only once the picture stands in that file.
bool ClipboardDlg_Save::OnWizardFinish()
{
    PictureControl* control = ControlOf(picture_);
    const std::string typed = ItemText(IDC_CLIP_FILE_NAME);
    if (!control || !control->HasPicture() || typed.empty()) {
        fw::Beep();
        return false;
    }
    const std::string name = clipboard::FileInFolder(typed, work_.folder);
    if (!MayWrite(name))
        return false;
    std::string folder = fw::FolderOf(name);
    ImageBaseManager::CreatePath(folder);
    if (!control->SaveFile(name, PictureFileType::Jpeg)) {
        fw::ShowMessage(hwnd_, IDS_CLIP_NOT_SAVED, fw::FormatResString(IDS_CLIP_NOT_SAVED, name.c_str()),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
        return false;
    }
    work_.saved = name;
    return true;
}

void ClipboardDlg_Save::OnDestroy()
{
    picture_.reset();
}

// ---- The sheet ----------------------------------------------------------------------------------

std::string ClipboardSheet::WorkFilePath()
{
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return fw::Format("%skvora.jpg", folder);
}

ClipboardSheet::ClipboardSheet(HWND parent, const std::string& folder, const POINT* at)
    : fw::PropSheet(0, parent), paste_(work_), crop_(work_), save_(work_)
{
    work_.folder = folder;
    work_.workFile = WorkFilePath();
    if (at) {
        work_.hasPlace = true;
        work_.place = *at;
    }
    ::DeleteFileA(work_.workFile.c_str());
    AddPage(&paste_);
    AddPage(&crop_);
    AddPage(&save_);
    SetWizardMode();
    keys_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_CLIPBOARD_KEYS));
}

ClipboardSheet::~ClipboardSheet() = default;

bool ClipboardSheet::PreTranslateMessage(MSG& message)
{
    if (keys_ && ActivePage() == &crop_ && ::TranslateAcceleratorA(crop_.Handle(), keys_, &message))
        return true;
    return fw::PropSheet::PreTranslateMessage(message);
}

bool RunClipboardWizard(HWND owner, const std::string& folder, const POINT* at, std::string& saved)
{
    ClipboardSheet sheet(owner, folder, at);
    if (sheet.DoModal() != fw::kWizardFinish || sheet.Saved().empty())
        return false;
    saved = sheet.Saved();
    return true;
}
