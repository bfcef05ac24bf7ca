// The about box: its Swedish texts, the caller's version and date, and the splash mode.
#include "library/AboutDlg.h"
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
