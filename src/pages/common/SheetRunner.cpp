#include "pages/common/SheetRunner.h"

#include "model/DeviceDocument.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CPropPage.h"
#include "pages/common/PageContext.h"

namespace {
SheetDirectory& Directory() {
    static SheetDirectory directory;
    return directory;
}
}  // namespace

void InstallSheetDirectory(SheetDirectory directory) {
    Directory() = std::move(directory);
}

const SheetPlan* FindSheet(SheetId id) {
    return Directory() ? Directory()(id) : nullptr;
}

bool RunSheet(CDeviceDocument& doc, const SheetPlan& plan, PageContext* caller,
              const std::string& startPage) {
    // One undoable step, whatever the pages and nested sheets do meanwhile.
    DocumentStep step(doc, plan.caption);
    PageContext context(doc, caller);
    for (PeripheralId id : plan.shared)
        if (caller && caller->Holds(id)) context.Lend(id, caller->Record(id));
    for (PeripheralId id : plan.stored)
        context.Record(id);
    for (PeripheralId id : plan.copied)
        context.Record(id);

    CDeviceDlg sheet(plan.caption);
    int start = 0;
    for (const PagePlan& pagePlan : plan.pages) {
        if (pagePlan.when && !pagePlan.when(doc.DeviceCode)) continue;
        auto page = pagePlan.make(context);
        if (!page->Record() && !plan.stored.empty())
            page->SetRecord(&context.Record(plan.stored.front()));
        page->SetContext(&context);
        if (!startPage.empty() && page->Caption() == startPage) start = sheet.PageCount();
        sheet.AddPage(std::move(page));
    }

    const std::uint32_t sysclk = doc.SysclkFrequency;
    const std::uint32_t extOsc = doc.ExtOscFrequency;
    const bool ok = sheet.Run(start);
    if (ok) {
        step.Confirm();
        for (PeripheralId id : plan.stored)
            doc.SetPeripheral(context.Record(id), id);
    } else if (plan.restoresClocks) {
        doc.SysclkFrequency = sysclk;
        doc.ExtOscFrequency = extOsc;
    }
    return ok;
}
