// Loading a set into a USB keyboard through its driver program.
#include "device/LoadKvoraUsb.h"
#include "framework/Clock.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/SetKind.h"

UsbLoadFlow::UsbLoadFlow(FileIO& fileIO, const std::string& setName, LoadView& view)
    : LoadFlow(view), fileIO_(fileIO), setName_(setName)
{
}

void UsbLoadFlow::Open()
{
    SetText(IDS_LOAD_QUESTION, fw::FormatResString(IDS_LOAD_QUESTION, setName_.c_str()));
    // The driver holds this set already; loading it again is still allowed.
    screen_.noteShown = SameSetName(setName_, fileIO_.GetCurrentSet());
    Show();
}

LoadOutcome UsbLoadFlow::Ok()
{
    if (!screen_.okEnabled)
        return LoadOutcome::kStayOpen;
    if (stage_ == Stage::kLoaded)
        return LoadOutcome::kCloseWithOk;
    if (stage_ != Stage::kAsking)
        return LoadOutcome::kStayOpen;

    SetText(IDS_LOAD_SEARCHING);
    screen_.okEnabled = false;
    screen_.focus = LoadScreen::Focus::kCancel;
    Show();
    HWND driver = FindDriver();
    if (!driver && !fileIO_.driverName_.empty())
        driver = StartDriver();
    if (!driver || !::PostMessageA(driver, FileIO::kMessageToDriver, kLoadRequest,
                                   reinterpret_cast<LPARAM>(view_.Window()))) {
        ShowNoDriver();
        return LoadOutcome::kStayOpen;
    }
    driver_ = driver;
    stage_ = Stage::kWaiting;
    asked_ = fw::TickCount();
    screen_.answerTimerMs = kAnswerCheckMs;
    Show();
    return LoadOutcome::kStayOpen;
}

LoadOutcome UsbLoadFlow::Cancel()
{
    return screen_.cancelEnabled ? LoadOutcome::kCloseWithCancel : LoadOutcome::kStayOpen;
}

// The wait for the answer ends: a driver whose window went away will not answer, nor one that has
// been silent for kAnswerLimit.
void UsbLoadFlow::Timer(UINT_PTR id)
{
    if (id != kAnswerTimer || stage_ != Stage::kWaiting)
        return;
    if (FindDriver() != driver_ || fw::TickCount() - asked_ >= kAnswerLimit)
        ShowNoAnswer();
}

// A window message carries no sender, so what is checked is only this: the message is WM_USER+114
// with wParam 2, it arrives while our request waits for its answer, and a window with the driver's
// caption is still the window the request went to. What cannot be checked is that the driver sent
// it: any program could post the same message meanwhile and would be taken for the driver. Anything
// else (a stray message before the request, a second answer, an answer after the wait ended or
// after the driver's window went away) changes nothing.
bool UsbLoadFlow::DriverMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kLoadRequest || stage_ != Stage::kWaiting || FindDriver() != driver_)
        return false;
    screen_.answerTimerMs = 0;
    if (lParam != 0) {
        stage_ = Stage::kLoaded;
        fileIO_.SetCurrentSet(setName_);
        fileIO_.NotifyDriver();
        SetText(IDS_LOAD_DONE);
        screen_.okEnabled = true;
        screen_.cancelEnabled = false;
        screen_.focus = LoadScreen::Focus::kOk;
    } else {
        stage_ = Stage::kNotLoaded;
        SetText(IDS_LOAD_NOT_CONNECTED);
        screen_.focus = LoadScreen::Focus::kCancel;
    }
    Show();
    return true;
}

std::string DriverProgramPath(const FileIO& fileIO)
{
    return fileIO.programFolder_ + "\\" + fileIO.driverName_ + "." + fileIO.variantName_ + ".exe";
}

std::string UsbLoadFlow::DriverProgram() const
{
    return DriverProgramPath(fileIO_);
}

// Without a driver name no window is sought: the search would take any dialog without a caption.
HWND UsbLoadFlow::FindDriver() const
{
    return fileIO_.driverName_.empty() ? nullptr : ::FindWindowA("#32770", fileIO_.driverName_.c_str());
}

// A driver that started but shows no window after the wait is no driver.
HWND UsbLoadFlow::StartDriver()
{
    screen_.waitCursor = true;
    Show();
    HWND driver = nullptr;
    if (StartHidden(DriverProgram(), fileIO_.programFolder_)) {
        view_.BringToFront();
        fw::Wait(kDriverStartWait);
        driver = FindDriver();
    }
    screen_.waitCursor = false;
    return driver;
}

// The driver may still have loaded the set; the text says only that it did not answer, and the set
// it holds is not changed.
void UsbLoadFlow::ShowNoAnswer()
{
    stage_ = Stage::kNoAnswer;
    SetText(IDS_LOAD_NO_ANSWER);
    screen_.answerTimerMs = 0;
    screen_.cancelEnabled = true;
    screen_.focus = LoadScreen::Focus::kCancel;
    Show();
}

void UsbLoadFlow::ShowNoDriver()
{
    stage_ = Stage::kNoDriver;
    SetText(IDS_LOAD_NO_DRIVER);
    screen_.waitCursor = false;
    screen_.cancelEnabled = true;
    screen_.focus = LoadScreen::Focus::kCancel;
    Show();
}
