// The settings store: building the paths, the defaults, and reading and writing [MVSettings].
#include "writer_settings/Settings.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"
#include "library/IniValues.h"
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const kSection = "MVSettings";

std::string ToLower(std::string text)
{
    if (!text.empty())
        ::CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Makes the folder when it is missing; one level only. A folder that cannot be made stays missing.
void CreateFolderLevel(const std::string& folder)
{
    if (!fw::PathExists(folder))
        ::CreateDirectoryA(folder.c_str(), nullptr);
}

// The first file, not folder, that matches the pattern, as a full path; empty when none.
std::string FirstFileMatching(const std::string& folder, const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    std::string path;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            path = folder + "\\" + found.cFileName;
            break;
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return path;
}

// The text from start up to the first of the stop characters (or the end); start moves past the stop.
std::string TakeField(const std::string& text, size_t& start, const char* stops)
{
    if (start >= text.size())
        return std::string();
    size_t end = text.find_first_of(stops, start);
    if (end == std::string::npos)
        end = text.size();
    std::string field = text.substr(start, end - start);
    start = end + 1;
    return field;
}

int DecimalOf(const std::string& text)
{
    return std::atoi(text.c_str());
}

// "2" ... "10" on the sheet's picture sizes: index 0 ... 8. Only the exact texts count; anything
// else, "6" included, is the middle size.
int ImageSizeIndex(const std::string& text)
{
    const char* const texts[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (int i = 0; i < 9; ++i) {
        if (text == texts[i])
            return i;
    }
    return 4;
}

std::string ImageSizeText(int index)
{
    return index >= 0 && index <= 7 ? std::to_string(index + 2) : "10";
}

} // namespace

Settings::Settings() : Settings(MorvelEnvironment::OfThisProgram()) {}

Settings::Settings(const MorvelEnvironment& environment)
{
    const MorvelPaths paths(environment);
    morvelIni_ = paths.morvelIni_;
    programDir_ = paths.programDir_;
    exePath_ = FirstFileMatching(programDir_, ToLower(environment.applicationName) + ".*");
    programIni_ = paths.programIni_;
    usersDir_ = ini::ReadString(programIni_, "Directories", "Users");
    if (usersDir_.empty())
        usersDir_ = programDir_;
    CreateFolderLevel(usersDir_);
    imageBaseIni_ = paths.imageBaseIni_;
    symbolsDir_ = ini::ReadString(programIni_, "Directories", "Symbols");
    SetDefaults();
}

void Settings::SetDefaults()
{
    userFile_.clear();
    readFrom_.clear();
    bkColor_ = 8;
    cursorColor_ = 5;
    textColor_ = 0;
    caretWidth_ = 4;
    fontName_ = "Arial";
    fontStyle_ = 0;
    fontSize_ = 28;
    for (int* button : {&showExitButton_, &showBrowseButton_, &showOpenButton_, &showNewButton_, &showPrintButton_,
                        &showInsertImageButton_, &showLargeImageButton_, &showReadButton_, &showPauseButton_,
                        &showNegationButton_})
        *button = 1;
    deleteButton_ = 0;
    helperMenu_ = 0;
    maxNumber_ = 10;
    save_ = 1;
    lastDoc_ = 0;
    imageSize_ = 4;
    insertImageDlgSize_ = 0;
    defaultImageBase_.clear();
    wtiMode_ = 0;
    prefix_ = '@';
    speechEngine_ = 0;
    speakLetters_ = speakWords_ = speakSentences_ = 1;
    userDir_ = programDir_ + "\\Dokument";
    imageDir_ = programDir_;
    sapiVoice_.clear();
}

void Settings::ReadUserSettings()
{
    const std::string& file = SettingsFile();
    readFrom_ = SettingsFileStateOf(file) == fw::FileRead::Whole ? file : std::string();
    wtiMode_ = ini::ReadInt(file, kSection, "WTIMode", 0);
    bkColor_ = ini::ReadInt(file, kSection, "BkColor", 8);
    cursorColor_ = ini::ReadInt(file, kSection, "CursorColor", 5);
    textColor_ = ini::ReadInt(file, kSection, "TextColor", 0);
    imageSize_ = ImageSizeIndex(ini::ReadString(file, kSection, "ImageSize", "6"));
    insertImageDlgSize_ = ini::ReadInt(file, kSection, "InsertImageDlgSize", 0);
    ReadFont(ini::ReadString(file, kSection, "Font", "Arial,28,0"));
    ReadButtons(ini::ReadString(file, kSection, "Buttons", "1,1,1,1,1,1,1,1,1,1"));
    deleteButton_ = ini::ReadInt(file, kSection, "DeleteButton", 0);
    ReadSaveFolder();
    imageDir_ = ini::ReadString(file, kSection, "ImageDir");
    if (imageDir_.empty())
        imageDir_ = userDir_;
    defaultImageBase_ = ini::ReadString(file, kSection, "DefaultImageBase");
    maxNumber_ = ini::ReadInt(file, kSection, "MaxNumber", 10);
    save_ = ini::ReadInt(file, kSection, "Save", 1);
    lastDoc_ = ini::ReadInt(file, kSection, "LastDoc", 0);
    // An empty prefix would never start a content string: '@', as Skarpin reads it, so the two agree.
    const std::string prefix = ini::ReadString(file, kSection, "Prefix", "@");
    prefix_ = prefix.empty() ? '@' : prefix[0];
    ReadTextToSpeech(ini::ReadString(file, kSection, "TextToSpeech", "0,1,1,1"));
    helperMenu_ = ini::ReadInt(file, kSection, "HelperMenu", 1);
    sapiVoice_ = ini::ReadString(file, kSection, "SAPIVoice");
    if (sapiVoice_.empty())
        sapiVoice_ = ini::ReadString(programIni_, kSection, "SAPIVoice");
    ReadTextSpeakerSettings(speakerSpeed_, speakerPitch_, speakerVolume_);
}

fw::FileRead SettingsFileStateOf(const std::string& path)
{
    // Far beyond any settings file; the ini calls would not read a larger one whole.
    const unsigned long long largest = 16ull * 1024 * 1024;
    std::string bytes;
    const fw::FileRead read = fw::ReadWholeFile(path, bytes, largest);
    if (read == fw::FileRead::Whole && fw::TextFormOf(bytes) != fw::TextForm::SingleByte)
        return fw::FileRead::Unreadable;
    return read;
}

// "face,size,style": the face up to the first ',', then the size, then the style up to ')' or the end.
void Settings::ReadFont(const std::string& value)
{
    size_t at = 0;
    fontName_ = TakeField(value, at, ",");
    fontSize_ = DecimalOf(TakeField(value, at, ","));
    fontStyle_ = DecimalOf(TakeField(value, at, ")"));
}

// Ten numbers in the file's own order (Read and Pause come before Large and Insert picture); numbers
// missing from the text leave their buttons as they were.
void Settings::ReadButtons(const std::string& value)
{
    int* const inFileOrder[] = {&showExitButton_, &showBrowseButton_, &showOpenButton_, &showNewButton_,
                                &showPrintButton_, &showReadButton_, &showPauseButton_, &showLargeImageButton_,
                                &showInsertImageButton_, &showNegationButton_};
    int read[10];
    const int count = std::sscanf(value.c_str(), "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &read[0], &read[1], &read[2],
                                  &read[3], &read[4], &read[5], &read[6], &read[7], &read[8], &read[9]);
    for (int i = 0; i < count; ++i)
        *inFileOrder[i] = read[i];
}

std::string Settings::ButtonsText() const
{
    const int inFileOrder[] = {showExitButton_, showBrowseButton_, showOpenButton_, showNewButton_, showPrintButton_,
                               showReadButton_, showPauseButton_, showLargeImageButton_, showInsertImageButton_,
                               showNegationButton_};
    std::string text;
    for (int flag : inFileOrder)
        text += (text.empty() ? "" : ",") + std::to_string(flag);
    return text;
}

// Without a stored save folder a user saves beside its settings file, and the default user into
// "Dokument" in the program folder, which is made for it.
void Settings::ReadSaveFolder()
{
    userDir_ = ini::ReadString(SettingsFile(), kSection, "UserDir");
    if (!userDir_.empty())
        return;
    if (!userFile_.empty()) {
        userDir_ = ImageBaseManager::GetFolderFromPath(userFile_);
    } else {
        userDir_ = programDir_ + "\\Dokument";
        CreateFolderLevel(userDir_);
    }
}

// "engine,letters,words,sentences"; a number missing from the text reads as 0.
void Settings::ReadTextToSpeech(const std::string& value)
{
    size_t at = 0;
    speechEngine_ = DecimalOf(TakeField(value, at, ","));
    speakLetters_ = DecimalOf(TakeField(value, at, ","));
    speakWords_ = DecimalOf(TakeField(value, at, ","));
    speakSentences_ = DecimalOf(TakeField(value, at, ","));
    autoFillMode_ = speechEngine_ != 0 ? 1 : 0;
}

Settings Settings::ForUser(const std::string& userFile) const
{
    Settings settings = *this;
    settings.SetDefaults();
    settings.userFile_ = userFile;
    settings.ReadUserSettings();
    return settings;
}

bool Settings::FileGone() const
{
    return !readFrom_.empty() && cp1252::EqualsNoCase(readFrom_, SettingsFile()) && fw::IsAbsent(readFrom_);
}

bool Settings::MayWrite() const
{
    // A file whose values could not be read is never written over with these; the ini calls would
    // bring back a file that has gone as a stub of these keys alone.
    return SettingsFileState() != fw::FileRead::Unreadable && !FileGone();
}

fw::NewFile Settings::CreateUserSettings()
{
    const fw::NewFile created = fw::WriteNewFile(SettingsFile(), std::string());
    if (created != fw::NewFile::Created)
        return created;
    readFrom_ = SettingsFile();
    if (WriteUserSettings())
        return created;
    ::SetFileAttributesA(readFrom_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(readFrom_.c_str());
    readFrom_.clear();
    return fw::NewFile::Failed;
}

void Settings::SettingsFileMovedTo(const std::string& path)
{
    userFile_ = path;
    readFrom_ = path;
}

bool Settings::WriteUserSettings() const
{
    if (!MayWrite())
        return false;
    const std::string& file = SettingsFile();
    const std::pair<const char*, std::string> entries[] = {
        {"WTIMode", std::to_string(wtiMode_)},
        {"BkColor", std::to_string(bkColor_)},
        {"CursorColor", std::to_string(cursorColor_)},
        {"TextColor", std::to_string(textColor_)},
        {"ImageSize", ImageSizeText(imageSize_)},
        {"InsertImageDlgSize", std::to_string(insertImageDlgSize_)},
        {"Buttons", ButtonsText()},
        {"DeleteButton", std::to_string(deleteButton_)},
        {"Font", fontName_ + "," + std::to_string(fontSize_) + "," + std::to_string(fontStyle_)},
        {"UserDir", userDir_},
        {"ImageDir", imageDir_},
        {"DefaultImageBase", defaultImageBase_},
        {"MaxNumber", std::to_string(maxNumber_)},
        {"Save", std::to_string(save_)},
        {"LastDoc", std::to_string(lastDoc_)},
        {"TextToSpeech", std::to_string(speechEngine_) + "," + std::to_string(speakLetters_) + ","
                             + std::to_string(speakWords_) + "," + std::to_string(speakSentences_)},
        {"SAPIVoice", sapiVoice_},
    };
    bool written = true;
    for (const auto& entry : entries)
        written = ini::WriteString(file, kSection, entry.first, entry.second) && written;
    written = WriteTextSpeakerSettings(speakerSpeed_, speakerPitch_, speakerVolume_) && written;
    written = ini::WriteInt(file, kSection, "HelperMenu", helperMenu_) && written;
    return written;
}

bool Settings::ReadTextSpeakerSettings(long& speed, long& pitch, long& volume) const
{
    const std::string text = ini::ReadString(SettingsFile(), kSection, "TextSpeakerSettings", "180,180,50");
    if (text.empty())
        return false;
    std::sscanf(text.c_str(), "%ld,%ld,%ld", &speed, &pitch, &volume);
    return true;
}

bool Settings::WriteTextSpeakerSettings(long speed, long pitch, long volume) const
{
    if (!MayWrite())
        return false;
    return ini::WriteString(SettingsFile(), kSection, "TextSpeakerSettings",
                            std::to_string(speed) + "," + std::to_string(pitch) + "," + std::to_string(volume));
}

void Settings::CopyValues(const Settings& other)
{
    bkColor_ = other.bkColor_;
    cursorColor_ = other.cursorColor_;
    textColor_ = other.textColor_;
    caretWidth_ = other.caretWidth_;
    fontName_ = other.fontName_;
    fontStyle_ = other.fontStyle_;
    fontSize_ = other.fontSize_;
    showExitButton_ = other.showExitButton_;
    showBrowseButton_ = other.showBrowseButton_;
    showOpenButton_ = other.showOpenButton_;
    showNewButton_ = other.showNewButton_;
    showPrintButton_ = other.showPrintButton_;
    showInsertImageButton_ = other.showInsertImageButton_;
    showLargeImageButton_ = other.showLargeImageButton_;
    showReadButton_ = other.showReadButton_;
    showPauseButton_ = other.showPauseButton_;
    showNegationButton_ = other.showNegationButton_;
    deleteButton_ = other.deleteButton_;
    helperMenu_ = other.helperMenu_;
    userDir_ = other.userDir_;
    maxNumber_ = other.maxNumber_;
    save_ = other.save_;
    lastDoc_ = other.lastDoc_;
    imageSize_ = other.imageSize_;
    insertImageDlgSize_ = other.insertImageDlgSize_;
    programDir_ = other.programDir_;
    prefix_ = other.prefix_;
    speechEngine_ = other.speechEngine_;
    speakLetters_ = other.speakLetters_;
    speakWords_ = other.speakWords_;
    speakSentences_ = other.speakSentences_;
    sapiVoice_ = other.sapiVoice_;
    speakerSpeed_ = other.speakerSpeed_;
    speakerPitch_ = other.speakerPitch_;
    speakerVolume_ = other.speakerVolume_;
    wtiMode_ = other.wtiMode_;
    imageDir_ = other.imageDir_;
    autoFillMode_ = other.autoFillMode_;
}

void Settings::CopyFrom(const Settings& other)
{
    CopyValues(other);
    userFile_ = other.userFile_;
    readFrom_ = other.readFrom_;
    userDir_ = other.userDir_;
}

COLORREF Settings::ColorFromIndex(int index)
{
    switch (index) {
    case 1: return RGB(0x7F, 0x00, 0x00);
    case 2: return RGB(0x00, 0x7F, 0x00);
    case 3: return RGB(0x00, 0x00, 0xFF);
    case 4: return RGB(0x7F, 0x7F, 0x7F);
    case 5: return RGB(0xFF, 0x00, 0x00);
    case 6: return RGB(0xFF, 0xFF, 0x00);
    case 7: return RGB(0xFF, 0x00, 0xFF);
    case 8: return RGB(0xFF, 0xFF, 0xFF);
    default: return RGB(0, 0, 0);
    }
}

void Settings::FileTitleFromPath(const std::string& path, std::string& out, bool dropExtension)
{
    if (path.empty())
        return;
    const size_t slash = path.rfind('\\');
    out = slash == std::string::npos ? path : path.substr(slash + 1);
    if (dropExtension) {
        const size_t dot = out.rfind('.');
        if (dot != std::string::npos)
            out.erase(dot);
    }
}
