// The four keyboard settings dialogs opened for real: their texts, the radios and boxes they check
// for a record, the groups that exclude each other, what OK gives back, and the driver program that
// the USB model starts only when it is not running already.
#include "device/FBSettingsDlg.h"
#include "device/FeedbackDlg.h"
#include "device/KeysDlg.h"
#include "device/RepetitionDlg.h"
#include "skarpin/resource.h"
#include "store/SetFixture.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::RunModal;

namespace {

bool AllEnabled(const fw::Dialog& dialog, int first, int count, bool enabled)
{
    for (int id = first; id < first + count; ++id) {
        if (IsEnabled(dialog, id) != enabled)
            return false;
    }
    return true;
}

std::vector<int> Checked(const fw::Dialog& dialog, int first, int count)
{
    std::vector<int> checked;
    for (int i = 0; i < count; ++i) {
        if (dialog.IsChecked(first + i))
            checked.push_back(i);
    }
    return checked;
}

class KeyboardDialogsTest : public testing::Test, public SetFixture {};

} // namespace

TEST_F(KeyboardDialogsTest, KeyTimingShowsTheRecordAndKeepsDelayAndLockApart)
{
    KeyboardSettings settings;
    settings.signalDelay_ = 0.5f;
    settings.bounceLock_ = 0.0f;
    KeysDlg dialog(settings, "", 1);
    EXPECT_EQ(RunModal(dialog, [](fw::Dialog& keys) {
                  EXPECT_EQ(keys.Self().Text(), "Tryckkänslighet");
                  EXPECT_EQ(keys.ItemText(IDC_KBD_TEXT1), "Anslagsfördröjning (AF):");
                  EXPECT_EQ(keys.ItemText(IDC_KBD_TEXT3), "AF och SS kan inte väljas samtidigt.");
                  EXPECT_EQ(keys.ItemText(IDC_KEYS_SS_FIRST), "Av");
                  EXPECT_EQ(keys.ItemText(IDCANCEL), "Avbryt");
                  EXPECT_EQ(Checked(keys, IDC_KEYS_AF_FIRST, 8), std::vector<int>{3});
                  EXPECT_EQ(Checked(keys, IDC_KEYS_SS_FIRST, 8), std::vector<int>{0});
                  EXPECT_TRUE(AllEnabled(keys, IDC_KEYS_SS_FIRST, 8, false));
                  testsupport::Snapshot(keys.Handle(), "keys_dialog");
                  Click(keys, IDC_KEYS_AF_FIRST); // AF off frees SS
                  EXPECT_TRUE(AllEnabled(keys, IDC_KEYS_SS_FIRST, 8, true));
                  Click(keys, IDC_KEYS_SS_FIRST + 2); // SS 0.3 shuts AF
                  EXPECT_TRUE(AllEnabled(keys, IDC_KEYS_AF_FIRST, 8, false));
                  Click(keys, IDOK);
              }),
              IDOK);
    EXPECT_EQ(settings.signalDelay_, 0.0f);
    EXPECT_EQ(settings.bounceLock_, 0.3f);
    EXPECT_TRUE(dialog.SignalDelayChanged());
    EXPECT_TRUE(dialog.BounceLockChanged());
}

// Without values to show nothing is checked and OK waits; a delay chosen means no lock.
TEST_F(KeyboardDialogsTest, KeyTimingWithoutValuesWaitsForAChoice)
{
    KeyboardSettings settings;
    settings.signalDelay_ = 0.0f;
    settings.bounceLock_ = 0.7f;
    KeysDlg dialog(settings, "Tryckkänslighet per överlägg", 0);
    RunModal(dialog, [](fw::Dialog& keys) {
        EXPECT_EQ(keys.Self().Text(), "Tryckkänslighet per överlägg");
        EXPECT_TRUE(Checked(keys, IDC_KEYS_AF_FIRST, 16).empty());
        EXPECT_FALSE(IsEnabled(keys, IDOK));
        Click(keys, IDC_KEYS_AF_FIRST + 3);
        EXPECT_TRUE(IsEnabled(keys, IDOK));
        Click(keys, IDOK);
    });
    EXPECT_EQ(settings.signalDelay_, 0.5f);
    EXPECT_EQ(settings.bounceLock_, 0.0f);
    EXPECT_TRUE(dialog.BounceLockChanged());
}

// A stored time that no radio offers checks 2.0; left alone, it stays as it was.
TEST_F(KeyboardDialogsTest, TimesNoRadioOffersStayUnlessChosen)
{
    KeyboardSettings settings;
    settings.signalDelay_ = 0.8f;
    settings.repeatDelay_ = 0.4f;
    settings.frequency_ = 0.3f;
    KeysDlg keysDialog(settings, "", 1);
    RunModal(keysDialog, [](fw::Dialog& keys) {
        EXPECT_EQ(Checked(keys, IDC_KEYS_AF_FIRST, 8), std::vector<int>{7});
        Click(keys, IDOK);
    });
    EXPECT_EQ(settings.signalDelay_, 0.8f);
    EXPECT_FALSE(keysDialog.SignalDelayChanged());

    RepetitionDlg repetitionDialog(settings, "", 1);
    RunModal(repetitionDialog, [](fw::Dialog& repetition) {
        EXPECT_EQ(repetition.Self().Text(), "Repetitionsparametrar");
        EXPECT_EQ(repetition.ItemText(IDC_KBD_TEXT4), "(sek mellan signaler)");
        EXPECT_EQ(Checked(repetition, IDC_REPEAT_FD_FIRST, 7), std::vector<int>{6});
        EXPECT_EQ(Checked(repetition, IDC_REPEAT_RT_FIRST, 7), std::vector<int>{1});
        testsupport::Snapshot(repetition.Handle(), "repetition_dialog");
        Click(repetition, IDC_REPEAT_RT_FIRST + 4);
        Click(repetition, IDOK);
    });
    EXPECT_EQ(settings.repeatDelay_, 0.4f);
    EXPECT_EQ(settings.frequency_, 1.0f);
    EXPECT_FALSE(repetitionDialog.RepeatDelayChanged());
    EXPECT_TRUE(repetitionDialog.FrequencyChanged());
}

