// The main window's commands: buttons, function keys and the helper menu.
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/AboutDlg.h"
#include "library/ImageBaseDlg.h"
#include "library/ImageBaseManager.h"
#include "library/OpenImageDlg.h"
#include "library/OpenSoundDlg.h"
#include "library/SelImageBaseDlg.h"
#include "morvel/resource.h"
#include "writer/CMorvelDlg.h"
#include "writer/KvoraCommandDlg.h"
#include "writer/MorvelCommandFields.h"
#include "writer_settings/InsertImageXDlg.h"
#include "writer/OpenDocDlg.h"
#include "writer_settings/SettingsSheet.h"
#include "writer_settings/SymbolDlg.h"
#include "writer_settings/UserDlg.h"
#include "writer_settings/UserFileMessages.h"
#include <direct.h>

namespace {

const DWORD kChooserFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

} // namespace

bool CMorvelDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_MAIN_NEW:
    case ID_KEY_NEW:
        OnNew();
        return true;
    case IDC_MAIN_OPEN:
    case ID_KEY_OPEN:
        OnOpen();
        return true;
    case IDC_MAIN_PRINT:
    case ID_KEY_PRINT:
        OnPrint(false);
        return true;
    case ID_MENU_PRINT:
        OnPrint(true);
        return true;
    case IDC_MAIN_IMAGEDIR:
    case ID_KEY_INSERT_PICTURE:
        StopAllPlayback();
        OnInsertPicture();
        return true;
    case IDC_MAIN_PLAY:
    case ID_KEY_READ_ALOUD:
        OnReadAloud();
        return true;
    case IDC_MAIN_PAUSE:
    case ID_KEY_PAUSE:
        OnPause();
        return true;
    case IDC_MAIN_NOT:
        document_.ToggleNegation();
        GiveDocumentFocus();
        return true;
    case IDC_MAIN_LARGEIMAGE:
    case ID_KEY_LARGE_PICTURE:
    case ID_MAIN_LARGE_PICTURE:
        document_.ToggleLargePicture();
        GiveDocumentFocus();
        return true;
    case IDC_MAIN_SCROLL:
    case ID_KEY_NEXT_PAGE:
        OnNextPage();
        return true;
    case ID_KEY_EXIT:
    case ID_MENU_EXIT:
        OnExit();
        return true;
    case ID_KEY_TAB:
        OnTab();
        return true;
    case ID_KEY_HELPER_MENU:
        OnHelperMenu();
        return true;
    case ID_MENU_USERS:
        OnUsers();
        return true;
    case ID_MENU_BROWSE_PICTURE:
        OnBrowsePicture();
        return true;
    case ID_MENU_IMAGEBASE_PICTURE:
        OnPictureFromImageBase();
        return true;
    case ID_MENU_BROWSE_SOUND:
        OnBrowseSound();
        return true;
    case ID_MENU_PRINTER_SETTINGS:
        OnPrinterSettings();
        return true;
    case ID_MENU_DEFAULT_IMAGEBASE:
        OnDefaultImageBase();
        return true;
    case ID_MENU_SETTINGS:
        OnSettings();
        return true;
    case ID_MENU_ABOUT:
        OnAbout();
        return true;
    case ID_DOC_ENTER:
    case ID_DOC_BACKSPACE:
    case ID_DOC_RIGHT:
    case ID_DOC_LEFT:
    case ID_DOC_DELETE:
    case ID_DOC_HOME:
    case ID_DOC_END:
    case ID_DOC_PAGE_UP:
    case ID_DOC_PAGE_DOWN:
    case ID_DOC_UP:
    case ID_DOC_DOWN:
    case ID_DOC_SHIFT_ENTER:
    case ID_DOC_NEGATION:
    case ID_DOC_ABANDON_SEQUENCE:
        // An editing key pressed while another window had the focus: it is the document's.
        GiveDocumentFocus();
        document_.Self().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return true;
    default:
        return false;
    }
}

bool CMorvelDlg::OnNew()
{
    StopAllPlayback();
    if (!LeaveDocument()) {
        GiveDocumentFocus();
        return false;
    }
    ForgetFile();
    document_.Clear();
    // The last document's search goes with it.
    if (HasWordBar())
        wordBar_.Clear();
    GiveDocumentFocus();
    UpdatePageScroller(0, 0);
    return true;
}

void CMorvelDlg::OnOpen()
{
    StopAllPlayback();
    if (!LeaveDocument()) {
        GiveDocumentFocus();
        return;
    }
    RECT documentRect{};
    ::GetClientRect(document_.Handle(), &documentRect);
    std::string chosen = documentPath_;
    OpenDocDlg dialog(*this, chosen, SIZE{documentRect.right - documentRect.left, documentRect.bottom - documentRect.top},
                      GetPictureInterface());
    openDocDlg_ = &dialog;
    const INT_PTR result = dialog.DoModal();
    openDocDlg_ = nullptr;
    // The dialog's read-aloud ends with the dialog, and a pause of it with it.
    StopAllPlayback();
    if (result == IDOK) {
        documentPath_ = chosen;
        LoadDocument();
    }
    GiveDocumentFocus();
}

