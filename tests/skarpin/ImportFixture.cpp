// The import tests' world.
#include "ImportFixture.h"
#include "FileListing.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "skarpin/ExportCopies.h"
#include "skarpin/ExportModel.h"
#include "skarpin/ExportPacking.h"
#include "skarpin/ExportWorkFolder.h"
#include "store/StoreFiles.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>

void ImportFixture::ExportArchive(const std::string& zipPath, const std::vector<std::string>& names)
{
    std::vector<SetItem> overlays = Overlays();
    if (!names.empty()) {
        for (SetItem& overlay : overlays)
            overlay.selected_ = std::find(names.begin(), names.end(), overlay.name_) != names.end() ? 1 : 0;
    }
    ExportWorkFolder work;
    exportwizard::MediaList media;
    for (const SetItem& overlay : overlays) {
        if (overlay.selected_) {
            ASSERT_TRUE(exportwizard::CopyOverlay(IO(), kSet, overlay.name_, work.Path(), media));
        }
    }
    std::vector<SetItem> files;
    for (const std::string& path : media.Paths()) {
        SetItem file;
        file.name_ = path;
        files.push_back(file);
    }
    const std::string registerFile = work.Path() + "register.txt";
    ASSERT_TRUE(fw::WriteReplacing(registerFile, exportwizard::RegisterText(IO().overlayListSection_, overlays)));
    std::string failed;
    ASSERT_EQ(zip::Result::Ok,
              exportwizard::PackArchive(exportwizard::PlanArchive(work.Path(), overlays, registerFile, files), zipPath,
                                        false, work.Path(), {}, failed));
}

void ImportFixture::LoadPlaced(const std::string& setName, const std::string& overlayName, std::vector<Block>& keys,
                               std::vector<Block>& background)
{
    KeyboardSettings settings;
    EXPECT_EQ(FileIO::kLoaded, IO().LoadOverlay(IO().OverlayPath(setName, overlayName), keys, background, settings))
        << overlayName;
}

std::string ImportFixture::Register(const std::string& setName)
{
    return testsupport::TempFolder::Read(IO().SetRegisterPath(setName));
}

std::string PythonArchives()
{
    char value[MAX_PATH] = "";
    const DWORD length = ::GetEnvironmentVariableA("RZ_IMPORT_ARCHIVES", value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value) : std::string();
}

std::string PythonArchive(const std::string& name)
{
    return PythonArchives() + "\\" + name;
}

std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> names;
    ListFilesBelow(folder, "", '\\', names);
    std::sort(names.begin(), names.end());
    return names;
}
