#include "chip/ProjectMerge.h"

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <variant>

#include "chip/Crossbar.h"
#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "devices/Registers.h"
#include "model/DeviceDocument.h"

namespace projectmerge {
namespace {

// What one slot of a project holds: nothing (a missing record), a number, a
// text, a whole entry or a whole record.
using Value = std::variant<std::monostate, std::int64_t, std::string, RegisterEntry,
                           PeripheralRecord>;

// One piece of a project that merges as a value.
struct Slot {
    std::string Name;  // for conflicts: "Timer_Init TMOD CPre", "SysclkFrequency"
    std::function<Value(const CDeviceDocument&)> Get;
    std::function<void(CDeviceDocument&, const Value&)> Set;
    // Bits of a register: conflicts show the whole register.
    PeripheralId Record = -1;
    int Position = -1;
};

// Slots that merge together: changed on both sides is a conflict.
struct Unit {
    std::vector<Slot> Slots;
    std::string Why;  // "" for a single slot, else "(watchdog group)"
};

const PeripheralRecord* Find(const CDeviceDocument& doc, PeripheralId key) {
    const auto it = doc.DeviceData.Peripherals.find(key);
    return it == doc.DeviceData.Peripherals.end() ? nullptr : &it->second;
}

std::string Hex(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", v & 0xFFu);
    return text;
}

// A text as a conflict line shows it: quoted, with line ends and other
// control characters escaped.
std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\r') out += "\\r";
        else if (ch == '\n') out += "\\n";
        else if (ch == '"' || ch == '\\') out += std::string("\\") + ch;
        else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string Shown(const Value& v) {
    if (std::holds_alternative<std::monostate>(v)) return "(none)";
    if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    if (const auto* s = std::get_if<std::string>(&v)) return Quoted(*s);
    if (const auto* e = std::get_if<RegisterEntry>(&v)) return Hex(e->Value);
    return "(record)";
}

class Merger {
public:
    Merger(const CDeviceDocument& base, const CDeviceDocument& ours, const CDeviceDocument& theirs,
           CDeviceDocument& result)
        : base_(base), ours_(ours), theirs_(theirs), result_(result) {}

    std::vector<std::string> Run();

private:
    std::string RecordName(PeripheralId key) const {
        const PeripheralRecord* r = Find(base_, key);
        if (!r) r = Find(ours_, key);
        std::string name = r ? codegen::CallNameFromLabel(r->AsmLabel) : std::string();
        return name.empty() ? "record " + std::to_string(key) : name;
    }
    bool SameShape(PeripheralId key) const;
    void Conflict(const std::string& line) {
        if (seen_.insert(line).second) conflicts_.push_back(line);
    }
    void MergeUnit(const Unit& unit);

    // Slots of a project, a record, an entry.
    static Slot Word(const char* name, std::uint32_t CDeviceDocument::*word);
    Slot WholeRecord(PeripheralId key) const;
    Slot RecordText(PeripheralId key, const char* field, std::string PeripheralRecord::*text) const;
    Slot WholeEntry(PeripheralId key, int position) const;
    Slot Bits(PeripheralId key, int position, std::uint8_t mask) const;
    Slot EntryText(PeripheralId key, int position, const char* field,
                   std::string RegisterEntry::*text) const;
    Slot EntryNumber(PeripheralId key, int position, const char* field,
                     std::int32_t RegisterEntry::*number) const;
    Slot ResetValue(PeripheralId key, int position) const;

    // Whether a slot is already part of a unit (the rest of its record then
    // leaves it out).
    void Claim(PeripheralId key, int position, std::uint8_t mask) { claimedBits_[{key, position}] |= mask; }
    void Claim(PeripheralId key, int position, const char* field) { claimed_.insert({key, position, field}); }
    bool Claimed(PeripheralId key, int position, const char* field) const {
        return claimed_.count({key, position, field}) != 0;
    }
    // Units of everything in a record that no earlier unit claimed.
    void RecordUnits(PeripheralId key, std::vector<Unit>& units, bool withPrologue);

