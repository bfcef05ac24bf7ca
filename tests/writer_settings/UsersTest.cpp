// Users: the users folder read into the list, and the users dialog's operations on fixture folders,
// its questions answered by script.
#include "UsersFixture.h"
#include "framework/Files.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "support/FullDisk.h"
#include "writer_settings/CopyUserDlg.h"
#include "writer_settings/SaveFolders.h"
#include "writer_settings/SettingsSheet.h"
#include "writer_settings/UserDlg.h"
#include "writer_settings/UserNames.h"
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

std::vector<std::string> Names(const std::vector<User>& users)
{
    std::vector<std::string> names;
    for (const User& user : users)
        names.push_back(user.name_);
    std::sort(names.begin() + 1, names.end());
    return names;
}

// Selects the user of that name in the dialog's list.
void SelectUser(HWND dialog, const std::string& name)
{
    const int index = fw::ListBox(dialog, IDC_USER_LIST).FindExact(name);
    ASSERT_GE(index, 0) << name;
    SelectList(dialog, IDC_USER_LIST, index);
}

// The next settings sheet gives the user that name on its name page and closes with OK.
void RenameInNextSheet(const std::string& newName)
{
    fw::PropSheet::PushInitHook([newName](fw::PropSheet& sheet) {
        HWND namePage = reinterpret_cast<HWND>(::SendMessageA(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
        SetText(namePage, IDC_NAME_EDIT, newName);
        sheet.PressButton(PSBTN_OK);
        PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
    });
}

class UsersTest : public testing::Test {
protected:
    UsersFixture fixture;
};

} // namespace

TEST(UserNamesTest, LanguageFilesAreKnownByTheirFileNameOnly)
{
    testsupport::TempFolder temp;
    // The users folder's own path holds "english": its users are listed all the same.
    const std::string usersDir = temp / "english\\users";
    temp.Write("english\\users\\Anna.ini", "");
    temp.Write("english\\users\\english.ini", "");
    temp.Write("english\\users\\Morvel.Swedish.ini", "");
    temp.Write("english\\users\\Bertil.ini", "");
    temp.Write("english\\users\\mapp.ini\\x.txt", "");
    const std::vector<User> users = usernames::LoadUsers(usersDir, temp / "program\\swedish.ini", "<Standard>");
    EXPECT_EQ((std::vector<std::string>{"<Standard>", "Anna", "Bertil"}), Names(users));
    EXPECT_EQ("", users[0].path_);
    EXPECT_EQ(0, usernames::CurrentUserIndex(users, ""));
    EXPECT_EQ(0, usernames::CurrentUserIndex(users, temp / "elsewhere\\Anna.ini"));
    const int anna = usernames::FindUser(users, "ANNA");
    EXPECT_EQ(anna, usernames::CurrentUserIndex(users, usersDir + "\\anna.INI"));

    EXPECT_EQ((std::vector<std::string>{"<Standard>"}),
              Names(usernames::LoadUsers(temp / "tom", "", "<Standard>"))); // no folder, no users
}

TEST(UserNamesTest, NameRules)
{
    for (const char* name : {"a\\b", "a/b", "a:b", "a*", "a?", "a\"", "<a", "a>", "a|b"})
        EXPECT_TRUE(usernames::HasForbiddenUserCharacter(name)) << name;
    EXPECT_FALSE(usernames::HasForbiddenUserCharacter("Anna, Bertil"));
    EXPECT_TRUE(usernames::HasForbiddenLinkCharacter("Anna, Bertil"));
    EXPECT_FALSE(usernames::HasForbiddenLinkCharacter("C:Anna"));
}

// What a folder holds that must stay when one user (Anna) goes: every other user's save folder and
// picture folders, the default user's "Dokument" in the program folder among them, and the
// program's own folders.
TEST_F(UsersTest, AFolderIsInUseWhenItIsOrHoldsAFolderAnyoneElseUses)
{
    fixture.config.WriteImageBase();
    const std::string temp = fixture.config.Temp() / "";
    fixture.WriteUser("Anna", {"UserDir=" + temp + "Dokument\\Anna"});
    fixture.WriteUser(
        "Bertil", {"UserDir=" + temp + "Dokument\\Bertil", "ImageDir=" + temp + "Bertils bilder"});
    fixture.config.Write("användare\\Bertil.lst", "[Resa]\r\nSymbol=x.bmp\r\nDisplayType=Album\r\n"
                                                  "AlbumSize=Large\r\nFolderType=Dir\r\nData="
                                                      + temp + "Foton\\Resa,A\r\n\r\n");
    const Settings settings = fixture.MainSettings();
    const std::vector<User> users = usernames::LoadUsers(fixture.UsersDir(), settings.programIni_, "<Standard>");
    const int anna = usernames::FindUser(users, "Anna");
    struct Case {
        std::string folder;
        std::string user;
        bool savesHere;
        bool inUse;
    };
    const std::string program = fixture.config.ProgramFolder();
    const Case cases[] = {
        {temp + "Dokument\\Anna", "", false, false},
        {temp + "Dokument\\Anna\\", "", false, false},
        {fixture.UsersDir() + "\\Anna", "", false, false},
        {temp + "Dokument\\Bertil", "Bertil", true, true},
        {temp + "dokument\\BERTIL\\", "Bertil", true, true},
        {temp + "Dokument", "Bertil", false, true},
        {program + "\\Dokument", "<Standard>", true, true},
        {program, "<Standard>", false, true},
        {fixture.UsersDir(), "", false, true},
        {temp + "symboler", "", false, true},
        {temp + "bas", "", false, true},            // an image base
        {temp + "Foton", "", false, true},          // a folder of Bertil's list
        {temp + "Bertils bilder", "", false, true}, // Bertil's picture folder
        {temp.substr(0, 3), "<Standard>", false, true}, // the drive
        {"", "", false, false},
    };
    for (const Case& c : cases) {
        const savefolders::FolderUse use = savefolders::UseOfFolder(users, anna, settings, c.folder);
        EXPECT_EQ(c.inUse, use.InUse()) << c.folder;
        EXPECT_EQ(c.user, use.user) << c.folder;
        EXPECT_EQ(c.savesHere, use.userSavesHere) << c.folder;
    }
    // Anna's own folders are hers to give up; for anyone else they are in use.
    EXPECT_TRUE(savefolders::UseOfFolder(users, -1, settings, temp + "Dokument\\Anna").InUse());
}

TEST_F(UsersTest, NewUsersTakeTheFirstFreeNumber)
{
    EXPECT_EQ("Ny användare", usernames::FreeNewUserName(fixture.UsersDir(), "Ny användare"));
    fixture.WriteUser("Ny användare", {});
    EXPECT_EQ("Ny användare 2", usernames::FreeNewUserName(fixture.UsersDir(), "Ny användare"));
    fixture.WriteUser("ny användare 2", {});
    EXPECT_EQ("Ny användare 3", usernames::FreeNewUserName(fixture.UsersDir(), "Ny användare"));
}

TEST_F(UsersTest, ANameDifferingOnlyInCaseIsTakenExceptForTheUserItself)
{
    fixture.WriteUser("Anna", {});
    fixture.WriteUser("Bertil", {});
    const std::vector<User> users = usernames::LoadUsers(fixture.UsersDir(), "", "<Standard>");
    const int anna = usernames::FindUser(users, "Anna");
    const int bertil = usernames::FindUser(users, "Bertil");
    EXPECT_TRUE(usernames::IsNameTaken(users, -1, "anna", fixture.UsersDir()));
    EXPECT_TRUE(usernames::IsNameTaken(users, bertil, "ANNA", fixture.UsersDir()));
    EXPECT_FALSE(usernames::IsNameTaken(users, anna, "ANNA", fixture.UsersDir()));
    EXPECT_TRUE(usernames::IsNameTaken(users, -1, "<standard>", fixture.UsersDir()));
    // A file that is no user (a language file) is never written over either.
    fixture.config.Write("användare\\english.ini", "[Language]\r\n");
    EXPECT_TRUE(usernames::IsNameTaken(users, -1, "English", fixture.UsersDir()));
    EXPECT_FALSE(usernames::IsNameTaken(users, -1, "Cecilia", fixture.UsersDir()));
    // Nor a folder list left without its user.
    fixture.config.Write("användare\\cecilia.lst", "[Djur]\r\n");
    EXPECT_TRUE(usernames::IsNameTaken(users, -1, "Cecilia", fixture.UsersDir()));
    EXPECT_FALSE(usernames::IsNameTaken(users, anna, "Anna", fixture.UsersDir()));
}

TEST_F(UsersTest, OnlyTheDefaultUserListedAndItCannotBeDeleted)
{
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Användare", d.Self().Text());
        EXPECT_EQ("<Standard>", Text(d, IDC_USER_CURRENT));
        EXPECT_EQ(1, fw::ListBox(d, IDC_USER_LIST).Count());
        EXPECT_EQ(0, fw::ListBox(d, IDC_USER_LIST).Selection());
        EXPECT_TRUE(IsEnabled(d, IDC_USER_SETTINGS));
        EXPECT_FALSE(IsEnabled(d, IDC_USER_DELETE));
        SelectList(d, IDC_USER_LIST, -1);
        EXPECT_FALSE(IsEnabled(d, IDC_USER_SELECT));
        EXPECT_FALSE(IsEnabled(d, IDC_USER_COPY));
        Snapshot(d, "users_empty");
        Click(d, IDOK);
    });
}

