// The settings sheet in real windows: each page loading and storing a fixture user's settings, the
// save page's checks, and the new-user wizard run from the users dialog.
#include "UsersFixture.h"
#include "framework/Files.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/FullDisk.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "writer_settings/ScreenChoices.h"
#include "writer_settings/SettingsSheet.h"
#include "writer_settings/UserDlg.h"
#include <gtest/gtest.h>
#include <memory>

using namespace testsupport;

namespace {

class SettingsSheetTest : public testing::Test {
protected:
    void TearDown() override
    {
        sheet.reset();
        fw::SetCommonDialogHandlers(fw::CommonDialogHandlers());
    }

    // The main window's sheet on Anna's settings, modeless.
    void OpenForAnna(std::initializer_list<std::string> lines)
    {
        settings = fixture.MainSettings(fixture.WriteUser("Anna", lines));
        sheet = std::make_unique<SettingsSheet>(&settings, &folders, SpeechObjects{}, FolderDialogContext{}, nullptr);
        ASSERT_TRUE(sheet->Create(nullptr));
        fw::PumpMessages();
    }
    void ShowPage(int index)
    {
        ::SendMessageA(sheet->Handle(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        ASSERT_TRUE(PumpUntil([&] { return sheet->ActiveIndex() == index; }));
    }
    // Presses a button of the sheet and waits until it has closed; false when it stays open.
    bool PressAndClose(int button)
    {
        sheet->PressButton(button);
        return PumpUntil([&] { return !sheet->IsRunning(); }, 2000);
    }
    std::string Caption() const { return fw::Window(sheet->Handle()).Text(); }

    UsersFixture fixture;
    Settings settings = fixture.MainSettings();
    std::vector<ImageFolder> folders;
    std::unique_ptr<SettingsSheet> sheet;
};

} // namespace

TEST(ScreenChoicesTest, AFontSizeOutsideTheListIsOfferedAndKept)
{
    const std::vector<int> sizes = screenchoices::FontSizes();
    EXPECT_EQ(8, sizes.front());
    EXPECT_EQ(80, sizes.back());
    EXPECT_EQ(23u, sizes.size());
    EXPECT_EQ(sizes, screenchoices::FontSizesWith(28));
    const std::vector<int> with30 = screenchoices::FontSizesWith(30);
    EXPECT_EQ(24u, with30.size());
    EXPECT_EQ(30, with30[10]);
    EXPECT_EQ(3, screenchoices::StyleIndex(11));
    EXPECT_EQ(1, screenchoices::StyleIndex(10));
    EXPECT_EQ(2, screenchoices::StyleIndex(1));
    EXPECT_EQ(1, screenchoices::StyleFromIndex(2));
}

TEST_F(SettingsSheetTest, FromTheMainWindowEveryPageLoadsAndStoresAndOkKeepsTheSavePage)
{
    const std::string saveFolder = fixture.config.Temp() / "dokument anna";
    ::CreateDirectoryA(saveFolder.c_str(), nullptr);
    OpenForAnna({"BkColor=3", "TextColor=5", "CursorColor=2", "ImageSize=8", "Font=Arial,30,11",
                 "Buttons=1,0,1,1,1,0,1,1,1,1", "HelperMenu=0", "WTIMode=1", "UserDir=" + saveFolder, "MaxNumber=5",
                 "Save=2", "LastDoc=1", "TextToSpeech=0,1,0,1"});
    EXPECT_EQ("Inställningar : Anna", Caption());
    EXPECT_EQ(4, TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet->Handle()))); // no name page
    HWND screen = sheet->ScreenPage().Handle();
    EXPECT_EQ(3, fw::ComboBox(screen, IDC_SCREEN_BK_COLOR).Selection());
    EXPECT_EQ(5, fw::ComboBox(screen, IDC_SCREEN_TEXT_COLOR).Selection());
    EXPECT_EQ(6, fw::ComboBox(screen, IDC_SCREEN_IMAGE_SIZE).Selection());
    EXPECT_EQ("Fet Kursiv", fw::ComboBox(screen, IDC_SCREEN_FONT_STYLE)
                                .ItemText(fw::ComboBox(screen, IDC_SCREEN_FONT_STYLE).Selection()));
    const fw::ComboBox size(screen, IDC_SCREEN_FONT_SIZE);
    ASSERT_GE(size.Selection(), 0);
    EXPECT_EQ("30", size.ItemText(size.Selection()));
    EXPECT_FALSE(fw::Button(screen, IDC_SCREEN_BROWSE).IsChecked());
    EXPECT_FALSE(fw::Button(screen, IDC_SCREEN_READ).IsChecked());
    EXPECT_TRUE(fw::Button(screen, IDC_SCREEN_PAUSE).IsChecked());
    Snapshot(sheet->Handle(), "settings_screen");
    SelectCombo(screen, IDC_SCREEN_BK_COLOR, 8);
    Check(screen, IDC_SCREEN_BROWSE, true);

