// The main window's commands on overlays, each run on fixture sets and looked at in the list and on
// disk afterwards: copy and move of one or several overlays, rename, delete, and the news to the
// USB keyboard's driver program.
#include "FolderLocks.h"
#include "MainWindowFixture.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/DriverStandIn.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <fstream>

using testsupport::Click;
using testsupport::OnNextDialog;
using testsupport::Text;

namespace {

class OverlayCommandsTest : public testing::Test, public MainWindowFixture {
protected:
    OverlayCommandsTest()
    {
        UseModel("PS2");
        WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
        MakeSet("Skola", StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}}).c_str(), {"Bil", "Äpple", "Bok"});
        MakeSet("Hem", StandardRegister({{1, "Bil"}}).c_str(), {"Bil"});
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom"});
        MakeSet("Standardöverlägg", StandardRegister({{101, "Start"}, {102, "Slut"}}).c_str(), {"Start", "Slut"});
    }

    // A set of count overlays numbered from 1; the register names more when registered is larger.
    void MakeFilledSet(const std::string& name, int count, int registered)
    {
        std::vector<std::pair<int, std::string>> entries;
        std::vector<std::string> files;
        for (int n = 1; n <= registered; ++n) {
            entries.emplace_back(n, "Ö" + std::to_string(n));
            if (n <= count)
                files.push_back("Ö" + std::to_string(n));
        }
        MakeSet(name, StandardRegister(entries).c_str(), files);
    }

    // The next copy or move dialog of one overlay: the target set and number chosen, the name typed.
    static void AnswerCopyOverlay(const std::string& target, int number, const std::string& name,
                                  const std::function<void(fw::Dialog&)>& beforeOk = nullptr)
    {
        OnNextDialog([=](fw::Dialog& dialog) {
            EXPECT_EQ(static_cast<UINT>(IDD_COPY_OVERLAY), dialog.TemplateId());
            const int set = dialog.Control<fw::ComboBox>(IDC_NAME_SETS).FindExact(target);
            ASSERT_GE(set, 0);
            testsupport::SelectCombo(dialog, IDC_NAME_SETS, set);
            if (number > 0) {
                const int line = dialog.Control<fw::ComboBox>(IDC_NAME_NUMBERS).FindExact(std::to_string(number));
                ASSERT_GE(line, 0);
                testsupport::SelectCombo(dialog, IDC_NAME_NUMBERS, line);
            }
            testsupport::SetText(dialog, IDC_NAME_EDIT, name);
            if (beforeOk)
                beforeOk(dialog);
            PressOk(dialog);
        });
    }

    // The next dialog for several overlays: the target set chosen.
    static void AnswerCopyMove(const std::string& target)
    {
        OnNextDialog([=](fw::Dialog& dialog) {
            EXPECT_EQ(static_cast<UINT>(IDD_COPY_MOVE), dialog.TemplateId());
            const int set = dialog.Control<fw::ComboBox>(IDC_COPYMOVE_SETS).FindExact(target);
            ASSERT_GE(set, 0);
            testsupport::SelectCombo(dialog, IDC_COPYMOVE_SETS, set);
            PressOk(dialog);
        });
    }

    static std::vector<int> SelectedLines(CSkarpinDlg& dialog)
    {
        return fw::ListBox(dialog.List().Handle()).SelectedIndexes();
    }

    // The prepared copies that copying several overlays makes beside the sets.
    std::vector<std::string> PreparedCopies() const
    {
        std::vector<std::string> left;
        for (const std::string& file : testsupport::TempFolder::FilesIn(SetFolder())) {
            if (file.compare(0, 4, "xxx ") == 0)
                left.push_back(file);
        }
        return left;
    }
};

} // namespace

TEST_F(OverlayCommandsTest, CopyOfOneOverlayBesideItself)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        AnswerCopyOverlay("Skola", 2, "Bil kopia");
        Command(dialog, ID_EDIT_COPY_SELECTION);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(ListText(dialog, 1), "2 Bil kopia");
        EXPECT_EQ(dialog.ListLines()[1].name_, "Bil kopia");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}, {2, "Bil kopia"}}));
    EXPECT_EQ(Read(OverlayPath("Skola", "Bil kopia")), Read(OverlayPath("Skola", "Bil")));
}