TEST_F(UsersTest, ChoosingAUserMakesItCurrent)
{
    fixture.WriteUser("Anna", {"BkColor=3"});
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_SELECT_USER_QUESTION, IDCANCEL).Expect(IDS_SELECT_USER_QUESTION, IDOK);
        SelectUser(d, "Anna");
        Click(d, IDC_USER_SELECT);
        EXPECT_EQ("<Standard>", Text(d, IDC_USER_CURRENT));
        Click(d, IDC_USER_SELECT);
        EXPECT_EQ("Anna", Text(d, IDC_USER_CURRENT));
        EXPECT_EQ("Vill du ställa in Morvel med användaren \"Anna\"?", messages.Shown()[1].text);
        Snapshot(d, "users_chosen");
        Click(d, IDOK);
    });
    EXPECT_EQ(fixture.UserFile("Anna"), settings.userFile_);
    EXPECT_EQ(3, settings.bkColor_);
}

TEST_F(UsersTest, DeletingTheCurrentUserMakesTheDefaultUserCurrent)
{
    const std::string saveFolder = fixture.config.Temp() / "Annas dokument";
    fixture.config.Write("Annas dokument\\1.txt", "hej");
    const std::string annaFile = fixture.WriteUser("Anna", {"UserDir=" + saveFolder});
    fixture.config.Write("användare\\Anna.lst", "");
    Settings settings = fixture.MainSettings(annaFile);
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Anna", Text(d, IDC_USER_CURRENT));
        ScriptedMessages messages;
        messages.Expect(IDS_DELETE_USER_QUESTION, IDOK).Expect(IDS_DELETE_SAVE_FOLDER, IDNO);
        SelectUser(d, "Anna");
        Click(d, IDC_USER_DELETE);
        EXPECT_EQ("<Standard>", Text(d, IDC_USER_CURRENT));
        EXPECT_EQ(1, fw::ListBox(d, IDC_USER_LIST).Count());
        EXPECT_EQ(-1, fw::ListBox(d, IDC_USER_LIST).Selection());
        Click(d, IDOK);
    });
    EXPECT_EQ("", settings.userFile_);
    EXPECT_FALSE(fw::PathExists(annaFile));
    EXPECT_FALSE(fw::PathExists(fixture.UsersDir() + "\\Anna.lst"));
    EXPECT_TRUE(fw::FileExists(saveFolder + "\\1.txt")); // "No" keeps the save folder
}

