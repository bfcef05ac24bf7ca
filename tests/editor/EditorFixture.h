// What the command dialog tests share: a throw-away configuration with image bases, media players that
// record their calls, our speech engine installed for one test, and a stand-in TextSpeaker control.
#pragma once
#include "components/MediaPlayer.h"
#include "library/BabTTS.h"
#include "library/ChooserFixture.h"
#include "store/ConfigFixture.h"
#include "support/SpeechTestSupport.h"
#include <commdlg.h>
#include <oaidl.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace editortest {

// Our engine (tools/acatts) installed in a folder of its own that the registry names, started and with
// an instance; shut down and unloaded again afterwards. A text takes msPerCharacter a character to speak.
class InstalledEngine {
public:
    explicit InstalledEngine(const char* msPerCharacter = "1");
    InstalledEngine(const InstalledEngine&) = delete;
    InstalledEngine& operator=(const InstalledEngine&) = delete;

    BabTTS& Engine() { return engine_; }
    bool Started() const { return started_; }
    std::string FirstVoice();
    // The file that marks the voice as set up by the user; the engine writes it when it starts.
    static std::string UserSpeechFontFile(const std::string& voice);
    void SetSpeechTime(const char* msPerCharacter) const { installed_.SetSpeechTime(msPerCharacter); }

private:
    testsupport::TempFolder folder_;
    TestEngine installed_;
    BabTTS engine_;
    bool started_ = false;
};

// The TextSpeaker control as the dialogs see it: voices by index (objects whose property 5 is the
// name), the current voice, three numbers, speaking, and a property window that does what the test says.
class FakeSpeakerControl : public IDispatch {
public:
    std::vector<std::string> voices;
    std::string current;
    long speed = 50;
    long pitch = 60;
    long volume = 70;
    bool ready = true;
    std::vector<std::string> calls;  // "select <name>", "speed <n>", "pitch <n>", "volume <n>", "speak <text>", ...
    std::function<void(FakeSpeakerControl&)> propertyWindow;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // Owned by the test, never deleted through Release.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;
};

// Makes every media player a stand-in that records its calls, for the life of the holder.
class PlayerLog {
public:
    PlayerLog();
    ~PlayerLog();
    PlayerLog(const PlayerLog&) = delete;
    PlayerLog& operator=(const PlayerLog&) = delete;

    std::vector<std::string> calls;  // "open <path>", "stop", "close"
    int made = 0;
    RECT rect{};
    MediaPlayerKind kind = MediaPlayerKind::Classic;
    bool failOpen = false;
};

// A Skarpin configuration for the command dialog: Windows settings with the prefix, the player and the
// video extensions AVI and MPEG; A as the default image base; and the image bases of the chooser tests.
class CommandConfig {
public:
    explicit CommandConfig(const std::string& defaults = "Prefix=@\r\nMediaPlayer=1\r\nVideo=AVI,MPEG\r\n");

    FileIO& Settings() { return *settings_; }
    const testsupport::ChooserBases& Bases() const { return bases_; }
    const ConfigFixture& Config() const { return config_; }

private:
    ConfigFixture config_;
    testsupport::ChooserBases bases_;
    FileIO* settings_ = nullptr;
};

// Answers the file dialogs in turn with the names queued; an empty name cancels. Remembers what each
// request asked for. Installed for its lifetime.
class FileDialogs {
public:
    FileDialogs();
    ~FileDialogs();
    FileDialogs(const FileDialogs&) = delete;
    FileDialogs& operator=(const FileDialogs&) = delete;

    struct Seen {
        bool save;
        std::string startName, title, folder, filter;
        DWORD flags;
    };
    std::deque<std::string> answers;
    std::vector<Seen> seen;

private:
    bool Answer(OPENFILENAMEA& request, bool save);
};

} // namespace editortest
