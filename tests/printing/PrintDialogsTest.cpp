// The print dialog, the editor's print command and the margin wizard in real windows, printing
// through the test printer.
#include "PrintedDots.h"
#include "editor/KeyGrid.h"
#include "editor/MarginSheet.h"
#include "editor/MyPrintDlg.h"
#include "editor/OverlayPrinter.h"
#include "framework/Printer.h"
#include "framework/Prompt.h"
#include "resources/skarpin/resource.h"
#include "store/ConfigFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "support/TempFolder.h"
#include "support/TestPrinter.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>

using testsupport::Check;
using testsupport::Click;
using testsupport::ScriptedMessages;
using testsupport::SetText;
using testsupport::Text;

namespace {

constexpr int kDpi = 300;

// A device-names block for a printer the setup dialog "chose".
HGLOBAL DeviceNamesOf(const std::string& device)
{
    const std::string driver = "winspool";
    const std::string port = "FILE:";
    const size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(block));
    char* text = reinterpret_cast<char*>(names);
    WORD at = sizeof(DEVNAMES);
    names->wDriverOffset = at;
    std::memcpy(text + at, driver.c_str(), driver.size() + 1);
    at = static_cast<WORD>(at + driver.size() + 1);
    names->wDeviceOffset = at;
    std::memcpy(text + at, device.c_str(), device.size() + 1);
    at = static_cast<WORD>(at + device.size() + 1);
    names->wOutputOffset = at;
    std::memcpy(text + at, port.c_str(), port.size() + 1);
    ::GlobalUnlock(block);
    return block;
}

// Answers the printer setup dialog by choosing another printer; counts the calls.
struct ScriptedSetup {
    explicit ScriptedSetup(const std::string& choice)
    {
        fw::CommonDialogHandlers handlers;
        handlers.print = [this, choice](PRINTDLGA& request) {
            ++calls;
            EXPECT_TRUE(request.Flags & PD_PRINTSETUP);
            if (choice.empty())
                return false;
            if (request.hDevNames)
                ::GlobalFree(request.hDevNames);
            request.hDevNames = DeviceNamesOf(choice);
            return true;
        };
        fw::SetCommonDialogHandlers(handlers);
    }
    ~ScriptedSetup() { fw::SetCommonDialogHandlers(fw::CommonDialogHandlers()); }
    int calls = 0;
};

class Printing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ("", printer_.Error());
        ASSERT_TRUE(chosen_.LoadDefault());
        ASSERT_TRUE(chosen_.SetPaperSize(DMPAPER_A4));
        fileIO_ = &config_.Open();
        grid_.Layout(1000, 700, 0);
    }

    OverlayPrintRequest Request(bool saved, int readOnly)
    {
        OverlayPrintRequest request;
        request.fileIO = fileIO_;
        request.printer = &chosen_;
        request.options = &options_;
        request.grid = &grid_;
        request.job = [this] {
            OverlayPrintJob job;
            job.documentName = "Frukt";
            job.number = 100;
            job.overlayName = "Frukt";
            job.setName = "Mat";
            job.keys = &keys_;
            job.background = &keys_;
            job.defaultFont = "Arial";
            return job;
        };
        request.readOnly = readOnly;
        request.save = [this, saved] {
            ++saves_;
            return saved;
        };
        return request;
    }

    testsupport::TempFolder folder_;
    testsupport::TestPrinter printer_{folder_.Path(), kDpi};
    fw::Printer chosen_;
    ConfigFixture config_;
    FileIO* fileIO_ = nullptr;
    KeyGrid grid_;
    PrintOptions options_;
    std::vector<Block> keys_;
    int saves_ = 0;
};

} // namespace