    ShowPage(1);
    HWND pictures = sheet->PicturesPage().Handle();
    EXPECT_TRUE(fw::Button(pictures, IDC_PICTURES_BY_WORD).IsChecked());
    Check(pictures, IDC_PICTURES_BY_WORD, false);
    Snapshot(sheet->Handle(), "settings_pictures");

    ShowPage(2);
    HWND speech = sheet->SpeechPage().Handle();
    EXPECT_TRUE(fw::Button(speech, IDC_SPEECH_NONE).IsChecked());
    EXPECT_FALSE(IsEnabled(speech, IDC_SPEECH_INFOVOX)); // neither engine nor control here
    EXPECT_FALSE(IsEnabled(speech, IDC_SPEECH_VOICES));
    EXPECT_FALSE(IsEnabled(speech, IDC_SPEECH_LETTERS)); // engine 0
    EXPECT_TRUE(fw::Button(speech, IDC_SPEECH_LETTERS).IsChecked());
    EXPECT_FALSE(fw::Button(speech, IDC_SPEECH_WORDS).IsChecked());
    Snapshot(sheet->Handle(), "settings_speech");

    ShowPage(3);
    HWND save = sheet->SavePage().Handle();
    EXPECT_EQ(saveFolder, Text(save, IDC_SAVE_FOLDER));
    EXPECT_EQ("5", Text(save, IDC_SAVE_MAX_NUMBER));
    EXPECT_TRUE(fw::Button(save, IDC_SAVE_ASK).IsChecked());
    EXPECT_TRUE(fw::Button(save, IDC_SAVE_OPEN_NEWEST).IsChecked());
    Snapshot(sheet->Handle(), "settings_save");
    SetText(save, IDC_SAVE_MAX_NUMBER, "7");
    Check(save, IDC_SAVE_NEVER, true);
    Check(save, IDC_SAVE_ASK, false);
    Check(save, IDC_SAVE_OPEN_NEWEST, false);

    ASSERT_TRUE(PressAndClose(PSBTN_OK));
    EXPECT_EQ(IDOK, sheet->Result());
    EXPECT_EQ(8, settings.bkColor_);
    EXPECT_EQ(1, settings.showBrowseButton_);
    EXPECT_EQ(0, settings.showReadButton_);
    EXPECT_EQ(30, settings.fontSize_); // a size the list does not offer is kept
    EXPECT_EQ(11, settings.fontStyle_);
    EXPECT_EQ(0, settings.wtiMode_);
    EXPECT_EQ(0, settings.speechEngine_);
    // The save page's values are kept from the main window's sheet too.
    EXPECT_EQ(7, settings.maxNumber_);
    EXPECT_EQ(0, settings.save_);
    EXPECT_EQ(0, settings.lastDoc_);
    EXPECT_EQ(saveFolder, settings.userDir_);
}