TEST_F(OverlayCommandsTest, MoveOfOneOverlayToAnotherNumberOfItsSet)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {2});
        AnswerCopyOverlay("Skola", 10, "Äpple");
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        EXPECT_EQ(ListText(dialog, 2), "3 ");
        EXPECT_EQ(dialog.ListLines()[2].name_, "");
        EXPECT_EQ(ListText(dialog, 9), "10 Äpple");
        EXPECT_EQ(SelectedLines(dialog), std::vector<int>{9});
        EXPECT_EQ(dialog.SelectedOverlayName(), "Äpple");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {4, "Bok"}, {10, "Äpple"}}));
}

TEST_F(OverlayCommandsTest, MoveOfOneOverlayToAnotherSetLeavesItsLineEmptyAndSelected)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        AnswerCopyOverlay("Hem", 4, "Bok");
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        EXPECT_EQ(ListText(dialog, 3), "4 ");
        EXPECT_EQ(SelectedLines(dialog), std::vector<int>{3});
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}}));
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {4, "Bok"}}));
    EXPECT_FALSE(fw::PathExists(OverlayPath("Skola", "Bok")));
}

// The name is checked on the disk: when another program puts a file of that name into the target
// once the dialog has listed it, OK refuses the name, nothing moves and the list keeps the overlay.
TEST_F(OverlayCommandsTest, AMoveThatFailsIsToldAndTheListKeepsTheOverlay)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_OVERLAY_NAME_TAKEN);
        OnNextDialog([&](fw::Dialog& copy) {
            const int set = copy.Control<fw::ComboBox>(IDC_NAME_SETS).FindExact("Hem");
            ASSERT_GE(set, 0);
            testsupport::SelectCombo(copy, IDC_NAME_SETS, set);
            testsupport::SetText(copy, IDC_NAME_EDIT, "Bok");
            MakeOverlay("Hem", "Bok");
            Click(copy, IDOK);
            EXPECT_TRUE(::IsWindowVisible(copy.Handle()));
            Click(copy, IDCANCEL);
        });
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bok");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}}));
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}}));
}

// A name or number taken in the target gives the next free name and the first free number; the
// source set's list stays as it was.
TEST_F(OverlayCommandsTest, CopyOfSeveralIntoASetThatHoldsOneOfTheirNames)
{
    // A file beside the sets under the name of a prepared copy is someone's: it stays as it is.
    const std::string beside = SetFolder() + "\\xxx Bil.ini";
    std::ofstream(beside, std::ios::binary) << "egen";
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 1, 2});
        AnswerCopyMove("Hem");
        Command(dialog, ID_EDIT_COPY_SELECTION);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(ListText(dialog, 2), "3 Äpple");
        // The empty line was no overlay to copy.
        EXPECT_EQ(SelectedLines(dialog), (std::vector<int>{0, 2}));
    });
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {2, "Bil 1"}, {3, "Äpple"}}));
    EXPECT_EQ(Read(OverlayPath("Hem", "Bil 1")), Read(OverlayPath("Skola", "Bil")));
    EXPECT_EQ(PreparedCopies(), std::vector<std::string>{"xxx Bil.ini"});
    EXPECT_EQ(Read(beside), "egen");
}

// As many overlays as the set has free numbers fit.
TEST_F(OverlayCommandsTest, CopyOfSeveralFillsTheLastFreeNumbers)
{
    MakeFilledSet("Nästan full", 97, 97);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 2, 3});
        AnswerCopyMove("Nästan full");
        Command(dialog, ID_EDIT_COPY_SELECTION);
    });
    EXPECT_EQ(ConfigFixture::Value(RegisterPath("Nästan full"), "Overlays", "98"), "Bil");
    EXPECT_EQ(ConfigFixture::Value(RegisterPath("Nästan full"), "Overlays", "99"), "Äpple");
    EXPECT_EQ(ConfigFixture::Value(RegisterPath("Nästan full"), "Overlays", "100"), "Bok");
    EXPECT_TRUE(PreparedCopies().empty());
}

// Numbers that the register still gives to missing files are no room for new overlays: the set is
// reported full, and no prepared copy is left behind.
TEST_F(OverlayCommandsTest, CopyOfSeveralIntoAFullSetIsToldAndLeavesNothing)
{
    MakeFilledSet("Full", 98, 100);
    const std::string before = Register("Full");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 2});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_OVERLAYS_SET_FULL_COPY);
        AnswerCopyMove("Full");
        Command(dialog, ID_EDIT_COPY_SELECTION);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text,
                  "Setet \"Full\" har inga lediga nummer kvar. Följande överlägg kopierades inte:\n\nBil\nÄpple");
    });
    EXPECT_TRUE(PreparedCopies().empty());
    EXPECT_EQ(Register("Full"), before);
    EXPECT_FALSE(fw::PathExists(OverlayPath("Full", "Bil")));
}

