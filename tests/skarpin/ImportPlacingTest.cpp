// The import without a window, over a fixture configuration: archives of our export and of Python's
// zipfile read and unpacked (hostile, damaged and lying ones too), and the placing on Finish checked
// file by file: the set, the overlays, where the media went and what their references say.
#include "ImportFixture.h"
#include "components/ZipWriter.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "skarpin/ExportWorkFolder.h"
#include "skarpin/ImportArchive.h"
#include "skarpin/ImportPlacing.h"
#include "store/StoreFiles.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace importwizard;
using testsupport::TempFolder;

namespace {

// Every media file of the archive unpacked, after the register and the overlays.
zip::Result UnpackAll(ImportArchive& archive, const std::string& folder)
{
    const zip::Result overlays = archive.UnpackOverlays(folder);
    if (overlays != zip::Result::Ok)
        return overlays;
    std::vector<SetItem> media = archive.Listing().media;
    for (SetItem& file : media)
        file.selected_ = 1;
    return archive.UnpackMedia(folder, media);
}

// The wizard's work without its windows: the archive read and its overlays unpacked, the register's
// numbers, every overlay chosen, the media files they use chosen, and at Finish those unpacked and
// placed.
class Import {
public:
    Import(ImportFixture& fixture, const std::string& zipPath) : fixture_(fixture)
    {
        EXPECT_EQ(zip::Result::Ok, archive.Open(zipPath));
        archive.NameOverlaysAsTheRegister("Overlays");
        EXPECT_EQ(zip::Result::Ok, archive.UnpackOverlays(work.Path())) << archive.FailedEntry();
        std::vector<std::string> references;
        for (const SetItem& overlay : archive.Listing().overlays) {
            const std::vector<std::string> own = OverlayReferences(fixture.IO(), work.Path() + overlay.path_);
            references.insert(references.end(), own.begin(), own.end());
        }
        archive.NameMediaAsTheOverlays(references);
        overlays = archive.Listing().overlays;
        media = archive.Listing().media;
        std::vector<std::string> lines;
        storefile::ReadLines(work.Path() + archive.Listing().registerName, lines);
        ReadRegisterNumbers(lines, "Overlays", overlays);
        for (SetItem& overlay : overlays) {
            overlay.path_ = work.Path() + overlay.name_ + ".ini";
            ChooseReferencedMedia(OverlayReferences(fixture.IO(), overlay.path_), media);
        }
    }

    PlacementResult Place(const std::string& setName, MediaMode mode, const std::string& where)
    {
        EXPECT_EQ(zip::Result::Ok, archive.UnpackMedia(work.Path(), media)) << archive.FailedEntry();
        PlacementRequest request;
        request.setName = setName;
        request.mode = mode;
        request.driveOrFolder = where;
        request.workFolder = work.Path();
        request.fallbackOverlayName = "\xD6verl\xE4gg";
        return PlaceImport(fixture_.IO(), request, overlays, media);
    }

    void Unchoose(const std::string& storedName)
    {
        for (SetItem& file : media) {
            if (file.path_ == storedName)
                file.selected_ = 0;
        }
    }

    ImportArchive archive;
    ExportWorkFolder work;
    std::vector<SetItem> overlays;
    std::vector<SetItem> media;

private:
    ImportFixture& fixture_;
};

std::string PictureOf(const std::vector<Block>& blocks, size_t index)
{
    return index < blocks.size() ? blocks[index].picturePath_ : "<no block>";
}

std::string CommandOf(const std::vector<Block>& blocks, size_t index)
{
    return index < blocks.size() ? blocks[index].command_ : "<no block>";
}

} // namespace

// ---- Reading the archive ------------------------------------------------------------------------

TEST(ImportArchive, HostileNamesOfPythonsArchiveAreRefusedAndNothingIsWrittenForThem)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ExportWorkFolder work;
    ImportArchive archive;
    ASSERT_EQ(zip::Result::Ok, archive.Open(PythonArchive("hostile.zip")));
    EXPECT_EQ((std::vector<std::string>{"../utanfor.txt", "..\\utanfor2.txt", "bilder/../../utanfor3.txt",
                                        "/absolut.txt", "\\absolut2.txt", "C:/Windows/utanfor4.txt", "c:\\utanfor5.txt",
                                        "//server/delat/utanfor6.txt", "\\\\server\\delat\\utanfor7.txt",
                                        "bilder/con.bmp", "aux.ini", "fr\xE5ga?.bmp", "BILDER/HUND.BMP"}),
              archive.Listing().refused);
    ASSERT_EQ(zip::Result::Ok, UnpackAll(archive, work.Path()));

    EXPECT_EQ((std::vector<std::string>{"Bilder.ini", "Utan nummer.ini", "bakgrund\\himmel.bmp", "bilder\\hund.bmp",
                                        "foton\\hund.bmp", "ljud\\sk\xE5l \xE4pple.wav", "oanvand\\extra.bmp",
                                        "register.txt", "server\\delat\\ljud\\ping.wav"}),
              FilesBelow(work.Path()))
        << "only the good entries, the first of two names";
    EXPECT_EQ("BM bilder hund", TempFolder::Read(work.Path() + "bilder\\hund.bmp"));
    const std::string parent = ImageBaseManager::GetFolderFromPath(work.Path().substr(0, work.Path().size() - 1));
    for (const std::string& outside : {parent + "\\utanfor.txt", parent + "\\utanfor2.txt", parent + "\\utanfor3.txt",
                                       std::string("C:\\absolut.txt"), std::string("C:\\absolut2.txt"),
                                       std::string("C:\\Windows\\utanfor4.txt"), std::string("C:\\utanfor5.txt")})
        EXPECT_FALSE(fw::PathExists(outside)) << outside;
}

