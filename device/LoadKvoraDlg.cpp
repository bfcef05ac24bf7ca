// The load dialog: a view over the flow of the keyboard model.
#include "device/LoadKvoraDlg.h"
#include "device/LoadKvoraSerial.h"
#include "device/LoadKvoraUsb.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

namespace {

const UINT kAnimationIcons[LoadFlow::kAnimationFrames] = {IDI_LOAD_ANIMATION_1, IDI_LOAD_ANIMATION_2,
                                                          IDI_LOAD_ANIMATION_3};
const int kProgressControls[] = {IDC_LOAD_PROGRESS, IDC_LOAD_PROGRESS_LABEL};
const int kSendingControls[] = {IDC_LOAD_ANIMATION, IDC_LOAD_CANCEL_LABEL};

std::unique_ptr<LoadFlow> MakeFlow(FileIO& fileIO, const std::string& setName, AccessKvoraLink& link, LoadView& view)
{
    const int model = fileIO.GetKeyboardModel();
    if (model == FileIO::kModelUSB)
        return std::make_unique<UsbLoadFlow>(fileIO, setName, view);
    return std::make_unique<SerialLoadFlow>(fileIO, setName, model, link, view);
}

} // namespace

LoadKvoraDlg::LoadKvoraDlg(FileIO& fileIO, const std::string& setName, HWND parent)
    : fw::Dialog(IDD_LOAD_KVORA, parent), flow_(MakeFlow(fileIO, setName, link_, *this))
{
}

LoadKvoraDlg::~LoadKvoraDlg()
{
    for (HICON icon : icons_)
        if (icon)
            ::DestroyIcon(icon);
}

bool LoadKvoraDlg::OnInitDialog()
{
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    SetItemText(IDC_LOAD_ALREADY_LOADED, fw::LoadResString(IDS_LOAD_ALREADY_LOADED));
    Control<fw::ProgressBar>(IDC_LOAD_PROGRESS).SetRange(0, 100);
    for (size_t i = 0; i < icons_.size(); ++i)
        icons_[i] = static_cast<HICON>(::LoadImageA(fw::ResourceModule(), MAKEINTRESOURCEA(kAnimationIcons[i]),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    flow_->Open();
    return false;
}

bool LoadKvoraDlg::OnOK()
{
    return flow_->Ok() == LoadOutcome::kCloseWithOk;
}

bool LoadKvoraDlg::OnCancel()
{
    return flow_->Cancel() == LoadOutcome::kCloseWithCancel;
}

void LoadKvoraDlg::OnTimer(UINT_PTR id)
{
    flow_->Timer(id);
}

void LoadKvoraDlg::OnDestroy()
{
    KillTimer(LoadFlow::kTransferTimer);
    KillTimer(LoadFlow::kAnimationTimer);
    KillTimer(LoadFlow::kAnswerTimer);
}

bool LoadKvoraDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == FileIO::kMessageToDriver) {
        flow_->DriverMessage(wParam, lParam);
        result = 0;
        return true;
    }
    // The hourglass stays while a step that blocks the window, or the transfer, goes on.
    if (message == WM_SETCURSOR && shown_.waitCursor) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        result = TRUE;
        return true;
    }
    return false;
}

// --- LoadView -----------------------------------------------------------------------------------

void LoadKvoraDlg::Show(const LoadScreen& screen)
{
    if (firstShow_ || screen.text != shown_.text)
        SetItemText(IDC_LOAD_MESSAGE, screen.text);
    EnableItem(IDOK, screen.okEnabled);
    EnableItem(IDCANCEL, screen.cancelEnabled);
    ShowItem(IDC_LOAD_ALREADY_LOADED, screen.noteShown);
    for (int id : kProgressControls)
        ShowItem(id, screen.progressShown);
    for (int id : kSendingControls)
        ShowItem(id, screen.sendingShown);
    Control<fw::ProgressBar>(IDC_LOAD_PROGRESS).SetPos(screen.progress);
    if (firstShow_ || screen.animationFrame != shown_.animationFrame)
        Control<fw::Static>(IDC_LOAD_ANIMATION).SetIcon(icons_[static_cast<size_t>(screen.animationFrame)]);
    ApplyTimer(LoadFlow::kTransferTimer, screen.transferTimerMs, firstShow_ ? 0 : shown_.transferTimerMs);
    ApplyTimer(LoadFlow::kAnimationTimer, screen.animationTimerMs, firstShow_ ? 0 : shown_.animationTimerMs);
    ApplyTimer(LoadFlow::kAnswerTimer, screen.answerTimerMs, firstShow_ ? 0 : shown_.answerTimerMs);
    if (firstShow_ || screen.waitCursor != shown_.waitCursor)
        ::SetCursor(::LoadCursor(nullptr, screen.waitCursor ? IDC_WAIT : IDC_ARROW));
    ApplyFocus(screen);
    shown_ = screen;
    firstShow_ = false;
    // A step that blocks the window may follow: what it says must be on the screen first.
    ::UpdateWindow(hwnd_);
}

void LoadKvoraDlg::ApplyTimer(UINT_PTR id, UINT wanted, UINT running)
{
    if (wanted == running)
        return;
    if (wanted == 0)
        KillTimer(id);
    else
        SetTimer(id, wanted);
}

// The button the flow names takes the focus and becomes the default; a disabled one cannot, so the
// other takes it (a disabled button that kept the focus would leave the keyboard nowhere).
void LoadKvoraDlg::ApplyFocus(const LoadScreen& screen)
{
    int button = screen.focus == LoadScreen::Focus::kOk ? IDOK : IDCANCEL;
    if (!Item(button).IsEnabled())
        button = button == IDOK ? IDCANCEL : IDOK;
    if (!Item(button).IsEnabled() || ::GetFocus() == Item(button).Handle())
        return;
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(button).Handle()), TRUE);
}

void LoadKvoraDlg::BringToFront()
{
    ::SetForegroundWindow(hwnd_);
    ::SetActiveWindow(hwnd_);
    ApplyFocus(shown_);
}

void LoadKvoraDlg::ShowError(UINT textId, const std::string& text)
{
    fw::ShowMessage(hwnd_, textId, text, fw::LoadResString(IDS_FW_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
}

// --- the command --------------------------------------------------------------------------------

bool LoadSetIntoKeyboard(FileIO& fileIO, const std::string& setName, HWND owner)
{
    if (setName.empty()) {
        fw::Beep();
        return false;
    }
    const bool usb = fileIO.GetKeyboardModel() == FileIO::kModelUSB;
    LoadKvoraDlg dialog(fileIO, setName, owner);
    return dialog.DoModal() != IDCANCEL && usb;
}
