// The test's own Start menu.
#include "StartMenuFixture.h"
#include "editor/StartMenu.h"
#include "framework/Controls.h"
#include "skarpin/resource.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

namespace subdialogtest {

StartMenuFixture::StartMenuFixture()
{
    Folder("user");
    Folder("common");
    StartMenuFolders folders{UserFolder(), CommonFolder()};
    StartMenuFolders::SetReader([folders] { return folders; });
}

StartMenuFixture::~StartMenuFixture()
{
    StartMenuFolders::SetReader(nullptr);
}

std::string StartMenuFixture::Program(const std::string& relativePath) const
{
    return temp_.Write("programs\\" + relativePath, "MZ");
}

std::string StartMenuFixture::File(const std::string& relativePath) const
{
    return temp_.Write(relativePath, "");
}

std::string StartMenuFixture::Folder(const std::string& relativePath) const
{
    const std::string path = temp_ / relativePath;
    ::SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    return path;
}

std::string StartMenuFixture::Shortcut(const std::string& relativePath, const std::string& target,
                                       const std::string& arguments) const
{
    const std::string path = temp_ / relativePath;
    Folder(relativePath.substr(0, relativePath.rfind('\\')));
    IShellLinkA* link = nullptr;
    HRESULT made = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    EXPECT_TRUE(SUCCEEDED(made)) << "no shell link object";
    if (FAILED(made))
        return path;
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH * 2] = L"";
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
        EXPECT_TRUE(SUCCEEDED(file->Save(wide, TRUE))) << path;
        file->Release();
    }
    link->Release();
    return path;
}

HTREEITEM StartMenuFixture::FindItem(HWND tree, const std::vector<std::string>& names)
{
    fw::TreeView view(tree);
    HTREEITEM parent = nullptr;
    for (const std::string& name : names) {
        HTREEITEM item = parent ? view.Child(parent) : view.Root();
        while (item && view.ItemText(item) != name)
            item = view.Sibling(item);
        if (!item)
            return nullptr;
        parent = item;
    }
    return parent;
}

bool StartMenuFixture::SelectItem(const fw::Dialog& dialog, const std::vector<std::string>& names)
{
    HTREEITEM item = FindItem(dialog.Item(IDC_PROGRAM_MENU_TREE), names);
    return item && fw::TreeView(dialog.Item(IDC_PROGRAM_MENU_TREE)).Select(item);
}

} // namespace subdialogtest
