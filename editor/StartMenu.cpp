// The Start menu: its folders, its tree, its shortcuts and the programs' icons.
#include "editor/StartMenu.h"
#include "components/PixelImage.h"
#include "framework/Gdi.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <memory>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Deeper than any Start menu; a folder link that loops back on itself stops there.
const int kMaxDepth = 16;

std::function<StartMenuFolders()>& Reader()
{
    static std::function<StartMenuFolders()> reader;
    return reader;
}

// A text value of the registry, whatever its length; empty when it cannot be read.
std::string RegistryText(HKEY root, const char* name)
{
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    for (DWORD size = MAX_PATH;;) {
        std::string value(size, '\0');
        DWORD read = size;
        LONG result = ::RegGetValueA(root, kShellFolders, name, flags, nullptr, &value[0], &read);
        if (result == ERROR_SUCCESS) {
            value.resize(value.find('\0') == std::string::npos ? read : value.find('\0'));
            return value;
        }
        if (result != ERROR_MORE_DATA || read <= size)
            return std::string();
        size = read;
    }
}

bool SameName(const std::string& a, const std::string& b)
{
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

void Walk(const std::string& folder, std::vector<StartMenuEntry>& entries, int depth)
{
    if (depth > kMaxDepth)
        return;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string fileName = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const std::string name = EntryName(fileName, isFolder);
        if (fileName.empty() || fileName[0] == '.' || SameName(name, "desktop") || name.empty())
            continue;
        const std::string path = folder + "\\" + fileName;
        StartMenuEntry* same = nullptr;
        for (StartMenuEntry& entry : entries)
            if (SameName(entry.name, name))
                same = &entry;
        if (same) {
            if (same->folder && isFolder)
                Walk(path, same->entries, depth + 1);
            continue;
        }
        StartMenuEntry entry;
        entry.name = name;
        entry.path = path;
        entry.folder = isFolder;
        if (isFolder)
            Walk(path, entry.entries, depth + 1);
        entries.push_back(std::move(entry));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

struct ComRelease {
    void operator()(IUnknown* object) const
    {
        if (object)
            object->Release();
    }
};
template <class T> using ComPointer = std::unique_ptr<T, ComRelease>;

} // namespace

StartMenuFolders StartMenuFolders::Read()
{
    if (Reader())
        return Reader()();
    StartMenuFolders folders;
    folders.user = RegistryText(HKEY_CURRENT_USER, "Programs");
    folders.common = RegistryText(HKEY_LOCAL_MACHINE, "Common Programs");
    return folders;
}

void StartMenuFolders::SetReader(std::function<StartMenuFolders()> reader)
{
    Reader() = std::move(reader);
}

std::string EntryName(const std::string& fileName, bool folder)
{
    // A folder's name is shown whole: "Python 3.11" is no file with an extension.
    if (folder)
        return fileName;
    return fileName.substr(0, fileName.rfind('.'));
}

std::vector<StartMenuEntry> ReadStartMenu(const std::vector<std::string>& folders)
{
    std::vector<StartMenuEntry> entries;
    for (const std::string& folder : folders)
        if (!folder.empty())
            Walk(folder, entries, 0);
    return entries;
}

StartedProgram ResolveShortcut(const std::string& file)
{
    StartedProgram started;
    IShellLinkA* rawLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&rawLink))))
        return started.program = file, started;
    ComPointer<IShellLinkA> link(rawLink);
    IPersistFile* rawPersist = nullptr;
    std::string target;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawPersist)))) {
        ComPointer<IPersistFile> persist(rawPersist);
        std::wstring wide(file.size() + 1, L'\0');
        wide.resize(static_cast<size_t>(
            ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wide[0], static_cast<int>(wide.size()))));
        if (!wide.empty() && SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
            // No user interface, and at most 50 ms looking for a moved target.
            link->Resolve(nullptr, SLR_NO_UI | (50 << 16));
            char path[MAX_PATH * 2] = "";
            WIN32_FIND_DATAA found{};
            if (SUCCEEDED(link->GetPath(path, sizeof(path), &found, SLGP_UNCPRIORITY)) && found.cFileName[0] &&
                std::string(path).find(found.cFileName) != std::string::npos)
                target = path;
            char arguments[INFOTIPSIZE] = "";
            if (SUCCEEDED(link->GetArguments(arguments, sizeof(arguments))))
                started.arguments = arguments;
        }
    }
    started.program = target.empty() ? file : target;
    return started;
}

HGLOBAL ProgramIconPicture(const std::string& program)
{
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(program.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON) || !info.hIcon)
        return nullptr;
    const int size = 32;
    fw::DibSection canvas(size, size);
    PixelImage picture;
    if (canvas.IsValid()) {
        canvas.Fill(RGB(255, 255, 255));
        ::DrawIconEx(canvas.DC(), 0, 0, info.hIcon, size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        if (picture.Reset(size, size))
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const COLORREF c = canvas.Pixel(x, y);
                    picture.Row(y)[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                }
    }
    ::DestroyIcon(info.hIcon);
    return picture.ToPackedDib();
}
