// The block definition dialog.
#include "editor/DefineBlockDlg.h"
#include "command/CommandSyntax.h"
#include "command/ProgramStart.h"
#include "device/IRDlg.h"
#include "editor/AutoCommandDlg.h"
#include "editor/BlockDefinition.h"
#include "editor/KvoraCommandDlg.h"
#include "editor/KvoraCommandFields.h"
#include "editor/MouseCommandDlg.h"
#include "editor/PauseDlg.h"
#include "editor/SpecialCommandDlg.h"
#include "editor/StartProgramDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/ImageBaseManager.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

DefineBlockDlg::DefineBlockDlg(Block& block, const BlockDialogContext& context, const BlockCommandContext& command,
                               HWND parent)
    : BlockLookDlg(IDD_DEFINE_BLOCK, block, context, parent), command_(command)
{
    if (!command_.speechState)
        command_.speechState = &ownSpeechState_;
    if (!command_.shortCommand) {
        ownShortCommand_ = context.settings->GetShortCommandFlag();
        command_.shortCommand = &ownShortCommand_;
    }
}

std::vector<int> DefineBlockDlg::BoldTitles() const
{
    return {IDC_BLOCK_LOOK_GROUP, IDC_BLOCK_COMMAND_GROUP};
}

bool DefineBlockDlg::ShortForm() const
{
    return *command_.shortCommand != 0;
}

std::string DefineBlockDlg::Shown(const std::string& command) const
{
    const FileIO& settings = *context_.settings;
    return ShortForm() ? command::ContractProgramStart(command, settings.defaultStartString_, settings.endString_)
                       : command;
}

// ---- Opening ----------------------------------------------------------------------------------

bool DefineBlockDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_BLOCK_CAPTION));
    for (auto [id, text] : {std::pair{IDC_BLOCK_LOOK_GROUP, IDS_BLOCK_LOOK_GROUP},
                            {IDC_BLOCK_COMMAND_GROUP, IDS_BLOCK_COMMAND_GROUP}, {IDC_BLOCK_CONTENT, IDS_BLOCK_CONTENT},
                            {IDC_BLOCK_START_PROGRAM, IDS_BLOCK_START_PROGRAM}, {IDC_BLOCK_PAUSE, IDS_BLOCK_PAUSE},
                            {IDC_BLOCK_SPECIAL, IDS_BLOCK_SPECIAL}, {IDC_BLOCK_MOUSE, IDS_BLOCK_MOUSE},
                            {IDC_BLOCK_INFRARED, IDS_BLOCK_INFRARED}, {IDC_BLOCK_REPEAT, IDS_BLOCK_REPEAT}})
        SetItemText(id, fw::LoadResString(text));
    BlockLookDlg::OnInitDialog();

    editor_.SubclassDlgItem(IDC_BLOCK_COMMAND, hwnd_);
    editor_.SetSyntax(*context_.settings);
    editor_.SetupFont();
    SetItemText(IDC_BLOCK_INFO, fw::LoadResString(IDS_COMMAND_ESC_HINT));
    const int model = context_.settings->GetKeyboardModel();
    EnableItem(IDC_BLOCK_INFRARED, model == FileIO::kModelAccessKvora);
    EnableItem(IDC_BLOCK_MOUSE, model == FileIO::kModelUSB);

    editor_.SetText(Shown(block_.command_));
    SetChecked(IDC_BLOCK_REPEAT, block_.repeat_ != 0);
    ::SetFocus(editor_);
    return false;
}

bool DefineBlockDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == CommandEdit::kNotify) {
        if (wParam == 1)
            SetItemText(IDC_BLOCK_INFO, fw::LoadResString(IDS_COMMAND_ESC_HINT));
        else if (wParam == 2)
            SetItemText(IDC_BLOCK_INFO, fw::LoadResString(IDS_COMMAND_LITERAL_HINT));
        result = 0;
        return true;
    }
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == ::GetDlgItem(hwnd_, IDC_BLOCK_INFO)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, RGB(100, 100, 100));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false;
}

// ---- Buttons and settings -----------------------------------------------------------------------

bool DefineBlockDlg::OnCommand(int id, int code)
{
    if (id == ID_SETTINGS_AUTO_COMMAND) {
        AutoCommandDlg dialog(context_.settings, hwnd_);
        dialog.PlaceOnOpen(RightOfThisPlacement());
        dialog.DoModal();
        return true;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_BLOCK_CONTENT: OnContentCommand(); break;
        case IDC_BLOCK_START_PROGRAM: OnStartProgram(); break;
        case IDC_BLOCK_PAUSE: OnPause(); break;
        case IDC_BLOCK_SPECIAL: OnSpecialCommand(); break;
        case IDC_BLOCK_MOUSE: OnMouseCommand(); break;
        case IDC_BLOCK_INFRARED: OnInfraredCommand(); break;
        default: return BlockLookDlg::OnCommand(id, code);
        }
        ::SetFocus(editor_);
        return true;
    }
    return BlockLookDlg::OnCommand(id, code);
}

POINT DefineBlockDlg::LeftOfThis() const
{
    const RECT rect = Self().WindowRect();
    return {rect.left, rect.bottom};
}

