#include "host/ScriptRunner.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <iterator>

#include <ostream>
#include <set>
#include <sstream>

#include "chip/Problems.h"
#include "model/DeviceDocument.h"
#include "model/FileIo.h"
#include "model/Ui.h"
#include "framework/ControlDriver.h"
#include "devices/ProjectDiff.h"
#include "host/ScriptSyntax.h"

const char* const kScriptHelp =
    "usage: zorvant run SCRIPT        (SCRIPT '-' reads standard input)\n"
    "\n"
    "One command per line; '#' starts a comment; a word with spaces is double-quoted,\n"
    "with the escapes \\n, \\\" and \\\\.\n"
    "\n"
    "Project:  new MODEL | open FILE | save FILE | source FILE | close | format c|asm | resetall\n"
    "          undo | redo            Edit > Undo / Redo (each sheet confirmed is one step)\n"
    "          recovery               as the desktop at start: offers the recovery copies of\n"
    "                                 ended sessions, then keeps copies of modified projects\n"
    "          wait MS                lets the program run for MS milliseconds (timers fire)\n"
    "Dialogs:  menu CAPTION|ID        choose a menu command; its dialog becomes current\n"
    "          tab N|CAPTION          activate a page (N counts from 1)\n"
    "          click ID ... | text ID \"TEXT\" | select ID \"ITEM\" | select ID #INDEX\n"
    "          slide ID POS | reset | ok | cancel\n"
    "Answers:  answer yes|no|ok|save|discard|cancel|recover [COUNT]   answers for the next boxes\n"
    "          answer none            forgets the answers not used yet\n"
    "          (unanswered: Yes for questions, Cancel for the save question, Recover for\n"
    "          the recovery offer, OK otherwise)\n"
    "Checks:   expect text|selected ID \"TEXT\"\n"
    "          expect checked|unchecked|enabled|disabled|visible|hidden ID ...\n"
    "          expect pages \"CAPTION\" ...  | expect message \"TEXT\" | expect no-message\n"
    "          expect fits WIDTH HEIGHT   the current dialog fits on such a screen\n"
    "          expect code-line \"LINE\"  | expect doc WORD VALUE | expect modified yes|no\n"
    "          expect problems ID ...  | expect no-problems   (the ids zorvant lint reports)\n"
    "          keep NAME              remember the project's bytes and code as NAME\n"
    "          expect project NAME [except ID|WORD ...]   the project's bytes are NAME's\n"
    "          expect code NAME | expect code-current     the code window shows NAME's code |\n"
    "                                 what the project generates now\n"
    "Output:   print code | print state | grab FILE.png (a picture of the current dialog)\n"
    "\n"
    "Every message box is printed as: message: \"TEXT\" -> ANSWER\n"
    "The first failure stops the run with SCRIPT:LINE: what went wrong (exit status 1).\n"
    "A script that cannot be read (missing, a directory, binary data) also exits with 1;\n"
    "a usage error with 2.\n"
    "At the end the projects close without asking about unsaved changes.\n";

namespace {

const char* AnswerName(MsgResult r) {
    switch (r) {
        case MsgResult::Yes: return "yes";
        case MsgResult::No: return "no";
        case MsgResult::Ok: return "ok";
        case MsgResult::Save: return "save";
        case MsgResult::Discard: return "discard";
        case MsgResult::Cancel: return "cancel";
        case MsgResult::Recover: return "recover";
    }
    return "ok";
}

std::string Quoted(const std::string& s) { return "\"" + driver::Escape(s) + "\""; }

bool ParseNumber(const std::string& word, long long& value) {
    if (word.empty()) return false;
    std::size_t used = 0;
    try {
        value = std::stoll(word, &used, 0);
    } catch (...) {
        return false;
    }
    return used == word.size();
}

}  // namespace

ScriptRunner::ScriptRunner(ScriptHost& host, ScriptUi& ui, std::ostream& out, std::ostream& err)
    : host_(host), ui_(ui), out_(out), err_(err) {}

