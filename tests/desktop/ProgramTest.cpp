#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/AppCommands.h"
#include "core/ErrorLog.h"
#include "desktop/DesktopCommands.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

// A script in the folder that writes each of its arguments on a line of "args.txt" there, and
// then runs the shell lines given.
std::string ArgumentWriter(const TempDir& dir, const std::string& name, const std::string& then) {
    const std::string path =
        dir.Write(name, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" +
                            dir.File("args.txt") + "'\n" + then);
    chmod(path.c_str(), 0700);
    return path;
}

// What RunProgram gives and the exit code it reports: the program's own when waited for, 128
// and the signal for a killed one; a program that cannot start gives 0. Blanks separate the
// arguments and double quotes group them; nothing else is read: no shell sees the program's
// name or its arguments.
TEST(RunProgram, GivesTheExitCodeWhenWaitingAndSplitsArgumentsWithoutAShell) {
    TempDir dir;
    const std::string program = ArgumentWriter(dir, "my $prog;x", "");
    const struct {
        std::string line;
        double wait, result, exitCode;
    } cases[] = {
        {"sh -c \"exit 3\"", 1, 1, 3},
        {"sh -c \"kill -9 $$\"", 1, 1, 128 + 9},
        {"sh -c \"exit 3\"", 0, 1, 0},
        {"no-such-program-anywhere", 1, 0, 0},
        {"   ", 1, 0, 0},
        {"  \"" + program + "\" a  b\tc \"two words\" x\"y z\" \"\" $HOME;ls|wc '|'  ", 1, 1, 0},
    };
    for (const auto& row : cases) {
        double exitCode = -1;
        EXPECT_EQ(RunProgram(row.line.c_str(), row.wait, 0, exitCode), row.result) << row.line;
        EXPECT_EQ(exitCode, row.exitCode) << row.line;
    }
    EXPECT_EQ(ReadWholeFile(dir.File("args.txt")),
              "a\nb\nc\ntwo words\nxy z\n\n$HOME;ls|wc\n'|'\n");
}

// The dialog programs are looked for in PATH; the test puts stand-ins there, or nothing.
class FileRequesterTest : public HeadlessRuntimeTest {
  protected:
    void TearDown() override {
        setenv("PATH", oldPath.c_str(), 1);
        HeadlessRuntimeTest::TearDown();
    }
    // A stand-in zenity that notes its arguments and answers with a path.
    void MakeZenity(const std::string& answer, int status) {
        ArgumentWriter(dir, "zenity",
                       "printf '%s\\n' '" + answer + "'\nexit " + std::to_string(status) + "\n");
    }
    TempDir dir;
    const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
};

TEST_F(FileRequesterTest, AFullScreenGameIsFullScreenAgainAndGetsForwardSlashesOrNoFile) {
    setenv("PATH", dir.Path().c_str(), 1);
    SetScreenMode(800, 600, 1);
    ASSERT_TRUE(headless.window->fullScreen);
    MakeZenity("C:\\data\\a.bmp", 0);
    EXPECT_STREQ(FileRequester("Pictures|*.bmp;*.png|All|*", 0).CText(), "C:/data/a.bmp");

    EXPECT_TRUE(headless.window->fullScreen);
    EXPECT_TRUE(headless.window->visible);
    const std::string arguments = ReadWholeFile(dir.File("args.txt"));
    for (const char* expected :
         {"--save\n", "--confirm-overwrite\n", "--file-filter=Pictures | *.bmp *.png\n",
          "--file-filter=All | *\n"})
        EXPECT_NE(arguments.find(expected), std::string::npos) << expected << " in\n" << arguments;
    // A cancelled or missing dialog gives no file.
    MakeZenity("", 1);
    EXPECT_STREQ(FileRequester("Pictures|*.png", 1).CText(), "NO_FILE");
    EXPECT_EQ(ReadWholeFile(dir.File("args.txt")).find("--save"), std::string::npos);
    EXPECT_TRUE(headless.window->visible);

    unlink(dir.File("zenity").c_str());
    ScopedTmpDir log(dir.Path());
    EXPECT_STREQ(FileRequester("Pictures|*.png", 1).CText(), "NO_FILE");
    EXPECT_NE(ReadWholeFile(LogFilePath()).find("zenity, kdialog"), std::string::npos);
}

} // namespace
