// The messages about a user's files.
#include "writer_settings/UserFileMessages.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"

bool SettingsFileReadableOrSay(HWND owner, const Settings& settings)
{
    if (settings.SettingsFileState() != fw::FileRead::Unreadable)
        return true;
    const std::string& path = settings.SettingsFile();
    fw::ShowMessage(owner, IDS_USER_UNREADABLE, fw::FormatResString(IDS_USER_UNREADABLE, path.c_str()),
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    return false;
}

bool WriteSettingsOrSay(HWND owner, const Settings& settings)
{
    if (settings.WriteUserSettings())
        return true;
    SayUserFileNotSaved(owner, settings.SettingsFile(), settings.FileGone());
    return false;
}

fw::FileRead ReadFolderListOrSay(HWND owner, const Settings& settings, std::vector<ImageFolder>& folders)
{
    const fw::FileRead read =
        ImageFolderSettings::LoadFolderList(settings.userFile_, settings.programIni_, settings.imageBaseIni_, folders);
    if (read != fw::FileRead::Unreadable)
        return read;
    const std::string path = ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_);
    fw::ShowMessage(owner, IDS_FOLDER_LIST_UNREADABLE, fw::FormatResString(IDS_FOLDER_LIST_UNREADABLE, path.c_str()),
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    return read;
}

bool WriteFolderListOrSay(HWND owner, const Settings& settings, const std::vector<ImageFolder>& folders,
                          fw::FileRead readBefore)
{
    if (ImageFolderSettings::SaveFolderList(settings.userFile_, settings.programIni_, folders, readBefore))
        return true;
    SayUserFileNotSaved(owner, ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_),
                        FolderListGone(settings, readBefore));
    return false;
}

bool FolderListGone(const Settings& settings, fw::FileRead readBefore)
{
    return readBefore == fw::FileRead::Whole
           && fw::IsAbsent(ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_));
}

void SayUserFileNotSaved(HWND owner, const std::string& path, bool gone)
{
    const UINT text = gone ? IDS_USER_FILE_GONE : IDS_USER_NOT_SAVED;
    fw::ShowMessage(owner, text, fw::FormatResString(text, path.c_str()), fw::LoadResString(IDS_ERROR_CAPTION),
                    MB_OK | MB_ICONERROR);
}
