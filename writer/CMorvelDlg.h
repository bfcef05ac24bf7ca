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
#include "writer/MorvelPictureOwner.h"
#include "writer/MorvelPrinter.h"
#include "writer_settings/WTIDlg.h"
#include "writer_settings/PrintSettings.h"
#include "writer_settings/Settings.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

class OpenDocDlg;

// Built by CMorvelApp with the command line, run modally; the program ends when it closes. Owns the
// configuration, the document window, the picture control and the printer; the dialogs it opens get
// pointers to them.
class CMorvelDlg : public fw::Dialog, public DocumentOwner {
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

    void ClearPause();

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
    void AttachButtons();
    void OpenFirstDocument();

    // Leaving a document (Exit, New, Open, Users) by the Save setting. false: the user stays.
    bool LeaveDocument();

    // Commands.
    void OnNew();
    void OnOpen();
    void OnPrint(bool askPrinter);
    void OnPrinterSettings();
    void OnNextPage();
    void OnHelperMenu();
    void OnBrowsePicture();
    void OnPictureFromImageBase();
    void OnBrowseSound();
    void OnDefaultImageBase();
    void OnAbout();
    void OnScroll(int code, int position);
    // Left for the users dialog, the settings sheet, the insert-picture browser and the symbol
    // chooser, which are wired in here.
    void OnUsers();
    void OnSettings();
    void OnInsertPicture();
    void OnSymbolChooser();
    void CreateWordBar();
    bool HasWordBar() const { return settings_.wtiMode_ == 1 && wordBar_.Handle() != nullptr; }

    // Playback: the play list, the speech engine and the media player hook in here.
    void OnReadAloud();
    void OnPause();
    void StartSpeechEngine();
    void OnPlaybackStepEnded();

    void InsertAtCaret(const CKvoraObject& object);
    void ShowPage(int page);
    void GiveDocumentFocus();
    bool IsKeptFile(const std::string& path) const;

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
    int paused_ = 0;
    int browserFolderIndex_ = -1;
    std::string documentPath_;
    // Document files that did not read whole in this run: never deleted, never saved over.
    std::vector<std::string> keptFiles_;
    OpenDocDlg* openDocDlg_ = nullptr;
    MorvelPictureOwner pictureOwner_{*this};
    WTIDlg wordBar_;
};
