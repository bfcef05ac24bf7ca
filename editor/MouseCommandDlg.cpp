// The mouse command dialog.
#include "editor/MouseCommandDlg.h"
#include "editor/ReferenceArea.h"
#include "editor/SubDialogTexts.h"
#include "framework/Clock.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <iterator>

namespace {

// How long the click that starts or ends a catch is given to be over before the hook changes.
const DWORD kHookPause = 50;
const UINT kFirstBlink = 500;
const UINT kNextBlinks = 300;
// How far up through its parents the window under a caught point is followed.
const int kMaxParents = 100;

const int kModeRadios[] = {IDC_MOUSE_MOVE, IDC_MOUSE_POSITION, IDC_MOUSE_CLICK_ONLY};
const int kDirectionRadios[] = {IDC_MOUSE_UP,   IDC_MOUSE_UP_RIGHT,  IDC_MOUSE_RIGHT, IDC_MOUSE_DOWN_RIGHT,
                                IDC_MOUSE_DOWN, IDC_MOUSE_DOWN_LEFT, IDC_MOUSE_LEFT,  IDC_MOUSE_UP_LEFT};

int IndexOf(const int* ids, size_t count, int id)
{
    for (size_t i = 0; i < count; ++i)
        if (ids[i] == id)
            return static_cast<int>(i);
    return -1;
}

std::string WindowTitle(HWND window)
{
    char title[256] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    return title;
}

unsigned HandleNumber(HWND window)
{
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window));
}

} // namespace

MouseCommandDlg::MouseCommandDlg(std::string& command, const POINT* corner,
                                 const std::vector<MouseClickReference>& named, MouseClickReference* current,
                                 int* repeat, HWND parent)
    : fw::Dialog(IDD_MOUSE_COMMAND, parent), command_(command), hasCorner_(corner != nullptr),
      corner_(corner ? *corner : POINT{}), named_(named), reference_(current), repeat_(repeat)
{
}

MouseCommandDlg::~MouseCommandDlg() = default;

// ---- Opening ----------------------------------------------------------------------------------

bool MouseCommandDlg::OnInitDialog()
{
    SetTexts();
    if (hasCorner_)
        subdialog::MoveCornerTo(hwnd_, corner_, subdialog::Corner::BottomRight);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    icons_[0] = ::LoadIconA(fw::ResourceModule(), MAKEINTRESOURCEA(IDI_CATCH_ON));
    icons_[1] = ::LoadIconA(fw::ResourceModule(), MAKEINTRESOURCEA(IDI_CATCH_OFF));
    ShowItem(IDC_MOUSE_BLINK, false);
    FillLists();
    mouse::ParseMouseCommand(command_, choices_);
    ShowChoices();
    EnterMode(choices_.mode);
    return true;
}

void MouseCommandDlg::SetTexts()
{
    subdialog::SetTexts(*this, IDS_MOUSE_CAPTION,
                        {{IDC_MOUSE_MOVE, IDS_MOUSE_MOVE},
                         {IDC_MOUSE_POSITION, IDS_MOUSE_POSITION},
                         {IDC_MOUSE_CLICK_ONLY, IDS_MOUSE_CLICK_ONLY},
                         {IDC_MOUSE_SPEED, IDS_MOUSE_SPEED},
                         {IDC_MOUSE_SLOW, IDS_MOUSE_SLOW},
                         {IDC_MOUSE_FAST, IDS_MOUSE_FAST},
                         {IDC_MOUSE_CLICK, IDS_MOUSE_CLICK},
                         {IDC_MOUSE_CATCH, IDS_MOUSE_CATCH},
                         {IDC_MOUSE_CANCEL_CATCH, IDS_MOUSE_CANCEL_CATCH},
                         {IDC_MOUSE_ADVANCED, IDS_MOUSE_ADVANCED},
                         {IDC_MOUSE_TRY, IDS_MOUSE_TRY},
                         {IDC_MOUSE_HINT, IDS_MOUSE_HINT},
                         {IDC_MOUSE_COMMAND_LABEL, IDS_COMMAND_LABEL}});
}

void MouseCommandDlg::FillLists()
{
    fw::ComboBox buttons(hwnd_, IDC_MOUSE_BUTTON);
    for (UINT text : {IDS_MOUSE_NO_BUTTON, IDS_MOUSE_LEFT_BUTTON, IDS_MOUSE_RIGHT_BUTTON})
        buttons.Add(fw::LoadResString(text));
    fw::ComboBox actions(hwnd_, IDC_MOUSE_ACTION);
    for (UINT text : {IDS_MOUSE_SINGLE_CLICK, IDS_MOUSE_DOUBLE_CLICK, IDS_MOUSE_HOLD_DOWN, IDS_MOUSE_LET_UP})
        actions.Add(fw::LoadResString(text));
}

