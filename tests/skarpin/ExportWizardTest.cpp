// The export wizard driven by messages: modeless, its buttons pressed with PSM_PRESSBUTTON and the
// messages pumped; message boxes and the save dialog answered by script; the archive read back.
#include "ExportFixture.h"
#include "ExportWizardDriver.h"
#include "PictureFixtures.h"
#include "SoundTestSupport.h"
#include "components/ZipReader.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "library/Cp1252.h"
#include "skarpin/ExportPacking.h"
#include "skarpin/ExportWizardSheet.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

using namespace testsupport;
using namespace fixtures;

class ExportWizard : public testing::Test {
protected:
    void SetUp() override
    {
        SetMediaPlayerFactory([this](MediaPlayerKind kind, HWND, int, const RECT&) {
            auto player = std::make_unique<soundtest::FakeMediaPlayer>(kind);
            player_ = player.get();
            return std::unique_ptr<MediaPlayer>(std::move(player));
        });
    }
    void TearDown() override
    {
        wizard_.sheet.reset();
        SetMediaPlayerFactory(nullptr);
        fw::SetCommonDialogHandlers(fw::CommonDialogHandlers());
    }

    void Open() { wizard_.Open(); }
    void Press(int button, int expectedPage) { wizard_.Press(button, expectedPage); }
    void GoToZipPage() { wizard_.GoToZipPage(); }
    HWND Page(int number) const { return wizard_.Page(number); }
    void Finish() { wizard_.Finish(); }
    std::string ZipPath() { return fixture_.Config().ProgramFolder() + "\\Set1.zip"; }

    ExportFixture fixture_;
    ExportWizardDriver wizard_{fixture_};
    std::unique_ptr<ExportWizardSheet>& sheet_ = wizard_.sheet;
    std::vector<SetItem>& overlays_ = wizard_.overlays;
    std::vector<SetItem>& media_ = wizard_.media;
    soundtest::FakeMediaPlayer* player_ = nullptr;
};

TEST_F(ExportWizard, ChosenOverlaysAndFilesArePackedIntoTheProposedZipFile)
{
    // A file of the user's in the temporary folder with the name of an overlay copy.
    char temporary[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temporary);
    const std::string usersFile = std::string(temporary) + "Bilder.ini";
    WriteBytes(usersFile, Bytes{'m', 'i', 'n'});

    Open();
    EXPECT_EQ("Vill du exportera ett eller flera \xF6verl\xE4gg i setet \"Set1\"?", Text(Page(1), IDC_EXPORT_QUESTION));
    Snapshot(sheet_->Handle(), "export_page1");

    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_EXPORT_OVERLAY_TREE); }));
    std::vector<std::string> texts;
    for (const TreeLine& line : TreeLines(Page(2), IDC_EXPORT_OVERLAY_TREE))
        texts.push_back(line.text);
    EXPECT_EQ((std::vector<std::string>{"1 Bilder", "2 Ljud", "3 Tomt"}), texts);
    Click(Page(2), IDC_EXPORT_NONE);
    EXPECT_FALSE(TreeLines(Page(2), IDC_EXPORT_OVERLAY_TREE)[0].checked);
    Click(Page(2), IDC_EXPORT_ALL);
    fw::TreeView(Page(2), IDC_EXPORT_OVERLAY_TREE).SetChecked(FindLine(Page(2), IDC_EXPORT_OVERLAY_TREE, "3 Tomt"), false);
    Snapshot(sheet_->Handle(), "export_page2");

    Press(PSBTN_NEXT, 2);
    EXPECT_EQ(0, overlays_[2].selected_) << "an unchecked overlay is not chosen";
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_EXPORT_MEDIA_TREE); }))
        << Describe(TreeLines(Page(3), IDC_EXPORT_MEDIA_TREE));
    const std::vector<TreeLine> files = TreeLines(Page(3), IDC_EXPORT_MEDIA_TREE);
    EXPECT_EQ(fixture_.ExpectedMedia().size(), files.size());
    EXPECT_EQ(fw::TreeView(Page(3), IDC_EXPORT_MEDIA_TREE).Selected() != nullptr, IsEnabled(Page(3), IDC_EXPORT_TEST))
        << "Test wants a selected file";

    fw::TreeView tree(Page(3), IDC_EXPORT_MEDIA_TREE);
    tree.Select(FindLine(Page(3), IDC_EXPORT_MEDIA_TREE, fixture_.Media("bilder\\Hund.BMP")));
    Click(Page(3), IDC_EXPORT_TEST);
    EXPECT_EQ(1, sheet_->Page3().Shown().shown_);
    EXPECT_EQ(1, sheet_->Page3().Shown().HasPicture()) << "the picture shows beside the tree";
    Snapshot(sheet_->Handle(), "export_page3");
    tree.Select(FindLine(Page(3), IDC_EXPORT_MEDIA_TREE, fixture_.Media("ljud\\s\xE5ng.mp3")));
    Click(Page(3), IDC_EXPORT_TEST);
    ASSERT_NE(nullptr, player_);
    EXPECT_EQ("open " + LowerCase(fixture_.Media("ljud\\s\xE5ng.mp3")), LowerCase(player_->calls.back()));
    EXPECT_TRUE(IsVisible(Page(3), IDC_EXPORT_STOP));
    Click(Page(3), IDC_EXPORT_STOP);
    EXPECT_FALSE(IsVisible(Page(3), IDC_EXPORT_STOP));
    tree.SetChecked(FindLine(Page(3), IDC_EXPORT_MEDIA_TREE, fixture_.Media("film\\resa.avi")), false);
    const std::string workFolder = sheet_->WorkFolder().Path();

    Press(PSBTN_NEXT, 3);
    EXPECT_EQ(5u, media_.size()) << "the checked files, the video left out";
    EXPECT_EQ(ZipPath(), Text(Page(4), IDC_EXPORT_ZIP_PATH));
    Snapshot(sheet_->Handle(), "export_page4");
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_DONE);
        Finish();
        ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    }
    EXPECT_EQ(fw::kWizardFinish, sheet_->Result());
    sheet_.reset();
    EXPECT_FALSE(fw::PathExists(workFolder)) << "the work folder goes";
    EXPECT_EQ("min", TempFolder::Read(usersFile)) << "the user's own temporary files stay";
    ::DeleteFileA(usersFile.c_str());
    EXPECT_EQ(fixture_.Config().ProgramFolder(), fixture_.IO().exportFolder_);

    zip::ZipReader reader;
    ASSERT_EQ(zip::Result::Ok, reader.Open(ZipPath()));
    std::vector<std::string> names;
    for (const zip::Entry& entry : reader.Entries())
        names.push_back(entry.name);
    std::vector<std::string> expected = {"Bilder.ini", "Ljud.ini", "register.txt"};
    for (const SetItem& file : media_)
        expected.push_back(zip::StoredName(file.name_));
    EXPECT_EQ(expected, names);
    std::string text;
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(reader.Find("register.txt")), text));
    EXPECT_EQ("[Overlays]\r\n1=Bilder\r\n2=Ljud\r\n", text) << "the register is ours, not the media file of that name";
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(reader.Find("Ljud.ini")), text));
    EXPECT_EQ(0u, text.find("[Version]\r\nVersion=" + fixture_.IO().fileVersion_ + "\r\nAccessKvora=1\r\n"));
    const int picture = reader.Find(zip::StoredName(LowerCase(fixture_.Media("bilder\\Hund.BMP"))));
    ASSERT_GE(picture, 0);
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(picture), text));
    EXPECT_EQ(TempFolder::Read(fixture_.Media("bilder\\Hund.BMP")), text);
    EXPECT_GE(reader.Find(zip::StoredName(LowerCase(fixture_.Media("docs\\register.txt")))), 0);
}

