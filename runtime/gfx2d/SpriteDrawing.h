// Device-level 2D drawing: sprites, polygons, primitives, pixel read-back and collision.
// Positions are in pixels of the 2D projection, origin top-left.
#pragma once

#include <cstdint>

class OpenGLRainbows;

namespace gfx2d {

void SetAlphaMode(OpenGLRainbows& device, float alpha);
void DrawSprite(OpenGLRainbows& device, int id, double x, double y);
void StretchSprite(OpenGLRainbows& device, int id, double x, double y, double width, double height);
void ZoomSprite(OpenGLRainbows& device, int id, double x, double y, double zoomX, double zoomY);
void RotoZoomSprite(OpenGLRainbows& device, int id, double x, double y, double angle, double zoom);

void StartPolygon(OpenGLRainbows& device, int id);
void AddPolygonVertex(OpenGLRainbows& device, int x, int y, double s, double t, int64_t colour);
void EndPolygon(OpenGLRainbows& device);

void DrawPixel(OpenGLRainbows& device, double x, double y, int64_t colour);
void DrawLine(OpenGLRainbows& device, double x1, double y1, double x2, double y2, int64_t colour);
void DrawRect(OpenGLRainbows& device, double x, double y, double width, double height,
              int64_t colour);
// The colour number of the back-buffer pixel at (x, y) (of the render target drawn into, when
// there is one); 0 outside.
int64_t PixelColour(OpenGLRainbows& device, int x, int y);

} // namespace gfx2d

// 1 when the two sprites at those top-left positions share a pixel opaque in both, else 0.
int SpritesCollide(OpenGLRainbows& device, int id1, int x1, int y1, int id2, int x2, int y2);