TEST_F(SettingsSheetTest, FontSizesSelectTheirOwnEntry)
{
    for (int fontSize : {8, 28, 17}) {
        OpenForAnna({"Font=Arial," + std::to_string(fontSize) + ",0"});
        const fw::ComboBox size(sheet->ScreenPage().Handle(), IDC_SCREEN_FONT_SIZE);
        ASSERT_GE(size.Selection(), 0) << fontSize;
        EXPECT_EQ(std::to_string(fontSize), size.ItemText(size.Selection()));
        ASSERT_TRUE(PressAndClose(PSBTN_OK));
        EXPECT_EQ(fontSize, settings.fontSize_);
    }
}

TEST_F(SettingsSheetTest, TheSavePageRefusesABadFolderAndOffersToMakeAMissingOne)
{
    OpenForAnna({"MaxNumber=5"});
    ShowPage(3);
    HWND save = sheet->SavePage().Handle();
    const std::string missing = fixture.config.Temp() / "nya\\dokument";
    {
        ScriptedMessages messages;
        messages.Expect(IDS_SAVE_FOLDER_MISSING).Expect(IDS_SAVE_FOLDER_INVALID).Expect(IDS_SAVE_FOLDER_INVALID);
        SetText(save, IDC_SAVE_FOLDER, "");
        sheet->PressButton(PSBTN_OK);
        fw::PumpMessages();
        SetText(save, IDC_SAVE_FOLDER, "dokument");
        sheet->PressButton(PSBTN_OK);
        fw::PumpMessages();
        SetText(save, IDC_SAVE_FOLDER, "C:\\\\doku*ment");
        sheet->PressButton(PSBTN_OK);
        fw::PumpMessages();
        EXPECT_TRUE(sheet->IsRunning());
    }
    ScriptedMessages messages;
    messages.Expect(IDS_CREATE_FOLDER_QUESTION, IDYES);
    SetText(save, IDC_SAVE_FOLDER, missing);
    ASSERT_TRUE(PressAndClose(PSBTN_OK));
    EXPECT_TRUE(fw::FolderExists(missing));
    EXPECT_EQ(missing, settings.userDir_);
}

