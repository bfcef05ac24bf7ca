// Our BabTTS engine: the entry points the programs call, speaking through the Windows speech API,
// or silently for as long as the text would take to say when that API cannot speak. Every
// instance has a hidden window on the caller's thread for its timer and the speech API's events,
// so the caller never waits and the end of each text reaches the callback window as a posted
// WM_BABTTS_SPEECH_END.
#include "library/BabTtsApi.h"
#include "tools/acatts/SapiVoice.h"
#include "tools/acatts/SettingsDlg.h"
#include "tools/acatts/resource.h"
#include <objbase.h>
#include <shlobj.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <set>
#include <string>
#include <vector>

#define ENGINE_EXPORT extern "C" __declspec(dllexport)

ENGINE_EXPORT BOOL WINAPI BabTTS_Init();
ENGINE_EXPORT BOOL WINAPI BabTTS_Uninit();
ENGINE_EXPORT DWORD WINAPI BabTTS_GetNumVoices();
ENGINE_EXPORT BabTtsError WINAPI BabTTS_EnumVoices(DWORD index, char* name);
ENGINE_EXPORT BabTtsHandle WINAPI BabTTS_Create();
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Open(BabTtsHandle instance, const char* voiceName, DWORD mode);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Close(BabTtsHandle instance);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Speak(BabTtsHandle instance, const char* text, DWORD flags);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Reset(BabTtsHandle instance);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Pause(BabTtsHandle instance);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Resume(BabTtsHandle instance);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_SetCallback(BabTtsHandle instance, void* callback, DWORD type);
ENGINE_EXPORT BabTtsError WINAPI BabTTS_Dialog(BabTtsHandle instance, HWND parent, DWORD mode);

