// Copying, moving, renaming, deleting and placing overlays, and the registers that follow the files.
#include "SetFixture.h"
#include "framework/FileReplace.h"
#include "library/IniFile.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

std::string Entry(const std::string& registerPath, int number)
{
    return ini::ReadString(registerPath, "Overlays", std::to_string(number), "<none>");
}

} // namespace

TEST(OverlayStore, CopyWritesTheFileThenTheTargetEntry)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n1=B\r\n", {"B"});
    sets.MakeSet("Mallar", nullptr);

    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlay("Skola", "A", "Hem", "A", 4).outcome);
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Hem", "A")));
    EXPECT_EQ("A", Entry(sets.RegisterPath("Hem"), 4));
    EXPECT_EQ("[Overlays]\r\n3=A\r\n", sets.Register("Skola"));

    // Never over a file of the target name, listed or not: it stays as it was.
    sets.MakeOverlay("Hem", "Olistad");
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "Hem", "B", 1).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "Hem", "olistad", 2).outcome);
    EXPECT_EQ(SetFixture::OverlayText("B"), sets.Read(sets.OverlayPath("Hem", "B")));
    EXPECT_EQ(SetFixture::OverlayText("Olistad"), sets.Read(sets.OverlayPath("Hem", "Olistad")));
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Hem"), 2));

    // The templates set keeps no entries.
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlay("Skola", "A", "mallar", "Mall", 6).outcome);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Mallar", "Mall")));
    EXPECT_FALSE(fw::PathExists(sets.RegisterPath("Mallar")));
}

// The templates set lists a hundred templates: once it holds them, no copy, move or placement adds
// one that would lie there unseen; moving one within the set still goes.
TEST(OverlayStore, AFullTemplatesSetTakesNoMore)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n", {"A"});
    std::vector<std::string> templates;
    for (int n = 1; n <= 99; ++n)
        templates.push_back("Mall " + std::to_string(n));
    sets.MakeSet("Mallar", nullptr, templates);
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlay("Skola", "A", "Mallar", "Den hundrade", 0).outcome);
    ASSERT_TRUE(fw::FileExists(sets.OverlayPath("Mallar", "Den hundrade")));

    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "Mallar", "Fler", 0).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "A", 3, "Mallar", "Fler", 0).outcome);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ("A", Entry(sets.RegisterPath("Skola"), 3));
    int number = 0;
    std::string placed;
    const std::string prepared = sets.Write("temp\\N.ini", SetFixture::OverlayText("N"));
    EXPECT_FALSE(sets.Io().PlaceOverlayFile(prepared, "Mallar", "N", number, placed));
    EXPECT_TRUE(fw::FileExists(prepared));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Mallar", "Fler")));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Mallar", "N")));

    EXPECT_EQ(Carry::kDone, sets.Io().MoveOverlay("Mallar", "Mall 1", 0, "Mallar", "Mall ett", 0).outcome);
    std::vector<SetItem> listed;
    sets.Io().ListOverlays("Mallar", listed);
    EXPECT_EQ(100u, listed.size());
}

TEST(OverlayStore, AFailedCopyLeavesTheRegistersAlone)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n1=B\r\n", {"B"});
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "Saknas", "Hem", "Saknas", 2).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "Borta", "A", 2).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "Skola", "a", 2).outcome);
    EXPECT_EQ("[Overlays]\r\n1=B\r\n", sets.Register("Hem"));
    EXPECT_EQ("[Overlays]\r\n3=A\r\n", sets.Register("Skola"));
    EXPECT_FALSE(fw::PathExists(sets.SetPath("Borta")));
}

TEST(OverlayStore, CopyUnderANewNameAlwaysAddsANumber)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=N\r\n", {"N"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    std::string name;
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlayNewName("Skola", "N", "Hem", name, 5).outcome);
    EXPECT_EQ("N 1", name);
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlayNewName("Skola", "N", "Hem", name, 6).outcome);
    EXPECT_EQ("N 2", name);
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlayNewName("Skola", "N", "Skola", name, 2).outcome);
    EXPECT_EQ("N 1", name);
    EXPECT_EQ("N 1", Entry(sets.RegisterPath("Hem"), 5));
    EXPECT_EQ("N 2", Entry(sets.RegisterPath("Hem"), 6));
    EXPECT_EQ("N 1", Entry(sets.RegisterPath("Skola"), 2));
    EXPECT_EQ(SetFixture::OverlayText("N"), sets.Read(sets.OverlayPath("Hem", "N 2")));
}

