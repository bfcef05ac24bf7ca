// The import wizard driven by messages: modeless, its buttons pressed with PSM_PRESSBUTTON and the
// messages pumped; message boxes, the open dialog and the folder browser answered by script; and
// once from the main window's menu command, run modally as the user runs it.
#include "ExportWizardDriver.h"
#include "ImportFixture.h"
#include "components/ZipSpan.h"
#include "components/ZipWriter.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "skarpin/CSkarpinDlg.h"
#include "skarpin/ImportModel.h"
#include "skarpin/ImportSheet.h"
#include "skarpin/resource.h"
#include "store/StoreFiles.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

using namespace testsupport;

namespace {

std::vector<std::string> Texts(HWND page, int id)
{
    std::vector<std::string> texts;
    for (const TreeLine& line : TreeLines(page, id))
        texts.push_back(line.text);
    return texts;
}

std::vector<std::string> Sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The page's check timer has fired: some line is checked.
bool ChecksSet(HWND page, int id)
{
    const std::vector<TreeLine> lines = TreeLines(page, id);
    return std::any_of(lines.begin(), lines.end(), [](const TreeLine& line) { return line.checked; });
}

} // namespace

class ImportWizard : public testing::Test {
protected:
    void TearDown() override
    {
        sheet_.reset();
        fw::SetCommonDialogHandlers(fw::CommonDialogHandlers());
    }

    void Open()
    {
        sheet_ = std::make_unique<ImportSheet>(newSetName_, &fixture_.IO());
        ASSERT_TRUE(sheet_->Create(nullptr));
        fw::PumpMessages();
        ASSERT_EQ(0, sheet_->ActiveIndex());
    }

    HWND Page(int number) const
    {
        switch (number) {
        case 1: return sheet_->Page1().Handle();
        case 2: return sheet_->Page2().Handle();
        default: return sheet_->Page3().Handle();
        }
    }

    void Press(int button, int expectedIndex)
    {
        sheet_->PressButton(button);
        ASSERT_TRUE(PumpUntil([&] { return sheet_->ActiveIndex() == expectedIndex; })) << "page " << expectedIndex + 1;
    }

    // Next is refused with the message; the first page stays.
    void NextRefused(UINT message)
    {
        ScriptedMessages messages;
        messages.Expect(message);
        sheet_->PressButton(PSBTN_NEXT);
        ASSERT_TRUE(PumpUntil([&] { return !messages.Shown().empty(); })) << message;
        fw::PumpMessages();
        EXPECT_EQ(0, sheet_->ActiveIndex());
    }

    // Browse on the first page, the open dialog answering with the path.
    void ChooseZip(const std::string& path)
    {
        fw::CommonDialogHandlers handlers;
        handlers.openFile = [this, path](OPENFILENAMEA& request) {
            openTitle_ = request.lpstrTitle ? request.lpstrTitle : "";
            openFolder_ = request.lpstrInitialDir ? request.lpstrInitialDir : "";
            path.copy(request.lpstrFile, request.nMaxFile - 1);
            request.lpstrFile[path.size()] = '\0';
            return true;
        };
        fw::SetCommonDialogHandlers(handlers);
        Click(Page(1), IDC_IMPORT_BROWSE);
        EXPECT_EQ(path, Text(Page(1), IDC_IMPORT_PATH));
    }

    // Through the first two pages with the zip file, each taking its defaults.
    void ToFilesPage(const std::string& zipPath)
    {
        Open();
        ChooseZip(zipPath);
        Press(PSBTN_NEXT, 1);
        Press(PSBTN_NEXT, 2);
    }

    void Finish(UINT message = IDS_IMPORT_DONE)
    {
        ScriptedMessages messages;
        messages.Expect(message);
        sheet_->PressButton(PSBTN_FINISH);
        ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    }

    std::vector<std::string> WorkFiles() { return FilesBelow(sheet_->Data().workFolder.Path()); }

    ImportFixture fixture_;
    std::string newSetName_ = "not yet";
    std::unique_ptr<ImportSheet> sheet_;
    std::string openTitle_;
    std::string openFolder_;
};

