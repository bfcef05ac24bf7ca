// The main window's playing side in the test host: the player that Morvel.ini names, the ends of
// steps from the player, the speech control and our speech engine moving a read-aloud on, pause and
// resume with both players, and speech with no engine at all.
#include "DocumentHost.h"
#include "MorvelConfig.h"
#include "ScriptedPlayer.h"
#include "support/SpeechTestSupport.h"
#include "components/MediaPlayer.h"
#include "components/TextSpeaker.h"
#include "library/BabTTS.h"
#include "library/SoundPlay.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "writer/FileIO.h"
#include "writer/MorvelPlayback.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

// The TextSpeaker control as the playback sees it: ready, one voice, and a log of its calls.
class SpeakerControl : public IDispatch {
public:
    std::vector<std::string>& log;
    explicit SpeakerControl(std::vector<std::string>& calls) : log(calls) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        *object = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        switch (id) {
        case 13: // ready
        case 11: // number of voices
            if (result) {
                V_VT(result) = VT_I4;
                V_I4(result) = 1;
            }
            return S_OK;
        case 27: { // speak
            const BSTR text = V_BSTR(&params->rgvarg[0]);
            char narrow[256] = "";
            ::WideCharToMultiByte(1252, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
            log.push_back(std::string("control speak ") + narrow);
            return S_OK;
        }
        case 14:
            log.push_back("control pause");
            return S_OK;
        case 16:
            log.push_back("control resume");
            return S_OK;
        case 28:
            log.push_back("control stop");
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }
};

// The playback with the test's speech control in place of the installed one.
class TestPlayback : public MorvelPlayback {
public:
    using MorvelPlayback::MorvelPlayback;
    IDispatch* control = nullptr;

protected:
    std::unique_ptr<TextSpeaker> StartSpeechControl() override
    {
        if (!control)
            return nullptr;
        auto speaker = std::make_unique<TextSpeaker>();
        speaker->Attach(control);
        return speaker;
    }
};

class Playback : public testing::Test {
protected:
    Playback()
    {
        io = std::make_unique<FileIO>(config.Environment());
        settings = std::make_unique<Settings>(config.Environment());
        settings->speechEngine_ = 0;
        settings->showPauseButton_ = 1;
        host = std::make_unique<DocumentHost>(*io, *settings);
        std::ofstream(config.Temp() / "ett.wav") << "RIFF";
        std::ofstream(config.Temp() / "tva.wav") << "RIFF";
        sound::SetPlayHandler([this](const char* name, DWORD) {
            log.push_back(std::string("sound ") + name);
            return true;
        });
        playback = std::make_unique<TestPlayback>(*host);
        host->UsePlayback(playback.get());
    }
    ~Playback() override
    {
        host->UsePlayback(nullptr);
        playback.reset();
        sound::SetPlayHandler(nullptr);
    }

    void SetDefault(const char* key, const char* value)
    {
        ::WritePrivateProfileStringA("Defaults", key, value, config.MorvelIni().c_str());
    }
    // A player of the kind [Defaults] MediaPlayer names.
    void MakePlayer(const char* setting)
    {
        SetDefault("MediaPlayer", setting);
        playback->CreateMediaPlayer();
    }
    // A document of symbols that play sounds, read aloud.
    void ReadSounds(const char* first = "ett.wav", const char* second = "tva.wav")
    {
        for (const char* file : {first, second}) {
            CKvoraObject object;
            object.soundPath_ = config.Temp() / file;
            host->Document().InsertObject(object);
        }
        log.clear();
        host->Document().BuildPlayList();
    }
    // The speech control in place of an engine, with speech engine setting 4.
    void UseSpeechControl()
    {
        settings->speechEngine_ = 4;
        SetDefault("TextSpeaker", "1");
        playback->control = &control;
        playback->CreateSpeechEngine();
        ASSERT_NE(playback->SpeechControl(), nullptr);
    }
    std::string Log() const
    {
        std::string all;
        for (const std::string& line : log)
            all += (all.empty() ? "" : "|") + line;
        return all;
    }

