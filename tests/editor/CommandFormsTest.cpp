// Every form of a block command through every writer that can make it, the dialogs that read it back,
// and the set compiler: one table, so that a form one writer makes and another cannot read, or that
// compiles to something else than it says, shows at once.
#include "CommandFixture.h"
#include "EditorFixture.h"
#include "SubDialogFixture.h"
#include "command/CommandSyntax.h"
#include "editor/PauseDlg.h"
#include "editor/SpecialCommandDlg.h"
#include "editor/StartProgramDlg.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "store/CompilerFixture.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

using namespace commandtest;
using namespace editortest;
using namespace subdialogtest;
using namespace testsupport;

namespace {

// A key caught in the special-command dialog's current box, with the character it types (0: none).
struct CaughtKey {
    int key;
    char character;
};

struct Form {
    const char* command;
    // How the command editor writes it; null when it cannot.
    std::function<void(Editor&)> typed;
    // The keys the special-command dialog catches for it, box by box; empty when it cannot.
    std::vector<CaughtKey> caught;
    // The program-start dialog's program and file; null when it is no program start.
    const char* program;
    const char* file;
    // The pause dialog's text; null when it is no pause.
    const char* pause;
    // What the keyboard gets.
    const char* bytes;
};

const char kStart[] = "<Ctrl+Esc>r";

class CommandForms : public testing::Test {
protected:
    CommandForms()
        : compiler_(std::string("[KvoraStart]\r\nDefaultStart=1\r\nStart1=") + kStart + "\r\nEnd=<Paus0.5><Return>\r\n")
    {
    }
    void SetUp() override { fw::SetBeepHandler([this] { ++beeps_; }); }

    FileIO& Settings() { return compiler_.Io(); }

    // The special-command dialog with the keys caught in its current box, one after the other; OK.
    std::string CaughtCommand(const std::vector<CaughtKey>& keys, std::string command = std::string())
    {
        SpecialCommandDlg dialog(&Settings(), 600, 500, command);
        RunClosing(dialog, [&](fw::Dialog& window) {
            for (const CaughtKey& caught : keys) {
                for (int box : {IDC_SPECIAL_KEY0, IDC_SPECIAL_KEY1, IDC_SPECIAL_KEY2}) {
                    if (::IsWindowEnabled(::GetDlgItem(window, box))) {
                        PressKey(window, box, caught.key, caught.character);
                        break;
                    }
                }
            }
            Close(window, IDOK);
        });
        return command;
    }

    // The program-start dialog opened on the command, its boxes filled when given; OK.
    std::string ProgramStart(std::string command, const char* program = nullptr, const char* file = nullptr)
    {
        StartProgramDlg dialog(&Settings(), command, 100, 100);
        RunClosing(dialog, [&](fw::Dialog& window) {
            if (program) {
                SetText(window, IDC_START_PROGRAM, program);
                SetText(window, IDC_START_FILE, file);
            }
            Close(window, IDOK);
        });
        return command;
    }

    std::string PauseCommand(const char* text)
    {
        float seconds = 0;
        PauseDlg dialog(500, 400, &seconds);
        RunClosing(dialog, [&](fw::Dialog& window) {
            SetText(window, IDC_PAUSE_SECONDS, text);
            Close(window, IDOK);
        });
        return command::PauseTag(CommandSyntax::From(Settings()), seconds);
    }

    CompilerFixture compiler_;
    int beeps_ = 0;
};

} // namespace

