// The overlay copies of the export.
#include "skarpin/ExportCopies.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/ContentPaths.h"
#include "library/Cp1252.h"
#include "library/IniValues.h"
#include "store/IniText.h"
#include "store/StoreFiles.h"
#include <windows.h>

namespace exportwizard {

namespace {

// Offers the picture, sound and video files a block command names as a content string (picture
// codes never) and writes each path's long form where the path stands; nothing else of the command
// changes. true when a path changed.
bool OfferContent(FileIO& io, Block& block, MediaList& media)
{
    auto offer = [&media](std::string& path, media::Kind kind) {
        // A part of no known kind is not read as a file, and a CD track is no file to carry along.
        if (kind == media::Kind::Unknown
            || (kind == media::Kind::Sound && cp1252::EqualsNoCase(fw::FileExtension(path), "cda")))
            return false;
        return media.Offer(path, true);
    };
    return RewriteContentPaths(block.command_, io.ContentDelimiter(), &io.videoExtensions_, offer) > 0;
}

// The block picture keeps its own form, only lower-cased; a picture from an image base stays a code.
void OfferBlock(FileIO& io, Block& block, MediaList& media)
{
    if (block.pictureCode_.empty())
        media.Offer(block.picturePath_, false);
    OfferContent(io, block, media);
}

// The copy as a new file beside it first: the blocks, then the keyboard settings and the AccessKvora
// flag edited into its text as the ini interface would add them. It replaces the copy only when
// every step went through, so a failure leaves the copied text.
bool WriteCopy(FileIO& io, const std::string& path, int accessKvora, const std::vector<Block>& keys,
               const std::vector<Block>& background, const KeyboardSettings& settings)
{
    for (const std::vector<Block>* blocks : {&keys, &background}) {
        for (const Block& block : *blocks) {
            if (FileIO::FindUnstorableField(block) != FileIO::BlockField::None)
                return false;
        }
    }
    std::string text = "[Version]\r\nVersion=" + io.fileVersion_ + "\r\n\r\n";
    FileIO::WriteBlockSection(text, "[" + io.keySection_ + "]", keys);
    text += "\r\n";
    FileIO::WriteBlockSection(text, "[" + io.backgroundSection_ + "]", background);
    const std::string written = path + ".new";
    bool ok = fw::WriteReplacing(written, text) && FileIO::WriteKeyboardSettings(written, settings);
    if (ok && accessKvora != 0)
        ok = EditIniFile(written, [&](IniText& ini) { ini.Set("Version", "AccessKvora", std::to_string(accessKvora)); });
    ok = ok && ::MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok)
        ::DeleteFileA(written.c_str());
    return ok;
}

} // namespace

bool CopyOverlay(FileIO& io, const std::string& setName, const std::string& overlayName,
                 const std::string& workFolder, MediaList& media)
{
    const std::string copy = workFolder + overlayName + ".ini";
    // A name that reaches another overlay's copy (its short name) never takes that copy's place.
    if (!fw::IsAbsent(copy) || !storefile::CopyWhole(io.OverlayPath(setName, overlayName), copy))
        return false;
    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    const int loaded = io.LoadOverlay(copy, keys, background, settings);
    const int accessKvora = ini::ReadInt(copy, "Version", "AccessKvora", 0);
    for (Block& block : keys)
        OfferBlock(io, block, media);
    // Background blocks carry content commands too; their files belong in the archive as well.
    for (Block& block : background)
        OfferBlock(io, block, media);
    if (loaded == FileIO::kLoaded)
        WriteCopy(io, copy, accessKvora, keys, background, settings);
    return true;
}

} // namespace exportwizard
