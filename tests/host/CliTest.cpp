// The headless subcommands, run as a user's build script runs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chip/ClockLayout.h"
#include "chip/ClockTree.h"
#include "chip/PinSolver.h"
#include "chip/Project.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "support/Bytes.h"
#include "support/CliFixture.h"
#include "support/ClockProjects.h"

namespace fs = std::filesystem;

namespace {

using testing_cli::Result;
using testing_cli::Slurp;
using testing_cli::Spit;

class Cli : public testing_cli::CliFixture {
protected:
    std::string Bytes(const std::vector<std::uint8_t>& v) const { return {v.begin(), v.end()}; }
};

TEST_F(Cli, NewWritesTheProjectOfEveryModel) {
    for (int m = 0; m < 8; ++m) {
        const std::string name = (m % 2 ? "q7r2" : "Q7R2") + std::to_string(m);
        const Result r = Run("new " + name + " -o " + Path("p.zvp") + (m ? " --force" : ""));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Slurp(Path("p.zvp")), Bytes(NewProject(m)->SaveProject()));
    }
    // An existing project is kept unless --force is given.
    const Result r = Run("new Q7R22 -o " + Path("p.zvp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: " + Path("p.zvp") + " already exists; --force replaces it\n");
    EXPECT_EQ(Slurp(Path("p.zvp")), Bytes(NewProject(7)->SaveProject()));
}

TEST_F(Cli, GenerateWritesExactlyTheGeneratedBytes) {
    ASSERT_EQ(Run("new Q7R22 -o " + Path("x.zvp")).status, 0);
    auto doc = NewProject(2);
    Result r = Run("generate " + Path("x.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, doc->GenerateSource());

    r = Run("generate " + Path("x.zvp") + " --format ASM -o " + Path("x.asm"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    doc->DeviceData.CodeFormat = 1;
    EXPECT_EQ(Slurp(Path("x.asm")), doc->GenerateSource());

    // Without --format the project's own format is used.
    doc->DeviceData.Peripherals[4].Registers[SmbusReg::SMB0CF].Value = 0x80;
    Spit(Path("asm.zvp"), doc->SaveProject());
    r = Run("generate " + Path("asm.zvp"));
    EXPECT_EQ(r.out, doc->GenerateSource());
    r = Run("generate " + Path("asm.zvp") + " --format c");
    EXPECT_NE(r.out.find("    SMB0CF    = 0x80;\r\n"), std::string::npos);
}

TEST_F(Cli, UnreadableCorruptAndRefusedFilesExitWithOneAndWriteNothing) {
    const auto good = NewProject(0)->SaveProject();
    auto refused = good;
    refused[5] = 61;  // version 1.61
    Spit(Path("new.zvp"), refused);
    Spit(Path("cut.zvp"), std::vector<std::uint8_t>(good.begin(), good.begin() + 200));
    auto alien = good;
    alien[0] = 170;
    Spit(Path("alien.zvp"), alien);
    Spit(Path("empty.zvp"), "");

    // The messages themselves: CliSafety.
    Result r;
    for (const char* name : {"new.zvp", "cut.zvp", "alien.zvp", "empty.zvp", "missing.zvp"}) {
        for (const std::string& cmd : {std::string("generate "), std::string("info "),
                                       std::string("convert "), std::string("clocks ")}) {
            const std::string out = cmd == "info "     ? ""
                                    : cmd == "clocks " ? " --svg " + Path("out")
                                                       : " -o " + Path("out");
            r = Run(cmd + Path(name) + out);
            EXPECT_EQ(r.status, 1) << cmd << name;
            EXPECT_FALSE(r.err.empty());
            EXPECT_FALSE(fs::exists(Path("out"))) << cmd << name;
        }
    }

    // An existing output file survives a failed command untouched.
    Spit(Path("keep.c"), "keep");
    r = Run("generate " + Path("cut.zvp") + " -o " + Path("keep.c"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Slurp(Path("keep.c")), "keep");
}

TEST_F(Cli, ConvertUpgradesALegacyFile) {
    testing_bytes::Bytes b;
    b.u8(164).i32(1).i32(20).u32(1500000).u32(12000000).u32(80000).u32(0).u32(0);
    b.short_str("Q7R20").i32(0).i32(1);
    b.i32(4).short_str("void SMBus_Init()\r\n{").short_str("SMBus_Init:\r\n");
    b.i32(0).str("").i32(0).str("").i32(1);
    b.i32(0).short_str("SMB0CF").short_str("").short_str("").short_str("").short_str("");
    b.u8(0x80).u8(0).i32(0).i32(0).short_str("}").short_str("    ret");
    Spit(Path("old.zvp"), b.b);

    const Result r = Run("convert " + Path("old.zvp") + " -o " + Path("new.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string converted = Slurp(Path("new.zvp"));
    ASSERT_GT(converted.size(), 9u);
    EXPECT_EQ(static_cast<unsigned char>(converted[0]), 164);
    EXPECT_EQ(converted[5], 60);
    // How old files read: LegacyFileTest; the converted file holds the same.
    const std::string code = Run("generate " + Path("new.zvp")).out;
    EXPECT_EQ(code, Run("generate " + Path("old.zvp")).out);
    EXPECT_NE(code.find("    SMB0CF    = 0x80;\r\n"), std::string::npos) << code;
}

TEST_F(Cli, InfoDescribesModelClocksAndWrittenRegisters) {
    auto doc = NewProject(1);
    doc->SysclkFrequency = 24500000;
    doc->DeviceData.Peripherals[15].Registers[InterruptsReg::IE].Value = 0x80;
    doc->DeviceData.Peripherals[4].Registers[SmbusReg::SMB0CF].Value = 0x0C;
    Spit(Path("i.zvp"), doc->SaveProject());
    const Result r = Run("info " + Path("i.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("model: Q7R21"), std::string::npos);
    EXPECT_NE(r.out.find("file version: 1.60\n"), std::string::npos);
    EXPECT_NE(r.out.find("SysclkFrequency: 24500000\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 4: SMBus_Init\n    SMB0CF = 0x0C\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 15: Interrupts_Init\n    IE = 0x80\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 14: Oscillator_Init\nrecord 15"), std::string::npos);

    // --json: the same facts, keys in their documented order.
    const Result j = Run("info --json " + Path("i.zvp"));
    ASSERT_EQ(j.status, 0) << j.err;
    const auto json = nlohmann::ordered_json::parse(j.out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"model", "DeviceCode", "FileVersion",
                                              "SysclkFrequency", "IntOscFrequency",
                                              "LfOscFrequency", "ExtOscFrequency", "EciFrequency",
                                              "IncludeName", "CodeFormat", "records"}));
    EXPECT_EQ(json["model"], "Q7R21");
    EXPECT_EQ(json["SysclkFrequency"], 24500000);
    EXPECT_EQ(json["records"][4].dump(),
              R"({"record":4,"routine":"SMBus_Init","registers":[{"register":"SMB0CF","Value":12,"Written":true}]})");
}

TEST_F(Cli, ClocksPrintsTheTreeAsTextJsonAndSvg) {
    const auto doc = ClockProjectNamed("crystal").Build();
    Spit(Path("c.zvp"), doc->SaveProject());
    const Result text = Run("clocks " + Path("c.zvp"));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, chip::ClockTree(chip::Project(*doc)).Text());

    // --json, also from standard input: one array, nodes in the documented
    // order; the nodes below show every kind of key.
    const Result j = Run("clocks - --json <" + Path("c.zvp"));
    ASSERT_EQ(j.status, 0) << j.err;
    const auto json = nlohmann::ordered_json::parse(j.out);
    ASSERT_TRUE(json.is_array());
    std::vector<std::string> names;
    for (const auto& node : json)
        names.push_back(node["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "intosc",   "lfosc",    "extosc",   "multiplier", "usb",      "sysclk",
                         "timer0",   "timer1",   "timer2",   "timer3",     "uart0",    "uart1",
                         "spi0",     "smbus",    "pca",      "pca.cex0",   "pca.cex1", "pca.cex2",
                         "pca.cex3", "pca.cex4", "watchdog", "adc0"}));
    const auto node = [&json](std::size_t i) { return json[i].dump(); };
    EXPECT_EQ(node(0), R"({"name":"intosc","parent":null,"hz":1500000,"in_use":true})");
    EXPECT_EQ(node(8), R"({"name":"timer2","parent":"sysclk","hz":null,"in_use":false})");
    EXPECT_EQ(
        node(10),
        R"({"name":"uart0","parent":"timer1","hz":115200,"in_use":true,"error_percent":0.0})");
    EXPECT_EQ(node(13),
              R"({"name":"smbus","parent":"timer0","hz":99632,"in_use":true,"scl_low_ms":0.0033})");
    EXPECT_EQ(node(15),
              R"({"name":"pca.cex0","parent":"pca","hz":null,"in_use":true,"duty_percent":50.0})");
    EXPECT_EQ(node(20),
              R"({"name":"watchdog","parent":"pca","hz":null,"in_use":false,"timeout_ms":0.0})");

    // --svg writes the drawing the desktop shows, and nothing to stdout.
    const Result svg = Run("clocks " + Path("c.zvp") + " --svg " + Path("c.svg"));
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out, "");
    EXPECT_EQ(Slurp(Path("c.svg")),
              chip::ClockTreeSvg(chip::LayoutClockTree(chip::ClockTree(chip::Project(*doc)))));
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    ASSERT_EQ(Run("new Q7R20 -o " + Path("u.zvp")).status, 0);
    const std::string f = Path("u.zvp");
    const std::vector<std::string> usage = {
         std::string("new Q7R28 -o ") + Path("n.zvp"), std::string("new Q7R20"),
          "new -o " + Path("n.zvp"), "generate", "generate " + f + " --format pdf",
          "generate " + f + " " + f, "info", "info " + f + " --bogus", "convert " + f,
          "generate " + f + " -o ''", "generate " + f + " --format ''",
          "place " + f + " SDA=P1.2", "place " + f + " -o " + Path("n.zvp"),
          "place " + f + " SDB=P1.2 -o " + Path("n.zvp"), "place " + f + " SDA=P4.0 -o " + Path("n.zvp"),
          "place " + f + " SDA -o " + Path("n.zvp"), "pins", "pins " + f + " --csv --json", "clocks",
          "clocks " + f + " " + f, "clocks " + f + " --svg - --json", "clocks " + f + " --svg ''",
          "run", "run a.zvs b.zvs"};
    for (const std::string& args : usage) {
        // One error line and the usage as a hint.
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err.rfind("zorvant: ", 0), 0u) << args;
        const std::string hint = r.err.substr(r.err.find('\n') + 1);
        EXPECT_EQ(hint.rfind("usage: zorvant " + args.substr(0, args.find(' ')), 0), 0u) << r.err;
        EXPECT_EQ(std::count(hint.begin(), hint.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(fs::exists(Path("n.zvp")));
    EXPECT_EQ(Run("help").status, 0);
}

TEST_F(Cli, PlaceWritesTheSolvedProjectOrNothing) {
    ASSERT_EQ(Run("new Q7R22 -o " + Path("b.zvp")).status, 0);
    Result r = Run("place " + Path("b.zvp") + " sda=P1.2 TX0=p0.4 -o " + Path("s.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "added skips: P0.0 P0.1 P0.2 P0.3 P0.6 P0.7 P1.0 P1.1\n"
              "TX0     P0.4  (wanted)\nRX0     P0.5\nSDA     P1.2  (wanted)\nSCL     P1.3\n");
    // The file is the project with the solver's Port I/O record.
    auto doc = NewProject(2);
    const auto plan = portio::SolvePins(chip::Project(*doc), {{6, 10}, {0, 4}});
    ASSERT_TRUE(plan.Solved());
    doc->SetPeripheral(plan.PortIo, Pid::PortIO);
    EXPECT_EQ(Slurp(Path("s.zvp")), Bytes(doc->SaveProject()));

    r = Run("place " + Path("b.zvp") + " SDA=P1.2 --json -o " + Path("j.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["signals"].dump(),
              R"([{"pin":"P1.2","signal":"SDA","wanted":true},{"pin":"P1.3","signal":"SCL","wanted":false}])");
    EXPECT_EQ(nlohmann::json::parse(r.out)["added"].size(), 10u);

    // Impossible: one line naming the wish and why, exit 1, nothing written.
    Spit(Path("keep.zvp"), "keep");
    for (const std::string& json : {std::string(), std::string(" --json")}) {
        for (const std::string& out : {Path("none.zvp"), Path("keep.zvp")}) {
            r = Run("place " + Path("s.zvp") + " SDA=P3.0" + json + " -o " + out);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, "zorvant: " + Path("s.zvp") +
                                 ": cannot place SDA=P3.0: SCL would be left without a pin\n");
        }
        EXPECT_EQ(r.out, json.empty() ? ""
                                      : "{\n  \"solved\": false,\n  \"signal\": \"SDA\",\n  \"pin\": "
                                        "\"P3.0\",\n  \"reason\": \"SCL would be left without a pin\"\n}\n");
    }
    EXPECT_FALSE(fs::exists(Path("none.zvp")));
    EXPECT_EQ(Slurp(Path("keep.zvp")), "keep");
    EXPECT_EQ(Run("place " + Path("b.zvp") + " TX1=P0.0 -o " + Path("none.zvp")).status, 1);
    EXPECT_FALSE(fs::exists(Path("none.zvp")));
}

TEST_F(Cli, PinsListsEveryCrossbarPinFromTheRegisters) {
    // Routed by the registers alone: no pin-map comment was ever written.
    auto doc = NewProject(0);
    PeripheralRecord port;
    doc->GetPeripheral(port, Pid::PortIO);
    port.Registers[PortIOReg::XBR0].Value = portio::xbr::kUart0;
    port.Registers[PortIOReg::P0MDOUT].Value = 0x10;  // P0.4 push-pull
    port.Registers[PortIOReg::P1SKIP].Value = 0x01;   // P1.0 skipped
    port.Registers[PortIOReg::P4MDIN].Value = 0x7F;   // P4.7 analog
    doc->SetPeripheral(port, Pid::PortIO);
    Spit(Path("p.zvp"), doc->SaveProject());

    Result r = Run("pins --csv " + Path("p.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 32 + 8);
    for (const char* line : {"pin,signal,skipped,input,output\nP0.0,,no,digital,open-drain\n",
                             "\nP0.4,TX0,no,digital,push-pull\nP0.5,RX0,no,digital,open-drain\n",
                             "\nP1.0,,yes,digital,open-drain\n", "\nP3.7,,no,digital,open-drain\nP4.0,",
                             "\nP4.7,,no,analog,open-drain\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;

    r = Run("pins --json " + Path("p.zvp"));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(json["pins"][4].dump(),
              R"({"pin":"P0.4","signal":"TX0","skipped":false,"input":"digital","output":"push-pull"})");
    EXPECT_EQ(json["unplaced"].dump(), "[]");

    // The small package lists its 25 pins; a signal without a pin is named.
    ASSERT_EQ(Run("new Q7R26 -o " + Path("s.zvp")).status, 0);
    r = Run("pins " + Path("s.zvp"));
    EXPECT_EQ(r.FirstOutLine(), "pin   signal  skipped  input    output");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 25);
    EXPECT_NE(r.out.find("\nP3.0          no       digital  open-drain\n"), std::string::npos);
    doc = NewProject(6);
    doc->GetPeripheral(port, Pid::PortIO);
    port.Registers[PortIOReg::XBR0].Value = portio::xbr::kUart0;
    port.Registers[PortIOReg::P0SKIP].Value = 0x20;  // P0.5: RX0 has nowhere to go
    doc->SetPeripheral(port, Pid::PortIO);
    Spit(Path("s.zvp"), doc->SaveProject());
    EXPECT_EQ(nlohmann::json::parse(Run("pins --json " + Path("s.zvp")).out)["unplaced"].dump(),
              R"(["RX0"])");
    EXPECT_NE(Run("pins " + Path("s.zvp")).out.find("\nRX0 is routed but finds no pin\n"),
              std::string::npos);
    EXPECT_EQ(Run("pins " + Path("none.zvp")).status, 1);
}

// `zorvant run` on the real window, module and pages, with no display.
class RunScript : public Cli {
protected:
    Result Script(const std::string& text) const {
        Spit(Path("s.zvs"), text);
        return Run("run " + Path("s.zvs"));
    }
    // The error line a failed script leaves, with the script's path.
    std::string Error(int line, const std::string& what) const {
        return Path("s.zvs") + ":" + std::to_string(line) + ": " + what + "\n";
    }
};

TEST_F(RunScript, ProjectCommandsWriteWhatTheMenusWrite) {
    const std::string project = Path("p.zvp"), source = Path("p.asm");
    const Result r = Script("new Q7R21\nformat asm\nsave " + project + "\nsource " + source +
                            "\nopen " + project + "\nexpect doc CodeFormat 1\nexpect doc DeviceCode 161\n"
                            "print code\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const Result generated = Run("generate " + project);
    ASSERT_EQ(generated.status, 0);
    EXPECT_EQ(Slurp(source), generated.out);
    EXPECT_EQ(r.out, generated.out);

    // Reading the script from standard input.
    Spit(Path("in.zvs"), "new Q7R26\nexpect doc DeviceCode 166\n");
    EXPECT_EQ(Run("run - <" + Path("in.zvs")).status, 0);
}

TEST_F(RunScript, MessagesAreEchoedAndStateIsPrinted) {
    const Result r = Script("new Q7R20\nopen " + Path("none.zvp") + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "message: \"Error: Could Not Open File.\" -> ok\n");
    EXPECT_EQ(r.err, Error(2, "open: Error: Could Not Open File."));

    const Result state = Script("new Q7R21\nmenu EMI\nprint state\ncancel\n");
    ASSERT_EQ(state.status, 0) << state.err;
    EXPECT_NE(state.out.find("11091 radio enabled visible checked \"Internal Only\"\n"), std::string::npos)
        << state.out;
    EXPECT_NE(state.out.find("11083 list enabled visible - \"4 SYSCLK Cycles\"\n"), std::string::npos);
}

// Each script fails at one line; the run stops there with exit status 1.
TEST_F(RunScript, TheFirstErrorStopsTheRun) {
    struct Case {
        std::string script;
        int line;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"new Q7R20\nmenu Interrupts\n", 2, "a dialog is still open at the end of the script"},
        {"new Q7R22\nmenu Interrupts\nclick 11010\n", 3, "click: control 11010 is hidden"},
        {"new Q7R20\nmenu \"Voltage Reference\"\nclick 11225\nclick 11281\n", 4,
         "click: control 11281 is disabled"},
        {"new Q7R20\nmenu EMI\nclick 99999\n", 3, "click: no control 99999"},
        {"new Q7R20\nmenu EMI\ntab 2\n", 3, "tab: no page 2"},
        {"new Q7R20\nmenu EMI\nselect 11083 #4\n", 3, "select: control 11083 has no entry #4"},
        {"new Q7R20\nmenu EMI\nselect 11083 \"5 SYSCLK Cycles\"\n", 3,
         "select: control 11083 has no entry \"5 SYSCLK Cycles\""},
        {"new Q7R20\nmenu EMI\ntext 11091 \"x\"\n", 3, "text: control 11091 is not an edit"},
        {"new Q7R20\nmenu EMI\nslide 11091 3\n", 3, "slide: control 11091 is not a slider"},
        {"new Q7R20\nmenu EMI\nexpect unchecked 11091\n", 3, "control 11091 is not unchecked"},
        {"new Q7R20\nmenu EMI\nexpect checked 11081 11091 11092\n", 3, "control 11092 is not checked"},
        {"new Q7R20\nmenu EMI\nclick 11094 99999 11092\n", 3, "click: no control 99999"},
        {"new Q7R20\nmenu Timers\ntab 2\nclick 11157 11173\ncancel\ncancel\n", 4,
         "click: control 11157 opened a dialog; click it last on its line"},
        {"new Q7R20\nmenu EMI\nexpect pages \"EMI\"\n", 3, "the pages are \"EMI0\""},
        {"new Q7R20\nmenu EMI\nexpect text 11110 \"x\"\n", 3, "control 11110 shows \"\", expected \"x\""},
        {"new Q7R20\nmenu EMI\nmenu EMI\n", 3, "menu: a dialog is open"},
        {"new Q7R20\nmenu Exit\n", 2, "menu: no menu item Exit"},
        {"new Q7R22\nmenu EMI\n", 2, "menu: no menu item EMI"},
        {"menu EMI\n", 1, "menu: no project is open"},
        {"new Q7R20\nok\n", 2, "ok: no dialog is open"},
        {"new Q7R20\nexpect doc Colour 1\n", 2, "expect doc: unknown word Colour"},
    };
    for (const Case& c : cases) {
        const Result r = Script(c.script);
        EXPECT_EQ(r.status, 1) << c.script;
        EXPECT_EQ(r.err, Error(c.line, c.error)) << c.script;
    }
}

}  // namespace
