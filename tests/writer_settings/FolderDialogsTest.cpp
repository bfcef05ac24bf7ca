// The image-folder dialogs in real windows: the list's buttons and places, and defining one folder
// with its checks, the choosers answered by script.
#include "ImageBaseFiles.h"
#include "UsersFixture.h"
#include "framework/Prompt.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "writer_settings/FolderDefinition.h"
#include "writer_settings/FolderXDlg.h"
#include "writer_settings/FolderXSettingsDlg.h"
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

ImageFolder PictureFolder(const std::string& name)
{
    ImageFolder folder;
    folder.name_ = name;
    folder.symbol_ = "C:\\symbol.bmp";
    folder.folderPath_ = "c:\\bilder";
    return folder;
}

std::vector<std::string> Names(const std::vector<ImageFolder>& folders)
{
    std::vector<std::string> names;
    for (const ImageFolder& folder : folders)
        names.push_back(folder.name_);
    return names;
}

std::vector<std::string> Lines(HWND dialog, int id)
{
    fw::ListBox list(dialog, id);
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.ItemText(i));
    return lines;
}

class FolderDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        context.settings = &settings;
        context.pictureControl = std::make_shared<PictureControl>();
        context.chooseSymbol = [this](HWND, const std::string& folder, std::string& symbol) {
            symbolsFolderAsked = folder;
            symbol = symbolToChoose;
            return !symbol.empty();
        };
        context.defineContent = [this](HWND, std::string& content) {
            contentGiven = content;
            content = contentToDefine;
            return true;
        };
    }
    void TearDown() override { fw::SetCommonDialogHandlers(fw::CommonDialogHandlers()); }

    UsersFixture fixture;
    Settings settings = fixture.MainSettings();
    FolderDialogContext context;
    std::string symbolToChoose;
    std::string symbolsFolderAsked;
    std::string contentToDefine;
    std::string contentGiven;
};

} // namespace

TEST(FolderListRules, ButtonsFollowTheCountAndTheSelection)
{
    struct Case {
        int count, selection;
        bool add, change, up, down;
    };
    const Case cases[] = {
        {0, -1, true, false, false, false}, {3, -1, true, false, false, false}, {3, 0, true, true, false, true},
        {3, 1, true, true, true, true},     {3, 2, true, true, true, false},    {4, 3, true, true, true, false},
        {5, 2, false, true, true, true},    {6, -1, false, false, false, false},
    };
    for (const Case& c : cases) {
        const FolderListButtons states = FolderListStates(c.count, c.selection);
        EXPECT_EQ(c.add, states.add) << c.count << "/" << c.selection;
        EXPECT_EQ(c.change, states.change) << c.count << "/" << c.selection;
        EXPECT_EQ(c.change, states.remove) << c.count << "/" << c.selection;
        EXPECT_EQ(c.up, states.up) << c.count << "/" << c.selection;
        EXPECT_EQ(c.down, states.down) << c.count << "/" << c.selection;
    }
    // New goes before the selected folder, at the end with none or the last selected.
    EXPECT_EQ(1, FolderInsertPosition(3, 1));
    EXPECT_EQ(3, FolderInsertPosition(3, 2));
    EXPECT_EQ(3, FolderInsertPosition(3, -1));
    EXPECT_EQ(0, FolderInsertPosition(0, -1));
}

TEST(FolderListRules, AFavouriteReadsWithoutPrefixAndWithItsLabelAfterACode)
{
    CKvoraObject coded;
    coded.code_ = "A12";
    coded.label_ = "hund";
    CKvoraObject plain;
    plain.picturePath_ = "c:\\bilder\\katt.bmp";
    plain.label_ = "katt";
    const std::string codedLine = FavouriteLine(coded, '@');
    EXPECT_EQ(std::string::npos, codedLine.find('@')) << codedLine;
    EXPECT_NE(std::string::npos, codedLine.find("A12")) << codedLine;
    EXPECT_EQ(" (hund)", codedLine.substr(codedLine.size() - 7)) << codedLine;
    const std::string plainLine = FavouriteLine(plain, '@');
    EXPECT_EQ(std::string::npos, plainLine.find('@')) << plainLine;
    EXPECT_EQ(std::string::npos, plainLine.find(" (katt)")) << plainLine;
}