// A move or a delete that takes nothing leaves the chosen overlays the object of the commands: the
// commands on them stay offered and work.
TEST_F(OverlayCommandsTest, AMoveOrADeleteThatTakesNothingKeepsTheOverlaysChosen)
{
    // Two numbers look free, but the register gives them to missing files: nothing can move there.
    MakeFilledSet("Full", 98, 100);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 2});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_OVERLAYS_SET_FULL_MOVE);
        AnswerCopyMove("Full");
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_DELETE_SELECTION));

        // Another program holds the set's folder: nothing can be deleted from it.
        {
            const folderlocks::LockedFolder locked(SetPath("Skola"));
            messages.Expect(IDS_ASK_DELETE_OVERLAYS, IDOK);
            messages.Expect(IDS_OVERLAYS_NOT_DELETED);
            Command(dialog, ID_EDIT_DELETE_SELECTION);
        }
        EXPECT_EQ(ListText(dialog, 2), "3 Äpple");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_COPY_SELECTION));

        // Once it lets go, the same chosen overlays go.
        messages.Expect(IDS_ASK_DELETE_OVERLAYS, IDOK);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_EQ(ListText(dialog, 0), "1 ");
        EXPECT_EQ(ListText(dialog, 2), "3 ");
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{4, "Bok"}}));
}

TEST_F(OverlayCommandsTest, MoveOfSeveralOutOfTheStandardOverlaySet)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Standardöverlägg");
        SelectLines(dialog, {0, 1});
        AnswerCopyMove("Hem");
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        EXPECT_EQ(ListText(dialog, 0), "101 ");
        EXPECT_EQ(ListText(dialog, 1), "102 ");
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
    });
    EXPECT_EQ(Register("Standardöverlägg"), StandardRegister({}));
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {2, "Start"}, {3, "Slut"}}));
    EXPECT_FALSE(fw::PathExists(OverlayPath("Standardöverlägg", "Start")));
}

TEST_F(OverlayCommandsTest, RenamedOverlayKeepsItsNumber)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        OnNextDialog([](fw::Dialog& shown) {
            EXPECT_EQ(static_cast<UINT>(IDD_RENAME), shown.TemplateId());
            testsupport::SetText(shown, IDC_NAME_EDIT, " Bok om bilar ");
            PressOk(shown);
        });
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        EXPECT_EQ(ListText(dialog, 3), "4 Bok om bilar");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bok om bilar");
        EXPECT_EQ(SelectedLines(dialog), std::vector<int>{3});
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok om bilar"}}));
    EXPECT_FALSE(fw::PathExists(OverlayPath("Skola", "Bok")));
    EXPECT_TRUE(fw::PathExists(OverlayPath("Skola", "Bok om bilar")));
}

// The file is renamed first: when it cannot be, the list keeps the old name and the user is told.
TEST_F(OverlayCommandsTest, ARenameThatFailsIsToldAndKeepsTheOldName)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_OVERLAY_NOT_RENAMED);
        OnNextDialog([&](fw::Dialog& shown) {
            // A file of the new name that the list does not know of.
            MakeOverlay("Skola", "Ny");
            testsupport::SetText(shown, IDC_NAME_EDIT, "Ny");
            PressOk(shown);
        });
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bok");
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bok"}}));
    EXPECT_EQ(Read(OverlayPath("Skola", "Ny")), OverlayText("Ny"));
}

TEST_F(OverlayCommandsTest, DeleteAsksForOneOrSeveralOverlaysOrTemplates)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_ASK_DELETE_OVERLAY, IDCANCEL).Expect(IDS_ASK_DELETE_OVERLAY, IDOK);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        ASSERT_EQ(messages.Shown().size(), 2u);
        EXPECT_EQ(messages.Shown()[1].text, "Vill du verkligen ta bort överlägget \"Bok\"?");
        EXPECT_EQ(messages.Shown()[1].caption, "Ta bort");
        EXPECT_EQ(ListText(dialog, 3), "4 ");
        EXPECT_EQ(dialog.SelectedOverlayName(), "");

        testsupport::ScriptedMessages several;
        several.Expect(IDS_ASK_DELETE_OVERLAYS, IDOK);
        SelectLines(dialog, {0, 2});
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_EQ(ListText(dialog, 0), "1 ");
        EXPECT_EQ(ListText(dialog, 2), "3 ");

        SelectSet(dialog, "Mallar");
        SelectLines(dialog, {0});
        testsupport::ScriptedMessages templates;
        templates.Expect(IDS_ASK_DELETE_TEMPLATE, IDOK);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        EXPECT_EQ(templates.Shown()[0].text, "Vill du verkligen ta bort mallen \"Tom\"?");
        EXPECT_TRUE(dialog.ListLines().empty());
    });
    EXPECT_EQ(Register("Skola"), StandardRegister({}));
    EXPECT_TRUE(testsupport::TempFolder::FilesIn(SetPath("Skola")) == std::vector<std::string>{"register.txt"});
    EXPECT_FALSE(fw::PathExists(OverlayPath("Mallar", "Tom")));
}

