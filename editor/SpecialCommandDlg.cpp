// The special-command dialog.
#include "editor/SpecialCommandDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

SpecialCommandDlg::SpecialCommandDlg(FileIO* settings, int right, int bottom, std::string& command, HWND parent)
    : fw::Dialog(IDD_SPECIAL_COMMAND, parent), settings_(settings), corner_{right, bottom}, command_(command)
{
}

SpecialCommandDlg::~SpecialCommandDlg() = default;

int SpecialCommandDlg::BoxId(int box) const
{
    static const int kIds[] = {IDC_SPECIAL_KEY0, IDC_SPECIAL_KEY1, IDC_SPECIAL_KEY2};
    return kIds[box];
}

// ---- Opening ----------------------------------------------------------------------------------

bool SpecialCommandDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_SPECIAL_CAPTION,
                        {{IDC_SPECIAL_LIST_LABEL, IDS_SPECIAL_CHOOSE},
                         {IDC_SPECIAL_OWN_LABEL, IDS_SPECIAL_OWN},
                         {IDC_SPECIAL_COMMAND_LABEL, IDS_COMMAND_LABEL}});
    const CommandSyntax syntax = CommandSyntax::From(*settings_);
    model_.SetSyntax(syntax);
    for (int box = 0; box < SpecialCommandModel::kBoxes; ++box) {
        boxes_[box] = std::make_unique<CommandEditSingle>(box);
        boxes_[box]->SubclassDlgItem(BoxId(box), hwnd_);
        boxes_[box]->SetSyntax(syntax);
        boxes_[box]->SetupFont();
    }
    ShowHint(IDS_COMMAND_ESC_HINT);
    subdialog::MoveCornerTo(hwnd_, corner_, subdialog::Corner::BottomRight);

    fixed_ = command::FixedSpecialCommands(syntax);
    fw::ListBox list(hwnd_, IDC_SPECIAL_LIST);
    for (const std::string& combination : fixed_)
        list.Add(combination);
    model_.Choose(command_);
    ShowModel();
    return false;
}

// ---- The boxes and the list -------------------------------------------------------------------

bool SpecialCommandDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != CommandEditSingle::kNotify)
        return false;
    OnBoxNotify(static_cast<int>(wParam), lParam);
    result = 0;
    return true;
}

void SpecialCommandDlg::OnBoxNotify(int code, LPARAM value)
{
    switch (code) {
    case 2: {
        // A key caught and let go: key code x 256 + box.
        const int box = static_cast<int>(value & 0xFF);
        const int key = static_cast<int>(value >> 8);
        if (box >= SpecialCommandModel::kBoxes)
            return;
        if (!model_.TakeKey(box, key, ItemText(BoxId(box))))
            fw::Beep();
        ShowModel();
        break;
    }
    case 3:
        if (value == 1)
            ShowHint(IDS_COMMAND_ESC_HINT);
        else if (value == 2)
            ShowHint(IDS_COMMAND_LITERAL_HINT);
        break;
    case 4:
        if (value >= 0 && value < SpecialCommandModel::kBoxes) {
            model_.Erase(static_cast<int>(value));
            ShowModel();
        }
        break;
    case 6:
        if (value >= 0 && value < SpecialCommandModel::kBoxes - 1) {
            model_.Advance(static_cast<int>(value), ItemText(BoxId(static_cast<int>(value))));
            ShowModel();
        }
        break;
    }
}

bool SpecialCommandDlg::OnCommand(int id, int code)
{
    if (id == IDC_SPECIAL_LIST && code == LBN_SELCHANGE) {
        OnListChoice();
        return true;
    }
    return false;
}

void SpecialCommandDlg::OnListChoice()
{
    fw::ListBox list(hwnd_, IDC_SPECIAL_LIST);
    const int chosen = list.Selection();
    if (chosen < 0 || chosen >= static_cast<int>(fixed_.size()))
        return;
    model_.Choose(fixed_[chosen]);
    ShowModel();
}

void SpecialCommandDlg::ShowHint(UINT text)
{
    SetItemText(IDC_SPECIAL_HINT, fw::LoadResString(text));
}

void SpecialCommandDlg::ShowModel()
{
    const int current = model_.Current();
    for (int box = 0; box < SpecialCommandModel::kBoxes; ++box)
        if (ItemText(BoxId(box)) != model_.Word(box))
            SetItemText(BoxId(box), model_.Word(box));
    // The current box is enabled and focused before the others are disabled, so the focus never
    // rests on a disabled box.
    EnableItem(BoxId(current), true);
    fw::Edit box(hwnd_, BoxId(current));
    box.SetFocus();
    box.SetSelection(0, -1);
    for (int other = 0; other < SpecialCommandModel::kBoxes; ++other)
        if (other != current)
            EnableItem(BoxId(other), false);
    const std::string command = model_.Command();
    SetItemText(IDC_SPECIAL_COMMAND, command);
    fw::ListBox(hwnd_, IDC_SPECIAL_LIST).Select(FixedCommandIndex(fixed_, command));
}

// ---- OK -----------------------------------------------------------------------------------------

bool SpecialCommandDlg::OnOK()
{
    const std::string command = model_.Command();
    command_ = command.size() > 2 ? command : std::string();
    return true;
}
