// Loading a set into a PS/2 or AccessKvora keyboard: the serial flow driven step by step against the
// keyboard simulator behind COM3 (with_keyboard.sh starts it), with the clock in the test's hand. Every
// way a load can end must end in a message that tells the truth.
#include "LoadFixture.h"
#include "device/LoadKvoraSerial.h"
#include "framework/Clock.h"
#include "library/IniFile.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "ImageBaseFiles.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

namespace {

using Stage = SerialLoadFlow::Stage;
const int kPS2 = FileIO::kModelPS2;
const int kAccess = FileIO::kModelAccessKvora;

// The line time of a byte at 19,200 baud, in milliseconds.
double ByteMilliseconds()
{
    return 11.0 * 1000 / 19200;
}

// The bound the flow gives the whole transfer of an image: its line time times the factor, and the
// margin.
DWORD WholeTransferBound(size_t total)
{
    const LinkTimings timings = ShortLoadTimings();
    return static_cast<DWORD>(timings.transferFactor * total * ByteMilliseconds()) + timings.transferMargin;
}

// The port's answer waits run on the system's clock, not on the test's: a press or a look that waits
// on the port is timed, with this much room for the scheduling of a busy machine.
const DWORD kScheduling = 1500;

// The longest the search waits on the port where nothing answers: the ping's wake-up pause and its
// answer wait.
DWORD SearchWaits()
{
    const LinkTimings timings = ShortLoadTimings();
    return timings.wakePause + timings.answer;
}

// The longest one look of the transfer timer waits on the port: for the answer to the end block, or
// for the drain and the final ping, which a silent keyboard never answers.
DWORD LookWaits()
{
    const LinkTimings timings = ShortLoadTimings();
    return timings.drainByte + timings.wakePause + timings.answer + 2 * timings.nextByte;
}

// When a load's message must be on the screen: the bound the flow applies to the way the load ends.
enum class Bound {
    kSearch,    // nothing answered the search: on the press itself, after the search's answer waits
    kTransfer,  // the image left the port: within the bound of the whole transfer, counted from the press
    kStall,     // the keyboard stopped taking the image: the first look after the stall limit without a
                // byte moving, well before the bound of the whole transfer
};

// One load: the flow with its own link and a view that records what it shows.
struct Load {
    Load(LoadFixture& config, int model, const std::string& set, TraceLog& trace)
        : link(trace), flow(config.Io(), set, model, link, view)
    {
        link.SetTimings(ShortLoadTimings());
        view.SetFlow(&flow);
        flow.Open();
    }

