// packtool: builds a resource pack from a list of files, or lists a pack's entries.
//
//   packtool create [-m lzss|deflate] [-C folder] <pack> <file>...
//   packtool list <pack>
//
// Files are stored under the names given (with "/" between folders), relative to -C's folder
// when one is given, so "packtool create -C assets game.sbx bmp/virus.bmp" stores
// "bmp/virus.bmp" read from "assets/bmp/virus.bmp". Game code finds them with the same names.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/AtomicFile.h"
#include "files/FilePaths.h"
#include "files/ResourcePack.h"
#include "os/Printable.h"

namespace {

constexpr const char* kUsage =
    "usage: packtool create [-m lzss|deflate] [-C folder] <pack> <file>...\n"
    "       packtool list <pack>\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "packtool: %s\n", message.c_str());
    return 1;
}

int Create(int argc, char** argv) {
    files::PackMethod method = files::PackMethod::Deflate;
    std::string folder;
    int i = 2;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (std::strcmp(argv[i], "-m") == 0) {
            if (std::strcmp(argv[i + 1], "lzss") == 0)
                method = files::PackMethod::Dictionary;
            else if (std::strcmp(argv[i + 1], "deflate") == 0)
                method = files::PackMethod::Deflate;
            else
                return Fail(std::string("unknown method \"") + argv[i + 1] + "\"");
        } else if (std::strcmp(argv[i], "-C") == 0) {
            folder = files::PlatformPath(argv[i + 1]);
            if (!folder.empty() && folder.back() != '/') folder += '/';
        } else {
            return Fail(std::string("unknown option ") + argv[i] + "\n" + kUsage);
        }
    }
    if (i + 2 > argc) return Fail(std::string("nothing to pack\n") + kUsage);
    const std::string packPath = argv[i++];
    std::vector<files::PackSource> sources;
    for (; i < argc; ++i) {
        files::PackSource source;
        source.name = files::PlatformPath(argv[i]);
        while (source.name.compare(0, 2, "./") == 0)
            source.name.erase(0, 2);
        if (!files::ReadFileBytes(folder + source.name, source.content,
                                  files::kLargestPackEntry + 1))
            return Fail("cannot read \"" + folder + source.name + "\"");
        sources.push_back(std::move(source));
    }
    std::string error;
    const std::string pack = files::BuildPack(sources, method, error);
    if (pack.empty()) return Fail(error);
    if (!files::ReplaceFileContent(packPath, pack))
        return Fail("cannot write \"" + packPath + "\"");
    std::printf("%s: %zu files, %zu bytes\n", packPath.c_str(), sources.size(), pack.size());
    return 0;
}

int List(const char* packPath) {
    const int fd = open(packPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail(std::string("cannot open \"") + packPath + "\"");
    std::vector<files::PackEntry> entries;
    const bool ok = files::ReadPackIndex(fd, entries);
    close(fd);
    if (!ok) return Fail(std::string("\"") + packPath + "\" is no resource pack or is damaged");
    std::printf("%10s %10s %-7s %s\n", "size", "stored", "method", "name");
    for (const files::PackEntry& entry : entries) {
        std::string method = "unknown method " + std::to_string(entry.method);
        if (entry.method == static_cast<uint16_t>(files::PackMethod::Dictionary)) method = "lzss";
        if (entry.method == static_cast<uint16_t>(files::PackMethod::Deflate)) method = "deflate";
        // Names come from the file: a hostile one must not drive the terminal.
        std::printf("%10u %10u %-7s %s\n", entry.expandedSize, entry.size, method.c_str(),
                    os::Printable(entry.name).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "create") == 0) return Create(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "list") == 0) return List(argv[2]);
    std::fputs(kUsage, stderr);
    return 2;
}