void CMorvelDlg::OnPrint(bool askPrinter)
{
    fw::WaitCursor wait;
    StopAllPlayback();
    if (askPrinter) {
        // Without any printer the print dialog cannot open at all: that is no cancel.
        if (!printer_.Ask(hwnd_, false)) {
            if (!printer_.Printer())
                ShowPrintError(IDS_MORVEL_NO_PRINTER);
            else
                GiveDocumentFocus();
            return;
        }
        document_.ComputePrintMetrics();
        document_.Layout();
    }
    const DocumentPrinter* printer = printer_.Printer();
    if (!printer) {
        ShowPrintError(IDS_MORVEL_NO_PRINTER);
        return;
    }
    const std::string caption = Self().Text();
    DOCINFOA job{};
    job.cbSize = sizeof(job);
    job.lpszDocName = caption.c_str();
    if (::StartDocA(printer->dc, &job) <= 0) {
        ShowPrintError(IDS_MORVEL_PRINT_FAILED);
        return;
    }
    document_.PrintDocument(printer->dc);
    if (::EndDoc(printer->dc) <= 0) {
        ShowPrintError(IDS_MORVEL_PRINT_FAILED);
        return;
    }
    GiveDocumentFocus();
}

// A print that did not happen is said: the user would wait at the printer for nothing.
void CMorvelDlg::ShowPrintError(UINT textId)
{
    fw::ShowMessage(hwnd_, textId, fw::LoadResString(textId), fw::LoadResString(IDS_MORVEL_ERROR_CAPTION),
                    MB_OK | MB_ICONSTOP);
    GiveDocumentFocus();
}

void CMorvelDlg::OnPrinterSettings()
{
    if (printer_.Ask(hwnd_, true)) {
        printSettings_.defaultPrinter_ = printer_.DeviceName();
        if (!printSettings_.WriteDefaultPrinter())
            SayUserFileNotSaved(hwnd_, printSettings_.programIni_, printSettings_.ProgramIniGone());
        if (printSettings_.SavePrinterChoice(printer_.Dialog()) != 0)
            ShowPrinterChoiceError(PrinterChoiceReadable() ? IDS_MORVEL_PRINTER_CHOICE_NOT_SAVED
                                                           : IDS_MORVEL_PRINTER_CHOICE_UNREADABLE);
        document_.ComputePrintMetrics();
        document_.Layout();
    }
    GiveDocumentFocus();
}

void CMorvelDlg::ShowPage(int page)
{
    DocumentModel& model = document_.Model();
    model.currentPage_ = page;
    UpdatePageScroller(model.currentPage_, model.lastPage_);
    ::InvalidateRect(document_.Handle(), nullptr, TRUE);
    ::UpdateWindow(document_.Handle());
    GiveDocumentFocus();
}

void CMorvelDlg::OnNextPage()
{
    const DocumentModel& model = document_.Model();
    if (model.lastPage_ > 0)
        ShowPage(model.currentPage_ >= model.lastPage_ ? 0 : model.currentPage_ + 1);
}

void CMorvelDlg::OnScroll(int code, int position)
{
    const DocumentModel& model = document_.Model();
    int page = model.currentPage_;
    switch (code) {
    case SB_THUMBTRACK:
        page = position;
        break;
    case SB_LINEUP:
    case SB_PAGEUP:
    case SB_TOP:
        page = page > 0 ? page - 1 : page;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
    case SB_BOTTOM:
        page = page < model.lastPage_ ? page + 1 : page;
        break;
    default:
        return;
    }
    if (page != model.currentPage_)
        ShowPage(page);
}

void CMorvelDlg::OnHelperMenu()
{
    if (settings_.helperMenu_) {
        fw::Beep();
        return;
    }
    helperMenuToggle_ = !helperMenuToggle_;
    LayoutWindow();
    document_.Refresh();
    GiveDocumentFocus();
}

void CMorvelDlg::InsertAtCaret(const CKvoraObject& object)
{
    GiveDocumentFocus();
    document_.InsertObject(object);
}

void CMorvelDlg::OnBrowsePicture()
{
    const std::string folder = CurrentFolder();
    const std::string root = folder.empty() ? std::string("C:\\") : folder.substr(0, 1) + ":\\";
    OpenImageDlg chooser(true, nullptr, nullptr, kChooserFlags, nullptr, hwnd_);
    chooser.SetUpPictureFilter(fw::LoadResString(IDS_MORVEL_BROWSE), root);
    const bool chosen = chooser.DoModal() == IDOK;
    ::SetCurrentDirectoryA(folder.c_str());
    GiveDocumentFocus();
    if (!chosen)
        return;
    morvel_command::Fields fields;
    fields.picture = chooser.PathName();
    InsertChosenFile(fields);
}

