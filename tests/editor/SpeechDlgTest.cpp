// The speech settings dialog in a real window: without an engine, with our speech engine (its voices,
// choosing one, Cancel putting the old one back) and with a stand-in TextSpeaker control.
#include "editor/SpeechDlg.h"
#include "EditorFixture.h"
#include "components/TextSpeaker.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>

using namespace editortest;
using namespace testsupport;

namespace {

std::vector<std::string> Voices(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, IDC_SPEECH_VOICES);
    std::vector<std::string> voices;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        voices.push_back(text);
    }
    return voices;
}

std::string SelectedVoice(HWND dialog)
{
    int selection = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_SPEECH_VOICES, LB_GETCURSEL, 0, 0));
    return selection < 0 ? std::string() : Voices(dialog)[static_cast<size_t>(selection)];
}

// "Ingen", the never offered one and the engine: which is checked and which enabled.
std::string Radios(HWND dialog)
{
    std::string states;
    for (int id : {IDC_SPEECH_NONE, IDC_SPEECH_OTHER, IDC_SPEECH_ENGINE})
        states += ::IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 'x' : '-';
    return states + " " + EnabledStates(dialog, {IDC_SPEECH_NONE, IDC_SPEECH_OTHER, IDC_SPEECH_ENGINE,
                                                 IDC_SPEECH_VOICES, IDC_SPEECH_SETTINGS});
}

std::string Stored(CommandConfig& config, const char* key)
{
    return ConfigFixture::Value(config.Settings().programSettingsFile_, "Settings", key);
}

class SpeechDlgTest : public testing::Test {
protected:
    CommandConfig config;
};

} // namespace

TEST_F(SpeechDlgTest, WithoutAnEngineOnlyNoSpeechCanBeChosen)
{
    int choice = 4;
    SpeechDlg dialog(&config.Settings(), &choice, nullptr, nullptr);
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Talsyntes", d.Self().Text());
        EXPECT_EQ("V\xE4lj talsyntes", Text(d, IDC_SPEECH_LABEL));
        EXPECT_EQ("x-- 10000", Radios(d));
        EXPECT_TRUE(Voices(d).empty());
        Close(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, choice);
}

TEST_F(SpeechDlgTest, TheEnginesSetUpVoicesAreListedAndTheStoredOneIsChosen)
{
    InstalledEngine engine;
    ASSERT_TRUE(engine.Started());
    const std::string voice = engine.FirstVoice();
    config.Settings().SetSapiVoice(voice);
    struct Case {
        int choice;
        const char* radios;
        int afterOk;
    } cases[] = {{4, "--x 10111", 4}, {0, "x-- 10111", 0}, {1, "x-- 10111", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        int choice = c.choice;
        SpeechDlg dialog(&config.Settings(), &choice, &engine.Engine(), nullptr);
        RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_EQ("Acapela", Text(d, IDC_SPEECH_ENGINE));
            EXPECT_EQ(static_cast<size_t>(engine.Engine().GetNumVoices()), Voices(d).size());
            EXPECT_EQ(voice, SelectedVoice(d));
            EXPECT_EQ(c.radios, Radios(d));
            Close(d, IDOK);
        });
        EXPECT_EQ(c.afterOk, choice);
    }

    // Cancel leaves the choice alone.
    int choice = 4;
    SpeechDlg dialog(&config.Settings(), &choice, &engine.Engine(), nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        Check(d, IDC_SPEECH_NONE, true);
        Close(d, IDCANCEL);
    });
    EXPECT_EQ(4, choice);
}

TEST_F(SpeechDlgTest, AVoiceWithoutItsUserSpeechFontsIsNotOffered)
{
    InstalledEngine engine;
    ASSERT_TRUE(engine.Started());
    ASSERT_EQ(1, engine.Engine().GetNumVoices()) << "our engine has one voice where the speech API cannot speak";
    const std::string fonts = InstalledEngine::UserSpeechFontFile(engine.FirstVoice());
    TempFolder saved;
    const std::string appData = saved.Path();
    EnvironmentGuard userFolder("APPDATA", appData.c_str());
    ASSERT_TRUE(::DeleteFileA(fonts.c_str()));

    int choice = 4;
    SpeechDlg dialog(&config.Settings(), &choice, &engine.Engine(), nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_TRUE(Voices(d).empty());
        EXPECT_EQ("x-- 10000", Radios(d));
        Close(d, IDOK);
    });
    EXPECT_EQ(0, choice);

    HANDLE restored = ::CreateFileA(fonts.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (restored != INVALID_HANDLE_VALUE)
        ::CloseHandle(restored);
}

