// Printing an overlay: the print command of the overlay editor from its dialog to the last page.
#pragma once
#include "store/Block.h"
#include "store/KeyboardSettings.h"
#include "store/ListRecords.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class FileIO;
class KeyGrid;
namespace fw {
class Printer;
}

// What is printed of one overlay, besides the printer and its margins.
struct OverlayPrintJob {
    std::string documentName; // the editor's window title
    int number = 0;           // 1-127, written as the optical code
    std::string overlayName;
    std::string setName;
    const std::vector<Block>* keys = nullptr;
    const std::vector<Block>* background = nullptr;
    KeyboardSettings settings;
    std::string defaultFont;
    int farEast = 0; // the Japanese variant's fonts
    PrintOptions options;
    float leftMarginMm = 0; // the printer's stored corrections
    float topMarginMm = 0;
};

// Prints the job as one document on the printer's device context; grid must carry the print
// geometry of the paper format (KeyGrid::Layout) and is laid out for the printer here. Returns the
// number of pages printed, or -1 when the driver refused the document or a page.
int PrintOverlayPages(HDC printer, short paperSize, KeyGrid& grid, const OverlayPrintJob& job);

// The editor's print command (menu "S&kriv ut..."): everything the editor hands over.
struct OverlayPrintRequest {
    HWND owner = nullptr;
    FileIO* fileIO = nullptr;
    fw::Printer* printer = nullptr;    // the main window's
    PrintOptions* options = nullptr;   // the main window's, kept from one print to the next
    KeyGrid* grid = nullptr;           // the editor's
    // What to print, asked after the save: a new overlay has its name and title only then. The
    // options and the margins are filled in here.
    std::function<OverlayPrintJob()> job;
    int readOnly = 0;
    // Saves as the editor's save command does; true when the overlay is no longer modified after it.
    std::function<bool()> save;
    // Reloads the background blocks' pictures for the printer (true) or the screen (false); empty in
    // the background view, where they are drawn as they are.
    std::function<void(bool forPrinter)> loadBackgroundPictures;
};

// The print dialog, the save, then the print. Returns the pages printed; 0 when nothing was printed
// (cancelled, not saved, or failed: every failure but Cancel has said why).
int RunOverlayPrint(const OverlayPrintRequest& request);
