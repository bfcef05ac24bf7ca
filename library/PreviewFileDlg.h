// The system's file dialog with a pane of our own (a child dialog template beside or below its
// controls) that is told of every change of the selected file. Base of the picture and sound open
// dialogs. The dialog runs through fw::ShowOpenFileDialog, so tests can answer it.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>

class PreviewFileDlg {
public:
    virtual ~PreviewFileDlg();
    PreviewFileDlg(const PreviewFileDlg&) = delete;
    PreviewFileDlg& operator=(const PreviewFileDlg&) = delete;

    // Runs the dialog with the pane; IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();

    // Before DoModal. The filter is "description|pattern|" pairs, as the callers write them.
    void SetTitle(const std::string& title) { title_ = title; }
    void SetInitialFolder(const std::string& folder) { initialFolder_ = folder; }
    void SetFilter(const std::string& filter);
    const std::string& Title() const { return title_; }
    const std::string& InitialFolder() const { return initialFolder_; }
    const std::string& InitialFileName() const { return fileName_; }

    // After IDOK: the chosen file with its folder (the first one of a multiple selection).
    std::string PathName() const { return chosen_.empty() ? std::string() : chosen_.front(); }
    // After IDOK: every chosen file with its folder.
    const std::vector<std::string>& SelectedPaths() const { return chosen_; }

    // The pane while the dialog runs, else null.
    HWND Pane() const { return pane_; }

    // The selection as the dialog reports it while it runs: a path, or, for several files, the folder
    // followed by the quoted names ("C:\Ljud\"a.wav" "b.wav""). Gives the first file with its folder.
    static std::string FirstSelectedFile(const std::string& reported);
    // The file buffer as the dialog fills it on OK for several files: the folder and then each name,
    // each ended by a NUL, the list ended by another (or one full path). Gives every file with its folder.
    static std::vector<std::string> SplitFileBuffer(const char* buffer, size_t size);
    static std::string JoinPath(const std::string& folder, const std::string& name);

protected:
    // paneTemplate: the dialog template of the pane; open false makes it a save dialog; filter as for SetFilter.
    PreviewFileDlg(UINT paneTemplate, bool open, const char* defaultExtension, const char* fileName, DWORD flags,
                   const char* filter, HWND parent);

    // The pane has been made (WM_INITDIALOG), and later placed beside the dialog's controls (CDN_INITDONE).
    virtual void OnInitPane() {}
    virtual void OnPanePlaced() {}
    // The selected file changed: the first selected file with its folder, a folder, or empty.
    virtual void OnSelectionChange(const std::string& path) {}
    // A command of a control of the pane; true when handled.
    virtual bool OnPaneCommand(int id, int code) { return false; }
    // An owner-drawn control of the pane to draw; true when drawn.
    virtual bool OnPaneDrawItem(const DRAWITEMSTRUCT& item) { return false; }
    virtual void OnPaneDestroy() {}

    // The selected file now (see FirstSelectedFile); empty when the dialog is not running.
    std::string CurrentSelection() const;
    void ShowPaneItem(int id, bool show) const;
    bool IsPaneItemChecked(int id) const;

    // The file name buffer's size, as the dialogs have always had it.
    static const size_t kFileBufferSize = 6000;

private:
    static UINT_PTR CALLBACK HookProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);
    UINT_PTR OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT paneTemplate_;
    bool open_;
    std::string defaultExtension_;
    std::string fileName_;
    DWORD flags_;
    HWND parent_;
    std::string title_;
    std::string initialFolder_;
    std::string filter_;  // pairs separated by NULs, ended by two
    std::vector<char> buffer_;
    std::vector<std::string> chosen_;
    HWND pane_ = nullptr;
};
