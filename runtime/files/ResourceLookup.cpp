#include "files/ResourceLookup.h"

#include <utility>

#include "core/Runtime.h"
#include "files/FileWatcher.h"
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

bool ResolvedOnDisk(const std::string& path) {
    return path != Resolver(0).Extraction();
}

void WatchAssetFiles(const std::string& key, const std::vector<std::string>& paths,
                     files::ReloadAction reload) {
    files::FileWatcher* watcher = Rt().watcher.get();
    if (!watcher) return;
    if (paths.empty())
        watcher->Forget(key);
    else
        watcher->Watch(key, paths, std::move(reload));
}

void ForgetAssetFiles(const std::string& key) {
    if (files::FileWatcher* watcher = Rt().watcher.get()) watcher->Forget(key);
}
