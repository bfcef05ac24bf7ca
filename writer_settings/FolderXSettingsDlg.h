// Defining one image folder: its name, its symbol, the pictures it holds (a disk folder, an image
// base or a list of favourite pictures) and how the browser shows them.
#pragma once
#include "framework/Dialog.h"
#include "library/KvoraObject.h"
#include "library/ImageBaseRecords.h"
#include "writer_settings/FolderDialogContext.h"
#include "writer_settings/ImageFolder.h"
#include <vector>

// Edits the folder record it is given (the callers pass a working copy and keep it only on OK).
// The type and display radios write into the record at once; everything else on OK. Run modally.
class FolderXSettingsDlg : public fw::Dialog {
public:
    FolderXSettingsDlg(ImageFolder* folder, const FolderDialogContext& context, HWND parent);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowBase();
    void FillFavourites(int selection);
    void UpdateStates();
    void LoadSymbol();
    void PaintSymbol(HDC dc) const;
    void SetFolderType(int type);
    void SetDisplayType(int type);
    void OnChooseFolder();
    void OnChooseBase();
    void OnChooseSymbol();
    void OnClearSymbol();
    void OnNewFavourite();
    void OnChangeFavourite();
    void OnRemoveFavourite();
    void OnMoveFavourite(int step);
    int FavouriteSelection() const;
    // The command definition dialog over a content string; true with a non-empty result.
    bool DefineFavourite(std::string& content) const;
    bool Refuse(UINT textId, int focusId);

    ImageFolder* folder_;
    FolderDialogContext context_;
    std::string imageBaseIni_;
    char prefix_ = '@';
    std::vector<ImageDirectory> bases_;
    std::vector<CKvoraObject> favourites_;
    CKvoraObject symbol_;
    RECT symbolFrame_{0, 0, 0, 0};
};