    AccessKvoraLink link;
    RecordingView view;
    SerialLoadFlow flow;
};

class SerialLoadTest : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareKeyboard(keyboard_, kPS2);
        config_.InstallWaits();
        config_.InstallZenthor();
        fw::SetTickCountHandler([this] { return now_; });
    }

    void TearDown() override { keyboard_.Do("reset"); }

    void Keyboard(int model, const std::string& misbehaviour) { PrepareKeyboard(keyboard_, model, misbehaviour); }

    std::unique_ptr<Load> MakeLoad(int model, const std::string& set = LoadFixture::kSmallSet)
    {
        return std::make_unique<Load>(config_, model, set, trace_);
    }

    // OK pressed, timed on the system's clock.
    LoadOutcome Press(SerialLoadFlow& flow)
    {
        const DWORD start = ::GetTickCount();
        const LoadOutcome outcome = flow.Ok();
        pressMs_ = ::GetTickCount() - start;
        return outcome;
    }

    // One tick of the transfer timer, a timer period later, timed on the system's clock.
    void Tick(SerialLoadFlow& flow)
    {
        lastPeriod_ = flow.Screen().transferTimerMs;
        now_ += lastPeriod_;
        const DWORD start = ::GetTickCount();
        flow.Timer(LoadFlow::kTransferTimer);
        longestLook_ = std::max<DWORD>(longestLook_, ::GetTickCount() - start);
    }

    // Ticks until the transfer has ended, or the test's clock is well past the bound of the whole
    // transfer; the port gets a moment between ticks to pass its bytes on. Answers the test's time at
    // which the bar last moved.
    DWORD RunTransfer(SerialLoadFlow& flow)
    {
        const DWORD start = now_;
        DWORD moved = now_;
        int progress = flow.Screen().progress;
        while (flow.CurrentStage() == Stage::kSending && now_ - start <= 2 * WholeTransferBound(flow.Total())) {
            Tick(flow);
            if (flow.Screen().progress != progress) {
                progress = flow.Screen().progress;
                moved = now_;
            }
            ::Sleep(2);
        }
        EXPECT_NE(Stage::kSending, flow.CurrentStage());
        return moved;
    }

    // The flow's message came within the bound of the way the load ended. OK was pressed at the test's
    // time "pressed" (Press); the bar last moved at "moved" (RunTransfer).
    void ExpectInTime(Bound bound, const SerialLoadFlow& flow, DWORD pressed, DWORD moved)
    {
        const DWORD stallLimit = ShortLoadTimings().stallLimit;
        switch (bound) {
        case Bound::kSearch:
            EXPECT_EQ(pressed, now_) << "the message comes on the press, not at a look of a timer";
            EXPECT_LE(pressMs_, SearchWaits() + kScheduling) << "the search waits once for an answer";
            break;
        case Bound::kTransfer:
            EXPECT_LE(now_ - pressed, WholeTransferBound(flow.Total()));
            break;
        case Bound::kStall:
            EXPECT_GT(now_ - moved, stallLimit) << "the keyboard is given the stall limit";
            EXPECT_LE(now_ - moved, stallLimit + lastPeriod_) << "told at the first look after the stall limit";
            EXPECT_LE(now_ - pressed, WholeTransferBound(flow.Total()) / 2) << "well before the whole transfer's bound";
            break;
        }
        EXPECT_LE(longestLook_, LookWaits() + kScheduling) << "a look waits at most for one answer";
    }

    // Waits until the keyboard has sent its XOFF (it does after its first 1,000 bytes) and the port
    // has had a moment to take it.
    void AwaitXoff()
    {
        ASSERT_TRUE(testsupport::PumpUntil([this] { return ReceivedBytes() >= 1000; }));
        testsupport::PumpUntil([] { return false; }, 50);
    }

    // How many bytes the keyboard has received since its reset ("ok " and two hex digits a byte).
    size_t ReceivedBytes() { return (keyboard_.Send("rx?").size() - 3) / 2; }

    std::string Trace()
    {
        trace_.Open(TraceLog::kOff, 0, "KvoraDebug.txt");
        return testsupport::TempFolder::Read(config_.Temp() / "KvoraSerial.txt");
    }

    LoadFixture config_;
    testsupport::CurrentFolderGuard current_{config_.Temp().Path()};
    KeyboardControl keyboard_;
    TraceLog trace_;
    DWORD now_ = 100000;
    // On the system's clock: the last press of OK, and the longest look of the transfer timer.
    DWORD pressMs_ = 0;
    DWORD longestLook_ = 0;
    // The transfer timer's period before its last look.
    DWORD lastPeriod_ = 0;
};

// --- whole loads --------------------------------------------------------------------------------