int ScriptRunner::Run(const std::string& name, const std::string& text) {
    ScriptText source(text);
    return Run(name, source);
}

int ScriptRunner::Run(const std::string& name, ScriptSource& source) {
    name_ = name;
    source_ = &source;
    current_ = 0;
    failed_ = false;

    ui_.OnShown = [this](const ShownMessage& m) {
        out_ << "message: " << Quoted(m.Text) << " -> " << AnswerName(m.Answer) << "\n";
        // A box that says nothing leaves the user guessing.
        if (m.Text.empty()) Fail("a message box without text");
    };
    ui_.ModalHandler = [this](ModalDialog& d) { OnModal(d); };
    source.Started(*this);
    Pump(nullptr);
    ui_.OnShown = nullptr;
    ui_.ModalHandler = nullptr;
    source_ = nullptr;
    out_.flush();
    return failed_ ? 1 : 0;
}

void ScriptRunner::Fail(const std::string& what) {
    if (failed_) return;
    failed_ = true;
    err_ << name_ << ":" << current_ << ": " << what << "\n";
    err_.flush();
}

void ScriptRunner::OnModal(ModalDialog& dialog) {
    ++modalsOpened_;
    dialogs_.push_back(&dialog);
    source_->DialogOpened(dialog);
    Pump(&dialog);
    dialogs_.pop_back();
    source_->DialogClosed(dialog);
    // Whatever is still open after a failure is cancelled by the UI service.
}

