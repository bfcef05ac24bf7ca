// The lines of a set's overlay list.
#include "store/OverlayListLines.h"
#include "framework/Strings.h"
#include "store/FileIO.h"

std::string OverlayLineText(SetKind kind, int number, const SetItem* entry, int model,
                            const std::function<bool(const std::string&)>& isGameSendType)
{
    const std::string name = entry != nullptr ? entry->name_ : std::string();
    std::string text = kind == SetKind::kTemplates ? name : fw::Format("%d %s", number, name.c_str());
    if (entry != nullptr && entry->accessKvora_ != 0 && model != FileIO::kModelAccessKvora)
        text += "    *** AccessKvora ***";
    else if (!name.empty() && isGameSendType && isGameSendType(name))
        text += "    *** DirectX ***";
    return text;
}

std::vector<OverlayListLine> OverlayListLines(SetKind kind, const std::vector<SetItem>& overlays, int model,
                                              const std::function<bool(const std::string&)>& isGameSendType)
{
    int first = 1;
    int last = 100;
    if (kind == SetKind::kStandard) {
        first = 101;
        last = 127;
    } else if (kind == SetKind::kTemplates) {
        last = static_cast<int>(overlays.size());
    }
    std::vector<OverlayListLine> lines;
    for (int number = first; number <= last; ++number) {
        const SetItem* entry = nullptr;
        for (const SetItem& overlay : overlays) {
            if (overlay.number_ == number) {
                entry = &overlay;
                break;
            }
        }
        OverlayListLine line;
        line.number = number;
        if (entry != nullptr)
            line.name = entry->name_;
        line.text = OverlayLineText(kind, number, entry, model, isGameSendType);
        lines.push_back(line);
    }
    return lines;
}
