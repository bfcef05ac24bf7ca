// The Windows speech API behind our engine's voices.
#include "tools/acatts/SapiVoice.h"
#include <sapi.h>

namespace {

const wchar_t kVoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

// An event-interest mask as the speech API expects it: the event's bit plus its two reserved bits.
constexpr ULONGLONG EventBit(SPEVENTENUM event)
{
    return (1ULL << event) | (1ULL << SPEI_RESERVED1) | (1ULL << SPEI_RESERVED2);
}

std::string ToCodePage1252(const wchar_t* text)
{
    if (!text)
        return std::string();
    int size = ::WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string result(size, '\0');
    ::WideCharToMultiByte(1252, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(size - 1);
    return result;
}

std::wstring FromCodePage1252(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int size = ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

// A voice's name: its "Name" attribute, else its description, else the last part of its id.
std::string VoiceName(ISpObjectToken* token)
{
    std::string name;
    ISpDataKey* attributes = nullptr;
    if (SUCCEEDED(token->OpenKey(L"Attributes", &attributes))) {
        wchar_t* value = nullptr;
        if (SUCCEEDED(attributes->GetStringValue(L"Name", &value))) {
            name = ToCodePage1252(value);
            ::CoTaskMemFree(value);
        }
        attributes->Release();
    }
    if (name.empty()) {
        wchar_t* value = nullptr;
        if (SUCCEEDED(token->GetStringValue(nullptr, &value))) {
            name = ToCodePage1252(value);
            ::CoTaskMemFree(value);
        }
    }
    if (name.empty()) {
        wchar_t* id = nullptr;
        if (SUCCEEDED(token->GetId(&id))) {
            name = ToCodePage1252(id);
            ::CoTaskMemFree(id);
            size_t slash = name.find_last_of('\\');
            if (slash != std::string::npos)
                name.erase(0, slash + 1);
        }
    }
    return name;
}

void ClearEvent(SPEVENT& event)
{
    switch (event.elParamType) {
    case SPET_LPARAM_IS_POINTER:
    case SPET_LPARAM_IS_STRING:
        ::CoTaskMemFree(reinterpret_cast<void*>(event.lParam));
        break;
    case SPET_LPARAM_IS_TOKEN:
    case SPET_LPARAM_IS_OBJECT:
        if (event.lParam)
            reinterpret_cast<IUnknown*>(event.lParam)->Release();
        break;
    default:
        break;
    }
}

} // namespace

std::vector<SapiVoiceInfo> ListSapiVoices()
{
    std::vector<SapiVoiceInfo> voices;
    ISpObjectTokenCategory* category = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_ISpObjectTokenCategory, reinterpret_cast<void**>(&category))))
        return voices;
    IEnumSpObjectTokens* tokens = nullptr;
    ULONG count = 0;
    if (SUCCEEDED(category->SetId(kVoicesCategory, FALSE)) &&
        SUCCEEDED(category->EnumTokens(nullptr, nullptr, &tokens)) && SUCCEEDED(tokens->GetCount(&count))) {
        for (ULONG i = 0; i < count; ++i) {
            ISpObjectToken* token = nullptr;
            if (FAILED(tokens->Item(i, &token)) || !token)
                continue;
            std::string name = VoiceName(token);
            if (name.empty()) {
                token->Release();
                continue;
            }
            voices.push_back({name, token});
        }
    }
    if (tokens)
        tokens->Release();
    category->Release();
    return voices;
}

void ReleaseSapiVoices(std::vector<SapiVoiceInfo>& voices)
{
    for (SapiVoiceInfo& voice : voices) {
        if (voice.token)
            voice.token->Release();
    }
    voices.clear();
}

SapiVoice::~SapiVoice()
{
    Release();
}

bool SapiVoice::Create(HWND window, UINT message)
{
    Release();
    if (FAILED(::CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_INPROC_SERVER, IID_ISpVoice,
                                  reinterpret_cast<void**>(&voice_))))
        return false;
    ULONGLONG interest = EventBit(SPEI_END_INPUT_STREAM);
    if (FAILED(voice_->SetNotifyWindowMessage(window, message, 0, 0)) ||
        FAILED(voice_->SetInterest(interest, interest))) {
        Release();
        return false;
    }
    return true;
}

void SapiVoice::Release()
{
    if (voice_) {
        voice_->SetNotifySink(nullptr);
        voice_->Release();
        voice_ = nullptr;
    }
}

bool SapiVoice::SetVoice(ISpObjectToken* token)
{
    return voice_ && token && SUCCEEDED(voice_->SetVoice(token));
}

void SapiVoice::SetRate(int rate)
{
    if (voice_)
        voice_->SetRate(rate);
}

void SapiVoice::SetVolume(int volume)
{
    if (voice_)
        voice_->SetVolume(static_cast<USHORT>(volume));
}

bool SapiVoice::Speak(const std::string& text, unsigned long& stream)
{
    if (!voice_)
        return false;
    std::wstring wide = FromCodePage1252(text);
    ULONG number = 0;
    if (FAILED(voice_->Speak(wide.c_str(), SPF_ASYNC | SPF_IS_NOT_XML, &number)))
        return false;
    stream = number;
    return true;
}

void SapiVoice::Purge()
{
    if (voice_)
        voice_->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
}

void SapiVoice::Pause()
{
    if (voice_)
        voice_->Pause();
}

void SapiVoice::Resume()
{
    if (voice_)
        voice_->Resume();
}

bool SapiVoice::NextEnd(unsigned long& stream)
{
    if (!voice_)
        return false;
    SPEVENT event;
    ULONG fetched = 0;
    while (voice_->GetEvents(1, &event, &fetched) == S_OK && fetched == 1) {
        bool ended = event.eEventId == SPEI_END_INPUT_STREAM;
        stream = event.ulStreamNum;
        ClearEvent(event);
        if (ended)
            return true;
    }
    return false;
}
