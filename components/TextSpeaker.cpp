// The TextSpeaker control through its dispatch interface, hosted by the system's ATL control window.
#include "components/TextSpeaker.h"
#include <olectl.h>
#include <vector>

const char TextSpeaker::kProgId[] = "Technosoft.TextSpeaker.1";

namespace {

// The control's dispatch identifiers.
constexpr DISPID kDispVoiceByIndex = 10;
constexpr DISPID kDispVoiceCount = 11;
constexpr DISPID kDispCurrentVoice = 12;
constexpr DISPID kDispIsReady = 13;
constexpr DISPID kDispPause = 14;
constexpr DISPID kDispSelectVoice = 15;
constexpr DISPID kDispResume = 16;
constexpr DISPID kDispPitch = 19;
constexpr DISPID kDispSpeed = 21;
constexpr DISPID kDispVolume = 22;
constexpr DISPID kDispSpeak = 27;
constexpr DISPID kDispStop = 28;
constexpr DISPID kDispPropertyWindow = 29;
// Of a voice object.
constexpr DISPID kDispVoiceName = 5;
// Events.
constexpr DISPID kEventPosition = 4;
constexpr DISPID kEventSpeechFinished = 5;

// A getter may be a property or a method with a result; ask for either, as hosts do.
constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int size = ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(const wchar_t* text, UINT length)
{
    if (!text || length == 0)
        return std::string();
    int size = ::WideCharToMultiByte(1252, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(size, '\0');
    ::WideCharToMultiByte(1252, 0, text, static_cast<int>(length), &narrow[0], size, nullptr, nullptr);
    return narrow;
}

BSTR AllocText(const std::string& text)
{
    std::wstring wide = Widen(text);
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool ToLong(VARIANT& value, long& result)
{
    VARIANT converted;
    ::VariantInit(&converted);
    bool done = SUCCEEDED(::VariantChangeType(&converted, &value, 0, VT_I4));
    if (done)
        result = V_I4(&converted);
    ::VariantClear(&converted);
    return done;
}

// Calls a getter without arguments on any dispatch object.
bool Get(IDispatch* object, DISPID id, VARIANT& result)
{
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    EXCEPINFO exception = {};
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kGet, &params, &result, &exception, nullptr);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
}

// The interface of the control's default event set: from its class information, as hosts find it.
bool DefaultEventInterface(IDispatch* control, IID& events)
{
    IProvideClassInfo2* info2 = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info2)))) {
        HRESULT hr = info2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
        info2->Release();
        if (SUCCEEDED(hr))
            return true;
    }
    IProvideClassInfo* info = nullptr;
    if (FAILED(control->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&info))))
        return false;
    ITypeInfo* classInfo = nullptr;
    HRESULT hr = info->GetClassInfo(&classInfo);
    info->Release();
    if (FAILED(hr))
        return false;
    bool found = false;
    TYPEATTR* classAttributes = nullptr;
    if (SUCCEEDED(classInfo->GetTypeAttr(&classAttributes))) {
        for (UINT i = 0; i < classAttributes->cImplTypes && !found; ++i) {
            int flags = 0;
            HREFTYPE reference = 0;
            ITypeInfo* eventInfo = nullptr;
            if (FAILED(classInfo->GetImplTypeFlags(i, &flags)) ||
                (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE) ||
                FAILED(classInfo->GetRefTypeOfImplType(i, &reference)) ||
                FAILED(classInfo->GetRefTypeInfo(reference, &eventInfo)))
                continue;
            TYPEATTR* eventAttributes = nullptr;
            if (SUCCEEDED(eventInfo->GetTypeAttr(&eventAttributes))) {
                events = eventAttributes->guid;
                found = true;
                eventInfo->ReleaseTypeAttr(eventAttributes);
            }
            eventInfo->Release();
        }
        classInfo->ReleaseTypeAttr(classAttributes);
    }
    classInfo->Release();
    return found;
}

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// The system's ATL library hosts the control in a window of its class "AtlAxWin", made from the
// window's text (the ProgID). It stays loaded: its windows may outlive any one client.
HMODULE AtlLibrary()
{
    static HMODULE atl = ::LoadLibraryA("atl.dll");
    return atl;
}

} // namespace

