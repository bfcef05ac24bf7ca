// The symbol chooser.
#include "writer_settings/SymbolDlg.h"
#include "framework/Gdi.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer_settings/PictureScan.h"

namespace {

const SIZE kLargestPicture{1024, 768};

} // namespace

SymbolDlg::SymbolDlg(const std::string& symbolsFolder, std::string& symbolPath,
                     const std::shared_ptr<PictureControl>& pictureControl, HWND parent)
    : fw::Dialog(IDD_SYMBOL, parent), folder_(symbolsFolder), symbolPath_(symbolPath), pictureControl_(pictureControl)
{
}

bool SymbolDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_SYMBOL_CAPTION));
    SetItemText(IDC_SYMBOL_LABEL, fw::FormatResString(IDS_SYMBOL_FOLDER_NOTE, folder_.c_str()));
    FillList();
    if (symbolPath_.empty()) {
        EnableItem(IDOK, false);
    } else {
        SelectCurrentSymbol();
        ShowPreview(symbolPath_);
    }
    return true;
}

// Every picture file of the folder, by its name. The extension is compared without case, as the
// browser finds pictures: a symbol saved as KATT.JPG is a symbol like any other.
void SymbolDlg::FillList()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SYMBOL_LIST);
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder_ + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && picturescan::HasPictureExtension(entry.cFileName))
            list.Add(entry.cFileName);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

// The list's own prefix search: the first entry that begins with the symbol's file name.
void SymbolDlg::SelectCurrentSymbol()
{
    const size_t slash = symbolPath_.rfind('\\');
    const std::string name = slash == std::string::npos ? symbolPath_ : symbolPath_.substr(slash + 1);
    Item(IDC_SYMBOL_LIST).Send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
}

bool SymbolDlg::OnCommand(int id, int code)
{
    if (id != IDC_SYMBOL_LIST)
        return false;
    if (code == LBN_SELCHANGE)
        OnSelectionChanged();
    else if (code == LBN_DBLCLK && OnOK())
        EndDialog(IDOK);
    return true;
}

void SymbolDlg::OnSelectionChanged()
{
    const std::string path = SelectedPath();
    if (path.empty())
        return;
    ShowPreview(path);
    EnableItem(IDOK, true);
}

std::string SymbolDlg::SelectedPath() const
{
    fw::ListBox list = Control<fw::ListBox>(IDC_SYMBOL_LIST);
    const int selection = list.Selection();
    return selection < 0 ? std::string() : folder_ + "\\" + list.ItemText(selection);
}

void SymbolDlg::ShowPreview(const std::string& path)
{
    preview_.Clear();
    preview_.picturePath_ = path;
    preview_.LoadPicture(pictureControl_, RGB(255, 255, 255), 0, kLargestPicture);
    RECT rect = PreviewRect();
    ::InvalidateRect(hwnd_, &rect, TRUE);
}

RECT SymbolDlg::PreviewRect() const
{
    RECT rect = Item(IDC_SYMBOL_PREVIEW).RectInParent();
    ::InflateRect(&rect, -2, -2);
    return rect;
}

bool SymbolDlg::OnOK()
{
    const std::string path = SelectedPath();
    if (path.empty())
        return false;
    symbolPath_ = path;
    return true;
}

bool SymbolDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&)
{
    if (message != WM_PAINT)
        return false;
    PaintPreview();
    return true;
}

void SymbolDlg::PaintPreview()
{
    fw::PaintDC dc(hwnd_);
    if (!preview_.HasPicture())
        return;
    preview_.Draw(dc, PreviewRect(), 1, 0, 1);
}
