#include "os/Process.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace os {
namespace {

std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// The exit status as a program reports it: its own code, or 128 + the signal that ended it.
int StatusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return StatusOf(status);
}

// Starts the program with the prepared file actions; -1 when it could not be started.
pid_t Spawn(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions,
            bool detach) {
    if (arguments.empty() || arguments[0].empty()) return -1;
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (detach) posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::vector<char*> argv = ArgumentVector(arguments);
    pid_t pid;
    const int rc = posix_spawnp(&pid, argv[0], actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return rc == 0 ? pid : -1;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

bool RunProcess(const std::vector<std::string>& arguments, const ProcessOptions& options,
                int* exitCode) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.showOutput) {
        for (int fd : {0, 1, 2})
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd ? O_WRONLY : O_RDONLY,
                                             0);
    }
    const pid_t pid = Spawn(arguments, &actions, options.detach);
    posix_spawn_file_actions_destroy(&actions);
    if (pid < 0) return false;
    if (options.wait) {
        const int status = WaitFor(pid);
        if (exitCode) *exitCode = status;
    }
    return true;
}

int RunAndCapture(const std::vector<std::string>& arguments, std::string& output) {
    output.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    const pid_t pid = Spawn(arguments, &actions, false);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        return -1;
    }
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) != 0) {
        if (got > 0)
            output.append(buffer, static_cast<size_t>(got));
        else if (errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    return WaitFor(pid);
}

} // namespace os
