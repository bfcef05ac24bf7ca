// Copying or moving one overlay: the numbers offered for each target set, when OK may be pressed,
// and the checks OK makes, in the real dialog.
#include "skarpin/CopyOverlayDlg.h"
#include "skarpin/resource.h"
#include "store/NameDialogRules.h"
#include "store/SetFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::Text;

namespace {

class CopyOverlayDlgTest : public testing::Test, public SetFixture {
protected:
    CopyOverlayDlgTest()
    {
        WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
        MakeSet("Skola", StandardRegister({{1, "Bil"}, {2, "Äpple"}, {5, "Bok"}}).c_str(), {"Bil", "Äpple", "Bok"});
        MakeSet("Skola 2", StandardRegister({}).c_str());
        MakeSet("Hem", StandardRegister({}).c_str());
        ::CreateDirectoryA(OverlayPath("Hem", "Gömd").c_str(), nullptr);
        std::vector<std::pair<int, std::string>> entries;
        std::vector<std::string> names;
        for (int n = 1; n <= 100; ++n) {
            entries.emplace_back(n, "Ö" + std::to_string(n));
            names.push_back("Ö" + std::to_string(n));
        }
        MakeSet("Full", StandardRegister(entries).c_str(), names);
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom"});
        MakeSet("Standardöverlägg", StandardRegister({{101, "Start"}}).c_str(), {"Start"});
        io_ = &Open();
    }

    static void SelectTarget(fw::Dialog& dialog, const std::string& target)
    {
        const int line = dialog.Control<fw::ComboBox>(IDC_NAME_SETS).FindExact(target);
        ASSERT_GE(line, 0) << target;
        testsupport::SelectCombo(dialog, IDC_NAME_SETS, line);
    }

    static int SelectedNumber(fw::Dialog& dialog)
    {
        fw::ComboBox numbers = dialog.Control<fw::ComboBox>(IDC_NAME_NUMBERS);
        const int line = numbers.Selection();
        return line < 0 ? -1 : std::stoi(numbers.ItemText(line));
    }

    FileIO* io_ = nullptr;
};

} // namespace

TEST_F(CopyOverlayDlgTest, NumbersOfferedAndWhenOkMayBePressed)
{
    struct Case {
        const char* what;
        bool move;
        const char* ownSet;
        const char* ownName;
        int ownNumber;
        const char* target;
        const char* typed; // null: the name as given
        int count;         // numbers offered
        int first;         // the first of them, -1 for none
        int selected;      // the number the box starts on, -1 for none
        bool numbersEnabled;
        bool ok;
    } cases[] = {
        {"its own set: its own number is taken", false, "Skola", "Bil", 1, "Skola", nullptr, 97, 3, 3, true, true},
        {"an empty set offers its own number", false, "Skola", "Bok", 5, "Hem", nullptr, 100, 1, 5, true, true},
        {"a full set offers none", false, "Skola", "Bil", 1, "Full", nullptr, 0, -1, -1, true, false},
        {"the templates set has no numbers", false, "Skola", "Bil", 1, "Mallar", nullptr, 0, -1, -1, false, true},
        {"the standard-overlay set offers 102-127", false, "Skola", "Bil", 1, "Standardöverlägg", nullptr, 26, 102, 102, true, true},
        {"no name", false, "Skola", "Bil", 1, "Hem", "", 100, 1, 1, true, false},
        {"moving into the templates set", true, "Skola", "Bil", 1, "Mallar", nullptr, 0, -1, -1, false, true},
        {"moving from the templates set into itself", true, "Mallar", "Tom", 1, "Mallar", nullptr, 0, -1, -1, false, false},
        {"moving out of the templates set", true, "Mallar", "Tom", 1, "Hem", nullptr, 100, 1, 1, true, true},
    };
    for (const Case& c : cases) {
        std::string set = c.ownSet;
        std::string name = c.ownName;
        int number = c.ownNumber;
        CopyOverlayDlg dialog(io_, set, name, number, c.move ? 1 : 0);
        testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            SelectTarget(shown, c.target);
            if (c.typed != nullptr)
                testsupport::SetText(shown, IDC_NAME_EDIT, c.typed);
            const std::vector<int>& numbers = dialog.FreeNumbers();
            EXPECT_EQ(c.count, shown.Control<fw::ComboBox>(IDC_NAME_NUMBERS).Count()) << c.what;
            ASSERT_EQ(static_cast<size_t>(c.count), numbers.size()) << c.what;
            EXPECT_EQ(c.first, numbers.empty() ? -1 : numbers.front()) << c.what;
            EXPECT_EQ(c.selected, SelectedNumber(shown)) << c.what;
            EXPECT_EQ(c.numbersEnabled, IsEnabled(shown, IDC_NAME_NUMBERS)) << c.what;
            EXPECT_EQ(c.ok, IsEnabled(shown, IDOK)) << c.what;
            Click(shown, IDCANCEL);
        });
        EXPECT_EQ(c.ownSet, set) << c.what;
        EXPECT_EQ(c.ownName, name) << c.what;
        EXPECT_EQ(c.ownNumber, number) << c.what;
    }
}