namespace {

// Result codes of this engine.
enum : BabTtsError {
    kOk = 0,
    kNotInitialised = 1,
    kBadInstance = 2,
    kBadArgument = 3,
    kNoSuchVoice = 4,
};

const char kWindowClass[] = "AcaTTSStandInWindow";
constexpr UINT WM_SAPI_EVENT = WM_APP + 1;
constexpr UINT_PTR kSilentTimer = 1;
// Silent speech lasts this long per character, plus a few characters' worth for the pauses.
constexpr DWORD kDefaultMsPerCharacter = 70;
constexpr size_t kPauseCharacters = 5;

struct Voice {
    std::string name;
    ISpObjectToken* token; // null for the silent voice
};

struct Instance {
    HWND window = nullptr;
    HWND callback = nullptr;
    size_t voice = 0;
    SapiVoice sapi;
    std::set<unsigned long> streams; // texts the speech API is speaking, by stream number
    std::deque<DWORD> silent;        // durations of the texts spoken silently; the first is running
    bool timerRunning = false;
    bool paused = false;
    DWORD due = 0;       // tick at which the running silent text ends
    DWORD remaining = 0; // of the first silent text while paused
};

HINSTANCE g_module = nullptr;
int g_initCount = 0;
bool g_comStarted = false;
std::vector<SapiVoiceInfo> g_sapiVoices;
std::vector<Voice> g_voices;
std::vector<Instance*> g_instances;
EngineSettings g_settings;

Instance* Find(BabTtsHandle handle)
{
    auto found = std::find(g_instances.begin(), g_instances.end(), static_cast<Instance*>(handle));
    return found == g_instances.end() ? nullptr : *found;
}

std::string LoadText(UINT id)
{
    char buffer[256] = {};
    int length = ::LoadStringA(g_module, id, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? length : 0);
}

// The speaking time of silent speech per character. Tests shorten it through the environment.
DWORD MsPerCharacter()
{
    char value[32] = {};
    DWORD length = ::GetEnvironmentVariableA("ACATTS_MS_PER_CHAR", value, sizeof(value));
    if (length == 0 || length >= sizeof(value))
        return kDefaultMsPerCharacter;
    char* end = nullptr;
    unsigned long parsed = std::strtoul(value, &end, 10);
    return *end == '\0' ? static_cast<DWORD>(parsed) : kDefaultMsPerCharacter;
}

DWORD SilentDuration(size_t length)
{
    // The rate scale of the speech API: +10 speaks three times as fast, -10 a third as fast.
    double scale = std::pow(3.0, -g_settings.rate / 10.0);
    return static_cast<DWORD>(MsPerCharacter() * (length + kPauseCharacters) * scale);
}

void NotifyEnd(Instance& instance)
{
    if (instance.callback && ::IsWindow(instance.callback))
        ::PostMessageA(instance.callback, WM_BABTTS_SPEECH_END, 0, 0);
}

void StartSilentTimer(Instance& instance, DWORD duration)
{
    instance.due = ::GetTickCount() + duration;
    instance.timerRunning = true;
    ::SetTimer(instance.window, kSilentTimer, duration, nullptr);
}

void StopSilentTimer(Instance& instance)
{
    if (instance.timerRunning)
        ::KillTimer(instance.window, kSilentTimer);
    instance.timerRunning = false;
}

void OnSilentTimer(Instance& instance)
{
    StopSilentTimer(instance);
    if (!instance.silent.empty())
        instance.silent.pop_front();
    NotifyEnd(instance);
    if (!instance.silent.empty() && !instance.paused)
        StartSilentTimer(instance, instance.silent.front());
}

LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* instance = reinterpret_cast<Instance*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (instance && message == WM_TIMER && wParam == kSilentTimer) {
        OnSilentTimer(*instance);
        return 0;
    }
    if (instance && message == WM_SAPI_EVENT) {
        instance->sapi.TakeEnds([instance](unsigned long stream) {
            // A text dropped by a reset still reports its end: only the live ones count.
            if (instance->streams.erase(stream) != 0)
                NotifyEnd(*instance);
        });
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClass()
{
    WNDCLASSA existing;
    if (::GetClassInfoA(g_module, kWindowClass, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = InstanceWindowProc;
    windowClass.hInstance = g_module;
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassA(&windowClass) != 0;
}

void ApplySettings(Instance& instance)
{
    instance.sapi.SetRate(g_settings.rate);
    instance.sapi.SetVolume(g_settings.volume);
}

void Destroy(Instance* instance)
{
    StopSilentTimer(*instance);
    instance->sapi.Release();
    if (instance->window)
        ::DestroyWindow(instance->window);
    g_instances.erase(std::remove(g_instances.begin(), g_instances.end(), instance), g_instances.end());
    delete instance;
}

// Marks every voice as one the user has set up, as the engine's own set-up does, so the programs'
// voice lists show them.
void WriteUserSpeechFonts()
{
    char common[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
        return;
    std::string folder = std::string(common) + "\\Ulmarcon\\Acapela Group\\Acapela Multimedia 7\\UserConf";
    if (::SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr) != ERROR_SUCCESS &&
        ::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    for (const Voice& voice : g_voices) {
        if (voice.name.find_first_of("\\/:*?\"<>|") != std::string::npos)
            continue;
        std::string path = folder + "\\userspeechfonts_" + voice.name + ".uconf";
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
    }
}

} // namespace

BOOL WINAPI BabTTS_Init()
{
    if (g_initCount++ > 0)
        return TRUE;
    HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    g_comStarted = SUCCEEDED(com);
    g_settings = LoadEngineSettings();
    g_sapiVoices = ListSapiVoices();
    for (const SapiVoiceInfo& voice : g_sapiVoices)
        g_voices.push_back({voice.name, voice.token});
    if (g_voices.empty())
        g_voices.push_back({LoadText(IDS_SILENT_VOICE), nullptr});
    WriteUserSpeechFonts();
    return TRUE;
}

BOOL WINAPI BabTTS_Uninit()
{
    if (g_initCount == 0)
        return FALSE;
    if (--g_initCount > 0)
        return TRUE;
    while (!g_instances.empty())
        Destroy(g_instances.back());
    g_voices.clear();
    ReleaseSapiVoices(g_sapiVoices);
    if (g_comStarted)
        ::CoUninitialize();
    g_comStarted = false;
    return TRUE;
}

DWORD WINAPI BabTTS_GetNumVoices()
{
    return static_cast<DWORD>(g_voices.size());
}

BabTtsError WINAPI BabTTS_EnumVoices(DWORD index, char* name)
{
    if (!name)
        return kBadArgument;
    if (index >= g_voices.size()) {
        name[0] = '\0';
        return kNoSuchVoice;
    }
    const std::string& voice = g_voices[index].name;
    size_t length = std::min(voice.size(), kBabTtsVoiceNameSize - 1);
    voice.copy(name, length);
    name[length] = '\0';
    return kOk;
}

BabTtsHandle WINAPI BabTTS_Create()
{
    if (g_initCount == 0 || !RegisterWindowClass())
        return nullptr;
    auto* instance = new Instance;
    instance->window = ::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_module, instance);
    if (!instance->window) {
        delete instance;
        return nullptr;
    }
    g_instances.push_back(instance);
    if (instance->sapi.Create(instance->window, WM_SAPI_EVENT)) {
        ApplySettings(*instance);
        if (!g_voices.empty())
            instance->sapi.SetVoice(g_voices.front().token);
    }
    return instance;
}

BabTtsError WINAPI BabTTS_Open(BabTtsHandle handle, const char* voiceName, DWORD mode)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    if (!voiceName)
        return kBadArgument;
    for (size_t i = 0; i < g_voices.size(); ++i) {
        if (::lstrcmpiA(g_voices[i].name.c_str(), voiceName) == 0) {
            instance->voice = i;
            instance->sapi.SetVoice(g_voices[i].token);
            return kOk;
        }
    }
    return kNoSuchVoice;
}

BabTtsError WINAPI BabTTS_Close(BabTtsHandle handle)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    Destroy(instance);
    return kOk;
}

BabTtsError WINAPI BabTTS_Speak(BabTtsHandle handle, const char* text, DWORD flags)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    if (!text)
        return kBadArgument;
    std::string words(text);
    unsigned long stream = 0;
    if (!words.empty() && instance->sapi.IsValid() && instance->silent.empty()) {
        if (instance->sapi.Speak(words, stream)) {
            instance->streams.insert(stream);
            return kOk;
        }
        // The speech API cannot speak here (Wine answers E_NOTIMPL): this instance speaks silently.
        if (instance->streams.empty())
            instance->sapi.Release();
    }
    instance->silent.push_back(SilentDuration(words.size()));
    if (instance->silent.size() == 1 && !instance->paused)
        StartSilentTimer(*instance, instance->silent.front());
    return kOk;
}