TEST_F(Printing, ThePrintDialogShowsTheOptionsAndStoresThemOnOk)
{
    options_.opticalCodeOnly_ = 1;
    options_.copies_ = 2;
    options_.grid_ = 1;
    MyPrintDlg dialog(chosen_, options_);
    const INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        EXPECT_EQ("Testskrivare", Text(d, IDC_PRINT_PRINTER_NAME));
        EXPECT_FALSE(d.IsChecked(IDC_PRINT_ALL));
        EXPECT_TRUE(d.IsChecked(IDC_PRINT_CODE_ONLY));
        EXPECT_TRUE(d.IsChecked(IDC_PRINT_GRID));
        EXPECT_EQ("2", Text(d, IDC_PRINT_COPIES));
        EXPECT_EQ(::GetDlgItem(d, IDOK), ::GetFocus()) << "the focus frame belongs on the button Enter presses";
        testsupport::Snapshot(d, "print_dialog");
        Check(d, IDC_PRINT_ALL, true);
        Check(d, IDC_PRINT_CODE_ONLY, false);
        Check(d, IDC_PRINT_GRID, false);
        SetText(d, IDC_PRINT_COPIES, "3");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, options_.opticalCodeOnly_);
    EXPECT_EQ(0, options_.grid_);
    EXPECT_EQ(3, options_.copies_);
}

TEST_F(Printing, ABadNumberOfCopiesIsRefusedAndCancelKeepsTheOptions)
{
    MyPrintDlg dialog(chosen_, options_);
    ScriptedMessages messages;
    messages.Expect(IDS_PRINT_BAD_COPIES).Expect(IDS_PRINT_BAD_COPIES);
    const INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        Check(d, IDC_PRINT_CODE_ONLY, true);
        Check(d, IDC_PRINT_ALL, false);
        for (const char* bad : {"0", "tre"}) {
            SetText(d, IDC_PRINT_COPIES, bad);
            Click(d, IDOK);
            EXPECT_TRUE(::IsWindowVisible(d)) << bad;
            EXPECT_EQ(::GetDlgItem(d, IDC_PRINT_COPIES), ::GetFocus());
        }
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, options_.opticalCodeOnly_);
    EXPECT_EQ(1, options_.copies_);
}

TEST_F(Printing, PrinterSetupShowsTheChosenPrinter)
{
    ScriptedSetup setup("Annan skrivare");
    MyPrintDlg dialog(chosen_, options_);
    testsupport::RunModal(dialog, [](fw::Dialog& d) {
        Click(d, IDC_PRINT_SETUP);
        EXPECT_EQ("Annan skrivare", Text(d, IDC_PRINT_PRINTER_NAME));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(1, setup.calls);
    EXPECT_EQ("Annan skrivare", chosen_.Name());
}

TEST_F(Printing, ThePrintCommandPrintsWithTheStoredMarginsOfThePrinter)
{
    fileIO_->SetMargins("Testskrivare", -1.5f, 2.0f);
    testsupport::OnNextDialog([](fw::Dialog& d) {
        SetText(d, IDC_PRINT_COPIES, "2");
        Click(d, IDOK);
    });
    printer_.ClearOutput();
    EXPECT_EQ(4, RunOverlayPrint(Request(true, 0)));
    EXPECT_EQ(1, saves_);
    ASSERT_TRUE(printer_.WaitForJob());
    const auto pages = printer_.Pages();
    ASSERT_EQ(4u, pages.size());
    const PrintGeometry geometry = PrintGeometry::ForPaper(0);
    for (size_t page : {0u, 2u}) {
        const auto code = printtest::FindCode(pages[page], kDpi, geometry.codeLeft - 1.5, geometry.codeLine + 2.0);
        EXPECT_EQ("BWWBBWBB", code.colours) << page;
        EXPECT_LE(code.worstOffsetMm, 0.5) << page;
    }
}

TEST_F(Printing, AModifiedOverlayThatCannotBeSavedIsNotPrintedAndAReadOnlyOneSaysWhy)
{
    for (int readOnly : {0, 1}) {
        testsupport::OnNextDialog([](fw::Dialog& d) { Click(d, IDOK); });
        ScriptedMessages messages;
        if (readOnly)
            messages.Expect(IDS_PRINT_READ_ONLY_MODIFIED);
        printer_.ClearOutput();
        EXPECT_EQ(0, RunOverlayPrint(Request(false, readOnly)));
        EXPECT_TRUE(printer_.NothingPrintedSinceClear()) << readOnly;
    }
    // Cancel in the dialog: no save, no print.
    testsupport::OnNextDialog([](fw::Dialog& d) { Click(d, IDCANCEL); });
    EXPECT_EQ(0, RunOverlayPrint(Request(true, 0)));
    EXPECT_EQ(2, saves_);
}

namespace {

class MarginWizard : public Printing {
protected:
    void Open()
    {
        sheet_ = std::make_unique<MarginSheet>(*fileIO_, chosen_);
        ASSERT_TRUE(sheet_->Create(nullptr));
        fw::PumpMessages();
        ASSERT_EQ(0, sheet_->ActiveIndex());
    }
    void Press(int button, int expectedPage)
    {
        sheet_->PressButton(button);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return sheet_->ActiveIndex() == expectedPage; }))
            << "page " << expectedPage;
    }
    // Clicks a page's test print button and reads the page back.
    testsupport::PrintedPage TestPrint(HWND page)
    {
        printer_.ClearOutput();
        Click(page, IDC_MARGIN_PRINT_TEST);
        EXPECT_TRUE(printer_.WaitForJob());
        const auto pages = printer_.Pages();
        EXPECT_EQ(1u, pages.size());
        return pages.empty() ? testsupport::PrintedPage() : pages[0];
    }
    std::string Stored(const char* key) const
    {
        return ConfigFixture::Value(config_.WindowsSettingsFile(), "Testskrivare", key);
    }
    void TearDown() override
    {
        if (sheet_)
            sheet_->Destroy();
    }

    std::unique_ptr<MarginSheet> sheet_;
};

} // namespace

