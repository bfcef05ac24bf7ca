// The key timing, repetition and feedback commands of the main window, per set and per overlay:
// what the dialog is shown, which files take which values, and that every other line of those
// files stays exactly as it was.
#include "MainWindowFixture.h"
#include "framework/Files.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::OnNextDialog;

namespace {

// An overlay file as a user's old files hold it: blank lines between the sections.
std::string OverlayWith(const std::string& name, const std::string& settings)
{
    return "[Version]\r\nVersion=5.0.19.0\r\n\r\n[KeyboardSettings]\r\n" + settings +
           "SendType=API\r\n\r\n[Data]\r\nBlock1=1,0,0,0," + name + "\r\n\r\n";
}

std::string Times(const char* flash, const char* beep, const char* frequency, const char* repeat,
                  const char* signal, const char* bounce)
{
    return std::string("FlashSignal=") + flash + "\r\nBeepSignal=" + beep + "\r\nFrequency=" + frequency +
           "\r\nRepeatDelay=" + repeat + "\r\nSignalDelay=" + signal + "\r\nBounceLock=" + bounce + "\r\n";
}

class KeyboardSettingsTest : public testing::Test, public MainWindowFixture {
protected:
    KeyboardSettingsTest()
    {
        UseModel("PS2");
        MakeSet("Skola", StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}}).c_str());
        WriteOverlay("Skola", "Bil", Times("1", "1", "0.8", "1.0", "0.0", "0.0"));
        WriteOverlay("Skola", "Äpple", Times("0", "1", "0.3", "1.0", "0.5", "0.0"));
        WriteOverlay("Skola", "Bok", Times("1", "0", "0.8", "1.0", "0.0", "0.0"));
    }

    void WriteOverlay(const std::string& set, const std::string& name, const std::string& settings)
    {
        Temp().Write(OverlayPath(set, name).substr(Temp().Path().size() + 1), OverlayWith(name, settings));
    }

    // The next dialog: its template and caption checked, then the script, then OK.
    static void Answer(UINT templateId, const std::string& caption, const std::function<void(fw::Dialog&)>& script)
    {
        OnNextDialog([=](fw::Dialog& dialog) {
            EXPECT_EQ(dialog.TemplateId(), templateId);
            EXPECT_EQ(dialog.Self().Text(), caption);
            script(dialog);
            PressOk(dialog);
        });
    }
};

} // namespace

// The set's values go into its register and into each of its overlays, in the lines they had.
TEST_F(KeyboardSettingsTest, KeyTimingPerSetReachesTheRegisterAndEveryOverlay)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        Answer(IDD_KEYS, "Tryckkänslighet per set", [](fw::Dialog& keys) {
            EXPECT_TRUE(keys.IsChecked(IDC_KEYS_AF_FIRST));
            EXPECT_TRUE(keys.IsChecked(IDC_KEYS_SS_FIRST));
            Click(keys, IDC_KEYS_SS_FIRST + 2); // SS 0.3
        });
        Command(dialog, ID_OVERLAY_PRESSURE);
    });
    std::string expected = StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}});
    expected.replace(expected.find("BounceLock=0.0"), 14, "BounceLock=0.3");
    EXPECT_EQ(Register("Skola"), expected);
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil")), OverlayWith("Bil", Times("1", "1", "0.8", "1.0", "0.0", "0.3")));
    // A delay and a lock exclude each other: the set's lock clears the overlay's delay.
    EXPECT_EQ(Read(OverlayPath("Skola", "Äpple")), OverlayWith("Äpple", Times("0", "1", "0.3", "1.0", "0.0", "0.3")));
}

// Overlays whose values differ show no choice; only the group the user chose is written, each
// overlay keeps its own other value, and the set register is left alone.
TEST_F(KeyboardSettingsTest, RepetitionPerOverlayWritesOnlyWhatTheUserChose)
{
    const std::string registerBefore = Register("Skola");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 2});
        Answer(IDD_REPETITION, "Repetitionsparametrar per överlägg", [](fw::Dialog& repetition) {
            for (int id = IDC_REPEAT_FD_FIRST; id < IDC_REPEAT_RT_FIRST + 7; ++id)
                EXPECT_FALSE(repetition.IsChecked(id)) << id;
            EXPECT_FALSE(testsupport::IsEnabled(repetition, IDOK));
            Click(repetition, IDC_REPEAT_FD_FIRST + 2); // FD 0.5
        });
        Command(dialog, ID_OVERLAY_REPETITION);
    });
    EXPECT_EQ(Register("Skola"), registerBefore);
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil")), OverlayWith("Bil", Times("1", "1", "0.8", "0.5", "0.0", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Äpple")), OverlayWith("Äpple", Times("0", "1", "0.3", "0.5", "0.5", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Bok")), OverlayWith("Bok", Times("1", "0", "0.8", "1.0", "0.0", "0.0")));
}

// Overlays that agree show their values; a stored time that no radio offers shows as 2.0 but stays
// what it was unless the user chooses another.
TEST_F(KeyboardSettingsTest, AnUntouchedTimeThatNoRadioOffersStays)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 3});
        Answer(IDD_REPETITION, "Repetitionsparametrar per överlägg", [](fw::Dialog& repetition) {
            EXPECT_TRUE(repetition.IsChecked(IDC_REPEAT_FD_FIRST + 4)); // 1.0
            EXPECT_TRUE(repetition.IsChecked(IDC_REPEAT_RT_FIRST + 6)); // 0.8 shows as 2.0
            Click(repetition, IDC_REPEAT_FD_FIRST + 5);                 // FD 1.5
        });
        Command(dialog, ID_OVERLAY_REPETITION);
    });
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil")), OverlayWith("Bil", Times("1", "1", "0.8", "1.5", "0.0", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Bok")), OverlayWith("Bok", Times("1", "0", "0.8", "1.5", "0.0", "0.0")));
}

