// Loading a set into a USB keyboard: the flow against the driver stand-in (tools/usbdriver), running
// beside the test or started by the flow from the program folder, answering as each case tells it.
#include "LoadFixture.h"
#include "device/LoadKvoraUsb.h"
#include "framework/Clock.h"
#include "library/IniFile.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

using Stage = UsbLoadFlow::Stage;

struct Load {
    Load(LoadFixture& config, const std::string& set) : flow(config.Io(), set, view)
    {
        view.SetFlow(&flow);
        flow.Open();
    }

    RecordingView view;
    UsbLoadFlow flow;
};

// The request as the driver logs it: wParam 2 and the asking window.
std::string RequestLine(const Load& load)
{
    return "WM_USER+114 wParam=2 lParam=" + std::to_string(reinterpret_cast<LONG_PTR>(load.view.Window()));
}

// Pumps until the driver's answer has been taken, or until it surely is not coming.
void AwaitAnswer(const Load& load)
{
    testsupport::PumpUntil([&] { return load.flow.CurrentStage() != Stage::kWaiting; }, 5000);
}

class UsbLoadTest : public testing::Test {
protected:
    void SetUp() override
    {
        config_.SetModel(FileIO::kModelUSB);
        config_.InstallWaits();
    }

    std::unique_ptr<Load> MakeLoad() { return std::make_unique<Load>(config_, LoadFixture::kSmallSet); }

    // A load whose request went to a running driver that never answers, on the test's clock.
    std::unique_ptr<Load> AskADriverThatNeverAnswers()
    {
        config_.InstallDriver("Answer=never\r\n");
        EXPECT_TRUE(config_.StartDriver());
        fw::SetTickCountHandler([this] { return now_; });
        auto load = MakeLoad();
        load->flow.Ok();
        EXPECT_TRUE(testsupport::PumpUntil([&] { return CountLines(config_.DriverLog(), RequestLine(*load)) == 1; }));
        EXPECT_EQ(Stage::kWaiting, load->flow.CurrentStage());
        return load;
    }

    LoadFixture config_;
    DWORD now_ = 100000;
};

TEST(UsbLoad, EachAnswerOfTheDriverEndsInTheTruth)
{
    enum Driver { kRunning, kInstalled, kMissing };
    const struct {
        const char* name;
        Driver driver;
        const char* settings;
        Stage stage;
        UINT text;
    } cases[] = {
        {"answers 1", kRunning, "Answer=1\r\n", Stage::kLoaded, IDS_LOAD_DONE},
        {"answers another number, later", kRunning, "Answer=7\r\nAnswerDelay=100\r\n", Stage::kLoaded, IDS_LOAD_DONE},
        {"answers 0", kRunning, "Answer=0\r\n", Stage::kNotLoaded, IDS_LOAD_NOT_CONNECTED},
        {"is started and answers 1", kInstalled, "Answer=1\r\n", Stage::kLoaded, IDS_LOAD_DONE},
        {"is started but shows no window", kInstalled, "Window=0\r\n", Stage::kNoDriver, IDS_LOAD_NO_DRIVER},
        {"cannot be started", kMissing, "", Stage::kNoDriver, IDS_LOAD_NO_DRIVER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadFixture config;
        config.SetModel(FileIO::kModelUSB);
        config.InstallWaits();
        if (c.driver != kMissing)
            config.InstallDriver(c.settings);
        if (c.driver == kRunning) {
            ASSERT_TRUE(config.StartDriver());
        }
        Load load(config, LoadFixture::kSmallSet);
        EXPECT_EQ(LoadOutcome::kStayOpen, load.flow.Ok());
        AwaitAnswer(load);

        EXPECT_EQ(c.stage, load.flow.CurrentStage());
        EXPECT_EQ((std::vector<UINT>{IDS_LOAD_QUESTION, IDS_LOAD_SEARCHING, c.text}), load.view.Texts());
        const bool loaded = c.stage == Stage::kLoaded;
        EXPECT_EQ(loaded, load.flow.Screen().okEnabled);
        EXPECT_EQ(!loaded, load.flow.Screen().cancelEnabled);
        EXPECT_FALSE(load.flow.Screen().waitCursor);
        // A started driver is given its time to come up; the dialog comes back to the front.
        const bool started = c.driver == kInstalled;
        EXPECT_EQ(started ? 1 : 0, load.view.BroughtToFront());
        EXPECT_EQ(started ? std::vector<DWORD>{UsbLoadFlow::kDriverStartWait} : std::vector<DWORD>{},
                  config.LongWaits());
        // Only a confirmed load makes the set the driver's and posts the change notice after it.
        EXPECT_EQ(loaded ? std::string(LoadFixture::kSmallSet) : "<missing>", config.CurrentSet());
        if (c.driver != kMissing && c.stage != Stage::kNoDriver) {
            const std::string log = config.DriverLog();
            EXPECT_EQ(1, CountLines(log, RequestLine(load))) << log;
            if (loaded) {
                EXPECT_TRUE(testsupport::PumpUntil(
                    [&] { return CountLines(config.DriverLog(), "WM_USER+114 wParam=1 lParam=-1") == 1; }))
                    << config.DriverLog();
            } else {
                EXPECT_EQ(0, CountLines(log, "WM_USER+114 wParam=1")) << log;
            }
        }
        EXPECT_EQ(loaded ? LoadOutcome::kCloseWithOk : LoadOutcome::kCloseWithCancel,
                  loaded ? load.flow.Ok() : load.flow.Cancel());
    }
}

// A driver that takes the request and never answers: the wait ends at the limit with a message that
// says so, the set the driver holds stays as it was, and a late answer changes nothing.
TEST_F(UsbLoadTest, ADriverThatNeverAnswersIsToldWithinTheBound)
{
    auto load = AskADriverThatNeverAnswers();
    EXPECT_EQ(UsbLoadFlow::kAnswerCheckMs, load->flow.Screen().answerTimerMs);

    now_ += UsbLoadFlow::kAnswerLimit - 1;
    load->flow.Timer(LoadFlow::kAnswerTimer);
    EXPECT_EQ(Stage::kWaiting, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_SEARCHING, load->flow.Screen().textId);
    now_ += 1;
    load->flow.Timer(LoadFlow::kAnswerTimer);
    EXPECT_EQ(Stage::kNoAnswer, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NO_ANSWER, load->flow.Screen().textId);
    EXPECT_EQ(0u, load->flow.Screen().answerTimerMs);
    EXPECT_FALSE(load->flow.Screen().okEnabled);
    EXPECT_TRUE(load->flow.Screen().cancelEnabled);

    // The driver's answer after the wait ended is not taken.
    ::SendMessageA(load->view.Window(), FileIO::kMessageToDriver, UsbLoadFlow::kLoadRequest, 1);
    EXPECT_EQ(Stage::kNoAnswer, load->flow.CurrentStage());
    EXPECT_EQ("<missing>", config_.CurrentSet());
    EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
}

// A driver that goes away while the request waits will not answer: the next look says so at once.
TEST_F(UsbLoadTest, ADriverThatGoesAwayWhileItIsAskedIsTold)
{
    auto load = AskADriverThatNeverAnswers();
    ::SendMessageA(config_.DriverWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return config_.DriverWindow() == nullptr; }));
    now_ += UsbLoadFlow::kAnswerCheckMs;
    load->flow.Timer(LoadFlow::kAnswerTimer);
    EXPECT_EQ(Stage::kNoAnswer, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NO_ANSWER, load->flow.Screen().textId);
}

