// The load dialog in a real window, driven by messages as a user would drive it: the serial models
// against the keyboard simulator, USB against the driver stand-in, and the main window's command
// that opens it. RZ_SCREENSHOTS names a folder for pictures of the dialog in its states.
#include "ImageBaseFiles.h"
#include "LoadFixture.h"
#include "device/LoadKvoraDlg.h"
#include "device/LoadKvoraSerial.h"
#include "device/LoadKvoraUsb.h"
#include "framework/Clock.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/IniFile.h"
#include "skarpin/CSkarpinDlg.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>

namespace {

using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::IsVisible;
using testsupport::Snapshot;
using testsupport::Text;

class LoadKvoraDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareKeyboard(keyboard_, FileIO::kModelPS2);
        config_.InstallWaits();
        config_.InstallZenthor();
    }

    void TearDown() override { keyboard_.Do("reset"); }

    void Keyboard(int model, const std::string& misbehaviour = std::string())
    {
        config_.SetModel(model);
        PrepareKeyboard(keyboard_, model, misbehaviour);
    }

    // Ticks the transfer timer by message until the dialog's message is no longer "loading".
    static void FollowTransfer(fw::Dialog& dialog)
    {
        const std::string sending = Text(dialog, IDC_LOAD_MESSAGE);
        for (int tick = 0; tick < 200 && Text(dialog, IDC_LOAD_MESSAGE) == sending; ++tick) {
            dialog.Self().Send(WM_TIMER, LoadFlow::kTransferTimer);
            fw::PumpMessages();
            ::Sleep(2);
        }
    }

    static int Progress(fw::Dialog& dialog) { return fw::ProgressBar(dialog, IDC_LOAD_PROGRESS).Pos(); }

    LoadFixture config_;
    testsupport::CurrentFolderGuard current_{config_.Temp().Path()};
    KeyboardControl keyboard_;
};

