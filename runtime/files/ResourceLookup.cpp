#include "files/ResourceLookup.h"

#include "core/Runtime.h"
#include "files/FilePaths.h"
#include "files/ResourceResolver.h"

ResourceResolver& Resolver(int which) {
    std::unique_ptr<ResourceResolver>& resolver = Rt().resolvers[which == 0 ? 0 : 1];
    if (!resolver) resolver = std::make_unique<ResourceResolver>(Rt().settings.tempDirectory);
    return *resolver;
}

std::string ResolveResourceFile(const std::string& name) {
    std::string path;
    return Resolver(0).Resolve(name, path) ? path : PlatformPath(name);
}

void SetResourcePackNames(const std::string& first, const std::string& second) {
    Resolver(0).SetPack(first);
    Resolver(1).SetPack(second);
}

void ReleaseResourceLookups() {
    for (std::unique_ptr<ResourceResolver>& resolver : Rt().resolvers)
        resolver.reset();
}
