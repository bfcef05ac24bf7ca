// The font dialog of a block.
#include "editor/FontDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <algorithm>
#include <cstdlib>

FontDlg::FontDlg(Block& block, const appearance::AutomaticFont& automatic, HWND parent)
    : fw::Dialog(IDD_BLOCK_FONT, parent), block_(block), automatic_(automatic)
{
}

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM list)
{
    auto* names = reinterpret_cast<std::vector<std::string>*>(list);
    // Vertical faces ("@...") are the same family turned for East Asian writing.
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != '@')
        names->push_back(font->lfFaceName);
    return 1;
}

} // namespace

std::vector<std::string> FontDlg::ScreenFonts()
{
    std::vector<std::string> names;
    HDC screen = ::GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(screen, &wanted, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    ::ReleaseDC(nullptr, screen);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool FontDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_FONT_CAPTION,
                        {{IDC_FONT_AUTOMATIC, IDS_FONT_AUTOMATIC}, {IDC_FONT_OWN, IDS_FONT_OWN},
                         {IDC_FONT_NAME_LABEL, IDS_FONT_NAME_LABEL}, {IDC_FONT_STYLE_LABEL, IDS_FONT_STYLE_LABEL},
                         {IDC_FONT_SIZE_LABEL, IDS_FONT_SIZE_LABEL}});
    fw::ListBox names = Control<fw::ListBox>(IDC_FONT_NAMES);
    for (const std::string& name : ScreenFonts())
        names.Add(name);
    fw::ListBox styles = Control<fw::ListBox>(IDC_FONT_STYLES);
    for (UINT text : {IDS_FONT_NORMAL, IDS_FONT_BOLD, IDS_FONT_ITALIC, IDS_FONT_BOLD_ITALIC})
        styles.Add(fw::LoadResString(text));
    fw::ListBox sizes = Control<fw::ListBox>(IDC_FONT_SIZES);
    for (int size : appearance::FontSizes())
        sizes.Add(std::to_string(size));

    if (block_.ownFont_)
        ShowFont(true, block_.fontName_, block_.fontStyle_, block_.fontSize_);
    else
        ShowFont(false, automatic_.name, automatic_.style, automatic_.size);
    return true;
}

void FontDlg::ShowFont(bool own, const std::string& name, int style, int size)
{
    SetChecked(IDC_FONT_OWN, own);
    SetChecked(IDC_FONT_AUTOMATIC, !own);
    fw::ListBox names = Control<fw::ListBox>(IDC_FONT_NAMES);
    int line = names.FindExact(name);
    // A font the screen does not have (the block may come from another computer) keeps its name.
    if (line < 0 && !name.empty())
        line = names.Add(name);
    names.Select(line);
    Control<fw::ListBox>(IDC_FONT_STYLES).Select(appearance::StyleLine(style));
    Control<fw::ListBox>(IDC_FONT_SIZES).Select(appearance::SizeLine(size));
    for (int id : {IDC_FONT_NAMES, IDC_FONT_STYLES, IDC_FONT_SIZES})
        EnableItem(id, own);
}

bool FontDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED || (id != IDC_FONT_AUTOMATIC && id != IDC_FONT_OWN))
        return false;
    const bool own = id == IDC_FONT_OWN;
    for (int list : {IDC_FONT_NAMES, IDC_FONT_STYLES, IDC_FONT_SIZES})
        EnableItem(list, own);
    return true;
}

bool FontDlg::OnOK()
{
    if (!IsChecked(IDC_FONT_OWN)) {
        block_.ownFont_ = 0;
        block_.fontName_.clear();
        block_.fontStyle_ = Block::kNormal;
        block_.fontSize_ = 0;
        return true;
    }
    fw::ListBox names = Control<fw::ListBox>(IDC_FONT_NAMES);
    fw::ListBox sizes = Control<fw::ListBox>(IDC_FONT_SIZES);
    block_.ownFont_ = 1;
    block_.fontName_ = names.Selection() >= 0 ? names.ItemText(names.Selection()) : automatic_.name;
    block_.fontStyle_ = appearance::StyleOfLine(Control<fw::ListBox>(IDC_FONT_STYLES).Selection());
    if (sizes.Selection() >= 0)
        block_.fontSize_ = std::atoi(sizes.ItemText(sizes.Selection()).c_str());
    return true;
}
