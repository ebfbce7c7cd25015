// The fixed table of 162 unit normals that packed vertices index with one byte (the vertex
// normal table of the MD2 model format, in its order).
#pragma once

namespace gfx3d {

constexpr int kNormalTableSize = 162;

extern const float NormalTable[kNormalTableSize][3];

// The index of the table normal closest to (x, y, z): the vector is normalised unless it is
// (nearly) zero; ties go to the later entry. A zero vector gives 0.
int ChooseTableNormal(float x, float y, float z);

} // namespace gfx3d
