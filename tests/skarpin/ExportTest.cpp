// The export wizard's model without a window: the overlays it offers, the names it proposes, the
// archive's layout, the overlay copies with their media files, and the packing.
#include "ExportFixture.h"
#include "components/ZipReader.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "skarpin/ExportCopies.h"
#include "skarpin/ExportModel.h"
#include "skarpin/ExportPacking.h"
#include "skarpin/ExportWorkFolder.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace exportwizard;
using testsupport::TempFolder;

namespace {

SetItem Overlay(const std::string& name, int number, int chosen = 1)
{
    SetItem item(name, number, 0);
    item.selected_ = chosen;
    return item;
}

SetItem MediaFile(const std::string& path)
{
    SetItem item;
    item.name_ = path;
    return item;
}

std::vector<std::string> StoredNames(const ArchivePlan& plan)
{
    std::vector<std::string> names;
    for (const ArchiveFile& file : plan.files)
        names.push_back(file.storedName);
    return names;
}

} // namespace

TEST(ExportModel, OffersTheOrdinaryOverlaysInNumberOrder)
{
    const std::vector<SetItem> overlays = {Overlay("Tre", 3), Overlay("Ett", 1), Overlay("Standard", 101),
                                           Overlay("Hundra", 100), Overlay("Utan nummer", -1), Overlay("Tv\xE5", 2)};
    std::vector<std::string> texts;
    for (const OverlayLine& line : OverlayLines(overlays))
        texts.push_back(line.text + "|" + line.name);
    EXPECT_EQ((std::vector<std::string>{"1 Ett|Ett", "2 Tv\xE5|Tv\xE5", "3 Tre|Tre", "100 Hundra|Hundra"}), texts);
}

TEST(ExportModel, TheMainWindowOffersItsChosenLinesOrEveryOverlay)
{
    std::vector<SetItem> overlays = {Overlay("Bilder", 1, 0), Overlay("Ljud", 2, 0), Overlay("\xC4pplen", 3, 0)};
    MarkOffered(overlays, {"BILDER", "\xE4pplen"}, true);
    EXPECT_EQ(1, overlays[0].selected_);
    EXPECT_EQ(0, overlays[1].selected_);
    EXPECT_EQ(1, overlays[2].selected_) << "names are compared ignoring case, Swedish letters too";
    MarkOffered(overlays, {"Bilder"}, false);
    EXPECT_EQ(3, overlays[0].selected_ + overlays[1].selected_ + overlays[2].selected_);
    MarkOffered(overlays, {}, true);
    EXPECT_EQ(3, overlays[0].selected_ + overlays[1].selected_ + overlays[2].selected_);

    EXPECT_EQ(1, TakeChecks(overlays, {{"Bilder", false}, {"Ljud", true}, {"\xE4pplen", true}}))
        << "a check belongs to its exact name";
}