TEST_F(UsersTest, DeletingAUserWithItsSaveFolderInTheDefaultOneAsksNothingAboutIt)
{
    Settings defaults = fixture.MainSettings();
    const std::string saveFolder = defaults.userDir_ + "\\Bertil";
    fixture.config.Write("Program Files\\Morvel\\Dokument\\Bertil\\1.txt", "hej");
    fixture.WriteUser("Bertil", {"UserDir=" + saveFolder});
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_DELETE_USER_QUESTION, IDOK);
        SelectUser(d, "Bertil");
        Click(d, IDC_USER_DELETE);
        Click(d, IDOK);
    });
    EXPECT_FALSE(fw::PathExists(fixture.UserFile("Bertil")));
    EXPECT_TRUE(fw::FileExists(saveFolder + "\\1.txt"));
}

TEST_F(UsersTest, RenamingMovesTheSaveFolderOfTheOldNameAndFollowsTheCurrentUser)
{
    const std::string oldFolder = fixture.UsersDir() + "\\Anna";
    fixture.config.Write("användare\\Anna\\1.txt", "hej");
    const std::string annaFile = fixture.WriteUser("Anna", {"UserDir=" + oldFolder, "MaxNumber=4"});
    fixture.config.Write("användare\\Anna.lst", "");
    const std::string elsewhere = fixture.config.Temp() / "Bertils dokument";
    fixture.WriteUser("Bertil", {"UserDir=" + elsewhere});
    Settings settings = fixture.MainSettings(annaFile);
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        RenameInNextSheet("Anna-Karin");
        Click(d, IDC_USER_SETTINGS);
        EXPECT_EQ("Anna-Karin", Text(d, IDC_USER_CURRENT));
        SelectUser(d, "Bertil");
        RenameInNextSheet("Berit");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    const std::string newFile = fixture.UserFile("Anna-Karin");
    EXPECT_FALSE(fw::PathExists(annaFile));
    EXPECT_FALSE(fw::PathExists(fixture.UsersDir() + "\\Anna.lst"));
    EXPECT_TRUE(fw::FileExists(fixture.UsersDir() + "\\Anna-Karin\\1.txt"));
    EXPECT_EQ(fixture.UsersDir() + "\\Anna-Karin", MorvelConfig::Value(newFile, "MVSettings", "UserDir"));
    EXPECT_EQ("4", MorvelConfig::Value(newFile, "MVSettings", "MaxNumber"));
    EXPECT_EQ(newFile, settings.userFile_);
    EXPECT_EQ(fixture.UsersDir() + "\\Anna-Karin", settings.userDir_);
    // A save folder elsewhere stays where it is.
    EXPECT_EQ(elsewhere, MorvelConfig::Value(fixture.UserFile("Berit"), "MVSettings", "UserDir"));
}