void CMorvelDlg::OnPictureFromImageBase()
{
    std::vector<ImageBaseItem> items;
    ImageBaseDlg chooser(IDD_IMAGEBASE, fileIO_.imageBaseIni_, &settings_.defaultImageBase_, &items, nullptr, hwnd_);
    if (chooser.DoModal() != IDOK || items.empty()) {
        GiveDocumentFocus();
        return;
    }
    ImageBaseManager bases;
    std::string picturePath, text, soundPath;
    ImageBaseOptions options;
    if (!bases.ResolveCode(items.front().GetFullCode(), picturePath, text, options, &soundPath,
                           fileIO_.imageBaseIni_, nullptr, 0)) {
        GiveDocumentFocus();
        return;
    }
    // As the code typed by the keyboard: the base's word is the caption and is spoken.
    CKvoraObject object;
    object.ParseContent("@" + items.front().GetFullCode() + "@", fileIO_.imageBaseIni_);
    object.SetOptions(options);
    InsertAtCaret(object);
}

void CMorvelDlg::OnBrowseSound()
{
    StopAllPlayback();
    std::string folder;
    fileIO_.GetSoundDir(folder);
    OpenSoundDlg chooser(playback_.Player(), true, nullptr, nullptr, kChooserFlags, nullptr, hwnd_);
    chooser.SetTitle(fw::LoadResString(IDS_KVORA_BROWSE_SOUND));
    chooser.SetFilter(morvel_command::SoundFilter(false));
    chooser.SetInitialFolder(folder);
    soundChooser_ = &chooser;
    const bool chosen = chooser.DoModal() == IDOK;
    soundChooser_ = nullptr;
    GiveDocumentFocus();
    if (!chosen)
        return;
    morvel_command::Fields fields;
    fields.sound = chooser.PathName();
    fileIO_.SetSoundDir(fw::FolderOf(fields.sound));
    InsertChosenFile(fields);
}

// A chosen file is checked as Morvel's command dialog checks its fields: a name the chooser took as
// typed may be no picture or sound at all, and a '+' or '@' in its path would split the symbol apart
// when the document is read again.
void CMorvelDlg::InsertChosenFile(const morvel_command::Fields& fields)
{
    std::string content;
    const morvel_command::Refusal refusal = morvel_command::BuildContent(fields, fileIO_.imageBaseIni_, content);
    if (refusal) {
        fw::ShowMessage(hwnd_, refusal.textId, refusal.text, fw::LoadResString(IDS_MORVEL_ERROR_CAPTION),
                        MB_OK | MB_ICONSTOP);
        GiveDocumentFocus();
        return;
    }
    CKvoraObject object;
    if (object.ParseContent(content, fileIO_.imageBaseIni_))
        InsertAtCaret(object);
}

void CMorvelDlg::OnDefaultImageBase()
{
    std::string key = settings_.defaultImageBase_;
    SelImageBaseDlg chooser(fileIO_.imageBaseIni_, key, hwnd_);
    const bool chosen = chooser.DoModal() == IDOK;
    GiveDocumentFocus();
    if (!chosen)
        return;
    settings_.defaultImageBase_ = key;
    // The choice holds for this run; the user is told when it was not stored.
    if (!WriteSettingsOrSay(hwnd_, settings_))
        GiveDocumentFocus();
    if (HasWordBar())
        wordBar_.Attach(&pictureOwner_, fileIO_.imageBaseIni_);
}

void CMorvelDlg::OnAbout()
{
    AboutDlg(fileIO_.version_, fileIO_.buildDate_, false, hwnd_).DoModal();
    GiveDocumentFocus();
}

// ---- Wired in by the dialogs of their own ----

// The users dialog opens after the New command has left the document; when the user stays with a
// document that could not be saved, it does not open. The current user's settings are then read
// again, whoever that user now is.
void CMorvelDlg::OnUsers()
{
    if (!OnNew())
        return;
    RunUsersDlg(hwnd_, settings_, Speech(), FolderContext());
    settings_.ReadUserSettings();
    ApplyUserSettings();
}

// The settings sheet on a copy of the settings and the folder list; on OK they are written and shown.
void CMorvelDlg::OnSettings()
{
    StopAllPlayback();
    if (RunSettingsSheet(hwnd_, settings_, Speech(), FolderContext()))
        ApplyUserSettings();
    GiveDocumentFocus();
}