TEST(ExportModel, AChosenZipPathEndsInZip)
{
    const struct {
        const char* chosen;
        const char* path;
    } cases[] = {
        {"c:\\export\\x.txt", "c:\\export\\x.zip"},
        {"c:\\export\\x", "c:\\export\\x.zip"},
        {"c:\\export\\x.ZIP", "c:\\export\\x.ZIP"},
        {"c:\\export\\x.zipx", "c:\\export\\x.zipx"},
        {"c:\\mina.mappar\\x", "c:\\mina.mappar\\x.zip"},
        {"c:\\export\\x.", "c:\\export\\x.zip"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.path, WithZipExtension(c.chosen)) << c.chosen;
    EXPECT_EQ("c:\\export", FolderOf("c:\\export\\x.zip"));
    EXPECT_TRUE(IsDisketteFolder("A:"));
    EXPECT_TRUE(IsDisketteFolder("a:\\export"));
    EXPECT_FALSE(IsDisketteFolder("C:\\export"));
    EXPECT_FALSE(IsDisketteFolder("arkiv"));
}

TEST(ExportModel, TheProposedNameIsTheFirstFreeOne)
{
    TempFolder temp;
    EXPECT_EQ(temp / "Mina.zip", ProposedZipPath(temp.Path(), "Mina"));
    temp.Write("Mina.zip", "x");
    temp.Write("Mina 1.zip", "x");
    EXPECT_EQ(temp / "Mina 2.zip", ProposedZipPath(temp.Path(), "Mina"));
    EXPECT_EQ(temp / "Mina 2.zip", ProposedZipPath(temp.Path() + "\\", "Mina"));
}

TEST(ExportModel, TheRegisterListsTheChosenOverlays)
{
    const std::vector<SetItem> overlays = {Overlay("Bilder", 1), Overlay("Ljud", 2, 0), Overlay("\xC4pplen", 7)};
    EXPECT_EQ("[Overlays]\r\n1=Bilder\r\n7=\xC4pplen\r\n", RegisterText("Overlays", overlays));
}

TEST(ExportModel, TheArchiveHoldsOverlaysRegisterAndMediaUnderTheirNames)
{
    const std::vector<SetItem> overlays = {Overlay("Bilder", 1), Overlay("Ljud", 2, 0), Overlay("\xC4pplen", 3)};
    const std::vector<SetItem> media = {MediaFile("c:\\bilder\\hund.bmp"), MediaFile("\\\\server\\delat\\sol.wav"),
                                        MediaFile("c:\\dokument\\register.txt"), MediaFile("d:\\bilder\\hund.bmp"),
                                        MediaFile("e:\\register.txt"), MediaFile("e:\\gammal.ini"),
                                        MediaFile("e:\\\xC4pplen.ini")};
    const ArchivePlan plan = PlanArchive("c:\\temp\\skx1.tmp\\", overlays, "c:\\temp\\skx1.tmp\\register.txt", media);
    EXPECT_EQ((std::vector<std::string>{"Bilder.ini", "\xC4pplen.ini", "register.txt", "bilder/hund.bmp",
                                        "server/delat/sol.wav", "dokument/register.txt"}),
              StoredNames(plan));
    EXPECT_EQ("c:\\temp\\skx1.tmp\\Bilder.ini", plan.files[0].source);
    EXPECT_EQ("c:\\temp\\skx1.tmp\\register.txt", plan.files[2].source);
    EXPECT_EQ("c:\\dokument\\register.txt", plan.files[5].source);
    EXPECT_EQ((std::vector<std::string>{"d:\\bilder\\hund.bmp", "e:\\register.txt", "e:\\gammal.ini",
                                        "e:\\\xC4pplen.ini"}),
              plan.leftOut)
        << "a second file of one stored name, and names the import would read as its own, stay out";
}

TEST(ExportModel, MediaFilesAreListedOnceLowerCasedAndInTheirLongForm)
{
    ExportFixture fixture;
    MediaList media;
    std::string empty;
    EXPECT_FALSE(media.Offer(empty, true));
    std::string missing = "c:\\finns\\inte.bmp";
    EXPECT_FALSE(media.Offer(missing, true));
    EXPECT_EQ("c:\\finns\\inte.bmp", missing) << "a file that does not open is left as it was";

    std::string picture = fixture.Media("bilder\\Hund.BMP");
    EXPECT_FALSE(media.Offer(picture, false));
    EXPECT_EQ(LowerCase(fixture.Media("bilder\\Hund.BMP")), picture);
    std::string again = fixture.Media("BILDER\\hund.bmp");
    media.Offer(again, true);

    std::string shortSound = fixture.ShortMedia("ljud\\sk\xE5l \xE4pple.wav");
    ASSERT_NE(shortSound, fixture.Media("ljud\\sk\xE5l \xE4pple.wav")) << "the file needs a short name";
    EXPECT_TRUE(media.Offer(shortSound, true));
    EXPECT_TRUE(cp1252::EqualsNoCase(fixture.Media("ljud\\sk\xE5l \xE4pple.wav"), shortSound));
    std::string shortKept = fixture.ShortMedia("ljud\\sk\xE5l \xE4pple.wav");
    EXPECT_FALSE(media.Offer(shortKept, false)) << "without the long-path step nothing changes";
    EXPECT_EQ(3u, media.Paths().size());
}

namespace {

std::string ReadCopy(const std::string& folder, const std::string& name)
{
    return TempFolder::Read(folder + name + ".ini");
}

} // namespace

TEST(ExportCopies, CopiesAreWrittenAnewWithLongPathsAndTheirMediaCollected)
{
    ExportFixture fixture;
    ExportWorkFolder work;
    ASSERT_FALSE(work.Path().empty());
    MediaList media;
    for (const char* name : {"Bilder", "Ljud", "Tomt"})
        ASSERT_TRUE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, name, work.Path(), media)) << name;

    const std::vector<std::string> expected = fixture.ExpectedMedia();
    ASSERT_EQ(expected.size(), media.Paths().size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(cp1252::EqualsNoCase(expected[i], media.Paths()[i])) << expected[i] << " / " << media.Paths()[i];

    const std::string pictures = ReadCopy(work.Path(), "Bilder");
    EXPECT_EQ(0u, pictures.find("[Version]\r\nVersion=" + fixture.IO().fileVersion_ + "\r\n\r\n[Data]\r\n"));
    EXPECT_NE(std::string::npos, pictures.find(std::string(",") + ExportFixture::kSpacedCommand + "\r\n"))
        << "a command's trailing blanks stay in the copy";
    EXPECT_NE(std::string::npos, LowerCase(pictures).find("+" + LowerCase(fixture.Media("ljud\\sk\xE5l \xE4pple.wav")) + "@"))
        << "the short path in the command became its long form:\n" << pictures;
    EXPECT_EQ(std::string::npos, pictures.find(fixture.ShortMedia("ljud\\sk\xE5l \xE4pple.wav")));
    EXPECT_NE(std::string::npos, pictures.find("A101")) << "a picture code stays a code";
    EXPECT_NE(std::string::npos, pictures.find("[KeyboardSettings]\r\nFlashSignal=1\r\n"));

    const std::string sounds = ReadCopy(work.Path(), "Ljud");
    EXPECT_EQ(0u, sounds.find("[Version]\r\nVersion=" + fixture.IO().fileVersion_ + "\r\nAccessKvora=1\r\n\r\n"))
        << "the AccessKvora flag goes with the copy:\n" << sounds;
    EXPECT_NE(std::string::npos, sounds.find("d:\\cd\\track05.cda")) << "a CD track is left as it is";

    // The originals are untouched.
    std::vector<Block> keys;
    std::vector<Block> background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Bilder", keys, background));
    EXPECT_NE(std::string::npos, keys[2].command_.find(fixture.ShortMedia("ljud\\sk\xE5l \xE4pple.wav")));
}

