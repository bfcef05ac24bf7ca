// The TextSpeaker client: absent when the control is not installed, and, over a stand-in control
// that records its calls, the dispatch ids and arguments it sends and the events it passes on.
#include "components/TextSpeaker.h"
#include "support/FakeTextSpeaker.h"
#include "support/SpeechTestSupport.h"
#include <olectl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

using namespace fakespeech;

namespace {

TEST(TextSpeaker, IsAbsentAndLeavesNoWindowWhenTheControlCannotBeCreated)
{
    // The speech API's voice is registered, but is no control that a window can host.
    for (const char* progId : {TextSpeaker::kProgId, "SAPI.SpVoice"}) {
        SCOPED_TRACE(progId);
        RecordingWindow parent(0, 0);
        TextSpeaker speaker;
        EXPECT_FALSE(speaker.Create(parent.Handle(), 1167, progId));
        EXPECT_FALSE(speaker.IsPresent());
        EXPECT_EQ(nullptr, speaker.Window());
        EXPECT_EQ(nullptr, ::GetWindow(parent.Handle(), GW_CHILD));
    }
}

TEST(TextSpeaker, DoesNothingWhenAbsent)
{
    TextSpeaker speaker;
    ASSERT_FALSE(speaker.IsPresent());

    EXPECT_FALSE(speaker.IsReady());
    EXPECT_EQ(0, speaker.VoiceCount());
    EXPECT_EQ("", speaker.VoiceName(0));
    EXPECT_FALSE(speaker.ChooseVoice("Anna"));
    EXPECT_FALSE(speaker.SelectVoice("Anna"));
    EXPECT_FALSE(speaker.SetSpeed(1));
    EXPECT_FALSE(speaker.SetPitch(1));
    EXPECT_FALSE(speaker.SetVolume(1));
    EXPECT_FALSE(speaker.Speak("Hej"));
    EXPECT_FALSE(speaker.Pause());
    EXPECT_FALSE(speaker.Resume());
    EXPECT_FALSE(speaker.Stop());
    EXPECT_FALSE(speaker.Attach(nullptr));
}

TEST(TextSpeaker, ReadsReadinessAndVoicesFromTheControl)
{
    FakePtr fake = MakeFake({"Anna", "\xD6sten"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));
    EXPECT_TRUE(speaker.IsPresent());
    EXPECT_TRUE(speaker.IsReady());
    EXPECT_EQ(2, speaker.VoiceCount());
    EXPECT_EQ("Anna", speaker.VoiceName(0));
    EXPECT_EQ("\xD6sten", speaker.VoiceName(1));
    EXPECT_EQ("", speaker.VoiceName(2));

    fake->ready = false;
    EXPECT_FALSE(speaker.IsReady());
}

TEST(TextSpeaker, ChoosesAVoiceByNameIgnoringCase)
{
    FakePtr fake = MakeFake({"Anna", "\xD6sten"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));

    EXPECT_FALSE(speaker.ChooseVoice("Bertil"));
    EXPECT_FALSE(speaker.ChooseVoice(""));
    EXPECT_TRUE(fake->calls.empty());
    // The setting's own spelling is what the control is given.
    EXPECT_TRUE(speaker.ChooseVoice("\xF6STEN"));
    EXPECT_EQ((std::vector<Call>{{15, {"\xF6STEN"}}}), fake->calls);
}

TEST(TextSpeaker, SendsSettingsSpeechAndItsControlByTheirDispatchIds)
{
    FakePtr fake = MakeFake({"Anna"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));
    EXPECT_TRUE(speaker.SetSpeed(-3));
    EXPECT_TRUE(speaker.SetPitch(7));
    EXPECT_TRUE(speaker.SetVolume(80));
    EXPECT_TRUE(speaker.Speak("Hej p\xE5 dig"));
    EXPECT_TRUE(speaker.Pause());
    EXPECT_TRUE(speaker.Resume());
    EXPECT_TRUE(speaker.Stop());
    EXPECT_EQ((std::vector<Call>{{21, {"-3"}}, {19, {"7"}}, {22, {"80"}}, {27, {"Hej p\xE5 dig"}}, {14, {}}, {16, {}},
                                 {28, {}}}),
              fake->calls);
}

TEST(TextSpeaker, PassesTheEndOfSpeechAndThePositionOn)
{
    FakePtr fake = MakeFake({"Anna"});
    auto speaker = std::make_unique<TextSpeaker>();
    ASSERT_TRUE(speaker->Attach(fake.get()));
    ASSERT_EQ(1u, fake->Connected());
    int finished = 0;
    std::vector<long> positions;
    speaker->SetSpeechFinishedHandler([&] { ++finished; });
    speaker->SetPositionHandler([&](long position) { positions.push_back(position); });

    fake->Fire(4, {1, 2, 17, 4});
    fake->Fire(4, {1}); // too few arguments to carry a position
    fake->Fire(5, {0});
    fake->Fire(3);
    EXPECT_EQ(std::vector<long>{17}, positions);
    EXPECT_EQ(1, finished);

    // A handler may end the client; the control keeps no connection to it.
    speaker->SetSpeechFinishedHandler([&] {
        ++finished;
        speaker.reset();
    });
    fake->Fire(5);
    EXPECT_EQ(2, finished);
    EXPECT_EQ(nullptr, speaker);
    EXPECT_EQ(0u, fake->Connected());
    fake->Fire(5);
    EXPECT_EQ(2, finished);
}

} // namespace
