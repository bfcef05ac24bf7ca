// The import wizard's model without a window: how entries are sorted, the new set's name, the
// register's numbers, the overlay lines, the media the overlays use, and the reference fixes of
// both placement modes.
#include "components/ZipArchive.h"
#include "skarpin/ImportModel.h"
#include "store/NameDialogRules.h"
#include "store/SetKind.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace importwizard;

namespace {

std::vector<zip::Entry> Entries(const std::vector<std::string>& names)
{
    std::vector<zip::Entry> entries;
    for (const std::string& name : names) {
        zip::Entry entry;
        entry.name = name;
        entry.problem = zip::CheckName(name);
        entries.push_back(entry);
    }
    return entries;
}

std::string Describe(const std::vector<SetItem>& items)
{
    std::string text;
    for (const SetItem& item : items)
        text += item.name_ + "|" + item.path_ + "|" + std::to_string(item.number_) + "|" +
                std::to_string(item.selected_) + "\n";
    return text;
}

SetItem Overlay(const std::string& name, int number)
{
    SetItem item(name, number, 0);
    item.selected_ = 1;
    return item;
}

} // namespace

TEST(ImportModel, EntriesAreSortedIntoRegisterOverlaysAndMediaAndHostileOnesRefused)
{
    const std::vector<zip::Entry> entries = Entries({
        "Bilder.ini", "REGISTER.TXT", "Bilder/Hund.BMP", "mapp/", "docs/register.txt", "bilder/inst.ini",
        "Ljud.INI", "../utanfor.txt", "c:/x.bmp", "//server/delat/x.bmp", "/rot.bmp", "bilder/con.bmp",
        "BILDER/HUND.bmp", "ljud/Sk\xE5l.wav",
    });
    const ArchiveListing listing = ClassifyEntries(entries);
    EXPECT_EQ("REGISTER.TXT", listing.registerName) << "the register is the bare name at the top";
    EXPECT_EQ("Bilder|Bilder.ini|-1|1\n"
              "Ljud|Ljud.INI|-1|1\n",
              Describe(listing.overlays)) << "overlays are the .ini files at the top, all chosen";
    EXPECT_EQ("Hund.BMP|bilder/hund.bmp|0|0\n"
              "register.txt|docs/register.txt|0|0\n"
              "inst.ini|bilder/inst.ini|0|0\n"
              "Sk\xE5l.wav|ljud/sk\xE5l.wav|0|0\n",
              Describe(listing.media)) << "files of folders are media, whatever their names";
    EXPECT_EQ((std::vector<std::string>{"../utanfor.txt", "c:/x.bmp", "//server/delat/x.bmp", "/rot.bmp",
                                        "bilder/con.bmp", "BILDER/HUND.bmp"}),
              listing.refused)
        << "names that leave the folder, name a device, or come a second time";
    EXPECT_EQ((std::vector<size_t>{0, 1, 2, 4, 5, 6, 13}), listing.unpack) << "neither folders nor refused names";
}

// The overlay reader takes no file over 64 MB: a larger overlay entry is never unpacked, and is told;
// a media file of that size is no overlay and stays.
TEST(ImportModel, OverlaysLargerThanTheReaderTakesAreLeftOutUpFront)
{
    std::vector<zip::Entry> entries = Entries({"Stort.ini", "Litet.ini", "film/stor.avi"});
    entries[0].size = 64u * 1024 * 1024 + 1;
    entries[1].size = 64u * 1024 * 1024;
    entries[2].size = 200u * 1024 * 1024;
    const ArchiveListing listing = ClassifyEntries(entries);
    EXPECT_EQ("Litet|Litet.ini|-1|1\n", Describe(listing.overlays));
    EXPECT_EQ((std::vector<std::string>{"Stort.ini"}), listing.tooLarge);
    EXPECT_EQ((std::vector<size_t>{1, 2}), listing.unpack);
    EXPECT_EQ(1u, listing.media.size());
}

