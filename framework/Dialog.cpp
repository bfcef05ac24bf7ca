// Dialog: our own modal loop (so modeless windows and accelerators keep working under a modal
// main window), message dispatch to the virtual handlers, and the test hooks.
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include <commctrl.h>
#include <deque>
#include <exception>

namespace fw {

namespace {

const char kDialogProperty[] = "fw.Dialog";
const char kFilterProperty[] = "fw.MessageFilter";
const UINT kRunInitHook = WM_APP + 0x3F00;

std::deque<Dialog::InitHook>& InitHooks()
{
    static std::deque<Dialog::InitHook> hooks;
    return hooks;
}

Dialog::InitHook& UnexpectedDialogHandler()
{
    static Dialog::InitHook handler;
    return handler;
}

// Messages whose value the dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

void ReportException(HWND hwnd, const char* what)
{
    std::string format = LoadResString(IDS_FW_UNEXPECTED_ERROR);
    std::string text = format.empty() ? std::string(what) : Format(format.c_str(), what);
    std::string caption = LoadResString(IDS_FW_ERROR_CAPTION);
    ShowMessage(hwnd, IDS_FW_UNEXPECTED_ERROR, text, caption, MB_OK | MB_ICONSTOP);
}

} // namespace

void MessageFilter::Register(HWND topLevel, MessageFilter* filter)
{
    ::SetPropA(topLevel, kFilterProperty, reinterpret_cast<HANDLE>(filter));
}

void MessageFilter::Unregister(HWND topLevel)
{
    ::RemovePropA(topLevel, kFilterProperty);
}

MessageFilter* MessageFilter::FromHandle(HWND topLevel)
{
    return topLevel ? reinterpret_cast<MessageFilter*>(::GetPropA(topLevel, kFilterProperty)) : nullptr;
}

Dialog::Dialog(UINT templateId, HWND parent) : parent_(parent), templateId_(templateId)
{
}

Dialog::~Dialog()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        HWND hwnd = hwnd_;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

void Dialog::Attach(HWND hwnd)
{
    hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    ::SetPropA(hwnd, kDialogProperty, reinterpret_cast<HANDLE>(this));
    if (::GetAncestor(hwnd, GA_ROOT) == hwnd)
        MessageFilter::Register(hwnd, this);
}

void Dialog::Detach()
{
    if (!hwnd_)
        return;
    ::RemovePropA(hwnd_, kDialogProperty);
    if (MessageFilter::FromHandle(hwnd_) == this)
        MessageFilter::Unregister(hwnd_);
    ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

Dialog* Dialog::FromHandle(HWND hwnd)
{
    return hwnd ? reinterpret_cast<Dialog*>(::GetPropA(hwnd, kDialogProperty)) : nullptr;
}

INT_PTR Dialog::DoModal()
{
    modal_ = true;
    ended_ = false;
    result_ = IDCANCEL;
    HWND hwnd = ::CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        modal_ = false;
        return -1;
    }
    // Like the system's own modal loop: the owner is disabled while the dialog runs.
    modalOwner_ = parent_ ? ::GetAncestor(parent_, GA_ROOT) : nullptr;
    ownerDisabled_ = modalOwner_ && ::IsWindowEnabled(modalOwner_);
    if (ownerDisabled_)
        ::EnableWindow(modalOwner_, FALSE);
    // As the system's own modal loop does: a dialog that showed itself (maximised, say) stays as it is.
    if (!ended_ && !::IsWindowVisible(hwnd))
        ::ShowWindow(hwnd, SW_SHOWNORMAL);

    RunModalLoop([this] { return !ended_; });

    // EndDialog has given the owner back already, unless the window went another way.
    GiveBackOwner();
    if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
    modalOwner_ = nullptr;
    modal_ = false;
    return result_;
}

void Dialog::GiveBackOwner()
{
    if (ownerDisabled_)
        ::EnableWindow(modalOwner_, TRUE);
    ownerDisabled_ = false;
}

bool Dialog::Create(HWND parent)
{
    return Create(templateId_, parent);
}

bool Dialog::Create(UINT templateId, HWND parent)
{
    templateId_ = templateId;
    parent_ = parent;
    modal_ = false;
    ended_ = false;
    HWND hwnd = ::CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd)
        return false;
    if (!ended_)
        ::ShowWindow(hwnd, SW_SHOW);
    return true;
}