TEST_F(ImportWizard, OurExportIsImportedPageByPage)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath);
    // A folder "import" of the user's own among the temporary files.
    char temporary[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temporary);
    const std::string usersFolder = std::string(temporary) + "import";
    ::CreateDirectoryA(usersFolder.c_str(), nullptr);
    const std::string usersFile = usersFolder + "\\mitt.txt";
    fw::WriteReplacing(usersFile, "mitt");
    Open();
    EXPECT_EQ("De \xF6verl\xE4gg som importeras kommer att l\xE4ggas i ett nytt set och beh\xE5lla sina gamla nummer.",
              Text(Page(1), IDC_IMPORT_INFO));
    EXPECT_FALSE(IsVisible(Page(1), IDC_IMPORT_PROGRESS));
    ChooseZip(zipPath);
    EXPECT_EQ("Bl\xE4" "ddra", openTitle_);
    EXPECT_EQ(fixture_.Config().ProgramFolder(), openFolder_) << "the import folder at first";
    EXPECT_EQ(fixture_.Config().Temp().Path(), fixture_.IO().importFolder_) << "the next import starts there";
    Snapshot(sheet_->Handle(), "import_page1");

    Press(PSBTN_NEXT, 1);
    EXPECT_EQ("Fritid", newSetName_);
    EXPECT_EQ("F\xF6ljande \xF6verl\xE4gg finns i denna zip-fil. V\xE4lj de som ska l\xE4ggas in i det nya setet \"Fritid\":",
              Text(Page(2), IDC_IMPORT_INFO));
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_IMPORT_OVERLAY_TREE); }));
    EXPECT_EQ((std::vector<std::string>{"1 Bilder", "2 Ljud", "3 Tomt"}), Texts(Page(2), IDC_IMPORT_OVERLAY_TREE));
    fw::TreeView(Page(2), IDC_IMPORT_OVERLAY_TREE).SetChecked(FindLine(Page(2), IDC_IMPORT_OVERLAY_TREE, "3 Tomt"), false);
    Snapshot(sheet_->Handle(), "import_page2");

    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    std::vector<std::string> expected;
    for (const std::string& path : fixture_.ExpectedMedia())
        expected.push_back(importwizard::Backslashed(importwizard::StoredForm(path)));
    EXPECT_EQ(Sorted(expected), Sorted(Texts(Page(3), IDC_IMPORT_MEDIA_TREE)));
    EXPECT_TRUE(fw::Button(Page(3), IDC_IMPORT_SHARED_FOLDER).IsChecked());
    EXPECT_EQ(fixture_.IO().SetFolderPath("Fritid") + "\\import", Text(Page(3), IDC_IMPORT_PATH));
    Snapshot(sheet_->Handle(), "import_page3");

    // Back to the first page and on with the same zip file: the archive is not read again.
    Press(PSBTN_BACK, 1);
    Press(PSBTN_BACK, 0);
    ::DeleteFileA(zipPath.c_str());
    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(PumpUntil([&] { return ChecksSet(Page(2), IDC_IMPORT_OVERLAY_TREE); }));
    EXPECT_FALSE(TreeLines(Page(2), IDC_IMPORT_OVERLAY_TREE)[2].checked) << "the choice is kept";
    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    const std::string song = fixture_.Media("ljud\\s\xE5ng.mp3");
    fw::TreeView(Page(3), IDC_IMPORT_MEDIA_TREE)
        .SetChecked(FindLine(Page(3), IDC_IMPORT_MEDIA_TREE, importwizard::Backslashed(importwizard::StoredForm(song))), false);

    Finish();
    EXPECT_EQ(fw::kWizardFinish, sheet_->Result());
    EXPECT_EQ("Fritid", newSetName_);
    EXPECT_EQ((std::vector<std::string>{"Bilder.ini", "Ljud.ini", "import\\himmel.bmp", "import\\hund.bmp",
                                        "import\\register.txt", "import\\resa.avi", "import\\sk\xE5l \xE4pple.wav",
                                        "register.txt"}),
              FilesBelow(fixture_.IO().SetFolderPath("Fritid")))
        << "neither the unchosen overlay nor the unchecked file";
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture_.LoadPlaced("Fritid", "Bilder", keys, background);
    ASSERT_GT(keys.size(), 4u);
    EXPECT_TRUE(cp1252::EqualsNoCase("@" + song + "@", keys[4].command_)) << "the unchecked file's reference stays";
    const std::string work = sheet_->Data().workFolder.Path();
    sheet_.reset();
    EXPECT_FALSE(fw::PathExists(work)) << "the work folder goes with the wizard";
    EXPECT_EQ("mitt", TempFolder::Read(usersFile)) << "and no other folder";
    ImageBaseManager::DeleteTree(usersFolder);
}

