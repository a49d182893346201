// main() of the UI test programs: one QApplication (offscreen) for all tests.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "framework/OffscreenScreen.h"

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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