// Receives the control's events and hands them to the client while it lives.
class TextSpeaker::EventSink : public IDispatch {
public:
    EventSink(TextSpeaker* owner, const IID& events) : owner_(owner), events_(events) {}
    void Disconnect() { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        if (!owner_ || !params)
            return S_OK;
        // A C++ exception must not cross the control's frames.
        AddRef();
        try {
            owner_->OnEvent(id, *params);
        } catch (...) {
        }
        Release();
        return S_OK;
    }

private:
    virtual ~EventSink() = default;

    LONG references_ = 1;
    TextSpeaker* owner_;
    IID events_;
};

TextSpeaker::~TextSpeaker()
{
    Destroy();
}

bool TextSpeaker::Create(HWND parent, int id, const std::string& progId)
{
    Destroy();
    CLSID classId;
    if (FAILED(::CLSIDFromProgID(Widen(progId).c_str(), &classId)))
        return false;
    HMODULE atl = AtlLibrary();
    auto init = atl ? reinterpret_cast<AtlAxWinInitFn>(::GetProcAddress(atl, "AtlAxWinInit")) : nullptr;
    auto getControl = atl ? reinterpret_cast<AtlAxGetControlFn>(::GetProcAddress(atl, "AtlAxGetControl")) : nullptr;
    if (!init || !getControl || !init())
        return false;
    HWND window = ::CreateWindowExA(0, "AtlAxWin", progId.c_str(), WS_CHILD, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), atl, nullptr);
    if (!window)
        return false;
    IUnknown* unknown = nullptr;
    IDispatch* control = nullptr;
    if (SUCCEEDED(getControl(window, &unknown)) && unknown) {
        unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&control));
        unknown->Release();
    }
    if (!control) {
        ::DestroyWindow(window);
        return false;
    }
    Attach(control);
    control->Release();
    window_ = window;
    return true;
}

bool TextSpeaker::Attach(IDispatch* control)
{
    if (!control)
        return false;
    Destroy();
    control_ = control;
    control_->AddRef();
    ConnectEvents();
    return true;
}

void TextSpeaker::ConnectEvents()
{
    IID events;
    if (!DefaultEventInterface(control_, events))
        return;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
        return;
    IConnectionPoint* connection = nullptr;
    HRESULT hr = container->FindConnectionPoint(events, &connection);
    container->Release();
    if (FAILED(hr))
        return;
    auto* sink = new EventSink(this, events);
    if (FAILED(connection->Advise(sink, &cookie_))) {
        sink->Release();
        connection->Release();
        return;
    }
    sink_ = sink;
    connection_ = connection;
}

void TextSpeaker::Destroy()
{
    if (connection_) {
        connection_->Unadvise(cookie_);
        connection_->Release();
        connection_ = nullptr;
        cookie_ = 0;
    }
    if (sink_) {
        sink_->Disconnect();
        sink_->Release();
        sink_ = nullptr;
    }
    if (control_) {
        control_->Release();
        control_ = nullptr;
    }
    // The host goes with its parent when that is destroyed first.
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
    window_ = nullptr;
}

void TextSpeaker::OnEvent(DISPID id, const DISPPARAMS& params)
{
    // Copies: a handler may destroy this client, and its handlers with it.
    if (id == kEventSpeechFinished) {
        std::function<void()> handler = finished_;
        if (handler)
            handler();
    } else if (id == kEventPosition && params.cArgs >= 3) {
        // Arguments arrive last first: the third is at cArgs - 3.
        long position = 0;
        std::function<void(long)> handler = position_;
        if (handler && ToLong(params.rgvarg[params.cArgs - 3], position))
            handler(position);
    }
}

bool TextSpeaker::Call(DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result)
{
    if (!control_)
        return false;
    DISPPARAMS params = {args, nullptr, count, 0};
    EXCEPINFO exception = {};
    HRESULT hr = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, nullptr);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
}

bool TextSpeaker::CallWithLong(DISPID id, long value)
{
    VARIANT arg;
    ::VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = value;
    return Call(id, DISPATCH_METHOD, &arg, 1, nullptr);
}

bool TextSpeaker::CallWithText(DISPID id, const std::string& text)
{
    if (!control_)
        return false;
    VARIANT arg;
    ::VariantInit(&arg);
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = AllocText(text);
    bool done = Call(id, DISPATCH_METHOD, &arg, 1, nullptr);
    ::VariantClear(&arg);
    return done;
}