TEST_F(ImportWizard, FilesThatCouldNotBeSavedAreToldWhenTheImportEnds)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath, {"Ljud"});
    Open();
    ChooseZip(zipPath);
    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_IMPORT_OVERLAY_TREE); }));
    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    fw::CommonDialogHandlers handlers;
    handlers.browseFolder = [&](BROWSEINFOA&, std::string& folder) {
        folder = fixture_.Config().Temp() / "inte<giltig";
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    Click(Page(3), IDC_IMPORT_BROWSE);
    ScriptedMessages messages;
    messages.Expect(IDS_IMPORT_DONE_PARTLY);
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    ASSERT_EQ(1u, messages.Shown().size());
    const std::string& text = messages.Shown()[0].text;
    EXPECT_NE(std::string::npos, text.find("ljud\\sk\xE5l \xE4pple.wav\n")) << text;
    EXPECT_EQ(std::string::npos, text.find("register.txt")) << "a text file goes to the set's own import folder";
    EXPECT_EQ(fw::kWizardFinish, sheet_->Result()) << "the overlays are in the new set";
}

TEST_F(ImportWizard, TheSetsOwnFolderFollowsTheNameTheSetGetsAtFinish)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath, {"Ljud"});
    ToFilesPage(zipPath);
    EXPECT_EQ(fixture_.IO().SetFolderPath("Fritid") + "\\import", Text(Page(3), IDC_IMPORT_PATH));
    // Another import, or the user in another window, takes the name before Finish.
    ASSERT_TRUE(fixture_.IO().CreateSet("Fritid"));
    Finish();
    EXPECT_EQ("Fritid 1", newSetName_);
    EXPECT_EQ((std::vector<std::string>{"register.txt"}), FilesBelow(fixture_.IO().SetFolderPath("Fritid")))
        << "nothing of the import in the other set";
    EXPECT_EQ((std::vector<std::string>{"Ljud.ini", "import\\register.txt", "import\\sk\xE5l \xE4pple.wav",
                                        "register.txt"}),
              FilesBelow(fixture_.IO().SetFolderPath("Fritid 1")));
}

TEST_F(ImportWizard, ButtonsPressedBeforeTheChecksShowTakeThemAsTheyWillBe)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath, {"Ljud"});
    // Next and Finish at once, within the timer's delay: the lines count as checked.
    ToFilesPage(zipPath);
    Finish();
    EXPECT_EQ((std::vector<std::string>{"Ljud.ini", "import\\register.txt", "import\\sk\xE5l \xE4pple.wav",
                                        "register.txt"}),
              FilesBelow(fixture_.IO().SetFolderPath("Fritid")));
}

// A Finish refused before the tree had drawn itself: the lines it took stay checked, on the screen
// and for the next Finish.
TEST_F(ImportWizard, AFinishRefusedAtOnceLeavesTheLinesChecked)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath, {"Ljud"});
    ToFilesPage(zipPath);
    sheet_->Data().archive.SetFreeSpace([](const std::string&) { return std::uint64_t{0}; });
    ScriptedMessages messages;
    messages.Expect(IDS_IMPORT_NO_ROOM);
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !messages.Shown().empty(); }));
    ::UpdateWindow(sheet_->Handle());
    fw::PumpMessages();
    EXPECT_TRUE(AllChecked(Page(3), IDC_IMPORT_MEDIA_TREE)) << Describe(TreeLines(Page(3), IDC_IMPORT_MEDIA_TREE));

    sheet_->Data().archive.SetFreeSpace([](const std::string&) { return ~std::uint64_t{0}; });
    Finish();
    EXPECT_EQ((std::vector<std::string>{"Ljud.ini", "import\\register.txt", "import\\sk\xE5l \xE4pple.wav",
                                        "register.txt"}),
              FilesBelow(fixture_.IO().SetFolderPath("Fritid")));
}