BabTtsError WINAPI BabTTS_Reset(BabTtsHandle handle)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    instance->streams.clear();
    instance->sapi.Purge();
    if (instance->paused)
        instance->sapi.Resume();
    StopSilentTimer(*instance);
    instance->silent.clear();
    instance->paused = false;
    return kOk;
}

BabTtsError WINAPI BabTTS_Pause(BabTtsHandle handle)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    if (instance->paused)
        return kOk;
    instance->paused = true;
    instance->sapi.Pause();
    if (instance->timerRunning) {
        DWORD now = ::GetTickCount();
        instance->remaining = static_cast<LONG>(instance->due - now) > 0 ? instance->due - now : 0;
        StopSilentTimer(*instance);
    } else {
        instance->remaining = instance->silent.empty() ? 0 : instance->silent.front();
    }
    return kOk;
}

BabTtsError WINAPI BabTTS_Resume(BabTtsHandle handle)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    if (!instance->paused)
        return kOk;
    instance->paused = false;
    instance->sapi.Resume();
    if (!instance->silent.empty())
        StartSilentTimer(*instance, instance->remaining);
    return kOk;
}

BabTtsError WINAPI BabTTS_SetCallback(BabTtsHandle handle, void* callback, DWORD type)
{
    Instance* instance = Find(handle);
    if (!instance)
        return kBadInstance;
    if (type != kBabTtsCallbackWindow)
        return kBadArgument;
    instance->callback = static_cast<HWND>(callback);
    return kOk;
}

BabTtsError WINAPI BabTTS_Dialog(BabTtsHandle handle, HWND parent, DWORD mode)
{
    if (!Find(handle))
        return kBadInstance;
    EngineSettings settings = g_settings;
    if (RunSettingsDialog(g_module, parent, settings)) {
        g_settings = settings;
        SaveEngineSettings(settings);
        for (Instance* instance : g_instances)
            ApplySettings(*instance);
    }
    return kOk;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Freed while instances live: their windows must not outlive the code of their procedure.
        // The speech API's objects are left alone; releasing them under the loader lock is unsafe.
        for (Instance* instance : g_instances) {
            if (instance->window)
                ::DestroyWindow(instance->window);
        }
        ::UnregisterClassA(kWindowClass, module);
    }
    return TRUE;
}
