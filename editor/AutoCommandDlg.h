// The automatic command: the rule by which a picture chosen from an image base writes the block's
// command (a prefix, the picture's word, file name or code, a suffix).
#pragma once
#include "editor/CommandEdit.h"
#include "framework/Dialog.h"
#include "store/ListRecords.h"

class FileIO;

// Modal; the caller owns the settings, whose rule changes on OK only. The dialog owns its two
// command editors.
class AutoCommandDlg : public fw::Dialog {
public:
    // The longest prefix or suffix the settings file gives back whole.
    static constexpr size_t kMaxPart = 255;

    explicit AutoCommandDlg(FileIO* settings, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    // "PÅ" enables the editors and the mode radios, "AV" disables them.
    void ShowOnState(bool on);

    FileIO* settings_;
    AutoCommandSettings rule_;
    CommandEdit prefix_;
    CommandEdit suffix_;
};