TEST_F(KeyboardSettingsTest, FeedbackPerOverlayAndACancelThatWritesNothing)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 2, 3});
        Answer(IDD_FEEDBACK, "Återkoppling per överlägg", [](fw::Dialog& feedback) {
            EXPECT_FALSE(feedback.IsChecked(IDC_FEEDBACK_LIGHT));
            EXPECT_FALSE(feedback.IsChecked(IDC_FEEDBACK_SOUND));
            Click(feedback, IDC_FEEDBACK_SOUND);
        });
        Command(dialog, ID_OVERLAY_FEEDBACK);
        OnNextDialog([](fw::Dialog& keys) {
            Click(keys, IDC_KEYS_AF_FIRST + 7);
            Click(keys, IDCANCEL);
        });
        Command(dialog, ID_OVERLAY_PRESSURE);
    });
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil")), OverlayWith("Bil", Times("1", "1", "0.8", "1.0", "0.0", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Äpple")), OverlayWith("Äpple", Times("0", "1", "0.3", "1.0", "0.5", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Bok")), OverlayWith("Bok", Times("1", "1", "0.8", "1.0", "0.0", "0.0")));
}

// A file that cannot be written is named to the user; the others take the values.
TEST_F(KeyboardSettingsTest, AnOverlayThatCannotBeWrittenIsNamed)
{
    ::SetFileAttributesA(OverlayPath("Skola", "Bok").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = ::CreateFileA(OverlayPath("Skola", "Bok").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_SETTINGS_NOT_WRITTEN);
        Answer(IDD_FEEDBACK, "Återkoppling per set", [](fw::Dialog& feedback) {
            EXPECT_TRUE(feedback.IsChecked(IDC_FEEDBACK_LIGHT));
            Click(feedback, IDC_FEEDBACK_LIGHT);
        });
        Command(dialog, ID_OVERLAY_FEEDBACK);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_NE(messages.Shown()[0].text.find("Bok.ini"), std::string::npos);
    });
    ::CloseHandle(held);
    ::SetFileAttributesA(OverlayPath("Skola", "Bok").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil")), OverlayWith("Bil", Times("0", "1", "0.8", "1.0", "0.0", "0.0")));
    EXPECT_EQ(Read(OverlayPath("Skola", "Bok")), OverlayWith("Bok", Times("1", "0", "0.8", "1.0", "0.0", "0.0")));
}

// An overlay deleted outside the program after the list was read stays deleted, per set and per
// overlay alike: it is named to the user, and the others take the values.
TEST_F(KeyboardSettingsTest, AnOverlayDeletedOutsideTheProgramIsNotBroughtBack)
{
    for (bool perOverlay : {false, true}) {
        WriteOverlay("Skola", "Bil", Times("1", "1", "0.8", "1.0", "0.0", "0.0"));
        WriteOverlay("Skola", "Bok", Times("1", "0", "0.8", "1.0", "0.0", "0.0"));
        RunMainWindow([&](CSkarpinDlg& dialog) {
            SelectSet(dialog, "Skola");
            if (perOverlay)
                SelectLines(dialog, {0, 3});
            ASSERT_TRUE(::DeleteFileA(OverlayPath("Skola", "Bok").c_str()));
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_SETTINGS_OVERLAYS_GONE);
            OnNextDialog([](fw::Dialog& feedback) {
                EXPECT_TRUE(feedback.IsChecked(IDC_FEEDBACK_LIGHT));
                Click(feedback, IDC_FEEDBACK_LIGHT);
                PressOk(feedback);
            });
            Command(dialog, ID_OVERLAY_FEEDBACK);
            ASSERT_EQ(messages.Shown().size(), 1u) << perOverlay;
            EXPECT_NE(messages.Shown()[0].text.find("Bok"), std::string::npos) << perOverlay;
        });
        EXPECT_FALSE(fw::PathExists(OverlayPath("Skola", "Bok"))) << perOverlay;
        EXPECT_NE(Read(OverlayPath("Skola", "Bil")).find("FlashSignal=0"), std::string::npos) << perOverlay;
    }
}