TEST_F(MarginWizard, TestPrintsMeasureAndStoreTheCorrections)
{
    Open();
    HWND page1 = sheet_->Page1().Handle();
    EXPECT_EQ("Testskrivare", Text(page1, IDC_MARGIN_PRINTER_NAME));
    EXPECT_EQ("Aktuell skrivare:", Text(page1, IDC_MARGIN_PRINTER_LABEL));
    testsupport::Snapshot(sheet_->Handle(), "margin_page1");

    Press(PSBTN_NEXT, 1);
    HWND page2 = sheet_->Page2().Handle();
    EXPECT_EQ("Skriv ut prov", Text(page2, IDC_MARGIN_PRINT_TEST));
    testsupport::Snapshot(sheet_->Handle(), "margin_page2");
    // Without correction the first dot stands 13 mm from the sheet's left edge, on the code line.
    const PrintGeometry geometry = PrintGeometry::ForPaper(0);
    const auto plain = printtest::FindCode(TestPrint(page2), kDpi, geometry.codeLeft, geometry.codeLine);
    EXPECT_EQ("WWWWWWWW", plain.colours);
    EXPECT_LE(plain.worstOffsetMm, 0.5);
    std::printf("[ offsets  ] margin test print, no correction: mean dx %+.3f mm, mean dy %+.3f mm, worst %.3f mm\n",
                plain.meanDxMm, plain.meanDyMm, plain.worstOffsetMm);

    Press(PSBTN_NEXT, 2);
    HWND page3 = sheet_->Page3().Handle();
    testsupport::Snapshot(sheet_->Handle(), "margin_page3");
    {
        ScriptedMessages messages;
        messages.Expect(IDS_MARGIN_BAD_X).Expect(IDS_MARGIN_EMPTY);
        SetText(page3, IDC_MARGIN_X, "14,5 mm");
        SetText(page3, IDC_MARGIN_Y, "20");
        sheet_->PressButton(PSBTN_NEXT);
        fw::PumpMessages();
        EXPECT_EQ(2, sheet_->ActiveIndex());
        SetText(page3, IDC_MARGIN_X, "");
        sheet_->PressButton(PSBTN_NEXT);
        fw::PumpMessages();
        EXPECT_EQ(2, sheet_->ActiveIndex());
    }
    // Measured 1.5 mm further right and 1 mm lower than the print should stand, with a decimal comma.
    SetText(page3, IDC_MARGIN_X, "14,5");
    Press(PSBTN_NEXT, 3);
    EXPECT_FLOAT_EQ(-1.5f, sheet_->LeftCorrection());
    EXPECT_FLOAT_EQ(-1.0f, sheet_->TopCorrection());

    HWND page4 = sheet_->Page4().Handle();
    testsupport::Snapshot(sheet_->Handle(), "margin_page4");
    const auto corrected = printtest::FindCode(TestPrint(page4), kDpi, geometry.codeLeft - 1.5, geometry.codeLine - 1.0);
    EXPECT_EQ("WWWWWWWW", corrected.colours);
    EXPECT_LE(corrected.worstOffsetMm, 0.5);
    std::printf("[ offsets  ] margin test print, -1.5/-1.0 mm: mean dx %+.3f mm, mean dy %+.3f mm, worst %.3f mm\n",
                corrected.meanDxMm, corrected.meanDyMm, corrected.worstOffsetMm);
    EXPECT_EQ("<missing>", Stored("LeftMargin"));

    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !sheet_->IsRunning(); }));
    EXPECT_EQ("-1.5", Stored("LeftMargin"));
    EXPECT_EQ("-1.0", Stored("TopMargin"));
}

