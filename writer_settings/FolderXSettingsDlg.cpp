// The dialog that defines one image folder.
#include "writer_settings/FolderXSettingsDlg.h"
#include "framework/Gdi.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/SelImageBaseDlg.h"
#include "morvel/resource.h"
#include "writer_settings/FolderDefinition.h"
#include "writer_settings/Settings.h"

namespace {
const SIZE kLargestSymbol = {1024, 768};
}

FolderXSettingsDlg::FolderXSettingsDlg(ImageFolder* folder, const FolderDialogContext& context, HWND parent)
    : fw::Dialog(IDD_FOLDER_SETTINGS, parent), folder_(folder), context_(context)
{
    if (context_.settings) {
        imageBaseIni_ = context_.settings->imageBaseIni_;
        prefix_ = context_.settings->prefix_;
    }
    ImageBaseManager store;
    store.LoadBases(imageBaseIni_, 1);
    bases_ = store.GetBases();
}

bool FolderXSettingsDlg::OnInitDialog()
{
    SetItemText(IDC_FOLDER_NAME, folder_->name_);
    symbolFrame_ = Item(IDC_FOLDER_SYMBOL_FRAME).RectInParent();
    ::InflateRect(&symbolFrame_, -2, -2);
    LoadSymbol();
    favourites_ = folder_->favourites_;
    switch (folder_->folderType_) {
    case ImageFolder::kDiskFolder:
        SetChecked(IDC_FOLDER_TYPE_DISK, true);
        SetItemText(IDC_FOLDER_DISK_PATH, folder_->folderPath_);
        break;
    case ImageFolder::kImageBase:
        SetChecked(IDC_FOLDER_TYPE_BASE, true);
        ShowBase();
        break;
    default:
        SetChecked(IDC_FOLDER_TYPE_FAVOURITES, true);
        break;
    }
    FillFavourites(-1);
    SetChecked(folder_->sortOrder_ == 0 ? IDC_FOLDER_ALPHABETIC : IDC_FOLDER_NEWEST, true);
    SetChecked(folder_->displayType_ == ImageFolder::kAlbum ? IDC_FOLDER_ALBUM : IDC_FOLDER_LIST_VIEW, true);
    SetChecked(folder_->albumSize_ == 0 ? IDC_FOLDER_LARGE : IDC_FOLDER_SMALL, true);
    SetChecked(folder_->listStructure_ == 0 ? IDC_FOLDER_TREE : IDC_FOLDER_FLAT, true);
    UpdateStates();
    return true;
}

// "key name" of the chosen base, or "?" when the store has no base of that key.
void FolderXSettingsDlg::ShowBase()
{
    std::string text = fw::LoadResString(IDS_NO_BASE);
    for (const ImageDirectory& base : bases_) {
        if (base.GetKey() == folder_->imageBaseKey_)
            text = base.GetKey() + " " + base.GetName();
    }
    SetItemText(IDC_FOLDER_BASE_NAME, text);
}

void FolderXSettingsDlg::FillFavourites(int selection)
{
    fw::ListBox list(Handle(), IDC_FAVOURITE_LIST);
    list.Clear();
    // Only a favourite list shows its pictures; a folder of another type keeps them unseen.
    if (folder_->folderType_ == ImageFolder::kFavouriteList) {
        for (const CKvoraObject& favourite : favourites_)
            list.Add(FavouriteLine(favourite, prefix_));
    }
    list.Select(selection);
}

int FolderXSettingsDlg::FavouriteSelection() const
{
    return fw::ListBox(Handle(), IDC_FAVOURITE_LIST).Selection();
}

void FolderXSettingsDlg::UpdateStates()
{
    const int count = fw::ListBox(Handle(), IDC_FAVOURITE_LIST).Count();
    for (const auto& state : FolderDefinitionStates(*folder_, count, FavouriteSelection(), symbol_.HasPicture() != 0))
        EnableItem(state.first, state.second);
}

void FolderXSettingsDlg::LoadSymbol()
{
    symbol_.Clear();
    symbol_.picturePath_ = folder_->symbol_;
    if (!folder_->symbol_.empty())
        symbol_.LoadPicture(context_.pictureControl, RGB(255, 255, 255), 0, kLargestSymbol);
    if (Handle())
        ::InvalidateRect(Handle(), &symbolFrame_, TRUE);
}

void FolderXSettingsDlg::PaintSymbol(HDC dc) const
{
    if (symbol_.HasPicture())
        symbol_.Draw(dc, symbolFrame_, 1, 0, 1);
}

bool FolderXSettingsDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message != WM_PAINT)
        return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Handle(), &paint);
    PaintSymbol(dc);
    ::EndPaint(Handle(), &paint);
    result = 0;
    return true;
}

bool FolderXSettingsDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_FOLDER_TYPE_DISK: SetFolderType(ImageFolder::kDiskFolder); return true;
    case IDC_FOLDER_TYPE_BASE: SetFolderType(ImageFolder::kImageBase); return true;
    case IDC_FOLDER_TYPE_FAVOURITES: SetFolderType(ImageFolder::kFavouriteList); return true;
    case IDC_FOLDER_ALBUM: SetDisplayType(ImageFolder::kAlbum); return true;
    case IDC_FOLDER_LIST_VIEW: SetDisplayType(ImageFolder::kList); return true;
    case IDC_FOLDER_CHOOSE_DISK: OnChooseFolder(); return true;
    case IDC_FOLDER_CHOOSE_BASE: OnChooseBase(); return true;
    case IDC_FOLDER_CHOOSE_SYMBOL: OnChooseSymbol(); return true;
    case IDC_FOLDER_CLEAR_SYMBOL: OnClearSymbol(); return true;
    case IDC_FAVOURITE_NEW: OnNewFavourite(); return true;
    case IDC_FAVOURITE_CHANGE: OnChangeFavourite(); return true;
    case IDC_FAVOURITE_REMOVE: OnRemoveFavourite(); return true;
    case IDC_FAVOURITE_UP: OnMoveFavourite(-1); return true;
    case IDC_FAVOURITE_DOWN: OnMoveFavourite(1); return true;
    case IDC_FAVOURITE_LIST:
        if (code == LBN_SELCHANGE)
            UpdateStates();
        return true;
    default: return false;
    }
}

