// Morvel's main window: a modal dialog that fills the screen, holds the document window, turns the
// buttons, menu commands and function keys into document operations, routes every typed character
// to the document, and saves the document when the user leaves it.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/ImagXpress.h"
#include "library/PictureButton.h"
#include "writer/DocumentDlg.h"
#include "writer/DocumentOwner.h"
#include "writer/FileIO.h"
#include "writer/MorvelCommandFields.h"
#include "writer/MorvelPictureOwner.h"
#include "writer/MorvelPlayback.h"
#include "writer/MorvelPrinter.h"
#include "writer_settings/FolderDialogContext.h"
#include "writer_settings/SettingsSheetData.h"
#include "writer_settings/WTIDlg.h"
#include "writer_settings/PrintSettings.h"
#include "writer_settings/Settings.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

class InsertImageXDlg;

class OpenDocDlg;
class OpenSoundDlg;

// Built by CMorvelApp with the command line, run modally; the program ends when it closes. Owns the
// configuration, the document window, the picture control and the printer; the dialogs it opens get
// pointers to them.
class CMorvelDlg : public fw::Dialog, public DocumentOwner, public PlaybackHost {
public:
    explicit CMorvelDlg(const std::string& commandLine);
    CMorvelDlg(const MorvelEnvironment& environment, const std::string& commandLine);
    ~CMorvelDlg() override;

    // The window property that marks Morvel's main window, whatever its caption says.
    static const char* const kMainWindowProperty;

    // Leaving Morvel: the document is left by the Save setting, then the window closes; a save that
    // failed and the user's choice to stay keep it open.
    void OnExit();
    // Tab: the word-to-picture bar's keys and the document's. The search bar hooks in here.
    void OnTab();
    // The document file: a new document saves under the next number of the save folder. true when
    // written; a failure has been shown to the user.
    bool SaveDocument();
    // Reads the document path into the document window; a file that did not read whole is said so
    // and left alone: the document shown becomes a new one.
    void LoadDocument();
    // The document path becomes the save folder's newest file, or empty.
    void OpenNewestDocument();
    // Places the menu, caption, document window and buttons.
    void LayoutWindow();

    // DocumentOwner
    FileIO& GetFileIO() override { return fileIO_; }
    Settings& GetSettings() override { return settings_; }
    std::shared_ptr<PictureControl> GetPictureInterface() override;
    const DocumentPrinter* GetPrinter() override { return printer_.Printer(); }
    void StopAllPlayback() override;
    void UpdatePageScroller(int currentPage, int lastPage) override;
    bool IsSearchInHits() override;
    void LeaveSearchHits() override;

    void ClearPause() override;
    int SpeakText(const std::string& text) override { return playback_.SpeakText(text); }
    int StopAndSpeak(const std::string& text) { return playback_.StopAndSpeak(text); }
    bool HasMediaPlayer() override { return playback_.HasMediaPlayer(); }
    int PlayMediaFile(const std::string& path) override { return playback_.PlayMediaFile(path); }
    MorvelPlayback& Playback() { return playback_; }

    // PlaybackHost
    HWND PlaybackWindow() override { return hwnd_; }
    DocumentDlg& GetDocument() override { return document_; }
    void ShowPauseButton(bool show) override;
    void ShowPaused(bool paused) override;
    bool PassStepToOpenDialog(bool mediaPlayerEnd) override;

    // For tests and the dialogs it opens.
    DocumentDlg& Document() { return document_; }
    const std::string& DocumentPath() const { return documentPath_; }
    const PrintSettings& GetPrintSettings() const { return printSettings_; }
    OpenDocDlg* OpenDocumentDialog() const { return openDocDlg_; }
    // The word-to-picture bar; its window exists while [MVSettings] WTIMode is 1.
    WTIDlg& WordBar() { return wordBar_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    // Enter never closes Morvel.
    bool OnOK() override { return false; }
    // EXIT (id 2) and closing the window.
    bool OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Opening.
    bool CheckUserFile();
    void RepairPictureControl();
    bool CreatePictureControl();
    void SetUpPrinter();
    // Whether the stored printer choice is absent or reads whole: one that does not is never replaced.
    bool PrinterChoiceReadable() const;
    void ShowPrinterChoiceError(UINT textId);
    void AttachButtons();
    void OpenFirstDocument();

    // Leaving a document (Exit, New, Open, Users) by the Save setting. false: the user stays.
    bool LeaveDocument();

    // Commands.
    // false when the user stays with a document that could not be saved.
    bool OnNew();
    void OnOpen();
    void OnPrint(bool askPrinter);
    void ShowPrintError(UINT textId);
    void OnPrinterSettings();
    void OnNextPage();
    void OnHelperMenu();
    void OnBrowsePicture();
    void OnPictureFromImageBase();
    void OnBrowseSound();
    void OnDefaultImageBase();
    void OnAbout();
    void OnScroll(int code, int position);
    // The users dialog, the settings sheet and the insert-picture browser.
    void OnUsers();
    void OnSettings();
    // What the image-folder dialogs of the users dialog and the settings sheet need of this window.
    FolderDialogContext FolderContext();
    // The playback's speech control and engine, either of which may be absent.
    SpeechObjects Speech();
    // The settings as they now stand shown: menu, caption, colours, buttons and the document's font.
    void ApplyUserSettings();
    void OnInsertPicture();
    void CreateWordBar();
    bool HasWordBar() const { return settings_.wtiMode_ == 1 && wordBar_.Handle() != nullptr; }

    void OnReadAloud();
    void OnPause();

    void InsertAtCaret(const CKvoraObject& object);
    void InsertChosenFile(const morvel_command::Fields& fields);
    void ShowPage(int page);
    void GiveDocumentFocus();
    // A document file that reads whole: one that does not is never deleted or saved over.
    bool ReadsWhole(const std::string& path) const;
    // The ways a document's bytes reach the disk; each true when the file stands written, and only
    // then does the document take that file as its own.
    bool SaveOverOwnFile(const std::string& bytes);
    bool SaveAsNewFile(const std::string& path, const std::string& bytes);
    bool SaveNumbered(const std::string& bytes);
    void TakeFile(const std::string& path);
    void ForgetFile();

    FileIO fileIO_;
    Settings settings_;
    PrintSettings printSettings_;
    MorvelPrinter printer_;
    DocumentDlg document_;
    std::unique_ptr<CImagXpress> pictureControl_;
    std::array<PictureButton, 10> buttons_;
    HICON icon_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HMENU menu_ = nullptr;
    fw::Brush backgroundBrush_;
    fw::Brush cursorBrush_;
    fw::Pen backgroundPen_;
    bool layingOut_ = false;
    int helperMenuToggle_ = 0;
    int browserFolderIndex_ = -1;
    // Where the document is saved: the file it was read from or last written to, or a path named on
    // the command line that is not there yet; empty for a new document.
    std::string documentPath_;
    // documentPath_ is the very file this document was read whole from or written to: only then is
    // it saved over, or deleted when the document is left empty.
    bool ownsFile_ = false;
    OpenDocDlg* openDocDlg_ = nullptr;
    OpenSoundDlg* soundChooser_ = nullptr;
    // The speech engine, the media player and the steps of whoever plays.
    MorvelPlayback playback_{*this};
    MorvelPictureOwner pictureOwner_{*this};
    friend class MorvelPictureOwner;  // it answers the browser and the bar with this window's parts
    // The insert-picture browser while it is open: the ends of playback steps go to it.
    InsertImageXDlg* pictureBrowser_ = nullptr;
    WTIDlg wordBar_;
};