TEST_F(ImportWizard, TheFirstPageRefusesWhatCannotBeImportedAndLeavesNothingUnpacked)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    Open();
    NextRefused(IDS_IMPORT_NO_ZIP);

    ChooseZip(PythonArchive("no_register.zip"));
    NextRefused(IDS_IMPORT_NO_REGISTER);
    EXPECT_TRUE(WorkFiles().empty()) << "refused before unpacking";

    const struct {
        const char* archive;
        UINT message;
        std::uint64_t freeSpace;
    } failures[] = {
        {"truncated.zip", IDS_IMPORT_NOT_A_ZIP, ~0ull},
        {"cut.zip", IDS_IMPORT_DAMAGED, ~0ull},
        {"shared_data.zip", IDS_IMPORT_DAMAGED, ~0ull},
        {"inte_zip.zip", IDS_IMPORT_NOT_A_ZIP, ~0ull},
        {"finns_inte.zip", IDS_IMPORT_CANNOT_OPEN, ~0ull},
        {"large_video.zip", IDS_IMPORT_NO_ROOM, 100}, // not even its overlay fits
    };
    for (const auto& failure : failures) {
        sheet_->Data().archive.SetFreeSpace([&](const std::string&) { return failure.freeSpace; });
        ChooseZip(PythonArchive(failure.archive));
        NextRefused(failure.message);
        EXPECT_TRUE(WorkFiles().empty()) << failure.archive << ": nothing half unpacked stays behind";
        EXPECT_FALSE(IsVisible(Page(1), IDC_IMPORT_PROGRESS)) << failure.archive;
        EXPECT_TRUE(IsEnabled(Page(1), IDC_IMPORT_BROWSE)) << failure.archive;
    }
}

// The media files come out of the archive at Finish: one that cannot, or that would not fit, stops
// the import before anything is made, and leaves none of them behind.
TEST_F(ImportWizard, AFileThatCannotBeUnpackedAtFinishImportsNothing)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    const struct {
        const char* archive;
        UINT message;
        std::uint64_t freeSpace;
        const char* text;
    } failures[] = {
        {"crc.zip", IDS_IMPORT_CRC_ERROR, ~0ull, "\"bakgrund/himmel.bmp\""},
        {"large_video.zip", IDS_IMPORT_NO_ROOM, 1024 * 1024, " 8 MB"},
        // More than any import takes, whatever room the disk has: told as that, not as a full disk.
        {"claims_5gb.zip", IDS_IMPORT_PAST_CEILING, ~0ull,
         "blir 4769 MB n\xE4r de packas upp. En import packar upp h\xF6gst 4096 MB"},
    };
    for (const auto& failure : failures) {
        ToFilesPage(PythonArchive(failure.archive));
        // The overlays are unpacked already; the room runs short for the media files.
        sheet_->Data().archive.SetFreeSpace([&](const std::string&) { return failure.freeSpace; });
        const std::vector<std::string> unpacked = WorkFiles();
        ScriptedMessages messages;
        messages.Expect(failure.message);
        sheet_->PressButton(PSBTN_FINISH);
        ASSERT_TRUE(PumpUntil([&] { return !messages.Shown().empty(); })) << failure.archive;
        fw::PumpMessages();
        EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(failure.text)) << messages.Shown()[0].text;
        EXPECT_TRUE(sheet_->IsRunning()) << failure.archive;
        EXPECT_EQ(2, sheet_->ActiveIndex()) << failure.archive;
        EXPECT_EQ(unpacked, WorkFiles()) << failure.archive << ": no file of the failed unpacking stays";
        const std::string set = ImageBaseManager::GetFileTitleFromPath(failure.archive);
        EXPECT_FALSE(fw::PathExists(fixture_.IO().SetFolderPath(set))) << failure.archive << ": no set is made";
        EXPECT_TRUE(IsVisible(Page(3), IDC_IMPORT_BROWSE)) << "the choice of folder is back";
        EXPECT_FALSE(IsVisible(Page(3), IDC_IMPORT_PROGRESS));
        sheet_.reset();
    }
}