TEST_F(ExportWizard, NoChosenOverlayKeepsTheOverlayPage)
{
    Open();
    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_EXPORT_OVERLAY_TREE); }));
    Click(Page(2), IDC_EXPORT_NONE);
    ScriptedMessages messages;
    messages.Expect(IDS_EXPORT_NO_OVERLAY);
    sheet_->PressButton(PSBTN_NEXT);
    fw::PumpMessages();
    EXPECT_EQ(1, sheet_->ActiveIndex());
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_EQ("Exportera \xF6verl\xE4gg", messages.Shown()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), messages.Shown()[0].type);
}

TEST_F(ExportWizard, AFailedPackingIsReportedAndLeavesNoZipFile)
{
    GoToZipPage();
    ASSERT_TRUE(::DeleteFileA(fixture_.Media("bakgrund\\himmel.bmp").c_str()));
    ScriptedMessages messages;
    messages.Expect(IDS_EXPORT_FAILED);
    Finish();
    EXPECT_TRUE(sheet_->IsRunning());
    EXPECT_EQ(3, sheet_->ActiveIndex());
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(LowerCase(fixture_.Media("bakgrund\\himmel.bmp"))));
    EXPECT_FALSE(fw::PathExists(ZipPath()));
    EXPECT_TRUE(IsEnabled(Page(4), IDC_EXPORT_BROWSE));
}

TEST_F(ExportWizard, AnOverlayThatCannotBeCopiedIsToldByItsOwnPathAndTheRestIsExported)
{
    Open();
    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_EXPORT_OVERLAY_TREE); }));
    const std::string ljud = fixture_.IO().OverlayPath(OverlayFixture::kSet, "Ljud");
    ASSERT_TRUE(::DeleteFileA(ljud.c_str()));
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_NOT_COPIED);
        Press(PSBTN_NEXT, 2);
        ASSERT_EQ(1u, messages.Shown().size());
        EXPECT_EQ("Dessa \xF6verl\xE4gg kunde inte l\xE4sas och kommer inte med i exporten:\n\n" + ljud + "\n",
                  messages.Shown()[0].text);
    }
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_EXPORT_MEDIA_TREE); }));
    Press(PSBTN_NEXT, 3);
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_DONE);
        Finish();
        ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    }
    zip::ZipReader reader;
    ASSERT_EQ(zip::Result::Ok, reader.Open(ZipPath()));
    EXPECT_LT(reader.Find("Ljud.ini"), 0);
    std::string text;
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(reader.Find("register.txt")), text));
    EXPECT_EQ("[Overlays]\r\n1=Bilder\r\n3=Tomt\r\n", text);
}

