// The recording dialog and its settings dialog, driven in real windows over a wave device that the
// test plays: opening, recording into the file (with and without cutting), playing back, stopping,
// failures, and the settings in the ini file and the registry.
#include "library/RecordSoundDlg.h"
#include "library/SoundSettingsDlg.h"
#include "library/resource.h"
#include "framework/FrameworkIds.h"
#include "SoundTestSupport.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <commctrl.h>

using namespace soundtest;
using namespace testsupport;

namespace {

int ProgressHigh(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_RECORD_PROGRESS, PBM_GETRANGE, FALSE, 0));
}

int ProgressPos(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_RECORD_PROGRESS, PBM_GETPOS, 0, 0));
}

// The button shows its picture: drawn by its owner, something besides the face in its middle.
bool ShowsPicture(HWND dialog, int id)
{
    const DrawnButton drawn = DrawOwnerDrawnButton(dialog, id, 0);
    return !drawn.Empty() && drawn.CountOtherThan(::GetSysColor(COLOR_BTNFACE), 5) > 20;
}

// Enabled state of Record, Play, Stop, OK, Cancel and Settings as a string of 1s and 0s.
std::string Buttons(HWND dialog)
{
    std::string states;
    for (int id : {IDC_RECORD_RECORD, IDC_RECORD_PLAY, IDC_RECORD_STOP, IDOK, IDCANCEL, IDC_RECORD_SETTINGS})
        states += IsEnabled(dialog, id) ? '1' : '0';
    return states;
}

// Temporary files of an unfinished recording.
std::vector<std::string> StrayFiles(const std::string& folder)
{
    std::vector<std::string> stray;
    for (const std::string& name : FilesIn(folder)) {
        if (name.rfind("rzw", 0) == 0)
            stray.push_back(name);
    }
    return stray;
}

std::string Ini(const std::string& settings)
{
    return "[RecordSound]\r\n" + settings;
}

class RecordSoundDlgTest : public testing::Test {
protected:
    TempFolder folder;
    FakeWaveDevice device;
    std::string target = folder / "kvora.wav";
    std::string ini = folder.Write("program.ini", Ini("RecordingTime=2\r\nCutPauses=0\r\nSoundQuality=2\r\n"));
};

} // namespace

// Each picture stands on the button's own face, enabled or not, and a disabled button shows its
// picture's disabled form: three disabled buttons never look alike, nor like enabled ones.
TEST_F(RecordSoundDlgTest, ThePicturesStandOnTheFaceAndShowTheirDisabledForm)
{
    device.inputs = device.outputs = 1;
    RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        std::vector<std::vector<COLORREF>> disabledFaces;
        for (int id : {IDC_RECORD_RECORD, IDC_RECORD_PLAY, IDC_RECORD_STOP}) {
            SCOPED_TRACE(id);
            const DrawnButton enabled = DrawOwnerDrawnButton(d, id, 0);
            const DrawnButton disabled = DrawOwnerDrawnButton(d, id, ODS_DISABLED);
            ASSERT_FALSE(enabled.Empty());
            ASSERT_FALSE(disabled.Empty());
            // Inside the edges, around the picture: the face.
            EXPECT_EQ(face, enabled.At(4, 4));
            EXPECT_EQ(face, disabled.At(4, 4));
            EXPECT_EQ(face, enabled.At(enabled.width - 5, enabled.height - 5));
            const COLORREF middle = disabled.At(disabled.width / 2, disabled.height / 2);
            EXPECT_EQ(RGB(128, 128, 128), middle) << "the shape in grey";
            EXPECT_NE(enabled.pixels, disabled.pixels);
            disabledFaces.push_back(disabled.pixels);
        }
        EXPECT_NE(disabledFaces[0], disabledFaces[1]);
        EXPECT_NE(disabledFaces[1], disabledFaces[2]);
        EXPECT_EQ(RGB(210, 30, 30), DrawOwnerDrawnButton(d, IDC_RECORD_RECORD, 0).At(20, 18)) << "the red dot";
        Click(d, IDCANCEL);
    });
}

