// Property pages and sheets on the common controls' property-sheet API.
#include "framework/PropertySheet.h"
#include "framework/Strings.h"
#include <deque>

namespace fw {

namespace {
const char kSheetProperty[] = "fw.PropSheet";

std::deque<PropSheet::InitHook>& SheetHooks()
{
    static std::deque<PropSheet::InitHook> hooks;
    return hooks;
}

PropSheet* SheetOf(HWND page)
{
    return reinterpret_cast<PropSheet*>(::GetPropA(::GetParent(page), kSheetProperty));
}

// The system's sheet opens at the top-left corner of the screen; once it has its size, and before
// it is shown, it is centred over its owner as every other dialog is.
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED)
        Window(sheet).CenterOver(::GetWindow(sheet, GW_OWNER));
    return 0;
}
} // namespace

PropertyPage::PropertyPage(UINT templateId, UINT captionId) : Dialog(templateId)
{
    if (captionId)
        caption_ = LoadResString(captionId);
}

PROPSHEETPAGEA PropertyPage::Describe()
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = ResourceModule();
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    if (!caption_.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = caption_.c_str();
    }
    return page;
}

void PropertyPage::SetWizardButtons(DWORD flags) const
{
    ::PostMessageA(Sheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void PropertyPage::SetModified(bool changed) const
{
    ::SendMessageA(Sheet(), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd_), 0);
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        PropertyPage* page = reinterpret_cast<PropertyPage*>(description->lParam);
        // Dialog::DialogProc expects the object itself in lParam.
        return DialogProc(hwnd, message, wParam, reinterpret_cast<LPARAM>(page));
    }
    return DialogProc(hwnd, message, wParam, lParam);
}

bool PropertyPage::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();
        return true;
    case PSN_WIZFINISH: {
        bool finish = OnWizardFinish();
        if (finish) {
            if (PropSheet* sheet = SheetOf(hwnd_))
                sheet->finished_ = true;
        }
        result = finish ? FALSE : TRUE;
        return true;
    }
    case PSN_APPLY: {
        bool applied = OnApply();
        if (applied) {
            if (PropSheet* sheet = SheetOf(hwnd_))
                sheet->finished_ = true;
        }
        result = applied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    }
    case PSN_RESET:
        OnReset();
        result = 0;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    default:
        return false;
    }
}

PropSheet::PropSheet(UINT captionId, HWND parent) : parent_(parent)
{
    if (captionId)
        caption_ = LoadResString(captionId);
}

PropSheet::~PropSheet()
{
    Destroy();
}

PROPSHEETHEADERA PropSheet::Describe(std::vector<PROPSHEETPAGEA>& pages, bool modeless)
{
    pages.clear();
    for (PropertyPage* page : pages_)
        pages.push_back(page->Describe());
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0)
                     | (wizard_ ? PSH_WIZARD : 0);
    header.pfnCallback = SheetCallback;
    header.hwndParent = parent_;
    header.hInstance = ResourceModule();
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(startPage_);
    header.ppsp = pages.data();
    return header;
}

bool PropSheet::Create(HWND parent)
{
    parent_ = parent;
    finished_ = false;
    std::vector<PROPSHEETPAGEA> pages;
    PROPSHEETHEADERA header = Describe(pages, true);
    hwnd_ = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (!hwnd_ || hwnd_ == reinterpret_cast<HWND>(-1)) {
        hwnd_ = nullptr;
        return false;
    }
    ::SetPropA(hwnd_, kSheetProperty, reinterpret_cast<HANDLE>(this));
    MessageFilter::Register(hwnd_, this);
    return true;
}

bool PropSheet::IsRunning() const
{
    // A modeless sheet has ended when it no longer has a current page.
    return hwnd_ && ::IsWindow(hwnd_) && ::SendMessageA(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void PropSheet::Destroy()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::RemovePropA(hwnd_, kSheetProperty);
        MessageFilter::Unregister(hwnd_);
        ::DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

INT_PTR PropSheet::Result() const
{
    if (!finished_)
        return IDCANCEL;
    return wizard_ ? kWizardFinish : IDOK;
}

INT_PTR PropSheet::DoModal()
{
    HWND owner = parent_ ? ::GetAncestor(parent_, GA_ROOT) : nullptr;
    if (!Create(parent_))
        return -1;
    bool reenableOwner = owner && ::IsWindowEnabled(owner);
    if (reenableOwner)
        ::EnableWindow(owner, FALSE);
    InitHook hook;
    if (!SheetHooks().empty()) {
        hook = std::move(SheetHooks().front());
        SheetHooks().pop_front();
    }
    // The loop asks whether the sheet still runs before each message: the hook runs there once.
    RunModalLoop([this, &hook] {
        if (hook) {
            InitHook run = std::move(hook);
            hook = nullptr;
            run(*this);
        }
        return IsRunning();
    });
    if (reenableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner)
        ::SetActiveWindow(owner);
    INT_PTR result = Result();
    Destroy();
    return result;
}

void PropSheet::PushInitHook(InitHook hook)
{
    SheetHooks().push_back(std::move(hook));
}

size_t PropSheet::PendingInitHooks()
{
    return SheetHooks().size();
}

int PropSheet::ActiveIndex() const
{
    HWND page = reinterpret_cast<HWND>(::SendMessageA(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page ? static_cast<int>(::SendMessageA(hwnd_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0)) : -1;
}

PropertyPage* PropSheet::ActivePage() const
{
    int index = ActiveIndex();
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(index)] : nullptr;
}

bool PropSheet::PreTranslateMessage(MSG& message)
{
    return hwnd_ && ::SendMessageA(hwnd_, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message)) != 0;
}

} // namespace fw
