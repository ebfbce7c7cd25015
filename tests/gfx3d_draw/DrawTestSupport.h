// Objects built in code, pictures and scene set-ups shared by the 3D drawing tests, and the
// headers every one of them uses.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "core/Runtime.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "vornic.h"

// A square of side 2 * half facing +z at z = 0 (wound clockwise seen from +z, the engine's
// front side), in colour.
void BuildSquare(int id, float half, unsigned colour = 0xFFFFFF);
// A closed box centred on (x, y, z) with its faces' front sides outward.
void BuildBox(int id, float half, float x, float y, float z);
// A textured square like BuildSquare, loaded from a file of frameCount frames: frame k is
// moved by k * step along x.
void BuildWalkingSquare(int id, float half, int frameCount, float step);
// A picture of width x height pixels, colour (R + G*256 + B*65536) at (x, y) from the top,
// as a sprite texture in slot id, or as a BMP file.
using PictureColour = std::function<unsigned(int x, int y)>;
void UploadPicture(int id, int width, int height, const PictureColour& colour);
void WritePicture(const std::string& path, int width, int height, const PictureColour& colour);

// Begin3D(100, 20000, 45) with the camera at (0, 0, distance) looking at the origin.
void LookAtOriginFrom(float distance);
// The pixel where a world point lands, from ProjectToScreen, and the colour drawn there.
void PixelOf(double x, double y, double z, int& px, int& py);
unsigned ColourOf(double x, double y, double z);
// Channel k of a colour number: 0 red, 1 green, 2 blue.
inline int Channel(unsigned colour, int k) {
    return static_cast<int>((colour >> 8 * k) & 0xFF);
}
// True when every channel of got lies within tolerance of want's.
inline bool Near(unsigned got, unsigned want, int tolerance) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(Channel(got, k) - Channel(want, k)) > tolerance) return false;
    return true;
}