TEST_F(SettingsSheetTest, TheNewUserWizardWritesTheUserAndItsFiles)
{
    const std::string annasFolder = fixture.config.Temp() / "Annas dokument";
    fixture.WriteUser("Anna", {"MaxNumber=5", "UserDir=" + annasFolder});
    Settings mainSettings = fixture.MainSettings();
    UserDlg dialog(nullptr, &mainSettings, SpeechObjects{}, FolderDialogContext{});
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_NEW_USER_DEFAULTS, IDNO)
            .Expect(IDS_USER_EXISTS)
            .Expect(IDS_USER_NAME_LANGUAGE)
            .Expect(IDS_SAVE_FOLDER_SHARED, IDNO)
            .Expect(IDS_CREATE_FOLDER_QUESTION, IDYES);
        fw::PropSheet::PushInitHook([&](fw::PropSheet& wizard) {
            // A wizard's title bar shows the page's title, framed with "Ny användare".
            EXPECT_EQ("<Ny användare> - Namn", fw::Window(wizard.Handle()).Text());
            HWND namePage = reinterpret_cast<HWND>(::SendMessageA(wizard.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            EXPECT_EQ("Ny användare", Text(namePage, IDC_NAME_EDIT));
            // The offered name is there to be typed over.
            HWND nameEdit = ::GetDlgItem(namePage, IDC_NAME_EDIT);
            DWORD start = 1, end = 0;
            EXPECT_TRUE(PumpUntil(
                [&] {
                    ::SendMessageA(nameEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
                    return ::GetFocus() == nameEdit && start == 0 && end == std::string("Ny användare").size();
                },
                2000))
                << "focus on the name: " << (::GetFocus() == nameEdit) << ", selected " << start << " to " << end;
            Snapshot(wizard.Handle(), "settings_wizard_name");
            // Another user's name in other letter case would share its file: refused; so is a name
            // whose file would be taken for a language file.
            for (const char* refused : {"anna", "English"}) {
                SetText(namePage, IDC_NAME_EDIT, refused);
                wizard.PressButton(PSBTN_NEXT);
                fw::PumpMessages();
                if (wizard.ActiveIndex() != 0) {
                    ADD_FAILURE() << "the name " << refused << " was taken";
                    wizard.PressButton(PSBTN_CANCEL);
                    return;
                }
            }
            SetText(namePage, IDC_NAME_EDIT, "Bertil");
            for (int page = 1; page <= 4; ++page) {
                wizard.PressButton(PSBTN_NEXT);
                ASSERT_TRUE(PumpUntil([&] { return wizard.ActiveIndex() == page; })) << page;
            }
            HWND savePage = reinterpret_cast<HWND>(::SendMessageA(wizard.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            EXPECT_EQ(fixture.UsersDir() + "\\Bertil", Text(savePage, IDC_SAVE_FOLDER));
            // Anna's folder is hers: taken only when the user says both are to save there.
            SetText(savePage, IDC_SAVE_FOLDER, annasFolder + "\\");
            wizard.PressButton(PSBTN_FINISH);
            fw::PumpMessages();
            EXPECT_TRUE(wizard.IsRunning());
            SetText(savePage, IDC_SAVE_FOLDER, fixture.UsersDir() + "\\Bertil");
            Snapshot(wizard.Handle(), "settings_wizard_save");
            wizard.PressButton(PSBTN_FINISH);
            PumpUntil([&] { return !wizard.IsRunning(); }, 2000);
        });
        Click(d, IDC_USER_NEW);
        EXPECT_EQ(0u, fw::PropSheet::PendingInitHooks());
        const fw::ListBox list(d, IDC_USER_LIST);
        ASSERT_GE(list.Selection(), 0);
        EXPECT_EQ("Bertil", list.ItemText(list.Selection())); // the new user is selected
        d.EndDialog(IDOK);
    });
    ASSERT_EQ(3u, dialog.Users().size());
    EXPECT_EQ("Bertil", dialog.Users()[2].name_);
    EXPECT_TRUE(fw::FileExists(fixture.UserFile("Bertil")));
    EXPECT_TRUE(fw::FileExists(fixture.UsersDir() + "\\Bertil.lst"));
    EXPECT_TRUE(fw::FolderExists(fixture.UsersDir() + "\\Bertil"));
    EXPECT_EQ(fixture.UsersDir() + "\\Bertil", MorvelConfig::Value(fixture.UserFile("Bertil"), "MVSettings", "UserDir"));
    EXPECT_EQ("5", MorvelConfig::Value(fixture.UserFile("Anna"), "MVSettings", "MaxNumber")); // untouched
    EXPECT_EQ(annasFolder, MorvelConfig::Value(fixture.UserFile("Anna"), "MVSettings", "UserDir"));
}

// Morvel's own "Inställningar" on Anna: another user's save folder is taken only when the user says
// both are to save there; the folder Anna has already is asked nothing about.
TEST_F(SettingsSheetTest, FromTheMainWindowAnotherUsersSaveFolderIsTakenOnlyWhenSaidSo)
{
    const std::string bertilsFolder = fixture.config.Temp() / "Bertils dokument";
    ::CreateDirectoryA(bertilsFolder.c_str(), nullptr);
    fixture.WriteUser("Bertil", {"UserDir=" + bertilsFolder});
    OpenForAnna({"UserDir=" + fixture.config.Temp() / "Annas dokument"});
    ShowPage(3);
    HWND save = sheet->SavePage().Handle();
    {
        ScriptedMessages messages;
        messages.Expect(IDS_SAVE_FOLDER_SHARED, IDNO);
        SetText(save, IDC_SAVE_FOLDER, bertilsFolder + "\\");
        sheet->PressButton(PSBTN_OK);
        fw::PumpMessages();
        EXPECT_TRUE(sheet->IsRunning());
    }
    ScriptedMessages messages;
    messages.Expect(IDS_SAVE_FOLDER_SHARED, IDYES);
    ASSERT_TRUE(PressAndClose(PSBTN_OK));
    EXPECT_EQ(bertilsFolder + "\\", settings.userDir_);

    // Anna and Bertil share it now: Anna's next OK asks nothing.
    sheet = std::make_unique<SettingsSheet>(&settings, &folders, SpeechObjects{}, FolderDialogContext{}, nullptr);
    ASSERT_TRUE(sheet->Create(nullptr));
    fw::PumpMessages();
    ShowPage(3);
    ASSERT_TRUE(PressAndClose(PSBTN_OK));
}

// The main window's way in: a folder list that cannot be read is said and left as it is; one that
// cannot be written is said.
TEST_F(SettingsSheetTest, FromTheMainWindowAFolderListThatCannotBeReadOrWrittenIsSaid)
{
    const std::string unicode("\xFF\xFE[\0D\0]\0\r\0\n\0", 12);
    Settings anna = fixture.MainSettings(fixture.WriteUser("Anna", {}));
    const std::string list = fixture.config.Write("användare\\Anna.lst", unicode);
    auto pressOk = [](fw::PropSheet& shown) {
        shown.PressButton(PSBTN_OK);
        PumpUntil([&] { return !shown.IsRunning(); }, 2000);
    };
    {
        ScriptedMessages messages;
        messages.Expect(IDS_FOLDER_LIST_UNREADABLE);
        fw::PropSheet::PushInitHook([&](fw::PropSheet& shown) {
            ::SendMessageA(shown.Handle(), PSM_SETCURSEL, 1, 0); // screen, pictures
            HWND pictures = reinterpret_cast<HWND>(::SendMessageA(shown.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            EXPECT_FALSE(IsEnabled(pictures, IDC_FOLDER_NEW));
            Snapshot(shown.Handle(), "settings_pictures_unreadable");
            pressOk(shown);
        });
        EXPECT_TRUE(RunSettingsSheet(nullptr, anna, SpeechObjects{}, FolderDialogContext{}));
    }
    EXPECT_EQ(unicode, testsupport::TempFolder::Read(list));

    fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    testsupport::FullDisk full;
    ScriptedMessages messages;
    messages.Expect(IDS_USER_NOT_SAVED);
    fw::PropSheet::PushInitHook(pressOk);
    EXPECT_TRUE(RunSettingsSheet(nullptr, anna, SpeechObjects{}, FolderDialogContext{}));
    EXPECT_EQ("[Djur]\r\nSymbol=\r\n", testsupport::TempFolder::Read(list));
}

// From the main window: the settings file and the folder list, read when the sheet opened and gone at
// its OK, are each said and neither is made again.
TEST_F(SettingsSheetTest, FromTheMainWindowFilesThatHaveGoneAreSaidAndNotCreatedAgain)
{
    const std::string annaFile = fixture.WriteUser("Anna", {"MaxNumber=4"});
    const std::string list = fixture.config.Write("användare\\Anna.lst", "[Djur]\r\nSymbol=\r\n");
    Settings anna = fixture.MainSettings(annaFile);
    fw::PropSheet::PushInitHook([&](fw::PropSheet& shown) {
        ::DeleteFileA(annaFile.c_str());
        ::DeleteFileA(list.c_str());
        shown.PressButton(PSBTN_OK);
        PumpUntil([&] { return !shown.IsRunning(); }, 2000);
    });
    ScriptedMessages messages;
    messages.Expect(IDS_USER_FILE_GONE).Expect(IDS_USER_FILE_GONE);
    EXPECT_TRUE(RunSettingsSheet(nullptr, anna, SpeechObjects{}, FolderDialogContext{}));
    EXPECT_TRUE(fw::IsAbsent(annaFile));
    EXPECT_TRUE(fw::IsAbsent(list));
}
