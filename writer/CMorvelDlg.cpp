// Morvel's main window: opening, layout, the routing of keys and characters, and leaving a document.
// The commands are in CMorvelDlgCommands.cpp.
#include "writer/CMorvelDlg.h"
#include "framework/Cursor.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/ImageBaseManager.h"
#include "morvel/resource.h"
#include "writer/MorvelWindowModel.h"
#include "writer/OpenDocDlg.h"
#include "writer/SaveQuestionDlg.h"
#include <algorithm>

namespace {

const UINT_PTR kSpeechTimer = 1;
const UINT kSpeechDelayMs = 500;

// The buttons in the order their pictures load.
const int kButtonIds[] = {IDC_MAIN_SCROLL, IDC_MAIN_EXIT,  IDC_MAIN_PRINT,      IDC_MAIN_NEW,      IDC_MAIN_OPEN,
                          IDC_MAIN_PLAY,   IDC_MAIN_PAUSE, IDC_MAIN_LARGEIMAGE, IDC_MAIN_IMAGEDIR, IDC_MAIN_NOT};

} // namespace

const char* const CMorvelDlg::kMainWindowProperty = "MorvelMainWindow";

CMorvelDlg::CMorvelDlg(const std::string& commandLine)
    : CMorvelDlg(MorvelEnvironment::OfThisProgram(), commandLine)
{
}

CMorvelDlg::CMorvelDlg(const MorvelEnvironment& environment, const std::string& commandLine)
    : fw::Dialog(IDD_MORVEL_MAIN), fileIO_(environment), settings_(environment), printSettings_(environment)
{
    icon_ = ::LoadIconA(fw::ResourceModule(), MAKEINTRESOURCEA(IDI_MORVEL));
    backgroundBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    switch (morvel_window::ClassifyCommandLine(commandLine)) {
    case morvel_window::CommandLineKind::UserFile:
        settings_.userFile_ = commandLine;
        break;
    case morvel_window::CommandLineKind::Document:
        documentPath_ = commandLine;
        break;
    case morvel_window::CommandLineKind::None:
        break;
    }
    settings_.ReadUserSettings();
}

CMorvelDlg::~CMorvelDlg()
{
    if (menu_)
        ::DestroyMenu(menu_);
}

// ---- Opening ----

bool CMorvelDlg::OnInitDialog()
{
    ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    ::SetPropA(hwnd_, kMainWindowProperty, reinterpret_cast<HANDLE>(1));
    SetCaption(fw::LoadResString(IDS_MORVEL_NAME));
    printSettings_.ReadDefaultPrinter();
    if (!CheckUserFile()) {
        EndDialog(IDCANCEL);
        return true;
    }
    RepairPictureControl();
    if (!CreatePictureControl()) {
        fw::ShowMessage(hwnd_, IDS_MORVEL_PICTURE_MODULE, fw::LoadResString(IDS_MORVEL_PICTURE_MODULE),
                        fw::LoadResString(IDS_MORVEL_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
        EndDialog(IDCANCEL);
        return true;
    }
    SetUpPrinter();
    playback_.CreateMediaPlayer();
    AttachButtons();
    accelerators_ = ::LoadAcceleratorsA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_DOCUMENT_KEYS));
    ::SetScrollRange(Item(IDC_MAIN_SCROLLBAR), SB_CTL, 0, 0, FALSE);

    document_.Attach(this);
    document_.Create(hwnd_);
    document_.ComputePrintMetrics();
    ::ShowWindow(document_.Handle(), SW_SHOW);
    CreateWordBar();

    ::ShowWindow(hwnd_, SW_MAXIMIZE);
    LayoutWindow();
    OpenFirstDocument();
    SetTimer(kSpeechTimer, kSpeechDelayMs);
    // The document has the keys from the start: the system's default focus would go to the word
    // bar's word, and the document's caret would look inactive until the speech timer ran.
    GiveDocumentFocus();
    return false;
}

