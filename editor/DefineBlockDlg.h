// The block definition dialog: a block's appearance (the shared half) and its command, typed in the
// command editor and completed by the command sub-dialogs, with the repeat flag and the settings of
// the default image base and the automatic command.
#pragma once
#include "editor/BlockLookDlg.h"
#include "editor/CommandEdit.h"

class BabTTS;
class TextSpeaker;
class MouseClickReference;

// What the overlay editor lends the command half; each pointer may be null.
struct BlockCommandContext {
    int* speechState = nullptr;          // 0 no voice, 1 a voice; the content dialog may change it
    BabTTS* engine = nullptr;            // the main window's two speech engines
    TextSpeaker* speaker = nullptr;
    int* shortCommand = nullptr;         // the editor's short-command flag; the settings' without one
    int* accessKvora = nullptr;          // set to 1 on OK when an infrared command was inserted
    MouseClickReference* mouseReference = nullptr;  // the reference caught click points keep
};

// Modal; works on the caller's copy of the block. The dialog owns its command editor.
class DefineBlockDlg : public BlockLookDlg {
public:
    DefineBlockDlg(Block& block, const BlockDialogContext& context, const BlockCommandContext& command,
                   HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnOK() override;
    void OnBasePictureChosen(const ImageBaseItem& item) override;
    std::vector<int> BoldTitles() const override;

private:
    bool ShortForm() const;
    // The command as the editor shows it: the program start in its "<Run " form when asked for.
    std::string Shown(const std::string& command) const;

    void OnContentCommand();
    void OnStartProgram();
    void OnPause();
    void OnSpecialCommand();
    void OnMouseCommand();
    void OnInfraredCommand();
    // A tag from a sub-dialog at the caret; the key that closed the sub-dialog makes no tag.
    void InsertTag(const std::string& tag);
    // Where the sub-dialogs placed by their bottom-right corner open: at this dialog's bottom-left
    // corner (see RightOfThis for the others).
    POINT LeftOfThis() const;

    BlockCommandContext command_;
    int ownSpeechState_ = 0;
    int ownShortCommand_ = 0;
    bool infraredInserted_ = false;
    CommandEdit editor_;
};

// Opens the dialog on the block; true after OK, when the block holds the edited values.
bool DefineBlock(HWND owner, Block& block, const BlockDialogContext& context, const BlockCommandContext& command);
