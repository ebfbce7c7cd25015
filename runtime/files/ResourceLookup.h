// The resource lookup every asset loader passes its file names through: a file on disk is used
// as it is, else it is taken from the resource pack (expanded into a temporary file, which the
// next lookup deletes). The context holds two lookups (resolvers[0] serves the loaders), made by
// start-up.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

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

} // namespace files

// Deletes both lookups' temporary files and releases them; run at shut-down (defined with the
// file commands).
void ReleaseResourceLookups();
