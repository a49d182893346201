#include "host/Desktop.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/CApplication.h"
#include "framework/QtUi.h"
#include "host/CMainWindow.h"
#include "host/PluginLoader.h"

namespace host {

const char* const kSettingsGroup = "Desktop";

void SetApplicationIdentity() {
    QApplication::setOrganizationName(QStringLiteral("Zorvant"));
    QApplication::setApplicationName(QStringLiteral("Zorvant Q7R2x"));
    QApplication::setApplicationVersion(QStringLiteral("1.60"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zorvant.png")));
}

namespace {

QtMessageHandler previousHandler = nullptr;

// The platform's complaints while the application starts: without a usable
// display Qt ends with a fatal message and an abort; the program says so in
// one line and exits with 1 instead.
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "zorvant: cannot open the desktop program: no usable display%s%s%s "
                     "(the subcommands need none; see zorvant --help)\n",
                     display && *display ? " (DISPLAY=" : "", display && *display ? display : "",
                     display && *display ? ")" : "");
        std::fflush(stderr);
        std::_Exit(1);
    }
    // What the platform plugins say on the way is part of that one line.
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
    if (previousHandler) previousHandler(type, context, message);
    else std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Whether Qt will look for a display that is not there: no platform chosen
// (-platform, QT_QPA_PLATFORM) and neither DISPLAY nor WAYLAND_DISPLAY set.
bool NoDisplayToLookFor(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return false;
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return !set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY");
}

}  // namespace

int RunDesktop(int argc, char** argv) {
    if (NoDisplayToLookFor(argc, argv)) {
        std::fputs("zorvant: cannot open the desktop program: no display (DISPLAY and "
                   "WAYLAND_DISPLAY are not set; the subcommands need none; see zorvant --help)\n",
                   stderr);
        return 1;
    }
    previousHandler = qInstallMessageHandler(StartupMessages);
    QApplication qapp(argc, argv);
    qInstallMessageHandler(previousHandler);
    SetApplicationIdentity();

    QtUi ui;
    Ui* previous = SetUi(&ui);
    int status = 0;
    {
        CApplication app(QString::fromLatin1(kSettingsGroup));
        const QString error = LoadDeviceModule(app, QCoreApplication::applicationDirPath());
        if (!error.isEmpty()) {
            std::fprintf(stderr, "zorvant: %s\n", qPrintable(error));
            // Without a screen to show it on, the box would wait for ever.
            if (QGuiApplication::platformName() != QLatin1String("offscreen") &&
                QGuiApplication::platformName() != QLatin1String("minimal"))
                TheUi().Error("Error: " + error.toLocal8Bit().toStdString());
            status = 1;
        } else {
            CMainWindow window(app);
            // The window comes back where and as large as the user left it.
            QSettings settings;
            settings.beginGroup(QString::fromLatin1(kSettingsGroup));
            window.restoreGeometry(settings.value(QStringLiteral("Geometry")).toByteArray());
            window.restoreState(settings.value(QStringLiteral("WindowState")).toByteArray());
            window.show();
            // What a crash or a kill left unsaved is offered first; from now
            // on the modified projects keep recovery copies.
            window.StartRecovery();
            // Project files named on the command line open as Open Project opens them.
            const QStringList args = QCoreApplication::arguments();
            // ("--" only ends the options, as the command-line check allows.)
            for (int i = 1; i < args.size(); ++i)
                if (args[i] != QLatin1String("--"))
                    window.OpenProject(args[i].toLocal8Bit().toStdString());
            status = qapp.exec();
            settings.setValue(QStringLiteral("Geometry"), window.saveGeometry());
            settings.setValue(QStringLiteral("WindowState"), window.saveState());
        }
    }
    SetUi(previous);
    return status;
}

}  // namespace host
