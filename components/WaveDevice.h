// The sound card's wave input and output in the shape the recording dialog needs: record PCM from
// an input for at most a given length and hand over the data as it comes, play PCM on an output,
// and report the end of either (by itself or by a stop) on the window thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <functional>
#include <memory>
#include <vector>

class WaveDevice {
public:
    // Receives recorded bytes in order; false stops the recording as failed.
    using DataSink = std::function<bool(const BYTE* data, DWORD bytes)>;
    // Called once after a recording or a playback has ended; ok is false when the device or the sink failed.
    using Finished = std::function<void(bool ok)>;

    virtual ~WaveDevice() = default;

    virtual int InputCount() = 0;
    virtual int OutputCount() = 0;
    // Whether the device can be opened for a plain mono PCM format.
    virtual bool TestInput(int index) = 0;
    virtual bool TestOutput(int index) = 0;

    // Starts recording at most `bytes` bytes; false (and no callback) when it cannot start.
    virtual bool StartRecording(int index, const WAVEFORMATEX& format, DWORD bytes, DataSink sink, Finished finished) = 0;
    // Ends the recording early; the data so far still reaches the sink, then Finished comes.
    virtual void StopRecording() = 0;
    virtual bool StartPlayback(int index, const WAVEFORMATEX& format, std::vector<BYTE> data, Finished finished) = 0;
    virtual void StopPlayback() = 0;
    virtual bool IsRecording() const = 0;
    virtual bool IsPlaying() const = 0;
    // Stops both and forgets the callbacks: for an owner that goes away.
    virtual void Abort() = 0;
};

// The system's waveIn and waveOut devices.
std::unique_ptr<WaveDevice> CreateWaveDevice();
