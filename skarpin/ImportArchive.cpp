// Reading and unpacking the import archive.
#include "skarpin/ImportArchive.h"
#include "components/ZipRecords.h"
#include "library/ImageBaseManager.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <unordered_map>
#include <unordered_set>

namespace importwizard {

namespace {

// The register is a short list of names; a larger one is not read for them.
const std::uint64_t kLargestRegister = 1024 * 1024;

std::uint64_t FreeSpaceOf(const std::string& folder)
{
    ULARGE_INTEGER available{};
    // A drive that does not say leaves the bound to kMostUnpacked.
    return ::GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) ? available.QuadPart : ~0ull;
}

} // namespace

ImportArchive::ImportArchive() : freeSpace_(FreeSpaceOf) {}

zip::Result ImportArchive::Open(const std::string& path, zip::VolumeSource volumes)
{
    entries_.clear();
    listing_ = ArchiveListing();
    failedEntry_.clear();
    const zip::Result result = reader_.Open(path, std::move(volumes));
    failedEntry_ = reader_.FailedEntry();
    if (result == zip::Result::Ok)
        entries_ = reader_.Entries();
    Classify();
    return result;
}

void ImportArchive::Close()
{
    reader_.Close();
}

void ImportArchive::NameOverlaysAsTheRegister(const std::string& section)
{
    if (listing_.registerEntry < 0 || entries_[static_cast<size_t>(listing_.registerEntry)].size > kLargestRegister)
        return;
    std::string text;
    if (reader_.Read(static_cast<size_t>(listing_.registerEntry), text) != zip::Result::Ok)
        return;
    std::unordered_set<std::string> wanted;
    for (const SetItem& overlay : RegisterEntries(storefile::SplitLines(text), section))
        wanted.insert(zip::FoldedName(overlay.name_ + ".ini"));
    if (TakeAnsiNames(entries_, wanted))
        Classify();
}

void ImportArchive::NameMediaAsTheOverlays(const std::vector<std::string>& references)
{
    std::unordered_set<std::string> wanted;
    for (const std::string& reference : references)
        wanted.insert(zip::FoldedName(StoredForm(reference)));
    if (TakeAnsiNames(entries_, wanted))
        Classify();
}

zip::Result ImportArchive::UnpackOverlays(const std::string& folder, const zip::ProgressHandler& progress)
{
    std::vector<size_t> indices = listing_.overlayEntries;
    if (listing_.registerEntry >= 0)
        indices.insert(indices.begin(), static_cast<size_t>(listing_.registerEntry));
    return UnpackEntries(folder, indices, progress, nullptr);
}

zip::Result ImportArchive::UnpackMedia(const std::string& folder, const std::vector<SetItem>& media,
                                       const zip::ProgressHandler& progress)
{
    std::unordered_map<std::string, size_t> entryOf;
    for (size_t i = 0; i < listing_.media.size(); ++i)
        entryOf.emplace(zip::FoldedName(listing_.media[i].path_), listing_.mediaEntries[i]);
    std::vector<size_t> indices;
    for (const SetItem& file : media) {
        const auto entry = entryOf.find(zip::FoldedName(file.path_));
        if (file.selected_ && entry != entryOf.end())
            indices.push_back(entry->second);
    }
    std::vector<std::string> unpacked;
    const zip::Result result = UnpackEntries(folder, indices, progress, &unpacked);
    if (result != zip::Result::Ok) {
        for (const std::string& path : unpacked)
            ::DeleteFileA(path.c_str());
    }
    return result;
}

zip::Result ImportArchive::UnpackEntries(const std::string& folder, const std::vector<size_t>& indices,
                                         const zip::ProgressHandler& progress, std::vector<std::string>* unpacked)
{
    failedEntry_.clear();
    notUnpacked_.clear();
    zip::Progress whole;
    for (size_t index : indices)
        whole.total += entries_[index].size;
    // The sizes are the archive's own word, checked as each entry unpacks: no entry writes more.
    neededBytes_ = whole.total;
    if (whole.total > kMostUnpacked || whole.total > freeSpace_(folder))
        return zip::Result::TooLarge;
    neededBytes_ = 0;
    for (size_t index : indices) {
        const zip::Entry& entry = entries_[index];
        // Only names CheckName accepted are listed, so the target lies below the folder.
        const std::string target = folder + Backslashed(entry.name);
        std::string targetFolder = ImageBaseManager::GetFolderFromPath(target);
        failedEntry_ = entry.name;
        const std::uint64_t before = whole.done;
        zip::Result result = zip::Result::CannotCreate;
        if (ImageBaseManager::CreatePath(targetFolder) == 1) {
            result = reader_.Extract(index, target, [&](const zip::Progress& step) {
                whole.file = step.file;
                whole.done = before + step.done;
                return !progress || progress(whole);
            });
        }
        whole.done = before + entry.size;
        if (result == zip::Result::CannotCreate || result == zip::Result::DuplicateName) {
            notUnpacked_.push_back(entry.name);
            continue;
        }
        if (result != zip::Result::Ok)
            return result;
        if (unpacked)
            unpacked->push_back(target);
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
