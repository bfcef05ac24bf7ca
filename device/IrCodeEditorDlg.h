// What the three infrared code editors share: the name, the send time (while the key is held, or a
// number of seconds) and the checks of OK.
#pragma once
#include "device/IrCodeDraft.h"
#include "framework/Dialog.h"
#include <string>
#include <vector>

class IrCommands;

// What the infrared loader lends an editor: its list (for names that are taken), the row being edited
// (-1 for a new code), the code number, the keyboard's commands and the program folder (the Zenthor
// program's help page lies there).
struct IrEditorContext {
    std::vector<std::string> names;
    int row = -1;
    int code = 0;
    IrCommands* commands = nullptr;
    std::string programFolder;
};

// Base of IrRecordDlg, IrRavikLinkDlg and Ir4096Dlg. The draft changes only on OK.
class IrCodeEditorDlg : public fw::Dialog {
public:
    // The ids of one editor's name field, its two send-time radios and its time field.
    struct Fields {
        int name;
        int whileHeld;
        int timed;
        int time;
    };

protected:
    IrCodeEditorDlg(UINT templateId, const Fields& fields, IrCodeDraft& draft, const IrEditorContext& context,
                    HWND parent);

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

    // Whether the editor holds what it stores besides the name (a code, a channel).
    virtual bool HasContent() const = 0;
    // The editor's own part of OK, after the name and the send time passed; true closes the dialog.
    // text is the draft's text to be; value the send time to be.
    virtual bool Accept(std::string& text, int value) = 0;
    // OK follows the name and the content; the learning editor also holds it while it works.
    virtual bool OkAllowed() const { return true; }
    void UpdateOk();
    // An error message box with the caption of error boxes.
    void ShowError(UINT textId) const;

    IrCodeDraft& draft_;
    const IrEditorContext& context_;

private:
    // The send time of the radios and the field, or -1 (the message shown).
    int SendTime() const;
    void ShowSendTime(int value);

    Fields fields_;
    bool settingTime_ = false;
};
