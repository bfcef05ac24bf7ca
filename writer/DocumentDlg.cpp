// The document window: set-up and sizes, keys and characters, clicks, and the edits they run.
#include "writer/DocumentDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include "writer/DocumentMetrics.h"
#include "writer/FileIO.h"
#include "writer_settings/Settings.h"

DocumentDlg::DocumentDlg() : fw::Dialog(IDD_DOCUMENT), model_(*this), speech_(model_)
{
    // Until the settings give the document font, the items are measured in the system's font.
    screenMeasurer_ = std::make_unique<GdiTextMeasurer>(measuringDC_.Get(),
                                                        static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    backgroundBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
}

DocumentDlg::~DocumentDlg() = default;

void DocumentDlg::Attach(DocumentOwner* owner)
{
    owner_ = owner;
    attached_ = owner != nullptr;
    speech_.Attach(owner);
}

bool DocumentDlg::Create(HWND parent)
{
    return fw::Dialog::Create(IDD_DOCUMENT, parent);
}

bool DocumentDlg::OnInitDialog()
{
    if (attached_)
        japaneseCharset_ = cp1252::EqualsNoCase(owner_->GetFileIO().variant_, "japanese");
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_DOCUMENT_KEYS));
    ComputeMetrics();
    return true;
}

void DocumentDlg::OnDestroy()
{
    caretShown_ = false;
}

COLORREF DocumentDlg::Colour(int index) const
{
    return Settings::ColorFromIndex(index);
}

void DocumentDlg::ComputeMetrics()
{
    if (!attached_ || !hwnd_)
        return;
    const Settings& settings = owner_->GetSettings();
    ::GetClientRect(hwnd_, &client_);
    client_.right -= document_metrics::kClientRightMargin;

    fw::WindowDC screen(nullptr);
    const double fontScale =
        document_metrics::ScreenFontScale(::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, LOGPIXELSX));
    const document_metrics::FontSpec font =
        document_metrics::DocumentFont(settings, fontScale, japaneseCharset_ ? SHIFTJIS_CHARSET : ANSI_CHARSET);
    screenFont_.Reset(document_metrics::CreateDocumentFont(font));
    screenMeasurer_ = std::make_unique<GdiTextMeasurer>(measuringDC_.Get(), screenFont_.Get());
    const int spaceWidth = screenMeasurer_->CharExtent(' ').cx;
    model_.SetScreenFrame(document_metrics::ScreenFrame(client_, settings, spaceWidth));

    backgroundColour_ = Colour(settings.bkColor_);
    backgroundBrush_.Reset(::CreateSolidBrush(backgroundColour_));
    caretBrush_.Reset(::CreateSolidBrush(Colour(settings.cursorColor_)));
    dottedCaretPen_.Reset(::CreatePen(PS_DOT, 1, Colour(settings.cursorColor_)));
    // The paper sizes follow the screen's.
    ComputePrintMetrics();
}

void DocumentDlg::ComputePrintMetrics()
{
    printMeasurer_.reset();
    printerFont_.Reset();
    LayoutFrame none;
    none.pictureSize = 0;
    model_.SetPrintFrame(none);
    const DocumentPrinter* printer = attached_ ? owner_->GetPrinter() : nullptr;
    if (!printer || !printer->dc)
        return;
    const document_metrics::FontSpec font =
        document_metrics::DocumentFont(owner_->GetSettings(), printer->pixelsPerInchX / 72.0, ANSI_CHARSET);
    printerFont_.Reset(document_metrics::CreateDocumentFont(font));
    printMeasurer_ = std::make_unique<GdiTextMeasurer>(printer->dc, printerFont_.Get());
    model_.SetPrintFrame(document_metrics::PaperFrame(printer->printable, model_.ScreenFrame()));
}

