// The image-base store: the [ImageBases] list, the index files' categories and picture lines, and
// the writers read back by the readers.
#include "ImageBaseFiles.h"
#include "library/ImageBaseManager.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

namespace {

std::string Keys(const ImageBaseManager& manager)
{
    std::string keys;
    for (const ImageDirectory& base : manager.GetBases())
        keys += base.GetKey();
    return keys;
}

struct Picture {
    std::string code;
    std::string text;
    std::string file;
    int category;
};

std::vector<Picture> Pictures(const ImageBaseManager& manager)
{
    std::vector<Picture> pictures;
    for (const Image& image : manager.GetPictures())
        pictures.push_back({image.GetCode(), image.GetText(), image.GetFileName(), image.GetCategory()});
    return pictures;
}

void ExpectPictures(const std::vector<Picture>& expected, const ImageBaseManager& manager)
{
    std::vector<Picture> actual = Pictures(manager);
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].code, actual[i].code) << "picture " << i;
        EXPECT_EQ(expected[i].text, actual[i].text) << "picture " << i;
        EXPECT_EQ(expected[i].file, actual[i].file) << "picture " << i;
        EXPECT_EQ(expected[i].category, actual[i].category) << "picture " << i;
    }
}

} // namespace

TEST(ImageBaseList, DefaultBaseComesFirstOnceWhateverTheCaseOfItsLetter)
{
    struct Case {
        const char* defaultLine;
        const char* keys;
    };
    const Case cases[] = {
        {"Default=C", "CAÅÄÖ"},
        {"Default=c", "CAÅÄÖ"},   // not listed twice, and keyed by the upper-case letter
        {"Default=ö", "ÖACÅÄ"},   // the Swedish letters fold like the others
        {"Default=Äpple", "ÄACÅÖ"}, // only the first character counts
        {"Default=B", "ACÅÄÖ"},   // a letter without an entry: letter order only
        {"", "ACÅÄÖ"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", c.defaultLine,
                                                                    "Ö=o.ini,Ö-bas", "A=a.ini,A-bas", "Ä=ae.ini,Ä-bas",
                                                                    "C=c.ini,C-bas", "Å=aa.ini,Å-bas", "D="}));
        ImageBaseManager manager;
        manager.LoadBases(settings, 1);
        EXPECT_EQ(c.keys, Keys(manager)) << c.defaultLine;
    }
}

TEST(ImageBaseList, EntriesGiveIndexFileNameAndTheNumbersTheWriterWrites)
{
    struct Case {
        const char* entry;
        const char* name;
        int hasOptions;
        int first, second, third;
    };
    const Case cases[] = {
        {"X=x.ini,Djur", "Djur", 0, 0, 2, 0},
        {"X=x.ini,Djur,3,1,2", "Djur", 1, 3, 1, 2},           // the third number reads back
        {"X=x.ini,Djur,100,2000,-15", "Djur", 1, 100, 2000, -15}, // longer numbers do not shift
        {"X=x.ini,Djur,", "Djur", 1, 0, 0, 0},
        {"X=x.ini,Djur,7", "Djur", 1, 7, 0, 0},
        {"X=x.ini", "", 0, 0, 2, 0},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", c.entry}));
        ImageBaseManager manager;
        manager.LoadBases(settings, 1);
        ASSERT_EQ(1u, manager.GetBases().size()) << c.entry;
        const ImageDirectory& base = manager.GetBases()[0];
        EXPECT_EQ(c.name, base.GetName()) << c.entry;
        EXPECT_EQ(c.hasOptions, base.HasOptions()) << c.entry;
        EXPECT_EQ(c.hasOptions, base.GetOptions().GetPresent()) << c.entry;
        EXPECT_EQ(c.first, base.GetOptions().GetFirst()) << c.entry;
        EXPECT_EQ(c.second, base.GetOptions().GetSecond()) << c.entry;
        EXPECT_EQ(c.third, base.GetOptions().GetThird()) << c.entry;
        EXPECT_EQ(WindowsFolder() + "\\x.ini", base.GetIniPath()) << "a bare name lies in the Windows folder";
    }
}

