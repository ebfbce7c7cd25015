#include "core/Runtime.h"

#include "files/FileState.h"
#include "files/FileWatcher.h"
#include "files/ResourceResolver.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputDevices.h"
#include "net/NetGame.h"
#include "os/RunSession.h"
#include "platform/DllCache.h"
#include "sound/SoundDevice.h"
#include "text/Isaac.h"

Runtime::Runtime() : random(std::make_unique<text::IsaacState>()) {}
Runtime::~Runtime() = default;

Runtime& Rt() {
    static Runtime runtime;
    return runtime;
}

double ClockMs() {
    Runtime& rt = Rt();
    return rt.clock ? rt.clock->NowMs() : 0.0;
}
