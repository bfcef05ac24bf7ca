// The main window's decisions.
#include "writer/MorvelWindowModel.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "morvel/resource.h"
#include <algorithm>

namespace morvel_window {

CommandLineKind ClassifyCommandLine(const std::string& text)
{
    if (text.empty())
        return CommandLineKind::None;
    const std::string extension = ImageBaseManager::GetFileExtension(text);
    if (cp1252::EqualsNoCase(extension, "ini"))
        return CommandLineKind::UserFile;
    if (cp1252::EqualsNoCase(extension, "txt"))
        return CommandLineKind::Document;
    return CommandLineKind::None;
}

LeavePlan PlanLeaving(int save, bool empty, bool modified, bool hasFile, bool unreadFile)
{
    LeavePlan plan;
    if (save == 1 && empty) {
        plan.forgetPath = true;
        plan.deleteFile = hasFile && !unreadFile;
    } else if (save == 1 && modified) {
        plan.save = true;
    } else if (save == 2 && modified) {
        plan.ask = true;
    }
    return plan;
}

std::string NewDocumentPath(const std::vector<DocumentListItem>& files, const std::string& folder, int maxNumber,
                            const std::function<bool(const std::string& path)>& readsWhole)
{
    if (maxNumber > 0 && files.size() == static_cast<size_t>(maxNumber)) {
        // Oldest first; among equal times, in the order of the list.
        std::vector<DocumentListItem> byAge = files;
        std::stable_sort(byAge.begin(), byAge.end(),
                         [](const DocumentListItem& a, const DocumentListItem& b) { return a.time_ < b.time_; });
        for (const DocumentListItem& file : byAge) {
            if (readsWhole(file.path_))
                return file.path_;
        }
    }
    return FileIO::NewDocumentPath(files, folder, 0);
}

std::string Caption(const std::string& programName, bool helperMenu, const std::string& userFile,
                    const std::string& standardName)
{
    if (!helperMenu)
        return programName;
    if (userFile.empty())
        return programName + " " + standardName;
    return programName + " <" + ImageBaseManager::GetFileTitle(userFile) + ">";
}

Layout ComputeLayout(const RECT& client, int buttonWidth, int buttonHeight, int searchBarHeight, int scrollBarWidth,
                     int screenWidth, int pixelsPerInch)
{
    Layout layout;
    // The screen's width is taken as an A4 page's: one millimetre of the page is u pixels.
    const double scale = pixelsPerInch > 0 ? screenWidth * 25.4 / (pixelsPerInch * 210.0) : 1.0;
    const double unit = pixelsPerInch / 25.4 * scale;
    layout.buttonTop = client.bottom - buttonHeight - 20;
    layout.document.left = client.left + static_cast<int>(unit * 25.0);
    layout.document.top = client.top + searchBarHeight + 20;
    layout.document.right = client.left + static_cast<int>(unit * 185.0) + 15;
    layout.document.bottom = layout.buttonTop;

    const int width = client.right - client.left;
    const int margin = width < 800 ? 15 : 20;
    const int gap = (width - 2 * margin - 450) / 9;
    auto slot = [&](int k) { return margin + k * (gap + 45); };
    const int exitLeft = client.right - margin - scrollBarWidth - buttonWidth;
    layout.buttons = {
        {IDC_MAIN_NEW, slot(0)},
        {IDC_MAIN_OPEN, slot(1)},
        {IDC_MAIN_PRINT, slot(2)},
        {IDC_MAIN_IMAGEDIR, slot(3)},
        {IDC_MAIN_LARGEIMAGE, slot(3) + buttonWidth + margin},
        {IDC_MAIN_NOT, slot(3) + 2 * buttonWidth + 2 * margin},
        {IDC_MAIN_PLAY, slot(6)},
        {IDC_MAIN_PAUSE, slot(6) + buttonWidth + margin},
        {IDC_MAIN_EXIT, exitLeft},
        {IDC_MAIN_SCROLL, exitLeft - margin - buttonWidth},
    };
    return layout;
}

} // namespace morvel_window
