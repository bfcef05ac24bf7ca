// Binding of the BabTTS speech engine: a library outside the programs, loaded at run time from the
// folder named in the registry, its entry points bound by name into one process-wide table.
#pragma once
#include "library/BabTtsApi.h"
#include <string>

// The engine's entry points, in the order they are bound.
enum BabTtsEntry {
    BabTtsInit, BabTtsUninit, BabTtsGetNumVoices, BabTtsEnumVoices, BabTtsGetVoiceInfo,
    BabTtsGetInstanceInfo, BabTtsGetVoiceLicense, BabTtsInsertText, BabTtsReadBuffer, BabTtsCreate,
    BabTtsOpen, BabTtsClose, BabTtsSpeak, BabTtsWrite, BabTtsReset, BabTtsSetCallback,
    BabTtsGetCallback, BabTtsSetSettings, BabTtsGetSettings, BabTtsSetFilterPreset,
    BabTtsGetFilterPreset, BabTtsDialog, BabTtsPause, BabTtsResume, BabTtsDictLoad,
    BabTtsDictGetNumLoaded, BabTtsDictGetMax, BabTtsDictEnum, BabTtsDictIsModified, BabTtsDictUnload,
    BabTtsDictUnloadAll, BabTtsDictEnable, BabTtsDictDisable, BabTtsDictSave, BabTtsDictSaveAll,
    BabTtsDictAddWord, BabTtsDictRemoveWord, BabTtsDictGetWordTrans, BabTtsDictGetNumEntries,
    BabTtsDictGetEntry, BabTtsDictGetInfo, BabTtsDictGetInfoFromFile, BabTtsDictSetInfo,
    BabTtsDictSetPassword, BabTtsDictGetDefList, BabTtsDictSetDefList, BabTtsPhoGetMouth,
    BabTtsPhoGetDuration, BabTtsPhoGetViseme,
    BabTtsEntryCount
};

// The exported name of an entry point ("BabTTS_Init", ...).
const char* BabTtsEntryName(BabTtsEntry entry);

// The loaded engine library and its entry points; a name the library lacks stays null.
struct BabTtsEntryPoints {
    HMODULE module = nullptr;
    FARPROC entries[BabTtsEntryCount] = {};
};
const BabTtsEntryPoints& BabTtsTable();

// Stores the module and fills the table by GetProcAddress.
void BindBabTtsEntryPoints(HMODULE module);
// Loads the library at path and binds it; null when it cannot be loaded.
HMODULE LoadBabTtsLibrary(const std::string& path);
// Loads "acatts.dll" by the file of an already loaded module of that name, else by the bare name.
HMODULE LoadBabTtsByModuleName();
// Frees the library and empties the table; an instance of it is gone with it.
void UnloadBabTts();

// The few engine calls the programs use. An object holds nothing of its own: the engine's
// instance is process-wide and every object shares it. Without a loaded engine, or without an
// instance where one is needed, every call does nothing and reports failure.
class BabTTS {
public:
    // Loads the engine from the folder in HKLM "Software\Ulmarcon\TTS\Path" and initialises it.
    // A missing folder fails quietly; a missing library or a failed start shows a message.
    bool InitEngine();
    bool CreateInstance();
    // Opens the voice; with a window, makes it the callback window too.
    bool OpenVoice(const std::string& voiceName, HWND window);
    bool SetCallbackWindow(HWND window);
    // The window that gets the instance's notices, as last set through this binding; null when none.
    HWND CallbackWindow() const;
    // Ends the instance; to change voices, callers close, create and open again.
    bool CloseVoice();
    int GetNumVoices();
    bool EnumVoice(int index, std::string& name);
    // Starts speaking and returns at once with the engine's result (0: started); the callback
    // window receives WM_BABTTS_SPEECH_END when the text has been spoken.
    int Speak(const std::string& text);
    void ShowDialog(HWND parent);
    int Reset();
    int Pause();
    int Resume();
    // Whether the user speech-font file of the voice exists, in the common or the user's
    // application data folder.
    bool FindUserSpeechFonts(int voiceIndex);
};
