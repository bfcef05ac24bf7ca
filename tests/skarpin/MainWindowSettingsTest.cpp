// The main window's own settings commands and set-up, opened for real: the keyboard model with its
// menu items, the show toggles, closing with an overlay editor open, the guard on the frame while
// the editor is open, the speech engine or TextSpeaker control and the default printer that timer 1
// makes, and the end of speech passed to our own window in front.
#include "MainWindowFixture.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/FakeTextSpeaker.h"
#include "support/SpeechTestSupport.h"
#include <gtest/gtest.h>
#include <thread>

using testsupport::Click;
using testsupport::OnNextDialog;

namespace {

int CountItems(HMENU popup, UINT command)
{
    int count = 0;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i)
        count += ::GetMenuItemID(popup, i) == command ? 1 : 0;
    return count;
}

bool Checked(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Stands for the overlay editor: a window, and the answer it gives when asked about closing.
struct EditorAnswers {
    bool stay = true;
    int asked = 0;
};

class AskingEditor : public OverlayEditor {
public:
    AskingEditor(EditorAnswers& answers, HWND parent) : answers_(answers)
    {
        window_ = ::CreateWindowExA(0, "STATIC", "Överlägg", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, parent, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    }
    ~AskingEditor() override { ::DestroyWindow(window_); }
    HWND Window() const override { return window_; }
    void OnSize(UINT, int, int) override {}
    bool QueryClose() override
    {
        ++answers_.asked;
        return !answers_.stay;
    }
    OpenedOverlay Opened() const override { return {}; }

private:
    EditorAnswers& answers_;
    HWND window_ = nullptr;
};

class MainWindowSettingsTest : public testing::Test, public MainWindowFixture {
protected:
    MainWindowSettingsTest()
    {
        MakeSet("Skola", StandardRegister({{1, "Bil"}}).c_str(), {"Bil"});
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom"});
        fw::SetBeepHandler([this] { ++beeps_; });
    }
    ~MainWindowSettingsTest() override { fw::SetBeepHandler(nullptr); }

    OverlayEditorFactory Factory()
    {
        return [this](const OverlayEditorRequest& request) {
            return std::make_unique<AskingEditor>(answers_, request.mainWindow);
        };
    }

    void OpenEditor(CSkarpinDlg& dialog)
    {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        Command(dialog, ID_OVERLAY_MENU_OPEN);
        ASSERT_NE(dialog.Editor(), nullptr);
    }

    static void ChooseModel(CSkarpinDlg& dialog, int radio)
    {
        OnNextDialog([radio](fw::Dialog& shown) {
            EXPECT_EQ(shown.TemplateId(), static_cast<UINT>(IDD_KEYBOARD_MODEL));
            Click(shown, radio);
            PressOk(shown);
        });
        Command(dialog, ID_KEYBOARD_MODEL);
    }

    EditorAnswers answers_;
    int beeps_ = 0;
};

} // namespace

TEST_F(MainWindowSettingsTest, SwitchingTheModelKeepsItsMenuItemsExactlyOnce)
{
    UseModel("PS2");
    struct Step {
        int radio;
        const char* status;
        const char* caption;
        int startItems;
        int irItems;
    };
    const Step steps[] = {
        {IDC_MODEL_ACCESS, "ACCESS", "Skarpinen AccessKvora", 1, 1},
        {IDC_MODEL_ACCESS, "ACCESS", "Skarpinen AccessKvora", 1, 1},
        {IDC_MODEL_PS2, "PS2", "Skarpinen PS/2", 1, 0},
        {IDC_MODEL_USB, "USB", "Skarpinen USB", 0, 0},
        {IDC_MODEL_USB, "USB", "Skarpinen USB", 0, 0},
        {IDC_MODEL_ACCESS, "ACCESS", "Skarpinen AccessKvora", 1, 1},
        {IDC_MODEL_USB, "USB", "Skarpinen USB", 0, 0},
        {IDC_MODEL_PS2, "PS2", "Skarpinen PS/2", 1, 0},
    };
    RunMainWindow([&](CSkarpinDlg& dialog) {
        HMENU settings = ::GetSubMenu(dialog.MainMenu(), 1);
        HMENU tools = ::GetSubMenu(dialog.MainMenu(), 2);
        EXPECT_EQ(CountItems(settings, ID_START_SETTINGS), 1);
        EXPECT_EQ(CountItems(tools, ID_IR_CODES), 0);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.status);
            ChooseModel(dialog, step.radio);
            EXPECT_EQ(Value(WindowsSettingsFile(), "Settings", "FBStatus"), step.status);
            EXPECT_EQ(dialog.Self().Text(), step.caption);
            EXPECT_EQ(CountItems(settings, ID_START_SETTINGS), step.startItems);
            EXPECT_EQ(CountItems(tools, ID_IR_CODES), step.irItems);
            // Each stays the last item of its popup.
            if (step.startItems == 1) {
                EXPECT_EQ(::GetMenuItemID(settings, ::GetMenuItemCount(settings) - 1), static_cast<UINT>(ID_START_SETTINGS));
            }
            if (step.irItems == 1) {
                EXPECT_EQ(::GetMenuItemID(tools, ::GetMenuItemCount(tools) - 1), static_cast<UINT>(ID_IR_CODES));
            }
            EXPECT_EQ(dialog.SelectedSetName(), "Skola");
        }
    });
}

