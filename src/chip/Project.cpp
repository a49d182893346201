#include "chip/Project.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"

namespace chip {
namespace {

std::map<PeripheralId, PeripheralRecord> CompletedRecords(const CDeviceDocument& doc) {
    std::map<PeripheralId, PeripheralRecord> records = doc.DeviceData.Peripherals;
    const int model = doc.DeviceCode - models::kFirstCode;
    std::unique_ptr<CQ7R2xDoc> defaults;
    if (model >= 0 && model < models::kCount) defaults = NewProject(model);
    if (defaults)
        for (const auto& [id, record] : defaults->DeviceData.Peripherals)
            records.try_emplace(id, record);
    for (auto& [id, record] : records) CompleteRecord(record, doc.DeviceCode, id);
    return records;
}

const PeripheralRecord& Spi0Of(const std::map<PeripheralId, PeripheralRecord>& records) {
    static const PeripheralRecord empty;
    auto it = records.find(Pid::Spi);
    return it == records.end() ? empty : it->second;
}

}  // namespace

Project::Project(const CDeviceDocument& doc)
    : deviceCode_(doc.DeviceCode),
      largePackage_(models::IsLargePackage(doc.DeviceCode)),
      codeFormat_(doc.DeviceData.CodeFormat),
      clocks_{doc.SysclkFrequency, doc.IntOscFrequency, doc.LfOscFrequency, doc.ExtOscFrequency,
              doc.EciFrequency},
      records_(CompletedRecords(doc)),
      crossbar_(largePackage_, Spi0Of(records_)) {
    crossbar_.DecodeCrossbar(Record(Pid::PortIO));
}

const PeripheralRecord& Project::Record(PeripheralId id) const {
    static const PeripheralRecord empty;
    auto it = records_.find(id);
    return it == records_.end() ? empty : it->second;
}

}  // namespace chip
