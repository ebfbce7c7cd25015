// The INI store: one settings file of sections and keys, held in memory and written back when
// another file is opened or the program ends.
#pragma once

#include <string>
#include <vector>

class ResourceResolver;

class IniStore {
  public:
    // Writes the current file back when changed, empties the store and reads fileName (found
    // through resolver; a missing file leaves the store empty).
    void Open(const std::string& fileName, ResourceResolver& resolver);
    // Adds the sections and keys of INI text to the store.
    void Parse(const std::string& text);
    // The value of the first matching key of the first matching section (names compared
    // without regard to ASCII case); null when there is none.
    const std::string* Find(const std::string& section, const std::string& key) const;
    // Sets, adds or (with an empty value) removes a key; an empty key removes the section.
    void Put(const std::string& section, const std::string& key, const std::string& value);
    // The store as INI text: "[name]" lines followed by "key=value" lines, each ended by
    // "\r\n".
    std::string Text() const;
    // Writes the store to its file when changed; a failed write leaves the file as it was.
    // Afterwards the store counts as unchanged.
    void WriteBack();

    size_t SectionCount() const { return sections_.size(); }

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* FindSection(const std::string& name);

    std::vector<Section> sections_;
    std::string fileName_;
    bool changed_ = false;
};
