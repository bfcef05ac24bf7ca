// The image-base chooser: a base, narrowed by category, and a picture by its word with a preview; it
// gives back the chosen pictures with their files, sounds, words and codes.
#pragma once
#include "framework/Dialog.h"
#include "library/ImageBaseManager.h"
#include "library/PicturePreview.h"
#include <memory>
#include <string>
#include <vector>

// Reads the bases through a manager of its own; the caller owns the result list and the strings.
class ImageBaseDlg : public fw::Dialog {
public:
    // templateId 1500 chooses one picture; another template holds a list of several selections.
    // keyLetter: the base to show first, or null. items: in, the pictures to select first (each by its
    // picture path); out on IDOK, the chosen pictures; null when no result is wanted. categoryName: in,
    // the category to show with the first picture; out on IDOK, the chosen one ("" for all); or null.
    // preview: what shows the picture; the library's picture control by default.
    ImageBaseDlg(UINT templateId, const std::string& settingsFile, const std::string* keyLetter,
                 std::vector<ImageBaseItem>* items, std::string* categoryName, HWND parent = nullptr,
                 PicturePreviewFactory preview = nullptr);
    // Template 1500 without inputs: no bases to show.
    explicit ImageBaseDlg(HWND parent);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnDestroy() override;

private:
    void OnBaseChanged();
    void OnCategoryChanged();
    void OnPictureChanged();
    // Selects the bases and pictures of the result list's items; false when no item named a picture.
    bool Preselect();
    void SelectBase(int base);
    // The base selected in the combo box, -1 for none.
    int SelectedBase() const;
    // The list entries selected, in list order.
    std::vector<int> SelectedEntries() const;
    // The picture behind a list entry: each entry carries the index of its picture, so two pictures
    // with one word are still told apart.
    const Image* PictureOf(int entry) const;
    std::string PreviewPath(const ImageDirectory& base, const Image& picture) const;
    ImageBaseItem MakeItem(const ImageDirectory& base, const Image& picture, const std::string& text);
    void ShowPreview(const std::string& path);

    std::string settingsFile_;
    const std::string* keyLetter_;
    std::vector<ImageBaseItem>* items_;
    std::string* categoryName_;
    std::string allText_;
    bool basesPresent_ = false;
    bool singleChoice_;
    PicturePreviewFactory factory_;
    std::unique_ptr<PicturePreview> preview_;
    ImageBaseManager manager_;
};