TEST(OverlayStore, MoveCarriesFileAndEntries)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n4=C\r\n", {"A", "C"});
    sets.MakeSet("Hem", "[Overlays]\r\n1=H\r\n", {"H"});
    sets.MakeSet("Mallar", nullptr, {"M"});

    ASSERT_EQ(Carry::kDone, sets.Io().MoveOverlay("Skola", "A", 3, "Hem", "B", 5).outcome);
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Hem", "B")));
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Skola"), 3));
    EXPECT_EQ("B", Entry(sets.RegisterPath("Hem"), 5));

    // One set and one name: only the number changes.
    ASSERT_EQ(Carry::kDone, sets.Io().MoveOverlay("Skola", "C", 4, "Skola", "C", 9).outcome);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Skola", "C")));
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Skola"), 4));
    EXPECT_EQ("C", Entry(sets.RegisterPath("Skola"), 9));

    // Out of and into the templates set, whose register is never written.
    ASSERT_EQ(Carry::kDone, sets.Io().MoveOverlay("Mallar", "M", 1, "Hem", "M", 2).outcome);
    EXPECT_EQ("M", Entry(sets.RegisterPath("Hem"), 2));
    EXPECT_EQ("H", Entry(sets.RegisterPath("Hem"), 1));
    ASSERT_EQ(Carry::kDone, sets.Io().MoveOverlay("Hem", "M", 2, "Mallar", "M", 1).outcome);
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Hem"), 2));
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Mallar", "M")));
    EXPECT_FALSE(fw::PathExists(sets.RegisterPath("Mallar")));
}

TEST(OverlayStore, AMoveThatCannotBeMadeChangesNothing)
{
    SetFixture sets;
    const char* skola = "[Overlays]\r\n3=A\r\n";
    const char* hem = "[Overlays]\r\n1=B\r\n";
    sets.MakeSet("Skola", skola, {"A"});
    sets.MakeSet("Hem", hem, {"B"});

    // Onto another overlay's file: that overlay is never replaced.
    EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "A", 3, "Hem", "B", 7).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "Saknas", 5, "Hem", "Saknas", 8).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "A", 3, "Borta", "A", 8).outcome);
    EXPECT_EQ(skola, sets.Register("Skola"));
    EXPECT_EQ(hem, sets.Register("Hem"));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ(SetFixture::OverlayText("B"), sets.Read(sets.OverlayPath("Hem", "B")));
}

TEST(OverlayStore, RenameMovesTheFileThenTheEntry)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n4=B\r\n", {"A", "B"});
    ASSERT_TRUE(sets.Io().RenameOverlay("Skola", "A", "Frukt", 3));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Skola", "Frukt")));
    EXPECT_EQ("Frukt", Entry(sets.RegisterPath("Skola"), 3));

    EXPECT_FALSE(sets.Io().RenameOverlay("Skola", "Frukt", "B", 3));
    EXPECT_FALSE(sets.Io().RenameOverlay("Skola", "Saknas", "Ny", 7));
    EXPECT_EQ("[Overlays]\r\n3=Frukt\r\n4=B\r\n", sets.Register("Skola"));
    EXPECT_EQ(SetFixture::OverlayText("B"), sets.Read(sets.OverlayPath("Skola", "B")));

    // A new name that differs only in case reaches the file's name too.
    ASSERT_TRUE(sets.Io().RenameOverlay("Skola", "B", "b", 4));
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(sets.OverlayPath("Skola", "b").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    ::FindClose(search);
    EXPECT_STREQ("b.ini", found.cFileName);
    EXPECT_EQ("b", Entry(sets.RegisterPath("Skola"), 4));
}

