// The word-to-picture search bar.
#include "writer_settings/WTIDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/IniFile.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"
#include <algorithm>

namespace {

const SIZE kLargestPicture{1024, 768};
const COLORREF kMarkColour = RGB(0, 0, 127);
// The shown page's pictures are decoded after a search or a page change, one per posted message.
// While the user's keys or clicks wait, the next picture waits for a timer, whose message comes after
// them: a key typed meanwhile is answered first.
const UINT kLoadMessage = WM_APP + 1;
const UINT_PTR kLoadTimer = 1;

} // namespace

WTIDlg::WTIDlg() : fw::Dialog(IDD_WORD_BAR) {}

WTIDlg::~WTIDlg()
{
    if (hwnd_)
        DestroyWindow();
}

bool WTIDlg::Create(HWND parent)
{
    return fw::Dialog::Create(IDD_WORD_BAR, parent);
}

void WTIDlg::Attach(WordBarOwner* owner, const std::string& imageBaseIni)
{
    owner_ = owner;
    imageBaseIni_ = imageBaseIni;
    imageBases_.LoadBases(imageBaseIni, 1);
    pictureControl_ = owner_->GetPictureInterface();
    // The hits were made from the store just reloaded: the strip forgets them with them.
    ForgetHits();
    // Kept as the program ini gives it; nothing uses it yet.
    textImage_ = ini::ReadString(owner_->GetSettings().programIni_, "Defaults", "TextImage").substr(0, 255);
}

bool WTIDlg::OnInitDialog()
{
    SetItemText(IDC_WORD_BAR_PROMPT, fw::LoadResString(IDS_WORD_BAR_PROMPT));
    SetItemText(IDC_WORD_BAR_EXACT, fw::LoadResString(IDS_WORD_BAR_EXACT));
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_WORD_BAR_KEYS));
    frameWidth_ = 4;
    whiteBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    markPen_.Reset(::CreatePen(PS_SOLID, frameWidth_, kMarkColour));
    ShowItem(IDC_WORD_BAR_MORE, false);
    return true;
}

void WTIDlg::OnDestroy()
{
    KillTimer(kLoadTimer);
    cells_.clear();
    hits_.Clear();
    searched_ = false;
    strip_.Reset(0, 0);
}

void WTIDlg::Place(const RECT& rect)
{
    Self().Move(rect);
    const RECT client = Self().ClientRect();
    fw::Window more = Item(IDC_WORD_BAR_MORE);
    const RECT before = more.RectInParent();
    const int side = before.right - before.left;
    const int top = (client.bottom - (before.bottom - before.top)) / 2;
    more.Move(RECT{client.right - 5 - side, top, client.right - 5, top + side});
    const RECT word = Item(IDC_WORD_BAR_WORD).RectInParent();
    stripRect_ = RECT{word.right + 5, 1, client.right - 5 - side - 5, client.bottom};
    cells_ = BuildHitCells(stripRect_, frameWidth_);
    strip_.Relayout(static_cast<int>(cells_.size()));
    ShowItem(IDC_WORD_BAR_MORE, strip_.HasMorePagesThanOne());
    LoadShownPictures();
    Self().Invalidate();
}

int WTIDlg::GetFocusControl() const
{
    if (cells_.empty())
        return 0;
    if (FocusIsOn(IDC_WORD_BAR_WORD))
        return IDC_WORD_BAR_WORD;
    if (FocusIsOn(IDC_WORD_BAR_FOCUS))
        return IDC_WORD_BAR_FOCUS;
    return 0;
}

bool WTIDlg::FocusIsOn(int id) const
{
    HWND focus = ::GetFocus();
    return focus != nullptr && focus == Item(id).Handle();
}

void WTIDlg::Clear()
{
    SetItemText(IDC_WORD_BAR_WORD, std::string());
    ForgetHits();
}

void WTIDlg::ForgetHits()
{
    hits_.Clear();
    searched_ = false;
    loadPending_ = false;
    strip_.Reset(0, static_cast<int>(cells_.size()));
    if (!hwnd_)
        return;
    ShowItem(IDC_WORD_BAR_MORE, false);
    InvalidateStrip();
}

void WTIDlg::ResetHits()
{
    strip_.Mark(-1);
    InvalidateStrip();
    Item(IDC_WORD_BAR_WORD).Send(EM_SETSEL, 0, -1);
    Item(IDC_WORD_BAR_WORD).SetFocus();
    active_ = true;
}

void WTIDlg::EnterHits()
{
    Item(IDC_WORD_BAR_FOCUS).SetFocus();
    strip_.Mark(strip_.First());
    InvalidateStrip();
    active_ = true;
}

void WTIDlg::LeaveHits()
{
    if (cells_.empty())
        return;
    Item(IDC_WORD_BAR_FOCUS).SetFocus();
    strip_.Mark(-1);
    InvalidateStrip();
    active_ = false;
}