TEST(ImportArchive, DamagedTruncatedAndLyingArchivesAreReportedAtTheirEntry)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    const struct {
        const char* archive;
        zip::Result open;
        zip::Result unpack;
        const char* entry;
    } cases[] = {
        {"python.zip", zip::Result::Ok, zip::Result::Ok, ""},
        {"truncated.zip", zip::Result::NotAnArchive, zip::Result::Ok, ""},
        {"cut.zip", zip::Result::Damaged, zip::Result::Ok, ""},
        {"inte_zip.zip", zip::Result::NotAnArchive, zip::Result::Ok, ""},
        {"crc.zip", zip::Result::Ok, zip::Result::CrcError, "bakgrund/himmel.bmp"},
        {"far_larger.zip", zip::Result::Ok, zip::Result::Damaged, "film/stor.avi"},
        {"smaller.zip", zip::Result::Ok, zip::Result::Damaged, "film/liten.avi"},
        // 200 records that share the data of one: refused before a byte is unpacked.
        {"shared_data.zip", zip::Result::Damaged, zip::Result::Ok, "film/0000.avi"},
    };
    for (const auto& c : cases) {
        ExportWorkFolder work;
        ImportArchive archive;
        ASSERT_EQ(c.open, archive.Open(PythonArchive(c.archive))) << c.archive;
        if (c.open != zip::Result::Ok) {
            EXPECT_EQ(c.entry, archive.FailedEntry()) << c.archive;
            EXPECT_TRUE(archive.Listing().unpack.empty()) << c.archive;
            continue;
        }
        EXPECT_EQ(c.unpack, UnpackAll(archive, work.Path())) << c.archive;
        if (c.unpack == zip::Result::Ok)
            continue;
        EXPECT_EQ(c.entry, archive.FailedEntry()) << c.archive;
        EXPECT_FALSE(fw::PathExists(work.Path() + Backslashed(c.entry))) << c.archive << ": no half file";
    }
    ImportArchive archive;
    ASSERT_EQ(zip::Result::Ok, archive.Open(PythonArchive("no_register.zip")));
    EXPECT_TRUE(archive.Listing().registerName.empty());
}

TEST(ImportArchive, NothingIsUnpackedThatWouldNotFitOrPassesWhatAnImportTakes)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    const std::uint64_t unlimited = ~0ull;
    const struct {
        const char* archive;
        std::uint64_t freeSpace;
        zip::Result overlays;
        zip::Result media;
        std::uint64_t needed;
    } cases[] = {
        {"large_video.zip", 100, zip::Result::TooLarge, zip::Result::TooLarge, 0},
        {"large_video.zip", 1024 * 1024, zip::Result::Ok, zip::Result::TooLarge, 8 * 1024 * 1024},
        {"large_video.zip", 9 * 1024 * 1024, zip::Result::Ok, zip::Result::Ok, 0},
        // Sizes the packed bytes could hold, 5 GB in all: more than any import takes.
        {"claims_5gb.zip", unlimited, zip::Result::Ok, zip::Result::TooLarge, 5000000000ull},
    };
    for (const auto& c : cases) {
        ExportWorkFolder work;
        ImportArchive archive;
        ASSERT_EQ(zip::Result::Ok, archive.Open(PythonArchive(c.archive))) << c.archive;
        std::string asked;
        archive.SetFreeSpace([&](const std::string& folder) {
            asked = folder;
            return c.freeSpace;
        });
        ASSERT_EQ(c.overlays, archive.UnpackOverlays(work.Path())) << c.archive << " " << c.freeSpace;
        EXPECT_EQ(work.Path(), asked) << "the room of the work folder's drive";
        if (c.overlays != zip::Result::Ok) {
            EXPECT_TRUE(FilesBelow(work.Path()).empty()) << c.archive;
            continue;
        }
        std::vector<SetItem> media = archive.Listing().media;
        for (SetItem& file : media)
            file.selected_ = 1;
        EXPECT_EQ(c.media, archive.UnpackMedia(work.Path(), media)) << c.archive << " " << c.freeSpace;
        if (c.media != zip::Result::Ok) {
            EXPECT_EQ(c.needed, archive.NeededBytes()) << c.archive;
            EXPECT_EQ((std::vector<std::string>{"Film.ini", "register.txt"}), FilesBelow(work.Path())) << c.archive;
        }
    }
}

