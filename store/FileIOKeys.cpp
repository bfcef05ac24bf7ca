// FileIO's keyboard settings in ini files, the key tables of the keyboard layout, and the key grid.
#include "store/FileIO.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include "library/IniValues.h"
#include "store/IniText.h"
#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

const char* const kKeyNameKeys[FileIO::kKeyNameCount] = {
    "Return", "Backspace", "Ctrl", "Alt", "Delete", "Shift", "Tab", "Esc", "Insert", "Home", "End",
    "PageUp", "PageDown", "Right", "Left", "Up", "Down", "CapsLock", "NumLock", "ScrollLock", "Space",
    "PrintScreen", "Pause", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9",
    "Num0", "NumMultiply", "NumAdd", "NumSubtract", "NumDivide", "NumDecimal", "Num"};

const char* const kLanguageKeys[FileIO::kLanguageKeyCount] = {
    "Grave", "Aicu", "CirconFlex", "Dots", "Approx", "Start", "End", "Special1", "Special2", "Special3",
    "Special4", "Special5", "Special6", "Special7"};

const char* const kSection = "KeyboardSettings";

// Reads "%d" fields separated by commas into the given places, as the C library's scanner would:
// reading stops at the first field that is not a number, and the places after it keep their values.
// Returns the position after the last comma read, or npos when the text stopped early.
size_t ReadNumbers(const std::string& text, int* const* places, size_t count)
{
    const char* start = text.c_str();
    const char* position = start;
    for (size_t i = 0; i < count; ++i) {
        char* end = nullptr;
        long value = std::strtol(position, &end, 10);
        if (end == position)
            return std::string::npos;
        *places[i] = static_cast<int>(value);
        position = end;
        if (*position != ',')
            return std::string::npos;
        ++position;
    }
    return static_cast<size_t>(position - start);
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One field of a key-code line: blanks, then at most six hexadecimal digits; anything else reads 0.
int HexField(const std::string& field)
{
    size_t i = field.find_first_not_of(" \t");
    if (i == std::string::npos)
        return 0;
    if (field.compare(i, 2, "0x") == 0 || field.compare(i, 2, "0X") == 0)
        i += 2;
    int value = 0;
    for (size_t digits = 0; i < field.size() && digits < 6 && IsHexDigit(field[i]); ++i, ++digits) {
        char c = field[i];
        value = value * 16 + (c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return value;
}

} // namespace

namespace {

// Read gives a key's value of the section, or the fallback.
template <class Read>
void ReadKeyboardSettingsWith(Read read, KeyboardSettings& settings)
{
    auto number = [&](const char* key, const char* defaultValue) { return std::atoi(read(key, defaultValue).c_str()); };
    auto decimal = [&](const char* key, const char* defaultValue) {
        return static_cast<float>(ini::ParseDecimal(read(key, defaultValue)));
    };
    settings.flashSignal_ = number("FlashSignal", "1");
    settings.beepSignal_ = number("BeepSignal", "1");
    settings.frequency_ = decimal("Frequency", "0.7");
    settings.repeatDelay_ = decimal("RepeatDelay", "1");
    settings.signalDelay_ = decimal("SignalDelay", "0");
    settings.bounceLock_ = decimal("BounceLock", "0");
    settings.sendType_ = ::lstrcmpiA(read("SendType", "API").c_str(), "Game") == 0 ? 1 : 0;
    settings.mouseKeyTopSpeed_ = number("MouseKeyTopSpeed", "20");
    settings.mouseKeyAcceleration_ = number("MouseKeyAcceleration", "100");
    settings.mouseCursorStep_ = number("MouseCursorStep", "1");
}

} // namespace

void FileIO::ReadKeyboardSettings(const std::string& file, KeyboardSettings& settings, const std::string& section)
{
    ReadKeyboardSettingsWith(
        [&](const char* key, const char* fallback) { return ini::ReadString(file, section, key, fallback); }, settings);
}

void FileIO::ReadKeyboardSettings(const ini::FileView& file, KeyboardSettings& settings, const std::string& section)
{
    ReadKeyboardSettingsWith([&](const char* key, const char* fallback) { return file.Read(section, key, fallback); },
                             settings);
}

void FileIO::PutKeyboardSettings(IniText& text, const KeyboardSettings& settings, const std::string& section)
{
    text.Set(section, "FlashSignal", std::to_string(settings.flashSignal_));
    text.Set(section, "BeepSignal", std::to_string(settings.beepSignal_));
    text.Set(section, "Frequency", ini::FormatDecimal(settings.frequency_));
    text.Set(section, "RepeatDelay", ini::FormatDecimal(settings.repeatDelay_));
    text.Set(section, "SignalDelay", ini::FormatDecimal(settings.signalDelay_));
    text.Set(section, "BounceLock", ini::FormatDecimal(settings.bounceLock_));
    text.Set(section, "SendType", settings.sendType_ == 1 ? "Game" : "API");
    text.Set(section, "MouseKeyTopSpeed", std::to_string(settings.mouseKeyTopSpeed_));
    text.Set(section, "MouseKeyAcceleration", std::to_string(settings.mouseKeyAcceleration_));
    text.Set(section, "MouseCursorStep", std::to_string(settings.mouseCursorStep_));
}

bool FileIO::WriteKeyboardSettings(const std::string& file, const KeyboardSettings& settings, const std::string& section)
{
    return EditIniFile(file, [&](IniText& text) { PutKeyboardSettings(text, settings, section); });
}

bool FileIO::WriteSignalTimes(const std::string& file, float signalDelay, float bounceLock)
{
    return EditIniFile(file, [&](IniText& text) {
        text.Set(kSection, "SignalDelay", ini::FormatDecimal(signalDelay));
        text.Set(kSection, "BounceLock", ini::FormatDecimal(bounceLock));
    });
}

bool FileIO::WriteRepeatTimes(const std::string& file, float repeatDelay, float frequency)
{
    return EditIniFile(file, [&](IniText& text) {
        text.Set(kSection, "RepeatDelay", ini::FormatDecimal(repeatDelay));
        text.Set(kSection, "Frequency", ini::FormatDecimal(frequency));
    });
}

bool FileIO::WriteFeedback(const std::string& file, int flashSignal, int beepSignal)
{
    return EditIniFile(file, [&](IniText& text) {
        text.Set(kSection, "FlashSignal", std::to_string(flashSignal));
        text.Set(kSection, "BeepSignal", std::to_string(beepSignal));
    });
}

void FileIO::ReadKeyNames(const ini::FileView& settings)
{
    // The driver program reads the same words with room for 14 characters: a longer word is cut
    // here the same way, so the editors, the compiler and the driver agree.
    for (int i = 0; i < kKeyNameCount; ++i)
        keyNames_[static_cast<size_t>(i)] = settings.Read("KeyNames", kKeyNameKeys[i]).substr(0, kMaxKeyName);
}

void FileIO::ReadLanguage(const ini::FileView& settings)
{
    for (int i = 0; i < kLanguageKeyCount; ++i) {
        LanguageKey& entry = languageKeys_[static_cast<size_t>(i)];
        // A trailing comma lets the same reader take the last number of the four.
        const std::string value = settings.Read("Language", kLanguageKeys[i]) + ",";
        int* const places[4] = {&entry.keyCode_, &entry.ctrl_, &entry.alt_, &entry.shift_};
        size_t after = ReadNumbers(value, places, 4);
        // The special entries carry a character: the single byte after the fourth comma.
        if (i >= kSpecial1 && after != std::string::npos && after + 1 < value.size())
            entry.character_ = static_cast<unsigned char>(value[after]);
    }
    altGrKeys_.fill(0);
    const std::string altGr = settings.Read("Language", "AltGrKey") + ",";
    int* places[kAltGrKeyCount];
    for (int i = 0; i < kAltGrKeyCount; ++i)
        places[i] = &altGrKeys_[static_cast<size_t>(i)];
    ReadNumbers(altGr, places, kAltGrKeyCount);
}

void FileIO::ReadKeyCodeTable()
{
    for (auto& row : keyCodeTable_)
        row.fill(0);
    std::string path = keyCodeTableFile_;
    if (ImageBaseManager::LocateFile(path) != 1)
        return;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return;
    // One line per character code, six hexadecimal fields. Fields are separated by ", " as the
    // program has always written them, or by a bare ','; a short line leaves its missing fields 0.
    std::string line;
    size_t row = 0;
    while (row < keyCodeTable_.size() && std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        size_t start = 0;
        for (size_t column = 0; column < keyCodeTable_[row].size() && start <= line.size(); ++column) {
            size_t comma = line.find(',', start);
            if (comma == std::string::npos)
                comma = line.size();
            keyCodeTable_[row][column] = HexField(line.substr(start, comma - start));
            start = comma + 1;
        }
        ++row;
    }
}

void FileIO::CellsToRect(int firstCell, int lastCell, RECT& rect)
{
    rect.left = std::min(firstCell % 16, lastCell % 16);
    rect.right = std::max(firstCell % 16, lastCell % 16);
    rect.top = std::min(firstCell / 16, lastCell / 16);
    rect.bottom = std::max(firstCell / 16, lastCell / 16);
}

void FileIO::RectToCells(const RECT& rect, int& firstCell, int& lastCell)
{
    firstCell = rect.left + 16 * rect.top;
    lastCell = rect.right + 16 * rect.bottom;
}

void FileIO::EscapeNewlines(std::string& text, EscapeDirection direction)
{
    // Pairwise and in place: a pair becomes a pair, so the length never changes.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (direction == kForWriting && text[i] == '\r' && text[i + 1] == '\n') {
            text[i] = '\\';
            text[i + 1] = 'n';
        } else if (direction == kForReading && text[i] == '\\' && text[i + 1] == 'n') {
            text[i] = '\r';
            text[i + 1] = '\n';
        }
    }
}
