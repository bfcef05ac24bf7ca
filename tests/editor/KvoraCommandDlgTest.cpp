// The command definition dialog in a real window over a throw-away configuration and image bases:
// opening on a stored command, the rule table of the boxes, OK and its refusals, the image-base pick
// with auto-fill, browsing, recording, Test and Stop with players and speech, and Cancel.
#include "editor/KvoraCommandDlg.h"
#include "library/RecordSoundDlg.h"
#include "EditorFixture.h"
#include "components/TextSpeaker.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "library/resource.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <deque>

using namespace editortest;
using namespace testsupport;

namespace {

// Every field and button the boxes act on, in the order the rule table names them.
std::string Enabled(HWND dialog)
{
    return EnabledStates(dialog, {IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, IDC_KVORA_IMAGEBASE,
                                  IDC_KVORA_BROWSE_IMAGE, IDC_KVORA_TEXT_CHECK, IDC_KVORA_TEXT, IDC_KVORA_SOUND_CHECK,
                                  IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND,
                                  IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH, IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO,
                                  IDC_KVORA_BROWSE_VIDEO});
}

// The five boxes: picture, text, sound, speech, video.
std::string Checked(HWND dialog)
{
    std::string states;
    for (int id : {IDC_KVORA_PICTURE_CHECK, IDC_KVORA_TEXT_CHECK, IDC_KVORA_SOUND_CHECK, IDC_KVORA_SPEECH_CHECK,
                   IDC_KVORA_VIDEO_CHECK})
        states += ::IsDlgButtonChecked(dialog, id) == BST_CHECKED ? '1' : '0';
    return states;
}

void Fill(HWND dialog, int box, int field, const std::string& text)
{
    if (::IsDlgButtonChecked(dialog, box) != BST_CHECKED)
        Check(dialog, box, true);
    SetText(dialog, field, text);
}

std::string TempFile(const char* name)
{
    char folder[MAX_PATH + 1] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Wine makes up its own short names: a short name is checked by the long name it leads back to.
bool NamesTheFile(const std::string& shortPath, const std::string& longPath)
{
    char path[MAX_PATH * 2] = "";
    if (::GetLongPathNameA(shortPath.c_str(), path, sizeof(path)) == 0)
        return false;
    return ::lstrcmpiA(path, longPath.c_str()) == 0;
}

class KvoraCommandDlgTest : public testing::Test {
protected:
    INT_PTR Run(const std::function<void(fw::Dialog&)>& script, BabTTS* engine = nullptr,
                TextSpeaker* speaker = nullptr, HWND parent = nullptr)
    {
        KvoraCommandDlg dialog(&settings(), command, 40, 30, autoFill, config.Bases().Settings(), engine, speaker,
                               shortNames, parent);
        return RunModal(dialog, script);
    }
    FileIO& settings() { return config.Settings(); }
    const ChooserBases& bases() const { return config.Bases(); }
    std::string HundPicture() const { return bases().AnimalsShortFolder() + "\\hund.bmp"; }

    CommandConfig config;
    PlayerLog players;
    TempFolder files;
    std::string command;
    int autoFill = 0;
    int shortNames = 0;
};

} // namespace

// ---- Opening ------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, OpensAtItsPlaceWithItsTextsAndThePlayerOverThePreview)
{
    for (int mode : {0, 1, 2, 7}) {
        SCOPED_TRACE(mode);
        autoFill = mode;
        shortNames = mode == 1 ? 1 : 0;
        players.made = 0;
        Run([&](fw::Dialog& d) {
            EXPECT_EQ("Kommando till Kvora-program", d.Self().Text());
            EXPECT_EQ("Ange kommando:", Text(d, IDC_KVORA_INFO1));
            EXPECT_EQ("Bild fr\xE5n bildbas", Text(d, IDC_KVORA_IMAGEBASE));
            EXPECT_EQ("Fyll i ev ljudfil automatiskt", Text(d, IDC_KVORA_AUTO_SOUND));
            EXPECT_EQ("Testa", Text(d, IDC_KVORA_TEST));
            EXPECT_EQ("V\xE4lj talsyntes", Text(d, IDC_KVORA_SELECT_TTS));
            EXPECT_EQ("Avbryt", Text(d, IDCANCEL));
            EXPECT_EQ(0u, Text(d, IDC_KVORA_SHORT).find("Skapa korta filnamn"));
            RECT window = d.Self().WindowRect();
            EXPECT_EQ(40, window.left);
            EXPECT_EQ(30, window.top);
            EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));
            int radio = mode == 1 ? IDC_KVORA_AUTO_TTS : mode == 2 ? IDC_KVORA_AUTO_SOUND : IDC_KVORA_AUTO_NONE;
            EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(d, radio));
            EXPECT_EQ(mode == 1, ::IsDlgButtonChecked(d, IDC_KVORA_SHORT) == BST_CHECKED);
            EXPECT_EQ("00000", Checked(d));
            EXPECT_EQ("111111111111111", Enabled(d));

            RECT frame = d.Item(IDC_KVORA_PREVIEW).RectInParent();
            EXPECT_EQ(1, players.made);
            EXPECT_EQ(frame.left + 2, players.rect.left);
            EXPECT_EQ(frame.bottom - 2, players.rect.bottom);
            Close(d, IDCANCEL);
        });
    }
}