// Without a driver name no window is sought and nothing is started.
TEST_F(UsbLoadTest, WithoutADriverNameTheDialogSaysSo)
{
    config_.InstallDriver();
    config_.Io().driverName_.clear();
    auto load = MakeLoad();
    load->flow.Ok();
    EXPECT_EQ(Stage::kNoDriver, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NO_DRIVER, load->flow.Screen().textId);
    EXPECT_TRUE(load->flow.Screen().cancelEnabled);
    EXPECT_TRUE(config_.LongWaits().empty());
    EXPECT_EQ("", config_.DriverLog());
}

// WM_USER+114 with wParam 2 counts only as the answer to a request that waits for it, while the
// window asked is still the driver's.
TEST_F(UsbLoadTest, OnlyTheAwaitedAnswerCounts)
{
    config_.InstallDriver("Answer=never\r\n");
    ASSERT_TRUE(config_.StartDriver());
    auto load = MakeLoad();
    HWND window = load->view.Window();

    // Before the request.
    ::SendMessageA(window, FileIO::kMessageToDriver, UsbLoadFlow::kLoadRequest, 1);
    EXPECT_EQ(Stage::kAsking, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_QUESTION, load->flow.Screen().textId);

    load->flow.Ok();
    ASSERT_EQ(Stage::kWaiting, load->flow.CurrentStage());
    // Another wParam is not the answer.
    ::SendMessageA(window, FileIO::kMessageToDriver, 1, 1);
    EXPECT_EQ(Stage::kWaiting, load->flow.CurrentStage());
    // The driver went away: whatever comes now is not its answer.
    HWND driver = config_.DriverWindow();
    ::SendMessageA(driver, WM_CLOSE, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return config_.DriverWindow() == nullptr; }));
    ::SendMessageA(window, FileIO::kMessageToDriver, UsbLoadFlow::kLoadRequest, 1);
    EXPECT_EQ(Stage::kWaiting, load->flow.CurrentStage());
    EXPECT_EQ("<missing>", config_.CurrentSet());
}

TEST_F(UsbLoadTest, ASecondAnswerChangesNothing)
{
    config_.InstallDriver("Answer=0\r\n");
    ASSERT_TRUE(config_.StartDriver());
    auto load = MakeLoad();
    load->flow.Ok();
    AwaitAnswer(*load);
    ASSERT_EQ(Stage::kNotLoaded, load->flow.CurrentStage());
    ::SendMessageA(load->view.Window(), FileIO::kMessageToDriver, UsbLoadFlow::kLoadRequest, 1);
    EXPECT_EQ(Stage::kNotLoaded, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NOT_CONNECTED, load->flow.Screen().textId);
    EXPECT_EQ("<missing>", config_.CurrentSet());
}

// The set the driver holds already: the note says so, and the set still loads.
TEST_F(UsbLoadTest, TheCurrentSetIsNotedAndStillLoads)
{
    ini::WriteString(config_.ProgramSettingsFile(), "USB", "CurrentSet", "SKOLA");
    config_.InstallDriver("Answer=1\r\n");
    ASSERT_TRUE(config_.StartDriver());
    auto load = MakeLoad();
    EXPECT_TRUE(load->flow.Screen().noteShown);
    load->flow.Ok();
    AwaitAnswer(*load);
    EXPECT_EQ(Stage::kLoaded, load->flow.CurrentStage());
    EXPECT_EQ(LoadFixture::kSmallSet, config_.CurrentSet());

    ini::WriteString(config_.ProgramSettingsFile(), "USB", "CurrentSet", "Hem");
    EXPECT_FALSE(MakeLoad()->flow.Screen().noteShown);
}

} // namespace
