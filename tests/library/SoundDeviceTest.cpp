// Sound against a sound device and files made by other programs. sound_device_tests.sh sets the
// scene: ALSA's null device as the sound card, recording a ramp from a file and writing what is
// played to another; WAVE files made by sox and espeak-ng, each with its samples beside it. The files
// this program writes there are read back by sox afterwards.
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "components/WaveDevice.h"
#include "library/PauseCutting.h"
#include "library/RecordSoundDlg.h"
#include "library/resource.h"
#include "SoundTestSupport.h"
#include "support/DialogDriver.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace soundtest;
using namespace testsupport;

namespace {

// The scene's folder, as a Windows path; empty when the script did not set the scene.
std::string SceneFolder()
{
    const char* folder = std::getenv("RZ_SOUND_DIR");
    return folder ? folder : "";
}

#define REQUIRE_SCENE()                                                                                  \
    if (SceneFolder().empty())                                                                           \
        GTEST_SKIP() << "run by sound_device_tests.sh, which sets up the null sound device and the files"

std::string ReadAll(const std::string& path)
{
    return TempFolder::Read(path);
}

void WriteAll(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Leaves one of our WAVE files, and the data it holds, for sox to check.
void LeaveForSox(const std::string& name, const std::string& wavePath)
{
    wave::WaveFormat format;
    std::vector<BYTE> data;
    ASSERT_EQ(0, wave::ReadWaveFile(wavePath, format, data));
    ASSERT_TRUE(::CopyFileA(wavePath.c_str(), (SceneFolder() + "\\ours_" + name + ".wav").c_str(), FALSE));
    WriteAll(SceneFolder() + "\\ours_" + name + ".raw", data);
}

// How many neighbouring samples step as the recorded ramp does (8 bits: +1, 16 bits: +256, wrapping).
double RampShare(const std::vector<BYTE>& data, int bits)
{
    size_t step = bits / 8;
    size_t samples = data.size() / step;
    size_t good = 0;
    for (size_t i = 1; i < samples; ++i) {
        if (bits == 8) {
            good += ((data[i] - data[i - 1]) & 0xFF) == 1;
        } else {
            unsigned before = data[2 * i - 2] | (data[2 * i - 1] << 8);
            unsigned now = data[2 * i] | (data[2 * i + 1] << 8);
            good += ((now - before) & 0xFFFF) == 256;
        }
    }
    return samples > 1 ? static_cast<double>(good) / (samples - 1) : 0.0;
}

// A parent window that keeps the media player's notices and MCI's.
class NoticeWindow {
public:
    NoticeWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RzNoticeWindow";
        ::RegisterClassA(&windowClass);
        hwnd_ = ::CreateWindowExA(0, "RzNoticeWindow", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  windowClass.hInstance, this);
    }
    ~NoticeWindow() { ::DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }

    std::vector<std::pair<UINT, int>> notices;  // WM_NOTIFY code, state
    std::vector<std::pair<WPARAM, LPARAM>> mci;  // MM_MCINOTIFY flags, device

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<NoticeWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == WM_NOTIFY) {
            auto* notice = reinterpret_cast<NMMEDIAPLAYER*>(lParam);
            self->notices.emplace_back(notice->hdr.code, notice->state);
            return 0;
        }
        if (self && message == MM_MCINOTIFY) {
            self->mci.emplace_back(wParam, lParam);
            return 0;
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND hwnd_;
};

std::string Tone(const TempFolder& folder, const std::string& name, int samples)
{
    WaveFixture fixture;
    std::vector<int> values;
    for (int i = 0; i < samples; ++i)
        values.push_back((i % 50) * 300 - 7500);
    fixture.data = Samples16(values);
    return folder.Write(name, fixture.Bytes());
}

std::string ToneData(int samples)
{
    std::vector<int> values;
    for (int i = 0; i < samples; ++i)
        values.push_back((i % 50) * 300 - 7500);
    return Samples16(values);
}

bool RecordButtonBack(HWND dialog)
{
    return IsEnabled(dialog, IDC_RECORD_RECORD);
}

} // namespace

TEST(SoundDevice, TheNullDeviceIsThereAndUsable)
{
    REQUIRE_SCENE();
    std::unique_ptr<WaveDevice> device = CreateWaveDevice();
    EXPECT_GE(device->InputCount(), 1);
    EXPECT_GE(device->OutputCount(), 1);
    EXPECT_TRUE(device->TestInput(0));
    EXPECT_TRUE(device->TestOutput(0));
}

