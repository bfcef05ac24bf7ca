// Messages, beeps and common dialogs behind their handlers.
#include "framework/Prompt.h"
#include "framework/Strings.h"

namespace fw {

namespace {
MessageHandler g_messageHandler;
std::function<void()> g_beepHandler;
CommonDialogHandlers g_dialogs;
} // namespace

int ShowMessage(HWND owner, UINT textId, const std::string& text, const std::string& caption, UINT type)
{
    if (g_messageHandler) {
        MessageRequest request;
        request.owner = owner;
        request.textId = textId;
        request.text = text;
        request.caption = caption;
        request.type = type;
        return g_messageHandler(request);
    }
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT type)
{
    return ShowMessage(owner, textId, LoadResString(textId), LoadResString(captionId), type);
}

void SetMessageHandler(MessageHandler handler)
{
    g_messageHandler = std::move(handler);
}

void Beep()
{
    if (g_beepHandler)
        g_beepHandler();
    else
        ::MessageBeep(MB_OK);
}

void SetBeepHandler(std::function<void()> handler)
{
    g_beepHandler = std::move(handler);
}

void SetCommonDialogHandlers(const CommonDialogHandlers& handlers)
{
    g_dialogs = handlers;
}

bool ShowOpenFileDialog(OPENFILENAMEA& request)
{
    return g_dialogs.openFile ? g_dialogs.openFile(request) : ::GetOpenFileNameA(&request) != FALSE;
}

bool ShowSaveFileDialog(OPENFILENAMEA& request)
{
    return g_dialogs.saveFile ? g_dialogs.saveFile(request) : ::GetSaveFileNameA(&request) != FALSE;
}

bool ShowColorDialog(CHOOSECOLORA& request)
{
    return g_dialogs.chooseColor ? g_dialogs.chooseColor(request) : ::ChooseColorA(&request) != FALSE;
}

bool ShowFontDialog(CHOOSEFONTA& request)
{
    return g_dialogs.chooseFont ? g_dialogs.chooseFont(request) : ::ChooseFontA(&request) != FALSE;
}

bool ShowPrintDialog(PRINTDLGA& request)
{
    return g_dialogs.print ? g_dialogs.print(request) : ::PrintDlgA(&request) != FALSE;
}

namespace {

int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}

} // namespace

bool ChooseFolder(HWND owner, const std::string& title, std::string& folder, const std::string& startFolder)
{
    char display[MAX_PATH] = "";
    BROWSEINFOA request{};
    request.hwndOwner = owner;
    request.pszDisplayName = display;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!startFolder.empty()) {
        request.lpfn = SelectStartFolder;
        request.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    }
    return ShowFolderDialog(request, folder);
}

bool ShowFolderDialog(BROWSEINFOA& request, std::string& folder)
{
    if (g_dialogs.browseFolder)
        return g_dialogs.browseFolder(request, folder);
    LPITEMIDLIST list = ::SHBrowseForFolderA(&request);
    if (!list)
        return false;
    char path[MAX_PATH] = "";
    bool ok = ::SHGetPathFromIDListA(list, path) != FALSE;
    ::CoTaskMemFree(list);
    if (ok)
        folder = path;
    return ok;
}

} // namespace fw
