// The clock tree in the real window: its figures beside the pages (through the
// script runner), the view follows OK and undo, a click opens the box's page,
// the export, and the layout at the screen size.

#include <QColor>
#include <QFontMetricsF>
#include <QTabWidget>
#include <QTest>

#include <cmath>
#include <sstream>

#include "chip/ClockLayout.h"
#include "chip/ClockTree.h"
#include "chip/Project.h"
#include "framework/CChildFrame.h"
#include "framework/CCommandRegistry.h"
#include "framework/CModalDialog.h"
#include "host/ScriptMain.h"
#include "host/ScriptRunner.h"
#include "plugin/Registration.h"
#include "support/ClockProjects.h"
#include "support/Files.h"
#include "support/ShellFixture.h"
#include "view/CClockTreeWidget.h"
#include "view/CQ7R2xView.h"
#include "view/ClockTreeCommands.h"

namespace {

// The desktop window with the device module built in (not loaded), so the
// test reaches the code window and its clock tree directly.
class ClockTreeShell : public ShellFixture {
protected:
    void AddDeviceModule() override { plugin::RegisterTemplates(app); }

    // Runs a script against the window; its errors become the failure.
    void Script(const std::string& text) {
        const auto host = host::MainWindowScriptHost(*window, app.Commands());
        std::ostringstream out, err;
        ScriptRunner runner(*host, ui, out, err);
        EXPECT_EQ(runner.Run("clocks.zvs", text), 0) << err.str() << "\n" << text;
    }
    // Opens hand-worked project `p` in a window of its own.
    void Open(const ClockProject& p) {
        testing_files::Spit(Path("p.zvp"), p.Build()->SaveProject());
        std::string error;
        ASSERT_TRUE(window->OpenProject(Path("p.zvp"), &error)) << error;
    }
    CQ7R2xView* View() { return CQ7R2xView::Active(); }
    chip::ClockTree Tree() { return chip::ClockTree(chip::Project(*window->ActiveDocument())); }
};

// Each figure is worked out by hand in ClockTree.HandWorkedFigures and each
// page's display is checked in its own test or script; here a figure of each
// sheet side by side with its page, through the script runner.
TEST_F(ClockTreeShell, FiguresAreTheNumbersThePagesShow) {
    Open(ClockProjectNamed("crystal"));
    const chip::ClockTree tree = Tree();
    const struct {
        const char* node;
        const char* page;  // the script lines up to the control's text
    } rows[] = {{"sysclk", "menu Oscillators\ntab \"SYSCLK Select\"\nexpect text 11170"},
                {"uart0", "menu UART\ntab UART0\nexpect text 11167"},
                {"spi0", "menu SPI\nexpect text 11239"},
                {"smbus", "menu SMBus\nexpect text 11169"},
                {"adc0", "menu ADC\nexpect text 11302"},
                {"pca.cex1", "menu PCA\ntab \"Module 1\"\nexpect text 11361"}};
    std::string script;
    for (const auto& row : rows)
        script += std::string(row.page) + " \"" + tree.Find(row.node)->text + "\"\ncancel\n";
    Script(script);
}

TEST_F(ClockTreeShell, FollowsTheSheetsOkAndUndo) {
    ASSERT_TRUE(window->NewProject("Q7R20"));
    ASSERT_TRUE(app.Commands().Run(clocktree::ViewClockTree));
    ASSERT_TRUE(View()->ShowsClockTree());
    EXPECT_TRUE(app.Commands().IsChecked(clocktree::ViewClockTree));
    CClockTreeWidget* widget = View()->ClockTree();
    const auto sysclk = [widget] { return widget->Layout().Box("sysclk")->value; };
    EXPECT_EQ(sysclk(), "1500000 Hz");
    Script("menu Oscillators\ntab \"Internal H-F Oscillator\"\nclick 11163\nok\n");
    EXPECT_EQ(sysclk(), "12000000 Hz");
    EXPECT_EQ(widget->Layout().Box("spi0")->value, "6000000 Hz");
    Script("undo\n");
    EXPECT_EQ(sysclk(), "1500000 Hz");
    Script("redo\n");
    EXPECT_EQ(sysclk(), "12000000 Hz");
    // A cancelled sheet leaves it as it was; what a nested sheet stored stays.
    Script("menu Oscillators\ntab \"Internal H-F Oscillator\"\nclick 11160\ncancel\n");
    EXPECT_EQ(sysclk(), "12000000 Hz");
    EXPECT_TRUE(widget->Layout().Box("uart0")->dimmed);
    Script("menu UART\nclick 11281\nclick 11446\nok\ncancel\n");
    EXPECT_FALSE(widget->Layout().Box("uart0")->dimmed);
    // Back to the code: the menu item toggles.
    ASSERT_TRUE(app.Commands().Run(clocktree::ViewClockTree));
    EXPECT_FALSE(View()->ShowsClockTree());
    EXPECT_FALSE(app.Commands().IsChecked(clocktree::ViewClockTree));
}

TEST_F(ClockTreeShell, AClickOpensTheSheetThatSetsTheBox) {
    Open(ClockProjectNamed("multiplier"));
    View()->ShowClockTree(true);
    CClockTreeWidget* widget = View()->ClockTree();
    widget->resize(1300, 600);
    // The sheet opens on the box's page, as a click on that tab selects it.
    const struct {
        const char* node;
        const char* sheet;
        const char* page;
    } rows[] = {{"sysclk", "Oscillators", "SYSCLK Select"},
                {"usb", "Oscillators", "USB Clock Source"},
                {"timer2", "Timers", "Timer 2"},
                {"uart1", "UARTs", "UART1"},
                {"smbus", "SMBus", "SMBus"},
                {"pca.cex3", "Programmable Counter Array", "Module 3"},
                {"watchdog", "Programmable Counter Array", "Module 4/WDT"},
                {"adc0", "ADC", "ADC0"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.node);
        std::string sheet, page;
        ui.Modals.push_back([&](ModalDialog& dialog) {
            auto* d = dynamic_cast<CModalDialog*>(&dialog);
            ASSERT_NE(d, nullptr);
            sheet = d->windowTitle().toStdString();
            const auto* tabs = d->findChild<QTabWidget*>();
            ASSERT_NE(tabs, nullptr);
            page = tabs->tabText(tabs->currentIndex()).toStdString();
            dialog.Finish(false);
        });
        const QRectF box = widget->BoxRect(row.node);
        ASSERT_FALSE(box.isEmpty());
        QTest::mouseClick(widget, Qt::LeftButton, {}, box.center().toPoint());
        EXPECT_EQ(sheet, row.sheet);
        EXPECT_EQ(page, row.page);
    }
    EXPECT_TRUE(ui.Modals.empty());
}

TEST_F(ClockTreeShell, ExportWritesTheDrawingAsSvgOrPng) {
    Open(ClockProjectNamed("crystal"));
    const chip::ClockTree tree = Tree();
    // The drawing as the chip layer writes it (its content: ClockLayout tests).
    ui.SaveNames.push_back(Path("tree.svg"));
    ASSERT_TRUE(app.Commands().Run(clocktree::ExportClockTree));
    EXPECT_EQ(testing_files::Slurp(Path("tree.svg")),
              chip::ClockTreeSvg(chip::LayoutClockTree(tree)));

    ui.SaveNames.push_back(Path("tree.png"));
    ASSERT_TRUE(app.Commands().Run(clocktree::ExportClockTree));
    QImage png;
    ASSERT_TRUE(png.load(QString::fromStdString(Path("tree.png")), "PNG"));
    EXPECT_EQ(png.width(), static_cast<int>(chip::LayoutClockTree(tree).width + 0.5));
    // A file that cannot be written is reported and leaves nothing behind.
    ui.SaveNames.push_back(Path("missing/tree.svg"));
    ASSERT_TRUE(app.Commands().Run(clocktree::ExportClockTree));
    ASSERT_FALSE(ui.Shown.empty());
    EXPECT_EQ(ui.Shown.back().Text, "Error: Could Not Open File For Save.");
}

// The view's layout as a user sees it: every text inside its box and every
// edge label on its own stretch of line, in the face the widget paints with;
// at 1366 x 768 the whole tree fits a maximized project window at a readable
// scale.
TEST_F(ClockTreeShell, LayoutKeepsEveryTextInsideItsBoxAtTheScreenSize) {
    auto busy = NewProject(0);
    for (auto& [id, record] : busy->DeviceData.Peripherals)
        for (auto& e : record.Registers)
            e.Value = static_cast<std::uint8_t>(e.ResetValue ^ 0xA5);
    busy->SysclkFrequency = busy->ExtOscFrequency = busy->EciFrequency = 4294967295u;
    std::vector<std::unique_ptr<CQ7R2xDoc>> docs;
    for (const ClockProject& p : ClockProjects())
        docs.push_back(p.Build());
    docs.push_back(std::move(busy));
    const QFontMetricsF title(CClockTreeWidget::TextFont(chip::kClockTitleSize, true));
    const QFontMetricsF value(CClockTreeWidget::TextFont(chip::kClockTextSize));
    const QFontMetricsF small(CClockTreeWidget::TextFont(chip::kClockLabelSize));
    const auto width = [](const QFontMetricsF& m, const std::string& s) {
        return m.horizontalAdvance(QString::fromLatin1(s.c_str()));
    };
    for (const auto& doc : docs) {
        const chip::ClockLayout layout =
            chip::LayoutClockTree(chip::ClockTree(chip::Project(*doc)));
        for (const chip::LayoutBox& b : layout.boxes) {
            const double room = b.w - 2 * chip::kClockPad;
            EXPECT_LE(width(title, b.title), room) << b.node;
            EXPECT_LE(width(value, b.value), room) << b.node << " " << b.value;
            EXPECT_LE(width(small, b.detail), room) << b.node << " " << b.detail;
        }
        for (const chip::LayoutEdge& e : layout.edges) {
            // The label ends at the child and starts right of the trunk.
            const double start = e.labelX - width(small, e.label);
            EXPECT_GT(start, e.points[e.points.size() - 2].x + 2) << e.to << " " << e.label;
        }
    }

    window->resize(1366, 768);
    window->show();
    ASSERT_TRUE(window->NewProject("Q7R20"));
    window->ActiveFrame()->showMaximized();
    View()->ShowClockTree(true);
    QCoreApplication::processEvents();
    CClockTreeWidget* widget = View()->ClockTree();
    const chip::LayoutBox* box = widget->Layout().Box("adc0");
    const QRectF shown = widget->BoxRect("adc0");
    EXPECT_GE(shown.width() / box->w, 0.9);
    EXPECT_LE(widget->BoxRect("watchdog").bottom(), widget->height());
    EXPECT_LE(widget->BoxRect("pca.cex4").right(), widget->width());
    // A small window scrolls the drawing instead of shrinking its print.
    window->ActiveFrame()->showNormal();
    window->ActiveFrame()->resize(500, 300);
    QCoreApplication::processEvents();
    EXPECT_GE(widget->BoxRect("adc0").width() / box->w, CClockTreeWidget::kMinScale - 0.01);
}

// Every text of the drawing stands out from what it is written on by at least
// the 4.5:1 contrast small print needs, the grey of clocks nothing uses included.
double Luminance(const char* hex) {
    const QColor c{QLatin1String(hex)};
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

TEST(ClockTreeColours, EveryTextIsReadableOnItsGround) {
    const struct {
        const char* ink;
        const char* ground;
    } pairs[] = {
        {chip::kClockInk, chip::kClockBoxFill},         {chip::kClockDimInk, chip::kClockDimFill},
        {chip::kClockWarning, chip::kClockBoxFill},     {chip::kClockWarning, chip::kClockDimFill},
        {chip::kClockEdge, chip::kClockBackground},     {chip::kClockDimInk, chip::kClockBackground},
    };
    for (const auto& p : pairs) {
        const double a = Luminance(p.ink), b = Luminance(p.ground);
        EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 4.5) << p.ink << " on " << p.ground;
    }
}

}  // namespace
