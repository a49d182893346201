#include "chip/PinList.h"

#include "chip/Project.h"
#include "devices/Registers.h"

namespace portio {

namespace {

bool BitAt(const PeripheralRecord& rec, int position, int bit) {
    return (rec.Registers[static_cast<std::size_t>(position)].Value >> bit) & 1;
}

}  // namespace

std::vector<PinListRow> PinListOf(const PeripheralRecord& rec, bool largePackage,
                                  const PeripheralRecord& spi0) {
    CCrossbar xbar(largePackage, spi0);
    std::vector<PinListRow> rows;
    for (int p = 0; p < xbar.PinCount(); ++p)
        rows.push_back({PinName(p), "", BitAt(rec, SkipPosition(p), PinBit(p)),
                        BitAt(rec, MdinPosition(p), PinBit(p)),
                        BitAt(rec, MdoutPosition(p), PinBit(p))});
    for (const auto& cell : xbar.DecodeCrossbar(rec).AssignedCells)
        rows[static_cast<std::size_t>(cell.Pin)].Signal =
            xbar.SignalList()[static_cast<std::size_t>(cell.GridRow)].GridName;
    if (largePackage)
        for (int bit = 0; bit < 8; ++bit)
            rows.push_back({"P4." + std::to_string(bit), "", false,
                            BitAt(rec, PortIOReg::P4MDIN, bit),
                            BitAt(rec, PortIOReg::P4MDOUT, bit)});
    return rows;
}

std::vector<PinListRow> PinListOf(const chip::Project& project) {
    return PinListOf(project.Record(Pid::PortIO), project.LargePackage(),
                     project.Record(Pid::Spi));
}

const char* InputText(const PinListRow& row) {
    return row.Digital ? "digital" : "analog";
}

const char* OutputText(const PinListRow& row) {
    return row.PushPull ? "push-pull" : "open-drain";
}

std::string PinListCsv(const std::vector<PinListRow>& rows) {
    std::string csv = "pin,signal,skipped,input,output\n";
    for (const auto& r : rows)
        csv += r.Pin + "," + r.Signal + "," + (r.Skipped ? "yes" : "no") + "," + InputText(r) +
               "," + OutputText(r) + "\n";
    return csv;
}

}  // namespace portio