TEST(FolderListRules, ControlsFollowTheTypeAndTheDisplay)
{
    const auto enabled = [](const ImageFolder& folder, int id, int count = 0, int selection = -1) {
        for (const auto& state : FolderDefinitionStates(folder, count, selection, false)) {
            if (state.first == id)
                return state.second;
        }
        ADD_FAILURE() << "no state for " << id;
        return false;
    };
    ImageFolder folder;
    folder.folderType_ = ImageFolder::kDiskFolder;
    folder.displayType_ = ImageFolder::kList;
    EXPECT_TRUE(enabled(folder, IDC_FOLDER_CHOOSE_DISK));
    EXPECT_FALSE(enabled(folder, IDC_FOLDER_CHOOSE_BASE));
    EXPECT_FALSE(enabled(folder, IDC_FAVOURITE_NEW));
    EXPECT_TRUE(enabled(folder, IDC_FOLDER_TREE));
    EXPECT_FALSE(enabled(folder, IDC_FOLDER_LARGE));
    folder.folderType_ = ImageFolder::kFavouriteList;
    EXPECT_FALSE(enabled(folder, IDC_FOLDER_TREE)); // a favourite list shown as a list has no structure
    EXPECT_FALSE(enabled(folder, IDC_FOLDER_FLAT));
    EXPECT_TRUE(enabled(folder, IDC_FAVOURITE_NEW));
    EXPECT_FALSE(enabled(folder, IDC_FAVOURITE_REMOVE, 2, -1));
    EXPECT_TRUE(enabled(folder, IDC_FAVOURITE_UP, 2, 1));
    EXPECT_FALSE(enabled(folder, IDC_FAVOURITE_DOWN, 2, 1));
    folder.displayType_ = ImageFolder::kAlbum;
    EXPECT_TRUE(enabled(folder, IDC_FOLDER_SMALL));
    EXPECT_FALSE(enabled(folder, IDC_FOLDER_CLEAR_SYMBOL));
}

TEST_F(FolderDialogs, NewGoesBeforeTheSelectedFolderOrAtTheEnd)
{
    std::vector<ImageFolder> folders = {PictureFolder("Djur"), PictureFolder("Mat"), PictureFolder("Lek")};
    symbolToChoose = fixture.WriteSymbol("sol.bmp", RGB(255, 0, 0));
    fw::CommonDialogHandlers handlers;
    handlers.browseFolder = [](BROWSEINFOA&, std::string& folder) {
        folder = "C:\\Bilder\\Fordon";
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    const auto define = [&](const std::string& name) {
        OnNextDialog([&, name](fw::Dialog& d) {
            SetText(d, IDC_FOLDER_NAME, name);
            Click(d, IDC_FOLDER_CHOOSE_SYMBOL);
            EXPECT_TRUE(IsEnabled(d, IDC_FOLDER_CLEAR_SYMBOL)); // the symbol picture is loaded
            Click(d, IDC_FOLDER_CHOOSE_DISK);
            EXPECT_EQ("c:\\bilder\\fordon", Text(d, IDC_FOLDER_DISK_PATH));
            Check(d, IDC_FOLDER_NEWEST, true);
            Snapshot(d, "folder_define");
            Click(d, IDOK);
        });
    };
    FolderXDlg dialog(&folders, context);
    const INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ((std::vector<std::string>{"Djur", "Mat", "Lek"}), Lines(d, IDC_FOLDER_LIST));
        EXPECT_FALSE(IsEnabled(d, IDC_FOLDER_CHANGE));
        SelectList(d, IDC_FOLDER_LIST, 1);
        define("Fordon");
        Click(d, IDC_FOLDER_NEW);
        EXPECT_EQ((std::vector<std::string>{"Djur", "Fordon", "Mat", "Lek"}), Lines(d, IDC_FOLDER_LIST));
        EXPECT_EQ(1, fw::ListBox(d, IDC_FOLDER_LIST).Selection());
        SelectList(d, IDC_FOLDER_LIST, 3);
        define("Sist");
        Click(d, IDC_FOLDER_NEW);
        EXPECT_EQ((std::vector<std::string>{"Djur", "Fordon", "Mat", "Lek", "Sist"}), Lines(d, IDC_FOLDER_LIST));
        EXPECT_FALSE(IsEnabled(d, IDC_FOLDER_NEW)); // five folders are the most
        {
            ScriptedMessages messages;
            messages.Expect(IDS_REMOVE_FOLDER_QUESTION, IDOK);
            SelectList(d, IDC_FOLDER_LIST, 2);
            Click(d, IDC_FOLDER_REMOVE);
        }
        EXPECT_EQ(1, fw::ListBox(d, IDC_FOLDER_LIST).Selection()); // the one before
        EXPECT_TRUE(IsEnabled(d, IDC_FOLDER_NEW));
        Click(d, IDC_FOLDER_UP);
        Snapshot(d, "folder_list");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result) << "the caller keeps the list only on OK";
    EXPECT_EQ((std::vector<std::string>{"Fordon", "Djur", "Lek", "Sist"}), Names(folders));
    EXPECT_EQ("c:\\bilder\\fordon", folders[0].folderPath_);
    EXPECT_EQ(symbolToChoose, folders[0].symbol_);
    EXPECT_EQ(1, folders[0].sortOrder_);
    EXPECT_EQ(fixture.config.Temp() / "symboler", symbolsFolderAsked);
}

