// The file dialog with our pane: explorer style with our template and hook. The hook procedure is
// the pane's dialog procedure; it finds this object through the pane's window property.
#include "library/PreviewFileDlg.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include <exception>

namespace {
const char kOwnerProperty[] = "rz.PreviewFileDlg";
} // namespace

PreviewFileDlg::PreviewFileDlg(UINT paneTemplate, bool open, const char* defaultExtension, const char* fileName,
                               DWORD flags, const char* filter, HWND parent)
    : paneTemplate_(paneTemplate), open_(open), defaultExtension_(defaultExtension ? defaultExtension : ""),
      fileName_(fileName ? fileName : ""), flags_(flags), parent_(parent)
{
    if (filter)
        SetFilter(filter);
}

PreviewFileDlg::~PreviewFileDlg() = default;

void PreviewFileDlg::SetFilter(const std::string& filter)
{
    filter_ = filter;
    for (char& c : filter_) {
        if (c == '|')
            c = '\0';
    }
    // The list ends with an empty string: two NULs, the second being c_str()'s own.
    if (!filter_.empty() && filter_.back() != '\0')
        filter_ += '\0';
}

INT_PTR PreviewFileDlg::DoModal()
{
    chosen_.clear();
    buffer_.assign(kFileBufferSize, '\0');
    // A start name that does not fit is left out rather than cut.
    if (fileName_.size() < buffer_.size())
        fileName_.copy(buffer_.data(), fileName_.size());

    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = parent_;
    request.hInstance = fw::ResourceModule();
    request.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    request.nFilterIndex = filter_.empty() ? 0 : 1;
    request.lpstrFile = buffer_.data();
    request.nMaxFile = static_cast<DWORD>(buffer_.size());
    request.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    request.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    request.Flags = flags_ | OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    request.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
    request.lCustData = reinterpret_cast<LPARAM>(this);
    request.lpfnHook = HookProc;
    request.lpTemplateName = MAKEINTRESOURCEA(paneTemplate_);

    bool chosen = open_ ? fw::ShowOpenFileDialog(request) : fw::ShowSaveFileDialog(request);
    pane_ = nullptr;
    if (!chosen)
        return IDCANCEL;
    // Several files: the folder stands alone before the first name, ended by its NUL.
    size_t nameAt = request.nFileOffset;
    bool several = nameAt > 0 && nameAt < buffer_.size() && buffer_[nameAt - 1] == '\0';
    buffer_.back() = '\0';
    if (several)
        chosen_ = SplitFileBuffer(buffer_.data(), buffer_.size());
    else if (buffer_[0] != '\0')
        chosen_.push_back(buffer_.data());
    return chosen_.empty() ? IDCANCEL : IDOK;
}

std::string PreviewFileDlg::FirstSelectedFile(const std::string& reported)
{
    size_t quote = reported.find('"');
    if (quote == std::string::npos)
        return reported;
    size_t end = reported.find('"', quote + 1);
    if (end == std::string::npos)
        end = reported.size();
    return JoinPath(reported.substr(0, quote), reported.substr(quote + 1, end - quote - 1));
}

std::vector<std::string> PreviewFileDlg::SplitFileBuffer(const char* buffer, size_t size)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < size && buffer[at] != '\0') {
        size_t end = at;
        while (end < size && buffer[end] != '\0')
            ++end;
        parts.emplace_back(buffer + at, end - at);
        at = end + 1;
    }
    if (parts.size() <= 1)
        return parts;
    std::vector<std::string> paths;
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(JoinPath(parts[0], parts[i]));
    return paths;
}

std::string PreviewFileDlg::JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    char last = folder.back();
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

std::string PreviewFileDlg::CurrentSelection() const
{
    if (!pane_)
        return std::string();
    HWND dialog = ::GetParent(pane_);
    std::vector<char> path(MAX_PATH, '\0');
    LRESULT needed = ::SendMessageA(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
    if (needed > static_cast<LRESULT>(path.size())) {
        path.assign(static_cast<size_t>(needed), '\0');
        needed = ::SendMessageA(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
    }
    if (needed <= 0)
        return std::string();
    path.back() = '\0';
    return FirstSelectedFile(path.data());
}

void PreviewFileDlg::ShowPaneItem(int id, bool show) const
{
    if (pane_)
        ::ShowWindow(::GetDlgItem(pane_, id), show ? SW_SHOW : SW_HIDE);
}

bool PreviewFileDlg::IsPaneItemChecked(int id) const
{
    return pane_ && ::IsDlgButtonChecked(pane_, id) == BST_CHECKED;
}

UINT_PTR CALLBACK PreviewFileDlg::HookProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    PreviewFileDlg* self = nullptr;
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        self = reinterpret_cast<PreviewFileDlg*>(request->lCustData);
        ::SetPropA(pane, kOwnerProperty, reinterpret_cast<HANDLE>(self));
        self->pane_ = pane;
    } else {
        self = reinterpret_cast<PreviewFileDlg*>(::GetPropA(pane, kOwnerProperty));
    }
    if (!self)
        return 0;
    // No exception may cross the system dialog's frames.
    try {
        return self->OnHookMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        fw::ShowMessage(pane, IDS_FW_UNEXPECTED_ERROR, fw::FormatResString(IDS_FW_UNEXPECTED_ERROR, error.what()),
                        fw::LoadResString(IDS_FW_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
    }
    return 0;
}

UINT_PTR PreviewFileDlg::OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitPane();
        return TRUE;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->code == CDN_INITDONE)
            OnPanePlaced();
        else if (notice->code == CDN_SELCHANGE)
            OnSelectionChange(CurrentSelection());
        return 0;
    }
    case WM_COMMAND:
        return OnPaneCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : 0;
    case WM_DRAWITEM:
        return OnPaneDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : 0;
    case WM_DESTROY:
        OnPaneDestroy();
        ::RemovePropA(pane_, kOwnerProperty);
        pane_ = nullptr;
        return 0;
    default:
        return 0;
    }
}
