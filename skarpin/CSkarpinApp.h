// Skarpin's start: one running copy at a time, COM for the thread, and the main window run modally
// until the program ends.
#pragma once
#include "editor/OverlayEditorHost.h"
#include <windows.h>

class CSkarpinApp {
public:
    // false when a Skarpin is running already; it has been brought to the front and this start ends.
    bool InitApplication();
    // Runs the main window to its end; false: the program ends, no message loop follows.
    bool InitInstance();
    // The main window opens its overlays in the editors this makes.
    void SetOverlayEditorFactory(OverlayEditorFactory factory) { editorFactory_ = std::move(factory); }
    // The print margin wizard and the start settings, run from the main window's menu.
    void SetEditorSettingsDialogs(EditorSettingsDialogs dialogs) { settingsDialogs_ = std::move(dialogs); }
    // Help requests do nothing in this program.
    void WinHelp() {}

    // A top-level window with one of the main window's three captions, or null.
    static HWND FindRunningInstance();

private:
    OverlayEditorFactory editorFactory_;
    EditorSettingsDialogs settingsDialogs_;
};
