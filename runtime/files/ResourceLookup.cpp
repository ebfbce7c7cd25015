#include "files/ResourceLookup.h"

#include "core/Runtime.h"
#include "files/ResourceResolver.h"

ResourceResolver& Resolver(int which) {
    std::unique_ptr<ResourceResolver>& resolver = Rt().resolvers[which == 0 ? 0 : 1];
    if (!resolver) resolver = std::make_unique<ResourceResolver>(Rt().settings.tempDirectory);
    return *resolver;
}

std::optional<std::string> ResolveResourceFile(const std::string& name) {
    std::string path;
    if (!Resolver(0).Resolve(name, path)) return std::nullopt;
    return path;
}

bool ReadResourceFile(const std::string& name, std::string& content, size_t maxBytes) {
    return Resolver(0).Read(name, content, maxBytes);
}

void SetResourcePackNames(const std::string& first, const std::string& second) {
    Resolver(0).SetPack(first);
    Resolver(1).SetPack(second);
}

void ReleaseResourceLookups() {
    for (std::unique_ptr<ResourceResolver>& resolver : Rt().resolvers)
        resolver.reset();
}
