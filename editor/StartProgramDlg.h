// The program-start dialog: the command that starts a program, with an optional file, through the
// system's run prompt.
#pragma once
#include "framework/Dialog.h"
#include <string>

class FileIO;

// Modal; the caller owns the settings and the command.
class StartProgramDlg : public fw::Dialog {
public:
    // command: in, the block's command in its long or its "<Run " form, whose program start is split
    // into the two boxes; out, on OK only, with that program start replaced by the long form of the
    // boxes (the rest of the command as it was); unchanged when neither box was changed. (left, top): the screen point of
    // the dialog's top-left corner.
    StartProgramDlg(FileIO* settings, std::string& command, int left, int top, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void OnBrowse(int box, UINT title, UINT filter);
    void OnStartMenu();

    FileIO* settings_;
    std::string& command_;
    POINT corner_;
    // The boxes as the command filled them.
    std::string openedProgram_;
    std::string openedFile_;
};
