// FileIO's settings: read from their file at each call, written through at once.
#include "store/FileIO.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include "library/IniValues.h"
#include <cstdlib>

namespace {

// A text of three numbers "%ld,%ld,%ld"; fields that are missing leave their number as it was.
void ParseThreeNumbers(const std::string& text, long& first, long& second, long& third)
{
    long* numbers[3] = {&first, &second, &third};
    const char* position = text.c_str();
    for (long* number : numbers) {
        char* end = nullptr;
        long value = std::strtol(position, &end, 10);
        if (end == position)
            return;
        *number = value;
        position = end;
        if (*position != ',')
            return;
        ++position;
    }
}

} // namespace

int FileIO::GetKeyboardModel() const
{
    const std::string status = ini::ReadString(windowsSettingsFile_, "Settings", "FBStatus", "USB");
    if (::lstrcmpiA(status.c_str(), "PS2") == 0)
        return kModelPS2;
    if (::lstrcmpiA(status.c_str(), "ACCESS") == 0)
        return kModelAccessKvora;
    return kModelUSB;
}

void FileIO::SetKeyboardModel(int model)
{
    const char* status = model == kModelPS2 ? "PS2" : model == kModelAccessKvora ? "ACCESS" : "USB";
    ini::WriteString(windowsSettingsFile_, "Settings", "FBStatus", status);
}

void FileIO::GetMargins(const std::string& section, float& left, float& top) const
{
    left = static_cast<float>(ini::ParseDecimal(ini::ReadString(windowsSettingsFile_, section, "LeftMargin", "0")));
    top = static_cast<float>(ini::ParseDecimal(ini::ReadString(windowsSettingsFile_, section, "TopMargin", "0")));
}

void FileIO::SetMargins(const std::string& section, float left, float top)
{
    ini::WriteString(windowsSettingsFile_, section, "LeftMargin", ini::FormatDecimal(left));
    ini::WriteString(windowsSettingsFile_, section, "TopMargin", ini::FormatDecimal(top));
}

void FileIO::GetDefaultFont(std::string& name) const
{
    name = ini::ReadString(windowsSettingsFile_, "Defaults", "Font");
}

char FileIO::GetPrefix() const
{
    const std::string prefix = ini::ReadString(windowsSettingsFile_, "Defaults", "Prefix", "@");
    return prefix.empty() ? '\0' : prefix[0];
}

int FileIO::UseTextSpeaker() const
{
    return ini::ReadInt(windowsSettingsFile_, "Defaults", "TextSpeaker", 0);
}

int FileIO::UseAcapela() const
{
    return ini::ReadInt(windowsSettingsFile_, "Defaults", "Acapela", 0);
}

int FileIO::GetPrintFormat() const
{
    const std::string format = ini::ReadString(programSettingsFile_, "Settings", "PrintFormat", "A4");
    return ::lstrcmpiA(format.c_str(), "Letter") == 0 ? 1 : 0;
}

void FileIO::GetDefaultImageBase(std::string& name) const
{
    name = ini::ReadString(programSettingsFile_, "ImageBases", "Default");
}

void FileIO::SetDefaultImageBase(const std::string& name)
{
    ini::WriteString(programSettingsFile_, "ImageBases", "Default", name);
}

void FileIO::GetFolderSetting(const std::string& key, std::string& folder) const
{
    folder = ini::ReadString(programSettingsFile_, "Directories", key);
    if (folder.empty()) {
        // No folder chosen yet: start at the root of the current drive.
        char current[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, current);
        folder = DriveRoot(current);
    }
}

std::string FileIO::DriveRoot(const std::string& folder)
{
    // A network folder's drive is its share: "\\server\share\".
    if (folder.compare(0, 2, "\\\\") == 0) {
        const size_t server = folder.find('\\', 2);
        if (server == std::string::npos)
            return folder + "\\";
        const size_t share = folder.find('\\', server + 1);
        return share == std::string::npos ? folder + "\\" : folder.substr(0, share + 1);
    }
    return folder.substr(0, 3);
}

void FileIO::GetImageDir(std::string& folder) const
{
    GetFolderSetting("ImageDir", folder);
}

