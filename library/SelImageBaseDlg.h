// The base chooser: lists the image bases of a settings file and gives back the key letter of the one chosen.
#pragma once
#include "framework/Dialog.h"
#include "library/ImageBaseRecords.h"
#include <string>
#include <vector>

// The caller owns the key-letter string: in, the base to select first; out on IDOK, the chosen base.
// Cancel leaves it as it was.
class SelImageBaseDlg : public fw::Dialog {
public:
    SelImageBaseDlg(const std::string& settingsFile, std::string& keyLetter, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnDestroy() override;

private:
    std::string settingsFile_;
    std::string& keyLetter_;
    std::vector<ImageDirectory> bases_;
};
