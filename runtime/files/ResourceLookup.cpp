#include "files/ResourceLookup.h"

#include "files/ResourceResolver.h"

std::optional<std::string> files::Resolve(ResourceResolver* lookup, const std::string& name) {
    std::string path;
    if (!lookup || !lookup->Resolve(name, path)) return std::nullopt;
    return path;
}

bool files::ReadResource(ResourceResolver* lookup, const std::string& name, std::string& content,
                         size_t maxBytes) {
    content.clear();
    return lookup && lookup->Read(name, content, maxBytes);
}