// As the system's own dialogs do: the owner is enabled before the dialog hides, so the system hands
// the activation back to it. Hidden while its owner is still disabled, the dialog would pass the
// activation (and the next keys) to whatever other program's window stood behind it.
void Dialog::EndDialog(INT_PTR result)
{
    result_ = result;
    ended_ = true;
    if (!modal_) {
        DestroyWindow();
        return;
    }
    GiveBackOwner();
    if (hwnd_) {
        const bool active = ::GetActiveWindow() == hwnd_;
        if (::IsChild(hwnd_, ::GetFocus()))
            ::SetFocus(hwnd_);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (active && modalOwner_)
            ::SetForegroundWindow(modalOwner_);
    }
    ::PostMessageA(hwnd_, WM_NULL, 0, 0); // wake the loop
}

void Dialog::DestroyWindow()
{
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

bool Dialog::PreTranslateMessage(MSG& message)
{
    return hwnd_ && ::IsDialogMessageA(hwnd_, &message);
}

void Dialog::PushInitHook(InitHook hook)
{
    InitHooks().push_back(std::move(hook));
}

void Dialog::ClearInitHooks()
{
    InitHooks().clear();
}

size_t Dialog::PendingInitHooks()
{
    return InitHooks().size();
}

void Dialog::SetUnexpectedDialogHandler(InitHook handler)
{
    UnexpectedDialogHandler() = std::move(handler);
}

void Dialog::TakeInitHook()
{
    if (!InitHooks().empty()) {
        initHook_ = std::move(InitHooks().front());
        InitHooks().pop_front();
        ::PostMessageA(hwnd_, kRunInitHook, 0, 0);
    } else if (UnexpectedDialogHandler()) {
        initHook_ = UnexpectedDialogHandler();
        ::PostMessageA(hwnd_, kRunInitHook, 0, 0);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->Attach(hwnd);
    } else {
        dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!dialog)
        return FALSE;
    return dialog->DispatchGuarded(message, wParam, lParam);
}

// A C++ exception must not unwind through the system's frames: stop it here and tell the user.
INT_PTR Dialog::DispatchGuarded(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportException(hwnd_, error.what());
    } catch (...) {
        ReportException(hwnd_, "?");
    }
    return FALSE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        bool defaultFocus = OnInitDialog();
        if (hwnd_ && placement_)
            placement_(hwnd_);
        if (hwnd_ && TakesInitHook())
            TakeInitHook();
        return defaultFocus ? TRUE : FALSE;
    }
    case kRunInitHook: {
        InitHook hook = std::move(initHook_);
        initHook_ = nullptr;
        if (hook)
            hook(*this);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (OnCommand(id, code))
            return TRUE;
        if (id == IDOK && (code == BN_CLICKED || lParam == 0)) {
            if (OnOK())
                EndDialog(IDOK);
            return TRUE;
        }
        if (id == IDCANCEL && (code == BN_CLICKED || lParam == 0)) {
            if (OnCancel())
                EndDialog(IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        // A notice OnNotify leaves (a child that tells its parent its own events, like a player's
        // end) goes to OnMessage as any other message, or a window that only has OnMessage never
        // hears it.
        if (!OnNotify(static_cast<int>(header->idFrom), header, result) &&
            !OnMessage(message, wParam, lParam, result))
            return FALSE;
        ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY: {
        LRESULT ignored = 0;
        OnMessage(message, wParam, lParam, ignored);
        Detach();
        return FALSE;
    }
    default: {
        LRESULT result = 0;
        if (!OnMessage(message, wParam, lParam, result))
            return FALSE;
        if (ReturnsValueDirectly(message))
            return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

SubclassedWindow::~SubclassedWindow()
{
    Detach();
}

bool SubclassedWindow::Attach(HWND hwnd)
{
    Detach();
    if (!hwnd || !::SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = hwnd;
    return true;
}

void SubclassedWindow::Detach()
{
    if (hwnd_) {
        ::RemoveWindowSubclass(hwnd_, SubclassProc, 1);
        hwnd_ = nullptr;
    }
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(message, wParam, lParam);
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data)
{
    SubclassedWindow* self = reinterpret_cast<SubclassedWindow*>(data);
    if (message == WM_NCDESTROY) {
        LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        ::RemoveWindowSubclass(hwnd, SubclassProc, 1);
        self->hwnd_ = nullptr;
        return result;
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportException(::GetParent(hwnd), error.what());
    } catch (...) {
        ReportException(::GetParent(hwnd), "?");
    }
    return 0;
}

void DispatchOne(MSG& message)
{
    // The top-level window of the message decides: a dialog of ours translates it first.
    HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    MessageFilter* filter = MessageFilter::FromHandle(root);
    if (filter && filter->PreTranslateMessage(message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

void RunModalLoop(const std::function<bool()>& running)
{
    MSG message;
    while (running()) {
        BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT: end this loop and hand the quit on to the outer one.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got == -1)
            return;
        DispatchOne(message);
    }
}

void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

} // namespace fw
