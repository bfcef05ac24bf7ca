// Overlays dragged from the main window's list and dropped on a line of their own set or on a set
// of the tree: every refusal and every Cancel changes nothing, a line drop copies or renumbers one
// overlay, a set drop carries the chosen overlays over under free names and numbers, and a move
// never takes an overlay away before its copy stands in the other set.
#include "FolderLocks.h"
#include "MainWindowFixture.h"
#include "framework/Files.h"
#include "skarpin/resource.h"
#include "store/DriverStandIn.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using folderlocks::LockedFolder;
using folderlocks::SetFolderWritable;

namespace {

class DropOverlaysTest : public testing::Test, public MainWindowFixture {
protected:
    DropOverlaysTest()
    {
        UseModel("PS2");
        WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
        MakeSet("Skola", StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bil 1"}}).c_str(), {"Bil", "Äpple", "Bil 1"});
        MakeSet("Hem", StandardRegister({{1, "Bil"}}).c_str(), {"Bil"});
        MakeSet("Arkiv", StandardRegister({{1, "Gammal"}}).c_str(), {"Gammal"});
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom"});
        MakeSet("Standardöverlägg", StandardRegister({{101, "Start"}, {102, "Slut"}}).c_str(), {"Start", "Slut"});
        SetFolderWritable(SetPath("Arkiv"), false);
    }
    ~DropOverlaysTest() override { SetFolderWritable(SetPath("Arkiv"), true); }

    // Every file of every set, with its content: what no refusal may change.
    std::string AllFiles() const
    {
        std::string all;
        for (const std::string& set : testsupport::TempFolder::FilesIn(SetFolder())) {
            for (const std::string& file : testsupport::TempFolder::FilesIn(SetPath(set)))
                all += set + "\\" + file + "\n" + Read(SetPath(set) + "\\" + file) + "\n";
        }
        return all;
    }

    // The set full up: 100 numbers given, the last two to missing files.
    void MakeFullSet(const std::string& name)
    {
        std::vector<std::pair<int, std::string>> entries;
        std::vector<std::string> files;
        for (int n = 1; n <= 100; ++n) {
            entries.emplace_back(n, "Ö" + std::to_string(n));
            if (n <= 98)
                files.push_back("Ö" + std::to_string(n));
        }
        MakeSet(name, StandardRegister(entries).c_str(), files);
    }

    // The drag ended over the set of this name in the tree (empty: over none).
    static void Drop(CSkarpinDlg& dialog, const std::string& over, int source, int target, bool copy)
    {
        dialog.Tree().dropTargetSetName_ = over;
        dialog.DropOverlays(source, target, copy);
    }

    static std::vector<int> SelectedLines(CSkarpinDlg& dialog)
    {
        return fw::ListBox(dialog.List().Handle()).SelectedIndexes();
    }
};

struct Refusal {
    const char* what;
    const char* set;
    std::vector<int> lines;
    int source;
    int target;
    const char* over;
    bool copy;
    UINT message;        // 0: nothing is shown
    int answer;          // to a question
    const char* text;    // the message as shown, when it matters
};

} // namespace

TEST_F(DropOverlaysTest, RefusalsAndCancelsChangeNothing)
{
    ASSERT_NE(::GetFileAttributesA(SetPath("Arkiv").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    const std::vector<Refusal> refusals = {
        {"released on the line it left", "Skola", {2}, 2, 2, "Skola", false, IDS_DROP_NUMBER_TAKEN, IDOK,
         "Överlägget kan inte placeras på nummer 3!"},
        {"released over its own set in the tree", "Skola", {0}, 0, 0, "SKOLA", true, IDS_DROP_NUMBER_TAKEN, IDOK,
         "Överlägget kan inte placeras på nummer 1!"},
        {"released over a line of another overlay", "Skola", {0}, 0, 3, "Skola", false, IDS_DROP_NUMBER_TAKEN, IDOK,
         nullptr},
        {"released outside the list and every set", "Skola", {0}, 0, 0, "", false, 0, IDOK, nullptr},
        {"no source line", "Skola", {0}, -1, 1, "Skola", false, 0, IDOK, nullptr},
        {"two lines dropped on a line", "Skola", {0, 2}, 0, 1, "Skola", false, 0, IDOK, nullptr},
        {"an empty line chosen too counts", "Skola", {0, 1}, 0, 5, "Skola", false, 0, IDOK, nullptr},
        {"a line drop in the templates set", "Mallar", {0}, 0, 0, "Mallar", false, 0, IDOK, nullptr},
        {"a line drop in a read-only set", "Arkiv", {0}, 0, 1, "Arkiv", false, IDS_CURRENT_SET_READ_ONLY, IDOK,
         "Det aktuella setet är skrivskyddat och kan inte ändras."},
        {"a move out of a read-only set", "Arkiv", {0}, 0, 0, "Hem", false, IDS_CURRENT_SET_READ_ONLY, IDOK, nullptr},
        {"a copy into a read-only set", "Skola", {0}, 0, 0, "Arkiv", true, IDS_TARGET_READ_ONLY, IDOK, nullptr},
        {"a set the tree does not know", "Skola", {0}, 0, 0, "Borta", true, IDS_TARGET_READ_ONLY, IDOK, nullptr},
        {"a line move cancelled", "Skola", {2}, 2, 9, "Skola", false, IDS_DROP_MOVE_TO_NUMBER, IDCANCEL,
         "Vill du flytta överlägget \"Äpple\" till nummer 10?"},
        {"a line copy cancelled", "Standardöverlägg", {0}, 0, 4, "Standardöverlägg", true, IDS_DROP_COPY_TO_NUMBER,
         IDCANCEL, "Vill du kopiera överlägget \"Start\" till nummer 105?\n\nÖverlägget får automatiskt ett nytt namn."},
        {"a set copy cancelled", "Skola", {0, 2}, 0, 0, "Hem", true, IDS_DROP_COPY_TO_SET, IDCANCEL,
         "Vill du kopiera markerade överlägg till setet \"Hem\"?\n\nÖverläggen får samma namn och nummer om "
         "möjligt.\nAnnars får de automatiskt nya namn och placeras på första lediga nummer."},
        {"a copy out of a read-only set is asked", "Arkiv", {0}, 0, 0, "Hem", true, IDS_DROP_COPY_TO_SET, IDCANCEL,
         nullptr},
        {"a move to the templates cancelled", "Skola", {0}, 0, 0, "Mallar", false, IDS_DROP_MOVE_TO_TEMPLATES,
         IDCANCEL, "Vill du flytta markerade överlägg till \"Mallar\"? Överläggen får samma namn om möjligt, annars "
                   "får de automatiskt nya namn."},
        {"a move out of the templates cancelled", "Mallar", {0}, 0, 0, "Hem", false, IDS_DROP_MOVE_TO_TEMPLATES,
         IDCANCEL, nullptr},
    };
    const std::string before = AllFiles();
    RunMainWindow([&](CSkarpinDlg& dialog) {
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(refusal.what);
            SelectSet(dialog, refusal.set);
            const std::vector<std::string> lines = [&] {
                std::vector<std::string> texts;
                for (size_t i = 0; i < dialog.ListLines().size(); ++i)
                    texts.push_back(ListText(dialog, static_cast<int>(i)));
                return texts;
            }();
            fw::ListBox list(dialog.List().Handle());
            list.SetSelected(-1, false);
            for (int line : refusal.lines)
                list.SetSelected(line, true);
            dialog.SetSelectionFocus(1);
            {
                testsupport::ScriptedMessages messages;
                if (refusal.message != 0)
                    messages.Expect(refusal.message, refusal.answer);
                Drop(dialog, refusal.over, refusal.source, refusal.target, refusal.copy);
                if (refusal.text != nullptr && !messages.Shown().empty()) {
                    EXPECT_EQ(messages.Shown()[0].text, refusal.text);
                }
            }
            for (size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(ListText(dialog, static_cast<int>(i)), lines[i]);
            // The frame on the tree is gone whatever happened.
            EXPECT_EQ(dialog.Tree().dropTargetSetName_, refusal.set);
            EXPECT_EQ(dialog.Tree().DropTargetItem(), nullptr);
        }
        // A drop with the focus on the set is no drop of overlays.
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        dialog.SetSelectionFocus(0);
        Drop(dialog, "Hem", 0, 0, true);
    });
    EXPECT_EQ(AllFiles(), before);
}

// The copy takes the next name free in the set ("Bil 1" is taken, so "Bil 2") and the number it
// was dropped on; the source stays.
TEST_F(DropOverlaysTest, CopyOnAnEmptyLineTakesTheNextFreeName)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_DROP_COPY_TO_NUMBER);
        Drop(dialog, "Skola", 0, 1, true);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(ListText(dialog, 1), "2 Bil 2");
        EXPECT_EQ(dialog.ListLines()[1].name_, "Bil 2");
        EXPECT_EQ(SelectedLines(dialog), std::vector<int>{1});
    });
    EXPECT_EQ(ConfigFixture::Value(RegisterPath("Skola"), "Overlays", "2"), "Bil 2");
    EXPECT_EQ(ConfigFixture::Value(RegisterPath("Skola"), "Overlays", "1"), "Bil");
    EXPECT_TRUE(fw::PathExists(OverlayPath("Skola", "Bil")));
    EXPECT_TRUE(fw::PathExists(OverlayPath("Skola", "Bil 2")));
}

