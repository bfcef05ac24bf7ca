// The image-base chooser.
#include "library/ImageBaseDlg.h"
#include "framework/Cursor.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/resource.h"

namespace {

bool EndsWithBackslash(const std::string& text)
{
    return !text.empty() && text.back() == '\\';
}

} // namespace

ImageBaseDlg::ImageBaseDlg(UINT templateId, const std::string& settingsFile, const std::string* keyLetter,
                           std::vector<ImageBaseItem>* items, std::string* categoryName, HWND parent,
                           PicturePreviewFactory preview)
    : fw::Dialog(templateId, parent), settingsFile_(settingsFile), keyLetter_(keyLetter), items_(items),
      categoryName_(categoryName), singleChoice_(templateId == IDD_IMAGEBASE),
      factory_(preview ? std::move(preview) : PicturePreviewFactory(MakePicturePreview))
{
}

ImageBaseDlg::ImageBaseDlg(HWND parent) : ImageBaseDlg(IDD_IMAGEBASE, std::string(), nullptr, nullptr, nullptr, parent)
{
}

// Our picture control is part of the program and needs no registration before the preview is made.
bool ImageBaseDlg::OnInitDialog()
{
    fw::WaitCursor wait;
    SetCaption(fw::LoadResString(IDS_IMAGEBASE_CAPTION));
    SetItemText(IDC_IMAGEBASE_BASE_LABEL, fw::LoadResString(IDS_IMAGEBASE_CHOOSE_BASE));
    SetItemText(IDC_IMAGEBASE_CATEGORY_LABEL, fw::LoadResString(IDS_IMAGEBASE_CHOOSE_CATEGORY));
    SetItemText(IDC_IMAGEBASE_PICTURE_LABEL, fw::LoadResString(IDS_IMAGEBASE_CHOOSE_PICTURE));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    allText_ = fw::LoadResString(IDS_IMAGEBASE_ALL);

    preview_ = factory_(hwnd_, IDC_IMAGEBASE_PREVIEW, Item(IDC_IMAGEBASE_PREVIEW_PLACE).RectInParent());

    if (!settingsFile_.empty())
        manager_.LoadBases(settingsFile_, 1);
    fw::ComboBox bases = Control<fw::ComboBox>(IDC_IMAGEBASE_BASES);
    for (const ImageDirectory& base : manager_.GetBases())
        bases.Add(base.GetName());
    basesPresent_ = !manager_.GetBases().empty();
    if (!basesPresent_) {
        for (int id : {IDC_IMAGEBASE_BASES, IDC_IMAGEBASE_CATEGORIES, IDC_IMAGEBASE_PICTURES, IDOK})
            EnableItem(id, false);
        return true;
    }

    // OK waits for a picture.
    EnableItem(IDOK, false);
    if (items_ && !items_->empty() && Preselect())
        return true;
    if (keyLetter_ && !keyLetter_->empty()) {
        const std::vector<ImageDirectory>& all = manager_.GetBases();
        for (size_t i = 0; i < all.size(); ++i) {
            if (cp1252::EqualsNoCase(all[i].GetKey(), *keyLetter_)) {
                SelectBase(static_cast<int>(i));
                return true;
            }
        }
        return true;
    }
    SelectBase(0);
    return true;
}

bool ImageBaseDlg::OnCommand(int id, int code)
{
    if (id == IDC_IMAGEBASE_BASES && code == CBN_SELCHANGE) {
        OnBaseChanged();
        return true;
    }
    if (id == IDC_IMAGEBASE_CATEGORIES && code == CBN_SELCHANGE) {
        OnCategoryChanged();
        return true;
    }
    if (id == IDC_IMAGEBASE_PICTURES && code == LBN_SELCHANGE) {
        OnPictureChanged();
        return true;
    }
    return false;
}

void ImageBaseDlg::SelectBase(int base)
{
    Control<fw::ComboBox>(IDC_IMAGEBASE_BASES).Select(base);
    OnBaseChanged();
}

int ImageBaseDlg::SelectedBase() const
{
    int base = Control<fw::ComboBox>(IDC_IMAGEBASE_BASES).Selection();
    return base >= 0 && base < static_cast<int>(manager_.GetBases().size()) ? base : -1;
}

void ImageBaseDlg::OnBaseChanged()
{
    int base = SelectedBase();
    if (base < 0)
        return;
    manager_.LoadBase(base);
    fw::ComboBox categories = Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES);
    categories.Clear();
    categories.Enable(true);
    categories.Add(allText_);
    for (const ImageCategory& category : manager_.GetCategories())
        categories.Add(category.GetName());
    if (manager_.GetCategories().empty())
        categories.Enable(false);
    categories.SelectExact(allText_);

    manager_.LoadPictures(base, -1);
    ShowPreview(std::string());
    OnCategoryChanged();
    EnableItem(IDOK, false);
}

void ImageBaseDlg::OnCategoryChanged()
{
    fw::ComboBox categories = Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES);
    std::string chosen = categories.Selection() >= 0 ? categories.ItemText(categories.Selection()) : std::string();
    int category = -1;
    if (chosen != allText_) {
        const std::vector<ImageCategory>& all = manager_.GetCategories();
        for (size_t i = 0; i < all.size(); ++i) {
            if (cp1252::EqualsNoCase(all[i].GetName(), chosen)) {
                category = static_cast<int>(i);
                break;
            }
        }
    }

    fw::ListBox list = Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES);
    list.Clear();
    const std::vector<Image>& pictures = manager_.GetPictures();
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (category >= 0 && pictures[i].GetCategory() != category)
            continue;
        int entry = list.Add(pictures[i].GetText());
        if (entry >= 0)
            list.SetItemData(entry, static_cast<LPARAM>(i));
    }
    EnableItem(IDOK, false);
}

