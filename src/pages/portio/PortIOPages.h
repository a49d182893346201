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

    // `spi0`: the SPI0 record whose wire mode decides whether NSS takes a pin
    // (read now, for the life of the sheet).
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

// The sheet's pages in order for a model: the crossbar page, then the port 4
// page on large-package models.
std::vector<std::unique_ptr<CPropPage>> MakePortIOPages(bool largePackage,
                                                        const PeripheralRecord& spi0);