TEST_F(SpeechDlgTest, ChoosingAVoiceOpensItForTheOwnerAndCancelPutsTheStoredVoiceBack)
{
    InstalledEngine engine;
    ASSERT_TRUE(engine.Started());
    const std::string voice = engine.FirstVoice();
    config.Settings().SetSapiVoice("Tidigare r\xF6st");
    RecordingWindow owner(0x2000, 0x2009);

    for (int ending : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ending == IDOK ? "OK" : "Cancel");
        int choice = 0;
        SpeechDlg dialog(&config.Settings(), &choice, &engine.Engine(), nullptr, owner.Handle());
        RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_EQ("", SelectedVoice(d)) << "the stored voice is not the engine's";
            SelectList(d, IDC_SPEECH_VOICES, 0);
            EXPECT_EQ("--x 10111", Radios(d));
            EXPECT_EQ(voice, Stored(config, "SAPIVoice")) << "stored at once";
            Close(d, ending);
        });
        EXPECT_EQ(ending == IDOK ? 4 : 0, choice);
        EXPECT_EQ(ending == IDOK ? voice : "Tidigare r\xF6st", Stored(config, "SAPIVoice"));

        // Either way the engine speaks, and tells the owner when it is done.
        size_t before = owner.Count(WM_BABTTS_SPEECH_END);
        EXPECT_EQ(0, engine.Engine().Speak("hej"));
        EXPECT_TRUE(PumpUntil([&] { return owner.Count(WM_BABTTS_SPEECH_END) > before; }));
        config.Settings().SetSapiVoice("Tidigare r\xF6st");
    }
}

TEST_F(SpeechDlgTest, WithTheTextSpeakerControlItsVoicesAndNumbersAreChosenAndStored)
{
    FakeSpeakerControl control;
    control.voices = {"Anna", "Erik", "Anna", "Dold", "Lena"};
    control.current = "Erik";
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(&control));
    config.Config().Write("windows\\kvspeak.ini", "[Voices]\r\nDold=0\r\nLena=1\r\n");
    config.Settings().SetTextSpeakerSettings(1, 2, 3);
    config.Settings().SetSapiVoice("Erik");

    int choice = 4;
    SpeechDlg dialog(&config.Settings(), &choice, nullptr, &speaker);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("SAPI (t ex Infovox Desktop)", Text(d, IDC_SPEECH_ENGINE));
        EXPECT_EQ((std::vector<std::string>{"Anna", "Erik", "Lena"}), Voices(d)) << "each once, Dold hidden";
        EXPECT_EQ("Erik", SelectedVoice(d));
        EXPECT_EQ("--x 10111", Radios(d));
        EXPECT_EQ(1, control.speed);
        EXPECT_EQ(2, control.pitch);
        EXPECT_EQ(3, control.volume);

        SelectList(d, IDC_SPEECH_VOICES, 0);
        EXPECT_EQ("Anna", control.current);

        // The control's own window changes its voice and speed; the dialog reads them back.
        control.propertyWindow = [](FakeSpeakerControl& c) {
            c.current = "Lena";
            c.speed = 9;
        };
        Click(d, IDC_SPEECH_SETTINGS);
        EXPECT_EQ("Lena", SelectedVoice(d));
        Close(d, IDOK);
    });
    EXPECT_EQ(4, choice);
    EXPECT_EQ("Lena", Stored(config, "SAPIVoice"));
    EXPECT_EQ("9,2,3", Stored(config, "TextSpeakerSettings"));
    EXPECT_EQ("Lena", control.current);
}

TEST_F(SpeechDlgTest, CancelGivesTheTextSpeakerControlItsVoiceAndNumbersBack)
{
    FakeSpeakerControl control;
    control.voices = {"Anna", "Erik"};
    control.current = "Erik";
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(&control));
    config.Settings().SetTextSpeakerSettings(1, 2, 3);

    int choice = 0;
    SpeechDlg dialog(&config.Settings(), &choice, nullptr, &speaker);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("x-- 10111", Radios(d));
        SelectList(d, IDC_SPEECH_VOICES, 0);
        control.propertyWindow = [](FakeSpeakerControl& c) { c.pitch = 40; };
        Click(d, IDC_SPEECH_SETTINGS);
        Close(d, IDCANCEL);
    });
    EXPECT_EQ(0, choice);
    EXPECT_EQ("Erik", control.current);
    EXPECT_EQ(2, control.pitch);
    EXPECT_EQ("1,2,3", Stored(config, "TextSpeakerSettings"));
    EXPECT_EQ("<missing>", Stored(config, "SAPIVoice"));

    // A control without voices leaves only "Ingen".
    control.voices.clear();
    choice = 4;
    SpeechDlg without(&config.Settings(), &choice, nullptr, &speaker);
    RunModal(without, [&](fw::Dialog& d) {
        EXPECT_EQ("x-- 10000", Radios(d));
        Close(d, IDOK);
    });
    EXPECT_EQ(0, choice);
}
