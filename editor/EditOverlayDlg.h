// The overlay editor window: one overlay's blocks on the key grid, edited with the mouse, the
// keyboard marker and the menus, loaded and saved through FileIO.
#pragma once
#include "components/PictureControl.h"
#include "editor/OverlayEditModel.h"
#include "editor/OverlayEditorHost.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "store/MouseClickReference.h"
#include <memory>
#include <string>

// Modeless (template 129), made by the main window through Factory() and owned by it. On closing it
// sends the main window OverlayEditor::kClosedMessage and leaves its own deletion to it.
class EditOverlayDlg : public fw::Dialog, public OverlayEditor {
public:
    explicit EditOverlayDlg(const OverlayEditorRequest& request);
    ~EditOverlayDlg() override;

    // Makes the editor modeless and shown for the main window; null when its window cannot be made.
    static OverlayEditorFactory Factory();

    // OverlayEditor
    HWND Window() const override { return hwnd_; }
    void OnSize(UINT type, int width, int height) override;
    bool QueryClose() override;
    OpenedOverlay Opened() const override { return opened_; }

    // Read by the tests.
    OverlayEditModel& Model() { return model_; }
    const std::string& OverlayName() const { return overlayName_; }
    const std::string& SetName() const { return setName_; }
    int Number() const { return number_; }
    bool IsNewOverlay() const { return newOverlay_; }
    int SpeechState() const { return speechState_; }
    HMENU Menu() const { return menu_; }
    HMENU ContextMenu() const { return contextMenu_; }

    // Accelerators first, then typed characters into the cell filter; before the dialog manager.
    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override { return false; }
    bool OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    // --- Loading, views and drawing (EditOverlayDlg.cpp) ---
    void LoadOverlay();
    void LoadPictures(std::vector<Block>& blocks, int dimmed);
    void LoadPicture(Block& block, int dimmed);
    void ReportUnstorable(UINT textId);
    void SwitchView(int view);
    void LayoutGrid(int width, int height);
    void RebuildEmptyGrid();
    void Paint();
    void Redraw();
    void UpdateTitle();
    void UpdateMenus();
    void SetDefineItem(HMENU menu) const;
    void SetPasteItem(HMENU menu) const;
    void SetSelectedBlockItems(HMENU menu) const;
    void SharePlacement();

    // --- Mouse and keys (EditOverlayDlgInput.cpp) ---
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point, WPARAM keys);
    void OnCaptureLost();
    void OnLButtonDblClk(POINT point);
    void OnRButtonDown(POINT point);
    void ShowDropRefusal(OverlayEditModel::DropResult result);
    void ClickCell(int cell, bool ctrl, bool shift);
    void OnTypedCharacter(char character);
    bool SetSizingCursor(int handle) const;
    // The sizing cursor of the model's resize handle, else the arrow.
    void ShowCursor() const;

    // --- Commands (EditOverlayDlgCommands.cpp) ---
    void CutBlock();
    void CopyBlock();
    void PasteBlock();
    void DeleteBlock();
    void ClearSelection();
    void PlaceMarker();
    void MoveMarker(int step);
    void MarkerClick();
    void UndoEdit();
    void Define();
    // After a block was defined: its picture, the menus and the window.
    void AfterDefine();
    // The block dialogs: the block definition dialog for the keys, the background dialog for the
    // background, and the automatic command rule; filled by the block dialogs' part of the editor.
    // Each gets its block from model_.BeginDefine, and on OK hands it to model_.CommitDefine and
    // calls AfterDefine.
    void DefineBlock();
    void DefineBackground();
    void DefineAutoCommand();
    // Colour, font or text placement of the selected block (the menu command's id).
    void ChangeAppearance(int command);
    // Printing the overlay (OverlayPrinter): the print dialog, the save, then the pages.
    void OnPrint();
    void OpenOther();
    bool Save();
    bool SaveAccessKvoraFlag();
    void SaveAndLoad();
    void Close();
    bool CanSave() const { return !readOnly_; }
    bool IsStandardSet() const;
    std::string BlockName(int section, int index) const;

    HWND owner_;
    FileIO* fileIO_;
    PrintOptions* printOptions_;
    fw::Printer* printer_;
    BabTTS* speechEngine_;
    TextSpeaker* textSpeaker_;
    // What the main window opened: reported when the editor closes.
    OpenedOverlay opened_;
    RECT ownerRect_;
    std::string setName_;
    std::string overlayName_;
    std::string templateName_;
    int number_;
    int readOnly_;
    // The overlay's file is there but could not be read: the editor shows it read-only.
    bool unreadable_ = false;
    // The overlay's file was not there when it was opened: shown read-only, so no save brings it back.
    bool missing_ = false;
    int newOverlay_ = 0;
    int letter_ = 0;
    int farEast_ = 0;
    int shortCommand_ = 0;
    int accessKvora_ = 0;  // [Version] AccessKvora: the overlay has infrared commands
    // Set on loading: 1 when one of the main window's speech engines has a voice, else 0; the
    // command dialog may change it. Handed to the block dialog with the engines.
    int speechState_ = 0;
    MouseClickReference mouseReference_;  // the reference the mouse command dialog's caught clicks keep
    std::string defaultFont_;

    OverlayEditModel model_;
    KeyboardSettings settings_;
    std::shared_ptr<PictureControl> pictures_;
    fw::Bitmap emptyGrid_;
    fw::MemoryDC emptyGridDC_;
    HGDIOBJ emptyGridPrevious_ = nullptr;
    fw::Brush whiteBrush_;
    HMENU menu_ = nullptr;
    HMENU contextMenu_ = nullptr;
    HACCEL accelerators_ = nullptr;

    // Typed cell clicks: "$n$".
    bool collecting_ = false;
    std::string typed_;
    // The editor's placement is being copied to the main window: its size change comes back here.
    bool sharingPlacement_ = false;
    bool closed_ = false;
    // The editor's own Open has put another overlay in the place of the opened one.
    bool openedAnother_ = false;
};
