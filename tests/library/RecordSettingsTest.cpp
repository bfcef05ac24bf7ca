// Recording settings in an ini file and in the registry: defaults, the stored form, and values
// outside what the dialogs offer.
#include "library/RecordSettings.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using testsupport::TempFolder;

namespace {

const char kProgram[] = "RzSoundTest";
const char kProgramKey[] = "Software\\Ulmarcon\\RzSoundTest";

class RegistryKeyGuard {
public:
    explicit RegistryKeyGuard(const char* key) : key_(key) { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_); }
    ~RegistryKeyGuard() { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_); }

private:
    const char* key_;
};

DWORD RegistryValue(const std::string& key, const char* name)
{
    DWORD value = 0xDEAD;
    DWORD size = sizeof(value);
    ::RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

void ExpectSettings(const RecordSettings& settings, int time, int silence, int cut, int quality)
{
    EXPECT_EQ(time, settings.recordingTime);
    EXPECT_EQ(silence, settings.silenceLevel);
    EXPECT_EQ(cut, settings.cutPauses);
    EXPECT_EQ(quality, settings.quality);
}

} // namespace

TEST(RecordSettings, DefaultsLieInsideWhatTheDialogOffers)
{
    TempFolder folder;
    RegistryKeyGuard guard(kProgramKey);
    for (RecordSettingsStore store : {RecordSettingsStore(nullptr, (folder / "none.ini").c_str()),
                                      RecordSettingsStore(kProgram, nullptr)}) {
        RecordSettings settings = store.Load();
        ExpectSettings(settings, 5, 20, 1, 2);
        EXPECT_GE(settings.silenceLevel, RecordSettings::kMinSilenceLevel);
        EXPECT_LE(settings.silenceLevel, RecordSettings::kMaxSilenceLevel);
    }
}

TEST(RecordSettings, IniFileHoldsTheFourKeysAsText)
{
    TempFolder folder;
    std::string ini = folder.Write("morvel.ini", "[Other]\r\nKey=1\r\n");
    RecordSettingsStore store(kProgram, ini.c_str());
    ASSERT_TRUE(store.UsesIniFile());
    RecordSettings settings;
    settings.recordingTime = 30;
    settings.silenceLevel = 7;
    settings.cutPauses = 0;
    settings.quality = 0;
    ASSERT_TRUE(store.Save(settings));
    std::string text = TempFolder::Read(ini);
    EXPECT_NE(std::string::npos, text.find("[RecordSound]\r\nRecordingTime=30\r\nWaveSilence=7\r\nCutPauses=0\r\nSoundQuality=0\r\n"))
        << text;
    ExpectSettings(store.Load(), 30, 7, 0, 0);
}

TEST(RecordSettings, RegistryKeyOfTheProgramOrTheCommonOne)
{
    EXPECT_EQ("Software\\Ulmarcon\\RzSoundTest\\RecordSound", RecordSettingsStore(kProgram, nullptr).RegistryKey());
    EXPECT_EQ("Software\\Ulmarcon\\RecordSound", RecordSettingsStore(nullptr, nullptr).RegistryKey());
    EXPECT_EQ("Software\\Ulmarcon\\RecordSound", RecordSettingsStore("", nullptr).RegistryKey());

    RegistryKeyGuard guard(kProgramKey);
    RecordSettingsStore store(kProgram, nullptr);
    RecordSettings settings;
    settings.recordingTime = 60;
    settings.silenceLevel = 12;
    settings.cutPauses = 0;
    settings.quality = 1;
    ASSERT_TRUE(store.Save(settings));  // the key is made when missing
    EXPECT_EQ(60u, RegistryValue(store.RegistryKey(), "RecordingTime"));
    EXPECT_EQ(12u, RegistryValue(store.RegistryKey(), "SilenceDef"));
    EXPECT_EQ(0u, RegistryValue(store.RegistryKey(), "CutPause"));
    EXPECT_EQ(1u, RegistryValue(store.RegistryKey(), "Quality"));
    ExpectSettings(store.Load(), 60, 12, 0, 1);
}

TEST(RecordSettings, StoredValuesOutsideTheirRangeAreBroughtIn)
{
    TempFolder folder;
    struct Case {
        const char* stored;
        int time, silence, cut, quality;
    };
    const Case cases[] = {
        {"RecordingTime=10\r\nWaveSilence=25\r\nCutPauses=1\r\nSoundQuality=2\r\n", 10, 20, 1, 2},
        {"RecordingTime=0\r\nWaveSilence=1\r\nCutPauses=7\r\nSoundQuality=5\r\n", 5, 5, 1, 1},
        {"RecordingTime=3600\r\nWaveSilence=x\r\nCutPauses=0\r\nSoundQuality=-1\r\n", 60, 20, 0, 1},
        {"RecordingTime=7\r\n", 7, 20, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::string ini = folder.Write("settings.ini", std::string("[RecordSound]\r\n") + c.stored);
        ExpectSettings(RecordSettingsStore(nullptr, ini.c_str()).Load(), c.time, c.silence, c.cut, c.quality);
    }

    // The registry's quality follows the same rule: anything but 0 and 2 is 1.
    RegistryKeyGuard guard(kProgramKey);
    RecordSettingsStore store(kProgram, nullptr);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, store.RegistryKey().c_str(), 0, nullptr, 0,
                                               KEY_WRITE, nullptr, &key, nullptr));
    DWORD quality = 3;
    DWORD silence = 25;
    ::RegSetValueExA(key, "Quality", 0, REG_DWORD, reinterpret_cast<BYTE*>(&quality), sizeof(quality));
    ::RegSetValueExA(key, "SilenceDef", 0, REG_DWORD, reinterpret_cast<BYTE*>(&silence), sizeof(silence));
    ::RegCloseKey(key);
    ExpectSettings(store.Load(), 5, 20, 1, 1);
}

TEST(RecordSettings, QualitiesAreTheirFormats)
{
    struct Case {
        int quality;
        DWORD rate;
        WORD bits;
    };
    for (const Case& c : {Case{0, 11025, 8}, Case{1, 22050, 8}, Case{2, 22050, 16}}) {
        wave::WaveFormat wave = RecordSettings::FormatForQuality(c.quality);
        const WAVEFORMATEX& format = wave.Ex();
        EXPECT_EQ(WAVE_FORMAT_PCM, format.wFormatTag);
        EXPECT_EQ(1, format.nChannels);
        EXPECT_EQ(c.rate, format.nSamplesPerSec);
        EXPECT_EQ(c.bits, format.wBitsPerSample);
        EXPECT_EQ(c.bits / 8, format.nBlockAlign);
        EXPECT_EQ(c.rate * c.bits / 8, format.nAvgBytesPerSec);
    }
}