namespace {

// The short (8.3) name Windows gives a file of this name in a folder of its own; empty when the disk
// gives none.
std::string ShortNameOf(const TempFolder& temp, const std::string& name)
{
    ::CreateDirectoryA((temp / "kort").c_str(), nullptr);
    const std::string path = temp.Write("kort\\" + name, "x");
    char shortPath[MAX_PATH] = "";
    ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    ::DeleteFileA(path.c_str());
    const std::string shortName = ImageBaseManager::GetFileNameFromPath(shortPath);
    return cp1252::EqualsNoCase(shortName, name) ? std::string() : shortName;
}

// An archive of the entries (stored name, content), packed by our writer.
std::string PackEntries(const TempFolder& temp, const std::string& zipName,
                        const std::vector<std::pair<std::string, std::string>>& entries)
{
    zip::ZipWriter writer(0);
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(zip::Result::Ok, writer.Add(temp.Write("kalla" + std::to_string(i), entries[i].second), entries[i].first))
            << entries[i].first.substr(0, 40);
    const std::string zipPath = temp / zipName;
    EXPECT_EQ(zip::Result::Ok, writer.Pack(zipPath));
    return zipPath;
}

} // namespace

// A name that reaches a file unpacked before it (another entry's short name), one that needs a folder
// where a file is, and names too long for the disk: each is left out and named, the rest unpacked,
// and no file is written over.
TEST(ImportArchive, NamesThatCannotBeMadeInTheWorkFolderAreLeftOutAndNamed)
{
    TempFolder temp;
    const std::string alias = ShortNameOf(temp, "hundarnas.bmp");
    std::vector<std::pair<std::string, std::string>> entries = {
        {"bilder/hundarnas.bmp", "hundarna"},
        {"ljud", "en fil d\xE4r mappen ska vara"},
        {"ljud/skall.wav", "skall"},
        {"bilder/" + std::string(250, 'a') + ".bmp", "l\xE5ngt namn"},
        {std::string(1020, 'm') + "/b.bmp", "l\xE5ng s\xF6kv\xE4g"},
        {"bilder/fin.bmp", "fin"},
    };
    if (!alias.empty())
        entries.emplace_back("bilder/" + alias, "en annan bild");
    ImportArchive archive;
    ASSERT_EQ(zip::Result::Ok, archive.Open(PackEntries(temp, "namn.zip", entries)));
    ExportWorkFolder work;
    std::vector<SetItem> media = archive.Listing().media;
    for (SetItem& file : media)
        file.selected_ = 1;
    ASSERT_EQ(zip::Result::Ok, archive.UnpackMedia(work.Path(), media)) << archive.FailedEntry();
    const std::vector<std::string>& left = archive.NotUnpacked();
    const std::vector<std::string>& refused = archive.Listing().refused;
    auto among = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const auto& entry : entries) {
        // The short name reaches the other file: that one is looked at below.
        if (!alias.empty() && entry.first == "bilder/" + alias)
            continue;
        const bool unpacked = fw::FileExists(work.Path() + Backslashed(entry.first));
        EXPECT_NE(unpacked, among(left, entry.first) || among(refused, entry.first))
            << entry.first.substr(0, 40) << ": unpacked, or named as left out";
    }
    EXPECT_EQ("hundarna", TempFolder::Read(work.Path() + "bilder\\hundarnas.bmp")) << "never written over";
    EXPECT_EQ("fin", TempFolder::Read(work.Path() + "bilder\\fin.bmp"));
    EXPECT_TRUE(among(left, "ljud/skall.wav"));
    if (!alias.empty()) {
        EXPECT_TRUE(among(left, "bilder/" + alias));
    }
}

// ---- Placing: our own export, one shared folder and kept paths ----------------------------------

