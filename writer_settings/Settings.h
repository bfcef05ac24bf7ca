// Morvel's per-user settings: where the program's files and folders are, and every value of the
// [MVSettings] section of the current user's settings file.
#pragma once
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "writer_settings/MorvelPaths.h"
#include <windows.h>
#include <string>

// What a settings file is to the ini calls that read it: absent (the defaults; it may be written
// fresh), whole, or unreadable: there but locked, too large or in another text form, so that its
// values are not known and it must not be written.
fw::FileRead SettingsFileStateOf(const std::string& path);

// The main window owns one by value, the settings sheet edits a copy and the users dialog reads and
// writes other users' through fresh ones. The fields are public and read and set directly by those
// windows. The settings file is the user file when one is set, else the program ini (the default
// user "<Standard>").
class Settings {
public:
    Settings();
    explicit Settings(const MorvelEnvironment& environment);
    virtual ~Settings() = default;

    // The built-in values: a default user with the program folder's "Dokument" as save folder.
    void SetDefaults();
    // Reads every [MVSettings] key of the settings file; an absent key or file gives its default.
    void ReadUserSettings();
    // SettingsFileStateOf the settings file.
    fw::FileRead SettingsFileState() const { return SettingsFileStateOf(SettingsFile()); }
    // Writes every [MVSettings] key but Prefix and DefaultPrinter into the settings file. false when
    // any key could not be written (a missing folder, a read-only file), and, writing nothing, when
    // the file is there but could not be read or when it has gone (FileGone).
    bool WriteUserSettings() const;
    // The settings file was there when the settings were read and is not there now: an edit of it
    // never creates it again.
    bool FileGone() const;
    // Writes the settings into a new settings file, never over a file that stands under its name
    // (Taken, writing nothing). A file that could not be written whole is removed again (Failed).
    fw::NewFile CreateUserSettings();
    // The settings file was moved or copied to path with what was read from it: it is now the file
    // edited.
    void SettingsFileMovedTo(const std::string& path);
    // The settings of another user ("" the default user) in this configuration, read from its file.
    Settings ForUser(const std::string& userFile) const;
    // Every value field (no path except ProgramDir, and not DefaultImageBase).
    void CopyValues(const Settings& other);
    // CopyValues, then the user file and the save folder.
    void CopyFrom(const Settings& other);

    // [MVSettings] TextSpeakerSettings of the settings file as "%ld,%ld,%ld". false, with the numbers
    // unchanged, when the stored text is empty; numbers missing from the text stay as they were.
    bool ReadTextSpeakerSettings(long& speed, long& pitch, long& volume) const;
    // Nothing is written into a settings file that is there but could not be read.
    bool WriteTextSpeakerSettings(long speed, long pitch, long volume) const;

    // The user file, or the program ini for the default user.
    const std::string& SettingsFile() const { return userFile_.empty() ? programIni_ : userFile_; }

    // The colour of an index 0-8 of the settings sheet's colour lists (black for any other index).
    static COLORREF ColorFromIndex(int index);
    // The text after the last '\' (all of it without one), with dropExtension also without its last
    // '.' and what follows. out stays as it was for an empty path.
    static void FileTitleFromPath(const std::string& path, std::string& out, bool dropExtension);
    // The target of a shell link file; path itself when the link names no file; empty when the link
    // cannot be loaded or resolved. COM must be initialised on the calling thread.
    static std::string ResolveShortcut(HWND window, const std::string& path);

    std::string morvelIni_;
    std::string programIni_;
    std::string userFile_;
    std::string programDir_;
    std::string exePath_;      // the first file "%s\%s.*" (program folder, application name): shortcuts start it
    std::string imageBaseIni_;
    std::string usersDir_;
    std::string symbolsDir_;

    // The values below take their defaults from SetDefaults.
    int bkColor_ = 0;
    int cursorColor_ = 0;
    int textColor_ = 0;
    int caretWidth_ = 0;       // pen width of the caret; kept in memory only
    std::string fontName_;
    int fontStyle_ = 0;        // 0 normal, 1 italic, 10 bold, 11 bold italic
    int fontSize_ = 0;
    // Which main-window buttons are shown.
    int showExitButton_ = 0;
    int showBrowseButton_ = 0;
    int showOpenButton_ = 0;
    int showNewButton_ = 0;
    int showPrintButton_ = 0;
    int showInsertImageButton_ = 0;
    int showLargeImageButton_ = 0;
    int showReadButton_ = 0;
    int showPauseButton_ = 0;
    int showNegationButton_ = 0;
    int deleteButton_ = 0;
    int helperMenu_ = 0;
    char prefix_ = '@';        // delimiter of typed content strings; never written
    std::string imageDir_;
    int imageSize_ = 0;        // pictures per row minus 2
    int insertImageDlgSize_ = 0;
    std::string defaultImageBase_;
    int wtiMode_ = 0;
    std::string userDir_;      // where the user's documents are saved
    int maxNumber_ = 0;
    int save_ = 0;             // 0 never, 1 always, 2 ask
    int lastDoc_ = 0;
    int speechEngine_ = 0;     // 0 none, 1 BabTTS, 4 SAPI voices through the TextSpeaker control
    int speakLetters_ = 0;
    int speakWords_ = 0;
    int speakSentences_ = 0;
    std::string sapiVoice_;
    // The TextSpeaker control's numbers, as a settings file without the key gives them.
    long speakerSpeed_ = 180;
    long speakerPitch_ = 180;
    long speakerVolume_ = 50;
    int autoFillMode_ = 0;     // 1 speech text, 2 sound file, 0 neither; follows the speech engine on reading

private:
    // May the settings file be written into: not unreadable and not gone.
    bool MayWrite() const;
    void ReadFont(const std::string& value);
    void ReadButtons(const std::string& value);
    void ReadSaveFolder();
    void ReadTextToSpeech(const std::string& value);
    std::string ButtonsText() const;

    std::string readFrom_; // the settings file when ReadUserSettings found it there; empty when absent
};
