// waveIn and waveOut with window callbacks to a message-only window of our own, so that data and ends
// arrive as messages on the thread that started them. A stop waits for the driver to hand back its
// buffers only for a bounded time (the injectable clock), never for ever.
#include "components/WaveDevice.h"
#include "framework/Clock.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include <algorithm>
#include <deque>
#include <exception>

namespace {

const char kWindowClass[] = "RzWaveDevice";
const UINT kDeliverFinished = WM_APP + 1;
const int kInputBuffers = 4;
// The longest a stop waits for the driver to return its buffers.
const DWORD kReturnLimitMs = 2000;

WAVEFORMATEX QueryFormat()
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 11025;
    format.wBitsPerSample = 8;
    format.nBlockAlign = 1;
    format.nAvgBytesPerSec = 11025;
    return format;
}

bool InQueue(const WAVEHDR& header)
{
    return (header.dwFlags & WHDR_PREPARED) && (header.dwFlags & WHDR_INQUEUE) && !(header.dwFlags & WHDR_DONE);
}

class WinmmWaveDevice : public WaveDevice {
public:
    WinmmWaveDevice();
    ~WinmmWaveDevice() override;

    int InputCount() override { return static_cast<int>(::waveInGetNumDevs()); }
    int OutputCount() override { return static_cast<int>(::waveOutGetNumDevs()); }
    bool TestInput(int index) override;
    bool TestOutput(int index) override;
    bool StartRecording(int index, const WAVEFORMATEX& format, DWORD bytes, DataSink sink, Finished finished) override;
    void StopRecording() override { FinishRecording(true); }
    bool StartPlayback(int index, const WAVEFORMATEX& format, std::vector<BYTE> data, Finished finished) override;
    void StopPlayback() override { FinishPlayback(true); }
    bool IsRecording() const override { return in_ != nullptr; }
    bool IsPlaying() const override { return out_ != nullptr; }
    void Abort() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInputData();
    void TakeInput(bool requeue);
    void FinishRecording(bool ok);
    void FinishPlayback(bool ok);
    template <class Pending> void WaitWhile(Pending pending);
    void Post(Finished finished, bool ok);

    HWND window_ = nullptr;

    HWAVEIN in_ = nullptr;
    WAVEHDR inHeaders_[kInputBuffers] = {};
    std::vector<BYTE> inBuffers_[kInputBuffers];
    std::deque<int> inQueue_;  // buffers given to the driver, in the order it fills them
    DWORD left_ = 0;
    DWORD blockAlign_ = 1;
    bool recordOk_ = true;
    DataSink sink_;
    Finished recordFinished_;

    HWAVEOUT out_ = nullptr;
    WAVEHDR outHeader_ = {};
    std::vector<BYTE> outData_;
    Finished playFinished_;

    // Ends waiting to be told; delivered from a posted message, outside the caller's own call.
    std::deque<std::pair<Finished, bool>> pending_;
};

WinmmWaveDevice::WinmmWaveDevice()
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!::GetClassInfoA(instance, kWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassA(&windowClass);
    }
    window_ = ::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

WinmmWaveDevice::~WinmmWaveDevice()
{
    Abort();
    if (window_)
        ::DestroyWindow(window_);
}