TEST(ImportPlacing, OurExportImportedIntoANewSetIsCheckedFileByFile)
{
    ImportFixture fixture;
    const std::string zipPath = fixture.ZipPath("Fritid.zip");
    fixture.ExportArchive(zipPath);
    // The other computer has none of the files.
    const std::string hund = TempFolder::Read(fixture.Media("bilder\\Hund.BMP"));
    ImageBaseManager::DeleteTree(fixture.Config().Temp() / "media");

    Import import(fixture, zipPath);
    FileIO& io = fixture.IO();
    const std::string folder = io.SetFolderPath("Fritid") + "\\import";
    const PlacementResult result = import.Place("Fritid", MediaMode::kSharedFolder, folder);
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);
    EXPECT_EQ("Fritid", result.setName);
    EXPECT_TRUE(result.filesNotPlaced.empty());
    EXPECT_TRUE(result.overlaysNotFixed.empty());

    EXPECT_EQ((std::vector<std::string>{"Bilder.ini", "Ljud.ini", "Tomt.ini", "import\\himmel.bmp", "import\\hund.bmp",
                                        "import\\register.txt", "import\\resa.avi", "import\\sk\xE5l \xE4pple.wav",
                                        "import\\s\xE5ng.mp3", "register.txt"}),
              FilesBelow(io.SetFolderPath("Fritid")));
    EXPECT_EQ(hund, TempFolder::Read(folder + "\\hund.bmp"));
    EXPECT_EQ("BM himmel", TempFolder::Read(folder + "\\himmel.bmp"));
    EXPECT_EQ("inte setets register", TempFolder::Read(folder + "\\register.txt"));
    const std::string setRegister = fixture.Register("Fritid");
    EXPECT_NE(std::string::npos, setRegister.find("[Overlays]\r\n1=Bilder\r\n2=Ljud\r\n3=Tomt\r\n")) << setRegister;
    EXPECT_EQ((std::vector<std::string>{"register.txt"}), FilesBelow(import.work.Path()))
        << "every overlay and file went; the archive's register stays behind";

    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("Fritid", "Bilder", keys, background);
    EXPECT_TRUE(cp1252::EqualsNoCase(folder + "\\hund.bmp", PictureOf(keys, 0))) << PictureOf(keys, 0);
    EXPECT_EQ("A101", keys.size() > 1 ? keys[1].pictureCode_ : "") << "a picture of an image base stays a code";
    EXPECT_TRUE(cp1252::EqualsNoCase("@'Sk\xE5l'+" + folder + "\\sk\xE5l \xE4pple.wav@", CommandOf(keys, 2)))
        << CommandOf(keys, 2);
    EXPECT_EQ(ExportFixture::kSpacedCommand, CommandOf(keys, 3));
    EXPECT_TRUE(cp1252::EqualsNoCase("@" + folder + "\\s\xE5ng.mp3@", CommandOf(keys, 4))) << CommandOf(keys, 4);
    EXPECT_EQ("@c:\\finns\\inte.bmp@", CommandOf(keys, 5)) << "a file the archive lacks keeps its reference";
    EXPECT_TRUE(cp1252::EqualsNoCase(folder + "\\himmel.bmp", PictureOf(background, 0))) << PictureOf(background, 0);
    EXPECT_TRUE(cp1252::EqualsNoCase("@" + folder + "\\resa.avi@", CommandOf(background, 1)))
        << "a background command's file moved too: " << CommandOf(background, 1);

    fixture.LoadPlaced("Fritid", "Ljud", keys, background);
    EXPECT_TRUE(cp1252::EqualsNoCase("@'Sk\xE5l'+" + folder + "\\sk\xE5l \xE4pple.wav@", CommandOf(keys, 0)));
    EXPECT_EQ("@'Sp\xE5r'+d:\\cd\\track05.cda@", CommandOf(keys, 1)) << "a CD track is no file";
    EXPECT_TRUE(cp1252::EqualsNoCase(folder + "\\register.txt", PictureOf(keys, 2)));
    EXPECT_EQ(1, io.GetAccessKvoraFlag("Ljud", "Fritid")) << "the AccessKvora flag travels with the overlay";
}

TEST(ImportPlacing, KeptPathsPutTheFilesBackWhereTheyWereExportedFrom)
{
    ImportFixture fixture;
    const std::string zipPath = fixture.ZipPath("Fritid.zip");
    fixture.ExportArchive(zipPath, {"Bilder"});
    const std::string hund = TempFolder::Read(fixture.Media("bilder\\Hund.BMP"));
    ImageBaseManager::DeleteTree(fixture.Config().Temp() / "media");
    std::vector<Block> exportedKeys;
    std::vector<Block> exportedBackground;
    fixture.LoadPlaced(OverlayFixture::kSet, "Bilder", exportedKeys, exportedBackground);

    Import import(fixture, zipPath);
    import.Unchoose(StoredForm(fixture.Media("ljud\\s\xE5ng.mp3")));
    // The fixture's files lie on drive C, as the current folder of this test does.
    const PlacementResult result = import.Place("Fritid", MediaMode::kKeepPaths, "c:");
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);

    EXPECT_EQ(hund, TempFolder::Read(fixture.Media("bilder\\Hund.BMP")));
    EXPECT_EQ("BM himmel", TempFolder::Read(fixture.Media("bakgrund\\himmel.bmp")));
    EXPECT_FALSE(fw::PathExists(fixture.Media("ljud\\s\xE5ng.mp3"))) << "an unchecked file stays behind";
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("Fritid", "Bilder", keys, background);
    EXPECT_TRUE(cp1252::EqualsNoCase(PictureOf(exportedKeys, 0), PictureOf(keys, 0))) << "on the same drive, paths stay";
    EXPECT_TRUE(cp1252::EqualsNoCase(CommandOf(exportedKeys, 4), CommandOf(keys, 4)));
}

