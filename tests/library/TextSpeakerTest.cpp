// The TextSpeaker client: absent when the control is not installed, and, over a stand-in control
// that records its calls, the dispatch ids and arguments it sends and the events it passes on.
#include "components/TextSpeaker.h"
#include "SpeechTestSupport.h"
#include <olectl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// {5C3B1E52-8A41-4F7E-9B0D-2E6A7C1D9F31}: the stand-in's event interface.
const IID kFakeEvents = {0x5c3b1e52, 0x8a41, 0x4f7e, {0x9b, 0x0d, 0x2e, 0x6a, 0x7c, 0x1d, 0x9f, 0x31}};

std::string Text(const VARIANT& value)
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

BSTR Bstr(const std::string& text)
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

std::ostream& operator<<(std::ostream& out, const Call& call)
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

FakePtr MakeFake(std::vector<std::string> voices)
{
    FakePtr fake(new FakeSpeaker);
    fake->voices = std::move(voices);
    return fake;
}

TEST(TextSpeaker, IsAbsentAndLeavesNoWindowWhenTheControlCannotBeCreated)
{
    // The speech API's voice is registered, but is no control that a window can host.
    for (const char* progId : {TextSpeaker::kProgId, "SAPI.SpVoice"}) {
        SCOPED_TRACE(progId);
        RecordingWindow parent(0, 0);
        TextSpeaker speaker;
        EXPECT_FALSE(speaker.Create(parent.Handle(), 1167, progId));
        EXPECT_FALSE(speaker.IsPresent());
        EXPECT_EQ(nullptr, speaker.Window());
        EXPECT_EQ(nullptr, ::GetWindow(parent.Handle(), GW_CHILD));
    }
}

TEST(TextSpeaker, DoesNothingWhenAbsent)
{
    TextSpeaker speaker;
    ASSERT_FALSE(speaker.IsPresent());

    EXPECT_FALSE(speaker.IsReady());
    EXPECT_EQ(0, speaker.VoiceCount());
    EXPECT_EQ("", speaker.VoiceName(0));
    EXPECT_FALSE(speaker.ChooseVoice("Anna"));
    EXPECT_FALSE(speaker.SelectVoice("Anna"));
    EXPECT_FALSE(speaker.SetSpeed(1));
    EXPECT_FALSE(speaker.SetPitch(1));
    EXPECT_FALSE(speaker.SetVolume(1));
    EXPECT_FALSE(speaker.Speak("Hej"));
    EXPECT_FALSE(speaker.Pause());
    EXPECT_FALSE(speaker.Resume());
    EXPECT_FALSE(speaker.Stop());
    EXPECT_FALSE(speaker.Attach(nullptr));
}

TEST(TextSpeaker, ReadsReadinessAndVoicesFromTheControl)
{
    FakePtr fake = MakeFake({"Anna", "\xD6sten"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));
    EXPECT_TRUE(speaker.IsPresent());
    EXPECT_TRUE(speaker.IsReady());
    EXPECT_EQ(2, speaker.VoiceCount());
    EXPECT_EQ("Anna", speaker.VoiceName(0));
    EXPECT_EQ("\xD6sten", speaker.VoiceName(1));
    EXPECT_EQ("", speaker.VoiceName(2));

    fake->ready = false;
    EXPECT_FALSE(speaker.IsReady());
}

TEST(TextSpeaker, ChoosesAVoiceByNameIgnoringCase)
{
    FakePtr fake = MakeFake({"Anna", "\xD6sten"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));

    EXPECT_FALSE(speaker.ChooseVoice("Bertil"));
    EXPECT_FALSE(speaker.ChooseVoice(""));
    EXPECT_TRUE(fake->calls.empty());
    // The setting's own spelling is what the control is given.
    EXPECT_TRUE(speaker.ChooseVoice("\xF6STEN"));
    EXPECT_EQ((std::vector<Call>{{15, {"\xF6STEN"}}}), fake->calls);
}

TEST(TextSpeaker, SendsSettingsSpeechAndItsControlByTheirDispatchIds)
{
    FakePtr fake = MakeFake({"Anna"});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));
    EXPECT_TRUE(speaker.SetSpeed(-3));
    EXPECT_TRUE(speaker.SetPitch(7));
    EXPECT_TRUE(speaker.SetVolume(80));
    EXPECT_TRUE(speaker.Speak("Hej p\xE5 dig"));
    EXPECT_TRUE(speaker.Pause());
    EXPECT_TRUE(speaker.Resume());
    EXPECT_TRUE(speaker.Stop());
    EXPECT_EQ((std::vector<Call>{{21, {"-3"}}, {19, {"7"}}, {22, {"80"}}, {27, {"Hej p\xE5 dig"}}, {14, {}}, {16, {}},
                                 {28, {}}}),
              fake->calls);
}

TEST(TextSpeaker, PassesTheEndOfSpeechAndThePositionOn)
{
    FakePtr fake = MakeFake({"Anna"});
    auto speaker = std::make_unique<TextSpeaker>();
    ASSERT_TRUE(speaker->Attach(fake.get()));
    ASSERT_EQ(1u, fake->Connected());
    int finished = 0;
    std::vector<long> positions;
    speaker->SetSpeechFinishedHandler([&] { ++finished; });
    speaker->SetPositionHandler([&](long position) { positions.push_back(position); });

    fake->Fire(4, {1, 2, 17, 4});
    fake->Fire(4, {1}); // too few arguments to carry a position
    fake->Fire(5, {0});
    fake->Fire(3);
    EXPECT_EQ(std::vector<long>{17}, positions);
    EXPECT_EQ(1, finished);

    // A handler may end the client; the control keeps no connection to it.
    speaker->SetSpeechFinishedHandler([&] {
        ++finished;
        speaker.reset();
    });
    fake->Fire(5);
    EXPECT_EQ(2, finished);
    EXPECT_EQ(nullptr, speaker);
    EXPECT_EQ(0u, fake->Connected());
    fake->Fire(5);
    EXPECT_EQ(2, finished);
}

} // namespace