// Every end comes within the bound of its own: the search's answer wait for a keyboard that says
// nothing, the whole transfer's bound for one that took the image and answers.
TEST_F(SerialLoadTest, EachLoadEndsInTheTruth)
{
    const struct {
        const char* keyboard;
        Stage stage;
        std::vector<UINT> texts;
        bool imageSent;
        Bound bound;
    } cases[] = {
        {"", Stage::kLoaded, {IDS_LOAD_QUESTION, IDS_LOAD_SEARCHING, IDS_LOAD_SENDING, IDS_LOAD_DONE}, true,
         Bound::kTransfer},
        {"silent", Stage::kNotFound, {IDS_LOAD_QUESTION, IDS_LOAD_SEARCHING, IDS_LOAD_NOT_CONNECTED}, false,
         Bound::kSearch},
        {"status 5", Stage::kFailed, {IDS_LOAD_QUESTION, IDS_LOAD_SEARCHING, IDS_LOAD_SENDING, IDS_LOAD_FAILED},
         true, Bound::kTransfer},
        {"refuse-checksum", Stage::kFailed,
         {IDS_LOAD_QUESTION, IDS_LOAD_SEARCHING, IDS_LOAD_SENDING, IDS_LOAD_FAILED}, true, Bound::kTransfer},
    };
    for (int model : {kPS2, kAccess}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.keyboard) + (model == kAccess ? ", AccessKvora" : ", PS/2"));
            Keyboard(model, c.keyboard);
            auto load = MakeLoad(model);
            longestLook_ = 0;
            const DWORD pressed = now_;
            EXPECT_EQ(LoadOutcome::kStayOpen, Press(load->flow));
            const DWORD moved = RunTransfer(load->flow);
            ExpectInTime(c.bound, load->flow, pressed, moved);
            const LoadScreen& screen = load->flow.Screen();
            EXPECT_EQ(c.stage, load->flow.CurrentStage());
            EXPECT_EQ(c.texts, load->view.Texts());
            // Only a load that the keyboard took can be closed with OK; every other end with Cancel.
            EXPECT_EQ(c.stage == Stage::kLoaded, screen.okEnabled);
            EXPECT_EQ(c.stage != Stage::kLoaded, screen.cancelEnabled);
            EXPECT_EQ(0u, screen.transferTimerMs);
            EXPECT_EQ(0u, screen.animationTimerMs);
            EXPECT_FALSE(screen.waitCursor);
            // After the load the animation and "do not unplug" go; only a bar at its end stays.
            EXPECT_FALSE(screen.sendingShown);
            EXPECT_EQ(c.stage == Stage::kLoaded, screen.progressShown);
            if (c.imageSent) {
                EXPECT_EQ(load->link.Image().Bytes(), keyboard_.LastImage());
            } else {
                EXPECT_TRUE(keyboard_.LastImage().empty());
            }
            EXPECT_TRUE(load->view.Errors().empty());
        }
    }
}

// The bar moves with the bytes that left the port, reaches its end only after the keyboard's answer,
// and the end block follows the whole image.
TEST_F(SerialLoadTest, TheBarFollowsTheTransferToItsEnd)
{
    Keyboard(kPS2, "");
    auto load = MakeLoad(kPS2);
    load->flow.Ok();
    RunTransfer(load->flow);
    ASSERT_EQ(Stage::kLoaded, load->flow.CurrentStage());
    int last = 0;
    bool answered = false;
    for (const LoadScreen& screen : load->view.Screens()) {
        EXPECT_GE(screen.progress, last);
        last = screen.progress;
        if (screen.progress == 100)
            answered = true;
        if (!answered && screen.progressShown) {
            EXPECT_LE(screen.progress, 97);
        }
    }
    EXPECT_EQ(100, last);
    // The keyboard saw the image, then the end block (a ping), then the final ping.
    const std::vector<std::string> log = keyboard_.Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"image-ok:" + std::to_string(load->flow.Total()), "ping", "wake", "ping"}),
              std::vector<std::string>(log.end() - 4, log.end()));
}