TEST_F(UsersTest, ACopyNamedLikeAUserInAnyCaseIsRefusedAndNothingIsWrittenOver)
{
    fixture.WriteUser("Anna", {"MaxNumber=4", "BkColor=2"});
    fixture.WriteUser("Bertil", {"MaxNumber=9"});
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        OnNextDialog([&](fw::Dialog& copy) {
            EXPECT_EQ("Vill du kopiera användaren \"Anna\"?", Text(copy, IDC_COPY_USER_QUESTION));
            ScriptedMessages messages;
            messages.Expect(IDS_NAME_MISSING).Expect(IDS_USER_EXISTS).Expect(IDS_USER_EXISTS).Expect(
                IDS_USER_NAME_CHARACTERS).Expect(IDS_USER_NAME_LANGUAGE);
            Click(copy, IDOK);
            SetText(copy, IDC_COPY_USER_NAME, "BERTIL");
            Click(copy, IDOK);
            SetText(copy, IDC_COPY_USER_NAME, "<Standard>");
            Click(copy, IDOK);
            SetText(copy, IDC_COPY_USER_NAME, "Anna?");
            Click(copy, IDOK);
            // Its file would be taken for a language file and the user never listed again.
            SetText(copy, IDC_COPY_USER_NAME, "Anna English");
            Click(copy, IDOK);
            Snapshot(copy, "users_copy");
            SetText(copy, IDC_COPY_USER_NAME, "Cecilia");
            Click(copy, IDOK);
        });
        Click(d, IDC_USER_COPY);
        const fw::ListBox list(d, IDC_USER_LIST);
        EXPECT_EQ("Cecilia", list.ItemText(list.Selection()));
        Click(d, IDOK);
    });
    EXPECT_EQ("9", MorvelConfig::Value(fixture.UserFile("Bertil"), "MVSettings", "MaxNumber"));
    EXPECT_EQ("4", MorvelConfig::Value(fixture.UserFile("Cecilia"), "MVSettings", "MaxNumber"));
    EXPECT_EQ("2", MorvelConfig::Value(fixture.UserFile("Cecilia"), "MVSettings", "BkColor"));
}

// As Morvel is often installed: no users folder of its own, so the program ini lies among the users'
// files. It is the default user's, and no user of its name is listed, deleted or made.
TEST(UsersInTheProgramFolder, TheProgramIniIsNoUserAndItsNameIsTaken)
{
    UsersFixture fixture(UsersFixture::UsersFolder::ProgramFolder);
    fixture.WriteUser("Sara", {});
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        const fw::ListBox list(d, IDC_USER_LIST);
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(list.ItemText(i));
        std::sort(names.begin() + 1, names.end());
        EXPECT_EQ((std::vector<std::string>{"<Standard>", "Sara"}), names);
        SelectUser(d, "Sara");
        OnNextDialog([&](fw::Dialog& copy) {
            ScriptedMessages messages;
            messages.Expect(IDS_USER_EXISTS);
            SetText(copy, IDC_COPY_USER_NAME, "Morvel");
            Click(copy, IDOK);
            copy.EndDialog(IDCANCEL);
        });
        Click(d, IDC_USER_COPY);
        Click(d, IDOK);
    });
    EXPECT_EQ(2u, dialog.Users().size());
}

