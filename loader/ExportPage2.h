// The export wizard's choice of overlays: a tree of the set's overlays with check boxes.
#pragma once
#include "framework/PropertySheet.h"
#include "loader/ListRecords.h"
#include "loader/TreeCtrlItem.h"
#include <string>
#include <vector>

class ExportPage2 : public fw::PropertyPage {
public:
    // The check boxes take effect only once the tree is shown: they are set from this timer.
    static constexpr UINT_PTR kCheckTimer = 1;
    static constexpr UINT kCheckDelay = 100;

    // overlays: the caller's list, whose chosen flags this page reads and sets.
    ExportPage2(const std::string& setName, std::vector<SetItem>* overlays);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    void OnTimer(UINT_PTR id) override;
    bool OnCommand(int id, int code) override;
    LRESULT OnWizardNext() override;
    void OnDestroy() override;

private:
    fw::TreeView Tree() const;
    void CheckAll(bool checked);

    std::string setName_;
    std::vector<SetItem>* overlays_;
    std::vector<TreeCtrlItem> items_;
};
