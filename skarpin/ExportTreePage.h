// A wizard page that lists its choices in a tree with check boxes, kept beside an array of
// TreeCtrlItem, with "Alla" and "Ingen" to check or uncheck them all. Check boxes take effect only
// once the tree is shown, so the page sets them from a one-shot timer started on entry.
#pragma once
#include "framework/PropertySheet.h"
#include "skarpin/TreeCtrlItem.h"
#include <vector>

class ExportTreePage : public fw::PropertyPage {
public:
    static constexpr UINT_PTR kCheckTimer = 1;
    static constexpr UINT kCheckDelay = 100;

protected:
    ExportTreePage(UINT templateId, UINT captionId, int treeId);

    fw::TreeView Tree() const { return Control<fw::TreeView>(treeId_); }
    void CheckAll(bool checked);
    void StartCheckTimer() { SetTimer(kCheckTimer, kCheckDelay); }
    // Empties the array and the tree.
    void ClearTree();
    // The timer has fired: the page sets its check boxes.
    virtual void SetChecks() = 0;

    // "Alla" and "Ingen".
    bool OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

    std::vector<TreeCtrlItem> items_;

private:
    int treeId_;
};
