#include "devices/ProjectDiff.h"

#include <cstdio>
#include <set>

#include "codegen/SourceGenerator.h"
#include "devices/Models.h"
#include "model/DeviceDocument.h"
#include "model/TextDiff.h"

namespace projectdiff {
namespace {

// What the walk over two projects meets, in the order it meets it. Only
// differences are reported; the listener decides how to show them.
class Listener {
public:
    virtual ~Listener() = default;
    // model, clock words, IncludeName, CodeFormat
    virtual void Word(const char* name, const Change::Value& a, const Change::Value& b) = 0;
    virtual void BeginRecord(PeripheralId key, const PeripheralRecord& shown) = 0;
    virtual void OnlyIn(PeripheralId key, const PeripheralRecord& record, bool inA) = 0;
    virtual void RecordText(const char* field, const std::string& a, const std::string& b) = 0;
    // Entries at the same place: same name (compare their fields) or not.
    virtual void Entry(const RegisterEntry& a, const RegisterEntry& b) = 0;
    virtual void Renamed(std::size_t index, const RegisterEntry& a, const RegisterEntry& b) = 0;
    virtual void EntryOnlyIn(const RegisterEntry& e, bool inA) = 0;
    virtual void EndRecord() = 0;
};

std::string ModelName(int code) {
    const std::string name = models::NameOf(code);
    return name.empty() ? "device code " + std::to_string(code) : name;
}

void Walk(const CDeviceDocument& a, const CDeviceDocument& b, Listener& out) {
    auto word = [&](const char* name, const Change::Value& va, const Change::Value& vb) {
        if (va != vb) out.Word(name, va, vb);
    };
    word("model", ModelName(a.DeviceCode), ModelName(b.DeviceCode));
    const std::pair<const char*, std::uint32_t CDeviceDocument::*> clocks[] = {
        {"SysclkFrequency", &CDeviceDocument::SysclkFrequency},
        {"IntOscFrequency", &CDeviceDocument::IntOscFrequency},
        {"LfOscFrequency", &CDeviceDocument::LfOscFrequency},
        {"ExtOscFrequency", &CDeviceDocument::ExtOscFrequency},
        {"EciFrequency", &CDeviceDocument::EciFrequency},
    };
    for (const auto& [name, w] : clocks)
        word(name, std::int64_t{a.*w}, std::int64_t{b.*w});
    word("IncludeName", a.DeviceData.IncludeName, b.DeviceData.IncludeName);
    auto format = [](std::int32_t f) { return std::string(f == 0 ? "c" : "asm"); };
    word("CodeFormat", format(a.DeviceData.CodeFormat), format(b.DeviceData.CodeFormat));

    std::set<PeripheralId> keys;
    for (const auto& [key, r] : a.DeviceData.Peripherals)
        keys.insert(key);
    for (const auto& [key, r] : b.DeviceData.Peripherals)
        keys.insert(key);
    for (PeripheralId key : keys) {
        const auto ia = a.DeviceData.Peripherals.find(key);
        const auto ib = b.DeviceData.Peripherals.find(key);
        if (ia == a.DeviceData.Peripherals.end()) {
            out.OnlyIn(key, ib->second, false);
            continue;
        }
        if (ib == b.DeviceData.Peripherals.end()) {
            out.OnlyIn(key, ia->second, true);
            continue;
        }
        const PeripheralRecord &ra = ia->second, &rb = ib->second;
        out.BeginRecord(key, rb);
        auto text = [&](const char* field, const std::string& ta, const std::string& tb) {
            if (ta != tb) out.RecordText(field, ta, tb);
        };
        text("CHead", ra.CHead, rb.CHead);
        text("AsmLabel", ra.AsmLabel, rb.AsmLabel);
        text("CPrologue", ra.CPrologue, rb.CPrologue);
        text("AsmPrologue", ra.AsmPrologue, rb.AsmPrologue);
        const std::size_t common = std::min(ra.Registers.size(), rb.Registers.size());
        for (std::size_t i = 0; i < common; ++i) {
            if (ra.Registers[i].Name != rb.Registers[i].Name)
                out.Renamed(i, ra.Registers[i], rb.Registers[i]);
            else if (!(ra.Registers[i] == rb.Registers[i]))
                out.Entry(ra.Registers[i], rb.Registers[i]);
        }
        for (std::size_t i = common; i < ra.Registers.size(); ++i)
            out.EntryOnlyIn(ra.Registers[i], true);
        for (std::size_t i = common; i < rb.Registers.size(); ++i)
            out.EntryOnlyIn(rb.Registers[i], false);
        text("CFoot", ra.CFoot, rb.CFoot);
        text("AsmFoot", ra.AsmFoot, rb.AsmFoot);
        out.EndRecord();
    }
}

// --- the reviewer's text -------------------------------------------------

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

// A line as shown: without its line end.
std::string_view Shown(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string Routine(const PeripheralRecord& r, PeripheralId key) {
    std::string name = codegen::CallNameFromLabel(r.AsmLabel);
    if (name.empty()) name = "(unnamed routine)";
    return name + " (record " + std::to_string(key) + ")";
}

class TextListener : public Listener {
public:
    TextListener(const std::string& nameA, const std::string& nameB) : nameA_(nameA), nameB_(nameB) {}
    std::string Out;

    void Word(const char* name, const Change::Value& a, const Change::Value& b) override {
        Out += std::string(name) + ": " + Show(name, a) + " -> " + Show(name, b) + "\n";
    }
    void BeginRecord(PeripheralId key, const PeripheralRecord& shown) override {
        head_ = Routine(shown, key) + ":\n";
        body_.clear();
    }
    void OnlyIn(PeripheralId key, const PeripheralRecord& r, bool inA) override {
        Out += Routine(r, key) + ": only in " + (inA ? nameA_ : nameB_) + "\n";
    }
    void RecordText(const char* field, const std::string& a, const std::string& b) override {
        static const std::pair<const char*, const char*> kShown[] = {
            {"CHead", "C head"},           {"AsmLabel", "assembly label"},
            {"CPrologue", "C prologue"},   {"AsmPrologue", "assembly prologue"},
            {"CFoot", "C foot"},           {"AsmFoot", "assembly foot"}};
        for (const auto& [f, what] : kShown)
            if (std::string(f) == field) TextChange(what, a, b);
    }
    void Entry(const RegisterEntry& a, const RegisterEntry& b) override {
        std::string notes;
        auto note = [&](const std::string& n) { notes += notes.empty() ? n : ", " + n; };
        if (a.IsWritten() != b.IsWritten())
            note(a.IsWritten() ? "written -> not written" : "not written -> written");
        if (a.ResetValue != b.ResetValue)
            note("reset value " + Hex(a.ResetValue) + " -> " + Hex(b.ResetValue));
        if ((a.ForceWrite != 0) != (b.ForceWrite != 0))
            note(a.ForceWrite ? "forced -> not forced" : "not forced -> forced");
        if ((a.OrWrite != 0) != (b.OrWrite != 0))
            note(a.OrWrite ? "OR-write -> plain write" : "plain write -> OR-write");
        if (a.Value != b.Value || !notes.empty())
            body_ += "    " + b.Name + "  " + Hex(a.Value) +
                     (a.Value != b.Value ? " -> " + Hex(b.Value) : std::string()) +
                     (notes.empty() ? "" : "  (" + notes + ")") + "\n";
        TextChange(b.Name + " C text before", a.CPre, b.CPre);
        TextChange(b.Name + " assembly text before", a.AsmPre, b.AsmPre);
        TextChange(b.Name + " C text after", a.CPost, b.CPost);
        TextChange(b.Name + " assembly text after", a.AsmPost, b.AsmPost);
    }
    void Renamed(std::size_t i, const RegisterEntry& a, const RegisterEntry& b) override {
        body_ += "    register " + std::to_string(i) + ": " + a.Name + " " + Hex(a.Value) + " -> " +
                 b.Name + " " + Hex(b.Value) + "\n";
    }
    void EntryOnlyIn(const RegisterEntry& e, bool inA) override {
        body_ += "    " + e.Name + "  " + Hex(e.Value) + (inA ? "  (removed)\n" : "  (added)\n");
    }
    void EndRecord() override {
        if (!body_.empty()) Out += head_ + body_;
    }

private:
    static std::string Show(const char* name, const Change::Value& v) {
        if (std::string(name) == "CodeFormat") return std::get<std::string>(v) == "c" ? "C" : "assembly";
        if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
        return std::get<std::string>(v);
    }

    // "    what:" and the removed and added lines of a changed text.
    void TextChange(const std::string& what, const std::string& a, const std::string& b) {
        if (a == b) return;
        body_ += "    " + what + ":\n";
        const auto linesA = textdiff::Lines(a), linesB = textdiff::Lines(b);
        bool shown = false;
        for (const textdiff::Edit& e : textdiff::Diff(linesA, linesB)) {
            if (e.Kind == textdiff::Op::Removed) {
                body_ += "        - " + std::string(Shown(linesA[e.A])) + "\n";
                shown = true;
            } else if (e.Kind == textdiff::Op::Added) {
                body_ += "        + " + std::string(Shown(linesB[e.B])) + "\n";
                shown = true;
            }
        }
        if (!shown) body_ += "        (line ends differ)\n";
    }

    const std::string &nameA_, &nameB_;
    std::string head_, body_;
};

// --- the machine's list ----------------------------------------------------

class ChangeListener : public Listener {
public:
    std::vector<Change> Out;

    void Word(const char* name, const Change::Value& a, const Change::Value& b) override {
        Out.push_back({-1, "", name, a, b});
    }
    void BeginRecord(PeripheralId key, const PeripheralRecord&) override { key_ = key; }
    void OnlyIn(PeripheralId key, const PeripheralRecord&, bool inA) override {
        Out.push_back({key, "", "record", inA, !inA});
    }
    void RecordText(const char* field, const std::string& a, const std::string& b) override {
        Out.push_back({key_, "", field, a, b});
    }
    void Entry(const RegisterEntry& a, const RegisterEntry& b) override {
        auto field = [&](const char* name, const Change::Value& va, const Change::Value& vb) {
            if (va != vb) Out.push_back({key_, b.Name, name, va, vb});
        };
        field("Value", std::int64_t{a.Value}, std::int64_t{b.Value});
        field("ResetValue", std::int64_t{a.ResetValue}, std::int64_t{b.ResetValue});
        field("Written", a.IsWritten(), b.IsWritten());
        field("ForceWrite", a.ForceWrite != 0, b.ForceWrite != 0);
        field("OrWrite", a.OrWrite != 0, b.OrWrite != 0);
        field("CPre", a.CPre, b.CPre);
        field("AsmPre", a.AsmPre, b.AsmPre);
        field("CPost", a.CPost, b.CPost);
        field("AsmPost", a.AsmPost, b.AsmPost);
    }
    void Renamed(std::size_t, const RegisterEntry& a, const RegisterEntry& b) override {
        Out.push_back({key_, a.Name, "Name", a.Name, b.Name});
    }
    void EntryOnlyIn(const RegisterEntry& e, bool inA) override {
        Out.push_back({key_, e.Name, "register", inA, !inA});
    }
    void EndRecord() override {}

private:
    PeripheralId key_ = -1;
};

}  // namespace

std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b, const std::string& nameA,
                     const std::string& nameB) {
    TextListener text(nameA, nameB);
    Walk(a, b, text);
    return text.Out;
}

std::vector<Change> Changes(const CDeviceDocument& a, const CDeviceDocument& b) {
    ChangeListener changes;
    Walk(a, b, changes);
    return changes.Out;
}

}  // namespace projectdiff
