// Learning a code and the distance check, polled by timers the test fires itself, against the
// keyboard simulator, which reports what the test tells it to.
#include "InfraredFixture.h"
#include "device/IrRecorder.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <algorithm>
#include <map>

using namespace infraredtest;

namespace {

class FakeTimers : public IrTimers {
public:
    void StartTimer(UINT_PTR id, UINT milliseconds) override { running_[id] = milliseconds; }
    void StopTimer(UINT_PTR id) override { running_.erase(id); }
    bool None() const { return running_.empty(); }
    // The one running timer and its time; 0 when none or several run.
    UINT_PTR Running(UINT* milliseconds = nullptr) const
    {
        if (running_.size() != 1)
            return 0;
        if (milliseconds)
            *milliseconds = running_.begin()->second;
        return running_.begin()->first;
    }

private:
    std::map<UINT_PTR, UINT> running_;
};

} // namespace

class IrRecorderTest : public InfraredFixture {
protected:
    void SetUp() override
    {
        InfraredFixture::SetUp();
        if (!HasFatalFailure())
            recorder_ = std::make_unique<IrRecorder>(*commands_, timers_);
    }

    // The keyboard reports the letters, then the running timer fires once per letter given to Poll.
    void Poll(const std::string& letters = std::string())
    {
        if (!letters.empty())
            Keyboard("ir-say " + letters);
        const UINT_PTR timer = timers_.Running();
        ASSERT_NE(0u, timer) << "no timer runs";
        recorder_->OnTimer(timer);
    }
    void PollEach(const std::string& letters)
    {
        for (char letter : letters)
            Poll(std::string(1, letter));
    }
    int Breaks()
    {
        const std::vector<std::string> log = InfraredLog();
        return static_cast<int>(std::count(log.begin(), log.end(), "ir-break"));
    }
    void ExpectIdle(UINT instruction)
    {
        EXPECT_EQ(instruction, recorder_->InstructionId());
        EXPECT_FALSE(recorder_->Busy());
        EXPECT_TRUE(timers_.None());
        // Nothing runs, so Cancel closes the dialog and sends nothing.
        EXPECT_FALSE(recorder_->Cancel());
    }

    FakeTimers timers_;
    std::unique_ptr<IrRecorder> recorder_;
};

TEST_F(IrRecorderTest, ALearnedCodeIsReportedWithPThenRThenY)
{
    EXPECT_TRUE(recorder_->ActionsEnabled());
    EXPECT_EQ(static_cast<UINT>(IDS_IR_START_RECORDING), recorder_->InstructionId());
    recorder_->StartRecording(7, false);
    EXPECT_EQ((std::vector<std::string>{"ir-record:07"}), InfraredLog());
    EXPECT_TRUE(recorder_->Busy());
    EXPECT_FALSE(recorder_->ActionsEnabled());
    UINT wait = 0;
    EXPECT_EQ(IrRecorder::kRecordTimer, timers_.Running(&wait));
    EXPECT_EQ(ShortIrTimings().pollPause, wait);

    const struct {
        char letter;
        UINT instruction;
    } steps[] = {
        {'P', IDS_IR_PRESS_REMOTE}, {'P', IDS_IR_RECORDING}, {'R', IDS_IR_RECORDING}, {'P', IDS_IR_RECORDING},
    };
    for (const auto& step : steps) {
        Poll(std::string(1, step.letter));
        EXPECT_EQ(step.instruction, recorder_->InstructionId()) << step.letter;
        EXPECT_EQ(IrRecorder::kRecordTimer, timers_.Running(&wait));
        EXPECT_EQ(ShortIrTimings().activePause, wait);
    }
    Poll("Y");
    EXPECT_TRUE(recorder_->Recorded());
    EXPECT_FALSE(recorder_->ActionsEnabled());
    ExpectIdle(IDS_IR_RECORDED);
    EXPECT_NE("none", Ask("ir-code? 7"));
    EXPECT_EQ(0, Breaks());
}

TEST_F(IrRecorderTest, SpecialLearningUsesItsOwnCommand)
{
    recorder_->StartRecording(159, true);
    EXPECT_EQ((std::vector<std::string>{"ir-record-special:9F"}), InfraredLog());
    Poll("Y");
    ExpectIdle(IDS_IR_RECORDED);
}

