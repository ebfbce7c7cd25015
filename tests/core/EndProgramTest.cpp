// How the program ends: exit statuses, the log file and the debug-mode end report. Each end
// runs in a child process.
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "os/Backend.h"
#include "os/headless/Headless.h"
#include "support/TempDir.h"

namespace {

class EndProgramDeathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The child's start-up reads TMPDIR, which the child inherits, into its settings.
        Rt().settings = RuntimeSettings{};
        if (!InsideDeathTestChild()) {
            dir = std::make_unique<TempDir>();
            tmp = std::make_unique<ScopedTmpDir>(dir->Path());
        }
        os::UseHeadlessBackend(nullptr);
        Rt().error = ErrorRecord{};
    }
    void TearDown() override { os::SetBackendFactory(nullptr); }

    // Starts the runtime, runs body, then ends the program.
    static void RunThenEnd(void (*body)()) {
        StartRuntime(10, "test");
        body();
        EndProgram();
    }

    // The log as the parent sees it; the child inherited the parent's TMPDIR.
    static std::string Log() { return ReadWholeFile(LogFilePath()); }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<ScopedTmpDir> tmp;
};

TEST_F(EndProgramDeathTest, NormalEndExitsWithZero) {
    EXPECT_EXIT(RunThenEnd([] {}), ::testing::ExitedWithCode(0), "");
}

TEST_F(EndProgramDeathTest, RuntimeErrorEndsWithItsNumberAsStatus) {
    EXPECT_EXIT(RunThenEnd([] { SetRuntimeError(9); }), ::testing::ExitedWithCode(9), "");
    EXPECT_EXIT(RunThenEnd([] { SetRuntimeError(7.9); }), ::testing::ExitedWithCode(7), "");
}

TEST_F(EndProgramDeathTest, ErrorNumbersThatAreNoStatusEndWithOne) {
    EXPECT_EXIT(RunThenEnd([] { SetRuntimeError(-2); }), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(RunThenEnd([] { SetRuntimeError(256); }), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(RunThenEnd([] { SetRuntimeError(std::nan("")); }), ::testing::ExitedWithCode(1),
                "");
}

TEST_F(EndProgramDeathTest, EndWithoutStartUpIsSafe) {
    EXPECT_EXIT(EndProgram(), ::testing::ExitedWithCode(0), "");
}

TEST_F(EndProgramDeathTest, DebugModeWritesTheEndReport) {
    EXPECT_EXIT(RunThenEnd([] {
                    Rt().settings.debugMode = 1;
                    SetCurrentLine(-2.5, 41.9);
                    SetRuntimeError(9.7);
                    SetCurrentLine(3, 42);
                }),
                ::testing::ExitedWithCode(9), "");
    EXPECT_EQ(Log(), "-End On Line\r\n9\r\n41\r\n42\r\n3\r\n");
}

TEST_F(EndProgramDeathTest, NormalEndInDebugModeReportsZeros) {
    EXPECT_EXIT(RunThenEnd([] { Rt().settings.debugMode = 1; }), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(Log(), "-End On Line\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST_F(EndProgramDeathTest, QuietRunLeavesNoLogAndRemovesAnOldOne) {
    AppendLogLine("left over from an earlier run");
    ASSERT_TRUE(FileExistsOnDisk(LogFilePath()));
    EXPECT_EXIT(RunThenEnd([] {}), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(FileExistsOnDisk(LogFilePath()));
}

TEST_F(EndProgramDeathTest, SoftwareRendererLeavesOnlyItsWarning) {
    os::SetBackendFactory(nullptr); // the real window on SDL's offscreen driver
    // The offscreen driver has no mouse to capture; a free mouse needs none.
    Rt().settings.mouseCapture = 0;
    EXPECT_EXIT(RunThenEnd([] {}), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(Log(), "OpenGL Software Emulation\r\n");
}

TEST(Log, WriteLogAppendsLinesAndNullForEmptyText) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    WriteLog(RtString("first"));
    WriteLog(RtString(""));
    EXPECT_EQ(ReadWholeFile(dir.File("ErrorLog.txt")), "first\r\nnull\r\n");
}

TEST(Log, LogLivesInTheTemporaryDirectory) {
    ScopedTmpDir tmp("/some/where");
    EXPECT_EQ(LogFilePath(), "/some/where/ErrorLog.txt");
}

TEST(Number, ConversionTruncatesTowardZeroAndIsDefinedEverywhere) {
    EXPECT_EQ(ToInt(9.7), 9);
    EXPECT_EQ(ToInt(-2.5), -2);
    EXPECT_EQ(ToInt(-0.0), 0);
    EXPECT_EQ(ToInt(std::nan("")), 0);
    EXPECT_EQ(ToInt(1e300), INT_MAX);
    EXPECT_EQ(ToInt(-1e300), INT_MIN);
    EXPECT_EQ(ToInt(INFINITY), INT_MAX);
    EXPECT_EQ(ToInt(-INFINITY), INT_MIN);
    EXPECT_EQ(ToInt(2147483647.9), INT_MAX);
    EXPECT_EQ(ToInt(-2147483648.9), INT_MIN);
    EXPECT_EQ(ToInt64(1e19), INT64_MAX);
    EXPECT_EQ(ToInt64(-3.99), -3);
    EXPECT_EQ(ToInt64(std::nan("")), 0);
}

TEST(StartUp, ShutdownTwiceIsHarmless) {
    os::UseHeadlessBackend(nullptr);
    ASSERT_TRUE(StartRuntime(10, "test"));
    ShutdownRuntime();
    ShutdownRuntime();
    EXPECT_EQ(Rt().gfx, nullptr);
    os::SetBackendFactory(nullptr);
}

TEST(StartUp, WorkingDirectoryBecomesTheProgramsOwn) {
    TempDir elsewhere;
    ASSERT_EQ(chdir(elsewhere.Path().c_str()), 0);
    os::UseHeadlessBackend(nullptr);
    ASSERT_TRUE(StartRuntime(10, "test"));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    ASSERT_GT(n, 0);
    exe[n] = '\0';
    std::string programDir(exe);
    programDir.resize(programDir.rfind('/'));
    EXPECT_EQ(std::string(cwd), programDir);
    ShutdownRuntime();
    os::SetBackendFactory(nullptr);
}

// Start-up changes to the program's directory; a recording or snapshot folder named relative
// to the starting directory must still end up there.
TEST(StartUp, RelativeRecordingAndSnapshotPathsCountFromTheStartingDirectory) {
    TempDir elsewhere;
    ASSERT_EQ(chdir(elsewhere.Path().c_str()), 0);
    setenv("VORNIC_RECORD", "run.txt", 1);
    setenv("VORNIC_SNAPSHOT", "1:shots", 1);
    const bool started = StartRuntime(10, "test");
    unsetenv("VORNIC_RECORD");
    unsetenv("VORNIC_SNAPSHOT");
    ASSERT_TRUE(started);
    PresentFrame();
    PresentFrame();
    ShutdownRuntime();
    EXPECT_TRUE(FileExistsOnDisk(elsewhere.File("shots/frame-1.png")));
    EXPECT_NE(ReadWholeFile(elsewhere.File("run.txt")).find("end "), std::string::npos);
}

TEST(StartUp, HiddenShowCommandHidesTheWindow) {
    os::HeadlessHandles handles;
    os::UseHeadlessBackend(&handles);
    ASSERT_TRUE(StartRuntime(0, "test"));
    EXPECT_FALSE(handles.window->visible);
    EXPECT_EQ(handles.window->title, "test");
    ShutdownRuntime();
    os::SetBackendFactory(nullptr);
}

} // namespace