bool WTIDlg::PreTranslateMessage(MSG& message)
{
    if (!hwnd_ || (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)))
        return false;
    if (accelerators_ && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    // The main window hands every other character to the document: the word's own stay here.
    if (message.message == WM_CHAR && message.hwnd == Item(IDC_WORD_BAR_WORD).Handle()) {
        ::DispatchMessageA(&message);
        return true;
    }
    return false;
}

bool WTIDlg::OnCommand(int id, int code)
{
    switch (id) {
    case ID_WORD_BAR_ENTER: OnEnter(); return true;
    case ID_WORD_BAR_EXIT: owner_->OnExit(); return true;
    case ID_WORD_BAR_TAB: owner_->OnTab(); return true;
    case ID_WORD_BAR_RIGHT: OnRight(); return true;
    case ID_WORD_BAR_LEFT: OnLeft(); return true;
    case ID_WORD_BAR_MORE: OnNextPage(); return true;
    case IDC_WORD_BAR_MORE:
        if (code == BN_CLICKED)
            OnNextPage();
        return true;
    case IDC_WORD_BAR_EXACT:
        if (code == BN_CLICKED)
            Item(IDC_WORD_BAR_WORD).SetFocus();
        return true;
    case IDC_WORD_BAR_WORD:
        if (code == EN_SETFOCUS)
            OnWordFocused();
        else if (code == EN_CHANGE)
            InvalidateStrip(); // the word entry shows the word as it now reads
        return true;
    // The main window's other keys in table 138 do nothing here.
    case ID_WORD_BAR_LARGE_PICTURE:
    case ID_WORD_BAR_INSERT_PICTURE:
    case ID_WORD_BAR_NEGATION:
    case ID_WORD_BAR_NEW:
    case ID_WORD_BAR_READ_ALOUD:
    case ID_WORD_BAR_OPEN:
    case ID_WORD_BAR_PRINT:
    case ID_WORD_BAR_HELPER_MENU:
        return true;
    default:
        return false;
    }
}

void WTIDlg::OnWordFocused()
{
    owner_->StopAllPlayback();
    active_ = true;
    owner_->RedrawDocumentCaret();
}

void WTIDlg::OnEnter()
{
    if (FocusIsOn(IDC_WORD_BAR_FOCUS) && strip_.Marked() >= 0)
        InsertMarkedHit();
    else if (!ItemText(IDC_WORD_BAR_WORD).empty())
        Search();
}

// Every picture whose word matches, base by base, then the word itself as the last hit.
void WTIDlg::Search()
{
    std::string word = ItemText(IDC_WORD_BAR_WORD);
    std::vector<Image> found;
    imageBases_.FindImagesByText(word, found, IsChecked(IDC_WORD_BAR_EXACT) ? 1 : 0);
    hits_.Reset(std::move(found), imageBases_);
    searched_ = true;
    strip_.Reset(GetHitCount(), static_cast<int>(cells_.size()));
    LoadShownPictures();
    strip_.Mark(0);
    Item(IDC_WORD_BAR_FOCUS).SetFocus();
    ShowItem(IDC_WORD_BAR_MORE, strip_.HasMorePagesThanOne());
    InvalidateStrip();
}

// A picture goes in as its code resolves now, with the base's sound when the user has no speech; the
// word entry writes the typed word and a space, as the user typed it (the document keeps '<' and '>'
// as text).
void WTIDlg::InsertMarkedHit()
{
    const int marked = strip_.Marked();
    if (hits_.IsWordEntry(marked)) {
        owner_->InsertText(ItemText(IDC_WORD_BAR_WORD) + " ");
    } else {
        CKvoraObject picture(hits_.At(marked));
        std::string path, text, sound;
        ImageBaseOptions options;
        int metafileBase = 0;
        if (imageBases_.ResolveCode(picture.code_, path, text, options, &sound, imageBaseIni_, &metafileBase, 1) &&
            owner_->GetSettings().speechEngine_ == 0)
            picture.soundPath_ = sound;
        owner_->InsertObject(picture);
    }
    ResetHits();
}

void WTIDlg::OnRight()
{
    if (FocusIsOn(IDC_WORD_BAR_FOCUS))
        ApplyMove(strip_.Right());
    else
        MoveWordCaret(1);
}

void WTIDlg::OnLeft()
{
    if (FocusIsOn(IDC_WORD_BAR_FOCUS))
        ApplyMove(strip_.Left());
    else
        MoveWordCaret(-1);
}

// One character right or left, nothing selected, never past either end.
void WTIDlg::MoveWordCaret(int by)
{
    fw::Window word = Item(IDC_WORD_BAR_WORD);
    DWORD start = 0;
    DWORD end = 0;
    word.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int length = static_cast<int>(word.Send(WM_GETTEXTLENGTH));
    const int caret = std::max(0, std::min(length, static_cast<int>(end) + by));
    word.Send(EM_SETSEL, static_cast<WPARAM>(caret), static_cast<LPARAM>(caret));
}