    MorvelConfig config;
    std::unique_ptr<FileIO> io;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<DocumentHost> host;
    std::unique_ptr<TestPlayback> playback;
    std::vector<std::string> log;
    SpeakerControl control{log};
    ScriptedPlayers players{log};
    ScriptedPlayer*& player = players.player;
};

TEST_F(Playback, MorvelIniChoosesThePlayer)
{
    const struct {
        const char* setting;
        bool made;
        MediaPlayerKind kind;
    } cases[] = {
        {nullptr, true, MediaPlayerKind::Classic},
        {"1", true, MediaPlayerKind::Classic},
        {"0", true, MediaPlayerKind::Modern},
        {"2", true, MediaPlayerKind::Modern},
        {"-1", false, MediaPlayerKind::Classic},
    };
    for (const auto& c : cases) {
        TestPlayback fresh(*host);
        SetDefault("MediaPlayer", c.setting);
        fresh.CreateMediaPlayer();
        ASSERT_EQ(fresh.HasMediaPlayer(), c.made) << (c.setting ? c.setting : "none");
        if (c.made) {
            EXPECT_EQ(fresh.Player()->Kind(), c.kind) << c.setting;
        } else {
            EXPECT_EQ(fresh.PlayMediaFile(config.Temp() / "ett.wav"), 0);
        }
    }
}

// The classic player's end moves the list on at once; the newer player's end comes through timer 10,
// outside the player's own call.
TEST_F(Playback, TheEndOfASoundStartsTheNextStep)
{
    for (const char* setting : {"1", "2"}) {
        MakePlayer(setting);
        const bool modern = player->Kind() == MediaPlayerKind::Modern;
        ReadSounds();
        EXPECT_EQ(Log(), std::string(modern ? "close|close|" : "stop|") + "open ett.wav") << setting;
        EXPECT_TRUE(host->pauseShown_);

        log.clear();
        player->EndOfFile();
        if (modern) {
            EXPECT_EQ(Log(), "") << "not inside the player's event";
            ASSERT_TRUE(testsupport::PumpUntil([&] { return !log.empty(); }));
        }
        EXPECT_EQ(Log(), std::string(modern ? "close|" : "") + "open tva.wav") << setting;

        player->EndOfFile();
        if (modern) {
            ASSERT_TRUE(testsupport::PumpUntil([&] { return host->Document().Speech().PlayList().empty(); }));
        }
        EXPECT_TRUE(host->Document().Speech().PlayList().empty());
        EXPECT_FALSE(host->pauseShown_);
        host->Document().Clear();
    }
}

// A paused classic player must be resumed (not the speech engine), and the newer player paused too.
TEST_F(Playback, PauseAndResumeReachEitherPlayer)
{
    for (const char* setting : {"1", "2"}) {
        MakePlayer(setting);
        ReadSounds();
        log.clear();
        playback->TogglePause();
        EXPECT_TRUE(playback->IsPaused()) << setting;
        EXPECT_TRUE(host->pausedShown_) << "the user sees the pause " << setting;
        EXPECT_EQ(player->State(), PlayState::Paused) << setting;
        playback->TogglePause();
        EXPECT_FALSE(playback->IsPaused()) << setting;
        EXPECT_FALSE(host->pausedShown_) << setting;
        EXPECT_EQ(Log(), "pause|resume") << setting;
        EXPECT_EQ(player->State(), PlayState::Playing) << setting;
        playback->StopAllPlayback();
        host->Document().Clear();
    }

    // Without the PAUSE button in the settings there is no pause.
    settings->showPauseButton_ = 0;
    ReadSounds();
    log.clear();
    playback->TogglePause();
    EXPECT_FALSE(playback->IsPaused());
    EXPECT_EQ(Log(), "");
}

// While nothing plays in the classic player, the pause goes to the speech; a step that ends during the
// pause waits for the resume (dropped, the read-aloud would stand still for good).
TEST_F(Playback, AStepThatEndsDuringThePauseIsTakenOnResuming)
{
    MakePlayer("1");
    UseSpeechControl();
    host->Document().InsertText("Ja. ");
    CKvoraObject dog;
    dog.speech_ = "hund";
    dog.crossed_ = 1;
    host->Document().InsertObject(dog);
    log.clear();
    host->Document().BuildPlayList();
    EXPECT_EQ(Log(), "stop|control stop|control speak Ja. ");

    log.clear();
    playback->TogglePause();
    EXPECT_EQ(Log(), "control pause");
    playback->OnSpeechControlFinished();
    EXPECT_EQ(Log(), "control pause") << "no step while paused";

    playback->TogglePause();
    EXPECT_EQ(Log(), "control pause|control resume|control speak inte  hund ");
    EXPECT_FALSE(playback->IsPaused());
    EXPECT_TRUE(host->pauseShown_);

    playback->OnSpeechControlFinished();
    EXPECT_TRUE(host->Document().Speech().PlayList().empty());
    EXPECT_FALSE(host->pauseShown_);
}

// While a dialog that plays is open, the ends of steps are its own; the sound chooser hears only the
// player's.
TEST_F(Playback, AnOpenDialogTakesTheEndsOfSteps)
{
    MakePlayer("1");
    UseSpeechControl();
    std::vector<bool> asked;
    host->openDialog_ = [&](bool mediaPlayerEnd) {
        asked.push_back(mediaPlayerEnd);
        return true;
    };
    ReadSounds();
    log.clear();
    player->EndOfFile();
    playback->OnSpeechControlFinished();
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    EXPECT_EQ(Log(), "") << "the document's list stands";
    EXPECT_EQ(host->Document().Speech().PlayList().size(), 2u);
}

// Stopping everything takes a pending timer 10 along: it would move on whatever list starts next.
TEST_F(Playback, StoppingEverythingStopsEachPartAndForgetsTheList)
{
    MakePlayer("2");
    UseSpeechControl();
    ReadSounds();
    player->EndOfFile();
    playback->TogglePause();
    log.clear();
    playback->StopAllPlayback();
    EXPECT_EQ(Log(), "close|control stop");
    EXPECT_FALSE(::KillTimer(host->Handle(), MorvelPlayback::kStepTimer));
    EXPECT_FALSE(playback->IsPaused());
    EXPECT_FALSE(host->pauseShown_);
    EXPECT_TRUE(host->Document().Speech().PlayList().empty());
}

// Without any engine, a text the user asked to hear (PLAY) is not spoken and the user is told; the
// speaking while writing stays silent.
TEST_F(Playback, WithoutAnyEngineNothingIsSpokenAndAPlayClickSaysSo)
{
    SetDefault("Acapela", "0");
    SetDefault("TextSpeaker", "0");
    playback->CreateSpeechEngine();
    EXPECT_EQ(playback->SpeechEngine(), nullptr);
    EXPECT_EQ(playback->SpeechControl(), nullptr);
    EXPECT_EQ(playback->SpeakText("hej"), 0);

    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_NO_SPEECH_ENGINE);
    EXPECT_EQ(playback->StopAndSpeak("hej"), 0);

