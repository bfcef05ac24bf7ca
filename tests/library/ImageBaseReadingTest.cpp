// The image bases read through our ini reader give what the platform's ini calls give: every
// operation of the store, the code resolution and the word search run over bases full of the shapes
// users' files take, once each way, and the two transcripts compared line by line. Then the bases
// changed on disk between two calls, as another program or our own writers change them.
#include "ImageBaseFiles.h"
#include "library/ImageBaseManager.h"
#include "library/IniFileCache.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <sstream>

using namespace testsupport;

namespace {

std::string Describe(const ImageBaseOptions& options)
{
    std::ostringstream text;
    text << options.GetPresent() << "," << options.GetFirst() << "," << options.GetSecond() << "," << options.GetThird();
    return text.str();
}

std::string Describe(const Image& image)
{
    return image.GetCode() + "|" + image.GetText() + "|" + image.GetFileName() + "|" +
           std::to_string(image.GetCategory()) + "|" + std::to_string(image.GetFlag());
}

std::string Describe(const ImageDirectory& base)
{
    return base.GetKey() + "|" + base.GetName() + "|" + base.GetIniPath() + "|" + base.GetDir() + "|" +
           base.GetSoundDir() + "|" + base.GetLongImageDir() + "|" + base.GetLongSoundDir() + "|" +
           base.GetExtension() + "|" + std::to_string(base.HasOptions()) + "|" + Describe(base.GetOptions());
}

std::string Describe(const std::vector<ImageCategory>& categories)
{
    std::string text;
    for (const ImageCategory& category : categories) {
        text += "[" + category.GetName() + "|" + category.GetCodes();
        for (const Image& picture : category.GetPictures())
            text += " " + Describe(picture);
        text += "]";
    }
    return text;
}

std::string Describe(const std::vector<Image>& pictures)
{
    std::string text;
    for (const Image& picture : pictures)
        text += "{" + Describe(picture) + "}";
    return text;
}

class ImageBaseReading : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string& t = folder.Path();
        // Categories, with blanks, quotes, case, comments, duplicates and damage of every kind the ini
        // interface and the line reader meet.
        animals = folder.Write("djur.ini", IniText({
            "[ProgDir]", " Dir = " + t + "\\bilder\\djur ", "LongImageDir=\"" + t + "\\bilder\\Långa djur\"",
            "SoundDir=" + t + "\\ljud", "Extension=gif", "extension=png",
            "[Grupper]", "Antal=7", " 1 = Djur ", "2=Mat", "3=", "4=Saknas", "5=Dubbel", "07=Noll", "7=djur",
            "9=Över antalet",
            "[Djur]", "Antal=6", "Kod=1", "101=Hund", "102=Katt,katten", " 103 = Häst , häst.bild ", "1a=Bil",
            "104", "104=Fisk", "105=\"Kanin\",kanin", ";106=Kommentar", "=Utan kod",
            "[Mat]", "Antal=4", "Kod=2", "201=Äpple", "202=Hundmat,mat", "101=Hund igen", "102=,tom", "203=",
            "[Dubbel]", "Kod=9", "Antal=1", "901=Fel ordning",
            "[mat]", "Antal=1", "Kod=3", "301=Andra Mat",
            "[DJUR]", "108=Bara i andra"}));
        // No categories: the pictures section, a folder that ends in a backslash.
        plain = folder.Write("enkel.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\enkel\\", "SoundDir=" + t + "\\ljud\\",
            "[Bilder]", "1=Sol", "2=HUND,stor hund", "3=Måne,", "x=Kryss", "", "4=Efter tom rad"}));
        // The metafile base, whose sounds lie in picwav.ini's folder.
        vireda = folder.Write("wmf\\vireda.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\wmf", "Extension=wmf", "SoundDir=" + t + "\\fel",
            "[Bilder]", "7=Öga", "8=hundar", "9=Hund,hund"}));
        folder.Write("wmf\\picbmp.ini", IniText({"[ProgDir]", "Dir=" + t + "\\bmp", "[Bilder]", "5=Bmp-hund"}));
        ::WritePrivateProfileStringA("ProgDir", "Dir", (t + "\\wmfljud").c_str(), sharedSounds.Path().c_str());
        settings = folder.Write("imgbase.ini", IniText({
            "[ImageBases]", "Default=b", "A=" + animals + ",Djur och mat", "B=" + plain + ",Enkel,1,5,7",
            "C=" + t + "\\wmf\\picbmp.ini,Bitmappar,3,1,2", "D=" + t + "\\saknas.ini,Saknad",
            " Ö = " + vireda + ",Vireda,0,2,0", "E=", "F=bara namn", "ä=" + plain + ",Litet ä"}));
        // Another program's labels.
        otherSettings = folder.Write("imgbase.annat.ini", IniText({
            "[ImageBases]", "DialogGroups=Bilder", "DialogImages=Grupper", "DialogCode=\"Antal\"",
            "DialogNumber=Kod", "A=" + animals + ",Djur", "B=" + plain + ",Enkel"}));
        folder.Write("ljud\\101.wav", "RIFF");
        folder.Write("ljud\\1.wav", "RIFF");
        folder.Write("wmfljud\\7.wav", "RIFF");
    }

    // Everything the store, the resolver and the word search give for these bases, one line each.
    std::vector<std::string> Transcript()
    {
        std::vector<std::string> lines;
        const std::string& t = folder.Path();
        for (const std::string* file : {&settings, &otherSettings}) {
            ImageBaseManager manager;
            manager.LoadBases(*file, 1);
            for (const ImageDirectory& base : manager.GetBases())
                lines.push_back("base " + Describe(base));
            for (int i = -1; i <= static_cast<int>(manager.GetBases().size()); ++i) {
                manager.LoadBase(i);
                lines.push_back("LoadBase " + std::to_string(i) + " " + Describe(manager.GetCategories()));
                for (int k = -1; k <= static_cast<int>(manager.GetCategories().size()); ++k) {
                    int result = manager.LoadPictures(i, k);
                    lines.push_back("LoadPictures " + std::to_string(i) + " " + std::to_string(k) + " " +
                                    std::to_string(result) + " " + Describe(manager.GetPictures()) +
                                    Describe(manager.GetCategories()));
                }
                lines.push_back("LoadBaseForEditing " + std::to_string(i) + " " +
                                Describe(manager.LoadBaseForEditing(i)));
            }
            std::vector<ImageCategory> categories;
            manager.LoadCategories(*file, animals, categories);
            lines.push_back("LoadCategories " + Describe(categories));
        }

        const char* codes[] = {"A101", "a101", "A 101", "A101 ", "A\t101", "A1A", "a1a", "A103", "A104", "A105",
                               "A106", "A;106", "A", "A202", "A102", "A203", "A301", "A108", "A901", "A999", "",
                               "B2", "b2", "B x", "B4", "Ö7", "ö7", "Ö9", "C5", "D1", "E1", "F1", "X1", "ä1", "Ä2",
                               "A=", "A1010", "A10"};
        for (int keep = 0; keep <= 1; ++keep) {
            ImageBaseManager manager;
            if (keep)
                manager.LoadBases(settings, 1);
            for (const char* code : codes) {
                std::string picture = "old", text = "old", sound = "old";
                ImageBaseOptions options(9, 9, 9, 9);
                int metafile = -1;
                int result = manager.ResolveCode(code, picture, text, options, &sound, settings, &metafile, keep);
                lines.push_back(std::string("ResolveCode ") + code + " " + std::to_string(keep) + " " +
                                std::to_string(result) + " " + picture + "|" + text + "|" + sound + "|" +
                                Describe(options) + "|" + std::to_string(metafile) + "|" +
                                Describe(manager.GetCategories()));
                std::string category = "old";
                manager.GetCategoryOfCode(code, category, settings);
                options = ImageBaseOptions(9, 9, 9, 9);
                manager.GetOptionsForKey(code, options);
                lines.push_back(std::string("GetCategoryOfCode ") + code + " " + category + " " + Describe(options));
            }
        }

        const std::string paths[] = {t + "\\bilder\\djur\\katten.gif", t + "\\BILDER\\DJUR\\KATTEN.jpg",
                                     t + "\\bilder\\Långa djur\\101.gif", t + "\\bilder\\djur\\ häst.bild .gif",
                                     t + "\\enkel\\stor hund.bmp", t + "\\enkel\\3.bmp", t + "\\wmf\\8.wmf",
                                     t + "\\bmp\\5.bmp", t + "\\bilder\\djur\\saknas.gif", "katten.gif", ""};
        for (int keep = 0; keep <= 1; ++keep) {
            ImageBaseManager manager;
            if (keep)
                manager.LoadBases(settings, 1);
            for (const std::string& path : paths) {
                std::string code = "old";
                int result = manager.CodeFromPath(path, code, settings, keep);
                lines.push_back("CodeFromPath " + path + " " + std::to_string(keep) + " " + std::to_string(result) +
                                " " + code);
            }
        }

        ImageBaseManager manager;
        manager.LoadBases(settings, 1);
        const char* words[] = {"hund", "HUND", "", "a", "Å", "öga", "zebra", " fisk", "kanin"};
        for (const char* word : words) {
            for (int exact = 0; exact <= 1; ++exact) {
                std::string typed = word;
                std::vector<Image> found;
                manager.FindImagesByText(typed, found, exact);
                lines.push_back("FindImagesByText " + typed + " " + std::to_string(exact) + " " + Describe(found) +
                                Describe(manager.GetCategories()) + Describe(manager.GetPictures()));
            }
        }
        return lines;
    }

    WindowsFileGuard sharedSounds{"picwav.ini"};
    TempFolder folder;
    std::string animals;
    std::string plain;
    std::string vireda;
    std::string settings;
    std::string otherSettings;
};

