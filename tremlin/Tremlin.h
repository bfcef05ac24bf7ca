// The mouse hook library Skarpin's mouse command dialog catches click points with: a low-level mouse
// hook that tells one window about clicks by posting it TREMLIN_MESSAGE, and the record of the latest
// click for that window to fetch.
#pragma once
#include <windows.h>

#ifdef TREMLIN_BUILD
#define TREMLIN_API extern "C" __declspec(dllexport)
#else
#define TREMLIN_API extern "C" __declspec(dllimport)
#endif

// Posted (never sent) to the window given to InstallTremlin; wParam and lParam are 0.
#define TREMLIN_MESSAGE (WM_USER + 755)

// The modes of InstallTremlin.
#define TREMLIN_WATCH 0 // every button press is reported and passes on to its window
#define TREMLIN_CATCH 1 // only a press with Shift held is reported, and kept from its window

// The latest click. The receiver acts on it only when eventFlag is set.
struct MOUSE_INFO {
    int x;              // the pointer in screen pixels
    int y;
    int clickFlag;      // 1: a button went down
    int button;         // 1 left, 2 right, 3 middle
    int shiftHeld;      // 1: Shift was held
    char text[201];     // reserved: always empty
    BYTE eventFlag;     // 1: a click not fetched before
    BYTE injectedFlag;  // 1: the click came from SendInput rather than the mouse
};

// Installs the hook for the calling thread's window (the hook runs on that thread, which must keep
// pumping messages); a hook already installed is replaced. Nonzero on success.
TREMLIN_API int InstallTremlin(HWND window, int mode);
// Removes the hook; nonzero when one was installed and is gone.
TREMLIN_API int DeInstallTremlin();
// Copies the latest click into info and clears its event flag, so a click is acted on once. Nonzero
// when a click was recorded since the hook was installed.
TREMLIN_API int GetMouseData(MOUSE_INFO* info);