TEST_F(DropOverlaysTest, MoveOnAnEmptyLineRenumbersTheOverlay)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Standardöverlägg");
        SelectLines(dialog, {0});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_DROP_MOVE_TO_NUMBER);
        Drop(dialog, "Standardöverlägg", 0, 5, false);
        EXPECT_EQ(ListText(dialog, 0), "101 ");
        EXPECT_EQ(ListText(dialog, 5), "106 Start");
        EXPECT_EQ(SelectedLines(dialog), std::vector<int>{5});
        EXPECT_EQ(dialog.SelectedOverlayName(), "Start");
    });
    EXPECT_EQ(Register("Standardöverlägg"), StandardRegister({{102, "Slut"}, {106, "Start"}}));
}

// Names taken in the target give the next free name, numbers taken the first free number; the
// source set keeps its overlays and its list.
TEST_F(DropOverlaysTest, CopyOntoASetThatHoldsTheirNamesAndNumbers)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0, 1, 2});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_DROP_COPY_TO_SET);
        Drop(dialog, "Hem", 0, 0, true);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(ListText(dialog, 2), "3 Äpple");
    });
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {2, "Bil 1"}, {3, "Äpple"}}));
    EXPECT_EQ(Read(OverlayPath("Hem", "Bil 1")), Read(OverlayPath("Skola", "Bil")));
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bil 1"}}));
}

