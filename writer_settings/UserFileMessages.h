// A user's settings file and folder list read and written where the user sees the outcome: a file
// that is there but cannot be read, or cannot be written, is named in a message.
#pragma once
#include "writer_settings/ImageFolder.h"
#include <windows.h>
#include <vector>

class Settings;

// Whether the settings file of the settings' user may be edited: true when it is absent or read
// whole; false, with the file named to the user, when it is there but could not be read.
bool SettingsFileReadableOrSay(HWND owner, const Settings& settings);
// Reads the list of the settings' user into folders. false, with the file named to the user, when
// the file is there but could not be read: it is then to be left as it is and not written.
bool ReadFolderListOrSay(HWND owner, const Settings& settings, std::vector<ImageFolder>& folders);
// Writes the list of the settings' user: over the one there with replace, else only where no file
// stands. false, with the file named to the user, when it was not written.
bool WriteFolderListOrSay(HWND owner, const Settings& settings, const std::vector<ImageFolder>& folders,
                          bool replace = true);