    const CDeviceDocument &base_, &ours_, &theirs_;
    CDeviceDocument& result_;
    std::vector<std::string> conflicts_;
    std::set<std::string> seen_;
    std::map<std::pair<PeripheralId, int>, std::uint8_t> claimedBits_;
    std::set<std::tuple<PeripheralId, int, std::string>> claimed_;
};

Slot Merger::Word(const char* name, std::uint32_t CDeviceDocument::*word) {
    return {name, [word](const CDeviceDocument& d) { return Value(std::int64_t{d.*word}); },
            [word](CDeviceDocument& d, const Value& v) {
                d.*word = static_cast<std::uint32_t>(std::get<std::int64_t>(v));
            }};
}

Slot Merger::WholeRecord(PeripheralId key) const {
    return {RecordName(key),
            [key](const CDeviceDocument& d) {
                const PeripheralRecord* r = Find(d, key);
                return r ? Value(*r) : Value();
            },
            [key](CDeviceDocument& d, const Value& v) {
                if (const auto* r = std::get_if<PeripheralRecord>(&v))
                    d.DeviceData.Peripherals[key] = *r;
                else
                    d.DeviceData.Peripherals.erase(key);
            }};
}

Slot Merger::RecordText(PeripheralId key, const char* field,
                        std::string PeripheralRecord::*text) const {
    return {RecordName(key) + " " + field,
            [key, text](const CDeviceDocument& d) { return Value(Find(d, key)->*text); },
            [key, text](CDeviceDocument& d, const Value& v) {
                d.DeviceData.Peripherals.at(key).*text = std::get<std::string>(v);
            }};
}

// Entries are addressed by position; SameShape made sure every side has it.
const RegisterEntry& EntryOf(const CDeviceDocument& d, PeripheralId key, int position) {
    return Find(d, key)->Registers[static_cast<std::size_t>(position)];
}
RegisterEntry& EntryOf(CDeviceDocument& d, PeripheralId key, int position) {
    return d.DeviceData.Peripherals.at(key).Registers[static_cast<std::size_t>(position)];
}

Slot Merger::WholeEntry(PeripheralId key, int position) const {
    return {RecordName(key) + " " + EntryOf(base_, key, position).Name,
            [key, position](const CDeviceDocument& d) { return Value(EntryOf(d, key, position)); },
            [key, position](CDeviceDocument& d, const Value& v) {
                EntryOf(d, key, position) = std::get<RegisterEntry>(v);
            },
            key, position};
}

Slot Merger::Bits(PeripheralId key, int position, std::uint8_t mask) const {
    return {RecordName(key) + " " + EntryOf(base_, key, position).Name,
            [=](const CDeviceDocument& d) {
                return Value(std::int64_t{EntryOf(d, key, position).Value & mask});
            },
            [=](CDeviceDocument& d, const Value& v) {
                std::uint8_t& value = EntryOf(d, key, position).Value;
                value = static_cast<std::uint8_t>((value & ~mask) |
                                                  (std::get<std::int64_t>(v) & mask));
            },
            key, position};
}

Slot Merger::EntryText(PeripheralId key, int position, const char* field,
                       std::string RegisterEntry::*text) const {
    return {RecordName(key) + " " + EntryOf(base_, key, position).Name + " " + field,
            [=](const CDeviceDocument& d) { return Value(EntryOf(d, key, position).*text); },
            [=](CDeviceDocument& d, const Value& v) {
                EntryOf(d, key, position).*text = std::get<std::string>(v);
            }};
}

Slot Merger::EntryNumber(PeripheralId key, int position, const char* field,
                         std::int32_t RegisterEntry::*number) const {
    return {RecordName(key) + " " + EntryOf(base_, key, position).Name + " " + field,
            [=](const CDeviceDocument& d) {
                return Value(std::int64_t{EntryOf(d, key, position).*number});
            },
            [=](CDeviceDocument& d, const Value& v) {
                EntryOf(d, key, position).*number = static_cast<std::int32_t>(std::get<std::int64_t>(v));
            }};
}

Slot Merger::ResetValue(PeripheralId key, int position) const {
    return {RecordName(key) + " " + EntryOf(base_, key, position).Name + " ResetValue",
            [=](const CDeviceDocument& d) {
                return Value(std::int64_t{EntryOf(d, key, position).ResetValue});
            },
            [=](CDeviceDocument& d, const Value& v) {
                EntryOf(d, key, position).ResetValue = static_cast<std::uint8_t>(std::get<std::int64_t>(v));
            }};
}

// The record exists on every side with the same registers in the same order.
bool Merger::SameShape(PeripheralId key) const {
    const PeripheralRecord *b = Find(base_, key), *o = Find(ours_, key), *t = Find(theirs_, key);
    if (!b || !o || !t) return false;
    auto names = [](const PeripheralRecord& r) {
        std::vector<std::string> n;
        for (const auto& e : r.Registers)
            n.push_back(e.Name);
        return n;
    };
    return names(*b) == names(*o) && names(*b) == names(*t);
}

void Merger::MergeUnit(const Unit& unit) {
    std::vector<Value> b, o, t;
    for (const Slot& s : unit.Slots) {
        b.push_back(s.Get(base_));
        o.push_back(s.Get(ours_));
        t.push_back(s.Get(theirs_));
    }
    if (o == t || t == b) return;  // the result holds OURS already
    if (o == b) {
        for (std::size_t i = 0; i < unit.Slots.size(); ++i)
            unit.Slots[i].Set(result_, t[i]);
        return;
    }
    const std::string why = unit.Why.empty() ? "" : " " + unit.Why;
    for (std::size_t i = 0; i < unit.Slots.size(); ++i) {
        if (o[i] == b[i] && t[i] == b[i]) continue;
        const Slot& s = unit.Slots[i];
        auto line = [&](const std::string& name, unsigned vb, unsigned vo, unsigned vt,
                        const char* more) {
            Conflict(name + ": base " + Hex(vb) + " ours " + Hex(vo) + " theirs " + Hex(vt) + more +
                     why);
        };
        if (s.Position >= 0) {  // bits or a whole entry: the register's values
            const RegisterEntry &eb = EntryOf(base_, s.Record, s.Position),
                                &eo = EntryOf(ours_, s.Record, s.Position),
                                &et = EntryOf(theirs_, s.Record, s.Position);
            const bool sameValues = eb.Value == eo.Value && eb.Value == et.Value;
            line(s.Name, eb.Value, eo.Value, et.Value,
                 sameValues ? ", its flags or code texts changed" : "");
        } else if (std::holds_alternative<PeripheralRecord>(b[i]) &&
                   std::holds_alternative<PeripheralRecord>(o[i]) &&
                   std::holds_alternative<PeripheralRecord>(t[i])) {
            // A whole record: each register whose value changed, else its texts.
            const auto &rb = std::get<PeripheralRecord>(b[i]).Registers,
                       &ro = std::get<PeripheralRecord>(o[i]).Registers,
                       &rt = std::get<PeripheralRecord>(t[i]).Registers;
            bool shown = false;
            for (std::size_t r = 0; r < rb.size() && r < ro.size() && r < rt.size(); ++r)
                if (rb[r].Value != ro[r].Value || rb[r].Value != rt[r].Value) {
                    line(s.Name + " " + rb[r].Name, rb[r].Value, ro[r].Value, rt[r].Value, "");
                    shown = true;
                }
            if (!shown) Conflict(s.Name + ": its flags or code texts changed on both sides" + why);
        } else {
            Conflict(s.Name + ": base " + Shown(b[i]) + " ours " + Shown(o[i]) + " theirs " +
                     Shown(t[i]) + why);
        }
    }
}

void Merger::RecordUnits(PeripheralId key, std::vector<Unit>& units, bool withPrologue) {
    const std::pair<const char*, std::string PeripheralRecord::*> texts[] = {
        {"CHead", &PeripheralRecord::CHead},         {"AsmLabel", &PeripheralRecord::AsmLabel},
        {"CPrologue", &PeripheralRecord::CPrologue}, {"AsmPrologue", &PeripheralRecord::AsmPrologue},
        {"CFoot", &PeripheralRecord::CFoot},         {"AsmFoot", &PeripheralRecord::AsmFoot}};
    for (const auto& [field, text] : texts) {
        const bool prologue = text == &PeripheralRecord::CPrologue ||
                              text == &PeripheralRecord::AsmPrologue;
        if ((prologue && !withPrologue) || Claimed(key, -1, field)) continue;
        units.push_back({{RecordText(key, field, text)}, ""});
    }
    const PeripheralRecord& record = *Find(base_, key);
    for (int p = 0; p < static_cast<int>(record.Registers.size()); ++p) {
        const std::uint8_t claimed = claimedBits_.count({key, p}) ? claimedBits_.at({key, p}) : 0;
        for (std::uint8_t mask : regfields::FieldsOf(key, p)) {
            const auto free = static_cast<std::uint8_t>(mask & ~claimed);
            if (free) units.push_back({{Bits(key, p, free)}, ""});
        }
        if (claimed == 0xFF && Claimed(key, p, "entry")) continue;
        const std::pair<const char*, std::string RegisterEntry::*> entryTexts[] = {
            {"CPre", &RegisterEntry::CPre},
            {"AsmPre", &RegisterEntry::AsmPre},
            {"CPost", &RegisterEntry::CPost},
            {"AsmPost", &RegisterEntry::AsmPost}};
        for (const auto& [field, text] : entryTexts)
            if (!Claimed(key, p, field)) units.push_back({{EntryText(key, p, field, text)}, ""});
        units.push_back({{ResetValue(key, p)}, ""});
        units.push_back({{EntryNumber(key, p, "ForceWrite", &RegisterEntry::ForceWrite)}, ""});
        units.push_back({{EntryNumber(key, p, "OrWrite", &RegisterEntry::OrWrite)}, ""});
        units.push_back({{EntryNumber(key, p, "Index", &RegisterEntry::Index)}, ""});
    }
}

std::vector<std::string> Merger::Run() {
    if (base_.DeviceCode != ours_.DeviceCode || base_.DeviceCode != theirs_.DeviceCode) {
        auto name = [](const CDeviceDocument& d) { return models::NameOf(d.DeviceCode); };
        return {"model: base " + name(base_) + " ours " + name(ours_) + " theirs " + name(theirs_)};
    }
    std::vector<Unit> units;
    units.push_back({{Word("IntOscFrequency", &CDeviceDocument::IntOscFrequency)}, ""});
    units.push_back({{Word("LfOscFrequency", &CDeviceDocument::LfOscFrequency)}, ""});
    units.push_back({{Word("EciFrequency", &CDeviceDocument::EciFrequency)}, ""});
    units.push_back({{{"IncludeName",
                       [](const CDeviceDocument& d) { return Value(d.DeviceData.IncludeName); },
                       [](CDeviceDocument& d, const Value& v) {
                           d.DeviceData.IncludeName = std::get<std::string>(v);
                       }}},
                     ""});
    units.push_back({{{"CodeFormat",
                       [](const CDeviceDocument& d) {
                           return Value(std::int64_t{d.DeviceData.CodeFormat});
                       },
                       [](CDeviceDocument& d, const Value& v) {
                           d.DeviceData.CodeFormat = static_cast<std::int32_t>(std::get<std::int64_t>(v));
                       }}},
                     ""});

    std::set<PeripheralId> keys;
    for (const CDeviceDocument* d : {&base_, &ours_, &theirs_})
        for (const auto& [key, r] : d->DeviceData.Peripherals)
            keys.insert(key);
    std::set<PeripheralId> whole;  // records that merge as one value
    for (PeripheralId key : keys)
        if (!SameShape(key)) whole.insert(key);
    auto shaped = [&](PeripheralId key) { return keys.count(key) && !whole.count(key); };

    // The oscillator record with the clock words its pages write.
    if (keys.count(Pid::Oscillator)) {
        units.push_back({{WholeRecord(Pid::Oscillator),
                          Word("SysclkFrequency", &CDeviceDocument::SysclkFrequency),
                          Word("ExtOscFrequency", &CDeviceDocument::ExtOscFrequency)},
                         "(oscillator record with SysclkFrequency and ExtOscFrequency)"});
        whole.erase(Pid::Oscillator);
        keys.erase(Pid::Oscillator);
    }
    // The watchdog: timebase, counter, module 4 and the writes that lock it.
    if (shaped(Pid::Pca)) {
        Unit watchdog{{}, "(watchdog group)"};
        for (int p : {PcaReg::PCA0MD, PcaReg::PCA0L, PcaReg::PCA0H, PcaReg::PCA0CPM4,
                      PcaReg::PCA0CPL4}) {
            watchdog.Slots.push_back(WholeEntry(Pid::Pca, p));
            Claim(Pid::Pca, p, 0xFF);
            Claim(Pid::Pca, p, "entry");
        }
        units.push_back(std::move(watchdog));
    }
    // Both reset-source records write RSTSRC; their entries go together.
    if (shaped(Pid::ResetSources) && shaped(Pid::ComparatorResetSource)) {
        Unit rstsrc{{}, "(RSTSRC of both reset-source records)"};
        for (const auto& [key, p] :
             {std::pair{Pid::ResetSources, int{ResetSourcesReg::RSTSRC}},
              std::pair{Pid::ComparatorResetSource, int{ComparatorResetSourceReg::RSTSRC}},
              std::pair{Pid::ComparatorResetSource, int{ComparatorResetSourceReg::RSTSRC_REPEAT}}}) {
            rstsrc.Slots.push_back(WholeEntry(key, p));
            Claim(key, p, 0xFF);
            Claim(key, p, "entry");
        }
        units.push_back(std::move(rstsrc));
    }
    // A comparator's enable bit, its start-up texts and the shared prologue.
    if (shaped(Pid::Comparators)) {
        Unit enables{{}, "(comparator enables with their start-up code)"};
        for (int p : {ComparatorsReg::CPT0CN, ComparatorsReg::CPT1CN}) {
            enables.Slots.push_back(Bits(Pid::Comparators, p, 0x80));
            enables.Slots.push_back(EntryText(Pid::Comparators, p, "CPost", &RegisterEntry::CPost));
            enables.Slots.push_back(
                EntryText(Pid::Comparators, p, "AsmPost", &RegisterEntry::AsmPost));
            Claim(Pid::Comparators, p, 0x80);
            Claim(Pid::Comparators, p, "CPost");
            Claim(Pid::Comparators, p, "AsmPost");
        }
        enables.Slots.push_back(
            RecordText(Pid::Comparators, "CPrologue", &PeripheralRecord::CPrologue));
        enables.Slots.push_back(
            RecordText(Pid::Comparators, "AsmPrologue", &PeripheralRecord::AsmPrologue));
        Claim(Pid::Comparators, -1, "CPrologue");
        Claim(Pid::Comparators, -1, "AsmPrologue");
        units.push_back(std::move(enables));
    }

    // Port I/O: its pin-map comment follows the registers and the SPI0 wire mode.
    bool rebuildPinComment = false;
    if (shaped(Pid::PortIO)) {
        const bool oursPort = !(*Find(ours_, Pid::PortIO) == *Find(base_, Pid::PortIO));
        const bool theirsPort = !(*Find(theirs_, Pid::PortIO) == *Find(base_, Pid::PortIO));
        auto wire = [&](const CDeviceDocument& d) -> int {
            const PeripheralRecord* spi = Find(d, Pid::Spi);
            return spi && spi->Registers.size() > SpiReg::SPI0CN
                       ? spi->Registers[SpiReg::SPI0CN].Value & portio::kSpi0WireMode
                       : -1;
        };
        const bool oursWire = wire(ours_) != wire(base_), theirsWire = wire(theirs_) != wire(base_);
        if ((oursWire && theirsPort) || (theirsWire && oursPort)) {
            auto spi0cn = [&](const CDeviceDocument& d) { return wire(d) < 0 ? std::string("-") : Hex(Find(d, Pid::Spi)->Registers[SpiReg::SPI0CN].Value); };
            Conflict(RecordName(Pid::Spi) + " SPI0CN: base " + spi0cn(base_) + " ours " +
                     spi0cn(ours_) + " theirs " + spi0cn(theirs_) +
                     " (the SPI0 wire mode changed on one side, Port I/O on the other)");
        }
        if (oursPort && theirsPort) {
            rebuildPinComment = true;
            RecordUnits(Pid::PortIO, units, false);
        } else {
            units.push_back({{WholeRecord(Pid::PortIO)}, ""});
        }
        keys.erase(Pid::PortIO);
    }

    for (PeripheralId key : keys) {
        if (whole.count(key))
            units.push_back({{WholeRecord(key)}, ""});
        else
            RecordUnits(key, units, true);
    }
    for (const Unit& unit : units)
        MergeUnit(unit);
    if (!conflicts_.empty()) return conflicts_;

    if (rebuildPinComment) {
        PeripheralRecord& port = result_.DeviceData.Peripherals.at(Pid::PortIO);
        const PeripheralRecord* spi = Find(result_, Pid::Spi);
        portio::CCrossbar crossbar(models::IsLargePackage(result_.DeviceCode),
                                   spi ? *spi : PeripheralRecord());
        crossbar.DecodeCrossbar(port);
        crossbar.BuildPinComment(port);
    }
    return {};
}

}  // namespace

std::vector<std::string> Merge(const CDeviceDocument& base, const CDeviceDocument& ours,
                               const CDeviceDocument& theirs, CDeviceDocument& result) {
    return Merger(base, ours, theirs, result).Run();
}

}  // namespace projectmerge