TEST_F(KvoraCommandDlgTest, ThePlayerIsTheOneTheSettingNames)
{
    struct Case {
        const char* setting;
        int made;
        MediaPlayerKind kind;
    } cases[] = {{"1", 1, MediaPlayerKind::Classic}, {"0", 1, MediaPlayerKind::Modern},
                 {"5", 1, MediaPlayerKind::Modern}, {"-1", 0, MediaPlayerKind::Classic}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        CommandConfig own(std::string("MediaPlayer=") + c.setting + "\r\n");
        players.made = 0;
        players.kind = MediaPlayerKind::Classic;
        int mode = 0, names = 0;
        KvoraCommandDlg dialog(&own.Settings(), command, 0, 0, mode, own.Bases().Settings(), nullptr, nullptr, names);
        RunModal(dialog, [&](fw::Dialog& d) { Close(d, IDCANCEL); });
        EXPECT_EQ(c.made, players.made);
        EXPECT_EQ(c.kind, players.kind);
    }
}

TEST_F(KvoraCommandDlgTest, AStoredCommandFillsTheFieldsAndTheirBoxes)
{
    const std::string sound = files.Write("ljud\\sol.wav", "RIFF");
    const std::string picture = files.Write("bilder\\sol.bmp", "BM");
    const std::string video = files.Write("film\\hav.avi", "RIFF");
    struct Case {
        std::string command;
        std::string picture, label, sound, speech, video;
        const char* checked;  // picture, text, sound, speech, video
        const char* enabled;
    } cases[] = {
        // A code brings its word as label and speech.
        {"@A203@", "A203", "hund", "", "hund", "", "11010", "111111000011000"},
        {"@A203+''@", "A203", "", "", "hund", "", "10010", "111111000011000"},
        {"@" + picture + "+'Sol'+" + sound + "@", picture, "Sol", sound, "", "", "11100", "111111111100000"},
        {"@'hej'+\"hall\xE5\"@", "", "hej", "", "hall\xE5", "", "01010", "111111000011000"},
        {"@" + video + "+'havet'@", "", "havet", "", "", video, "01001", "000000000000111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        command = c.command;
        Run([&](fw::Dialog& d) {
            EXPECT_EQ(c.picture, Text(d, IDC_KVORA_PICTURE));
            EXPECT_EQ(c.label, Text(d, IDC_KVORA_TEXT));
            EXPECT_EQ(c.sound, Text(d, IDC_KVORA_SOUND));
            EXPECT_EQ(c.speech, Text(d, IDC_KVORA_SPEECH));
            EXPECT_EQ(c.video, Text(d, IDC_KVORA_VIDEO));
            EXPECT_EQ(c.checked, Checked(d));
            EXPECT_EQ(c.enabled, Enabled(d));
            Close(d, IDOK);
        });
        EXPECT_EQ(c.command, command) << "OK without a change builds the same command";
    }
}

// OK without a change gives the command back as it came, also in a form the dialog would not write.
TEST_F(KvoraCommandDlgTest, OkWithoutAChangeKeepsTheCommandByteForByte)
{
    for (const char* stored : {"@+'Hej'@", "@A203+'hund'@", "@'a<b'@"}) {
        command = stored;
        Run([&](fw::Dialog& d) { Close(d, IDOK); });
        EXPECT_EQ(stored, command);
    }
}

TEST_F(KvoraCommandDlgTest, WithShortNamesAStoredPictureShowsInItsShortLowerCaseForm)
{
    const std::string picture = files.Write("En L\xE5ng Mapp\\Ett L\xE5ngt Namn.bmp", "BM");
    command = "@" + picture + "@";
    shortNames = 1;
    std::string shown;
    Run([&](fw::Dialog& d) {
        shown = Text(d, IDC_KVORA_PICTURE);
        Close(d, IDCANCEL);
    });
    EXPECT_NE(picture, shown);
    EXPECT_TRUE(NamesTheFile(shown, picture));
}

// ---- The boxes ------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, EachBoxEnablesAndDisablesTheFieldsOfTheRuleTable)
{
    // Fields in the order of Enabled(): picture box, field, both picture buttons, text box, field,
    // sound box, field, button, record, speech box, field, video box, field, button.
    struct Step {
        int box;
        bool on;
    };
    const int P = IDC_KVORA_PICTURE_CHECK, S = IDC_KVORA_SOUND_CHECK, T = IDC_KVORA_SPEECH_CHECK,
              V = IDC_KVORA_VIDEO_CHECK;
    struct Case {
        const char* what;
        std::vector<Step> steps;
        const char* enabled;
    } cases[] = {
        {"picture", {{P, true}}, "111111111111000"},
        {"picture and off again", {{P, true}, {P, false}}, "111111111111111"},
        {"sound", {{S, true}}, "111111111100000"},
        {"sound and off again", {{S, true}, {S, false}}, "111111111111111"},
        {"picture, sound and sound off: the picture keeps the video off", {{P, true}, {S, true}, {S, false}},
         "111111111111000"},
        {"speech", {{T, true}}, "111111000011000"},
        {"speech and off again", {{T, true}, {T, false}}, "111111111111111"},
        {"picture, speech, picture off: speech keeps its own", {{P, true}, {T, true}, {P, false}},
         "111111000011000"},
        {"picture, speech and speech off", {{P, true}, {T, true}, {T, false}}, "111111111111000"},
        {"video", {{V, true}}, "000000000000111"},
        {"video and off again", {{V, true}, {V, false}}, "111111111111111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Run([&](fw::Dialog& d) {
            for (const Step& step : c.steps)
                Check(d, step.box, step.on);
            EXPECT_EQ(c.enabled, Enabled(d));
            Close(d, IDCANCEL);
        });
    }
}

