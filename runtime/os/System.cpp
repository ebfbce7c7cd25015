#include "os/System.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace os {

std::string ExecutablePath() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return "";
    path[n] = '\0';
    return path;
}

bool ChangeDirectory(const std::string& path) {
    return chdir(path.c_str()) == 0;
}

std::string MachineIdentity() {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        FILE* file = std::fopen(path, "r");
        if (!file) continue;
        char line[128] = {};
        const bool read = std::fgets(line, sizeof(line), file) != nullptr;
        std::fclose(file);
        std::string identity = read ? line : "";
        while (!identity.empty() && (identity.back() == '\n' || identity.back() == ' '))
            identity.pop_back();
        if (!identity.empty()) return identity;
    }
    char host[256] = {};
    return gethostname(host, sizeof(host) - 1) == 0 ? host : "";
}

bool DebuggerAttached() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return false;
    char line[256];
    bool attached = false;
    while (std::fgets(line, sizeof(line), f)) {
        if (std::strncmp(line, "TracerPid:", 10) == 0) {
            attached = std::atoi(line + 10) != 0;
            break;
        }
    }
    std::fclose(f);
    return attached;
}

void DebugOutput(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

bool StartDetachedProcess(const std::string& commandLine) {
    // The child runs the line through the shell, in a session of its own so that it outlives
    // this process; nothing of ours but the standard streams is inherited.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    const char* argv[] = {"/bin/sh", "-c", commandLine.c_str(), nullptr};
    pid_t pid;
    int rc = posix_spawn(&pid, "/bin/sh", nullptr, &attr, const_cast<char**>(argv), environ);
    posix_spawnattr_destroy(&attr);
    return rc == 0;
}

} // namespace os
