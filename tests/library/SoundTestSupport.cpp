// Sound test helpers.
#include "SoundTestSupport.h"
#include "support/TempFolder.h"

namespace soundtest {

std::string Le16(unsigned value)
{
    std::string bytes(2, '\0');
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>((value >> 8) & 0xFF);
    return bytes;
}

std::string Le32(unsigned long value)
{
    return Le16(value & 0xFFFF) + Le16((value >> 16) & 0xFFFF);
}

std::string WaveFixture::Bytes() const
{
    std::string body = form;
    if (withFormat) {
        int align = blockAlign >= 0 ? blockAlign : channels * ((bits + 7) / 8);
        std::string format = Le16(formatTag) + Le16(channels) + Le32(rate) + Le32(rate * static_cast<unsigned>(align)) +
                             Le16(static_cast<unsigned>(align)) + Le16(bits);
        if ((writeCbSize || formatTag != WAVE_FORMAT_PCM) && !omitCbSize) {
            format += Le16(cbSize >= 0 ? static_cast<unsigned>(cbSize) : static_cast<unsigned>(formatExtra.size()));
            format += formatExtra;
        }
        unsigned long size = formatChunkSize >= 0 ? static_cast<unsigned long>(formatChunkSize) : format.size();
        body += "fmt " + Le32(size) + format;
        if (format.size() & 1)
            body += '\0';
    }
    for (const auto& chunk : chunksBeforeData) {
        body += chunk.first + Le32(chunk.second.size()) + chunk.second;
        if (chunk.second.size() & 1)
            body += '\0';
    }
    if (withData) {
        unsigned long size = dataChunkSize >= 0 ? static_cast<unsigned long>(dataChunkSize) : data.size();
        body += "data" + Le32(size) + data;
        if (data.size() & 1)
            body += '\0';
    }
    unsigned long riff = riffSize >= 0 ? static_cast<unsigned long>(riffSize) : body.size();
    return "RIFF" + Le32(riff) + body;
}

std::string Samples8(const std::vector<int>& values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Samples16(const std::vector<int>& values)
{
    std::string bytes;
    for (int value : values)
        bytes += Le16(static_cast<unsigned>(value) & 0xFFFF);
    return bytes;
}

std::vector<int> Repeat(int value, size_t n)
{
    return std::vector<int>(n, value);
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    return testsupport::TempFolder::FilesIn(folder);
}

bool FakeWaveDevice::StartRecording(int index, const WAVEFORMATEX& format, DWORD bytes, DataSink sink, Finished finished)
{
    recordIndex = index;
    recordFormat = format;
    recordBytes = bytes;
    if (refuseRecording)
        return false;
    sink_ = std::move(sink);
    recordFinished_ = std::move(finished);
    return true;
}

void FakeWaveDevice::StopRecording()
{
    ++stopRecordingCalls;
}

bool FakeWaveDevice::StartPlayback(int index, const WAVEFORMATEX& format, std::vector<BYTE> data, Finished finished)
{
    playIndex = index;
    playFormat = format;
    played = std::move(data);
    if (refusePlayback)
        return false;
    playFinished_ = std::move(finished);
    return true;
}

void FakeWaveDevice::StopPlayback()
{
    ++stopPlaybackCalls;
}

void FakeWaveDevice::Abort()
{
    ++abortCalls;
    sink_ = nullptr;
    recordFinished_ = nullptr;
    playFinished_ = nullptr;
}

bool FakeWaveDevice::Deliver(const std::string& bytes)
{
    return sink_ && sink_(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

void FakeWaveDevice::EndRecording(bool ok)
{
    Finished finished = std::move(recordFinished_);
    recordFinished_ = nullptr;
    sink_ = nullptr;
    if (finished)
        finished(ok);
}

void FakeWaveDevice::EndPlayback(bool ok)
{
    Finished finished = std::move(playFinished_);
    playFinished_ = nullptr;
    if (finished)
        finished(ok);
}

bool FakeMediaPlayer::Open(const std::string& path)
{
    calls.push_back("open " + path);
    if (failOpen)
        return false;
    file_ = path;
    state_ = PlayState::Playing;
    return true;
}

namespace {
class FakePreview : public PicturePreview {
public:
    explicit FakePreview(PreviewLog& log) : log_(log) {}
    ~FakePreview() override { ++log_.destroyed; }
    bool Load(const std::string& path) override
    {
        log_.calls.push_back("load " + path);
        return true;
    }
    void Clear() override { log_.calls.push_back("clear"); }

private:
    PreviewLog& log_;
};
} // namespace

PicturePreviewFactory FakePreviewFactory(PreviewLog& log)
{
    return [&log](HWND parent, int id, const RECT& rect) -> std::unique_ptr<PicturePreview> {
        log.parent = parent;
        log.id = id;
        log.rect = rect;
        ++log.made;
        return std::make_unique<FakePreview>(log);
    };
}

} // namespace soundtest
