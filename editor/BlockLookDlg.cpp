// The appearance half of the block and background definition dialogs.
#include "editor/BlockLookDlg.h"
#include "editor/BlockAppearance.h"
#include "editor/BlockColorDlg.h"
#include "editor/BlockDefinition.h"
#include "editor/BlockPicture.h"
#include "editor/ClipboardSheet.h"
#include "editor/DefaultImageBaseDlg.h"
#include "editor/FontDlg.h"
#include "editor/KvoraCommandFields.h"
#include "editor/ProgramMenuDlg.h"
#include "editor/SubDialogTexts.h"
#include "editor/TextPosDlg.h"
#include "framework/FileReplace.h"
#include "framework/FileRequest.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/ImageBaseDlg.h"
#include "library/ImageBaseManager.h"
#include "library/resource.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

BlockLookDlg::BlockLookDlg(UINT templateId, Block& block, const BlockDialogContext& context, HWND parent)
    : fw::Dialog(templateId, parent), block_(block), context_(context)
{
}

BlockLookDlg::~BlockLookDlg() = default;

PictureControl* BlockLookDlg::Picture() const
{
    return picture_ ? picture_->GetInterface().get() : nullptr;
}

// ---- Opening ----------------------------------------------------------------------------------

bool BlockLookDlg::OnInitDialog()
{
    SetLookTexts();
    if (context_.settings->applicationName_ != "Japanese") {
        LOGFONTA bold{};
        bold.lfHeight = 10;
        bold.lfWeight = FW_BOLD;
        lstrcpynA(bold.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        boldFont_.Reset(::CreateFontIndirectA(&bold));
        for (int id : BoldTitles())
            ::SendMessageA(::GetDlgItem(hwnd_, id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), TRUE);
    }
    // A block of several ranges has neither text nor picture.
    if (!blockdef::HasTextAndPicture(block_)) {
        for (int id : {IDC_BLOCK_TEXT, IDC_BLOCK_FROM_IMAGEBASE, IDC_BLOCK_BROWSE_PICTURE, IDC_BLOCK_PASTE_PICTURE,
                       IDC_BLOCK_PROGRAM_ICON, IDC_BLOCK_TEXT_POSITION, IDC_BLOCK_FONT, IDC_BLOCK_REMOVE_PICTURE})
            EnableItem(id, false);
    }
    CreatePicture();
    fw::Edit text = Control<fw::Edit>(IDC_BLOCK_TEXT);
    text.SetLimit(blockdef::kMaxText);
    text.SetText(blockdef::TextForBox(block_.text_));
    ShowBlockPicture();
    SetChecked(IDC_BLOCK_ROUND, block_.roundFrame_ != 0);

    fw::ComboBox frame = Control<fw::ComboBox>(IDC_BLOCK_FRAME_WIDTH);
    frame.Add(fw::LoadResString(IDS_BLOCK_NO_FRAME));
    for (int width = 1; width <= blockdef::kMaxFrameWidth; ++width)
        frame.Add(std::to_string(width));
    frame.Select(blockdef::FrameLine(block_.frameWidth_));
    ApplyFrameRule();
    return true;
}

void BlockLookDlg::SetLookTexts()
{
    for (auto [id, text] : {std::pair{IDC_BLOCK_TEXT_LABEL, IDS_BLOCK_TEXT_LABEL},
                            {IDC_BLOCK_TEXT_POSITION, IDS_BLOCK_TEXT_POSITION}, {IDC_BLOCK_FONT, IDS_BLOCK_FONT},
                            {IDC_BLOCK_COLOR, IDS_BLOCK_COLOR}, {IDC_BLOCK_PICTURE_LABEL, IDS_BLOCK_PICTURE_LABEL},
                            {IDC_BLOCK_FROM_IMAGEBASE, IDS_BLOCK_FROM_IMAGEBASE},
                            {IDC_BLOCK_BROWSE_PICTURE, IDS_BLOCK_BROWSE_PICTURE},
                            {IDC_BLOCK_PASTE_PICTURE, IDS_BLOCK_PASTE_PICTURE},
                            {IDC_BLOCK_PROGRAM_ICON, IDS_BLOCK_PROGRAM_ICON},
                            {IDC_BLOCK_REMOVE_PICTURE, IDS_BLOCK_REMOVE_PICTURE},
                            {IDC_BLOCK_FRAME_LABEL, IDS_BLOCK_FRAME_LABEL}, {IDC_BLOCK_ROUND, IDS_BLOCK_ROUND}})
        SetItemText(id, fw::LoadResString(text));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
}

void BlockLookDlg::CreatePicture()
{
    picture_ = CImagXpress::InFrame(hwnd_, IDC_BLOCK_PICTURE_FRAME);
}

void BlockLookDlg::ShowBlockPicture()
{
    bool shown = false;
    if (PictureControl* control = Picture())
        shown = !block_.picturePath_.empty() && blockpicture::Show(*control, block_.picturePath_);
    PictureChanged(shown || !block_.picturePath_.empty());
}

void BlockLookDlg::PictureChanged(bool shown)
{
    EnableItem(IDC_BLOCK_REMOVE_PICTURE, shown && blockdef::HasTextAndPicture(block_));
}

void BlockLookDlg::ApplyFrameRule()
{
    const int width = Control<fw::ComboBox>(IDC_BLOCK_FRAME_WIDTH).Selection();
    EnableItem(IDC_BLOCK_ROUND, blockdef::AllowsRoundCorners(block_, width));
}

// ---- Buttons ------------------------------------------------------------------------------------

bool BlockLookDlg::OnCommand(int id, int code)
{
    if (id == IDC_BLOCK_FRAME_WIDTH) {
        if (code == CBN_SELCHANGE)
            ApplyFrameRule();
        return true;
    }
    if (id == ID_SETTINGS_DEFAULT_IMAGEBASE) {
        ChooseDefaultImageBase(hwnd_, *context_.settings, RightOfThisPlacement());
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_BLOCK_BROWSE_PICTURE: OnBrowsePicture(); return true;
    case IDC_BLOCK_FROM_IMAGEBASE: OnImageBasePicture(); return true;
    case IDC_BLOCK_PASTE_PICTURE: OnPastePicture(); return true;
    case IDC_BLOCK_PROGRAM_ICON: OnProgramIcon(); return true;
    case IDC_BLOCK_REMOVE_PICTURE: OnRemovePicture(); return true;
    case IDC_BLOCK_COLOR: OnColor(); return true;
    case IDC_BLOCK_TEXT_POSITION: OnTextPosition(); return true;
    case IDC_BLOCK_FONT: OnFont(); return true;
    }
    return false;
}

void BlockLookDlg::OnBrowsePicture()
{
    std::string folder;
    if (block_.picturePath_.empty())
        context_.settings->GetImageDir(folder);
    fw::FileRequest request(hwnd_, block_.picturePath_, fw::LoadResString(IDS_BLOCK_PICTURE_FILTER),
                        fw::LoadResString(IDS_BLOCK_BROWSE_TITLE), folder,
                        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
    if (!fw::ShowOpenFileDialog(request.request))
        return;
    const std::string chosen = request.Chosen();
    programIcon_ = false;
    block_.picturePath_ = chosen;
    block_.pictureCode_.clear();
    block_.libraryPicture_ = 0;
    const std::string chosenFolder = fw::FolderOf(chosen);
    if (!chosenFolder.empty())
        context_.settings->SetImageDir(chosenFolder);
    ShowBlockPicture();
}

void BlockLookDlg::OnImageBasePicture()
{
    const std::string& basesFile = context_.settings->imageBaseSettingsFile_;
    std::vector<ImageBaseItem> items = kvora_command::ChooserItems(
        block_.pictureCode_.empty() ? block_.picturePath_ : block_.pictureCode_, basesFile);
    std::string key;
    context_.settings->GetDefaultImageBase(key);
    ImageBaseDlg chooser(IDD_IMAGEBASE, basesFile, &key, &items, nullptr, hwnd_);
    chooser.PlaceOnOpen(RightOfThisPlacement());
    if (chooser.DoModal() != IDOK || items.empty())
        return;
    const ImageBaseItem& item = items.front();
    programIcon_ = false;
    block_.picturePath_ = item.GetPicturePath();
    block_.pictureCode_ = item.GetFullCode();
    block_.libraryPicture_ = item.GetMetafileBase();
    const kvora_command::CodePicture picture = kvora_command::ResolvePicture(item.GetFullCode(), basesFile);
    if (picture.found && picture.options.GetPresent() != 0) {
        SetItemText(IDC_BLOCK_TEXT, picture.word);
        block_.textPosition_ = Block::kTop;
    }
    ShowBlockPicture();
    OnBasePictureChosen(item);
}

void BlockLookDlg::OnPastePicture()
{
    const POINT at = RightOfThis();
    std::string saved;
    if (!RunClipboardWizard(hwnd_, context_.settings->autoImageFolder_, &at, saved))
        return;
    programIcon_ = false;
    block_.picturePath_ = saved;
    block_.pictureCode_.clear();
    block_.libraryPicture_ = 0;
    ShowBlockPicture();
}

void BlockLookDlg::OnProgramIcon()
{
    std::string program;
    std::string arguments;
    HGLOBAL icon = nullptr;
    ProgramMenuDlg menu(program, arguments, &icon, hwnd_);
    menu.PlaceOnOpen(RightOfThisPlacement());
    if (menu.DoModal() != IDOK)
        return;
    PictureControl* control = Picture();
    const bool shown = icon && control && blockpicture::ShowDib(*control, icon);
    if (icon)
        ::GlobalFree(icon);
    if (!shown)
        return;
    // The icon is saved as the block's picture on OK, under the program's name.
    std::string title = program.substr(program.find_last_of('\\') + 1);
    iconTitle_ = title.substr(0, title.rfind('.'));
    block_.picturePath_.clear();
    block_.pictureCode_.clear();
    block_.libraryPicture_ = 0;
    programIcon_ = true;
    PictureChanged(true);
}

void BlockLookDlg::OnRemovePicture()
{
    programIcon_ = false;
    block_.picturePath_.clear();
    block_.pictureCode_.clear();
    block_.libraryPicture_ = 0;
    if (PictureControl* control = Picture())
        control->Clear();
    PictureChanged(false);
}

POINT BlockLookDlg::RightOfThis() const
{
    const RECT rect = Self().WindowRect();
    return {rect.right, rect.top};
}

fw::Dialog::Placement BlockLookDlg::RightOfThisPlacement() const
{
    return subdialog::CornerAt(RightOfThis(), subdialog::Corner::TopLeft);
}

void BlockLookDlg::OnColor()
{
    BlockColorDlg dialog(block_, hwnd_);
    dialog.PlaceOnOpen(RightOfThisPlacement());
    dialog.DoModal();
}

void BlockLookDlg::OnTextPosition()
{
    TextPosDlg dialog(block_, hwnd_);
    dialog.PlaceOnOpen(RightOfThisPlacement());
    dialog.DoModal();
}

// The automatic font is shown without being written into the block: Cancel leaves the block's font
// as it was.
void BlockLookDlg::OnFont()
{
    std::string defaultFont;
    context_.settings->GetDefaultFont(defaultFont);
    int size = 0;
    if (context_.cells)
        block_.FontSize(size, context_.cells, context_.cellHeightMm);
    FontDlg dialog(block_, appearance::AutomaticFontOf(block_, defaultFont, size), hwnd_);
    dialog.PlaceOnOpen(RightOfThisPlacement());
    dialog.DoModal();
}

// ---- OK -----------------------------------------------------------------------------------------

void BlockLookDlg::StoreLook()
{
    block_.text_ = ItemText(IDC_BLOCK_TEXT);
    block_.frameWidth_ = std::max(0, Control<fw::ComboBox>(IDC_BLOCK_FRAME_WIDTH).Selection());
    block_.roundFrame_ = IsChecked(IDC_BLOCK_ROUND) ? 1 : 0;
}

bool BlockLookDlg::RefuseUnstorable(Block candidate)
{
    candidate.text_ = ItemText(IDC_BLOCK_TEXT);
    if (!PlanProgramIcon())
        return true;
    if (!icon_.path.empty())
        candidate.picturePath_ = icon_.path;
    const FileIO::BlockField field = FileIO::FindUnstorableField(candidate);
    if (field == FileIO::BlockField::None)
        return false;
    // Cells off the grid are no value of this dialog: only deleting the block mends them.
    if (field == FileIO::BlockField::Cells) {
        fw::ShowMessage(hwnd_, IDS_BLOCK_CELLS_OUTSIDE, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    const std::string text =
        fw::FormatResString(IDS_BLOCK_UNSTORABLE, fw::LoadResString(blockdef::FieldTextId(field)).c_str());
    fw::ShowMessage(hwnd_, IDS_BLOCK_UNSTORABLE, text, fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
    const int control = field == FileIO::BlockField::Command    ? IDC_BLOCK_COMMAND
                        : field == FileIO::BlockField::Picture  ? IDC_BLOCK_REMOVE_PICTURE
                        : field == FileIO::BlockField::FontName ? IDC_BLOCK_FONT
                                                                : IDC_BLOCK_TEXT;
    if (HWND item = ::GetDlgItem(hwnd_, control))
        ::SetFocus(item);
    return true;
}

namespace {

// The icon as its file will hold it: written to a file of the temporary folder and read back.
bool IconBytes(const PictureControl& control, std::string& bytes)
{
    char folder[MAX_PATH + 1] = "";
    char file[MAX_PATH + 1] = "";
    if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "ico", 0, file))
        return false;
    const bool read = control.SaveFile(file, PictureFileType::Bmp) &&
                      fw::ReadWholeFile(file, bytes) == fw::FileRead::Whole && !bytes.empty();
    ::DeleteFileA(file);
    return read;
}

} // namespace

// Two programs of one file title share the folder: a file under the name that holds another icon
// stays as it is, and this icon takes the first free name after it, or a file on the way there that
// holds this very icon.
bool BlockLookDlg::PlanProgramIcon()
{
    icon_ = ProgramIconFile{};
    PictureControl* control = Picture();
    if (!programIcon_ || !control || !control->HasPicture())
        return true;
    const std::string stem = context_.settings->autoIconFolder_ + "\\" + iconTitle_ + "_icon";
    const std::string named = stem + ".bmp";
    std::string same;
    const std::string free = IconBytes(*control, icon_.bytes)
                                 ? fw::FirstFreePath([&](int n) {
                                       std::string path = n == 1 ? named : stem + std::to_string(n) + ".bmp";
                                       std::string there;
                                       if (same.empty() && fw::ReadWholeFile(path, there) == fw::FileRead::Whole &&
                                           there == icon_.bytes)
                                           same = path;
                                       return path;
                                   })
                                 : std::string();
    if (free.empty() && same.empty()) {
        fw::ShowMessage(hwnd_, IDS_BLOCK_ICON_NOT_SAVED, fw::FormatResString(IDS_BLOCK_ICON_NOT_SAVED, named.c_str()),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
        return false;
    }
    icon_.path = same.empty() ? free : same;
    icon_.written = !same.empty();
    return true;
}

bool BlockLookDlg::SaveProgramIcon()
{
    if (icon_.path.empty())
        return true;
    if (!icon_.written) {
        std::string folder = fw::FolderOf(icon_.path);
        ImageBaseManager::CreatePath(folder);
        if (fw::WriteNewFile(icon_.path, icon_.bytes) != fw::NewFile::Created) {
            fw::ShowMessage(hwnd_, IDS_BLOCK_ICON_NOT_SAVED,
                            fw::FormatResString(IDS_BLOCK_ICON_NOT_SAVED, icon_.path.c_str()),
                            fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
            return false;
        }
        icon_.written = true;
    }
    block_.picturePath_ = icon_.path;
    return true;
}

void BlockLookDlg::OnDestroy()
{
    picture_.reset();
}
