// The desktop-shortcut dialog and the shell link it writes.
#include "writer_settings/ShortcutDlg.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include "writer_settings/UserNames.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

std::string g_testDesktop;

std::wstring Widen(const std::string& text)
{
    wchar_t wide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    wide[MAX_PATH - 1] = L'\0';
    return wide;
}

void ShowPlain(HWND owner, UINT textId)
{
    fw::ShowMessage(owner, textId, fw::LoadResString(textId), std::string(), MB_OK);
}

} // namespace

std::string DesktopFolder()
{
    if (!g_testDesktop.empty())
        return g_testDesktop;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                        KEY_READ, &key)
        != ERROR_SUCCESS)
        return std::string();
    char folder[MAX_PATH] = "";
    DWORD size = sizeof(folder) - 1;
    DWORD type = 0;
    const bool read = ::RegQueryValueExA(key, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size)
                      == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return read && type == REG_SZ ? std::string(folder) : std::string();
}

void ShortcutDlg::SetDesktopForTests(const std::string& folder)
{
    g_testDesktop = folder;
}

ShortcutDlg::ShortcutDlg(const User& user, const Settings& settings, HWND parent)
    : fw::Dialog(IDD_SHORTCUT, parent), user_(user), settings_(settings)
{
}

std::string ShortcutDlg::FreeLinkName(const std::string& desktop, const std::string& name)
{
    std::string proposal = name;
    for (int number = 2; fw::PathExists(desktop + "\\" + proposal + ".lnk"); ++number)
        proposal = name + " " + std::to_string(number);
    return proposal;
}

std::string ShortcutDlg::LinkTarget(const Settings& settings, HWND window)
{
    if (cp1252::EqualsNoCase(fw::FileExtension(settings.exePath_), "lnk"))
        return Settings::ResolveShortcut(window, settings.exePath_);
    return settings.exePath_;
}

bool ShortcutDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_SHORTCUT_CAPTION));
    SetItemText(IDC_LABEL_1, fw::LoadResString(IDS_SHORTCUT_QUESTION));
    SetItemText(IDC_LABEL_2, fw::LoadResString(IDS_SHORTCUT_NAME_LABEL));
    SetItemText(IDOK, "OK");
    desktop_ = DesktopFolder();
    if (desktop_.empty()) {
        fw::ShowMessage(Handle(), IDS_SHORTCUT_FAILED, fw::LoadResString(IDS_SHORTCUT_FAILED),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK);
        EndDialog(IDCANCEL);
        return true;
    }
    std::string name = fw::LoadResString(IDS_PROGRAM_NAME);
    if (user_.path_.empty()) {
        SetItemText(IDC_SHORTCUT_INFO, fw::LoadResString(IDS_SHORTCUT_WITHOUT_USER));
    } else {
        SetItemText(IDC_SHORTCUT_INFO, fw::FormatResString(IDS_SHORTCUT_WITH_USER, user_.name_.c_str()));
        Settings::FileTitleFromPath(user_.path_, name, true);
    }
    SetItemText(IDC_SHORTCUT_NAME, FreeLinkName(desktop_, name));
    return true;
}

bool ShortcutDlg::OnOK()
{
    const std::string name = ItemText(IDC_SHORTCUT_NAME);
    if (name.empty() || usernames::HasForbiddenLinkCharacter(name)) {
        fw::ShowMessage(Handle(), IDS_SHORTCUT_BAD_NAME, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
        return false;
    }
    LinkProperties link;
    link.linkFile = desktop_ + "\\" + name + ".lnk";
    if (link.linkFile.size() >= MAX_PATH) {
        fw::ShowMessage(Handle(), IDS_SHORTCUT_BAD_NAME, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
        return false;
    }
    if (fw::PathExists(link.linkFile)) {
        fw::ShowMessage(Handle(), IDS_SHORTCUT_EXISTS, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
        return false;
    }
    link.target = LinkTarget(settings_, Handle());
    link.arguments = user_.path_;
    link.workingFolder = settings_.programDir_;
    if (CreateLink(link, Handle()) != S_OK) {
        fw::ShowMessage(Handle(), IDS_SHORTCUT_FAILED, fw::LoadResString(IDS_SHORTCUT_FAILED),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK);
        return false;
    }
    fw::ShowMessage(Handle(), IDS_SHORTCUT_CREATED, fw::LoadResString(IDS_SHORTCUT_CREATED),
                    fw::LoadResString(IDS_SHORTCUT_DONE_CAPTION), MB_OK);
    return true;
}

HRESULT ShortcutDlg::CreateLink(const LinkProperties& link, HWND owner)
{
    IShellLinkA* shellLink = nullptr;
    HRESULT created = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(&shellLink));
    if (FAILED(created))
        return created;
    IPersistFile* file = nullptr;
    const HRESULT persist = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(persist)) {
        shellLink->Release();
        return persist;
    }
    // Each property is tried and reported on its own. The program and the user file decide what
    // the link starts: when either cannot be set (an empty program path included) the link is not
    // saved and the failure is the result. The others only dress the link.
    const auto report = [owner](HRESULT step, UINT failureText) {
        if (FAILED(step))
            ShowPlain(owner, failureText);
        return step;
    };
    const HRESULT target = link.target.empty() ? E_INVALIDARG : shellLink->SetPath(link.target.c_str());
    const HRESULT arguments = shellLink->SetArguments(link.arguments.c_str());
    report(target, IDS_LINK_SET_PATH_FAILED);
    report(arguments, IDS_LINK_SET_ARGUMENTS_FAILED);
    report(shellLink->SetIconLocation(link.iconPath.c_str(), 0), IDS_LINK_SET_ICON_FAILED);
    report(shellLink->SetShowCmd(SW_SHOWMAXIMIZED), IDS_LINK_SET_SHOW_FAILED);
    report(shellLink->SetWorkingDirectory(link.workingFolder.c_str()), IDS_LINK_SET_FOLDER_FAILED);
    HRESULT result = FAILED(target) ? target : FAILED(arguments) ? arguments : S_OK;
    if (result == S_OK)
        result = report(file->Save(Widen(link.linkFile).c_str(), TRUE), IDS_LINK_SAVE_FAILED);
    file->Release();
    shellLink->Release();
    return result;
}
