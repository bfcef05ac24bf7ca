// Changing the media folders of a set: the folders listed, editing a folder in the dialog, and the
// overlays rewritten on OK.
#include "skarpin/ChangePathDlg.h"
#include "skarpin/resource.h"
#include "store/OverlayFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::Text;
using Lines = std::vector<std::string>;

namespace {

Block MediaBlock(const std::string& picture, const std::string& command = std::string(), int cell = 0)
{
    Block block;
    block.cells_ = {Range(cell, cell)};
    block.picturePath_ = picture;
    block.command_ = command;
    return block;
}

class ChangePathTest : public testing::Test, public OverlayFixture {
protected:
    void SaveOverlay(std::string name, int number, const std::vector<Block>& keys,
                     const std::vector<Block>& background = {})
    {
        ASSERT_EQ(FileIO::kSaved, IO().SaveOverlay(name, number, kSet, keys, background, KeyboardSettings()));
    }

    Lines ListedLines(fw::Dialog& dialog)
    {
        fw::ListBox list = dialog.Control<fw::ListBox>(IDC_PATHS_LIST);
        Lines lines;
        for (int i = 0; i < list.Count(); ++i)
            lines.push_back(list.ItemText(i));
        return lines;
    }

    // The picture paths of the keys and the commands of the keys, as the overlay file holds them now.
    Lines Stored(const std::string& name)
    {
        std::vector<Block> keys;
        std::vector<Block> background;
        Load(name, keys, background);
        Lines stored;
        for (const Block& block : keys)
            stored.push_back(block.picturePath_ + "|" + block.command_);
        for (const Block& block : background)
            stored.push_back(block.picturePath_);
        return stored;
    }

    // Runs the dialog: the script chooses and types; OK is pressed at its end unless it closed it.
    INT_PTR RunDialog(const std::function<void(fw::Dialog&)>& script)
    {
        ChangePathDlg dialog(&IO(), kSet);
        return testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            script(shown);
            if (::IsWindowVisible(shown.Handle()))
                Click(shown, IDOK);
        });
    }

    static void Retype(fw::Dialog& dialog, int line, const std::string& folder)
    {
        testsupport::SelectList(dialog, IDC_PATHS_LIST, line);
        testsupport::SetText(dialog, IDC_PATHS_EDIT, folder);
    }
};

} // namespace

// Each folder once, whatever its case; pictures from an image base and CD tracks are no folders.
TEST_F(ChangePathTest, ListsEachFolderOfTheMediaOnce)
{
    Block coded = MediaBlock(SunPicture(), "@A101+D:\\Track01.cda@", 1);
    coded.pictureCode_ = "A101";
    SaveOverlay("A", 1, {MediaBlock("C:\\Bilder\\a.bmp", "@c:\\bilder\\b.bmp+C:\\Ljud\\hej.wav@"), coded},
                {MediaBlock("C:\\Bakgrund\\bg.bmp")});
    SaveOverlay("B", 2, {MediaBlock("C:\\BILDER\\c.bmp", "@E:\\Film\\klipp.avi@")});
    RunDialog([&](fw::Dialog& dialog) {
        EXPECT_EQ((Lines{"C:\\Bilder", "C:\\Ljud", "C:\\Bakgrund", "E:\\Film"}), ListedLines(dialog));
        EXPECT_FALSE(IsEnabled(dialog, IDC_PATHS_EDIT));
        EXPECT_FALSE(IsEnabled(dialog, IDC_PATHS_BROWSE));
        EXPECT_EQ("Ändra sökvägar", dialog.Self().Text());
        Click(dialog, IDCANCEL);
    });
}

// Every change is made from the paths as they were: a folder given the old name of another folder
// does not pass its files on to that folder's new place.
TEST_F(ChangePathTest, AllChangesAtOnceFromTheOriginalPaths)
{
    SaveOverlay("A", 1, {MediaBlock("C:\\A\\x.bmp", "@C:\\B\\y.bmp@"), MediaBlock("C:\\B\\z.bmp", "", 1)});
    SaveOverlay("B", 2, {MediaBlock("C:\\Orörd\\w.bmp")});
    const std::string untouched = IO().OverlayPath(kSet, "B");
    const std::string before = testsupport::TempFolder::Read(untouched);
    EXPECT_EQ(IDOK, RunDialog([&](fw::Dialog& dialog) {
        ASSERT_EQ((Lines{"C:\\A", "C:\\B", "C:\\Orörd"}), ListedLines(dialog));
        Retype(dialog, 0, "C:\\B");
        Retype(dialog, 1, "C:\\C");
        EXPECT_EQ((Lines{"C:\\A     C:\\B", "C:\\B     C:\\C", "C:\\Orörd"}), ListedLines(dialog));
    }));
    EXPECT_EQ((Lines{"C:\\B\\x.bmp|@C:\\C\\y.bmp@", "C:\\C\\z.bmp|"}), Stored("A"));
    EXPECT_EQ(before, testsupport::TempFolder::Read(untouched));
}

