#pragma once
// The UI service of the headless commands: messages go to stderr, file
// dialogs are cancelled and nothing runs modally.

#include "model/Ui.h"

class ConsoleUi : public Ui {
public:
    // Put before every message, e.g. "zorvant: board.zvp: ".
    std::string Prefix;

    MsgResult Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                      const std::string& caption) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
    bool RunModal(ModalDialog&) override { return false; }
};