TEST(ImportPlacing, KeptPathsPutOnlyPicturesSoundsAndVideosBackAndTheRestInTheSetsImportFolder)
{
    // The "Ljud" overlay's third key shows a text file as its picture: with the stored paths kept, a
    // crafted archive could place any such file anywhere on the drive.
    ImportFixture fixture;
    const std::string zipPath = fixture.ZipPath("Fritid.zip");
    fixture.ExportArchive(zipPath, {"Ljud"});
    ImageBaseManager::DeleteTree(fixture.Config().Temp() / "media");

    Import import(fixture, zipPath);
    const PlacementResult result = import.Place("Fritid", MediaMode::kKeepPaths, "c:");
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);

    EXPECT_TRUE(fw::FileExists(fixture.Media("ljud\\sk\xE5l \xE4pple.wav"))) << "a sound goes back where it was";
    EXPECT_FALSE(fw::PathExists(fixture.Media("docs\\register.txt"))) << "a text file does not";
    const std::string kept = fixture.IO().SetImportFolderPath("Fritid") + "\\register.txt";
    EXPECT_EQ("inte setets register", TempFolder::Read(kept));
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("Fritid", "Ljud", keys, background);
    EXPECT_TRUE(cp1252::EqualsNoCase(kept, PictureOf(keys, 2))) << PictureOf(keys, 2);
}

TEST(ImportPlacing, OneSharedFolderTakesOnlyPicturesSoundsAndVideosAndTheRestGoesToTheSetsImportFolder)
{
    // Shared with a set's own folder, an overlay file placed there would be listed as one of its overlays.
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ImportFixture fixture;
    Import import(fixture, PythonArchive("ini_picture.zip"));
    const std::string shared = fixture.IO().SetFolderPath(OverlayFixture::kSet);
    std::vector<SetItem> before;
    fixture.IO().ListOverlays(OverlayFixture::kSet, before);

    ASSERT_EQ(PlacementResult::kPlaced, import.Place("Ny", MediaMode::kSharedFolder, shared).outcome);
    EXPECT_FALSE(fw::PathExists(shared + "\\ny.ini"));
    EXPECT_TRUE(fw::FileExists(shared + "\\hund.bmp")) << "a picture goes to the shared folder";
    std::vector<SetItem> after;
    fixture.IO().ListOverlays(OverlayFixture::kSet, after);
    EXPECT_EQ(before.size(), after.size());
    const std::string kept = fixture.IO().SetImportFolderPath("Ny") + "\\ny.ini";
    EXPECT_TRUE(fw::FileExists(kept));
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("Ny", "Bilder", keys, background);
    EXPECT_TRUE(cp1252::EqualsNoCase(kept, PictureOf(keys, 0))) << PictureOf(keys, 0);
    EXPECT_EQ(shared + "\\hund.bmp", PictureOf(keys, 1));
}

TEST(ImportPlacing, NamesStoredInCodePage1252WithoutSayingSoAreReadAsTheRegisterAndTheOverlaysNameThem)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    // The same overlay and picture, their names stored as code page 1252 bytes, and as code page 437.
    for (const char* name : {"ansi_names.zip", "oem_names.zip"}) {
        ImportFixture fixture;
        Import import(fixture, PythonArchive(name));
        EXPECT_TRUE(import.archive.Listing().refused.empty()) << name;
        const std::string shared = fixture.Config().Temp() / "Delad";
        ASSERT_EQ(PlacementResult::kPlaced, import.Place("Djur", MediaMode::kSharedFolder, shared).outcome) << name;
        EXPECT_EQ((std::vector<std::string>{"h\xE4st.bmp"}), FilesBelow(shared)) << name;
        EXPECT_NE(std::string::npos, fixture.Register("Djur").find("\r\n1=Djur \xE5\xE4\xF6\r\n")) << name;
        std::vector<Block> keys;
        std::vector<Block> background;
        fixture.LoadPlaced("Djur", "Djur \xE5\xE4\xF6", keys, background);
        EXPECT_EQ(shared + "\\h\xE4st.bmp", PictureOf(keys, 0)) << name;
    }
}

// ---- Placing: Python's archive, with files of one name and files already there ------------------

