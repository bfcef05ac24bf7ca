// The dialog that loads one set into the keyboard: it asks, then runs the flow of the keyboard model
// (the serial models or USB) and shows what the flow decides.
#pragma once
#include "device/AccessKvoraLink.h"
#include "device/LoadKvoraFlow.h"
#include "framework/Dialog.h"
#include <array>
#include <memory>
#include <string>

class FileIO;

// Modal. Borrows the caller's FileIO; owns its serial link (created and destroyed with the dialog)
// and the flow, which the constructor picks by the keyboard model.
class LoadKvoraDlg : public fw::Dialog, private LoadView {
public:
    LoadKvoraDlg(FileIO& fileIO, const std::string& setName, HWND parent = nullptr);
    ~LoadKvoraDlg() override;

    // Tests shorten the link's waits before the dialog opens, and read the flow's state.
    AccessKvoraLink& Link() { return link_; }
    LoadFlow& Flow() { return *flow_; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // LoadView
    void Show(const LoadScreen& screen) override;
    void BringToFront() override;
    void ShowError(UINT textId, const std::string& text) override;
    HWND Window() const override { return hwnd_; }

    void ApplyTimer(UINT_PTR id, UINT wanted, UINT running);
    void ApplyFocus(const LoadScreen& screen);

    AccessKvoraLink link_;
    std::unique_ptr<LoadFlow> flow_;
    LoadScreen shown_;
    bool firstShow_ = true;
    std::array<HICON, LoadFlow::kAnimationFrames> icons_{};
};

// The load command of the main window and of the overlay editor's save-and-load: a beep without a
// set; otherwise the dialog for the set. True when a USB load did not end with Cancel, so the set
// the driver holds may have changed and the set tree must show it.
bool LoadSetIntoKeyboard(FileIO& fileIO, const std::string& setName, HWND owner);
