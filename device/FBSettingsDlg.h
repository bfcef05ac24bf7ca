// The choice of the keyboard model: USB, PS/2 or AccessKvora.
#pragma once
#include "framework/Dialog.h"
#include <functional>
#include <string>

class FileIO;

class FBSettingsDlg : public fw::Dialog {
public:
    // Starts a program hidden (program, working folder) and returns at once; false when it did not start.
    using ProgramStarter = std::function<bool(const std::string&, const std::string&)>;

    // model: 0 PS/2, 1 USB, 2 AccessKvora; on OK the choice, which is also stored as [Settings] FBStatus.
    FBSettingsDlg(FileIO& fileIO, int& model, HWND parent = nullptr);
    // Tests start no real program.
    void SetProgramStarter(ProgramStarter starter) { starter_ = std::move(starter); }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    // The USB model needs its driver program: it is started unless its window is there already.
    void StartDriverIfAbsent();

    FileIO& fileIO_;
    int& model_;
    ProgramStarter starter_;
};
