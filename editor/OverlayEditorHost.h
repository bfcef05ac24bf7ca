// What the main window needs of the overlay editor, which the editor's own part of the program
// builds: the main window creates it through a factory it is given, tells it when its own size
// changed, and deletes it once the editor has told it that it closed.
#pragma once
#include "store/ListRecords.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class BabTTS;
class FileIO;
class TextSpeaker;
namespace fw {
class Printer;
}

// The overlay the main window opened an editor on, as the editor reports it when it closes: the
// set and number stay those it was opened with (its own Open loads another overlay but reports
// this one); the name is the one it last saved it under, else the one it opened, empty for a new
// overlay never saved.
struct OpenedOverlay {
    std::string setName;
    int number = 0;
    std::string name;
};

// A modeless editor window owned by the main window, at most one at a time. On closing (after
// asking about saving) it sends kClosedMessage to the main window, which then reads Opened() and
// deletes it once that call has returned; the destructor destroys the window if it still exists.
class OverlayEditor {
public:
    // wParam and lParam 0; the main window answers 1.
    static constexpr UINT kClosedMessage = WM_USER + 18;

    virtual ~OverlayEditor() = default;
    virtual HWND Window() const = 0;
    // The main window changed size (its WM_SIZE's type, width and height), never minimised: the
    // editor lays itself out anew for its own client area.
    virtual void OnSize(UINT type, int width, int height) = 0;
    // Asks about saving as the editor's own close does; false when the user chose to stay.
    virtual bool QueryClose() = 0;
    virtual OpenedOverlay Opened() const = 0;
};

// Everything the main window hands a new editor.
struct OverlayEditorRequest {
    HWND mainWindow = nullptr;             // the parent, and the receiver of kClosedMessage
    FileIO* fileIO = nullptr;
    PrintOptions* printOptions = nullptr;  // the main window's, read and changed by the editor's printing
    fw::Printer* printer = nullptr;        // the main window's printer, which the print dialog may change
    BabTTS* speechEngine = nullptr;        // the main window's two speech engines, either may be absent
    TextSpeaker* textSpeaker = nullptr;
    RECT screenRect{};                     // the main window's rectangle on the screen
    std::string setName;
    std::string overlayName;               // empty for a new overlay
    int number = 0;                        // 1-100, 101-127, or the list position + 1 in the templates set
    int readOnly = 0;                      // the set's folder is read-only
    std::string templateName;              // the template a new overlay starts from; empty for none
};

// Creates the editor modeless (template 129) and shows it; null when it could not be made.
using OverlayEditorFactory = std::function<std::unique_ptr<OverlayEditor>(const OverlayEditorRequest&)>;

// The settings dialogs of the editor's part of the program that the main window's menu runs; each
// is true when the user closed it with OK. Either may be empty: its command then does nothing.
struct EditorSettingsDialogs {
    std::function<bool(HWND owner, FileIO& fileIO, fw::Printer& printer)> printMargins;
    std::function<bool(HWND owner, FileIO& fileIO)> startSettings;
};
