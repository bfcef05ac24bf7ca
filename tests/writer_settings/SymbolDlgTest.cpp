// The symbol chooser in a real window: the list of the symbols folder, the preview, OK and Cancel.
#include "PictureChoiceFixture.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include "writer_settings/SymbolDlg.h"
#include <gtest/gtest.h>

namespace {

using picturetests::PictureConfig;
using picturetests::PictureHost;
using testsupport::RunModal;

class SymbolChooser : public testing::Test {
protected:
    INT_PTR Run(std::string& symbol, std::function<void(fw::Dialog&)> script)
    {
        SymbolDlg chooser(pictures_.SymbolsFolder(), symbol, host_.GetPictureInterface(), host_.Handle());
        return RunModal(chooser, script);
    }
    std::vector<std::string> Listed(fw::Dialog& d)
    {
        fw::ListBox list = d.Control<fw::ListBox>(IDC_SYMBOL_LIST);
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(list.ItemText(i));
        return names;
    }

    PictureConfig pictures_;
    PictureHost host_{pictures_.UserSettings()};
};

} // namespace

TEST_F(SymbolChooser, ListsThePicturesOfTheFolderAndStartsWithOkDisabledWithoutSymbol)
{
    std::string symbol;
    const INT_PTR result = Run(symbol, [&](fw::Dialog& d) {
        EXPECT_EQ("V\xE4lj symbol", d.Self().Text());
        EXPECT_EQ("Symbolerna finns i mappen " + pictures_.SymbolsFolder() +
                      ".\nDet g\xE5r bra att l\xE4gga dit egna symboler. Bildstorleken b\xF6r d\xE5 vara ca 50x50 pixel.",
                  testsupport::Text(d, IDC_SYMBOL_LABEL));
        // Capital extensions count: the browser finds such pictures too.
        EXPECT_EQ((std::vector<std::string>{"m\xE5ne.bmp", "sol.bmp", "STJ\xC4RNA.BMP"}), Listed(d));
        EXPECT_FALSE(testsupport::IsEnabled(d, IDOK));
        ::SendMessageA(d, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(d.Self().IsValid()) << "no choice: the dialog stays";
        testsupport::SelectList(d, IDC_SYMBOL_LIST, 1);
        EXPECT_TRUE(testsupport::IsEnabled(d, IDOK));
        testsupport::Snapshot(d, "symbol_chooser");
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(pictures_.SymbolsFolder() + "\\sol.bmp", symbol);
}

TEST_F(SymbolChooser, SelectsTheSymbolByItsNameAndKeepsItOnCancel)
{
    // A symbol outside the folder: its picture is shown, the list selects by the name's beginning.
    const std::string outside = pictures_.Config().Temp() / "SOL.bmp";
    picturetests::WriteBitmap(outside, RGB(250, 200, 0));
    std::string symbol = outside;
    const INT_PTR result = Run(symbol, [&](fw::Dialog& d) {
        EXPECT_EQ(1, d.Control<fw::ListBox>(IDC_SYMBOL_LIST).Selection());
        EXPECT_TRUE(testsupport::IsEnabled(d, IDOK));
        testsupport::Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(outside, symbol);

    std::string missing = pictures_.Config().Temp() / "x\\kvadrat.bmp";
    Run(missing, [&](fw::Dialog& d) {
        EXPECT_EQ(-1, d.Control<fw::ListBox>(IDC_SYMBOL_LIST).Selection());
        ::SendMessageA(d.Item(IDC_SYMBOL_LIST), LB_SETCURSEL, 0, 0);
        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SYMBOL_LIST, LBN_DBLCLK), 0);
    });
    EXPECT_EQ(pictures_.SymbolsFolder() + "\\m\xE5ne.bmp", missing);
}
