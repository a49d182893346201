#pragma once
// The randomized explorer: a script writer that watches the program it
// drives. From a seed it chooses, line by line, what a restless user would do
// on one model (Peripherals commands, clicks, list choices, slider moves, tab
// switches, typed text of every kind, calculators, nested sheets, answers to
// message boxes, OK and Cancel, Reset, Reset All, undo and redo, code-format
// switches, save and reopen) and, between those actions, the script checks
// that must hold after them:
//   - Cancel leaves the project's bytes as they were when the sheet opened,
//     but for what nested sheets and the ECI dialog stored at once; a sheet's
//     OK changes only the records it stores; while a dialog is open, no action
//     on it stores anything (but the Oscillators' clock words);
//   - Undo gives back the exact bytes before a step, Redo those after it, and
//     the modified mark follows the saved state;
//   - save, close and open give the same bytes and the same generated code;
//   - the code window shows what the project generates, and generating again
//     gives the same text;
//   - no message box lacks its text, no dialog is larger than the screen.
// Everything it does goes through the script language, so the lines it wrote
// replay the run exactly through `zorvant run`.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "host/ScriptRunner.h"

class QWidget;

namespace explore {


class Explorer : public ScriptSource {
public:
    // `steps` actions on `model`; every line is also handed to `log`, which
    // keeps the current episode's script (it starts again at each `new`).
    class Log {
    public:
        virtual ~Log() = default;
        virtual void NewEpisode(const std::string& header) = 0;
        virtual void Line(const std::string& line) = 0;
    };

    Explorer(std::string model, std::uint64_t seed, long steps, Log& log);

    void Started(ScriptRunner& runner) override;
    bool NextLine(std::string& line) override;
    void DialogOpened(ModalDialog& dialog) override;
    void DialogClosed(ModalDialog& dialog) override;

    long StepsDone() const { return steps_; }
    // Why the run stopped early without a script failure (empty otherwise).
    const std::string& Problem() const { return problem_; }

private:
    // One open dialog.
    struct Level {
        ModalDialog* Dialog = nullptr;
        std::string Title;
        bool Sheet = false;
        std::uint32_t Sysclk = 0, ExtOsc = 0;  // the words when it opened
        int Actions = 0;
    };
    // One state of the project in the undo history the explorer expects.
    struct State {
        std::vector<std::uint8_t> Bytes;
        long Serial = 0;
    };

    std::uint64_t Next();
    std::size_t Below(std::size_t n) { return n ? static_cast<std::size_t>(Next() % n) : 0; }
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

    void Emit(const std::string& line) { pending_.push_back(line); }
    void Act(const std::string& line);
    void MaybeAnswer();
    // The checks on the current dialog after an action on it.
    void CheckDialog();
    std::string ClockExcept() const;

    void StartEpisode();
    void TopLevelAction();
    void DialogAction();
    bool ControlAction(QWidget* page);
    std::string RandomText();
    // After a top-level action has finished: the expected history and its checks.
    void AfterTopLevel();
    void PushState(const std::vector<std::uint8_t>& bytes);
    void ResetHistory();
    std::string StateName(const State& s) const { return "s" + std::to_string(s.Serial % 128); }
    std::vector<std::uint8_t> ProjectBytes();

    // The clock words before the latest action: a sheet that opens from it
    // and is cancelled puts the Oscillators' words back to these.
    std::uint32_t preSysclk_ = 0, preExtOsc_ = 0;
    std::string model_;
    std::uint64_t rng_;
    long budget_;
    long steps_ = 0;
    Log& log_;
    ScriptRunner* runner_ = nullptr;
    std::deque<std::string> pending_;
    std::vector<Level> levels_;
    std::string problem_;
    bool dialogCheckDue_ = false;  // an action on a dialog awaits CheckDialog

    bool projectOpen_ = false;
    long episodeSteps_ = 0;    // actions left in this episode
    std::string lastTop_;      // the top-level action whose outcome is due
    std::deque<State> history_;
    std::size_t index_ = 0;    // the current state in history_
    long clean_ = 0;           // the saved state's index, -1 when out of reach
    long serial_ = 0;
    int episode_ = 0;
    std::string episodeHeader_;
};

}  // namespace explore
