// The main window's decisions as plain C++: what the command line names, how a document is left by
// the Save setting, where a new document is saved, the caption, and where the layout puts the
// document window and the buttons. CMorvelDlg only applies them.
#pragma once
#include "writer/FileIO.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace morvel_window {

// The one command-line argument: a user file ("*.ini") or a document ("*.txt"), the extension
// compared without case; anything else is ignored.
enum class CommandLineKind { None, UserFile, Document };
CommandLineKind ClassifyCommandLine(const std::string& text);

// What leaving a document (Exit, New, Open, Users) does by the Save setting, before any save.
struct LeavePlan {
    bool deleteFile = false;  // Save 1 and empty: the document's file goes (never a file that did not read)
    bool forgetPath = false;  // Save 1 and empty: the document becomes a new one
    bool save = false;        // save without asking
    bool ask = false;         // Save 2: ask "VILL DU SPARA?" first; any answer but No saves
};
// save: 0 never, 1 always, 2 ask. unreadFile: the document's file does not read whole (damaged or
// unreadable), and is never deleted.
LeavePlan PlanLeaving(int save, bool empty, bool modified, bool hasFile, bool unreadFile);

// Where a document without a file is saved: as FileIO::NewDocumentPath, except that a file that does
// not read whole is never the one overwritten; the oldest of the others is, and when no file reads
// whole the lowest free number is taken. readsWhole is asked oldest first, until one does.
std::string NewDocumentPath(const std::vector<DocumentListItem>& files, const std::string& folder, int maxNumber,
                            const std::function<bool(const std::string& path)>& readsWhole);

// The caption: the program name; with the helper menu, the user's name after it ("<Standard>" for
// the default user, else the user file's title in angle brackets).
std::string Caption(const std::string& programName, bool helperMenu, const std::string& userFile,
                    const std::string& standardName);

// The layout's geometry, in client pixels.
struct ButtonPlacement {
    int id;
    int x;
};
struct Layout {
    RECT document{0, 0, 0, 0};
    int buttonTop = 0;
    std::vector<ButtonPlacement> buttons; // every button's left edge; all stand at buttonTop
};
// client: the main window's client area; buttonWidth/Height: the NEW button's size; searchBarHeight:
// 0 without the bar; screenWidth and pixelsPerInch: of the screen (the document is an A4 page
// width of the screen).
Layout ComputeLayout(const RECT& client, int buttonWidth, int buttonHeight, int searchBarHeight, int scrollBarWidth,
                     int screenWidth, int pixelsPerInch);

} // namespace morvel_window
