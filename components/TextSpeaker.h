// Client of the TextSpeaker speech control: an ActiveX control outside the programs, hosted hidden
// as a child window of a main window. Where the control is not installed the client is absent and
// every call does nothing and reports failure.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <functional>
#include <string>

// Owns its reference to the control, its event connection and its host window; the main window
// that creates it owns it.
class TextSpeaker {
public:
    static const char kProgId[];

    TextSpeaker() = default;
    ~TextSpeaker();
    TextSpeaker(const TextSpeaker&) = delete;
    TextSpeaker& operator=(const TextSpeaker&) = delete;

    // Creates the control hidden, with an empty rectangle, as child id of parent. False, and the
    // client absent, when the class is not registered or the control does not start.
    bool Create(HWND parent, int id, const std::string& progId = kProgId);
    // Uses a control that already runs, hosted by someone else; false when it is null.
    bool Attach(IDispatch* control);
    void Destroy();

    bool IsPresent() const { return control_ != nullptr; }
    // The host window; null for an attached control.
    HWND Window() const { return window_; }

    bool IsReady();
    long VoiceCount();
    // The name of voice index (0 to VoiceCount() - 1); empty when there is none.
    std::string VoiceName(long index);
    bool SelectVoice(const std::string& name);
    // Selects the first voice whose name equals name ignoring case; false, and nothing changed,
    // when name is empty or no voice carries it.
    bool ChooseVoice(const std::string& name);
    // The name of the voice the control speaks with now; empty when it cannot tell.
    std::string CurrentVoice();
    // The three settings; what their numbers mean is the control's own.
    bool SetSpeed(long value);
    bool SetPitch(long value);
    bool SetVolume(long value);
    // The settings as the control holds them now; false, and the value untouched, when it cannot tell.
    bool GetSpeed(long& value);
    bool GetPitch(long& value);
    bool GetVolume(long& value);
    // Opens the control's own property window over the parent and returns when the user has closed it.
    bool ShowPropertyWindow(HWND parent);
    // Starts speaking and returns; the end arrives as the speech-finished event.
    bool Speak(const std::string& text);
    bool Pause();
    bool Resume();
    bool Stop();

    // The control's events, raised on the window thread. A handler may destroy the client.
    void SetSpeechFinishedHandler(std::function<void()> handler) { finished_ = std::move(handler); }
    // The position within the text being spoken.
    void SetPositionHandler(std::function<void(long)> handler) { position_ = std::move(handler); }

private:
    class EventSink;

    bool Call(DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result);
    bool CallWithLong(DISPID id, long value);
    bool CallWithText(DISPID id, const std::string& text);
    bool CallWithoutArguments(DISPID id);
    bool GetLong(DISPID id, long& value);
    void ConnectEvents();
    void OnEvent(DISPID id, const DISPPARAMS& params);

    HWND window_ = nullptr;
    IDispatch* control_ = nullptr;
    EventSink* sink_ = nullptr;
    IConnectionPoint* connection_ = nullptr;
    DWORD cookie_ = 0;
    std::function<void()> finished_;
    std::function<void(long)> position_;
};
