#include "os/Backend.h"

#include "os/Audio.h"
#include "os/RunSession.h"

namespace os {

namespace {

std::function<Backend()>& Factory() {
    static std::function<Backend()> factory;
    return factory;
}

std::function<std::unique_ptr<AudioOutput>()>& AudioFactory() {
    static std::function<std::unique_ptr<AudioOutput>()> factory;
    return factory;
}

} // namespace

Backend::Backend() = default;
Backend::Backend(Backend&&) = default;
Backend& Backend::operator=(Backend&&) = default;
Backend::~Backend() = default;

void SetBackendFactory(std::function<Backend()> factory) {
    Factory() = std::move(factory);
}

void SetAudioFactory(std::function<std::unique_ptr<AudioOutput>()> factory) {
    AudioFactory() = std::move(factory);
}

Backend CreateBackend(const RunRequest& run) {
    Backend backend = Factory() ? Factory()() : CreateSdlBackend();
    if (AudioFactory())
        backend.audio = AudioFactory()();
    else if (!backend.audio)
        backend.audio = CreateSdlAudio();
    return WrapForRecordOrReplay(std::move(backend), run);
}

} // namespace os
