// Overlay media between sets and folder prefixes in overlay paths.
#include "OverlayFixture.h"
#include "SetFixture.h"
#include "framework/Files.h"
#include "store/StoreFiles.h"
#include <gtest/gtest.h>
#include <windows.h>

TEST(MediaPaths, PrefixIsReplacedOnWholeFolderNames)
{
    const std::string longFolder = "C:\\" + std::string(300, 'x');
    struct Case {
        std::string path;
        std::string oldPrefix;
        std::string newPrefix;
        int replaced;
        std::string expected;
    } cases[] = {
        {"C:\\Set\\Skola\\import\\bild.bmp", "C:\\Set\\Skola", "C:\\Set\\Klass 3", 1, "C:\\Set\\Klass 3\\import\\bild.bmp"},
        {"c:\\set\\SKOLA\\ljud.wav", "C:\\Set\\Skola", "D:\\Nytt", 1, "D:\\Nytt\\ljud.wav"},
        // A sibling whose name begins with the old folder's name is another folder.
        {"C:\\Set\\Skola 2\\bild.bmp", "C:\\Set\\Skola", "C:\\Set\\Klass", 0, "C:\\Set\\Skola 2\\bild.bmp"},
        {"C:\\Bilder2\\bild.bmp", "C:\\Bilder", "D:\\Bilder", 0, "C:\\Bilder2\\bild.bmp"},
        {"C:\\Set\\Skola", "C:\\Set\\Skola", "C:\\Set\\Klass", 1, "C:\\Set\\Klass"},
        // A separator at the end of either prefix makes no difference.
        {"C:\\Bilder\\bild.bmp", "C:\\Bilder\\", "D:\\Nya", 1, "D:\\Nya\\bild.bmp"},
        {"C:\\Bilder\\bild.bmp", "C:\\Bilder", "D:\\Nya\\", 1, "D:\\Nya\\bild.bmp"},
        {"C:\\bild.bmp", "C:\\", "D:\\", 1, "D:\\bild.bmp"},
        // Longer than any fixed buffer.
        {"C:\\Bilder\\bild.bmp", "C:\\Bilder", longFolder, 1, longFolder + "\\bild.bmp"},
        {longFolder + "\\bild.bmp", longFolder, "D:\\B", 1, "D:\\B\\bild.bmp"},
        {"", "C:\\Bilder", "D:\\Nya", 0, ""},
        {"C:\\Bilder\\bild.bmp", "", "D:\\Nya", 0, "C:\\Bilder\\bild.bmp"},
        {"C:\\Bild", "C:\\Bilder", "D:\\Nya", 0, "C:\\Bild"},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        EXPECT_EQ(c.replaced, FileIO::ReplacePathPrefix(path, c.oldPrefix, c.newPrefix, 0)) << c.path;
        EXPECT_EQ(c.expected, path) << c.path;
    }
}

TEST(MediaPaths, ShortFormAfterTheReplacementWhenAsked)
{
    testsupport::TempFolder temp;
    const std::string file = temp.Write("Nya bilder med l\xE5ngt namn\\en bild med l\xE5ngt namn.bmp", "BM");
    const std::string newFolder = temp / "Nya bilder med l\xE5ngt namn";
    std::string path = "C:\\Gamla\\en bild med l\xE5ngt namn.bmp";
    ASSERT_EQ(1, FileIO::ReplacePathPrefix(path, "C:\\Gamla", newFolder, 1));
    EXPECT_NE(file, path);
    char longPath[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetLongPathNameA(path.c_str(), longPath, MAX_PATH));
    EXPECT_EQ(file, std::string(longPath));

    // A path that leads nowhere has no short form and stays long.
    path = "C:\\Gamla\\saknas.bmp";
    ASSERT_EQ(1, FileIO::ReplacePathPrefix(path, "C:\\Gamla", "C:\\Finns inte", 1));
    EXPECT_EQ("C:\\Finns inte\\saknas.bmp", path);
}

namespace {

Block PictureBlock(const std::string& picture, const std::string& command = std::string())
{
    Block block;
    block.cells_ = {Range(0, 0)};
    block.picturePath_ = picture;
    block.command_ = command;
    return block;
}

struct Overlay {
    std::vector<Block> keys;
    std::vector<Block> background;
};

Overlay Load(FileIO& io, const std::string& path)
{
    Overlay overlay;
    KeyboardSettings settings;
    EXPECT_EQ(FileIO::kLoaded, io.LoadOverlay(path, overlay.keys, overlay.background, settings)) << path;
    return overlay;
}

} // namespace

