#include "files/ResourceLookup.h"

#include "files/ResourceResolver.h"

std::optional<std::string> files::Resolve(ResourceResolver* lookup, const std::string& name) {
    if (!lookup) {
        // No pack, so nothing is ever expanded into its (empty) temporary folder.
        ResourceResolver diskOnly("");
        return Resolve(&diskOnly, name);
    }
    std::string path;
    if (!lookup->Resolve(name, path)) return std::nullopt;
    return path;
}

bool files::ReadResource(ResourceResolver* lookup, const std::string& name, std::string& content,
                         size_t maxBytes) {
    if (!lookup) {
        ResourceResolver diskOnly("");
        return diskOnly.Read(name, content, maxBytes);
    }
    return lookup->Read(name, content, maxBytes);
}

bool files::ResolvedOnDisk(const ResourceResolver* lookup, const std::string& path) {
    return !lookup || path != lookup->Extraction();
}
