// Binding of the BabTTS speech engine: loading, the table of entry points and the calls.
#include "library/BabTTS.h"
#include "library/ImageBaseManager.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/resource.h"
#include <vector>

namespace {

const char* const kEntryNames[BabTtsEntryCount] = {
    "BabTTS_Init", "BabTTS_Uninit", "BabTTS_GetNumVoices", "BabTTS_EnumVoices", "BabTTS_GetVoiceInfo",
    "BabTTS_GetInstanceInfo", "BabTTS_GetVoiceLicense", "BabTTS_InsertText", "BabTTS_ReadBuffer",
    "BabTTS_Create", "BabTTS_Open", "BabTTS_Close", "BabTTS_Speak", "BabTTS_Write", "BabTTS_Reset",
    "BabTTS_SetCallback", "BabTTS_GetCallback", "BabTTS_SetSettings", "BabTTS_GetSettings",
    "BabTTS_SetFilterPreset", "BabTTS_GetFilterPreset", "BabTTS_Dialog", "BabTTS_Pause",
    "BabTTS_Resume", "BabTTS_DictLoad", "BabTTS_DictGetNumLoaded", "BabTTS_DictGetMax",
    "BabTTS_DictEnum", "BabTTS_DictIsModified", "BabTTS_DictUnload", "BabTTS_DictUnloadAll",
    "BabTTS_DictEnable", "BabTTS_DictDisable", "BabTTS_DictSave", "BabTTS_DictSaveAll",
    "BabTTS_DictAddWord", "BabTTS_DictRemoveWord", "BabTTS_DictGetWordTrans",
    "BabTTS_DictGetNumEntries", "BabTTS_DictGetEntry", "BabTTS_DictGetInfo",
    "BabTTS_DictGetInfoFromFile", "BabTTS_DictSetInfo", "BabTTS_DictSetPassword",
    "BabTTS_DictGetDefList", "BabTTS_DictSetDefList", "BabTTS_PhoGetMouth", "BabTTS_PhoGetDuration",
    "BabTTS_PhoGetViseme",
};

BabTtsEntryPoints g_table;
BabTtsHandle g_instance = nullptr;
// The window the instance sends its notices to, as last set through this binding.
HWND g_callbackWindow = nullptr;

// What a call reports when there is no engine or no instance to call.
constexpr int kNoEngine = -1;

template <class Fn> Fn Entry(BabTtsEntry entry)
{
    return reinterpret_cast<Fn>(g_table.entries[entry]);
}

// A string value of the registry, whatever its stored length. The stored bytes need not end in a
// NUL, and a value longer than any fixed buffer is read whole.
bool ReadRegistryString(HKEY root, const char* subkey, const char* name, std::string& value)
{
    value.clear();
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::vector<char> data;
    // The value may grow between the two reads: ask again with the size reported.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        data.assign(size + 1, '\0');
        DWORD read = size;
        result = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read);
        if (result == ERROR_SUCCESS) {
            size = read;
            break;
        }
        if (result == ERROR_MORE_DATA)
            size = read > size ? read : size * 2 + 16;
    }
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // The text ends at its first NUL, or at the end of the stored bytes when there is none.
    value.assign(data.data(), size);
    size_t end = value.find('\0');
    if (end != std::string::npos)
        value.resize(end);
    return true;
}

