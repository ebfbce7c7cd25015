#include "os/System.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace os {

std::string ExecutablePath() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return "";
    path[n] = '\0';
    return path;
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
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

} // namespace os
