// The Port I/O pages as widgets: the pin table's frame, colours and size,
// what clicks redraw, and the nested sheet working on the caller's copy.

#include <QTableWidget>

#include "devices/Models.h"
#include "devices/Registers.h"
#include "pages/portio/PortIOPages.h"
#include "pages/portio/PortIOSheet.h"
#include "support/PageTest.h"
#include "support/PortIOProject.h"

namespace {

const QColor kRed(234, 0, 0);
const QColor kTeal(64, 128, 128);

// A crossbar page opened on a record, as the sheet opens it.
struct OpenPage {
    OpenPage(int model, PeripheralRecord* port, const PeripheralRecord& spi)
        : doc(NewProject(model)), page(models::IsLargePackage(doc->DeviceCode), spi) {
        page.SetRecord(port);
        page.SetActiveDocument(doc.get());
        page.OnInitDialog();
        page.show();
    }
    QTableWidget& Table() { return *page.PinTable(); }
    QColor Cell(int row, int column) { return Table().item(row, column)->background().color(); }

    std::unique_ptr<CQ7R2xDoc> doc;
    CPortIOCrossbarPropPage page;
};

TEST(PortIOPage, PinTableFrameAndSizeFollowTheModel) {
    for (int model : {kLargeModel, kSmallModel}) {
        PortIOProject p(model);
        OpenPage o(model, &p.port, p.spi);
        const bool large = model == kLargeModel;
        const int pins = large ? 32 : 25;
        const int signalRows = large ? 23 : 21;
        QTableWidget& t = o.Table();
        ASSERT_EQ(t.columnCount(), pins + 1);
        ASSERT_EQ(t.rowCount(), signalRows + 2);
        EXPECT_EQ(t.item(1, 0)->text(), "Pin I/O");
        EXPECT_EQ(t.item(0, 9)->text(), "P1");   // pin 8
        EXPECT_EQ(t.item(1, 9)->text(), "0");
        EXPECT_EQ(t.item(1, pins)->text(), QString::number((pins - 1) % 8));
        EXPECT_EQ(t.item(7, 0)->text(), "NSS");
        EXPECT_EQ(t.item(signalRows + 1, 0)->text(), large ? "RX1" : "T1");

        // Exactly the content: column and row sizes in pixels, plus one.
        const int dpi = o.page.logicalDpiX();
        int width = 0, height = 0;
        for (int c = 0; c < t.columnCount(); ++c) width += t.columnWidth(c);
        for (int r = 0; r < t.rowCount(); ++r) height += t.rowHeight(r);
        EXPECT_EQ(t.columnWidth(0), 800 * dpi / 1440);
        EXPECT_EQ(t.columnWidth(1), 250 * dpi / 1440);
        EXPECT_EQ(t.width(), width + 1);
        EXPECT_EQ(t.height(), height + 1);
    }
}

TEST(PortIOPage, ClicksColourTheTableAndModeButtonsLeaveItAlone) {
    PortIOProject p(kLargeModel);
    OpenPage o(kLargeModel, &p.port, p.spi);
    for (int r = 2; r < o.Table().rowCount(); ++r)
        for (int c = 1; c < o.Table().columnCount(); ++c)
            ASSERT_NE(o.Cell(r, c), kRed) << r << "," << c;

    testing_pages::Click(&o.page, {portio::kFirstSkipId + 0, portio::kIdSpi0});
    // P0.0 skipped: its whole column below the headers; SCK moves to P0.1.
    for (int r = 2; r < o.Table().rowCount(); ++r) EXPECT_EQ(o.Cell(r, 1), kTeal);
    EXPECT_NE(o.Cell(1, 1), kTeal);
    EXPECT_EQ(o.Cell(2 + 2, 1 + 1), kRed);  // SCK on P0.1
    EXPECT_EQ(o.Cell(2 + 5, 1 + 4), kRed);  // NSS on P0.4
    EXPECT_NE(o.Cell(2 + 2, 1 + 2), kRed);

    // An analog/digital or drive button changes bits, not the placement:
    // the table keeps its very cells.
    QTableWidgetItem* before = o.Table().item(4, 2);
    testing_pages::Click(&o.page, {portio::kFirstAnalogDigitalId + 1, portio::kFirstDriveId + 1});
    EXPECT_EQ(o.Table().item(4, 2), before);  // the bits they write: adc.zvs, port_io.zvs
    // A skip click redraws.
    ASSERT_EQ(driver::Click(&o.page, portio::kFirstSkipId + 9), "");
    EXPECT_NE(o.Table().item(4, 2), before);
}

// Three-wire SPI's "NSS*" row and its three pins: CrossbarLists and
// CrossbarRules.ThreeWireSpiNeedsThreePins; the boxes the page disables when
// the pins run out: port_io_small_package.zvs.
// That each signal a solved plan wants lands on its pin, as this page decodes
// the record (CCrossbar::DecodeCrossbar): PinSolver.AgreesWithExhaustiveSearch.

using PortIOCommand = testing_pages::SheetTest;

// The nested sheet: what its OK stores, the comment and the crossbar question
// included: port_io.zvs; that its Cancel stores nothing: the explorer; that the
// caller's copy keeps the change: Sheets.ANestedSheetStoresAtOnce..., and the
// PCA and Comparator pages reading the copy after it.

// A project read from a damaged or old file may carry a short Port I/O
// record; the command still opens on a complete one and stores that.
TEST_F(PortIOCommand, ShortRecordsAreCompletedBeforeThePagesSeeThem) {
    PeripheralRecord shortPort = Stored(Pid::PortIO);
    shortPort.Registers.resize(3);
    shortPort.Registers[PortIOReg::P0MDIN].Value = 0x7F;  // kept: P0.7 analog
    doc_->SetPeripheral(shortPort, Pid::PortIO);

    Then([](CDeviceDlg& sheet) {
        EXPECT_EQ(driver::Click(sheet.ActivePage(), portio::kIdUart0), "");
        sheet.SetActivePage(1);
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11418), "");  // P4.0 push-pull
        sheet.PressOk();
    });
    EXPECT_TRUE(RunSheet(*doc_, PortIOSheet()));
    const PeripheralRecord stored = Stored(Pid::PortIO);
    ASSERT_EQ(stored.Registers.size(), std::size_t{PortIOReg::Count});
    EXPECT_EQ(stored.Registers[PortIOReg::P0MDIN].Value, 0x7F);
    EXPECT_EQ(stored.Registers[PortIOReg::P4MDOUT].Value, 0x01);
    EXPECT_EQ(stored.Registers[PortIOReg::XBR0].Value, 0x01);
    EXPECT_EQ(stored.Registers[PortIOReg::XBR2].Name, "XBR2");
    EXPECT_NE(doc_->GenerateSource().find("    P0MDIN    = 0x7F;\r\n"), std::string::npos);
}

}  // namespace