// Cancel, pressed while the archive is unpacked, stops the unpacking and ends the wizard; its work
// folder goes with it and nothing is imported.
TEST_F(ImportWizard, CancelStopsTheUnpackingOnTheFirstPageAndAtFinish)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath);
    for (int page : {0, 2}) {
        Open();
        ChooseZip(zipPath);
        if (page == 2) {
            Press(PSBTN_NEXT, 1);
            Press(PSBTN_NEXT, 2);
        }
        const std::string work = sheet_->Data().workFolder.Path();
        ScriptedMessages noMessage;
        // Both presses wait in the queue: Cancel comes while the unpacking runs.
        ::PostMessageA(sheet_->Handle(), PSM_PRESSBUTTON, page == 0 ? PSBTN_NEXT : PSBTN_FINISH, 0);
        ::PostMessageA(sheet_->Handle(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); })) << "page " << page + 1;
        EXPECT_EQ(IDCANCEL, sheet_->Result());
        if (page == 0) {
            EXPECT_EQ(nullptr, sheet_->Page2().Handle()) << "the next page never came";
        }
        EXPECT_FALSE(fw::PathExists(fixture_.IO().SetFolderPath("Fritid")));
        sheet_.reset();
        EXPECT_FALSE(fw::PathExists(work)) << "page " << page + 1;
    }
}

