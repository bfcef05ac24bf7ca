// Our speech engine's own settings dialog: speaking rate and volume.
#pragma once
#include <windows.h>

struct EngineSettings {
    int rate = 0;       // -10 (slowest) to 10 (fastest)
    int volume = 100;   // 0 to 100
};

// Runs the dialog modally over parent; true with the new values on OK.
bool RunSettingsDialog(HINSTANCE module, HWND parent, EngineSettings& settings);

// The settings live with the user, beside the other keys of the maker.
EngineSettings LoadEngineSettings();
void SaveEngineSettings(const EngineSettings& settings);
