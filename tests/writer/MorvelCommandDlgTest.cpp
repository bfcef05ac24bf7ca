// Morvel's own command dialog: its field rules as tables, and the real dialog on template 142 with a
// fixture image base, driven by messages.
#include "MorvelConfig.h"
#include "PictureFixtures.h"
#include "ScriptedPlayer.h"
#include "library/BabTTS.h"
#include "library/MediaFiles.h"
#include "library/RecordSoundDlg.h"
#include "framework/Files.h"
#include "support/TempFolder.h"
#include "framework/Prompt.h"
#include "library/resource.h"
#include "support/SpeechTestSupport.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "writer/FileIO.h"
#include "writer/KvoraCommandDlg.h"
#include "writer/MorvelCommandFields.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>

namespace {

using testsupport::Check;
using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::SetText;
using testsupport::Text;

class MorvelCommand : public testing::Test {
protected:
    MorvelCommand()
    {
        imageBaseIni = config.WriteImageBase();
        for (const std::string& path : {config.Temp() / "bas\\12.bmp", config.Temp() / "bas\\13.bmp"})
            fixtures::SaveWithCodec(fixtures::QuadrantPicture(40, 30), L"image/bmp", path);
        picture = config.Temp() / "bild.bmp";
        fixtures::SaveWithCodec(fixtures::QuadrantPicture(40, 30), L"image/bmp", picture);
        sound = config.Write("ljud.wav", "RIFF");
        text = config.Write("text.txt", "x");
        config.Write("windows\\Morvel.ini", "[Directories]\r\nExe=" + config.ProgramFolder() +
                                                "\r\n[Defaults]\r\nMediaPlayer=-1\r\n");
        io = std::make_unique<FileIO>(config.Environment());
        settings = std::make_unique<Settings>(config.Environment());
        settings->userDir_ = config.Temp() / "Dokument";
        ::CreateDirectoryA(settings->userDir_.c_str(), nullptr);
    }

    // Runs the dialog on a content string; the script ends it.
    INT_PTR Run(std::string& content, const std::function<void(fw::Dialog&)>& script)
    {
        KvoraCommandDlg dialog(io.get(), settings.get(), &content, nullptr, nullptr);
        return testsupport::RunModal(dialog, script);
    }

