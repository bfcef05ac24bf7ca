// The appearance half that the block and the background definition dialogs share: the text, the
// picture (file, image base, clipboard, program icon, none), the frame and its round corners, the
// colour, font and text placement dialogs, and the default image base.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/ImagXpress.h"
#include "store/Block.h"
#include <memory>
#include <string>
#include <vector>

class FileIO;
class ImageBaseItem;

// What the overlay editor hands the definition dialogs besides the block.
struct BlockDialogContext {
    FileIO* settings = nullptr;
    // The key grid's 128 cell rectangles and its cell height, for the automatic font size.
    const RECT* cells = nullptr;
    int cellHeightMm = 0;
};

// Base of DefineBlockDlg and DefineBkDlg; modal. Works on the caller's copy of the block, which the
// appearance dialogs change in place and OK completes; the dialog owns its picture control and font.
class BlockLookDlg : public fw::Dialog {
public:
    BlockLookDlg(UINT templateId, Block& block, const BlockDialogContext& context, HWND parent);
    ~BlockLookDlg() override;

    // The picture shown in the picture frame, for a test to look at; null without a control.
    PictureControl* Picture() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnDestroy() override;

    // A picture was chosen from an image base: the block holds it already; the text box may have
    // taken its word.
    virtual void OnBasePictureChosen(const ImageBaseItem& item) {}
    // The group titles that take the bold font.
    virtual std::vector<int> BoldTitles() const = 0;

    // OK's appearance steps: the text, frame width and round flag into the block; then the program
    // icon saved as the picture, under the name RefuseUnstorable checked. False, after telling the
    // user, when the icon could not be saved.
    void StoreLook();
    bool SaveProgramIcon();
    // OK's first step: a value of the block, with the text the box holds now and the file a program
    // icon will be saved in, that the overlay file cannot hold as it is is named here, where it can be
    // mended, rather than first at the save. True (after telling the user) when the dialog must stay
    // open.
    bool RefuseUnstorable(Block candidate);

    // Where the sub-dialogs placed by their top-left corner open: at this dialog's top-right corner,
    // beside it rather than over it. Where the screen has no room for a sub-dialog there, this dialog
    // steps aside (subdialog::MoveCornerTo).
    POINT RightOfThis() const;
    // The same place for a dialog that the caller places (fw::Dialog::PlaceOnOpen).
    fw::Dialog::Placement RightOfThisPlacement() const;

    Block& block_;
    BlockDialogContext context_;

private:
    void SetLookTexts();
    void CreatePicture();
    void ShowBlockPicture();
    void ApplyFrameRule();

    void OnBrowsePicture();
    void OnImageBasePicture();
    void OnPastePicture();
    void OnProgramIcon();
    void OnRemovePicture();
    void OnColor();
    void OnTextPosition();
    void OnFont();
    // The remove button follows whether the block has a picture and allows one.
    void PictureChanged(bool shown);

    // The file a program icon goes to on OK: the icon's bytes, and the file that holds them already
    // or the free name they will be written under.
    struct ProgramIconFile {
        std::string path;
        std::string bytes;
        bool written = false;
    };
    // Decides icon_ for a shown program icon; false, after telling the user, when it cannot be made.
    bool PlanProgramIcon();

    std::unique_ptr<CImagXpress> picture_;
    fw::Font boldFont_;
    bool programIcon_ = false;
    std::string iconTitle_;
    ProgramIconFile icon_;
};