// A path stored in its short form is listed by its long folder, and rewritten when that line changes.
TEST_F(ChangePathTest, ShortPathsAreRewrittenByTheirListedLongFolder)
{
    const std::string picture = Config().Write("Mina bilder med långt namn\\en bild.bmp", "BM");
    char shortPath[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetShortPathNameA(picture.c_str(), shortPath, MAX_PATH));
    ASSERT_NE(picture, std::string(shortPath));
    SaveOverlay("A", 1, {MediaBlock(shortPath)}, {MediaBlock(shortPath)});
    EXPECT_EQ(IDOK, RunDialog([&](fw::Dialog& dialog) {
        ASSERT_EQ(Lines{Config().Temp() / "Mina bilder med långt namn"}, ListedLines(dialog));
        Retype(dialog, 0, "D:\\Nya bilder");
    }));
    EXPECT_EQ((Lines{"D:\\Nya bilder\\en bild.bmp|", "D:\\Nya bilder\\en bild.bmp"}), Stored("A"));
}

TEST_F(ChangePathTest, ALineFollowsItsFolderAndACaseChangeChangesNothing)
{
    SaveOverlay("A", 1, {MediaBlock("C:\\Bilder\\a.bmp")});
    const std::string file = IO().OverlayPath(kSet, "A");
    const std::string before = testsupport::TempFolder::Read(file);
    EXPECT_EQ(IDOK, RunDialog([&](fw::Dialog& dialog) {
        testsupport::SelectList(dialog, IDC_PATHS_LIST, 0);
        EXPECT_TRUE(IsEnabled(dialog, IDC_PATHS_EDIT));
        EXPECT_TRUE(IsEnabled(dialog, IDC_PATHS_BROWSE));
        EXPECT_EQ("C:\\Bilder", Text(dialog, IDC_PATHS_EDIT));
        testsupport::SetText(dialog, IDC_PATHS_EDIT, "D:\\Ny");
        EXPECT_EQ(Lines{"C:\\Bilder     D:\\Ny"}, ListedLines(dialog));
        EXPECT_EQ(0, dialog.Control<fw::ListBox>(IDC_PATHS_LIST).Selection());
        testsupport::SetText(dialog, IDC_PATHS_EDIT, "c:\\BILDER");
        EXPECT_EQ(Lines{"C:\\Bilder"}, ListedLines(dialog));
    }));
    EXPECT_EQ(before, testsupport::TempFolder::Read(file));
}

TEST_F(ChangePathTest, AnEmptyFolderIsRefusedAndCancelChangesNothing)
{
    SaveOverlay("A", 1, {MediaBlock("C:\\Bilder\\a.bmp")});
    const std::string file = IO().OverlayPath(kSet, "A");
    const std::string before = testsupport::TempFolder::Read(file);
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_PATHS_EMPTY_FOLDER);
    EXPECT_EQ(IDCANCEL, RunDialog([&](fw::Dialog& dialog) {
        Retype(dialog, 0, "");
        Click(dialog, IDOK);
        EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
        Retype(dialog, 0, "D:\\Ny");
        Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ(before, testsupport::TempFolder::Read(file));
}

TEST_F(ChangePathTest, BrowsingGivesTheChosenFolderInLowerCase)
{
    SaveOverlay("A", 1, {MediaBlock("C:\\Bilder\\a.bmp")});
    std::string title;
    std::string start;
    fw::CommonDialogHandlers handlers;
    handlers.browseFolder = [&](BROWSEINFOA& request, std::string& folder) {
        title = request.lpszTitle;
        start = reinterpret_cast<const char*>(request.lParam);
        folder = "D:\\NYA BILDER";
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    EXPECT_EQ(IDOK, RunDialog([&](fw::Dialog& dialog) {
        testsupport::SelectList(dialog, IDC_PATHS_LIST, 0);
        Click(dialog, IDC_PATHS_BROWSE);
        EXPECT_EQ("d:\\nya bilder", Text(dialog, IDC_PATHS_EDIT));
    }));
    fw::SetCommonDialogHandlers(fw::CommonDialogHandlers());
    EXPECT_EQ("Ange ny mapp istället för \"C:\\Bilder\".", title);
    EXPECT_EQ("C:\\Bilder", start);
    EXPECT_EQ(Lines{"d:\\nya bilder\\a.bmp|"}, Stored("A"));
}

// An overlay that does not read whole is not saved (its unread lines would be lost): it is named.
TEST_F(ChangePathTest, OverlaysThatCouldNotBeRewrittenAreNamed)
{
    SaveOverlay("A", 1, {MediaBlock("C:\\Bilder\\a.bmp")});
    const std::string damaged = "[Version]\r\nVersion=5.0\r\n\r\n[Data]\r\nBlock1=2,0,17\r\n"
                                "Layout2=0,C:\\Bilder\\b.bmp,(0,0,0),(0,0,0),,1,,,,0,1,\r\n";
    WriteOverlay("B", damaged);
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_PATHS_NOT_CHANGED);
    EXPECT_EQ(IDOK, RunDialog([&](fw::Dialog& dialog) { Retype(dialog, 0, "D:\\Ny"); }));
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("\n\nB"));
    EXPECT_EQ(Lines{"D:\\Ny\\a.bmp|"}, Stored("A"));
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(IO().OverlayPath(kSet, "B")));
}
