// What the command dialog tests share.
#include "EditorFixture.h"
#include "framework/Prompt.h"
#include "support/FakeTextSpeaker.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

namespace editortest {

using fakespeech::Bstr;
using fakespeech::FakeVoice;
using fakespeech::Text;

namespace {

long Number(VARIANT& value)
{
    VARIANT copy;
    ::VariantInit(&copy);
    long number = 0;
    if (SUCCEEDED(::VariantChangeType(&copy, &value, 0, VT_I4)))
        number = V_I4(&copy);
    ::VariantClear(&copy);
    return number;
}

class FakePlayer : public MediaPlayer {
public:
    FakePlayer(PlayerLog& log, MediaPlayerKind kind) : log_(log), kind_(kind) {}
    MediaPlayerKind Kind() const override { return kind_; }
    HWND Window() const override { return nullptr; }
    void SetBackColor(COLORREF) override {}
    bool Open(const std::string& path) override
    {
        log_.calls.push_back("open " + path);
        if (log_.failOpen)
            return false;
        file_ = path;
        state_ = PlayState::Playing;
        return true;
    }
    bool Pause() override { return true; }
    bool Resume() override { return true; }
    void Stop() override
    {
        log_.calls.push_back("stop");
        state_ = PlayState::Stopped;
    }
    void Close() override
    {
        log_.calls.push_back("close");
        state_ = PlayState::Closed;
    }
    PlayState State() const override { return state_; }
    const std::string& FileName() const override { return file_; }

private:
    PlayerLog& log_;
    MediaPlayerKind kind_;
    PlayState state_ = PlayState::Closed;
    std::string file_;
};

} // namespace

InstalledEngine::InstalledEngine(const char* msPerCharacter) : installed_(folder_ / "engine", msPerCharacter)
{
    started_ = engine_.InitEngine() && engine_.CreateInstance();
    EXPECT_TRUE(started_) << "our speech engine did not start";
}

std::string InstalledEngine::FirstVoice()
{
    std::string name;
    engine_.EnumVoice(0, name);
    return name;
}

std::string InstalledEngine::UserSpeechFontFile(const std::string& voice)
{
    char common[MAX_PATH] = {};
    DWORD size = sizeof(common);
    ::RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   "Common AppData", RRF_RT_REG_SZ, nullptr, common, &size);
    return std::string(common) + "\\Ulmarcon\\Acapela Group\\Acapela Multimedia 7\\UserConf\\userspeechfonts_" +
           voice + ".uconf";
}

HRESULT STDMETHODCALLTYPE FakeSpeakerControl::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FakeSpeakerControl::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                                     VARIANT* result, EXCEPINFO*, UINT*)
{
    UINT count = params ? params->cArgs : 0;
    auto argument = [&](UINT i) -> VARIANT& { return params->rgvarg[count - 1 - i]; };
    auto number = [&](long& value, const char* name) {
        if (count == 1) {
            value = Number(argument(0));
            calls.push_back(std::string(name) + " " + std::to_string(value));
        } else if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = value;
        }
        return S_OK;
    };
    switch (id) {
    case 10: {
        long index = count == 1 ? Number(argument(0)) : -1;
        if (index < 0 || index >= static_cast<long>(voices.size()) || !result)
            return DISP_E_BADINDEX;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = new FakeVoice(voices[static_cast<size_t>(index)]);
        return S_OK;
    }
    case 11:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<long>(voices.size());
        return S_OK;
    case 12:
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = Bstr(current);
        return S_OK;
    case 13:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = ready ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case 15: {
        std::string name = Text(argument(0));
        calls.push_back("select " + name);
        if (std::find(voices.begin(), voices.end(), name) != voices.end())
            current = name;
        return S_OK;
    }
    case 19: return number(pitch, "pitch");
    case 21: return number(speed, "speed");
    case 22: return number(volume, "volume");
    case 27:
        calls.push_back("speak " + Text(argument(0)));
        return S_OK;
    case 28:
        calls.push_back("stop");
        return S_OK;
    case 29:
        calls.push_back("properties");
        if (propertyWindow)
            propertyWindow(*this);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

PlayerLog::PlayerLog()
{
    SetMediaPlayerFactory([this](MediaPlayerKind playerKind, HWND, int, const RECT& playerRect) {
        ++made;
        kind = playerKind;
        rect = playerRect;
        return std::unique_ptr<MediaPlayer>(new FakePlayer(*this, playerKind));
    });
}

PlayerLog::~PlayerLog()
{
    SetMediaPlayerFactory(nullptr);
}

CommandConfig::CommandConfig(const std::string& defaults)
{
    config_.WriteWindowsSettings("[Directories]\r\nExe=" + config_.ProgramFolder() + "\r\n[Defaults]\r\n" + defaults);
    config_.WriteProgramSettings("[ImageBases]\r\nDefault=A\r\n");
    settings_ = &config_.Open();
}

FileDialogs::FileDialogs()
{
    fw::CommonDialogHandlers handlers;
    handlers.openFile = [this](OPENFILENAMEA& request) { return Answer(request, false); };
    handlers.saveFile = [this](OPENFILENAMEA& request) { return Answer(request, true); };
    fw::SetCommonDialogHandlers(handlers);
}

FileDialogs::~FileDialogs()
{
    fw::SetCommonDialogHandlers({});
    EXPECT_TRUE(answers.empty()) << answers.size() << " file dialog(s) expected but never opened";
}

bool FileDialogs::Answer(OPENFILENAMEA& request, bool save)
{
    std::string filter;
    for (const char* at = request.lpstrFilter; at && *at; at += std::strlen(at) + 1)
        filter += std::string(at) + "|";
    seen.push_back({save, request.lpstrFile, request.lpstrTitle ? request.lpstrTitle : "",
                    request.lpstrInitialDir ? request.lpstrInitialDir : "", filter, request.Flags});
    if (answers.empty()) {
        ADD_FAILURE() << "an unexpected file dialog";
        return false;
    }
    std::string answer = answers.front();
    answers.pop_front();
    if (answer.empty() || answer.size() + 1 > request.nMaxFile)
        return false;
    std::memcpy(request.lpstrFile, answer.c_str(), answer.size() + 1);
    request.nFileOffset = static_cast<WORD>(answer.rfind('\\') + 1);
    return true;
}

} // namespace editortest
