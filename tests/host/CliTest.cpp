// The headless subcommands, run as a user's build script runs them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "model/Ui.h"
#include "support/Bytes.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spit(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zv_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Path(const std::string& name) const { return dir_ / name; }

    // Runs zorvant with the arguments (no spaces in them) and no display.
    Result Run(const std::string& args) const {
        const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= " +
                                std::string(ZORVANT_EXE) + " " + args + " >" +
                                Path("stdout").string() + " 2>" + Path("stderr").string();
        Result r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(Path("stdout"));
        r.err = Slurp(Path("stderr"));
        return r;
    }

    std::string Bytes(const std::vector<std::uint8_t>& v) const { return {v.begin(), v.end()}; }

    fs::path dir_;
};

TEST_F(Cli, NewWritesTheProjectOfEveryModel) {
    for (int m = 0; m < 8; ++m) {
        const std::string name = (m % 2 ? "q7r2" : "Q7R2") + std::to_string(m);
        const Result r = Run("new " + name + " -o " + Path("p.zvp").string());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Slurp(Path("p.zvp")), Bytes(NewProject(m)->SaveProject()));
    }
}

TEST_F(Cli, GenerateWritesExactlyTheGeneratedBytes) {
    ASSERT_EQ(Run("new Q7R22 -o " + Path("x.zvp").string()).status, 0);
    auto doc = NewProject(2);
    Result r = Run("generate " + Path("x.zvp").string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, doc->GenerateSource());
    EXPECT_NE(r.out.find("// Empty configuration\r\n"), std::string::npos);

    r = Run("generate " + Path("x.zvp").string() + " --format ASM -o " + Path("x.asm").string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    doc->DeviceData.CodeFormat = 1;
    EXPECT_EQ(Slurp(Path("x.asm")), doc->GenerateSource());

    // Without --format the project's own format is used.
    doc->DeviceData.Peripherals[4].Registers[0].Value = 0x80;
    Spit(Path("asm.zvp"), doc->SaveProject());
    r = Run("generate " + Path("asm.zvp").string());
    EXPECT_EQ(r.out, doc->GenerateSource());
    EXPECT_NE(r.out.find("    mov  SMB0CF,    #080h\r\n"), std::string::npos);
    r = Run("generate " + Path("asm.zvp").string() + " --format c");
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
    Spit(Path("empty.zvp"), {});

    Result r = Run("generate " + Path("new.zvp").string() + " -o " + Path("out.c").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error: This file is not supported under this DLL version"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(Path("out.c")));

    for (const char* name : {"cut.zvp", "alien.zvp", "empty.zvp", "missing.zvp"}) {
        for (const std::string& cmd : {std::string("generate "), std::string("info "),
                                       std::string("convert ")}) {
            const std::string out = cmd == "info " ? "" : " -o " + Path("out").string();
            r = Run(cmd + Path(name).string() + out);
            EXPECT_EQ(r.status, 1) << cmd << name;
            EXPECT_FALSE(r.err.empty());
            EXPECT_FALSE(fs::exists(Path("out"))) << cmd << name;
        }
    }

    // An existing output file survives a failed command untouched.
    Spit(Path("keep.c"), {'k', 'e', 'e', 'p'});
    r = Run("generate " + Path("cut.zvp").string() + " -o " + Path("keep.c").string());
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

    const Result r = Run("convert " + Path("old.zvp").string() + " -o " + Path("new.zvp").string());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string converted = Slurp(Path("new.zvp"));
    ASSERT_GT(converted.size(), 9u);
    EXPECT_EQ(static_cast<unsigned char>(converted[0]), 164);
    EXPECT_EQ(converted[5], 60);

    auto doc = CreateModelDocument(4);
    ScriptUi ui;
    const std::vector<std::uint8_t> bytes(converted.begin(), converted.end());
    ASSERT_EQ(doc->LoadProject(bytes, ui), LoadStatus::Loaded);
    EXPECT_EQ(doc->DeviceData.Peripherals.at(4).Registers.at(0).Value, 0x80);
    EXPECT_EQ(Run("generate " + Path("new.zvp").string()).out,
              Run("generate " + Path("old.zvp").string()).out);
}

TEST_F(Cli, InfoDescribesModelClocksAndWrittenRegisters) {
    auto doc = NewProject(1);
    doc->SysclkFrequency = 24500000;
    doc->DeviceData.Peripherals[15].Registers[6].Value = 0x80;
    doc->DeviceData.Peripherals[4].Registers[0].Value = 0x0C;
    Spit(Path("i.zvp"), doc->SaveProject());
    const Result r = Run("info " + Path("i.zvp").string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("model: Q7R21"), std::string::npos);
    EXPECT_NE(r.out.find("file version: 1.60\n"), std::string::npos);
    EXPECT_NE(r.out.find("SysclkFrequency: 24500000\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 4: SMBus_Init\n    SMB0CF = 0x0C\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 15: Interrupts_Init\n    IE = 0x80\n"), std::string::npos);
    EXPECT_NE(r.out.find("record 14: Oscillator_Init\nrecord 15"), std::string::npos);
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    ASSERT_EQ(Run("new Q7R20 -o " + Path("u.zvp").string()).status, 0);
    const std::string f = Path("u.zvp").string();
    const std::vector<std::string> usage = {
         std::string("new Q7R28 -o ") + Path("n.zvp").string(), std::string("new Q7R20"),
          "new -o " + Path("n.zvp").string(), "generate", "generate " + f + " --format pdf",
          "generate " + f + " " + f, "info", "info " + f + " --bogus", "convert " + f};
    for (const std::string& args : usage) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
    EXPECT_FALSE(fs::exists(Path("n.zvp")));
    EXPECT_EQ(Run("help").status, 0);
}

}  // namespace