TEST_F(UsersTest, ACopySavesInAFolderOfItsOwnAndAFolderTwoShareIsNeverOffered)
{
    const std::string shared = fixture.config.Temp() / "Annas dokument";
    fixture.config.Write("Annas dokument\\1.txt", "hej");
    fixture.WriteUser("Anna", {"UserDir=" + shared});
    fixture.WriteUser("Bertil", {"UserDir=" + shared + "\\"}); // the same folder, written otherwise
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        OnNextDialog([&](fw::Dialog& copy) {
            SetText(copy, IDC_COPY_USER_NAME, "Cecilia");
            Click(copy, IDOK);
        });
        Click(d, IDC_USER_COPY);
        EXPECT_EQ(fixture.UsersDir() + "\\Cecilia",
                  MorvelConfig::Value(fixture.UserFile("Cecilia"), "MVSettings", "UserDir"));
        EXPECT_TRUE(fw::FolderExists(fixture.UsersDir() + "\\Cecilia"));
        {
            // Anna's documents are Bertil's too: not a word about deleting them.
            ScriptedMessages messages;
            messages.Expect(IDS_DELETE_USER_QUESTION, IDOK);
            SelectUser(d, "Bertil");
            Click(d, IDC_USER_DELETE);
        }
        ScriptedMessages messages;
        messages.Expect(IDS_DELETE_USER_QUESTION, IDOK).Expect(IDS_DELETE_SAVE_FOLDER, IDYES);
        SelectUser(d, "Cecilia");
        Click(d, IDC_USER_DELETE);
        Click(d, IDOK);
    });
    EXPECT_TRUE(fw::FileExists(shared + "\\1.txt"));
    EXPECT_FALSE(fw::PathExists(fixture.UsersDir() + "\\Cecilia"));
    EXPECT_TRUE(fw::FileExists(fixture.UserFile("Anna")));
}

// The new name's files are written whole before the old ones go: a list that cannot be written
// leaves the user as it was. A save folder another user shares stays where it is.
TEST_F(UsersTest, ARenameLeavesTheUserWholeWhenItCannotBeWrittenAndASharedFolderInPlace)
{
    const std::string annasFolder = fixture.UsersDir() + "\\Anna";
    fixture.config.Write("användare\\Anna\\1.txt", "hej");
    const std::string annaFile = fixture.WriteUser("Anna", {"UserDir=" + annasFolder});
    const std::string annaList = fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    Settings settings = fixture.MainSettings(annaFile);
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        {
            testsupport::FullDisk full;
            ScriptedMessages messages;
            messages.Expect(IDS_USER_NOT_SAVED);
            SelectUser(d, "Anna");
            RenameInNextSheet("Berit");
            Click(d, IDC_USER_SETTINGS);
        }
        EXPECT_EQ("Anna", Text(d, IDC_USER_CURRENT));
        EXPECT_GT(fw::ListBox(d, IDC_USER_LIST).FindExact("Anna"), 0);
        Click(d, IDOK);
    });
    EXPECT_EQ(annaFile, settings.userFile_);
    EXPECT_TRUE(fw::FileExists(annaFile));
    EXPECT_EQ("[Djur]\r\nSymbol=\r\n", testsupport::TempFolder::Read(annaList));
    EXPECT_TRUE(fw::FileExists(annasFolder + "\\1.txt"));
    EXPECT_FALSE(fw::PathExists(fixture.UserFile("Berit")));
    EXPECT_FALSE(fw::PathExists(fixture.UsersDir() + "\\Berit.lst"));

    // Bertil saves in Anna's folder too: it keeps its name when Anna takes another.
    fixture.WriteUser("Bertil", {"UserDir=" + annasFolder});
    UserDlg again(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(again, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        RenameInNextSheet("Berit");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    EXPECT_FALSE(fw::PathExists(annaFile));
    EXPECT_FALSE(fw::PathExists(annaList));
    EXPECT_EQ(0u, testsupport::TempFolder::Read(fixture.UsersDir() + "\\Berit.lst").find("[Djur]\r\n"));
    EXPECT_TRUE(fw::FileExists(annasFolder + "\\1.txt"));
    EXPECT_EQ(annasFolder, MorvelConfig::Value(fixture.UserFile("Berit"), "MVSettings", "UserDir"));
}

// Anna saves in the folder a copy named Cecilia would take, and a folder "Cecilia 2" is left on the
// disk from before: the copy takes neither.
TEST_F(UsersTest, ACopyNeverTakesAFolderAnotherUserSavesInOrOneThatIsThere)
{
    const std::string annasFolder = fixture.UsersDir() + "\\Cecilia";
    fixture.config.Write("användare\\Cecilia\\1.txt", "Annas");
    fixture.config.Write("användare\\Cecilia 2\\1.txt", "kvar");
    fixture.WriteUser("Anna", {"UserDir=" + annasFolder});
    fixture.WriteUser("Bertil", {"MaxNumber=9"});
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Bertil");
        OnNextDialog([&](fw::Dialog& copy) {
            SetText(copy, IDC_COPY_USER_NAME, "Cecilia");
            Click(copy, IDOK);
        });
        Click(d, IDC_USER_COPY);
        Click(d, IDOK);
    });
    const std::string copysFolder = fixture.UsersDir() + "\\Cecilia 3";
    EXPECT_EQ(copysFolder, MorvelConfig::Value(fixture.UserFile("Cecilia"), "MVSettings", "UserDir"));
    EXPECT_TRUE(fw::FolderExists(copysFolder));
    EXPECT_EQ("9", MorvelConfig::Value(fixture.UserFile("Cecilia"), "MVSettings", "MaxNumber"));
    EXPECT_EQ(annasFolder, MorvelConfig::Value(fixture.UserFile("Anna"), "MVSettings", "UserDir"));
}

