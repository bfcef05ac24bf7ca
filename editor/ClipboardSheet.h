// The clipboard picture wizard: the picture on the clipboard pasted, cropped and saved as a JPEG
// file for a block, on three pages that share one working file.
#pragma once
#include "editor/ClipboardGeometry.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "library/ImagXpress.h"
#include <memory>
#include <string>

// What the three pages share: the caller's folder, the working file and what the crop page left.
struct ClipboardWork {
    std::string folder;          // where the picture is proposed to be saved
    std::string workFile;        // "%skvora.jpg" in the temporary folder
    bool hasPlace = false;       // the screen point the sheet's top-left corner opens at
    POINT place{};
    // A selection the crop page left without cropping, in picture pixels: the save page applies it.
    bool hasSelection = false;
    RECT selection{};
    std::string saved;           // the result: the file saved on Finish; empty until then
};

class ClipboardDlg_Crop;

// The crop page's selection over the picture it draws: a static control from the page's template.
class CropRect : public fw::SubclassedWindow {
public:
    explicit CropRect(ClipboardDlg_Crop& page) : page_(page) {}

    // A new picture: drawn fitted into the control, the selection the whole shown picture.
    void Show(const std::shared_ptr<PictureControl>& picture);
    const RECT& Shown() const { return shown_; }
    const RECT& Selection() const { return selection_; }
    // Moves to the selection when the rule accepts it; false (nothing changes) otherwise.
    bool TrySelection(const RECT& selection);
    void ClearSelection() { selection_ = RECT{}; }
    clipboard::MinimumSize Minimum() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) const;
    static HCURSOR CursorFor(int handle);

    ClipboardDlg_Crop& page_;
    std::shared_ptr<PictureControl> picture_;
    bool pressed_ = false;
    POINT anchor_{};
    RECT selection_{};
    RECT before_{};
    RECT shown_{};
    int handle_ = fw::kNoHandle;
};

class ClipboardDlg_Paste : public fw::PropertyPage {
public:
    explicit ClipboardDlg_Paste(ClipboardWork& work);
    ~ClipboardDlg_Paste() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnSetActive() override;
    void OnDestroy() override;

private:
    void OnPaste();

    ClipboardWork& work_;
    std::unique_ptr<CImagXpress> picture_;
};

class ClipboardDlg_Crop : public fw::PropertyPage {
public:
    explicit ClipboardDlg_Crop(ClipboardWork& work);
    ~ClipboardDlg_Crop() override;

    const CropRect& Crop() const { return crop_; }
    PictureControl* Picture() const { return picture_ ? picture_->GetInterface().get() : nullptr; }
    bool Cropped() const { return cropped_; }
    double Factor() const { return factor_; }
    // The keys of the sheet's accelerator table arrive here as commands.
    bool OnCommand(int id, int code) override;

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    void OnDestroy() override;

private:
    void Step(int dx, int dy);
    void Resize(double step);
    void OnCrop();
    void OnUndo();
    // The picture in the control shown anew, fitted, with the whole of it selected.
    void ShowPicture();
    void UpdateButtons();

    ClipboardWork& work_;
    std::unique_ptr<CImagXpress> picture_;
    CropRect crop_;
    double factor_ = 1.0;
    bool cropped_ = false;
};

class ClipboardDlg_Save : public fw::PropertyPage {
public:
    explicit ClipboardDlg_Save(ClipboardWork& work);
    ~ClipboardDlg_Save() override;

    PictureControl* Picture() const { return picture_ ? picture_->GetInterface().get() : nullptr; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnSetActive() override;
    bool OnWizardFinish() override;
    void OnDestroy() override;

private:
    void OnBrowse();
    // False when the file is there and the user would rather not replace it.
    bool MayWrite(const std::string& file) const;

    ClipboardWork& work_;
    std::unique_ptr<CImagXpress> picture_;
    // A file the browse dialog has already asked about replacing.
    std::string replaceAgreed_;
};

// The wizard; the caller owns it. Its messages pass through accelerator table 144 while the crop
// page is active.
class ClipboardSheet : public fw::PropSheet {
public:
    // folder: where the picture is proposed to be saved; at: the screen point to open at, or null.
    ClipboardSheet(HWND parent, const std::string& folder, const POINT* at);
    ~ClipboardSheet() override;

    // The saved file after Finish; empty when nothing was saved.
    const std::string& Saved() const { return work_.saved; }
    ClipboardWork& Work() { return work_; }
    ClipboardDlg_Paste& PastePage() { return paste_; }
    ClipboardDlg_Crop& CropPage() { return crop_; }
    ClipboardDlg_Save& SavePage() { return save_; }

    bool PreTranslateMessage(MSG& message) override;
    // "%skvora.jpg" on the temporary folder.
    static std::string WorkFilePath();

private:
    ClipboardWork work_;
    ClipboardDlg_Paste paste_;
    ClipboardDlg_Crop crop_;
    ClipboardDlg_Save save_;
    HACCEL keys_ = nullptr;
};

// Runs the wizard modally; true with the saved file's name only when a picture was saved.
bool RunClipboardWizard(HWND owner, const std::string& folder, const POINT* at, std::string& saved);
