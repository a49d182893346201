#include "explore/Explorer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <map>

#include "framework/CMainFrame.h"
#include "framework/ControlDriver.h"
#include "host/ScriptSyntax.h"
#include "model/DeviceDocument.h"
#include "model/Ui.h"

namespace explore {
namespace {

// What a sheet (or the ECI dialog) stores into the project on its OK, by
// title, as script `except` items: records by id, clock words by name.
// Anything else that closes (a calculator) stores nothing.
const std::vector<std::string>& StoredBy(const std::string& title) {
    static const std::map<std::string, std::vector<std::string>> table = {
        {"Oscillators", {"14", "SysclkFrequency", "ExtOscFrequency"}}, {"Timers", {"2"}},
        {"Interrupts", {"15"}}, {"SMBus", {"4"}}, {"Enhanced Serial Peripheral Interface", {"5"}},
        {"UARTs", {"3"}}, {"Voltage Reference", {"10"}}, {"Voltage Regulator", {"11"}},
        {"Comparator", {"8"}}, {"Port I/O", {"13"}}, {"Programmable Counter Array", {"1"}},
        {"Reset Sources", {"0", "9"}}, {"ADC", {"6"}}, {"Prefetch Engine", {"12"}},
        {"EMI", {"7"}}, {"ECI Pin Frequency", {"EciFrequency"}},
    };
    static const std::vector<std::string> none;
    const auto it = table.find(title);
    return it == table.end() ? none : it->second;
}

// The Oscillators pages change the system clock words while the sheet is
// open; its Cancel puts them back.
constexpr const char* kClockSheet = "Oscillators";

// How many states back the explorer keeps for undo (script names s0..s127).
constexpr std::size_t kHistory = 48;

constexpr const char* kSaveName = "explore.zvp";
constexpr const char* kSourceName = "explore.src";

std::string ExceptList(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? " except " : " ") + item;
    return out;
}

bool IsDialogButton(int id) { return id == 1 || id == 2 || id == 8888; }

}  // namespace

Explorer::Explorer(std::string model, std::uint64_t seed, long steps, Log& log)
    : model_(std::move(model)), rng_(seed * 0x9E3779B97F4A7C15ull + 1), budget_(steps), log_(log) {}