TEST_F(ImportWizard, HostileNamesAreToldAndTheRestIsImportedIntoAChosenFolder)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    Open();
    ChooseZip(PythonArchive("hostile.zip"));
    {
        ScriptedMessages messages;
        messages.Expect(IDS_IMPORT_REFUSED_ENTRIES);
        Press(PSBTN_NEXT, 1);
        ASSERT_EQ(1u, messages.Shown().size());
        EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("\n../utanfor.txt\n..\\utanfor2.txt\n"))
            << messages.Shown()[0].text;
    }
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(2), IDC_IMPORT_OVERLAY_TREE); }));
    EXPECT_EQ((std::vector<std::string>{"1 Bilder", "Utan nummer (utan nummer)"}), Texts(Page(2), IDC_IMPORT_OVERLAY_TREE))
        << "an overlay the register does not number is shown too";
    Click(Page(2), IDC_IMPORT_NONE);
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_NO_OVERLAY);
        sheet_->PressButton(PSBTN_NEXT);
        ASSERT_TRUE(PumpUntil([&] { return !messages.Shown().empty(); }));
        EXPECT_EQ("Importera \xF6verl\xE4gg", messages.Shown()[0].caption);
    }
    EXPECT_EQ(1, sheet_->ActiveIndex());
    Click(Page(2), IDC_IMPORT_ALL);

    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(PumpUntil([&] { return AllChecked(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    EXPECT_EQ((std::vector<std::string>{"bakgrund\\himmel.bmp", "bilder\\hund.bmp", "foton\\hund.bmp",
                                        "ljud\\sk\xE5l \xE4pple.wav", "server\\delat\\ljud\\ping.wav"}),
              Sorted(Texts(Page(3), IDC_IMPORT_MEDIA_TREE)))
        << "the files the overlays use, without the one no overlay uses";

    const std::string chosen = fixture_.Config().Temp() / "Delade Filer";
    ::CreateDirectoryA(chosen.c_str(), nullptr);
    std::string title;
    fw::CommonDialogHandlers handlers;
    handlers.browseFolder = [&](BROWSEINFOA& request, std::string& folder) {
        title = request.lpszTitle;
        folder = chosen;
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    Click(Page(3), IDC_IMPORT_KEEP_PATHS);
    Click(Page(3), IDC_IMPORT_BROWSE);
    EXPECT_EQ("V\xE4lj den mapp d\xE4r de bilder/ljud/video som h\xF6r till \xF6verl\xE4ggen ska sparas.", title);
    EXPECT_EQ(cp1252::Lower(chosen), Text(Page(3), IDC_IMPORT_PATH));
    EXPECT_TRUE(fw::Button(Page(3), IDC_IMPORT_SHARED_FOLDER).IsChecked()) << "a chosen folder is the shared folder";
    EXPECT_FALSE(fw::Button(Page(3), IDC_IMPORT_KEEP_PATHS).IsChecked());

    Finish();
    EXPECT_EQ("hostile", newSetName_);
    EXPECT_EQ((std::vector<std::string>{"himmel.bmp", "hund 1.bmp", "hund.bmp", "ping.wav", "sk\xE5l \xE4pple.wav"}),
              FilesBelow(chosen));
    EXPECT_EQ((std::vector<std::string>{"Bilder.ini", "Utan nummer.ini", "register.txt"}),
              FilesBelow(fixture_.IO().SetFolderPath("hostile")));
}

// Chosen files whose names cannot be made in the work folder (another entry's short name, a folder
// where a file is) are named in the closing message; none is written over another.
TEST_F(ImportWizard, ChosenFilesThatCouldNotBeUnpackedAreNamedWhenTheImportEnds)
{
    TempFolder temp;
    const std::string probe = temp.Write("hundarnas.bmp", "x");
    char shortPath[MAX_PATH] = "";
    ::GetShortPathNameA(probe.c_str(), shortPath, MAX_PATH);
    const std::string alias = ImageBaseManager::GetFileNameFromPath(shortPath);
    if (cp1252::EqualsNoCase(alias, "hundarnas.bmp"))
        GTEST_SKIP() << "the disk gives no short names";
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"Bilder.ini", "[Data]\r\nBlock1=1,0,0,0,@c:\\bilder\\hundarnas.bmp@\r\nBlock2=1,1,1,0,@c:\\bilder\\" + alias +
                           "@\r\nBlock3=1,2,2,0,@c:\\bilder\\hund.bmp@\r\nBlock4=1,3,3,0,@c:\\bilder\\hund.bmp\\skall.bmp@\r\n"},
        {"register.txt", "[Overlays]\r\n1=Bilder\r\n"},
        {"bilder/hundarnas.bmp", "hundarna"},
        {"bilder/" + alias, "en annan bild"},
        {"bilder/hund.bmp", "en fil d\xE4r mappen ska vara"},
        {"bilder/hund.bmp/skall.bmp", "skall"},
    };
    zip::ZipWriter writer(0);
    for (size_t i = 0; i < entries.size(); ++i)
        ASSERT_EQ(zip::Result::Ok, writer.Add(temp.Write("kalla" + std::to_string(i), entries[i].second), entries[i].first));
    const std::string zipPath = fixture_.ZipPath("Hundar.zip");
    ASSERT_EQ(zip::Result::Ok, writer.Pack(zipPath));

    ToFilesPage(zipPath);
    ASSERT_TRUE(PumpUntil([&] { return ChecksSet(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    ScriptedMessages messages;
    messages.Expect(IDS_IMPORT_DONE_PARTLY);
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    ASSERT_EQ(1u, messages.Shown().size());
    const std::string& told = messages.Shown()[0].text;
    EXPECT_NE(std::string::npos, told.find("bilder\\" + alias)) << told;
    EXPECT_NE(std::string::npos, told.find("bilder\\hund.bmp\\skall.bmp")) << told;
    EXPECT_EQ("hundarna", TempFolder::Read(fixture_.IO().SetImportFolderPath("Hundar") + "\\hundarnas.bmp"));
}

// ---- Diskettes ----------------------------------------------------------------------------------

namespace {

// An archive spread over three "diskettes": folders disk1..disk3 each holding a volume under one
// name, which the test puts into the "drive" folder when the wizard asks for it.
class Diskettes {
public:
    explicit Diskettes(ImportFixture& fixture) : temp_(fixture.Config().Temp().Path())
    {
        std::string noise(120000, '\0');
        for (size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 7919u) >> 5);
        const std::string source = fixture.Config().Write("disk_source\\stor.bmp", noise);
        const std::string overlay = fixture.Config().Write("disk_source\\Bilder.ini",
                                                           "[Data]\r\nBlock1=1,0,0,0,@c:\\bilder\\stor.bmp@\r\n");
        const std::string registerFile = fixture.Config().Write("disk_source\\register.txt", "[Overlays]\r\n1=Bilder\r\n");
        zip::ZipWriter writer(0);
        writer.Add(overlay, "Bilder.ini");
        writer.Add(registerFile, "register.txt");
        writer.Add(source, "bilder/stor.bmp");
        const std::string packed = temp_ + "\\packed.zip";
        EXPECT_EQ(zip::Result::Ok, writer.Pack(packed));
        ::CreateDirectoryA(Drive().c_str(), nullptr);
        zip::SpanHandlers span;
        span.askForDisk = [&](int disk, int) {
            if (disk > 1)
                TakeOut(disk - 1);
            return true;
        };
        span.capacity = [](const std::string&) { return 50000u; };
        EXPECT_EQ(zip::Result::Ok, zip::SpanArchive(packed, Path(), span));
        TakeOut(3);
    }

    std::string Drive() const { return temp_ + "\\drive"; }
    std::string Path() const { return Drive() + "\\Fritid.zip"; }
    void Insert(int disk) const { ::CopyFileA(Volume(disk).c_str(), Path().c_str(), FALSE); }
    // The volumes side by side, named as Info-ZIP names its split files.
    void AsSplitFiles() const
    {
        ::CopyFileA(Volume(1).c_str(), (Drive() + "\\Fritid.z01").c_str(), FALSE);
        ::CopyFileA(Volume(2).c_str(), (Drive() + "\\Fritid.z02").c_str(), FALSE);
        Insert(3);
    }

private:
    std::string Volume(int disk) const { return temp_ + "\\disk" + std::to_string(disk) + "\\Fritid.zip"; }
    void TakeOut(int disk) const
    {
        ::CreateDirectoryA((temp_ + "\\disk" + std::to_string(disk)).c_str(), nullptr);
        ::MoveFileExA(Path().c_str(), Volume(disk).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    }

    std::string temp_;
};

} // namespace

TEST_F(ImportWizard, AnArchiveOverDiskettesIsReadFromTheLastWithTheOthersAskedFor)
{
    Diskettes diskettes(fixture_);
    diskettes.Insert(1);
    Open();
    ChooseZip(diskettes.Path());
    std::vector<std::string> asked;
    fw::SetMessageHandler([&](const fw::MessageRequest& request) {
        asked.push_back(request.text);
        if (request.textId == IDS_IMPORT_INSERT_LAST_DISKETTE) {
            diskettes.Insert(3);
            return IDOK;
        }
        if (request.textId == IDS_IMPORT_DONE)
            return IDOK;
        EXPECT_EQ(static_cast<UINT>(IDS_EXPORT_NEXT_DISKETTE), request.textId) << request.text;
        EXPECT_EQ("Diskett", request.caption);
        const size_t at = request.text.find("diskett ");
        diskettes.Insert(at == std::string::npos ? 0 : request.text[at + 8] - '0');
        return IDOK;
    });
    Press(PSBTN_NEXT, 1);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ("S\xE4tt i den SISTA disketten!", asked.front()) << "the first diskette was in the drive";
    EXPECT_NE(std::find(asked.begin(), asked.end(), "S\xE4tt i diskett 1 (av 3) och klicka p\xE5 OK."), asked.end());
    Press(PSBTN_NEXT, 2);
    asked.clear();
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    fw::SetMessageHandler(FailOnMessage);
    EXPECT_EQ("Importen \xE4r klar!", asked.back());
    EXPECT_EQ(TempFolder::Read(fixture_.Config().Temp() / "disk_source\\stor.bmp"),
              TempFolder::Read(fixture_.IO().SetImportFolderPath("Fritid") + "\\stor.bmp"))
        << "the picture read back across the diskettes";
}

TEST_F(ImportWizard, SplitFilesBesideTheArchiveAreReadWithoutAsking)
{
    Diskettes diskettes(fixture_);
    diskettes.AsSplitFiles();
    ToFilesPage(diskettes.Path());
    Finish();
    EXPECT_TRUE(fw::FileExists(fixture_.IO().SetImportFolderPath("Fritid") + "\\stor.bmp"));
}

TEST_F(ImportWizard, ADiskettePromptCancelledLeavesThePageWithoutAMessage)
{
    Diskettes diskettes(fixture_);
    diskettes.Insert(3);
    Open();
    ChooseZip(diskettes.Path());
    {
        ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_NEXT_DISKETTE, IDCANCEL);
        sheet_->PressButton(PSBTN_NEXT);
        ASSERT_TRUE(PumpUntil([&] { return !messages.Shown().empty(); }));
        fw::PumpMessages();
    }
    EXPECT_EQ(0, sheet_->ActiveIndex());
    EXPECT_FALSE(IsVisible(Page(1), IDC_IMPORT_PROGRESS_LABEL));
    EXPECT_TRUE(WorkFiles().empty());
}

// A prompt cancelled at Finish gives up that Finish without a failure told; the next Finish asks again.
TEST_F(ImportWizard, ADiskettePromptCancelledAtFinishIsAskedAgainAtTheNextFinish)
{
    Diskettes diskettes(fixture_);
    diskettes.Insert(3);
    Open();
    ChooseZip(diskettes.Path());
    bool refuse = false;
    std::vector<UINT> asked;
    fw::SetMessageHandler([&](const fw::MessageRequest& request) {
        asked.push_back(request.textId);
        if (request.textId != IDS_EXPORT_NEXT_DISKETTE)
            return IDOK;
        if (refuse) {
            refuse = false;
            return IDCANCEL;
        }
        const size_t at = request.text.find("diskett ");
        diskettes.Insert(at == std::string::npos ? 0 : request.text[at + 8] - '0');
        return IDOK;
    });
    Press(PSBTN_NEXT, 1);
    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(PumpUntil([&] { return ChecksSet(Page(3), IDC_IMPORT_MEDIA_TREE); }));
    asked.clear();
    refuse = true;
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !asked.empty(); }));
    fw::PumpMessages();
    EXPECT_EQ(std::vector<UINT>{IDS_EXPORT_NEXT_DISKETTE}, asked) << "no failure is told for a cancelled prompt";
    EXPECT_TRUE(sheet_->IsRunning());
    EXPECT_EQ(2, sheet_->ActiveIndex());

    asked.clear();
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !sheet_->IsRunning(); }));
    fw::SetMessageHandler(FailOnMessage);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(static_cast<UINT>(IDS_EXPORT_NEXT_DISKETTE), asked.front()) << "asked again";
    EXPECT_EQ(static_cast<UINT>(IDS_IMPORT_DONE), asked.back());
    EXPECT_TRUE(fw::FileExists(fixture_.IO().SetImportFolderPath("Fritid") + "\\stor.bmp"));
}

