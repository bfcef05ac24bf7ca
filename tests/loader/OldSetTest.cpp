// Sets of the older format: finding them, listing their overlays and choosing one in the dialog.
#include "SetFixture.h"
#include "framework/Strings.h"
#include "loader/GetOldSetDlg.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <algorithm>

using Lines = std::vector<std::string>;

namespace {

// A configuration whose kvora.ini names a folder of old sets.
class OldSetFixture : public SetFixture {
public:
    OldSetFixture() { Write("windows\\kvora.ini", "[Directories]\r\nSetinfo=" + OldFolder() + "\r\n"); }
    std::string OldFolder() const { return Temp() / "Kvora\\Set"; }
    std::string WriteOld(const std::string& fileName, const std::string& content) const
    {
        return Write("Kvora\\Set\\" + fileName, content);
    }
    static std::string SetHeader(const std::string& id) { return "[Set]\r\nID=" + id + "\r\n"; }
};

} // namespace

TEST(OldSets, FoundByTheirThreeDigitFiles)
{
    OldSetFixture old;
    old.WriteOld("set007.ini", OldSetFixture::SetHeader("Skola"));
    old.WriteOld("set042.ini", OldSetFixture::SetHeader("Hem och fritid"));
    old.WriteOld("set123.ini", OldSetFixture::SetHeader("Klass 3/4"));
    old.WriteOld("set1.ini", OldSetFixture::SetHeader("Kort"));
    old.WriteOld("set1234.ini", OldSetFixture::SetHeader("L\xE5ng"));
    old.WriteOld("setabc.ini", OldSetFixture::SetHeader("Bokst\xE4ver"));
    old.WriteOld("set007.txt", OldSetFixture::SetHeader("Text"));

    std::vector<SetItem> sets;
    old.Io().ListOldSets(sets);
    Lines lines = SetFixture::Lines(sets);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ((Lines{"123 Klass 3/4", "42 Hem och fritid", "7 Skola"}), lines);

    EXPECT_EQ(old.OldFolder() + "\\set007.ini", old.Io().OldSetPath(7));
    EXPECT_EQ(old.OldFolder() + "\\set042.ini", old.Io().OldSetPath(42));
    EXPECT_EQ(old.OldFolder() + "\\set123.ini", old.Io().OldSetPath(123));

    // Without kvora.ini, or with an empty folder name, there are no old sets.
    SetFixture none;
    none.Io().ListOldSets(sets);
    EXPECT_TRUE(sets.empty());
    none.Write("windows\\kvora.ini", "[Directories]\r\nSetinfo=\r\n");
    none.Io().ListOldSets(sets);
    EXPECT_TRUE(sets.empty());
}

TEST(OldSets, OverlayNamesBecomeDistinctFileNames)
{
    OldSetFixture old;
    const std::string file = old.WriteOld("set001.ini",
                                          OldSetFixture::SetHeader("Skola") +
                                              "[Ark1]\r\nNm=Frukt\r\nX1=\r\n"
                                              "[Ark2]\r\nNm=A/B: \"C\"\r\n"
                                              "[Ark3]\r\nNm=ab c\r\n"
                                              "[Ark4]\r\nNm=\r\n"
                                              "[Ark5]\r\nNm=***\r\n"
                                              "[Ark12]\r\nNm=Frukt\r\n"
                                              "[Ark13]\r\nNm=frukt\r\n"
                                              "[Ark7]\r\n");
    std::vector<SetItem> overlays = {SetItem("kvar", 1, 0)};
    FileIO::ListOldOverlays(file, overlays);
    EXPECT_EQ((Lines{"1 Frukt", "2 AB C", "3 ab c 1", "5 5", "12 Frukt 1", "13 frukt 2"}), SetFixture::Lines(overlays));

    FileIO::ListOldOverlays(old.Temp() / "saknas.ini", overlays);
    EXPECT_TRUE(overlays.empty());
}

