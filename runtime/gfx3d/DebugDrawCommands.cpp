// Debug drawing in the 3D scene: lines, points and axis arrows in plain colours.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneDebugDrawing.h"
#include "gfx3d/SceneSetup.h"
#include "gl/OpenGLRainbows.h"

namespace {

// Plain-colour drawing: lighting and texturing off while it runs, restored afterwards.
class PlainColourDrawing {
  public:
    PlainColourDrawing(OpenGLRainbows& device, int64_t colour, GLenum smoothing)
        : device_(device), smoothing_(smoothing) {
        FlushSpriteBatch(device);
        glPushMatrix();
        glEnable(GL_COLOR_MATERIAL);
        float rgb[3];
        ColourToFloats(colour, rgb);
        glColor3f(rgb[0], rgb[1], rgb[2]);
        glEnable(smoothing);
        lighting_ = glIsEnabled(GL_LIGHTING);
        texturing_ = glIsEnabled(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
    }
    ~PlainColourDrawing() {
        glLineWidth(1);
        glPointSize(1);
        glDisable(smoothing_);
        glDisable(GL_COLOR_MATERIAL);
        if (lighting_) glEnable(GL_LIGHTING);
        if (texturing_) glEnable(GL_TEXTURE_2D);
        const float alpha = gfx2d::Sprites(device_).globalAlpha;
        glColor4f(alpha, alpha, alpha, alpha);
        glPopMatrix();
    }
    PlainColourDrawing(const PlainColourDrawing&) = delete;
    PlainColourDrawing& operator=(const PlainColourDrawing&) = delete;

  private:
    OpenGLRainbows& device_;
    GLenum smoothing_;
    bool lighting_ = false;
    bool texturing_ = false;
};

OpenGLRainbows* Device() {
    OpenGLRainbows* device = Rt().gfx.get();
    return device && device->initialised && Rt().scene.get() ? device : nullptr;
}

float Limited(double size) {
    return static_cast<float>(std::max(1.0, std::min(512.0, size)));
}

void Arrow(const int axes[3], float red, float green, float blue) {
    static const float kShape[8][3] = {{0, 0, 0},          {1, 0, 0}, {0.75f, 0.25f, 0},
                                       {0.75f, -0.25f, 0}, {1, 0, 0}, {0.75f, 0, 0.25f},
                                       {0.75f, 0, -0.25f}, {1, 0, 0}};
    glColor3f(red, green, blue);
    glBegin(GL_LINE_STRIP);
    for (const auto& p : kShape) {
        float v[3];
        for (int i = 0; i < 3; ++i)
            v[axes[i]] = p[i];
        glVertex3fv(v);
    }
    glEnd();
}

} // namespace

void gfx3d::DrawDebugSegments(OpenGLRainbows& device, const float (*points)[3], int pointCount,
                              double width, int64_t colour) {
    if (std::isnan(width)) return;
    PlainColourDrawing drawing(device, colour, GL_LINE_SMOOTH);
    glLineWidth(Limited(width));
    glBegin(GL_LINES);
    for (int i = 0; i + 1 < pointCount; i += 2) {
        glVertex3fv(points[i]);
        glVertex3fv(points[i + 1]);
    }
    glEnd();
}

void DrawLine3D(double x1, double y1, double z1, double x2, double y2, double z2, double width,
                double colour) {
    OpenGLRainbows* device = Device();
    if (!device) return;
    const float points[2][3] = {{ToFloat(x1), ToFloat(y1), ToFloat(z1)},
                                {ToFloat(x2), ToFloat(y2), ToFloat(z2)}};
    gfx3d::DrawDebugSegments(*device, points, 2, width, ToInt64(colour));
}

void DrawPoint3D(double x, double y, double z, double size, double colour) {
    OpenGLRainbows* device = Device();
    if (!device || std::isnan(size)) return;
    PlainColourDrawing drawing(*device, ToInt64(colour), GL_POINT_SMOOTH);
    glPointSize(Limited(size));
    glBegin(GL_POINTS);
    glVertex3d(x, y, z);
    glEnd();
}

void DrawAxes3D(double x, double y, double z) {
    OpenGLRainbows* device = Device();
    if (!device) return;
    PlainColourDrawing drawing(*device, 0, GL_LINE_SMOOTH);
    glLoadMatrixf(Rt().scene.get()->cameraMatrix.m);
    glTranslated(x, y, z);
    glScalef(20, 20, 20);
    const int alongX[3] = {0, 1, 2}, alongY[3] = {1, 2, 0}, alongZ[3] = {2, 0, 1};
    Arrow(alongX, 1, 0, 0);
    Arrow(alongY, 0, 1, 0);
    Arrow(alongZ, 0, 0, 1);
}
