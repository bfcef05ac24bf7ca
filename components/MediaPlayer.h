// The media player: plays and stops a sound or video file in a child window. It comes in the two
// kinds the programs choose between with [Defaults] MediaPlayer (1 the classic player, other values
// not below 0 the newer one, negative none); the kinds differ in what Stop does and in what they
// tell their parent, as the callers expect of each.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

enum class MediaPlayerKind {
    Classic,  // Stop stops and keeps the file; the end of a file is told as MPN_ENDOFSTREAM
    Modern,   // Stop also closes the file; opening and the play state are told as they change
};

// WM_NOTIFY codes the player sends its parent, with an NMMEDIAPLAYER.
const UINT MPN_ENDOFSTREAM = 3002;      // Classic: the file has played to its end
const UINT MPN_OPENSTATECHANGE = 5001;  // Modern: state is kMediaOpen when a file is open
const UINT MPN_PLAYSTATECHANGE = 5101;  // Modern: state is one of the play states below

// Play states of the Modern kind, as its notifications and PlayStateCode give them.
const int kPlayStateStopped = 1;
const int kPlayStatePaused = 2;
const int kPlayStatePlaying = 3;
const int kPlayStateMediaEnded = 8;
const int kMediaOpen = 13;

struct NMMEDIAPLAYER {
    NMHDR hdr;
    int state;
};

enum class PlayState { Closed, Stopped, Paused, Playing, Ended };

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    virtual MediaPlayerKind Kind() const = 0;
    // The player's child window (hidden until the caller shows it); video plays inside it.
    virtual HWND Window() const = 0;
    virtual void SetBackColor(COLORREF color) = 0;

    // Opens the file and starts playing it at once (the Modern kind closes what it had first).
    // false: nothing plays.
    virtual bool Open(const std::string& path) = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    // Classic: stops and keeps the file. Modern: stops and closes it.
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual PlayState State() const = 0;
    virtual const std::string& FileName() const = 0;
};

// [Defaults] MediaPlayer of the settings file (default 1).
int ReadMediaPlayerSetting(const std::string& settingsFile);

// The player for a [Defaults] MediaPlayer value, as a child of parent with the id in rect; null for a
// negative value (no player) or when the window cannot be made.
std::unique_ptr<MediaPlayer> CreateMediaPlayer(int setting, HWND parent, int id, const RECT& rect);

// Tests give players of their own; an empty factory restores ours.
using MediaPlayerFactory = std::function<std::unique_ptr<MediaPlayer>(MediaPlayerKind kind, HWND parent, int id, const RECT& rect)>;
void SetMediaPlayerFactory(MediaPlayerFactory factory);
