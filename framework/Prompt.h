// The one road to the user for messages, beeps and the common dialogs. Each goes through a
// replaceable handler, so tests answer them by script and a modal box never hangs a test run.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <functional>
#include <string>

namespace fw {

struct MessageRequest {
    HWND owner = nullptr;
    UINT textId = 0;   // the string-table entry the text came from; 0 for a text composed otherwise
    std::string text;
    std::string caption;
    UINT type = MB_OK; // MB_ button and icon flags
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(HWND owner, UINT textId, const std::string& text, const std::string& caption, UINT type);
// Text and caption both from the string table.
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT type);
// An empty handler restores the real message box.
void SetMessageHandler(MessageHandler handler);

// The default beep that answers a refused key or click.
void Beep();
void SetBeepHandler(std::function<void()> handler);

// The common dialogs. A member left empty uses the real dialog.
struct CommonDialogHandlers {
    std::function<bool(OPENFILENAMEA&)> openFile;
    std::function<bool(OPENFILENAMEA&)> saveFile;
    std::function<bool(CHOOSECOLORA&)> chooseColor;
    std::function<bool(CHOOSEFONTA&)> chooseFont;
    std::function<bool(PRINTDLGA&)> print;
    // Fills the chosen folder; false when cancelled.
    std::function<bool(BROWSEINFOA&, std::string&)> browseFolder;
};
void SetCommonDialogHandlers(const CommonDialogHandlers& handlers);

bool ShowOpenFileDialog(OPENFILENAMEA& request);
bool ShowSaveFileDialog(OPENFILENAMEA& request);
bool ShowColorDialog(CHOOSECOLORA& request);
bool ShowFontDialog(CHOOSEFONTA& request);
bool ShowPrintDialog(PRINTDLGA& request);
bool ShowFolderDialog(BROWSEINFOA& request, std::string& folder);
// The folder dialog for a file-system folder under the title, opened on startFolder when one is
// given; fills folder and is true when the user chose one.
bool ChooseFolder(HWND owner, const std::string& title, std::string& folder, const std::string& startFolder = "");

} // namespace fw
