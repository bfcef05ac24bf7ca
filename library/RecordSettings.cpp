// Recording settings in the ini file or the registry.
#include "library/RecordSettings.h"
#include "framework/Strings.h"
#include <algorithm>
#include <cstdlib>

namespace {

const char kSection[] = "RecordSound";

// Read as text, so a negative number reads as itself everywhere; anything else keeps the default.
int ReadIniInt(const char* key, int fallback, const char* ini)
{
    char value[32] = "";
    ::GetPrivateProfileStringA(kSection, key, "", value, sizeof(value), ini);
    char* end = nullptr;
    long number = std::strtol(value, &end, 10);
    return end == value ? fallback : static_cast<int>(number);
}

int ReadDword(HKEY key, const char* name, int fallback)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return static_cast<int>(value);
}

bool WriteDword(HKEY key, const char* name, int value)
{
    DWORD stored = static_cast<DWORD>(value);
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof(stored)) ==
           ERROR_SUCCESS;
}

} // namespace

const std::vector<int> RecordSettings::kRecordingTimes = {2, 5, 10, 15, 20, 30, 60};

void RecordSettings::Normalize()
{
    // No recording of zero seconds, and none too long for a RIFF file's sizes.
    if (recordingTime < 1)
        recordingTime = RecordSettings().recordingTime;
    recordingTime = std::min(recordingTime, kLongestRecording);
    silenceLevel = std::max(kMinSilenceLevel, std::min(silenceLevel, kMaxSilenceLevel));
    cutPauses = cutPauses ? 1 : 0;
    if (quality != 0 && quality != 2)
        quality = 1;
}

wave::WaveFormat RecordSettings::FormatForQuality(int quality)
{
    switch (quality) {
    case 0:
        return wave::WaveFormat::Pcm(11025, 8);
    case 2:
        return wave::WaveFormat::Pcm(22050, 16);
    default:
        return wave::WaveFormat::Pcm(22050, 8);
    }
}

RecordSettingsStore::RecordSettingsStore(const char* programName, const char* iniPath)
    : iniPath_(iniPath ? iniPath : "")
{
    if (programName && *programName)
        registryKey_ = fw::Format("Software\\Ulmarcon\\%s\\RecordSound", programName);
    else
        registryKey_ = "Software\\Ulmarcon\\RecordSound";
}

RecordSettings RecordSettingsStore::Load() const
{
    RecordSettings settings;
    if (UsesIniFile()) {
        const char* ini = iniPath_.c_str();
        settings.recordingTime = ReadIniInt("RecordingTime", settings.recordingTime, ini);
        settings.silenceLevel = ReadIniInt("WaveSilence", settings.silenceLevel, ini);
        settings.cutPauses = ReadIniInt("CutPauses", settings.cutPauses, ini);
        settings.quality = ReadIniInt("SoundQuality", settings.quality, ini);
    } else {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, registryKey_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            settings.recordingTime = ReadDword(key, "RecordingTime", settings.recordingTime);
            settings.silenceLevel = ReadDword(key, "SilenceDef", settings.silenceLevel);
            settings.cutPauses = ReadDword(key, "CutPause", settings.cutPauses);
            settings.quality = ReadDword(key, "Quality", settings.quality);
            ::RegCloseKey(key);
        }
    }
    settings.Normalize();
    return settings;
}

bool RecordSettingsStore::Save(const RecordSettings& settings) const
{
    if (UsesIniFile()) {
        const char* ini = iniPath_.c_str();
        bool ok = ::WritePrivateProfileStringA(kSection, "RecordingTime", fw::Format("%d", settings.recordingTime).c_str(), ini);
        ok = ::WritePrivateProfileStringA(kSection, "WaveSilence", fw::Format("%d", settings.silenceLevel).c_str(), ini) && ok;
        ok = ::WritePrivateProfileStringA(kSection, "CutPauses", fw::Format("%d", settings.cutPauses).c_str(), ini) && ok;
        ok = ::WritePrivateProfileStringA(kSection, "SoundQuality", fw::Format("%d", settings.quality).c_str(), ini) && ok;
        return ok;
    }
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, registryKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = WriteDword(key, "RecordingTime", settings.recordingTime);
    ok = WriteDword(key, "SilenceDef", settings.silenceLevel) && ok;
    ok = WriteDword(key, "CutPause", settings.cutPauses) && ok;
    ok = WriteDword(key, "Quality", settings.quality) && ok;
    ::RegCloseKey(key);
    return ok;
}