// The user measures the uncorrected test print with a ruler, to the millimetre: where the printer
// put it exactly where it belongs, the wizard stores no correction.
TEST_F(MarginWizard, AnExactMeasurementOfTheTestPrintStoresNoCorrection)
{
    Open();
    Press(PSBTN_NEXT, 1);
    const PrintGeometry geometry = PrintGeometry::ForPaper(0);
    const auto plain = printtest::FindCode(TestPrint(sheet_->Page2().Handle()), kDpi, geometry.codeLeft,
                                           geometry.codeLine);
    ASSERT_EQ("WWWWWWWW", plain.colours);
    const int a4Height = 297;
    const long x = std::lround(geometry.codeLeft + plain.meanDxMm);
    const long y = std::lround(a4Height - (geometry.codeLine + plain.meanDyMm));
    EXPECT_EQ(13, x);
    EXPECT_EQ(21, y);

    Press(PSBTN_NEXT, 2);
    SetText(sheet_->Page3().Handle(), IDC_MARGIN_X, std::to_string(x));
    SetText(sheet_->Page3().Handle(), IDC_MARGIN_Y, std::to_string(y));
    Press(PSBTN_NEXT, 3);
    sheet_->PressButton(PSBTN_FINISH);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !sheet_->IsRunning(); }));
    EXPECT_EQ("0.0", Stored("LeftMargin"));
    EXPECT_EQ("0.0", Stored("TopMargin"));
}

TEST_F(MarginWizard, CancelStoresNothingAndSetupChangesThePrinterShown)
{
    ScriptedSetup setup("");
    Open();
    Click(sheet_->Page1().Handle(), IDC_MARGIN_PRINTER_SETUP);
    EXPECT_EQ(1, setup.calls);
    EXPECT_EQ("Testskrivare", Text(sheet_->Page1().Handle(), IDC_MARGIN_PRINTER_NAME));
    Press(PSBTN_NEXT, 1);
    Press(PSBTN_NEXT, 2);
    SetText(sheet_->Page3().Handle(), IDC_MARGIN_X, "14");
    SetText(sheet_->Page3().Handle(), IDC_MARGIN_Y, "21");
    Press(PSBTN_NEXT, 3);
    sheet_->PressButton(PSBTN_CANCEL);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !sheet_->IsRunning(); }));
    EXPECT_EQ("<missing>", Stored("LeftMargin"));
    EXPECT_EQ("<missing>", Stored("TopMargin"));
}

