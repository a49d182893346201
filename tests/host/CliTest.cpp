// The command line as build scripts and CI jobs meet it: every subcommand,
// full disks, special files, bad words, git's textconv and merge driver.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
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
    // Writes `doc` as `name` in the test's folder and gives its path.
    std::string Write(const std::string& name, const CQ7R2xDoc& doc) const {
        Spit(Path(name), doc.SaveProject());
        return Path(name);
    }
    // A Q7R20 project with TMOD set: one register that every output shows.
    static std::unique_ptr<CQ7R2xDoc> WithTmod(std::uint8_t tmod) {
        auto doc = NewProject(0);
        doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = tmod;
        return doc;
    }
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
    auto bad = good;
    bad[5] = 61;  // version 1.61
    Spit(Path("new.zvp"), bad);
    bad = good;
    bad[0] = 170;
    Spit(Path("alien.zvp"), bad);
    Spit(Path("cut.zvp"), std::vector<std::uint8_t>(good.begin(), good.begin() + 200));
    Spit(Path("empty.zvp"), "");

    // The messages themselves: InputsThatAreNoProjectsOrScriptsEndPromptly.
    Result r;
    const std::string out = Path("out");
    for (const char* name : {"new.zvp", "cut.zvp", "alien.zvp", "empty.zvp", "missing.zvp"}) {
        for (const std::string& cmd : {"generate -o " + out, std::string("info"),
                                       "convert -o " + out, "clocks --svg " + out}) {
            r = Run(cmd + " " + Path(name));
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
    const Result r = Run("info " + Write("i.zvp", *doc));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part : {"model: Q7R21", "file version: 1.60\n", "SysclkFrequency: 24500000\n",
                             "record 4: SMBus_Init\n    SMB0CF = 0x0C\n",
                             "record 15: Interrupts_Init\n    IE = 0x80\n",
                             "record 14: Oscillator_Init\nrecord 15"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;

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

    // --json, also from standard input: nodes in order; those below show every kind of key.
    const Result j = Run("clocks - --json <" + Path("c.zvp"));
    ASSERT_EQ(j.status, 0) << j.err;
    const auto json = nlohmann::ordered_json::parse(j.out);
    std::vector<std::string> names;
    for (const auto& node : json)
        names.push_back(node["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "intosc",   "lfosc",    "extosc",   "multiplier", "usb",      "sysclk",
                         "timer0",   "timer1",   "timer2",   "timer3",     "uart0",    "uart1",
                         "spi0",     "smbus",    "pca",      "pca.cex0",   "pca.cex1", "pca.cex2",
                         "pca.cex3", "pca.cex4", "watchdog", "adc0"}));
    const std::pair<std::size_t, std::string> nodes[] = {
        {0, R"({"name":"intosc","parent":null,"hz":1500000,"in_use":true})"},
        {8, R"({"name":"timer2","parent":"sysclk","hz":null,"in_use":false})"},
        {10, R"({"name":"uart0","parent":"timer1","hz":115200,"in_use":true,"error_percent":0.0})"},
        {13, R"({"name":"smbus","parent":"timer0","hz":99632,"in_use":true,"scl_low_ms":0.0033})"},
        {15, R"({"name":"pca.cex0","parent":"pca","hz":null,"in_use":true,"duty_percent":50.0})"},
        {20, R"({"name":"watchdog","parent":"pca","hz":null,"in_use":false,"timeout_ms":0.0})"},
    };
    for (const auto& [i, node] : nodes)
        EXPECT_EQ(json[i].dump(), node);

    // --svg writes the drawing the desktop shows, and nothing to stdout.
    const Result svg = Run("clocks " + Path("c.zvp") + " --svg " + Path("c.svg"));
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out, "");
    EXPECT_EQ(Slurp(Path("c.svg")),
              chip::ClockTreeSvg(chip::LayoutClockTree(chip::ClockTree(chip::Project(*doc)))));
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    const std::string f = Write("u.zvp", *NewProject(0));
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
    auto& port = doc->DeviceData.Peripherals.at(Pid::PortIO).Registers;
    port[PortIOReg::XBR0].Value = portio::xbr::kUart0;
    port[PortIOReg::P0MDOUT].Value = 0x10;  // P0.4 push-pull
    port[PortIOReg::P1SKIP].Value = 0x01;   // P1.0 skipped
    port[PortIOReg::P4MDIN].Value = 0x7F;   // P4.7 analog
    Result r = Run("pins --csv " + Write("p.zvp", *doc));
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
    auto small = NewProject(6);
    auto& smallPort = small->DeviceData.Peripherals.at(Pid::PortIO).Registers;
    smallPort[PortIOReg::XBR0].Value = portio::xbr::kUart0;
    smallPort[PortIOReg::P0SKIP].Value = 0x20;  // P0.5: RX0 has nowhere to go
    const std::string s = Write("s.zvp", *small);
    EXPECT_EQ(nlohmann::json::parse(Run("pins --json " + s).out)["unplaced"].dump(), R"(["RX0"])");
    EXPECT_NE(Run("pins " + s).out.find("\nRX0 is routed but finds no pin\n"),
              std::string::npos);
    EXPECT_EQ(Run("pins " + Path("none.zvp")).status, 1);
}

