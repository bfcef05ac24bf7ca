// The media players and MCI playback on a machine without a sound device: the choice of player,
// the routing of CD tracks, and failures that come back at once and quietly.
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "components/WaveDevice.h"
#include "framework/Clock.h"
#include "framework/Dialog.h"
#include "library/SoundPlay.h"
#include "library/WaveFile.h"
#include "SoundTestSupport.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <mmsystem.h>

using namespace soundtest;
using testsupport::TempFolder;

namespace {

// A parent window for players.
class ParentWindow {
public:
    ParentWindow()
    {
        hwnd_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    }
    ~ParentWindow() { ::DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_;
};

std::string ToneFile(const TempFolder& folder)
{
    WaveFixture fixture;
    fixture.data = Samples16(Repeat(3000, 2205));
    return folder.Write("tone.wav", fixture.Bytes());
}

} // namespace

TEST(MediaPlayer, TheSettingChoosesThePlayer)
{
    TempFolder folder;
    struct Case {
        const char* stored;
        int setting;
    };
    int file = 0;
    for (const Case& c : {Case{nullptr, 1}, Case{"1", 1}, Case{"0", 0}, Case{"-1", -1}, Case{"2", 2}, Case{"ingen", 1}}) {
        std::string ini = folder.Write("skarpin" + std::to_string(++file) + ".ini",
                                       c.stored ? std::string("[Defaults]\r\nMediaPlayer=") + c.stored + "\r\n"
                                                : std::string("[Defaults]\r\nFont=Arial\r\n"));
        EXPECT_EQ(c.setting, ReadMediaPlayerSetting(ini)) << (c.stored ? c.stored : "missing");
    }
    EXPECT_EQ(1, ReadMediaPlayerSetting(folder / "missing.ini"));

    ParentWindow parent;
    RECT rect{10, 20, 110, 80};
    EXPECT_EQ(nullptr, CreateMediaPlayer(-1, parent.Handle(), 1064, rect));
    struct Kind {
        int setting;
        MediaPlayerKind kind;
    };
    for (const Kind& c : {Kind{1, MediaPlayerKind::Classic}, Kind{0, MediaPlayerKind::Modern}, Kind{5, MediaPlayerKind::Modern}}) {
        std::unique_ptr<MediaPlayer> player = CreateMediaPlayer(c.setting, parent.Handle(), 1064, rect);
        ASSERT_NE(nullptr, player);
        EXPECT_EQ(c.kind, player->Kind());
        EXPECT_EQ(parent.Handle(), ::GetParent(player->Window()));
        EXPECT_EQ(1064, ::GetDlgCtrlID(player->Window()));
        EXPECT_FALSE(::IsWindowVisible(player->Window())) << "the caller shows it";
        RECT placed{};
        ::GetWindowRect(player->Window(), &placed);
        ::MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_TRUE(::EqualRect(&rect, &placed));
        EXPECT_EQ(PlayState::Closed, player->State());
    }

    // Tests may put players of their own in place of ours.
    SetMediaPlayerFactory([](MediaPlayerKind kind, HWND, int, const RECT&) { return std::make_unique<FakeMediaPlayer>(kind); });
    EXPECT_NE(nullptr, dynamic_cast<FakeMediaPlayer*>(CreateMediaPlayer(0, parent.Handle(), 1, rect).get()));
    SetMediaPlayerFactory(nullptr);
}

TEST(MciSound, TracksOfFileNames)
{
    struct Case {
        const char* path;
        int track;
    };
    const Case cases[] = {
        {"D:\\Track05.cda", 5}, {"D:\\Spår 12.CDA", 12}, {"D:\\Track.cda", 0},   {"D:\\cd1\\Track.cda", 0},
        {"D:\\123456.cda", 0},  {"C:\\ljud.mapp\\hej", 0}, {"C:\\Ljud\\hej.Wav", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.track, MciSound::TrackNumber(c.path)) << c.path;
}

// A device that does not play is waited for a bounded time, also while another device's notice sits
// in the queue; that notice is still there for the window afterwards.
TEST(MciSound, TheWaitForAFailingDeviceEndsWithAStaleNoticeWaiting)
{
    ParentWindow parent;
    DWORD now = 0;
    int waits = 0;
    fw::SetTickCountHandler([&] { return now; });
    fw::SetWaitHandler([&](DWORD milliseconds) {
        now += milliseconds;
        ++waits;
    });
    const MCIDEVICEID otherDevice = 77;
    ::PostMessageA(parent.Handle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, otherDevice);

    const MCIDEVICEID noDevice = 4242; // MCI knows no such device, so its status cannot be read
    EXPECT_TRUE(MciSound::ConfirmPlaying(noDevice, parent.Handle())) << "no failure notice came";
    EXPECT_GE(now, 500u);
    EXPECT_LE(waits, 60);

    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, parent.Handle(), MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
    EXPECT_EQ(static_cast<LPARAM>(otherDevice), message.lParam);
    EXPECT_FALSE(::PeekMessageA(&message, parent.Handle(), MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));

    // Its own failure notice ends the wait at once, with the other device's notice kept.
    now = 0;
    ::PostMessageA(parent.Handle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, otherDevice);
    ::PostMessageA(parent.Handle(), MM_MCINOTIFY, MCI_NOTIFY_FAILURE, noDevice);
    EXPECT_FALSE(MciSound::ConfirmPlaying(noDevice, parent.Handle()));
    EXPECT_EQ(0u, now);
    ASSERT_TRUE(::PeekMessageA(&message, parent.Handle(), MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
    EXPECT_EQ(static_cast<LPARAM>(otherDevice), message.lParam);
}

// Without a sound device every way of playing fails at once and leaves nothing open.
TEST(SoundWithoutDevice, EveryPlayerFailsAtOnceAndQuietly)
{
    TempFolder folder;
    std::string tone = ToneFile(folder);
    ParentWindow parent;
    DWORD start = ::GetTickCount();

    for (int setting : {1, 0}) {
        std::unique_ptr<MediaPlayer> player = CreateMediaPlayer(setting, parent.Handle(), 1064, RECT{0, 0, 50, 50});
        ASSERT_NE(nullptr, player);
        EXPECT_FALSE(player->Open(tone));
        EXPECT_EQ(PlayState::Closed, player->State());
        EXPECT_FALSE(player->Open(folder / "missing.wav"));
        player->Stop();
        EXPECT_FALSE(player->Pause());
    }

    MciSound mci;
    EXPECT_FALSE(mci.Play(tone, parent.Handle()));
    EXPECT_FALSE(mci.IsOpen());
    EXPECT_FALSE(mci.Play("D:\\Track02.cda", parent.Handle())) << "no CD";
    EXPECT_FALSE(mci.IsOpen());
    EXPECT_FALSE(mci.Play(folder / "missing.mid", parent.Handle()));
    EXPECT_FALSE(mci.OnNotify(MCI_NOTIFY_SUCCESSFUL, 1));

    std::unique_ptr<WaveDevice> device = CreateWaveDevice();
    EXPECT_EQ(0, device->InputCount());
    EXPECT_EQ(0, device->OutputCount());
    EXPECT_FALSE(device->TestInput(0));
    bool called = false;
    wave::WaveFormat format = wave::WaveFormat::Pcm(11025, 8);
    EXPECT_FALSE(device->StartRecording(0, format.Ex(), 11025, nullptr, [&](bool) { called = true; }));
    EXPECT_FALSE(device->StartPlayback(0, format.Ex(), std::vector<BYTE>(100, 128), [&](bool) { called = true; }));
    EXPECT_FALSE(device->IsRecording());
    EXPECT_FALSE(device->IsPlaying());

    // The message dialog's sound: PlaySound returns at once, whatever it says.
    sound::PlayFile(tone.c_str(), SND_ASYNC | SND_NODEFAULT);
    sound::PlayFile(nullptr, 0);

    fw::PumpMessages();
    EXPECT_FALSE(called) << "what never started never ends";
    EXPECT_LT(::GetTickCount() - start, 3000u) << "no waiting on a device that is not there";
}
