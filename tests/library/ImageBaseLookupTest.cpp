// Picture codes to files and back, and the word search, over three bases of the kinds the programs
// meet: one with categories, one without, and the metafile base.
#include "ImageBaseFiles.h"
#include "library/FileStamp.h"
#include "library/FolderListing.h"
#include "library/ImageBaseManager.h"
#include <gtest/gtest.h>
#include <iterator>

using namespace testsupport;

namespace {

class ImageBaseLookup : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string& t = folder.Path();
        animalsIni = folder.Write("djur.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\bilder\\djur", "LongImageDir=" + t + "\\bilder\\Långa djur",
            "SoundDir=" + t + "\\ljud", "Extension=gif",
            "[Grupper]", "Antal=2", "1=Djur", "2=Mat",
            "[Djur]", "Antal=3", "Kod=1", "101=Hund", "102=Katt,katten", "103=Häst,häst.bild",
            "[Mat]", "Antal=3", "Kod=2", "201=Äpple", "202=Hundmat,mat", "101=Hund"}));
        plainIni = folder.Write("enkel.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\enkel\\", "SoundDir=" + t + "\\ljud\\",
            "[Bilder]", "1=Sol", "2=HUND,stor hund", "3=Måne,"}));
        viredaIni = folder.Write("wmf\\vireda.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\wmf", "Extension=wmf", "[Bilder]", "7=Öga", "8=hundar"}));
        settings = folder.Write("imgbase.ini", IniText({
            "[ImageBases]", "Default=B", "A=" + animalsIni + ",Djur och mat", "B=" + plainIni + ",Enkel,1,5,7",
            "Ö=" + viredaIni + ",Vireda,0,2,0"}));
        folder.Write("ljud\\101.wav", "RIFF");
        folder.Write("ljud\\1.wav", "RIFF");
    }

    WindowsFileGuard sharedSounds{"picwav.ini"}; // the metafile base's sound folder: none here
    TempFolder folder;
    std::string animalsIni;
    std::string plainIni;
    std::string viredaIni;
    std::string settings;
    ImageBaseManager manager;
};

} // namespace

TEST_F(ImageBaseLookup, CodesResolveToPictureWordAndSoundInEveryKindOfBase)
{
    const std::string& t = folder.Path();
    struct Case {
        std::string code;
        std::string picture;
        std::string text;
        std::string sound;
        int metafileBase;
    };
    const Case cases[] = {
        {"A101", t + "\\bilder\\djur\\101.gif", "Hund", t + "\\ljud\\101.wav", 0}, // file named by the code
        {"a101", t + "\\bilder\\djur\\101.gif", "Hund", t + "\\ljud\\101.wav", 0}, // key letter in lower case
        {"A102", t + "\\bilder\\djur\\katten.gif", "Katt", "", 0},                 // sound folder but no sound file
        {"A202", t + "\\bilder\\djur\\mat.gif", "Hundmat", "", 0},                 // found in the second category
        {"B2", t + "\\enkel\\stor hund.bmp", "HUND", "", 0},                        // folder ends in a backslash
        {"B1", t + "\\enkel\\1.bmp", "Sol", t + "\\ljud\\1.wav", 0},               // so does the sound folder
        {"B3", t + "\\enkel\\3.bmp", "Måne", "", 0},                                // an empty file after the comma
        {"ö7", t + "\\wmf\\7.wmf", "Öga", "", 1},                                   // the metafile base
    };
    for (const Case& c : cases) {
        std::string picture = "old", text = "old", sound = "old";
        ImageBaseOptions options;
        int metafileBase = -1;
        EXPECT_EQ(1, manager.ResolveCode(c.code, picture, text, options, &sound, settings, &metafileBase, 0)) << c.code;
        EXPECT_EQ(c.picture, picture) << c.code;
        EXPECT_EQ(c.text, text) << c.code;
        EXPECT_EQ(c.sound, sound) << c.code;
        EXPECT_EQ(c.metafileBase, metafileBase) << c.code;
    }
}

// The sound folder's listing is kept between look-ups: a sound recorded after one is found by the next.
TEST_F(ImageBaseLookup, ASoundMadeAfterALookUpIsFoundByTheNext)
{
    const unsigned long long later = filestamp::SystemNow() + 10ull * 10000000ull;
    folderlisting::SetClock([later] { return later; });
    auto sound = [&] {
        std::string picture, text, path = "old";
        ImageBaseOptions options;
        EXPECT_EQ(1, manager.ResolveCode("A102", picture, text, options, &path, settings, nullptr, 0));
        return path;
    };
    EXPECT_EQ("", sound());
    EXPECT_EQ("", sound());
    folder.Write("ljud\\Katten.wav", "RIFF");
    EXPECT_EQ(folder / "ljud\\katten.wav", sound());
    folderlisting::SetClock(nullptr);
    folderlisting::Clear();
}

