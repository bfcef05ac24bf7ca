// Our media player on MCI: the file is opened by its element name (the system picks the device by
// the extension), a video device is given our child window to draw into, and the end of playing
// comes back as MM_MCINOTIFY to that window.
#include "components/MediaPlayer.h"
#include "components/MciSound.h"
#include <mmsystem.h>
#include <digitalv.h>
#include <cstdlib>

namespace {

const char kWindowClass[] = "RzMediaPlayer";

MediaPlayerFactory& Factory()
{
    static MediaPlayerFactory factory;
    return factory;
}

class MciMediaPlayer : public MediaPlayer {
public:
    explicit MciMediaPlayer(MediaPlayerKind kind) : kind_(kind) {}
    ~MciMediaPlayer() override;
    bool Create(HWND parent, int id, const RECT& rect);

    MediaPlayerKind Kind() const override { return kind_; }
    HWND Window() const override { return window_; }
    void SetBackColor(COLORREF color) override;
    bool Open(const std::string& path) override;
    bool Pause() override;
    bool Resume() override;
    void Stop() override;
    void Close() override;
    PlayState State() const override { return state_; }
    const std::string& FileName() const override { return file_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool PlayWithNotify();
    void OnPlayEnded();
    void Notify(UINT code, int state);
    void FitVideo();

    MediaPlayerKind kind_;
    HWND window_ = nullptr;
    MCIDEVICEID device_ = 0;
    bool video_ = false;
    PlayState state_ = PlayState::Closed;
    COLORREF backColor_ = RGB(0, 0, 0);
    std::string file_;
};

MciMediaPlayer::~MciMediaPlayer()
{
    Close();
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

bool MciMediaPlayer::Create(HWND parent, int id, const RECT& rect)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!::GetClassInfoA(instance, kWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassA(&windowClass);
    }
    window_ = ::CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_CLIPCHILDREN, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return window_ != nullptr;
}

void MciMediaPlayer::SetBackColor(COLORREF color)
{
    backColor_ = color;
    if (window_)
        ::InvalidateRect(window_, nullptr, TRUE);
}

bool MciMediaPlayer::Open(const std::string& path)
{
    Close();
    if (!window_ || path.empty())
        return false;
    device_ = MciSound::OpenElement(path);
    if (!device_)
        return false;
    file_ = path;
    state_ = PlayState::Stopped;

    // A video device draws into our window; a sound device refuses the command, which is as it should be.
    MCI_DGV_WINDOW_PARMSA window{};
    window.hWnd = window_;
    video_ = ::mciSendCommandA(device_, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&window)) == 0;
    if (video_)
        FitVideo();
    if (kind_ == MediaPlayerKind::Modern)
        Notify(MPN_OPENSTATECHANGE, kMediaOpen);
    if (!PlayWithNotify()) {
        Close();
        return false;
    }
    return true;
}

bool MciMediaPlayer::PlayWithNotify()
{
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    if (::mciSendCommandA(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0)
        return false;
    state_ = PlayState::Playing;
    if (!MciSound::ConfirmPlaying(device_, window_)) {
        state_ = PlayState::Stopped;
        return false;
    }
    if (kind_ == MediaPlayerKind::Modern)
        Notify(MPN_PLAYSTATECHANGE, kPlayStatePlaying);
    return true;
}

bool MciMediaPlayer::Pause()
{
    if (!device_ || state_ != PlayState::Playing)
        return false;
    MCI_GENERIC_PARMS generic{};
    if (::mciSendCommandA(device_, MCI_PAUSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic)) != 0)
        return false;
    state_ = PlayState::Paused;
    if (kind_ == MediaPlayerKind::Modern)
        Notify(MPN_PLAYSTATECHANGE, kPlayStatePaused);
    return true;
}

// Playing on from where it stands, with a new notification: a pause cancels the old one.
bool MciMediaPlayer::Resume()
{
    if (!device_ || state_ != PlayState::Paused)
        return false;
    return PlayWithNotify();
}

void MciMediaPlayer::Stop()
{
    if (kind_ == MediaPlayerKind::Modern) {
        Close();
        return;
    }
    if (!device_)
        return;
    MCI_GENERIC_PARMS generic{};
    ::mciSendCommandA(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic));
    MCI_SEEK_PARMS seek{};
    ::mciSendCommandA(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
    state_ = PlayState::Stopped;
}

void MciMediaPlayer::Close()
{
    if (device_) {
        MCI_GENERIC_PARMS generic{};
        ::mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic));
    }
    device_ = 0;
    video_ = false;
    state_ = PlayState::Closed;
    file_.clear();
    if (window_)
        ::InvalidateRect(window_, nullptr, TRUE);
}

