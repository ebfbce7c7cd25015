#include "files/LineFileCache.h"

#include "files/AtomicFile.h"
#include "files/FilePaths.h"
#include "files/ResourceResolver.h"
#include "files/TextLines.h"

LineFileCache::Selection LineFileCache::Select(const std::string& name,
                                               ResourceResolver& resolver) {
    if (name == name_) return Selection::AlreadyCached;
    WriteBack();
    for (std::string& line : lines_)
        line.clear();
    lastLine_ = 0;
    changed_ = found_ = false;
    name_ = name;

    std::string path, content;
    // 256 lines never need more than 256 full-length lines with their line ends.
    constexpr size_t kMostBytes = kLineCount * files::kLineWithEndLimit;
    if (!resolver.Resolve(name, path) || !files::ReadFileBytes(path, content, kMostBytes))
        return Selection::Missing;
    found_ = true;
    size_t at = 0;
    for (int line = 0; line < kLineCount && at < content.size(); ++line) {
        size_t consumed = 0;
        lines_[line] = files::SplitLine(content.data() + at, content.size() - at, consumed);
        at += consumed;
        lastLine_ = line;
    }
    return Selection::Loaded;
}

void LineFileCache::SetLine(int line, const std::string& text) {
    lines_[line] = text.substr(0, files::kLineLimit);
    if (line > lastLine_) lastLine_ = line;
    changed_ = true;
}

void LineFileCache::WriteBack() {
    if (!changed_ || name_.empty()) return;
    std::string content;
    for (int line = 0; line <= lastLine_; ++line)
        content += lines_[line] + "\r\n";
    files::ReplaceFileContent(files::PlatformPath(name_), content);
    changed_ = false;
}
