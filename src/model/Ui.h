#pragma once
// The one service through which the program shows anything modal: message
// boxes, file dialogs and modal runs of dialogs. The desktop build installs an
// implementation that shows real widgets; tests and scripts install one that
// answers from a queue and records what was shown. No Qt types appear here, so
// the core can report through it.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class MsgIcon { None, Exclamation, Question, Information };
// SaveDiscardCancel is the question before an unsaved project closes;
// RecoverDiscard the offer of a project's recovery copy at start.
enum class MsgButtons { Ok, YesNo, SaveDiscardCancel, RecoverDiscard };
enum class MsgResult { Ok, Yes, No, Save, Discard, Cancel, Recover };
// The two printing dialogs: File > Print's and File > Print Setup's.
enum class PrintDialogKind { Print, PageSetup };

// A dialog that can be run modally: the toolkit side derives its dialogs from
// this so the service can run them without knowing their type.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    // Runs the dialog's own event loop until it is closed; returns true for OK.
    virtual bool ExecModal() = 0;
    // Shows the dialog without blocking, for a driver that acts on it and
    // then closes it (scripts and tests).
    virtual void ShowModeless() = 0;
    virtual bool IsFinished() const = 0;
    virtual bool WasAccepted() const = 0;
    // Closes the dialog as its OK (true) or Cancel (false) button would.
    virtual void Finish(bool ok) = 0;
};

// What a file dialog is asked to show.
struct FileDialogRequest {
    std::string Title;             // the dialog's caption, e.g. "Save Project As"
    std::string DefaultExtension;  // without the dot, e.g. "zvp"
    std::string InitialName;       // e.g. "Untitled.zvp"
    std::string Filter;            // "Name (*.x)|*.x|All Files (*.*)|*.*|"
    std::string Directory;         // the folder it starts in; empty: the working directory
    bool PromptOverwrite = true;
    bool HideReadOnly = true;
    // Why a chosen path cannot be taken (shown as an error, the dialog stays
    // open for another choice), asked before whether to replace the file;
    // empty or returning "" takes every path.
    std::function<std::string(const std::string& path)> Refuse;
};

struct ShownMessage {
    std::string Text;
    std::string Caption;
    MsgButtons Buttons = MsgButtons::Ok;
    MsgIcon Icon = MsgIcon::None;
    MsgResult Answer = MsgResult::Ok;
};

class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgResult Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                              const std::string& caption = std::string()) = 0;
    // Returns the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
    // Runs a dialog modally; returns true when it ended with OK.
    virtual bool RunModal(ModalDialog& dialog) = 0;
    // Shows a printing dialog; true when the user confirms it. A service
    // without printing cancels.
    virtual bool PrintDialog(PrintDialogKind kind) {
        (void)kind;
        return false;
    }

    // The two kinds of box the program shows most.
    void Error(const std::string& text) { Message(text, MsgButtons::Ok, MsgIcon::Exclamation); }
    bool Ask(const std::string& text) {
        return Message(text, MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes;
    }
};

// Answers from queues and records every message; a save name the request
// refuses is reported as the dialog reports it and the next queued name is
// taken in its place. A box with no queued answer
// gets Yes (Yes/No boxes), Cancel (the save question: nothing is lost), Recover
// (the recovery offer, likewise) or OK. A modal dialog is
// shown without blocking and handed to the next queued driver (else to ModalHandler); whatever the
// driver leaves open is then cancelled.
class ScriptUi : public Ui {
public:
    using Driver = std::function<void(ModalDialog&)>;

    std::deque<MsgResult> Answers;
    std::deque<std::optional<std::string>> SaveNames;
    std::deque<std::optional<std::string>> OpenNames;
    std::deque<Driver> Modals;
    Driver ModalHandler;
    // Answers for printing dialogs; with none queued the dialog is confirmed.
    std::deque<bool> PrintAnswers;
    // Told of every box as it is answered.
    std::function<void(const ShownMessage&)> OnShown;

    std::vector<ShownMessage> Shown;
    std::vector<FileDialogRequest> FileRequests;
    std::vector<PrintDialogKind> PrintRequests;

    MsgResult Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                      const std::string& caption) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    bool RunModal(ModalDialog& dialog) override;
    bool PrintDialog(PrintDialogKind kind) override;

protected:
    // Default answer for a box with nothing queued.
    static MsgResult DefaultAnswer(MsgButtons buttons) {
        switch (buttons) {
            case MsgButtons::YesNo:
                return MsgResult::Yes;
            case MsgButtons::SaveDiscardCancel:
                return MsgResult::Cancel;
            case MsgButtons::RecoverDiscard:
                return MsgResult::Recover;
            default:
                return MsgResult::Ok;
        }
    }
};

// The process-wide service. Starts as a ScriptUi so that headless code and
// tests always have one; the desktop program installs its own at start-up.
Ui& TheUi();
// Installs `ui` (not owned; nullptr restores the built-in recorder) and
// returns the previous one.
Ui* SetUi(Ui* ui);
