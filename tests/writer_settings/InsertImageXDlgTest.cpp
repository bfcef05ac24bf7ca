// The insert-picture browser in a real window, driven by keys and clicks: folders of a fixture base and
// of disk folders, the album's pages, the list and tree views, playing, and a folder that is not there.
#include "PictureChoiceFixture.h"
#include "library/Cp1252.h"
#include "framework/Prompt.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "writer_settings/FolderXDlg.h"
#include "writer_settings/InsertImageXDlg.h"
#include <gtest/gtest.h>

namespace {

using picturetests::PictureConfig;
using picturetests::PictureHost;
using picturetests::PressKey;
using testsupport::RunModal;
using testsupport::Snapshot;

POINT CentreOf(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickAt(HWND window, POINT point, bool twice = false)
{
    ::SendMessageA(window, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back((i < 10 ? "bild0" : "bild") + std::to_string(i) + ".bmp");
    return names;
}

class Browser : public testing::Test {
protected:
    void SetUp() override { fw::SetBeepHandler([this] { ++beeps_; }); }
    void TearDown() override { fw::SetBeepHandler(nullptr); }

    // Runs the browser on the folder list; the script runs inside it and should end it.
    INT_PTR Run(const std::vector<ImageFolder>& folders, std::function<void(InsertImageXDlg&)> script)
    {
        pictures_.WriteFolderList(folders);
        InsertImageXDlg browser(host_, result_, remembered_, host_.Handle());
        return RunModal(browser, [&](fw::Dialog&) { script(browser); });
    }

    PictureConfig pictures_;
    PictureHost host_{pictures_.UserSettings()};
    CKvoraObject result_;
    int remembered_ = -1;
    int beeps_ = 0;
};

} // namespace

TEST_F(Browser, ShowsTheFolderSymbolsAndSwitchesFoldersByClickAndTab)
{
    ImageFolder photos = PictureConfig::DiskFolder("Foton", pictures_.WriteFolder("Foton", {"a.bmp", "B.BMP", "c.jp"}));
    photos.symbol_ = pictures_.SymbolsFolder() + "\\m\xE5ne.bmp";
    const ImageFolder base = pictures_.BaseFolder(ImageFolder::kAlbum, 0);

    const INT_PTR result = Run({photos, base}, [&](InsertImageXDlg& d) {
        EXPECT_EQ("Infoga bild", d.Self().Text());
        EXPECT_EQ(0, d.CurrentFolder());
        ASSERT_EQ(2u, d.FolderSymbolRects().size());
        EXPECT_EQ((RECT{20, 100, 70, 150}).top, d.FolderSymbolRects()[1].top);
        EXPECT_EQ(90, d.PictureArea().left);
        // c.jp is no picture; upper-case BMP is.
        ASSERT_EQ(2u, d.Pictures().size());
        EXPECT_EQ("B.BMP", d.Pictures()[1].label_);
        Snapshot(d, "browser_disk_album");

        ClickAt(d, CentreOf(d.FolderSymbolRects()[1]));
        EXPECT_EQ(1, d.CurrentFolder());
        EXPECT_EQ(7u, d.Pictures().size());
        EXPECT_EQ("A101", d.Pictures()[0].code_);
        Snapshot(d, "browser_base_album");

        PressKey(d, VK_TAB);
        EXPECT_EQ(0, d.CurrentFolder());
        PressKey(d, VK_TAB);
        EXPECT_EQ(1, d.CurrentFolder());
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(-1, remembered_);
}

TEST_F(Browser, ChoosesAnAlbumPictureAndRemembersTheFolder)
{
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", pictures_.WriteFolder("Foton", {"a.bmp", "b.bmp"}));
    const ImageFolder base = pictures_.BaseFolder(ImageFolder::kAlbum, 0);
    remembered_ = 1;
    const INT_PTR result = Run({photos, base}, [&](InsertImageXDlg& d) {
        EXPECT_EQ(1, d.CurrentFolder());
        PressKey(d, VK_RIGHT);
        PressKey(d, VK_RIGHT);
        EXPECT_EQ(1, d.CurrentPicture());
        Snapshot(d, "browser_base_selected");
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, remembered_);
    EXPECT_EQ("A102", result_.code_);
    EXPECT_EQ("katt", result_.label_) << "an image base's word stays the caption";
}

TEST_F(Browser, ADiskPictureIsChosenWithoutItsFileNameAsWord)
{
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", pictures_.WriteFolder("Foton", {"sol.bmp"}));
    const INT_PTR result = Run({photos}, [&](InsertImageXDlg& d) {
        // One folder: no symbols, the area starts 20 from the left.
        EXPECT_EQ(20, d.PictureArea().left);
        ClickAt(d, CentreOf(d.Cells()[0]), true);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(pictures_.Config().Temp() / "Foton\\sol.bmp", result_.picturePath_);
    EXPECT_EQ("", result_.label_);
    EXPECT_EQ(0, remembered_);
}

TEST_F(Browser, PagesThroughALargeAlbumWithScrollAndArrows)
{
    const ImageFolder many = PictureConfig::DiskFolder("M\xE5nga", pictures_.WriteFolder("Manga", Numbered(13)));
    Run({many}, [&](InsertImageXDlg& d) {
        ASSERT_EQ(12u, d.Cells().size());
        EXPECT_TRUE(testsupport::IsVisible(d, IDC_BROWSER_SCROLL));
        testsupport::Click(d, IDC_BROWSER_SCROLL);
        EXPECT_EQ(12, d.FirstVisible());
        EXPECT_TRUE(d.Pictures()[12].HasPicture());
        EXPECT_FALSE(d.Pictures()[0].HasPicture()) << "the page left is released";
        Snapshot(d, "browser_album_page2");
        PressKey(d, VK_F8);
        EXPECT_EQ(0, d.FirstVisible());

        PressKey(d, VK_DOWN);
        EXPECT_EQ(0, d.CurrentPicture());
        PressKey(d, VK_LEFT);
        EXPECT_EQ(1, beeps_);
        for (int i = 0; i < 11; ++i)
            PressKey(d, VK_RIGHT);
        EXPECT_EQ(11, d.CurrentPicture());
        PressKey(d, VK_RIGHT);
        EXPECT_EQ(12, d.FirstVisible());
        EXPECT_EQ(12, d.CurrentPicture());
        PressKey(d, VK_RIGHT);
        EXPECT_EQ(2, beeps_);
        EXPECT_EQ(12, d.CurrentPicture());
        PressKey(d, VK_UP);
        EXPECT_EQ(0, d.FirstVisible());
        EXPECT_EQ(8, d.CurrentPicture());
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(Browser, TreeOfADiskFolderGivesTheFileAndItsSound)
{
    const std::string folder = pictures_.WriteFolder("Foton", {"Djur\\hund.bmp", "Djur\\katt.bmp", "Djur\\ko.bmp", "sol.bmp"});
    ::CreateDirectoryA((folder + "\\Tomt").c_str(), nullptr);
    pictures_.Config().Write("Foton\\katt.wav", "RIFF");
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", folder, ImageFolder::kList, 0);
    const INT_PTR result = Run({photos}, [&](InsertImageXDlg& d) {
        fw::TreeView tree = d.Control<fw::TreeView>(IDC_BROWSER_TREE);
        EXPECT_TRUE(tree.IsVisible());
        EXPECT_EQ(5, tree.Count()) << "Djur with 3 pictures and sol.bmp; Tomt is not shown";
        HTREEITEM djur = tree.Root();
        ASSERT_EQ("Djur", tree.ItemText(djur));
        tree.Expand(djur);
        HTREEITEM katt = tree.Sibling(tree.Child(djur));
        ASSERT_EQ("katt.bmp", tree.ItemText(katt));
        tree.Select(katt);
        EXPECT_EQ(folder + "\\Djur\\katt.bmp", d.Result().picturePath_);
        EXPECT_EQ(folder + "\\katt.wav", d.Result().soundPath_);
        EXPECT_TRUE(testsupport::IsVisible(d, IDC_BROWSER_PLAY));
        Snapshot(d, "browser_disk_tree");
        testsupport::Click(d, IDC_BROWSER_PLAY);
        EXPECT_EQ((std::vector<std::string>{folder + "\\katt.wav"}), host_.played_);
        EXPECT_TRUE(testsupport::IsVisible(d, IDC_BROWSER_STOP));
        host_.playing_ = false;
        d.OnPlaybackStep();
        EXPECT_FALSE(testsupport::IsVisible(d, IDC_BROWSER_STOP));
        // Arrow keys in a list belong to the tree.
        PressKey(d, VK_DOWN);
        EXPECT_EQ("ko.bmp", tree.ItemText(tree.Selected()));
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(folder + "\\Djur\\ko.bmp", result_.picturePath_);
}

TEST_F(Browser, ImageBaseListShowsCategoriesAndSpeaksTheWord)
{
    pictures_.UserSettings().speechEngine_ = 1;
    host_.mediaPlayer_ = false;
    const INT_PTR result = Run({pictures_.BaseFolder(ImageFolder::kList, 0)}, [&](InsertImageXDlg& d) {
        fw::TreeView tree = d.Control<fw::TreeView>(IDC_BROWSER_TREE);
        HTREEITEM djur = tree.Root();
        ASSERT_EQ("Djur", tree.ItemText(djur));
        tree.Select(djur);
        EXPECT_EQ("", d.Result().BuildContent()) << "a category is no picture";
        tree.Expand(djur);
        // hund and Hund sort as one: either gives the first picture of that word.
        HTREEITEM hund = tree.Child(djur);
        ASSERT_TRUE(cp1252::EqualsNoCase("hund", tree.ItemText(hund)));
        tree.Select(hund);
        EXPECT_EQ("A101", d.Result().code_);
        EXPECT_TRUE(d.Result().HasPicture());
        Snapshot(d, "browser_base_tree");
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("A101", result_.code_);
}

TEST_F(Browser, AMissingFolderShowsWhyAndPlaySpeaksIt)
{
    const std::string path = pictures_.Config().Temp() / "Borta";
    const ImageFolder gone = PictureConfig::DiskFolder("Borta", path);
    Run({gone}, [&](InsertImageXDlg& d) {
        EXPECT_EQ("Det finns ingen mapp som heter\n" + path + ".", d.Message());
        Snapshot(d, "browser_missing_folder");
        testsupport::Click(d, IDC_BROWSER_PLAY);
        EXPECT_EQ((std::vector<std::string>{d.Message()}), host_.spoken_);
        // Choosing the folder again reads it again: now it is there.
        pictures_.WriteFolder("Borta", {"a.bmp"});
        PressKey(d, VK_TAB);
        EXPECT_EQ("", d.Message());
        EXPECT_EQ(1u, d.Pictures().size());
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(Browser, WithoutFoldersOkGivesAnEmptyResult)
{
    const INT_PTR result = Run({}, [&](InsertImageXDlg& d) {
        PressKey(d, VK_TAB);
        PressKey(d, VK_RIGHT);
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("", result_.BuildContent());
}

TEST_F(Browser, EditedFolderListIsWrittenAndShown)
{
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", pictures_.WriteFolder("Foton", {"a.bmp"}));
    host_.editFolders_ = [&](std::vector<ImageFolder>& folders) {
        EXPECT_EQ(1u, folders.size());
        folders.push_back(pictures_.BaseFolder(ImageFolder::kAlbum, 0));
        return true;
    };
    Run({photos}, [&](InsertImageXDlg& d) {
        // Ctrl+Alt+H, as accelerator table 136 turns it into its command.
        d.Self().Send(WM_COMMAND, MAKEWPARAM(ID_BROWSER_EDIT_FOLDERS, 1), 0);
        ASSERT_EQ(2u, d.Folders().size());
        EXPECT_EQ(0, d.CurrentFolder());
        EXPECT_EQ(90, d.PictureArea().left) << "two folders: the symbols take the left side";
        d.EndDialog(IDCANCEL);
    });
    std::vector<ImageFolder> written;
    ImageFolderSettings::LoadFolderList("", pictures_.Config().ProgramIni(), pictures_.ImageBaseIni(), written);
    EXPECT_EQ(2u, written.size());
}

// Ctrl+Alt+H on the folder dialog itself, closed with OK: with the last folder removed, nothing of it
// is left to show or to choose.
TEST_F(Browser, RemovingTheLastFolderLeavesNothingToShowOrChoose)
{
    const std::string folder = pictures_.WriteFolder("Foton", {"Djur\\hund.bmp"});
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", folder, ImageFolder::kList, 0);
    host_.editFolders_ = [&](std::vector<ImageFolder>& folders) {
        FolderDialogContext context;
        context.owner = host_.Handle();
        context.settings = &pictures_.UserSettings();
        testsupport::OnNextDialog([](fw::Dialog& list) {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_REMOVE_FOLDER_QUESTION, IDOK);
            testsupport::SelectList(list, IDC_FOLDER_LIST, 0);
            testsupport::Click(list, IDC_FOLDER_REMOVE);
            testsupport::Click(list, IDOK);
        });
        return RunFolderListDlg(folders, context);
    };
    const INT_PTR result = Run({photos}, [&](InsertImageXDlg& d) {
        fw::TreeView tree = d.Control<fw::TreeView>(IDC_BROWSER_TREE);
        tree.Expand(tree.Root());
        tree.Select(tree.Child(tree.Root()));
        ASSERT_EQ(folder + "\\Djur\\hund.bmp", d.Result().picturePath_);
        d.Self().Send(WM_COMMAND, MAKEWPARAM(ID_BROWSER_EDIT_FOLDERS, 1), 0);
        EXPECT_TRUE(d.Folders().empty());
        EXPECT_EQ(-1, d.CurrentFolder());
        EXPECT_FALSE(tree.IsVisible());
        EXPECT_EQ(0, tree.Count());
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("", result_.BuildContent());
    std::vector<ImageFolder> written;
    ImageFolderSettings::LoadFolderList("", pictures_.Config().ProgramIni(), pictures_.ImageBaseIni(), written);
    EXPECT_TRUE(written.empty());
}

// The folder list's file is there but cannot be read (saved "as Unicode"): the browser says so when
// it opens and when its folders are to be edited, and never writes the file.
TEST_F(Browser, AFolderListThatCannotBeReadIsSaidAndNeverWritten)
{
    const std::string unicode("\xFF\xFE[\0D\0]\0\r\0\n\0", 12);
    const std::string list = ImageFolderSettings::ListPath("", pictures_.Config().ProgramIni());
    pictures_.Config().Write(list.substr(pictures_.Config().Temp().Path().size() + 1), unicode);
    host_.editFolders_ = [&](std::vector<ImageFolder>&) {
        ADD_FAILURE() << "the folders of an unread list were offered for editing";
        return true;
    };
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_FOLDER_LIST_UNREADABLE).Expect(IDS_FOLDER_LIST_UNREADABLE);
    InsertImageXDlg browser(host_, result_, remembered_, host_.Handle());
    RunModal(browser, [&](fw::Dialog&) {
        EXPECT_TRUE(browser.Folders().empty());
        browser.Self().Send(WM_COMMAND, MAKEWPARAM(ID_BROWSER_EDIT_FOLDERS, 1), 0);
        browser.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(unicode, testsupport::TempFolder::Read(list));
}

// The list's file goes away while its folders are edited: the edit does not make it again, and says so.
TEST_F(Browser, AFolderListThatHasGoneWhileEditedIsNotCreatedAgain)
{
    const ImageFolder photos = PictureConfig::DiskFolder("Foton", pictures_.WriteFolder("Foton", {"a.bmp"}));
    const std::string list = ImageFolderSettings::ListPath("", pictures_.Config().ProgramIni());
    host_.editFolders_ = [&](std::vector<ImageFolder>& folders) {
        ::DeleteFileA(list.c_str());
        folders.push_back(pictures_.BaseFolder(ImageFolder::kAlbum, 0));
        return true;
    };
    Run({photos}, [&](InsertImageXDlg& d) {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_USER_FILE_GONE);
        d.Self().Send(WM_COMMAND, MAKEWPARAM(ID_BROWSER_EDIT_FOLDERS, 1), 0);
        EXPECT_EQ(1u, d.Folders().size());
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(fw::IsAbsent(list));
}
