// main() of the UI test programs: one QApplication (offscreen) for all tests.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "framework/OffscreenScreen.h"

#ifdef ZV_INSTALL_SHEETS
#include "plugin/PeripheralTable.h"
#endif

namespace {
// The offscreen platform warns about every top-level window it sizes.
void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("does not support propagateSizeHints")) return;
    qt_message_output(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(Filter);
    // Off-screen on a laptop's screen, unless a platform was chosen.
    std::unique_ptr<OffscreenScreen> screen;
    if (qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen") == "offscreen")
        screen = std::make_unique<OffscreenScreen>();
    QApplication app(argc, argv);
#ifdef ZV_INSTALL_SHEETS
    // Pages open nested sheets by id; the plug-in's table provides them.
    plugin::InstallSheets();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
