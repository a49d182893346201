// The serial sheets as shown: every visible caption and status line gets the
// room it asks for, and no two visible numbered controls overlap, with the
// longest status texts showing.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>

#include <vector>

#include "devices/Q7R2xDoc.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CommandIds.h"
#include "pages/common/PeripheralCommands.h"

namespace {

void ExpectRoomyAndApart(QWidget* page) {
    std::vector<std::pair<int, QRect>> placed;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const QVariant id = w->property("zvId");
        if (!id.isValid() || !w->isVisible()) continue;
        const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << id.toInt();
            EXPECT_GE(w->height(), w->sizeHint().height()) << id.toInt();
        }
        for (const auto& [other, rect] : placed)
            EXPECT_FALSE(rect.intersects(r)) << id.toInt() << " and " << other;
        placed.emplace_back(id.toInt(), r);
    }
    EXPECT_GT(placed.size(), 8u);
}

TEST(SerialLayout, EverySerialPageHasRoomForItsControls) {
    ScriptUi ui;
    Ui* previous = SetUi(&ui);
    auto doc = NewProject(0);
    // SCL timeout on with Timer 3 unset: the longest Timer 3 status.
    PeripheralRecord smbus;
    doc->GetPeripheral(smbus, Pid::Smbus);
    smbus.Registers[0].Value = 0x08;
    doc->SetPeripheral(smbus, Pid::Smbus);

    int pages = 0;
    for (int command : {cmd::Uart, cmd::Spi, cmd::Smbus}) {
        ui.Modals.push_back([&](ModalDialog& d) {
            auto* tabs = dynamic_cast<CDeviceDlg&>(d).findChild<QTabWidget*>();
            ASSERT_NE(tabs, nullptr);
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                ExpectRoomyAndApart(tabs->currentWidget());
                ++pages;
            }
            d.Finish(false);
        });
        EXPECT_FALSE(pages::RunPeripheralCommand(*doc, command));
    }
    EXPECT_EQ(pages, 4);
    SetUi(previous);
}

}  // namespace