TEST(OverlayStore, DeleteSendsTheFileToTheRecycleBinThenDropsTheEntry)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n4=B\r\n5=Borta\r\n", {"A", "B"});
    sets.MakeSet("Mallar", nullptr, {"M"});
    ASSERT_TRUE(sets.Io().DeleteOverlay("Skola", "A", 3));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Skola"), 3));
    EXPECT_EQ("B", Entry(sets.RegisterPath("Skola"), 4));

    // A file that is gone already: its entry goes too.
    ASSERT_TRUE(sets.Io().DeleteOverlay("Skola", "Borta", 5));
    EXPECT_EQ("<none>", Entry(sets.RegisterPath("Skola"), 5));

    ASSERT_TRUE(sets.Io().DeleteOverlay("Mallar", "M", 0));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Mallar", "M")));
    EXPECT_FALSE(fw::PathExists(sets.RegisterPath("Mallar")));
}

// Each case places the file "N" prepared outside the set with a given number.
TEST(OverlayStore, PlacingTakesAFreeNameAndNumber)
{
    std::string full = "[Overlays]\r\n";
    for (int n = 1; n <= 100; ++n)
        full += std::to_string(n) + "=F" + std::to_string(n) + "\r\n";
    std::string fullStandard = "[Overlays]\r\n";
    for (int n = 101; n <= 127; ++n)
        fullStandard += std::to_string(n) + "=F" + std::to_string(n) + "\r\n";

    struct Case {
        const char* name;
        std::string set;
        std::string registerText;
        std::vector<std::string> files;
        int number;
        bool placed;
        int expectedNumber;
        const char* expectedName;
    } cases[] = {
        {"free name, free number", "Skola", "[Overlays]\r\n1=X\r\n", {"X"}, 5, true, 5, "N"},
        {"taken number: the lowest free", "Skola", "[Overlays]\r\n1=X\r\n2=Y\r\n5=Z\r\n", {}, 5, true, 3, "N"},
        {"an empty entry is free", "Skola", "[Overlays]\r\n1=\r\n", {}, 0, true, 1, "N"},
        {"no number asked: the lowest free", "Skola", "[Overlays]\r\n1=X\r\n", {}, 0, true, 2, "N"},
        // A number the set cannot list would hide the overlay: the first free one of the range instead.
        {"a number above the range", "Skola", "[Overlays]\r\n1=X\r\n", {}, 150, true, 2, "N"},
        {"a number below the range", "Skola", "[Overlays]\r\n", {}, -1, true, 1, "N"},
        {"the last number of the range", "Skola", "[Overlays]\r\n", {}, 100, true, 100, "N"},
        {"an ordinary number in the standard set", "Standard\xF6verl\xE4gg", "[Overlays]\r\n101=X\r\n", {}, 5,
         true, 102, "N"},
        {"the standard set's last number", "Standard\xF6verl\xE4gg", "[Overlays]\r\n", {}, 127, true, 127, "N"},
        {"taken names: the first free with a number", "Skola", "[Overlays]\r\n", {"N", "N 1", "N 3"}, 4, true, 4,
         "N 2"},
        {"a name taken only by a file without entry", "Skola", "[Overlays]\r\n", {"n"}, 2, true, 2, "N 1"},
        {"no free number", "Skola", full, {}, 7, false, 7, ""},
        {"the standard set numbers from 101", "Standard\xF6verl\xE4gg", "[Overlays]\r\n101=X\r\n", {}, 101, true,
         102, "N"},
        {"a full standard set", "Standard\xF6verl\xE4gg", fullStandard, {}, 0, false, 0, ""},
        {"the templates set keeps the number and writes no entry", "Mallar", "", {"N"}, 7, true, 7, "N 1"},
    };

    for (const Case& c : cases) {
        SetFixture sets;
        sets.MakeSet(c.set, c.registerText.c_str(), c.files);
        const std::string prepared = sets.Write("temp\\N.ini", SetFixture::OverlayText("placed"));
        int number = c.number;
        std::string placedName = "unchanged";
        EXPECT_EQ(c.placed, sets.Io().PlaceOverlayFile(prepared, c.set, "N", number, placedName)) << c.name;
        EXPECT_EQ(c.expectedNumber, number) << c.name;
        if (!c.placed) {
            EXPECT_EQ("unchanged", placedName) << c.name;
            EXPECT_TRUE(fw::FileExists(prepared)) << c.name;
            EXPECT_EQ(c.registerText, sets.Register(c.set)) << c.name;
            continue;
        }
        EXPECT_EQ(c.expectedName, placedName) << c.name;
        EXPECT_FALSE(fw::PathExists(prepared)) << c.name;
        EXPECT_EQ(SetFixture::OverlayText("placed"), sets.Read(sets.OverlayPath(c.set, c.expectedName))) << c.name;
        const std::string entry = Entry(sets.RegisterPath(c.set), c.expectedNumber);
        EXPECT_EQ(c.set == "Mallar" ? "<none>" : c.expectedName, entry) << c.name;
    }
}

