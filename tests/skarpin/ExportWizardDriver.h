// Drives the export wizard over the export fixture's set: modeless, its buttons pressed with
// PSM_PRESSBUTTON and the messages pumped until the page changes; its trees read line by line.
#pragma once
#include "ExportFixture.h"
#include "skarpin/ExportWizardSheet.h"
#include <memory>
#include <string>
#include <vector>

struct TreeLine {
    std::string text;
    bool checked;
    HTREEITEM item;
};
std::vector<TreeLine> TreeLines(HWND page, int id);
std::string Describe(const std::vector<TreeLine>& lines);
bool AllChecked(HWND page, int id);
// The line of that text, letter case ignored; a failure when there is none.
HTREEITEM FindLine(HWND page, int id, const std::string& text);

class ExportWizardDriver {
public:
    // Every overlay of the set offered.
    explicit ExportWizardDriver(ExportFixture& fixture);

    void Open();
    void Press(int button, int expectedPage);
    // To the last page, with every overlay and file chosen once the timers have checked them.
    void GoToZipPage();
    HWND Page(int number) const;
    void Finish();

    ExportFixture& fixture;
    std::vector<SetItem> overlays;
    std::vector<SetItem> media;
    std::unique_ptr<ExportWizardSheet> sheet;
};
