// The open-document dialog.
#include "writer/OpenDocDlg.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer/CMorvelDlg.h"
#include "writer/DocumentMetrics.h"
#include <algorithm>

namespace {

const int kButtonIds[] = {IDOK, IDCANCEL, IDC_OPENDOC_NEXT_DOCUMENT, IDC_OPENDOC_PLAY, IDC_OPENDOC_PAUSE,
                          IDC_OPENDOC_NEXT_PAGE};
const int kMargin = 10;
const int kButtonGap = 20;

SIZE SizeOf(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

OpenDocDlg::OpenDocDlg(CMorvelDlg& owner, std::string& path, SIZE documentClient,
                       std::shared_ptr<PictureControl> pictures)
    : fw::Dialog(IDD_OPEN_DOCUMENT, owner.Handle()), owner_(owner), path_(path), documentClient_(documentClient),
      pictures_(std::move(pictures)), model_(*this)
{
    measurer_ = std::make_unique<GdiTextMeasurer>(measuringDC_.Get(),
                                                  static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

OpenDocDlg::~OpenDocDlg() = default;

bool OpenDocDlg::OnInitDialog()
{
    fw::WaitCursor wait;
    SetCaption(fw::LoadResString(IDS_MORVEL_OPEN));
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].Attach(::GetDlgItem(hwnd_, kButtonIds[i]));
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_OPEN_DOCUMENT_KEYS));
    ::SetScrollRange(Item(IDC_OPENDOC_SCROLLBAR), SB_CTL, 0, 0, FALSE);
    PlaceControls();
    ComputePreviewMetrics();
    FileIO::ListDocuments(documents_, owner_.GetSettings().userDir_);
    shown_ = -1;
    if (documents_.empty())
        ShowItem(IDC_OPENDOC_NEXT_DOCUMENT, false);
    else
        ShowNextDocument();
    return true;
}

// 6/7 of the screen's width and 7/8 of its height, centred; the preview fills the left, the buttons
// stand in a column at the right and the next-document button under the preview.
void OpenDocDlg::PlaceControls()
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int width = screenWidth * 6 / 7;
    const int height = screenHeight * 7 / 8;
    ::MoveWindow(hwnd_, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, FALSE);
    RECT client;
    ::GetClientRect(hwnd_, &client);

    const SIZE button = SizeOf(Item(IDOK));
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int nextTop = client.bottom - kMargin - button.cy;
    ::MoveWindow(Item(IDC_OPENDOC_NEXT_DOCUMENT), (client.right - button.cx) / 2, nextTop, button.cx, button.cy, FALSE);
    const int columnLeft = client.right - kMargin - button.cx;
    preview_ = RECT{kMargin, kMargin, columnLeft - kMargin - scrollWidth - kMargin, nextTop - kMargin};
    ::MoveWindow(Item(IDC_OPENDOC_PREVIEW), preview_.left, preview_.top, preview_.right - preview_.left,
                 preview_.bottom - preview_.top, FALSE);
    ::MoveWindow(Item(IDC_OPENDOC_SCROLLBAR), preview_.right + kMargin / 2, preview_.top, scrollWidth,
                 preview_.bottom - preview_.top, FALSE);
    ::MoveWindow(Item(IDC_OPENDOC_NEXT_PAGE), (client.right - button.cx) / 2 + button.cx + kButtonGap, nextTop,
                 button.cx, button.cy, FALSE);

    const int groupHeight = 3 * button.cy + 2 * kButtonGap;
    int top = (client.bottom - groupHeight) / 2;
    for (int id : {IDOK, IDCANCEL, IDC_OPENDOC_PLAY, IDC_OPENDOC_PAUSE}) {
        ::MoveWindow(Item(id), columnLeft, top, button.cx, button.cy, FALSE);
        top += button.cy + kButtonGap;
    }
    const Settings& settings = owner_.GetSettings();
    ShowItem(IDC_OPENDOC_PLAY, settings.speechEngine_ != 0 && settings.showReadButton_ != 0);
    ShowItem(IDC_OPENDOC_PAUSE, false);
    ShowItem(IDC_OPENDOC_NEXT_PAGE, false);
}

