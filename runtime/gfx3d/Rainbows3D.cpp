#include "gfx3d/Rainbows3D.h"

void ObjectSlot::Clear() {
    for (MeshObjectX& part : parts)
        part.Clear();
    parts.Free();
    for (GLuint& texture : textures)
        if (texture != 0) glDeleteTextures(1, &texture);
    textures.Free();
    loaded = 0;
    modelSet = 0;
}

Rainbows3D::Rainbows3D() : objects_(new ObjectSlot[kObjectCount]) {}

Rainbows3D::~Rainbows3D() {
    for (int id = 0; id < kObjectCount; ++id)
        objects_[id].Clear();
}

ObjectSlot* Rainbows3D::Slot(int id) {
    return id >= 0 && id < kObjectCount ? &objects_[id] : nullptr;
}