TEST(ExportCopies, BackgroundContentCommandsBringTheirFiles)
{
    ExportFixture fixture;
    ExportWorkFolder work;
    MediaList media;
    ASSERT_TRUE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, "Bilder", work.Path(), media));
    const std::vector<std::string>& paths = media.Paths();
    EXPECT_NE(paths.end(), std::find_if(paths.begin(), paths.end(), [&](const std::string& path) {
        return cp1252::EqualsNoCase(path, fixture.Media("film\\resa.avi"));
    })) << "the video that a background block's command names";
}

TEST(ExportCopies, AFileThatDoesNotReadWholeIsCopiedAsItStands)
{
    ExportFixture fixture;
    const std::string damaged = "[Version]\r\nVersion=4.0\r\n\r\n[Data]\r\nBlock1=x\r\nBlock2=1,0,0,0,@" +
                                fixture.Media("film\\resa.avi") + "@\r\n";
    fixture.WriteOverlay("Trasig", damaged);
    ExportWorkFolder work;
    MediaList media;
    ASSERT_TRUE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, "Trasig", work.Path(), media));
    EXPECT_EQ(damaged, ReadCopy(work.Path(), "Trasig"));
    EXPECT_FALSE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, "Finns inte", work.Path(), media));
}

// An overlay named by another overlay's short name never takes the place of that one's copy.
TEST(ExportCopies, AnOverlayNamedByAnotherCopysShortNameIsNotCopiedOverIt)
{
    ExportFixture fixture;
    testsupport::TempFolder probe;
    char shortPath[MAX_PATH] = "";
    ::GetShortPathNameA(probe.Write("Hundarnas.ini", "x").c_str(), shortPath, MAX_PATH);
    const std::string alias = ImageBaseManager::GetFileTitleFromPath(shortPath);
    if (cp1252::EqualsNoCase(alias, "Hundarnas"))
        GTEST_SKIP() << "the disk gives no short names";
    const std::string other = "[Version]\r\nVersion=4.0\r\n\r\n[Data]\r\nBlock1=x\r\n";
    fixture.WriteOverlay(alias, other);
    const std::string hundarnas = "[Version]\r\nVersion=4.0\r\n\r\n[Data]\r\nBlock1=y\r\n";
    fixture.WriteOverlay("Hundarnas", hundarnas);
    ExportWorkFolder work;
    MediaList media;
    ASSERT_TRUE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, "Hundarnas", work.Path(), media));
    EXPECT_FALSE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, alias, work.Path(), media)) << alias;
    EXPECT_EQ(hundarnas, ReadCopy(work.Path(), "Hundarnas"));
}

