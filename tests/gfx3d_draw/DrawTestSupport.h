// Objects built in code and scene set-ups shared by the 3D drawing tests.
#pragma once

class MeshObjectX;

// A square of side 2 * half facing +z at z = 0 (wound clockwise seen from +z, the engine's
// front side), in colour.
void BuildSquare(int id, float half, unsigned colour = 0xFFFFFF);
// A square facing +y at height y.
void BuildFloor(int id, float half, float y);
// A closed box centred on (x, y, z) with its faces' front sides outward.
void BuildBox(int id, float half, float x, float y, float z);
// Gives object id more frames: frame k is frame 0 moved by k * step along x.
void AddShiftedFrames(int id, int frameCount, float step);
// A grey 8 x 8 texture of the given brightness in sprite slot id.
void UploadPlain(int id, unsigned char grey);
// The slot's first part, or null.
MeshObjectX* FirstPart(int id);

// Begin3D(100, 20000, 45) with the camera at (0, 0, distance) looking at the origin.
void LookAtOriginFrom(float distance);
// The pixel where a world point lands, from ProjectToScreen.
void PixelOf(double x, double y, double z, int& px, int& py);
// The three colour channels of a colour number.
int Red(unsigned colour);
int Green(unsigned colour);
int Blue(unsigned colour);