TEST_F(ImageBaseLookup, UnresolvedCodesStillGiveTheBaseOptionsWhenTheLetterNamesABase)
{
    std::string picture = "old", text = "old";
    ImageBaseOptions options(9, 9, 9, 9);
    int metafileBase = -1;
    EXPECT_EQ(0, manager.ResolveCode("B99", picture, text, options, nullptr, settings, &metafileBase, 0));
    EXPECT_EQ("", picture);
    EXPECT_EQ("", text);
    EXPECT_EQ(1, options.GetPresent());
    EXPECT_EQ(1, options.GetFirst());
    EXPECT_EQ(5, options.GetSecond());
    EXPECT_EQ(7, options.GetThird());
    EXPECT_EQ(0, metafileBase);

    EXPECT_EQ(0, manager.ResolveCode("Ö", picture, text, options, nullptr, settings, &metafileBase, 1));
    EXPECT_EQ(1, metafileBase) << "a bare key letter names the base but no picture";

    options = ImageBaseOptions(9, 9, 9, 9);
    EXPECT_EQ(0, manager.ResolveCode("X1", picture, text, options, nullptr, settings, nullptr, 1));
    EXPECT_EQ(9, options.GetFirst()) << "no base, no options";
    EXPECT_EQ(0, manager.ResolveCode("", picture, text, options, nullptr, settings, nullptr, 0));

    // With the bases kept, the manager's own list is used, not the file.
    ImageBaseManager empty;
    EXPECT_EQ(0, empty.ResolveCode("A101", picture, text, options, nullptr, settings, nullptr, 1));
}

TEST_F(ImageBaseLookup, PathsGiveBackTheirCodes)
{
    const std::string& t = folder.Path();
    struct Case {
        std::string path;
        std::string code;
    };
    const Case cases[] = {
        {t + "\\bilder\\djur\\katten.gif", "A102"},
        {t + "\\BILDER\\DJUR\\KATTEN.jpg", "A102"},      // case and extension play no part
        {t + "\\bilder\\Långa djur\\101.gif", "A101"},   // the long picture folder
        {t + "\\bilder\\djur\\häst.bild.gif", "A103"},   // a dotted file name
        {t + "\\enkel\\stor hund.bmp", "B2"},            // a base folder written with its backslash
        {t + "\\wmf\\8.wmf", "Ö8"},
        {t + "\\bilder\\djur\\saknas.gif", ""},
        {t + "\\annan\\katten.gif", ""},
        {"katten.gif", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string code = "old";
        int found = manager.CodeFromPath(c.path, code, settings, 0);
        EXPECT_EQ(c.code.empty() ? 0 : 1, found) << c.path;
        if (!c.path.empty()) {
            EXPECT_EQ(c.code, code) << c.path;
        }
    }
}

TEST_F(ImageBaseLookup, WordSearchGoesBaseByBaseInFileOrderFoldingSwedishLetters)
{
    const std::string& t = folder.Path();
    manager.LoadBases(settings, 1);
    std::vector<Image> found;
    std::string word = "HUND";
    manager.FindImagesByText(word, found, 0);
    EXPECT_EQ("hund", word) << "the word is lower-cased in place";
    struct Hit {
        std::string path;
        std::string code;
        std::string text;
        int flag;
    };
    const Hit hits[] = {
        {t + "\\enkel\\stor hund.bmp", "B2", "hund", 0}, // the default base first
        {t + "\\bilder\\djur\\101.gif", "A101", "hund", 0},
        {t + "\\bilder\\djur\\mat.gif", "A202", "hundmat", 0},
        {t + "\\bilder\\djur\\101.gif", "A101", "hund", 0}, // listed in two categories, found twice
        {t + "\\wmf\\8.wmf", "Ö8", "hundar", 1},
    };
    ASSERT_EQ(std::size(hits), found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(hits[i].path, found[i].GetFileName()) << i;
        EXPECT_EQ(hits[i].code, found[i].GetCode()) << i;
        EXPECT_EQ(hits[i].text, found[i].GetText()) << i;
        EXPECT_EQ(hits[i].flag, found[i].GetFlag()) << i;
        EXPECT_EQ(-1, found[i].GetCategory()) << i;
    }

    struct Search {
        const char* word;
        int exact;
        std::vector<std::string> codes;
    };
    const Search searches[] = {
        {"hund", 1, {"B2", "A101", "A101"}},
        {"ÄPPLE", 1, {"A201"}},
        {"ÖG", 0, {"Ö7"}},
        {"Å", 0, {"B3"}},
        {"zebra", 0, {}},
    };
    for (const Search& search : searches) {
        std::string typed = search.word;
        manager.FindImagesByText(typed, found, search.exact);
        std::vector<std::string> codes;
        for (const Image& image : found)
            codes.push_back(image.GetCode());
        EXPECT_EQ(search.codes, codes) << search.word;
    }
}

TEST_F(ImageBaseLookup, CategoryAndOptionsOfACode)
{
    std::string category = "old";
    manager.GetCategoryOfCode("a205", category, settings);
    EXPECT_EQ("Mat", category);
    manager.GetCategoryOfCode("A999", category, settings);
    EXPECT_EQ("", category);
    manager.GetCategoryOfCode("B1", category, settings);
    EXPECT_EQ("", category) << "a base without categories";

    manager.LoadBases(settings, 1);
    ImageBaseOptions options(9, 9, 9, 9);
    manager.GetOptionsForKey("b1", options);
    EXPECT_EQ(5, options.GetSecond());
    manager.GetOptionsForKey("A101", options);
    EXPECT_EQ(0, options.GetPresent()) << "base A carries no numbers";
    options = ImageBaseOptions(9, 9, 9, 9);
    manager.GetOptionsForKey("Z1", options);
    manager.GetOptionsForKey("", options);
    EXPECT_EQ(9, options.GetFirst());
}
