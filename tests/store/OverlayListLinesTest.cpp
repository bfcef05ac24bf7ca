// The lines of a set's overlay list.
#include "store/OverlayListLines.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

TEST(OverlayListLinesTest, OneLinePerNumberOfTheSetsKind)
{
    auto overlay = [](const std::string& name, int number, int accessKvora = 0) {
        SetItem item(name, number, 0);
        item.accessKvora_ = accessKvora;
        return item;
    };
    auto game = [](const std::string& name) { return name == "Spel" || name == "Blandat"; };
    struct Case {
        const char* what;
        SetKind kind;
        std::vector<SetItem> overlays;
        int model;
        size_t count;
        std::vector<std::pair<size_t, std::string>> texts; // line index and its text
    };
    const Case cases[] = {
        {"ordinary: a hundred numbers, empty ones bare", SetKind::kOrdinary,
         {overlay("Äpple", 1), overlay("Spel", 100), overlay("Bil", 3, 1)}, 0, 100,
         {{0, "1 Äpple"}, {1, "2 "}, {2, "3 Bil    *** AccessKvora ***"}, {99, "100 Spel    *** DirectX ***"}}},
        {"the AccessKvora model marks no AccessKvora overlay", SetKind::kOrdinary,
         {overlay("Bil", 3, 1), overlay("Blandat", 4, 1)}, 2, 100, {{2, "3 Bil"}, {3, "4 Blandat    *** DirectX ***"}}},
        {"AccessKvora mark wins over the game mark", SetKind::kOrdinary, {overlay("Blandat", 4, 1)}, 1, 100,
         {{3, "4 Blandat    *** AccessKvora ***"}}},
        {"standard set: 101 to 127", SetKind::kStandard, {overlay("Start", 101), overlay("Slut", 127)}, 0, 27,
         {{0, "101 Start"}, {1, "102 "}, {26, "127 Slut"}}},
        {"templates: names only, one line each", SetKind::kTemplates,
         {overlay("Tom", 1), overlay("Spel", 2), overlay("Rutor", 3)}, 0, 3,
         {{0, "Tom"}, {1, "Spel    *** DirectX ***"}, {2, "Rutor"}}},
        {"templates set without templates", SetKind::kTemplates, {}, 0, 0, {}},
        {"the first of two entries of one number wins", SetKind::kOrdinary, {overlay("A", 5), overlay("B", 5)}, 0,
         100, {{4, "5 A"}}},
        {"numbers outside the range are not shown", SetKind::kOrdinary, {overlay("Fel", 101)}, 0, 100,
         {{99, "100 "}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto lines = OverlayListLines(c.kind, c.overlays, c.model, game);
        ASSERT_EQ(lines.size(), c.count);
        for (const auto& expected : c.texts)
            EXPECT_EQ(lines[expected.first].text, expected.second) << "line " << expected.first;
    }
    auto standard = OverlayListLines(SetKind::kStandard, {overlay("Start", 101)}, 0, game);
    EXPECT_EQ(standard[0].name, "Start");
    EXPECT_EQ(standard[0].number, 101);
    EXPECT_EQ(standard[1].name, "");
    EXPECT_EQ(standard[1].number, 102);
}