// The document window's metrics as they are: a font shrunk to the preview would measure its
// characters with other roundings and break the lines elsewhere. The preview shrinks the painting.
void OpenDocDlg::ComputePreviewMetrics()
{
    const Settings& settings = owner_.GetSettings();
    fw::WindowDC screen(nullptr);
    const double screenScale =
        document_metrics::ScreenFontScale(::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, LOGPIXELSX));
    font_.Reset(document_metrics::CreateDocumentFont(document_metrics::DocumentFont(settings, screenScale, ANSI_CHARSET)));
    measurer_ = std::make_unique<GdiTextMeasurer>(measuringDC_.Get(), font_.Get());
    const int spaceWidth = measurer_->CharExtent(' ').cx;
    const RECT area{0, 0, documentClient_.cx - document_metrics::kClientRightMargin, documentClient_.cy};
    model_.SetScreenFrame(document_metrics::ScreenFrame(area, settings, spaceWidth));
    background_.Reset(::CreateSolidBrush(Settings::ColorFromIndex(settings.bkColor_)));
}

void OpenDocDlg::ShowNextDocument()
{
    // The document read aloud goes, and what of it plays or is paused with it.
    owner_.StopAllPlayback();
    ShowItem(IDC_OPENDOC_PAUSE, false);
    speech_.ResetPlayList();
    shown_ = shown_ + 1 >= static_cast<int>(documents_.size()) ? 0 : shown_ + 1;
    std::vector<DocItem> items;
    std::vector<CKvoraObject> images;
    {
        fw::WaitCursor wait;
        owner_.GetFileIO().ReadDocument(items, images, documents_[static_cast<size_t>(shown_)].path_);
    }
    model_.Clear();
    model_.items_ = std::move(items);
    model_.items_.emplace_back('\n');
    model_.images_.Assign(images);
    model_.ReloadPictures();
    model_.Layout();
    model_.currentPage_ = 0;

    HWND bar = Item(IDC_OPENDOC_SCROLLBAR);
    ::SetScrollRange(bar, SB_CTL, 0, model_.lastPage_, FALSE);
    ::SetScrollPos(bar, SB_CTL, 0, TRUE);
    ShowItem(IDC_OPENDOC_NEXT_PAGE, model_.lastPage_ > 0 && owner_.GetSettings().showBrowseButton_ != 0);
    ShowItem(IDC_OPENDOC_SCROLLBAR, model_.lastPage_ > 0);
    ::InvalidateRect(hwnd_, &preview_, TRUE);
}

void OpenDocDlg::ShowPage(int page)
{
    model_.currentPage_ = page;
    ::SetScrollPos(Item(IDC_OPENDOC_SCROLLBAR), SB_CTL, page, TRUE);
    ::InvalidateRect(hwnd_, &preview_, TRUE);
}

void OpenDocDlg::NextPage(bool wrap)
{
    if (shown_ < 0 || (model_.currentPage_ >= model_.lastPage_ && (!wrap || model_.lastPage_ == 0))) {
        Beep();
        return;
    }
    ShowPage(model_.currentPage_ >= model_.lastPage_ ? 0 : model_.currentPage_ + 1);
}

void OpenDocDlg::PreviousPage()
{
    if (shown_ < 0 || model_.currentPage_ == 0) {
        Beep();
        return;
    }
    ShowPage(model_.currentPage_ - 1);
}

// The shown document read aloud by the document window's rule, through the main window's playback;
// the main window hands each end of a step back here.
void OpenDocDlg::OnReadAloud()
{
    const Settings& settings = owner_.GetSettings();
    if (!settings.showReadButton_)
        return;
    owner_.StopAllPlayback();
    if (shown_ < 0)
        return;
    speech_.Attach(&owner_);
    speech_.BuildPlayList();
    ShowSpeechReport();
    ShowItem(IDC_OPENDOC_PAUSE, settings.showPauseButton_ != 0 && !speech_.PlayList().empty());
}

bool OpenDocDlg::OnPlaybackStep()
{
    if (speech_.PlayList().empty())
        return false;
    const bool started = speech_.PlayNextStep() != 0;
    ShowSpeechReport();
    return started;
}

