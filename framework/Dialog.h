// Base of every dialog built from a template: modal with DoModal, modeless with Create.
// The object is owned by whoever created it; the window keeps a pointer to it from
// WM_INITDIALOG on, and forgets it at WM_NCDESTROY.
#pragma once
#include "framework/Controls.h"
#include <functional>
#include <string>

namespace fw {

// A top-level window of ours that sees messages before they are dispatched (keyboard navigation,
// accelerators). Our message loops ask the filter registered on the message's top-level window.
class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // true when the message was consumed.
    virtual bool PreTranslateMessage(MSG& message) = 0;
    static void Register(HWND topLevel, MessageFilter* filter);
    static void Unregister(HWND topLevel);
    static MessageFilter* FromHandle(HWND topLevel);
};

class Dialog : public MessageFilter {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog in its own message loop with the owner disabled; returns the value given
    // to EndDialog, or -1 when the template cannot be created.
    INT_PTR DoModal();
    // Creates the dialog modeless and shown; its creator destroys and deletes it.
    bool Create(HWND parent);
    bool Create(UINT templateId, HWND parent);
    // Modal: ends the loop with this result. Modeless: destroys the window.
    void EndDialog(INT_PTR result);
    void DestroyWindow();

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    Window Self() const { return Window(hwnd_); }
    Window Item(int id) const { return Window(::GetDlgItem(hwnd_, id)); }
    template <class T> T Control(int id) const { return T(hwnd_, id); }
    UINT TemplateId() const { return templateId_; }
    // Where the dialog opens, when its caller decides: the placement runs on the window once
    // OnInitDialog is done, so it has the last word over where the dialog put itself.
    using Placement = std::function<void(HWND)>;
    void PlaceOnOpen(Placement place) { placement_ = std::move(place); }
    HWND Parent() const { return parent_; }
    bool IsModal() const { return modal_; }
    INT_PTR Result() const { return result_; }

    std::string ItemText(int id) const { return Item(id).Text(); }
    void SetItemText(int id, const std::string& text) const { Item(id).SetText(text); }
    void EnableItem(int id, bool enable = true) const { Item(id).Enable(enable); }
    void ShowItem(int id, bool show = true) const { Item(id).Show(show); }
    bool IsChecked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void SetChecked(int id, bool checked) const { ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetCaption(const std::string& text) const { Self().SetText(text); }

    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) { return ::SetTimer(hwnd_, id, milliseconds, nullptr); }
    void KillTimer(UINT_PTR id) { ::KillTimer(hwnd_, id); }

    // Called by the message loops before a message is dispatched; true when it was consumed.
    // The default lets the dialog manager handle keyboard navigation.
    bool PreTranslateMessage(MSG& message) override;
    // The dialog object behind a window of ours, or null.
    static Dialog* FromHandle(HWND hwnd);

    // Test support: each dialog that opens takes the oldest queued hook and runs it from a
    // posted message, inside its own message loop, once WM_INITDIALOG is done.
    using InitHook = std::function<void(Dialog&)>;
    static void PushInitHook(InitHook hook);
    static void ClearInitHooks();
    static size_t PendingInitHooks();
    // Called (posted) when a dialog opens while hooks are wanted but none is queued.
    static void SetUnexpectedDialogHandler(InitHook handler);

protected:
    // Property pages are part of their sheet and leave the hooks to dialogs.
    virtual bool TakesInitHook() const { return true; }
    // false: the dialog has set the focus itself.
    virtual bool OnInitDialog() { return true; }
    // A switch over control ids; true when handled.
    virtual bool OnCommand(int id, int code) { return false; }
    // WM_NOTIFY; result goes to DWLP_MSGRESULT when handled. A notice it leaves goes on to OnMessage.
    virtual bool OnNotify(int id, NMHDR* header, LRESULT& result) { return false; }
    // true closes the dialog with IDOK / IDCANCEL; false keeps it open.
    virtual bool OnOK() { return true; }
    virtual bool OnCancel() { return true; }
    virtual void OnTimer(UINT_PTR id) {}
    virtual void OnDestroy() {}
    // Every other message. Return true when handled; result is returned as the message's value.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

    // Shared by dialogs and property pages.
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void TakeInitHook();

    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    UINT templateId_ = 0;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = IDCANCEL;
    InitHook initHook_;
    Placement placement_;

private:
    INT_PTR DispatchGuarded(UINT message, WPARAM wParam, LPARAM lParam);
    // Enables the owner that DoModal disabled, once.
    void GiveBackOwner();

    HWND modalOwner_ = nullptr;   // the top-level window a modal dialog disables while it runs
    bool ownerDisabled_ = false;  // DoModal disabled it and it is not enabled again yet
};

// A child window (usually a control from a template) whose messages pass through a C++ object first.
class SubclassedWindow {
public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    bool Attach(HWND hwnd);
    bool SubclassDlgItem(int id, HWND parent) { return Attach(::GetDlgItem(parent, id)); }
    void Detach();
    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    Window Self() const { return Window(hwnd_); }

protected:
    // Handle a message or pass it on with DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

// Gets and dispatches messages (through DispatchOne) while running() holds; a WM_QUIT ends the loop
// and is posted again for the loop outside.
void RunModalLoop(const std::function<bool()>& running);
// Pumps waiting messages (through PreTranslateMessage) without blocking.
void PumpMessages();
// Dispatches one message the way our loops do: a dialog of ours gets PreTranslateMessage first.
void DispatchOne(MSG& message);

} // namespace fw
