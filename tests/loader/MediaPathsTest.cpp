// Overlay media between sets and folder prefixes in overlay paths.
#include "SetFixture.h"
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
