// Our speech engine's settings dialog and where its values are kept.
#include "tools/acatts/SettingsDlg.h"
#include "tools/acatts/resource.h"
#include <commctrl.h>

namespace {

const char kSettingsKey[] = "Software\\Ulmarcon\\AcaTTS";

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* settings = reinterpret_cast<EngineSettings*>(lParam);
        ::SendDlgItemMessageA(dialog, IDC_RATE, TBM_SETRANGE, FALSE, MAKELPARAM(-10, 10));
        ::SendDlgItemMessageA(dialog, IDC_RATE, TBM_SETPOS, TRUE, settings->rate);
        ::SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        ::SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_SETTICFREQ, 10, 0);
        ::SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_SETPOS, TRUE, settings->volume);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* settings = reinterpret_cast<EngineSettings*>(::GetWindowLongPtrA(dialog, DWLP_USER));
            settings->rate = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_RATE, TBM_GETPOS, 0, 0));
            settings->volume = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0));
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool RunSettingsDialog(HINSTANCE module, HWND parent, EngineSettings& settings)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    EngineSettings edited = settings;
    if (::DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), parent, SettingsProc,
                          reinterpret_cast<LPARAM>(&edited)) != IDOK)
        return false;
    settings = edited;
    return true;
}

EngineSettings LoadEngineSettings()
{
    EngineSettings settings;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return settings;
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegQueryValueExA(key, "Rate", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        settings.rate = Clamp(static_cast<int>(value), -10, 10);
    size = sizeof(value);
    if (::RegQueryValueExA(key, "Volume", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        settings.volume = Clamp(static_cast<int>(value), 0, 100);
    ::RegCloseKey(key);
    return settings;
}

void SaveEngineSettings(const EngineSettings& settings)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    DWORD rate = static_cast<DWORD>(settings.rate);
    DWORD volume = static_cast<DWORD>(settings.volume);
    ::RegSetValueExA(key, "Rate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&rate), sizeof(rate));
    ::RegSetValueExA(key, "Volume", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&volume), sizeof(volume));
    ::RegCloseKey(key);
}
