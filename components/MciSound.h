// Direct MCI playback of a sound file for the callers that route some sounds past the media player:
// a "cda" file is a track of the audio CD, played from its track to the next one; any other file is
// opened by its element name. The end is told to the caller's window as MM_MCINOTIFY.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <string>

class MciSound {
public:
    MciSound() = default;
    ~MciSound() { Stop(); }
    MciSound(const MciSound&) = delete;
    MciSound& operator=(const MciSound&) = delete;

    // Stops what played, then opens and plays the file with notification to the window. A step that
    // fails closes the device again: false means nothing plays.
    bool Play(const std::string& path, HWND notify);
    // Stops and closes the device, if one is open.
    void Stop();
    bool IsOpen() const { return device_ != 0; }
    MCIDEVICEID Device() const { return device_; }
    // For MM_MCINOTIFY: true when it reports that our sound has ended, played through or failed on
    // the way; the device is then closed. Notices of other devices, and of plays that a stop
    // cancelled, give false.
    bool OnNotify(WPARAM flags, LPARAM device);

    // After a play with notification to the window: whether the device really plays. A device that
    // cannot play accepts the command and fails a moment later with a notice; that notice is awaited
    // here for a short while (the injectable clock and wait), so the failure comes back to the caller
    // of Play. Gives false for such a failure (the notice is taken); a notice of a sound that has
    // already played to its end is put back for the window.
    static bool ConfirmPlaying(MCIDEVICEID device, HWND notify);

    // The track a "cda" file names: the run of digits just before the last '.' of its name
    // ("Track05.cda" is 5); 0 when there is none.
    static int TrackNumber(const std::string& path);
    // Opens a file by its element name under an alias of its own: MCI would otherwise name the device
    // after the file, and a second opening of the same file would fail. 0 when it cannot be opened.
    static MCIDEVICEID OpenElement(const std::string& path);

private:
    bool PlayTrack(const std::string& path, HWND notify);
    bool PlayElement(const std::string& path, HWND notify);

    MCIDEVICEID device_ = 0;
};