// An overlay copied into another set takes the media of its set's import folder along; the media
// of other folders stay where they are, and nothing in the target's import folder is replaced.
TEST(MediaBetweenSets, CopyCarriesTheImportFolderAlong)
{
    SetFixture sets;
    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() + "\r\n[Defaults]\r\nPrefix=#\r\n");
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Hem", "[Overlays]\r\n");
    const std::string from = sets.SetPath("Skola") + "\\import\\";
    const std::string to = sets.SetPath("Hem") + "\\import\\";
    const std::string elsewhere = sets.Write("Bilder\\foto.bmp", "BM foto");
    sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\bild.bmp", "BM skola");
    sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\ljud.wav", "RIFF skola");
    sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\bak.bmp", "BM bakgrund");
    // Another overlay's picture of the same name, and the very same background picture, are there already.
    sets.Write("Program Files\\Skarpin\\set\\Hem\\import\\bild.bmp", "BM hem");
    sets.Write("Program Files\\Skarpin\\set\\Hem\\import\\bak.bmp", "BM bakgrund");

    std::string name = "A";
    ASSERT_EQ(FileIO::kSaved,
              sets.Io().SaveOverlay(name, 2, "Skola",
                                    {PictureBlock(from + "bild.bmp", "#" + from + "bild.bmp+" + from + "ljud.wav#"),
                                     PictureBlock(elsewhere, "<Return>")},
                                    {PictureBlock(from + "bak.bmp")}, KeyboardSettings()));
    ASSERT_TRUE(sets.Io().SetAccessKvoraFlag("A", "Skola", 1));

    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlay("Skola", "A", "Hem", "A", 3).outcome);
    Overlay copy = Load(sets.Io(), sets.OverlayPath("Hem", "A"));
    ASSERT_EQ(2u, copy.keys.size());
    ASSERT_EQ(1u, copy.background.size());
    EXPECT_EQ(to + "bild 1.bmp", copy.keys[0].picturePath_);
    EXPECT_EQ("#" + to + "bild 1.bmp+" + to + "ljud.wav#", copy.keys[0].command_);
    EXPECT_EQ(elsewhere, copy.keys[1].picturePath_);
    EXPECT_EQ("<Return>", copy.keys[1].command_);
    EXPECT_EQ(to + "bak.bmp", copy.background[0].picturePath_);
    EXPECT_EQ("BM hem", sets.Read(to + "bild.bmp"));
    EXPECT_EQ("BM skola", sets.Read(to + "bild 1.bmp"));
    EXPECT_EQ("RIFF skola", sets.Read(to + "ljud.wav"));
    EXPECT_EQ(1, sets.Io().GetAccessKvoraFlag("A", "Hem"));
    EXPECT_EQ("A", ConfigFixture::Value(sets.RegisterPath("Hem"), "Overlays", "3"));

    // The source set keeps its overlay and its media as they were.
    Overlay source = Load(sets.Io(), sets.OverlayPath("Skola", "A"));
    EXPECT_EQ(from + "bild.bmp", source.keys[0].picturePath_);
    EXPECT_EQ("BM skola", sets.Read(from + "bild.bmp"));

    // A move carries them the same way.
    sets.MakeSet("Klass", "[Overlays]\r\n");
    ASSERT_EQ(Carry::kDone, sets.Io().MoveOverlay("Skola", "A", 2, "Klass", "A", 2).outcome);
    Overlay moved = Load(sets.Io(), sets.OverlayPath("Klass", "A"));
    EXPECT_EQ(sets.SetPath("Klass") + "\\import\\bild.bmp", moved.keys[0].picturePath_);
}

TEST(MediaBetweenSets, AnOverlayWithoutImportMediaIsCopiedByteForByte)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Hem", "[Overlays]\r\n");
    const std::string text = "[Version]\r\nVersion=4.2\r\n\r\n[Data]\r\nBlock1=1,0,0,0,@C:\\Ljud\\hej.wav@\r\n"
                             "Layout1=0,C:\\Bilder\\sol.bmp,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,Sol\r\n";
    sets.Write("Program Files\\Skarpin\\set\\Skola\\A.ini", text);
    ASSERT_EQ(Carry::kDone, sets.Io().CopyOverlay("Skola", "A", "Hem", "A", 1).outcome);
    EXPECT_EQ(text, sets.Read(sets.OverlayPath("Hem", "A")));
    // Nothing came into the set's import folder, so none is made.
    EXPECT_FALSE(fw::PathExists(sets.Io().SetImportFolderPath("Hem")));
}

