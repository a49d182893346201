// The command line as build scripts and CI jobs meet it: full disks, special
// files, bad words, `check`, `diff` and git's textconv.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "support/CliFixture.h"

namespace fs = std::filesystem;

namespace {

using testing_cli::Result;
using testing_cli::Slurp;
using testing_cli::Spit;

void SaveProject(const fs::path& p, const CDeviceDocument& doc) {
    const auto bytes = doc.SaveProject();
    Spit(p, std::string(bytes.begin(), bytes.end()));
}

using CliSafety = testing_cli::CliFixture;

TEST_F(CliSafety, AFullDiskFailsEveryWriterAndKeepsThePreviousFiles) {
    const fs::path full = dir_ / "full";
    fs::create_directories(full);
    testing_disk::FullDisk disk(full);
    // Without a tmpfs to fill, a file-size limit of 0 fails every write alike.
    const std::optional<rlim_t> limit =
        disk.Mounted() ? std::nullopt : std::optional<rlim_t>(rlim_t{0});
    const std::string project = (full / "p.zvp").string(), source = (full / "init.c").string();
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x20;
    SaveProject(project, *doc);
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
    const std::string oldProject = Slurp(project), oldSource = Slurp(source);
    ASSERT_GT(oldProject.size(), 1000u);
    Spit(dir_ / "save.zvs", "open " + project + "\nsave " + project + "\n");
    Spit(dir_ / "source.zvs", "open " + project + "\nformat asm\nsource " + source + "\n");
    if (disk.Mounted()) disk.Fill();

    struct Case {
        std::vector<std::string> args;
        std::string target;
    };
    const std::vector<Case> cases = {
        {{"convert", project, "-o", project}, project},
        {{"place", project, "SDA=P1.2", "-o", project}, project},
        {{"new", "Q7R22", "-o", project, "--force"}, project},
        {{"generate", project, "-o", source}, source},
        {{"generate", project, "--format", "asm", "-o", source}, source},
        {{"run", Path("save.zvs")}, project},
        {{"run", Path("source.zvs")}, source},
    };
    for (const Case& c : cases) {
        const Result r = Spawn(c.args, "/dev/null", limit);
        const std::string what =
            c.args[0] + " " + c.args[1] + (disk.Mounted() ? " (tmpfs)" : " (limit)");
        EXPECT_EQ(r.status, 1) << what << "\n" << r.err;
        const std::string reason = disk.Mounted() ? "No space left on device" : "File too large";
        EXPECT_NE(r.err.find("cannot write " + c.target + ": " + reason), std::string::npos)
            << what << "\n"
            << r.err;
        if (c.args[0] == "run") {
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
    const std::vector<std::string> expected =
        disk.Mounted() ? std::vector<std::string>{"filler", "init.c", "p.zvp"}
                       : std::vector<std::string>{"init.c", "p.zvp"};
    EXPECT_EQ(names, expected);
}

TEST_F(CliSafety, DevicesAndFifosAsOutputsStayWhatTheyAre) {
    const std::string project = Path("p.zvp");
    SaveProject(project, *NewProject(1));
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
}

TEST_F(CliSafety, InputsThatAreNoProjectsOrScriptsEndPromptly) {
    const auto start = std::chrono::steady_clock::now();
    // A file over the limit is refused before it is read.
    {
        std::ofstream big(Path("big.zvp"), std::ios::binary);
        big.put(static_cast<char>(160));
    }
    fs::resize_file(Path("big.zvp"), 16u * 1024u * 1024u + 1u);
    Result r = Spawn({"info", Path("big.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "zorvant: cannot read " + Path("big.zvp") + ": it is larger than 16777216 bytes\n");

    r = Spawn({"info", "/dev/zero"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: cannot read /dev/zero: it is a device, not a regular file\n");
    r = Spawn({"info", "-"}, "/dev/zero");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: cannot read standard input: it is larger than 16777216 bytes\n");
    r = Spawn({"generate", dir_.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: cannot read " + dir_.string() +
                         ": it is a directory, not a regular file\n");
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    r = Spawn({"info", Path("fifo")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "zorvant: cannot read " + Path("fifo") + ": it is a FIFO, not a regular file\n");

    // Scripts: a directory, a binary file, a missing one.
    r = Spawn({"run", dir_.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: cannot read " + dir_.string() +
                         ": it is a directory, not a regular file\n");
    Spit(Path("bin.zvs"), std::string("new Q7R20\n\x7F"
                                      "ELF\x02\x01",
                                      16));
    r = Spawn({"run", Path("bin.zvs")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: " + Path("bin.zvs") + " is not a script: binary data at byte 10\n");
    r = Spawn({"run", "-"}, "/dev/zero");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: cannot read standard input: it is larger than 16777216 bytes\n");
    r = Spawn({"run", "-"}, Path("bin.zvs"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zorvant: standard input is not a script: binary data at byte 10\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(CliSafety, TheOutputMayNotBeTheInput) {
    const std::string project = Path("keep.zvp");
    SaveProject(project, *NewProject(3));
    const std::string before = Slurp(project);
    fs::create_symlink(project, Path("alias.zvp"));
    for (const std::string& out : {project, Path("alias.zvp"), Path("./keep.zvp")}) {
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

TEST_F(CliSafety, TheCommandLineTable) {
    const std::string project = Path("p.zvp");
    SaveProject(project, *NewProject(0));
    struct Row {
        std::vector<std::string> args;
        int status;
        bool onStdout;
        std::string firstLine;  // the start of it
    };
    const std::vector<Row> rows = {
        {{"--version"}, 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {{"-V"}, 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {{"--help"}, 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {{"help"}, 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {{"new", "--help"}, 0, true, "usage: zorvant new MODEL -o FILE"},
        {{"generate", "--help"}, 0, true,
         "usage: zorvant generate PROJECT [--format c|asm] [-o OUT]"},
        {{"convert", "-h"}, 0, true, "usage: zorvant convert PROJECT -o OUT"},
        {{"info", "--help"}, 0, true, "usage: zorvant info PROJECT"},
        {{"check", "--help"}, 0, true, "usage: zorvant check PROJECT SOURCE [--format c|asm]"},
        {{"diff", "--help"}, 0, true, "usage: zorvant diff A.zvp B.zvp"},
        {{"run", "--help"}, 0, true, "usage: zorvant run SCRIPT"},
        {{"lint", "--help"}, 0, true, "usage: zorvant lint PROJECT [--json]"},
        {{"lint", project, "-o", Path("o.zvp")}, 2, false, "zorvant: lint: -o OUT goes with --fix"},
        {{"lint", "--fix", project}, 2, false, "zorvant: lint: --fix needs -o OUT"},
        {{"lint", Path("none.zvp")}, 2, false,
         "zorvant: cannot read " + Path("none.zvp") + ": No such file or directory"},
        {{"help", "diff"}, 0, true, "usage: zorvant diff A.zvp B.zvp"},
        {{"help", "bogus"}, 2, false, "zorvant: help: no subcommand bogus"},
        {{"help", "merg"}, 2, false, "zorvant: help: no subcommand merg (did you mean merge?)"},
        {{"merge", "--help"}, 0, true, "usage: zorvant merge BASE OURS THEIRS [-o OUT]"},
        {{"generat", project}, 2, false,
         "zorvant: unknown subcommand generat (did you mean generate?)"},
        {{"chek"}, 2, false, "zorvant: unknown subcommand chek (did you mean check?)"},
        {{"gen"}, 2, false, "zorvant: unknown subcommand gen (did you mean generate?)"},
        {{"frobnicate"}, 2, false,
         "zorvant: frobnicate is neither a subcommand nor an existing file"},
        {{"--bogus"}, 2, false, "zorvant: unknown option --bogus"},
        {{project, "missing.zvp"}, 2, false, "zorvant: missing.zvp: no such file"},
        {{"generate", project, "--bogus"}, 2, false, "zorvant: generate: Unknown option 'bogus'."},
        {{"generate", project, "--fromat", "c"}, 2, false,
         "zorvant: generate: Unknown option 'fromat'. (did you mean --format?)"},
        {{"info"}, 2, false, "zorvant: info: expected one PROJECT"},
        {{}, 1, false, "zorvant: cannot open the desktop program: no display"},
        {{project}, 1, false, "zorvant: cannot open the desktop program: no display"},
        {{"generate", Path("none.zvp")}, 1, false,
         "zorvant: cannot read " + Path("none.zvp") + ": No such file or directory"},
    };
    for (const Row& row : rows) {
        std::string what;
        for (const auto& a : row.args)
            what += a + " ";
        const Result r = Spawn(row.args);
        EXPECT_EQ(r.status, row.status) << what << "\n" << r.err;
        const std::string first = row.onStdout ? r.FirstOutLine() : r.FirstErrLine();
        EXPECT_EQ(first.rfind(row.firstLine, 0), 0u) << what << ": " << first;
        // Every error line is the program's own.
        std::size_t start = 0;
        while (start < r.err.size()) {
            const std::string line = r.err.substr(start, r.err.find('\n', start) - start);
            EXPECT_TRUE(line.rfind("zorvant: ", 0) == 0 || line.rfind("usage: ", 0) == 0)
                << what << ": " << line;
            start += line.size() + 1;
        }
    }

    // The general help lists every subcommand and the exit statuses.
    const std::string help = Spawn({"--help"}).out;
    for (const char* sub : {"new", "generate", "convert", "info", "check", "diff", "lint", "merge",
                            "place", "pins", "run"})
        EXPECT_NE(help.find(std::string("zorvant ") + sub + " "), std::string::npos) << sub;
    EXPECT_NE(help.find("Exit status: 0 success; 1 "), std::string::npos);
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
    const Result fromFile = Spawn({"generate", project});
    Result fromStdin = Spawn({"generate", "-"}, project);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, fromFile.out);
    EXPECT_EQ(Spawn({"info", "-"}, project).out, Spawn({"info", project}).out);
    fromStdin = Spawn({"info", "-"});  // empty input
    EXPECT_EQ(fromStdin.status, 1);
    EXPECT_EQ(fromStdin.err,
              "zorvant: standard input is not a Q7R2x project (unknown device code)\n");

    // The refusal of a newer file names the program and the file.
    auto bytes = NewProject(0)->SaveProject();
    bytes[5] = 61;
    Spit(Path("newer.zvp"), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(Spawn({"info", Path("newer.zvp")}).err,
              "zorvant: " + Path("newer.zvp") +
                  ": Error: This file is not supported under this DLL version\n");
}

TEST_F(CliSafety, CheckTellsFreshFromStaleAndHandEditedSources) {
    const std::string project = Path("p.zvp"), source = Path("init.c");
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x20;  // TMOD
    SaveProject(project, *doc);
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);

    Result r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Spawn({"check", "-", source}, project).status, 0);
    EXPECT_EQ(Spawn({"check", project, "-"}, source).status, 0);

    // The project changed, the source did not.
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    SaveProject(project, *doc);
    r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("--- " + source + "\n+++ " + project + " (generated)\n@@ -", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\n-    TMOD      = 0x20;\r\n+    TMOD      = 0x21;\r\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.err, "zorvant: " + source + " is not what " + project + " generates\n");

    // A hand edit of a fresh source.
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
    Spit(source, Slurp(source) + "// my change\r\n");
    r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\n-// my change\r\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\n+", r.out.find("@@")), std::string::npos) << r.out;

    // A checkout that turned CR LF into LF: the same code, unless --strict.
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
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
    EXPECT_NE(r.out.find("\n-    TMOD      = 0x21;\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n+    TMOD      = 0x21;\r\n"), std::string::npos) << r.out;
    // A real change in an LF file shows only that change.
    Spit(source, lf + "// mine\n");
    r = Spawn({"check", project, source});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\n-// mine\n"), std::string::npos) << r.out;
    const std::size_t hunk = r.out.find("@@");
    EXPECT_EQ(r.out.find("\n+", hunk), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\n-", hunk), r.out.find("\n-// mine\n")) << r.out;
    EXPECT_EQ(r.out.find("\n-", r.out.find("\n-// mine\n") + 1), std::string::npos) << r.out;

    // The format chosen on the command line; trouble is 2.
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
    EXPECT_EQ(Spawn({"check", project, source, "--format", "asm"}).status, 1);
    EXPECT_EQ(Spawn({"check", project, source, "--format", "c"}).status, 0);
    EXPECT_EQ(Spawn({"check", project, Path("none.c")}).status, 2);
    EXPECT_EQ(Spawn({"check", Path("none.zvp"), source}).status, 2);
    EXPECT_EQ(Spawn({"check", project}).status, 2);
}

TEST_F(CliSafety, DiffListsWhatAReviewerNeeds) {
    auto a = NewProject(0);
    SaveProject(Path("a.zvp"), *a);
    SaveProject(Path("same.zvp"), *a);
    Result r = Spawn({"diff", Path("a.zvp"), Path("same.zvp")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");

    auto b = NewProject(0);
    b->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    SaveProject(Path("b.zvp"), *b);
    r = Spawn({"diff", Path("a.zvp"), Path("b.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Timer_Init (record 2):\n    TMOD  0x00 -> 0x21  (not written -> written)\n");
    r = Spawn({"diff", "--json", Path("a.zvp"), Path("b.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "[\n  {\n    \"record\": 2,\n    \"register\": \"TMOD\",\n    \"field\": \"Value\",\n"
              "    \"a\": 0,\n    \"b\": 33\n  },\n  {\n    \"record\": 2,\n    \"register\": \"TMOD\",\n"
              "    \"field\": \"Written\",\n    \"a\": false,\n    \"b\": true\n  }\n]\n");
    r = Spawn({"diff", "--json", Path("a.zvp"), Path("same.zvp")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[]\n");

    auto c = NewProject(0);
    c->DeviceData.Peripherals.at(Pid::PortIO).Registers.at(PortIOReg::P0MDIN).CPost =
        "    // pins\r\n";
    SaveProject(Path("c.zvp"), *c);
    r = Spawn({"diff", Path("a.zvp"), "-"}, Path("c.zvp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Port_IO_Init (record 13):\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" C text after:\n        +     // pins\n"), std::string::npos) << r.out;

    SaveProject(Path("d.zvp"), *NewProject(5));
    r = Spawn({"diff", Path("a.zvp"), Path("d.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.FirstOutLine(), "model: Q7R20 -> Q7R25");

    EXPECT_EQ(Spawn({"diff", Path("a.zvp"), Path("none.zvp")}).status, 2);
    EXPECT_EQ(Spawn({"diff", Path("a.zvp")}).status, 2);
}

TEST_F(CliSafety, LintListsProblemsAndFixesThem) {
    SaveProject(Path("clean.zvp"), *NewProject(3));
    Result r = Spawn({"lint", Path("clean.zvp")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Spawn({"lint", "--json", Path("clean.zvp")}).out, "[]\n");

    // A 22.1184 MHz crystal left at "f <= 32kHz", its pins as after reset.
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Oscillator).Registers.at(OscillatorReg::OSCXCN).Value = 0x60;
    doc->ExtOscFrequency = 22118400;
    SaveProject(Path("p.zvp"), *doc);
    const std::string p = Path("p.zvp");
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
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[1].dump(),
              R"({"id":"xtal-pin","severity":"warning","command":"Oscillators",)"
              R"("page":"External Oscillator","message":"P0.6 for XTAL1 is Digital and Not )"
              R"(Skipped: NOT Configured Properly"})");

    // --fix writes the fixed project and lists what it did; lint then finds nothing.
    r = Spawn({"lint", "--fix", p, "-o", Path("fixed.zvp")});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_EQ(r.FirstOutLine().rfind(Path("fixed.zvp") + ": fixed: Oscillators > ", 0), 0u);
    EXPECT_EQ(Spawn({"lint", Path("fixed.zvp")}).status, 0);
    // The generated code differs in exactly the fixed registers and the pin map.
    std::string changes;  // the diff less the text lines of the pin map
    const std::string diff = Spawn({"diff", p, Path("fixed.zvp")}).out;
    for (std::size_t at = 0; at < diff.size();) {
        const std::size_t end = diff.find('\n', at) + 1;
        if (diff.compare(at, 8, "        ") != 0) changes += diff.substr(at, end - at);
        at = end;
    }
    EXPECT_EQ(changes,
              "Port_IO_Init (record 13):\n    C prologue:\n    assembly prologue:\n"
              "    P0MDIN  0xFF -> 0x3F  (not written -> written)\n"
              "    P0SKIP  0x00 -> 0xC0  (not written -> written)\n"
              "Oscillator_Init (record 14):\n    OSCXCN  0x60 -> 0x67\n");

    // A problem without a fix stays, and lint --fix says so by its status.
    doc->DeviceData.Peripherals.at(Pid::Oscillator).Registers.at(OscillatorReg::OSCXCN).Value = 0x67;
    doc->ExtOscFrequency = 40000000;
    SaveProject(p, *doc);
    r = Spawn({"lint", "--fix", p, "-o", p, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(r.out).size(), 1u);
    // Unreadable input: exit 2, nothing written.
    Spit(Path("cut.zvp"), "\xA0");
    EXPECT_EQ(Spawn({"lint", Path("cut.zvp")}).status, 2);
    EXPECT_EQ(Spawn({"lint", "--fix", Path("cut.zvp"), "-o", Path("w.zvp")}).status, 2);
    EXPECT_FALSE(fs::exists(Path("w.zvp")));
}

TEST_F(CliSafety, GitShowsProjectChangesAsTextThroughInfo) {
    ASSERT_EQ(Git("init -q"), 0);
    ASSERT_EQ(Git(std::string("config diff.zvp.textconv '") + ZORVANT_EXE + " info'"), 0);
    Spit(dir_ / "repo/.gitattributes", "*.zvp diff=zvp\n");
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x20;
    SaveProject(dir_ / "repo/board.zvp", *doc);
    ASSERT_EQ(Git("add ."), 0);
    ASSERT_EQ(Git("commit -q -m one"), 0);

    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    SaveProject(dir_ / "repo/board.zvp", *doc);
    ASSERT_EQ(Git("diff --no-color > " + (dir_ / "diff.txt").string()), 0);
    const std::string diff = Slurp(dir_ / "diff.txt");
    EXPECT_NE(diff.find("\n record 2: Timer_Init\n-    TMOD = 0x20\n+    TMOD = 0x21\n"),
              std::string::npos)
        << diff;
    EXPECT_EQ(diff.find("Binary files"), std::string::npos);
}

// Two peripherals changed on two copies through the real sheets, as users
// change them: the merge is the project that making both changes gives.
class Merge : public testing_cli::CliFixture {
protected:
    static constexpr const char* kTimers = "menu Timers\nclick 11093\nok\n";
    static constexpr const char* kPortIo = "menu \"Port I/O\"\nclick 11446\nclick 11464\nanswer yes\nok\n";
    static constexpr const char* kSkipOnly = "menu \"Port I/O\"\nclick 11465\nanswer yes\nok\n";

    // Opens `from`, applies the changes and saves to `to`, through `zorvant run`.
    void Edit(const std::string& from, const std::string& changes, const std::string& to) const {
        Spit(Path("edit.zvs"), "open " + from + "\n" + changes + "save " + to + "\n");
        const Result r = Spawn({"run", Path("edit.zvs")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
};

TEST_F(Merge, DisjointChangesMergeToWhatBothChangesGive) {
    const std::string base = Path("base.zvp");
    ASSERT_EQ(Spawn({"new", "Q7R20", "-o", base}).status, 0);
    struct Case {
        std::string ours, theirs;
    };
    // Different records; both sides changing Port I/O (the comment is rebuilt).
    for (const Case& c : {Case{kTimers, kPortIo}, Case{kPortIo, kSkipOnly}}) {
        Edit(base, c.ours, Path("ours.zvp"));
        Edit(base, c.theirs, Path("theirs.zvp"));
        Edit(base, c.ours + c.theirs, Path("both.zvp"));
        const Result r = Spawn({"merge", base, Path("ours.zvp"), Path("theirs.zvp"), "-o", Path("m.zvp")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Slurp(Path("m.zvp")), Slurp(Path("both.zvp"))) << c.ours << c.theirs;
    }
    // Only one side changed: its file, byte for byte.
    EXPECT_EQ(Spawn({"merge", base, base, Path("theirs.zvp"), "-o", Path("m.zvp")}).status, 0);
    EXPECT_EQ(Slurp(Path("m.zvp")), Slurp(Path("theirs.zvp")));
}

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

    // Different models, unreadable files and wrong words.
    ASSERT_EQ(Spawn({"new", "Q7R22", "-o", Path("small.zvp")}).status, 0);
    r = Spawn({"merge", base, ours, Path("small.zvp"), "-o", Path("out.zvp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.FirstErrLine(), "model: base Q7R20 ours Q7R20 theirs Q7R22");
    EXPECT_EQ(Spawn({"merge", base, ours, Path("none.zvp")}).status, 2);
    EXPECT_EQ(Spawn({"merge", base, ours}).status, 2);
    EXPECT_EQ(Spawn({"merge", "-", "-", ours}).status, 2);
}

// git, set up as the README says, merges two branches that changed different
// peripherals of one project, and the result generates what both changes give.
TEST_F(Merge, GitMergesBranchesThroughTheDriver) {
    // Quietly: a merge driver's messages are no failure.
    auto sh = [&](const std::string& args) { return Git(args + " >/dev/null 2>&1"); };
    ASSERT_EQ(sh("init -q -b main"), 0);
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
    ASSERT_EQ(sh("checkout -q main"), 0);
    Edit(board, kPortIo, board);
    ASSERT_EQ(sh("commit -q -am crossbar"), 0);
    ASSERT_EQ(sh("merge -q --no-edit timers"), 0);

    const Result merged = Spawn({"generate", board}), both = Spawn({"generate", Path("both.zvp")});
    ASSERT_EQ(merged.status, 0);
    EXPECT_EQ(merged.out, both.out);
    EXPECT_NE(merged.out.find("    TMOD      = 0x02;\r\n"), std::string::npos) << merged.out;
    EXPECT_NE(merged.out.find("    // P0.4  -  TX0 (UART0)"), std::string::npos) << merged.out;
}

}  // namespace
