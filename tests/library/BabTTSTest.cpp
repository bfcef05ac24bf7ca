// The speech engine binding against our own engine, installed in a temporary folder that the
// registry names: loading and its failures, calls without an engine or instance, voices, and
// speaking with the end of speech posted to the callback window.
#include "library/BabTTS.h"
#include "framework/Files.h"
#include "library/resource.h"
#include "framework/Dialog.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/SpeechTestSupport.h"
#include "support/TempFolder.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <functional>

using namespace testsupport;

namespace {

class SpeechEngine : public testing::Test {
protected:
    void TearDown() override { ShutDownSpeechEngine(); }

    // Copies an engine built beside the tests into a folder of its own as "AcaTTS.dll".
    std::string Install(const char* engine, const std::string& folderName)
    {
        std::string folder = folder_ / folderName;
        ::CreateDirectoryA(folder.c_str(), nullptr);
        InstallEngineFile(folder, engine);
        return folder;
    }

    // Our engine, installed and named by the registry, started with an instance.
    void StartEngine()
    {
        enginePath_.SetString(Install("AcaTTS.dll", "engine"));
        ASSERT_TRUE(engine_.InitEngine());
        ASSERT_TRUE(engine_.CreateInstance());
    }

    std::string FirstVoice()
    {
        std::string name;
        EXPECT_TRUE(engine_.EnumVoice(0, name));
        return name;
    }