void ScriptRunner::Pump(ModalDialog* until) {
    std::string line;
    bool ended = false;
    while (!failed_ && !(until && until->IsFinished())) {
        if (!source_->NextLine(line)) {
            ended = true;
            break;
        }
        ++current_;
        // Between top-level commands the program is back where a user's
        // event loop would delete what it let go (closed windows, old menus);
        // inside a dialog, the command that opened it may still use them.
        if (dialogs_.empty()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<std::string> words;
        std::string error;
        if (!script::Split(line, words, error)) {
            Fail(error);
            break;
        }
        if (words.empty()) continue;
        previousStart_ = commandStart_;
        commandStart_ = ui_.Shown.size();
        Execute(words);
    }
    if (until && !until->IsFinished() && !failed_ && ended) {
        Fail("a dialog is still open at the end of the script");
    }
}

QWidget* ScriptRunner::CurrentDialog() {
    if (dialogs_.empty()) return nullptr;
    return dynamic_cast<QWidget*>(dialogs_.back());
}

QWidget* ScriptRunner::CurrentPage() {
    QWidget* dialog = CurrentDialog();
    if (!dialog) return nullptr;
    if (auto* tabs = dialog->findChild<QTabWidget*>()) return tabs->currentWidget();
    return dialog;
}

int ScriptRunner::ParseId(const std::string& word) {
    long long id = 0;
    if (!ParseNumber(word, id) || id < 0 || id > 0x7FFFFFFF) {
        Fail("not a control id: " + word);
        return -1;
    }
    return static_cast<int>(id);
}

void ScriptRunner::Execute(const std::vector<std::string>& w) {
    const std::string& c = w[0];
    const std::size_t n = w.size();
    auto arity = [&](std::size_t min, std::size_t max) {
        if (n - 1 < min || n - 1 > max) {
            Fail("wrong number of arguments to " + c);
            return false;
        }
        return true;
    };
    auto noDialog = [&] {
        if (!dialogs_.empty()) {
            Fail(c + ": a dialog is open");
            return false;
        }
        return true;
    };
    auto needDialog = [&] {
        if (dialogs_.empty()) {
            Fail(c + ": no dialog is open");
            return false;
        }
        return true;
    };
    auto check = [&](const std::string& error) {
        if (!error.empty()) Fail(c + ": " + error);
        return error.empty();
    };

    if (c == "new" || c == "open" || c == "save" || c == "source") {
        if (!arity(1, 1) || !noDialog()) return;
        if (c == "new") check(host_.NewProject(w[1]));
        else if (c == "open") check(host_.OpenProject(w[1]));
        else if (c == "save") check(host_.SaveProject(w[1]));
        else check(host_.SaveSource(w[1]));
    } else if (c == "close") {
        if (!arity(0, 0) || !noDialog()) return;
        check(host_.CloseProject());
    } else if (c == "keep") {
        if (!arity(1, 1)) return;
        CDeviceDocument* doc = host_.ActiveDocument();
        if (!doc) return Fail("keep: no project is open");
        kept_[w[1]] = {doc->DeviceCode, doc->State(), doc->SaveProject(), host_.CodeText()};
    } else if (c == "format") {
        if (!arity(1, 1) || !noDialog()) return;
        if (w[1] != "c" && w[1] != "asm") return Fail("format takes c or asm");
        check(host_.SetCodeFormat(w[1] == "c" ? 0 : 1));
    } else if (c == "undo" || c == "redo") {
        if (!arity(0, 0) || !noDialog()) return;
        check(c == "undo" ? host_.Undo() : host_.Redo());
    } else if (c == "recovery") {
        if (!arity(0, 0) || !noDialog()) return;
        check(host_.StartRecovery());
    } else if (c == "wait") {
        if (!arity(1, 1)) return;
        long long ms = 0;
        if (!ParseNumber(w[1], ms) || ms < 0 || ms > 3600000)
            return Fail("wait: not a number of milliseconds: " + w[1]);
        // The program's own event loop, as while the user thinks: timers
        // fire, posted events are delivered.
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
        loop.exec();
    } else if (c == "resetall") {
        if (!arity(0, 0) || !noDialog()) return;
        check(host_.ChoosePeripheral("Reset All"));
    } else if (c == "menu") {
        if (!arity(1, 1) || !noDialog()) return;
        check(host_.ChoosePeripheral(w[1]));
    } else if (c == "tab") {
        if (!arity(1, 1) || !needDialog()) return;
        auto* tabs = CurrentDialog()->findChild<QTabWidget*>();
        if (!tabs) return Fail("tab: the current dialog has no pages");
        long long index = 0;
        int found = -1;
        if (ParseNumber(w[1], index)) {
            if (index >= 1 && index <= tabs->count()) found = static_cast<int>(index - 1);
        } else {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i).toStdString() == w[1]) found = i;
        }
        if (found < 0) return Fail("tab: no page " + w[1]);
        tabs->setCurrentIndex(found);
    } else if (c == "click") {
        // Several ids click in turn; the first that fails stops the line.
        if (!arity(1, 64)) return;
        const std::size_t line = current_;
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (!needDialog()) return;
            const int id = ParseId(w[i]);
            const std::size_t opened = modalsOpened_;
            if (id < 0 || !check(driver::Click(CurrentPage(), id))) return;
            // The lines after a click that opens a dialog belong to that
            // dialog, so such a click must end its line.
            if (modalsOpened_ != opened && i + 1 < w.size()) {
                current_ = line;
                return Fail("click: control " + w[i] + " opened a dialog; click it last on its line");
            }
        }
    } else if (c == "text" || c == "select" || c == "slide") {
        if (!arity(2, 2) || !needDialog()) return;
        const int id = ParseId(w[1]);
        if (id < 0) return;
        QWidget* page = CurrentPage();
        if (c == "text") {
            check(driver::SetText(page, id, w[2]));
        } else if (c == "select") {
            long long index = 0;
            if (w[2].size() > 1 && w[2][0] == '#' && ParseNumber(w[2].substr(1), index))
                check(driver::SelectIndex(page, id, static_cast<int>(index)));
            else
                check(driver::SelectText(page, id, w[2]));
        } else {
            long long pos = 0;
            if (!ParseNumber(w[2], pos)) return Fail("slide: not a position: " + w[2]);
            check(driver::Slide(page, id, static_cast<int>(pos)));
        }
    } else if (c == "reset" || c == "ok" || c == "cancel") {
        if (!arity(0, 0) || !needDialog()) return;
        const int id = c == "reset" ? 8888 : c == "ok" ? 1 : 2;
        check(driver::Click(CurrentDialog(), id));
    } else if (c == "answer") {
        if (!arity(1, 2)) return;
        MsgResult r;
        if (w[1] == "yes") r = MsgResult::Yes;
        else if (w[1] == "no") r = MsgResult::No;
        else if (w[1] == "ok") r = MsgResult::Ok;
        else if (w[1] == "save") r = MsgResult::Save;
        else if (w[1] == "discard") r = MsgResult::Discard;
        else if (w[1] == "cancel") r = MsgResult::Cancel;
        else if (w[1] == "recover") r = MsgResult::Recover;
        else if (w[1] == "none" && n == 2) {
            ui_.Answers.clear();
            return;
        } else return Fail("answer takes yes, no, ok, save, discard, cancel or recover");
        long long count = 1;
        if (n == 3 && (!ParseNumber(w[2], count) || count < 1 || count > 1000))
            return Fail("answer: not a count: " + w[2]);
        for (long long i = 0; i < count; ++i) ui_.Answers.push_back(r);
    } else if (c == "expect") {
        Expect(w);
    } else if (c == "grab") {
        // A picture of the current dialog as drawn, for documentation.
        if (!arity(1, 1) || !needDialog()) return;
        // Encoded in memory, then written as every other file is.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!driver::Picture(CurrentDialog()).save(&buffer, "PNG"))
            return Fail("grab: cannot encode " + w[1]);
        check(fileio::WriteFileSafely(
            w[1], std::string_view(png.constData(), static_cast<std::size_t>(png.size()))));
    } else if (c == "print") {
        if (!arity(1, 1)) return;
        if (w[1] == "code") {
            out_ << host_.CodeText();
        } else if (w[1] == "state") {
            if (!needDialog()) return;
            out_ << driver::Describe(CurrentPage());
        } else {
            Fail("print takes code or state");
        }
    } else {
        Fail("unknown command: " + c);
    }
}

