#pragma once
// The two pages of the Port I/O sheet: the priority crossbar with its live
// pin table, and the port 4 pin modes of the large-package models. Both edit
// the same working copy of the Port I/O record.

#include <memory>
#include <vector>

#include "chip/Crossbar.h"
#include "pages/common/CPropPage.h"

class QTableWidget;

class CPortIOCrossbarPropPage : public CPropPage {
    Q_OBJECT
public:
    // The control id of the pin table.
    static constexpr int kPinTableId = 11463;

    // On the sheet's copy of the SPI0 record, whose wire mode decides whether
    // NSS takes a pin (read now, for the life of the sheet).
    explicit CPortIOCrossbarPropPage(PageContext& context);
    // The same page for a model group and an SPI0 record of the caller's.
    CPortIOCrossbarPropPage(bool largePackage, const PeripheralRecord& spi0);

    void OnInitDialog() override;
    void OnSetActive() override;
    void OnOK() override;
    // Full refresh: placement and table, check marks, buttons, enables.
    void Refresh() override;
    void OnCommand(int id) override;

    const portio::CCrossbar& Crossbar() const { return crossbar_; }
    QTableWidget* PinTable() const { return table_; }

private:
    void BuildPinMap(QWidget* map);
    void DrawTable();
    void ApplyStates(const portio::ControlStates& states);
    void ApplyEnables(const std::vector<portio::CheckboxEnable>& enables);

    portio::CCrossbar crossbar_;
    QTableWidget* table_ = nullptr;
};

class CPortIOInOutPropPage : public CPropPage {
    Q_OBJECT
public:
    CPortIOInOutPropPage();

    void OnSetActive() override;
    void Refresh() override;
    void OnCommand(int id) override;

private:
    std::vector<portio::CrossbarEntry> analogDigital_;
    std::vector<portio::CrossbarEntry> drive_;
};