std::vector<int> ImageBaseDlg::SelectedEntries() const
{
    fw::ListBox list = Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES);
    if (!singleChoice_)
        return list.SelectedIndexes();
    int entry = list.Selection();
    return entry >= 0 ? std::vector<int>{entry} : std::vector<int>();
}

const Image* ImageBaseDlg::PictureOf(int entry) const
{
    LPARAM index = Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).ItemData(entry);
    const std::vector<Image>& pictures = manager_.GetPictures();
    if (index < 0 || index >= static_cast<LPARAM>(pictures.size()))
        return nullptr;
    return &pictures[static_cast<size_t>(index)];
}

void ImageBaseDlg::OnPictureChanged()
{
    std::vector<int> entries = SelectedEntries();
    int base = SelectedBase();
    if (entries.empty() || base < 0)
        return;
    const Image* picture = PictureOf(entries.front());
    if (!picture || Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).ItemText(entries.front()).empty()) {
        ShowPreview(std::string());
        EnableItem(IDOK, false);
        return;
    }
    ShowPreview(PreviewPath(manager_.GetBases()[static_cast<size_t>(base)], *picture));
    EnableItem(IDOK, true);
}

std::string ImageBaseDlg::PreviewPath(const ImageDirectory& base, const Image& picture) const
{
    if (picture.GetFileName().empty())
        return std::string();
    const std::string& folder = base.GetLongImageDir();
    return folder + (EndsWithBackslash(folder) ? "" : "\\") + picture.GetFileName() + "." + base.GetExtension();
}

void ImageBaseDlg::ShowPreview(const std::string& path)
{
    if (!preview_)
        return;
    if (path.empty() || !preview_->Load(path))
        preview_->Clear();
}

// Each item's picture is found by its path as the image bases find a code for a path, so a dotted
// file name or a folder written with a closing backslash is found too.
bool ImageBaseDlg::Preselect()
{
    const std::vector<ImageDirectory>& bases = manager_.GetBases();
    fw::ListBox list = Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES);
    int previousBase = -1;
    bool lastTaken = false;
    bool anyTaken = false;
    for (const ImageBaseItem& item : *items_) {
        const std::string& path = item.GetPicturePath();
        if (path.empty()) {
            lastTaken = false;
            continue;
        }
        std::string code;
        int base = -1;
        if (manager_.CodeFromPath(path, code, settingsFile_, 1)) {
            for (size_t i = 0; i < bases.size() && base < 0; ++i)
                if (cp1252::StartsWithNoCase(code, bases[i].GetKey()))
                    base = static_cast<int>(i);
        }
        if (base < 0) {
            SelectBase(0);
            return true;
        }

        Control<fw::ComboBox>(IDC_IMAGEBASE_BASES).Select(base);
        if (base != previousBase) {
            OnBaseChanged();
            if (categoryName_ && !categoryName_->empty()) {
                Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES).SelectExact(*categoryName_);
                OnCategoryChanged();
            }
        }
        previousBase = base;
        lastTaken = true;
        anyTaken = true;

        const std::vector<Image>& pictures = manager_.GetPictures();
        const std::string key = bases[static_cast<size_t>(base)].GetKey();
        for (size_t i = 0; i < pictures.size(); ++i) {
            if (!cp1252::EqualsNoCase(key + pictures[i].GetCode(), code))
                continue;
            for (int entry = 0; entry < list.Count(); ++entry) {
                if (list.ItemData(entry) != static_cast<LPARAM>(i))
                    continue;
                if (singleChoice_)
                    list.Select(entry);
                else
                    list.SetSelected(entry, true);
                break;
            }
            break;
        }
    }
    if (lastTaken)
        OnPictureChanged();
    return anyTaken;
}

bool ImageBaseDlg::OnOK()
{
    if (!items_)
        return true;
    std::vector<int> entries = SelectedEntries();
    int base = SelectedBase();
    if ((singleChoice_ && entries.empty()) || base < 0)
        return false;

    // Resolving a code rereads the base's categories: take the chosen pictures first.
    fw::ListBox list = Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES);
    std::vector<std::pair<Image, std::string>> chosen;
    for (int entry : entries) {
        if (const Image* picture = PictureOf(entry))
            chosen.emplace_back(*picture, list.ItemText(entry));
    }
    const ImageDirectory directory = manager_.GetBases()[static_cast<size_t>(base)];
    items_->clear();
    for (const auto& [picture, text] : chosen)
        items_->push_back(MakeItem(directory, picture, text));

    if (categoryName_) {
        fw::ComboBox categories = Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES);
        int selection = categories.Selection();
        std::string text = selection >= 0 ? categories.ItemText(selection) : std::string();
        *categoryName_ = text == allText_ ? std::string() : text;
    }
    return true;
}

// The picture comes back by the path its preview showed.
ImageBaseItem ImageBaseDlg::MakeItem(const ImageDirectory& base, const Image& picture, const std::string& text)
{
    std::string fullCode = base.GetKey() + picture.GetCode();
    std::string resolvedPath, word, sound;
    ImageBaseOptions options;
    manager_.ResolveCode(fullCode, resolvedPath, word, options, &sound, settingsFile_, nullptr, 1);

    int metafileBase = cp1252::Lower(base.GetIniPath()).find("vireda.ini") != std::string::npos ? 1 : 0;
    return ImageBaseItem(PreviewPath(base, picture), text, sound, picture.GetFileName(), fullCode, metafileBase);
}

void ImageBaseDlg::OnDestroy()
{
    Control<fw::ComboBox>(IDC_IMAGEBASE_BASES).Clear();
    Control<fw::ComboBox>(IDC_IMAGEBASE_CATEGORIES).Clear();
    Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).Clear();
    preview_.reset();
}
