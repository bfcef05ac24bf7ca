// The keyboard settings commands' shared steps.
#include "skarpin/KeyboardSettingsCommand.h"
#include "library/IniValues.h"
#include "store/FileIO.h"
#include "store/IniText.h"

namespace {

const char* const kSection = "KeyboardSettings";

} // namespace

bool SameInGroup(KeyboardGroup group, const KeyboardSettings& a, const KeyboardSettings& b)
{
    switch (group) {
    case KeyboardGroup::kKeyTiming:
        return a.signalDelay_ == b.signalDelay_ && a.bounceLock_ == b.bounceLock_;
    case KeyboardGroup::kRepetition:
        return a.repeatDelay_ == b.repeatDelay_ && a.frequency_ == b.frequency_;
    case KeyboardGroup::kFeedback:
        return a.flashSignal_ == b.flashSignal_ && a.beepSignal_ == b.beepSignal_;
    }
    return false;
}

GroupPreset PresetOf(KeyboardGroup group, const std::vector<KeyboardSettings>& records)
{
    GroupPreset preset;
    for (size_t i = 0; i < records.size(); ++i) {
        if (i > 0 && !SameInGroup(group, records[i - 1], records[i]))
            preset.allEqual = 0;
        preset.shown = records[i];
    }
    return preset;
}

bool WriteGroupFields(const std::string& file, KeyboardGroup group, const KeyboardSettings& values,
                      GroupFields fields)
{
    if (!fields.Any())
        return true;
    if (fields.first && fields.second) {
        switch (group) {
        case KeyboardGroup::kKeyTiming:
            return FileIO::WriteSignalTimes(file, values.signalDelay_, values.bounceLock_);
        case KeyboardGroup::kRepetition:
            return FileIO::WriteRepeatTimes(file, values.repeatDelay_, values.frequency_);
        case KeyboardGroup::kFeedback:
            return FileIO::WriteFeedback(file, values.flashSignal_, values.beepSignal_);
        }
    }
    return EditIniFile(file, [&](IniText& text) {
        switch (group) {
        case KeyboardGroup::kKeyTiming:
            if (fields.first)
                text.Set(kSection, "SignalDelay", ini::FormatDecimal(values.signalDelay_));
            if (fields.second)
                text.Set(kSection, "BounceLock", ini::FormatDecimal(values.bounceLock_));
            break;
        case KeyboardGroup::kRepetition:
            if (fields.first)
                text.Set(kSection, "RepeatDelay", ini::FormatDecimal(values.repeatDelay_));
            if (fields.second)
                text.Set(kSection, "Frequency", ini::FormatDecimal(values.frequency_));
            break;
        case KeyboardGroup::kFeedback:
            if (fields.first)
                text.Set(kSection, "FlashSignal", std::to_string(values.flashSignal_));
            if (fields.second)
                text.Set(kSection, "BeepSignal", std::to_string(values.beepSignal_));
            break;
        }
    });
}