TEST(ImportPlacing, FilesOfOneNameKeepBothAndEachReferenceFollowsItsOwn)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ImportFixture fixture;
    Import import(fixture, PythonArchive("python.zip"));
    const std::string shared = fixture.Config().Temp() / "Delad";
    fixture.Config().Write("Delad\\ping.wav", "en annan ping");   // another file of that name: kept
    fixture.Config().Write("Delad\\himmel.bmp", "BM himmel");     // the same file: used as it is

    const PlacementResult result = import.Place("python", MediaMode::kSharedFolder, shared);
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);
    EXPECT_EQ((std::vector<std::string>{"himmel.bmp", "hund 1.bmp", "hund.bmp", "ping 1.wav", "ping.wav",
                                        "sk\xE5l \xE4pple.wav"}),
              FilesBelow(shared));
    EXPECT_EQ("BM bilder hund", TempFolder::Read(shared + "\\hund.bmp"));
    EXPECT_EQ("BM foton hund, en annan", TempFolder::Read(shared + "\\hund 1.bmp"));
    EXPECT_EQ("en annan ping", TempFolder::Read(shared + "\\ping.wav"));
    EXPECT_EQ("RIFF ping", TempFolder::Read(shared + "\\ping 1.wav"));
    EXPECT_FALSE(fw::PathExists(import.work.Path() + "oanvand\\extra.bmp")) << "a file no overlay uses is never unpacked";

    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("python", "Bilder", keys, background);
    EXPECT_EQ(shared + "\\hund.bmp", PictureOf(keys, 0));
    EXPECT_EQ("@'Sk\xE5l'+" + shared + "\\sk\xE5l \xE4pple.wav@", CommandOf(keys, 1));
    EXPECT_EQ("@" + shared + "\\Hund.bmp@", CommandOf(keys, 2)) << "the reference's own spelling";
    EXPECT_EQ("@" + shared + "\\ping 1.wav@", CommandOf(keys, 3));
    EXPECT_EQ("@" + shared + "\\hund 1.bmp@", CommandOf(keys, 4)) << "not the first file of that name";
    EXPECT_EQ("@'Sp\xE5r'+d:\\cd\\track05.cda@", CommandOf(keys, 5));
    EXPECT_EQ(shared + "\\himmel.bmp", PictureOf(background, 0));

    // The overlay the register does not number is imported too, on the first free number.
    fixture.LoadPlaced("python", "Utan nummer", keys, background);
    EXPECT_EQ("@" + shared + "\\sk\xE5l \xE4pple.wav@", CommandOf(keys, 0));
    EXPECT_NE(std::string::npos, fixture.Register("python").find("[Overlays]\r\n1=Bilder\r\n2=Utan nummer\r\n"));
}

TEST(ImportPlacing, WithShortNamesTheCommandsTakeTheShortFormAndThePicturesKeepTheLong)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ImportFixture fixture;
    fixture.IO().SetShortCommandFlag(1);
    Import import(fixture, PythonArchive("python.zip"));
    const std::string shared = fixture.Config().Temp() / "Delade filer";
    ASSERT_EQ(PlacementResult::kPlaced, import.Place("python", MediaMode::kSharedFolder, shared).outcome);
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("python", "Bilder", keys, background);
    EXPECT_EQ(shared + "\\hund.bmp", PictureOf(keys, 0));
    const std::string song = cp1252::Lower(ImageBaseManager::GetShortPath(shared + "\\sk\xE5l \xE4pple.wav"));
    EXPECT_NE(std::string::npos, song.find('~')) << song;
    EXPECT_EQ("@'Sk\xE5l'+" + song + "@", CommandOf(keys, 1));
    EXPECT_EQ(shared + "\\himmel.bmp", PictureOf(background, 0));
}

TEST(ImportPlacing, KeptPathsOnAnotherDriveRewriteNetworkReferencesToo)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ImportFixture fixture;
    Import import(fixture, PythonArchive("python.zip"));
    // A folder stands in for the drive's root, so that nothing is written on the test machine's drive.
    const std::string drive = fixture.Config().Temp() / "D";
    const PlacementResult result = import.Place("python", MediaMode::kKeepPaths, drive);
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);
    EXPECT_EQ((std::vector<std::string>{"bakgrund\\himmel.bmp", "bilder\\hund.bmp", "foton\\hund.bmp",
                                        "ljud\\sk\xE5l \xE4pple.wav", "server\\delat\\ljud\\ping.wav"}),
              FilesBelow(drive));
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("python", "Bilder", keys, background);
    EXPECT_EQ(drive + "\\bilder\\hund.bmp", PictureOf(keys, 0));
    EXPECT_EQ("@" + drive + "\\Bilder\\Hund.bmp@", CommandOf(keys, 2)) << "the reference's own spelling";
    EXPECT_EQ("@" + drive + "\\server\\delat\\ljud\\ping.wav@", CommandOf(keys, 3));
    EXPECT_EQ("@" + drive + "\\foton\\hund.bmp@", CommandOf(keys, 4));
}

// ---- Placing: what fails ------------------------------------------------------------------------

TEST(ImportPlacing, FilesThatCannotBeMovedKeepTheirReferences)
{
    SKIP_WITHOUT_PYTHON_ARCHIVES();
    ImportFixture fixture;
    Import import(fixture, PythonArchive("python.zip"));
    const PlacementResult result = import.Place("python", MediaMode::kSharedFolder, fixture.Config().Temp() / "inte<giltig");
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);
    EXPECT_EQ(5u, result.filesNotPlaced.size());
    EXPECT_TRUE(result.overlaysNotFixed.empty());
    std::vector<Block> keys;
    std::vector<Block> background;
    fixture.LoadPlaced("python", "Bilder", keys, background);
    EXPECT_EQ("c:\\bilder\\hund.bmp", PictureOf(keys, 0)) << "a file that did not move is not pointed at";
    EXPECT_EQ("@C:\\Bilder\\Hund.bmp@", CommandOf(keys, 2));
    EXPECT_TRUE(fw::PathExists(import.work.Path() + "bilder\\hund.bmp"));
}