TEST(ImageBaseList, ProgDirGivesFoldersWholeWithTheirDefaults)
{
    TempFolder folder;
    std::string longFolder = "C:\\" + std::string(300, 'b') + "\\bilder";
    std::string full = folder.Write("full.ini", IniText({"[ProgDir]", "Dir=" + longFolder, "Extension=jpeg",
                                                        "SoundDir=C:\\ljud", "LongImageDir=C:\\Långa bilder",
                                                        "LongSoundDir=C:\\Långt ljud"}));
    std::string bare = folder.Write("bare.ini", IniText({"[ProgDir]", "Dir=C:\\bilder", "SoundDir=C:\\ljud"}));
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", "A=" + full + ",Hel",
                                                                "B=" + bare + ",Kal", "C=" + (folder / "saknas.ini") + ",Borta"}));
    ImageBaseManager manager;
    manager.LoadBases(settings, 1);
    ASSERT_EQ(3u, manager.GetBases().size());

    const ImageDirectory& a = manager.GetBases()[0];
    EXPECT_EQ(full, a.GetIniPath()) << "a path stays as written";
    EXPECT_EQ(longFolder, a.GetDir()) << "no folder is cut to a fixed length";
    EXPECT_EQ("jpeg", a.GetExtension()) << "a four-letter extension is kept whole";
    EXPECT_EQ("C:\\ljud", a.GetSoundDir());
    EXPECT_EQ("C:\\Långa bilder", a.GetLongImageDir());
    EXPECT_EQ("C:\\Långt ljud", a.GetLongSoundDir());

    const ImageDirectory& b = manager.GetBases()[1];
    EXPECT_EQ("bmp", b.GetExtension());
    EXPECT_EQ("C:\\bilder", b.GetLongImageDir());
    EXPECT_EQ("C:\\ljud", b.GetLongSoundDir());

    const ImageDirectory& c = manager.GetBases()[2];
    EXPECT_EQ("", c.GetDir());
    EXPECT_EQ("bmp", c.GetExtension());

    // Loading again without clearing appends.
    manager.LoadBases(settings, 0);
    EXPECT_EQ(6u, manager.GetBases().size());
    manager.LoadBases(folder / "saknas.ini", 1);
    EXPECT_TRUE(manager.GetBases().empty()) << "a missing settings file gives no bases";
}

TEST(ImageBaseList, MetafileAndBitmapBasesTakeTheirSoundsFromTheSharedFolder)
{
    WindowsFileGuard shared("picwav.ini");
    ASSERT_TRUE(::WritePrivateProfileStringA("ProgDir", "Dir", "C:\\delat ljud", shared.Path().c_str()));
    TempFolder folder;
    std::string vireda = folder.Write("bas\\vireda.ini", IniText({"[ProgDir]", "Dir=C:\\wmf", "SoundDir=C:\\egen"}));
    std::string picbmp = folder.Write("bas\\picbmp.ini", IniText({"[ProgDir]", "Dir=C:\\bmp", "SoundDir=C:\\egen"}));
    std::string other = folder.Write("bas\\bilder.ini", IniText({"[ProgDir]", "SoundDir=C:\\egen"}));
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", "A=" + vireda + ",Wmf",
                                                                "B=" + picbmp + ",Bmp", "C=" + other + ",Annan"}));
    ImageBaseManager manager;
    manager.LoadBases(settings, 1);
    ASSERT_EQ(3u, manager.GetBases().size());
    EXPECT_EQ("C:\\delat ljud", manager.GetBases()[0].GetSoundDir());
    EXPECT_EQ("C:\\delat ljud", manager.GetBases()[1].GetSoundDir());
    EXPECT_EQ("C:\\egen", manager.GetBases()[2].GetSoundDir());
}

class ImageBasePictures : public testing::Test {
protected:
    // Each load writes new files: the ini interface may keep a file it has read in memory.
    void Load(const std::string& index, const std::string& labels = std::string())
    {
        std::string name = std::to_string(++loads);
        indexFile = folder.Write("bas" + name + ".ini", index);
        settings = folder.Write("imgbase" + name + ".ini", "[ImageBases]\r\n" + labels + "A=" + indexFile + ",Bas\r\n");
        manager.LoadBases(settings, 1);
        manager.LoadBase(0);
    }

    TempFolder folder;
    int loads = 0;
    std::string indexFile;
    std::string settings;
    ImageBaseManager manager;
};