TEST_F(ExportWizard, ARegisterThatCannotBeWrittenGivesNoZipFile)
{
    GoToZipPage();
    ASSERT_TRUE(::CreateDirectoryA((sheet_->WorkFolder().Path() + "register.txt").c_str(), nullptr));
    ScriptedMessages messages;
    messages.Expect(IDS_EXPORT_FAILED);
    Finish();
    EXPECT_TRUE(sheet_->IsRunning());
    EXPECT_FALSE(fw::PathExists(ZipPath()));
}

TEST_F(ExportWizard, BrowseMakesAZipPathAndTheNextExportStartsInItsFolder)
{
    TempFolder chosen;
    fw::CommonDialogHandlers dialogs;
    std::string offered;
    dialogs.saveFile = [&](OPENFILENAMEA& request) {
        offered = request.lpstrFile;
        EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT),
                  request.Flags);
        EXPECT_STREQ("Ange zip-fil", request.lpstrTitle);
        lstrcpyA(request.lpstrFile, (chosen / "fritid.txt").c_str());
        return true;
    };
    fw::SetCommonDialogHandlers(dialogs);
    GoToZipPage();
    Click(Page(4), IDC_EXPORT_BROWSE);
    EXPECT_EQ(ZipPath(), offered);
    EXPECT_EQ(chosen / "fritid.zip", Text(Page(4), IDC_EXPORT_ZIP_PATH));
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_DONE);
        Finish();
        ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    }
    EXPECT_TRUE(fw::PathExists(chosen / "fritid.zip"));
    sheet_.reset();

    chosen.Write("Set1.zip", "x");
    GoToZipPage();
    EXPECT_EQ(chosen / "Set1 1.zip", Text(Page(4), IDC_EXPORT_ZIP_PATH));
}

TEST_F(ExportWizard, ADisketteThatIsNotThereCanBeGivenUp)
{
    if (exportwizard::DriveReady("A:\\"))
        GTEST_SKIP() << "this Wine prefix has a drive A";
    fw::CommonDialogHandlers dialogs;
    dialogs.saveFile = [](OPENFILENAMEA& request) {
        lstrcpyA(request.lpstrFile, "A:\\Set1.zip");
        return true;
    };
    fw::SetCommonDialogHandlers(dialogs);
    GoToZipPage();
    Click(Page(4), IDC_EXPORT_BROWSE);
    ScriptedMessages messages;
    messages.Expect(IDS_EXPORT_INSERT_DISKETTE, IDCANCEL);
    Finish();
    EXPECT_TRUE(sheet_->IsRunning());
    EXPECT_EQ(3, sheet_->ActiveIndex());
    EXPECT_EQ("A:", fixture_.IO().exportFolder_);
}

// The save dialog asks only about the name it gives back. A file at the name the page makes of it
// (".zip" added), or one that came after the page proposed its name, is asked about at Finish: No
// keeps it and the page, Yes replaces it.
TEST_F(ExportWizard, AnExistingZipFileIsReplacedOnlyWhenTheUserSaidSo)
{
    TempFolder chosen;
    const struct {
        const char* given; // by the save dialog; none: the proposed name
        bool asked;
    } cases[] = {{"Skolan", true}, {"Skolan.zip", false}, {nullptr, true}};
    for (const auto& c : cases) {
        std::string zipPath = chosen / "Skolan.zip";
        fw::CommonDialogHandlers dialogs;
        dialogs.saveFile = [&](OPENFILENAMEA& request) {
            lstrcpyA(request.lpstrFile, (chosen / c.given).c_str());
            return true;
        };
        fw::SetCommonDialogHandlers(dialogs);
        if (c.given)
            chosen.Write("Skolan.zip", "gammal");
        GoToZipPage();
        if (c.given) {
            Click(Page(4), IDC_EXPORT_BROWSE);
        } else {
            zipPath = Text(Page(4), IDC_EXPORT_ZIP_PATH);
            fw::WriteReplacing(zipPath, "gammal");
        }
        ASSERT_EQ(zipPath, Text(Page(4), IDC_EXPORT_ZIP_PATH));
        if (c.asked) {
            ScriptedMessages messages;
            messages.Expect(IDS_EXPORT_REPLACE_ZIP, IDNO);
            Finish();
            EXPECT_TRUE(sheet_->IsRunning());
            EXPECT_EQ(3, sheet_->ActiveIndex());
            EXPECT_EQ("gammal", TempFolder::Read(zipPath)) << zipPath;
        }
        {
            ScriptedMessages messages;
            if (c.asked)
                messages.Expect(IDS_EXPORT_REPLACE_ZIP, IDYES);
            messages.Expect(IDS_EXPORT_DONE);
            Finish();
            ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
        }
        zip::ZipReader reader;
        EXPECT_EQ(zip::Result::Ok, reader.Open(zipPath)) << zipPath;
        reader.Close();
        sheet_.reset();
        ::DeleteFileA(zipPath.c_str());
    }
}
