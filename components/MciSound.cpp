// MCI playback of CD tracks and sound files.
#include "components/MciSound.h"
#include "framework/Clock.h"
#include "framework/Files.h"
#include <cctype>
#include <vector>

namespace {
// How long a device that does not play is given to say why.
const DWORD kConfirmLimitMs = 500;
} // namespace

bool MciSound::Play(const std::string& path, HWND notify)
{
    Stop();
    const bool track = ::lstrcmpiA(fw::FileExtension(path).c_str(), "cda") == 0;
    bool playing = track ? PlayTrack(path, notify) : PlayElement(path, notify);
    if (!playing)
        Stop();
    return playing;
}

bool MciSound::PlayElement(const std::string& path, HWND notify)
{
    device_ = OpenElement(path);
    if (!device_)
        return false;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notify);
    return ::mciSendCommandA(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0 &&
           ConfirmPlaying(device_, notify);
}

bool MciSound::PlayTrack(const std::string& path, HWND notify)
{
    int track = TrackNumber(path);
    if (track < 1 || track > 99)
        return false;
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "cdaudio";
    if (::mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return false;
    device_ = open.wDeviceID;

    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_TMSF;
    if (::mciSendCommandA(device_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&set)) != 0)
        return false;
    MCI_SEEK_PARMS seek{};
    seek.dwTo = MCI_MAKE_TMSF(track, 0, 0, 0);
    if (::mciSendCommandA(device_, MCI_SEEK, MCI_TO | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek)) != 0)
        return false;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_NUMBER_OF_TRACKS;
    if (::mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) != 0)
        return false;

    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notify);
    play.dwFrom = MCI_MAKE_TMSF(track, 0, 0, 0);
    DWORD flags = MCI_FROM | MCI_NOTIFY;
    // To the start of the next track; the last track plays to the end of the disc.
    if (static_cast<DWORD_PTR>(track) < status.dwReturn) {
        play.dwTo = MCI_MAKE_TMSF(track + 1, 0, 0, 0);
        flags |= MCI_TO;
    }
    return ::mciSendCommandA(device_, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&play)) == 0 &&
           ConfirmPlaying(device_, notify);
}

MCIDEVICEID MciSound::OpenElement(const std::string& path)
{
    static unsigned opened = 0;
    std::string alias = "rzsound" + std::to_string(++opened);
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path.c_str();
    open.lpstrAlias = alias.c_str();
    if (::mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return 0;
    return open.wDeviceID;
}

void MciSound::Stop()
{
    if (!device_)
        return;
    MCI_GENERIC_PARMS generic{};
    ::mciSendCommandA(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic));
    ::mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic));
    device_ = 0;
}

bool MciSound::OnNotify(WPARAM flags, LPARAM device)
{
    if (!device_ || static_cast<MCIDEVICEID>(device) != device_ ||
        (flags != MCI_NOTIFY_SUCCESSFUL && flags != MCI_NOTIFY_FAILURE))
        return false;
    Stop();
    return true;
}

bool MciSound::ConfirmPlaying(MCIDEVICEID device, HWND notify)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (::mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
        status.dwReturn != MCI_MODE_STOP && status.dwReturn != MCI_MODE_NOT_READY)
        return true;
    // Notices of other devices are held aside and put back once the wait is over: posted back at
    // once, the next look would take them again and the wait would never see its limit.
    std::vector<MSG> others;
    bool playing = true;
    bool decided = false;
    const DWORD start = fw::TickCount();
    do {
        MSG message;
        while (!decided && ::PeekMessageA(&message, notify, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
            if (static_cast<MCIDEVICEID>(message.lParam) != device) {
                others.push_back(message);
                continue;
            }
            decided = true;
            // A failure is the answer; the notice of a sound that played to its end is the window's.
            playing = message.wParam != MCI_NOTIFY_FAILURE;
            if (playing)
                others.push_back(message);
        }
        if (decided)
            break;
        fw::Wait(10);
    } while (fw::TickCount() - start < kConfirmLimitMs);
    for (const MSG& other : others)
        ::PostMessageA(notify, MM_MCINOTIFY, other.wParam, other.lParam);
    return playing;
}

int MciSound::TrackNumber(const std::string& path)
{
    size_t dot = path.rfind('.');
    size_t name = path.find_last_of("\\/:");
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return 0;
    size_t start = dot;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(path[start - 1])))
        --start;
    if (start == dot || dot - start > 4)
        return 0;
    return std::stoi(path.substr(start, dot - start));
}
