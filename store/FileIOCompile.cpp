// The set compiler: a set's overlays as the byte image that a PS/2 or AccessKvora keyboard keeps, with
// each block's command translated from the tag syntax into key bytes.
#include "store/FileIO.h"
#include "command/CommandReading.h"
#include "library/Cp1252.h"
#include "library/IniFileCache.h"
#include "store/StoreFiles.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

const std::uint8_t kOverlayStart = 0x01;
const std::uint8_t kBlockStart = 0x02;
const std::uint8_t kOverlayEnd = 0x03;
// Every number of an overlay header or a block record carries the top bit.
const std::uint8_t kHigh = 0x80;
// Before a key that is held while the next one is typed.
const std::uint8_t kHold = 0x40;
const int kFirstStandardOverlay = 101;
const int kLastStandardOverlay = 127;

// The keyboard knows eight steps of each key time. The settings hold seconds with one decimal, so
// they are compared in whole tenths: a float's 0.7 must not fall below the 0.7 step.
int TimingIndex(float seconds)
{
    static const long kStepTenths[] = {1, 3, 5, 7, 10, 15, 20};
    const long tenths = std::lround(seconds * 10.0f);
    int index = 0;
    for (long step : kStepTenths) {
        if (tenths >= step)
            ++index;
    }
    return index;
}

// The words that name keys, in the order they are compared, and their key bytes (0x80 + the key's
// number on the 101/102-key PC keyboard). keyName -1: a fixed word, the same in every configuration.
// The modifiers are held while the next key of a combination is typed.
struct NamedKey {
    int keyName;
    const char* fixedWord;
    std::uint8_t byte;
    bool modifier = false;
};

const NamedKey kNamedKeys[] = {
    {FileIO::kReturn, nullptr, 0xAB}, {FileIO::kBackspace, nullptr, 0x8F}, {FileIO::kCtrl, nullptr, 0xBA, true},
    {FileIO::kAlt, nullptr, 0xBC, true}, {FileIO::kDelete, nullptr, 0xCC}, {FileIO::kShift, nullptr, 0xAC, true},
    {FileIO::kTab, nullptr, 0x90}, {FileIO::kEsc, nullptr, 0xEE}, {FileIO::kInsert, nullptr, 0xCB},
    {FileIO::kHome, nullptr, 0xD0}, {FileIO::kEnd, nullptr, 0xD1}, {FileIO::kPageUp, nullptr, 0xD5},
    {FileIO::kPageDown, nullptr, 0xD6}, {FileIO::kRight, nullptr, 0xD9}, {FileIO::kLeft, nullptr, 0xCF},
    {FileIO::kUp, nullptr, 0xD3}, {FileIO::kDown, nullptr, 0xD4},
    {-1, "Win", 0xC7, true},
    {-1, "F1", 0xF0}, {-1, "F2", 0xF1}, {-1, "F3", 0xF2}, {-1, "F4", 0xF3}, {-1, "F5", 0xF4}, {-1, "F6", 0xF5},
    {-1, "F7", 0xF6}, {-1, "F8", 0xF7}, {-1, "F9", 0xF8}, {-1, "F10", 0xF9}, {-1, "F11", 0xFA}, {-1, "F12", 0xFB},
    {FileIO::kCapsLock, nullptr, 0x9E}, {FileIO::kNumLock, nullptr, 0xDA}, {FileIO::kScrollLock, nullptr, 0xFD},
    {FileIO::kSpace, nullptr, 0xBD}, {FileIO::kPrintScreen, nullptr, 0xFC},
    {FileIO::kNum1, nullptr, 0xDD}, {FileIO::kNum2, nullptr, 0xE2}, {FileIO::kNum3, nullptr, 0xE7},
    {FileIO::kNum4, nullptr, 0xDC}, {FileIO::kNum5, nullptr, 0xE1}, {FileIO::kNum6, nullptr, 0xE6},
    {FileIO::kNum7, nullptr, 0xDB}, {FileIO::kNum8, nullptr, 0xE0}, {FileIO::kNum9, nullptr, 0xE5},
    {FileIO::kNum0, nullptr, 0xE3}, {FileIO::kNumMultiply, nullptr, 0xE4}, {FileIO::kNumAdd, nullptr, 0xEA},
    {FileIO::kNumSubtract, nullptr, 0xE9}, {FileIO::kNumDivide, nullptr, 0xDF}, {FileIO::kNumDecimal, nullptr, 0xE8},
};

// Whether the word names the key in this configuration. A modifier's word is read without regard to
// case, as tags name modifiers ("<WIN+R>" holds the Win key); every other word with its case.
bool Names(const NamedKey& key, const std::string& word, const std::array<std::string, FileIO::kKeyNameCount>& words)
{
    const std::string& name = key.fixedWord ? std::string(key.fixedWord) : words[static_cast<size_t>(key.keyName)];
    if (word.empty() || name.empty())
        return false;
    return key.modifier ? cp1252::EqualsNoCase(word, name) : word == name;
}