TEST_F(LoadKvoraDlgTest, APs2LoadFromTheQuestionToItsEnd)
{
    Keyboard(FileIO::kModelPS2);
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    dialog.Link().SetTimings(ShortLoadTimings());
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Vill du ladda Rizovuvuri med setet \"Skola\"?", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_EQ("Avbryt", Text(d, IDCANCEL));
        EXPECT_FALSE(IsVisible(d, IDC_LOAD_ALREADY_LOADED));
        for (int id : {IDC_LOAD_PROGRESS, IDC_LOAD_PROGRESS_LABEL, IDC_LOAD_ANIMATION, IDC_LOAD_CANCEL_LABEL})
            EXPECT_FALSE(IsVisible(d, id)) << id;
        Snapshot(d, "load_question");

        Click(d, IDOK);
        EXPECT_EQ("Rizovuvuri laddas...", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_TRUE(IsEnabled(d, IDCANCEL));
        for (int id : {IDC_LOAD_PROGRESS, IDC_LOAD_PROGRESS_LABEL, IDC_LOAD_ANIMATION, IDC_LOAD_CANCEL_LABEL})
            EXPECT_TRUE(IsVisible(d, id)) << id;

        FollowTransfer(d);
        EXPECT_EQ("Laddningen är klar!", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_EQ(100, Progress(d));
        EXPECT_TRUE(IsVisible(d, IDC_LOAD_PROGRESS));
        // The animation and "do not unplug" go once the set is in.
        EXPECT_FALSE(IsVisible(d, IDC_LOAD_ANIMATION));
        EXPECT_FALSE(IsVisible(d, IDC_LOAD_CANCEL_LABEL));
        EXPECT_TRUE(IsEnabled(d, IDOK));
        EXPECT_FALSE(IsEnabled(d, IDCANCEL));
        EXPECT_EQ(::GetDlgItem(d, IDOK), ::GetFocus());
        Snapshot(d, "load_done");
        // Neither Esc nor the close box ends a finished load with Cancel.
        d.Self().Send(WM_COMMAND, IDCANCEL);
        EXPECT_TRUE(d.Self().IsVisible());
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(dialog.Link().Image().Bytes(), keyboard_.LastImage());
}

// The transfer under way, the keyboard taking it at the line's pace (the clock is the test's), then
// Cancel.
TEST_F(LoadKvoraDlgTest, CancelInTheMiddleOfATransfer)
{
    config_.MakeLargeSet();
    Keyboard(FileIO::kModelPS2, "read-baud 19200");
    DWORD now = 100000;
    fw::SetTickCountHandler([&] { return now; });
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kLargeSet);
    dialog.Link().SetTimings(ShortLoadTimings());
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        for (int tick = 0; tick < 200 && Progress(d) < 10; ++tick) {
            now += AccessKvoraLink::kTransferTimerMs;
            d.Self().Send(WM_TIMER, LoadFlow::kTransferTimer);
            fw::PumpMessages();
            ::Sleep(5);
        }
        EXPECT_GE(Progress(d), 10);
        EXPECT_LT(Progress(d), 95);
        d.Self().Send(WM_TIMER, LoadFlow::kAnimationTimer);
        Snapshot(d, "load_sending");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(LoadKvoraDlgTest, AFailedLoadLeavesOnlyCancel)
{
    Keyboard(FileIO::kModelPS2, "refuse-checksum");
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    dialog.Link().SetTimings(ShortLoadTimings());
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        FollowTransfer(d);
        EXPECT_EQ(fw::LoadResString(IDS_LOAD_FAILED), Text(d, IDC_LOAD_MESSAGE));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_TRUE(IsEnabled(d, IDCANCEL));
        EXPECT_EQ(::GetDlgItem(d, IDCANCEL), ::GetFocus());
        // Nothing is left that says the load goes on: no bar stopped short, no animation, no hint.
        for (int id : {IDC_LOAD_PROGRESS, IDC_LOAD_PROGRESS_LABEL, IDC_LOAD_ANIMATION, IDC_LOAD_CANCEL_LABEL})
            EXPECT_FALSE(IsVisible(d, id)) << id;
        Snapshot(d, "load_failed");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(LoadKvoraDlgTest, NoKeyboardIsSaid)
{
    Keyboard(FileIO::kModelPS2, "silent");
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    dialog.Link().SetTimings(ShortLoadTimings());
    testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        EXPECT_EQ("Rizovuvuri är inte ansluten.", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_FALSE(IsVisible(d, IDC_LOAD_PROGRESS));
        Snapshot(d, "load_not_connected");
        Click(d, IDCANCEL);
    });
}

// The search for an AccessKvora keyboard starts Zenthor; OK after the load tells it, once.
TEST_F(LoadKvoraDlgTest, AnAccessKvoraLoadTellsZenthorOnOk)
{
    config_.EnableZenthor();
    Keyboard(FileIO::kModelAccessKvora);
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    dialog.Link().SetTimings(ShortLoadTimings());
    fw::SetWaitHandler([&](DWORD milliseconds) {
        if (milliseconds < 1000) {
            ::Sleep(milliseconds);
            return;
        }
        Snapshot(dialog, "load_searching");
        testsupport::PumpUntil([] { return LoadFixture::ZenthorWindow() != nullptr; });
    });
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        EXPECT_NE(nullptr, LoadFixture::ZenthorWindow());
        FollowTransfer(d);
        EXPECT_EQ("Laddningen är klar!", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_EQ(0, CountLines(config_.ZenthorLog(), "ZenthorIniFileChanged"));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return CountLines(config_.ZenthorLog(), "read done") == 1; }));
    EXPECT_EQ(1, CountLines(config_.ZenthorLog(), "ZenthorIniFileChanged wParam=0 lParam=0"));
}

// --- USB ----------------------------------------------------------------------------------------

TEST_F(LoadKvoraDlgTest, AUsbLoadOfTheCurrentSet)
{
    config_.SetModel(FileIO::kModelUSB);
    ini::WriteString(config_.ProgramSettingsFile(), "USB", "CurrentSet", LoadFixture::kSmallSet);
    config_.InstallDriver("Answer=1\r\n");
    ASSERT_TRUE(config_.StartDriver());
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    std::string request;
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        request = "WM_USER+114 wParam=2 lParam=" + std::to_string(reinterpret_cast<LONG_PTR>(d.Handle()));
        EXPECT_TRUE(IsVisible(d, IDC_LOAD_ALREADY_LOADED));
        EXPECT_EQ(fw::LoadResString(IDS_LOAD_ALREADY_LOADED), Text(d, IDC_LOAD_ALREADY_LOADED));
        Snapshot(d, "load_usb_current_set");
        // A stray answer before the request changes nothing.
        d.Self().Send(FileIO::kMessageToDriver, 2, 1);
        EXPECT_EQ("Vill du ladda Rizovuvuri med setet \"Skola\"?", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_TRUE(IsEnabled(d, IDOK));

        Click(d, IDOK);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return IsEnabled(d, IDOK); }));
        EXPECT_EQ("Laddningen är klar!", Text(d, IDC_LOAD_MESSAGE));
        EXPECT_FALSE(IsEnabled(d, IDCANCEL));
        Snapshot(d, "load_usb_done");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    const std::string log = config_.DriverLog();
    EXPECT_EQ(1, CountLines(log, request)) << log;
}