void WTIDlg::OnNextPage()
{
    Item(IDC_WORD_BAR_FOCUS).SetFocus();
    ApplyMove(strip_.NextPage());
}

void WTIDlg::ApplyMove(const HitStrip::Move& move)
{
    if (move.pageChanged_)
        LoadShownPictures();
    if (move.beep_)
        fw::Beep();
    InvalidateStrip();
}

void WTIDlg::LoadShownPictures()
{
    loadPending_ = true;
    ScheduleLoad();
}

void WTIDlg::ScheduleLoad()
{
    if (loadPosted_ || !hwnd_)
        return;
    loadPosted_ = true;
    Self().Post(kLoadMessage);
}

void WTIDlg::OnLoadMessage()
{
    loadPosted_ = false;
    if (!loadPending_)
        return;
    if (HIWORD(::GetQueueStatus(QS_INPUT)) != 0) {
        SetTimer(kLoadTimer, 0);
        return;
    }
    if (LoadNextShownPicture())
        ScheduleLoad();
    else
        loadPending_ = false;
}

// One picture of the shown page that is not loaded yet; false when there is none left.
bool WTIDlg::LoadNextShownPicture()
{
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        const int hit = strip_.HitIn(static_cast<int>(cell));
        if (hit < 0)
            break;
        if (hits_.PictureTried(hit))
            continue;
        // Tried once: a picture that cannot be shown stays without picture.
        hits_.SetPictureTried(hit);
        CKvoraObject& object = hits_.At(hit);
        if (!object.HasPicture() && !object.picturePath_.empty()) {
            object.LoadPicture(pictureControl_, RGB(255, 255, 255), 0, kLargestPicture);
            ::InvalidateRect(hwnd_, &cells_[cell], FALSE);
            return true;
        }
    }
    return false;
}

void WTIDlg::OnTimer(UINT_PTR id)
{
    if (id != kLoadTimer)
        return;
    KillTimer(kLoadTimer);
    ScheduleLoad();
}

void WTIDlg::OnClick(POINT point, bool twice)
{
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        const int hit = strip_.HitIn(static_cast<int>(cell));
        if (hit >= 0 && ::PtInRect(&cells_[cell], point)) {
            strip_.Mark(hit);
            InvalidateStrip();
            Item(IDC_WORD_BAR_FOCUS).SetFocus();
            active_ = true;
            if (twice)
                OnEnter();
            return;
        }
    }
}

void WTIDlg::InvalidateStrip()
{
    if (hwnd_)
        ::InvalidateRect(hwnd_, &stripRect_, TRUE);
}

bool WTIDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return true;
    case kLoadMessage:
        OnLoadMessage();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (!::PtInRect(&stripRect_, point))
            return false;
        OnClick(point, message == WM_LBUTTONDBLCLK);
        return true;
    }
    default:
        return false;
    }
}

void WTIDlg::Paint()
{
    fw::PaintDC dc(hwnd_);
    fw::SelectObjectGuard font(dc, reinterpret_cast<HGDIOBJ>(Self().Send(WM_GETFONT)));
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = ::SetTextColor(dc, RGB(0, 0, 0));
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        const int hit = strip_.HitIn(static_cast<int>(cell));
        if (hit < 0)
            break;
        ::FillRect(dc, &cells_[cell], whiteBrush_);
        if (hits_.IsWordEntry(hit))
            PaintWordEntry(dc, cells_[cell]);
        else
            PaintPicture(dc, cells_[cell], hits_.At(hit));
    }
    ::SetTextColor(dc, previousColour);
    ::SetBkMode(dc, previousMode);
    const int markedCell = strip_.CellOf(strip_.Marked());
    if (markedCell < 0)
        return;
    RECT mark = cells_[static_cast<size_t>(markedCell)];
    ::InflateRect(&mark, frameWidth_, frameWidth_);
    fw::SelectObjectGuard pen(dc, markPen_);
    fw::SelectObjectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, mark.left, mark.top, mark.right, mark.bottom);
}

// A cell of the strip is small: a label drawn to the cell's width would be a few pixels high. The
// word goes across the top in the bar's own font, the picture below it.
void WTIDlg::PaintPicture(HDC dc, const RECT& cell, const CKvoraObject& picture) const
{
    RECT picturePart = cell;
    if (!picture.label_.empty()) {
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        RECT caption{cell.left, cell.top, cell.right, std::min(cell.bottom, cell.top + metrics.tmHeight)};
        ::DrawTextA(dc, picture.label_.c_str(), static_cast<int>(picture.label_.size()), &caption,
                    DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        picturePart.top = caption.bottom;
    }
    picture.Draw(dc, picturePart, 1, 0, 1);
}

// The last hit writes the typed word: its cell shows that word.
void WTIDlg::PaintWordEntry(HDC dc, const RECT& cell) const
{
    const std::string word = ItemText(IDC_WORD_BAR_WORD);
    RECT area = cell;
    ::DrawTextA(dc, word.c_str(), static_cast<int>(word.size()), &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
