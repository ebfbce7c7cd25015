#include "support/TestRuntime.h"

#include <GL/gl.h>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "gl/SpriteBatch.h"
#include "os/Backend.h"

void GlRuntimeTest::SetUp() {
    os::SetBackendFactory(nullptr);
    Rt().settings = RuntimeSettings{};
    ASSERT_TRUE(StartRuntime(10, "test"));
}

void GlRuntimeTest::TearDown() {
    ShutdownRuntime();
}

void HeadlessRuntimeTest::SetUp() {
    os::UseHeadlessBackend(&headless);
    Rt().settings = RuntimeSettings{};
    ASSERT_TRUE(StartRuntime(10, "test"));
}

void HeadlessRuntimeTest::TearDown() {
    ShutdownRuntime();
    os::SetBackendFactory(nullptr);
}

unsigned ReadPixel(int x, int y) {
    // Sprites drawn last may still wait in the batch.
    if (Rt().gfx) FlushSpriteBatch(*Rt().gfx);
    const int screenHeight = Rt().settings.screenHeight;
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, screenHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] + rgba[1] * 256u + rgba[2] * 65536u;
}