void ExpectSameTranscripts(const std::vector<std::string>& platform, const std::vector<std::string>& ours)
{
    ASSERT_EQ(platform.size(), ours.size());
    for (size_t i = 0; i < platform.size(); ++i)
        EXPECT_EQ(platform[i], ours[i]);
}

void Rewrite(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

} // namespace

TEST_F(ImageBaseReading, EveryOperationGivesWhatThePlatformsIniCallsGive)
{
    std::vector<std::string> platform;
    {
        ini::PlatformReads through;
        platform = Transcript();
    }
    std::vector<std::string> ours = Transcript();
    ExpectSameTranscripts(platform, ours);
    // The transcript holds what it should: a resolved code, a word found, a picture of each kind of base.
    const std::string& t = folder.Path();
    auto holds = [&ours](const std::string& text) {
        for (const std::string& line : ours)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(holds("ResolveCode a101 0 1 " + t + "\\bilder\\djur\\101.gif|Hund|" + t + "\\ljud\\101.wav"));
    EXPECT_TRUE(holds("ResolveCode A 101 1 1 " + t + "\\bilder\\djur\\ 101.gif|Hund||"));
    EXPECT_TRUE(holds("ResolveCode Ö7 1 1 " + t + "\\wmf\\7.wmf|Öga|" + t + "\\wmfljud\\7.wav"));
    EXPECT_TRUE(holds("CodeFromPath " + t + "\\bmp\\5.bmp 0 1 C5"));
    EXPECT_TRUE(holds("{B2|hund|" + t + "\\enkel\\stor hund.bmp|-1|0}"));
}

TEST_F(ImageBaseReading, ABaseChangedBetweenTwoCallsIsSeenByTheNextCall)
{
    ImageBaseManager manager;
    std::string picture, text;
    ImageBaseOptions options;
    auto resolve = [&](const char* code) {
        text.clear();
        return manager.ResolveCode(code, picture, text, options, nullptr, settings, nullptr, 0) ? text : "-";
    };
    EXPECT_EQ("Hund", resolve("A101"));

    // Another program rewrites the index file: grown, with the same size (within the same tick of the
    // file system's clock as likely as not), then shrunk.
    const std::string index = TempFolder::Read(animals);
    auto rewriteDog = [&](const std::string& word) {
        std::string changed = index;
        changed.replace(changed.find("101=Hund"), 8, "101=" + word);
        Rewrite(animals, changed);
    };
    rewriteDog("Hundvalp");
    EXPECT_EQ("Hundvalp", resolve("A101"));
    rewriteDog("Valpvalp");
    EXPECT_EQ("Valpvalp", resolve("A101"));
    Rewrite(animals, IniText({"[Bilder]", "101=Kort"}));
    EXPECT_EQ("Kort", resolve("A101"));

    // Our own writers write through the platform; the next read sees what they wrote.
    manager.LoadBases(settings, 1);
    ASSERT_EQ("A", manager.GetBases()[1].GetKey());
    ImageDirectory base = manager.GetBases()[1];
    base.SetDir(folder / "nya bilder");
    ASSERT_EQ(1, manager.WriteBase(settings, base));
    std::vector<ImageCategory> categories(1, ImageCategory("Bilder"));
    std::vector<Image> pictures{Image("", "101", "Skriven")};
    categories[0].SetPictures(pictures);
    ASSERT_EQ(1, manager.WriteCategories(settings, animals, categories));
    EXPECT_EQ("Skriven", resolve("a101"));
    EXPECT_EQ(folder / "nya bilder\\101.bmp", picture);

    // The settings file loses the base, then the index file goes.
    ASSERT_EQ(1, manager.DeleteBase(settings, manager.GetBases()[1], 0));
    EXPECT_EQ("-", resolve("A101"));
    ASSERT_TRUE(::WritePrivateProfileStringA("ImageBases", "A", (animals + ",Djur").c_str(), settings.c_str()));
    EXPECT_EQ("Skriven", resolve("A101"));
    ASSERT_TRUE(::DeleteFileA(animals.c_str()));
    EXPECT_EQ("-", resolve("A101"));
}

// A fresh store takes the base records the last one made only while every file they came from is
// unchanged: an index file's folders, or picwav.ini's, changed behind an unchanged settings file.
TEST_F(ImageBaseReading, AFolderChangedBehindAnUnchangedSettingsFileIsSeenByTheNextCall)
{
    const std::string& t = folder.Path();
    std::string picture, text, sound;
    ImageBaseOptions options;
    auto resolve = [&](const char* code) {
        ImageBaseManager manager;
        return manager.ResolveCode(code, picture, text, options, &sound, settings, nullptr, 0) ? picture + "|" + sound
                                                                                                 : "-";
    };
    const std::string settingsBefore = TempFolder::Read(settings);
    EXPECT_EQ(t + "\\bilder\\djur\\101.gif|" + t + "\\ljud\\101.wav", resolve("A101"));
    EXPECT_EQ(t + "\\wmf\\7.wmf|" + t + "\\wmfljud\\7.wav", resolve("Ö7"));

    std::string index = TempFolder::Read(animals);
    index.replace(index.find(" Dir = "), 7 + t.size() + 13, "Dir=" + t + "\\annat");
    Rewrite(animals, index);
    EXPECT_EQ(t + "\\annat\\101.gif|" + t + "\\ljud\\101.wav", resolve("A101"));

    folder.Write("annat ljud\\7.wav", "RIFF");
    ASSERT_TRUE(::WritePrivateProfileStringA("ProgDir", "Dir", (t + "\\annat ljud").c_str(), sharedSounds.Path().c_str()));
    EXPECT_EQ(t + "\\wmf\\7.wmf|" + t + "\\annat ljud\\7.wav", resolve("Ö7"));
    EXPECT_EQ(settingsBefore, TempFolder::Read(settings));
}