TEST_F(Cli, AFullDiskFailsEveryWriterAndKeepsThePreviousFiles) {
    const fs::path full = dir_ / "full";
    fs::create_directories(full);
    testing_disk::FullDisk disk(full);
    // Without a tmpfs to fill, a file-size limit of 0 fails every write alike.
    const std::optional<rlim_t> limit =
        disk.Mounted() ? std::nullopt : std::optional<rlim_t>(rlim_t{0});
    const std::string project = (full / "p.zvp").string(), source = (full / "init.c").string();
    Spit(project, WithTmod(0x20)->SaveProject());
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
    const std::string oldProject = Slurp(project), oldSource = Slurp(source);
    ASSERT_GT(oldProject.size(), 1000u);
    Spit(dir_ / "save.zvs", "open " + project + "\nsave " + project + "\n");
    if (disk.Mounted()) disk.Fill();

    // Every command writes through one function, with text or with project
    // bytes; scripts through the desktop's writers (DesktopTest checks each).
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"convert", project, "-o", project}, project},
        {{"generate", project, "-o", source}, source},
        {{"run", Path("save.zvs")}, project},
    };
    const std::string reason = disk.Mounted() ? "No space left on device" : "File too large";
    for (const auto& [args, target] : cases) {
        const Result r = Spawn(args, "/dev/null", limit);
        const std::string what = args[0] + (disk.Mounted() ? " (tmpfs)" : " (limit)");
        EXPECT_EQ(r.status, 1) << what << "\n" << r.err;
        EXPECT_NE(r.err.find("cannot write " + target + ": " + reason), std::string::npos)
            << what << "\n"
            << r.err;
        if (args[0] == "run") {
            EXPECT_NE(r.out.find("message: \"Error: Could Not Open File For Save.\""),
                      std::string::npos)
                << r.out;
        }
        EXPECT_EQ(Slurp(project), oldProject) << what;
        EXPECT_EQ(Slurp(source), oldSource) << what;
    }
    // No temporary is left behind.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(full))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::erase(names, "filler");
    EXPECT_EQ(names, (std::vector<std::string>{"init.c", "p.zvp"}));
}

