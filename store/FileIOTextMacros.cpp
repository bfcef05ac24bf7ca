// Text macros of the AccessKvora model: a long text of a block command is stored in zenthor.ini under
// a three-character identifier, and the block types a start sequence of three keys and the
// identifier, which the Zenthor program replaces by the text. Also the scan codes of PC keys as the
// keyboard's key numbers.
#include "store/FileIO.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include "store/IniText.h"
#include "store/ZenthorFiles.h"
#include <cstdlib>

namespace {

const char* const kStartSection = "StartSequence";
const char* const kPathsSection = "Paths";
// The Zenthor program keeps the start keys in fields of 19 characters.
const size_t kStartKeyLength = 19;
// A first start key of 255 means the start sequence is three times the key that the Zenthor program
// knows without being told (key 14, absent from the 101/102-key keyboard); no character goes with it.
const int kSequenceOfItsOwn = 255;
const int kOwnSequenceKey = 14;
// A run this short, without a start character, is cheaper typed key by key than as a macro.
const size_t kLongestTypedRun = 9;
// "000" and "001" hold the start characters; identifiers of texts begin after them.
const char* const kFirstMacroId = "003";
// zenthor.ini holds at most some thousand texts of a few hundred characters.
const unsigned long long kLargestZenthorIni = 64ull * 1024 * 1024;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool IsKeyNumber(int number)
{
    return number >= 1 && number <= 127;
}

// The key number of a Windows virtual key on this keyboard layout, and the character it types
// unshifted (0 when it types none).
int KeyOfVirtualKey(int virtualKey, char* character = nullptr)
{
    const UINT scanCode = ::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    if (character) {
        // The top bit marks a dead key; the character itself is in the low word.
        const wchar_t wide = static_cast<wchar_t>(::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR) & 0xFFFF);
        char narrow = 0;
        BOOL unmapped = FALSE;
        if (wide == 0 || ::WideCharToMultiByte(1252, 0, &wide, 1, &narrow, 1, nullptr, &unmapped) != 1 || unmapped)
            narrow = 0;
        *character = narrow;
    }
    return FileIO::ScanCodeToKeyNumber(static_cast<int>(scanCode));
}

std::string ReadStartKey(const std::string& file, int position)
{
    return ini::ReadString(file, kStartSection, "VK_KEY_" + std::to_string(position)).substr(0, kStartKeyLength);
}

// The character whose row of the key-code table is Shift with the given character's key.
char ShiftedCharacter(const FileIO& io, char character)
{
    const int key = io.keyCodeTable_[static_cast<unsigned char>(character)][0];
    if (key == 0)
        return 0;
    for (int code = 0; code < 255; ++code) {
        const auto& row = io.keyCodeTable_[static_cast<size_t>(code)];
        if ((row[1] == 0xAC || row[1] == 0xB9) && row[2] == key)
            return static_cast<char>(code);
    }
    return 0;
}

// The start sequence from [StartSequence] of zenthor.ini, and the start characters' entries; false
// when a start key has no key number.
bool SetUpStartSequence(FileIO& io, const std::string& file, int firstVirtualKey)
{
    if (firstVirtualKey == kSequenceOfItsOwn) {
        io.startCodes_.assign(3, static_cast<char>(kOwnSequenceKey));
        return true;
    }
    char character = 0;
    const int first = KeyOfVirtualKey(firstVirtualKey, &character);
    if (!IsKeyNumber(first))
        return false;
    io.startCodes_.assign(3, static_cast<char>(first));
    // A key that types no character has no entry for it: "\"%c\"" of 0 would end the text at its quote.
    if (character != 0) {
        io.startCharacters_ = character;
        io.pendingMacros_.emplace_back("000", Quoted(std::string(1, character)));
        if (const char shifted = ShiftedCharacter(io, character)) {
            io.startCharacters_ += shifted;
            io.pendingMacros_.emplace_back("001", Quoted(std::string(1, shifted)));
        }
        // The system names a letter key by its capital, but the key types the small letter: typed key
        // by key, "aaa" would be the start sequence itself.
        const char small = cp1252::ToLower(character);
        if (io.startCharacters_.find(small) == std::string::npos)
            io.startCharacters_ += small;
    }
    for (int position = 2; position <= 3; ++position) {
        const std::string value = ReadStartKey(file, position);
        if (value.empty())
            continue;
        const int key = KeyOfVirtualKey(std::atoi(value.c_str()));
        if (!IsKeyNumber(key))
            return false;
        io.startCodes_[static_cast<size_t>(position - 1)] = static_cast<char>(key);
    }
    return true;
}

// The identifier after this one: each place runs through '0'-'9' and 'a'-'z', the last place first.
// False after "zzz": there is none.
bool AdvanceMacroId(std::string& id)
{
    for (size_t i = id.size(); i-- > 0;) {
        char& place = id[i];
        if (place == '9') {
            place = 'a';
            return true;
        }
        if (place != 'z') {
            ++place;
            return true;
        }
        place = '0';
    }
    return false;
}

} // namespace

std::string FileIO::ZenthorIniPath() const
{
    // A bare name: the file in the Windows folder, beside the Windows settings file.
    return windowsSettingsFile_.substr(0, windowsSettingsFile_.rfind('\\') + 1) + zenthorIniName_;
}

