#include "support/BenchSupport.h"

#include <cstddef>
#include <cstdlib>
#include <ctime>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Rainbows3D.h"
#include "gl/OpenGLRainbows.h"

bool StartBenchRuntime(const char* title) {
    setenv("VORNIC_NO_MESSAGE_BOX", "1", 0);
    return StartRuntime(10, title);
}

PlainObject MakePlainObject(int id) {
    PlainObject object;
    const GLExtensions& ext = Rt().gfx->ext;
    const GrowArray<DrawVertex>& triangles = Rt().objects->Slot(id)->parts[0].frames[0].triangles;
    object.count = triangles.Count();
    ext.glGenBuffersARB(1, &object.buffer);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, object.buffer);
    ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, object.count * sizeof(DrawVertex), triangles.Data(),
                        GL_STATIC_DRAW_ARB);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    return object;
}

void DeletePlainObject(PlainObject& object) {
    Rt().gfx->ext.glDeleteBuffersARB(1, &object.buffer);
    object = PlainObject{};
}

void UsePlainObject(const PlainObject& object) {
    Rt().gfx->ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, object.buffer);
    const GLsizei stride = sizeof(DrawVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, nullptr);
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, nx)));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, u)));
}

void EndPlainObjects() {
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    Rt().gfx->ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void DrawPlainCopy(const PlainObject& object, float x, float y, float z, float heading) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(heading, 0, 1, 0);
    glDrawArrays(GL_TRIANGLES, 0, object.count);
    glPopMatrix();
}

double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

double WallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void KeepBest(Timing& best, const Timing& timing) {
    if (best.framesPerSecond < timing.framesPerSecond)
        best.framesPerSecond = timing.framesPerSecond;
    if (best.cpuMsPerFrame == 0 || timing.cpuMsPerFrame < best.cpuMsPerFrame)
        best.cpuMsPerFrame = timing.cpuMsPerFrame;
}