TEST_F(MainWindowSettingsTest, ShowTogglesFlipTheirMarkAndSettingAndRefillTheTree)
{
    UseModel("PS2");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EXPECT_FALSE(Checked(dialog.MainMenu(), ID_SHOW_TEMPLATES));
        EXPECT_EQ(TreeNames(dialog), std::vector<std::string>{"Skola"});
        Command(dialog, ID_SHOW_TEMPLATES);
        EXPECT_TRUE(Checked(dialog.MainMenu(), ID_SHOW_TEMPLATES));
        EXPECT_EQ(TreeNames(dialog), (std::vector<std::string>{"Skola", "Mallar"}));
        EXPECT_EQ(dialog.SelectedSetName(), "Skola");
        EXPECT_EQ(Value(ProgramSettingsFile(), "Settings", "ShowTemplates"), "1");
        Command(dialog, ID_SHOW_TEMPLATES);
        EXPECT_FALSE(Checked(dialog.MainMenu(), ID_SHOW_TEMPLATES));
        EXPECT_EQ(TreeNames(dialog), std::vector<std::string>{"Skola"});
        EXPECT_EQ(Value(ProgramSettingsFile(), "Settings", "ShowTemplates"), "0");

        const bool before = Checked(dialog.MainMenu(), ID_SHOW_TEMPLATE_DIALOG);
        Command(dialog, ID_SHOW_TEMPLATE_DIALOG);
        EXPECT_NE(Checked(dialog.MainMenu(), ID_SHOW_TEMPLATE_DIALOG), before);
        EXPECT_EQ(dialog.Configuration().showTemplateDlg_, before ? 0 : 1);
        EXPECT_EQ(Value(ProgramSettingsFile(), "Settings", "ShowTemplateDlg"), before ? "0" : "1");
    });
}

// The margin and start-settings commands run the dialogs the program gives the main window, on its
// own configuration and printer; without them the commands do nothing.
TEST_F(MainWindowSettingsTest, MarginAndStartSettingsRunTheEditorsDialogs)
{
    UseModel("PS2");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        Command(dialog, ID_OPTICAL_CODE_MARGINS);
        Command(dialog, ID_START_SETTINGS);

        std::vector<std::string> runs;
        EditorSettingsDialogs dialogs;
        dialogs.printMargins = [&](HWND owner, FileIO& fileIO, fw::Printer& printer) {
            EXPECT_EQ(owner, dialog.Handle());
            EXPECT_EQ(&fileIO, &dialog.Configuration());
            EXPECT_EQ(&printer, &dialog.Printer());
            runs.push_back("margins");
            return true;
        };
        dialogs.startSettings = [&](HWND owner, FileIO& fileIO) {
            EXPECT_EQ(owner, dialog.Handle());
            EXPECT_EQ(&fileIO, &dialog.Configuration());
            runs.push_back("start");
            return false;
        };
        dialog.SetEditorSettingsDialogs(dialogs);
        Command(dialog, ID_OPTICAL_CODE_MARGINS);
        Command(dialog, ID_START_SETTINGS);
        EXPECT_EQ(runs, (std::vector<std::string>{"margins", "start"}));
    });
}

// Esc, the close box (and Alt+F4) and "Avsluta" all ask the open editor first; the main window
// stays while the user chooses to stay.
TEST_F(MainWindowSettingsTest, ClosingAsksAnOpenEditorAboutSaving)
{
    UseModel("PS2");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            OpenEditor(dialog);
            dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            // The dialog manager posts the close box's Cancel.
            dialog.Self().Send(WM_CLOSE);
            EXPECT_TRUE(testsupport::PumpUntil([&] { return answers_.asked == 2; }));
            dialog.Self().Send(WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(testsupport::PumpUntil([&] { return answers_.asked == 3; }));
            Command(dialog, ID_APP_EXIT_SKARPIN);
            EXPECT_EQ(answers_.asked, 4);
            EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
            EXPECT_NE(dialog.Editor(), nullptr);

            answers_.stay = false;
            Command(dialog, ID_APP_EXIT_SKARPIN);
            EXPECT_EQ(answers_.asked, 5);
            EXPECT_FALSE(::IsWindowVisible(dialog.Handle()));
        },
        Factory());
}

