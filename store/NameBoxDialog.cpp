// The name box of the name dialogs.
#include "store/NameBoxDialog.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"

bool NameBoxDialog::OnCommand(int id, int code)
{
    if (id == IDC_NAME_EDIT && code == EN_CHANGE) {
        UpdateOkButton();
        return true;
    }
    return false;
}

void NameBoxDialog::UpdateOkButton()
{
    EnableItem(IDOK, !ItemText(IDC_NAME_EDIT).empty());
}

bool NameBoxDialog::Refuse(int messageId, int focusId)
{
    commandmessages::ShowError(Handle(), static_cast<UINT>(messageId));
    Item(focusId).SetFocus();
    return false;
}
