// Driving the export wizard in tests.
#include "ExportWizardDriver.h"
#include "library/Cp1252.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <algorithm>

std::vector<TreeLine> TreeLines(HWND page, int id)
{
    fw::TreeView tree(page, id);
    std::vector<TreeLine> lines;
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.Sibling(item))
        lines.push_back(TreeLine{tree.ItemText(item), tree.IsChecked(item), item});
    return lines;
}

std::string Describe(const std::vector<TreeLine>& lines)
{
    std::string text;
    for (const TreeLine& line : lines)
        text += (line.checked ? "[x] " : "[ ] ") + line.text + "\n";
    return text;
}

bool AllChecked(HWND page, int id)
{
    const std::vector<TreeLine> lines = TreeLines(page, id);
    return !lines.empty() && std::all_of(lines.begin(), lines.end(), [](const TreeLine& line) { return line.checked; });
}

HTREEITEM FindLine(HWND page, int id, const std::string& text)
{
    for (const TreeLine& line : TreeLines(page, id)) {
        if (cp1252::EqualsNoCase(line.text, text))
            return line.item;
    }
    ADD_FAILURE() << "no tree line " << text;
    return nullptr;
}

ExportWizardDriver::ExportWizardDriver(ExportFixture& fixture) : fixture(fixture), overlays(fixture.Overlays()) {}

void ExportWizardDriver::Open()
{
    sheet = std::make_unique<ExportWizardSheet>(OverlayFixture::kSet, &fixture.IO(), &overlays, &media);
    ASSERT_TRUE(sheet->Create(nullptr));
    fw::PumpMessages();
    ASSERT_EQ(0, sheet->ActiveIndex());
}

void ExportWizardDriver::Press(int button, int expectedPage)
{
    sheet->PressButton(button);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return sheet->ActiveIndex() == expectedPage; })) << "page " << expectedPage;
}

void ExportWizardDriver::GoToZipPage()
{
    Open();
    Press(PSBTN_NEXT, 1);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return AllChecked(Page(2), IDC_EXPORT_OVERLAY_TREE); }));
    Press(PSBTN_NEXT, 2);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return AllChecked(Page(3), IDC_EXPORT_MEDIA_TREE); }))
        << Describe(TreeLines(Page(3), IDC_EXPORT_MEDIA_TREE));
    Press(PSBTN_NEXT, 3);
}

HWND ExportWizardDriver::Page(int number) const
{
    switch (number) {
    case 1: return sheet->Page1().Handle();
    case 2: return sheet->Page2().Handle();
    case 3: return sheet->Page3().Handle();
    default: return sheet->Page4().Handle();
    }
}

void ExportWizardDriver::Finish()
{
    sheet->PressButton(PSBTN_FINISH);
    fw::PumpMessages();
}