TEST(OverlayStore, APlacementThatCannotBeCopiedKeepsThePreparedFile)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n", {});
    int number = 3;
    std::string placedName;
    EXPECT_FALSE(sets.Io().PlaceOverlayFile(sets.Temp() / "saknas.ini", "Skola", "N", number, placedName));
    EXPECT_EQ("[Overlays]\r\n", sets.Register("Skola"));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "N")));

    // A set without folder: the prepared file stays where it is.
    const std::string prepared = sets.Write("temp\\N.ini", SetFixture::OverlayText("N"));
    EXPECT_FALSE(sets.Io().PlaceOverlayFile(prepared, "Borta", "N", number, placedName));
    EXPECT_TRUE(fw::FileExists(prepared));
    EXPECT_EQ(3, number);
}

namespace {

// Another program that takes the name a moved overlay left, while the store writes a register: the
// file can then not be put back. refusals: how many register writes fail (-1: every one).
std::string g_takenName;
int g_refusals = 0;
fw::ByteWriter g_realWriter = nullptr;

bool TakeNameAndRefuse(HANDLE file, const std::string& bytes)
{
    if (!g_takenName.empty()) {
        std::ofstream(g_takenName, std::ios::binary) << SetFixture::OverlayText("Annan");
        g_takenName.clear();
    }
    if (g_refusals == 0)
        return g_realWriter(file, bytes);
    if (g_refusals > 0)
        --g_refusals;
    return false;
}

} // namespace

// A move whose registers refuse and whose file cannot go back has moved all the same: the registers
// follow the file as far as they can be written, and the result says where it lies when they cannot.
TEST(OverlayStore, AMoveWhoseFileCannotGoBackIsNoMoveNotMade)
{
    struct Case {
        const char* what;
        int refusals;
        Carry::Outcome outcome;
        const char* hemEntry;
    };
    const Case cases[] = {
        {"the registers refuse once", 1, Carry::kDone, "B"},
        {"the registers refuse every write", -1, Carry::kMovedUnlisted, "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFixture sets;
        sets.MakeSet("Skola", "[Overlays]\r\n3=A\r\n", {"A"});
        sets.MakeSet("Hem", "[Overlays]\r\n1=H\r\n", {"H"});
        g_takenName = sets.OverlayPath("Skola", "A");
        g_refusals = c.refusals;
        g_realWriter = fw::SetByteWriter(TakeNameAndRefuse);
        const Carry result = sets.Io().MoveOverlay("Skola", "A", 3, "Hem", "B", 5);
        fw::SetByteWriter(g_realWriter);
        EXPECT_EQ(c.outcome, result.outcome);
        EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Hem", "B")));
        EXPECT_EQ(SetFixture::OverlayText("Annan"), sets.Read(sets.OverlayPath("Skola", "A")));
        EXPECT_EQ(c.hemEntry, Entry(sets.RegisterPath("Hem"), 5));
        // The entry names the file that took the name.
        EXPECT_EQ("A", Entry(sets.RegisterPath("Skola"), 3));
        std::vector<SetItem> hem;
        sets.Io().ListOverlays("Hem", hem);
        EXPECT_EQ(2u, hem.size());
    }
}
