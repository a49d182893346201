// The script runner's own rules, against a stand-in for the program.

#include <gtest/gtest.h>

#include <sstream>

#include "devices/Q7R2xDoc.h"
#include "host/ScriptRunner.h"
#include "host/ScriptSyntax.h"
#include "support/ScopedUi.h"

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string error;
    EXPECT_TRUE(script::Split(line, words, error)) << error;
    return words;
}

TEST(ScriptSplit, QuotesEscapesAndComments) {
    EXPECT_EQ(Words("  click   11445  "), (std::vector<std::string>{"click", "11445"}));
    EXPECT_EQ(Words("text 11 \"a b\" # comment"), (std::vector<std::string>{"text", "11", "a b"}));
    EXPECT_EQ(Words("expect text 1 \"x\\n\\\"y\\\"\\\\\""),
              (std::vector<std::string>{"expect", "text", "1", "x\n\"y\"\\"}));
    EXPECT_EQ(Words("expect text 1 \"\""), (std::vector<std::string>{"expect", "text", "1", ""}));
    EXPECT_EQ(Words("select 5 \"# not a comment\""),
              (std::vector<std::string>{"select", "5", "# not a comment"}));
    EXPECT_TRUE(Words("# only a comment").empty());
    EXPECT_EQ(Words("new Q7R20\r"), (std::vector<std::string>{"new", "Q7R20"}));
    // "#" and a digit is an entry index, not a comment.
    EXPECT_EQ(Words("select 11 #2 # note"), (std::vector<std::string>{"select", "11", "#2"}));
    EXPECT_EQ(Words("click 5 #"), (std::vector<std::string>{"click", "5"}));

    // An open quote: TheFirstFailureStopsTheRunWithItsLine.
    std::vector<std::string> words;
    std::string error;
    EXPECT_FALSE(script::Split("text 1 \"\\t\"", words, error));
    EXPECT_EQ(error, "unknown escape \\t");

    // Quoting gives back every word, bare where that is safe.
    const std::vector<std::string> tricky = {"click", "#2", "#x", "", "a b", "q\"\\\n", "\"x", "a#b"};
    EXPECT_EQ(script::Join(tricky), "click #2 \"#x\" \"\" \"a b\" \"q\\\"\\\\\\n\" \"\\\"x\" a#b");
    EXPECT_EQ(Words(script::Join(tricky)), tricky);
}

// A program with one project and no menus beyond Reset All.
class FakeHost : public ScriptHost {
public:
    std::string NewProject(const std::string& model) override {
        log += "new " + model + ";";
        if (model != "Q7R20") return "unknown model " + model;
        doc = ::NewProject(0);
        return "";
    }
    std::string OpenProject(const std::string& path) override { return "cannot open " + path; }
    std::string SaveProject(const std::string& path) override {
        log += "save " + path + ";";
        return "";
    }
    std::string SaveSource(const std::string&) override { return ""; }
    std::string SetCodeFormat(int format) override {
        if (!doc) return "no project is open";
        doc->DeviceData.CodeFormat = format;
        return "";
    }
    std::string ChoosePeripheral(const std::string& item) override {
        if (!doc) return "no project is open";
        if (item == "Clock") {  // a command that moves a clock word
            doc->SysclkFrequency = 24000000;
            return "";
        }
        if (item == "Mute") {  // a box that says nothing
            TheUi().Error("");
            return "";
        }
        if (item != "Reset All") return "no menu item " + item;
        if (TheUi().Ask("Reset all peripheral data to default?")) doc->InitializePeripherals();
        return "";
    }
    CDeviceDocument* ActiveDocument() override { return doc.get(); }
    std::string CodeText() override { return doc ? doc->GenerateSource() : ""; }

    std::unique_ptr<CQ7R2xDoc> doc;
    std::string log;
};

struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunScript(FakeHost& host, const std::string& text) {
    // The program's boxes go through the process-wide service, as in `zorvant run`.
    ScopedScriptUi ui;
    std::ostringstream out, err;
    const int status = ScriptRunner(host, ui, out, err).Run("t.zvs", text);
    return {status, out.str(), err.str()};
}