void FolderXSettingsDlg::SetFolderType(int type)
{
    folder_->folderType_ = type;
    FillFavourites(-1);
    UpdateStates();
}

void FolderXSettingsDlg::SetDisplayType(int type)
{
    folder_->displayType_ = type;
    UpdateStates();
}

void FolderXSettingsDlg::OnChooseFolder()
{
    const std::string title = fw::LoadResString(IDS_CHOOSE_PICTURE_FOLDER);
    std::string chosen;
    if (!fw::ChooseFolder(Handle(), title, chosen))
        return;
    folder_->folderPath_ = cp1252::Lower(chosen);
    SetItemText(IDC_FOLDER_DISK_PATH, folder_->folderPath_);
}

void FolderXSettingsDlg::OnChooseBase()
{
    std::string key = folder_->imageBaseKey_;
    SelImageBaseDlg chooser(imageBaseIni_, key, Handle());
    if (chooser.DoModal() != IDOK)
        return;
    folder_->imageBaseKey_ = key;
    ShowBase();
}

void FolderXSettingsDlg::OnChooseSymbol()
{
    if (!context_.chooseSymbol)
        return;
    std::string symbol = folder_->symbol_;
    const std::string symbolsDir = context_.settings ? context_.settings->symbolsDir_ : std::string();
    if (!context_.chooseSymbol(Handle(), symbolsDir, symbol))
        return;
    folder_->symbol_ = symbol;
    LoadSymbol();
    UpdateStates();
}

void FolderXSettingsDlg::OnClearSymbol()
{
    folder_->symbol_.clear();
    LoadSymbol();
    UpdateStates();
}

bool FolderXSettingsDlg::DefineFavourite(std::string& content) const
{
    return context_.defineContent && context_.defineContent(Handle(), content) && !content.empty();
}

void FolderXSettingsDlg::OnNewFavourite()
{
    std::string content;
    if (!DefineFavourite(content))
        return;
    CKvoraObject favourite;
    favourite.ParseContent(content, imageBaseIni_);
    const int count = static_cast<int>(favourites_.size());
    const int selection = FavouriteSelection();
    const int position = selection >= 0 && selection < count - 1 ? selection : count;
    favourites_.insert(favourites_.begin() + position, favourite);
    FillFavourites(position);
    UpdateStates();
}

void FolderXSettingsDlg::OnChangeFavourite()
{
    const int selection = FavouriteSelection();
    if (selection < 0 || selection >= static_cast<int>(favourites_.size()))
        return;
    std::string content = favourites_[static_cast<size_t>(selection)].BuildContent();
    if (!DefineFavourite(content))
        return;
    favourites_[static_cast<size_t>(selection)].ParseContent(content, imageBaseIni_);
    FillFavourites(selection);
    UpdateStates();
}

void FolderXSettingsDlg::OnRemoveFavourite()
{
    const int selection = FavouriteSelection();
    if (selection < 0 || selection >= static_cast<int>(favourites_.size()))
        return;
    if (fw::ShowMessage(Handle(), IDS_REMOVE_PICTURE_QUESTION, IDS_DELETE_CAPTION, MB_OKCANCEL | MB_ICONEXCLAMATION)
        == IDCANCEL)
        return;
    favourites_.erase(favourites_.begin() + selection);
    FillFavourites(selection - 1);
    UpdateStates();
}

void FolderXSettingsDlg::OnMoveFavourite(int step)
{
    const int selection = FavouriteSelection();
    const int other = selection + step;
    if (selection < 0 || other < 0 || other >= static_cast<int>(favourites_.size()))
        return;
    std::swap(favourites_[static_cast<size_t>(selection)], favourites_[static_cast<size_t>(other)]);
    FillFavourites(other);
    UpdateStates();
}

bool FolderXSettingsDlg::Refuse(UINT textId, int focusId)
{
    fw::ShowMessage(Handle(), textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
    if (focusId)
        Item(focusId).SetFocus();
    return false;
}

bool FolderXSettingsDlg::OnOK()
{
    const std::string name = ItemText(IDC_FOLDER_NAME);
    if (name.empty())
        return Refuse(IDS_NAME_MISSING, IDC_FOLDER_NAME);
    folder_->name_ = name;
    if (folder_->symbol_.empty())
        return Refuse(IDS_SYMBOL_MISSING, IDC_FOLDER_NAME);
    if (folder_->folderType_ == ImageFolder::kFavouriteList)
        folder_->favourites_ = favourites_;
    if (folder_->folderType_ == ImageFolder::kImageBase && folder_->imageBaseKey_.empty())
        return Refuse(IDS_BASE_MISSING, 0);
    if (folder_->folderType_ == ImageFolder::kDiskFolder && folder_->folderPath_.empty())
        return Refuse(IDS_DISK_FOLDER_MISSING, 0);
    folder_->albumSize_ = IsChecked(IDC_FOLDER_LARGE) ? 0 : 1;
    folder_->sortOrder_ = IsChecked(IDC_FOLDER_ALPHABETIC) ? 0 : 1;
    folder_->listStructure_ = IsChecked(IDC_FOLDER_TREE) ? 0 : 1;
    return true;
}
