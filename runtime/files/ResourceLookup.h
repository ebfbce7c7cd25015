// The resource lookup every asset loader passes its file names through: a file on disk is used
// as it is, else it is taken from the resource pack (expanded into a temporary file, which the
// next lookup deletes).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

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
