// The times and texts of the keyboard settings dialogs.
#include "device/KeyboardDialogTexts.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace keyboardtexts {

const float kTimes[kTimeCount] = {0.1f, 0.3f, 0.5f, 0.7f, 1.0f, 1.5f, 2.0f};

int TimeIndex(float value)
{
    for (int i = 0; i < kTimeCount; ++i) {
        if (kTimes[i] == value)
            return i;
    }
    return kTimeCount - 1;
}

void SetTexts(const fw::Dialog& dialog, UINT captionId, const std::string& caption,
              std::initializer_list<std::pair<int, UINT>> texts)
{
    dialog.SetCaption(caption.empty() ? fw::LoadResString(captionId) : caption);
    for (const auto& text : texts)
        dialog.SetItemText(text.first, fw::LoadResString(text.second));
    dialog.SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
}

int CheckedRadio(const fw::Dialog& dialog, int first, int count)
{
    for (int i = 0; i < count; ++i) {
        if (dialog.IsChecked(first + i))
            return i;
    }
    return -1;
}

void CheckRadio(const fw::Dialog& dialog, int first, int count, int index)
{
    for (int i = 0; i < count; ++i)
        dialog.SetChecked(first + i, i == index);
}

void EnableRadios(const fw::Dialog& dialog, int first, int count, bool enable)
{
    for (int i = 0; i < count; ++i)
        dialog.EnableItem(first + i, enable);
}

} // namespace keyboardtexts