// Windows ends the session without closing the main window: an open editor is asked as its own
// close asks, and a user who stays keeps the session.
TEST_F(MainWindowSettingsTest, TheEndOfTheSessionAsksAnOpenEditorAboutSaving)
{
    UseModel("PS2");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EXPECT_EQ(TRUE, dialog.Self().Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            EXPECT_EQ(answers_.asked, 0);
            OpenEditor(dialog);
            EXPECT_EQ(FALSE, dialog.Self().Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            EXPECT_EQ(answers_.asked, 1);
            EXPECT_NE(dialog.Editor(), nullptr);
            answers_.stay = false;
            EXPECT_EQ(TRUE, dialog.Self().Send(WM_QUERYENDSESSION, 0, 0));
            EXPECT_EQ(answers_.asked, 2);
        },
        Factory());
}

TEST_F(MainWindowSettingsTest, WithoutAnEditorEscCloses)
{
    UseModel("PS2");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_FALSE(::IsWindowVisible(dialog.Handle()));
    });
}

TEST_F(MainWindowSettingsTest, FrameClicksBeepWhileTheEditorIsOpen)
{
    UseModel("PS2");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            // HTNOWHERE: a click the default handling leaves alone.
            dialog.Self().Send(WM_NCLBUTTONDOWN, HTNOWHERE, 0);
            EXPECT_EQ(beeps_, 0);
            OpenEditor(dialog);
            for (UINT message : {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCLBUTTONDBLCLK})
                dialog.Self().Send(message, HTCAPTION, 0);
            EXPECT_EQ(beeps_, 3);
        },
        Factory());
}

// --- Timer 1: speech and printer ---

namespace {

class StartTimerTest : public MainWindowSettingsTest {
protected:
    StartTimerTest() : enginePath_(HKEY_LOCAL_MACHINE, kEnginePathKey, nullptr)
    {
        enginePath_.Delete();
    }
    ~StartTimerTest() override { ShutDownSpeechEngine(); }

    // [Defaults] of the Windows settings file, [Settings] of the program settings file.
    void Settings(const std::string& defaults, const std::string& settings)
    {
        WriteWindowsSettings("[Directories]\r\nExe=" + ProgramFolder() + "\r\n[Defaults]\r\n" + defaults +
                             "[Settings]\r\nFBStatus=PS2\r\n");
        WriteProgramSettings("[Settings]\r\n" + settings);
    }

    // Our engine, copied into a folder that the registry names.
    void InstallEngine()
    {
        const std::string folder = Temp() / "AcaTTS";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        InstallEngineFile(folder);
        enginePath_.SetString(folder);
    }

    // The main window with a stand-in control, timer 1 fired at once; script looks afterwards.
    void RunStart(const std::function<void(CSkarpinDlg&)>& script)
    {
        RunMainWindow([&](CSkarpinDlg& dialog) {
            dialog.Speech().SetSpeakerMaker([this](TextSpeaker& speaker, HWND parent) {
                ++speakersMade_;
                EXPECT_NE(parent, nullptr);
                return speaker.Attach(fake_.get());
            });
            ::KillTimer(dialog.Handle(), CSkarpinDlg::kStartTimer);
            dialog.Self().Send(WM_TIMER, 2, 0); // another timer: nothing
            dialog.Self().Send(WM_TIMER, CSkarpinDlg::kStartTimer, 0);
            script(dialog);
        });
    }

    RegistryValueGuard enginePath_;
    fakespeech::FakePtr fake_ = fakespeech::MakeFake({"Anna", "\xD6sten"});
    int speakersMade_ = 0;
};

} // namespace

// With both asked for, a working engine is the speech and the control is never made.
TEST_F(StartTimerTest, AWorkingEngineComesFirst)
{
    Settings("Acapela=1\r\nTextSpeaker=1\r\n", "");
    InstallEngine();
    RunStart([&](CSkarpinDlg& dialog) {
        EXPECT_NE(dialog.SpeechEngine(), nullptr);
        EXPECT_EQ(dialog.TextSpeakerControl(), nullptr);
        EXPECT_EQ(speakersMade_, 0);
    });
}

