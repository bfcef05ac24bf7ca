// The about box: its Swedish texts, the caller's version and date, the logo, the splash mode, and the
// program's version and date that the programs give it.
#include "library/AboutDlg.h"
#include "library/ProgramVersion.h"
#include "framework/Clock.h"
#include "library/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <vector>

using namespace testsupport;

TEST(AboutDlg, ShowsTheProgramsTextsAndTheCallersVersion)
{
    const std::string version = "4.2.0.0";
    const std::string date = "2026-12-10";
    AboutDlg about(version, date);
    INT_PTR result = RunModal(about, [](fw::Dialog& d) {
        EXPECT_EQ("Om Skarpinen", d.Self().Text());
        EXPECT_EQ("Version:", Text(d, IDC_ABOUT_VERSION_LABEL));
        EXPECT_EQ("Datum:", Text(d, IDC_ABOUT_DATE_LABEL));
        EXPECT_EQ("En produkt fr\xE5n:", Text(d, IDC_ABOUT_MAKER_GROUP));
        EXPECT_FALSE(Text(d, IDC_ABOUT_MAKER_ADDRESS).empty());
        EXPECT_EQ("4.2.0.0", Text(d, IDC_ABOUT_VERSION));
        EXPECT_EQ("2026-12-10", Text(d, IDC_ABOUT_DATE));
        EXPECT_FALSE(IsVisible(d, IDC_ABOUT_TEXT));
        EXPECT_TRUE(IsEnabled(d, IDOK));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
}

TEST(AboutDlg, EmptyVersionAndDateKeepTheTemplatesTexts)
{
    const std::string empty;
    AboutDlg about(empty, empty);
    RunModal(about, [](fw::Dialog& d) {
        EXPECT_EQ("4.0", Text(d, IDC_ABOUT_VERSION));
        EXPECT_EQ("2002-12", Text(d, IDC_ABOUT_DATE));
        Click(d, IDOK);
    });
}

TEST(AboutDlg, SplashClosesCancelledAfterItsTimerAndTwoSeconds)
{
    std::vector<DWORD> waits;
    fw::SetWaitHandler([&](DWORD milliseconds) { waits.push_back(milliseconds); });
    const std::string empty;
    AboutDlg about(empty, empty, true);
    INT_PTR result = RunModal(about, [&](fw::Dialog& d) {
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_TRUE(waits.empty());
        // The dialog's own 100 ms timer closes it; pump until it has.
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(std::vector<DWORD>{2000}, waits);
}

// The logo stands on the dialog's own colour, its plate closed on every side.
TEST(AboutDlg, TheLogoStandsOnTheDialogsColourWhole)
{
    const std::string empty;
    AboutDlg about(empty, empty);
    RunModal(about, [](fw::Dialog& d) {
        HBITMAP logo = reinterpret_cast<HBITMAP>(d.Item(IDC_ABOUT_LOGO).Send(STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(nullptr, logo);
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory, logo);
        const COLORREF face = ::GetSysColor(COLOR_3DFACE);
        EXPECT_EQ(face, ::GetPixel(memory, 0, 0));
        EXPECT_EQ(face, ::GetPixel(memory, 63, 47));
        EXPECT_EQ(RGB(90, 90, 90), ::GetPixel(memory, 60, 20)) << "the plate's right edge";
        EXPECT_EQ(RGB(90, 90, 90), ::GetPixel(memory, 30, 44)) << "the plate's bottom edge";
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        Click(d, IDOK);
    });
}

// What both programs show in their about boxes: the program file's own version and date.
TEST(ProgramVersion, TheProgramFilesVersionAndDate)
{
    const ProgramVersion program = ReadProgramVersion(RunningProgramFile());
    EXPECT_EQ("4.2.0.0", program.version);
    ASSERT_TRUE(program.dated);
    EXPECT_GE(program.lastWrite.wYear, 2024);
    EXPECT_EQ("", ReadProgramVersion("C:\\finns\\inte.exe").version);
    EXPECT_FALSE(ReadProgramVersion("C:\\finns\\inte.exe").dated);

    SYSTEMTIME date{};
    date.wYear = 2026;
    date.wMonth = 3;
    date.wDay = 7;
    EXPECT_EQ("2026-03-07", FormatProgramDate(date, true));
    EXPECT_EQ("07-03-2026", FormatProgramDate(date, false));
}