TEST_F(RecordSoundDlgTest, OpensWithItsTextsAndTheButtonsTheDevicesAllow)
{
    struct Case {
        const char* name;
        int inputs, outputs;
        bool fileExists;
        const char* buttons;  // Record, Play, Stop, OK, Cancel, Settings
    };
    const Case cases[] = {
        {"devices and a file", 1, 1, true, "110111"},
        {"no file yet", 1, 1, false, "100111"},
        {"no input device", 0, 1, true, "010111"},
        {"no output device", 1, 0, true, "100111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::DeleteFileA(target.c_str());
        if (c.fileExists)
            folder.Write("kvora.wav", "RIFF");
        device.inputs = c.inputs;
        device.outputs = c.outputs;
        RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
        INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_EQ("Ljudst\xF6" "d", d.Self().Text());
            EXPECT_EQ("Ljudfil:", Text(d, IDC_RECORD_FILE_LABEL));
            EXPECT_EQ("Inst\xE4llningar", Text(d, IDC_RECORD_SETTINGS));
            EXPECT_EQ("Avbryt", Text(d, IDCANCEL));
            EXPECT_EQ(c.fileExists ? target : "", Text(d, IDC_RECORD_FILE));
            for (int id : {IDC_RECORD_RECORD, IDC_RECORD_PLAY, IDC_RECORD_STOP})
                EXPECT_TRUE(ShowsPicture(d, id)) << id;
            EXPECT_EQ(c.buttons, Buttons(d));
            EXPECT_EQ(20, ProgressHigh(d)) << "two seconds in tenths";
            EXPECT_EQ(0, ProgressPos(d));
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
    }
}

TEST_F(RecordSoundDlgTest, TakesTheFirstUsableDevice)
{
    auto usable = [](std::vector<bool> answers) {
        return [answers](int index) { return answers[static_cast<size_t>(index)]; };
    };
    EXPECT_EQ(-1, RecordSoundDlg::ChooseDevice(0, usable({})));
    EXPECT_EQ(0, RecordSoundDlg::ChooseDevice(2, usable({true, true})));
    EXPECT_EQ(1, RecordSoundDlg::ChooseDevice(3, usable({false, true, true})));
    EXPECT_EQ(-1, RecordSoundDlg::ChooseDevice(2, usable({false, false}))) << "none usable is none at all";

    // In the dialog: input 0 does not answer, input 1 does; output 0 is fine.
    device.inputs = 2;
    device.inputUsable = {false, true};
    RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ(1, dialog.RecordingDevice());
        EXPECT_EQ(0, dialog.PlaybackDevice());
        Click(d, IDC_RECORD_RECORD);
        EXPECT_EQ(1, device.recordIndex);
        device.EndRecording();
        Click(d, IDOK);
    });
}