// ---- From the main window -----------------------------------------------------------------------

namespace {

// Drives the modal wizard from a thread timer, which its message loop runs: a zip file, Next, Next,
// Finish, each once the page before has taken its place and set its checks.
struct ModalDrive {
    HWND mainWindow = nullptr;
    int step = 0;
};
ModalDrive g_drive;

void CALLBACK DriveModalWizard(HWND, UINT, UINT_PTR, DWORD)
{
    HWND sheet = ::GetLastActivePopup(g_drive.mainWindow);
    if (sheet == g_drive.mainWindow)
        return;
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    const int index = static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
    if (index != g_drive.step)
        return;
    if (index == 0) {
        ::SendMessageA(::GetDlgItem(page, IDC_IMPORT_BROWSE), BM_CLICK, 0, 0);
        ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    } else if (ChecksSet(page, index == 1 ? IDC_IMPORT_OVERLAY_TREE : IDC_IMPORT_MEDIA_TREE)) {
        ::PostMessageA(sheet, PSM_PRESSBUTTON, index == 1 ? PSBTN_NEXT : PSBTN_FINISH, 0);
    } else {
        return;
    }
    ++g_drive.step;
}

} // namespace

TEST_F(ImportWizard, TheMainWindowShowsTheNewSetAfterTheImport)
{
    const std::string zipPath = fixture_.ZipPath("Fritid.zip");
    fixture_.ExportArchive(zipPath);
    fw::CommonDialogHandlers handlers;
    handlers.openFile = [&](OPENFILENAMEA& request) {
        zipPath.copy(request.lpstrFile, request.nMaxFile - 1);
        request.lpstrFile[zipPath.size()] = '\0';
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    CSkarpinDlg dialog(fixture_.Config().Environment());
    RunModal(dialog, [&](fw::Dialog&) {
        ScriptedMessages messages;
        messages.Expect(IDS_IMPORT_DONE);
        g_drive = ModalDrive{dialog.Handle(), 0};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, DriveModalWizard);
        dialog.Self().Send(WM_COMMAND, MAKEWPARAM(ID_OVERLAY_IMPORT, 0));
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(3, g_drive.step);
        EXPECT_EQ("Fritid", dialog.SelectedSetName());
        const std::vector<SetItem>& lines = dialog.ListLines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const SetItem& line) { return line.name_ == "Bilder"; }));
        dialog.EndDialog(IDCANCEL);
    });
}
