// The about box of both programs: version and date from the caller, texts from the program's strings.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include <string>

class AboutDlg : public fw::Dialog {
public:
    // version and date are owned by the caller and must outlive the dialog; empty keeps the template's texts.
    // In splash mode OK is disabled and the box closes itself (cancelled) two seconds after opening.
    AboutDlg(const std::string& version, const std::string& date, bool splash = false, HWND parent = nullptr);

    static const UINT_PTR kSplashTimer = 1;

protected:
    bool OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;

private:
    void ShowLogo();

    const std::string* version_;
    const std::string* date_;
    bool splash_;
    fw::Bitmap logo_;
};
