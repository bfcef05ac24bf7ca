// Documents in memory for the tests, written as text: characters as themselves, pictures as {n}
// (large: {n+}), soft line breaks as '~', and '|' where the caret stands.
#pragma once
#include "writer/DocItem.h"
#include "writer/DocumentLayout.h"
#include <map>
#include <string>
#include <vector>

namespace doctext {

// The items of a description, with the final '\n' item appended; '|' is left out.
std::vector<DocItem> Items(const std::string& description);
// The items but the final one, with the caret as '|' (none when caret is negative).
std::string Describe(const std::vector<DocItem>& items, int caret = -1);
// The laid-out lines: '/' between lines, "//" where a page begins, '$' for a hard line break.
std::string Lines(const std::vector<DocItem>& items);

// Lines 100 wide, four lines of 20 (5 apart) to a page; pictures 30, large ones 40; a gap of 1.
LayoutFrame TestFrame();

// A rectangle as "(left,top)-(right,bottom)".
std::string Show(const RECT& rect);

// Widths from a table (10 for any other character), every character 20 high with a descent of 4;
// a text is as wide as its characters together.
class TableMeasurer : public TextMeasurer {
public:
    explicit TableMeasurer(std::map<char, int> widths = {{' ', 5}}) : widths_(std::move(widths)) {}
    SIZE Extent(const std::string& text) const override;
    int Descent() const override { return 4; }

private:
    std::map<char, int> widths_;
};

} // namespace doctext