TEST(SoundDevice, RecordsAndPlaysBackInEachQuality)
{
    REQUIRE_SCENE();
    TempFolder folder;
    for (int quality : {0, 1, 2}) {
        SCOPED_TRACE(quality);
        std::string target = folder / ("recorded" + std::to_string(quality) + ".wav");
        std::string ini = folder.Write("q" + std::to_string(quality) + ".ini",
                                       "[RecordSound]\r\nRecordingTime=2\r\nCutPauses=0\r\nSoundQuality=" + std::to_string(quality) + "\r\n");
        RecordSoundDlg dialog(target, nullptr, ini.c_str());
        RunModal(dialog, [&](fw::Dialog& d) {
            Click(d, IDC_RECORD_RECORD);
            EXPECT_TRUE(PumpUntil([&] { return RecordButtonBack(d); }, 15000)) << "the recording ends by itself";
            EXPECT_EQ(target, Text(d, IDC_RECORD_FILE));
            Click(d, IDC_RECORD_PLAY);
            EXPECT_TRUE(PumpUntil([&] { return RecordButtonBack(d); }, 15000)) << "the playback ends by itself";
            Click(d, IDOK);
        });

        wave::WaveFormat format;
        std::vector<BYTE> data;
        ASSERT_EQ(0, wave::ReadWaveFile(target, format, data));
        wave::WaveFormat wantedFormat = RecordSettings::FormatForQuality(quality);
        const WAVEFORMATEX& wanted = wantedFormat.Ex();
        EXPECT_EQ(wanted.nSamplesPerSec, format.Ex().nSamplesPerSec);
        EXPECT_EQ(wanted.wBitsPerSample, format.Ex().wBitsPerSample);
        EXPECT_EQ(2 * wanted.nAvgBytesPerSec, data.size()) << "two seconds, to the sample";
        // The device has no clock, so the system drops a block now and then; the rest is the ramp, in order.
        EXPECT_GT(RampShare(data, wanted.wBitsPerSample), 0.9);
        // What went to the device is the file's sound, byte for byte.
        std::string played = ReadAll(SceneFolder() + "\\played.raw");
        EXPECT_EQ(std::string(data.begin(), data.end()), played);
        LeaveForSox("q" + std::to_string(quality), target);
    }
}

TEST(SoundDevice, StopKeepsWhatWasRecordedSoFar)
{
    REQUIRE_SCENE();
    TempFolder folder;
    std::string target = folder / "stopped.wav";
    std::string ini = folder.Write("stop.ini", "[RecordSound]\r\nRecordingTime=60\r\nCutPauses=0\r\nSoundQuality=2\r\n");
    RecordSoundDlg dialog(target, nullptr, ini.c_str());
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_RECORD_RECORD);
        // A tenth of a second on the progress bar.
        EXPECT_TRUE(PumpUntil([&] {
            return ::SendDlgItemMessageA(d, IDC_RECORD_PROGRESS, PBM_GETPOS, 0, 0) > 0;
        }));
        Click(d, IDC_RECORD_STOP);
        EXPECT_TRUE(PumpUntil([&] { return RecordButtonBack(d); }, 15000));
        Click(d, IDOK);
    });
    wave::WaveFormat format;
    std::vector<BYTE> data;
    ASSERT_EQ(0, wave::ReadWaveFile(target, format, data));
    EXPECT_GT(data.size(), 0u);
    EXPECT_LT(data.size(), 60u * 44100u);
    EXPECT_EQ(0u, data.size() % 2) << "whole samples only";
    LeaveForSox("stopped", target);
}