TEST(ImportModel, TheNewSetIsNamedAfterTheZipFileByTheNameRulesAndIsFree)
{
    const std::vector<std::string> sets = {"Fritid", "fritid 1", "CON 1x"};
    auto taken = [&](const std::string& name) {
        return std::any_of(sets.begin(), sets.end(), [&](const std::string& set) { return SameSetName(set, name); });
    };
    const struct {
        const char* zip;
        const char* name;
    } cases[] = {
        {"c:\\zip\\Fritid.zip", "Fritid 2"},      // sets Fritid and Fritid 1 exist, in any letter case
        {"c:\\zip\\Skola.zip", "Skola"},
        {"c:\\zip\\Mina, b\xE4sta.zip", "Mina b\xE4sta"}, // a comma is no part of a set name
        {"c:\\zip\\ Skola .zip", "Skola"},
        {"c:\\zip\\CON.zip", "CON 1"},            // a device name is no folder
        {"c:\\zip\\...zip", "Importerade \xF6verl\xE4gg"},
        {"c:\\zip\\utan", "utan"},
        {"a:\\Fritid.ZIP", "Fritid 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, NewSetName(c.zip, taken, "Importerade \xF6verl\xE4gg")) << c.zip;

    // A long title is cut to the length the set dialogs allow, and the number is kept whole; a cut
    // that ends in a blank loses the blank.
    const std::string title = std::string(78, 'a') + " b" + std::string(20, 'c');
    const std::string cut = NewSetName("c:\\zip\\" + title + ".zip", taken, "x");
    EXPECT_EQ(title.substr(0, 80), cut);
    EXPECT_EQ(0, namerules::CopySetProblem(cut, {}, false));
    const std::vector<std::string> longSets = {title.substr(0, 80), title.substr(0, 78) + " 1"};
    auto longTaken = [&](const std::string& name) {
        return std::find(longSets.begin(), longSets.end(), name) != longSets.end();
    };
    EXPECT_EQ(title.substr(0, 78) + " 2", NewSetName("c:\\zip\\" + title + ".zip", longTaken, "x"));
    const std::string blankAtCut = std::string(77, 'a') + " bb";
    EXPECT_EQ(std::string(77, 'a') + " 1",
              FirstFreeSetName(blankAtCut, [&](const std::string& name) { return name == blankAtCut; }));
}

TEST(ImportModel, TheRegisterNumbersItsOverlaysByName)
{
    std::vector<SetItem> overlays = {Overlay("Bilder", 9), Overlay("Ljud", -1), Overlay("Tre", -1),
                                     Overlay("Utan nummer", 4), Overlay("Stort", 5), Overlay("Runt", 6)};
    ReadRegisterNumbers({"5=Bilder", "[Overlays]", "1=Bilder", "2=LJUD", "ingen likhet", "abc=Tre", "7=Finns inte",
                         "2000000=Stort", "4294967297=Runt"},
                        "Overlays", overlays);
    std::vector<int> numbers;
    for (const SetItem& overlay : overlays)
        numbers.push_back(overlay.number_);
    EXPECT_EQ((std::vector<int>{1, 2, 0, -1, 0, 0}), numbers)
        << "names ignore case, lines before the section count not, an earlier number is forgotten, numbers "
           "beyond any register read as none (as the set store reads them), never wrapped round to 1";
    ReadRegisterNumbers({"1=Bilder"}, "Overlays", overlays);
    EXPECT_EQ(-1, overlays[0].number_) << "without the section no overlay has a number";
}

TEST(ImportModel, OverlaysWithoutANumberAreShownAfterTheNumberedOnes)
{
    const std::vector<SetItem> overlays = {Overlay("Tre", 3), Overlay("Utan", -1), Overlay("Ett", 1),
                                           Overlay("Noll", 0), Overlay("H\xF6g", 150)};
    std::vector<std::string> lines;
    for (const exportwizard::OverlayLine& line : OverlayLines(overlays, "%s (utan nummer)"))
        lines.push_back(line.text + "|" + line.name);
    EXPECT_EQ((std::vector<std::string>{"1 Ett|Ett", "3 Tre|Tre", "Utan (utan nummer)|Utan", "Noll (utan nummer)|Noll",
                                        "H\xF6g (utan nummer)|H\xF6g"}),
              lines);
}

TEST(ImportModel, ReferencesAreReducedToTheStoredNamesOfTheExport)
{
    const struct {
        const char* reference;
        const char* stored;
    } cases[] = {
        {"C:\\Bilder\\Hund.bmp", "bilder/hund.bmp"},
        {"\\\\server\\delat\\ljud\\ping.wav", "server/delat/ljud/ping.wav"},
        {"\\bilder\\a.bmp", "bilder/a.bmp"},
        {"d:bilder\\a.bmp", "bilder/a.bmp"},
        {"C:\\Ljud\\Sk\xC5L \xC4PPLE.wav", "ljud/sk\xE5l \xE4pple.wav"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, StoredForm(c.reference)) << c.reference;
}

TEST(ImportModel, OnlyTheMediaTheChosenOverlaysUseAreOfferedEachOnce)
{
    std::vector<SetItem> media = {SetItem("hund.bmp", "bilder/hund.bmp"), SetItem("extra.bmp", "oanvand/extra.bmp"),
                                  SetItem("ping.wav", "server/delat/ping.wav")};
    const std::vector<std::string> added = ChooseReferencedMedia(
        {"C:\\Bilder\\Hund.bmp", "", "c:\\finns\\inte.bmp", "d:\\bilder\\hund.bmp", "\\\\SERVER\\delat\\ping.wav"}, media);
    EXPECT_EQ((std::vector<std::string>{"bilder/hund.bmp", "server/delat/ping.wav"}), added);
    EXPECT_EQ(1, media[0].selected_);
    EXPECT_EQ(0, media[1].selected_) << "a file no overlay uses stays behind";
    EXPECT_TRUE(ChooseReferencedMedia({"c:\\bilder\\hund.bmp"}, media).empty()) << "listed once";

    EXPECT_EQ(2, TakeMediaChecks(media, {{"bilder/hund.bmp", false}, {"server\\delat\\ping.wav", true}}));
    EXPECT_EQ(0, media[0].selected_);
    EXPECT_EQ(1, media[2].selected_);
}

TEST(ImportModel, NamesNumbersAndDrivesOfThePlacing)
{
    EXPECT_EQ(100, NumbersInNewSet(SetKind::kOrdinary));
    EXPECT_EQ(27, NumbersInNewSet(SetKind::kStandard));
    EXPECT_EQ(-1, NumbersInNewSet(SetKind::kTemplates));

    const struct {
        const char* name;
        const char* placed;
    } names[] = {{"Bilder", "Bilder"}, {"a,b", "ab"}, {" Sista. ", "Sista"}, {"CON", "\xD6verl\xE4gg"}, {"", "\xD6verl\xE4gg"}};
    for (const auto& c : names)
        EXPECT_EQ(c.placed, PlacementName(c.name, "\xD6verl\xE4gg")) << c.name;

    EXPECT_EQ("d:", DriveForKeptPaths("D:\\Skola", "c:\\Skarpin\\set"));
    EXPECT_EQ("c:", DriveForKeptPaths("\\\\server\\delat\\skola", "C:\\Skarpin\\set")) << "a share has no drive letter";
    EXPECT_EQ("", DriveForKeptPaths("\\\\server\\a", "\\\\server\\b"));

    EXPECT_EQ("a:\\Fritid.z01", SplitVolumePath("a:\\Fritid.zip", 0, 3));
    EXPECT_EQ("a:\\Fritid.z02", SplitVolumePath("a:\\Fritid.zip", 1, 3));
    EXPECT_EQ("a:\\Fritid.zip", SplitVolumePath("a:\\Fritid.zip", 2, 3));

    EXPECT_EQ("d:\\bilder\\hund.bmp", NaturalTarget(SetItem("hund.bmp", "bilder/hund.bmp"), MediaMode::kKeepPaths, "d:"));
    EXPECT_EQ("d:\\ljud\\hund.bmp", NaturalTarget(SetItem("hund.bmp", "bilder/hund.bmp"), MediaMode::kSharedFolder, "d:\\ljud\\"));
}

namespace {

struct FixCase {
    const char* reference;
    const char* expected; // "" when the reference stays
};

void ExpectFixes(MediaMode mode, const std::string& where, const Landings& landings, const std::vector<FixCase>& cases,
                 const std::function<std::string(const std::string&)>& shortForm = nullptr)
{
    for (const FixCase& c : cases) {
        const std::vector<PathChange> changes = ReferenceChanges({c.reference}, landings, mode, where, shortForm);
        const std::string to = changes.empty() ? std::string() : changes[0].to;
        EXPECT_EQ(c.expected, to) << c.reference << " with " << where;
        if (!changes.empty()) {
            EXPECT_EQ(c.reference, changes[0].from);
        }
    }
}

} // namespace

TEST(ImportModel, KeptPathsGiveTheReferencesTheCurrentDriveAndKeepTheirOwnSpelling)
{
    const Landings landings = {
        {"bilder/hund.bmp", {"d:\\bilder\\hund.bmp", false}},
        {"server/delat/ljud/ping.wav", {"d:\\server\\delat\\ljud\\ping.wav", false}},
        {"foton/hund.bmp", {"d:\\foton\\hund 1.bmp", true}},
    };
    ExpectFixes(MediaMode::kKeepPaths, "d:", landings, {
        {"C:\\Bilder\\Hund.bmp", "d:\\Bilder\\Hund.bmp"},  // only the drive changes
        {"D:\\Bilder\\Hund.bmp", ""},                      // on the current drive already
        {"\\\\server\\delat\\ljud\\ping.wav", "d:\\server\\delat\\ljud\\ping.wav"}, // never "d\server\..."
        {"\\bilder\\hund.bmp", "d:\\bilder\\hund.bmp"},
        {"c:\\foton\\Hund.bmp", "d:\\foton\\hund 1.bmp"}, // another file was there: the file's own name
        {"c:\\ljud\\inte flyttad.wav", ""},               // unchecked, or its move failed
    });
    ExpectFixes(MediaMode::kKeepPaths, "c:", {{"bilder/hund.bmp", {"c:\\bilder\\hund.bmp", false}}}, {
        {"c:\\bilder\\hund.bmp", ""},
        {"C:\\Bilder\\Hund.bmp", ""},
    });
    // With short names, a reference whose short form differs is written again (the store shortens it).
    auto shortForm = [](const std::string& path) { return path == "c:\\Bilder\\Hund.bmp" ? "c:\\BILDER~1\\HUND.BMP" : path; };
    ExpectFixes(MediaMode::kKeepPaths, "c:", {{"bilder/hund.bmp", {"c:\\bilder\\hund.bmp", false}}},
                {{"c:\\Bilder\\Hund.bmp", "c:\\Bilder\\Hund.bmp"}}, shortForm);
}

TEST(ImportModel, OneSharedFolderTakesEachReferenceWithTheNameItsFileGot)
{
    const Landings landings = {
        {"bilder/hund.bmp", {"d:\\ljud\\hund.bmp", false}},
        {"foton/hund.bmp", {"d:\\ljud\\hund 1.bmp", true}},
        {"server/delat/ping.wav", {"d:\\ljud\\ping.wav", false}},
        {"ljud/hund.bmp", {"d:\\ljud\\hund.bmp", false}},
    };
    for (const std::string folder : {"d:\\ljud", "d:\\ljud\\"}) {
        ExpectFixes(MediaMode::kSharedFolder, folder, landings, {
            {"C:\\Bilder\\Hund.bmp", "d:\\ljud\\Hund.bmp"}, // the file name as the reference spells it
            {"c:\\foton\\hund.bmp", "d:\\ljud\\hund 1.bmp"}, // same name, other folder: a name of its own
            {"\\\\server\\delat\\ping.wav", "d:\\ljud\\ping.wav"},
            {"D:\\ljud\\hund.bmp", ""},                      // there already
            {"c:\\bilder\\katt.bmp", ""},
        });
    }
    const std::vector<PathChange> spellings = ReferenceChanges(
        {"c:\\bilder\\hund.bmp", "C:\\BILDER\\HUND.BMP", "c:\\bilder\\hund.bmp"}, landings, MediaMode::kSharedFolder,
        "d:\\ljud", nullptr);
    ASSERT_EQ(2u, spellings.size()) << "each spelling once";
    EXPECT_EQ("d:\\ljud\\HUND.BMP", spellings[1].to) << "in its own spelling";
}