TEST_F(ImageBasePictures, CategoriesGivePicturesInFileOrderWithTheirFiles)
{
    Load(IniText({"[ProgDir]", "Dir=C:\\bilder", "[Grupper]", "Antal=2", "1=Djur", "2=Mat",
                  "[Djur]", "Antal=5", "Kod=1",
                  "101=Hund",                  // file named by the code
                  "102=Katt,katten",
                  "103=Häst,häst,stor",        // further commas belong to the file name
                  "utan likhetstecken",         // skipped, and not counted
                  "104=",                       // no text: skipped
                  "=ingen kod",                 // no code: skipped
                  " 105 = Ko ",                 // nothing is trimmed
                  "106=Får",
                  "[Mat]", "Antal=1", "Kod=2", "201=Äpple"}));
    ASSERT_EQ(2u, manager.GetCategories().size());
    EXPECT_EQ("Djur", manager.GetCategories()[0].GetName());
    EXPECT_EQ("1", manager.GetCategories()[0].GetCodes());

    EXPECT_EQ(0, manager.LoadPictures(0, -1));
    ExpectPictures({{"101", "Hund", "101", 0},
                    {"102", "Katt", "katten", 0},
                    {"103", "Häst", "häst,stor", 0},
                    {" 105 ", " Ko ", " 105 ", 0},
                    {"106", "Får", "106", 0},
                    {"201", "Äpple", "201", 1}},
                   manager);

    EXPECT_EQ(0, manager.LoadPictures(0, 1));
    ExpectPictures({{"201", "Äpple", "201", 1}}, manager);
}

TEST_F(ImageBasePictures, ACountLargerThanItsSectionStopsAtTheNextSection)
{
    Load(IniText({"[Grupper]", "Antal=2", "1=Djur", "2=Mat",
                  "[Djur]", "Antal=40", "Kod=1", "101=Hund",
                  "[Mat]", "Antal=1", "Kod=2", "201=Äpple"}));
    EXPECT_EQ(0, manager.LoadPictures(0, -1));
    ExpectPictures({{"101", "Hund", "101", 0}, {"201", "Äpple", "201", 1}}, manager);
}

TEST_F(ImageBasePictures, ADamagedCategoryKeepsThePicturesReadBeforeIt)
{
    Load(IniText({"[Grupper]", "Antal=3", "1=Djur", "2=Mat", "3=Saker",
                  "[Djur]", "Antal=1", "Kod=1", "101=Hund",
                  "[Mat]", "Kod=2", "Antal=1", "201=Äpple",
                  "[Saker]", "Antal=1", "Kod=3", "301=Boll"}));
    EXPECT_EQ(1, manager.LoadPictures(0, -1));
    ExpectPictures({{"101", "Hund", "101", 0}}, manager);
}

TEST_F(ImageBasePictures, ABaseWithoutCategoriesEndsAtAnEmptyLineOrABracket)
{
    const char* endings[] = {"", "[Nästa]", "9=a [b]"};
    for (const char* ending : endings) {
        Load(IniText({"[ProgDir]", "Dir=C:\\bilder", "[bilder]", "1=Sol", "2=Måne,luna", ending, "3=Stjärna"}));
        EXPECT_TRUE(manager.GetCategories().empty());
        EXPECT_EQ(0, manager.LoadPictures(0, -1)) << ending;
        ExpectPictures({{"1", "Sol", "1", 0}, {"2", "Måne", "luna", 0}}, manager);
    }
}

TEST_F(ImageBasePictures, LabelsOfTheSettingsFileNameTheSectionsAndKeys)
{
    Load(IniText({"[Groups]", "Number=1", "1=Animals", "[Animals]", "Number=1", "Code=1", "101=Dog",
                  "[Images]", "1=Sun"}),
         IniText({"DialogGroups=Groups", "DialogNumber=Number", "DialogCode=Code", "DialogImages=Images"}));
    ASSERT_EQ(1u, manager.GetCategories().size());
    EXPECT_EQ("1", manager.GetCategories()[0].GetCodes());
    EXPECT_EQ(0, manager.LoadPictures(0, -1));
    ExpectPictures({{"101", "Dog", "101", 0}}, manager);
}

TEST_F(ImageBasePictures, GroupNamesAreReadByNumberAndADamagedCountCostsNothing)
{
    Load(IniText({"[Grupper]", "Antal=2000000000", "5=Fem", "2=Två", "3=", "01=Noll ett", "x=Ex",
                  "[Fem]", "Kod=5", "[Två]", "Kod=2"}));
    ASSERT_EQ(2u, manager.GetCategories().size());
    EXPECT_EQ("Två", manager.GetCategories()[0].GetName());
    EXPECT_EQ("2", manager.GetCategories()[0].GetCodes());
    EXPECT_EQ("Fem", manager.GetCategories()[1].GetName());

    Load(IniText({"[Grupper]", "Antal=1", "1=Ett", "2=Två"}));
    ASSERT_EQ(1u, manager.GetCategories().size()) << "names past the count are not categories";
}

TEST_F(ImageBasePictures, MissingFilesAndIndexesGiveNothing)
{
    Load(IniText({"[Bilder]", "1=Sol"}));
    EXPECT_EQ(1, manager.LoadPictures(5, -1));
    EXPECT_EQ(1, manager.LoadPictures(-1, -1));
    ::DeleteFileA(indexFile.c_str());
    EXPECT_EQ(1, manager.LoadPictures(0, -1));
    EXPECT_TRUE(manager.GetPictures().empty());
    manager.LoadBase(7);
    EXPECT_TRUE(manager.GetCategories().empty());
}

