#include "model/DeviceDocument.h"

void CDeviceDocument::GetPeripheral(PeripheralRecord& record, PeripheralId id) {
    auto it = DeviceData.Peripherals.find(id);
    if (it == DeviceData.Peripherals.end()) {
        PeripheralRecord empty;
        empty.Id = id;
        it = DeviceData.Peripherals.emplace(id, std::move(empty)).first;
    }
    record = it->second;
}

void CDeviceDocument::SetPeripheral(const PeripheralRecord& record, PeripheralId id) {
    DeviceData.Peripherals.insert_or_assign(id, record);
}

DocumentState CDeviceDocument::State() const {
    return {DeviceData,
            {SysclkFrequency, IntOscFrequency, LfOscFrequency, ExtOscFrequency, EciFrequency}};
}

void CDeviceDocument::RestoreState(const DocumentState& state) {
    DeviceData = state.Data;
    SysclkFrequency = state.Clocks[0];
    IntOscFrequency = state.Clocks[1];
    LfOscFrequency = state.Clocks[2];
    ExtOscFrequency = state.Clocks[3];
    EciFrequency = state.Clocks[4];
}

DocumentStep::DocumentStep(CDeviceDocument& doc, std::string caption)
    : doc_(doc), caption_(std::move(caption)), outermost_(doc.stepDepth_++ == 0) {
    if (!outermost_ || !doc_.OnStep) return;
    doc_.nestedCaption_.clear();
    before_ = doc_.State();
}

void DocumentStep::Confirm() {
    if (outermost_)
        confirmed_ = true;
    else if (doc_.nestedCaption_.empty())
        doc_.nestedCaption_ = caption_;
}

DocumentStep::~DocumentStep() {
    --doc_.stepDepth_;
    if (!outermost_ || !doc_.OnStep) return;
    DocumentState after = doc_.State();
    if (after == before_) return;
    const std::string& caption =
        confirmed_ || doc_.nestedCaption_.empty() ? caption_ : doc_.nestedCaption_;
    doc_.OnStep(caption, before_, after);
}
