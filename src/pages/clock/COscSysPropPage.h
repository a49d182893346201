#pragma once
// SYSCLK Select: the CLKSEL SYSCLK source and the system clock it gives,
// recomputed on every choice and every activation.

#include "pages/clock/COscPage.h"

class COscSysPropPage : public COscPage {
    Q_OBJECT
public:
    explicit COscSysPropPage(PageContext& context);

    void OnInitDialog() override;
    void Refresh() override;
    void OnCommand(int id) override;

private:
    void UpdateSysclk();
};