TEST(SoundDevice, MediaPlayersPlayToTheEndAndTellTheirParent)
{
    REQUIRE_SCENE();
    TempFolder folder;
    std::string tone = Tone(folder, "tone.wav", 11025);
    struct Case {
        int setting;
        std::vector<std::pair<UINT, int>> notices;
    };
    const Case cases[] = {
        {1, {{MPN_ENDOFSTREAM, 0}}},
        {0, {{MPN_OPENSTATECHANGE, kMediaOpen}, {MPN_PLAYSTATECHANGE, kPlayStatePlaying}, {MPN_PLAYSTATECHANGE, kPlayStateMediaEnded}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        NoticeWindow parent;
        std::unique_ptr<MediaPlayer> player = CreateMediaPlayer(c.setting, parent.Handle(), 1064, RECT{0, 0, 100, 80});
        ASSERT_NE(nullptr, player);
        ASSERT_TRUE(player->Open(tone));
        EXPECT_EQ(PlayState::Playing, player->State());
        EXPECT_TRUE(PumpUntil([&] { return player->State() == PlayState::Ended; }, 15000));
        EXPECT_EQ(c.notices, parent.notices);
        player->Close();
        EXPECT_EQ(ToneData(11025), ReadAll(SceneFolder() + "\\played.raw"));
    }
}

TEST(SoundDevice, StoppedPlayersTellNoEnd)
{
    REQUIRE_SCENE();
    TempFolder folder;
    std::string tone = Tone(folder, "long.wav", 22050 * 20);
    NoticeWindow parent;
    std::unique_ptr<MediaPlayer> player = CreateMediaPlayer(1, parent.Handle(), 1064, RECT{0, 0, 100, 80});
    ASSERT_TRUE(player->Open(tone));
    player->Stop();
    EXPECT_EQ(PlayState::Stopped, player->State());
    EXPECT_EQ(tone, player->FileName()) << "the classic player keeps its file";
    // A short sound played to its end after it: its end is the only one told.
    std::string shortTone = Tone(folder, "short.wav", 2000);
    ASSERT_TRUE(player->Open(shortTone));
    EXPECT_TRUE(PumpUntil([&] { return player->State() == PlayState::Ended; }, 15000));
    fw::PumpMessages();
    EXPECT_EQ((std::vector<std::pair<UINT, int>>{{MPN_ENDOFSTREAM, 0}}), parent.notices);

    std::unique_ptr<MediaPlayer> modern = CreateMediaPlayer(0, parent.Handle(), 1065, RECT{0, 0, 100, 80});
    ASSERT_TRUE(modern->Open(tone));
    ASSERT_TRUE(modern->Pause());
    EXPECT_EQ(PlayState::Paused, modern->State());
    ASSERT_TRUE(modern->Resume());
    modern->Stop();
    EXPECT_EQ(PlayState::Closed, modern->State()) << "the newer player closes on stop";
    EXPECT_EQ("", modern->FileName());
}

TEST(SoundDevice, MciPlaysASoundFileAndTellsTheEnd)
{
    REQUIRE_SCENE();
    TempFolder folder;
    std::string tone = Tone(folder, "mci.wav", 4000);
    NoticeWindow window;
    MciSound sound;
    ASSERT_TRUE(sound.Play(tone, window.Handle()));
    EXPECT_TRUE(sound.IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return !window.mci.empty(); }, 15000));
    EXPECT_EQ(static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL), window.mci.front().first);
    EXPECT_TRUE(sound.OnNotify(window.mci.front().first, window.mci.front().second));
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_FALSE(sound.Play("D:\\Track01.cda", window.Handle())) << "there is no CD";
}

TEST(SoundFilesOfOthers, ReadAsTheirMakersWroteThem)
{
    REQUIRE_SCENE();
    for (const char* name : {"sox_u8", "sox_s24_stereo", "espeak"}) {
        SCOPED_TRACE(name);
        std::string base = SceneFolder() + "\\" + name;
        std::istringstream facts(ReadAll(base + ".txt"));
        DWORD rate = 0;
        WORD bits = 0;
        WORD channels = 0;
        size_t samples = 0;
        ASSERT_TRUE(facts >> rate >> bits >> channels >> samples) << "sox's description of the file";
        wave::WaveFormat format;
        std::vector<BYTE> data;
        ASSERT_EQ(0, wave::ReadWaveFile(base + ".wav", format, data));
        EXPECT_EQ(rate, format.Ex().nSamplesPerSec);
        EXPECT_EQ(bits, format.Ex().wBitsPerSample);
        EXPECT_EQ(channels, format.Ex().nChannels);
        EXPECT_EQ(samples * channels * bits / 8, data.size());
        std::string raw = ReadAll(base + ".raw");
        EXPECT_TRUE(std::string(data.begin(), data.end()) == raw) << "the samples as sox reads them";
    }
}

TEST(SoundFilesOfOthers, SilenceIsCutFromAFileOfSox)
{
    REQUIRE_SCENE();
    TempFolder folder;
    // 0.2 s of silence, 0.3 s of a tone at 22050 Hz, 0.4 s of silence.
    std::string path = folder / "padded.wav";
    ASSERT_TRUE(::CopyFileA((SceneFolder() + "\\sox_padded.wav").c_str(), path.c_str(), FALSE));
    ASSERT_EQ(wave::CutResult::Cut, wave::CutPauses(path, 5));
    wave::WaveFormat format;
    std::vector<BYTE> data;
    ASSERT_EQ(0, wave::ReadWaveFile(path, format, data));
    size_t samples = data.size() / 2;
    EXPECT_LE(samples, 6615u);
    EXPECT_GE(samples, 6500u);
    LeaveForSox("cut", path);
}
