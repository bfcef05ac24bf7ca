// The main window's commands on sets, each run on fixture sets and looked at on disk afterwards:
// new set, copy, rename, delete and taking over an old set.
#include "MainWindowFixture.h"
#include "framework/Files.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::OnNextDialog;
using testsupport::Text;

namespace {

class SetCommandsTest : public testing::Test, public MainWindowFixture {
protected:
    SetCommandsTest() { UseModel("PS2"); }

    // The next name dialog: the name typed and OK pressed.
    static void NameNextDialog(UINT templateId, const std::string& name)
    {
        OnNextDialog([templateId, name](fw::Dialog& dialog) {
            EXPECT_EQ(templateId, dialog.TemplateId());
            testsupport::SetText(dialog, IDC_NAME_EDIT, name);
            PressOk(dialog);
        });
    }

    static std::string TreeText(CSkarpinDlg& dialog, size_t line)
    {
        return fw::TreeView(dialog.Tree().Handle()).ItemText(dialog.TreeItems().at(line).item_);
    }
};

} // namespace

TEST_F(SetCommandsTest, NewSetIsMadeAndSelected)
{
    MakeSet("Skola", StandardRegister({{1, "Bil"}}).c_str(), {"Bil"});
    RunMainWindow([&](CSkarpinDlg& dialog) {
        // A name taken is refused and the dialog stays for another.
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_SET_NAME_TAKEN);
        OnNextDialog([](fw::Dialog& shown) {
            EXPECT_EQ("Nytt set", shown.Self().Text());
            EXPECT_EQ("", Text(shown, IDC_NAME_EDIT));
            testsupport::SetText(shown, IDC_NAME_EDIT, "SKOLA");
            Click(shown, IDOK);
            testsupport::SetText(shown, IDC_NAME_EDIT, "Klass 3");
            PressOk(shown);
        });
        Command(dialog, ID_SET_NEW);
        EXPECT_EQ(TreeNames(dialog).size(), 2u);
        EXPECT_EQ(dialog.SelectedSetName(), "Klass 3");
        EXPECT_EQ(dialog.ListLines().size(), 100u);

        OnNextDialog([](fw::Dialog& shown) { Click(shown, IDCANCEL); });
        Command(dialog, ID_SET_NEW);
        EXPECT_EQ(TreeNames(dialog).size(), 2u);
    });
    EXPECT_EQ(Value(RegisterPath("Klass 3"), "KeyboardSettings", "FlashSignal"), "1");
    EXPECT_EQ(Value(RegisterPath("Klass 3"), "Overlays", "1"), "<missing>");
}

TEST_F(SetCommandsTest, CopyOfASetHoldsItsOverlaysAndIsSelected)
{
    const std::string skola = StandardRegister({{1, "Bil"}, {4, "Äpple"}});
    MakeSet("Skola", skola.c_str(), {"Bil", "Äpple"});
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        OnNextDialog([](fw::Dialog& shown) {
            EXPECT_EQ(static_cast<UINT>(IDD_COPY_SET), shown.TemplateId());
            EXPECT_EQ("Skola", Text(shown, IDC_NAME_EDIT));
            testsupport::SetText(shown, IDC_NAME_EDIT, "Skola kopia");
            PressOk(shown);
        });
        Command(dialog, ID_EDIT_COPY_SELECTION);
        EXPECT_EQ(dialog.SelectedSetName(), "Skola kopia");
        EXPECT_EQ(ListText(dialog, 3), "4 Äpple");
    });
    EXPECT_EQ(Register("Skola kopia"), skola);
    EXPECT_EQ(Read(OverlayPath("Skola kopia", "Bil")), Read(OverlayPath("Skola", "Bil")));
    EXPECT_EQ(Register("Skola"), skola);
}

TEST_F(SetCommandsTest, RenamedSetTakesItsNewNameInTheTreeAndOnDisk)
{
    MakeSet("Skola", StandardRegister({}).c_str());
    const std::string picture = Write("Program Files\\Skarpin\\set\\Skola\\import\\bild.bmp", "BM");
    Block block;
    block.cells_ = {RECT{0, 0, 0, 0}};
    block.picturePath_ = picture;
    std::string name = "Bil";
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(name, 1, "Skola", {block}, {}, KeyboardSettings()));
    RunMainWindow([&](CSkarpinDlg& dialog) {
        NameNextDialog(IDD_RENAME, "Klass");
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        EXPECT_EQ(dialog.SelectedSetName(), "Klass");
        EXPECT_EQ(dialog.Tree().selectedSetName_, "Klass");
        EXPECT_EQ(dialog.TreeItems()[0].name_, "Klass");
        EXPECT_EQ(dialog.TreeItems()[0].path_, SetPath("Klass"));
        EXPECT_EQ(TreeText(dialog, 0), "Klass");
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
    });
    EXPECT_FALSE(fw::PathExists(SetPath("Skola")));
    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    Io().LoadOverlay(OverlayPath("Klass", "Bil"), keys, background, settings);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].picturePath_, SetPath("Klass") + "\\import\\bild.bmp");
}