TEST_F(KvoraCommandDlgTest, TypingALabelOrASpeechSwitchesItsBox)
{
    Run([&](fw::Dialog& d) {
        SetText(d, IDC_KVORA_TEXT, "hej");
        SetText(d, IDC_KVORA_SPEECH, "hej hopp");
        EXPECT_EQ("01010", Checked(d));
        EXPECT_EQ("111111111111111", Enabled(d)) << "typing applies no rule";
        SetText(d, IDC_KVORA_TEXT, "");
        SetText(d, IDC_KVORA_SPEECH, "");
        EXPECT_EQ("00000", Checked(d));
        Close(d, IDCANCEL);
    });
}

// ---- OK --------------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, OkTakesACommandOf256CharactersAndRefuses257KeepingTheCallersString)
{
    for (size_t length : {256u, 257u}) {
        SCOPED_TRACE(length);
        command = "@'gammal'@";
        ScriptedMessages messages;
        if (length > KvoraCommandDlg::kMaxLength)
            messages.Expect(IDS_KVORA_TOO_LONG);
        INT_PTR result = Run([&](fw::Dialog& d) {
            SetText(d, IDC_KVORA_TEXT, "");
            SetText(d, IDC_KVORA_SPEECH, std::string(length - 4, 'a'));  // "@" quote text quote "@"
            Click(d, IDOK);
            if (::IsWindowVisible(d))
                Close(d, IDCANCEL);
        });
        if (length == 256) {
            EXPECT_EQ(IDOK, result);
            EXPECT_EQ("@\"" + std::string(252, 'a') + "\"@", command);
        } else {
            EXPECT_EQ(IDCANCEL, result);
            EXPECT_EQ("@'gammal'@", command) << "a refused command leaves the caller's string alone";
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_EQ("Kommandot f\xE5r inte vara l\xE4ngre \xE4n 256 tecken!", messages.Shown()[0].text);
            EXPECT_EQ("Felmeddelande", messages.Shown()[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), messages.Shown()[0].type);
        }
    }
}