void DocumentDlg::MoveTo(const RECT& rect, bool repaint)
{
    if (!hwnd_)
        return;
    ::MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint ? TRUE : FALSE);
    ComputeMetrics();
    // The boxes of the last layout belong to the old size.
    model_.Layout();
    model_.currentPage_ = std::min(model_.currentPage_, model_.lastPage_);
}

void DocumentDlg::SetFocusAndCaret()
{
    if (!hwnd_)
        return;
    ::SetFocus(hwnd_);
    DrawCaret(true);
}

void DocumentDlg::RepaintAll()
{
    if (!hwnd_)
        return;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

// Each band is painted on its own: one update region around them all would have every item between
// them drawn (clipped away, but drawn).
void DocumentDlg::RepaintRows(const std::vector<std::pair<int, int>>& rows)
{
    RECT client;
    ::GetClientRect(hwnd_, &client);
    for (const auto& row : rows) {
        const RECT band{client.left, row.first, client.right, row.second};
        ::InvalidateRect(hwnd_, &band, TRUE);
        ::UpdateWindow(hwnd_);
    }
}

void DocumentDlg::Clear()
{
    DrawCaret(false);
    model_.Clear();
    RepaintAll();
    SetFocusAndCaret();
}

void DocumentDlg::Refresh()
{
    DrawCaret(false);
    ComputeMetrics();
    model_.ReloadPictures();
    model_.Layout();
    model_.ShowCaretPage();
    if (owner_)
        owner_->UpdatePageScroller(model_.currentPage_, model_.lastPage_);
    RepaintAll();
    SetFocusAndCaret();
}

template <class Edit>
void DocumentDlg::Run(Edit edit)
{
    DrawCaret(false);
    const DocumentChange change = edit();
    Apply(change);
}

void DocumentDlg::Apply(const DocumentChange& change)
{
    if (change.pageRange && owner_)
        owner_->UpdatePageScroller(model_.currentPage_, model_.lastPage_);
    if (change.repaint == DocumentChange::Repaint::All) {
        RepaintAll();
    } else if (change.repaint == DocumentChange::Repaint::Rows && hwnd_) {
        RepaintRows(change.rows);
    } else if (change.repaint == DocumentChange::Repaint::Box && hwnd_) {
        ::InvalidateRect(hwnd_, &change.box, TRUE);
        ::UpdateWindow(hwnd_);
        fw::WindowDC dc(hwnd_);
        DrawPageEndMarker(dc);
    }
    DrawCaret(true);
}

void DocumentDlg::InsertChar(char character)
{
    Run([&] { return model_.InsertChar(character); });
}

void DocumentDlg::InsertObject(const CKvoraObject& object)
{
    Run([&] { return model_.InsertObject(object); });
}

void DocumentDlg::InsertText(const std::string& text)
{
    Run([&] { return model_.InsertText(text); });
}

void DocumentDlg::ToggleNegation()
{
    Run([&] { return model_.ToggleNegation(); });
}

void DocumentDlg::ToggleLargePicture()
{
    Run([&] { return model_.ToggleLargePicture(); });
}

void DocumentDlg::OnChar(char character, int reset)
{
    if (reset) {
        capture_.Reset();
        return;
    }
    if (!attached_)
        return;
    const char prefix = owner_->GetSettings().prefix_;
    const ContentCapture::Step step = capture_.Feed(character, prefix);
    if (step.kind == ContentCapture::Step::Character) {
        InsertChar(character);
    } else if (step.kind == ContentCapture::Step::Sequence) {
        // A sequence that is no content string is dropped without a word.
        CKvoraObject object;
        object.delimiter_ = prefix;
        const std::string& imageBaseIni = owner_->GetFileIO().imageBaseIni_;
        if (object.ParseContent(step.sequence, imageBaseIni)) {
            object.delimiter_ = '@';
            // The document writes its symbols with '@'; the typed string is kept for what does not
            // resolve here (the code of an image base that is away), when it reads the same that way.
            const std::string kept = '@' + step.sequence.substr(1, step.sequence.size() - 2) + '@';
            CKvoraObject reread;
            if (reread.ParseContent(kept, imageBaseIni) && reread.BuildContent() == object.BuildContent())
                object.KeepReadContent(kept);
            InsertObject(object);
        }
    }
}

void DocumentDlg::OnClick(POINT point)
{
    if (owner_)
        owner_->LeaveSearchHits();
    ::SetFocus(hwnd_);
    Run([&] { return model_.Click(point, client_); });
}

bool DocumentDlg::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_CHAR) {
        OnChar(static_cast<char>(message.wParam), 0);
        return true;
    }
    if (accelerators_ && hwnd_ && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    return fw::Dialog::PreTranslateMessage(message);
}