    // Our engine finishes a text in a few milliseconds instead of its speaking time.
    EnvironmentGuard quickSpeech_{"ACATTS_MS_PER_CHAR", "1"};
    TempFolder folder_;
    RegistryValueGuard enginePath_{HKEY_LOCAL_MACHINE, kEnginePathKey, nullptr};
    BabTTS engine_;
};

TEST_F(SpeechEngine, BindsTheEntryPointsByNameAndLeavesMissingOnesNull)
{
    std::string folder = Install("AcaTTS.dll", "engine");
    HMODULE module = LoadBabTtsLibrary(folder + "\\AcaTTS.dll");
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(module, BabTtsTable().module);
    for (BabTtsEntry called : {BabTtsInit, BabTtsUninit, BabTtsGetNumVoices, BabTtsEnumVoices, BabTtsCreate,
                               BabTtsOpen, BabTtsClose, BabTtsSpeak, BabTtsReset, BabTtsSetCallback, BabTtsDialog,
                               BabTtsPause, BabTtsResume})
        EXPECT_NE(nullptr, BabTtsTable().entries[called]) << BabTtsEntryName(called);
    // Our engine has none of the dictionary and phoneme names.
    for (BabTtsEntry missing : {BabTtsWrite, BabTtsGetCallback, BabTtsDictLoad, BabTtsDictSetDefList, BabTtsPhoGetViseme})
        EXPECT_EQ(nullptr, BabTtsTable().entries[missing]) << BabTtsEntryName(missing);

    UnloadBabTts();
    EXPECT_EQ(nullptr, BabTtsTable().module);
    EXPECT_EQ(nullptr, BabTtsTable().entries[BabTtsInit]);
}

TEST_F(SpeechEngine, InitEngineFailsQuietlyWithoutAFolderAndSaysWhyWithoutAWorkingLibrary)
{
    struct Case {
        const char* what;
        std::function<void()> prepare;
        UINT message; // 0: none
        const char* text;
    };
    const Case cases[] = {
        {"no registry value", [&] { enginePath_.Delete(); }, 0, ""},
        {"an empty folder name", [&] { enginePath_.SetString(""); }, 0, ""},
        {"a folder without the library",
         [&] {
             std::string empty = folder_ / "empty";
             ::CreateDirectoryA(empty.c_str(), nullptr);
             enginePath_.SetString(empty);
         },
         IDS_TTS_NOT_FOUND, "AcaTTS Not Found"},
        {"a folder that does not exist", [&] { enginePath_.SetString(folder_ / "nowhere"); }, IDS_TTS_NOT_FOUND,
         "AcaTTS Not Found"},
        {"a library that does not start", [&] { enginePath_.SetString(Install("PartialEngine.dll", "partial")); },
         IDS_TTS_INIT_FAILED, "Error in BabTTS_Init"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        ScriptedMessages messages;
        if (c.message)
            messages.Expect(c.message);
        EXPECT_FALSE(BabTTS().InitEngine());
        if (c.message) {
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_EQ(c.text, messages.Shown()[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_OK), messages.Shown()[0].type);
        }
        ShutDownSpeechEngine();
    }
}

TEST_F(SpeechEngine, InitEngineReadsTheFolderHoweverTheRegistryHoldsIt)
{
    struct Case {
        const char* what;
        bool terminated;
        const char* suffix;
    };
    const Case cases[] = {
        {"as written by most programs", true, ""},
        {"stored without its closing NUL", false, ""},
        {"with a closing backslash", true, "\\"},
    };
    std::string folder = Install("AcaTTS.dll", "engine");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        enginePath_.SetString(folder + c.suffix, c.terminated);
        EXPECT_TRUE(engine_.InitEngine());
        EXPECT_TRUE(engine_.CreateInstance());
        ShutDownSpeechEngine();
    }
}

TEST_F(SpeechEngine, CallsWithoutAnEngineOrAnInstanceDoNothing)
{
    RecordingWindow window(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    auto expectNothingWorks = [&](const char* state, bool canCreate) {
        SCOPED_TRACE(state);
        BabTTS engine;
        std::string name = "x";
        EXPECT_FALSE(engine.OpenVoice("Tyst röst", window.Handle()));
        EXPECT_FALSE(engine.SetCallbackWindow(window.Handle()));
        EXPECT_FALSE(engine.CloseVoice());
        EXPECT_NE(0, engine.Speak("Hej"));
        EXPECT_NE(0, engine.Reset());
        EXPECT_NE(0, engine.Pause());
        EXPECT_NE(0, engine.Resume());
        engine.ShowDialog(window.Handle());
        if (!canCreate) {
            EXPECT_FALSE(engine.CreateInstance());
            EXPECT_EQ(0, engine.GetNumVoices());
            EXPECT_FALSE(engine.EnumVoice(0, name));
            EXPECT_EQ("", name);
            EXPECT_FALSE(engine.FindUserSpeechFonts(0));
        }
    };

    expectNothingWorks("no library loaded", false);

    ASSERT_NE(nullptr, LoadBabTtsLibrary(Install("PartialEngine.dll", "partial") + "\\AcaTTS.dll"));
    EXPECT_NE(nullptr, BabTtsTable().entries[BabTtsInit]);
    expectNothingWorks("a library without most names", false);
    ShutDownSpeechEngine();

    enginePath_.SetString(Install("AcaTTS.dll", "engine"));
    ASSERT_TRUE(BabTTS().InitEngine());
    expectNothingWorks("our engine without an instance", true);

    fw::PumpMessages();
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SpeechEngine, VoicesAreListedAndOpenedByNameIgnoringCase)
{
    StartEngine();
    int count = engine_.GetNumVoices();
    ASSERT_GE(count, 1);
    std::string name;
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(engine_.EnumVoice(i, name));
        EXPECT_FALSE(name.empty()) << i;
    }
    EXPECT_FALSE(engine_.EnumVoice(count, name));
    EXPECT_FALSE(engine_.EnumVoice(-1, name));

    std::string first = FirstVoice();
    std::string shouted = first;
    ::CharUpperBuffA(&shouted[0], static_cast<DWORD>(shouted.size()));
    EXPECT_TRUE(engine_.OpenVoice(shouted, nullptr));
    EXPECT_FALSE(engine_.OpenVoice("Ingen sådan röst", nullptr));

    // Changing voices: close, create and open again.
    EXPECT_TRUE(engine_.CloseVoice());
    EXPECT_FALSE(engine_.OpenVoice(first, nullptr));
    EXPECT_TRUE(engine_.CreateInstance());
    EXPECT_TRUE(engine_.OpenVoice(first, nullptr));
}

TEST_F(SpeechEngine, SpeakReturnsAtOnceAndTheEndReachesTheCallbackWindow)
{
    StartEngine();
    RecordingWindow window(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    ASSERT_TRUE(engine_.OpenVoice(FirstVoice(), window.Handle()));

    EXPECT_EQ(0, engine_.Speak("Hej på dig"));
    // Nothing has been pumped yet: the engine must not have spoken the text inside the call.
    EXPECT_TRUE(window.Messages().empty());
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 1; }));

    // Two texts queue, and each reports its end.
    EXPECT_EQ(0, engine_.Speak("Ett"));
    EXPECT_EQ(0, engine_.Speak("Två"));
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 3; }));

    // Paused speech goes on where it stopped when resumed.
    EXPECT_EQ(0, engine_.Speak("Paus och sedan vidare"));
    EXPECT_EQ(0, engine_.Pause());
    EXPECT_EQ(0, engine_.Resume());
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 4; }));

    // An empty text ends at once, but still through the callback window.
    EXPECT_EQ(0, engine_.Speak(""));
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 5; }));
    EXPECT_EQ(5u, window.Messages().size());
}

TEST_F(SpeechEngine, ResetDropsTheTextsBeingSpoken)
{
    StartEngine();
    RecordingWindow window(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    ASSERT_TRUE(engine_.SetCallbackWindow(window.Handle()));

    // The dropped texts would take minutes: a text spoken after the reset ends first only when
    // they are gone.
    EXPECT_EQ(0, engine_.Speak(std::string(100000, 'a')));
    EXPECT_EQ(0, engine_.Speak(std::string(100000, 'b')));
    EXPECT_EQ(0, engine_.Reset());
    EXPECT_EQ(0, engine_.Speak("Kvar"));
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 1; }));
    // A reset while paused leaves the engine speaking again.
    EXPECT_EQ(0, engine_.Pause());
    EXPECT_EQ(0, engine_.Reset());
    EXPECT_EQ(0, engine_.Speak("Sist"));
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_BABTTS_SPEECH_END) == 2; }));
    EXPECT_EQ(2u, window.Messages().size());
}