TEST_F(RecordSoundDlgTest, RecordsInTheChosenQualityAndTime)
{
    struct Case {
        int quality;
        DWORD rate;
        WORD bits;
    };
    for (const Case& c : {Case{0, 11025, 8}, Case{1, 22050, 8}, Case{2, 22050, 16}}) {
        SCOPED_TRACE(c.quality);
        std::string qualityIni = folder.Write("q" + std::to_string(c.quality) + ".ini",
                                              Ini("RecordingTime=5\r\nCutPauses=0\r\nSoundQuality=" + std::to_string(c.quality) + "\r\n"));
        std::string recorded = c.bits == 8 ? Samples8({10, 250, 128, 3, 127}) : Samples16({-3000, 12000, 7, 0});
        RecordSoundDlg dialog(target, nullptr, qualityIni.c_str(), nullptr, &device);
        INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
            Click(d, IDC_RECORD_RECORD);
            EXPECT_EQ("001000", Buttons(d)) << "only Stop while recording";
            EXPECT_EQ(c.rate, device.recordFormat.nSamplesPerSec);
            EXPECT_EQ(c.bits, device.recordFormat.wBitsPerSample);
            EXPECT_EQ(1, device.recordFormat.nChannels);
            EXPECT_EQ(5 * c.rate * c.bits / 8, device.recordBytes);
            EXPECT_EQ(50, ProgressHigh(d));
            EXPECT_TRUE(device.Deliver(recorded.substr(0, 2)));
            EXPECT_TRUE(device.Deliver(recorded.substr(2)));
            device.EndRecording();
            EXPECT_EQ("110111", Buttons(d));
            EXPECT_EQ(target, Text(d, IDC_RECORD_FILE));
            EXPECT_EQ(1, ProgressPos(d)) << "the end adds one step";
            Click(d, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        wave::WaveFormat format;
        std::vector<BYTE> data;
        ASSERT_EQ(0, wave::ReadWaveFile(target, format, data));
        EXPECT_TRUE(format == RecordSettings::FormatForQuality(c.quality));
        EXPECT_EQ(std::vector<BYTE>(recorded.begin(), recorded.end()), data);
    }
    EXPECT_TRUE(StrayFiles(folder.Path()).empty());
}

TEST_F(RecordSoundDlgTest, CutsTheSilenceOfANewRecordingWhenAsked)
{
    std::string cutting = folder.Write("cut.ini", Ini("RecordingTime=2\r\nWaveSilence=10\r\nCutPauses=1\r\nSoundQuality=0\r\n"));
    RecordSoundDlg dialog(target, nullptr, cutting.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_RECORD_RECORD);
        device.Deliver(Samples8(Join({Repeat(128, 300), {30, 220, 30}, Repeat(127, 200)})));
        device.EndRecording();
        Click(d, IDOK);
    });
    wave::WaveFormat format;
    std::vector<BYTE> data;
    ASSERT_EQ(0, wave::ReadWaveFile(target, format, data));
    EXPECT_EQ((std::vector<BYTE>{30, 220, 30}), data);
}

TEST_F(RecordSoundDlgTest, StopAndTheTimeLimitEndTheRecording)
{
    RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_RECORD_RECORD);
        ::SendMessageA(d, WM_TIMER, 2, 0);
        ::SendMessageA(d, WM_TIMER, 2, 0);
        EXPECT_EQ(2, ProgressPos(d)) << "a step each tenth of a second";
        Click(d, IDC_RECORD_STOP);
        EXPECT_EQ(1, device.stopRecordingCalls);
        EXPECT_EQ(3, ProgressPos(d));
        device.EndRecording();

        // The time is up: timer 1 stops the recording.
        Click(d, IDC_RECORD_RECORD);
        EXPECT_EQ(0, ProgressPos(d));
        ::SendMessageA(d, WM_TIMER, 1, 0);
        EXPECT_EQ(2, device.stopRecordingCalls);
        device.EndRecording();
        EXPECT_EQ("110111", Buttons(d));
        Click(d, IDOK);
    });
}

