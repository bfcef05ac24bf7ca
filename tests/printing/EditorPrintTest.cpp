// The overlay editor's print command in a real editor window: the print dialog, the save, and the
// pages in the test printer's PDF; a changed overlay of a read-only set is not printed and says why.
#include "PrintedDots.h"
#include "editor/EditOverlayDlg.h"
#include "framework/Printer.h"
#include "skarpin/MainWindowFixture.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include "support/TestPrinter.h"
#include <gtest/gtest.h>

namespace {

constexpr int kDpi = 100;

class EditorPrint : public testing::Test, public MainWindowFixture {
protected:
    EditorPrint()
    {
        UseModel("PS2");
        MakeSet("Skola", StandardRegister({{1, "Bil"}}).c_str());
        std::string name = "Bil";
        Block key;
        key.cells_ = {RECT{0, 0, 2, 1}};
        key.text_ = "Bil";
        key.backColor_ = RGB(255, 255, 160);
        EXPECT_EQ(FileIO::kSaved, Io().SaveOverlay(name, 1, "Skola", {key}, {}, KeyboardSettings()));
    }

    // The overlay Bil at number 1, or with number 2 a new overlay.
    std::unique_ptr<OverlayEditor> Open(int readOnly, int number = 1)
    {
        if (number != 1)
            name_.clear();
        request_.fileIO = &Io();
        request_.setName = "Skola";
        request_.overlayName = name_;
        request_.number = number;
        request_.readOnly = readOnly;
        request_.screenRect = RECT{0, 0, 800, 600};
        request_.printOptions = &options_;
        request_.printer = &chosen_;
        testsupport::OnNextDialog([](fw::Dialog&) {}); // the editor window itself: nothing to answer
        std::unique_ptr<OverlayEditor> editor = EditOverlayDlg::Factory()(request_);
        fw::PumpMessages();
        return editor;
    }

    static void Command(OverlayEditor& editor, int id)
    {
        ::SendMessageA(editor.Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    testsupport::TempFolder output_;
    testsupport::TestPrinter printer_{output_.Path(), kDpi};
    fw::Printer chosen_; // the main window's, not looked up yet: the print finds the default itself
    PrintOptions options_;
    std::string name_ = "Bil";
    OverlayEditorRequest request_;
};

} // namespace

TEST_F(EditorPrint, ThePrintCommandPrintsTheOverlayWithItsNumberAsTheCode)
{
    ASSERT_EQ("", printer_.Error());
    std::unique_ptr<OverlayEditor> editor = Open(0);
    ASSERT_NE(nullptr, editor);
    testsupport::OnNextDialog([](fw::Dialog& d) { testsupport::Click(d, IDOK); });
    printer_.ClearOutput();
    Command(*editor, ID_EDITOR_PRINT);
    ASSERT_TRUE(printer_.WaitForJob());
    const auto pages = printer_.Pages();
    ASSERT_EQ(2u, pages.size());
    const PrintGeometry a4 = PrintGeometry::ForPaper(0);
    const auto code = printtest::FindCode(pages[0], kDpi, a4.codeLeft, a4.codeLine);
    EXPECT_EQ("BBBBBBBW", code.colours);
    EXPECT_LE(code.worstOffsetMm, 0.5);
    EXPECT_EQ("Testskrivare", chosen_.Name());
}

TEST_F(EditorPrint, AChangedOverlayOfAReadOnlySetIsNotPrintedAndSaysWhy)
{
    ASSERT_EQ("", printer_.Error());
    std::unique_ptr<OverlayEditor> editor = Open(1);
    ASSERT_NE(nullptr, editor);
    auto& window = static_cast<EditOverlayDlg&>(*editor);
    const RECT b2 = window.Model().Grid().GetCellRect(KeyGrid::CellOf(1, 1));
    const LPARAM point = MAKELPARAM((b2.left + b2.right) / 2, (b2.top + b2.bottom) / 2);
    ::SendMessageA(editor->Window(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(editor->Window(), WM_LBUTTONUP, 0, point);
    Command(*editor, ID_EDITOR_CUT);
    ASSERT_TRUE(window.Model().IsModified());

    testsupport::OnNextDialog([](fw::Dialog& d) { testsupport::Click(d, IDOK); });
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_PRINT_READ_ONLY_MODIFIED);
    printer_.ClearOutput();
    Command(*editor, ID_EDITOR_PRINT);
    EXPECT_TRUE(printer_.NothingPrintedSinceClear());
}

// A new overlay is printed only once it is stored: Cancel in the name dialog of the save before
// printing prints nothing, touched or not, so no sheet carries the code of a number without overlay.
TEST_F(EditorPrint, CancelInTheNameOfANewOverlayPrintsNothing)
{
    ASSERT_EQ("", printer_.Error());
    std::unique_ptr<OverlayEditor> editor = Open(0, 2);
    ASSERT_NE(nullptr, editor);
    ASSERT_TRUE(static_cast<EditOverlayDlg&>(*editor).IsNewOverlay());
    int named = 0;
    testsupport::OnNextDialog([&](fw::Dialog& print) {
        testsupport::OnNextDialog([&](fw::Dialog& name) {
            ++named;
            EXPECT_EQ(static_cast<UINT>(IDD_SAVE_OVERLAY), name.TemplateId());
            name.EndDialog(IDCANCEL);
        });
        testsupport::Click(print, IDOK);
    });
    printer_.ClearOutput();
    Command(*editor, ID_EDITOR_PRINT);
    EXPECT_EQ(1, named);
    EXPECT_TRUE(printer_.NothingPrintedSinceClear());
}