TEST_F(KvoraCommandDlgTest, OkRefusesWhatTheCommandCannotCarryAndTakesAnyMediaInAnyField)
{
    const std::string wav = files.Write("ljud\\ton.wav", "RIFF");
    const std::string mpeg = files.Write("film\\hav.mpeg", "x");
    const std::string mov = files.Write("film\\hav.mov", "x");
    const std::string plus = files.Write("bilder\\sol+m\xE5ne.bmp", "BM");
    const std::string text = files.Write("text.txt", "x");
    const int P = IDC_KVORA_PICTURE, L = IDC_KVORA_TEXT, S = IDC_KVORA_SOUND, T = IDC_KVORA_SPEECH, V = IDC_KVORA_VIDEO;
    struct Field {
        int id;
        std::string text;
    };
    struct Case {
        const char* what;
        std::vector<Field> fields;
        UINT refusal;          // 0: accepted
        std::string expected;  // the command on acceptance, or a part of the message
    } cases[] = {
        {"a picture file that does not exist", {{P, files / "saknas.bmp"}}, IDS_KVORA_BAD_PICTURE,
         "Bild \xE4r felaktigt angiven!"},
        {"a code that does not resolve", {{P, "A999"}}, IDS_KVORA_BAD_PICTURE, "Bild"},
        {"a file of another kind", {{P, text}}, IDS_KVORA_BAD_PICTURE, "Bild"},
        {"a sound that does not exist", {{S, files / "saknas.wav"}}, IDS_KVORA_BAD_SOUND,
         "Ljud \xE4r felaktigt angivet!"},
        {"a video kind the settings leave out", {{V, mov}}, IDS_KVORA_BAD_VIDEO, "Video \xE4r felaktigt angivet!"},
        {"a sound in the picture field is the sound", {{P, wav}}, 0, "@" + wav + "@"},
        {"a configured video in the picture field is the video", {{P, mpeg}}, 0, "@" + mpeg + "@"},
        {"a configured video in the sound field is the video", {{S, mpeg}}, 0, "@" + mpeg + "@"},
        {"a picture in the sound field beside a code would be lost", {{P, "A203"}, {S, HundPicture()}},
         IDS_KVORA_BAD_SOUND, "Ljud"},
        {"a label with a single quote", {{L, "it's"}}, IDS_KVORA_BAD_LABEL, "' eller tecknet @"},
        {"a label with the delimiter", {{L, "a@b"}}, IDS_KVORA_BAD_LABEL, "tecknet @"},
        {"a speech with a double quote", {{T, "s\xE4g \"hej\""}}, IDS_KVORA_BAD_SPEECH, "\" eller tecknet @"},
        // In a block's command a '<' opens a tag.
        {"a label with a '<'", {{L, "a<b"}}, IDS_KVORA_LABEL_IN_COMMAND, "', tecknet < eller tecknet @"},
        {"a speech with a '<'", {{T, "1 < 2"}}, IDS_KVORA_SPEECH_IN_COMMAND, "\", tecknet < eller tecknet @"},
        {"a code's own label with a '<'", {{P, "a203"}, {L, "<vovve>"}}, IDS_KVORA_LABEL_IN_COMMAND, "tecknet <"},
        {"a picture path with a plus", {{P, plus}}, IDS_KVORA_BAD_PATH, plus},
        {"a code with its own label and speech", {{P, "a203"}, {L, "vovve"}, {T, "en hund"}}, 0,
         "@a203+'vovve'+\"en hund\"@"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        command.clear();
        ScriptedMessages messages;
        if (c.refusal)
            messages.Expect(c.refusal);
        INT_PTR result = Run([&](fw::Dialog& d) {
            for (const Field& field : c.fields) {
                int box = field.id == P ? IDC_KVORA_PICTURE_CHECK : field.id == L ? IDC_KVORA_TEXT_CHECK
                          : field.id == S ? IDC_KVORA_SOUND_CHECK : field.id == T ? IDC_KVORA_SPEECH_CHECK
                          : IDC_KVORA_VIDEO_CHECK;
                Fill(d, box, field.id, field.text);
            }
            Click(d, IDOK);
            if (::IsWindowVisible(d))
                Close(d, IDCANCEL);
        });
        if (c.refusal) {
            EXPECT_EQ(IDCANCEL, result) << "the dialog stayed open";
            EXPECT_EQ("", command);
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(c.expected)) << messages.Shown()[0].text;
            EXPECT_EQ("Felmeddelande", messages.Shown()[0].caption);
        } else {
            EXPECT_EQ(IDOK, result);
            EXPECT_EQ(c.expected, command);
        }
    }
}

TEST_F(KvoraCommandDlgTest, TheDelimiterIsThePrefixSettingAndAnEmptyOneGivesTheAtSign)
{
    for (const char* prefix : {"#", "", "%%"}) {
        SCOPED_TRACE(prefix);
        CommandConfig own(std::string("Prefix=") + prefix + "\r\nMediaPlayer=-1\r\n");
        const char delimiter = *prefix ? *prefix : '@';
        std::string stored = std::string(1, delimiter) + "A203+'vovve'" + delimiter;
        int mode = 0, names = 0;
        KvoraCommandDlg dialog(&own.Settings(), stored, 0, 0, mode, own.Bases().Settings(), nullptr, nullptr, names);
        RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_EQ("A203", Text(d, IDC_KVORA_PICTURE)) << "read with the same delimiter";
            EXPECT_EQ("vovve", Text(d, IDC_KVORA_TEXT));
            SetText(d, IDC_KVORA_TEXT, "hund");
            Close(d, IDOK);
        });
        EXPECT_EQ(std::string(1, delimiter) + "A203" + delimiter, stored);
    }
}

