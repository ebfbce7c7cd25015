// Sprites and 2D drawing for game code: loading pictures into numbered slots, drawing them
// plain, stretched, zoomed or rotated, polygons, primitives, pixels and collision. Positions
// are pixels from the top-left of the screen; colours are R + G*256 + B*65536.
#pragma once

#include "text/RtString.h"

// Loads a BMP or PNG file into sprite slot id (0..65503), keyed with the transparency colour.
// 1 on success; 0 when the file cannot be read (the slot is then empty).
double LoadSprite(const RtString& file, double id);
// Loads a picture as a normal map made from its blue channel. 1 on success, 0 on failure.
double LoadBumpTexture(const RtString& file, double id);
// Empties sprite slot id; nothing happens for an id outside the table.
void DeleteSprite(double id);
// Sets the colour keyed out of sprites and fonts loaded from now on (-1: no key).
void SetTransparency(double colour);
// Writes the picture size of sprite id (0 x 0 when empty or invalid) into width and height.
void GetSpriteSize(double id, double& width, double& height);
// The GL texture name of sprite id; 0 when empty or invalid.
double GetSpriteTexture(double id);

// 0: opaque; below 0: translucent at |alpha|; above 0: additive at alpha (capped at 1).
// Lasts until changed or until the next frame starts.
void SetAlphaMode(double alpha);
// Draws sprite id at its own size with its top-left corner at (x, y). Empty slots draw nothing.
void DrawSprite(double id, double x, double y);
// Draws sprite id scaled to width x height; a negative size mirrors it over x - |width|..x.
void StretchSprite(double id, double x, double y, double width, double height);
// Draws sprite id scaled by zoomX and zoomY about the centre it has when drawn at (x, y).
void ZoomSprite(double id, double x, double y, double zoomX, double zoomY);
// Draws sprite id turned by angle degrees (counter-clockwise) and scaled about its centre.
void RotoZoomSprite(double id, double x, double y, double angle, double zoom);

// Begins a polygon textured with sprite id (-1: plain colours).
void StartPolygon(double id);
// Adds a corner at (x, y) with texture position (s, t) in pixels of the picture and a colour.
void AddPolygonVertex(double x, double y, double s, double t, double colour);
// Draws the corners added since StartPolygon as one triangle fan.
void EndPolygon();

// One pixel; in the transparency colour it is transparent ink.
void DrawPixel(double x, double y, double colour);
// A line including both end pixels.
void DrawLine(double x1, double y1, double x2, double y2, double colour);
// A filled rectangle; negative sizes extend left or up from (x, y).
void DrawRect(double x, double y, double width, double height, double colour);
// The colour of the back-buffer pixel at (x, y); 0 outside the screen.
double GetPixel(double x, double y);
// 1 when sprites id1 at (x1, y1) and id2 at (x2, y2) overlap in a pixel opaque in both, else 0.
double SpriteCollision(double id1, double x1, double y1, double id2, double x2, double y2);