TEST(ImportPlacing, MoreOverlaysThanNumbersMakeNothing)
{
    ImportFixture fixture;
    ExportWorkFolder work;
    std::vector<SetItem> overlays;
    for (int i = 1; i <= 101; ++i) {
        const std::string name = "O" + std::to_string(i);
        fw::WriteReplacing(work.Path() + name + ".ini", "[Data]\r\n");
        SetItem overlay(name, work.Path() + name + ".ini");
        overlay.number_ = i;
        overlay.selected_ = 1;
        overlays.push_back(overlay);
    }
    PlacementRequest request;
    request.setName = "Fritid";
    request.workFolder = work.Path();
    const PlacementResult result = PlaceImport(fixture.IO(), request, overlays, {});
    EXPECT_EQ(PlacementResult::kNoRoom, result.outcome);
    EXPECT_FALSE(fw::PathExists(fixture.IO().SetFolderPath("Fritid"))) << "no set with some of the overlays";
    EXPECT_EQ(101u, FilesBelow(work.Path()).size());

    overlays.back().selected_ = 0;
    EXPECT_EQ(PlacementResult::kPlaced, PlaceImport(fixture.IO(), request, overlays, {}).outcome) << "a hundred fit";
}

TEST(ImportPlacing, AnOverlayThatCannotBePlacedUndoesTheSetAndLeavesOtherFoldersAlone)
{
    ImportFixture fixture;
    fixture.Config().Write("Program Files\\Skarpin\\set\\Fritid\\mitt.txt", "inget set, men min mapp");
    ExportWorkFolder work;
    fw::WriteReplacing(work.Path() + "Ett.ini", "[Data]\r\n");
    std::vector<SetItem> overlays = {SetItem("Ett", work.Path() + "Ett.ini"), SetItem("Borta", work.Path() + "Borta.ini")};
    for (SetItem& overlay : overlays) {
        overlay.number_ = -1;
        overlay.selected_ = 1;
    }
    PlacementRequest request;
    request.setName = "Fritid";
    request.workFolder = work.Path();
    const PlacementResult result = PlaceImport(fixture.IO(), request, overlays, {});
    EXPECT_EQ(PlacementResult::kOverlayNotPlaced, result.outcome);
    EXPECT_EQ("Fritid 1", result.setName) << "a folder of that name is there already";
    EXPECT_EQ("Borta", result.failedOverlay);
    EXPECT_FALSE(fw::PathExists(fixture.IO().SetFolderPath("Fritid 1")));
    EXPECT_EQ("inget set, men min mapp", TempFolder::Read(fixture.IO().SetFolderPath("Fritid") + "\\mitt.txt"));
    EXPECT_EQ("[Data]\r\n", TempFolder::Read(work.Path() + "Ett.ini")) << "back in the work folder for another try";
    EXPECT_EQ("Ett", overlays[0].name_);
    EXPECT_EQ(-1, overlays[0].number_);
}

// ---- Many files of one name, progress and Cancel ------------------------------------------------

namespace {

// An overlay and six files all named x.bmp in folders of their own, unpacked in a work folder; a
// shared folder holding x.bmp, "x 1.bmp" and "x 3.bmp" already.
struct OneName {
    explicit OneName(ImportFixture& fixture) : shared(fixture.Config().Temp() / "Delad")
    {
        fw::WriteReplacing(work.Path() + "Ett.ini", "[Data]\r\n");
        overlays = {SetItem("Ett", work.Path() + "Ett.ini")};
        overlays[0].number_ = -1;
        overlays[0].selected_ = 1;
        const std::pair<const char*, const char*> files[] = {{"a", "B"}, {"b", "C"}, {"c", "C"},
                                                             {"d", "A"}, {"e", "E"}, {"f", "D"}};
        for (const auto& file : files) {
            ::CreateDirectoryA((work.Path() + file.first).c_str(), nullptr);
            fw::WriteReplacing(work.Path() + file.first + "\\x.bmp", file.second);
            media.emplace_back("x.bmp", std::string(file.first) + "/x.bmp");
            media.back().selected_ = 1;
        }
        fixture.Config().Write("Delad\\x.bmp", "A");
        fixture.Config().Write("Delad\\x 1.bmp", "B");
        fixture.Config().Write("Delad\\x 3.bmp", "D");
    }

    PlacementRequest Request()
    {
        PlacementRequest request;
        request.setName = "Samma namn";
        request.driveOrFolder = shared;
        request.workFolder = work.Path();
        return request;
    }

    ExportWorkFolder work;
    std::string shared;
    std::vector<SetItem> overlays;
    std::vector<SetItem> media;
};

} // namespace