// ---- Cancel ----------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, CancelKeepsTheCommandButNotTheShortNameBoxOrTheAutoFillMode)
{
    command = "@'hej'@";
    INT_PTR result = Run([&](fw::Dialog& d) {
        SetText(d, IDC_KVORA_TEXT, "ny");
        Check(d, IDC_KVORA_SHORT, true);
        Check(d, IDC_KVORA_AUTO_SOUND, true);
        EXPECT_EQ(2, autoFill) << "a radio writes its mode at once";
        Close(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("@'hej'@", command);
    EXPECT_EQ(1, shortNames);
    EXPECT_EQ(2, autoFill);

    Run([&](fw::Dialog& d) {
        Check(d, IDC_KVORA_SHORT, false);
        Check(d, IDC_KVORA_AUTO_TTS, true);
        Close(d, IDOK);
    });
    EXPECT_EQ(0, shortNames);
    EXPECT_EQ(1, autoFill);
}

// ---- The image base ------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, APictureFromAnImageBaseFillsLabelAndSpeechOrSoundByTheAutoFillMode)
{
    struct Case {
        int mode;
        const char* base;  // in the chooser
        const char* category;
        const char* word;
        std::string picture, label, sound, speech;
        const char* checked;
    } cases[] = {
        {1, "Djur", "Husdjur", "hund", "A203", "hund", "", "hund", "11010"},
        {2, "Djur", "Husdjur", "hund", "A203", "hund", bases().SoundFolder() + "\\hund.wav", "", "11100"},
        {0, "Djur", "Vilda", "zebra", "A102", "zebra", "", "", "11000"},
        // A base without options leaves the label empty.
        {1, "Saker", nullptr, "stol", "B2", "", "", "stol", "10010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.word);
        autoFill = c.mode;
        Run([&](fw::Dialog& d) {
            // Whatever the fields held before.
            Fill(d, IDC_KVORA_TEXT_CHECK, IDC_KVORA_TEXT, "gammal");
            OnNextDialog([&](fw::Dialog& chooser) {
                EXPECT_EQ(IDD_IMAGEBASE, static_cast<int>(chooser.TemplateId()));
                EXPECT_EQ("Djur", chooser.Item(IDC_IMAGEBASE_BASES).Text()) << "the default base first";
                fw::ComboBox bases = chooser.Control<fw::ComboBox>(IDC_IMAGEBASE_BASES);
                SelectCombo(chooser, IDC_IMAGEBASE_BASES, bases.FindExact(c.base));
                if (c.category) {
                    fw::ComboBox categories = chooser.Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES);
                    SelectCombo(chooser, IDC_IMAGEBASE_CATEGORIES, categories.FindExact(c.category));
                }
                SelectList(chooser, IDC_IMAGEBASE_PICTURES,
                           chooser.Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).FindExact(c.word));
                Close(chooser, IDOK);
            });
            Click(d, IDC_KVORA_IMAGEBASE);
            EXPECT_EQ(c.picture, Text(d, IDC_KVORA_PICTURE));
            EXPECT_EQ(c.label, Text(d, IDC_KVORA_TEXT));
            EXPECT_EQ(c.sound, Text(d, IDC_KVORA_SOUND));
            EXPECT_EQ(c.speech, Text(d, IDC_KVORA_SPEECH));
            EXPECT_EQ(c.checked, Checked(d));
            Close(d, IDCANCEL);
        });
    }
}

TEST_F(KvoraCommandDlgTest, TheImageBaseChooserOpensOnThePictureOfTheField)
{
    struct Case {
        std::string field;
        const char* code;  // what the chooser has selected, by what OK returns
    } cases[] = {{"A202", "A202"}, {bases().AnimalsLongFolder() + "\\katt.bmp", "A201"}, {"A999", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Run([&](fw::Dialog& d) {
            Fill(d, IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, c.field);
            OnNextDialog([&](fw::Dialog& chooser) {
                bool selected = chooser.Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).Selection() >= 0;
                EXPECT_EQ(*c.code != '\0', selected);
                Close(chooser, selected ? IDOK : IDCANCEL);
            });
            Click(d, IDC_KVORA_IMAGEBASE);
            EXPECT_EQ(*c.code ? c.code : c.field, Text(d, IDC_KVORA_PICTURE));
            Close(d, IDCANCEL);
        });
    }
}

// ---- Browsing ------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, BrowsingTakesTheChosenFileAndRemembersItsFolder)
{
    const std::string picture = files.Write("Mina Bilder\\Stor Sol.bmp", "BM");
    const std::string video = files.Write("film\\hav.avi", "RIFF");
    settings().SetImageDir(files / "start");
    FileDialogs dialogs;
    dialogs.answers = {picture, picture, video};
    Run([&](fw::Dialog& d) {
        Click(d, IDC_KVORA_BROWSE_IMAGE);
        EXPECT_EQ(picture, Text(d, IDC_KVORA_PICTURE));
        EXPECT_EQ("100" "00", Checked(d));
        // With short names the field takes the short, lower-case form; the field's file is the start.
        Check(d, IDC_KVORA_SHORT, true);
        Click(d, IDC_KVORA_BROWSE_IMAGE);
        EXPECT_NE(picture, Text(d, IDC_KVORA_PICTURE));
        EXPECT_TRUE(NamesTheFile(Text(d, IDC_KVORA_PICTURE), picture));
        Check(d, IDC_KVORA_PICTURE_CHECK, false);
        Check(d, IDC_KVORA_SHORT, false);
        Click(d, IDC_KVORA_BROWSE_VIDEO);
        EXPECT_EQ(video, Text(d, IDC_KVORA_VIDEO));
        EXPECT_EQ("00001", Checked(d));
        Close(d, IDCANCEL);
    });
    ASSERT_EQ(3u, dialogs.seen.size());
    EXPECT_EQ("Bl\xE4" "ddra bild", dialogs.seen[0].title);
    EXPECT_EQ("", dialogs.seen[0].startName);
    EXPECT_EQ(files / "start", dialogs.seen[0].folder) << "the stored folder while the field is empty";
    EXPECT_EQ(picture, dialogs.seen[1].startName);
    EXPECT_EQ("", dialogs.seen[1].folder);
    EXPECT_EQ(0u, dialogs.seen[0].filter.find("EMF,BMP,GIF,ICO,JPG,PCX,PNG,TIFF,WMF|"));
    EXPECT_EQ("Bl\xE4" "ddra video", dialogs.seen[2].title);
    EXPECT_EQ("AVI,MPEG|*.avi;*.mpeg|AVI|*.avi|MPEG|*.mpeg|", dialogs.seen[2].filter);
    for (const auto& seen : dialogs.seen)
        EXPECT_EQ(static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY),
                  seen.flags & (OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY));
    std::string folder;
    settings().GetImageDir(folder);
    EXPECT_EQ(files / "Mina Bilder", folder);
    settings().GetVideoDir(folder);
    EXPECT_EQ(files / "film", folder);
}

TEST_F(KvoraCommandDlgTest, BrowsingForASoundStartsAtThePicturesSoundAndNeedsAPlayer)
{
    const std::string sound = files.Write("ljud\\skall.wav", "RIFF");
    autoFill = 2;
    {
        FileDialogs dialogs;
        dialogs.answers = {sound};
        Run([&](fw::Dialog& d) {
            Fill(d, IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, "A203");
            Click(d, IDC_KVORA_BROWSE_SOUND);
            EXPECT_EQ(sound, Text(d, IDC_KVORA_SOUND));
            EXPECT_EQ("10100", Checked(d));
            Close(d, IDCANCEL);
        });
        ASSERT_EQ(1u, dialogs.seen.size());
        EXPECT_EQ(bases().SoundFolder() + "\\hund.wav", dialogs.seen[0].startName);
        EXPECT_EQ("Bl\xE4" "ddra ljud", dialogs.seen[0].title);
        EXPECT_EQ(0u, dialogs.seen[0].filter.find("CDA,MID,MP3,M4A, RMI,WAV,WMA|"));
        std::string folder;
        settings().GetSoundDir(folder);
        EXPECT_EQ(files / "ljud", folder);
    }

    CommandConfig silent("MediaPlayer=-1\r\n");
    FileDialogs none;
    int mode = 2, names = 0;
    KvoraCommandDlg dialog(&silent.Settings(), command, 0, 0, mode, silent.Bases().Settings(), nullptr, nullptr, names);
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_KVORA_BROWSE_SOUND);
        EXPECT_TRUE(none.seen.empty()) << "no player, no chooser";
        Close(d, IDCANCEL);
    });
}

