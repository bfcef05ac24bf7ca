// What the settings sheet's pages share: the edited settings, the user and the list it belongs to,
// the image folders and the speech objects.
#pragma once
#include "writer_settings/FolderDialogContext.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/User.h"
#include <vector>

class BabTTS;
class Settings;
class TextSpeaker;

// The main window's speech objects; either may be absent (null).
struct SpeechObjects {
    TextSpeaker* textSpeaker = nullptr;
    BabTTS* engine = nullptr;
};

// Owned by the sheet; each page holds a pointer to it. Nothing of it is owned but the flags.
struct SettingsSheetData {
    Settings* settings = nullptr;
    std::vector<ImageFolder>* folders = nullptr;
    // The folder list's file is there but could not be read: the page shows it unchangeable, and it
    // is not written.
    bool foldersReadOnly = false;
    SpeechObjects speech;
    FolderDialogContext folderContext;
    // Opened from the users dialog: the user, every user of the list, and this user's index (-1 new).
    User* user = nullptr;
    const std::vector<User>* users = nullptr;
    int index = -1;
    // The name page is shown: from the users dialog, for any user but "<Standard>".
    bool hasNamePage = false;

    bool FromUsersDialog() const { return user != nullptr; }
    // A new user from the users dialog: the sheet runs as a wizard.
    bool IsWizard() const { return FromUsersDialog() && index < 0; }
    bool IsNewUser() const { return FromUsersDialog() && user->oldName_.empty(); }
};