TEST_F(IrRecorderTest, TenSilentPollsInARowGiveUpAndLeaveNothingRunning)
{
    recorder_->StartRecording(1, false);
    for (int i = 0; i < 5; ++i)
        Poll();
    Poll("R");  // a report starts the count again
    for (int i = 0; i < IrRecorder::kSilentPollsWhileRecording - 1; ++i)
        Poll();
    EXPECT_TRUE(recorder_->Busy());
    EXPECT_EQ(static_cast<UINT>(IDS_IR_RECORDING), recorder_->InstructionId());
    Poll();
    EXPECT_TRUE(recorder_->ActionsEnabled());
    EXPECT_EQ(1, Breaks());
    ExpectIdle(IDS_IR_RECORD_TOO_LONG);
    EXPECT_FALSE(recorder_->Recorded());
}

TEST_F(IrRecorderTest, AnUnknownReportEndsLearningWithABreak)
{
    recorder_->StartRecording(1, false);
    Poll("P");
    Poll("Z");
    EXPECT_TRUE(recorder_->ActionsEnabled());
    EXPECT_EQ(1, Breaks());
    ExpectIdle(IDS_IR_RECORD_FAILED);
}

TEST_F(IrRecorderTest, CancelBreaksOffWhatRunsOnce)
{
    recorder_->StartRecording(1, false);
    Poll("P");
    EXPECT_TRUE(recorder_->Cancel());
    EXPECT_TRUE(recorder_->ActionsEnabled());
    EXPECT_EQ(1, Breaks());
    ExpectIdle(IDS_IR_CANCELLED);

    recorder_->StartDistanceCheck();
    Poll("P");
    EXPECT_TRUE(recorder_->Cancel());
    ExpectIdle(IDS_IR_CANCELLED);
}

TEST_F(IrRecorderTest, TheDistanceCheckFollowsTheSignalUntilTheKeyboardFinishes)
{
    recorder_->StartDistanceCheck();
    EXPECT_EQ((std::vector<std::string>{"ir-distance"}), InfraredLog());
    EXPECT_EQ(static_cast<UINT>(IDS_IR_AIM_REMOTE), recorder_->InstructionId());
    EXPECT_EQ(IrRecorder::kDistanceTimer, timers_.Running());
    Poll("R");  // no signal yet: the instruction stays
    EXPECT_EQ(static_cast<UINT>(IDS_IR_AIM_REMOTE), recorder_->InstructionId());
    PollEach("PPP");
    EXPECT_EQ(3, recorder_->Signals());
    const std::string meter = recorder_->InstructionText();
    EXPECT_EQ(fw::LoadResString(IDS_IR_SIGNAL_RECEIVED) + "   >       |", meter);
    // The remote leaves the keyboard's range: ten silent polls tell the user to stop, the next one
    // tells the keyboard to finish, and its 'Y' ends the check.
    for (int i = 0; i < IrRecorder::kSilentPollsAfterSignals; ++i) {
        Poll("R");
        EXPECT_EQ(static_cast<UINT>(IDS_IR_NO_SIGNAL), recorder_->InstructionId());
    }
    EXPECT_EQ(0, Breaks());
    Poll("R");
    EXPECT_EQ(1, Breaks());
    EXPECT_TRUE(recorder_->Busy());
    Poll();  // the keyboard's 'Y' after its break
    EXPECT_TRUE(recorder_->ActionsEnabled());
    ExpectIdle(IDS_IR_DISTANCE_DONE);
}

TEST_F(IrRecorderTest, TheDistanceCheckGivesUpOnSilenceAndOnNonsense)
{
    // A single signal is a button that does not repeat; forty more silent polls break the check off.
    recorder_->StartDistanceCheck();
    Poll("P");
    Poll("R");
    EXPECT_EQ(static_cast<UINT>(IDS_IR_CANNOT_REPEAT), recorder_->InstructionId());
    PollEach(std::string(IrRecorder::kSilentPollsToAbort - 1, 'R'));
    EXPECT_TRUE(recorder_->Busy());
    Poll("R");
    EXPECT_EQ(1, Breaks());
    EXPECT_TRUE(recorder_->ActionsEnabled());
    ExpectIdle(IDS_IR_DISTANCE_NO_SIGNAL);

    // A keyboard that says nothing at all.
    Keyboard("ir-break-finishes 0");
    recorder_->StartDistanceCheck();
    Poll();
    EXPECT_EQ(2, Breaks());
    ExpectIdle(IDS_IR_DISTANCE_FAILED);
}

TEST(IrDistanceMeter, AMarkerWalksAcrossTenPlaces)
{
    const std::string text = "Signal\n|";
    EXPECT_EQ("Signal\n| >         |", IrRecorder::DistanceMeter(text, 1));
    EXPECT_EQ("Signal\n|         > |", IrRecorder::DistanceMeter(text, 9));
    EXPECT_EQ("Signal\n|>          |", IrRecorder::DistanceMeter(text, 10));
}