// expect project NAME [except ITEM...]: the active project's file bytes are
// those kept as NAME, but for the listed records (by id) and clock words,
// which may hold anything.
void ScriptRunner::ExpectProject(const std::vector<std::string>& w) {
    static const char* const kWords[] = {"SysclkFrequency", "IntOscFrequency", "LfOscFrequency",
                                         "ExtOscFrequency", "EciFrequency"};
    if (w.size() < 3 || (w.size() > 3 && w[3] != "except") || w.size() == 4)
        return Fail("expect project NAME [except ID|WORD ...]");
    CDeviceDocument* doc = host_.ActiveDocument();
    if (!doc) return Fail("expect project: no project is open");
    const auto it = kept_.find(w[2]);
    if (it == kept_.end()) return Fail("expect project: nothing kept as " + w[2]);
    CDeviceDocument expected;
    expected.DeviceCode = it->second.DeviceCode;
    expected.RestoreState(it->second.State);
    const DocumentState now = doc->State();
    DocumentState wanted = it->second.State;
    for (std::size_t i = 4; i < w.size(); ++i) {
        long long id = 0;
        const auto word = std::find(std::begin(kWords), std::end(kWords), w[i]);
        if (word != std::end(kWords)) {
            const auto k = static_cast<std::size_t>(word - std::begin(kWords));
            wanted.Clocks[k] = now.Clocks[k];
        } else if (ParseNumber(w[i], id) && id >= 0 && id <= 255) {
            const auto key = static_cast<PeripheralId>(id);
            const auto found = now.Data.Peripherals.find(key);
            if (found == now.Data.Peripherals.end()) wanted.Data.Peripherals.erase(key);
            else wanted.Data.Peripherals[key] = found->second;
        } else {
            return Fail("expect project: not a record id or clock word: " + w[i]);
        }
    }
    expected.RestoreState(wanted);
    if (doc->SaveProject() == (w.size() == 3 ? it->second.Bytes : expected.SaveProject())) return;
    std::string what = projectdiff::Describe(expected, *doc, w[2], "the project");
    if (what.empty()) what = "(the file bytes differ)\n";
    Fail("the project differs from " + w[2] + ":\n" + what.substr(0, what.size() - 1));
}

