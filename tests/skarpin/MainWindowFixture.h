// Skarpin's main window run on set folders of the test's making, with the ways a test reads and
// drives it: its tree and list, its menus, a selection of list lines and a menu command.
#pragma once
#include "skarpin/CSkarpinDlg.h"
#include "store/SetFixture.h"
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class MainWindowFixture : public SetFixture {
public:
    // Windows settings with the keyboard model ("PS2", "USB", "ACCESS").
    void UseModel(const std::string& status);
    // The USB model, the templates and standard overlays shown, and the driver's current set; gives
    // the caption a driver stand-in of this test takes, which the main window must be told.
    std::string UseUsbDriverWithCurrentSet(const std::string& currentSet);
    // Runs the main window; the script looks at it and the window is closed afterwards. factory,
    // when given, makes its overlay editors.
    void RunMainWindow(const std::function<void(CSkarpinDlg&)>& script, OverlayEditorFactory factory = nullptr);

    static std::vector<std::string> TreeNames(const CSkarpinDlg& dialog);
    static std::string ListText(CSkarpinDlg& dialog, int line);
    static bool Grayed(HMENU menu, UINT command);
    static std::string MenuText(HMENU menu, UINT command);

    // Selects the set's tree line as a click would; the test fails when the tree has none.
    static void SelectSet(CSkarpinDlg& dialog, const std::string& name);
    // Selects exactly these list lines, the first with the caret, as the user would with Ctrl and
    // clicks; the overlays become the object of the commands.
    static void SelectLines(CSkarpinDlg& dialog, std::initializer_list<int> lines);
    // A menu command, as the menu sends it.
    static void Command(CSkarpinDlg& dialog, int id);
    // Presses OK in a dialog the command opened; one that stays open fails the test and is cancelled,
    // so that the command goes on.
    static void PressOk(fw::Dialog& dialog);
    // The window is maximised over the work area with its frame off the screen, as much on every
    // side, and so with its caption and close box in sight.
    static void ExpectMaximisedInSight(HWND window);
};
