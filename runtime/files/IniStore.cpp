#include "files/IniStore.h"

#include <strings.h>

#include "files/AtomicFile.h"
#include "files/FilePaths.h"
#include "files/ResourceResolver.h"
#include "files/TextLines.h"
#include "text/RtString.h"

namespace {

// An INI file larger than this is not a settings file; only its start is read.
constexpr size_t kLargestIniFile = 64u << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool SameName(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Removes element i by moving the last element into its place.
template <typename T> void RemoveByMovingLast(std::vector<T>& items, size_t i) {
    if (i + 1 != items.size()) items[i] = std::move(items.back());
    items.pop_back();
}

} // namespace

void IniStore::Open(const std::string& fileName, ResourceResolver& resolver) {
    WriteBack();
    sections_.clear();
    fileName_ = fileName;
    changed_ = false;
    std::string path, text;
    if (resolver.Resolve(fileName, path) && files::ReadFileBytes(path, text, kLargestIniFile))
        Parse(text);
}

void IniStore::Parse(const std::string& text) {
    // A section is kept only once it has a key, so the one being read stays aside until then.
    Section current;
    bool currentKept = false;
    size_t at = 0;
    while (at < text.size()) {
        size_t consumed = 0;
        const std::string line = files::SplitLine(text.data() + at, text.size() - at, consumed);
        at += consumed;
        size_t i = 0;
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size() || line[i] == ';') continue;

        if (line[i] == '[') {
            ++i;
            while (i < line.size() && IsBlank(line[i]))
                ++i;
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '=')
                ++i;
            std::string name = line.substr(start, i - start);
            if (!name.empty() && name.back() == ']') name.pop_back();
            current = Section{std::move(name), {}};
            currentKept = false;
            continue;
        }

        const size_t keyStart = i;
        while (i < line.size() && !IsBlank(line[i]) && line[i] != '=')
            ++i;
        const std::string key = line.substr(keyStart, i - keyStart);
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i < line.size() && line[i] == '=') ++i;
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        std::string value = line.substr(i);
        TrimControlTail(value);
        if (value.empty()) continue;

        if (!currentKept) {
            sections_.push_back(Section{current.name, {}});
            currentKept = true;
        }
        sections_.back().entries.push_back(Entry{key, std::move(value)});
    }
}

IniStore::Section* IniStore::FindSection(const std::string& name) {
    for (Section& section : sections_)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

const std::string* IniStore::Find(const std::string& section, const std::string& key) const {
    for (const Section& candidate : sections_) {
        if (!SameName(candidate.name, section)) continue;
        for (const Entry& entry : candidate.entries)
            if (SameName(entry.key, key)) return &entry.value;
        return nullptr;
    }
    return nullptr;
}

void IniStore::Put(const std::string& section, const std::string& key, const std::string& value) {
    if (key.empty()) {
        for (size_t i = 0; i < sections_.size(); ++i) {
            if (SameName(sections_[i].name, section)) {
                RemoveByMovingLast(sections_, i);
                changed_ = true;
                return;
            }
        }
        return;
    }
    Section* target = FindSection(section);
    if (!target) {
        sections_.push_back(Section{section, {}});
        target = &sections_.back();
    }
    changed_ = true;
    for (size_t i = 0; i < target->entries.size(); ++i) {
        if (!SameName(target->entries[i].key, key)) continue;
        if (value.empty())
            RemoveByMovingLast(target->entries, i);
        else
            target->entries[i].value = value;
        return;
    }
    target->entries.push_back(Entry{key, value});
}

std::string IniStore::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        text += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries)
            text += entry.key + "=" + entry.value + "\r\n";
    }
    return text;
}

void IniStore::WriteBack() {
    if (!changed_ || fileName_.empty()) return;
    files::ReplaceFileContent(files::PlatformPath(fileName_), Text());
    changed_ = false;
}
