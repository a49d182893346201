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

const SheetSpec* FindSheet(SheetId id) {
    return Directory() ? Directory()(id) : nullptr;
}

bool RunSheet(CDeviceDocument& doc, const SheetSpec& spec, PageContext* caller,
              const std::string& startPage) {
    // One undoable step, whatever the pages and nested sheets do meanwhile.
    DocumentStep step(doc, spec.caption);
    PageContext context(doc, caller);
    for (PeripheralId id : spec.shared)
        if (caller && caller->Holds(id)) context.Lend(id, caller->Record(id));
    for (PeripheralId id : spec.stored)
        context.Record(id);
    for (PeripheralId id : spec.copied)
        context.Record(id);

    CDeviceDlg sheet(spec.caption);
    int start = 0;
    for (const PageSpec& pageSpec : spec.pages) {
        if (pageSpec.when && !pageSpec.when(doc.DeviceCode)) continue;
        auto page = pageSpec.make(context);
        if (!page->Record() && !spec.stored.empty())
            page->SetRecord(&context.Record(spec.stored.front()));
        page->SetContext(&context);
        if (!startPage.empty() && page->Caption() == startPage) start = sheet.PageCount();
        sheet.AddPage(std::move(page));
    }

    const std::uint32_t sysclk = doc.SysclkFrequency;
    const std::uint32_t extOsc = doc.ExtOscFrequency;
    const bool ok = sheet.Run(start);
    if (ok) {
        step.Confirm();
        for (PeripheralId id : spec.stored)
            doc.SetPeripheral(context.Record(id), id);
    } else if (spec.restoresClocks) {
        doc.SysclkFrequency = sysclk;
        doc.ExtOscFrequency = extOsc;
    }
    return ok;
}
