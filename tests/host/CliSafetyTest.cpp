// The command line as build scripts and CI jobs meet it: full disks, special
// files, bad words, `check`, `diff` and git's textconv.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
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
    Spit(project, doc->SaveProject());
    ASSERT_EQ(Spawn({"generate", project, "-o", source}).status, 0);
    const std::string oldProject = Slurp(project), oldSource = Slurp(source);
    ASSERT_GT(oldProject.size(), 1000u);
    Spit(dir_ / "save.zvs", "open " + project + "\nsave " + project + "\n");
    if (disk.Mounted()) disk.Fill();

    struct Case {
        std::vector<std::string> args;
        std::string target;
    };
    // Every command writes through one function, with text or with project
    // bytes; scripts through the desktop's writers (DesktopTest checks each).
    const std::vector<Case> cases = {
        {{"convert", project, "-o", project}, project},
        {{"generate", project, "-o", source}, source},
        {{"run", Path("save.zvs")}, project},
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
    Spit(project, NewProject(1)->SaveProject());
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

TEST_F(CliSafety, TheOutputMayNotBeTheInput) {
    const std::string project = Path("keep.zvp");
    Spit(project, NewProject(3)->SaveProject());
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
    Spit(project, NewProject(0)->SaveProject());
    struct Row {
        std::vector<std::string> args;
        int status;
        bool onStdout;
        std::string firstLine;  // the start of it
    };
    // --help and -h are read alike by every subcommand: a few stand for all.
    const std::vector<Row> rows = {
        {{"--version"}, 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {{"-V"}, 0, true, "zorvant 1.60 (Zorvant Q7R2x)"},
        {{"--help"}, 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {{"help"}, 0, true, "usage: zorvant [PROJECT.zvp ...]"},
        {{"new", "--help"}, 0, true, "usage: zorvant new MODEL -o FILE"},
        {{"convert", "-h"}, 0, true, "usage: zorvant convert PROJECT -o OUT"},
        {{"lint", "--help"}, 0, true, "usage: zorvant lint PROJECT [--json]"},
        {{"lint", project, "-o", Path("o.zvp")}, 2, false, "zorvant: lint: -o OUT goes with --fix"},
        {{"lint", "--fix", project}, 2, false, "zorvant: lint: --fix needs -o OUT"},
        {{"lint", Path("none.zvp")}, 2, false,
         "zorvant: cannot read " + Path("none.zvp") + ": No such file or directory"},
        {{"help", "diff"}, 0, true, "usage: zorvant diff A.zvp B.zvp"},
        {{"help", "bogus"}, 2, false, "zorvant: help: no subcommand bogus"},
        {{"help", "merg"}, 2, false, "zorvant: help: no subcommand merg (did you mean merge?)"},
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
TEST_F(CliSafety, CheckTellsFreshFromStaleSources) {
    const std::string project = Path("p.zvp"), source = Path("init.c");
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x20;
    Spit(project, doc->SaveProject());
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
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    Spit(project, doc->SaveProject());
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
TEST_F(CliSafety, DiffListsWhatAReviewerNeeds) {
    const std::string a = Path("a.zvp"), same = Path("same.zvp"), b = Path("b.zvp");
    Spit(a, NewProject(0)->SaveProject());
    Spit(same, NewProject(0)->SaveProject());
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    Spit(b, doc->SaveProject());
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

TEST_F(CliSafety, LintListsProblemsAndFixesThem) {
    Spit(Path("clean.zvp"), NewProject(3)->SaveProject());
    Result r = Spawn({"lint", Path("clean.zvp")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Spawn({"lint", "--json", Path("clean.zvp")}).out, "[]\n");

    // A 22.1184 MHz crystal left at "f <= 32kHz", its pins as after reset.
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Oscillator).Registers.at(OscillatorReg::OSCXCN).Value = 0x60;
    doc->ExtOscFrequency = 22118400;
    Spit(Path("p.zvp"), doc->SaveProject());
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

TEST_F(CliSafety, GitShowsProjectChangesAsTextThroughInfo) {
    ASSERT_EQ(Git("init -q"), 0);
    ASSERT_EQ(Git(std::string("config diff.zvp.textconv '") + ZORVANT_EXE + " info'"), 0);
    Spit(dir_ / "repo/.gitattributes", "*.zvp diff=zvp\n");
    auto doc = NewProject(0);
    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x20;
    Spit(dir_ / "repo/board.zvp", doc->SaveProject());
    ASSERT_EQ(Git("add ."), 0);
    ASSERT_EQ(Git("commit -q -m one"), 0);

    doc->DeviceData.Peripherals.at(Pid::Timers).Registers.at(TimersReg::TMOD).Value = 0x21;
    Spit(dir_ / "repo/board.zvp", doc->SaveProject());
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

// git, set up as the README says, merges two branches that changed different
// peripherals of one project into the project that making both changes gives.
// Which fields merge and which conflict: ProjectMergeTest.
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

    EXPECT_EQ(Slurp(board), Slurp(Path("both.zvp")));
    const Result merged = Spawn({"generate", board});
    EXPECT_NE(merged.out.find("    TMOD      = 0x02;\r\n"), std::string::npos) << merged.out;
    EXPECT_NE(merged.out.find("    // P0.4  -  TX0 (UART0)"), std::string::npos) << merged.out;
}

}  // namespace