void MciMediaPlayer::OnPlayEnded()
{
    state_ = PlayState::Ended;
    if (kind_ == MediaPlayerKind::Classic)
        Notify(MPN_ENDOFSTREAM, 0);
    else
        Notify(MPN_PLAYSTATECHANGE, kPlayStateMediaEnded);
}

void MciMediaPlayer::Notify(UINT code, int state)
{
    HWND parent = ::GetParent(window_);
    if (!parent)
        return;
    NMMEDIAPLAYER notice{};
    notice.hdr.hwndFrom = window_;
    notice.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(window_));
    notice.hdr.code = code;
    notice.state = state;
    ::SendMessageA(parent, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

void MciMediaPlayer::FitVideo()
{
    RECT client{};
    ::GetClientRect(window_, &client);
    MCI_DGV_PUT_PARMS put{};
    put.rc.left = 0;
    put.rc.top = 0;
    put.rc.right = client.right;  // MCI reads the rectangle as origin and extent
    put.rc.bottom = client.bottom;
    ::mciSendCommandA(device_, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&put));
}

LRESULT MciMediaPlayer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MM_MCINOTIFY:
        // A stop or a new play cancels the old notification (aborted, superseded): only an end counts.
        if (device_ && static_cast<MCIDEVICEID>(lParam) == device_ && state_ == PlayState::Playing &&
            (wParam == MCI_NOTIFY_SUCCESSFUL || wParam == MCI_NOTIFY_FAILURE))
            OnPlayEnded();
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(window_, &client);
        HBRUSH brush = ::CreateSolidBrush(backColor_);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        ::DeleteObject(brush);
        return 1;
    }
    case WM_SIZE:
        if (video_)
            FitVideo();
        return 0;
    default:
        return ::DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK MciMediaPlayer::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* player = static_cast<MciMediaPlayer*>(create->lpCreateParams);
        player->window_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(player));
    }
    auto* player = reinterpret_cast<MciMediaPlayer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && player) {
        player->window_ = nullptr;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    if (!player || !player->window_)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return player->OnMessage(message, wParam, lParam);
}

} // namespace

int ReadMediaPlayerSetting(const std::string& settingsFile)
{
    // Read as text: the value is negative for "no player", which the integer read does not promise.
    char value[32] = "";
    ::GetPrivateProfileStringA("Defaults", "MediaPlayer", "1", value, sizeof(value), settingsFile.c_str());
    char* end = nullptr;
    long setting = std::strtol(value, &end, 10);
    return end == value ? 1 : static_cast<int>(setting);
}

std::unique_ptr<MediaPlayer> CreateMediaPlayer(int setting, HWND parent, int id, const RECT& rect)
{
    if (setting < 0)
        return nullptr;
    MediaPlayerKind kind = setting == 1 ? MediaPlayerKind::Classic : MediaPlayerKind::Modern;
    if (Factory())
        return Factory()(kind, parent, id, rect);
    auto player = std::make_unique<MciMediaPlayer>(kind);
    if (!player->Create(parent, id, rect))
        return nullptr;
    return player;
}

void SetMediaPlayerFactory(MediaPlayerFactory factory)
{
    Factory() = std::move(factory);
}
