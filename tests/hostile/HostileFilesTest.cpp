// Hostile files, made by the test, loaded through the runtime's commands: each is refused in a
// child process whose address space may grow by at most 256 MB and which must end within a
// time bound, so that a reader which lets a small file claim gigabytes, or waits forever on a
// FIFO or /dev/zero, fails here.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include "files/FileCommands.h"
#include "files/LittleEndian.h"
#include "gfx2d/ImageCodec.h"
#include "gfx3d/ObjectCommands.h"
#include "os/RunSession.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNIC_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VORNIC_ASAN 1
#endif

namespace {

constexpr rlim_t kMemoryBound = rlim_t{256} << 20;
constexpr unsigned kSecondsBound = 20;
// The child's status when a reader asked for more memory than the bound, even if it would
// have coped with the refusal.
constexpr int kAskedTooMuch = 3;

// The address space the process has now, from /proc/self/statm (in pages).
rlim_t AddressSpaceNow() {
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

struct Outcome {
    bool ended = false; // within the time bound, by exiting
    int status = -1;
    std::string said; // standard error
};

// Runs load in a child under the bounds; its result is the child's exit status. The
// sanitizers reserve terabytes of address space, so there only the time is bounded.
Outcome RunBounded(const std::string& folder, const std::function<int()>& load) {
    const std::string saidPath = folder + "/said.txt";
    const pid_t child = fork();
    if (child == 0) {
        const int err = open(saidPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, 2);
#ifndef VORNIC_ASAN
        const rlim_t limit = AddressSpaceNow() + kMemoryBound;
        const rlimit bound{limit, limit};
        setrlimit(RLIMIT_AS, &bound);
        std::set_new_handler([] { _exit(kAskedTooMuch); });
#endif
        alarm(kSecondsBound);
        _exit(load());
    }
    Outcome outcome;
    int status = 0;
    waitpid(child, &status, 0);
    outcome.ended = WIFEXITED(status);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    outcome.said = ReadWholeFile(saidPath);
    return outcome;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Chunk(const char* type, const std::string& data) {
    std::string chunk;
    const uint32_t size = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk += static_cast<char>(size >> shift);
    const std::string body = type + data;
    chunk += body;
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk += static_cast<char>(crc >> shift);
    return chunk;
}

// An RGBA PNG of the given size whose picture data is only a few bytes.
std::string TinyPng(uint32_t side, bool interlaced) {
    std::string header;
    for (int i = 0; i < 2; ++i)
        for (int shift = 24; shift >= 0; shift -= 8)
            header += static_cast<char>(side >> shift);
    header += std::string("\x08\x06\x00\x00", 4) + static_cast<char>(interlaced ? 1 : 0);
    const std::string raw(16, '\0');
    uLongf length = compressBound(raw.size());
    std::string packed(length, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &length,
             reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    packed.resize(length);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", packed) +
           Chunk("IEND", "");
}

// zeros bytes of zeros, deflated (a decompression bomb), made in pieces.
std::string DeflatedZeros(size_t zeros) {
    z_stream stream{};
    deflateInit(&stream, 9);
    const std::string block(1 << 20, '\0');
    std::string out;
    char buffer[65536];
    for (size_t left = zeros;;) {
        const size_t now = std::min(left, block.size());
        left -= now;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(block.data()));
        stream.avail_in = static_cast<uInt>(now);
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int result;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof(buffer);
            result = deflate(&stream, flush);
            out.append(buffer, sizeof(buffer) - stream.avail_out);
        } while (stream.avail_out == 0);
        if (result == Z_STREAM_END || left == 0) break;
    }
    deflateEnd(&stream);
    return out;
}

// A pack of one deflated entry "x.bin" that claims expandedSize bytes.
std::string OneEntryPack(const std::string& stored, uint32_t expandedSize) {
    std::string index;
    AppendLe32(index, 1);
    index += '\x05';
    index += "x.bin";
    AppendLe32(index, 16);
    AppendLe32(index, static_cast<uint32_t>(stored.size()));
    AppendLe16(index, 2);
    AppendLe32(index, expandedSize);
    AppendLe32(index, 0);
    std::string pack = "sbX\x01";
    AppendLe32(pack, static_cast<uint32_t>(16 + stored.size()));
    AppendLe32(pack, static_cast<uint32_t>(index.size()));
    AppendLe32(pack, static_cast<uint32_t>(
                         crc32(0, reinterpret_cast<const Bytef*>(index.data()), index.size())));
    return pack + stored + index;
}

int Refused(bool accepted) {
    return accepted ? 1 : 0;
}

int LoadsAsPicture(const std::string& path) {
    DecodedImage image;
    return Refused(DecodeImageFile(path, kNoColourKey, image));
}

int LoadsAsObject(const std::string& path) {
    return Refused(LoadObject(path.c_str(), 1) != 0.0);
}

int FoundInPack(const std::string& pack) {
    SetResourcePacks(pack.c_str(), "");
    RtString out;
    return Refused(ResolveResourceFile("x.bin", out) != 0.0);
}

// A replay that does not fit ends the start-up with status 2 and its reason.
int Replays(const std::string& path) {
    setenv("VORNIC_REPLAY", path.c_str(), 1);
    os::WrapForRecordOrReplay(os::Backend{});
    return 1;
}

using HostileFileTest = HeadlessRuntimeTest;

TEST_F(HostileFileTest, EveryHostileFileIsRefusedWithinMemoryAndTimeBounds) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* what;
        std::function<std::string(const std::string& folder)> make; // the file's path
        std::function<int(const std::string& path)> load;
        int status; // 0: refused; 2: a replay that ends the start-up
        const char* says;
    } cases[] = {
        {"interlaced 16384 x 16384 PNG of 100 bytes",
         [](const std::string& folder) {
             WriteBytes(folder + "/big.png", TinyPng(16384, true));
             return folder + "/big.png";
         },
         LoadsAsPicture, 0, ""},
        {"16384 x 16384 PNG of 100 bytes",
         [](const std::string& folder) {
             WriteBytes(folder + "/big.png", TinyPng(16384, false));
             return folder + "/big.png";
         },
         LoadsAsPicture, 0, ""},
        {"/dev/zero as a picture", [](const std::string&) { return std::string("/dev/zero"); },
         LoadsAsPicture, 0, ""},
        {"pack entry of 4 KiB claiming 1 GiB",
         [](const std::string& folder) {
             WriteBytes(folder + "/claim.sbx", OneEntryPack(DeflatedZeros(4096), 1u << 30));
             return folder + "/claim.sbx";
         },
         FoundInPack, 0, ""},
        {"deflate bomb of 320 MiB",
         [](const std::string& folder) {
             WriteBytes(folder + "/bomb.sbx",
                        OneEntryPack(DeflatedZeros(size_t{320} << 20), 320u << 20));
             return folder + "/bomb.sbx";
         },
         FoundInPack, 0, ""},
        {"deflate bomb claiming 100 bytes",
         [](const std::string& folder) {
             WriteBytes(folder + "/bomb.sbx", OneEntryPack(DeflatedZeros(size_t{8} << 20), 100));
             return folder + "/bomb.sbx";
         },
         FoundInPack, 0, ""},
        {"text object promising 16 million faces",
         [](const std::string& folder) {
             WriteBytes(folder + "/faces.txt", "DDDA 1 0 16000000 " + std::string(16 << 20, ' '));
             return folder + "/faces.txt";
         },
         LoadsAsObject, 0, ""},
        {"text object promising 16 million vertices",
         [](const std::string& folder) {
             WriteBytes(folder + "/vertices.txt",
                        "DDDA 1 0 0 1 16000000 " + std::string(16 << 20, ' '));
             return folder + "/vertices.txt";
         },
         LoadsAsObject, 0, ""},
        {"/dev/zero as an object", [](const std::string&) { return std::string("/dev/zero"); },
         LoadsAsObject, 0, ""},
        {"FIFO as an object", [&fifo](const std::string&) { return fifo; }, LoadsAsObject, 0, ""},
        {"/dev/zero as a recording", [](const std::string&) { return std::string("/dev/zero"); },
         Replays, 2, "not a regular file"},
        {"FIFO as a recording", [&fifo](const std::string&) { return fifo; }, Replays, 2,
         "not a regular file"},
        {"recording of 65 MiB",
         [](const std::string& folder) {
             const std::string path = folder + "/huge.txt";
             WriteBytes(path, "vornic-replay 1\n");
             EXPECT_EQ(truncate(path.c_str(), off_t{65} << 20), 0);
             return path;
         },
         Replays, 2, "larger than 64 MiB"},
        {"recording line of 8 MiB of short tokens",
         [](const std::string& folder) {
             std::string line = "vornic-replay 1\nframe 1: ";
             for (int i = 0; i < (4 << 20); ++i)
                 line += "a ";
             WriteBytes(folder + "/line.txt", line + "\nend 2\n");
             return folder + "/line.txt";
         },
         Replays, 2, "line 2: longer than 4096 bytes"},
    };
    for (const Case& c : cases) {
        const std::string path = c.make(dir.Path());
        const Outcome outcome = RunBounded(dir.Path(), [&] { return c.load(path); });
        EXPECT_TRUE(outcome.ended) << c.what << ": killed by signal " << -outcome.status;
        EXPECT_EQ(outcome.status, c.status) << c.what << "\n" << outcome.said;
        EXPECT_NE(outcome.said.find(c.says), std::string::npos) << c.what << "\n" << outcome.said;
    }
}

} // namespace