std::string EnvironmentVariable(const char* name)
{
    DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return std::string();
    std::string value(size, '\0');
    DWORD length = ::GetEnvironmentVariableA(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

// The full path of a loaded module, however long.
std::string ModulePath(HMODULE module)
{
    std::vector<char> path(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    return std::string(path.data(), length);
}

// The program's name, its file name without the extension, as the caption of a plain message.
std::string ApplicationName()
{
    std::string name = ModulePath(nullptr);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    return name.substr(0, name.rfind('.'));
}

void ShowPlainMessage(UINT textId)
{
    fw::ShowMessage(::GetActiveWindow(), textId, fw::LoadResString(textId), ApplicationName(), MB_OK);
}

} // namespace

const char* BabTtsEntryName(BabTtsEntry entry)
{
    return entry >= 0 && entry < BabTtsEntryCount ? kEntryNames[entry] : "";
}

const BabTtsEntryPoints& BabTtsTable()
{
    return g_table;
}

void BindBabTtsEntryPoints(HMODULE module)
{
    g_table.module = module;
    for (int i = 0; i < BabTtsEntryCount; ++i)
        g_table.entries[i] = module ? ::GetProcAddress(module, kEntryNames[i]) : nullptr;
}

HMODULE LoadBabTtsLibrary(const std::string& path)
{
    HMODULE module = ::LoadLibraryA(path.c_str());
    if (module)
        BindBabTtsEntryPoints(module);
    return module;
}

HMODULE LoadBabTtsByModuleName()
{
    const char* const name = "acatts.dll";
    HMODULE module = nullptr;
    if (HMODULE loaded = ::GetModuleHandleA(name)) {
        std::string path = ModulePath(loaded);
        if (!path.empty())
            module = ::LoadLibraryA(path.c_str());
    }
    if (!module)
        module = ::LoadLibraryA(name);
    if (module)
        BindBabTtsEntryPoints(module);
    return module;
}

void UnloadBabTts()
{
    if (g_table.module)
        ::FreeLibrary(g_table.module);
    g_table = BabTtsEntryPoints();
    g_instance = nullptr;
    g_callbackWindow = nullptr;
}

bool BabTTS::InitEngine()
{
    std::string folder;
    if (!ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Ulmarcon\\TTS\\Path", nullptr, folder))
        return false;
    // A folder given with its closing separator must not end up with two before the file name.
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty())
        return false;
    if (!LoadBabTtsLibrary(folder + "\\AcaTTS.dll")) {
        ShowPlainMessage(IDS_TTS_NOT_FOUND);
        return false;
    }
    auto init = Entry<BabTtsInitFn>(BabTtsInit);
    if (!init || !init()) {
        ShowPlainMessage(IDS_TTS_INIT_FAILED);
        return false;
    }
    return true;
}

bool BabTTS::CreateInstance()
{
    auto create = Entry<BabTtsCreateFn>(BabTtsCreate);
    if (!create)
        return false;
    g_instance = create();
    return g_instance != nullptr;
}

bool BabTTS::OpenVoice(const std::string& voiceName, HWND window)
{
    auto open = Entry<BabTtsOpenFn>(BabTtsOpen);
    if (!g_instance || !open)
        return false;
    if (open(g_instance, voiceName.c_str(), kBabTtsOpenMode) != 0)
        return false;
    if (window) {
        if (auto setCallback = Entry<BabTtsSetCallbackFn>(BabTtsSetCallback)) {
            if (setCallback(g_instance, window, kBabTtsCallbackWindow) == 0)
                g_callbackWindow = window;
        }
    }
    return true;
}

bool BabTTS::SetCallbackWindow(HWND window)
{
    auto setCallback = Entry<BabTtsSetCallbackFn>(BabTtsSetCallback);
    if (!g_instance || !setCallback)
        return false;
    if (setCallback(g_instance, window, kBabTtsCallbackWindow) != 0)
        return false;
    g_callbackWindow = window;
    return true;
}

HWND BabTTS::CallbackWindow() const
{
    return g_instance ? g_callbackWindow : nullptr;
}

bool BabTTS::CloseVoice()
{
    auto close = Entry<BabTtsCloseFn>(BabTtsClose);
    if (!g_instance || !close)
        return false;
    if (close(g_instance) != 0)
        return false;
    g_instance = nullptr;
    g_callbackWindow = nullptr;
    return true;
}

int BabTTS::GetNumVoices()
{
    auto getNumVoices = Entry<BabTtsGetNumVoicesFn>(BabTtsGetNumVoices);
    return getNumVoices ? static_cast<int>(getNumVoices()) : 0;
}

bool BabTTS::EnumVoice(int index, std::string& name)
{
    name.clear();
    auto enumVoices = Entry<BabTtsEnumVoicesFn>(BabTtsEnumVoices);
    if (!enumVoices || index < 0)
        return false;
    std::vector<char> buffer(kBabTtsVoiceNameSize, '\0');
    if (enumVoices(static_cast<DWORD>(index), buffer.data()) != 0)
        return false;
    buffer.back() = '\0';
    name = buffer.data();
    return true;
}

int BabTTS::Speak(const std::string& text)
{
    auto speak = Entry<BabTtsSpeakFn>(BabTtsSpeak);
    if (!g_instance || !speak)
        return kNoEngine;
    return speak(g_instance, text.c_str(), kBabTtsSpeakFlags);
}

void BabTTS::ShowDialog(HWND parent)
{
    if (auto dialog = Entry<BabTtsDialogFn>(BabTtsDialog)) {
        if (g_instance)
            dialog(g_instance, parent, kBabTtsDialogMode);
    }
}

int BabTTS::Reset()
{
    auto reset = Entry<BabTtsInstanceFn>(BabTtsReset);
    return g_instance && reset ? reset(g_instance) : kNoEngine;
}

int BabTTS::Pause()
{
    auto pause = Entry<BabTtsInstanceFn>(BabTtsPause);
    return g_instance && pause ? pause(g_instance) : kNoEngine;
}

int BabTTS::Resume()
{
    auto resume = Entry<BabTtsInstanceFn>(BabTtsResume);
    return g_instance && resume ? resume(g_instance) : kNoEngine;
}

bool BabTTS::FindUserSpeechFonts(int voiceIndex)
{
    std::string voice;
    if (!EnumVoice(voiceIndex, voice) || voice.empty())
        return false;
    std::string common;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           "Common AppData", common) &&
        !common.empty()) {
        std::string path = fw::Format("%s\\Ulmarcon\\Acapela Group\\Acapela Multimedia 7\\UserConf\\userspeechfonts_%s.uconf",
                                      common.c_str(), voice.c_str());
        if (ImageBaseManager::OpensForReading(path))
            return true;
    }
    std::string user = EnvironmentVariable("APPDATA");
    if (user.empty())
        return false;
    return ImageBaseManager::OpensForReading(fw::Format("%s\\Acapela Group\\Acapela Multimedia 7\\UserConf\\userspeechfonts_%s.uconf",
                                    user.c_str(), voice.c_str()));
}