// A driver that takes the request and never answers: the dialog's timer ends the wait with a message.
TEST_F(LoadKvoraDlgTest, AUsbDriverThatNeverAnswers)
{
    config_.SetModel(FileIO::kModelUSB);
    config_.InstallDriver("Answer=never\r\n");
    ASSERT_TRUE(config_.StartDriver());
    DWORD now = 100000;
    fw::SetTickCountHandler([&] { return now; });
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        EXPECT_EQ(fw::LoadResString(IDS_LOAD_SEARCHING), Text(d, IDC_LOAD_MESSAGE));
        EXPECT_EQ(UsbLoadFlow::kAnswerCheckMs, dialog.Flow().Screen().answerTimerMs);
        now += UsbLoadFlow::kAnswerLimit;
        d.Self().Send(WM_TIMER, LoadFlow::kAnswerTimer);
        EXPECT_EQ(fw::LoadResString(IDS_LOAD_NO_ANSWER), Text(d, IDC_LOAD_MESSAGE));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_TRUE(IsEnabled(d, IDCANCEL));
        EXPECT_EQ(::GetDlgItem(d, IDCANCEL), ::GetFocus());
        Snapshot(d, "load_usb_no_answer");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ("<missing>", config_.CurrentSet());
}

TEST_F(LoadKvoraDlgTest, AUsbDriverThatIsNotThere)
{
    config_.SetModel(FileIO::kModelUSB);
    LoadKvoraDlg dialog(config_.Io(), LoadFixture::kSmallSet);
    testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_FALSE(IsVisible(d, IDC_LOAD_ALREADY_LOADED));
        Click(d, IDOK);
        EXPECT_EQ(fw::LoadResString(IDS_LOAD_NO_DRIVER), Text(d, IDC_LOAD_MESSAGE));
        EXPECT_TRUE(IsEnabled(d, IDCANCEL));
        Snapshot(d, "load_usb_no_driver");
        Click(d, IDCANCEL);
    });
}

// --- the main window's command ------------------------------------------------------------------

// A USB load from the main window makes the set current: the tree shows it first.
TEST_F(LoadKvoraDlgTest, TheMainWindowLoadsTheSelectedSet)
{
    config_.SetModel(FileIO::kModelUSB);
    config_.Io().CreateSet("Annat");
    config_.InstallDriver("Answer=1\r\n");
    ASSERT_TRUE(config_.StartDriver());
    CSkarpinDlg window(config_.Environment());
    testsupport::RunModal(window, [&](fw::Dialog&) {
        size_t line = 0;
        while (line < window.TreeItems().size() && window.TreeItems()[line].name_ != LoadFixture::kSmallSet)
            ++line;
        ASSERT_LT(line, window.TreeItems().size());
        ASSERT_NE(0u, line) << "the set to load must not be the first line yet";
        window.SelectSetLine(line);

        testsupport::OnNextDialog([](fw::Dialog& load) {
            EXPECT_EQ(static_cast<UINT>(IDD_LOAD_KVORA), load.TemplateId());
            EXPECT_EQ("Vill du ladda Rizovuvuri med setet \"Skola\"?", Text(load, IDC_LOAD_MESSAGE));
            Click(load, IDOK);
            ASSERT_TRUE(testsupport::PumpUntil([&] { return IsEnabled(load, IDOK); }));
            Click(load, IDOK);
        });
        window.Self().Send(WM_COMMAND, ID_SET_LOAD_KEYBOARD);
        EXPECT_EQ(LoadFixture::kSmallSet, window.TreeItems()[0].name_);
        window.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(LoadFixture::kSmallSet, config_.CurrentSet());
}

TEST(LoadSetIntoKeyboard, WithoutASetOnlyBeeps)
{
    LoadFixture config;
    int beeps = 0;
    fw::SetBeepHandler([&] { ++beeps; });
    EXPECT_FALSE(LoadSetIntoKeyboard(config.Io(), "", nullptr));
    EXPECT_EQ(1, beeps);
}

} // namespace
