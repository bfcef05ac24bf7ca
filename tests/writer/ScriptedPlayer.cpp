// The test's media player.
#include "ScriptedPlayer.h"

bool ScriptedPlayer::Open(const std::string& path)
{
    log_.push_back("open " + path.substr(path.rfind('\\') + 1));
    state_ = PlayState::Playing;
    return true;
}

bool ScriptedPlayer::Pause()
{
    if (state_ != PlayState::Playing)
        return false;
    log_.push_back("pause");
    state_ = PlayState::Paused;
    return true;
}

bool ScriptedPlayer::Resume()
{
    if (state_ != PlayState::Paused)
        return false;
    log_.push_back("resume");
    state_ = PlayState::Playing;
    return true;
}

void ScriptedPlayer::Stop()
{
    log_.push_back("stop");
    state_ = PlayState::Stopped;
}

void ScriptedPlayer::Close()
{
    log_.push_back("close");
    state_ = PlayState::Closed;
}

void ScriptedPlayer::EndOfFile()
{
    state_ = PlayState::Ended;
    NMMEDIAPLAYER notice{};
    notice.hdr.idFrom = static_cast<UINT_PTR>(id_);
    notice.hdr.code = kind_ == MediaPlayerKind::Classic ? MPN_ENDOFSTREAM : MPN_PLAYSTATECHANGE;
    notice.state = kind_ == MediaPlayerKind::Classic ? 0 : kPlayStateMediaEnded;
    ::SendMessageA(parent_, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

ScriptedPlayers::ScriptedPlayers(std::vector<std::string>& log)
{
    SetMediaPlayerFactory([this, &log](MediaPlayerKind kind, HWND parent, int id, const RECT&) {
        auto made = std::make_unique<ScriptedPlayer>(kind, parent, id, log);
        player = made.get();
        return std::unique_ptr<MediaPlayer>(std::move(made));
    });
}

ScriptedPlayers::~ScriptedPlayers()
{
    SetMediaPlayerFactory(nullptr);
}