// The folder is renamed first: when it cannot be, the tree keeps the old name and the user is told.
TEST_F(SetCommandsTest, ARenameThatFailsIsToldAndKeepsTheOldName)
{
    const std::string skola = StandardRegister({{1, "Bil"}});
    MakeSet("Skola", skola.c_str(), {"Bil"});
    // A folder of the new name that is no set: the dialog does not know it, the system refuses it.
    MakeSet("Klass", nullptr);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_SET_NOT_RENAMED);
        NameNextDialog(IDD_RENAME, "Klass");
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, "Setet kunde inte byta namn. Det heter fortfarande \"Skola\".");
        EXPECT_EQ(dialog.SelectedSetName(), "Skola");
        EXPECT_EQ(TreeText(dialog, 0), "Skola");
    });
    EXPECT_EQ(Register("Skola"), skola);
}

// An overlay whose paths could not follow the new folder is named, apart from a rename that failed.
TEST_F(SetCommandsTest, ARenameThatWentInPartNamesTheOverlaysLeft)
{
    MakeSet("Skola", StandardRegister({}).c_str());
    Write("Program Files\\Skarpin\\set\\Skola\\B.ini",
          "[Version]\r\nVersion=5.0\r\n\r\n[Data]\r\nBlock1=2,0,17\r\n"
          "Layout2=0," + SetPath("Skola") + "\\import\\bild.bmp,(0,0,0),(0,0,0),,1,,,,0,1,\r\n");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_SET_RENAMED_PARTLY);
        NameNextDialog(IDD_RENAME, "Klass");
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_NE(messages.Shown()[0].text.find(":\n\nB"), std::string::npos) << messages.Shown()[0].text;
        EXPECT_EQ(dialog.SelectedSetName(), "Klass");
    });
    EXPECT_TRUE(fw::PathExists(OverlayPath("Klass", "B")));
}

TEST_F(SetCommandsTest, DeleteAsksAndTheLastSetLeavesAnEmptyWindow)
{
    MakeSet("Skola", StandardRegister({{1, "Bil"}}).c_str(), {"Bil"});
    MakeSet("Hem", StandardRegister({}).c_str());
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_ASK_DELETE_SET, IDCANCEL).Expect(IDS_ASK_DELETE_SET, IDOK);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_TRUE(fw::PathExists(RegisterPath("Skola")));
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        ASSERT_EQ(messages.Shown().size(), 2u);
        EXPECT_EQ(messages.Shown()[1].text,
                  "Vill du verkligen ta bort setet \"Skola\"?\n\nOBS! Hela mappen och dess innehåll kommer att tas bort.");
        EXPECT_EQ(messages.Shown()[1].caption, "Ta bort");
        EXPECT_EQ(messages.Shown()[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
        EXPECT_FALSE(fw::PathExists(SetPath("Skola")));
        EXPECT_EQ(TreeNames(dialog), std::vector<std::string>{"Hem"});
        EXPECT_EQ(dialog.SelectedSetName(), "Hem");

        testsupport::ScriptedMessages last;
        last.Expect(IDS_ASK_DELETE_SET, IDOK);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_TRUE(dialog.TreeItems().empty());
        EXPECT_TRUE(dialog.ListLines().empty());
        EXPECT_EQ(fw::ListBox(dialog.List().Handle()).Count(), 0);
        EXPECT_EQ(dialog.SelectedSetName(), "");
        EXPECT_EQ(dialog.Tree().selectedSetName_, "");
        for (UINT command : {ID_EDIT_RENAME_SELECTION, ID_EDIT_COPY_SELECTION, ID_EDIT_DELETE_SELECTION})
            EXPECT_TRUE(Grayed(dialog.MainMenu(), command)) << command;
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_SET_NEW));
    });
}

TEST_F(SetCommandsTest, AnOldSetIsTakenOverAndSelected)
{
    MakeSet("Skola", StandardRegister({}).c_str());
    const std::string oldFolder = Temp() / "Kvora\\Set";
    Write("windows\\kvora.ini", "[Directories]\r\nSetinfo=" + oldFolder + "\r\n");
    Write("Kvora\\Set\\set001.ini", "[Set]\r\nID=Gammalt\r\n[Ark1]\r\nNm=Tom\r\nXx=\r\nF1=1\r\nB1=0\r\nFr=0.7\r\n"
                                    "Rd=1.0\r\nSd=0.0\r\nBl=0.0\r\nAntal=0\r\nFonts=0\r\nColors=0\r\n");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_SET_IMPORT_OLD));
        OnNextDialog([](fw::Dialog& shown) {
            EXPECT_EQ(static_cast<UINT>(IDD_GET_OLD_SET), shown.TemplateId());
            PressOk(shown);
        });
        Command(dialog, ID_SET_IMPORT_OLD);
        EXPECT_EQ(dialog.SelectedSetName(), "Gammalt");
        EXPECT_EQ(ListText(dialog, 0), "1 Tom");
    });
    EXPECT_EQ(Value(RegisterPath("Gammalt"), "Overlays", "1"), "Tom");
}