// When the media cannot be copied the overlay keeps the paths that still lead to them, and the
// caller hears that the copy or move was made but those media did not come along.
TEST(MediaBetweenSets, AFailedMediaCopyKeepsThePathAndIsReported)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Hem", "[Overlays]\r\n");
    const std::string picture = sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\bild.bmp", "BM");
    const std::string sound = sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\ljud.wav", "RIFF");
    // A file where the import folder should be.
    sets.Write("Program Files\\Skarpin\\set\\Hem\\import", "");
    std::string name = "A";
    ASSERT_EQ(FileIO::kSaved, sets.Io().SaveOverlay(name, 1, "Skola",
                                                    {PictureBlock(picture, "@" + sound + "@"), PictureBlock(picture)},
                                                    {}, KeyboardSettings()));

    const FileIO::CarryResult copied = sets.Io().CopyOverlay("Skola", "A", "Hem", "A", 1);
    EXPECT_EQ(Carry::kDonePartly, copied.outcome);
    EXPECT_EQ((std::vector<std::string>{picture, sound}), copied.notCarried);
    Overlay copy = Load(sets.Io(), sets.OverlayPath("Hem", "A"));
    ASSERT_EQ(2u, copy.keys.size());
    EXPECT_EQ(picture, copy.keys[0].picturePath_);
    EXPECT_EQ("A", ConfigFixture::Value(sets.RegisterPath("Hem"), "Overlays", "1"));

    const FileIO::CarryResult moved = sets.Io().MoveOverlay("Skola", "A", 1, "Hem", "B", 2);
    EXPECT_EQ(Carry::kDonePartly, moved.outcome);
    EXPECT_EQ((std::vector<std::string>{picture, sound}), moved.notCarried);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Hem", "B")));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "A")));

    // Nothing happened at all: another outcome.
    const FileIO::CarryResult none = sets.Io().CopyOverlay("Skola", "A", "Hem", "C", 3);
    EXPECT_EQ(Carry::kNotDone, none.outcome);
    EXPECT_TRUE(none.notCarried.empty());
}

// Whether a media file in the target's import folder is the same file: sizes first, then the
// contents block by block, so neither file is read whole.
TEST(MediaBetweenSets, MediaFilesAreComparedBySizeThenByContent)
{
    testsupport::TempFolder temp;
    std::string big(200 * 1024 + 17, 'x');
    for (size_t i = 0; i < big.size(); i += 4093)
        big[i] = static_cast<char>(i % 251);
    std::string lastByteDiffers = big;
    lastByteDiffers.back() = 'y';
    const std::string a = temp.Write("a.wav", big);
    const std::string b = temp.Write("b.wav", big);
    const std::string c = temp.Write("c.wav", lastByteDiffers);
    const std::string d = temp.Write("d.wav", big + "z");
    const std::string empty1 = temp.Write("e.wav", "");
    const std::string empty2 = temp.Write("f.wav", "");
    EXPECT_TRUE(storefile::SameContent(a, b));
    EXPECT_FALSE(storefile::SameContent(a, c));
    EXPECT_FALSE(storefile::SameContent(a, d));
    EXPECT_FALSE(storefile::SameContent(d, a));
    EXPECT_TRUE(storefile::SameContent(empty1, empty2));
    EXPECT_FALSE(storefile::SameContent(a, temp / "saknas.wav"));
}

