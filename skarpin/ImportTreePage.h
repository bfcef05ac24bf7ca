// The import wizard's pages with a tree of check boxes: "Alla" and "Ingen" of their own ids, and the
// checks read as the page means them even when Next or Finish comes before the timer has set them.
#pragma once
#include "skarpin/ExportTreePage.h"
#include <string>
#include <utility>
#include <vector>

class ImportTreePage : public ExportTreePage {
protected:
    ImportTreePage(UINT templateId, UINT captionId, int treeId);

    void StartChecks();
    // Each line's name and check. A button pressed within the timer's delay would otherwise read
    // the boxes before they were set, and take every line for unchecked.
    std::vector<std::pair<std::string, bool>> Checks();

    bool OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;

private:
    bool checksPending_ = false;
};
