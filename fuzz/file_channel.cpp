// Fuzzes the reads of file channels: the first byte picks a regular file or a pipe and the
// kind of each read; the rest is the file. Whatever the reads, they hand out each byte of the
// file once, in order, and the end is found.
#include "FuzzFiles.h"
#include "files/FileChannel.h"
#include "files/TextLines.h"

namespace {

// The pipe's capacity holds what is written before anyone reads.
constexpr size_t kLargestPiped = 60000;

bool OpenPipe(FileChannel& channel, const uint8_t* data, size_t size) {
    int ends[2];
    fuzzfiles::Check(pipe(ends) == 0 &&
                     (size == 0 || write(ends[1], data, size) == static_cast<ssize_t>(size)));
    // Opened while the writing end is open (else the opening waits for a writer), which is
    // closed afterwards so that the reads find the end.
    const bool opened = channel.OpenForReading("/dev/fd/" + std::to_string(ends[0]));
    close(ends[1]);
    close(ends[0]);
    return opened;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > kLargestPiped) return 0;
    const uint8_t mode = data[0];
    const uint8_t* file = data + 1;
    const size_t fileSize = size - 1;
    FileChannel channel;
    fuzzfiles::Check(mode & 1
                         ? OpenPipe(channel, file, fileSize)
                         : channel.OpenForReading(fuzzfiles::Write("channel", file, fileSize)));
    // Line reads and block reads taken in turns chosen by the mode's bits.
    size_t at = 0;
    for (unsigned turn = 0; !channel.AtEnd(); ++turn) {
        fuzzfiles::Check(turn <= fileSize + 1); // every turn takes at least one byte
        if (mode >> (1 + turn % 7) & 1) {
            std::string line;
            size_t consumed = 0;
            fuzzfiles::Check(channel.ReadLine(line) &&
                             line == files::SplitLine(reinterpret_cast<const char*>(file) + at,
                                                      fileSize - at, consumed));
            at += consumed;
        } else {
            char block[97];
            const size_t want = 1 + turn * 31 % sizeof(block);
            const size_t got = channel.Read(block, want);
            fuzzfiles::Check(got > 0 && got <= fileSize - at &&
                             std::memcmp(block, file + at, got) == 0);
            at += got;
        }
    }
    std::string line;
    fuzzfiles::Check(at == fileSize && !channel.ReadLine(line));
    return 0;
}
