// Builds an object from simple solids, each a set of triangle strips, with texture coordinates
// inside a region of the object's skin. The object lives in a slot of its own, so no runtime
// needs to be running.
#pragma once

#include <functional>
#include <vector>

#include "gfx3d/Rainbows3D.h"

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// A rectangle of the skin picture in texture coordinates: u from the left, v from the top.
struct SkinRegion {
    double u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

class MeshBuilder {
  public:
    MeshBuilder();
    // Finishes the object with a normal mode of the runtime (2: smoothed where vertices meet; 0:
    // none computed, so every vertex keeps the first normal of the runtime's table) and writes
    // it as a ".ddd" file; false when the file could not be written.
    bool Save(const char* path, int normalMode = 2);
    // Finishes the object with the normal normalAt gives for each vertex position (the nearest
    // of the runtime's table) and writes it like Save.
    bool SaveWithNormals(const char* path, const std::function<Vec3(Vec3)>& normalAt);

    // An ellipsoid around centre: u runs once around the y axis, v from the top pole down.
    void Ellipsoid(Vec3 centre, Vec3 radii, SkinRegion skin, int segments = 16, int rings = 10);
    // A tube from a to b whose radius goes from radiusA to radiusB (0 gives a cone), closed by
    // discs at both ends when capped.
    void Tube(Vec3 a, Vec3 b, double radiusA, double radiusB, SkinRegion skin, int segments = 8,
              bool capped = false);
    // A flat rectangle at height y over x0..x1, z0..z1, with texture coordinates
    // u = x / tileSize, v = z / tileSize (the skin repeats).
    void TiledPlane(double x0, double x1, double z0, double z1, double y, double tileSize);
    // TiledPlane cut into a grid at the given x and z lines (each rising), one strip between
    // two neighbouring z lines, so that its vertices may carry normals of their own.
    void TiledGrid(const std::vector<double>& xs, const std::vector<double>& zs, double y,
                   double tileSize);
    // A flat rectangle at height y showing the whole skin once.
    void Quad(double x0, double x1, double z0, double z1, double y);
    // A flat disc facing down (normal -y) or up, its texture a circle inside the region.
    void Disc(Vec3 centre, double radius, bool facingUp, SkinRegion skin, int segments = 24);

  private:
    // Starts a new strip, except for the first one, which building has started.
    void StartStrip();
    void Vertex(Vec3 p, double u, double v);

    bool firstStrip_ = true;
    ObjectSlot slot_;
};