// Without the engine the control is made, its voice chosen by name ignoring case and its three
// settings passed in order.
TEST_F(StartTimerTest, WithoutTheEngineTheControlIsMadeAndSetUp)
{
    Settings("Acapela=1\r\nTextSpeaker=1\r\n", "SAPIVoice=\xF6sten\r\nTextSpeakerSettings=5,6,7\r\n");
    RunStart([&](CSkarpinDlg& dialog) {
        EXPECT_EQ(dialog.SpeechEngine(), nullptr);
        ASSERT_NE(dialog.TextSpeakerControl(), nullptr);
        EXPECT_EQ(speakersMade_, 1);
        EXPECT_EQ(fake_->calls, (std::vector<fakespeech::Call>{{15, {"\xF6sten"}}, {21, {"5"}}, {19, {"6"}}, {22, {"7"}}}));
    });
}

TEST_F(StartTimerTest, AnUnknownVoiceLeavesTheDefaultAndStillSetsTheSettings)
{
    Settings("TextSpeaker=1\r\n", "SAPIVoice=Bertil\r\nTextSpeakerSettings=1,2,3\r\n");
    RunStart([&](CSkarpinDlg&) {
        EXPECT_EQ(fake_->calls, (std::vector<fakespeech::Call>{{21, {"1"}}, {19, {"2"}}, {22, {"3"}}}));
    });
}

TEST_F(StartTimerTest, AControlThatIsNotReadyIsKeptUnconfigured)
{
    Settings("TextSpeaker=1\r\n", "SAPIVoice=Anna\r\nTextSpeakerSettings=1,2,3\r\n");
    fake_->ready = false;
    RunStart([&](CSkarpinDlg& dialog) {
        EXPECT_NE(dialog.TextSpeakerControl(), nullptr);
        EXPECT_TRUE(fake_->calls.empty());
    });
}

TEST_F(StartTimerTest, NoSpeechWhenNeitherIsAskedFor)
{
    Settings("", "");
    InstallEngine();
    RunStart([&](CSkarpinDlg& dialog) {
        EXPECT_EQ(dialog.SpeechEngine(), nullptr);
        EXPECT_EQ(dialog.TextSpeakerControl(), nullptr);
        EXPECT_EQ(speakersMade_, 0);
    });
}

// The end of speech reaches the window in front when it is one of ours, and is never sent to a
// window whose thread may not answer: each step returns at once, and the other thread's window
// receives nothing. Once the steps begin, the other thread answers no messages until it is
// released, and at most for twice as long as a step may take, so a send to it shows as a slow
// step, not as a hang.
TEST_F(StartTimerTest, TheEndOfSpeechGoesOnlyToOurOwnWindowInFront)
{
    Settings("TextSpeaker=1\r\n", "");
    RecordingWindow ours(MainWindowSpeech::kSpeechFinishedMessage, MainWindowSpeech::kSpeechFinishedMessage);
    const DWORD kStepLimitMs = 1000;

    HWND stuck = nullptr;
    size_t stuckReceived = 0;
    HANDLE created = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE stepping = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        RecordingWindow window(MainWindowSpeech::kSpeechFinishedMessage, MainWindowSpeech::kSpeechFinishedMessage);
        stuck = window.Handle();
        ::SetEvent(created);
        ::WaitForSingleObject(stepping, INFINITE);
        ::WaitForSingleObject(release, 2 * kStepLimitMs);
        // A message sent meanwhile is delivered by the peek, one posted by its dispatch.
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        stuckReceived = window.Count(MainWindowSpeech::kSpeechFinishedMessage);
    });
    ::WaitForSingleObject(created, 10000);

    HWND front = nullptr;
    RunStart([&](CSkarpinDlg& dialog) {
        dialog.Speech().SetForegroundLookup([&] { return front; });
        ASSERT_NE(dialog.TextSpeakerControl(), nullptr);
        ::SetEvent(stepping);
        for (HWND window : {ours.Handle(), stuck, static_cast<HWND>(nullptr)}) {
            front = window;
            const DWORD start = ::GetTickCount();
            fake_->Fire(5, {0});
            EXPECT_LT(::GetTickCount() - start, kStepLimitMs);
        }
        EXPECT_EQ(ours.Count(MainWindowSpeech::kSpeechFinishedMessage), 1u);
    });
    ::SetEvent(stepping);
    ::SetEvent(release);
    other.join();
    EXPECT_EQ(stuckReceived, 0u);
    for (HANDLE event : {created, stepping, release})
        ::CloseHandle(event);
}