// Bertil saves in a folder inside Anna's: Anna's folder keeps its place when she takes a new name.
TEST_F(UsersTest, ARenameNeverMovesAFolderThatHoldsAnotherUsersSaveFolder)
{
    const std::string annasFolder = fixture.UsersDir() + "\\Anna";
    const std::string bertilsFolder = annasFolder + "\\Bertil";
    fixture.config.Write("användare\\Anna\\Bertil\\1.txt", "Bertils");
    const std::string annaFile = fixture.WriteUser("Anna", {"UserDir=" + annasFolder});
    fixture.WriteUser("Bertil", {"UserDir=" + bertilsFolder});
    Settings settings = fixture.MainSettings(annaFile);
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        RenameInNextSheet("Berit");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    EXPECT_FALSE(fw::PathExists(annaFile));
    EXPECT_EQ(annasFolder, MorvelConfig::Value(fixture.UserFile("Berit"), "MVSettings", "UserDir"));
    EXPECT_TRUE(fw::FileExists(bertilsFolder + "\\1.txt"));
    EXPECT_FALSE(fw::PathExists(fixture.UsersDir() + "\\Berit"));
}

// A new name in other letter case is the user's new name on the disk too: its settings file, its
// folder list and the save folder of its name.
TEST_F(UsersTest, ARenameByLetterCaseOnlyIsKeptInTheFiles)
{
    const std::string annasFolder = fixture.UsersDir() + "\\Anna";
    fixture.config.Write("användare\\Anna\\1.txt", "hej");
    const std::string annaFile = fixture.WriteUser("Anna", {"UserDir=" + annasFolder, "MaxNumber=4"});
    fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    Settings settings = fixture.MainSettings(annaFile);
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectUser(d, "Anna");
        RenameInNextSheet("ANNA");
        Click(d, IDC_USER_SETTINGS);
        EXPECT_EQ("ANNA", Text(d, IDC_USER_CURRENT));
        Click(d, IDOK);
    });
    std::vector<std::string> files = testsupport::TempFolder::FilesIn(fixture.UsersDir());
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"ANNA.ini", "ANNA.lst"}), files);
    EXPECT_EQ((std::vector<std::string>{"<Standard>", "ANNA"}),
              Names(usernames::LoadUsers(fixture.UsersDir(), settings.programIni_, "<Standard>")));
    const std::string newFile = fixture.UserFile("ANNA");
    EXPECT_EQ("4", MorvelConfig::Value(newFile, "MVSettings", "MaxNumber"));
    EXPECT_EQ(fixture.UsersDir() + "\\ANNA", MorvelConfig::Value(newFile, "MVSettings", "UserDir"));
    EXPECT_EQ(0u, testsupport::TempFolder::Read(fixture.UsersDir() + "\\ANNA.lst").find("[Djur]\r\n"));
    EXPECT_EQ(newFile, settings.userFile_);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(annasFolder.c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    ::FindClose(search);
    EXPECT_STREQ("ANNA", found.cFileName);
}