TEST(ScriptRunner, ProjectCommandsAnswersAndChecks) {
    FakeHost host;
    const Outcome o = RunScript(host,
                                "new Q7R20\n"
                                "expect doc DeviceCode 160\n"
                                "expect doc SysclkFrequency 0x16E360\n"
                                "format asm\n"
                                "expect doc CodeFormat 1\n"
                                "expect code-line \"; Empty configuration\"\n"
                                "answer no\n"
                                "resetall\n"
                                "expect message \"Reset all peripheral data to default?\"\n"
                                "expect no-message\n"
                                "save out.zvp\n"
                                "keep a\n"
                                "menu Clock\n"
                                "expect project a except SysclkFrequency 7\n"
                                "expect code a\n"
                                "expect code-current\n"
                                "answer no\n"
                                "answer none\n"
                                "resetall\n"
                                "expect project a\n"
                                "print code\n");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(host.log, "new Q7R20;save out.zvp;");
    EXPECT_EQ(o.out.rfind("message: \"Reset all peripheral data to default?\" -> no\n", 0), 0u);
    EXPECT_NE(o.out.find("end\r\n"), std::string::npos);
}

TEST(ScriptRunner, TheFirstFailureStopsTheRunWithItsLine) {
    struct Case {
        std::string script, error;
    };
    const std::vector<Case> cases = {
        {"new Q7R20\nexpect doc CodeFormat 1\nsave never.zvp\n",
         "t.zvs:2: CodeFormat is 0, expected 1\n"},
        {"# comment\n\nnew Q7R99\n", "t.zvs:3: new: unknown model Q7R99\n"},
        {"new Q7R20\nmenu Timers\n", "t.zvs:2: menu: no menu item Timers\n"},
        {"bogus\n", "t.zvs:1: unknown command: bogus\n"},
        {"click 5\n", "t.zvs:1: click: no dialog is open\n"},
        {"new Q7R20\nexpect code-line \"nope\"\n", "t.zvs:2: no line \"nope\" in the generated code\n"},
        {"new Q7R20\nexpect message \"x\"\n", "t.zvs:2: expected message \"x\", but none was shown\n"},
        {"new Q7R20\nresetall\nexpect message \"x\"\n",
         "t.zvs:3: expected message \"x\", got \"Reset all peripheral data to default?\"\n"},
        {"new Q7R20\nresetall\nexpect no-message\n",
         "t.zvs:3: expected no message, got \"Reset all peripheral data to default?\"\n"},
        {"answer maybe\n", "t.zvs:1: answer takes yes, no, ok, save, discard, cancel or recover\n"},
        {"format pascal\n", "t.zvs:1: format takes c or asm\n"},
        {"wait soon\n", "t.zvs:1: wait: not a number of milliseconds: soon\n"},
        {"open x.zvp\n", "t.zvs:1: open: cannot open x.zvp\n"},
        {"text 1 \"a\n", "t.zvs:1: unterminated quote\n"},
        {"new Q7R20 extra\n", "t.zvs:1: wrong number of arguments to new\n"},
        {"new Q7R20\nexpect project a\n", "t.zvs:2: expect project: nothing kept as a\n"},
        {"new Q7R20\nkeep a\nmenu Clock\nexpect project a except 2\n",
         "t.zvs:4: the project differs from a:\nSysclkFrequency: 1500000 -> 24000000\n"},
        {"new Q7R20\nkeep a\nformat asm\nexpect code a\n",
         "t.zvs:4: the code differs from the code kept as a\n"},
        {"new Q7R20\nkeep a\nexpect project a except Clock\n",
         "t.zvs:3: expect project: not a record id or clock word: Clock\n"},
        {"new Q7R20\nmenu Mute\n", "t.zvs:2: a message box without text\n"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        const Outcome o = RunScript(host, c.script);
        EXPECT_EQ(o.status, 1) << c.script;
        EXPECT_EQ(o.err, c.error) << c.script;
        EXPECT_EQ(host.log.find("save never"), std::string::npos);
    }
}

}  // namespace
