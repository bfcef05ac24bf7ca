// The insert-picture browser: the user's image folders down the left side, the chosen folder's
// pictures as an album a page at a time or as a list or tree with a preview; a picture can be heard
// before it is chosen.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "library/PictureButton.h"
#include "writer_settings/AlbumPages.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/PictureChoiceOwner.h"
#include "writer_settings/PictureFolderContent.h"
#include "writer_settings/PictureScan.h"
#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

// Modal (dialog 133), made and run by the main window (F5 or the picture button). On IDOK the result
// object holds the chosen picture (empty when none was chosen: the caller then inserts nothing) and the
// remembered folder the folder shown, which the next opening starts with. While it runs, the main
// window calls OnPlaybackStep at the end of each playback step.
class InsertImageXDlg : public fw::Dialog {
public:
    InsertImageXDlg(PictureChoiceOwner& owner, CKvoraObject& result, int& rememberedFolder, HWND parent = nullptr);
    ~InsertImageXDlg() override;

    // STOP goes when nothing plays any more.
    void OnPlaybackStep();

    // What the browser shows, for the main window's tests.
    int CurrentFolder() const { return currentFolder_; }
    int CurrentPicture() const { return currentPicture_; }
    int FirstVisible() const { return firstVisible_; }
    const std::vector<ImageFolder>& Folders() const { return folders_; }
    const std::vector<CKvoraObject>& Pictures() const { return content_.pictures_; }
    const std::vector<RECT>& Cells() const { return cells_; }
    const std::vector<RECT>& FolderSymbolRects() const { return symbolRects_; }
    const std::string& Message() const { return content_.message_; }
    const RECT& PictureArea() const { return area_; }
    const CKvoraObject& Result() const { return result_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnOK() override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Opening and the folder list.
    void AttachButtons();
    void CreateTreeImages();
    void ReadFolders();
    void BuildFolderSymbols();
    void LayOut();
    void LoadFolderContent(int folder);
    void OnNextFolder();
    void OnEditFolders();

    // Album view.
    bool IsAlbum() const;
    const ImageFolder* Folder() const;
    void BuildCells();
    void SelectAlbumPicture(int picture);
    void Apply(const AlbumStep& step);
    void ChangePage(int first);
    void LoadPage();
    AlbumPages Pages() const;
    void OnScroll();
    void OnClick(POINT point, bool twice);

    // List view.
    void FillTree();
    void InsertTreeNodes(HTREEITEM parent, const std::vector<PictureTreeNode>& nodes);
    std::string TreePath(HTREEITEM item) const;
    void OnTreeSelection(HTREEITEM item);
    bool ListSoundPlayable() const;
    void OnTreeDoubleClick();

    // Playing.
    void OnPlay();
    void OnStop();
    void ShowPlay(bool show);
    void ShowStop(bool show);

    void Paint();
    void PaintAlbum(HDC dc);
    void DrawFrame(HDC dc, RECT rect, HPEN pen);
    void InvalidateCellOf(int picture);

    PictureChoiceOwner& owner_;
    CKvoraObject& result_;
    int& rememberedFolder_;
    std::shared_ptr<PictureControl> pictureControl_;
    ImageBaseManager imageBases_;
    FolderExceptions exceptions_;
    PictureFolderReader reader_;

    PictureButton buttons_[5];
    std::vector<ImageFolder> folders_;
    std::vector<CKvoraObject> folderSymbols_;
    std::vector<RECT> symbolRects_;
    FolderContent content_;
    std::vector<RECT> cells_;
    AlbumGrid grid_;

    RECT area_{0, 0, 0, 0};
    RECT preview_{0, 0, 0, 0};
    int frameWidth_ = 4;
    int currentFolder_ = -1;
    int currentPicture_ = -1;
    int firstVisible_ = 0;
    bool speech_ = false;

    fw::Pen selectionPen_;
    fw::Brush greyBrush_;
    fw::Brush whiteBrush_;
    fw::Brush backgroundBrush_;
    fw::Font messageFont_;
    HACCEL accelerators_ = nullptr;
    HIMAGELIST treeImages_ = nullptr;
};
