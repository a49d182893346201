#include "host/Desktop.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include <cstdio>

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

int RunDesktop(int argc, char** argv) {
    QApplication qapp(argc, argv);
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
            // Project files named on the command line open as Open Project opens them.
            const QStringList args = QCoreApplication::arguments();
            for (int i = 1; i < args.size(); ++i)
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