// Deleting Anna offers her save folder only when nothing in it is anyone else's: not the symbols
// folder, an image base, a folder of another user's list or one holding another user's save folder.
TEST_F(UsersTest, DeletingAUserNeverOffersAFolderTheProgramOrAnotherUserUses)
{
    fixture.config.WriteImageBase();
    const std::string temp = fixture.config.Temp() / "";
    fixture.config.Write("symboler\\a.bmp", "x");
    fixture.config.Write("Foton\\Resa\\1.bmp", "x");
    fixture.config.Write("Gemensam\\Bertil\\1.txt", "x");
    fixture.WriteUser("Bertil", {"UserDir=" + temp + "Gemensam\\Bertil"});
    fixture.config.Write("användare\\Bertil.lst", "[Resa]\r\nSymbol=x.bmp\r\nDisplayType=Album\r\nAlbumSize=Large\r\n"
                                                  "FolderType=Dir\r\nData=" + temp + "Foton\\Resa,A\r\n\r\n");
    for (const char* folder : {"symboler", "bas", "Foton", "Gemensam"}) {
        fixture.WriteUser("Anna", {"UserDir=" + temp + folder});
        Settings settings = fixture.MainSettings();
        UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
        RunModal(dialog, [&](fw::Dialog& d) {
            ScriptedMessages messages;
            messages.Expect(IDS_DELETE_USER_QUESTION, IDOK);
            SelectUser(d, "Anna");
            Click(d, IDC_USER_DELETE);
            Click(d, IDOK);
        });
        EXPECT_FALSE(fw::PathExists(fixture.UserFile("Anna"))) << folder;
        EXPECT_TRUE(fw::FolderExists(temp + folder)) << folder;
    }
}

// Anna's folder list is there but cannot be read (saved "as Unicode"): it is said, shown with no way
// to change it, and left as it is whatever the users dialog does with Anna.
TEST_F(UsersTest, AFolderListThatCannotBeReadIsSaidAndLeftAsItIs)
{
    const std::string unicode("\xFF\xFE[\0D\0]\0\r\0\n\0", 12);
    const std::string annaFile = fixture.WriteUser("Anna", {"MaxNumber=4"});
    const std::string annaList = fixture.config.Write("användare\\Anna.lst", unicode);
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        {
            ScriptedMessages messages;
            messages.Expect(IDS_FOLDER_LIST_UNREADABLE);
            SelectUser(d, "Anna");
            fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
                ::SendMessageA(sheet.Handle(), PSM_SETCURSEL, 2, 0); // name, screen, pictures
                HWND pictures = reinterpret_cast<HWND>(::SendMessageA(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
                EXPECT_FALSE(IsEnabled(pictures, IDC_FOLDER_NEW));
                sheet.PressButton(PSBTN_OK);
                PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
            });
            Click(d, IDC_USER_SETTINGS);
        }
        EXPECT_EQ(unicode, testsupport::TempFolder::Read(annaList));
        {
            // A copy would go without Anna's folders: none is made.
            ScriptedMessages messages;
            messages.Expect(IDS_FOLDER_LIST_UNREADABLE);
            OnNextDialog([&](fw::Dialog& copy) {
                SetText(copy, IDC_COPY_USER_NAME, "Cecilia");
                Click(copy, IDOK);
            });
            Click(d, IDC_USER_COPY);
        }
        EXPECT_FALSE(fw::PathExists(fixture.UserFile("Cecilia")));
        ScriptedMessages messages;
        messages.Expect(IDS_FOLDER_LIST_UNREADABLE);
        RenameInNextSheet("Berit");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    // The new name takes the list byte for byte.
    EXPECT_FALSE(fw::PathExists(annaList));
    EXPECT_EQ(unicode, testsupport::TempFolder::Read(fixture.UsersDir() + "\\Berit.lst"));
    EXPECT_EQ("4", MorvelConfig::Value(fixture.UserFile("Berit"), "MVSettings", "MaxNumber"));
}