// ---- Recording -------------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, ARecordingIsSavedUnderAWaveNameAndReplacesNoFileUnasked)
{
    const std::string autoSounds = settings().autoSoundFolder_;
    auto write = [](const std::string& path, const std::string& content) {
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(file);
    };
    write(autoSounds + "\\1.wav", "x");
    write(autoSounds + "\\2.wav", "x");
    const std::string existing = files.Write("sparat\\finns.wav", "gammalt");
    // A recording an earlier run left where the old dialog recorded: never offered as a new one.
    const std::string stale = TempFile("kvora.wav");
    write(stale, "RIFF-gammal");

    struct Case {
        const char* what;
        std::string picture;
        std::vector<std::string> answers;  // the save dialog's, in turn
        std::vector<int> questions;        // answers to "replace?"
        std::string proposal, saved;       // saved: "" when nothing is
    } cases[] = {
        {"mp3 becomes wav", "", {files / "sparat\\ny.mp3"}, {}, autoSounds + "\\3.wav", files / "sparat\\ny.wav"},
        {"no extension", "", {files / "sparat\\namn"}, {}, autoSounds + "\\3.wav", files / "sparat\\namn.wav"},
        {"the picture's name is proposed", "A203", {files / "sparat\\hund.wav"}, {}, autoSounds + "\\hund.wav",
         files / "sparat\\hund.wav"},
        {"an existing wav under the new name: No asks again", "", {files / "sparat\\finns.mp3", files / "sparat\\annat"},
         {IDNO}, autoSounds + "\\3.wav", files / "sparat\\annat.wav"},
        {"an existing wav under the new name: Yes replaces it", "", {files / "sparat\\finns.snd"}, {IDYES},
         autoSounds + "\\3.wav", existing},
        {"the save dialog cancelled", "", {""}, {}, autoSounds + "\\3.wav", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(existing, "gammalt");
        FileDialogs dialogs;
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        ScriptedMessages messages;
        for (int answer : c.questions)
            messages.Expect(IDS_KVORA_REPLACE_SOUND, answer);
        std::string recording;
        Run([&](fw::Dialog& d) {
            if (!c.picture.empty())
                Fill(d, IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, c.picture);
            OnNextDialog([&](fw::Dialog& recorder) {
                EXPECT_EQ(IDD_RECORD_SOUND, static_cast<int>(recorder.TemplateId()));
                recording = static_cast<RecordSoundDlg&>(recorder).Path();
                EXPECT_FALSE(fw::PathExists(recording)) << "a new file for each recording";
                EXPECT_EQ("", Text(recorder, IDC_RECORD_FILE)) << "nothing recorded yet";
                write(recording, "RIFF-inspelning");
                Close(recorder, IDOK);
            });
            Click(d, IDC_KVORA_RECORD_SOUND);
            EXPECT_EQ(c.saved, Text(d, IDC_KVORA_SOUND));
            EXPECT_EQ(!c.saved.empty(), ::IsDlgButtonChecked(d, IDC_KVORA_SOUND_CHECK) == BST_CHECKED);
            Close(d, IDCANCEL);
        });
        ASSERT_FALSE(dialogs.seen.empty());
        EXPECT_TRUE(dialogs.seen[0].save);
        EXPECT_EQ(c.proposal, dialogs.seen[0].startName);
        EXPECT_EQ("Spara ljud", dialogs.seen[0].title);
        EXPECT_EQ("Ljudfiler (*.wav)|*.wav|", dialogs.seen[0].filter);
        EXPECT_TRUE(dialogs.seen[0].flags & OFN_OVERWRITEPROMPT);
        if (c.questions.size() == 1 && c.questions[0] == IDNO) {
            ASSERT_EQ(2u, dialogs.seen.size());
            EXPECT_EQ(files / "sparat\\finns.wav", dialogs.seen[1].startName);
            EXPECT_EQ("gammalt", TempFolder::Read(existing)) << "not replaced";
        }
        if (!c.saved.empty()) {
            EXPECT_EQ("RIFF-inspelning", TempFolder::Read(c.saved));
        }
        EXPECT_FALSE(fw::PathExists(recording)) << "the recording's own file is gone";
    }

    // A recording dialog that is cancelled: no save dialog, and the recording is dropped. One closed
    // with OK before anything was recorded saves nothing either, the old file notwithstanding.
    FileDialogs none;
    for (bool cancelled : {true, false}) {
        std::string recording;
        Run([&](fw::Dialog& d) {
            OnNextDialog([&](fw::Dialog& recorder) {
                recording = static_cast<RecordSoundDlg&>(recorder).Path();
                if (cancelled)
                    write(recording, "RIFF");
                Close(recorder, cancelled ? IDCANCEL : IDOK);
            });
            Click(d, IDC_KVORA_RECORD_SOUND);
            EXPECT_EQ("", Text(d, IDC_KVORA_SOUND));
            Close(d, IDCANCEL);
        });
        EXPECT_FALSE(fw::PathExists(recording));
    }
    EXPECT_EQ("RIFF-gammal", TempFolder::Read(stale)) << "another run's file is left alone";
    ::DeleteFileA(stale.c_str());
}

// ---- Test and Stop -------------------------------------------------------------------------------

TEST_F(KvoraCommandDlgTest, TestShowsThePictureInThePreview)
{
    Run([&](fw::Dialog& d) {
        Fill(d, IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, HundPicture());
        Click(d, IDC_KVORA_TEST);
        RECT frame = d.Item(IDC_KVORA_PREVIEW).RectInParent();
        ::UpdateWindow(d);
        HDC dc = ::GetDC(d);
        COLORREF middle = ::GetPixel(dc, (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
        COLORREF corner = ::GetPixel(dc, frame.left + 4, frame.top + 4);
        ::ReleaseDC(d, dc);
        EXPECT_EQ(RGB(200, 0, 0), middle);
        EXPECT_EQ(RGB(255, 255, 255), corner) << "filled white around the picture";
        EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP)) << "nothing plays";
        Close(d, IDCANCEL);
    });
}

TEST_F(KvoraCommandDlgTest, TestPlaysTheSoundOrVideoThroughThePlayerAndStopStopsIt)
{
    const std::string mp3 = files.Write("ljud\\s\xE5ng.mp3", "ID3");
    const std::string wav = files.Write("ljud\\ton.wav", "RIFF");
    const std::string video = files.Write("film\\hav.avi", "RIFF");
    Run([&](fw::Dialog& d) {
        Fill(d, IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, mp3);
        Click(d, IDC_KVORA_TEST);
        EXPECT_EQ("open " + mp3, players.calls.back());
        EXPECT_TRUE(IsVisible(d, IDC_KVORA_STOP));
        // The player tells the end of the file.
        NMMEDIAPLAYER end{{nullptr, IDC_KVORA_PLAYER, MPN_ENDOFSTREAM}, 0};
        ::SendMessageA(d, WM_NOTIFY, IDC_KVORA_PLAYER, reinterpret_cast<LPARAM>(&end));
        EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));

        Click(d, IDC_KVORA_TEST);
        Click(d, IDC_KVORA_STOP);
        EXPECT_EQ("stop", players.calls.back());
        EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));

        // A WAVE file goes to MCI, which has no sound device here: nothing plays and Stop stays hidden.
        SetText(d, IDC_KVORA_SOUND, wav);
        size_t before = players.calls.size();
        Click(d, IDC_KVORA_TEST);
        EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));
        for (size_t i = before; i < players.calls.size(); ++i)
            EXPECT_EQ(std::string::npos, players.calls[i].find("open")) << players.calls[i];

        Check(d, IDC_KVORA_SOUND_CHECK, false);
        Fill(d, IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, video);
        Click(d, IDC_KVORA_TEST);
        EXPECT_EQ("open " + video, players.calls.back());
        EXPECT_TRUE(IsVisible(d, IDC_KVORA_STOP));
        Close(d, IDCANCEL);
    });
    EXPECT_EQ("stop", players.calls.back()) << "closing stops the player";
}

