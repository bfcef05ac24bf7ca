// The overlay editor's define command in a real window: a new key block made in the block definition
// dialog on the selected cells, an existing one changed and cancelled, and a background block made in
// the background definition dialog.
#include "loader/MainWindowFixture.h"
#include "editor/EditOverlayDlg.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <stdexcept>

using namespace testsupport;

namespace {

class DefineInEditorTest : public testing::Test, public MainWindowFixture {
protected:
    DefineInEditorTest()
    {
        UseModel("PS2");
        MakeSet("Skola", StandardRegister({}).c_str());
    }

    static EditOverlayDlg& OpenNew(CSkarpinDlg& dialog)
    {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EditOverlayDlg* editor = dynamic_cast<EditOverlayDlg*>(dialog.Editor());
        if (editor == nullptr)
            throw std::runtime_error("no overlay editor is open");
        fw::PumpMessages();
        return *editor;
    }

    static void ClickCell(EditOverlayDlg& editor, int cell)
    {
        const RECT rect = editor.Model().Grid().GetCellRect(cell);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        editor.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON, point);
        editor.Self().Send(WM_LBUTTONUP, 0, point);
    }

    static void Define(EditOverlayDlg& editor) { editor.Self().Send(WM_COMMAND, MAKEWPARAM(ID_EDITOR_DEFINE, 0), 0); }
};

} // namespace

TEST_F(DefineInEditorTest, TheDefineCommandOpensTheBlockDialogOnTheSelection)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EditOverlayDlg& editor = OpenNew(dialog);
        ClickCell(editor, 17);
        OnNextDialog([](fw::Dialog& define) {
            EXPECT_EQ(IDD_DEFINE_BLOCK, static_cast<int>(define.TemplateId()));
            SetText(define, IDC_BLOCK_TEXT, "Buss");
            SetText(define, IDC_BLOCK_COMMAND, "buss<Return>");
            Click(define, IDOK);
        });
        Define(editor);
        ASSERT_EQ(1u, editor.Model().Keys().size());
        EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);
        EXPECT_EQ("buss<Return>", editor.Model().Keys()[0].command_);
        EXPECT_TRUE(editor.Model().IsModified());

        // The selected block is edited on a copy: Cancel leaves it.
        OnNextDialog([](fw::Dialog& define) {
            EXPECT_EQ("Buss", Text(define, IDC_BLOCK_TEXT));
            SetText(define, IDC_BLOCK_TEXT, "Tåg");
            define.EndDialog(IDCANCEL);
        });
        Define(editor);
        EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);

        // The background view defines background blocks in their own dialog.
        editor.Self().Send(WM_COMMAND, MAKEWPARAM(ID_EDITOR_VIEW_BACKGROUND, 0), 0);
        ClickCell(editor, 100);
        OnNextDialog([](fw::Dialog& define) {
            EXPECT_EQ(IDD_DEFINE_BACKGROUND, static_cast<int>(define.TemplateId()));
            SetText(define, IDC_BLOCK_TEXT, "Himmel");
            Click(define, IDOK);
        });
        Define(editor);
        ASSERT_EQ(1u, editor.Model().Background().size());
        EXPECT_EQ("Himmel", editor.Model().Background()[0].text_);
        editor.Model().SetModified(false);
    });
}
