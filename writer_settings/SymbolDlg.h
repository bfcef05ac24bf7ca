// The symbol chooser: picks the picture that stands for an image folder in the insert-picture browser.
#pragma once
#include "components/PictureControl.h"
#include "framework/Dialog.h"
#include "library/KvoraObject.h"
#include <memory>
#include <string>

// Modal (dialog 207). Lists the picture files of the symbols folder and previews the chosen one. Opened
// by the image-folder settings dialog, which owns the symbol path: read at opening, written on OK
// ("<symbols folder>\<file name>"), left as it was on cancel.
class SymbolDlg : public fw::Dialog {
public:
    SymbolDlg(const std::string& symbolsFolder, std::string& symbolPath,
              const std::shared_ptr<PictureControl>& pictureControl, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillList();
    void SelectCurrentSymbol();
    void OnSelectionChanged();
    void ShowPreview(const std::string& path);
    void PaintPreview();
    std::string SelectedPath() const;
    RECT PreviewRect() const;

    std::string folder_;
    std::string& symbolPath_;
    std::shared_ptr<PictureControl> pictureControl_;
    CKvoraObject preview_;
};