TEST_F(RecordSoundDlgTest, AFailedRecordingKeepsTheFileThatWasThere)
{
    std::string before = folder.Write("kvora.wav", "the recording before");
    struct Case {
        const char* name;
        bool refuseStart;
        bool deviceFails;
        UINT message;
    };
    const Case cases[] = {
        {"the device does not start", true, false, IDS_RECORD_CANNOT_START},
        {"the device fails on the way", false, true, IDS_RECORD_CANNOT_SAVE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.refuseRecording = c.refuseStart;
        ScriptedMessages messages;
        messages.Expect(c.message);
        RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
        RunModal(dialog, [&](fw::Dialog& d) {
            Click(d, IDC_RECORD_RECORD);
            if (!c.refuseStart) {
                device.Deliver(Samples16({1, 2, 3}));
                device.EndRecording(!c.deviceFails);
            }
            EXPECT_EQ("110111", Buttons(d)) << "the buttons come back";
            Click(d, IDCANCEL);
        });
        EXPECT_EQ("the recording before", TempFolder::Read(target));
        EXPECT_TRUE(StrayFiles(folder.Path()).empty());
    }
}

TEST_F(RecordSoundDlgTest, PlaysTheFileBack)
{
    WaveFixture fixture;
    fixture.rate = 11025;
    fixture.bits = 8;
    fixture.data = Samples8({1, 2, 3});
    folder.Write("kvora.wav", fixture.Bytes());
    RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_RECORD_PLAY);
        EXPECT_EQ("001000", Buttons(d));
        EXPECT_EQ(0, device.playIndex);
        EXPECT_EQ(11025u, device.playFormat.nSamplesPerSec);
        EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), device.played);
        Click(d, IDC_RECORD_STOP);
        EXPECT_EQ(1, device.stopPlaybackCalls);
        device.EndPlayback();
        EXPECT_EQ("110111", Buttons(d));

        // A file that is no sound, or a device that refuses: a message, and the buttons come back.
        folder.Write("kvora.wav", "not a sound");
        {
            ScriptedMessages messages;
            messages.Expect(IDS_SOUND_CANNOT_PLAY);
            Click(d, IDC_RECORD_PLAY);
        }
        folder.Write("kvora.wav", fixture.Bytes());
        device.refusePlayback = true;
        {
            ScriptedMessages messages;
            messages.Expect(IDS_SOUND_CANNOT_PLAY);
            Click(d, IDC_RECORD_PLAY);
        }
        EXPECT_EQ("110111", Buttons(d));
        Click(d, IDOK);
    });
}

TEST_F(RecordSoundDlgTest, ClosingWhileRecordingDropsTheRecording)
{
    RecordSoundDlg dialog(target, nullptr, ini.c_str(), nullptr, &device);
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_RECORD_RECORD);
        device.Deliver(Samples16({5, 6}));
        ::SendMessageA(d, WM_COMMAND, IDOK, 0);  // Enter: OK is disabled, nothing happens
        EXPECT_TRUE(d.Self().IsVisible());
        ::SendMessageA(d, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_GE(device.abortCalls, 1);
    EXPECT_EQ(std::vector<std::string>{"program.ini"}, FilesIn(folder.Path()));
}

