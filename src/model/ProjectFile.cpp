// Project file (*.zvp): the 1.60 writer and the reader of every earlier layout.

#include <array>
#include <optional>

#include "devices/Registers.h"
#include "model/ByteStream.h"
#include "model/DeviceDocument.h"
#include "model/Ui.h"

namespace {

constexpr std::int32_t kMajor = 1;
constexpr std::int32_t kMinor = 60;
constexpr const char* kCrLf = "\r\n";

void WriteRecord(ByteWriter& out, const PeripheralRecord& r) {
    out.I32(r.Id);
    out.String(r.CHead);
    out.String(r.AsmLabel);
    out.String(r.CPrologue);
    out.String(r.AsmPrologue);
    out.I32(static_cast<std::int32_t>(r.Registers.size()));
    for (const auto& e : r.Registers) {
        out.I32(e.Index);
        out.String(e.Name);
        out.String(e.CPre);
        out.String(e.AsmPre);
        out.String(e.CPost);
        out.String(e.AsmPost);
        out.U8(e.Value);
        out.U8(e.ResetValue);
        out.I32(e.OrWrite);
        out.I32(e.ForceWrite);
    }
    out.String(r.CFoot);
    out.String(r.AsmFoot);
}

// Layouts of the files that have been written over the versions.
enum class Layout {
    Current,  // 1.41 and later (and any major version other than 1)
    V4to40,   // one-byte strings; prologues behind an extra 32-bit length
    V3,       // every string behind an extra 32-bit length
    V0to2,    // as V3, with fewer fields; assembly texts derived on reading
};

Layout LayoutOf(std::int32_t major, std::int32_t minor) {
    if (major != 1 || minor >= 41) return Layout::Current;
    if (minor >= 4) return Layout::V4to40;
    if (minor == 3) return Layout::V3;
    return Layout::V0to2;
}

std::string ReadText(ByteReader& in, Layout layout) {
    switch (layout) {
        case Layout::Current:
            return in.String();
        case Layout::V4to40:
            return in.ShortString();
        case Layout::V3:
        case Layout::V0to2:
            in.I32();  // the extra length field
            return in.String();
    }
    return {};
}

std::string ReadPrologue(ByteReader& in, Layout layout) {
    if (layout == Layout::V4to40) {
        in.I32();
        return in.String();
    }
    return ReadText(in, layout);
}

// Smallest number of bytes a record and an entry can take in any layout, so
// that a count which cannot fit in the rest of the file fails at once.
constexpr std::size_t kMinRecordBytes = 14;
constexpr std::size_t kMinEntryBytes = 19;

// Id conversions of the old numbering; ids from 13 up stay as they are.
constexpr std::array<PeripheralId, 13> kTableA = {11, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10, 12};
constexpr std::array<PeripheralId, 13> kTableB = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 0, 12, 13};

PeripheralId Convert(PeripheralId id, Layout layout) {
    if (id < 0 || id > 12) return id;
    if (layout == Layout::V0to2) return kTableA[static_cast<std::size_t>(id)];
    if (layout == Layout::V3) return kTableB[static_cast<std::size_t>(id)];
    return id;
}

std::string WithoutCrLf(const std::string& s) {
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, kCrLf) == 0) return s.substr(0, s.size() - 2);
    return s;
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) {
        out += line;
        out += kCrLf;
    }
    return out;
}

// Versions 0 to 2 stored only C texts: the assembly texts are derived from
// the C texts that the programs of those versions wrote, and the watchdog
// lines are moved to the current bit.
void DeriveAssembly(RegisterEntry& e) {
    std::string pre = WithoutCrLf(e.CPre);
    if (pre == "    PCA0MD      &= ~0x04;") {
        e.CPre = Lines({"    PCA0MD    &= ~0x40;"});
        pre = WithoutCrLf(e.CPre);
    }
    e.AsmPre = pre == "    PCA0MD    &= ~0x04;" ? Lines({"    anl  PCA0MD,    #0BFh"}) : "";

    std::string post = WithoutCrLf(e.CPost);
    if (post == "    PCA0MD      |= 0x04;") {
        e.CPost = Lines({"    PCA0MD    |= 0x40;"});
        post = WithoutCrLf(e.CPost);
    }
    const std::string& full = e.CPost;
    if (post == "    for (i = 0; i < 350; i++);  // Wait 100us for initialization") {
        e.AsmPost = Lines({"    clr  A                     ; Wait 100us for initialization",
                           "    djnz ACC,       $"});
    } else if (full.size() >= 37 && full.compare(0, full.size() - 37,
                                                 "    for (i = 0; i < 3000; i++);  // Wait 1ms "
                                                 "for initialization") == 0) {
        e.AsmPost = Lines({"    clr  A                     ; Wait 1ms for initialization",
                           "    djnz ACC,       $", "    djnz ACC,       $", "Osc_Wait:",
                           "    mov  A,         OSCXCN", "    jnb  ACC.7,     Osc_Wait"});
    } else if (post == "    PCA0MD    |= 0x04;") {
        e.AsmPost = Lines({"    orl  PCA0MD,    #040h"});
    } else {
        e.AsmPost.clear();
    }
}

std::string LabelFromHead(const std::string& head) {
    // The characters from the sixth on, less the last five ("()" CR LF "{").
    std::string name = head.size() > 10 ? head.substr(5, head.size() - 10) : std::string();
    return name + ":" + kCrLf;
}