TEST_F(DropOverlaysTest, MoveOntoASetEmptiesTheLinesThatWent)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Standardöverlägg");
        SelectLines(dialog, {0, 1});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_DROP_MOVE_TO_SET);
        Drop(dialog, "Hem", 0, 0, false);
        EXPECT_EQ(ListText(dialog, 0), "101 ");
        EXPECT_EQ(ListText(dialog, 1), "102 ");
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
    });
    EXPECT_EQ(Register("Standardöverlägg"), StandardRegister({}));
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {2, "Start"}, {3, "Slut"}}));
    EXPECT_FALSE(fw::PathExists(OverlayPath("Standardöverlägg", "Start")));
}

// A set without a free number takes nothing: the overlay stays where it was, on disk and in the
// list, and the user is told.
TEST_F(DropOverlaysTest, MoveOntoAFullSetKeepsTheOverlay)
{
    MakeFullSet("Full");
    const std::string fullBefore = Register("Full");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_DROP_MOVE_TO_SET);
        messages.Expect(IDS_OVERLAYS_SET_FULL_MOVE);
        Drop(dialog, "Full", 0, 0, false);
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        // It stays the object of the commands.
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_COPY_SELECTION));
    });
    EXPECT_TRUE(fw::PathExists(OverlayPath("Skola", "Bil")));
    EXPECT_EQ(Register("Skola"), StandardRegister({{1, "Bil"}, {3, "Äpple"}, {4, "Bil 1"}}));
    EXPECT_EQ(Register("Full"), fullBefore);
    for (const std::string& file : testsupport::TempFolder::FilesIn(SetFolder()))
        EXPECT_NE(file.compare(0, 4, "xxx "), 0) << file;
}

// Overlays placed in the target that could not leave their own set changed the target all the same:
// the driver hears of it when the target is its current set, and the lines keep their overlays.
TEST_F(DropOverlaysTest, AMoveThatCouldNotRemoveItsOverlaysStillTellsTheDriver)
{
    const std::string caption = UseUsbDriverWithCurrentSet("hem");
    const std::string log = Temp() / "driver.log";
    DriverStandIn driver(caption, log);
    ASSERT_NE(driver.Window(), nullptr);
    RunMainWindow([&](CSkarpinDlg& dialog) {
        dialog.Configuration().driverName_ = caption;
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        {
            const LockedFolder locked(SetPath("Skola"));
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_DROP_MOVE_TO_SET);
            messages.Expect(IDS_OVERLAYS_NOT_REMOVED);
            Drop(dialog, "Hem", 0, 0, false);
        }
        EXPECT_EQ(ListText(dialog, 0), "1 Bil");
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        EXPECT_TRUE(testsupport::PumpUntil([&] { return Read(log) == DriverStandIn::kNewsLine; })) << Read(log);
    });
    EXPECT_EQ(Register("Hem"), StandardRegister({{1, "Bil"}, {2, "Bil 1"}}));
    EXPECT_TRUE(fw::PathExists(OverlayPath("Skola", "Bil")));
}