bool WinmmWaveDevice::TestInput(int index)
{
    WAVEFORMATEX format = QueryFormat();
    return index >= 0 && ::waveInOpen(nullptr, static_cast<UINT>(index), &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

bool WinmmWaveDevice::TestOutput(int index)
{
    WAVEFORMATEX format = QueryFormat();
    return index >= 0 && ::waveOutOpen(nullptr, static_cast<UINT>(index), &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

bool WinmmWaveDevice::StartRecording(int index, const WAVEFORMATEX& format, DWORD bytes, DataSink sink, Finished finished)
{
    if (in_ || !window_ || index < 0 || format.nBlockAlign == 0)
        return false;
    if (::waveInOpen(&in_, static_cast<UINT>(index), &format, reinterpret_cast<DWORD_PTR>(window_), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        in_ = nullptr;
        return false;
    }
    blockAlign_ = format.nBlockAlign;
    left_ = bytes - bytes % blockAlign_;
    recordOk_ = true;
    sink_ = std::move(sink);
    recordFinished_ = std::move(finished);

    // Buffers of a tenth of a second each.
    DWORD size = std::max<DWORD>(blockAlign_, format.nAvgBytesPerSec / 10 / blockAlign_ * blockAlign_);
    for (WAVEHDR& header : inHeaders_)
        header = WAVEHDR{};
    bool started = true;
    for (int i = 0; i < kInputBuffers && started; ++i) {
        inBuffers_[i].assign(size, 0);
        inHeaders_[i].lpData = reinterpret_cast<LPSTR>(inBuffers_[i].data());
        inHeaders_[i].dwBufferLength = size;
        started = ::waveInPrepareHeader(in_, &inHeaders_[i], sizeof(WAVEHDR)) == MMSYSERR_NOERROR &&
                  ::waveInAddBuffer(in_, &inHeaders_[i], sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
        if (started)
            inQueue_.push_back(i);
    }
    if (started)
        started = ::waveInStart(in_) == MMSYSERR_NOERROR;
    if (!started) {
        sink_ = nullptr;
        recordFinished_ = nullptr;
        FinishRecording(false);
        return false;
    }
    if (left_ == 0)
        FinishRecording(true);
    return true;
}

void WinmmWaveDevice::OnInputData()
{
    TakeInput(true);
    if (left_ == 0 || !recordOk_ || inQueue_.empty())
        FinishRecording(recordOk_);
}

// Hands the filled buffers at the front of the queue to the sink, in order, and gives them back to
// the driver while more is wanted.
void WinmmWaveDevice::TakeInput(bool requeue)
{
    while (!inQueue_.empty()) {
        int index = inQueue_.front();
        WAVEHDR& header = inHeaders_[index];
        if (!(header.dwFlags & WHDR_DONE))
            break;
        inQueue_.pop_front();
        DWORD bytes = std::min(header.dwBytesRecorded, left_);
        bytes -= bytes % blockAlign_;
        if (bytes && recordOk_ && sink_ && !sink_(inBuffers_[index].data(), bytes))
            recordOk_ = false;
        left_ -= bytes;
        if (requeue && recordOk_ && left_ > 0) {
            header.dwFlags &= ~WHDR_DONE;
            header.dwBytesRecorded = 0;
            if (::waveInAddBuffer(in_, &header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR)
                inQueue_.push_back(index);
            else
                recordOk_ = false;
        }
    }
}

void WinmmWaveDevice::FinishRecording(bool ok)
{
    if (!in_)
        return;
    ::waveInReset(in_);
    WaitWhile([this] {
        return std::any_of(std::begin(inHeaders_), std::end(inHeaders_), [](const WAVEHDR& h) { return InQueue(h); });
    });
    // What came before the stop still belongs to the recording.
    TakeInput(false);
    bool returned = true;
    for (WAVEHDR& header : inHeaders_) {
        if ((header.dwFlags & WHDR_PREPARED) && ::waveInUnprepareHeader(in_, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
            returned = false;
    }
    ::waveInClose(in_);
    in_ = nullptr;
    inQueue_.clear();
    sink_ = nullptr;
    Post(std::move(recordFinished_), ok && recordOk_ && returned);
    recordFinished_ = nullptr;
}

bool WinmmWaveDevice::StartPlayback(int index, const WAVEFORMATEX& format, std::vector<BYTE> data, Finished finished)
{
    if (out_ || !window_ || index < 0)
        return false;
    if (::waveOutOpen(&out_, static_cast<UINT>(index), &format, reinterpret_cast<DWORD_PTR>(window_), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        out_ = nullptr;
        return false;
    }
    outData_ = std::move(data);
    playFinished_ = std::move(finished);
    outHeader_ = WAVEHDR{};
    if (outData_.empty()) {
        FinishPlayback(true);
        return true;
    }
    outHeader_.lpData = reinterpret_cast<LPSTR>(outData_.data());
    outHeader_.dwBufferLength = static_cast<DWORD>(outData_.size());
    if (::waveOutPrepareHeader(out_, &outHeader_, sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
        ::waveOutWrite(out_, &outHeader_, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        playFinished_ = nullptr;
        FinishPlayback(false);
        return false;
    }
    return true;
}

void WinmmWaveDevice::FinishPlayback(bool ok)
{
    if (!out_)
        return;
    ::waveOutReset(out_);
    WaitWhile([this] { return InQueue(outHeader_); });
    bool returned = true;
    if ((outHeader_.dwFlags & WHDR_PREPARED) &&
        ::waveOutUnprepareHeader(out_, &outHeader_, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
        returned = false;
    ::waveOutClose(out_);
    out_ = nullptr;
    Post(std::move(playFinished_), ok && returned);
    playFinished_ = nullptr;
}

// Waits for the driver after a reset, for a bounded time.
template <class Pending>
void WinmmWaveDevice::WaitWhile(Pending pending)
{
    DWORD start = fw::TickCount();
    while (pending() && fw::TickCount() - start < kReturnLimitMs)
        fw::Wait(10);
}

void WinmmWaveDevice::Abort()
{
    pending_.clear();
    recordFinished_ = nullptr;
    playFinished_ = nullptr;
    sink_ = nullptr;
    FinishRecording(false);
    FinishPlayback(false);
    pending_.clear();
}

void WinmmWaveDevice::Post(Finished finished, bool ok)
{
    if (!finished || !window_)
        return;
    pending_.emplace_back(std::move(finished), ok);
    ::PostMessageA(window_, kDeliverFinished, 0, 0);
}

void WinmmWaveDevice::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MM_WIM_DATA:
        // Late messages of a closed device, or of buffers already taken, change nothing.
        if (in_ && reinterpret_cast<HWAVEIN>(wParam) == in_)
            OnInputData();
        break;
    case MM_WOM_DONE:
        if (out_ && reinterpret_cast<HWAVEOUT>(wParam) == out_ && (outHeader_.dwFlags & WHDR_DONE))
            FinishPlayback(true);
        break;
    case kDeliverFinished:
        if (!pending_.empty()) {
            std::pair<Finished, bool> end = std::move(pending_.front());
            pending_.pop_front();
            end.first(end.second);
        }
        break;
    default:
        break;
    }
}

LRESULT CALLBACK WinmmWaveDevice::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* device = reinterpret_cast<WinmmWaveDevice*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (device && (message == MM_WIM_DATA || message == MM_WOM_DONE || message == kDeliverFinished)) {
        // The callbacks are the owner's code: no exception may cross the system's frames.
        try {
            device->OnMessage(message, wParam, lParam);
        } catch (const std::exception& error) {
            fw::ShowMessage(nullptr, IDS_FW_UNEXPECTED_ERROR,
                            fw::FormatResString(IDS_FW_UNEXPECTED_ERROR, error.what()),
                            fw::LoadResString(IDS_FW_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
        }
        return 0;
    }
    if (message == WM_NCDESTROY && device)
        device->window_ = nullptr;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

std::unique_ptr<WaveDevice> CreateWaveDevice()
{
    return std::make_unique<WinmmWaveDevice>();
}