void ScriptRunner::Expect(const std::vector<std::string>& w) {
    if (w.size() < 2) return Fail("expect what?");
    const std::string& what = w[1];
    const std::size_t args = w.size() - 2;

    if (what == "message") {
        if (args != 1) return Fail("expect message \"TEXT\"");
        if (ui_.Shown.empty()) return Fail("expected message " + Quoted(w[2]) + ", but none was shown");
        if (ui_.Shown.back().Text != w[2])
            return Fail("expected message " + Quoted(w[2]) + ", got " + Quoted(ui_.Shown.back().Text));
        return;
    }
    if (what == "no-message") {
        if (args != 0) return Fail("expect no-message takes nothing");
        if (ui_.Shown.size() > previousStart_)
            return Fail("expected no message, got " + Quoted(ui_.Shown.back().Text));
        return;
    }
    if (what == "code-line") {
        if (args != 1) return Fail("expect code-line \"LINE\"");
        const std::string code = host_.CodeText();
        std::size_t start = 0;
        while (start <= code.size()) {
            std::size_t end = code.find("\r\n", start);
            if (end == std::string::npos) end = code.size();
            if (code.compare(start, end - start, w[2]) == 0) return;
            start = end + 2;
        }
        return Fail("no line " + Quoted(w[2]) + " in the generated code");
    }
    if (what == "project") return ExpectProject(w);
    if (what == "code" || what == "code-current") {
        if (args != (what == "code" ? 1u : 0u)) return Fail("expect code NAME | expect code-current");
        CDeviceDocument* doc = host_.ActiveDocument();
        if (!doc) return Fail("expect " + what + ": no project is open");
        const std::string shown = host_.CodeText();
        if (what == "code") {
            const auto it = kept_.find(w[2]);
            if (it == kept_.end()) return Fail("expect code: nothing kept as " + w[2]);
            if (shown != it->second.Code) return Fail("the code differs from the code kept as " + w[2]);
            return;
        }
        // The code window shows what the project generates, and generating
        // again gives the same text.
        const std::string generated = doc->GenerateSource();
        if (doc->GenerateSource() != generated) return Fail("generating twice gives different code");
        if (shown != generated) return Fail("the code window does not show what the project generates");
        return;
    }
    if (what == "modified") {
        if (args != 1 || (w[2] != "yes" && w[2] != "no")) return Fail("expect modified yes|no");
        if (!host_.ActiveDocument()) return Fail("expect modified: no project is open");
        const bool modified = host_.IsModified();
        if (modified != (w[2] == "yes"))
            return Fail(modified ? "the project is modified" : "the project is not modified");
        return;
    }
    if (what == "doc") {
        if (args != 2) return Fail("expect doc WORD VALUE");
        CDeviceDocument* doc = host_.ActiveDocument();
        if (!doc) return Fail("expect doc: no project is open");
        long long expected = 0;
        if (!ParseNumber(w[3], expected)) return Fail("expect doc: not a number: " + w[3]);
        long long actual = 0;
        const std::string& word = w[2];
        if (word == "DeviceCode") actual = doc->DeviceCode;
        else if (word == "SysclkFrequency") actual = doc->SysclkFrequency;
        else if (word == "IntOscFrequency") actual = doc->IntOscFrequency;
        else if (word == "LfOscFrequency") actual = doc->LfOscFrequency;
        else if (word == "ExtOscFrequency") actual = doc->ExtOscFrequency;
        else if (word == "EciFrequency") actual = doc->EciFrequency;
        else if (word == "CodeFormat") actual = doc->DeviceData.CodeFormat;
        else return Fail("expect doc: unknown word " + word);
        if (actual != expected)
            return Fail(word + " is " + std::to_string(actual) + ", expected " + std::to_string(expected));
        return;
    }
    if (what == "problems" || what == "no-problems") {
        if (what == "problems" ? args == 0 : args != 0)
            return Fail(what == "problems" ? "expect problems ID ..." : "expect no-problems takes nothing");
        CDeviceDocument* doc = host_.ActiveDocument();
        if (!doc) return Fail("expect " + what + ": no project is open");
        // The set of ids, as the Problems view and zorvant lint find them.
        std::set<std::string> found;
        for (const chip::Problem& p : chip::FindProblems(*doc)) found.insert(p.Id);
        const std::set<std::string> expected(w.begin() + 2, w.end());
        if (found == expected) return;
        auto join = [](const std::set<std::string>& ids) {
            std::string text;
            for (const std::string& id : ids) text += (text.empty() ? "" : " ") + id;
            return text.empty() ? std::string("none") : text;
        };
        return Fail("the problems are " + join(found) + ", expected " + join(expected));
    }
    if (dialogs_.empty()) return Fail("expect " + what + ": no dialog is open");
    if (what == "fits") {
        long long width = 0, height = 0;
        if (args != 2 || !ParseNumber(w[2], width) || !ParseNumber(w[3], height))
            return Fail("expect fits WIDTH HEIGHT");
        const QSize size = CurrentDialog()->frameGeometry().size();
        if (size.width() > width || size.height() > height)
            return Fail("the dialog is " + std::to_string(size.width()) + "x" +
                        std::to_string(size.height()) + ", larger than a " + w[2] + "x" + w[3] +
                        " screen");
        return;
    }
    if (what == "pages") {
        auto* tabs = CurrentDialog()->findChild<QTabWidget*>();
        std::vector<std::string> actual;
        for (int i = 0; tabs && i < tabs->count(); ++i) actual.push_back(tabs->tabText(i).toStdString());
        const std::vector<std::string> expected(w.begin() + 2, w.end());
        if (actual != expected) {
            std::string got;
            for (const auto& a : actual) got += " " + Quoted(a);
            return Fail("the pages are" + (got.empty() ? std::string(" none") : got));
        }
        return;
    }

    if (args < 1) return Fail("expect " + what + " ID");
    if (what == "text" || what == "selected") {
        if (args != 2) return Fail("expect " + what + " ID \"TEXT\"");
        QWidget* control = ExpectedControl(w[2]);
        if (!control) return;
        const std::string label = "control " + w[2];
        const std::string actual = driver::TextOf(control);
        if (what == "selected" && driver::KindOf(control) != "list")
            return Fail(label + " is not a drop-down list");
        if (actual != w[3]) return Fail(label + " shows " + Quoted(actual) + ", expected " + Quoted(w[3]));
        return;
    }
    // A state may be expected of several controls at once; the first that
    // lacks it stops the run.
    for (std::size_t i = 2; i < w.size(); ++i) {
        QWidget* control = ExpectedControl(w[i]);
        if (!control) return;
        bool ok;
        if (what == "checked") ok = driver::IsChecked(control);
        else if (what == "unchecked") ok = !driver::IsChecked(control);
        else if (what == "enabled") ok = control->isEnabled();
        else if (what == "disabled") ok = !control->isEnabled();
        else if (what == "visible") ok = control->isVisible();
        else if (what == "hidden") ok = !control->isVisible();
        else return Fail("unknown expectation: " + what);
        if (!ok) return Fail("control " + w[i] + " is not " + what);
    }
}

QWidget* ScriptRunner::ExpectedControl(const std::string& word) {
    const int id = ParseId(word);
    if (id < 0) return nullptr;
    QWidget* control = driver::Find(CurrentPage(), id);
    if (!control) control = driver::Find(CurrentDialog(), id);
    if (!control) Fail("no control " + word);
    return control;
}
