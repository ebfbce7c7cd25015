// Normals, tangents and bitangents computed from a part's geometry and stored back into its
// packed vertices as normal-table indices.
#pragma once

class MeshObjectX;

namespace gfx3d {

// Computes what is wanted and not yet valid: normals unless the part's normals are valid,
// tangents and bitangents unless frame 0's first real vertex already has them. With smooth set,
// records at the same quantised position share one averaged normal. Rebuilds the triangles
// afterwards. A part without frames or records is left unchanged.
void ComputeNormals(MeshObjectX& part, bool normals, bool smooth, bool tangents);

} // namespace gfx3d