TEST_F(SpeechEngine, TheEndGoesToTheCallbackWindowOfTheMoment)
{
    StartEngine();
    RecordingWindow first(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    RecordingWindow second(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    ASSERT_TRUE(engine_.OpenVoice(FirstVoice(), first.Handle()));
    EXPECT_EQ(0, engine_.Speak("Till den andra"));
    // A dialog takes the end of speech over while it is open.
    ASSERT_TRUE(engine_.SetCallbackWindow(second.Handle()));
    ASSERT_TRUE(PumpUntil([&] { return second.Count(WM_BABTTS_SPEECH_END) == 1; }));
    EXPECT_TRUE(first.Messages().empty());
}

TEST_F(SpeechEngine, UserSpeechFontsAreLookedForInTheCommonThenTheUsersFolder)
{
    StartEngine();
    std::string voice = FirstVoice();
    char common[MAX_PATH] = {};
    DWORD size = sizeof(common);
    ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_LOCAL_MACHINE,
                                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                            "Common AppData", RRF_RT_REG_SZ, nullptr, common, &size));
    std::string commonFile = std::string(common) +
                             "\\Ulmarcon\\Acapela Group\\Acapela Multimedia 7\\UserConf\\userspeechfonts_" + voice +
                             ".uconf";
    EnvironmentGuard appData("APPDATA", folder_.Path().c_str());

    // Our engine marks its voices as set up when it starts, where the real engine's set-up does.
    ASSERT_TRUE(fw::FileExists(commonFile)) << commonFile;
    EXPECT_TRUE(engine_.FindUserSpeechFonts(0));
    EXPECT_FALSE(engine_.FindUserSpeechFonts(engine_.GetNumVoices()));

    ASSERT_TRUE(::DeleteFileA(commonFile.c_str()));
    EXPECT_FALSE(engine_.FindUserSpeechFonts(0));
    // A folder by the file's name cannot be read as the file.
    std::string userFile = "Acapela Group\\Acapela Multimedia 7\\UserConf\\userspeechfonts_" + voice + ".uconf";
    std::string asFolder = folder_.Write(userFile + "\\inside.txt", "");
    EXPECT_FALSE(engine_.FindUserSpeechFonts(0));
    ::DeleteFileA(asFolder.c_str());
    ::RemoveDirectoryA((folder_ / userFile).c_str());
    folder_.Write(userFile, "");
    EXPECT_TRUE(engine_.FindUserSpeechFonts(0));

    HANDLE restored = ::CreateFileA(commonFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (restored != INVALID_HANDLE_VALUE)
        ::CloseHandle(restored);
}

// Presses buttons of the dialog the engine opens, from a timer that runs inside its modal loop.
struct EngineDialogScript {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    std::string caption;
    static EngineDialogScript* current;

    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM)
    {
        char className[16] = {};
        ::GetClassNameA(hwnd, className, sizeof(className));
        if (std::string(className) == "#32770" && ::IsWindowVisible(hwnd)) {
            current->dialog = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, 0);
        HWND dialog = current->dialog;
        if (!dialog)
            return;
        ::KillTimer(nullptr, id);
        current->owner = ::GetWindow(dialog, GW_OWNER);
        char caption[64] = {};
        ::GetWindowTextA(dialog, caption, sizeof(caption));
        current->caption = caption;
        ::SendDlgItemMessageA(dialog, 1001, TBM_SETPOS, TRUE, 5); // the speaking rate
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
};
EngineDialogScript* EngineDialogScript::current = nullptr;

TEST_F(SpeechEngine, ShowDialogOpensTheEnginesSettingsOverTheWindow)
{
    RegistryValueGuard rate(HKEY_CURRENT_USER, "Software\\Ulmarcon\\AcaTTS", "Rate");
    RegistryValueGuard volume(HKEY_CURRENT_USER, "Software\\Ulmarcon\\AcaTTS", "Volume");
    StartEngine();
    RecordingWindow parent(WM_BABTTS_FIRST, WM_BABTTS_LAST);
    EngineDialogScript script;
    EngineDialogScript::current = &script;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, EngineDialogScript::OnTimer);
    engine_.ShowDialog(parent.Handle());
    ::KillTimer(nullptr, timer);
    EngineDialogScript::current = nullptr;

    ASSERT_NE(nullptr, script.dialog);
    EXPECT_EQ(parent.Handle(), script.owner);
    EXPECT_EQ("Talinst\xE4llningar", script.caption);
    DWORD saved = 0;
    DWORD size = sizeof(saved);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Ulmarcon\\AcaTTS", "Rate", RRF_RT_REG_DWORD,
                                            nullptr, &saved, &size));
    EXPECT_EQ(5u, saved);
}

} // namespace
