#pragma once
// The desktop side of the UI service: real message boxes, file dialogs and
// printing dialogs, and blocking modal runs. Installed with SetUi when the
// desktop program starts; nothing else in the program opens these itself.

#include <QStringList>

#include <memory>

#include "model/Ui.h"

class QMessageBox;
class QPrinter;
class QWidget;

class QtUi : public Ui {
public:
    QtUi();
    ~QtUi() override;

    MsgResult Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                      const std::string& caption) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    bool RunModal(ModalDialog& dialog) override;
    bool PrintDialog(PrintDialogKind kind) override;

private:
    std::optional<std::string> FileDialog(const FileDialogRequest& request, bool save);

    // The printer the print and page set-up dialogs work on.
    std::unique_ptr<QPrinter> printer_;
};

// Converts a "|"-separated filter ("C Files (*.c)|*.c|All Files (*.*)|*.*|")
// into Qt name filters. Each description is kept as it is written; the
// pattern Qt matches with is appended in parentheses (shown only when the
// description does not already end with it), and "*.*" matches every file.
QStringList ConvertFilter(const std::string& filter);

// Gives every button of `box` without a mnemonic one: the first letter of
// its text that no other button of the box uses.
void AddMnemonics(QMessageBox& box);

// The owner for a modal window: the active window, else the main frame's.
QWidget* DialogOwner();
