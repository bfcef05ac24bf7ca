// Base of the dialogs that ask for a name in their name box (IDC_NAME_EDIT): OK is enabled exactly
// while the box is not empty, and a refused name is told and the box takes the focus again.
#pragma once
#include "framework/Dialog.h"

class NameBoxDialog : public fw::Dialog {
protected:
    using fw::Dialog::Dialog;

    bool OnCommand(int id, int code) override;
    // Called on every change of the name box; the dialog calls it also once it has filled its boxes.
    virtual void UpdateOkButton();
    // Shows the message that refuses the name (caption "Felmeddelande") and puts the focus on the
    // control; false, for OnOK to return.
    bool Refuse(int messageId, int focusId);
};