// With no room left on the disk the users dialog's new user, settings and copy each say that the
// folder list was not saved.
TEST_F(UsersTest, AFolderListThatCannotBeWrittenIsSaidInEveryPlace)
{
    fixture.WriteUser("Anna", {});
    const std::string annaList = fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        testsupport::FullDisk full;
        {
            ScriptedMessages messages;
            messages.Expect(IDS_USER_NOT_SAVED);
            SelectUser(d, "Anna");
            fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
                sheet.PressButton(PSBTN_OK);
                PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
            });
            Click(d, IDC_USER_SETTINGS);
        }
        {
            ScriptedMessages messages;
            messages.Expect(IDS_USER_NOT_SAVED);
            OnNextDialog([&](fw::Dialog& copy) {
                SetText(copy, IDC_COPY_USER_NAME, "Cecilia");
                Click(copy, IDOK);
            });
            Click(d, IDC_USER_COPY);
        }
        ScriptedMessages messages;
        messages.Expect(IDS_NEW_USER_DEFAULTS, IDNO)
            .Expect(IDS_CREATE_FOLDER_QUESTION, IDYES)
            .Expect(IDS_USER_NOT_SAVED);
        fw::PropSheet::PushInitHook([&](fw::PropSheet& wizard) {
            for (int page = 1; page <= 4; ++page) {
                wizard.PressButton(PSBTN_NEXT);
                ASSERT_TRUE(PumpUntil([&] { return wizard.ActiveIndex() == page; })) << page;
            }
            wizard.PressButton(PSBTN_FINISH);
            PumpUntil([&] { return !wizard.IsRunning(); }, 2000);
        });
        Click(d, IDC_USER_NEW);
        Click(d, IDOK);
    });
    EXPECT_EQ("[Djur]\r\nSymbol=\r\n", testsupport::TempFolder::Read(annaList));
}

// Anna's settings file is there but cannot be read (NUL bytes, or held open by another program):
// her settings would read as the defaults, and the next OK would write them over hers. It is said,
// and neither the sheet nor a copy takes the defaults for hers.
// A user's files that go away while the sheet is open are not made again by its OK: the user is told.
TEST_F(UsersTest, ASettingsFileThatHasGoneWhileItsSheetWasOpenIsNotCreatedAgain)
{
    const std::string annaFile = fixture.WriteUser("Anna", {"MaxNumber=4"});
    const std::string annaList = fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
            ::DeleteFileA(annaFile.c_str());
            ::DeleteFileA(annaList.c_str());
            sheet.PressButton(PSBTN_OK);
            PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
        });
        ScriptedMessages messages;
        messages.Expect(IDS_USER_FILE_GONE);
        SelectUser(d, "Anna");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    EXPECT_TRUE(fw::IsAbsent(annaFile));
    EXPECT_TRUE(fw::IsAbsent(annaList));

    // Nor does a new name bring her back under it: the file that has gone is named.
    const std::string bertilFile = fixture.WriteUser("Bertil", {"MaxNumber=4"});
    UserDlg again(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(again, [&](fw::Dialog& d) {
        fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
            ::DeleteFileA(bertilFile.c_str());
            HWND namePage = reinterpret_cast<HWND>(::SendMessageA(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            SetText(namePage, IDC_NAME_EDIT, "Berta");
            sheet.PressButton(PSBTN_OK);
            PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
        });
        ScriptedMessages messages;
        messages.Expect(IDS_USER_FILE_GONE);
        SelectUser(d, "Bertil");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDOK);
    });
    EXPECT_TRUE(testsupport::TempFolder::FilesIn(fixture.UsersDir()).empty());
}

TEST_F(UsersTest, ASettingsFileThatCannotBeReadIsSaidAndLeftAsItIs)
{
    const std::string damaged("[MVSettings]\r\nMaxNumber=4\r\n\0\0", 28);
    const std::string annaFile = fixture.config.Write("användare\\Anna.ini", damaged);
    Settings settings = fixture.MainSettings();
    UserDlg dialog(nullptr, &settings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_USER_UNREADABLE).Expect(IDS_USER_UNREADABLE);
        SelectUser(d, "Anna");
        Click(d, IDC_USER_SETTINGS);
        Click(d, IDC_USER_COPY);
        Click(d, IDOK);
    });
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(annaFile));
    EXPECT_EQ(std::vector<std::string>{"Anna.ini"}, testsupport::TempFolder::FilesIn(fixture.UsersDir()));
    // Nor does any other writer of her settings (the main window's choice of a default image base).
    Settings damagedAnna = fixture.MainSettings(annaFile);
    damagedAnna.defaultImageBase_ = "B";
    EXPECT_FALSE(damagedAnna.WriteUserSettings());
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(annaFile));

    // From the main window, with the file held open by another program.
    fixture.WriteUser("Anna", {"MaxNumber=4"});
    Settings anna = fixture.MainSettings(annaFile);
    HANDLE held = ::CreateFileA(annaFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    {
        ScriptedMessages messages;
        messages.Expect(IDS_USER_UNREADABLE);
        EXPECT_FALSE(RunSettingsSheet(nullptr, anna, SpeechObjects{}, FolderDialogContext{}));
    }
    ::CloseHandle(held);
    EXPECT_EQ("4", MorvelConfig::Value(annaFile, "MVSettings", "MaxNumber"));
}