// The bar shows what the port took, whatever the clock says; Wine never counts the output queue.
// Here the keyboard holds the line with XOFF and never lets go: once no byte has moved for the stall
// limit, the dialog says that the keyboard did not take the set.
TEST_F(SerialLoadTest, AKeyboardThatHoldsTheLineHoldsTheBarAndFailsTheLoadInTime)
{
    config_.MakeLargeSet();
    Keyboard(kPS2, "xoff-after 1000");
    auto load = MakeLoad(kPS2, LoadFixture::kLargeSet);
    load->flow.Ok();
    ASSERT_EQ(Stage::kSending, load->flow.CurrentStage());
    AwaitXoff();
    SerialLoadFlow& flow = load->flow;
    const DWORD lineMs = static_cast<DWORD>(flow.Total() * ByteMilliseconds());
    ASSERT_GT(lineMs, 2 * ShortLoadTimings().stallLimit) << "the image must take longer than the stall limit";

    Tick(flow); // the bar starts
    EXPECT_EQ(LoadFlow::kAnimationTimerMs, flow.Screen().animationTimerMs);
    Tick(flow);
    const DWORD moved = now_;
    const int held = flow.Screen().progress;
    EXPECT_LT(held, 50);
    for (DWORD later : {ShortLoadTimings().stallLimit / 2, ShortLoadTimings().stallLimit}) {
        now_ = moved + later;
        flow.Timer(LoadFlow::kTransferTimer);
        EXPECT_EQ(held, flow.Screen().progress) << later << " ms later";
        EXPECT_EQ(SerialLoadFlow::kFollowQueue, flow.CurrentStep());
        EXPECT_EQ(Stage::kSending, flow.CurrentStage());
    }
    Tick(flow);
    EXPECT_EQ(Stage::kFailed, flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_FAILED, flow.Screen().textId);
    EXPECT_LE(now_ - moved, ShortLoadTimings().stallLimit + AccessKvoraLink::kTransferTimerMs);
    EXPECT_FALSE(flow.Screen().progressShown);
    EXPECT_FALSE(flow.Screen().sendingShown);
    EXPECT_TRUE(flow.Screen().cancelEnabled);
    EXPECT_NE(std::string::npos, Trace().find("* Write cancelled"));
}

// A keyboard may hold the line a while as it stores what it took: some seconds without a byte
// moving are no stall.
TEST_F(SerialLoadTest, AKeyboardThatHoldsTheLineForSomeSecondsStillTakesTheSet)
{
    config_.MakeLargeSet();
    Keyboard(kPS2, "xoff-after 1000 300");
    auto load = MakeLoad(kPS2, LoadFixture::kLargeSet);
    load->flow.Ok();
    AwaitXoff();
    Tick(load->flow);
    Tick(load->flow);
    now_ += 8000;
    load->flow.Timer(LoadFlow::kTransferTimer);
    EXPECT_EQ(Stage::kSending, load->flow.CurrentStage());
    // The keyboard lets go, and takes the chunk that waited. The port starts the next chunk only at a
    // look of the timer, so the timer looks meanwhile, at the same time of the test's clock: whether
    // the chunk before had left the port at the earlier looks is the machine's timing, not the test's.
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        load->flow.Timer(LoadFlow::kTransferTimer);
        return ReceivedBytes() > 2 * CSerial::kWriteChunk;
    }));
    RunTransfer(load->flow);
    EXPECT_EQ(Stage::kLoaded, load->flow.CurrentStage());
    EXPECT_EQ(load->link.Image().Bytes(), keyboard_.LastImage());
}

// Keyboards that stop taking the set, each way: the dialog says so no later than the stall limit
// after the last byte moved (plus one look of the timer).
TEST_F(SerialLoadTest, EveryStalledTransferEndsInTheTruthWithinItsBound)
{
    config_.MakeLargeSet();
    for (const char* keyboard : {"xoff-after 1000", "xoff-after 20000", "stop-after 5000", "stop-after 40"}) {
        for (int model : {kPS2, kAccess}) {
            SCOPED_TRACE(std::string(keyboard) + (model == kAccess ? ", AccessKvora" : ", PS/2"));
            Keyboard(model, keyboard);
            auto load = MakeLoad(model, LoadFixture::kLargeSet);
            load->flow.Ok();
            ASSERT_EQ(Stage::kSending, load->flow.CurrentStage());
            DWORD moved = now_;
            int progress = -1;
            for (int tick = 0; tick < 400 && load->flow.CurrentStage() == Stage::kSending; ++tick) {
                Tick(load->flow);
                if (load->flow.Screen().progress != progress) {
                    progress = load->flow.Screen().progress;
                    moved = now_;
                }
                ::Sleep(2);
            }
            EXPECT_EQ(Stage::kFailed, load->flow.CurrentStage());
            EXPECT_EQ(IDS_LOAD_FAILED, load->flow.Screen().textId);
            EXPECT_LE(now_ - moved, ShortLoadTimings().stallLimit + 1000);
            EXPECT_FALSE(load->flow.Screen().progressShown);
            EXPECT_FALSE(load->flow.Screen().sendingShown);
        }
    }
}