// splitmix64: small, fast and the same everywhere, so a seed means one run.
std::uint64_t Explorer::Next() {
    std::uint64_t z = (rng_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void Explorer::Started(ScriptRunner& runner) { runner_ = &runner; }

bool Explorer::NextLine(std::string& line) {
    while (true) {
        if (!pending_.empty()) {
            line = pending_.front();
            pending_.pop_front();
            // Each episode's script starts at its new project.
            if (line.rfind("new ", 0) == 0) log_.NewEpisode(episodeHeader_);
            log_.Line(line);
            return true;
        }
        if (levels_.empty() && !lastTop_.empty()) {
            AfterTopLevel();
            continue;
        }
        if (dialogCheckDue_) {
            dialogCheckDue_ = false;
            if (!levels_.empty()) {
                CheckDialog();
                continue;
            }
        }
        if (steps_ >= budget_) {
            // Every dialog closes before the script ends.
            if (levels_.empty()) return false;
            Emit("cancel");
            continue;
        }
        if (!runner_->Ui().Answers.empty()) {
            // An answer nobody asked for would answer some later box.
            Emit("answer none");
            continue;
        }
        if (levels_.empty() && (!projectOpen_ || episodeSteps_ <= 0)) {
            StartEpisode();
            continue;
        }
        if (levels_.empty())
            TopLevelAction();
        else
            DialogAction();
    }
}

void Explorer::Act(const std::string& line) {
    if (CDeviceDocument* doc = runner_->Host().ActiveDocument()) {
        preSysclk_ = doc->SysclkFrequency;
        preExtOsc_ = doc->ExtOscFrequency;
    }
    Emit(line);
    ++steps_;
    --episodeSteps_;
    if (!levels_.empty()) {
        ++levels_.back().Actions;
        dialogCheckDue_ = true;
    }
}

void Explorer::MaybeAnswer() {
    // Message boxes get Yes (or OK) unless told otherwise; now and then the
    // next one is refused instead.
    if (!runner_->Ui().Answers.empty() || !Chance(30)) return;
    Emit(Chance(50) ? "answer no" : "answer yes");
}

std::vector<std::uint8_t> Explorer::ProjectBytes() {
    CDeviceDocument* doc = runner_->Host().ActiveDocument();
    return doc ? doc->SaveProject() : std::vector<std::uint8_t>();
}

// ---- episodes and the history they expect ------------------------------------

void Explorer::StartEpisode() {
    if (projectOpen_) {
        if (runner_->Host().IsModified()) Emit("answer discard");
        Emit("close");
    }
    ++episode_;
    episodeHeader_ = "# explore " + model_ + ", episode " + std::to_string(episode_) +
                     " (steps from " + std::to_string(steps_) + ")";
    Emit("new " + model_);
    projectOpen_ = true;
    episodeSteps_ = 50 + static_cast<long>(Below(400));
    lastTop_ = "new";
}

void Explorer::ResetHistory() {
    history_.clear();
    history_.push_back({ProjectBytes(), serial_++});
    index_ = 0;
    clean_ = 0;
    Emit("keep " + StateName(history_.back()));
}

void Explorer::PushState(const std::vector<std::uint8_t>& bytes) {
    // A new step forgets what could be redone, and with it, perhaps, the
    // saved state.
    while (history_.size() > index_ + 1) history_.pop_back();
    if (clean_ > static_cast<long>(index_)) clean_ = -1;
    history_.push_back({bytes, serial_++});
    ++index_;
    if (history_.size() > kHistory) {
        history_.pop_front();
        --index_;
        if (clean_ >= 0) --clean_;
    }
    Emit("keep " + StateName(history_.back()));
}

void Explorer::AfterTopLevel() {
    const std::string action = lastTop_;
    lastTop_.clear();
    if (action == "new" || action == "reopen") {
        ResetHistory();
    } else if (action == "undo") {
        --index_;
        Emit("expect project " + StateName(history_[index_]));
    } else if (action == "redo") {
        ++index_;
        Emit("expect project " + StateName(history_[index_]));
    } else if (action == "save") {
        clean_ = static_cast<long>(index_);
    } else {
        // A sheet, Reset All or a format switch: one step when it changed anything.
        const auto bytes = ProjectBytes();
        if (bytes != history_[index_].Bytes) PushState(bytes);
    }
    Emit("expect code-current");
    Emit(std::string("expect modified ") + (static_cast<long>(index_) == clean_ ? "no" : "yes"));
}

// ---- actions ----------------------------------------------------------------

void Explorer::TopLevelAction() {
    const std::size_t roll = Below(100);
    if (roll < 12 && index_ > 0) {
        Act("undo");
        lastTop_ = "undo";
    } else if (roll < 20 && index_ + 1 < history_.size()) {
        Act("redo");
        lastTop_ = "redo";
    } else if (roll < 17) {
        Emit(Chance(50) ? "answer no" : "answer yes");
        Act("resetall");
        lastTop_ = "resetall";
    } else if (roll < 22) {
        Act(Chance(50) ? "format asm" : "format c");
        lastTop_ = "format";
    } else if (roll < 25) {
        // Save, close and open again: the same bytes and the same code.
        Act(std::string("save ") + kSaveName);
        Emit("keep saved");
        Emit("close");
        Emit(std::string("open ") + kSaveName);
        Emit("expect project saved");
        Emit("expect code saved");
        lastTop_ = "reopen";
    } else if (roll < 28) {
        Act(std::string("save ") + kSaveName);
        lastTop_ = "save";
    } else if (roll < 29) {
        Act(std::string("source ") + kSourceName);
        lastTop_ = "source";
    } else {
        const auto items = runner_->Host().PeripheralItems();
        std::vector<std::string> sheets;
        for (const auto& item : items)
            if (item != "Reset All") sheets.push_back(item);
        if (sheets.empty()) {
            problem_ = "the Peripherals menu offers no command";
            budget_ = steps_;
            return;
        }
        Act(script::Join({"menu", sheets[Below(sheets.size())]}));
        lastTop_ = "menu";
    }
}

void Explorer::DialogAction() {
    Level& level = levels_.back();
    QWidget* dialog = runner_->CurrentDialog();
    QWidget* page = runner_->CurrentPage();
    // The longer a dialog is open and the deeper it is, the likelier it closes.
    const int closeChance = 5 + level.Actions / 2 + 8 * static_cast<int>(levels_.size() - 1);
    const std::size_t roll = Below(100);
    if (static_cast<int>(roll) < closeChance) {
        MaybeAnswer();
        Act(Chance(55) ? "ok" : "cancel");
        return;
    }
    auto* tabs = dialog ? dialog->findChild<QTabWidget*>() : nullptr;
    if (roll >= 90 && tabs && tabs->count() > 1) {
        Act("tab " + std::to_string(1 + Below(static_cast<std::size_t>(tabs->count()))));
        return;
    }
    if (roll >= 86 && roll < 90 && level.Sheet) {
        MaybeAnswer();
        Act("reset");
        return;
    }
    MaybeAnswer();
    if (!ControlAction(page)) Act(Chance(50) ? "ok" : "cancel");
}

bool Explorer::ControlAction(QWidget* page) {
    if (!page) return false;
    std::map<int, QWidget*> usable;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const QVariant id = w->property("zvId");
        if (!id.isValid() || IsDialogButton(id.toInt())) continue;
        if (!w->isVisible() || !w->isEnabled()) continue;
        const std::string kind = driver::KindOf(w);
        if (kind == "label" || kind == "preview" || kind == "table" || kind == "group") continue;
        if (auto* e = qobject_cast<QLineEdit*>(w); e && e->isReadOnly()) continue;
        usable.emplace(id.toInt(), w);
    }
    if (usable.empty()) return false;
    auto it = usable.begin();
    std::advance(it, static_cast<long>(Below(usable.size())));
    const std::string id = std::to_string(it->first);
    QWidget* w = it->second;
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        if (list->count() == 0) return false;
        Act("select " + id + " #" + std::to_string(Below(static_cast<std::size_t>(list->count()))));
    } else if (qobject_cast<QLineEdit*>(w)) {
        Act(script::Join({"text", id, RandomText()}));
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        const int span = slider->maximum() - slider->minimum();
        Act("slide " + id + " " +
            std::to_string(slider->minimum() + static_cast<int>(Below(static_cast<std::size_t>(span) + 1))));
    } else if (qobject_cast<QAbstractButton*>(w)) {
        Act("click " + id);
    } else {
        return false;
    }
    return true;
}