TEST_F(FolderDialogs, OkChecksTheNameTheSymbolAndWhatTheFolderHolds)
{
    ImageFolder folder;
    FolderXSettingsDlg dialog(&folder, context, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_NAME_MISSING).Expect(IDS_SYMBOL_MISSING).Expect(IDS_BASE_MISSING);
        Click(d, IDOK);
        SetText(d, IDC_FOLDER_NAME, "Djur");
        Click(d, IDOK);
        folder.symbol_ = "C:\\symbol.bmp";
        EXPECT_TRUE(d.IsChecked(IDC_FOLDER_TYPE_DISK));
        // The three kinds are one group: choosing one clears the others.
        for (int type : {IDC_FOLDER_TYPE_FAVOURITES, IDC_FOLDER_TYPE_DISK, IDC_FOLDER_TYPE_BASE}) {
            Check(d, type, true);
            for (int other : {IDC_FOLDER_TYPE_DISK, IDC_FOLDER_TYPE_BASE, IDC_FOLDER_TYPE_FAVOURITES})
                EXPECT_EQ(other == type, d.IsChecked(other)) << type << " clicked, " << other;
        }
        EXPECT_TRUE(IsEnabled(d, IDC_FOLDER_CHOOSE_BASE));
        EXPECT_FALSE(IsEnabled(d, IDC_FOLDER_CHOOSE_DISK));
        Click(d, IDOK);
        EXPECT_EQ(3u, messages.Shown().size());
        EXPECT_EQ("Felmeddelande", messages.Shown()[0].caption);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ("Djur", folder.name_); // taken before the later checks
    EXPECT_EQ(ImageFolder::kImageBase, folder.folderType_);
}

TEST_F(FolderDialogs, FavouritesAreAddedRemovedAndKeptOnOk)
{
    ImageFolder folder = PictureFolder("Favoriter");
    folder.folderType_ = ImageFolder::kFavouriteList;
    folder.displayType_ = ImageFolder::kList;
    FolderXSettingsDlg dialog(&folder, context, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_FALSE(IsEnabled(d, IDC_FOLDER_TREE));
        EXPECT_FALSE(IsEnabled(d, IDC_FOLDER_FLAT));
        contentToDefine = "@c:\\bilder\\hund.bmp+'hund'@";
        Click(d, IDC_FAVOURITE_NEW);
        contentToDefine = "@c:\\bilder\\katt.bmp+'katt'@";
        Click(d, IDC_FAVOURITE_NEW);
        EXPECT_EQ(2, fw::ListBox(d, IDC_FAVOURITE_LIST).Count());
        EXPECT_EQ(1, fw::ListBox(d, IDC_FAVOURITE_LIST).Selection());
        EXPECT_EQ(std::string::npos, fw::ListBox(d, IDC_FAVOURITE_LIST).ItemText(0).find('@'));
        SelectList(d, IDC_FAVOURITE_LIST, 0);
        contentToDefine.clear(); // an empty result changes nothing
        Click(d, IDC_FAVOURITE_CHANGE);
        EXPECT_FALSE(contentGiven.empty());
        {
            ScriptedMessages messages;
            messages.Expect(IDS_REMOVE_PICTURE_QUESTION, IDOK);
            Click(d, IDC_FAVOURITE_REMOVE);
        }
        Snapshot(d, "folder_favourites");
        Click(d, IDOK);
    });
    ASSERT_EQ(1u, folder.favourites_.size());
    EXPECT_EQ("katt", folder.favourites_[0].label_);
}

TEST_F(FolderDialogs, AnImageBaseFolderShowsItsBaseOrAQuestionMark)
{
    testsupport::WindowsFileGuard sharedSounds{"picwav.ini"};
    fixture.config.WriteImageBase();
    Settings withBases = fixture.MainSettings();
    context.settings = &withBases;
    for (const char* key : {"A", "Q"}) {
        ImageFolder folder = PictureFolder("Djur");
        folder.folderType_ = ImageFolder::kImageBase;
        folder.imageBaseKey_ = key;
        FolderXSettingsDlg dialog(&folder, context, nullptr);
        RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_TRUE(fw::Button(d, IDC_FOLDER_TYPE_BASE).IsChecked());
            EXPECT_EQ(key[0] == 'A' ? "A Djur" : "?", Text(d, IDC_FOLDER_BASE_NAME));
            d.EndDialog(IDCANCEL);
        });
    }
}
