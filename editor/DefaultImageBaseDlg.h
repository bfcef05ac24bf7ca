// The default image base: the base chooser under its own caption, whose choice the caller stores.
#pragma once
#include "library/SelImageBaseDlg.h"

// Modal; the caller owns the key: in, the current default; out on OK, the chosen base.
class DefaultImageBaseDlg : public SelImageBaseDlg {
public:
    DefaultImageBaseDlg(const std::string& imageBaseFile, std::string& key, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
};

class FileIO;
// Opens the dialog, placed by the caller, on the stored default and stores the choice on OK; true
// when it was stored.
bool ChooseDefaultImageBase(HWND owner, FileIO& settings, fw::Dialog::Placement place);
