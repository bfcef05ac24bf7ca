// Reading and unpacking the import archive.
#include "loader/ImportArchive.h"
#include "components/ZipRecords.h"
#include "library/ImageBaseManager.h"

namespace importwizard {

zip::Result ImportArchive::Open(const std::string& path, zip::VolumeSource volumes)
{
    listing_ = ArchiveListing();
    failedEntry_.clear();
    const zip::Result result = reader_.Open(path, std::move(volumes));
    if (result == zip::Result::Ok)
        listing_ = ClassifyEntries(reader_.Entries());
    return result;
}

void ImportArchive::Close()
{
    reader_.Close();
}

zip::Result ImportArchive::Unpack(const std::string& folder, const zip::ProgressHandler& progress)
{
    const std::vector<zip::Entry>& entries = reader_.Entries();
    zip::Progress whole;
    for (size_t index : listing_.unpack)
        whole.total += entries[index].size;
    for (size_t index : listing_.unpack) {
        const zip::Entry& entry = entries[index];
        // Only names CheckName accepted are here, so the target lies below the folder.
        const std::string target = folder + Backslashed(entry.name);
        std::string targetFolder = ImageBaseManager::GetFolderFromPath(target);
        failedEntry_ = entry.name;
        if (ImageBaseManager::CreatePath(targetFolder) != 1)
            return zip::Result::CannotWrite;
        const std::uint64_t before = whole.done;
        const zip::Result result = reader_.Extract(index, target, [&](const zip::Progress& step) {
            whole.file = step.file;
            whole.done = before + step.done;
            return !progress || progress(whole);
        });
        if (result != zip::Result::Ok)
            return result;
        whole.done = before + entry.size;
    }
    failedEntry_.clear();
    return zip::Result::Ok;
}

bool ImportArchive::IsFirstOfSeveral(const std::string& path)
{
    zip::ZipFile file;
    std::uint8_t signature[4];
    return file.OpenRead(path) && file.Read(signature, sizeof signature) &&
           zip::records::Get32(signature) == zip::records::kSpanningSignature;
}

} // namespace importwizard
