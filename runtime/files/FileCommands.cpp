#include "files/FileCommands.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "core/ErrorCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/DirectoryList.h"
#include "files/FilePaths.h"
#include "files/FileState.h"
#include "files/FileWatcher.h"
#include "files/ResourceLookup.h"
#include "files/ResourceResolver.h"
#include "os/System.h"
#include "text/StrArray.h"

namespace {

std::string PathOf(const RtString& name) {
    return files::PlatformPath(name.CText());
}

// A channel number outside the channels, or channels before start-up made them, end the
// program with runtime error 7.
FileChannel& ChannelOrEnd(double channel) {
    const int index = ToInt(channel);
    FileState* files = Rt().files.get();
    if (!files || index < 0 || index >= FileState::kChannelCount) {
        SetRuntimeError(7);
        EndProgram();
    }
    return files->channels[index];
}

[[noreturn]] void EndWithTransferError() {
    SetRuntimeError(3);
    EndProgram();
}

// Reads an unsigned little-endian value of byteCount bytes; a short read gives 0 and ends the
// program.
uint64_t ReadUnsigned(double channel, size_t byteCount, double& variable) {
    unsigned char bytes[8] = {};
    if (ChannelOrEnd(channel).Read(bytes, byteCount) < byteCount) {
        variable = 0.0;
        EndWithTransferError();
    }
    uint64_t value = 0;
    for (size_t i = byteCount; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

void WriteUnsigned(double channel, uint64_t value, size_t byteCount) {
    unsigned char bytes[8];
    for (size_t i = 0; i < byteCount; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    if (!ChannelOrEnd(channel).Write(bytes, byteCount)) EndWithTransferError();
}

void WriteBytes(double channel, const char* bytes, size_t count) {
    if (!ChannelOrEnd(channel).Write(bytes, count)) EndWithTransferError();
}

// The low bits of the truncated value, as two's complement: -1 gives all bits set.
uint64_t LowBits(double value) {
    return static_cast<uint64_t>(ToInt64(value));
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

double OpenFile(double channel, const RtString& fileName, double forReading) {
    FileChannel& file = ChannelOrEnd(channel);
    const std::string path = PathOf(fileName);
    const bool opened = forReading != 0.0 ? file.OpenForReading(path) : file.OpenForWriting(path);
    return opened ? 1.0 : 0.0;
}

void CloseFile(double channel) {
    ChannelOrEnd(channel).Close();
}

double EndOfFile(double channel) {
    const int index = ToInt(channel);
    FileState* files = Rt().files.get();
    if (!files || index < 0 || index >= FileState::kChannelCount) return 1.0;
    return files->channels[index].AtEnd() ? 1.0 : 0.0;
}

void ReadByte(double channel, double& variable) {
    variable = static_cast<double>(ReadUnsigned(channel, 1, variable));
}

void ReadWord(double channel, double& variable) {
    variable = static_cast<double>(ReadUnsigned(channel, 2, variable));
}

void ReadLong(double channel, double& variable) {
    variable = static_cast<double>(ReadUnsigned(channel, 4, variable));
}

void ReadIEEE(double channel, double& variable) {
    const uint64_t bits = ReadUnsigned(channel, 8, variable);
    std::memcpy(&variable, &bits, sizeof(variable));
}

void ReadString(double channel, RtString& variable, double count) {
    FileChannel& file = ChannelOrEnd(channel);
    int64_t wanted = ToInt64(count);
    variable = "";
    if (wanted <= 0) return;
    // In blocks, keeping only the text before the first zero byte, so an absurd count costs no
    // more memory than that text.
    std::string bytes;
    bool zeroSeen = false;
    char block[65536];
    bool complete = true;
    while (wanted > 0) {
        const size_t ask = static_cast<size_t>(std::min<int64_t>(wanted, sizeof(block)));
        const size_t got = file.Read(block, ask);
        if (!zeroSeen) {
            const size_t text = strnlen(block, got);
            bytes.append(block, text);
            zeroSeen = text < got;
        }
        wanted -= static_cast<int64_t>(got);
        if (got < ask) {
            complete = false;
            break;
        }
    }
    variable = bytes.c_str();
    if (!complete) EndWithTransferError();
}

void ReadLine(double channel, RtString& variable) {
    std::string line;
    const bool read = ChannelOrEnd(channel).ReadLine(line);
    variable = line.c_str();
    if (!read) EndWithTransferError();
}

void ReadNumberLine(double channel, double& variable) {
    std::string line;
    const bool read = ChannelOrEnd(channel).ReadLine(line);
    variable = read ? std::atof(line.c_str()) : 0.0;
    if (!read) EndWithTransferError();
}

void WriteByte(double channel, double value) {
    WriteUnsigned(channel, LowBits(value), 1);
}

void WriteWord(double channel, double value) {
    WriteUnsigned(channel, LowBits(value), 2);
}

void WriteLong(double channel, double value) {
    WriteUnsigned(channel, LowBits(value), 4);
}

void WriteIEEE(double channel, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteUnsigned(channel, bits, 8);
}

void WriteString(double channel, const RtString& text) {
    WriteBytes(channel, text.CText(), text.Length());
}

void WriteLine(double channel, const RtString& text) {
    std::string line(text.CText(), text.Length());
    line += "\r\n";
    WriteBytes(channel, line.data(), line.size());
}

void WriteNumberLine(double channel, double value) {
    WriteLine(channel, NumberToText(value));
}

double FileSize(const RtString& fileName) {
    const std::string path = PathOf(fileName);
    struct stat info;
    if (!files::IsReadableFile(path) || stat(path.c_str(), &info) != 0) return 0.0;
    return static_cast<double>(info.st_size);
}

double FileExists(const RtString& fileName) {
    return files::IsReadableFile(PathOf(fileName)) ? 1 : 0;
}

void RemoveFile(const RtString& fileName) {
    unlink(PathOf(fileName).c_str());
}

void DuplicateFile(const RtString& source, const RtString& destination) {
    const std::string from = PathOf(source);
    const std::string to = PathOf(destination);
    // Copying a file onto itself would empty it before reading it.
    if (!files::IsReadableFile(from) || SameFile(from, to)) return;
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return;
    const int out = open(to.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        close(in);
        return;
    }
    char block[4096];
    bool ok = true;
    for (;;) {
        const ssize_t got = read(in, block, sizeof(block));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!files::WriteAll(out, block, static_cast<size_t>(got))) {
            ok = false;
            break;
        }
    }
    close(in);
    ok = close(out) == 0 && ok;
    if (!ok) unlink(to.c_str());
}

RtString GetCurrentDir() {
    char buffer[4096];
    if (!getcwd(buffer, sizeof(buffer))) return RtString();
    std::string folder = buffer;
    files::SlashesToForward(folder);
    if (folder.empty() || folder.back() != '/') folder += '/';
    return RtString(folder.c_str());
}

double SetCurrentDir(const RtString& folder) {
    return os::ChangeDirectory(PathOf(folder)) ? 1.0 : 0.0;
}

double GetFileList(const RtString& pattern, StrArray& names) {
    const files::DirectoryListing listing = files::ListCurrentFolder(pattern.CText());
    const size_t total = listing.folders.size() + listing.files.size();
    DimStringArray(names, static_cast<double>(total), 0, 0, 0);
    int slot = 0;
    for (const std::string& folder : listing.folders)
        ArrayElement(names, slot++, 0, 0, 0) = folder.c_str();
    for (const std::string& file : listing.files)
        ArrayElement(names, slot++, 0, 0, 0) = file.c_str();
    return static_cast<double>(listing.folders.size()) * 65536.0 +
           static_cast<double>(listing.files.size());
}

bool WildcardMatch(const RtString& pattern, const RtString& name) {
    return files::WildcardMatch(pattern.CText(), name.CText());
}

void SetResourcePacks(const RtString& firstPack, const RtString& secondPack) {
    Runtime& rt = Rt();
    if (rt.resolvers[0]) rt.resolvers[0]->SetPack(firstPack.CText());
    if (rt.resolvers[1]) rt.resolvers[1]->SetPack(secondPack.CText());
}

double ResolveResourceFile(const RtString& name, RtString& outName) {
    const std::optional<std::string> path = files::Resolve(Rt().resolvers[0].get(), name.CText());
    outName = path.value_or("").c_str();
    return path ? 1.0 : 0.0;
}

void WriteBackDataFiles() {
    if (FileState* files = Rt().files.get()) {
        files->lineFile.WriteBack();
        files->ini.WriteBack();
    }
}

void ReleaseResourceLookups() {
    for (std::unique_ptr<ResourceResolver>& resolver : Rt().resolvers)
        resolver.reset();
}

void WatchAssetFiles(const std::string& key, const std::vector<std::string>& paths,
                     files::ReloadAction reload) {
    files::FileWatcher* watcher = Rt().watcher.get();
    if (!watcher) return;
    if (paths.empty())
        watcher->Forget(key);
    else
        watcher->Watch(key, paths, std::move(reload));
}

void ForgetAssetFiles(const std::string& key) {
    if (files::FileWatcher* watcher = Rt().watcher.get()) watcher->Forget(key);
}