TEST(ImageBaseWriting, AWrittenBaseReadsBackWhole)
{
    WindowsFileGuard shared("picwav.ini");
    TempFolder folder;
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", "Default=B"}));

    ImageBaseOptions options(1, 3, 1, 2);
    ImageDirectory animals("B", folder / "djur.ini", "Djur", 1, &options);
    animals.SetDir("C:\\bilder\\djur");
    animals.SetSoundDir("C:\\ljud\\djur");
    animals.SetExtension("jpeg");
    ImageDirectory bitmaps("Ö", folder / "picbmp.ini", "Bitmappar", 0);
    bitmaps.SetDir("C:\\bmp");
    bitmaps.SetSoundDir("C:\\ljud\\bmp");
    bitmaps.SetExtension("bmp");

    ImageBaseManager writer;
    EXPECT_EQ(1, writer.WriteBase(settings, animals));
    EXPECT_EQ(1, writer.WriteBase(settings, bitmaps));
    ImageCategory dogs("1", "Hundar");
    dogs.SetPictures({Image("", "101", "Hund"), Image("valp", "102", "Valp"), Image("103", "103", "Tik")});
    ImageCategory fruit("2", "Frukt");
    fruit.SetPictures({Image("äpple,rött", "201", "Äpple")});
    EXPECT_EQ(1, writer.WriteCategories(settings, animals.GetIniPath(), {dogs, fruit}));

    ImageBaseManager reader;
    reader.LoadBases(settings, 1);
    ASSERT_EQ("BÖ", Keys(reader));
    const ImageDirectory& b = reader.GetBases()[0];
    EXPECT_EQ("Djur", b.GetName());
    EXPECT_EQ("C:\\bilder\\djur", b.GetDir());
    EXPECT_EQ("C:\\ljud\\djur", b.GetSoundDir());
    EXPECT_EQ("jpeg", b.GetExtension());
    EXPECT_EQ(1, b.HasOptions());
    EXPECT_EQ(3, b.GetOptions().GetFirst());
    EXPECT_EQ(1, b.GetOptions().GetSecond());
    EXPECT_EQ(2, b.GetOptions().GetThird());
    EXPECT_EQ("C:\\ljud\\bmp", reader.GetBases()[1].GetSoundDir()) << "the bitmap base's sounds go where they are read";
    EXPECT_EQ(0, reader.GetBases()[1].HasOptions());

    std::vector<ImageCategory>& edited = reader.LoadBaseForEditing(0);
    ASSERT_EQ(2u, edited.size());
    EXPECT_EQ("Hundar", edited[0].GetName());
    EXPECT_EQ("1", edited[0].GetCodes());
    ASSERT_EQ(3u, edited[0].GetPictures().size());
    EXPECT_EQ("101", edited[0].GetPictures()[0].GetFileName());
    EXPECT_EQ("valp", edited[0].GetPictures()[1].GetFileName());
    EXPECT_EQ("Tik", edited[0].GetPictures()[2].GetText());
    ASSERT_EQ(1u, edited[1].GetPictures().size());
    EXPECT_EQ("äpple,rött", edited[1].GetPictures()[0].GetFileName());

    // Moving the base to another letter drops the old entry.
    EXPECT_EQ(1, writer.WriteBase(settings, ImageDirectory("C", animals.GetIniPath(), "Djur", 0), "B"));
    reader.LoadBases(settings, 1);
    EXPECT_EQ("CÖ", Keys(reader));
}

