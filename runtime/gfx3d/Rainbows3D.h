// The 3D engine: the object table and the state of objects built in code. (The scene state
// of camera, lights and drawing joins it as those parts of the engine are built.)
#pragma once

#include <GL/gl.h>
#include <cstdint>
#include <memory>

#include "gfx3d/MeshObject.h"
#include "gfx3d/Shaders.h"

// One id of the object table.
struct ObjectSlot {
    uint8_t loaded = 0;   // 1 when the slot holds a drawable object
    uint8_t modelSet = 0; // 1 when it was filled from a model set
    GrowArray<MeshObjectX> parts;
    GrowArray<GLuint> textures; // model sets only; owned by the slot

    // Clears and frees every part, deletes the slot's textures, sets both flags to 0.
    void Clear();
};

class Rainbows3D {
  public:
    static constexpr int kObjectCount = 4096;

    Rainbows3D();
    ~Rainbows3D();
    Rainbows3D(const Rainbows3D&) = delete;
    Rainbows3D& operator=(const Rainbows3D&) = delete;

    // The slot of an id, or null when the id is outside 0..4095.
    ObjectSlot* Slot(int id);

    // The id of the object being built in code, -1 when none.
    int buildingId = -1;
    // How objects built in code get their normals: 0 none, 1 per record, 2 smoothed.
    int normalMode = 2;
    // The GLSL programs and the one in use.
    ShaderTable shaders;

  private:
    std::unique_ptr<ObjectSlot[]> objects_;
};