TEST_F(CopyOverlayDlgTest, StartsOnItsOwnSetOrOutOfTheTemplatesSet)
{
    for (bool move : {false, true}) {
        std::string set = "Skola";
        std::string name = "Bil";
        int number = 1;
        CopyOverlayDlg dialog(io_, set, name, number, move ? 1 : 0);
        testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            // "Skola 2" begins like "Skola", whichever of them the folder lists first.
            fw::ComboBox sets = shown.Control<fw::ComboBox>(IDC_NAME_SETS);
            EXPECT_EQ("Skola", sets.ItemText(sets.Selection()));
            EXPECT_EQ(6, sets.Count());
            EXPECT_EQ(move ? "Flytta överlägg" : "Kopiera överlägg", shown.Self().Text());
            EXPECT_EQ("Set:\t \tSkola", Text(shown, IDC_NAME_LINE1));
            EXPECT_EQ("Överlägg:\tBil", Text(shown, IDC_NAME_LINE2));
            EXPECT_EQ("Ange namn:", Text(shown, IDC_NAME_LABEL));
            EXPECT_EQ(move ? "Ange till vilket set överlägget ska flyttas:" : "Ange till vilket set överlägget ska kopieras:",
                      Text(shown, IDC_NAME_SET_LABEL));
            EXPECT_EQ("Välj ett ledigt nummer:", Text(shown, IDC_NAME_NUMBER_LABEL));
            EXPECT_EQ("Avbryt", Text(shown, IDCANCEL));
            Click(shown, IDCANCEL);
        });
    }
    std::string set = "Mallar";
    std::string name = "Tom";
    int number = 1;
    CopyOverlayDlg dialog(io_, set, name, number, 1);
    testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
        EXPECT_EQ(0, shown.Control<fw::ComboBox>(IDC_NAME_SETS).Selection());
        Click(shown, IDCANCEL);
    });
}

TEST_F(CopyOverlayDlgTest, OkChecksTheNameInTheTargetSet)
{
    struct Case {
        const char* what;
        bool move;
        const char* target;
        std::string typed;
        UINT refusal;
        int number; // the number given back
    } cases[] = {
        {"a copy beside itself under its own name", false, "Skola", "Bil", IDS_OVERLAY_NAME_TAKEN, 1},
        {"a copy under another overlay's name in another case", false, "Skola", "BOK", IDS_OVERLAY_NAME_TAKEN, 1},
        {"a copy into another set under its own name", false, "Hem", "Bil", 0, 1},
        {"a name something unlisted has on the disk", false, "Hem", "gömd", IDS_OVERLAY_NAME_TAKEN, 1},
        {"a move within its set keeps its name", true, "Skola", "Bil", 0, 3},
        {"a move within its set under another overlay's name", true, "Skola", "Äpple", IDS_OVERLAY_NAME_TAKEN, 1},
        {"a colon", false, "Hem", "Bil:2", IDS_NAME_FORBIDDEN, 1},
        {"a blank at the end", false, "Hem", "Bil ", IDS_NAME_FORBIDDEN, 1},
        {"a device name", false, "Hem", "aux", IDS_NAME_FORBIDDEN, 1},
        {"the templates set keeps the number given", false, "Mallar", "Bil", 0, 1},
    };
    for (const Case& c : cases) {
        std::string set = "Skola";
        std::string name = "Bil";
        int number = 1;
        CopyOverlayDlg dialog(io_, set, name, number, c.move ? 1 : 0);
        testsupport::ScriptedMessages messages;
        if (c.refusal != 0)
            messages.Expect(c.refusal);
        const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            SelectTarget(shown, c.target);
            testsupport::SetText(shown, IDC_NAME_EDIT, c.typed);
            Click(shown, IDOK);
            if (::IsWindowVisible(shown.Handle()))
                Click(shown, IDCANCEL);
        });
        EXPECT_EQ(c.refusal == 0 ? IDOK : IDCANCEL, result) << c.what;
        EXPECT_EQ(c.refusal == 0 ? c.target : "Skola", set) << c.what;
        EXPECT_EQ(c.refusal == 0 ? c.typed : "Bil", name) << c.what;
        EXPECT_EQ(c.number, number) << c.what;
    }
}

// Wine keeps no read-only attribute on folders, so the read-only target is a table row of the rule.
TEST(CopyOverlayRules, ARefusalOfItsOwnForEachCheckInTurn)
{
    // The overlays of the target; the overlay itself is "Bil" on number 1 of "Skola".
    const std::vector<SetItem> target = {SetItem("Bil", 1, 0), SetItem("Bok", 5, 0)};
    struct Case {
        const char* what;
        bool readOnly;
        bool move;
        const char* targetSet;
        std::string name;
        int ownNumber;
        int refusal;
    } cases[] = {
        {"a read-only target comes first", true, false, "Hem", "Bil", 1, IDS_TARGET_READ_ONLY},
        {"a name taken", false, false, "Hem", "bil", 1, IDS_OVERLAY_NAME_TAKEN},
        {"a move keeps its own name on its own number", false, true, "skola", "Bil", 1, 0},
        {"a move onto a name of another number", false, true, "Skola", "Bok", 1, IDS_OVERLAY_NAME_TAKEN},
        // Another set's overlay of that name on that number is another overlay.
        {"a move into another set that holds its name on its number", false, true, "Hem", "Bil", 1,
         IDS_OVERLAY_NAME_TAKEN},
        {"a forbidden character", false, false, "Hem", "B|l", 1, IDS_NAME_FORBIDDEN},
        {"a free name", false, false, "Hem", "Buss", 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.refusal,
                  namerules::CopyOverlayProblem(c.readOnly, c.move, c.name, c.ownNumber, target, c.targetSet, "Skola"))
            << c.what;
}