TEST(MediaBetweenSets, ReplacingPrefixesInAnOverlay)
{
    OverlayFixture fixture;
    FileIO& io = fixture.IO();
    testsupport::TempFolder temp;
    const std::string oldFolder = temp / "Gamla";
    const std::string newFolder = temp / "Nya bilder med l\xE5nga namn";
    const std::string longPicture = temp.Write("Nya bilder med l\xE5nga namn\\en stor bild.bmp", "BM");
    temp.Write("Nya bilder med l\xE5nga namn\\bakgrundsbild.bmp", "BM");

    std::vector<Block> keys = {
        PictureBlock(oldFolder + "\\en stor bild.bmp"),
        PictureBlock("", "@A101+" + oldFolder + "\\ljud.wav@"),
        PictureBlock("", "@" + oldFolder + "\\Track01.cda@"),
        PictureBlock("", "@" + oldFolder + "\\film.avi@"),
        PictureBlock(oldFolder + " 2\\granne.bmp", "@" + oldFolder + " 2\\granne.wav@"),
        // A code of a base this machine lacks, and a part of a kind it does not know.
        PictureBlock("", "@B12+" + oldFolder + "\\x.wav@"),
        PictureBlock("", "@" + oldFolder + "\\x.xyz+'etikett'@"),
    };
    std::vector<Block> background = {PictureBlock(oldFolder + "\\bakgrundsbild.bmp")};
    ASSERT_EQ(FileIO::kSaved, fixture.Save("A", keys, background));

    ASSERT_TRUE(io.ReplaceOverlayPaths(OverlayFixture::kSet, "A", 1, oldFolder, newFolder, 1));
    std::vector<Block> readKeys, readBackground;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("A", readKeys, readBackground));
    ASSERT_EQ(7u, readKeys.size());
    // Shortened where the short-path flag asks for it: the same file by another name.
    char longPath[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetLongPathNameA(readKeys[0].picturePath_.c_str(), longPath, MAX_PATH));
    EXPECT_EQ(longPicture, std::string(longPath));
    // A picture code stays; the sound follows the folder.
    EXPECT_EQ("@A101+" + newFolder + "\\ljud.wav@", readKeys[1].command_);
    // A CD track is never rewritten.
    EXPECT_EQ("@" + oldFolder + "\\Track01.cda@", readKeys[2].command_);
    EXPECT_EQ("@" + newFolder + "\\film.avi@", readKeys[3].command_);
    // A sibling folder whose name begins the same way is another folder.
    EXPECT_EQ(oldFolder + " 2\\granne.bmp", readKeys[4].picturePath_);
    EXPECT_EQ("@" + oldFolder + " 2\\granne.wav@", readKeys[4].command_);
    // Only the paths change: what this machine does not understand is kept as it was.
    EXPECT_EQ("@B12+" + newFolder + "\\x.wav@", readKeys[5].command_);
    EXPECT_EQ("@" + newFolder + "\\x.xyz+'etikett'@", readKeys[6].command_);
    // Background pictures take the new folder but keep their long names.
    ASSERT_EQ(1u, readBackground.size());
    EXPECT_EQ(newFolder + "\\bakgrundsbild.bmp", readBackground[0].picturePath_);

    // Nothing to replace: the file stays as it is.
    const std::string before = testsupport::TempFolder::Read(fixture.OverlayFile("A"));
    ASSERT_TRUE(io.ReplaceOverlayPaths(OverlayFixture::kSet, "A", 1, temp / "Annan", newFolder, 0));
    EXPECT_EQ(before, testsupport::TempFolder::Read(fixture.OverlayFile("A")));
    EXPECT_FALSE(io.ReplaceOverlayPaths(OverlayFixture::kSet, "Saknas", 2, oldFolder, newFolder, 0));
}

TEST(MediaBetweenSets, RenamedSetKeepsItsOverlaysPathsIntoIt)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Skola 2", "[Overlays]\r\n");
    const std::string own = sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\bild.bmp", "BM");
    const std::string sibling = sets.Write("Program Files\\Skarpin\\set\\Skola 2\\import\\bild.bmp", "BM");
    std::string name = "A";
    ASSERT_EQ(FileIO::kSaved, sets.Io().SaveOverlay(name, 4, "Skola", {PictureBlock(own), PictureBlock(sibling)}, {},
                                                    KeyboardSettings()));

    ASSERT_EQ(Carry::kDone, sets.Io().RenameSet("Skola", "Klass").outcome);
    Overlay renamed = Load(sets.Io(), sets.OverlayPath("Klass", "A"));
    ASSERT_EQ(2u, renamed.keys.size());
    EXPECT_EQ(sets.SetPath("Klass") + "\\import\\bild.bmp", renamed.keys[0].picturePath_);
    EXPECT_EQ(sibling, renamed.keys[1].picturePath_);
    EXPECT_EQ("A", ConfigFixture::Value(sets.RegisterPath("Klass"), "Overlays", "4"));

    // An overlay that does not read whole is never saved by the store: the folder has its new name,
    // and the caller learns which overlay still names the old one.
    const std::string damaged = "[Version]\r\nVersion=5.0\r\n\r\n[Data]\r\nBlock1=2,0,17\r\n"
                                "Layout2=0," + sets.SetPath("Klass") + "\\import\\bild.bmp,(0,0,0),(0,0,0),,1,,,,0,1,\r\n";
    sets.Write("Program Files\\Skarpin\\set\\Klass\\B.ini", damaged);
    const FileIO::CarryResult result = sets.Io().RenameSet("Klass", "Skola");
    EXPECT_EQ(Carry::kDonePartly, result.outcome);
    EXPECT_EQ(std::vector<std::string>{"B"}, result.notCarried);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Skola", "A")));
    EXPECT_EQ(damaged, sets.Read(sets.OverlayPath("Skola", "B")));
    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Klass", "Skola").outcome);
}