void MouseCommandDlg::ShowChoices()
{
    for (size_t i = 0; i < std::size(kModeRadios); ++i)
        SetChecked(kModeRadios[i], static_cast<int>(i) == static_cast<int>(choices_.mode));
    for (size_t i = 0; i < std::size(kDirectionRadios); ++i)
        SetChecked(kDirectionRadios[i], static_cast<int>(i) == static_cast<int>(choices_.direction));
    SetChecked(IDC_MOUSE_SLOW, !choices_.fast);
    SetChecked(IDC_MOUSE_FAST, choices_.fast);
    fw::ComboBox(hwnd_, IDC_MOUSE_BUTTON).Select(choices_.button);
    fw::ComboBox(hwnd_, IDC_MOUSE_ACTION).Select(choices_.action);
}

// ---- Modes and choices --------------------------------------------------------------------------

void MouseCommandDlg::EnterMode(mouse::Mode mode)
{
    choices_.mode = mode;
    if (mode == mouse::Mode::Position) {
        catch_.InstallHook(hwnd_, MouseCatch::kWatch);
        Log("OnMousePosition");
    } else {
        if (catching_)
            StopBlinking(false);
        catching_ = false;
        catch_.RemoveHook();
        choices_.positionTag.clear();
    }
    const mouse::ControlStates states = mouse::ControlStatesFor(mode);
    for (int id : kDirectionRadios)
        EnableItem(id, states.directions);
    EnableItem(IDC_MOUSE_SLOW, states.directions);
    EnableItem(IDC_MOUSE_FAST, states.directions);
    EnableItem(IDC_MOUSE_CATCH, states.catchPoint);
    EnableItem(IDC_MOUSE_CANCEL_CATCH, states.cancelCatch);
    EnableItem(IDC_MOUSE_ADVANCED, states.advanced);
    EnableItem(IDC_MOUSE_BUTTON, states.clickLists);
    EnableItem(IDC_MOUSE_ACTION, states.clickLists);
    EnableItem(IDC_MOUSE_TRY, states.tryCommand);
    Rebuild();
}

void MouseCommandDlg::Rebuild()
{
    SetItemText(IDC_MOUSE_COMMAND, mouse::BuildMouseCommand(choices_));
}

bool MouseCommandDlg::OnCommand(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == IDC_MOUSE_BUTTON || id == IDC_MOUSE_ACTION)) {
        choices_.button = fw::ComboBox(hwnd_, IDC_MOUSE_BUTTON).Selection();
        choices_.action = fw::ComboBox(hwnd_, IDC_MOUSE_ACTION).Selection();
        Rebuild();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (int mode = IndexOf(kModeRadios, std::size(kModeRadios), id); mode >= 0) {
        // The position radio clicked again during a catch changes nothing: a watching hook in its
        // place would make the next ordinary click the caught point.
        if (!(catching_ && static_cast<mouse::Mode>(mode) == choices_.mode))
            EnterMode(static_cast<mouse::Mode>(mode));
        return true;
    }
    if (int direction = IndexOf(kDirectionRadios, std::size(kDirectionRadios), id); direction >= 0) {
        choices_.direction = static_cast<command::MouseDirection>(direction);
        Rebuild();
        return true;
    }
    switch (id) {
    case IDC_MOUSE_SLOW:
    case IDC_MOUSE_FAST:
        choices_.fast = id == IDC_MOUSE_FAST;
        Rebuild();
        return true;
    case IDC_MOUSE_CATCH: OnCatch(); return true;
    case IDC_MOUSE_CANCEL_CATCH: OnCancelCatch(); return true;
    case IDC_MOUSE_ADVANCED: OnAdvanced(); return true;
    case IDC_MOUSE_TRY: OnTry(); return true;
    }
    return false;
}

// ---- Catching a point ---------------------------------------------------------------------------

void MouseCommandDlg::OnCatch()
{
    catch_.RemoveHook();
    fw::Wait(kHookPause);
    catching_ = true;
    frontWindow_ = hwnd_;
    Log("OnPositionCatch");
    if (!catch_.InstallHook(hwnd_, MouseCatch::kCatch))
        Log("InstallHook FAILED !");
    StartBlinking();
    EnableItem(IDC_MOUSE_CANCEL_CATCH, true);
}

void MouseCommandDlg::OnCancelCatch()
{
    StopBlinking(false);
    catching_ = false;
    catch_.RemoveHook();
    WatchAgain();
    EnableItem(IDC_MOUSE_CANCEL_CATCH, false);
}

void MouseCommandDlg::WatchAgain()
{
    fw::Wait(kHookPause);
    catch_.InstallHook(hwnd_, MouseCatch::kWatch);
}

bool MouseCommandDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != kHookMessage)
        return false;
    OnHookMessage();
    result = 0;
    return true;
}

