#include "pages/common/PeripheralCommands.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "pages/analog/ComparatorSheets.h"
#include "pages/analog/CAdc0PropPage.h"
#include "pages/clock/OscillatorsCommand.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CommandIds.h"
#include "pages/common/CommandTable.h"
#include "pages/pca/PcaCommand.h"
#include "pages/portio/PortIOSheet.h"
#include "pages/serial/SerialCommands.h"
#include "pages/system/InterruptSheets.h"
#include "pages/system/ResetSourcesPages.h"
#include "pages/system/SystemCommands.h"
#include "pages/timers/TimerSheets.h"

PeripheralRecord& CommandInputs::Rec(PeripheralId id) {
    auto it = copies_.find(id);
    if (it == copies_.end()) {
        PeripheralRecord copy;
        doc_.GetPeripheral(copy, id);
        CompleteRecord(copy, doc_.DeviceCode, id);
        it = copies_.emplace(id, std::move(copy)).first;
    }
    return it->second;
}

int CommandInputs::LargePackage() const { return models::LargePackageFlag(doc_.DeviceCode); }

const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> table = {
        PortIOCommand(),
        InterruptsCommand(),
        VoltageReferenceCommand(),
        VoltageRegulatorCommand(),
        PrefetchCommand(),
        EmiCommand(),
        ComparatorsCommand(),
        ResetSourcesCommand(),
        AdcCommand(),
        PcaCommand(),
        TimersCommand(),
        OscillatorsCommand(),
        UartCommand(),
        SpiCommand(),
        SmbusCommand(),
    };
    return table;
}

const CommandRow* FindCommand(int commandId) {
    for (const auto& row : CommandTable())
        if (row.commandId == commandId) return &row;
    return nullptr;
}

bool RunCommand(const CommandRow& row, CDeviceDocument& doc) {
    // One undoable step, whatever the pages and nested sheets do meanwhile.
    DocumentStep step(doc, row.title);
    CommandInputs inputs(doc);
    for (PeripheralId id : row.stored) inputs.Rec(id);

    CDeviceDlg sheet(row.title);
    for (const auto& pageRow : row.pages) {
        if (pageRow.when && !pageRow.when(doc.DeviceCode)) continue;
        auto page = pageRow.make(inputs);
        if (!page->Record() && !row.stored.empty()) page->SetRecord(&inputs.Rec(row.stored.front()));
        page->SetActiveDocument(&doc);
        sheet.AddPage(std::move(page));
    }

    const std::uint32_t sysclk = doc.SysclkFrequency;
    const std::uint32_t extOsc = doc.ExtOscFrequency;
    const bool ok = sheet.Run();
    if (ok) {
        step.Confirm();
        for (PeripheralId id : row.stored) doc.SetPeripheral(inputs.Rec(id), id);
    } else if (row.restoresClocks) {
        doc.SysclkFrequency = sysclk;
        doc.ExtOscFrequency = extOsc;
    }
    return ok;
}

bool RunNestedSheet(CDeviceDocument& doc, const std::string& title, PeripheralId id,
                    PeripheralRecord& record, std::vector<std::unique_ptr<CPropPage>> pages) {
    DocumentStep step(doc, title);
    CompleteRecord(record, doc.DeviceCode, id);
    CDeviceDlg sheet(title);
    for (auto& page : pages) {
        if (!page->Record()) page->SetRecord(&record);
        page->SetActiveDocument(&doc);
        sheet.AddPage(std::move(page));
    }
    if (!sheet.Run()) return false;
    step.Confirm();
    doc.SetPeripheral(record, id);
    return true;
}

bool RunOscillatorsSheet(CDeviceDocument& doc) {
    const CommandRow* row = FindCommand(cmd::Oscillators);
    return row && RunCommand(*row, doc);
}

namespace pages {

bool HasPeripheralCommand(int commandId) { return FindCommand(commandId) != nullptr; }

bool RunPeripheralCommand(CDeviceDocument& doc, int commandId) {
    const CommandRow* row = FindCommand(commandId);
    return row && RunCommand(*row, doc);
}

}  // namespace pages