void FileIO::InitTextHelper()
{
    zenthorFlag_ = 1;
    startCodes_.clear();
    startCharacters_.clear();
    nextMacroId_.clear();
    pendingMacros_.clear();
    const std::string file = ZenthorIniPath();
    // A file that cannot be read, or one in another text form, names no start keys, and no text macro
    // is then written into it.
    std::string content;
    const bool readable = fw::ReadWholeFile(file, content, kLargestZenthorIni) == fw::FileRead::Whole
                          && fw::TextFormOf(content) == fw::TextForm::SingleByte;
    const std::string firstKey = readable ? ReadStartKey(file, 1) : std::string();
    if (firstKey.empty() || !SetUpStartSequence(*this, file, std::atoi(firstKey.c_str())))
        zenthorFlag_ = 0;
    else
        nextMacroId_ = kFirstMacroId;
    // Infrared codes and text macros go together or not at all. Only a file that is not there or cannot
    // be read at all means no codes; lines the table leaves out take only their own codes away.
    irCodesRead_ = irCodes_.Load(zenthor::CodeFile(programFolder_));
    if (irCodesRead_ == IrCodeTable::kFileNotOpen || irCodesRead_ == IrCodeTable::kFileUnreadable)
        zenthorFlag_ = 0;
}

std::vector<std::uint8_t> FileIO::StoreTextMacro(const std::string& run)
{
    std::vector<std::uint8_t> bytes;
    // A start character typed key by key would make the Zenthor program read what follows as an identifier.
    const bool holdsStart = !startCharacters_.empty() && run.find_first_of(startCharacters_) != std::string::npos;
    // Once the identifiers have run out, texts are typed key by key.
    if ((run.size() <= kLongestTypedRun && !holdsStart) || nextMacroId_.empty()) {
        for (char character : run)
            AppendKeyCodes(character, bytes);
        return bytes;
    }
    pendingMacros_.emplace_back(nextMacroId_, Quoted(run));
    for (char key : startCodes_)
        bytes.push_back(static_cast<std::uint8_t>(0x80 | static_cast<unsigned char>(key)));
    for (char place : nextMacroId_)
        bytes.push_back(static_cast<std::uint8_t>(keyCodeTable_[static_cast<unsigned char>(place)][0]));
    if (!AdvanceMacroId(nextMacroId_)) {
        pendingMacros_.emplace_back("!!!", "overflow");
        nextMacroId_.clear();
    }
    return bytes;
}

bool FileIO::WriteTextMacros()
{
    if (pendingMacros_.empty())
        return true;
    // A zenthor.ini that is not there is made: the Zenthor program reads the entries from it.
    const bool written = EditIniFile(
        ZenthorIniPath(), [&](IniText& text) { text.SetMany(kPathsSection, pendingMacros_); }, IniAbsent::kCreated);
    if (written)
        pendingMacros_.clear();
    return written;
}

int FileIO::ScanCodeToKeyNumber(int scanCode)
{
    // Runs of scan codes whose keys are numbered in the same order.
    struct Run {
        int firstCode;
        int lastCode;
        int firstKey;
    };
    static const Run kRuns[] = {
        {0x01, 0x01, 110}, {0x02, 0x0D, 2}, {0x0E, 0x0E, 15}, {0x0F, 0x1B, 16}, {0x1C, 0x1C, 43}, {0x1D, 0x1D, 58},
        {0x1E, 0x28, 31}, {0x29, 0x29, 1}, {0x2A, 0x2A, 44}, {0x2B, 0x2B, 42}, {0x2C, 0x35, 46}, {0x36, 0x36, 57},
        {0x37, 0x37, 100}, {0x38, 0x38, 60}, {0x39, 0x39, 61}, {0x3A, 0x3A, 30}, {0x3B, 0x44, 112}, {0x45, 0x45, 126},
        {0x46, 0x46, 125}, {0x47, 0x47, 91}, {0x48, 0x48, 96}, {0x49, 0x49, 101}, {0x4A, 0x4A, 105}, {0x4B, 0x4B, 92},
        {0x4C, 0x4C, 97}, {0x4D, 0x4D, 102}, {0x4E, 0x4E, 106}, {0x4F, 0x4F, 93}, {0x50, 0x50, 98}, {0x51, 0x51, 103},
        {0x52, 0x52, 99}, {0x53, 0x53, 104}, {0x56, 0x56, 45}, {0x57, 0x57, 122}, {0x58, 0x58, 123},
        // After the E0 prefix.
        {0x11C, 0x11C, 108}, {0x11D, 0x11D, 64}, {0x135, 0x135, 95}, {0x138, 0x138, 62}, {0x145, 0x145, 90},
        {0x147, 0x147, 80}, {0x148, 0x148, 83}, {0x149, 0x149, 85}, {0x14B, 0x14B, 79}, {0x14D, 0x14D, 89},
        {0x14F, 0x14F, 81}, {0x150, 0x150, 84}, {0x151, 0x151, 86}, {0x152, 0x152, 75}, {0x153, 0x153, 76},
        {0x15B, 0x15B, 70}, {0x15C, 0x15C, 71}, {0x15D, 0x15D, 72},
    };
    for (const Run& run : kRuns) {
        if (scanCode >= run.firstCode && scanCode <= run.lastCode)
            return run.firstKey + scanCode - run.firstCode;
    }
    return -1;
}
