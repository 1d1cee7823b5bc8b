// The main program run as a user runs it: a picture of the showcase (or of a
// given form) without a display, and clear failures for bad arguments.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "vcl/Graphics.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Code = -1;
    std::string Output;
};

// Runs the viewer with Args (shell words), capturing stdout and stderr.
TRun View(const std::string& Args) {
    const std::string Command =
        "DISPLAY= WAYLAND_DISPLAY= '" + std::string(KESTRIX_VIEW) + "' " + Args + " 2>&1";
    TRun R;
    FILE* P = popen(Command.c_str(), "r");
    if (!P) return R;
    char Buffer[256];
    while (std::fgets(Buffer, sizeof Buffer, P)) R.Output += Buffer;
    const int Status = pclose(P);
    R.Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return R;
}

class Viewer : public ::testing::Test {
protected:
    fs::path Dir;
    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("kestrix-view-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Path(const std::string& Name) const { return (Dir / Name).string(); }
};

size_t DistinctColours(const vcl::TBitmap& B) {
    std::set<uint32_t> Seen;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) Seen.insert(B.ScanLine(Y)[X] & 0xFFFFFF);
    return Seen.size();
}

TEST_F(Viewer, WithoutAFormItRendersTheShowcase) {
    const TRun R = View("--png '" + Path("out.png") + "'");
    ASSERT_EQ(R.Code, 0) << R.Output;
    vcl::TBitmap B;
    B.LoadFromFile(Path("out.png"));
    EXPECT_GE(B.Width(), 560);
    EXPECT_GE(B.Height(), 420);
    // Panels, text and components, not an empty form.
    EXPECT_GT(DistinctColours(B), 8u);
}

TEST_F(Viewer, AGivenFormAtAGivenSize) {
    {
        std::ofstream F(Path("small.dfm"));
        F << "object Small: TForm\n  Color = clRed\nend\n";
    }
    const TRun R = View("'" + Path("small.dfm") + "' --size 120x80 --png '" + Path("s.png") + "'");
    ASSERT_EQ(R.Code, 0) << R.Output;
    vcl::TBitmap B;
    B.LoadFromFile(Path("s.png"));
    EXPECT_EQ(B.Width(), 120);
    EXPECT_EQ(B.Height(), 80);
}

TEST_F(Viewer, BadArgumentsAndBadFormsFailWithoutAPicture) {
    struct Case {
        std::string Args;
        int Code;
        std::string Says;
    };
    {
        std::ofstream F(Path("broken.dfm"));
        F << "object Broken: TForm\n  Caption = \n";
    }
    const Case Cases[] = {
        {"--size 0x10", 2, "--size wants WxH"},
        {"--size 10y10", 2, "--size wants WxH"},
        {"--size 99999999999x10", 2, "--size wants WxH"},
        {"--size 10x10px", 2, "--size wants WxH"},
        {"--bogus", 2, "usage:"},
        {"a.dfm b.dfm", 2, "usage:"},
        {"'" + Path("missing.dfm") + "'", 1, "missing.dfm"},
        {"'" + Path("broken.dfm") + "'", 1, "Line 3, column 1: expected a value"},
    };
    for (const Case& C : Cases) {
        const TRun R = View(C.Args + " --png '" + Path("never.png") + "'");
        EXPECT_EQ(R.Code, C.Code) << C.Args << "\n" << R.Output;
        EXPECT_NE(R.Output.find(C.Says), std::string::npos) << C.Args << "\n" << R.Output;
        EXPECT_FALSE(fs::exists(Path("never.png"))) << C.Args;
    }
}

}  // namespace
