// Write-back never leaves a half-written settings file: neither when the program is killed in
// the middle of it nor when the disk refuses the bytes.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/AtomicFile.h"
#include "files/FileState.h"
#include "files/IniCommands.h"

namespace {

using WriteBackSafetyTest = TempFolderTest;

// Two complete versions of a large INI file; a reader must only ever see one of them.
std::string IniVersion(char mark) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "[S" + std::to_string(i) + "]\r\nkey=" + std::string(40, mark) + "\r\n";
    return text;
}

TEST_F(WriteBackSafetyTest, KillingTheProgramDuringWriteBackLeavesACompleteFile) {
    const std::string first = IniVersion('a');
    const std::string second = IniVersion('b');
    WriteWholeFile("game.ini", first);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Rewrites the file again and again, alternating versions, until killed.
            for (int i = 0;; ++i)
                files::ReplaceFileContent("game.ini", i % 2 ? first : second);
        }
        usleep(2000 + round * 3000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string content = ReadWholeFile("game.ini");
        EXPECT_TRUE(content == first || content == second)
            << "round " << round << ": " << content.size() << " bytes";
    }
}

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
