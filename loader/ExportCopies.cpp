// The overlay copies of the export.
#include "loader/ExportCopies.h"
#include "library/Cp1252.h"
#include "library/IniValues.h"
#include "library/KvoraObject.h"
#include "loader/TextLines.h"
#include <windows.h>

namespace exportwizard {

namespace {

// Offers the files a block command names as a content string; true when the command was written
// anew with their long paths. A command the string could not hold again stays as it was.
bool OfferContent(FileIO& io, Block& block, MediaList& media)
{
    CKvoraObject content;
    content.delimiter_ = io.ContentDelimiter();
    if (!content.ParseContent(block.command_, io.imageBaseSettingsFile_, &io.videoExtensions_))
        return false;
    bool changed = false;
    if (content.code_.empty())
        changed = media.Offer(content.picturePath_, true);
    // A CD track is no file to carry along.
    if (!content.soundPath_.empty() && !cp1252::EqualsNoCase(content.GetSoundExtension(), "cda"))
        changed = media.Offer(content.soundPath_, true) || changed;
    changed = media.Offer(content.videoPath_, true) || changed;
    if (!changed || content.FindUnstorablePart() != CKvoraObject::Unstorable::None)
        return false;
    block.command_ = content.BuildContent();
    return true;
}

// The block picture keeps its own form, only lower-cased; a picture from an image base stays a code.
void OfferBlock(FileIO& io, Block& block, MediaList& media)
{
    if (block.pictureCode_.empty())
        media.Offer(block.picturePath_, false);
    OfferContent(io, block, media);
}

// [KeyboardSettings] as the ini interface writes it, taken from a file of its own: written into the
// copy itself, the ini interface would write the whole copy anew and drop the blanks at the end of
// its lines, a command's among them.
bool KeyboardSettingsText(const std::string& workFolder, const KeyboardSettings& settings, std::string& text)
{
    const std::string scratch = workFolder + "keyboard.tmp";
    ::DeleteFileA(scratch.c_str());
    FileIO::WriteKeyboardSettings(scratch, settings);
    const bool read = textfile::ReadAll(scratch, text);
    ::DeleteFileA(scratch.c_str());
    return read && !text.empty();
}

bool WriteCopy(FileIO& io, const std::string& path, const std::string& workFolder, int accessKvora,
               const std::vector<Block>& keys, const std::vector<Block>& background, const KeyboardSettings& settings)
{
    for (const std::vector<Block>* blocks : {&keys, &background}) {
        for (const Block& block : *blocks) {
            if (FileIO::FindUnstorableField(block) != FileIO::BlockField::None)
                return false;
        }
    }
    std::string keyboard;
    if (!KeyboardSettingsText(workFolder, settings, keyboard))
        return false;
    std::string text = "[Version]\r\nVersion=" + io.fileVersion_ + "\r\n";
    if (accessKvora != 0)
        text += "AccessKvora=" + std::to_string(accessKvora) + "\r\n";
    text += "\r\n";
    FileIO::WriteBlockSection(text, "[" + io.keySection_ + "]", keys);
    text += "\r\n";
    FileIO::WriteBlockSection(text, "[" + io.backgroundSection_ + "]", background);
    text += keyboard;
    // Written beside the copy first, so a failed write leaves the copied text.
    const std::string written = path + ".new";
    if (!textfile::Write(written, text) || !::MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileA(written.c_str());
        return false;
    }
    return true;
}

} // namespace

bool CopyOverlay(FileIO& io, const std::string& setName, const std::string& overlayName,
                 const std::string& workFolder, MediaList& media)
{
    const std::string copy = workFolder + overlayName + ".ini";
    if (!::CopyFileA(io.OverlayPath(setName, overlayName).c_str(), copy.c_str(), FALSE))
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
        WriteCopy(io, copy, workFolder, accessKvora, keys, background, settings);
    return true;
}

} // namespace exportwizard
