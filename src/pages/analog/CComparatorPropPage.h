#pragma once
// The comparator pages. Both comparators are set up by one page class; the
// instance (comparator::kComparator0 or kComparator1) supplies what differs:
// registers, captions, status texts and input lists. Both pages of the sheet
// edit the same comparator record and read the same interrupt and Port I/O
// copies, so every activation rebuilds the page from the records.

#include "chip/Comparator.h"
#include "pages/common/CPropPage.h"

class CComparatorPropPage : public CPropPage {
    Q_OBJECT
public:
    // Control ids.
    enum : int {
        kEnableId = 11255, kInterruptTextId,
        kRisingEdgeId = 11265, kFallingEdgeId, kConfigureInterruptsId, kResponseTimeId,
        kConfigurePortIOId = 11285, kPositiveStatusId = 11287, kNegativeStatusId,
        kPositiveInputId = 11300, kNegativeInputId,
    };

    // Reads the sheet's copies of records 13 and 15, shared by both pages
    // and changed only by the nested sheets.
    CComparatorPropPage(PageContext& context, const comparator::Instance& instance);

    const comparator::Instance& Comparator() const { return instance_; }

    void Refresh() override;
    void ResetRegisters() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnSlide(int id, int pos, bool ended) override;

private:
    // Empties and fills both input lists; items whose pin is not analog and
    // skipped are marked, then the record's items are selected.
    void FillInputs();
    void ShowPinStatus(int listId);
    void ShowOutputs();
    const comparator::InputList& Inputs(int listId) const;

    const comparator::Instance& instance_;
    PeripheralRecord* portIO_;
    PeripheralRecord* interrupts_;
    bool largePackage_;
};

// The two pages by name.
class CComparator0PropPage : public CComparatorPropPage {
public:
    explicit CComparator0PropPage(PageContext& context)
        : CComparatorPropPage(context, comparator::kComparator0) {}
};

class CComparator1PropPage : public CComparatorPropPage {
public:
    explicit CComparator1PropPage(PageContext& context)
        : CComparatorPropPage(context, comparator::kComparator1) {}
};