// The dialog shows the command's content string; keys around it stay where they are. A command
// without one gets the new string at the caret.
void DefineBlockDlg::OnContentCommand()
{
    FileIO& settings = *context_.settings;
    const std::string command = editor_.Text();
    const command::ContentStringPart part = command::FindContentString(command, settings.ContentDelimiter());
    const std::string opened = command.substr(part.at, part.length);
    std::string content = opened;
    if (command.empty()) {
        const std::string& basesFile = settings.imageBaseSettingsFile_;
        blockdef::PictureLookup lookup;
        lookup.fileExists = [](const std::string& path) { return ImageBaseManager::FileExists(path) == 1; };
        lookup.codeFromPath = [&](const std::string& path) {
            ImageBaseManager manager;
            std::string code;
            manager.CodeFromPath(path, code, basesFile, 0);
            return code;
        };
        lookup.resolve = [&](const std::string& code, std::string& word, std::string& sound) {
            const kvora_command::CodePicture picture = kvora_command::ResolvePicture(code, basesFile);
            word = picture.word;
            sound = picture.sound;
            return picture.found;
        };
        Block look = block_;
        look.text_ = ItemText(IDC_BLOCK_TEXT);
        content = blockdef::StartingContent(look, settings.ContentDelimiter(), *command_.speechState, lookup);
    }
    const POINT at = RightOfThis();
    KvoraCommandDlg dialog(&settings, content, at.x, at.y, *command_.speechState, settings.imageBaseSettingsFile_,
                           command_.engine, command_.speaker, *command_.shortCommand, hwnd_);
    if (command.empty())
        dialog.MarkProposal();
    if (dialog.DoModal() != IDOK || content == opened)
        return;
    if (part.length == 0) {
        InsertTag(content);
        return;
    }
    std::string changed = command;
    editor_.SetText(changed.replace(part.at, part.length, content));
}

void DefineBlockDlg::OnStartProgram()
{
    std::string command = editor_.Text();
    const POINT at = RightOfThis();
    StartProgramDlg dialog(context_.settings, command, at.x, at.y, hwnd_);
    if (dialog.DoModal() == IDOK && command != editor_.Text())
        editor_.SetText(Shown(command));
}

void DefineBlockDlg::OnPause()
{
    float seconds = 0;
    const POINT at = LeftOfThis();
    PauseDlg dialog(at.x, at.y, &seconds, hwnd_);
    if (dialog.DoModal() == IDOK)
        InsertTag(command::PauseTag(CommandSyntax::From(*context_.settings), seconds));
}

// The special-command dialog gives back the tag alone, which goes in at the caret.
void DefineBlockDlg::OnSpecialCommand()
{
    std::string tag;
    const POINT at = LeftOfThis();
    SpecialCommandDlg dialog(context_.settings, at.x, at.y, tag, hwnd_);
    if (dialog.DoModal() == IDOK)
        InsertTag(tag);
}

// The mouse command dialog gives back the whole command, which replaces the editor's text.
void DefineBlockDlg::OnMouseCommand()
{
    std::string command = editor_.Text();
    int repeat = 0;
    const POINT at = LeftOfThis();
    MouseCommandDlg dialog(command, &at, context_.settings->clickReferences_, command_.mouseReference, &repeat,
                           hwnd_);
    if (dialog.DoModal() != IDOK || command.empty())
        return;
    editor_.SetText(command);
    if (repeat)
        SetChecked(IDC_BLOCK_REPEAT, true);
}

void DefineBlockDlg::OnInfraredCommand()
{
    std::string tag;
    IRDlg dialog(context_.settings->programFolder_, tag, hwnd_);
    dialog.PlaceOnOpen(subdialog::CornerAt(LeftOfThis(), subdialog::Corner::BottomRight));
    if (dialog.DoModal() != IDOK || tag.empty())
        return;
    InsertTag(tag);
    infraredInserted_ = true;
}

void DefineBlockDlg::InsertTag(const std::string& tag)
{
    if (tag.empty())
        return;
    editor_.InsertText(tag);
    editor_.MarkHandled();
}

void DefineBlockDlg::OnBasePictureChosen(const ImageBaseItem& item)
{
    const AutoCommandSettings& rule = context_.settings->autoCommand_;
    if (!rule.enabled_)
        return;
    // A '<' would open a tag that runs on to the next '>' of the command.
    const std::string part = command::AutomaticPart(rule, item.GetText(), item.GetPicturePath(), item.GetFullCode());
    if (part.find('<') != std::string::npos) {
        fw::ShowMessage(hwnd_, IDS_AUTO_COMMAND_TAG, fw::FormatResString(IDS_AUTO_COMMAND_TAG, part.c_str()),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    editor_.SetText(command::AutomaticCommand(rule, item.GetText(), item.GetPicturePath(), item.GetFullCode()));
}

// ---- OK -----------------------------------------------------------------------------------------

// The limit holds for what the block stores: the "<Run " form is checked once it is expanded.
bool DefineBlockDlg::OnOK()
{
    const FileIO& settings = *context_.settings;
    std::string stored;
    const CommandRefusal refusal =
        blockdef::StoredCommand(editor_.Text(), settings.defaultStartString_, settings.endString_, stored);
    if (refusal != CommandRefusal::None) {
        command::ShowRefusal(hwnd_, refusal);
        return false;
    }
    Block candidate = block_;
    candidate.command_ = stored;
    if (RefuseUnstorable(candidate))
        return false;
    if (!SaveProgramIcon())
        return false;
    StoreLook();
    block_.command_ = stored;
    block_.repeat_ = IsChecked(IDC_BLOCK_REPEAT) ? 1 : 0;
    // Cancel discards the command, and the infrared code in it with it.
    if (infraredInserted_ && command_.accessKvora)
        *command_.accessKvora = 1;
    return true;
}

bool DefineBlock(HWND owner, Block& block, const BlockDialogContext& context, const BlockCommandContext& command)
{
    DefineBlockDlg dialog(block, context, command, owner);
    return dialog.DoModal() == IDOK;
}