    // The speech control speaks for StopAndSpeak whatever the speech setting.
    UseSpeechControl();
    settings->speechEngine_ = 1;
    log.clear();
    EXPECT_EQ(playback->StopAndSpeak("hej"), 1);
    EXPECT_EQ(Log(), "control stop|control speak hej");
    EXPECT_EQ(playback->SpeakText("du"), 0) << "engine 1 does not speak through the control";
}

TEST_F(Playback, MediaFilesThatCannotPlayGiveNothing)
{
    MakePlayer("1");
    EXPECT_EQ(playback->PlayMediaFile(""), 0);
    // No audio CD here: the track does not start, and the device is not left open.
    EXPECT_EQ(playback->PlayMediaFile(config.Temp() / "Track05.CDA"), 0);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(playback->PlayMediaFile(config.Temp() / "ett.wav"), 1);
}

// Our speech engine reads a document aloud: each 0x2001 it posts to the window starts the next step.
class PlaybackWithEngine : public Playback {
protected:
    ~PlaybackWithEngine() override { playback->Destroy(); }

    TestEngine engine_{config.Temp() / "engine"};
};

TEST_F(PlaybackWithEngine, EachEndOfSpeechStartsTheNextStep)
{
    settings->speechEngine_ = 1;
    SetDefault("Acapela", "1");
    playback->CreateSpeechEngine();
    ASSERT_NE(playback->SpeechEngine(), nullptr);
    // The user has no voice of their own yet: the engine's first voice is opened, with the window.
    EXPECT_EQ(playback->SpeechEngine()->CallbackWindow(), host->Handle());

    host->Document().InsertText("Hej ");
    CKvoraObject dog;
    dog.speech_ = "hund";
    dog.crossed_ = 1;
    host->Document().InsertObject(dog);
    host->Document().InsertText(" du");
    host->heard_.clear();
    host->Document().BuildPlayList();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return host->Document().Speech().PlayList().empty(); }));
    std::string heard;
    for (const std::string& line : host->heard_)
        heard += line + "|";
    EXPECT_EQ(heard, "speak Hej |clear pause|speak inte  hund |clear pause|speak  du|clear pause|");
    EXPECT_FALSE(host->pauseShown_);

    // Paused mid-text and resumed, the engine speaks on and its end moves the list.
    host->heard_.clear();
    host->Document().BuildPlayList();
    playback->TogglePause();
    ASSERT_TRUE(playback->IsPaused());
    playback->TogglePause();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return host->Document().Speech().PlayList().empty(); }));
    EXPECT_EQ(host->heard_.size(), 6u);
}

} // namespace
