// The users dialog: lists Morvel's users and makes one current, creates, copies, deletes and edits
// them, and puts a desktop shortcut for one.
#pragma once
#include "framework/Dialog.h"
#include "writer_settings/FolderDialogContext.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/Settings.h"
#include "writer_settings/SettingsSheetData.h"
#include "writer_settings/User.h"
#include <vector>

// Works on the main window's settings (not owned): the current user is their user file, changed
// only by "Välj användare", and when the current user is deleted or renamed. The array is read from
// the users folder each time the dialog opens. Run modally.
class UserDlg : public fw::Dialog {
public:
    UserDlg(HWND mainWindow, Settings* mainSettings, const SpeechObjects& speech,
            const FolderDialogContext& folderContext);

    const std::vector<User>& Users() const { return users_; }
    int CurrentIndex() const { return current_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;

private:
    void PutInTexts();
    void LoadUsers();
    void FillList(const std::string& select);
    void UpdateButtons();
    // The selected user's index in the array; -1 without a selection.
    int SelectedUser() const;
    // path was not written; gone: it was read and is no longer there.
    void ShowNotSaved(const std::string& path, bool gone = false) const;
    void ShowNotDeleted(const std::string& path) const;
    void ShowCurrentName(const std::string& name);
    bool IsCurrent(const std::string& path) const;

    void OnSettings();
    // Gives the user at index its new name: its files and, when it is the folder of its name, its
    // save folder. false, with the failure shown and nothing changed, when a file cannot be written.
    // listRead is how the folder list's file was found; one that could not be read is carried over
    // byte for byte.
    bool Rename(int index, const User& user, Settings& settings, const std::vector<ImageFolder>& folders,
                fw::FileRead listRead);
    // The same for a new name that differs only in letter case, which names the same files.
    bool RenameInPlace(int index, const User& user, Settings& settings, const std::vector<ImageFolder>& folders,
                       fw::FileRead listRead);
    bool MoveSaveFolder(int index, const User& user, Settings& settings) const;
    void OnSelect();
    void OnNew();
    void OnCopy();
    void OnDelete();
    void OnShortcut();

    Settings* mainSettings_;
    SpeechObjects speech_;
    FolderDialogContext folderContext_;
    std::vector<User> users_;
    std::string defaultName_;
    int current_ = 0;
};

// The main window's "Användare...": the users dialog run modally. The main window reads its
// settings again afterwards.
void RunUsersDlg(HWND mainWindow, Settings& mainSettings, const SpeechObjects& speech,
                 const FolderDialogContext& folderContext);