// A program start stands in the command as the start string, the program's path, maybe a blank and a
// file, and the end string (which begins with a tag). The keyboard needs the path in double quotes,
// closed where the program ends by the rule the editors split it by.
std::string QuoteProgramStart(const std::string& start, const std::string& command)
{
    if (start.empty() || !cp1252::StartsWithNoCase(command, start))
        return command;
    std::string rest = command.substr(start.size());
    const std::string programAndFile = rest.substr(0, rest.find('<'));
    rest.insert(command::ProgramEnd(programAndFile), 1, '"');
    return command.substr(0, start.size()) + '"' + rest;
}

// Translates one block command into the bytes of its record. Plain text goes key by key through the
// key-code table or, while the Zenthor flag is set, into runs that may become text macros. A tag is
// at most three words joined by '+': keys (the first ones held while the next is typed), pauses and
// infrared codes.
class CommandCompiler {
public:
    CommandCompiler(FileIO& io, std::vector<std::uint8_t>& bytes) : io_(io), bytes_(bytes) {}

    // The number of the first "<IRn>" tag that gave no code; -1 when none did.
    int MissingInfrared() const { return missingInfrared_; }

    void Compile(const std::string& command)
    {
        for (size_t i = 0; i < command.size();) {
            SettleHeldCode();
            if (command[i] == '<') {
                FlushRun();
                const size_t close = command.find('>', i + 1);
                const size_t end = close == std::string::npos ? command.size() : close;
                CompileTag(command.substr(i + 1, end - i - 1));
                i = close == std::string::npos ? command.size() : close + 1;
            } else {
                if (io_.zenthorFlag_)
                    run_ += command[i];
                else
                    io_.AppendKeyCodes(command[i], bytes_);
                ++i;
            }
        }
        FlushRun();
    }

private:
    bool IsModifier(const std::string& word) const
    {
        return std::any_of(std::begin(kNamedKeys), std::end(kNamedKeys),
                           [&](const NamedKey& key) { return key.modifier && Names(key, word, io_.keyNames_); });
    }

    void CompileTag(const std::string& tag)
    {
        std::vector<std::string> words = command::TagWords(tag);
        // With a modifier held, a letter is typed as its key: Ctrl and 'C' is Ctrl with the 'c' key.
        if (std::any_of(words.begin(), words.end(), [&](const std::string& word) { return IsModifier(word); })) {
            for (size_t i = words.size(); i-- > 0;) {
                if (words[i].size() == 1 && !IsModifier(words[i])) {
                    words[i][0] = cp1252::ToLower(words[i][0]);
                    break;
                }
            }
        }
        for (size_t i = 0; i < words.size(); ++i) {
            // A word after an infrared code follows it as much as a later character does.
            if (i > 0)
                SettleHeldCode();
            if ((i == 0 && words.size() > 1) || (i == 1 && words.size() == 3))
                bytes_.push_back(kHold);
            CompileWord(words[i]);
        }
    }

    void CompileWord(const std::string& word)
    {
        const std::string& pauseWord = io_.keyNames_[FileIO::kPause];
        int tenths = 0;
        // Without a pause word no word is a pause: an empty word would make "<Ctrl+5>" a pause of 5 s.
        if (command::IsPauseWord(word, pauseWord, &tenths)) {
            char digits[16];
            std::snprintf(digits, sizeof(digits), "%02x", static_cast<unsigned>(tenths));
            Append(digits);
        } else if (word.find("IR") != std::string::npos) {
            const int slot = std::atoi(word.c_str() + 2);
            if (!io_.zenthorFlag_ || !CompileInfrared(slot)) {
                if (missingInfrared_ < 0)
                    missingInfrared_ = slot;
            }
        } else if (word.size() == 1 && io_.keyCodeTable_[static_cast<unsigned char>(word[0])][0] == kHold) {
            // A character typed with Shift or AltGr ("<Ctrl+?>"): its row holds that key while the
            // character's key is typed, and a hold mark alone would be no key at all.
            io_.AppendKeyCodes(word[0], bytes_);
        } else {
            bytes_.push_back(io_.KeyNameToCode(word));
        }
    }

    // False when the slot holds no code that can be sent.
    bool CompileInfrared(int slot)
    {
        std::string item;
        const int wasPending = pending_;
        io_.FormatIrCode(slot, item, seen_, pending_);
        // The value is the item's last two digits.
        if (pending_ && !wasPending)
            pendingValueAt_ = bytes_.size() + item.size() - 2;
        Append(item);
        return !item.empty();
    }

