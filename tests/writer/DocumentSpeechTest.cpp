// What the document window says as it is written, and the steps of reading it aloud, in the test
// host, which records what it was asked to speak and play (and answers as each case says).
#include "DocumentHost.h"
#include "MorvelConfig.h"
#include "library/SoundPlay.h"
#include "morvel/resource.h"
#include "support/ScriptedMessages.h"
#include "writer/FileIO.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

class DocumentSpeaking : public testing::Test {
protected:
    DocumentSpeaking()
    {
        io = std::make_unique<FileIO>(config.Environment());
        settings = std::make_unique<Settings>(config.Environment());
        settings->speechEngine_ = 1;
        settings->speakLetters_ = 1;
        settings->speakWords_ = 1;
        settings->speakSentences_ = 1;
        host = std::make_unique<DocumentHost>(*io, *settings);
        std::ofstream(config.Temp() / "ljud.wav") << "RIFF";
        sound::SetPlayHandler([this](const char* name, DWORD) {
            host->heard_.push_back(std::string("sound ") + name);
            return true;
        });
    }
    ~DocumentSpeaking() override { sound::SetPlayHandler(nullptr); }

    DocumentDlg& Doc() { return host->Document(); }

    // The symbols of the scripts, by name: a speech text, a sound file (ljud.wav exists, borta.wav
    // not), both, or nothing; '!' in front crosses it.
    CKvoraObject Symbol(std::string name) const
    {
        CKvoraObject object;
        if (name[0] == '!') {
            object.crossed_ = 1;
            name.erase(0, 1);
        }
        if (name == "hund")
            object.speech_ = "hund";
        else if (name == "ljud")
            object.soundPath_ = config.Temp() / "ljud.wav";
        else if (name == "borta")
            object.soundPath_ = config.Temp() / "borta.wav";
        else if (name == "katt") {
            object.speech_ = "katt";
            object.soundPath_ = config.Temp() / "ljud.wav";
        }
        object.label_ = name;
        return object;
    }

    // Types a script: "{name}" inserts a symbol, any other character is typed.
    void Type(const std::string& script)
    {
        for (size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '{') {
                Doc().InsertChar(script[i]);
                continue;
            }
            const size_t close = script.find('}', i);
            Doc().InsertObject(Symbol(script.substr(i + 1, close - i - 1)));
            i = close;
        }
    }

    // What the host was asked, joined by '|', with the temporary folder left out of the paths.
    std::string Heard() const
    {
        std::string all;
        for (const std::string& line : host->heard_)
            all += (all.empty() ? "" : "|") + line;
        const std::string folder = config.Temp() / "";
        for (size_t at; (at = all.find(folder)) != std::string::npos;)
            all.erase(at, folder.size());
        return all;
    }

    // The play list as "S:text" (speech), "N:text" (crossed speech), "P:file", "NP:file" (crossed sound).
    std::string Steps() const
    {
        std::string all;
        for (const PlayItem& item : host->Document().Speech().PlayList()) {
            std::string text = item.text;
            const std::string folder = config.Temp() / "";
            if (text.compare(0, folder.size(), folder) == 0)
                text.erase(0, folder.size());
            all += (all.empty() ? "" : "|") + std::string(item.kind == 1 ? (item.negated ? "N:" : "S:")
                                                                       : (item.negated ? "NP:" : "P:")) + text;
        }
        return all;
    }

    MorvelConfig config;
    std::unique_ptr<FileIO> io;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<DocumentHost> host;
};

