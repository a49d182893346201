#include "chip/PcaRecord.h"

#include "devices/Registers.h"

#include <string>

namespace pca {

namespace {

constexpr const char* kCrLf = "\r\n";

RegisterEntry& Entry(PeripheralRecord& r, int position) {
    return r.Registers.at(static_cast<std::size_t>(position));
}
const RegisterEntry& Entry(const PeripheralRecord& r, int position) {
    return r.Registers.at(static_cast<std::size_t>(position));
}
bool AtReset(const PeripheralRecord& r, int position) {
    const RegisterEntry& e = Entry(r, position);
    return e.Value == e.ResetValue;
}
void Force(PeripheralRecord& r, int pca0md, int cpl4) {
    Entry(r, PcaReg::PCA0MD).ForceWrite = pca0md;
    Entry(r, Cpl(4)).ForceWrite = cpl4;
}

}  // namespace

Watchdog WatchdogState(const PeripheralRecord& record) {
    const std::string& post = Entry(record, Cpl(4)).CPost;
    if (post.empty()) return Watchdog::Disabled;
    return post.size() > 19 && post[19] == '2' ? Watchdog::Locked : Watchdog::Enabled;
}

void SetWatchdogTexts(PeripheralRecord& record, Watchdog state) {
    RegisterEntry& e = Entry(record, Cpl(4));
    switch (state) {
        case Watchdog::Disabled:
            e.CPost.clear();
            e.AsmPost.clear();
            break;
        case Watchdog::Enabled:
            e.CPost = std::string("    PCA0MD    |= 0x40;") + kCrLf;
            e.AsmPost = std::string("    orl  PCA0MD,    #040h;") + kCrLf;
            break;
        case Watchdog::Locked:
            e.CPost = std::string("    PCA0MD    |= 0x20;") + kCrLf;
            e.AsmPost = std::string("    orl  PCA0MD,    #020h;") + kCrLf;
            break;
    }
}

void ApplyPca0WatchdogRule(PeripheralRecord& record) {
    switch (WatchdogState(record)) {
        case Watchdog::Disabled:
            Force(record, 1, 0);
            return;
        case Watchdog::Locked:
            Force(record, 1, 1);
            return;
        case Watchdog::Enabled:
            break;
    }
    const bool atReset = AtReset(record, PcaReg::PCA0MD) && AtReset(record, PcaReg::PCA0L) &&
                         AtReset(record, PcaReg::PCA0H) && AtReset(record, Cpm(4));
    Force(record, !atReset, !atReset);
}

void ApplyModule4WatchdogRule(PeripheralRecord& record, bool enabled, bool locked) {
    if (!enabled) return Force(record, 1, 0);
    if (locked) return Force(record, 1, 1);
    const RegisterEntry& cpm4 = Entry(record, Cpm(4));
    const bool atReset = AtReset(record, PcaReg::PCA0MD) && AtReset(record, PcaReg::PCA0L) &&
                         AtReset(record, PcaReg::PCA0H) && AtReset(record, Cpl(4)) &&
                         ((cpm4.Value ^ cpm4.ResetValue) & 0xFE) == 0;
    Force(record, !atReset, !atReset);
}

void ResetPcaRecord(PeripheralRecord& record) {
    for (int i = 0; i < PcaReg::Count && i < static_cast<int>(record.Registers.size()); ++i) {
        RegisterEntry& e = Entry(record, i);
        e.Value = e.ResetValue;
    }
    SetWatchdogTexts(record, Watchdog::Enabled);
    Force(record, 0, 0);
}

}  // namespace pca
