#include "model/DeviceData.h"

#include <algorithm>

bool PeripheralRecord::IsWritten() const {
    return std::any_of(Registers.begin(), Registers.end(),
                       [](const RegisterEntry& e) { return e.IsWritten(); });
}

bool CDeviceData::Insert(PeripheralId key, const PeripheralRecord& record) {
    return Peripherals.try_emplace(key, record).second;
}