// Letters, words and sentences as they are typed: which flags are on, what is typed, what is said.
TEST_F(DocumentSpeaking, LettersWordsAndSentencesAreSpokenAsTheyAreWritten)
{
    const struct {
        int letters, words, sentences;
        const char* typed;
        const char* heard;
    } cases[] = {
        {1, 1, 1, "hej ", "speak h|speak e|speak j|speak hej|clear pause"},
        // A one-letter word and a one-character sentence at the very start.
        {0, 1, 0, "a ", "speak a|clear pause"},
        {0, 0, 1, "A.", "speak A|clear pause"},
        {0, 0, 1, "Hej du.", "speak Hej du|clear pause"},
        // ';' and ':' speak the sentence so far without beginning a new one; '.', '?' and '!' do.
        {0, 0, 1, "Ja; nej.", "speak Ja|clear pause|speak Ja; nej|clear pause"},
        {0, 0, 1, "Ja. Nej!", "speak Ja|clear pause|speak  Nej|clear pause"},
        // Word ends: space, line break and hyphen. A hyphen speaks the word so far but does not end the
        // walk back, so a compound is said whole; a comma ends the walk back but says nothing.
        {0, 1, 0, "ett-två\n", "speak ett|clear pause|speak ett-två|clear pause"},
        {0, 1, 0, "ja,nej ", "speak nej|clear pause"},
        // Letters and digits by the system's classification, Swedish letters too; a letter leaves
        // the pause button alone.
        {1, 0, 0, "å1%", "speak å|speak 1"},
        // Two word ends in a row: the second closes an empty word.
        {0, 1, 0, "ja  ", "speak ja|clear pause"},
        // A flag that is off says nothing.
        {0, 0, 0, "hej. ", ""},
    };
    for (const auto& c : cases) {
        Doc().Clear();
        host->heard_.clear();
        settings->speakLetters_ = c.letters;
        settings->speakWords_ = c.words;
        settings->speakSentences_ = c.sentences;
        Type(c.typed);
        EXPECT_EQ(Heard(), c.heard) << c.typed;
    }
}

TEST_F(DocumentSpeaking, NothingIsSpokenWithSpeechOffAndThePauseButtonWaitsForSpeechThatStarted)
{
    settings->speechEngine_ = 0;
    Type("hej. {hund}");
    EXPECT_EQ(Heard(), "");

    // An engine that did not speak: nothing to pause.
    settings->speechEngine_ = 1;
    host->speakResult_ = 0;
    Doc().Clear();
    Type("du ");
    EXPECT_EQ(Heard(), "speak d|speak u|speak du");
}

// A word wrapped at the end of a line is one word: the layout's soft break is not read out.
TEST_F(DocumentSpeaking, ASoftBreakInsideAWordIsPassedOver)
{
    settings->speakLetters_ = 0;
    DocumentModel& model = Doc().Model();
    model.items_.insert(model.items_.begin(), {DocItem('o'), DocItem('\r'), DocItem('m')});
    model.caret_ = 3;
    model.items_.insert(model.items_.begin() + 3, DocItem(' '));
    host->heard_.clear();
    // The character at the caret is the space just typed.
    Doc().Speech().SpeakAfterChar();
    EXPECT_EQ(Heard(), "speak om|clear pause");
}

// A symbol as it is inserted, and when the caret passes over it.
TEST_F(DocumentSpeaking, ASymbolPlaysItsSoundElseSpeaksItsText)
{
    const struct {
        const char* symbol;
        bool player;
        int speech, words;
        const char* heard;
    } cases[] = {
        {"ljud", true, 1, 1, "play ljud.wav|clear pause"},
        {"!ljud", true, 1, 1, "sound #171|play ljud.wav|clear pause"},
        // A deleted sound file is silent; its speech does not stand in for it.
        {"borta", true, 1, 1, ""},
        {"katt", true, 1, 1, "play ljud.wav|clear pause"},
        {"katt", false, 1, 1, "speak katt|clear pause"},
        {"!hund", true, 1, 1, "speak inte hund|clear pause"},
        {"hund", true, 1, 0, ""},
        {"hund", true, 0, 1, ""},
        {"tom", true, 1, 1, ""},
    };
    for (const auto& c : cases) {
        Doc().Clear();
        host->heard_.clear();
        host->hasMediaPlayer_ = c.player;
        settings->speechEngine_ = c.speech;
        settings->speakWords_ = c.words;
        Type(std::string("{") + c.symbol + "}");
        EXPECT_EQ(Heard(), c.heard) << c.symbol << " " << c.player << c.speech << c.words;
    }

    // Right over a symbol plays it again.
    settings->speechEngine_ = 1;
    settings->speakWords_ = 1;
    Doc().Clear();
    Type("{hund}");
    Doc().Model().caret_ = 0;
    host->heard_.clear();
    ::SendMessageA(Doc().Handle(), WM_COMMAND, ID_DOC_RIGHT, 0);
    EXPECT_EQ(Heard(), "speak hund|clear pause");
}