    // The value 254 (sent as long as the key is held) holds only for the block's first such code, and
    // only when nothing follows it; once something does, that code's own value digits become "06".
    void SettleHeldCode()
    {
        if (!io_.zenthorFlag_ || !pending_ || !seen_)
            return;
        pending_ = 0;
        bytes_[pendingValueAt_] = '0';
        bytes_[pendingValueAt_ + 1] = '6';
    }

    void FlushRun()
    {
        if (run_.empty())
            return;
        const std::vector<std::uint8_t> compiled = io_.StoreTextMacro(run_);
        bytes_.insert(bytes_.end(), compiled.begin(), compiled.end());
        run_.clear();
    }

    void Append(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }

    FileIO& io_;
    std::vector<std::uint8_t>& bytes_;
    std::string run_;
    int seen_ = 0;
    int pending_ = 0;
    size_t pendingValueAt_ = 0;
    int missingInfrared_ = -1;
};

} // namespace

SetCompileResult FileIO::CompileSet(const std::string& setName, SetImage& image, int kind)
{
    pendingMacros_.clear();
    if (setName.empty())
        return SetCompileResult();
    // A table that was not there, or could not be read, holds no key at all: every text would be sent
    // as nothing.
    const bool noKeys = std::all_of(keyCodeTable_.begin(), keyCodeTable_.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](int code) { return code == 0; });
    });
    if (noKeys) {
        SetCompileResult result;
        result.reason = SetCompileResult::kNoKeyCodeTable;
        result.file = keyCodeTableFile_;
        return result;
    }
    image.Reset();
    compileModel_ = kind;
    if (kind == kModelPS2)
        zenthorFlag_ = 0;
    else
        InitTextHelper();

    auto refused = [&](const SetCompileResult& result) {
        // Nothing of a set that is not sent may reach zenthor.ini.
        pendingMacros_.clear();
        return result;
    };
    KeyboardSettings setSettings;
    if (KindOfSet(setName) == SetKind::kOrdinary) {
        std::vector<SetItem> overlays;
        ListOverlays(setName, overlays);
        for (const SetItem& overlay : overlays) {
            const SetCompileResult result = CompileOverlay(setName, overlay.name_, overlay.number_, nullptr, image);
            if (!result.Compiled())
                return refused(result);
        }
        ReadKeyboardSettings(SetRegisterPath(setName), setSettings);
    }

    // The standard overlays take the keyboard settings of the set they are loaded with.
    std::vector<SetItem> standard;
    ListOverlays(standardOverlaySetName_, standard);
    for (int number = kFirstStandardOverlay; number <= kLastStandardOverlay; ++number) {
        auto entry = std::find_if(standard.begin(), standard.end(),
                                  [&](const SetItem& item) { return item.number_ == number; });
        if (entry == standard.end())
            continue;
        const SetCompileResult result = CompileOverlay(standardOverlaySetName_, entry->name_, number, &setSettings, image);
        if (!result.Compiled())
            return refused(result);
    }
    return SetCompileResult();
}

SetCompileResult FileIO::CompileOverlay(const std::string& setName, const std::string& overlayName, int number,
                                        const KeyboardSettings* setSettings, SetImage& image)
{
    std::vector<Block> keys;
    KeyboardSettings ownSettings;
    SetCompileResult result;
    if (LoadKeyBlocks(OverlayPath(setName, overlayName), keys, ownSettings) != 0)
        result.reason = SetCompileResult::kUnreadable;
    else
        result = CheckKeyBlocks(keys);
    result.overlayName = overlayName;
    result.overlayNumber = number;
    if (!result.Compiled())
        return result;

    AppendOverlayHeader(number, static_cast<int>(keys.size()), setSettings ? *setSettings : ownSettings, image);
    for (const Block& block : keys) {
        const int missing = AppendBlock(block, image);
        // The PS/2 model has no infrared; on the AccessKvora model a key that would send nothing where
        // the user chose a code stops the load before anything is sent.
        if (missing >= 0 && compileModel_ != kModelPS2) {
            if (zenthorFlag_ || irCodesRead_ == IrCodeTable::kFileNotOpen)
                result.reason = SetCompileResult::kInfraredCodeMissing;
            else if (irCodesRead_ == IrCodeTable::kFileUnreadable)
                result.reason = SetCompileResult::kInfraredCodesUnreadable;
            else
                result.reason = SetCompileResult::kInfraredWithoutStartKeys;
            result.count = missing;
            int first = 0, last = 0;
            RectToCells(block.cells_.empty() ? RECT{} : block.cells_.front(), first, last);
            result.key = SetCompileResult::KeyDescription(block.text_, first);
            return result;
        }
    }
    image.Append(kOverlayEnd);
    return result;
}