// The long folders stay when a base is written again, and what a picture line or section name
// cannot carry is refused before anything is written.
TEST(ImageBaseWriting, LongFoldersStayAndWhatTheLinesCannotCarryIsRefused)
{
    TempFolder folder;
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]"}));
    std::string index = folder.Write("bas.ini", IniText({"[ProgDir]", "Dir=C:\\BILDER~1", "SoundDir=C:\\LJUD~1",
                                                         "LongImageDir=C:\\Bilder med namn",
                                                         "LongSoundDir=C:\\Ljud med namn", "[Bilder]", "1=sol"}));
    ImageBaseManager manager;
    ImageDirectory fresh("A", index, "Bas", 0);
    fresh.SetDir("C:\\BILDER~1");
    EXPECT_EQ(1, manager.WriteBase(settings, fresh));
    manager.LoadBases(settings, 1);
    ASSERT_EQ(1u, manager.GetBases().size());
    EXPECT_EQ("C:\\Bilder med namn", manager.GetBases()[0].GetLongImageDir());
    EXPECT_EQ("C:\\Ljud med namn", manager.GetBases()[0].GetLongSoundDir());

    ImageDirectory moved = manager.GetBases()[0];
    moved.SetLongImageDir("D:\\Nya bilder");
    EXPECT_EQ(1, manager.WriteBase(settings, moved));
    manager.LoadBases(settings, 1);
    EXPECT_EQ("D:\\Nya bilder", manager.GetBases()[0].GetLongImageDir());

    const std::string before = TempFolder::Read(index);
    struct Case {
        const char* what;
        ImageCategory category;
    };
    auto with = [](const char* name, Image picture) {
        ImageCategory category("1", name);
        category.SetPictures({picture});
        return category;
    };
    const Case cases[] = {
        {"a comma in a text", with("Djur", Image("", "1", "hund, stor"))},
        {"an equals sign in a code", with("Djur", Image("", "a=b", "hund"))},
        {"a line break in a text", with("Djur", Image("", "1", "hund\r\nkatt"))},
        {"a line break in a file name", with("Djur", Image("hund\n", "1", "hund"))},
        {"a bracket in a category name", with("Dj]ur", Image("", "1", "hund"))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, manager.WriteCategories(settings, index, {c.category})) << c.what;
        EXPECT_EQ(before, TempFolder::Read(index)) << c.what << ": nothing written";
    }
    // A comma in the file name is carried: the file is everything after the text's comma.
    EXPECT_EQ(1, manager.WriteCategories(settings, index, {with("Djur", Image("hund, stor", "1", "hund"))}));
}

TEST(ImageBaseWriting, OneCategoryNamedLikeThePicturesSectionWritesABaseWithoutCategories)
{
    TempFolder folder;
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]"}));
    std::string index = folder.Write("bas.ini", IniText({"[ProgDir]", "Dir=C:\\bilder", "[Grupper]", "Antal=1",
                                                         "1=Gammal", "[Gammal]", "Antal=1", "Kod=9", "901=Gammal"}));
    ImageCategory all("bilder");
    all.SetPictures({Image("", "1", "Sol"), Image("luna", "2", "Måne")});
    ImageBaseManager manager;
    EXPECT_EQ(1, manager.WriteCategories(settings, index, {all}));

    std::string written = TempFolder::Read(index);
    EXPECT_EQ(std::string::npos, written.find("[Grupper]"));
    EXPECT_EQ(std::string::npos, written.find("[Gammal]"));
    EXPECT_NE(std::string::npos, written.find("Dir=C:\\bilder")) << "the folders stay";

    ImageDirectory base("A", index, "Bas", 0);
    manager.WriteBase(settings, base);
    manager.LoadBases(settings, 1);
    std::vector<ImageCategory>& edited = manager.LoadBaseForEditing(0);
    ASSERT_EQ(1u, edited.size());
    EXPECT_EQ("Bilder", edited[0].GetName()) << "a base without categories edits as one category";
    ASSERT_EQ(2u, edited[0].GetPictures().size());
    EXPECT_EQ("luna", edited[0].GetPictures()[1].GetFileName());
}

TEST(ImageBaseWriting, DeleteBaseRemovesTheEntryAndRefusesASettingsFileItCannotWrite)
{
    TempFolder folder;
    std::string index = folder.Write("bas.ini", IniText({"[Bilder]", "1=Sol"}));
    std::string settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", "A=" + index + ",Bas", "B=b.ini,Annan"}));
    ImageBaseManager manager;
    manager.LoadBases(settings, 1);
    ImageDirectory a = manager.GetBases()[0];
    ImageDirectory b = manager.GetBases()[1];

    {
        LockedFile locked(settings);
        ASSERT_TRUE(locked.IsOpen());
        EXPECT_EQ(0, manager.DeleteBase(settings, a, 1));
        EXPECT_EQ(0, manager.DeleteBase(settings, b, 0)) << "a delete that cannot be written is no success";
    }
    manager.LoadBases(settings, 1);
    EXPECT_EQ("AB", Keys(manager)) << "a refused delete changes nothing";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(index.c_str()));

    EXPECT_EQ(1, manager.DeleteBase(settings, b, 0));
    manager.LoadBases(settings, 1);
    EXPECT_EQ("A", Keys(manager));

    EXPECT_EQ(1, manager.DeleteBase(settings, a, 1));
    manager.LoadBases(settings, 1);
    EXPECT_EQ("", Keys(manager));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(index.c_str())) << "the index file went to the recycle bin";
}