void FileIO::SetImageDir(const std::string& folder)
{
    ini::WriteString(programSettingsFile_, "Directories", "ImageDir", folder);
}

void FileIO::GetSoundDir(std::string& folder) const
{
    GetFolderSetting("SoundDir", folder);
}

void FileIO::SetSoundDir(const std::string& folder)
{
    ini::WriteString(programSettingsFile_, "Directories", "SoundDir", folder);
}

void FileIO::GetVideoDir(std::string& folder) const
{
    GetFolderSetting("VideoDir", folder);
}

void FileIO::SetVideoDir(const std::string& folder)
{
    ini::WriteString(programSettingsFile_, "Directories", "VideoDir", folder);
}

void FileIO::SetExportDir(const std::string& folder)
{
    exportFolder_ = folder;
    ini::WriteString(programSettingsFile_, "Directories", "ExportDir", folder);
}

void FileIO::SetImportDir(const std::string& folder)
{
    importFolder_ = folder;
    ini::WriteString(programSettingsFile_, "Directories", "ImportDir", folder);
}

int FileIO::GetShortCommandFlag() const
{
    return ini::ReadInt(programSettingsFile_, "Settings", "ShortKvoraCommand", 0);
}

void FileIO::SetShortCommandFlag(int flag)
{
    ini::WriteInt(programSettingsFile_, "Settings", "ShortKvoraCommand", flag);
}

void FileIO::SetDefaultStart(int number)
{
    ini::WriteInt(programSettingsFile_, "KvoraStart", "DefaultStart", number);
    ReadKvoraStart(ini::FileView(programSettingsFile_));
}

int FileIO::GetTextToSpeech() const
{
    return ini::ReadInt(programSettingsFile_, "Settings", "TextToSpeech", 0);
}

void FileIO::SetTextToSpeech(int flag)
{
    ini::WriteInt(programSettingsFile_, "Settings", "TextToSpeech", flag);
}

bool FileIO::GetTextSpeakerSettings(long& speed, long& pitch, long& volume) const
{
    const std::string value = ini::ReadString(programSettingsFile_, "Settings", "TextSpeakerSettings");
    if (value.empty())
        return false;
    ParseThreeNumbers(value, speed, pitch, volume);
    return true;
}

void FileIO::SetTextSpeakerSettings(long speed, long pitch, long volume)
{
    ini::WriteString(programSettingsFile_, "Settings", "TextSpeakerSettings",
                     std::to_string(speed) + "," + std::to_string(pitch) + "," + std::to_string(volume));
}

void FileIO::GetSapiVoice(std::string& name) const
{
    name = ini::ReadString(programSettingsFile_, "Settings", "SAPIVoice");
}

void FileIO::SetSapiVoice(const std::string& name)
{
    ini::WriteString(programSettingsFile_, "Settings", "SAPIVoice", name);
}

void FileIO::SetAutoCommand(const AutoCommandSettings& settings)
{
    autoCommand_ = settings;
    ini::WriteInt(programSettingsFile_, "Settings", "AutoCommand", settings.mode_);
    ini::WriteString(programSettingsFile_, "Settings", "AutoCommandPrefix", settings.prefix_);
    ini::WriteString(programSettingsFile_, "Settings", "AutoCommandSuffix", settings.suffix_);
}

void FileIO::SetShowStandardOverlays(int flag)
{
    ini::WriteInt(programSettingsFile_, "Settings", "ShowStandardOverlays", flag);
}

void FileIO::SetShowTemplates(int flag)
{
    ini::WriteInt(programSettingsFile_, "Settings", "ShowTemplates", flag);
}

void FileIO::SetShowTemplateDlg(int flag)
{
    ini::WriteInt(programSettingsFile_, "Settings", "ShowTemplateDlg", flag);
}

std::string FileIO::GetCurrentSet() const
{
    return ini::ReadString(programSettingsFile_, "USB", "CurrentSet");
}

void FileIO::SetCurrentSet(const std::string& name)
{
    ini::WriteString(programSettingsFile_, "USB", "CurrentSet", name);
}
