// The screen page's font sizes and styles.
#include "writer_settings/ScreenChoices.h"
#include <algorithm>

namespace screenchoices {

std::vector<int> FontSizes()
{
    std::vector<int> sizes;
    for (int size = 8; size <= 24; size += 2)
        sizes.push_back(size);
    for (int size = 28; size <= 80; size += 4)
        sizes.push_back(size);
    return sizes;
}

std::vector<int> FontSizesWith(int size)
{
    std::vector<int> sizes = FontSizes();
    if (size > 0 && std::find(sizes.begin(), sizes.end(), size) == sizes.end())
        sizes.insert(std::upper_bound(sizes.begin(), sizes.end(), size), size);
    return sizes;
}

namespace {
const int kStyles[] = {0, 10, 1, 11};
}

int StyleIndex(int fontStyle)
{
    for (int i = 0; i < 4; ++i) {
        if (kStyles[i] == fontStyle)
            return i;
    }
    return 0;
}

int StyleFromIndex(int index)
{
    return index >= 0 && index < 4 ? kStyles[index] : 0;
}

} // namespace screenchoices
