// The Windows speech API as our engine uses it: the installed voices, and one voice that speaks
// texts asynchronously and reports the end of each by a window message.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ISpObjectToken;
struct ISpVoice;

struct SapiVoiceInfo {
    std::string name;       // code page 1252
    ISpObjectToken* token;  // owned by the list
};

// The voices the speech API has installed; empty when it has none or is missing.
std::vector<SapiVoiceInfo> ListSapiVoices();
void ReleaseSapiVoices(std::vector<SapiVoiceInfo>& voices);

class SapiVoice {
public:
    SapiVoice() = default;
    ~SapiVoice();
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;

    // Creates the voice; its events arrive at window as message. False when the API is missing.
    bool Create(HWND window, UINT message);
    bool IsValid() const { return voice_ != nullptr; }
    void Release();

    bool SetVoice(ISpObjectToken* token);
    void SetRate(int rate);
    void SetVolume(int volume);
    // Queues the text; false when the API cannot speak it (Wine answers E_NOTIMPL).
    bool Speak(const std::string& text, unsigned long& stream);
    // Drops everything queued or speaking.
    void Purge();
    void Pause();
    void Resume();
    // Calls ended(stream) for each text that has been spoken since the last call.
    template <class F> void TakeEnds(F ended)
    {
        unsigned long stream = 0;
        while (NextEnd(stream))
            ended(stream);
    }

private:
    bool NextEnd(unsigned long& stream);

    ISpVoice* voice_ = nullptr;
};
