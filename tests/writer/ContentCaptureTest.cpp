// The capture of typed content strings, character by character.
#include "writer/ContentCapture.h"
#include <gtest/gtest.h>

namespace {

// Feeds the text; ordinary characters come back as themselves, whole sequences as "[...]".
std::string Feed(ContentCapture& capture, const std::string& text, char prefix = '@')
{
    std::string out;
    for (char c : text) {
        const ContentCapture::Step step = capture.Feed(c, prefix);
        if (step.kind == ContentCapture::Step::Character)
            out += c;
        else if (step.kind == ContentCapture::Step::Sequence)
            out += "[" + step.sequence + "]";
    }
    return out;
}

} // namespace

TEST(ContentCapture, CollectsBetweenTwoPrefixes)
{
    const struct {
        const char* typed;
        char prefix;
        const char* out;
    } cases[] = {
        {"ab@A12@cd", '@', "ab[@A12@]cd"},
        {"@@", '@', "[@@]"},
        {"#A12#", '#', "[#A12#]"},
        {"@A12@", '#', "@A12@"},
        {"\xE5" "A1\xE5", '\xE5', "[\xE5" "A1\xE5]"}, // a prefix above 127 compares as itself
        {"@A1", '@', ""},                             // still capturing
        // A control code is no part of a content string (Ctrl+Enter gives a line feed).
        {"@A12+'a\nb'@", '@', "[@A12+'ab'@]"},
        {"@A12\t\b\r\x7F@x", '@', "[@A12@]x"},
    };
    for (const auto& c : cases) {
        ContentCapture capture;
        EXPECT_EQ(c.out, Feed(capture, c.typed, c.prefix)) << c.typed;
    }
}

// A sequence is at most 256 characters with both prefixes: 254 between them are read, 255 are not.
// The buffer holds the whole sequence, so the longest one is never cut or run past.
TEST(ContentCapture, TheLongestSequenceIs256Characters)
{
    ContentCapture capture;
    const std::string longest = "@" + std::string(254, 'x') + "@";
    EXPECT_EQ("[" + longest + "]", Feed(capture, longest));
    EXPECT_FALSE(capture.IsCapturing());

    EXPECT_EQ("", Feed(capture, "@" + std::string(255, 'x') + "@"));
    EXPECT_FALSE(capture.IsCapturing());
    EXPECT_EQ("ab", Feed(capture, "ab"));

    // Past the limit the next character ends the capture and goes with it; the rest is typed.
    EXPECT_EQ("yz", Feed(capture, "@" + std::string(255, 'x') + "qyz"));
}

TEST(ContentCapture, AResetAbandonsTheCapture)
{
    ContentCapture capture;
    EXPECT_EQ("", Feed(capture, "@A1"));
    capture.Reset();
    EXPECT_EQ("b", Feed(capture, "b"));
    EXPECT_EQ("[@x@]", Feed(capture, "@x@"));
}
