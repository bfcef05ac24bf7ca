// Documents as text for the tests.
#include "DocumentText.h"
#include <cstdlib>

namespace doctext {

std::vector<DocItem> Items(const std::string& description)
{
    std::vector<DocItem> items;
    for (size_t i = 0; i < description.size(); ++i) {
        const char c = description[i];
        if (c == '|')
            continue;
        if (c == '~') {
            items.emplace_back('\r');
            continue;
        }
        if (c != '{') {
            items.emplace_back(c);
            continue;
        }
        const size_t close = description.find('}', i);
        const std::string tag = description.substr(i + 1, close - i - 1);
        items.emplace_back(std::atoi(tag.c_str()));
        items.back().large_ = tag.back() == '+' ? 1 : 0;
        i = close;
    }
    items.emplace_back('\n');
    return items;
}

namespace {

std::string Text(const DocItem& item)
{
    if (item.IsPicture())
        return "{" + std::to_string(item.imageNumber_) + (item.large_ ? "+}" : "}");
    if (item.IsSoftBreak())
        return "~";
    return std::string(1, item.GetChar());
}

} // namespace

std::string Describe(const std::vector<DocItem>& items, int caret)
{
    std::string text;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        if (static_cast<int>(i) == caret)
            text += '|';
        text += Text(items[i]);
    }
    if (caret >= 0 && static_cast<size_t>(caret) + 1 >= items.size())
        text += '|';
    return text;
}

std::string Lines(const std::vector<DocItem>& items)
{
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        const DocItem& item = items[i];
        if (i > 0 && item.page_ != items[i - 1].page_)
            text += "//";
        else if (i > 0 && item.line_ != items[i - 1].line_)
            text += "/";
        text += item.IsHardBreak() ? "$" : Text(item);
    }
    return text;
}

LayoutFrame TestFrame()
{
    LayoutFrame frame;
    frame.area = RECT{0, 0, 100, 100};
    frame.pictureSize = 30;
    frame.largePictureSize = 40;
    frame.largeAllowed = true;
    return frame;
}

std::string Show(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + ","
           + std::to_string(rect.bottom) + ")";
}

SIZE TableMeasurer::Extent(const std::string& text) const
{
    int width = 0;
    for (char c : text) {
        auto found = widths_.find(c);
        width += found == widths_.end() ? 10 : found->second;
    }
    return SIZE{width, 20};
}

} // namespace doctext
