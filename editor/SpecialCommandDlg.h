// The special-command dialog: a system key combination for a block command, chosen from a list or
// caught key by key in three one-key boxes.
#pragma once
#include "editor/CommandEditSingle.h"
#include "editor/SpecialCommandModel.h"
#include "framework/Dialog.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

class FileIO;

// Modal; the caller owns the settings and the command.
class SpecialCommandDlg : public fw::Dialog {
public:
    // (right, bottom): the screen point of the dialog's bottom-right corner. command: in, a combination
    // to start from (selected in the list when it is there, and split into the boxes), or empty; out, on
    // OK only, the composed tag alone, or empty when it is "<>" or shorter. The caller inserts a
    // non-empty result at its caret.
    SpecialCommandDlg(FileIO* settings, int right, int bottom, std::string& command, HWND parent = nullptr);
    ~SpecialCommandDlg() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnOK() override;

private:
    void OnBoxNotify(int code, LPARAM value);
    void OnListChoice();
    void ShowHint(UINT text);
    // Shows the model's words and command, and makes its current box the one enabled and focused.
    void ShowModel();
    int BoxId(int box) const;

    FileIO* settings_;
    POINT corner_;
    std::string& command_;
    std::vector<std::string> fixed_;
    SpecialCommandModel model_;
    std::array<std::unique_ptr<CommandEditSingle>, SpecialCommandModel::kBoxes> boxes_;
};
