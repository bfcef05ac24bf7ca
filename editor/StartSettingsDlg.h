// The program-start method: which of the configured key sequences opens the system's run prompt when
// a block starts a program.
#pragma once
#include "editor/BlockAppearance.h"
#include "framework/Dialog.h"

class FileIO;

// Modal; the caller owns the settings, which change on OK only.
class StartSettingsDlg : public fw::Dialog {
public:
    explicit StartSettingsDlg(FileIO& settings, HWND parent = nullptr);

    // [KvoraStart] Start1 ... Start4 as the settings file holds them.
    static std::array<std::string, appearance::kStartMethods> ReadSequences(const FileIO& settings);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    // The radio checked, 0-3, or -1.
    int CheckedMethod() const;

    FileIO& settings_;
};

// The main window's settings command: opens the dialog; true when a method was stored.
bool RunStartSettings(HWND owner, FileIO& settings);
