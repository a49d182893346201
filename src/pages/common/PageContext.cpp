#include "pages/common/PageContext.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "model/DeviceDocument.h"
#include "pages/common/SheetRunner.h"

PageContext::PageContext(CDeviceDocument& doc, PageContext* caller) : doc_(doc), caller_(caller) {}

int PageContext::DeviceCode() const {
    return doc_.DeviceCode;
}

bool PageContext::LargePackage() const {
    return models::IsLargePackage(doc_.DeviceCode);
}

std::uint32_t PageContext::Sysclk() const {
    return doc_.SysclkFrequency;
}
void PageContext::SetSysclk(std::uint32_t hz) {
    doc_.SysclkFrequency = hz;
}
std::uint32_t PageContext::ExtOsc() const {
    return doc_.ExtOscFrequency;
}
void PageContext::SetExtOsc(std::uint32_t hz) {
    doc_.ExtOscFrequency = hz;
}
std::uint32_t PageContext::IntOsc() const {
    return doc_.IntOscFrequency;
}
std::uint32_t PageContext::LfOsc() const {
    return doc_.LfOscFrequency;
}
std::uint32_t PageContext::Eci() const {
    return doc_.EciFrequency;
}
void PageContext::SetEci(std::uint32_t hz) {
    doc_.EciFrequency = hz;
}

PeripheralRecord& PageContext::Record(PeripheralId id) {
    if (auto it = lent_.find(id); it != lent_.end()) return *it->second;
    auto it = own_.find(id);
    if (it == own_.end()) {
        PeripheralRecord copy;
        doc_.GetPeripheral(copy, id);
        CompleteRecord(copy, doc_.DeviceCode, id);
        it = own_.emplace(id, std::move(copy)).first;
    }
    return it->second;
}

bool PageContext::Holds(PeripheralId id) const {
    return lent_.count(id) != 0 || own_.count(id) != 0;
}

void PageContext::Lend(PeripheralId id, PeripheralRecord& record) {
    own_.erase(id);
    lent_[id] = &record;
}

void PageContext::Reload(PeripheralId id) {
    PeripheralRecord& copy = Record(id);
    doc_.GetPeripheral(copy, id);
    CompleteRecord(copy, doc_.DeviceCode, id);
}

bool PageContext::OpenSheet(SheetId id) {
    const SheetPlan* plan = FindSheet(id);
    return plan && RunSheet(doc_, *plan, this);
}
