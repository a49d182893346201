#pragma once
// `zorvant run SCRIPT`: drives the real program headlessly, one command per
// line, through the scripted UI service. Sheets and calculators that a
// command opens become the current dialog until they close; the runner reads
// the following lines while the program waits inside the dialog, exactly as
// it waits for a user.

#include <cstdint>
#include <iosfwd>
#include <sstream>
#include <map>
#include <string>
#include <vector>

#include "model/DeviceDocument.h"

class ModalDialog;
class ScriptUi;
class QWidget;

// What the runner needs of the desktop program. Each operation returns an
// empty string on success, else what went wrong.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    virtual std::string NewProject(const std::string& model) = 0;
    // As File > Open Project, without the dialog (messages go through the UI service).
    virtual std::string OpenProject(const std::string& path) = 0;
    // As Save Project As / Save Source As, without the dialog.
    virtual std::string SaveProject(const std::string& path) = 0;
    virtual std::string SaveSource(const std::string& path) = 0;
    // As Options > Code Format > C (0) or Asm (1).
    virtual std::string SetCodeFormat(int format) = 0;
    // Chooses an item of the active project's Peripherals menu, by caption
    // (without "&") or by command id. Returns once the command has finished.
    virtual std::string ChoosePeripheral(const std::string& captionOrId) = 0;
    // Edit > Undo / Redo on the active project.
    virtual std::string Undo() { return "undo is not supported here"; }
    virtual std::string Redo() { return "redo is not supported here"; }
    // Whether the active project has unsaved changes.
    virtual bool IsModified() { return false; }
    // As File > Close Project (the save question goes through the UI service).
    virtual std::string CloseProject() { return "close is not supported here"; }
    // As the desktop at start: offers the recovery copies of ended sessions
    // and from then on keeps copies of the modified projects.
    virtual std::string StartRecovery() { return "recovery is not supported here"; }
    // The captions of the enabled items of the active project's Peripherals menu.
    virtual std::vector<std::string> PeripheralItems() { return {}; }
    // The active project's document and its code window's text (nullptr / empty without one).
    virtual CDeviceDocument* ActiveDocument() = 0;
    virtual std::string CodeText() = 0;
};

class ScriptRunner;

// Where the runner's lines come from: a script's text, or a program that
// writes the script as it runs (the explorer), which is also told when a
// dialog opens and closes.
class ScriptSource {
public:
    virtual ~ScriptSource() = default;
    // The run begins; `runner` is the one asking for lines.
    virtual void Started(ScriptRunner& runner) { (void)runner; }
    // The next line into `line`; false at the end of the script.
    virtual bool NextLine(std::string& line) = 0;
    // `dialog` became the current dialog (it is shown, no line has acted on it yet).
    virtual void DialogOpened(ModalDialog& dialog) { (void)dialog; }
    // `dialog` is no longer the current one: it closed (IsFinished, WasAccepted
    // tell how), or the run stopped while it was open.
    virtual void DialogClosed(ModalDialog& dialog) { (void)dialog; }
};

// The lines of a script's text.
class ScriptText : public ScriptSource {
public:
    explicit ScriptText(const std::string& text) : in_(text) {}
    bool NextLine(std::string& line) override { return static_cast<bool>(std::getline(in_, line)); }

private:
    std::istringstream in_;
};

class ScriptRunner {
public:
    ScriptRunner(ScriptHost& host, ScriptUi& ui, std::ostream& out, std::ostream& err);

    // Runs the script text; `name` is used in error messages. Returns the
    // exit status: 0 success, 1 a failed expectation or error.
    int Run(const std::string& name, const std::string& text);
    // Runs the lines `source` gives, as above.
    int Run(const std::string& name, ScriptSource& source);

    // What a source that writes the script as it runs looks at.
    ScriptHost& Host() { return host_; }
    ScriptUi& Ui() { return ui_; }
    const std::vector<ModalDialog*>& Dialogs() const { return dialogs_; }
    // The widget that holds the current dialog's controls (the active page of
    // a sheet, or the dialog itself), and the dialog; nullptr without one.
    QWidget* CurrentDialog();
    QWidget* CurrentPage();

private:
    // Executes lines until the script ends, it fails, or `until` closes.
    void Pump(ModalDialog* until);
    void Execute(const std::vector<std::string>& words);
    void OnModal(ModalDialog& dialog);
    void Fail(const std::string& what);

    void Expect(const std::vector<std::string>& w);
    void ExpectProject(const std::vector<std::string>& w);
    int ParseId(const std::string& word);
    // The control an expectation names, on the current page or else the
    // dialog; fails the run when there is none.
    QWidget* ExpectedControl(const std::string& word);

    ScriptHost& host_;
    ScriptUi& ui_;
    std::ostream& out_;
    std::ostream& err_;
    std::string name_;
    ScriptSource* source_ = nullptr;
    std::size_t current_ = 0;  // line number (1-based) being executed
    bool failed_ = false;
    std::vector<ModalDialog*> dialogs_;
    std::size_t modalsOpened_ = 0;  // dialogs opened so far, to spot a click that opens one
    // Number of boxes shown before the current and the previous command.
    std::size_t commandStart_ = 0;
    std::size_t previousStart_ = 0;
    // What `keep NAME` remembered of the active project.
    struct Kept {
        std::uint8_t DeviceCode = 0;
        DocumentState State;
        std::vector<std::uint8_t> Bytes;
        std::string Code;
    };
    std::map<std::string, Kept> kept_;
};

// `zorvant run` usage text.
extern const char* const kScriptHelp;