namespace {

bool RefuseEverything(HANDLE, const std::string&)
{
    return false;
}

} // namespace

// A register that cannot be written keeps the overlay: its file stays where it is, not in the
// recycle bin while the register and the line still name it.
TEST_F(OverlayCommandsTest, ADeleteWhoseRegisterCannotBeWrittenLeavesTheOverlayWhole)
{
    const std::string before = Register("Skola");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_ASK_DELETE_OVERLAY, IDOK).Expect(IDS_OVERLAYS_NOT_DELETED);
        const fw::ByteWriter real = fw::SetByteWriter(RefuseEverything);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        fw::SetByteWriter(real);
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
    });
    EXPECT_EQ(Register("Skola"), before);
    EXPECT_TRUE(fw::FileExists(OverlayPath("Skola", "Bok")));
}

// In the USB model the driver program hears of a change to its current set, and of no other.
TEST_F(OverlayCommandsTest, TheDriverHearsOfChangesToItsCurrentSetOnly)
{
    const std::string caption = UseUsbDriverWithCurrentSet("skola");
    const std::string log = Temp() / "driver.log";
    DriverStandIn driver(caption, log);
    ASSERT_NE(driver.Window(), nullptr);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        dialog.Configuration().driverName_ = caption;
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_ASK_DELETE_OVERLAY, IDOK);

        // Within Hem, which the driver does not use: no news.
        SelectSet(dialog, "Hem");
        SelectLines(dialog, {0});
        AnswerCopyOverlay("Hem", 5, "Bil 2");
        Command(dialog, ID_EDIT_COPY_SELECTION);
        // Out of Hem into the driver's set: news.
        SelectLines(dialog, {4});
        AnswerCopyOverlay("Skola", 7, "Bil 2");
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !Read(log).empty(); }));
        // Messages arrive in order: one line tells that the copy within Hem posted nothing.
        EXPECT_EQ(Read(log), DriverStandIn::kNewsLine);

        // A change within the driver's set, and its new name, which the driver keeps using.
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {6});
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        dialog.SetSelectionFocus(0);
        OnNextDialog([](fw::Dialog& shown) {
            testsupport::SetText(shown, IDC_NAME_EDIT, "Skolan");
            PressOk(shown);
        });
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        const std::string three = std::string(DriverStandIn::kNewsLine) + DriverStandIn::kNewsLine + DriverStandIn::kNewsLine;
        EXPECT_TRUE(testsupport::PumpUntil([&] { return Read(log) == three; })) << Read(log);
    });
    EXPECT_EQ(Value(ProgramSettingsFile(), "USB", "CurrentSet"), "Skolan");
}

