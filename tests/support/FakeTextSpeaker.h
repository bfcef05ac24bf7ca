// A stand-in for the TextSpeaker control that records its calls: its methods by dispatch id, its
// voices as objects with a name, and one connection point through which a test raises its events.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace fakespeech {

// {5C3B1E52-8A41-4F7E-9B0D-2E6A7C1D9F31}: the stand-in's event interface.
const IID kFakeEvents = {0x5c3b1e52, 0x8a41, 0x4f7e, {0x9b, 0x0d, 0x2e, 0x6a, 0x7c, 0x1d, 0x9f, 0x31}};

inline std::string Text(const VARIANT& value)
{
    VARIANT copy;
    ::VariantInit(&copy);
    std::string text;
    if (SUCCEEDED(::VariantChangeType(&copy, const_cast<VARIANT*>(&value), 0, VT_BSTR))) {
        UINT length = ::SysStringLen(V_BSTR(&copy));
        int size = ::WideCharToMultiByte(1252, 0, V_BSTR(&copy), length, nullptr, 0, nullptr, nullptr);
        text.resize(size);
        ::WideCharToMultiByte(1252, 0, V_BSTR(&copy), length, &text[0], size, nullptr, nullptr);
    }
    ::VariantClear(&copy);
    return text;
}

inline BSTR Bstr(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    int size = ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                     static_cast<int>(wide.size()));
    return ::SysAllocStringLen(wide.data(), size);
}

// The common reference counting of the stand-in's objects.
template <class Base> class ComObject : public Base {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    ULONG references_ = 1;

protected:
    virtual ~ComObject() = default;
};

// A voice object: its name is property 5.
class FakeVoice : public ComObject<IDispatch> {
public:
    explicit FakeVoice(const std::string& name) : name_(name) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (id != 5 || !(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = Bstr(name_);
        return S_OK;
    }

private:
    std::string name_;
};

struct Call {
    DISPID id;
    std::vector<std::string> args;
    bool operator==(const Call& other) const { return id == other.id && args == other.args; }
};

inline std::ostream& operator<<(std::ostream& out, const Call& call)
{
    out << call.id << "(";
    for (const std::string& arg : call.args)
        out << "\"" << arg << "\" ";
    return out << ")";
}

// The control: its methods by dispatch id, its class information naming the event interface, and
// one connection point for that interface.
class FakeSpeaker : public ComObject<IDispatch>, public IProvideClassInfo2, public IConnectionPointContainer,
                    public IConnectionPoint {
public:
    bool ready = true;
    std::vector<std::string> voices;
    std::vector<Call> calls; // every call but the getters
    std::vector<IDispatch*> sinks;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch)
            *object = static_cast<IDispatch*>(this);
        else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
            *object = static_cast<IProvideClassInfo2*>(this);
        else if (iid == IID_IConnectionPointContainer)
            *object = static_cast<IConnectionPointContainer*>(this);
        else if (iid == IID_IConnectionPoint)
            *object = static_cast<IConnectionPoint*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ComObject<IDispatch>::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return ComObject<IDispatch>::Release(); }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        if (!(flags & DISPATCH_METHOD) && id != 13 && id != 11 && id != 10)
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case 13:
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = ready ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case 11:
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(voices.size());
            return S_OK;
        case 10: {
            VARIANT index;
            ::VariantInit(&index);
            if (params->cArgs != 1 || FAILED(::VariantChangeType(&index, &params->rgvarg[0], 0, VT_I4)) ||
                V_I4(&index) < 0 || V_I4(&index) >= static_cast<LONG>(voices.size()))
                return DISP_E_BADINDEX;
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = new FakeVoice(voices[V_I4(&index)]);
            return S_OK;
        }
        case 14: case 15: case 16: case 19: case 21: case 22: case 27: case 28: {
            Call call{id, {}};
            for (UINT i = params->cArgs; i > 0; --i)
                call.args.push_back(Text(params->rgvarg[i - 1]));
            calls.push_back(call);
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override { return *info = nullptr, E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override
    {
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
            return E_INVALIDARG;
        *guid = kFakeEvents;
        return S_OK;
    }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override
    {
        return *points = nullptr, E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override
    {
        if (iid != kFakeEvents)
            return *point = nullptr, CONNECT_E_NOCONNECTION;
        *point = this;
        AddRef();
        return S_OK;
    }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override { return *iid = kFakeEvents, S_OK; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override
    {
        *container = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        IDispatch* events = nullptr;
        if (FAILED(sink->QueryInterface(kFakeEvents, reinterpret_cast<void**>(&events))))
            return CONNECT_E_CANNOTCONNECT;
        sinks.push_back(events);
        *cookie = static_cast<DWORD>(sinks.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        if (cookie == 0 || cookie > sinks.size() || !sinks[cookie - 1])
            return CONNECT_E_NOCONNECTION;
        sinks[cookie - 1]->Release();
        sinks[cookie - 1] = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override
    {
        return *connections = nullptr, E_NOTIMPL;
    }

    size_t Connected() const { return static_cast<size_t>(std::count_if(sinks.begin(), sinks.end(), [](IDispatch* s) { return s; })); }

    // Raises an event with arguments given first to last, as the control would.
    void Fire(DISPID id, std::vector<long> args = {})
    {
        std::vector<VARIANT> reversed(args.size());
        for (size_t i = 0; i < args.size(); ++i) {
            ::VariantInit(&reversed[args.size() - 1 - i]);
            V_VT(&reversed[args.size() - 1 - i]) = VT_I4;
            V_I4(&reversed[args.size() - 1 - i]) = args[i];
        }
        DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        std::vector<IDispatch*> current = sinks;
        for (IDispatch* sink : current) {
            if (sink)
                sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        }
    }

private:
    ~FakeSpeaker() override
    {
        for (IDispatch* sink : sinks) {
            if (sink)
                sink->Release();
        }
    }
};

struct FakeRelease {
    void operator()(FakeSpeaker* fake) const { static_cast<IDispatch*>(fake)->Release(); }
};
using FakePtr = std::unique_ptr<FakeSpeaker, FakeRelease>;

inline FakePtr MakeFake(std::vector<std::string> voices)
{
    FakePtr fake(new FakeSpeaker);
    fake->voices = std::move(voices);
    return fake;
}

} // namespace fakespeech
