// Device-level 2D drawing: sprites, polygons, primitives, pixel read-back and collision.
// Positions are in pixels of the 2D projection, origin top-left.
#pragma once

#include <cstdint>

class OpenGLRainbows;

void SetAlphaModeOn(OpenGLRainbows& device, float alpha);
void DrawSpriteAt(OpenGLRainbows& device, int id, double x, double y);
void StretchSpriteAt(OpenGLRainbows& device, int id, double x, double y, double width,
                     double height);
void ZoomSpriteAt(OpenGLRainbows& device, int id, double x, double y, double zoomX, double zoomY);
void RotoZoomSpriteAt(OpenGLRainbows& device, int id, double x, double y, double angle,
                      double zoom);

void StartPolygonWith(OpenGLRainbows& device, int id);
void AddPolygonVertexAt(OpenGLRainbows& device, int x, int y, double s, double t, int64_t colour);
void EndPolygonOn(OpenGLRainbows& device);

void DrawPixelAt(OpenGLRainbows& device, double x, double y, int64_t colour);
void DrawLineAt(OpenGLRainbows& device, double x1, double y1, double x2, double y2, int64_t colour);
void DrawRectAt(OpenGLRainbows& device, double x, double y, double width, double height,
                int64_t colour);
// The colour number of the back-buffer pixel at (x, y); 0 outside the screen.
int64_t PixelAt(OpenGLRainbows& device, int x, int y);

// 1 when the two sprites at those top-left positions share a pixel opaque in both, else 0.
int SpritesCollide(OpenGLRainbows& device, int id1, int x1, int y1, int id2, int x2, int y2);