namespace {

// The text as a text editor saves it "as Unicode": UTF-16 with its byte-order mark.
std::string AsUtf16(const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

bool Tells(const fw::MessageRequest& shown, const std::string& path, UINT reason)
{
    return shown.text.find(path) != std::string::npos
           && shown.text.find(fw::LoadResString(reason)) != std::string::npos;
}

} // namespace

// A register in another text form lists no overlays. The user hears which file and why when the set
// is chosen, and nothing that would write into the register goes: no new overlay, no copy, move or
// drop into the set. The register and the files stay as they are.
TEST_F(OverlayCommandsTest, ASetWhoseRegisterCannotBeReadIsToldAndTakesNothing)
{
    MakeSet("Trasig", nullptr, {"Bok"});
    const std::string unicode = AsUtf16(StandardRegister({{1, "Bok"}}));
    std::ofstream(RegisterPath("Trasig"), std::ios::binary) << unicode;
    const std::string skola = Register("Skola");
    int editors = 0;
    testsupport::ScriptedMessages messages;
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            messages.Expect(IDS_REGISTER_UNREADABLE);
            SelectSet(dialog, "Trasig");
            ASSERT_EQ(messages.Shown().size(), 1u);
            EXPECT_TRUE(Tells(messages.Shown()[0], RegisterPath("Trasig"), IDS_REGISTER_OTHER_FORM))
                << messages.Shown()[0].text;
            EXPECT_EQ(dialog.ListLines()[0].name_, "");

            // A new overlay on an empty line would be saved into the register.
            messages.Expect(IDS_REGISTER_REFUSED);
            SelectLines(dialog, {1});
            Command(dialog, ID_OVERLAY_OPEN);
            EXPECT_EQ(editors, 0);

            // Into the set from another: one overlay copied or moved, several moved, or dropped.
            SelectSet(dialog, "Skola");
            SelectLines(dialog, {0});
            messages.Expect(IDS_REGISTER_REFUSED).Expect(IDS_REGISTER_REFUSED);
            AnswerCopyOverlay("Trasig", 2, "Bil");
            Command(dialog, ID_EDIT_COPY_SELECTION);
            AnswerCopyOverlay("Trasig", 2, "Bil");
            Command(dialog, ID_EDIT_MOVE_OVERLAYS);
            SelectLines(dialog, {0, 2});
            messages.Expect(IDS_REGISTER_REFUSED).Expect(IDS_REGISTER_REFUSED);
            AnswerCopyMove("Trasig");
            Command(dialog, ID_EDIT_MOVE_OVERLAYS);
            dialog.Tree().dropTargetSetName_ = "Trasig";
            dialog.DropOverlays(0, 0, false);
            EXPECT_EQ(ListText(dialog, 0), "1 Bil");
            EXPECT_EQ(ListText(dialog, 2), "3 Äpple");
            ASSERT_EQ(messages.Shown().size(), 6u);
            EXPECT_TRUE(Tells(messages.Shown()[5], RegisterPath("Trasig"), IDS_REGISTER_OTHER_FORM));
        },
        [&](const OverlayEditorRequest&) -> std::unique_ptr<OverlayEditor> {
            ++editors;
            return nullptr;
        });
    EXPECT_EQ(Register("Trasig"), unicode);
    EXPECT_EQ(testsupport::TempFolder::FilesIn(SetPath("Trasig")),
              (std::vector<std::string>{"Bok.ini", "register.txt"}));
    EXPECT_EQ(Register("Skola"), skola);
    EXPECT_TRUE(fw::FileExists(OverlayPath("Skola", "Bil")));
}

// A register another program holds while the list shows its overlays: rename and delete are refused
// before they ask anything, saying why, and the overlay stays.
TEST_F(OverlayCommandsTest, ARegisterHeldByAnotherProgramRefusesRenameAndDelete)
{
    const std::string before = Register("Skola");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_REGISTER_REFUSED).Expect(IDS_REGISTER_REFUSED);
        HANDLE held = ::CreateFileA(RegisterPath("Skola").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        Command(dialog, ID_EDIT_RENAME_SELECTION);
        Command(dialog, ID_EDIT_DELETE_SELECTION);
        ::CloseHandle(held);
        ASSERT_EQ(messages.Shown().size(), 2u);
        EXPECT_TRUE(Tells(messages.Shown()[1], RegisterPath("Skola"), IDS_REGISTER_LOCKED)) << messages.Shown()[1].text;
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
    });
    EXPECT_EQ(Register("Skola"), before);
    EXPECT_TRUE(fw::FileExists(OverlayPath("Skola", "Bok")));
}

namespace {

// Another program takes the name the moved overlay left while the registers refuse every write.
std::string g_takenName;

bool TakeNameAndRefuse(HANDLE, const std::string&)
{
    if (!g_takenName.empty())
        std::ofstream(g_takenName, std::ios::binary) << "annan";
    g_takenName.clear();
    return false;
}

} // namespace

// A move whose file could not go back has moved: the user hears where the file now lies, and the list
// shows what the disk holds (here the file that took the name, which the register still names).
TEST_F(OverlayCommandsTest, AMoveWhoseFileCannotGoBackSaysWhereItLies)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {3});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_OVERLAY_MOVED_UNLISTED);
        AnswerCopyOverlay("Hem", 4, "Bok");
        g_takenName = OverlayPath("Skola", "Bok");
        const fw::ByteWriter real = fw::SetByteWriter(TakeNameAndRefuse);
        Command(dialog, ID_EDIT_MOVE_OVERLAYS);
        fw::SetByteWriter(real);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_NE(messages.Shown()[0].text.find(OverlayPath("Hem", "Bok")), std::string::npos)
            << messages.Shown()[0].text;
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
        EXPECT_EQ(ListText(dialog, 3), "4 Bok");
    });
    EXPECT_EQ(Read(OverlayPath("Skola", "Bok")), "annan");
    EXPECT_EQ(Read(OverlayPath("Hem", "Bok")), OverlayText("Bok"));
}
