// Test helpers for sound: WAVE files built byte by byte (so they can lie), signals, and stand-ins for
// the wave device, the media player and the picture preview that record what they were asked.
#pragma once
#include "components/MediaPlayer.h"
#include "components/WaveDevice.h"
#include "library/PicturePreview.h"
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

namespace soundtest {

// A WAVE file laid out by hand. Every size can be set to a lie; -1 means "the true one".
struct WaveFixture {
    WORD formatTag = WAVE_FORMAT_PCM;
    WORD channels = 1;
    DWORD rate = 22050;
    WORD bits = 16;
    int blockAlign = -1;
    std::string formatExtra;     // bytes after cbSize (non-PCM formats)
    bool writeCbSize = false;    // an 18-byte format chunk even for PCM
    bool omitCbSize = false;     // a 16-byte format chunk even for other formats
    int cbSize = -1;
    long long formatChunkSize = -1;
    std::vector<std::pair<std::string, std::string>> chunksBeforeData;  // id, content
    bool withFormat = true;
    bool withData = true;
    std::string data;
    long long dataChunkSize = -1;
    long long riffSize = -1;
    std::string form = "WAVE";

    std::string Bytes() const;
};

std::string Le16(unsigned value);
std::string Le32(unsigned long value);

// Mono 8-bit (unsigned around 128) and 16-bit samples as data bytes.
std::string Samples8(const std::vector<int>& values);
std::string Samples16(const std::vector<int>& values);
// n copies of a value.
std::vector<int> Repeat(int value, size_t n);
std::vector<int> Join(std::initializer_list<std::vector<int>> parts);

// Files in the folder whose names start with the prefix (stray temporary files).
std::vector<std::string> FilesIn(const std::string& folder);

// A wave device that does what the test says.
class FakeWaveDevice : public WaveDevice {
public:
    int inputs = 1;
    int outputs = 1;
    std::vector<bool> inputUsable;   // by index; missing entries are usable
    std::vector<bool> outputUsable;
    bool refuseRecording = false;
    bool refusePlayback = false;

    // What the last start asked for.
    int recordIndex = -1;
    WAVEFORMATEX recordFormat{};
    DWORD recordBytes = 0;
    int playIndex = -1;
    WAVEFORMATEX playFormat{};
    std::vector<BYTE> played;
    int stopRecordingCalls = 0;
    int stopPlaybackCalls = 0;
    int abortCalls = 0;

    int InputCount() override { return inputs; }
    int OutputCount() override { return outputs; }
    bool TestInput(int index) override { return index >= static_cast<int>(inputUsable.size()) || inputUsable[index]; }
    bool TestOutput(int index) override { return index >= static_cast<int>(outputUsable.size()) || outputUsable[index]; }
    bool StartRecording(int index, const WAVEFORMATEX& format, DWORD bytes, DataSink sink, Finished finished) override;
    void StopRecording() override;
    bool StartPlayback(int index, const WAVEFORMATEX& format, std::vector<BYTE> data, Finished finished) override;
    void StopPlayback() override;
    bool IsRecording() const override { return static_cast<bool>(recordFinished_); }
    bool IsPlaying() const override { return static_cast<bool>(playFinished_); }
    void Abort() override;

    // The test plays the sound card: data for the recording, and the ends.
    bool Deliver(const std::string& bytes);
    void EndRecording(bool ok = true);
    void EndPlayback(bool ok = true);

private:
    DataSink sink_;
    Finished recordFinished_;
    Finished playFinished_;
};

// A media player that remembers its calls.
class FakeMediaPlayer : public MediaPlayer {
public:
    explicit FakeMediaPlayer(MediaPlayerKind kind) : kind_(kind) {}
    std::vector<std::string> calls;  // "open <path>", "stop", "close", ...
    bool failOpen = false;

    MediaPlayerKind Kind() const override { return kind_; }
    HWND Window() const override { return nullptr; }
    void SetBackColor(COLORREF) override {}
    bool Open(const std::string& path) override;
    bool Pause() override { calls.push_back("pause"); return true; }
    bool Resume() override { calls.push_back("resume"); return true; }
    void Stop() override { calls.push_back("stop"); state_ = PlayState::Stopped; }
    void Close() override { calls.push_back("close"); state_ = PlayState::Closed; }
    PlayState State() const override { return state_; }
    const std::string& FileName() const override { return file_; }

private:
    MediaPlayerKind kind_;
    PlayState state_ = PlayState::Closed;
    std::string file_;
};

// A picture preview that remembers what it was asked to show.
struct PreviewLog {
    std::vector<std::string> calls;  // "load <path>" or "clear"
    HWND parent = nullptr;
    int id = 0;
    RECT rect{};
    int made = 0;
    int destroyed = 0;
};
PicturePreviewFactory FakePreviewFactory(PreviewLog& log);

} // namespace soundtest