// A user file named but not there: go on with the default user, or end.
bool CMorvelDlg::CheckUserFile()
{
    if (settings_.userFile_.empty())
        return true;
    std::string path = settings_.userFile_;
    if (ImageBaseManager::LocateFile(path) != 0)
        return true;
    const std::string text = fw::FormatResString(IDS_MORVEL_USER_FILE_MISSING, settings_.userFile_.c_str());
    if (fw::ShowMessage(hwnd_, IDS_MORVEL_USER_FILE_MISSING, text, fw::LoadResString(IDS_MORVEL_ERROR_CAPTION),
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    settings_.userFile_.clear();
    settings_.ReadUserSettings();
    return true;
}

// Our picture control is built into the program and needs no registration; the check stays so that
// a machine whose registry lacks the control's class is told apart in the log of a run.
void CMorvelDlg::RepairPictureControl() {}

bool CMorvelDlg::CreatePictureControl()
{
    pictureControl_ = std::make_unique<CImagXpress>(hwnd_, IDC_MAIN_PICTURE_CONTROL, hwnd_, 0, 0, 0, 0);
    if (!pictureControl_->GetInterface())
        return false;
    if (pictureControl_->Window())
        ::ShowWindow(pictureControl_->Window(), SW_HIDE);
    return true;
}

std::shared_ptr<PictureControl> CMorvelDlg::GetPictureInterface()
{
    return pictureControl_ ? pictureControl_->GetInterface() : nullptr;
}

void CMorvelDlg::SetUpPrinter()
{
    // The stored choice is read only for a stored printer name; one there that does not read is said.
    if (!printSettings_.defaultPrinter_.empty() && !PrinterChoiceReadable())
        ShowPrinterChoiceError(IDS_MORVEL_PRINTER_CHOICE_UNREADABLE);
    printer_.ChooseStored(printSettings_);
    printer_.SetUp(hwnd_);
}

bool CMorvelDlg::PrinterChoiceReadable() const
{
    const DWORD stored = printSettings_.CheckPrinterChoice();
    return stored == 0 || stored == ERROR_FILE_NOT_FOUND;
}

void CMorvelDlg::ShowPrinterChoiceError(UINT textId)
{
    fw::ShowMessage(hwnd_, textId, fw::FormatResString(textId, printSettings_.PrinterChoiceFile().c_str()),
                    fw::LoadResString(IDS_MORVEL_ERROR_CAPTION), MB_OK | MB_ICONWARNING);
}

void CMorvelDlg::AttachButtons()
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].Attach(::GetDlgItem(hwnd_, kButtonIds[i]));
}

void CMorvelDlg::OpenFirstDocument()
{
    if (documentPath_.empty() && settings_.lastDoc_)
        OpenNewestDocument();
    if (!documentPath_.empty()) {
        LoadDocument();
        return;
    }
    document_.Clear();
    ShowItem(IDC_MAIN_SCROLLBAR, document_.Model().lastPage_ > 0);
}

// ---- Layout ----

void CMorvelDlg::LayoutWindow()
{
    // Attaching the menu resizes the client area, which asks for a layout again.
    if (layingOut_)
        return;
    layingOut_ = true;
    const bool helper = settings_.helperMenu_ || helperMenuToggle_;
    ::SetMenu(hwnd_, nullptr);
    if (menu_)
        ::DestroyMenu(menu_);
    menu_ = helper ? ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_MORVEL_MENU)) : nullptr;
    ::SetMenu(hwnd_, menu_);
    SetCaption(morvel_window::Caption(fw::LoadResString(IDS_MORVEL_NAME), helper, settings_.userFile_,
                                      fw::LoadResString(IDS_MORVEL_STANDARD_USER)));

    RECT client;
    ::GetClientRect(hwnd_, &client);
    fw::WindowDC screen(nullptr);
    const COLORREF background = Settings::ColorFromIndex(settings_.bkColor_);
    backgroundBrush_.Reset(::CreateSolidBrush(background));
    backgroundPen_.Reset(::CreatePen(PS_SOLID, settings_.caretWidth_, background));
    cursorBrush_.Reset(::CreateSolidBrush(Settings::ColorFromIndex(settings_.cursorColor_)));

    RECT button;
    ::GetWindowRect(Item(IDC_MAIN_NEW), &button);
    const int w = button.right - button.left;
    const int h = button.bottom - button.top;
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    int searchBarHeight = 0;
    if (HasWordBar()) {
        // Across the client width at the top, at the bar's own height.
        const RECT own = wordBar_.Self().WindowRect();
        searchBarHeight = own.bottom - own.top;
        wordBar_.Place(RECT{client.left, client.top, client.right, client.top + searchBarHeight});
    }
    const morvel_window::Layout layout =
        morvel_window::ComputeLayout(client, w, h, searchBarHeight, scrollWidth, ::GetDeviceCaps(screen, HORZRES),
                                     ::GetDeviceCaps(screen, LOGPIXELSX));

    ::MoveWindow(Item(IDC_MAIN_SCROLLBAR), client.right - scrollWidth, client.top + searchBarHeight, scrollWidth,
                 client.bottom - client.top - searchBarHeight, FALSE);
    document_.MoveTo(layout.document, false);
    const std::vector<std::pair<int, int>> shown = {
        {IDC_MAIN_NEW, settings_.showNewButton_},
        {IDC_MAIN_OPEN, settings_.showOpenButton_},
        {IDC_MAIN_PRINT, settings_.showPrintButton_},
        {IDC_MAIN_IMAGEDIR, settings_.showInsertImageButton_},
        {IDC_MAIN_LARGEIMAGE, settings_.showLargeImageButton_},
        {IDC_MAIN_NOT, settings_.showNegationButton_},
        {IDC_MAIN_PLAY, settings_.showReadButton_},
        {IDC_MAIN_PAUSE, 0},
        {IDC_MAIN_EXIT, settings_.showExitButton_},
        {IDC_MAIN_SCROLL, settings_.showBrowseButton_ && document_.Model().lastPage_ > 0},
    };
    for (const morvel_window::ButtonPlacement& placement : layout.buttons) {
        ::MoveWindow(Item(placement.id), placement.x, layout.buttonTop, w, h, FALSE);
        for (const auto& flag : shown) {
            if (flag.first == placement.id)
                ShowItem(placement.id, flag.second != 0);
        }
    }
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GiveDocumentFocus();
    layingOut_ = false;
}

