// The export wizard's choice of overlays: a tree of the set's overlays with check boxes.
#pragma once
#include "skarpin/ExportTreePage.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

class ExportPage2 : public ExportTreePage {
public:
    // overlays: the caller's list, whose chosen flags this page reads and sets.
    ExportPage2(const std::string& setName, std::vector<SetItem>* overlays);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    void SetChecks() override;
    LRESULT OnWizardNext() override;

private:
    std::string setName_;
    std::vector<SetItem>* overlays_;
};
