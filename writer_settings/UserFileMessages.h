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
// Writes the settings into their file (Settings::WriteUserSettings). false, with the file named to
// the user, when it was not written: it has gone since it was read, or could not be written.
bool WriteSettingsOrSay(HWND owner, const Settings& settings);
// Reads the list of the settings' user into folders and returns how its file was found. Unreadable,
// with the file named to the user: it is then to be left as it is and not written.
fw::FileRead ReadFolderListOrSay(HWND owner, const Settings& settings, std::vector<ImageFolder>& folders);
// Writes the list of the settings' user back as ReadFolderListOrSay found its file (readBefore; a new
// user's list: Absent). false, with the file named to the user, when it was not written.
bool WriteFolderListOrSay(HWND owner, const Settings& settings, const std::vector<ImageFolder>& folders,
                          fw::FileRead readBefore);
// The list of the settings' user was there when read (readBefore Whole) and is no longer there.
bool FolderListGone(const Settings& settings, fw::FileRead readBefore);
// Names a user's file that was not written: gone, when it was read and is no longer there; else one
// that could not be written.
void SayUserFileNotSaved(HWND owner, const std::string& path, bool gone);