TEST_F(KvoraCommandDlgTest, TestSpeaksWithTheTextSpeakerControlOnlyWhenSpeechIsChosen)
{
    FakeSpeakerControl control;
    control.voices = {"Anna"};
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(&control));
    for (int choice : {0, 4}) {
        SCOPED_TRACE(choice);
        settings().SetTextToSpeech(choice);
        control.calls.clear();
        Run(
            [&](fw::Dialog& d) {
                SetText(d, IDC_KVORA_SPEECH, "hej");
                Click(d, IDC_KVORA_TEST);
                EXPECT_EQ(choice == 4, IsVisible(d, IDC_KVORA_STOP));
                EXPECT_EQ(choice == 4, std::find(control.calls.begin(), control.calls.end(), "speak hej") !=
                                           control.calls.end());
                // The main window tells the end of speech to the window in front.
                ::SendMessageA(d, WM_USER + 144, 0, 0);
                EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));
                Close(d, IDCANCEL);
            },
            nullptr, &speaker);
    }
}

TEST_F(KvoraCommandDlgTest, TestSpeaksWithTheEngineAndItsEndHidesStop)
{
    InstalledEngine engine;
    ASSERT_TRUE(engine.Started());
    settings().SetTextToSpeech(4);
    Run(
        [&](fw::Dialog& d) {
            SetText(d, IDC_KVORA_SPEECH, "hej hopp");
            Click(d, IDC_KVORA_TEST);
            EXPECT_TRUE(IsVisible(d, IDC_KVORA_STOP));
            EXPECT_TRUE(PumpUntil([&] { return !IsVisible(d, IDC_KVORA_STOP); })) << "the engine's end reaches us";
            Close(d, IDCANCEL);
        },
        &engine.Engine());
}

