#include "plugin/Registration.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CommandIds.h"
#include "pages/common/CommandIds.h"
#include "plugin/CProjectDocument.h"
#include "view/CQ7R2xView.h"
#include "view/ViewCommands.h"

namespace plugin {

CMenuBar ModelMenu(int model) {
    using M = CMenuItem;
    M recent = M::Command("Recent File", fwcmd::FileMruFirst);
    recent.Grayed = true;

    M formatC = M::Command("C", viewcmd::CodeFormatC);
    formatC.Checked = true;

    std::vector<M> peripherals = {
        M::Command("Port I/O", cmd::PortIO), M::Command("Oscillators", cmd::Oscillators),
        M::Command("Timers", cmd::Timers),   M::Command("PCA", cmd::Pca),
        M::Command("UART", cmd::Uart),       M::Command("SMBus", cmd::Smbus),
        M::Command("SPI", cmd::Spi),         M::Command("ADC", cmd::Adc),
    };
    if (models::IsLargePackage(models::CodeOf(model)))
        peripherals.push_back(M::Command("EMI", cmd::Emi));
    for (M item : {M::Command("Comparators", cmd::Comparators),
                   M::Command("Reset Sources", cmd::ResetSources),
                   M::Command("Voltage Reference", cmd::VoltageReference),
                   M::Command("Voltage Regulator", cmd::VoltageRegulator),
                   M::Command("Prefetch Engine", cmd::PrefetchEngine),
                   M::Command("Interrupts", cmd::Interrupts), M::Separate(),
                   M::Command("Reset All", cmd::ResetAll)})
        peripherals.push_back(item);

    return {
        M::Popup("&File",
                 {
                     M::Command("&New", fwcmd::FileNew),
                     M::Command("&Open Project...", fwcmd::FileOpen),
                     M::Command("&Save Project", fwcmd::FileSave),
                     M::Command("Save Project &As...", fwcmd::FileSaveAs),
                     M::Command("&Close Project", fwcmd::FileClose),
                     M::Separate(),
                     M::Command("Sa&ve Source As...", viewcmd::SaveSource),
                     // An addition of this program: the code, as shown, to a PDF file.
                     M::Command("&Export PDF...", viewcmd::ExportPdf),
                     M::Separate(),
                     M::Command("&Print...", fwcmd::FilePrint),
                     M::Command("&Print Setup...", fwcmd::FilePrintSetup),
                     M::Separate(),
                     recent,
                     M::Separate(),
                     M::Command("E&xit", fwcmd::AppExit),
                 }),
        M::Popup("&Options",
                 {M::Popup("Code Format", {formatC, M::Command("Asm", viewcmd::CodeFormatAsm)})}),
        M::Popup("&Peripherals", peripherals),
        M::Popup("&View", {M::Command("&Toolbar", fwcmd::ViewToolbar),
                           M::Command("&Status Bar", fwcmd::ViewStatusBar)}),
        M::Popup("&Help", {M::Command("&Help...", viewcmd::Help), M::Separate(),
                           M::Command("&About Zorvant...", fwcmd::AppAbout)}),
    };
}

std::unique_ptr<CDocTemplate> ModelTemplate(int model) {
    const std::string name = models::NameOf(models::CodeOf(model));
    return std::make_unique<CDocTemplate>(
        models::TemplateIdOf(model), "\n" + name + " \n" + name,
        [model]() -> std::unique_ptr<CDocument> {
            return std::make_unique<CProjectDocument>(CreateModelDocument(model));
        },
        []() -> CView* { return new CQ7R2xView(); }, ModelMenu(model));
}

void RegisterTemplates(CApplication& app) {
    for (int model = 0; model < models::kCount; ++model)
        app.AddDocTemplate(ModelTemplate(model));
}

}  // namespace plugin