bool DocumentDlg::OnCommand(int id, int code)
{
    switch (id) {
    case ID_DOC_BACKSPACE:
        Run([&] { return model_.Backspace(); });
        return true;
    case ID_DOC_DELETE:
        Run([&] { return model_.Delete(); });
        return true;
    case ID_DOC_ENTER:
    case ID_DOC_SHIFT_ENTER:
        InsertChar('\n');
        return true;
    case ID_DOC_RIGHT:
        Run([&] { return model_.MoveRight(); });
        return true;
    case ID_DOC_LEFT:
        Run([&] { return model_.MoveLeft(); });
        return true;
    case ID_DOC_UP:
        Run([&] { return model_.MoveUp(); });
        return true;
    case ID_DOC_DOWN:
        Run([&] { return model_.MoveDown(); });
        return true;
    case ID_DOC_HOME:
        Run([&] { return model_.MoveHome(); });
        return true;
    case ID_DOC_END:
        Run([&] { return model_.MoveEnd(); });
        return true;
    case ID_DOC_PAGE_DOWN:
        Run([&] { return model_.PageDown(); });
        return true;
    case ID_DOC_PAGE_UP:
        Run([&] { return model_.PageUp(); });
        return true;
    case ID_DOC_NEGATION:
        ToggleNegation();
        return true;
    case ID_DOC_ABANDON_SEQUENCE:
        OnChar(' ', 1);
        return true;
    default:
        // The main window's keys (Tab, Esc, F4, F5 ...): it handles them, whichever window had the key.
        if (::GetParent(hwnd_))
            ::SendMessageA(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return true;
    }
}

bool DocumentDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(backgroundBrush_.Get());
        return true;
    case WM_GETDLGCODE:
        result = DLGC_WANTALLKEYS;
        return true;
    case WM_LBUTTONDOWN:
        OnClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return false; // the default handling of the button follows
    default:
        return false;
    }
}

// DocumentModel::Host

const TextMeasurer& DocumentDlg::ScreenMeasurer()
{
    return *screenMeasurer_;
}

const TextMeasurer* DocumentDlg::PrintMeasurer()
{
    return printMeasurer_.get();
}

void DocumentDlg::LoadPicture(CKvoraObject& object)
{
    if (!attached_)
        return;
    object.LoadPicture(owner_->GetPictureInterface(), Colour(owner_->GetSettings().bkColor_), 0,
                       document_metrics::kLargestPicture);
}

bool DocumentDlg::IsControlDown()
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

void DocumentDlg::Beep()
{
    fw::Beep();
}

void DocumentDlg::StopAllPlayback()
{
    if (owner_)
        owner_->StopAllPlayback();
}

void DocumentDlg::BuildPlayList()
{
    speech_.BuildPlayList();
    ShowSpeechReport();
}

int DocumentDlg::PlayNextStep()
{
    const int started = speech_.PlayNextStep();
    ShowSpeechReport();
    return started;
}

void DocumentDlg::ShowSpeechReport()
{
    const UINT report = speech_.TakeReport();
    if (report)
        fw::ShowMessage(Handle(), report, IDS_PLAYBACK_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
}
