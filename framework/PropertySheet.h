// Property pages and sheets, wizard mode included. Each wizard notification becomes one virtual
// with one meaning; the sheet runs modal in our own loop or modeless (as tests drive wizards).
#pragma once
#include "framework/Dialog.h"
#include <prsht.h>
#include <vector>

namespace fw {

// What a modal wizard returns when it was finished (the value the system's own class library returns).
const INT_PTR kWizardFinish = 0x3025;

class PropertyPage : public Dialog {
public:
    // captionId: string-table entry for the page's title, 0 to keep the template's caption.
    explicit PropertyPage(UINT templateId, UINT captionId = 0);

    // Fills the system's page description; the sheet calls it when it is built.
    PROPSHEETPAGEA Describe();
    // The tab title, in place of the template's caption; set before the sheet is built.
    void SetTitle(const std::string& title) { caption_ = title; }
    const std::string& Title() const { return caption_; }
    HWND Sheet() const { return ::GetParent(hwnd_); }
    void SetWizardButtons(DWORD flags) const;
    void SetModified(bool changed = true) const;

protected:
    // true: the page may be shown.
    virtual bool OnSetActive() { return true; }
    // true: the page's values are valid and the page may be left.
    virtual bool OnKillActive() { return true; }
    // 0 goes to the next (or previous) page, -1 stays, any other value is the template id to go to.
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // true: the wizard may finish.
    virtual bool OnWizardFinish() { return true; }
    // true: the sheet's values were applied (OK in a sheet that is not a wizard).
    virtual bool OnApply() { return true; }
    virtual void OnReset() {}
    // true: the sheet may be cancelled.
    virtual bool OnQueryCancel() { return true; }

    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool TakesInitHook() const override { return false; }

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::string caption_;
    bool applied_ = false;
    friend class PropSheet;
};

class PropSheet : public MessageFilter {
public:
    // captionId: string-table entry of the sheet's caption (0: none).
    explicit PropSheet(UINT captionId = 0, HWND parent = nullptr);
    virtual ~PropSheet();
    PropSheet(const PropSheet&) = delete;
    PropSheet& operator=(const PropSheet&) = delete;

    void AddPage(PropertyPage* page) { pages_.push_back(page); }
    void SetWizardMode() { wizard_ = true; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    void SetStartPage(int index) { startPage_ = index; }

    // Modal: kWizardFinish after a finished wizard, IDOK after OK in a sheet, IDCANCEL otherwise; -1 on failure.
    INT_PTR DoModal();
    // Modeless and shown; IsRunning tells when it has ended. The creator destroys it.
    bool Create(HWND parent);
    bool IsRunning() const;
    void Destroy();

    HWND Handle() const { return hwnd_; }
    int ActiveIndex() const;
    PropertyPage* ActivePage() const;
    bool PressButton(int button) const { return ::SendMessageA(hwnd_, PSM_PRESSBUTTON, button, 0) != 0; }
    bool PreTranslateMessage(MSG& message) override;
    // The outcome so far: kWizardFinish, IDOK or IDCANCEL.
    INT_PTR Result() const;

    // Test support: each sheet run by DoModal takes the oldest queued hook and runs it inside its
    // own message loop once it is shown (a sheet opened by the code under test).
    using InitHook = std::function<void(PropSheet&)>;
    static void PushInitHook(InitHook hook);
    static size_t PendingInitHooks();

private:
    PROPSHEETHEADERA Describe(std::vector<PROPSHEETPAGEA>& pages, bool modeless);

    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    std::string caption_;
    std::vector<PropertyPage*> pages_;
    bool wizard_ = false;
    int startPage_ = 0;
    bool finished_ = false;
    friend class PropertyPage;
};

} // namespace fw