// The notices go back to the window that had them (the main window), whichever window opened the
// dialog (here none).
TEST_F(KvoraCommandDlgTest, StopAndClosingEndTheEnginesSpeechAndGiveItsNoticesBackToTheWindowThatHadThem)
{
    InstalledEngine engine("100000");  // a text that would take minutes
    ASSERT_TRUE(engine.Started());
    settings().SetTextToSpeech(4);
    RecordingWindow owner(0x2000, 0x2009);
    ASSERT_TRUE(engine.Engine().SetCallbackWindow(owner.Handle()));
    Run(
        [&](fw::Dialog& d) {
            SetText(d, IDC_KVORA_SPEECH, "en mycket l\xE5ng text");
            Click(d, IDC_KVORA_TEST);
            EXPECT_TRUE(IsVisible(d, IDC_KVORA_STOP));
            Click(d, IDC_KVORA_STOP);
            EXPECT_FALSE(IsVisible(d, IDC_KVORA_STOP));
            // A short text now ends at once: the long one no longer stands before it.
            engine.SetSpeechTime("1");
            SetText(d, IDC_KVORA_SPEECH, "kort");
            Click(d, IDC_KVORA_TEST);
            EXPECT_TRUE(PumpUntil([&] { return !IsVisible(d, IDC_KVORA_STOP); }));
            // Closing while a long text is spoken ends it too.
            engine.SetSpeechTime("100000");
            SetText(d, IDC_KVORA_SPEECH, "en mycket l\xE5ng text igen");
            Click(d, IDC_KVORA_TEST);
            Close(d, IDCANCEL);
        },
        &engine.Engine(), nullptr, nullptr);
    EXPECT_EQ(owner.Handle(), engine.Engine().CallbackWindow());

    engine.SetSpeechTime("1");
    EXPECT_EQ(0, engine.Engine().Speak("x"));
    EXPECT_TRUE(PumpUntil([&] { return owner.Count(WM_BABTTS_SPEECH_END) == 1; }))
        << "the owner hears the end of the next text";
}

TEST_F(KvoraCommandDlgTest, TheVoiceButtonStoresTheSpeechChoiceOnOk)
{
    InstalledEngine engine;
    ASSERT_TRUE(engine.Started());
    settings().SetTextToSpeech(0);
    for (int ending : {IDCANCEL, IDOK}) {
        Run(
            [&](fw::Dialog& d) {
                OnNextDialog([&](fw::Dialog& speech) {
                    EXPECT_EQ(IDD_SPEECH, static_cast<int>(speech.TemplateId()));
                    Check(speech, IDC_SPEECH_ENGINE, true);
                    Close(speech, ending);
                });
                Click(d, IDC_KVORA_SELECT_TTS);
                Close(d, IDCANCEL);
            },
            &engine.Engine());
        EXPECT_EQ(ending == IDOK ? 4 : 0, settings().GetTextToSpeech());
    }
}