TEST_F(Cli, OutputsThatAreDevicesFifosOrTheInputStayWhatTheyAre) {
    const std::string project = Write("p.zvp", *NewProject(1)), before = Slurp(project);
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {std::string("/dev/full"), fifo}) {
        for (const auto& args : {std::vector<std::string>{"generate", project, "-o", target},
                                 std::vector<std::string>{"convert", project, "-o", target},
                                 std::vector<std::string>{"new", "Q7R20", "-o", target}}) {
            const Result r = Spawn(args);
            EXPECT_EQ(r.status, 1) << args[0] << " " << target;
            EXPECT_EQ(r.FirstErrLine().rfind("zorvant: cannot write " + target + ": ", 0), 0u)
                << r.err;
        }
    }
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(fs::is_fifo(fifo));
    // /dev/null takes the output as a device.
    EXPECT_EQ(Spawn({"generate", project, "-o", "/dev/null"}).status, 0);
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    fs::create_symlink(project, Path("alias.zvp"));
    for (const std::string& out : {project, Path("alias.zvp"), Path("./p.zvp")}) {
        const Result r = Spawn({"generate", project, "-o", out});
        EXPECT_EQ(r.status, 2) << out;
        EXPECT_EQ(r.FirstErrLine(),
                  "zorvant: generate: the output " + out +
                      " is the project itself; it would be overwritten with source text");
        EXPECT_EQ(Slurp(project), before);
    }
    // Converting in place is an upgrade, written safely.
    EXPECT_EQ(Spawn({"convert", project, "-o", project}).status, 0);
    EXPECT_EQ(Slurp(project), before);
}

