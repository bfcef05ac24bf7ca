// A speech engine library that has only a few of the engine's names, and does not start: the
// binding must leave the missing names null, fail without calling them, and report the failed start.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI BabTTS_Init()
{
    return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI BabTTS_Uninit()
{
    return TRUE;
}