// A keyboard that takes the whole image and then holds the line, so that the end block stays in the
// port: every look of the timer is as short as during the transfer (the window paints, Cancel works),
// and the load fails within the transfer's bound, with no wait for a drain or a ping.
TEST_F(SerialLoadTest, AKeyboardThatHoldsTheEndBlockKeepsTheDialogAnswering)
{
    const size_t imageBytes = config_.CompileAsSent(LoadFixture::kSmallSet).size();
    // The keyboard counts the image from its first byte after the three 0x16.
    Keyboard(kPS2, "xoff-after " + std::to_string(imageBytes - 3));
    auto load = MakeLoad(kPS2);
    SerialLoadFlow& flow = load->flow;
    const DWORD pressed = now_;
    flow.Ok();
    ASSERT_EQ(Stage::kSending, flow.CurrentStage());
    ASSERT_EQ(imageBytes, flow.Total());
    ASSERT_TRUE(testsupport::PumpUntil([this] {
        const std::vector<std::string> log = keyboard_.Log();
        return !log.empty() && log.back().compare(0, 9, "image-ok:") == 0;
    }));
    testsupport::PumpUntil([] { return false; }, 50);  // the XOFF reaches the port

    longestLook_ = 0;
    DWORD held = 0;
    for (int tick = 0; tick < 400 && flow.CurrentStage() == Stage::kSending; ++tick) {
        Tick(flow);
        if (held == 0 && flow.CurrentStep() == SerialLoadFlow::kReadAnswer)
            held = now_;
        if (flow.CurrentStage() == Stage::kSending) {
            EXPECT_TRUE(flow.Screen().cancelEnabled);
            EXPECT_NE(0u, flow.Screen().transferTimerMs);
        }
    }
    ASSERT_NE(0u, held) << "the end block was sent";
    EXPECT_EQ(Stage::kFailed, flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_FAILED, flow.Screen().textId);
    EXPECT_LE(now_ - pressed, WholeTransferBound(flow.Total()) + 1000) << "told at the first look after the bound";
    EXPECT_LE(longestLook_, ShortLoadTimings().answer + kScheduling) << "no look waits for the held line";
    EXPECT_LT(flow.Screen().progress, 100);
}

// The keyboard goes away in the middle of a transfer: it stops reading, and its port is gone. A small
// image was taken whole by the port, and the keyboard's silence after it fails the load; a large one
// stays half sent, and the stall limit fails it, long before the whole transfer's bound would.
TEST_F(SerialLoadTest, AKeyboardUnpluggedMidTransferFailsTheLoad)
{
    config_.MakeLargeSet();
    const struct {
        const char* set;
        Bound bound;
    } cases[] = {
        {LoadFixture::kSmallSet, Bound::kTransfer},
        {LoadFixture::kLargeSet, Bound::kStall},
    };
    for (int model : {kPS2, kAccess}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.set) + (model == kAccess ? ", AccessKvora" : ", PS/2"));
            Keyboard(model, "stop-after 40");
            auto load = MakeLoad(model, c.set);
            longestLook_ = 0;
            const DWORD pressed = now_;
            Press(load->flow);
            ASSERT_EQ(Stage::kSending, load->flow.CurrentStage());
            ASSERT_TRUE(keyboard_.Do("unlink"));
            const DWORD moved = RunTransfer(load->flow);
            EXPECT_EQ(Stage::kFailed, load->flow.CurrentStage());
            EXPECT_EQ(IDS_LOAD_FAILED, load->flow.Screen().textId);
            ExpectInTime(c.bound, load->flow, pressed, moved);
            EXPECT_LT(load->flow.Screen().progress, 100) << "the keyboard never answered";
            EXPECT_TRUE(load->flow.Screen().cancelEnabled);
            EXPECT_FALSE(load->flow.Screen().okEnabled);
            EXPECT_EQ(LoadOutcome::kStayOpen, load->flow.Ok());
        }
    }
}