TEST_F(CommandForms, EveryWriterAgreesWithTheReadersAndTheCompiler)
{
    auto chord = [](std::vector<int> modifiers, int key, const char* characters = "") {
        return [=](Editor& editor) { editor.Chord(modifiers, key, characters); };
    };
    auto lettingGoFirst = [](std::vector<int> modifiers, int key, const char* characters = "") {
        return [=](Editor& editor) { editor.ChordLettingGoModifiersFirst(modifiers, key, characters); };
    };
    const Form forms[] = {
        {"<Ctrl+C>", chord({VK_CONTROL}, 'C', "\x03"), {{VK_CONTROL, 0}, {'C', 'c'}}, nullptr, nullptr, nullptr,
         "40 BA B0"},
        {"<Ctrl+C>", lettingGoFirst({VK_CONTROL}, 'C', "\x03"), {}, nullptr, nullptr, nullptr, "40 BA B0"},
        {"<Alt+F4>", lettingGoFirst({VK_MENU}, VK_F4), {{VK_MENU, 0}, {VK_F4, 0}}, nullptr, nullptr, nullptr,
         "40 BC F3"},
        {"<Alt+E>", chord({VK_MENU}, 'E'), {{VK_MENU, 0}, {'E', 'e'}}, nullptr, nullptr, nullptr, "40 BC 93"},
        {"<Ctrl+Alt+Delete>", chord({VK_CONTROL, VK_MENU}, VK_DELETE),
         {{VK_CONTROL, 0}, {VK_MENU, 0}, {VK_ESCAPE, 0}, {VK_DELETE, 0}}, nullptr, nullptr, nullptr, "40 BA 40 BC CC"},
        {"<Ctrl+Alt+A>", chord({VK_CONTROL, VK_MENU, VK_SHIFT}, 'A'), {{VK_CONTROL, 0}, {VK_MENU, 0}, {'A', 'a'}},
         nullptr, nullptr, nullptr, "40 BA 40 BC 9F"},
        {"<Shift+Tab>", chord({VK_SHIFT}, VK_TAB, "\t"), {{VK_SHIFT, 0}, {VK_ESCAPE, 0}, {VK_TAB, 0}}, nullptr, nullptr,
         nullptr, "40 AC 90"},
        // The keypad's plus, named "Num+" in this configuration.
        {"<Num+>", [](Editor& e) { e.Tap(VK_ADD, "+"); }, {{VK_ADD, 0}}, nullptr, nullptr, nullptr, "EA"},
        {"<Ctrl+Num+>", chord({VK_CONTROL}, VK_ADD), {{VK_CONTROL, 0}, {VK_ADD, 0}}, nullptr, nullptr, nullptr,
         "40 BA EA"},
        {"<Return>", [](Editor& e) { e.Tap(VK_RETURN, "\r"); }, {{VK_RETURN, 0}}, nullptr, nullptr, nullptr, "AB"},
        {"<Paus0.5>", nullptr, {}, nullptr, nullptr, "0,5", "30 35"},
        {"<Paus25.0>", nullptr, {}, nullptr, nullptr, "25", "66 61"},
        {"<Ctrl+Esc>rC:\\Windows\\notepad.exe Dokument\\brev.txt<Paus0.5><Return>", nullptr, {},
         "C:\\Windows\\notepad.exe", "Dokument\\brev.txt", nullptr, nullptr},
        {"<Ctrl+Esc>rC:\\App 2.0 x\\prog.exe fil.txt<Paus0.5><Return>", nullptr, {}, "C:\\App 2.0 x\\prog.exe",
         "fil.txt", nullptr, nullptr},
        // No writer makes these; pasted, they compile to what they say.
        {"<Ctrl+?>", nullptr, {}, nullptr, nullptr, nullptr, "40 BA 40 AC 8C"},
        {"<WIN+R>", nullptr, {}, nullptr, nullptr, nullptr, "40 C7 94"},
        // The keyboard has no Pause key: neither writer takes it, and the word alone is a pause of nothing.
        {"", [](Editor& e) { e.Tap(VK_PAUSE); }, {{VK_PAUSE, 0}}, nullptr, nullptr, nullptr, ""},
        {"<Paus>", nullptr, {}, nullptr, nullptr, nullptr, "30 30"},
    };
    const CommandSyntax syntax = CommandSyntax::From(Settings());
    for (const Form& form : forms) {
        const std::string command = form.command;
        if (form.typed) {
            Editor editor(syntax);
            form.typed(editor);
            EXPECT_EQ(command, editor.Text()) << "command editor: " << command;
        }
        if (!form.caught.empty()) {
            EXPECT_EQ(command, CaughtCommand(form.caught)) << "special-command dialog: " << command;
            if (!command.empty()) {
                EXPECT_EQ(command, CaughtCommand({}, command)) << "special-command dialog reopened: " << command;
            }
        }
        if (form.program) {
            EXPECT_EQ(command, ProgramStart(std::string(), form.program, form.file)) << command;
            EXPECT_EQ(command, ProgramStart(command)) << "program-start dialog reopened: " << command;
        }
        if (form.pause) {
            EXPECT_EQ(command, PauseCommand(form.pause)) << "pause dialog: " << form.pause;
        }
        // Pasted, every form goes in as it is.
        Editor pasted(syntax);
        pasted.model.Paste(command);
        EXPECT_EQ(command, pasted.Text()) << "paste: " << command;
        EXPECT_EQ(0, pasted.beeps) << "paste: " << command;

        if (form.bytes) {
            EXPECT_EQ(form.bytes, Hex(compiler_.CommandBytes(command))) << "compiler: " << command;
        } else {
            // A program start: the path in quotes, as the run prompt needs it.
            const std::string quoted = "\"" + std::string(form.program) + "\" " + form.file;
            EXPECT_EQ(Hex(FromHex("40 BA EE") + compiler_.KeyCodes("r" + quoted) + FromHex("30 35 AB")),
                      Hex(compiler_.CommandBytes(command)))
                << "compiler: " << command;
        }
    }
}
