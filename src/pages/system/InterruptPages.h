#pragma once
// The three interrupt pages; all edit one copy of the interrupt record.

#include "pages/common/CPropPage.h"

// Interrupt enables, one check box per bit.
class CIntEnablePropPage : public CPropPage {
    Q_OBJECT
public:
    CIntEnablePropPage();
    void OnInitDialog() override;
};

// Interrupt priorities, one check box per bit (set = high).
class CIntPriorityPropPage : public CPropPage {
    Q_OBJECT
public:
    CIntPriorityPropPage();
    void OnInitDialog() override;
};

// /INT0 and /INT1 polarity and pin (IT01CF), with buttons that open the Port
// I/O sheet.
class CInt01ConfigPropPage : public CPropPage {
    Q_OBJECT
public:
    CInt01ConfigPropPage();
    void OnCommand(int id) override;
};
