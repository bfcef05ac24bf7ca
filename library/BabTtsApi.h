// Calling conventions of the BabTTS engine's entry points that the programs call, shared by the
// binding and by our own engine in tools/acatts so the two cannot drift apart.
#pragma once
#include <windows.h>

// An engine instance; null when none exists.
using BabTtsHandle = void*;
// The engine's result codes: 0 is success, anything else a failure.
using BabTtsError = long;

using BabTtsInitFn = BOOL(WINAPI*)();
using BabTtsUninitFn = BOOL(WINAPI*)();
using BabTtsGetNumVoicesFn = DWORD(WINAPI*)();
// Writes the voice's name, NUL-terminated, into a buffer of at least kBabTtsVoiceNameSize bytes.
using BabTtsEnumVoicesFn = BabTtsError(WINAPI*)(DWORD index, char* name);
using BabTtsCreateFn = BabTtsHandle(WINAPI*)();
using BabTtsOpenFn = BabTtsError(WINAPI*)(BabTtsHandle instance, const char* voiceName, DWORD mode);
using BabTtsCloseFn = BabTtsError(WINAPI*)(BabTtsHandle instance);
using BabTtsSpeakFn = BabTtsError(WINAPI*)(BabTtsHandle instance, const char* text, DWORD flags);
using BabTtsInstanceFn = BabTtsError(WINAPI*)(BabTtsHandle instance); // Reset, Pause, Resume
using BabTtsSetCallbackFn = BabTtsError(WINAPI*)(BabTtsHandle instance, void* callback, DWORD type);
using BabTtsDialogFn = BabTtsError(WINAPI*)(BabTtsHandle instance, HWND parent, DWORD mode);

// The values the programs pass. Their meaning belongs to the engine.
constexpr DWORD kBabTtsOpenMode = 4;
constexpr DWORD kBabTtsSpeakFlags = 0x40000000;
constexpr DWORD kBabTtsDialogMode = 3;
// The callback is a window; the engine posts it the messages below.
constexpr DWORD kBabTtsCallbackWindow = 1;

constexpr size_t kBabTtsVoiceNameSize = 256;

// Window messages the engine posts to its callback window. Only the end of speaking has a use;
// callers swallow the rest of the range.
constexpr UINT WM_BABTTS_FIRST = 0x2000;
constexpr UINT WM_BABTTS_SPEECH_END = 0x2001;
constexpr UINT WM_BABTTS_LAST = 0x2009;