std::optional<PeripheralRecord> ReadRecord(ByteReader& in, Layout layout) {
    PeripheralRecord r;
    r.Id = in.I32();
    r.CHead = ReadText(in, layout);
    if (layout != Layout::V0to2) r.AsmLabel = ReadText(in, layout);
    r.CPrologue = ReadPrologue(in, layout);
    if (layout != Layout::V0to2) r.AsmPrologue = ReadPrologue(in, layout);
    const std::int32_t count = in.I32();
    if (!in.CanHold(count, kMinEntryBytes)) return std::nullopt;
    for (std::int32_t i = 0; i < count && !in.Failed(); ++i) {
        RegisterEntry e;
        e.Index = in.I32();
        e.Name = ReadText(in, layout);
        e.CPre = ReadText(in, layout);
        if (layout != Layout::V0to2) e.AsmPre = ReadText(in, layout);
        e.CPost = ReadText(in, layout);
        if (layout != Layout::V0to2) e.AsmPost = ReadText(in, layout);
        e.Value = in.U8();
        e.ResetValue = in.U8();
        e.OrWrite = in.I32();
        e.ForceWrite = in.I32();
        if (layout == Layout::V0to2) DeriveAssembly(e);
        r.Registers.push_back(std::move(e));
    }
    r.CFoot = ReadText(in, layout);
    if (layout == Layout::V0to2) {
        r.AsmLabel = LabelFromHead(r.CHead);
        r.AsmFoot = "    ret";
    } else {
        r.AsmFoot = ReadText(in, layout);
    }
    if (in.Failed()) return std::nullopt;
    return r;
}

}  // namespace

std::vector<std::uint8_t> CDeviceDocument::SaveProject() const {
    ByteWriter out;
    out.U8(DeviceCode);
    out.I32(kMajor);
    out.I32(kMinor);
    out.U32(SysclkFrequency);
    out.U32(IntOscFrequency);
    out.U32(LfOscFrequency);
    out.U32(ExtOscFrequency);
    out.U32(EciFrequency);
    out.String(DeviceData.IncludeName);
    out.I32(DeviceData.CodeFormat);
    out.I32(static_cast<std::int32_t>(DeviceData.Peripherals.size()));
    for (const auto& [key, record] : DeviceData.Peripherals) WriteRecord(out, record);
    return out.Take();
}

LoadStatus CDeviceDocument::LoadProject(std::span<const std::uint8_t> bytes, Ui& ui) {
    ByteReader in(bytes);
    const std::uint8_t deviceCode = in.U8();
    const std::int32_t major = in.I32();
    const std::int32_t minor = in.I32();
    if (in.Failed()) return LoadStatus::Corrupt;

    if (major > kMajor || minor > kMinor) {
        DeviceCode = deviceCode;
        DeviceData.FileVersionMajor = major;
        DeviceData.FileVersionMinor = minor;
        ui.Message(kNewerVersionMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return LoadStatus::Refused;
    }

    const Layout layout = LayoutOf(major, minor);
    std::array<std::uint32_t, 5> clocks{};
    for (auto& word : clocks) word = in.U32();

    CDeviceData data;
    data.FileVersionMajor = major;
    data.FileVersionMinor = minor;
    if (layout == Layout::V0to2) {
        // A bare 32-bit length and the characters; the name carried ".h".
        const std::int32_t length = in.I32();
        if (length < 0) return LoadStatus::Corrupt;
        data.IncludeName = in.Chars(static_cast<std::uint32_t>(length));
        data.IncludeName.resize(data.IncludeName.size() >= 2 ? data.IncludeName.size() - 2 : 0);
        data.CodeFormat = 0;
    } else {
        data.IncludeName = ReadText(in, layout);
        data.CodeFormat = in.I32();
    }
    const std::int32_t count = in.I32();
    if (!in.CanHold(count, kMinRecordBytes)) return LoadStatus::Corrupt;
    for (std::int32_t i = 0; i < count; ++i) {
        auto record = ReadRecord(in, layout);
        if (!record) return LoadStatus::Corrupt;
        const PeripheralId key = Convert(record->Id, layout);
        record->Id = key;
        if (layout == Layout::V3 && key == 0) {
            // The old reset-source record also drove the comparator reset
            // source: file a copy under its own routine name, and drop the
            // comparator bit from the reset-source record.
            PeripheralRecord copy = *record;
            copy.CHead = std::string("void Comparator_Reset_Source_Init()") + kCrLf + "{";
            copy.AsmLabel = std::string("Comparator_Reset_Source_Init:") + kCrLf;
            if (record->Registers.size() > ResetSourcesReg::RSTSRC)
                record->Registers[ResetSourcesReg::RSTSRC].Value &= ~0x20;
            data.Insert(key, *record);
            data.Insert(10, copy);
        } else {
            data.Insert(key, *record);
        }
    }

    DeviceCode = deviceCode;
    SysclkFrequency = clocks[0];
    IntOscFrequency = clocks[1];
    LfOscFrequency = clocks[2];
    ExtOscFrequency = clocks[3];
    EciFrequency = clocks[4];
    DeviceData = std::move(data);
    return LoadStatus::Loaded;
}
