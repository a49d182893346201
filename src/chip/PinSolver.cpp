#include "chip/PinSolver.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>

#include "chip/Project.h"

namespace portio {

namespace {

const std::vector<CrossbarEntry>& AllSignals() {
    static const std::vector<CrossbarEntry> list = BuildSignalList(true, false);
    return list;
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::uint32_t Bit(int n) {
    return 1u << n;
}

std::uint32_t SkipMask(const PeripheralRecord& rec, int pinCount) {
    std::uint32_t mask = 0;
    for (int p = 0; p < pinCount; ++p)
        if (rec.Registers[static_cast<std::size_t>(SkipPosition(p))].Value & PinMask(p))
            mask |= Bit(p);
    return mask;
}

// Writes the skip bits of the crossbar pins; bits above the pin count stay.
void WriteSkips(PeripheralRecord& rec, int pinCount, std::uint32_t mask) {
    for (int p = 0; p < pinCount; ++p) {
        std::uint8_t& value = rec.Registers[static_cast<std::size_t>(SkipPosition(p))].Value;
        if (mask & Bit(p))
            value |= PinMask(p);
        else
            value &= static_cast<std::uint8_t>(~PinMask(p));
    }
}

int LastPinOf(const CrossbarEntry& e, int pinCount) {
    return std::min(e.HighestPin, pinCount - 1);
}

std::string RangeText(const CrossbarEntry& e, int pinCount) {
    const int last = LastPinOf(e, pinCount);
    if (e.LowestPin == last) return e.GridName + " can only be on " + PinName(last);
    return e.GridName + " can only be on " + PinName(e.LowestPin) + " to " + PinName(last);
}

// The wishes as the search needs them: one per signal, at most one per pin.
struct Wants {
    std::vector<int> PinOf;        // per signal row, -1 when not named
    std::vector<int> SignalOnPin;  // per crossbar pin, -1 when not wanted
};

// What ended the branch that got furthest, when none got through.
struct Failure {
    int Pin = -1;
    int Rank = -1;  // at equal pins the more telling reason wins
    std::string Reason;
    // A wanted pin taken by signals placed before the wanted one: the rows
    // that took it in the branches that got there.
    int Wanted = -1;
    std::uint32_t TakenBy = 0;
};

std::string TakenText(const std::vector<CrossbarEntry>& signals, const Failure& f) {
    std::vector<std::string> names;
    for (const auto& e : signals)
        if (f.TakenBy & (1u << e.GridRow)) names.push_back(e.GridName);
    std::string who = names.front();
    for (std::size_t i = 1; i < names.size(); ++i)
        who += (i + 1 == names.size() ? " and " : ", ") + names[i];
    const std::string& wanted = signals[static_cast<std::size_t>(f.Wanted)].GridName;
    return who + (names.size() == 1 ? " comes" : " come") + " before " + wanted +
           " in the crossbar's order and cannot" + (names.size() == 1 ? "" : " all") +
           " be kept off " + PinName(f.Pin);
}

// The fewest skips to add to the record's (lowest pins first among equally
// few), by trying the crossbar placement itself. The placement on the pins up
// to p depends only on the skip bits up to p, so the pins are decided in
// ascending order, and two choices that leave the same signals placed on the
// pins so far have the same future: one search state per such set, keeping
// the best skips that reached it.
struct SearchResult {
    bool Found = false;
    std::vector<int> Added;
    Failure Why;
};

SearchResult FindSkips(CCrossbar& xbar, PeripheralRecord& rec, const Wants& wants) {
    const int pinCount = xbar.PinCount();
    const auto& signals = xbar.SignalList();
    std::uint32_t routed = 0;
    for (const auto& e : signals)
        if (e.LowestPin != kNotRouted && IsEntryOn(rec, e)) routed |= Bit(e.GridRow);
    const std::uint32_t userSkips = SkipMask(rec, pinCount);

    SearchResult result;
    auto fail = [&](int pin, int rank, std::string reason) {
        if (pin > result.Why.Pin || (pin == result.Why.Pin && rank > result.Why.Rank))
            result.Why = {pin, rank, std::move(reason)};
    };
    auto taken = [&](int pin, int wanted, int by) {
        if (pin == result.Why.Pin && result.Why.Wanted == wanted)
            result.Why.TakenBy |= Bit(by);
        else if (pin > result.Why.Pin || (pin == result.Why.Pin && 1 > result.Why.Rank))
            result.Why = {pin, 1, "", wanted, Bit(by)};
    };
    auto better = [](const std::vector<int>& a, const std::vector<int>& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    };
    auto name = [&](int row) { return signals[static_cast<std::size_t>(row)].GridName; };

    // placed signals (rows) on the pins decided so far -> the best added skips
    std::map<std::uint32_t, std::vector<int>> states{{0u, {}}};
    for (int p = 0; p < pinCount && !states.empty(); ++p) {
        const int wanted = wants.SignalOnPin[static_cast<std::size_t>(p)];
        const bool mayAdd = !(userSkips & Bit(p)) && wanted < 0;
        std::map<std::uint32_t, std::vector<int>> next;
        for (const auto& [placed, added] : states) {
            std::uint32_t addedMask = 0;
            for (int a : added)
                addedMask |= Bit(a);
            for (const bool skip : {false, true}) {
                if (skip && !mayAdd) continue;
                WriteSkips(rec, pinCount, userSkips | addedMask | (skip ? Bit(p) : 0));
                std::uint32_t now = 0;
                int onPin = -1;
                for (const auto& cell : xbar.DecodeCrossbar(rec).AssignedCells) {
                    if (cell.Pin > p) continue;
                    now |= Bit(cell.GridRow);
                    if (cell.Pin == p) onPin = cell.GridRow;
                }
                if (wanted >= 0 && onPin != wanted) {
                    if (onPin < 0)
                        fail(p, 1, name(wanted) + " does not reach " + PinName(p));
                    else
                        taken(p, wanted, onPin);
                    continue;
                }
                if (onPin >= 0 && wants.PinOf[static_cast<std::size_t>(onPin)] >= 0 &&
                    wants.PinOf[static_cast<std::size_t>(onPin)] != p) {
                    fail(p, 0, name(onPin) + " would land on " + PinName(p));
                    continue;
                }
                bool stranded = false;
                for (const auto& e : signals) {
                    if (!(routed & ~now & Bit(e.GridRow)) || LastPinOf(e, pinCount) > p) continue;
                    fail(p, 2, e.GridName + " would be left without a pin");
                    stranded = true;
                    break;
                }
                if (stranded) continue;
                std::vector<int> path = added;
                if (skip) path.push_back(p);
                auto [it, inserted] = next.try_emplace(now, path);
                if (!inserted && better(path, it->second)) it->second = std::move(path);
            }
        }
        states = std::move(next);
    }
    WriteSkips(rec, pinCount, userSkips);
    if (result.Why.TakenBy) result.Why.Reason = TakenText(signals, result.Why);
    // Whatever is left has placed every routed signal: one not placed by
    // its last pin ended its branch there.
    for (const auto& [placed, added] : states)
        if (!result.Found || better(added, result.Added)) {
            result.Found = true;
            result.Added = added;
        }
    return result;
}

// Routes the signal's peripheral as its check box would; a PCA channel
// count already large enough stays.
void RouteSignal(PeripheralRecord& rec, const CrossbarEntry& e) {
    if (!IsEntryOn(rec, e)) ApplyCheckbox(rec, e, true);
}

}  // namespace

std::optional<int> SignalByName(std::string_view name) {
    for (const auto& e : AllSignals())
        if (SameWord(e.GridName, name)) return e.GridRow;
    return std::nullopt;
}

std::string SignalName(int row) {
    const auto& all = AllSignals();
    return row >= 0 && row < static_cast<int>(all.size())
               ? all[static_cast<std::size_t>(row)].GridName
               : std::string();
}

std::optional<int> PinByName(std::string_view name) {
    if (name.size() != 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'P' ||
        name[2] != '.' || name[1] < '0' || name[1] > '3' || name[3] < '0' || name[3] > '7')
        return std::nullopt;
    return PinFromPortBit(name[1] - '0', name[3] - '0');
}

std::string PinRefusal::Text() const {
    return Signal + "=" + Pin + ": " + Reason;
}

std::vector<SignalLanding> LandingsOf(const CCrossbar& xbar, const PeripheralRecord& rec,
                                      const std::vector<PinWish>& wishes) {
    std::vector<SignalLanding> out;
    for (const auto& e : xbar.SignalList()) {
        if (e.LowestPin == kNotRouted || !IsEntryOn(rec, e)) continue;
        SignalLanding landing{e.GridRow, -1, false};
        for (const auto& cell : xbar.LastDecode().AssignedCells)
            if (cell.GridRow == e.GridRow) landing.Pin = cell.Pin;
        landing.Wanted = std::any_of(wishes.begin(), wishes.end(),
                                     [&](const PinWish& w) { return w.Signal == e.GridRow; });
        out.push_back(landing);
    }
    return out;
}

PinPlan SolvePins(const PeripheralRecord& portIo, bool largePackage, const PeripheralRecord& spi0,
                  const std::vector<PinWish>& wishesAsGiven) {
    CCrossbar xbar(largePackage, spi0);
    const int pinCount = xbar.PinCount();
    const auto& signals = xbar.SignalList();
    PinPlan plan;
    plan.PortIo = portIo;
    auto refuse = [&](const PinWish& w, std::string reason) {
        plan.Refusal = PinRefusal{SignalName(w.Signal), PinName(w.Pin), std::move(reason)};
        xbar.DecodeCrossbar(portIo);
        plan.Landings = LandingsOf(xbar, portIo);
        return plan;
    };

    // Each wish on its own, and against those before it.
    std::vector<PinWish> wishes;
    Wants wants{std::vector<int>(signals.size(), -1), std::vector<int>(kMaxPinCount, -1)};
    const std::uint32_t userSkips = SkipMask(portIo, pinCount);
    for (const PinWish& w : wishesAsGiven) {
        const std::string signal = SignalName(w.Signal);
        if (signal.empty()) return refuse(w, "no such signal");
        if (w.Signal >= static_cast<int>(signals.size()))
            return refuse(w, signal + " is only on the large-package models");
        const CrossbarEntry& e = signals[static_cast<std::size_t>(w.Signal)];
        if (e.LowestPin == kNotRouted)
            return refuse(w, signal + " takes no pin while SPI0 is in three-wire mode");
        if (w.Pin < 0 || w.Pin >= pinCount)
            return refuse(w, "this model's crossbar ends at " + PinName(pinCount - 1));
        if (w.Pin < e.LowestPin || w.Pin > LastPinOf(e, pinCount))
            return refuse(w, RangeText(e, pinCount));
        const int pinWanted = wants.PinOf[static_cast<std::size_t>(w.Signal)];
        if (pinWanted == w.Pin) continue;
        if (pinWanted >= 0)
            return refuse(w, signal + " is already wanted on " + PinName(pinWanted));
        const int other = wants.SignalOnPin[static_cast<std::size_t>(w.Pin)];
        if (other >= 0)
            return refuse(w, PinName(w.Pin) + " is already wanted for " + SignalName(other));
        if (userSkips & Bit(w.Pin))
            return refuse(w, PinName(w.Pin) + " is skipped, and skips are only ever added");
        wants.PinOf[static_cast<std::size_t>(w.Signal)] = w.Pin;
        wants.SignalOnPin[static_cast<std::size_t>(w.Pin)] = w.Signal;
        wishes.push_back(w);
    }

    // Nothing wanted: nothing to change.
    xbar.DecodeCrossbar(portIo);
    if (wishes.empty()) {
        plan.Landings = LandingsOf(xbar, portIo);
        return plan;
    }
    // A routed signal already without a pin cannot get one by more skips.
    for (const SignalLanding& l : LandingsOf(xbar, portIo))
        if (l.Pin < 0)
            return refuse(wishes.front(), SignalName(l.Signal) +
                                              " has no pin in the project as it stands, and "
                                              "added skips cannot give it one");

    PeripheralRecord rec = portIo;
    for (const PinWish& w : wishes)
        RouteSignal(rec, signals[static_cast<std::size_t>(w.Signal)]);
    EnableCrossbar(rec);
    SearchResult found = FindSkips(xbar, rec, wants);
    if (!found.Found) {
        // Blame the first wish that cannot be met together with those before it.
        for (std::size_t n = 1; n <= wishes.size(); ++n) {
            Wants some{std::vector<int>(signals.size(), -1), std::vector<int>(kMaxPinCount, -1)};
            PeripheralRecord part = portIo;
            for (std::size_t i = 0; i < n; ++i) {
                const PinWish& w = wishes[i];
                some.PinOf[static_cast<std::size_t>(w.Signal)] = w.Pin;
                some.SignalOnPin[static_cast<std::size_t>(w.Pin)] = w.Signal;
                RouteSignal(part, signals[static_cast<std::size_t>(w.Signal)]);
            }
            const SearchResult r = n == wishes.size() ? found : FindSkips(xbar, part, some);
            if (!r.Found) return refuse(wishes[n - 1], r.Why.Reason);
        }
    }

    WriteSkips(
        rec, pinCount, userSkips | [&] {
            std::uint32_t mask = 0;
            for (int p : found.Added)
                mask |= Bit(p);
            return mask;
        }());
    xbar.DecodeCrossbar(rec);
    xbar.BuildPinComment(rec);
    plan.PortIo = std::move(rec);
    plan.AddedSkips = std::move(found.Added);
    plan.Landings = LandingsOf(xbar, plan.PortIo, wishes);
    return plan;
}

PinPlan SolvePins(const chip::Project& project, const std::vector<PinWish>& wishes) {
    return SolvePins(project.Record(Pid::PortIO), project.LargePackage(), project.Record(Pid::Spi),
                     wishes);
}

}  // namespace portio
