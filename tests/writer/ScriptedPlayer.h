// A media player whose device is the test: it plays until the test ends the file, and tells the end
// to its parent as its kind does (the classic one as the end of the stream, the newer one as the
// state "ended"), logging what it was asked.
#pragma once
#include "components/MediaPlayer.h"
#include <string>
#include <vector>

class ScriptedPlayer : public MediaPlayer {
public:
    ScriptedPlayer(MediaPlayerKind kind, HWND parent, int id, std::vector<std::string>& log)
        : kind_(kind), parent_(parent), id_(id), log_(log) {}

    MediaPlayerKind Kind() const override { return kind_; }
    HWND Window() const override { return nullptr; }
    void SetBackColor(COLORREF) override {}
    bool Open(const std::string& path) override;
    bool Pause() override;
    bool Resume() override;
    void Stop() override;
    void Close() override;
    PlayState State() const override { return state_; }
    const std::string& FileName() const override { return file_; }

    // The file has played to its end: the parent is told.
    void EndOfFile();

private:
    MediaPlayerKind kind_;
    HWND parent_;
    int id_;
    std::vector<std::string>& log_;
    PlayState state_ = PlayState::Closed;
    std::string file_;
};

// While it lives, every player the program makes is a scripted one logging into `log`; the last one
// made is `player`.
class ScriptedPlayers {
public:
    explicit ScriptedPlayers(std::vector<std::string>& log);
    ~ScriptedPlayers();
    ScriptedPlayers(const ScriptedPlayers&) = delete;
    ScriptedPlayers& operator=(const ScriptedPlayers&) = delete;

    ScriptedPlayer* player = nullptr;
};
