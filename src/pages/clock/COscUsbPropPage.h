#pragma once
// USB Clock Source: the CLKSEL USB clock source and the clock it gives. This
// page shows frequencies only; it never writes the system clock.

#include "pages/clock/COscPage.h"

class COscUsbPropPage : public COscPage {
    Q_OBJECT
public:
    explicit COscUsbPropPage(PageContext& context);

    void Refresh() override;
    void OnCommand(int id) override;

private:
    void UpdateUsbSpeed();
};