// The read-aloud list of a document: text runs with the speech of symbols, crossed symbols as steps
// of their own, sounds between them.
TEST_F(DocumentSpeaking, ReadingAloudMakesAPlayListOfTextsAndSounds)
{
    const struct {
        const char* document;
        int speech;
        const char* steps;
    } cases[] = {
        {"Jag ser {hund}.", 1, "S:Jag ser  hund ."},
        {"Det är {!hund} här", 1, "S:Det är |N: hund |S: här"},
        {"{!hund}", 1, "N: hund "},
        {"a{ljud}b", 1, "S:a|P:ljud.wav|S:b"},
        {"{!ljud}", 1, "NP:ljud.wav"},
        {"rad\nett", 1, "S:rad ett"},
        // A symbol with speech is spoken, not played, while speech is on.
        {"{katt}", 1, "S: katt "},
        // A deleted sound and a symbol with nothing are left out.
        {"{borta}x{tom}", 1, "S:x"},
        // Speech off: only the sounds.
        {"a{ljud}b{hund}{katt}", 0, "P:ljud.wav|P:ljud.wav"},
        {"", 1, ""},
    };
    testsupport::ScriptedMessages messages;
    for (const auto& c : cases) {
        settings->speechEngine_ = 1;
        Doc().Clear();
        Type(c.document);
        settings->speechEngine_ = c.speech;
        // Every step stays "playing" so the list stands to be read.
        Doc().BuildPlayList();
        EXPECT_EQ(Steps(), c.steps) << c.document;
    }
}

// Each end of a step starts the next; the list empties after the last.
TEST_F(DocumentSpeaking, EachEndOfAStepStartsTheNext)
{
    Type("Det är {!hund} {!ljud}.");
    host->heard_.clear();
    Doc().BuildPlayList();
    EXPECT_EQ(Heard(), "speak Det är |clear pause");
    for (int i = 0; i < 5 && Doc().PlayNextStep(); ++i)
        ;
    EXPECT_EQ(Heard(), "speak Det är |clear pause|speak inte  hund |clear pause|speak  |clear pause|sound #171|"
                       "play ljud.wav|clear pause|speak .|clear pause");
    EXPECT_TRUE(Doc().Speech().PlayList().empty());
    EXPECT_EQ(Doc().PlayNextStep(), 0);
}

// The original stood still for good at a step that did not start (no end ever came to move it on).
// A step that cannot start is passed over, and a read-aloud the user asked for says so at its end.
TEST_F(DocumentSpeaking, AStepThatCannotStartIsPassedOverAndTheUserIsTold)
{
    Type("a{ljud}b");
    host->playResult_ = 0;
    host->heard_.clear();
    testsupport::ScriptedMessages messages;
    Doc().BuildPlayList();
    EXPECT_EQ(Heard(), "speak a|clear pause");
    EXPECT_EQ(Doc().PlayNextStep(), 1);
    EXPECT_EQ(Heard(), "speak a|clear pause|play ljud.wav|speak b|clear pause");
    messages.Expect(IDS_READ_ALOUD_SKIPPED);
    EXPECT_EQ(Doc().PlayNextStep(), 0);
    EXPECT_TRUE(Doc().Speech().PlayList().empty());
}

TEST_F(DocumentSpeaking, AReadAloudWhereNothingStartsSaysSoAtOnce)
{
    Type("a{ljud}b");
    host->heard_.clear();
    host->speakResult_ = 0;
    host->hasMediaPlayer_ = false;
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_READ_ALOUD_FAILED);
    Doc().BuildPlayList();
    EXPECT_EQ(Heard(), "speak a|speak b");
    EXPECT_TRUE(Doc().Speech().PlayList().empty());

    // A typed sentence that cannot be spoken is passed over in silence.
    Doc().Clear();
    Type("Hej.");
    EXPECT_EQ(messages.Shown().size(), 1u);
}

} // namespace
