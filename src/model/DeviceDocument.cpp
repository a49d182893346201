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
