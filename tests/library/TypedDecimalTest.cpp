// Decimals typed by users: a comma or a point, never half a text.
#include "library/TypedDecimal.h"
#include <gtest/gtest.h>

TEST(TypedDecimal, ReadsACommaOrAPointAndRefusesEveryOtherText)
{
    const struct { const char* text; bool read; double value; } cases[] = {
        {"1,5", true, 1.5},   {"1.5", true, 1.5},   {"25,5", true, 25.5}, {"0,7", true, 0.7},
        {" 2 ", true, 2.0},   {",5", true, 0.5},    {"3.", true, 3.0},    {"13", true, 13.0},
        {"1.2.3", false, 0},  {"1,2,5", false, 0},  {"1,5 s", false, 0},  {"-1", false, 0},
        {"+1", false, 0},     {"", false, 0},       {"  ", false, 0},     {",", false, 0},
        {"1 5", false, 0},    {"1e3", false, 0},    {"x", false, 0},
    };
    for (const auto& c : cases) {
        double value = -7.0;
        EXPECT_EQ(c.read, typed::ReadDecimal(c.text, value)) << c.text;
        EXPECT_DOUBLE_EQ(c.read ? c.value : -7.0, value) << c.text;
    }
}
