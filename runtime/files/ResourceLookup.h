// The resource lookup every asset loader passes its file names through: a file on disk is used
// as it is, else it is taken from the resource pack (expanded into a temporary file, which the
// next lookup deletes).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "files/FileWatcher.h"

class ResourceResolver;

// The path to open for a file name from game code ("/" and "\\" both separate folders); nothing
// when the name is empty or the file is neither on disk nor in the pack.
std::optional<std::string> ResolveResourceFile(const std::string& name);

// The whole content of a file from game code (at most maxBytes), from disk or straight from the
// resource pack, for loaders that can take a file from memory. False when it is nowhere.
bool ReadResourceFile(const std::string& name, std::string& content, size_t maxBytes);

// Lookup 0 serves ResolveResourceFile; both are made on first use.
ResourceResolver& Resolver(int which);
// Gives both lookups their pack (start-up passes the program's directory, which holds no pack
// until game code names one).
void SetResourcePackNames(const std::string& first, const std::string& second);
// Deletes both lookups' temporary files and releases them; run at shut-down.
void ReleaseResourceLookups();

// The hot reload (VORNIC_WATCH; without it these do nothing and cost nothing).
// True when path, as ResolveResourceFile has just given it, is the file on disk rather than the
// temporary copy of a pack entry (the next lookup replaces that copy: ask before it).
bool ResolvedOnDisk(const std::string& path);
// Has the asset under key reloaded by reload when one of paths changes, replacing what key
// watched before; with no paths the key is forgotten.
void WatchAssetFiles(const std::string& key, const std::vector<std::string>& paths,
                     files::ReloadAction reload);
// Stops watching the asset under key: its slot was emptied or filled some other way.
void ForgetAssetFiles(const std::string& key);
