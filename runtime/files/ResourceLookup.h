// The resource lookup every asset loader passes its file names through: a file on disk is used
// as it is, else it is taken from the resource pack (expanded into a temporary file, which the
// next lookup deletes). The context holds two lookups (resolvers[0] serves the loaders), made by
// start-up.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "files/FileWatcher.h"

class ResourceResolver;

namespace files {

// The path to open for a file name from game code ("/" and "\\" both separate folders); nothing
// when the name is empty or the file is neither on disk nor in the pack. Without a lookup (none
// before start-up makes them) only files on disk are found, as by a lookup without a pack.
std::optional<std::string> Resolve(ResourceResolver* lookup, const std::string& name);

// The whole content of a file from game code (at most maxBytes), from disk or straight from the
// resource pack, for loaders that can take a file from memory. False when it is nowhere.
bool ReadResource(ResourceResolver* lookup, const std::string& name, std::string& content,
                  size_t maxBytes);

// True when path, as Resolve has just given it through lookup, is the file on disk rather than
// the temporary copy of a pack entry (the next lookup replaces that copy: ask before it).
bool ResolvedOnDisk(const ResourceResolver* lookup, const std::string& path);

} // namespace files

// Deletes both lookups' temporary files and releases them; run at shut-down (defined with the
// file commands).
void ReleaseResourceLookups();

// The hot reload (VORNIC_WATCH; without it these do nothing and cost nothing), for the load
// commands (defined with the file commands).
// Has the asset under key reloaded by reload when one of paths changes, replacing what key
// watched before; with no paths the key is forgotten.
void WatchAssetFiles(const std::string& key, const std::vector<std::string>& paths,
                     files::ReloadAction reload);
// Stops watching the asset under key: its slot was emptied or filled some other way.
void ForgetAssetFiles(const std::string& key);
