#include "host/ScriptMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "framework/CApplication.h"
#include "framework/CChildFrame.h"
#include "framework/CCommandRegistry.h"
#include "framework/CMenu.h"
#include "framework/OffscreenScreen.h"
#include "host/CMainWindow.h"
#include "host/Desktop.h"
#include "host/PluginLoader.h"
#include "host/ScriptRunner.h"
#include "model/FileIo.h"
#include "model/Ui.h"

namespace host {
namespace {

// The runner's view of the main window: the same operations the menus
// perform, without the file dialogs.
class MainWindowHost : public ScriptHost {
public:
    MainWindowHost(CMainWindow& window, CCommandRegistry& commands)
        : window_(window), commands_(commands) {}

    std::string NewProject(const std::string& model) override {
        std::string error;
        return window_.NewProject(model, &error) ? std::string() : error;
    }
    std::string OpenProject(const std::string& path) override {
        std::string error;
        return window_.OpenProject(path, &error) ? std::string() : error;
    }
    std::string SaveProject(const std::string& path) override { return window_.SaveProjectAs(path); }
    std::string SaveSource(const std::string& path) override { return window_.SaveSourceAs(path); }
    std::string SetCodeFormat(int format) override { return window_.SetCodeFormat(format); }
    std::string ChoosePeripheral(const std::string& captionOrId) override {
        if (!window_.ActiveFrame()) return "no project is open";
        // Only the commands meant for scripts (the Peripherals menu): File >
        // Exit and the like are not.
        const auto state = window_.FindCommand(captionOrId);
        const CCommand* command = state ? commands_.Find(state->Id) : nullptr;
        if (!command || !command->Scriptable) return "no menu item " + captionOrId;
        return window_.TriggerCommand(captionOrId);
    }
    std::string Undo() override { return window_.Undo(); }
    std::string Redo() override { return window_.Redo(); }
    bool IsModified() override { return window_.IsActiveModified(); }
    std::string CloseProject() override { return window_.CloseProject(); }
    std::string StartRecovery() override {
        window_.StartRecovery();
        return {};
    }
    std::vector<std::string> PeripheralItems() override {
        std::vector<std::string> items;
        for (QAction* top : window_.menuBar()->actions()) {
            if (!top->menu() || StripMnemonic(top->text().toLatin1().toStdString()) != "Peripherals")
                continue;
            // As when the user opens the menu: the items' states are brought up to date.
            emit top->menu()->aboutToShow();
            for (QAction* a : top->menu()->actions())
                if (!a->isSeparator() && !a->menu() && a->isEnabled())
                    items.push_back(StripMnemonic(a->text().toLatin1().toStdString()));
        }
        return items;
    }
    CDeviceDocument* ActiveDocument() override { return window_.ActiveDocument(); }
    std::string CodeText() override { return window_.CodeText(); }

private:
    CMainWindow& window_;
    CCommandRegistry& commands_;
};

constexpr int kUsage = 2;
constexpr std::size_t kScriptSizeLimit = 16u * 1024u * 1024u;

// Where a text shows it is no script: a NUL or a control character other
// than tab, line feed, vertical tab, form feed and carriage return.
std::size_t BinaryAt(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && !(c >= '\t' && c <= '\r')) return i;
        if (c == 0x7F) return i;
    }
    return std::string::npos;
}

// The off-screen platform reports what it cannot do for a window; that says
// nothing about the script, so it stays out of the script's error output.
void FilterPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg &&
        (message.contains(QLatin1String("propagateSizeHints")) ||
         message.contains(QLatin1String("XDG_RUNTIME_DIR"))))
        return;
    qt_message_output(type, context, message);
}

}  // namespace

std::unique_ptr<ScriptHost> MainWindowScriptHost(CMainWindow& window, CCommandRegistry& commands) {
    return std::make_unique<MainWindowHost>(window, commands);
}

int RunScriptCommand(int argc, char** argv) {
    if (argc == 3 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0)) {
        std::fputs(kScriptHelp, stdout);
        return 0;
    }
    if (argc != 3 || std::string(argv[2]).empty()) {
        std::fputs("zorvant: run: expected one SCRIPT\nusage: zorvant run SCRIPT\n", stderr);
        return kUsage;
    }
    const std::string name = argv[2];
    std::string text;
    // Bounded, so /dev/zero or a huge file ends with an error; a FIFO is
    // fine (a script may come from a pipe), a directory is not.
    const std::string error =
        fileio::ReadFileBounded(name, kScriptSizeLimit, text, fileio::InputKind::AnyStream);
    if (!error.empty()) {
        std::fprintf(stderr, "zorvant: %s\n", error.c_str());
        return 1;
    }
    if (const std::size_t at = BinaryAt(text); at != std::string::npos) {
        std::fprintf(stderr, "zorvant: %s is not a script: binary data at byte %zu\n",
                     name == "-" ? "standard input" : name.c_str(), at);
        return 1;
    }

    PrepareHeadless();
    int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    SetApplicationIdentity();
    ScriptText source(text);
    return RunScriptSession(name == "-" ? "stdin" : name, source, std::cout, std::cerr);
}

void PrepareHeadless() {
    // Scripts never need a screen: the widgets are real, but drawn off-screen
    // on a screen of a laptop's size, kept for the life of the program.
    static const OffscreenScreen screen;
    qInstallMessageHandler(FilterPlatformNoise);
}

int RunScriptSession(const std::string& name, ScriptSource& source, std::ostream& out,
                     std::ostream& err) {
    ScriptUi ui;
    Ui* previous = SetUi(&ui);
    int status = 0;
    {
        // A group of its own, so scripts leave the desktop's recent files alone.
        CApplication app(QStringLiteral("Script"));
        const QString error = LoadDeviceModule(app, QCoreApplication::applicationDirPath());
        if (!error.isEmpty()) {
            err << "zorvant: " << error.toLocal8Bit().toStdString() << "\n";
            status = 1;
        } else {
            CMainWindow window(app);
            MainWindowHost scriptHost(window, app.Commands());
            ScriptRunner runner(scriptHost, ui, out, err);
            status = runner.Run(name, source);
        }
    }
    SetUi(previous);
    return status;
}

}  // namespace host
