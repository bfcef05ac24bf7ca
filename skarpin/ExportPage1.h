// The export wizard's introduction: what exporting does and where the archive may go.
#pragma once
#include "framework/PropertySheet.h"
#include <string>

class ExportPage1 : public fw::PropertyPage {
public:
    explicit ExportPage1(const std::string& setName);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;

private:
    std::string setName_;
};