std::string Explorer::RandomText() {
    static const char kHex[] = "0123456789ABCDEF";
    static const char kMixed[] = "0123456789abcdefABCDEFxX";
    auto digits = [&](std::size_t count, const char* set, std::size_t setSize) {
        std::string s;
        for (std::size_t i = 0; i < count; ++i) s += set[Below(setSize)];
        return s;
    };
    switch (Below(11)) {
        case 0: return digits(1 + Below(4), kHex, 16);
        case 1: return digits(1 + Below(6), kMixed, sizeof kMixed - 1);
        case 2: return std::to_string(Below(300));
        case 3: return std::to_string(Below(100000001));
        case 4: return std::to_string(Below(4294967296ull) + 4294967296ull * Below(3));
        case 5: return digits(10 + Below(30), kHex, 10);
        case 6: return "-" + std::to_string(Below(100000));
        case 7: {
            // Garbage: any printable character, quotes and backslashes included.
            std::string s;
            for (std::size_t i = 0, n = 1 + Below(12); i < n; ++i)
                s += static_cast<char>(' ' + Below(95));
            return s;
        }
        case 8: {
            // Very long text.
            std::string s;
            const std::size_t n = 100 + Below(3000);
            const bool numeric = Chance(50);
            for (std::size_t i = 0; i < n; ++i)
                s += numeric ? static_cast<char>('0' + Below(10)) : static_cast<char>('!' + Below(94));
            return s;
        }
        case 9: return "";
        default: {
            static const char* const kOdd[] = {"12.5", "1e6", " 42 ", "0x1F", "+7", "00000000000000000000001",
                                               "4294967295", "4294967296", "18446744073709551616", "9999999999",
                                               "0", "FFFF", "FFFFFFFF", "1 2", "\t3"};
            return kOdd[Below(std::size(kOdd))];
        }
    }
}

// ---- dialogs ----------------------------------------------------------------

void Explorer::DialogOpened(ModalDialog& dialog) {
    auto* widget = dynamic_cast<QWidget*>(&dialog);
    Level level;
    level.Dialog = &dialog;
    level.Title = widget ? widget->windowTitle().toLatin1().toStdString() : std::string();
    level.Sheet = widget && widget->findChild<QTabWidget*>();
    level.Sysclk = preSysclk_;
    level.ExtOsc = preExtOsc_;
    levels_.push_back(level);
    // Opening a dialog stores nothing.
    const std::string before =
        levels_.size() == 1 ? StateName(history_[index_]) : "d" + std::to_string(levels_.size() - 1);
    Emit("expect project " + before + ClockExcept());
    Emit("keep d" + std::to_string(levels_.size()));
    Emit("expect fits " + std::to_string(kMainFrameDefaultWidth) + " " +
         std::to_string(kMainFrameDefaultHeight));
}

std::string Explorer::ClockExcept() const {
    // Only the Oscillators pages move the clock words while their sheet is open.
    bool clocks = false;
    for (const Level& l : levels_) clocks = clocks || l.Title == kClockSheet;
    return clocks ? ExceptList({"SysclkFrequency", "ExtOscFrequency"}) : std::string();
}

void Explorer::CheckDialog() {
    // Controls, pages and Reset store nothing until the dialog's OK; the
    // dialog still fits on the screen after its page changed.
    Emit("expect project d" + std::to_string(levels_.size()) + ClockExcept());
    Emit("expect fits " + std::to_string(kMainFrameDefaultWidth) + " " +
         std::to_string(kMainFrameDefaultHeight));
}

void Explorer::DialogClosed(ModalDialog& dialog) {
    if (levels_.empty() || levels_.back().Dialog != &dialog) return;
    const Level level = levels_.back();
    levels_.pop_back();
    const std::string name = "d" + std::to_string(levels_.size() + 1);
    const bool clockSheet = level.Title == kClockSheet;
    std::vector<std::string> allowed;
    if (dialog.WasAccepted()) {
        allowed = StoredBy(level.Title);
    } else if (clockSheet) {
        allowed = {"SysclkFrequency", "ExtOscFrequency"};
    }
    Emit("expect project " + name + ExceptList(allowed));
    if (clockSheet && !dialog.WasAccepted()) {
        Emit("expect doc SysclkFrequency " + std::to_string(level.Sysclk));
        Emit("expect doc ExtOscFrequency " + std::to_string(level.ExtOsc));
    }
    // What the nested dialog stored is part of the outer one's starting point.
    if (!levels_.empty()) Emit("keep d" + std::to_string(levels_.size()));
}

}  // namespace explore