TEST_F(RecordSoundDlgTest, SettingsDialogShowsAndStoresTheSettings)
{
    std::string settingsIni = folder.Write("settings.ini", Ini("RecordingTime=10\r\nWaveSilence=25\r\nCutPauses=1\r\nSoundQuality=0\r\n"));
    RecordSoundDlg dialog(target, nullptr, settingsIni.c_str(), nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        OnNextDialog([](fw::Dialog& s) {
            EXPECT_EQ(static_cast<UINT>(IDD_SOUND_SETTINGS), s.TemplateId());
            EXPECT_EQ("Inst\xE4llningar", s.Self().Text());
            EXPECT_EQ("Ljudkvalitet", Text(s, IDC_SETTINGS_QUALITY_GROUP));
            EXPECT_EQ("Telefonkvalitet (11 kHz, 8 bitar, Mono) ", Text(s, IDC_SETTINGS_TELEPHONE));
            EXPECT_EQ("Radiokvalitet (22 kHz, 8 bitar, Mono)", Text(s, IDC_SETTINGS_RADIO));
            EXPECT_EQ("B\xE4ttre radiokvalitet (22 kHz, 16 bitar, Mono)", Text(s, IDC_SETTINGS_BETTER_RADIO));
            EXPECT_EQ("Inspelningstid (sek):", Text(s, IDC_SETTINGS_TIME_LABEL));
            EXPECT_EQ("Automatisk borttagning av paus i b\xF6rjan och slutet", Text(s, IDC_SETTINGS_CUT_PAUSES));
            EXPECT_EQ("Inst\xE4llning av \"tystnad\":", Text(s, IDC_SETTINGS_SILENCE_GROUP));
            EXPECT_EQ("L\xE5g brusniv\xE5", Text(s, IDC_SETTINGS_LOW_NOISE));
            EXPECT_EQ("H\xF6g brusniv\xE5", Text(s, IDC_SETTINGS_HIGH_NOISE));
            EXPECT_EQ("(Om ljudet inte klipps, flytta reglaget ett steg \xE5t h\xF6ger och prova igen.)",
                      Text(s, IDC_SETTINGS_HINT));
            EXPECT_EQ("Avbryt", Text(s, IDCANCEL));

            EXPECT_TRUE(s.IsChecked(IDC_SETTINGS_TELEPHONE));
            EXPECT_EQ("10", Text(s, IDC_SETTINGS_TIME));
            EXPECT_EQ(7, s.Control<fw::ComboBox>(IDC_SETTINGS_TIME).Count());
            EXPECT_TRUE(s.IsChecked(IDC_SETTINGS_CUT_PAUSES));
            EXPECT_EQ(20, s.Control<fw::TrackBar>(IDC_SETTINGS_SILENCE).Pos()) << "a stored 25 shows at the end";

            Check(s, IDC_SETTINGS_BETTER_RADIO, true);
            Check(s, IDC_SETTINGS_TELEPHONE, false);
            SelectCombo(s, IDC_SETTINGS_TIME, 6);
            Check(s, IDC_SETTINGS_CUT_PAUSES, false);
            Click(s, IDOK);
        });
        Click(d, IDC_RECORD_SETTINGS);
        EXPECT_EQ(600, ProgressHigh(d)) << "the bar follows the new time";
        EXPECT_EQ(60, dialog.Settings().recordingTime);

        // Cancel changes nothing.
        OnNextDialog([](fw::Dialog& s) {
            SelectCombo(s, IDC_SETTINGS_TIME, 0);
            Click(s, IDCANCEL);
        });
        Click(d, IDC_RECORD_SETTINGS);
        Click(d, IDOK);
    });
    RecordSettings stored = RecordSettingsStore(nullptr, settingsIni.c_str()).Load();
    EXPECT_EQ(60, stored.recordingTime);
    EXPECT_EQ(20, stored.silenceLevel) << "saved as 20 after OK";
    EXPECT_EQ(0, stored.cutPauses);
    EXPECT_EQ(2, stored.quality);
}

TEST_F(RecordSoundDlgTest, SettingsOfAProgramGoToItsRegistryKey)
{
    const char key[] = "Software\\Ulmarcon\\RzRecordTest";
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    RecordSoundDlg dialog(target, "RzRecordTest", nullptr, nullptr, &device);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ(50, ProgressHigh(d)) << "the default time";
        OnNextDialog([](fw::Dialog& s) {
            EXPECT_TRUE(s.IsChecked(IDC_SETTINGS_BETTER_RADIO));
            s.Control<fw::TrackBar>(IDC_SETTINGS_SILENCE).SetPos(6);
            Click(s, IDOK);
        });
        Click(d, IDC_RECORD_SETTINGS);
        Click(d, IDOK);
    });
    DWORD silence = 0;
    DWORD size = sizeof(silence);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Ulmarcon\\RzRecordTest\\RecordSound",
                                            "SilenceDef", RRF_RT_REG_DWORD, nullptr, &silence, &size));
    EXPECT_EQ(6u, silence);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
}

TEST(SoundSettingsDlg, ATimeTheListDoesNotOfferIsKept)
{
    int time = 7;
    int silence = 12;
    int cut = 0;
    int quality = 1;
    SoundSettingsDlg dialog(&time, &silence, &cut, &quality);
    RunModal(dialog, [](fw::Dialog& d) {
        EXPECT_EQ("", Text(d, IDC_SETTINGS_TIME));
        EXPECT_TRUE(d.IsChecked(IDC_SETTINGS_RADIO));
        EXPECT_FALSE(d.IsChecked(IDC_SETTINGS_CUT_PAUSES));
        Click(d, IDOK);
    });
    EXPECT_EQ(7, time);
    EXPECT_EQ(12, silence);
    EXPECT_EQ(0, cut);
    EXPECT_EQ(1, quality);
}