int FileIO::LoadKeyBlocks(const std::string& path, std::vector<Block>& keys, KeyboardSettings& settings)
{
    keys.clear();
    std::string content;
    if (!storefile::ReadAll(path, content, storefile::kLargestOverlayFile))
        return -1;
    const int unread = ReadSection(storefile::SplitLines(content), "[" + keySection_ + "]", keys, nullptr, nullptr,
                                   LinesPastEnd::kIgnored);
    ReadKeyboardSettings(ini::FileView(path, std::move(content)), settings);
    return unread;
}

SetCompileResult FileIO::CheckKeyBlocks(const std::vector<Block>& keys)
{
    SetCompileResult result;
    if (keys.size() > static_cast<size_t>(SetCompileResult::kMostInImage)) {
        result.reason = SetCompileResult::kTooManyBlocks;
        result.count = static_cast<int>(keys.size());
        return result;
    }
    for (const Block& block : keys) {
        if (block.cells_.size() > static_cast<size_t>(SetCompileResult::kMostInImage)) {
            result.reason = SetCompileResult::kTooManyRanges;
            result.count = static_cast<int>(block.cells_.size());
            return result;
        }
        if (!std::all_of(block.cells_.begin(), block.cells_.end(), Block::IsValidRange)) {
            result.reason = SetCompileResult::kCellOutsideGrid;
            return result;
        }
    }
    return result;
}

void FileIO::AppendOverlayHeader(int number, int blockCount, const KeyboardSettings& settings, SetImage& image)
{
    const std::uint8_t header[7] = {
        kOverlayStart,
        static_cast<std::uint8_t>(kHigh | number),
        static_cast<std::uint8_t>(kHigh | blockCount),
        static_cast<std::uint8_t>(kHigh | TimingIndex(settings.frequency_) << 4 | TimingIndex(settings.repeatDelay_)),
        static_cast<std::uint8_t>(kHigh | TimingIndex(settings.signalDelay_) << 4 | TimingIndex(settings.bounceLock_)),
        static_cast<std::uint8_t>(kHigh | (settings.flashSignal_ ? 1 : 0) | (settings.beepSignal_ ? 2 : 0)),
        kHigh,
    };
    image.Append(header, sizeof(header));
}

int FileIO::AppendBlock(const Block& block, SetImage& image)
{
    std::vector<std::uint8_t> record = {kBlockStart, static_cast<std::uint8_t>(block.repeat_ ? 0x81 : 0x80),
                                        static_cast<std::uint8_t>(kHigh | block.cells_.size())};
    for (const RECT& range : block.cells_) {
        int first = 0, last = 0;
        RectToCells(range, first, last);
        record.push_back(static_cast<std::uint8_t>(kHigh | first));
        record.push_back(static_cast<std::uint8_t>(kHigh | last));
    }
    CommandCompiler compiler(*this, record);
    compiler.Compile(QuoteProgramStart(defaultStartString_, block.command_));
    image.Append(record);
    return compiler.MissingInfrared();
}

void FileIO::AppendKeyCodes(char character, std::vector<std::uint8_t>& bytes) const
{
    // Indexed by the character's unsigned code: å, ä and ö lie above 0x7F.
    for (int code : keyCodeTable_[static_cast<unsigned char>(character)]) {
        if (code == 0)
            break;
        bytes.push_back(static_cast<std::uint8_t>(code));
    }
}

std::uint8_t FileIO::KeyNameToCode(const std::string& word) const
{
    if (word.size() == 1)
        return static_cast<std::uint8_t>(keyCodeTable_[static_cast<unsigned char>(word[0])][0]);
    for (const NamedKey& key : kNamedKeys)
        if (Names(key, word, keyNames_))
            return key.byte;
    return 0;
}

void FileIO::FormatIrCode(int slot, std::string& text, int& seen, int& pending) const
{
    text.clear();
    char type = 0;
    int code = 0;
    int value = 0;
    if (slot == 0 || irCodes_.GetTypeAndCode(slot, type, code) != 0 || irCodes_.GetValue(slot, value) != 0)
        return;
    // A RavikLink code is sent by the number its text holds.
    if (type == 'G') {
        std::string number;
        irCodes_.GetText(slot, number);
        code = std::atoi(number.c_str());
    }
    // Two hexadecimal digits each: a hand-edited file's larger numbers would shift every byte after them.
    if (code < 0 || code > 0xFF || value < 0 || value > 0xFF)
        return;
    if (value == 254) {
        if (seen) {
            value = 6;
        } else {
            seen = 1;
            pending = 1;
        }
    }
    char item[16];
    std::snprintf(item, sizeof(item), "%c%02X%02X", type, static_cast<unsigned>(code), static_cast<unsigned>(value));
    text = item;
}
