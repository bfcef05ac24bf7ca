// A message in large type, with an optional picture and an optional sound that plays while it shows.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/ImagXpress.h"
#include "library/PictureButton.h"
#include <memory>
#include <string>

class MessageDlg : public fw::Dialog {
public:
    // Template 1565 (OK and Cancel as pictures) and no texts.
    explicit MessageDlg(HWND parent);
    // templateId: 1564 (Ja/Nej), 1565 (OK/Cancel pictures) or 1569 (YES/NO pictures).
    // A null picture or sound path leaves that part out.
    MessageDlg(UINT templateId, const std::string& message, const char* picturePath = nullptr,
               const char* soundPath = nullptr);
    MessageDlg(UINT templateId, HWND parent, const std::string& message, const char* picturePath = nullptr,
               const char* soundPath = nullptr);

    const std::string& Message() const { return message_; }
    // The picture control, while the dialog shows a picture.
    const CImagXpress* Picture() const { return picture_.get(); }

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowPicture();

    std::string message_;
    std::string picturePath_;
    std::string soundPath_;
    bool yesNoTemplate_;
    fw::Font font_;
    PictureButton okButton_;
    PictureButton cancelButton_;
    std::unique_ptr<CImagXpress> picture_;
};