FolderDialogContext CMorvelDlg::FolderContext()
{
    FolderDialogContext context;
    context.owner = hwnd_;
    context.settings = &settings_;
    context.pictureControl = GetPictureInterface();
    // A folder's symbol is chosen among the pictures of the symbols folder.
    context.chooseSymbol = [this](HWND parent, const std::string& symbolsDir, std::string& symbol) {
        SymbolDlg chooser(symbolsDir, symbol, GetPictureInterface(), parent);
        return chooser.DoModal() == IDOK;
    };
    // A favourite picture is defined in Morvel's command dialog.
    context.defineContent = [this](HWND parent, std::string& content) {
        KvoraCommandDlg dialog(&fileIO_, &settings_, &content, playback_.SpeechControl(), playback_.SpeechEngine(),
                               parent);
        return dialog.DoModal() == IDOK;
    };
    return context;
}

SpeechObjects CMorvelDlg::Speech()
{
    SpeechObjects speech;
    speech.textSpeaker = playback_.SpeechControl();
    speech.engine = playback_.SpeechEngine();
    return speech;
}

void CMorvelDlg::ApplyUserSettings()
{
    // The word-to-picture bar follows the setting that may just have changed.
    CreateWordBar();
    if (wordBar_.Handle())
        ::ShowWindow(wordBar_.Handle(), settings_.wtiMode_ == 1 ? SW_SHOW : SW_HIDE);
    LayoutWindow();
    playback_.ApplySpeechSettings();
    document_.Refresh();
}

// The browser fills a content object; a chosen picture goes in at the caret.
void CMorvelDlg::OnInsertPicture()
{
    CKvoraObject picture;
    InsertImageXDlg browser(pictureOwner_, picture, browserFolderIndex_, hwnd_);
    pictureBrowser_ = &browser;
    const bool chosen = browser.DoModal() == IDOK;
    pictureBrowser_ = nullptr;
    if (chosen && !picture.BuildContent().empty())
        InsertAtCaret(picture);
    else
        GiveDocumentFocus();
}


// The word-to-picture bar, shown when the user's settings ask for it.
void CMorvelDlg::CreateWordBar()
{
    if (settings_.wtiMode_ != 1 || wordBar_.Handle())
        return;
    wordBar_.Create(hwnd_);
    wordBar_.Attach(&pictureOwner_, fileIO_.imageBaseIni_);
    ::ShowWindow(wordBar_.Handle(), SW_SHOW);
}

// Tab moves the keys between the document and the word-to-picture bar while the bar is shown: from
// the document into the word, from the word into the hits (back to the document without hits), from
// the hits back to the document.
void CMorvelDlg::OnTab()
{
    if (!HasWordBar())
        return;
    switch (wordBar_.GetFocusControl()) {
    case 0:
        wordBar_.ResetHits();
        document_.DrawCaret(false);
        break;
    case IDC_WORD_BAR_FOCUS:
        wordBar_.LeaveHits();
        GiveDocumentFocus();
        break;
    case IDC_WORD_BAR_WORD:
        if (wordBar_.GetHitCount() == 0) {
            wordBar_.LeaveHits();
            GiveDocumentFocus();
        } else {
            wordBar_.EnterHits();
            document_.DrawCaret(false);
        }
        break;
    default:
        break;
    }
}

bool CMorvelDlg::IsSearchInHits()
{
    return HasWordBar() && wordBar_.IsInHits();
}

void CMorvelDlg::LeaveSearchHits()
{
    if (HasWordBar())
        wordBar_.LeaveHits();
}

// ---- Playback: the playback object does the playing ----

void CMorvelDlg::StopAllPlayback()
{
    playback_.StopAllPlayback();
}

void CMorvelDlg::ClearPause()
{
    playback_.ClearPause();
}

void CMorvelDlg::ShowPauseButton(bool show)
{
    ShowItem(IDC_MAIN_PAUSE, show);
}

void CMorvelDlg::ShowPaused(bool paused)
{
    Item(IDC_MAIN_PAUSE).Send(BM_SETSTATE, paused ? TRUE : FALSE, 0);
}

// The sound chooser's preview ends with the player's end; the open-document dialog reads its own
// document aloud while it is open; the insert-picture browser hides STOP once nothing plays.
bool CMorvelDlg::PassStepToOpenDialog(bool mediaPlayerEnd)
{
    if (mediaPlayerEnd && soundChooser_)
        soundChooser_->StopPreview();
    if (pictureBrowser_) {
        pictureBrowser_->OnPlaybackStep();
        return true;
    }
    if (!openDocDlg_)
        return false;
    if (!openDocDlg_->OnPlaybackStep()) {
        playback_.EndOfPlayList();
        openDocDlg_->OnPlaybackEnded();
    }
    return true;
}

void CMorvelDlg::OnReadAloud()
{
    document_.BuildPlayList();
}

void CMorvelDlg::OnPause()
{
    if (settings_.showPauseButton_)
        playback_.TogglePause();
}
