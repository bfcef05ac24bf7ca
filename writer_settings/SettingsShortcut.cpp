// Resolving a shell link file to the file it names, for the desktop shortcuts of users.
#include "writer_settings/Settings.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

// Releases a COM interface when it goes out of scope.
template <class Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface** Out() { return &pointer_; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

std::wstring Widen(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

} // namespace

std::string Settings::ResolveShortcut(HWND window, const std::string& path)
{
    ComPointer<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid())))
        return std::string();
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())))
        return std::string();
    const std::wstring widePath = Widen(path);
    if (widePath.empty() || FAILED(file->Load(widePath.c_str(), STGM_READ)))
        return std::string();
    // No user interface, and at most 50 ms of searching for a moved target (the time in the high word).
    if (FAILED(link->Resolve(window, SLR_NO_UI | (50u << 16))))
        return std::string();
    char target[MAX_PATH] = "";
    WIN32_FIND_DATAA found{};
    link->GetPath(target, MAX_PATH, &found, SLGP_UNCPRIORITY);
    const std::string targetPath = target;
    const std::string fileName = found.cFileName;
    // A link that names no file (a folder, a printer) gives itself.
    if (!fileName.empty() && targetPath.find(fileName) != std::string::npos)
        return targetPath;
    return path;
}
