#pragma once
// `zorvant run SCRIPT`: drives the real program headlessly, one command per
// line, through the scripted UI service. Sheets and calculators that a
// command opens become the current dialog until they close; the runner reads
// the following lines while the program waits inside the dialog, exactly as
// it waits for a user.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class CDeviceDocument;
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
    // The active project's document and its code window's text (nullptr / empty without one).
    virtual CDeviceDocument* ActiveDocument() = 0;
    virtual std::string CodeText() = 0;
};

class ScriptRunner {
public:
    ScriptRunner(ScriptHost& host, ScriptUi& ui, std::ostream& out, std::ostream& err);

    // Runs the script text; `name` is used in error messages. Returns the
    // exit status: 0 success, 1 a failed expectation or error.
    int Run(const std::string& name, const std::string& text);

    // Splits a line into words: double-quoted words may hold spaces and the
    // escapes \n, \" and \\; '#' outside quotes starts a comment unless a
    // digit follows it ("#2" is an entry index). Returns
    // false (with `error`) for an unterminated quote or an unknown escape.
    static bool Split(const std::string& line, std::vector<std::string>& words, std::string& error);

private:
    // Executes lines until the script ends, it fails, or `until` closes.
    void Pump(ModalDialog* until);
    void Execute(const std::vector<std::string>& words);
    void OnModal(ModalDialog& dialog);
    void Fail(const std::string& what);

    // The widget that holds the current dialog's controls (the active page of
    // a sheet, or the dialog itself), and the dialog.
    QWidget* CurrentDialog();
    QWidget* CurrentPage();

    void Expect(const std::vector<std::string>& w);
    int ParseId(const std::string& word);

    ScriptHost& host_;
    ScriptUi& ui_;
    std::ostream& out_;
    std::ostream& err_;
    std::string name_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;     // index of the next line to execute
    std::size_t current_ = 0;  // line number (1-based) being executed
    bool failed_ = false;
    std::vector<ModalDialog*> dialogs_;
    // Number of boxes shown before the current and the previous command.
    std::size_t commandStart_ = 0;
    std::size_t previousStart_ = 0;
};

// `zorvant run` usage text.
extern const char* const kScriptHelp;
