#include "model/Ui.h"

namespace {
ScriptUi& BuiltIn() {
    static ScriptUi ui;
    return ui;
}
Ui* g_ui = nullptr;
}  // namespace

Ui& TheUi() { return g_ui ? *g_ui : BuiltIn(); }

Ui* SetUi(Ui* ui) {
    Ui* previous = g_ui ? g_ui : &BuiltIn();
    g_ui = ui;
    return previous;
}

MsgResult ScriptUi::Message(const std::string& text, MsgButtons buttons, MsgIcon icon,
                               const std::string& caption) {
    MsgResult answer = DefaultAnswer(buttons);
    if (!Answers.empty()) {
        answer = Answers.front();
        Answers.pop_front();
    }
    Shown.push_back({text, caption, buttons, icon, answer});
    if (OnShown) OnShown(Shown.back());
    return answer;
}

std::optional<std::string> ScriptUi::SaveFileName(const FileDialogRequest& request) {
    FileRequests.push_back(request);
    while (!SaveNames.empty()) {
        auto name = SaveNames.front();
        SaveNames.pop_front();
        if (!name || !request.Refuse) return name;
        const std::string why = request.Refuse(*name);
        if (why.empty()) return name;
        Error(why);
    }
    return std::nullopt;
}

std::optional<std::string> ScriptUi::OpenFileName(const FileDialogRequest& request) {
    FileRequests.push_back(request);
    if (OpenNames.empty()) return std::nullopt;
    auto name = OpenNames.front();
    OpenNames.pop_front();
    return name;
}

bool ScriptUi::RunModal(ModalDialog& dialog) {
    dialog.ShowModeless();
    Driver driver;
    if (!Modals.empty()) {
        driver = std::move(Modals.front());
        Modals.pop_front();
    } else {
        driver = ModalHandler;
    }
    if (driver) driver(dialog);
    if (!dialog.IsFinished()) dialog.Finish(false);
    return dialog.WasAccepted();
}

bool ScriptUi::PrintDialog(PrintDialogKind kind) {
    PrintRequests.push_back(kind);
    if (PrintAnswers.empty()) return true;
    const bool answer = PrintAnswers.front();
    PrintAnswers.pop_front();
    return answer;
}
