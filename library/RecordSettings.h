// The recording settings (time, silence level, pause cutting, quality) and where they are kept: an
// ini file given by the caller, or the maker's registry key for the program.
#pragma once
#include "library/WaveFile.h"
#include <string>
#include <vector>

struct RecordSettings {
    // Seconds; the dialog offers kRecordingTimes.
    int recordingTime = 5;
    // How far from silence a sample must lie to count as sound; the slider offers 5 to 20.
    int silenceLevel = 20;
    // 1: cut the silence at both ends of a new recording.
    int cutPauses = 1;
    // 0 telephone (11 kHz, 8 bits), 1 radio (22 kHz, 8 bits), 2 better radio (22 kHz, 16 bits); mono.
    int quality = 2;

    static const std::vector<int> kRecordingTimes;
    static constexpr int kMinSilenceLevel = 5;
    static constexpr int kMaxSilenceLevel = 20;
    static constexpr int kLongestRecording = 60;

    // Brings values from a file or a user into the ranges the dialogs and the recorder work in.
    void Normalize();
    // The PCM format of a quality.
    static wave::WaveFormat FormatForQuality(int quality);
};

class RecordSettingsStore {
public:
    // With an ini path: its section [RecordSound]. Without: HKEY_LOCAL_MACHINE
    // "Software\Ulmarcon\<program>\RecordSound", or "Software\Ulmarcon\RecordSound" without a program.
    RecordSettingsStore(const char* programName, const char* iniPath);

    // Missing values keep their defaults; the result is normalized.
    RecordSettings Load() const;
    // false when the ini file or the registry key refused a value.
    bool Save(const RecordSettings& settings) const;

    bool UsesIniFile() const { return !iniPath_.empty(); }
    const std::string& RegistryKey() const { return registryKey_; }

private:
    std::string iniPath_;
    std::string registryKey_;
};
