// Drawing in the 3D scene for game code: placing objects with the object transform, texturing
// and drawing them, camera-facing sprites and text, and debug lines, points and axes. Outside
// a running program these do nothing.
#pragma once

#include "text/RtString.h"

struct NumArray;

// Sprite ids textured onto the following objects (B on the second texture unit); -1 none.
void SetTexture3D(double textureA, double textureB);
// Non-zero draws objects with the sprites' mipmapped textures until the end of the frame.
void SetMipmapping(double flag);
// Added to every drawn vertex's texture coordinates.
void SetTextureOffset(double du, double dv);
// Non-zero generates sphere-map texture coordinates for the following objects.
void SetSphereMapping(double flag);

// Restarts the current transform level on its parent and sets its position.
void MoveObject(double x, double y, double z);
// Restarts the current transform level on its parent and sets its scale.
void ScaleObject(double sx, double sy, double sz);
// Adds a rotation of angle degrees about the axis (applied in the order given); ignored once
// the level holds 16 rotations or for an axis of length 0.
void RotateObject(double angle, double ax, double ay, double az);
// Adds a 4x4 matrix given as a one-dimensional array of 16 Numbers in column-major order;
// other shapes, and a 17th matrix on one level, are ignored.
void MultiplyObjectMatrix(NumArray& matrix);
// Opens the next transform level on the current one; ignored at the 16th level.
void PushTransform();
// Back to the previous transform level; at the first level it resets it.
void PopTransform();

// Draws a frame of object id (clamped to its frames) with the current textures; an empty or
// invalid id draws nothing.
void DrawObject(double id, double frame);
// Draws object id blended between frames: mode 0 blends frame a toward frame b by t; any other
// mode runs t (taken modulo 1) along the frames a..b.
void DrawObjectAnim(double id, double frameA, double frameB, double t, double mode);

// A camera-facing sprite at half its pixel size times scale, its bottom edge centred on the
// point; an empty slot draws nothing.
void DrawSprite3D(double id, double x, double y, double z, double scale);
// Text with the current font at a point: a camera-facing strip of glyphs size times the glyph
// width high, or with size 0 flat screen text centred above the projected point.
void Print3D(const RtString& text, double x, double y, double z, double size);

// A line of width 1..512 pixels in a colour.
void DrawLine3D(double x1, double y1, double z1, double x2, double y2, double z2, double width,
                double colour);
// A point of size 1..512 pixels in a colour.
void DrawPoint3D(double x, double y, double z, double size, double colour);
// Red, green and blue arrows of length 20 along x, y and z at the point.
void DrawAxes3D(double x, double y, double z);