void MouseCommandDlg::OnHookMessage()
{
    MOUSE_INFO info{};
    if (!GetMouseData(&info) || !info.eventFlag)
        return;
    if (catching_) {
        Log("Trigged!");
        StopBlinking(true);
    }
    const POINT point{info.x, info.y};
    RECT window{};
    if (info.clickFlag) {
        HWND top = TopLevelWindowAt(point, window);
        if (catching_) {
            catch_.SetTarget(top);
            caughtWindow_ = top;
        } else if (::GetForegroundWindow() != frontWindow_) {
            Log(fw::Format("Catched Window = %u", HandleNumber(caughtWindow_)));
            Log(fw::Format("GetForegroundWindow = %u", HandleNumber(::GetForegroundWindow())));
        }
    }
    if (!catching_)
        return;
    catching_ = false;
    catch_.RemoveHook();
    WatchAgain();
    TakeCaughtPoint(point, window);
}

HWND MouseCommandDlg::TopLevelWindowAt(POINT point, RECT& rect)
{
    HWND window = ::WindowFromPoint(point);
    for (int step = 0; step < kMaxParents && window && ::GetParent(window); ++step)
        window = ::GetParent(window);
    if (!window)
        return nullptr;
    ::GetWindowRect(window, &rect);
    const std::string title = WindowTitle(window);
    if (!title.empty())
        Log(fw::Format("Title bar: %s", title.c_str()));
    if (window == ::GetDesktopWindow() || title == "Program Manager")
        Log("It,s desktop window!");
    Log(fw::Format("Window Pos left: %d, top: %d, right: %d, bot: %d", static_cast<int>(rect.left),
                   static_cast<int>(rect.top), static_cast<int>(rect.right), static_cast<int>(rect.bottom)));
    return window;
}

void MouseCommandDlg::TakeCaughtPoint(POINT point, const RECT& window)
{
    if (!reference_ || !reference_->unit_ || !reference_->target_ || !reference_->corner_)
        Log("Relative position");
    caughtPoint_ = mouse::MeasurePoint(reference_, point, window, catch_.Screen());
    hasCaughtPoint_ = true;
    Log(fw::Format("Position Catched: X=%d, Y=%d\r\n", caughtPoint_.x, caughtPoint_.y));
    choices_.positionTag = command::MousePositionTag(caughtPoint_.reference, caughtPoint_.x, caughtPoint_.y);
    Rebuild();
    EnableItem(IDC_MOUSE_TRY, true);
    EnableItem(IDC_MOUSE_CANCEL_CATCH, false);
}

// ---- The blinking icon --------------------------------------------------------------------------

void MouseCommandDlg::StartBlinking()
{
    blinkOn_ = true;
    blinkTicks_ = 0;
    fw::Static(hwnd_, IDC_MOUSE_BLINK).SetIcon(icons_[0]);
    ShowItem(IDC_MOUSE_BLINK, true);
    SetTimer(kBlinkTimer, kFirstBlink);
}

void MouseCommandDlg::StopBlinking(bool keepIcon)
{
    KillTimer(kBlinkTimer);
    fw::Static(hwnd_, IDC_MOUSE_BLINK).SetIcon(icons_[0]);
    ShowItem(IDC_MOUSE_BLINK, keepIcon);
}

void MouseCommandDlg::OnTimer(UINT_PTR id)
{
    if (id != kBlinkTimer)
        return;
    if (blinkTicks_++ == 0)
        SetTimer(kBlinkTimer, kNextBlinks);
    blinkOn_ = !blinkOn_;
    fw::Static(hwnd_, IDC_MOUSE_BLINK).SetIcon(icons_[blinkOn_ ? 0 : 1]);
}

// ---- Advanced and trying ------------------------------------------------------------------------

void MouseCommandDlg::OnAdvanced()
{
    if (choices_.mode != mouse::Mode::Position) {
        for (int id : kModeRadios)
            SetChecked(id, id == IDC_MOUSE_POSITION);
        EnterMode(mouse::Mode::Position);
    }
    if (!reference_)
        reference_ = &ownReference_;
    ReferenceArea area(named_, *reference_, hwnd_);
    area.DoModal();
}

void MouseCommandDlg::OnTry()
{
    // Nothing caught yet: there is no point to click on, and a click where the pointer is would land on
    // this button again.
    if (!hasCaughtPoint_) {
        fw::Beep();
        return;
    }
    catch_.SetTarget(caughtWindow_);
    const int clicks = choices_.button == mouse::kNoButton ? 0 : mouse::TryClicks(choices_.action);
    catch_.MoveAndClick(caughtPoint_, choices_.button, clicks);
}

// ---- OK and closing -----------------------------------------------------------------------------

bool MouseCommandDlg::OnOK()
{
    command_ = mouse::PlaceMouseCommand(command_, mouse::BuildMouseCommand(choices_));
    // A held key repeats its command: a move goes on moving the pointer, which is what a move key is
    // for, while a click, a press, a release or a jump to a point would happen again and again.
    if (repeat_ && choices_.mode == mouse::Mode::Move)
        *repeat_ = 1;
    return true;
}

void MouseCommandDlg::OnDestroy()
{
    KillTimer(kBlinkTimer);
    catch_.RemoveHook();
}

void MouseCommandDlg::Log(const std::string& line) const
{
    if (log_)
        log_(line);
}
