// View > Problems on the real window and module: entries, their pages, fixes
// as undoable steps, menu marks, and what zorvant lint prints.

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <functional>
#include <set>

#include "chip/Problems.h"
#include "devices/Registers.h"
#include "framework/CChildFrame.h"
#include "host/CProblemsDock.h"
#include "model/DeviceDocument.h"
#include "support/ShellFixture.h"

namespace {

class ProblemsDock : public ShellFixture {
protected:
    CProblemsDock& Dock() { return *window->ProblemsDock(); }
    // The rule ids the view lists, in its order.
    std::vector<std::string> Ids() {
        std::vector<std::string> ids;
        for (int i = 0; i < Dock().List()->topLevelItemCount(); ++i)
            ids.push_back(Dock().List()->topLevelItem(i)->text(2).toStdString());
        return ids;
    }
    using Ids_ = std::vector<std::string>;
    // Changes the active project as one confirmed step, as a sheet's OK does.
    void Step(const std::function<void(CDeviceDocument&)>& change) {
        CDeviceDocument& doc = *window->ActiveDocument();
        DocumentStep step(doc, "Test");
        change(doc);
        step.Confirm();
    }
    static std::uint8_t& Reg(CDeviceDocument& doc, PeripheralId id, int position) {
        return doc.DeviceData.Peripherals.at(id).Registers.at(static_cast<std::size_t>(position)).Value;
    }
};

// The dock refreshes on the document's changed signal, which comes once per
// outermost step (DesktopTest.OneChangedSignalWhenTheOutermostStepEnds); the
// problems after sheets, nested stores and undo: tests/scripts/problems.zvs.
TEST_F(ProblemsDock, FixIsOneUndoableStepAndTheCodeFollows) {
    window->NewProject("Q7R20");
    Step([](CDeviceDocument& doc) {
        Reg(doc, Pid::Oscillator, OscillatorReg::OSCXCN) = 0x60;
        doc.ExtOscFrequency = 22118400;
    });
    ASSERT_EQ(Ids(), (Ids_{"xtal-drive", "xtal-pin", "xtal-pin"}));
    EXPECT_EQ(window->ProblemsCountText(), "3 problems");
    // The first row is selected; its fix is the fitting bits.
    EXPECT_TRUE(Dock().FixButton()->isEnabled());
    EXPECT_EQ(Dock().FixButton()->toolTip().toStdString(), "Select \"10MHz < f <= 30MHz\"");
    Dock().FixButton()->click();
    EXPECT_EQ(Ids(), (Ids_{"xtal-pin", "xtal-pin"}));
    EXPECT_EQ(window->CodeText(), window->ActiveDocument()->GenerateSource());
    EXPECT_NE(window->CodeText().find("OSCXCN    = 0x67;"), std::string::npos);
    EXPECT_EQ(window->FindCommand("57643")->Caption, "Undo Quick Fix");
    EXPECT_TRUE(Dock().FixEntry(0));
    EXPECT_EQ(window->ProblemsCountText(), "1 problem");
    EXPECT_TRUE(Dock().FixEntry(0));
    EXPECT_EQ(Ids(), Ids_{});
    // Each fix is its own step.
    for (Ids_ back : {Ids_{"xtal-pin"}, Ids_{"xtal-pin", "xtal-pin"},
                      Ids_{"xtal-drive", "xtal-pin", "xtal-pin"}}) {
        EXPECT_EQ(window->Undo(), "");
        EXPECT_EQ(Ids(), back);
    }
    // A problem without a fix leaves the button off.
    Step([](CDeviceDocument& doc) { doc.SysclkFrequency = 0; });
    Dock().List()->setCurrentItem(Dock().List()->topLevelItem(0));
    EXPECT_EQ(Ids()[0], "sysclk-invalid");
    EXPECT_FALSE(Dock().FixButton()->isEnabled());
    EXPECT_FALSE(Dock().FixEntry(0));
}

// One project breaking most rules.
TEST_F(ProblemsDock, EntriesOpenTheirPageMarkTheMenuAndMatchLint) {
    window->NewProject("Q7R20");
    Step([](CDeviceDocument& doc) {
        Reg(doc, Pid::Oscillator, OscillatorReg::OSCXCN) = 0x60;
        doc.ExtOscFrequency = 22118400;
        Reg(doc, Pid::PortIO, PortIOReg::XBR0) = 0x01;  // UART0, crossbar off
        Reg(doc, Pid::Adc, AdcReg::ADC0CN) = 0x84;
        Reg(doc, Pid::Comparators, ComparatorsReg::CPT1CN) = 0x80;
        Reg(doc, Pid::Pca, PcaReg::PCA0CPM0) = 0x42;
        Reg(doc, Pid::Smbus, SmbusReg::SMB0CF) = 0x08;
        Reg(doc, Pid::Timers, TimersReg::TH1) = 0xFF;  // 62500 bps at 1.5 MHz
    });
    const std::vector<chip::Problem> problems = Dock().Problems();
    std::set<std::string> rules;
    for (const auto& p : problems) rules.insert(p.Id);
    EXPECT_EQ(rules, (std::set<std::string>{"adc-cnvstr-pin", "adc-input-pin", "comparator-input-pin",
                                            "crossbar-disabled", "pca-output-unrouted", "smbus-timeout",
                                            "uart-baud-error", "uart-timer-stopped", "vref-pin",
                                            "xtal-drive", "xtal-pin"}));
    for (int row = 0; row < static_cast<int>(problems.size()); ++row) {
        const chip::Problem& p = problems[static_cast<std::size_t>(row)];
        std::string page;
        ui.Modals.push_back([&page](ModalDialog& d) {
            auto* tabs = dynamic_cast<QWidget&>(d).findChild<QTabWidget*>();
            if (tabs) page = tabs->tabText(tabs->currentIndex()).toStdString();
            d.Finish(false);
        });
        Dock().OpenEntry(row);
        EXPECT_EQ(page, p.Page) << p.Id << " " << p.Message;
        EXPECT_FALSE(app.Commands().Find(p.CommandId)->Icon.isNull()) << p.Command;
    }
    EXPECT_TRUE(app.Commands().Find(43014)->Icon.isNull());  // Voltage Regulator

    // zorvant lint on the saved project lists the same problems.
    ASSERT_EQ(window->SaveProjectAs(Path("p.zvp")), "");
    QProcess lint;
    lint.start(QStringLiteral(ZORVANT_EXE), {QStringLiteral("lint"), QString::fromStdString(Path("p.zvp"))});
    ASSERT_TRUE(lint.waitForFinished(20000));
    EXPECT_EQ(lint.exitCode(), 1);
    std::string expected;
    for (int i = 0; i < Dock().List()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = Dock().List()->topLevelItem(i);
        expected += Path("p.zvp") + ": " + chip::SeverityName(problems[static_cast<std::size_t>(i)].Level) +
                    ": " + item->text(1).toStdString() + ": " + item->text(0).toStdString() + " [" +
                    item->text(2).toStdString() + "]\n";
    }
    EXPECT_EQ(lint.readAllStandardOutput().toStdString(), expected);

    // Back to a clean project: no marks, nothing listed.
    EXPECT_EQ(window->Undo(), "");
    EXPECT_EQ(Ids(), Ids_{});
    for (const auto& p : problems) EXPECT_TRUE(app.Commands().Find(p.CommandId)->Icon.isNull());
}

TEST_F(ProblemsDock, ViewProblemsShowsTheDockAndFollowsTheActiveProject) {
    window->show();
    EXPECT_TRUE(Dock().isHidden());
    EXPECT_EQ(window->ProblemsCountText(), "");
    window->NewProject("Q7R20");
    Step([](CDeviceDocument& doc) { doc.SysclkFrequency = 0; });
    EXPECT_EQ(window->TriggerCommand("Problems"), "");
    EXPECT_FALSE(Dock().isHidden());
    EXPECT_TRUE(window->FindCommand("Problems")->Checked);
    window->NewProject("Q7R22");
    // The dock took room from the workspace: no project window hangs out of
    // it, so their tabs never hide behind a scroll bar.
    QCoreApplication::processEvents();
    const QRect workspace = window->MdiArea()->viewport()->rect();
    for (const CChildFrame* frame : window->Frames())
        EXPECT_TRUE(workspace.contains(frame->geometry()));
    EXPECT_EQ(Ids(), Ids_{});
    EXPECT_EQ(window->ProblemsCountText(), "No problems");
    window->ActivateFrame(window->Frames().front());
    EXPECT_EQ(Ids(), Ids_{"sysclk-invalid"});
    EXPECT_EQ(window->TriggerCommand("Problems"), "");
    EXPECT_TRUE(Dock().isHidden());
}

}  // namespace