// A port that will not open when the image is to go: nothing is sent, no timer runs, and the
// dialog says the keyboard is not connected. (The keyboard goes while Zenthor is being started.)
TEST_F(SerialLoadTest, APortThatDoesNotOpenAtTheSendSaysSo)
{
    Keyboard(kAccess, "");
    auto load = MakeLoad(kAccess);
    fw::SetWaitHandler([this](DWORD milliseconds) {
        if (milliseconds >= 1000) {
            keyboard_.Do("unlink");
            testsupport::PumpUntil([] { return LoadFixture::ZenthorWindow() != nullptr; });
        }
    });
    load->flow.Ok();
    EXPECT_EQ(Stage::kNotSent, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NOT_CONNECTED, load->flow.Screen().textId);
    EXPECT_FALSE(load->flow.Screen().progressShown);
    EXPECT_EQ(0u, load->flow.Screen().transferTimerMs);
    EXPECT_FALSE(::KillTimer(load->view.Window(), LoadFlow::kTransferTimer));
    EXPECT_TRUE(load->flow.Screen().cancelEnabled);
    EXPECT_FALSE(load->flow.Screen().okEnabled);
    EXPECT_TRUE(keyboard_.LastImage().empty());
}

// --- AccessKvora and Zenthor --------------------------------------------------------------------

// Zenthor is started when it is not running, zenthor.ini gets the set's long texts once the keyboard
// holds the set, and OK tells Zenthor of it, once.
TEST_F(SerialLoadTest, AnAccessKvoraLoadStartsZenthorAndTellsItOnce)
{
    config_.EnableZenthor();
    Keyboard(kAccess, "");
    auto load = MakeLoad(kAccess);
    ASSERT_EQ(nullptr, LoadFixture::ZenthorWindow());
    load->flow.Ok();
    EXPECT_NE(nullptr, LoadFixture::ZenthorWindow());
    EXPECT_EQ(1, load->view.BroughtToFront());
    EXPECT_EQ(std::vector<DWORD>{SerialLoadFlow::kZenthorStartWait}, config_.LongWaits());
    EXPECT_EQ("<missing>", LoadFixture::Value(config_.ZenthorIni(), "Paths", "003"));
    RunTransfer(load->flow);
    ASSERT_EQ(Stage::kLoaded, load->flow.CurrentStage());
    EXPECT_EQ(LoadFixture::kMacroText, LoadFixture::Value(config_.ZenthorIni(), "Paths", "003"));
    EXPECT_TRUE(load->flow.TextMacrosWritten());
    EXPECT_EQ(LoadOutcome::kStayOpen, load->flow.Cancel()) << "Cancel is disabled once the set is loaded";

    EXPECT_EQ(LoadOutcome::kCloseWithOk, load->flow.Ok());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return CountLines(config_.ZenthorLog(), "read done") == 1; }));
    const std::string log = config_.ZenthorLog();
    EXPECT_EQ(1, CountLines(log, "ZenthorIniFileChanged wParam=0 lParam=0")) << log;
    EXPECT_EQ(1, CountLines(log, std::string("read [Paths] 003=\"") + LoadFixture::kMacroText + "\"")) << log;
}

