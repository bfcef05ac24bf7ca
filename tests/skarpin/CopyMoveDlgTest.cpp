// Choosing the target set of several overlays: the sets offered, the one chosen first, and the room
// a set has for them.
#include "skarpin/CopyMoveDlg.h"
#include "skarpin/resource.h"
#include "store/NameDialogRules.h"
#include "store/SetFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <algorithm>

using testsupport::Click;
using testsupport::Text;

namespace {

std::vector<SetItem> Overlays(int count)
{
    std::vector<SetItem> overlays;
    for (int n = 1; n <= count; ++n)
        overlays.emplace_back("Ö" + std::to_string(n), n, 0);
    return overlays;
}

// A set of the given number of overlays, numbered from first.
void MakeFilledSet(SetFixture& sets, const std::string& name, int count, int first = 1)
{
    std::vector<std::pair<int, std::string>> entries;
    std::vector<std::string> names;
    for (int n = 0; n < count; ++n) {
        entries.emplace_back(first + n, "Ö" + std::to_string(n));
        names.push_back("Ö" + std::to_string(n));
    }
    sets.MakeSet(name, SetFixture::StandardRegister(entries).c_str(), names);
}

} // namespace

// As many overlays as there are free numbers fit; one more does not.
TEST(CopyMoveRules, RoomForTheOverlays)
{
    struct Case {
        SetKind kind;
        int held;
        int count;
        bool fits;
    } cases[] = {
        {SetKind::kOrdinary, 97, 3, true},
        {SetKind::kOrdinary, 97, 4, false},
        {SetKind::kOrdinary, 96, 3, true},
        {SetKind::kOrdinary, 0, 100, true},
        {SetKind::kStandard, 24, 3, true},
        {SetKind::kStandard, 25, 3, false},
        {SetKind::kTemplates, 97, 3, true},
        {SetKind::kTemplates, 98, 3, false},
        {SetKind::kTemplates, 0, 100, true},
        {SetKind::kTemplates, 0, 101, false},
    };
    for (const Case& c : cases) {
        const int room = namerules::RoomInSet(c.kind, Overlays(c.held));
        EXPECT_EQ(c.fits, namerules::Fits(c.count, room)) << c.held << " held, " << c.count << " more";
    }
}

TEST(CopyMoveDlgTest, RefusesASetWithoutRoomAndTakesOneThatJustFits)
{
    SetFixture sets;
    sets.MakeSet("Skola", SetFixture::StandardRegister({}).c_str());
    MakeFilledSet(sets, "Nästan full", 97);
    struct Case {
        int count;
        bool taken;
    } cases[] = {{3, true}, {4, false}};
    for (const Case& c : cases) {
        std::string target = "Skola";
        CopyMoveDlg dialog(&sets.Io(), target, c.count, 0);
        testsupport::ScriptedMessages messages;
        if (!c.taken)
            messages.Expect(IDS_COPYMOVE_NO_ROOM);
        const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            const int line = shown.Control<fw::ComboBox>(IDC_COPYMOVE_SETS).FindExact("Nästan full");
            ASSERT_GE(line, 0);
            testsupport::SelectCombo(shown, IDC_COPYMOVE_SETS, line);
            Click(shown, IDOK);
            if (::IsWindowVisible(shown.Handle()))
                Click(shown, IDCANCEL);
        });
        EXPECT_EQ(c.taken ? IDOK : IDCANCEL, result) << c.count;
        EXPECT_EQ(c.taken ? "Nästan full" : "Skola", target) << c.count;
    }
}

TEST(CopyMoveDlgTest, SetsOfferedForACopyAndForAMove)
{
    SetFixture sets;
    sets.MakeSet("Skola 2", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Skola", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Hem", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Mallar", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Standardöverlägg", SetFixture::StandardRegister({}).c_str());
    for (bool move : {false, true}) {
        std::string target = "Skola";
        CopyMoveDlg dialog(&sets.Io(), target, 2, move ? 1 : 0);
        testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            EXPECT_EQ(move ? "Flytta överlägg" : "Kopiera överlägg", shown.Self().Text());
            EXPECT_EQ(move ? "Ange till vilket set överläggen ska flyttas:" : "Ange till vilket set överläggen ska kopieras:",
                      Text(shown, IDC_COPYMOVE_PROMPT));
            fw::ComboBox box = shown.Control<fw::ComboBox>(IDC_COPYMOVE_SETS);
            // The special sets are hidden; a move leaves its own set out and starts on the first.
            std::vector<std::string> offered;
            for (int i = 0; i < box.Count(); ++i)
                offered.push_back(box.ItemText(i));
            std::sort(offered.begin(), offered.end());
            EXPECT_EQ(move ? std::vector<std::string>({"Hem", "Skola 2"}) : std::vector<std::string>({"Hem", "Skola", "Skola 2"}),
                      offered);
            if (move)
                EXPECT_EQ(0, box.Selection());
            else
                EXPECT_EQ("Skola", box.ItemText(box.Selection()));
            Click(shown, IDCANCEL);
        });
        EXPECT_EQ("Skola", target);
    }
}