TEST_F(KeyboardDialogsTest, RepetitionWithoutValuesTakesOnlyTheChosenGroup)
{
    KeyboardSettings settings;
    settings.frequency_ = 0.8f;
    RepetitionDlg dialog(settings, "", 0);
    RunModal(dialog, [](fw::Dialog& repetition) {
        EXPECT_FALSE(IsEnabled(repetition, IDOK));
        Click(repetition, IDC_REPEAT_FD_FIRST + 2);
        Click(repetition, IDOK);
    });
    EXPECT_EQ(settings.repeatDelay_, 0.5f);
    EXPECT_EQ(settings.frequency_, 0.8f);
    EXPECT_FALSE(dialog.FrequencyChanged());
}

TEST_F(KeyboardDialogsTest, FeedbackShowsTheSignalsAndTakesTheClickedOnes)
{
    KeyboardSettings settings;
    settings.flashSignal_ = 1;
    settings.beepSignal_ = 0;
    FeedbackDlg dialog(settings, "Återkoppling per set", 1);
    RunModal(dialog, [](fw::Dialog& feedback) {
        EXPECT_EQ(feedback.Self().Text(), "Återkoppling per set");
        EXPECT_EQ(feedback.ItemText(IDC_FEEDBACK_SOUND), "Ljudsignal");
        EXPECT_EQ(feedback.ItemText(IDC_FEEDBACK_LIGHT), "Ljussignal");
        EXPECT_TRUE(feedback.IsChecked(IDC_FEEDBACK_LIGHT));
        EXPECT_FALSE(feedback.IsChecked(IDC_FEEDBACK_SOUND));
        testsupport::Snapshot(feedback.Handle(), "feedback_dialog");
        Click(feedback, IDC_FEEDBACK_SOUND);
        Click(feedback, IDOK);
    });
    EXPECT_EQ(settings.flashSignal_, 1);
    EXPECT_EQ(settings.beepSignal_, 1);
    EXPECT_FALSE(dialog.FlashChanged());
    EXPECT_TRUE(dialog.BeepChanged());
}

// The driver program is started for the USB model only when it has a name and no window yet.
TEST_F(KeyboardDialogsTest, ModelChoiceStoresTheModelAndStartsTheDriverOnlyWhenAbsent)
{
    std::vector<std::string> started;
    auto choose = [&](int model, int radio) {
        FBSettingsDlg dialog(Io(), model, nullptr);
        dialog.SetProgramStarter([&](const std::string& program, const std::string&) {
            started.push_back(program);
            return true;
        });
        RunModal(dialog, [&](fw::Dialog& shown) {
            EXPECT_EQ(shown.Self().Text(), "Välj Rizovuvurimodell");
            EXPECT_EQ(shown.ItemText(IDC_MODEL_PS2), "Rizovuvuri PS/2");
            Click(shown, radio);
            Click(shown, IDOK);
        });
        return model;
    };

    Io().driverName_.clear();
    EXPECT_EQ(choose(FileIO::kModelPS2, IDC_MODEL_USB), FileIO::kModelUSB);
    EXPECT_EQ(Value(WindowsSettingsFile(), "Settings", "FBStatus"), "USB");
    EXPECT_TRUE(started.empty());

    Io().driverName_ = "Rizovuvuri";
    EXPECT_EQ(choose(FileIO::kModelUSB, IDC_MODEL_ACCESS), FileIO::kModelAccessKvora);
    EXPECT_EQ(Value(WindowsSettingsFile(), "Settings", "FBStatus"), "ACCESS");
    EXPECT_TRUE(started.empty());

    EXPECT_EQ(choose(FileIO::kModelAccessKvora, IDC_MODEL_USB), FileIO::kModelUSB);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], Io().programFolder_ + "\\Rizovuvuri." + Io().variantName_ + ".exe");

    HWND driver = ::CreateWindowExA(0, "#32770", "Rizovuvuri", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(choose(FileIO::kModelUSB, IDC_MODEL_USB), FileIO::kModelUSB);
    EXPECT_EQ(started.size(), 1u);
    ::DestroyWindow(driver);

    int model = FileIO::kModelPS2;
    FBSettingsDlg shown(Io(), model, nullptr);
    RunModal(shown, [](fw::Dialog& dialog) {
        EXPECT_TRUE(dialog.IsChecked(IDC_MODEL_PS2));
        EXPECT_EQ(dialog.ItemText(IDCANCEL), "Avbryt");
        testsupport::Snapshot(dialog.Handle(), "model_dialog");
        Click(dialog, IDC_MODEL_ACCESS);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(model, FileIO::kModelPS2);
}
