// Pause cutting over whole frames: every sample of every frame is looked at, the last one included.
#include "library/PauseCutting.h"
#include <cstdlib>

namespace wave {

namespace {

bool IsLoud(const WAVEFORMATEX& format, const BYTE* frame, int level)
{
    for (WORD channel = 0; channel < format.nChannels; ++channel) {
        if (format.wBitsPerSample == 8) {
            int value = frame[channel];
            if (value > 127 + level || value < 127 - level)
                return true;
        } else {
            const BYTE* sample = frame + channel * 2;
            int value = static_cast<short>(sample[0] | (sample[1] << 8));
            if (std::abs(value) > level * 256)
                return true;
        }
    }
    return false;
}

} // namespace

bool FindSoundSpan(const WaveFormat& format, const std::vector<BYTE>& data, int level, size_t& begin, size_t& end)
{
    begin = end = 0;
    if (!format.IsPcm())
        return false;
    const WAVEFORMATEX& ex = format.Ex();
    if ((ex.wBitsPerSample != 8 && ex.wBitsPerSample != 16) || ex.nBlockAlign != ex.nChannels * ex.wBitsPerSample / 8)
        return false;
    const size_t step = ex.nBlockAlign;
    const size_t frames = data.size() / step;

    size_t first = 0;
    while (first < frames && !IsLoud(ex, &data[first * step], level))
        ++first;
    if (first == frames)
        return false;
    size_t last = frames - 1;
    while (last > first && !IsLoud(ex, &data[last * step], level))
        --last;
    begin = first * step;
    end = (last + 1) * step;
    return true;
}

CutResult CutPauses(const std::string& path, int level)
{
    WaveFormat format;
    std::vector<BYTE> data;
    if (ReadWaveFile(path, format, data) != kWaveOk)
        return CutResult::Failed;
    size_t begin = 0;
    size_t end = 0;
    if (!FindSoundSpan(format, data, level, begin, end))
        return CutResult::Unchanged;
    if (begin == 0 && end == data.size())
        return CutResult::Unchanged;
    DWORD bytes = static_cast<DWORD>(end - begin);
    DWORD samples = bytes / format.BlockAlign();
    if (WriteWaveFile(path, format, data.data() + begin, bytes, samples) != kWaveOk)
        return CutResult::Failed;
    return CutResult::Cut;
}

} // namespace wave
