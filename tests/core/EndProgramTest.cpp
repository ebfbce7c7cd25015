// How the program ends: exit statuses, the log file and the debug-mode end report. Each end
// runs in a child process.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
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
        tmp = std::make_unique<ScopedTmpDir>(dir.Path());
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

    TempDir dir;
    std::unique_ptr<ScopedTmpDir> tmp;
};

TEST_F(EndProgramDeathTest, TheRecordedErrorIsTheExitStatus) {
    // Error number -> exit status: truncated, and 1 for numbers that are no status.
    const std::pair<double, int> cases[] = {{0, 0}, {9, 9}, {7.9, 7}, {-2, 1}, {256, 1}, {NAN, 1}};
    EXPECT_EXIT(EndProgram(), ::testing::ExitedWithCode(0), "") << "without a start-up";
    for (const auto& [error, status] : cases) {
        static double recorded;
        recorded = error;
        EXPECT_EXIT(RunThenEnd([] {
                        if (recorded != 0) SetRuntimeError(recorded);
                    }),
                    ::testing::ExitedWithCode(status), "")
            << error;
    }
}

TEST_F(EndProgramDeathTest, DebugModeWritesTheEndReport) {
    // Error number, its line and the line and column where the program ended.
    EXPECT_EXIT(RunThenEnd([] {
                    Rt().settings.debugMode = 1;
                    SetCurrentLine(-2.5, 41.9);
                    SetRuntimeError(9.7);
                    SetCurrentLine(3, 42);
                }),
                ::testing::ExitedWithCode(9), "");
    EXPECT_EQ(ReadWholeFile(LogFilePath()), "-End On Line\r\n9\r\n41\r\n42\r\n3\r\n");
    EXPECT_EXIT(RunThenEnd([] { Rt().settings.debugMode = 1; }), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadWholeFile(LogFilePath()), "-End On Line\r\n0\r\n0\r\n0\r\n0\r\n");
}

// A quiet run removes the log of an earlier run; on the software renderer the log holds only
// its warning.
TEST_F(EndProgramDeathTest, QuietRunLeavesNoLogButTheSoftwareRenderersWarning) {
    AppendLogLine("left over from an earlier run");
    EXPECT_EXIT(RunThenEnd([] {}), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::filesystem::exists(LogFilePath()));
    os::SetBackendFactory(nullptr); // the real window on SDL's offscreen driver
    // The offscreen driver has no mouse to capture; a free mouse needs none.
    Rt().settings.mouseCapture = 0;
    EXPECT_EXIT(RunThenEnd([] {}), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadWholeFile(LogFilePath()), "OpenGL Software Emulation\r\n");
}

// The temporary directory is shared: whatever stands at the log's name, the log never writes
// through it into another file. Links are removed; what cannot be removed (here a folder) makes
// the log take a name of this user's, which standard error tells once. An empty text is logged
// as "null".
TEST(Log, LogIsNeverWrittenThroughWhatStandsAtItsName) {
    for (const char* planted : {"symlink", "hard link", "folder"}) {
        TempDir dir;
        ScopedTmpDir tmp(dir.Path());
        const std::string log = dir.File("ErrorLog.txt"), victim = dir.File("victim.txt");
        std::ofstream(victim) << "precious";
        const std::string kind = planted;
        ASSERT_EQ(kind == "symlink"     ? symlink(victim.c_str(), log.c_str())
                  : kind == "hard link" ? link(victim.c_str(), log.c_str())
                                        : mkdir(log.c_str(), 0700),
                  0);
        testing::internal::CaptureStderr();
        WriteLog(RtString("one"));
        WriteLog(RtString(""));
        const std::string said = testing::internal::GetCapturedStderr();
        const std::string written =
            kind == "folder" ? dir.File("ErrorLog-" + std::to_string(geteuid()) + ".txt") : log;
        EXPECT_EQ(ReadWholeFile(victim), "precious") << planted;
        EXPECT_EQ(ReadWholeFile(written), "one\r\nnull\r\n") << planted;
        struct stat info;
        ASSERT_EQ(lstat(written.c_str(), &info), 0) << planted;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << planted;
        EXPECT_EQ(said, kind != "folder"
                            ? ""
                            : "vornic: " + log + " is not a file of this user; the log goes to " +
                                  written + "\n")
            << planted;
    }
}

TEST(Number, ConversionTruncatesTowardZeroAndIsDefinedEverywhere) {
    const std::pair<double, int> cases[] = {
        {9.7, 9},         {-2.5, -2},           {NAN, 0},
        {1e300, INT_MAX}, {-INFINITY, INT_MIN}, {2147483647.9, INT_MAX},
    };
    for (const auto& [number, whole] : cases)
        EXPECT_EQ(ToInt(number), whole) << number;
    EXPECT_EQ(ToInt64(1e19), INT64_MAX);
    EXPECT_EQ(ToInt64(-3.99), -3);
    EXPECT_EQ(ToInt64(std::nan("")), 0);
}

// Start-up changes to the program's folder; a recording or snapshot folder named relative to
// the starting folder must still end up there.
TEST(StartUp, WorksInTheProgramsFolderAndKeepsRelativeOutputPaths) {
    TempDir elsewhere;
    ASSERT_EQ(chdir(elsewhere.Path().c_str()), 0);
    setenv("VORNIC_RECORD", "run.txt", 1);
    setenv("VORNIC_SNAPSHOT", "1:shots", 1);
    const bool started = StartRuntime(10, "test");
    unsetenv("VORNIC_RECORD");
    unsetenv("VORNIC_SNAPSHOT");
    ASSERT_TRUE(started);
    const std::string program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(std::filesystem::current_path(), program.substr(0, program.rfind('/')));
    PresentFrame();
    PresentFrame();
    ShutdownRuntime();
    ShutdownRuntime(); // twice is harmless
    EXPECT_TRUE(std::filesystem::exists(elsewhere.File("shots/frame-1.png")));
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