// Each file lands beside the others under the next free number, or on the file of its content that
// stands there (one there before or one placed now); the progress counts the overlay and the files.
TEST(ImportPlacing, FilesOfOneNameTakeTheNextFreeNumberOrTheFileOfTheirContent)
{
    ImportFixture fixture;
    OneName one(fixture);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
    const PlacementResult result = PlaceImport(fixture.IO(), one.Request(), one.overlays, one.media,
                                               [&](const zip::Progress& progress) {
                                                   steps.emplace_back(progress.done, progress.total);
                                                   return true;
                                               });
    ASSERT_EQ(PlacementResult::kPlaced, result.outcome);
    EXPECT_EQ((std::vector<std::string>{"x 1.bmp", "x 2.bmp", "x 3.bmp", "x 4.bmp", "x.bmp"}), FilesBelow(one.shared));
    const std::pair<const char*, const char*> landed[] = {{"x.bmp", "A"}, {"x 1.bmp", "B"}, {"x 2.bmp", "C"},
                                                          {"x 3.bmp", "D"}, {"x 4.bmp", "E"}};
    for (const auto& file : landed)
        EXPECT_EQ(file.second, TempFolder::Read(one.shared + "\\" + file.first)) << file.first;
    ASSERT_EQ(7u, steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(std::make_pair(std::uint64_t(i), std::uint64_t(7)), steps[i]);
}

// Cancel, at an overlay or at a file, puts back what was placed: nothing of the set stays.
TEST(ImportPlacing, CancelLeavesNoHalfPlacedSet)
{
    for (std::uint64_t cancelAt : {0u, 3u, 6u}) {
        ImportFixture fixture;
        OneName one(fixture);
        const std::vector<std::string> work = FilesBelow(one.work.Path());
        const PlacementResult result = PlaceImport(fixture.IO(), one.Request(), one.overlays, one.media,
                                                   [&](const zip::Progress& progress) { return progress.done < cancelAt; });
        EXPECT_EQ(PlacementResult::kCancelled, result.outcome) << cancelAt;
        EXPECT_FALSE(fw::PathExists(fixture.IO().SetFolderPath("Samma namn"))) << cancelAt;
        EXPECT_EQ((std::vector<std::string>{"x 1.bmp", "x 3.bmp", "x.bmp"}), FilesBelow(one.shared)) << cancelAt;
        EXPECT_EQ(work, FilesBelow(one.work.Path())) << cancelAt << ": every file back in the work folder";
        EXPECT_EQ("Ett", one.overlays[0].name_);
    }
}

// The folders the placing made for the files go again at a Cancel; a folder that was there before
// stays, and so does one that something else put a file into meanwhile.
TEST(ImportPlacing, CancelRemovesOnlyTheEmptyFoldersThePlacingMade)
{
    struct Case {
        MediaMode mode;
        const char* where;              // the shared folder or the drive, below the temporary folder
        std::vector<const char*> before; // folders there before, below it too
        std::vector<const char*> gone;
        std::vector<const char*> stay;
    };
    // The six files lie at a\x.bmp .. f\x.bmp; the shared folder "Delad" holds files already.
    const Case cases[] = {
        {MediaMode::kSharedFolder, "Ny\\delad", {}, {"Ny"}, {}},
        {MediaMode::kSharedFolder, "Delad\\ny", {}, {"Delad\\ny"}, {"Delad"}},
        {MediaMode::kKeepPaths, "D", {"D", "D\\b"}, {"D\\c", "D\\e"}, {"D", "D\\a", "D\\b"}},
    };
    for (const Case& c : cases) {
        ImportFixture fixture;
        OneName one(fixture);
        const TempFolder& temp = fixture.Config().Temp();
        for (const char* folder : c.before) {
            std::string path = temp / folder;
            ImageBaseManager::CreatePath(path);
        }
        PlacementRequest request = one.Request();
        request.mode = c.mode;
        request.driveOrFolder = temp / c.where;
        // A file of someone else's lands in the first file's folder; Cancel comes at the last file.
        const std::string othersFile = c.mode == MediaMode::kKeepPaths ? request.driveOrFolder + "\\a\\annan.txt" : "";
        const PlacementResult result =
            PlaceImport(fixture.IO(), request, one.overlays, one.media, [&](const zip::Progress& progress) {
                if (progress.done == 3 && !othersFile.empty())
                    fw::WriteReplacing(othersFile, "annan");
                return progress.done < 6;
            });
        ASSERT_EQ(PlacementResult::kCancelled, result.outcome) << c.where;
        for (const char* folder : c.gone)
            EXPECT_FALSE(fw::PathExists(temp / folder)) << c.where << ": " << folder;
        for (const char* folder : c.stay)
            EXPECT_TRUE(fw::FolderExists(temp / folder)) << c.where << ": " << folder;
        EXPECT_EQ((std::vector<std::string>{"x 1.bmp", "x 3.bmp", "x.bmp"}), FilesBelow(one.shared)) << c.where;
    }
}
