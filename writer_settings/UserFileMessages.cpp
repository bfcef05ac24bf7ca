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

bool ReadFolderListOrSay(HWND owner, const Settings& settings, std::vector<ImageFolder>& folders)
{
    if (ImageFolderSettings::LoadFolderList(settings.userFile_, settings.programIni_, settings.imageBaseIni_, folders)
        != fw::FileRead::Unreadable)
        return true;
    const std::string path = ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_);
    fw::ShowMessage(owner, IDS_FOLDER_LIST_UNREADABLE, fw::FormatResString(IDS_FOLDER_LIST_UNREADABLE, path.c_str()),
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    return false;
}

bool WriteFolderListOrSay(HWND owner, const Settings& settings, const std::vector<ImageFolder>& folders,
                          bool replace)
{
    const bool written =
        replace ? ImageFolderSettings::SaveFolderList(settings.userFile_, settings.programIni_, folders)
                : ImageFolderSettings::CreateFolderList(settings.userFile_, settings.programIni_, folders)
                      == fw::NewFile::Created;
    if (written)
        return true;
    const std::string path = ImageFolderSettings::ListPath(settings.userFile_, settings.programIni_);
    fw::ShowMessage(owner, IDS_USER_NOT_SAVED, fw::FormatResString(IDS_USER_NOT_SAVED, path.c_str()),
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    return false;
}