bool TextSpeaker::CallWithoutArguments(DISPID id)
{
    return Call(id, DISPATCH_METHOD, nullptr, 0, nullptr);
}

bool TextSpeaker::IsReady()
{
    VARIANT result;
    ::VariantInit(&result);
    long ready = 0;
    bool answered = Call(kDispIsReady, kGet, nullptr, 0, &result) && ToLong(result, ready);
    ::VariantClear(&result);
    return answered && ready != 0;
}

long TextSpeaker::VoiceCount()
{
    VARIANT result;
    ::VariantInit(&result);
    long count = 0;
    if (!Call(kDispVoiceCount, kGet, nullptr, 0, &result) || !ToLong(result, count) || count < 0)
        count = 0;
    ::VariantClear(&result);
    return count;
}

std::string TextSpeaker::VoiceName(long index)
{
    VARIANT arg;
    ::VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = index;
    VARIANT voice;
    ::VariantInit(&voice);
    std::string name;
    if (Call(kDispVoiceByIndex, kGet, &arg, 1, &voice) &&
        SUCCEEDED(::VariantChangeType(&voice, &voice, 0, VT_DISPATCH)) && V_DISPATCH(&voice)) {
        VARIANT text;
        ::VariantInit(&text);
        if (Get(V_DISPATCH(&voice), kDispVoiceName, text) && SUCCEEDED(::VariantChangeType(&text, &text, 0, VT_BSTR)))
            name = Narrow(V_BSTR(&text), ::SysStringLen(V_BSTR(&text)));
        ::VariantClear(&text);
    }
    ::VariantClear(&voice);
    return name;
}

bool TextSpeaker::SelectVoice(const std::string& name)
{
    return CallWithText(kDispSelectVoice, name);
}

bool TextSpeaker::ChooseVoice(const std::string& name)
{
    if (name.empty())
        return false;
    long count = VoiceCount();
    for (long i = 0; i < count; ++i) {
        if (::lstrcmpiA(VoiceName(i).c_str(), name.c_str()) == 0)
            return SelectVoice(name);
    }
    return false;
}

std::string TextSpeaker::CurrentVoice()
{
    VARIANT result;
    ::VariantInit(&result);
    std::string name;
    if (Call(kDispCurrentVoice, DISPATCH_PROPERTYGET, nullptr, 0, &result) &&
        SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_BSTR)))
        name = Narrow(V_BSTR(&result), ::SysStringLen(V_BSTR(&result)));
    ::VariantClear(&result);
    return name;
}

bool TextSpeaker::SetSpeed(long value)
{
    return CallWithLong(kDispSpeed, value);
}

bool TextSpeaker::SetPitch(long value)
{
    return CallWithLong(kDispPitch, value);
}

bool TextSpeaker::SetVolume(long value)
{
    return CallWithLong(kDispVolume, value);
}

// The setters are methods with one argument; the same ids read as properties give the values back.
bool TextSpeaker::GetLong(DISPID id, long& value)
{
    VARIANT result;
    ::VariantInit(&result);
    long read = 0;
    bool done = Call(id, DISPATCH_PROPERTYGET, nullptr, 0, &result) && ToLong(result, read);
    ::VariantClear(&result);
    if (done)
        value = read;
    return done;
}

bool TextSpeaker::GetSpeed(long& value)
{
    return GetLong(kDispSpeed, value);
}

bool TextSpeaker::GetPitch(long& value)
{
    return GetLong(kDispPitch, value);
}

bool TextSpeaker::GetVolume(long& value)
{
    return GetLong(kDispVolume, value);
}

bool TextSpeaker::ShowPropertyWindow(HWND parent)
{
    return CallWithLong(kDispPropertyWindow, static_cast<long>(reinterpret_cast<LONG_PTR>(parent)));
}

bool TextSpeaker::Speak(const std::string& text)
{
    return CallWithText(kDispSpeak, text);
}

bool TextSpeaker::Pause()
{
    return CallWithoutArguments(kDispPause);
}

bool TextSpeaker::Resume()
{
    return CallWithoutArguments(kDispResume);
}

bool TextSpeaker::Stop()
{
    return CallWithoutArguments(kDispStop);
}
