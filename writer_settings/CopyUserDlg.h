// Asks for the name of a copy of a user.
#pragma once
#include "framework/Dialog.h"
#include "writer_settings/User.h"
#include <string>
#include <vector>

// Given the user array, the index of the source user, the users folder and the string that receives
// the new name on OK. Run modally.
class CopyUserDlg : public fw::Dialog {
public:
    CopyUserDlg(const std::vector<User>& users, int source, const std::string& usersDir, std::string& newName,
                HWND parent);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    bool Refuse(UINT textId, UINT icon);

    const std::vector<User>& users_;
    int source_;
    std::string usersDir_;
    std::string& newName_;
};
