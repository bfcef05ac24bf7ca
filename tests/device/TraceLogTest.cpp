// The trace log: line and byte formats, its modes and mask, stamps from an injected clock.
#include "device/TraceLog.h"
#include "framework/Clock.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <regex>

namespace {

class TraceLogTest : public testing::Test {
protected:
    void SetUp() override
    {
        fw::SetTickCountHandler([this] { return now_; });
        log_ = std::make_unique<TraceLog>([this](const std::string& text) { debugged_ += text; });
    }

    std::string Path() const { return folder_ / "KvoraSerial.txt"; }
    std::string Contents() const { return testsupport::TempFolder::Read(Path()); }

    testsupport::TempFolder folder_;
    DWORD now_ = 1000;
    std::string debugged_;
    std::unique_ptr<TraceLog> log_;
};

TEST(TraceFormatTest, LinesAreStampedWithMillisecondsSinceTheOpen)
{
    EXPECT_EQ("\r\n000042 ms  :   CSerial Opened OK", TraceLog::FormatLine(42, "CSerial Opened OK"));
    EXPECT_EQ("\r\n1234567 ms  :   x", TraceLog::FormatLine(1234567, "x"));
}

TEST(TraceFormatTest, PrintableBytesStandAsThemselvesTheRestInHex)
{
    const struct {
        BYTE byte;
        const char* text;
    } cases[] = {
        {'V', "V"}, {' ', " "}, {'~', "~"}, {'\r', "\r"}, {'\n', "\n"},
        {0x16, " 16H,"}, {0x00, " 00H,"}, {0x1F, " 1fH,"}, {0x7F, " 7fH,"}, {0x80, " 80H,"}, {0xFF, " ffH,"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, TraceLog::FormatByte(c.byte)) << int(c.byte);
}

TEST_F(TraceLogTest, AFileStartsAnewWithItsHeaderAndStampsFromTheOpen)
{
    folder_.Write("KvoraSerial.txt", "an old trace");
    log_->Open(TraceLog::kFile, TraceLog::kAllLines, Path());
    now_ += 7;
    log_->WriteLine("Tx: ");
    log_->WriteByte(0x16);
    log_->WriteByte('V');
    log_->Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    EXPECT_EQ("\r\nStart of loggfile:  \r\n\r\n000007 ms  :   Tx:  16H,V", Contents());
    EXPECT_EQ("", debugged_);
}

TEST_F(TraceLogTest, TheDatedFileNamesTheTimeOfItsStart)
{
    log_->Open(TraceLog::kFileWithDate, TraceLog::kAllLines, Path());
    log_->Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    const std::string contents = Contents();
    EXPECT_TRUE(std::regex_match(contents, std::regex("\r\nStart of loggfile: \\d\\d:\\d\\d:\\d\\d, [A-Z][a-z]+ \\d\\d, \\d{4} \r\n")))
        << contents;
}

TEST_F(TraceLogTest, ModeZeroStopsAllOutput)
{
    log_->Open(TraceLog::kFile, TraceLog::kAllLines, Path());
    log_->Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    log_->WriteLine("after");
    log_->WriteByte('x');
    EXPECT_EQ("\r\nStart of loggfile:  \r\n", Contents());
    EXPECT_EQ("", debugged_);
}

TEST_F(TraceLogTest, ModeFiveKeepsTheFileAndItsStartTimeAndTakesTheMask)
{
    log_->Open(TraceLog::kFile, TraceLog::kAllLines, Path());
    now_ += 100;
    log_->Open(TraceLog::kKeepOutputs, 0x0001, "ignored.txt");
    now_ += 5;
    log_->WriteLine("kept", 0x0001);
    log_->WriteLine("masked out", 0x0002);
    log_->WriteByte('m', 0x0002);
    log_->Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    EXPECT_EQ("\r\nStart of loggfile:  \r\n\r\n000105 ms  :   kept", Contents());
    EXPECT_EQ(std::vector<std::string>{"KvoraSerial.txt"}, testsupport::TempFolder::FilesIn(folder_.Path()));
}

TEST_F(TraceLogTest, DebuggerModesWriteNoFile)
{
    for (int mode : {TraceLog::kDebugger, TraceLog::kDebuggerToo}) {
        debugged_.clear();
        log_->Open(mode, TraceLog::kAllLines, Path());
        now_ += 3;
        log_->WriteLine("Rx: ");
        log_->WriteByte(0x01);
        EXPECT_EQ("\r\n000003 ms  :   Rx:  01H,", debugged_) << mode;
    }
    EXPECT_TRUE(testsupport::TempFolder::FilesIn(folder_.Path()).empty());
}

TEST_F(TraceLogTest, ANewLogWritesToTheDebuggerWithAllLines)
{
    now_ += 12;
    log_->WriteLine("CSerial constructed");
    EXPECT_EQ("\r\n000012 ms  :   CSerial constructed", debugged_);
}

TEST_F(TraceLogTest, TheLastErrorFollowsTheText)
{
    log_->Open(TraceLog::kFile, TraceLog::kAllLines, Path());
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    log_->WriteLastError("CSerial Open Error ");
    log_->Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    const std::string text = TraceLog::ErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(' ', text.back());
    EXPECT_NE('\n', text.back());
    EXPECT_EQ("\r\nStart of loggfile:  \r\n\r\n000000 ms  :   CSerial Open Error " + text, Contents());
}

} // namespace