// A load the keyboard did not take leaves zenthor.ini as it was and Zenthor untold; a Zenthor that
// cannot be started stops the load before anything is sent.
TEST_F(SerialLoadTest, ZenthorHearsNothingOfALoadThatFailed)
{
    config_.EnableZenthor();
    ASSERT_TRUE(config_.StartZenthor());
    Keyboard(kAccess, "refuse-checksum");
    auto load = MakeLoad(kAccess);
    load->flow.Ok();
    EXPECT_EQ(0, load->view.BroughtToFront()) << "Zenthor was running";
    RunTransfer(load->flow);
    ASSERT_EQ(Stage::kFailed, load->flow.CurrentStage());
    EXPECT_EQ("<missing>", LoadFixture::Value(config_.ZenthorIni(), "Paths", "003"));
    EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
    testsupport::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(0, CountLines(config_.ZenthorLog(), "ZenthorIniFileChanged")) << config_.ZenthorLog();
}

// A Zenthor that cannot be started, or that starts but never shows its window (it would never hear of
// the new texts, and the text macro keys would type their start sequence into the user's program),
// stops the load before anything is sent.
TEST_F(SerialLoadTest, AZenthorThatDoesNotComeUpStopsTheLoad)
{
    const struct {
        const char* name;
        bool installed;
        std::vector<DWORD> waits;
    } cases[] = {
        {"cannot be started", false, {}},
        {"starts without a window", true, {SerialLoadFlow::kZenthorStartWait}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadFixture config;
        config.InstallWaits();
        if (c.installed)
            config.InstallZenthor("Window=0\r\n");
        Keyboard(kAccess, "");
        Load load(config, kAccess, LoadFixture::kSmallSet, trace_);
        load.flow.Ok();
        EXPECT_EQ(Stage::kNotFound, load.flow.CurrentStage());
        EXPECT_EQ(IDS_LOAD_NO_ZENTHOR, load.flow.Screen().textId);
        EXPECT_EQ(c.waits, config.LongWaits());
        EXPECT_EQ(nullptr, LoadFixture::ZenthorWindow());
        EXPECT_TRUE(keyboard_.LastImage().empty());
        EXPECT_TRUE(load.flow.Screen().cancelEnabled);
        EXPECT_FALSE(load.flow.Screen().okEnabled);
    }
}

// The text macros cannot be written: the keyboard holds the set, the user is told, and Zenthor is
// not told of a file that did not change.
TEST_F(SerialLoadTest, TextMacrosThatCannotBeWrittenAreReported)
{
    config_.EnableZenthor();
    ASSERT_TRUE(config_.StartZenthor());
    Keyboard(kAccess, "");
    auto load = MakeLoad(kAccess);
    load->flow.Ok();
    testsupport::LockedFile locked(config_.ZenthorIni());
    ASSERT_TRUE(locked.IsOpen());
    RunTransfer(load->flow);
    ASSERT_EQ(Stage::kLoaded, load->flow.CurrentStage());
    EXPECT_EQ(std::vector<UINT>{IDS_ZENTHOR_TEXTS_NOT_WRITTEN}, load->view.Errors());
    EXPECT_FALSE(load->flow.TextMacrosWritten());
    EXPECT_EQ(LoadOutcome::kCloseWithOk, load->flow.Ok());
    testsupport::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(0, CountLines(config_.ZenthorLog(), "ZenthorIniFileChanged")) << config_.ZenthorLog();
}

// --- refusals and Cancel ------------------------------------------------------------------------

// A set the image cannot hold is not sent, and the compiler's message says why.
TEST_F(SerialLoadTest, ASetThatDoesNotCompileIsNotSent)
{
    config_.WriteOverlayFile(LoadFixture::kSmallSet, "Trasig", "Block1=1,0,130,0,a\r\n");
    config_.MakeSet(LoadFixture::kSmallSet, {{1, "Första"}, {2, "Trasig"}});
    Keyboard(kPS2, "");
    auto load = MakeLoad(kPS2);
    load->flow.Ok();
    EXPECT_EQ(Stage::kNotSent, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NOT_SENT, load->flow.Screen().textId);
    EXPECT_EQ(std::vector<UINT>{IDS_COMPILE_UNREADABLE}, load->view.Errors());
    EXPECT_FALSE(load->flow.Screen().progressShown);
    EXPECT_EQ(0u, load->flow.Screen().transferTimerMs);
    EXPECT_TRUE(keyboard_.LastImage().empty());
    EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
}

// A key whose infrared code is not in the code file stops an AccessKvora load before anything goes
// out: the message names the overlay and the key, and the load never says it is done.
TEST_F(SerialLoadTest, AKeyWithoutItsInfraredCodeStopsTheLoadBeforeAnythingIsSent)
{
    config_.EnableZenthor("3;I5;6;Lampa;;\r\n");
    config_.SaveOverlay(LoadFixture::kSmallSet, "Andra", 2, {KeyBlock(5, 5, "<IR4>")});
    Keyboard(kAccess, "");
    auto load = MakeLoad(kAccess);
    load->flow.Ok();
    EXPECT_EQ(Stage::kNotSent, load->flow.CurrentStage());
    EXPECT_EQ(IDS_LOAD_NOT_SENT, load->flow.Screen().textId);
    EXPECT_EQ(std::vector<UINT>{IDS_COMPILE_IR_CODE_MISSING}, load->view.Errors());
    EXPECT_TRUE(keyboard_.LastImage().empty());
    const std::vector<UINT> texts = load->view.Texts();
    EXPECT_EQ(texts.end(), std::find(texts.begin(), texts.end(), static_cast<UINT>(IDS_LOAD_DONE)));
}

// Cancel in the middle of a transfer, on either model: the queues are emptied, the port closed and
// the keyboard pinged, so no half image waits in the port or the keyboard.
TEST_F(SerialLoadTest, CancelDuringATransferEmptiesThePortAndPings)
{
    config_.MakeLargeSet();
    for (int model : {kPS2, kAccess}) {
        SCOPED_TRACE(model == kAccess ? "AccessKvora" : "PS/2");
        Keyboard(model, "read-baud 19200");
        auto load = MakeLoad(model, LoadFixture::kLargeSet);
        load->flow.Ok();
        Tick(load->flow);
        Tick(load->flow);
        ASSERT_EQ(Stage::kSending, load->flow.CurrentStage());
        ASSERT_TRUE(load->flow.Screen().cancelEnabled);
        EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
        EXPECT_EQ(IDS_LOAD_CANCELLING, load->view.Texts().back());
        EXPECT_FALSE(load->link.Serial()->IsOpen());
        EXPECT_EQ(0u, load->flow.Screen().transferTimerMs);
        const std::string trace = Trace();
        const size_t cleared = trace.find("* Clear Tx buffer OK");
        ASSERT_NE(std::string::npos, cleared) << trace;
        EXPECT_NE(std::string::npos, trace.find("- Ping", cleared)) << trace;
        trace_.Open(TraceLog::kFile, TraceLog::kAllLines, "KvoraSerial.txt");
    }
}

// Before anything went out, Cancel only closes; a press of a disabled button does nothing.
TEST_F(SerialLoadTest, CancelBeforeATransferOnlyCloses)
{
    Keyboard(kPS2, "silent");
    auto load = MakeLoad(kPS2);
    EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
    load->flow.Ok();
    ASSERT_EQ(Stage::kNotFound, load->flow.CurrentStage());
    EXPECT_EQ(LoadOutcome::kStayOpen, load->flow.Ok()) << "OK is disabled";
    EXPECT_EQ(LoadOutcome::kCloseWithCancel, load->flow.Cancel());
    EXPECT_EQ(IDS_LOAD_NOT_CONNECTED, load->view.Texts().back());
    EXPECT_EQ(std::string::npos, Trace().find("Clear Tx"));
}

} // namespace
