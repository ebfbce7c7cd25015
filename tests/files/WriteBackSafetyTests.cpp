// Write-back never leaves a half-written settings file: the new content goes to a file of its
// own that replaces the old one only when complete, so a refused write (as a kill in the middle)
// leaves the old file as it was.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/AtomicFile.h"
#include "files/IniCommands.h"

namespace {

using WriteBackSafetyTest = TempFolderTest;

TEST_F(WriteBackSafetyTest, AFailedWriteLeavesTheOldFileAsItWas) {
    WriteWholeFile("game.ini", "[Old]\r\nk=v\r\n");
    WriteWholeFile("lines.txt", "old line\r\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // No file of this process may grow beyond 1000 bytes: every write-back fails.
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        IniOpen("game.ini");
        IniPut("New", "big", std::string(5000, 'x').c_str());
        PutLineText("lines.txt", 0, std::string(1024, 'y').c_str());
        PutLineText("lines.txt", 1, std::string(1024, 'z').c_str());
        WriteBackDataFiles();
        _exit(files::ReplaceFileContent("game.ini", std::string(5000, 'q')) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a failed write was reported as success";
    EXPECT_EQ(ReadWholeFile("game.ini"), "[Old]\r\nk=v\r\n");
    EXPECT_EQ(ReadWholeFile("lines.txt"), "old line\r\n");
}

} // namespace