TEST(OldSets, NewSetNameHoldsNoForbiddenCharacters)
{
    const std::pair<SetItem, const char*> cases[] = {
        {SetItem("Skola", 7, 0), "Skola"},
        {SetItem("Klass 3/4", 7, 0), "Klass 34"},
        {SetItem(" <Hem>: ", 7, 0), "Hem"},
        {SetItem("Slut...", 7, 0), "Slut"},
        {SetItem("/?*", 7, 0), "set007"},
        {SetItem("", 42, 0), "set042"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, FileIO::OldSetName(c.first)) << c.first.name_;
}

TEST(GetOldSetDlg, WithoutOldSetsOkStaysDisabled)
{
    SetFixture sets;
    std::vector<SetItem> existing;
    std::string path = "unchanged", name = "unchanged";
    GetOldSetDlg dialog(&sets.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        EXPECT_EQ(0, d.Control<fw::ListBox>(IDC_OLDSET_LIST).Count());
        EXPECT_FALSE(testsupport::IsEnabled(d, IDOK));
        EXPECT_EQ("H\xE4r kan du h\xE4mta \xF6verl\xE4gg som gjorts i Skarpinen version 1-3.",
                  testsupport::Text(d, IDC_OLDSET_INTRO));
        EXPECT_EQ("V\xE4lj set:", testsupport::Text(d, IDC_OLDSET_PROMPT));
        EXPECT_EQ("Avbryt", testsupport::Text(d, IDCANCEL));
        EXPECT_EQ("Importera gamla \xF6verl\xE4gg", d.Self().Text());
        testsupport::Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("unchanged", path);
    EXPECT_EQ("unchanged", name);
}

TEST(GetOldSetDlg, AFreeNameIsTakenAsItIs)
{
    OldSetFixture old;
    old.WriteOld("set042.ini", OldSetFixture::SetHeader("Klass 3/4"));
    std::vector<SetItem> existing = {SetItem("Skola", 0, 0)};
    std::string path, name;
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        fw::ListBox list = d.Control<fw::ListBox>(IDC_OLDSET_LIST);
        EXPECT_EQ(0, list.Selection());
        EXPECT_EQ("Klass 3/4", list.ItemText(0));
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(old.OldFolder() + "\\set042.ini", path);
    EXPECT_EQ("Klass 34", name);
}

TEST(GetOldSetDlg, ATakenNameGetsTheNextNumberAfterAQuestion)
{
    OldSetFixture old;
    old.WriteOld("set007.ini", OldSetFixture::SetHeader("Skola"));
    // A folder without register is no set, but the new set must not go into it either.
    old.MakeSet("Skola 3", nullptr);
    std::vector<SetItem> existing = {SetItem("Skola", 0, 0), SetItem("skola 2", 0, 0)};
    std::string path, name;

    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_OLDSET_NAME_TAKEN, IDCANCEL).Expect(IDS_OLDSET_NAME_TAKEN, IDOK);
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        testsupport::Click(d, IDOK);
        // Cancel keeps the dialog open for another choice.
        EXPECT_TRUE(::IsWindow(d));
        EXPECT_TRUE(path.empty());
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(old.OldFolder() + "\\set007.ini", path);
    EXPECT_EQ("Skola 4", name);
    ASSERT_EQ(2u, messages.Shown().size());
    EXPECT_EQ("Det finns redan ett set med namnet \"Skola\". \nDet nya setet f\xE5r namnet \"Skola 4\". \n\nVill du "
              "forts\xE4tta?",
              messages.Shown()[1].text);
    EXPECT_EQ("Importera \xF6verl\xE4gg", messages.Shown()[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), messages.Shown()[1].type);
}

// Two old sets of one name: the chosen line decides which file is taken over.
TEST(GetOldSetDlg, TheChosenLineNamesTheFile)
{
    OldSetFixture old;
    old.WriteOld("set001.ini", OldSetFixture::SetHeader("Skola"));
    old.WriteOld("set002.ini", OldSetFixture::SetHeader("Skola"));
    std::vector<SetItem> listed;
    old.Io().ListOldSets(listed);
    ASSERT_EQ(2u, listed.size());

    std::vector<SetItem> existing;
    std::string path, name;
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    testsupport::RunModal(dialog, [](fw::Dialog& d) {
        testsupport::SelectList(d, IDC_OLDSET_LIST, 1);
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(old.Io().OldSetPath(listed[1].number_), path);
    EXPECT_EQ("Skola", name);
}
