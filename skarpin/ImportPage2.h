// The import wizard's choice of overlays: every overlay file of the archive, numbered from the
// archive's register, checked or unchecked in a tree.
#pragma once
#include "skarpin/ImportData.h"
#include "skarpin/ImportTreePage.h"

class ImportPage2 : public ImportTreePage {
public:
    explicit ImportPage2(ImportData* data);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardNext() override;
    void SetChecks() override;

private:
    ImportData* data_;
};
