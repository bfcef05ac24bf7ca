// What the command dialog's media fields accept, and the sound and video file names it makes.
#include "editor/KvoraCommandFields.h"
#include "library/ChooserFixture.h"
#include "library/ImageBaseFiles.h"
#include "library/MediaFiles.h"
#include "library/resource.h"
#include "library/Cp1252.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace kvora_command;
using namespace testsupport;

TEST(KvoraCommandFields, EveryFieldAcceptsAnExistingMediaFileOrAPictureCodeThatResolves)
{
    ChooserBases bases;
    TempFolder folder;
    const std::vector<std::string> videos = {"AVI", "MPEG"};
    for (const char* name : {"a.BMP", "b.jpeg", "c.wav", "d.Mp3", "e.cda", "f.avi", "g.mpeg", "h.mov", "i.txt"})
        folder.Write(name, "x");
    struct Case {
        std::string text;
        bool accepted;
    } cases[] = {
        {"", true},
        {folder / "a.BMP", true},
        {folder / "b.jpeg", true},
        {folder / "c.wav", true},
        {folder / "d.Mp3", true},
        {folder / "e.cda", true},
        {folder / "f.avi", true},
        {folder / "g.mpeg", true},    // a configured video beyond the built-in list
        {folder / "h.mov", false},    // a built-in video the configuration leaves out
        {folder / "i.txt", false},
        {folder / "saknas.bmp", false},
        {"A203", true},
        {"a203", true},               // the key letter in any case
        {"A999", false},              // a code the base lacks
        {"Q1", false},                // a key letter of no base
        {"A203456789", false},        // a long code the base lacks
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.accepted, IsAcceptedMedia(c.text, bases.Settings(), videos)) << c.text;
}

// One rule with the content string: a code is taken when it resolves, however long; and a file is
// taken by its whole path, never relative to whatever folder is current.
TEST(KvoraCommandFields, ALongCodeThatResolvesAndARelativeFileNameMadeWhole)
{
    TempFolder folder;
    const std::string index = folder.Write("lang.ini", IniText({"[ProgDir]", "Dir=" + folder / "bilder", "Extension=bmp",
                                                                 "[Bilder]", "LANGKOD1234=zebra"}));
    const std::string settings = folder.Write("imgbase.test.ini", IniText({"[ImageBases]", "L=" + index + ",L\xE5nga"}));
    folder.Write("bilder\\ljud.wav", "RIFF");
    CKvoraObject content;
    Fields fields;
    fields.picture = "LLANGKOD1234";
    fields.label = fields.speech = "zebra";  // the picture's word, as the dialog fills them in
    EXPECT_FALSE(CollectContent(fields, settings, {}, content));
    EXPECT_EQ("@LLANGKOD1234@", content.BuildContent());

    CurrentFolderGuard current(folder / "bilder");
    fields.sound = "ljud.wav";
    fields.speech.clear();
    EXPECT_FALSE(CollectContent(fields, settings, {}, content));
    EXPECT_EQ("@LLANGKOD1234+" + folder / "bilder\\ljud.wav@", content.BuildContent());
    fields.sound = "saknas.wav";
    EXPECT_EQ(static_cast<UINT>(IDS_KVORA_BAD_SOUND), CollectContent(fields, settings, {}, content).textId);
}

TEST(KvoraCommandFields, ARecordingIsAlwaysSavedAsAWaveFile)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\ljud\\hej.wav", "C:\\ljud\\hej.wav"},
        {"C:\\ljud\\hej.WAV", "C:\\ljud\\hej.WAV"},
        {"C:\\ljud\\hej.mp3", "C:\\ljud\\hej.wav"},
        {"C:\\ljud\\hej", "C:\\ljud\\hej.wav"},
        {"C:\\ljud\\hej.wave", "C:\\ljud\\hej.wav"},       // a longer extension would not read as a sound
        {"C:\\min.mapp\\hej", "C:\\min.mapp\\hej.wav"},    // a dot in a folder's name is no extension
        {"C:\\min.mapp\\hej.snd", "C:\\min.mapp\\hej.wav"},
    };
    for (const auto& [chosen, saved] : cases)
        EXPECT_EQ(saved, media::WithWaveExtension(chosen)) << chosen;
}

TEST(KvoraCommandFields, ANewSoundTakesTheFirstFreeNumber)
{
    TempFolder folder;
    EXPECT_EQ(folder / "1.wav", media::FirstFreeNumberedWave(folder.Path()));
    folder.Write("1.wav", "x");
    folder.Write("2.wav", "x");
    folder.Write("4.wav", "x");
    EXPECT_EQ(folder / "3.wav", media::FirstFreeNumberedWave(folder.Path()));
}

TEST(KvoraCommandFields, TheVideoFilterListsTheConfiguredExtensions)
{
    EXPECT_EQ("AVI,Mpeg|*.avi;*.mpeg|AVI|*.avi|Mpeg|*.mpeg|", VideoFilter({"AVI", "", "Mpeg"}));
    EXPECT_EQ("", VideoFilter({}));
}

TEST(KvoraCommandFields, ShortNamesAreLowerCaseAndNameTheSameFile)
{
    TempFolder folder;
    std::string path = folder.Write("En L\xE5ng Mapp\\Ett L\xE5ngt Namn.BMP", "x");
    std::string shortPath = ShortLowerPath(path);
    EXPECT_EQ(cp1252::Lower(shortPath), shortPath);
    char longPath[MAX_PATH * 2] = "";
    ASSERT_NE(0u, ::GetLongPathNameA(shortPath.c_str(), longPath, sizeof(longPath)));
    EXPECT_EQ(0, ::lstrcmpiA(path.c_str(), longPath));
    EXPECT_EQ(folder / "saknas.bmp", ShortLowerPath(folder / "saknas.bmp")) << "no short form: the path as it stands";
}