// A command whose path takes its long form keeps everything else as it stood: a code of a base this
// machine lacks, a part of a kind no list knows, a label between them.
TEST(ExportCopies, OnlyThePathsTextChangesInACommand)
{
    ExportFixture fixture;
    const std::string shortSound = fixture.ShortMedia("ljud\\sk\xE5l \xE4pple.wav");
    const std::string longSound = fixture.Media("ljud\\sk\xE5l \xE4pple.wav");
    ASSERT_NE(shortSound, longSound) << "the file needs a short name";
    const std::string unknown = fixture.Media("docs\\Lista.xyz");
    // Each command: this text, the sound's path, the delimiter.
    const std::string befores[] = {"@Q12+", "@Q12+'Sol'+", "@" + unknown + "+", "@!'Sk\xE5l'+"};
    std::vector<Block> keys;
    for (const std::string& before : befores) {
        Block block;
        block.cells_.push_back(Range(static_cast<int>(keys.size()), static_cast<int>(keys.size())));
        block.command_ = before + shortSound + "@";
        keys.push_back(block);
    }
    ASSERT_EQ(FileIO::kLoaded, fixture.Save("Koder", keys));

    ExportWorkFolder work;
    MediaList media;
    ASSERT_TRUE(CopyOverlay(fixture.IO(), OverlayFixture::kSet, "Koder", work.Path(), media));
    std::vector<Block> copied;
    std::vector<Block> background;
    KeyboardSettings settings;
    ASSERT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(work.Path() + "Koder.ini", copied, background, settings));
    ASSERT_EQ(keys.size(), copied.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& command = copied[i].command_;
        EXPECT_EQ(0u, command.find(befores[i])) << command;
        EXPECT_TRUE(cp1252::EqualsNoCase(befores[i] + longSound + "@", command)) << command;
    }
    ASSERT_EQ(1u, media.Paths().size()) << "an unknown part is no media file";
    EXPECT_TRUE(cp1252::EqualsNoCase(longSound, media.Paths()[0])) << media.Paths()[0];
}

TEST(ExportWorkFolder, IsOursAndGoesWithTheWizard)
{
    std::string path;
    {
        ExportWorkFolder work;
        path = work.Path();
        ASSERT_FALSE(path.empty());
        EXPECT_EQ('\\', path.back());
        ExportWorkFolder other;
        EXPECT_NE(path, other.Path());
        ::CloseHandle(::CreateFileA((path + "Bilder.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        work.Empty();
        EXPECT_TRUE(TempFolder::FilesIn(path).empty());
        ::CloseHandle(::CreateFileA((path + "Ljud.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    EXPECT_FALSE(fw::PathExists(path));
}

TEST(ExportPacking, AFailedPackingLeavesTheEarlierArchiveAndNoHalfWrittenOne)
{
    TempFolder temp;
    ArchivePlan plan;
    plan.files = {{temp.Write("work\\Bilder.ini", "[Data]\r\n"), "Bilder.ini"},
                  {temp.Write("work\\register.txt", "[Overlays]\r\n1=Bilder\r\n"), "register.txt"},
                  {temp / "borta\\hund.bmp", "borta/hund.bmp"}};
    const std::string zipPath = temp.Write("Mina.zip", "the earlier archive");
    std::string failed;
    EXPECT_EQ(zip::Result::CannotOpen, PackArchive(plan, zipPath, false, temp / "work\\", {}, failed));
    EXPECT_EQ(temp / "borta\\hund.bmp", failed);
    EXPECT_EQ("the earlier archive", TempFolder::Read(zipPath));
    EXPECT_EQ(std::vector<std::string>{"Mina.zip"}, TempFolder::FilesIn(temp.Path()));

    plan.files.pop_back();
    ASSERT_EQ(zip::Result::Ok, PackArchive(plan, zipPath, false, temp / "work\\", {}, failed));
    zip::ZipReader reader;
    ASSERT_EQ(zip::Result::Ok, reader.Open(zipPath));
    std::string text;
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(reader.Find("register.txt")), text));
    EXPECT_EQ("[Overlays]\r\n1=Bilder\r\n", text);
}

TEST(ExportPacking, ADriveWithoutADisketteIsNotReady)
{
    TempFolder temp;
    EXPECT_TRUE(DriveReady(temp.Path() + "\\"));
    EXPECT_FALSE(DriveReady(temp / "ingen diskett\\"));
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, current);
    DriveReady(temp.Path() + "\\");
    char after[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(current, after) << "the current folder comes back";

    temp.Write("diskett\\gammal.txt", "x");
    temp.Write("diskett\\mapp\\fil.txt", "x");
    ClearDiskette(temp / "diskett\\");
    EXPECT_TRUE(TempFolder::FilesIn(temp / "diskett").empty());
    EXPECT_FALSE(fw::PathExists(temp / "diskett\\mapp"));
}