void OpenDocDlg::ShowSpeechReport()
{
    const UINT report = speech_.TakeReport();
    if (report)
        fw::ShowMessage(hwnd_, report, IDS_PLAYBACK_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
}

void OpenDocDlg::OnPlaybackEnded()
{
    ShowItem(IDC_OPENDOC_PAUSE, false);
}

bool OpenDocDlg::PreTranslateMessage(MSG& message)
{
    if (accelerators_ && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    return fw::Dialog::PreTranslateMessage(message);
}

bool OpenDocDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_OPENDOC_NEXT_DOCUMENT:
    case ID_KEY_OPEN:
        if (documents_.empty())
            Beep();
        else
            ShowNextDocument();
        return true;
    case IDC_OPENDOC_NEXT_PAGE:
    case ID_KEY_NEXT_PAGE:
        NextPage(true);
        return true;
    case IDC_OPENDOC_PLAY:
    case ID_KEY_READ_ALOUD:
        OnReadAloud();
        return true;
    case IDC_OPENDOC_PAUSE:
    case ID_KEY_PAUSE:
        if (owner_.GetSettings().showPauseButton_)
            owner_.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_PAUSE, 0), 0);
        return true;
    case ID_DOC_HOME:
        if (shown_ < 0)
            Beep();
        else
            ShowPage(model_.PageOf(0));
        return true;
    case ID_DOC_END:
        if (shown_ < 0)
            Beep();
        else
            ShowPage(model_.PageOf(static_cast<int>(model_.FinalIndex())));
        return true;
    case ID_DOC_PAGE_DOWN:
        NextPage(false);
        return true;
    case ID_DOC_PAGE_UP:
        PreviousPage();
        return true;
    default:
        return false;
    }
}

bool OpenDocDlg::OnOK()
{
    if (shown_ >= 0)
        path_ = documents_[static_cast<size_t>(shown_)].path_;
    return true;
}

void OpenDocDlg::OnDestroy()
{
    model_.images_.Clear();
}

bool OpenDocDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd_, &paint);
        Paint(dc);
        ::EndPaint(hwnd_, &paint);
        result = 0;
        return true;
    }
    case WM_DRAWITEM:
        if (!DrawPictureButton(buttons_, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return false;
        result = TRUE;
        return true;
    case WM_VSCROLL:
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
        case SB_PAGEUP:
        case SB_TOP:
            PreviousPage();
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
        case SB_BOTTOM:
            NextPage(false);
            break;
        default:
            break;
        }
        result = 0;
        return true;
    default:
        return false;
    }
}

void OpenDocDlg::Paint(HDC dc)
{
    ::FillRect(dc, &preview_, background_.Get() ? background_.Get() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (shown_ < 0)
        return;
    // The document window's page, shrunk evenly into the preview.
    const int width = std::max<LONG>(1, documentClient_.cx);
    const int height = std::max<LONG>(1, documentClient_.cy);
    const double scale = std::min((preview_.right - preview_.left) / static_cast<double>(width),
                                  (preview_.bottom - preview_.top) / static_cast<double>(height));
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, preview_.left, preview_.top, preview_.right, preview_.bottom);
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, width, height, nullptr);
    ::SetViewportExtEx(dc, std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale)),
                       nullptr);
    ::SetViewportOrgEx(dc, preview_.left, preview_.top, nullptr);
    ::SelectObject(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Settings::ColorFromIndex(owner_.GetSettings().textColor_));
    const auto items = model_.ItemsOfPage(model_.items_, model_.currentPage_);
    for (size_t k = items.first; k < items.second; ++k)
        model_.items_[k].Draw(dc, &model_.images_);
    ::RestoreDC(dc, saved);
}

void OpenDocDlg::LoadPicture(CKvoraObject& object)
{
    object.LoadPicture(pictures_, Settings::ColorFromIndex(owner_.GetSettings().bkColor_), 0,
                       document_metrics::kLargestPicture);
}

void OpenDocDlg::Beep()
{
    fw::Beep();
}
