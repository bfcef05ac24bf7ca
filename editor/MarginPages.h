// The four pages of the print margin wizard: the printer, the test print without correction, the
// measurements, and the test print with the corrections.
#pragma once
#include "framework/PropertySheet.h"

class MarginSheet;

// A page whose texts are placeholder keys in its template, replaced from the string table.
class MarginPage : public fw::PropertyPage {
protected:
    struct Text {
        int control;
        UINT string;
    };
    MarginPage(UINT templateId, UINT titleId, MarginSheet& sheet, DWORD buttons);
    void SetTexts(std::initializer_list<Text> texts) const;
    bool OnSetActive() override;

    MarginSheet& sheet_;

private:
    DWORD buttons_;
};

class MarginPage1 : public MarginPage {
public:
    explicit MarginPage1(MarginSheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
};

class MarginPage2 : public MarginPage {
public:
    explicit MarginPage2(MarginSheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
};

class MarginPage3 : public MarginPage {
public:
    explicit MarginPage3(MarginSheet& sheet);

protected:
    bool OnInitDialog() override;
    LRESULT OnWizardNext() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class MarginPage4 : public MarginPage {
public:
    explicit MarginPage4(MarginSheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnWizardFinish() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