    MorvelConfig config;
    std::string imageBaseIni, picture, sound, text;
    std::unique_ptr<FileIO> io;
    std::unique_ptr<Settings> settings;
};

TEST_F(MorvelCommand, PictureAndSoundPartsAreAcceptedAsFilesOfKnownKindsOrShortCodes)
{
    const struct {
        const char* name;
        std::string part;
        bool accepted;
    } cases[] = {
        {"empty", "", true},
        {"a picture file", picture, true},
        {"a sound file (either kind in either field)", sound, true},
        {"a file of another kind", text, false},
        {"a missing picture file", config.Temp() / "saknas.bmp", false},
        {"a code of the image base", "A12", true},
        {"a code the base has not", "A99", false},
        {"a code of ten characters", "A123456789", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.accepted, morvel_command::IsAcceptedPart(c.part, imageBaseIni)) << c.name;
}

TEST_F(MorvelCommand, ContentStringOfTheFieldsIsRefusedWhenItCouldNotBeReadBack)
{
    const struct {
        const char* name;
        morvel_command::Fields fields;
        UINT refusal;
        std::string content;
    } cases[] = {
        {"code, caption and speech", {"A12", "Fido", "Voff", ""}, 0, "@A12+'Fido'+\"Voff\"@"},
        {"a sound file", {"A13", "", "", sound}, 0, "@A13+''+" + sound + "@"},
        {"a bad picture", {"A123456789", "", "", ""}, IDS_KVORA_BAD_PICTURE, ""},
        {"a bad sound", {"A12", "", "", text}, IDS_KVORA_BAD_SOUND, ""},
        {"a quote in the caption", {"A12", "Kalles 'hund'", "", ""}, IDS_KVORA_BAD_LABEL, ""},
        {"the delimiter in the speech", {"A12", "", "mail@hem", ""}, IDS_KVORA_BAD_SPEECH, ""},
        {"over 1000 characters", {"A12", "", std::string(1000, 'a'), ""}, IDS_KVORA_TOO_LONG, ""},
    };
    for (const auto& c : cases) {
        std::string content;
        const morvel_command::Refusal refusal = morvel_command::BuildContent(c.fields, imageBaseIni, content);
        EXPECT_EQ(c.refusal, refusal.textId) << c.name;
        EXPECT_EQ(c.content, content) << c.name;
    }
}

TEST_F(MorvelCommand, RecordingNames)
{
    EXPECT_EQ("C:\\a\\ljud.wav", media::WithWaveExtension("C:\\a\\ljud"));
    EXPECT_EQ("C:\\a\\ljud.wav", media::WithWaveExtension("C:\\a\\ljud.mp3"));
    EXPECT_EQ("C:\\a\\ljud.WAV", media::WithWaveExtension("C:\\a\\ljud.WAV"));
    EXPECT_EQ("C:\\a.b\\ljud.wav", media::WithWaveExtension("C:\\a.b\\ljud"));

    const std::string folder = settings->userDir_;
    EXPECT_EQ(folder + "\\1.wav", morvel_command::RecordingProposal("", folder, imageBaseIni));
    config.Write("Dokument\\1.wav", "RIFF");
    EXPECT_EQ(folder + "\\2.wav", morvel_command::RecordingProposal("", folder, imageBaseIni));
    EXPECT_EQ(folder + "\\12.wav", morvel_command::RecordingProposal("A12", folder, imageBaseIni));
    EXPECT_EQ(folder + "\\bild.wav", morvel_command::RecordingProposal(picture, folder, imageBaseIni));
    EXPECT_EQ("", morvel_command::RecordingProposal("A99", folder, imageBaseIni));
}

TEST_F(MorvelCommand, DialogFillsItsFieldsAndGivesTheContentBackWithoutNegation)
{
    std::string content = "@!A12+'Fido'+\"Voff\"@";
    const INT_PTR result = Run(content, [&](fw::Dialog& dialog) {
        EXPECT_EQ("Kommando till Kvora-program", dialog.Self().Text());
        EXPECT_EQ("A12", Text(dialog, IDC_KVORA_PICTURE));
        EXPECT_TRUE(dialog.IsChecked(IDC_KVORA_PICTURE_CHECK));
        EXPECT_EQ("Fido", Text(dialog, IDC_KVORA_TEXT));
        EXPECT_TRUE(dialog.IsChecked(IDC_KVORA_TEXT_CHECK));
        EXPECT_EQ("Voff", Text(dialog, IDC_KVORA_SPEECH));
        EXPECT_TRUE(dialog.IsChecked(IDC_KVORA_SPEECH_CHECK));
        // Speech and sound exclude each other; Morvel has no video, speech-engine or short-name row.
        EXPECT_FALSE(IsEnabled(dialog, IDC_KVORA_SOUND));
        for (int id : {IDC_KVORA_VIDEO, IDC_KVORA_VIDEO_CHECK, IDC_KVORA_SELECT_TTS, IDC_KVORA_SHORT})
            EXPECT_FALSE(testsupport::IsVisible(dialog, id)) << id;
        Click(dialog, IDC_KVORA_TEST);
        EXPECT_TRUE(static_cast<KvoraCommandDlg&>(dialog).Preview().HasPicture());
        testsupport::Snapshot(dialog, "morvel_command");
        // Unchecking speech gives the sound row back.
        Check(dialog, IDC_KVORA_SPEECH_CHECK, false);
        EXPECT_TRUE(IsEnabled(dialog, IDC_KVORA_SOUND));
        Check(dialog, IDC_KVORA_SPEECH_CHECK, true);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("@A12+'Fido'+\"Voff\"@", content);
}

// "Testa" speaks the speech through the engine, which says 0 when it started: STOP is then shown.
TEST_F(MorvelCommand, TestSpeaksThroughTheEngineAndShowsStop)
{
    TestEngine installed(config.Temp() / "engine");
    BabTTS engine;
    ASSERT_TRUE(engine.InitEngine() && engine.CreateInstance());
    std::string voice;
    ASSERT_TRUE(engine.EnumVoice(0, voice));
    RecordingWindow ends(0x2000, 0x2009);
    ASSERT_TRUE(engine.OpenVoice(voice, ends.Handle()));
    settings->speechEngine_ = 1;
    std::string content = "@A12+\"Voff\"@";
    KvoraCommandDlg dialog(io.get(), settings.get(), &content, nullptr, &engine);
    testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_FALSE(testsupport::IsVisible(d, IDC_KVORA_STOP));
        Click(d, IDC_KVORA_TEST);
        EXPECT_TRUE(testsupport::IsVisible(d, IDC_KVORA_STOP));
        Click(d, IDCANCEL);
    });
    engine.Reset();
}

// The sound chooser offers every kind the players take, a recording's WAV and a CD's tracks among them.
TEST_F(MorvelCommand, TheSoundChooserOffersEverySoundKind)
{
    std::vector<std::string> filter;
    fw::CommonDialogHandlers handlers;
    handlers.openFile = [&](OPENFILENAMEA& request) {
        for (const char* part = request.lpstrFilter; part && *part; part += std::strlen(part) + 1)
            filter.push_back(part);
        return false;
    };
    fw::SetCommonDialogHandlers(handlers);
    ::WritePrivateProfileStringA("Defaults", "MediaPlayer", "1", config.MorvelIni().c_str());
    std::vector<std::string> log;
    ScriptedPlayers players(log);
    std::string content = "@A12@";
    Run(content, [&](fw::Dialog& dialog) {
        Check(dialog, IDC_KVORA_SPEECH_CHECK, false);
        Check(dialog, IDC_KVORA_SOUND_CHECK, true);
        Click(dialog, IDC_KVORA_BROWSE_SOUND);
        Click(dialog, IDCANCEL);
    });
    fw::SetCommonDialogHandlers({});
    ASSERT_EQ(16u, filter.size());
    EXPECT_EQ("CDA,MID,MP3,M4A,RMI,WAV,WMA", filter[0]);
    EXPECT_EQ("*.cda;*.mid;*.mp3;*.m4a;*.rmi;*.wav;*.wma", filter[1]);
    EXPECT_EQ("WAV", filter[12]);
    EXPECT_EQ("*.WAV", filter[13]);
}

// "Spela in ljud": the name typed gets ".wav" before anything is checked, so a file under that name is
// asked about before it is replaced; No asks for another name.
TEST_F(MorvelCommand, ARecordingNeverReplacesAWaveFileUnasked)
{
    const std::string existing = config.Write("sparat\\finns.wav", "gammalt");
    const std::string folder = config.Temp() / "sparat";
    const struct {
        const char* what;
        std::vector<std::string> names; // typed into the save dialog, in turn
        std::vector<int> questions;     // answers to "replace?"
        std::string saved;              // "" when nothing is saved
        std::string existingAfter;
    } cases[] = {
        {"a new name without .wav", {folder + "\\ny"}, {}, folder + "\\ny.wav", "gammalt"},
        {"an existing name without .wav: No asks again", {folder + "\\finns", folder + "\\annat"}, {IDNO},
         folder + "\\annat.wav", "gammalt"},
        {"an existing name without .wav: Yes replaces it", {folder + "\\finns"}, {IDYES}, existing, "RIFF-ny"},
        {"an existing name with .wav: Yes replaces it", {existing}, {IDYES}, existing, "RIFF-ny"},
        {"cancelled", {}, {}, "", "gammalt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        config.Write("sparat\\finns.wav", "gammalt");
        size_t asked = 0;
        fw::CommonDialogHandlers handlers;
        handlers.saveFile = [&](OPENFILENAMEA& request) {
            if (asked >= c.names.size())
                return false;
            const std::string& name = c.names[asked++];
            std::strncpy(request.lpstrFile, name.c_str(), request.nMaxFile - 1);
            return true;
        };
        fw::SetCommonDialogHandlers(handlers);
        testsupport::ScriptedMessages messages;
        for (int answer : c.questions)
            messages.Expect(IDS_KVORA_REPLACE_SOUND, answer);
        std::string content = "@A12@";
        Run(content, [&](fw::Dialog& dialog) {
            testsupport::OnNextDialog([&](fw::Dialog& recorder) {
                EXPECT_EQ(IDD_RECORD_SOUND, static_cast<int>(recorder.TemplateId()));
                std::ofstream(static_cast<RecordSoundDlg&>(recorder).Path(), std::ios::binary) << "RIFF-ny";
                testsupport::Close(recorder, IDOK);
            });
            Check(dialog, IDC_KVORA_SPEECH_CHECK, false);
            Check(dialog, IDC_KVORA_SOUND_CHECK, true);
            Click(dialog, IDC_KVORA_RECORD_SOUND);
            EXPECT_EQ(c.saved, c.saved.empty() ? std::string() : Text(dialog, IDC_KVORA_SOUND));
            Click(dialog, IDCANCEL);
        });
        fw::SetCommonDialogHandlers({});
        if (!c.saved.empty()) {
            EXPECT_EQ("RIFF-ny", testsupport::TempFolder::Read(c.saved));
        }
        EXPECT_EQ(c.existingAfter, testsupport::TempFolder::Read(existing));
        EXPECT_FALSE(fw::PathExists(folder + "\\ny")) << "no file without the extension";
        EXPECT_FALSE(fw::PathExists(folder + "\\finns")) << "no file without the extension";
        ::DeleteFileA((folder + "\\ny.wav").c_str());
        ::DeleteFileA((folder + "\\annat.wav").c_str());
    }
}

// Each recording has a file of its own: one an earlier run left in the temporary folder is not taken
// for a recording when the recorder is closed with OK before anything was recorded.
TEST_F(MorvelCommand, ARecorderClosedBeforeRecordingSavesNothing)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string stale = std::string(folder) + "kvora.wav";
    std::ofstream(stale, std::ios::binary) << "RIFF-gammal";
    bool asked = false;
    fw::CommonDialogHandlers handlers;
    handlers.saveFile = [&](OPENFILENAMEA&) {
        asked = true;
        return false;
    };
    fw::SetCommonDialogHandlers(handlers);
    std::string content = "@A12@";
    Run(content, [&](fw::Dialog& dialog) {
        testsupport::OnNextDialog([&](fw::Dialog& recorder) {
            EXPECT_FALSE(fw::PathExists(static_cast<RecordSoundDlg&>(recorder).Path())) << "a file of its own";
            testsupport::Close(recorder, IDOK);
        });
        Check(dialog, IDC_KVORA_SPEECH_CHECK, false);
        Check(dialog, IDC_KVORA_SOUND_CHECK, true);
        Click(dialog, IDC_KVORA_RECORD_SOUND);
        EXPECT_EQ("", Text(dialog, IDC_KVORA_SOUND));
        Click(dialog, IDCANCEL);
    });
    fw::SetCommonDialogHandlers({});
    EXPECT_FALSE(asked) << "nothing was recorded, so nothing is saved";
    ::DeleteFileA(stale.c_str());
}

TEST_F(MorvelCommand, RefusedFieldsKeepTheDialogOpenAndCancelKeepsTheString)
{
    std::string content = "@A12@";
    settings->autoFillMode_ = 1;
    const INT_PTR result = Run(content, [&](fw::Dialog& dialog) {
        EXPECT_TRUE(dialog.IsChecked(IDC_KVORA_AUTO_TTS));
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_KVORA_BAD_PICTURE);
            SetText(dialog, IDC_KVORA_PICTURE, "A123456789");
            Click(dialog, IDOK);
        }
        EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
        // A radio changes the mode at once, also when the dialog is then cancelled.
        Check(dialog, IDC_KVORA_AUTO_NONE, true);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("@A12@", content);
    EXPECT_EQ(0, settings->autoFillMode_);
}

} // namespace