void CMorvelDlg::UpdatePageScroller(int currentPage, int lastPage)
{
    HWND bar = Item(IDC_MAIN_SCROLLBAR);
    ::SetScrollRange(bar, SB_CTL, 0, lastPage, FALSE);
    ::SetScrollPos(bar, SB_CTL, currentPage, TRUE);
    ::ShowWindow(bar, lastPage != 0 ? SW_SHOWNA : SW_HIDE);
    ShowItem(IDC_MAIN_SCROLL, settings_.showBrowseButton_ && lastPage >= 1);
}

// The keys are the document's again, so the word bar no longer holds them: left in its hits, it
// would have the caret drawn as while the bar has the keys (dotted) while the user types.
void CMorvelDlg::GiveDocumentFocus()
{
    if (HasWordBar() && wordBar_.IsInHits())
        wordBar_.LeaveHits();
    document_.SetFocusAndCaret();
}

// ---- Messages ----

bool CMorvelDlg::PreTranslateMessage(MSG& message)
{
    // The word bar takes its own keys and the characters typed into its word first.
    if (HasWordBar() && (message.hwnd == wordBar_.Handle() || ::IsChild(wordBar_.Handle(), message.hwnd)) &&
        wordBar_.PreTranslateMessage(message))
        return true;
    if (message.message == WM_CHAR) {
        // Every typed character is the document's, whichever window had the focus.
        GiveDocumentFocus();
        document_.PreTranslateMessage(message);
        return true;
    }
    if (document_.Handle() && (message.hwnd == document_.Handle() || ::IsChild(document_.Handle(), message.hwnd)))
        return document_.PreTranslateMessage(message);
    if (accelerators_ && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    return fw::Dialog::PreTranslateMessage(message);
}

bool CMorvelDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The engine's messages 0x2000-0x2009, the player's notices and the CD's end go to the playback.
    if (playback_.HandleMessage(message, wParam, lParam, result))
        return true;
    switch (message) {
    case WM_GETMINMAXINFO:
        // Maximised as Skarpin's windows are: the caption in sight, the frame off the screen.
        Self().LayMaximisedOnWorkArea(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(backgroundBrush_.Get());
        return true;
    case WM_QUERYENDSESSION:
        // Logging off or shutting down ends Morvel without Exit: what the Save setting promises
        // happens now. A user who stays with edits that could not be saved keeps the session.
        StopAllPlayback();
        result = LeaveDocument() ? TRUE : FALSE;
        if (!result)
            GiveDocumentFocus();
        return true;
    case WM_DRAWITEM:
        if (!DrawPictureButton(buttons_, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return false;
        result = TRUE;
        return true;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_MAIN_SCROLLBAR).Handle()) {
            OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            result = 0;
            return true;
        }
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        // The maximised window cannot be moved or restored from its caption.
        if (wParam == HTCAPTION) {
            GiveDocumentFocus();
            result = 0;
            return true;
        }
        return false;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && document_.Handle())
            LayoutWindow();
        return false;
    case WM_PAINT:
        if (::IsIconic(hwnd_)) {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd_, &paint);
            RECT client;
            ::GetClientRect(hwnd_, &client);
            ::DrawIcon(dc, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
                       (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
            ::EndPaint(hwnd_, &paint);
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CMorvelDlg::OnTimer(UINT_PTR id)
{
    if (id == kSpeechTimer) {
        KillTimer(kSpeechTimer);
        playback_.CreateSpeechEngine();
        GiveDocumentFocus();
        return;
    }
    LRESULT result = 0;
    playback_.HandleMessage(WM_TIMER, id, 0, result);
}

void CMorvelDlg::OnDestroy()
{
    playback_.Destroy();
    ::RemovePropA(hwnd_, kMainWindowProperty);
    document_.DestroyWindow();
    pictureControl_.reset();
    printer_.Release();
}

// ---- Leaving a document ----

// Asked of the file itself, not of a list of paths: a damaged file is known as such however its path
// is written and in every later session.
bool CMorvelDlg::ReadsWhole(const std::string& path) const
{
    std::vector<DocItem> items;
    std::vector<CKvoraObject> images;
    return fileIO_.ReadDocument(items, images, path) == FileIO::kRead;
}

bool CMorvelDlg::LeaveDocument()
{
    DocumentModel& model = document_.Model();
    // Whether the file reads whole matters only when an emptied document's file is to go: read it then.
    const bool mayDelete = settings_.save_ == 1 && model.IsEmpty() && ownsFile_;
    const morvel_window::LeavePlan plan =
        morvel_window::PlanLeaving(settings_.save_, model.IsEmpty(), model.modified_ != 0, ownsFile_,
                                   mayDelete && !ReadsWhole(documentPath_));
    if (plan.forgetPath) {
        model.modified_ = 0;
        if (plan.deleteFile)
            ::DeleteFileA(documentPath_.c_str());
        ForgetFile();
        return true;
    }
    bool save = plan.save;
    if (plan.ask) {
        // YES is button 1, NO button 2; the question stays until one of them is chosen.
        SaveQuestionDlg question(hwnd_);
        save = question.DoModal() != IDCANCEL;
    }
    if (!save || SaveDocument())
        return true;
    // The edits could not be kept: the user decides whether to leave them.
    return fw::ShowMessage(hwnd_, IDS_MORVEL_LEAVE_UNSAVED, fw::LoadResString(IDS_MORVEL_LEAVE_UNSAVED),
                           fw::LoadResString(IDS_MORVEL_ERROR_CAPTION),
                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CMorvelDlg::OnExit()
{
    StopAllPlayback();
    if (!LeaveDocument()) {
        GiveDocumentFocus();
        return;
    }
    EndDialog(IDCANCEL);
}

bool CMorvelDlg::OnCancel()
{
    OnExit();
    return false;
}

// ---- The document file ----

bool CMorvelDlg::SaveDocument()
{
    fw::WaitCursor wait;
    DocumentModel& model = document_.Model();
    document_.CompactImages();
    const std::string bytes = fileIO_.DocumentFile(model.items_, model.images_.Copies());
    bool saved = false;
    if (ownsFile_)
        saved = SaveOverOwnFile(bytes);
    else if (!documentPath_.empty())
        saved = SaveAsNewFile(documentPath_, bytes);
    else
        saved = SaveNumbered(bytes);
    if (saved) {
        model.modified_ = 0;
        return true;
    }
    fw::ShowMessage(hwnd_, IDS_MORVEL_NOT_SAVED, fw::LoadResString(IDS_MORVEL_NOT_SAVED),
                    fw::LoadResString(IDS_MORVEL_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
    return false;
}

// The document's own file is rewritten where it stands. One that has gone meanwhile is not brought
// back under its old name, which the numbering may have given to another document since: the
// document becomes a numbered one.
bool CMorvelDlg::SaveOverOwnFile(const std::string& bytes)
{
    if (fw::RewriteExisting(documentPath_, bytes))
        return true;
    if (!fw::IsAbsent(documentPath_))
        return false;
    ForgetFile();
    return SaveNumbered(bytes);
}

// A path that holds no file of this document is written only while nothing stands there; what
// appeared under it meanwhile is left alone and the document gets a numbered file instead.
bool CMorvelDlg::SaveAsNewFile(const std::string& path, const std::string& bytes)
{
    switch (fw::WriteNewFile(path, bytes)) {
    case fw::NewFile::Created:
        TakeFile(path);
        return true;
    case fw::NewFile::Taken:
        ForgetFile();
        return SaveNumbered(bytes);
    case fw::NewFile::Failed:
        break;
    }
    return false;
}

// The numbering decides from the folder as it is on the disk now: the oldest file of a full folder is
// rewritten in place (never re-created once gone), a free number is written as a new file (a name
// that turns out to be taken, by a folder or a short name, is passed over).
bool CMorvelDlg::SaveNumbered(const std::string& bytes)
{
    std::vector<DocumentListItem> files;
    FileIO::ListDocuments(files, settings_.userDir_);
    int maxNumber = settings_.maxNumber_;
    std::string tried;
    for (;;) {
        const std::string path = morvel_window::NewDocumentPath(files, settings_.userDir_, maxNumber,
                                                                [this](const std::string& p) { return ReadsWhole(p); });
        if (path == tried)
            return false;
        tried = path;
        const auto listed = std::find_if(files.begin(), files.end(),
                                         [&](const DocumentListItem& file) { return file.path_ == path; });
        if (listed != files.end()) {
            if (fw::RewriteExisting(path, bytes)) {
                TakeFile(path);
                return true;
            }
            if (!fw::IsAbsent(path))
                return false;
            files.erase(listed);
            continue;
        }
        switch (fw::WriteNewFile(path, bytes)) {
        case fw::NewFile::Created:
            TakeFile(path);
            return true;
        case fw::NewFile::Taken: {
            // Counted as taken from now on; the next free number is tried.
            DocumentListItem taken;
            taken.name_ = ImageBaseManager::GetFileTitle(path);
            taken.path_ = path;
            files.push_back(taken);
            maxNumber = 0;
            break;
        }
        case fw::NewFile::Failed:
            return false;
        }
    }
}

void CMorvelDlg::TakeFile(const std::string& path)
{
    documentPath_ = path;
    ownsFile_ = true;
}

void CMorvelDlg::ForgetFile()
{
    documentPath_.clear();
    ownsFile_ = false;
}

void CMorvelDlg::LoadDocument()
{
    document_.Clear();
    ShowItem(IDC_MAIN_SCROLL, false);
    ownsFile_ = false;
    if (documentPath_.empty())
        return;
    std::vector<DocItem> items;
    std::vector<CKvoraObject> images;
    FileIO::ReadResult result;
    {
        fw::WaitCursor wait;
        result = fileIO_.ReadDocument(items, images, documentPath_);
    }
    DocumentModel& model = document_.Model();
    model.items_ = std::move(items);
    model.items_.emplace_back('\n');
    model.images_.Assign(images);
    model.caret_ = 0;
    model.currentPage_ = 0;
    model.modified_ = 0;
    // A path that names nothing yet stays the document's path: only a write makes the file its own.
    ownsFile_ = result == FileIO::kRead;
    if (result == FileIO::kDamaged || result == FileIO::kUnreadable) {
        // The file stays as it is: what could be read is shown as a new document.
        const UINT textId = result == FileIO::kUnreadable ? IDS_MORVEL_DOCUMENT_UNREADABLE : IDS_MORVEL_DOCUMENT_DAMAGED;
        fw::ShowMessage(hwnd_, textId, fw::FormatResString(textId, documentPath_.c_str()),
                        fw::LoadResString(IDS_MORVEL_ERROR_CAPTION), MB_OK | MB_ICONWARNING);
        ForgetFile();
    }
    document_.Refresh();
    model.currentPage_ = 0;
    UpdatePageScroller(0, model.lastPage_);
}

void CMorvelDlg::OpenNewestDocument()
{
    std::vector<DocumentListItem> files;
    FileIO::ListDocuments(files, settings_.userDir_);
    documentPath_ = files.empty() ? std::string() : files.front().path_;
}
