// Finds the file to open for an asset name: on disk first, then inside a resource pack, whose
// entry is then expanded into a temporary file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "files/ResourcePack.h"

class ResourceResolver {
  public:
    // tempFolder (ending in '/') takes the expanded pack entries.
    explicit ResourceResolver(std::string tempFolder) : tempFolder_(std::move(tempFolder)) {}
    ResourceResolver(const ResourceResolver&) = delete;
    ResourceResolver& operator=(const ResourceResolver&) = delete;
    // Deletes the last temporary extraction.
    ~ResourceResolver();

    // Takes another pack (empty: none): deletes the last extraction and forgets the index.
    void SetPack(const std::string& packName);
    const std::string& PackName() const { return packName_; }

    // The path to open for name: the name itself when it is a file on disk, else the temporary
    // copy of the pack's entry. Every call first deletes the previous call's temporary copy.
    // False (and an empty path) when the file is nowhere, the pack is missing or damaged.
    bool Resolve(const std::string& name, std::string& path);
    // The whole content of name (at most maxBytes), from disk or straight from the pack,
    // without a temporary copy. False when the file is nowhere or cannot be read.
    bool Read(const std::string& name, std::string& content, size_t maxBytes);
    // The temporary file of the last extraction; empty when there is none.
    const std::string& Extraction() const { return extraction_; }
    void DeleteExtraction();

  private:
    bool LoadIndex(int packFd);
    bool Extract(const std::string& name, std::string& path);
    // The expanded pack entry of name, and where it lies in the pack.
    const files::PackEntry* ReadFromPack(const std::string& name, std::string& content);

    std::string tempFolder_;
    std::string packName_;
    std::string extraction_;
    bool indexLoaded_ = false;
    std::vector<files::PackEntry> entries_;
    // An unusable temporary folder is said once per resolver.
    bool extractionTroubleTold_ = false;
};
