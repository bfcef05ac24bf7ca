// String-table texts arrive in code page 1252 and format without a length limit.
#include "framework/Strings.h"
#include "framework/test_resource.h"
#include <gtest/gtest.h>

// Also where the system's code page is another (a test run sets a Greek system for this case).
TEST(Strings, TableTextsArriveInCodePage1252)
{
    EXPECT_EQ("\xD6verl\xE4gg p\xE5 \xE5\xE4\xF6", fw::LoadResString(IDS_TEST_SWEDISH));
    EXPECT_EQ("", fw::LoadResString(4711));
}

TEST(Strings, FormatsTableEntriesAndLongTexts)
{
    EXPECT_EQ("Sidan 3 av Skola", fw::FormatResString(IDS_TEST_FORMAT, 3, "Skola"));
    std::string longText(5000, 'x');
    EXPECT_EQ(longText + "!", fw::Format("%s!", longText.c_str()));
}