TEST_F(Cli, InputsThatAreNoProjectsOrScriptsEndPromptly) {
    const auto start = std::chrono::steady_clock::now();
    // A file over the limit is refused before it is read.
    Spit(Path("big.zvp"), "\xA0");
    fs::resize_file(Path("big.zvp"), 16u * 1024u * 1024u + 1u);
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    Spit(Path("bin.zvs"), std::string("new Q7R20\n\x7F"
                                      "ELF\x02\x01",
                                      16));
    auto newer = NewProject(0)->SaveProject();
    newer[5] = 61;
    Spit(Path("newer.zvp"), newer);
    const std::string dir = dir_.string(), large = ": it is larger than 16777216 bytes\n";
    struct Row {
        std::vector<std::string> args;
        std::string input, err;  // input "" is /dev/null
    };
    const Row rows[] = {
        {{"info", Path("big.zvp")}, "", "cannot read " + Path("big.zvp") + large},
        {{"info", "/dev/zero"}, "", "cannot read /dev/zero: it is a device, not a regular file\n"},
        {{"info", "-"}, "/dev/zero", "cannot read standard input" + large},
        {{"info", "-"}, "", "standard input is not a Q7R2x project (unknown device code)\n"},
        {{"generate", dir}, "", "cannot read " + dir + ": it is a directory, not a regular file\n"},
        {{"info", Path("fifo")}, "",
         "cannot read " + Path("fifo") + ": it is a FIFO, not a regular file\n"},
        // The refusal of a newer file names the program and the file.
        {{"info", Path("newer.zvp")}, "",
         Path("newer.zvp") + ": Error: This file is not supported under this DLL version\n"},
        // Scripts: a directory, a binary file, a missing one.
        {{"run", dir}, "", "cannot read " + dir + ": it is a directory, not a regular file\n"},
        {{"run", Path("bin.zvs")}, "",
         Path("bin.zvs") + " is not a script: binary data at byte 10\n"},
        {{"run", "-"}, "/dev/zero", "cannot read standard input" + large},
        {{"run", "-"}, Path("bin.zvs"), "standard input is not a script: binary data at byte 10\n"},
        {{"run", Path("none.zvs")}, "",
         "cannot read " + Path("none.zvs") + ": No such file or directory\n"},
    };
    for (const Row& row : rows) {
        const Result r = Spawn(row.args, row.input.empty() ? "/dev/null" : row.input);
        EXPECT_EQ(r.status, 1) << row.args[0] << " " << row.args[1] << " <" << row.input;
        EXPECT_EQ(r.err, "zorvant: " + row.err);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(Cli, TheCommandLineTable) {
    const std::string project = Write("p.zvp", *NewProject(0)), none = Path("none.zvp");
    struct Row {
        std::string line;  // as for Run
        int status;
        bool onStdout;
        std::string firstLine;  // the start of it
    };
    // --help and -h are read alike by every subcommand: a few stand for all.
    const std::vector<Row> rows = {
        {"--version", 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {"-V", 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {"--help", 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {"help", 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {"new --help", 0, true, "usage: zorvant new MODEL -o FILE"},
        {"convert -h", 0, true, "usage: zorvant convert PROJECT -o OUT"},
        {"lint --help", 0, true, "usage: zorvant lint PROJECT [--json]"},
        {"lint " + project + " -o " + Path("o.zvp"), 2, false,
         "zorvant: lint: -o OUT goes with --fix"},
        {"lint --fix " + project, 2, false, "zorvant: lint: --fix needs -o OUT"},
        {"lint " + none, 2, false, "zorvant: cannot read " + none + ": No such file or directory"},
        {"help diff", 0, true, "usage: zorvant diff A.zvp B.zvp"},
        {"help bogus", 2, false, "zorvant: help: no subcommand bogus"},
        {"help merg", 2, false, "zorvant: help: no subcommand merg (did you mean merge?)"},
        {"generat " + project, 2, false,
         "zorvant: unknown subcommand generat (did you mean generate?)"},
        {"chek", 2, false, "zorvant: unknown subcommand chek (did you mean check?)"},
        {"gen", 2, false, "zorvant: unknown subcommand gen (did you mean generate?)"},
        {"frobnicate", 2, false,
         "zorvant: frobnicate is neither a subcommand nor an existing file"},
        {"--bogus", 2, false, "zorvant: unknown option --bogus"},
        {project + " missing.zvp", 2, false, "zorvant: missing.zvp: no such file"},
        {"generate " + project + " --bogus", 2, false,
         "zorvant: generate: Unknown option 'bogus'."},
        {"generate " + project + " --fromat c", 2, false,
         "zorvant: generate: Unknown option 'fromat'. (did you mean --format?)"},
        {"info", 2, false, "zorvant: info: expected one PROJECT"},
        {"", 1, false, "zorvant: cannot open the desktop program: no display"},
        {project, 1, false, "zorvant: cannot open the desktop program: no display"},
        {"generate " + none, 1, false,
         "zorvant: cannot read " + none + ": No such file or directory"},
    };
    for (const Row& row : rows) {
        const Result r = Run(row.line);
        EXPECT_EQ(r.status, row.status) << row.line << "\n" << r.err;
        const std::string first = row.onStdout ? r.FirstOutLine() : r.FirstErrLine();
        EXPECT_EQ(first.rfind(row.firstLine, 0), 0u) << row.line << ": " << first;
        // Every error line is the program's own.
        std::size_t start = 0;
        while (start < r.err.size()) {
            const std::string line = r.err.substr(start, r.err.find('\n', start) - start);
            EXPECT_TRUE(line.rfind("zorvant: ", 0) == 0 || line.rfind("usage: ", 0) == 0)
                << row.line << ": " << line;
            start += line.size() + 1;
        }
    }

    // The general help lists every subcommand and the exit statuses.
    const std::string help = Spawn({"--help"}).out;
    for (const char* sub : {"new", "generate", "convert", "info", "check", "diff", "lint", "merge",
                            "place", "pins", "run"})
        EXPECT_NE(help.find(std::string("zorvant ") + sub + " "), std::string::npos) << sub;
    EXPECT_NE(help.find("Exit status: 0 success; 1 "), std::string::npos);
    // The script language's help names undo and the modified check.
    const std::string run = Spawn({"run", "--help"}).out;
    for (const char* word :
         {"undo | redo", "expect modified yes|no", "answer yes|no|ok|save|discard|cancel"})
        EXPECT_NE(run.find(word), std::string::npos) << word;
    EXPECT_EQ(Spawn({"--version"}).out,
              "zorvant 1.60 (Zorvant Q7R2x)\nproject file format 1.60 (reads every version from "
              "1.00 on)\n");

    // A display that cannot be reached: one line and exit 1, no abort.
    const Result unreachable = Spawn({}, "/dev/null", std::nullopt, {"DISPLAY=:97"});
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(unreachable.err,
              "zorvant: cannot open the desktop program: no usable display (DISPLAY=:97) (the "
              "subcommands need none; see zorvant --help)\n");

    // '-' reads the project from standard input.
    EXPECT_EQ(Spawn({"generate", "-"}, project).out, Spawn({"generate", project}).out);
    EXPECT_EQ(Spawn({"info", "-"}, project).out, Spawn({"info", project}).out);
}

// The diff itself, line ends left out or not: TextDiffTest; here what check
// compares and how it answers.
TEST_F(Cli, CheckTellsFreshFromStaleSources) {
    const std::string project = Write("p.zvp", *WithTmod(0x20)), source = Path("init.c");
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);

    Result r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Spawn({"check", "-", source}, project).status, 0);
    EXPECT_EQ(Spawn({"check", project, "-"}, source).status, 0);
    // The format chosen on the command line; trouble is 2.
    EXPECT_EQ(Spawn({"check", project, source, "--format", "asm"}).status, 1);
    EXPECT_EQ(Spawn({"check", project, source, "--format", "c"}).status, 0);
    EXPECT_EQ(Spawn({"check", project, Path("none.c")}).status, 2);
    EXPECT_EQ(Spawn({"check", Path("none.zvp"), source}).status, 2);
    EXPECT_EQ(Spawn({"check", project}).status, 2);

    // A checkout that turned CR LF into LF: the same code, unless --strict.
    std::string lf = Slurp(source);
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    Spit(source, lf);
    r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, source + ": line endings differ from what " + project +
                         " generates; the text is the same\n");
    r = Spawn({"check", project, source, "--strict"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\n-    TMOD      = 0x20;\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n+    TMOD      = 0x20;\r\n"), std::string::npos) << r.out;

    // The project changed, the source did not.
    Write("p.zvp", *WithTmod(0x21));
    r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("--- " + source + "\n+++ " + project + " (generated)\n@@ -", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\n-    TMOD      = 0x20;\n+    TMOD      = 0x21;\r\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.err, "zorvant: " + source + " is not what " + project + " generates\n");
}

// The texts of each kind of change: ProjectDiffTest; here the command's ways.
TEST_F(Cli, DiffListsWhatAReviewerNeeds) {
    const std::string a = Write("a.zvp", *NewProject(0)), same = Write("same.zvp", *NewProject(0));
    const std::string b = Write("b.zvp", *WithTmod(0x21));
    const std::string text =
        "Timer_Init (record 2):\n    TMOD  0x00 -> 0x21  (not written -> written)\n";
    struct Row {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string out;
    };
    const Row rows[] = {
        {{"diff", a, same}, "/dev/null", 0, ""},
        {{"diff", a, b}, "/dev/null", 1, text},
        {{"diff", a, "-"}, b, 1, text},
        {{"diff", "--json", a, same}, "/dev/null", 0, "[]\n"},
        {{"diff", "--json", a, b}, "/dev/null", 1,
         "[\n  {\n    \"record\": 2,\n    \"register\": \"TMOD\",\n    \"field\": \"Value\",\n"
         "    \"a\": 0,\n    \"b\": 33\n  },\n  {\n    \"record\": 2,\n    \"register\": \"TMOD\",\n"
         "    \"field\": \"Written\",\n    \"a\": false,\n    \"b\": true\n  }\n]\n"},
        {{"diff", a, Path("none.zvp")}, "/dev/null", 2, ""},
        {{"diff", a}, "/dev/null", 2, ""},
    };
    for (const Row& row : rows) {
        const Result r = Spawn(row.args, row.input);
        EXPECT_EQ(r.status, row.status) << row.args.back() << " <" << row.input;
        EXPECT_EQ(r.out, row.out) << row.args.back() << " <" << row.input;
    }
}

TEST_F(Cli, LintListsProblemsAndFixesThem) {
    const std::string clean = Write("clean.zvp", *NewProject(3));
    Result r = Spawn({"lint", clean});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Spawn({"lint", "--json", clean}).out, "[]\n");

    // A 22.1184 MHz crystal left at "f <= 32kHz", its pins as after reset.
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Oscillator).Registers.at(OscillatorReg::OSCXCN).Value = 0x60;
    doc->ExtOscFrequency = 22118400;
    const std::string p = Write("p.zvp", *doc);
    r = Spawn({"lint", p});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    const std::string where = p + ": warning: Oscillators > External Oscillator: ";
    EXPECT_EQ(r.out, where + "22118400 Hz is outside the selected frequency control \"f <= "
                             "32kHz\" (bits 000); \"10MHz < f <= 30MHz\" (bits 111) fits "
                             "[xtal-drive]\n" +
                         where + "P0.6 for XTAL1 is Digital and Not Skipped: NOT Configured "
                                 "Properly [xtal-pin]\n" +
                         where + "P0.7 for XTAL2 is Digital and Not Skipped: NOT Configured "
                                 "Properly [xtal-pin]\n");
    EXPECT_EQ(Spawn({"lint", "-"}, p).out.substr(0, 16), "standard input: ");

    r = Spawn({"lint", "--json", p});
    EXPECT_EQ(r.status, 1);
    const auto json = nlohmann::ordered_json::parse(r.out);
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[1].dump(),
              R"({"id":"xtal-pin","severity":"warning","command":"Oscillators",)"
              R"("page":"External Oscillator","message":"P0.6 for XTAL1 is Digital and Not )"
              R"(Skipped: NOT Configured Properly"})");

    // --fix writes the fixed project and lists what it did; lint then finds
    // nothing. Which registers each fix touches: ProblemsTest.
    r = Spawn({"lint", "--fix", p, "-o", Path("fixed.zvp")});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_EQ(r.FirstOutLine().rfind(Path("fixed.zvp") + ": fixed: Oscillators > ", 0), 0u);
    EXPECT_EQ(Spawn({"lint", Path("fixed.zvp")}).status, 0);
    // A problem without a fix stays, and lint --fix says so by its status.
    doc->DeviceData.Peripherals.at(Pid::Oscillator).Registers.at(OscillatorReg::OSCXCN).Value = 0x67;
    doc->ExtOscFrequency = 40000000;
    Spit(p, doc->SaveProject());
    r = Spawn({"lint", "--fix", p, "-o", p, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(r.out).size(), 1u);
    // Unreadable input: exit 2, nothing written.
    Spit(Path("cut.zvp"), "\xA0");
    EXPECT_EQ(Spawn({"lint", Path("cut.zvp")}).status, 2);
    EXPECT_EQ(Spawn({"lint", "--fix", Path("cut.zvp"), "-o", Path("w.zvp")}).status, 2);
    EXPECT_FALSE(fs::exists(Path("w.zvp")));
}

class Merge : public Cli {
protected:
    static constexpr const char* kTimers = "menu Timers\nclick 11093\nok\n";
    static constexpr const char* kPortIo = "menu \"Port I/O\"\nclick 11446\nclick 11464\nanswer yes\nok\n";

    // Opens `from`, applies the changes and saves to `to`, through `zorvant run`.
    void Edit(const std::string& from, const std::string& changes, const std::string& to) const {
        Spit(Path("edit.zvs"), "open " + from + "\n" + changes + "save " + to + "\n");
        const Result r = Spawn({"run", Path("edit.zvs")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
};

TEST_F(Merge, AConflictKeepsOursAndNamesTheRegister) {
    const std::string base = Path("base.zvp"), ours = Path("ours.zvp");
    ASSERT_EQ(Spawn({"new", "Q7R20", "-o", base}).status, 0);
    Edit(base, kTimers, ours);
    Edit(base, "menu Timers\nclick 11092\nok\n", Path("theirs.zvp"));
    const std::string before = Slurp(ours);
    Result r = Spawn({"merge", base, ours, Path("theirs.zvp"), "-o", ours});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Timer_Init TMOD: base 0x00 ours 0x02 theirs 0x01\nzorvant: merge: 1 conflict; " +
                         ours + " is kept\n");
    EXPECT_EQ(Slurp(ours), before);
    r = Spawn({"merge", base, ours, Path("theirs.zvp"), "-o", Path("out.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Slurp(Path("out.zvp")), before);
    // Only one side changed: its file, byte for byte.
    EXPECT_EQ(Spawn({"merge", base, base, ours, "-o", Path("m.zvp")}).status, 0);
    EXPECT_EQ(Slurp(Path("m.zvp")), before);

    // Different models, unreadable files and wrong words.
    ASSERT_EQ(Spawn({"new", "Q7R22", "-o", Path("small.zvp")}).status, 0);
    r = Spawn({"merge", base, ours, Path("small.zvp"), "-o", Path("out.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.FirstErrLine(), "model: base Q7R20 ours Q7R20 theirs Q7R22");
    EXPECT_EQ(Spawn({"merge", base, ours, Path("none.zvp")}).status, 2);
    EXPECT_EQ(Spawn({"merge", base, ours}).status, 2);
    EXPECT_EQ(Spawn({"merge", "-", "-", ours}).status, 2);
}

// git, set up as the README says: project diffs as text, and branches that changed
// different peripherals merged. Which fields merge and which conflict: ProjectMergeTest.
TEST_F(Merge, GitDiffsAndMergesThroughInfoAndTheDriver) {
    // Quietly: a merge driver's messages are no failure.
    auto sh = [&](const std::string& args) { return Git(args + " >/dev/null 2>&1"); };
    ASSERT_EQ(sh("init -q -b main"), 0);
    ASSERT_EQ(sh(std::string("config diff.zvp.textconv '") + ZORVANT_EXE + " info'"), 0);
    ASSERT_EQ(sh(std::string("config merge.zvp.driver '") + ZORVANT_EXE + " merge %O %A %B -o %A'"), 0);
    Spit(dir_ / "repo/.gitattributes", "*.zvp diff=zvp merge=zvp\n");
    const std::string board = (dir_ / "repo/board.zvp").string();
    ASSERT_EQ(Spawn({"new", "Q7R21", "-o", board}).status, 0);
    ASSERT_EQ(sh("add ."), 0);
    ASSERT_EQ(sh("commit -q -m base"), 0);
    Edit(board, kTimers + std::string(kPortIo), Path("both.zvp"));

    ASSERT_EQ(sh("checkout -q -b timers"), 0);
    Edit(board, kTimers, board);
    ASSERT_EQ(sh("commit -q -am timers"), 0);
    ASSERT_EQ(Git("diff --no-color main timers > " + Path("diff.txt")), 0);
    const std::string diff = Slurp(Path("diff.txt"));
    EXPECT_NE(diff.find("\n record 2: Timer_Init\n+    TMOD = 0x02\n"), std::string::npos) << diff;
    EXPECT_EQ(diff.find("Binary files"), std::string::npos);
    ASSERT_EQ(sh("checkout -q main"), 0);
    Edit(board, kPortIo, board);
    ASSERT_EQ(sh("commit -q -am crossbar"), 0);
    ASSERT_EQ(sh("merge -q --no-edit timers"), 0);

    EXPECT_EQ(Slurp(board), Slurp(Path("both.zvp")));
    const Result merged = Spawn({"generate", board});
    EXPECT_NE(merged.out.find("    TMOD      = 0x02;\r\n"), std::string::npos) << merged.out;
    EXPECT_NE(merged.out.find("    // P0.4  -  TX0 (UART0)"), std::string::npos) << merged.out;
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
