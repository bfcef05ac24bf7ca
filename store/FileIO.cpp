// FileIO's construction: the start-up configuration, read in a fixed order.
#include "store/FileIO.h"
#include "framework/Files.h"
#include "library/IniFileCache.h"
#include "library/ProgramVersion.h"
#include <vector>

namespace {

// Creates a folder and the folders above it; failures are left to whoever uses the folder.
void CreateFolder(std::string path)
{
    ImageBaseManager::CreatePath(path);
}

// Whether the file is there, as the image-base store's locator finds files.
bool FileFound(std::string path)
{
    return ImageBaseManager::LocateFile(path) == 1;
}

} // namespace

FileIO::FileIO() : FileIO(FileIOEnvironment::OfThisProgram()) {}

FileIO::FileIO(const FileIOEnvironment& environment)
    : registerFileName_("register.txt"), overlayListSection_("Overlays"), overlayFileExtension_("ini"),
      keySection_("Data"), backgroundSection_("Background"), zenthorIniName_("zenthor.ini")
{
    irCodes_.Init();

    windowsSettingsFile_ = environment.windowsFolder + "\\skarpin.ini";
    // Each settings file is read once for the whole start, through our ini reader, which answers as
    // the platform's ini calls do: the start reads about a hundred keys, and each of the platform's
    // calls opens the file anew.
    const ini::FileView windowsSettings(windowsSettingsFile_);
    programFolder_ = windowsSettings.Read("Directories", "Exe");
    // Without the key the program looks beside its own file, rather than at the root of the drive.
    if (programFolder_.empty())
        programFolder_ = fw::FolderOf(environment.applicationPath);

    applicationName_ = environment.applicationName;
    variantName_ = environment.Variant();

    programSettingsFile_ = programFolder_ + "\\" + variantName_ + ".ini";
    imageBaseSettingsFile_ = environment.windowsFolder + "\\imgbase." + variantName_ + ".ini";
    if (!FileFound(imageBaseSettingsFile_))
        imageBaseSettingsFile_ = programSettingsFile_;

    const ini::FileView settings(programSettingsFile_);
    setFolder_ = settings.Read("Directories", "Setinfo");
    if (setFolder_.empty()) {
        setFolder_ = programFolder_ + "\\set";
        CreateFolder(setFolder_);
    }

    keyCodeTableFile_ = programFolder_ + "\\" + variantName_ + ".key";
    driverName_ = settings.Read("USB", "DriverName");

    ReadFolderSetting(settings, "AutoSoundDir", "autowave", autoSoundFolder_);
    ReadFolderSetting(settings, "AutoIconDir", "autoicon", autoIconFolder_);
    ReadFolderSetting(settings, "AutoImageDir", "autoimage", autoImageFolder_);

    exportFolder_ = programFolder_;
    importFolder_ = programFolder_;

    standardOverlaySetName_ = settings.Read("Settings", "StandardOverlayName", "Standardöverlägg");
    showStandardOverlays_ = settings.ReadInt("Settings", "ShowStandardOverlays", 0);
    templatesSetName_ = settings.Read("Settings", "TemplatesName", "Mallar");
    showTemplates_ = settings.ReadInt("Settings", "ShowTemplates", 0);
    showTemplateDlg_ = settings.ReadInt("Settings", "ShowTemplateDlg", 1);

    ReadProgramVersion(environment);

    ReadKeyNames(settings);
    ReadLanguage(settings);
    ReadKeyCodeTable();

    ReadKvoraStart(settings);
    ReadAutoCommand(settings);
    ReadVideoExtensions(windowsSettings);

    LoadImageBases();
    ReadMouseClickReferences(settings);
}

FileIO::~FileIO()
{
    irCodes_.Free();
}

void FileIO::ReadFolderSetting(const ini::FileView& settings, const std::string& key, const std::string& defaultName,
                               std::string& folder)
{
    folder = settings.Read("Directories", key);
    if (folder.empty())
        folder = programFolder_ + "\\" + defaultName;
    CreateFolder(folder);
}

void FileIO::ReadProgramVersion(const FileIOEnvironment& environment)
{
    const ProgramVersion program = ::ReadProgramVersion(VersionFileOf(environment));
    fileVersion_ = program.version;
    fileDate_ = program.dated ? FormatProgramDate(program.lastWrite, true) : std::string();
}

void FileIO::ReadKvoraStart(const ini::FileView& settings)
{
    for (std::string& start : startStrings_)
        start.clear();
    defaultStartString_.clear();
    const int defaultStart = settings.ReadInt("KvoraStart", "DefaultStart", 0);
    if (defaultStart > 0) {
        for (int n = 1; n <= static_cast<int>(startStrings_.size()); ++n) {
            std::string value = settings.Read("KvoraStart", "Start" + std::to_string(n));
            if (value.empty())
                continue;
            startStrings_[static_cast<size_t>(n - 1)] = value;
            if (n == defaultStart)
                defaultStartString_ = value;
        }
    }
    endString_ = settings.Read("KvoraStart", "End", "<Paus0.5><Return>");
}

void FileIO::ReadAutoCommand(const ini::FileView& settings)
{
    autoCommand_ = AutoCommandSettings();
    autoCommand_.mode_ = settings.ReadInt("Settings", "AutoCommand", 0);
    autoCommand_.prefix_ = settings.Read("Settings", "AutoCommandPrefix");
    autoCommand_.suffix_ = settings.Read("Settings", "AutoCommandSuffix");
}

void FileIO::ReadVideoExtensions(const ini::FileView& windowsSettings)
{
    videoExtensions_.clear();
    const std::string list = windowsSettings.Read("Defaults", "Video", "AVI,MPE,MPEG,MPG,MOV,WMV");
    size_t start = 0;
    for (size_t comma = list.find(','); comma != std::string::npos; comma = list.find(',', start)) {
        videoExtensions_.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    if (start < list.size())
        videoExtensions_.push_back(list.substr(start));
}

void FileIO::LoadImageBases()
{
    imageBases_.LoadBases(imageBaseSettingsFile_, 1);
}

void FileIO::ReadMouseClickReferences(const ini::FileView& settings)
{
    clickReferences_.clear();
    for (int n = 1;; ++n) {
        MouseClickReference reference;
        reference.Reset();
        const std::string value = settings.Read("MouseClickReferenceList", std::to_string(n));
        // Three comma-separated fields, each giving its last character, then the name, commas and all.
        char* modes[3] = {&reference.unit_, &reference.target_, &reference.corner_};
        size_t start = 0;
        bool complete = true;
        for (char* mode : modes) {
            size_t comma = value.find(',', start);
            if (comma == std::string::npos) {
                complete = false;
                break;
            }
            if (comma > start)
                *mode = value[comma - 1];
            start = comma + 1;
        }
        if (complete)
            reference.name_ = value.substr(start);
        if (reference.name_.empty())
            break;
        clickReferences_.push_back(reference);
    }
}
