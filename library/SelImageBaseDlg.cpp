// The base chooser.
#include "library/SelImageBaseDlg.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include "library/resource.h"

SelImageBaseDlg::SelImageBaseDlg(const std::string& settingsFile, std::string& keyLetter, HWND parent)
    : fw::Dialog(IDD_SELECT_IMAGEBASE, parent), settingsFile_(settingsFile), keyLetter_(keyLetter)
{
}

// The entries are read as they stand, in letter order: the default base keeps its place and the index
// files are shown as written, since only the key letter goes back to the caller.
bool SelImageBaseDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_SELECT_IMAGEBASE_CAPTION));
    SetItemText(IDC_SELECT_IMAGEBASE_LABEL, fw::LoadResString(IDS_SELECT_IMAGEBASE_LABEL));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));

    fw::ListBox list = Control<fw::ListBox>(IDC_SELECT_IMAGEBASE_LIST);
    for (char letter : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖ")) {
        const std::string key(1, letter);
        std::string entry = ini::ReadString(settingsFile_, "ImageBases", key);
        if (entry.empty())
            continue;
        size_t comma = entry.find(',');
        std::string indexFile = entry.substr(0, comma);
        std::string name;
        if (comma != std::string::npos) {
            name = entry.substr(comma + 1);
            name = name.substr(0, name.find(','));
        }
        bases_.emplace_back(key, indexFile, name, 0);
        list.Add(key + " " + name);
    }

    bool selected = false;
    if (!keyLetter_.empty()) {
        for (size_t i = 0; i < bases_.size(); ++i) {
            if (cp1252::EqualsNoCase(bases_[i].GetKey(), keyLetter_)) {
                list.Select(static_cast<int>(i));
                selected = true;
                break;
            }
        }
    }
    EnableItem(IDOK, selected);
    return true;
}

bool SelImageBaseDlg::OnCommand(int id, int code)
{
    if (id == IDC_SELECT_IMAGEBASE_LIST && code == LBN_SELCHANGE) {
        EnableItem(IDOK, Control<fw::ListBox>(IDC_SELECT_IMAGEBASE_LIST).Selection() >= 0);
        return true;
    }
    return false;
}

bool SelImageBaseDlg::OnOK()
{
    int selection = Control<fw::ListBox>(IDC_SELECT_IMAGEBASE_LIST).Selection();
    if (selection < 0 || selection >= static_cast<int>(bases_.size()))
        return false;
    keyLetter_ = bases_[static_cast<size_t>(selection)].GetKey();
    return true;
}

void SelImageBaseDlg::OnDestroy()
{
    bases_.clear();
}
